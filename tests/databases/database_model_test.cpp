// The database dialogs without their windows: the frame on the clubs, and what the
// championships, frequencies, transponder packs and penalties do differently.

#include "databases/database_model.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <optional>
#include <string>

#include "../files/data_folder_fixture.h"
#include "database_test_support.h"
#include "databases/reference_databases.h"
#include "files/text_file.h"
#include "files/whole_file.h"

namespace zd {
namespace {

using test::FileBytes;
using test::Keys;

class DatabaseFrame : public test::DataFolderTest {
 protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    clubs_ = std::make_unique<ClubsModel>(ClubsDescriptor());
  }
  void Load(const std::string& file) {
    ASSERT_TRUE(WriteWholeFile(kClubsFile, file));
    ASSERT_FALSE(clubs_->load());
  }
  std::unique_ptr<ClubsModel> clubs_;
};

TEST_F(DatabaseFrame, AMissingFileIsSaidAndOkCreatesAnEmptyOne) {
  const MaybeDatabaseMessage message = clubs_->load();
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text, "Error : 'Clubs/Teams' database file not found");
  EXPECT_EQ(message->caption, "Error");
  EXPECT_EQ(clubs_->count(), 0);
  EXPECT_EQ(clubs_->selected(), -1);
  EXPECT_EQ(clubs_->selectedRecord(), nullptr);
  EXPECT_FALSE(clubs_->save());
  EXPECT_EQ(FileBytes(kClubsFile), "");
}

TEST_F(DatabaseFrame, AddsRefuseSilentlyWhatCannotBeAKey) {
  Load("Beta\tBeta club\t\t\t\t\t\t\t\t\r\n");
  struct Case {
    const char* typed;
    bool added;
  };
  for (const Case& c : {Case{"", false}, Case{" Alpha", false}, Case{"bEtA", false},
                        Case{"Alpha", true}, Case{"ALPHA", false}}) {
    const auto result = clubs_->add(c.typed);
    EXPECT_EQ(result.added, c.added) << c.typed;
    EXPECT_FALSE(result.message) << c.typed;
  }
  EXPECT_EQ(Keys(*clubs_), "Alpha|Beta|");
}

TEST_F(DatabaseFrame, AnAddIsSelectedAtItsSortedPlaceWithAnEmptyDetail) {
  Load("Alpha\tA\t\t\t\t\t\t\t\t\r\nCharlie\tC\t\t\t\t\t\t\t\t\r\n");
  ASSERT_TRUE(clubs_->add("bravo-longer-than-13").added);
  EXPECT_EQ(Keys(*clubs_), "Alpha|bravo-longer-t|Charlie|");
  EXPECT_EQ(clubs_->selected(), 1);
  EXPECT_EQ(clubs_->selectedRecord()->fullName.view(), "");
  EXPECT_EQ(clubs_->table()[2].fullName.view(), "C");
}

TEST_F(DatabaseFrame, TheHundredAndFirstClubWaitsForADelete) {
  std::string file;
  for (int i = 0; i < kMaxClubs; ++i) file += "C" + std::to_string(100 + i) + "\t\t\t\t\t\t\t\t\t\r\n";
  Load(file);
  ASSERT_EQ(clubs_->count(), 100);
  EXPECT_FALSE(clubs_->add("Z").added);
  clubs_->select(42);
  ASSERT_TRUE(clubs_->remove());
  EXPECT_EQ(clubs_->count(), 99);
  EXPECT_EQ(clubs_->selected(), 0);
  EXPECT_TRUE(clubs_->add("Z").added);
  EXPECT_EQ(clubs_->count(), 100);
  EXPECT_EQ(clubs_->selected(), 99);
}

TEST_F(DatabaseFrame, ADeleteSelectsTheFirstLineAndLeavesNoEmptyLine) {
  // A damaged file holding one key twice: both go, and the list still mirrors the table.
  Load("Alpha\t\t\t\t\t\t\t\t\t\r\nBeta\t\t\t\t\t\t\t\t\t\r\nBeta\t\t\t\t\t\t\t\t\t\r\n"
       "Gamma\t\t\t\t\t\t\t\t\t\r\n");
  clubs_->select(2);
  ASSERT_TRUE(clubs_->remove());
  EXPECT_EQ(Keys(*clubs_), "Alpha|Gamma|");
  EXPECT_EQ(clubs_->selected(), 0);
  EXPECT_FALSE(clubs_->save());
  EXPECT_EQ(FileBytes(kClubsFile), "Alpha\t\t\t\t\t\t\t\t\t\r\nGamma\t\t\t\t\t\t\t\t\t\r\n");
}

TEST_F(DatabaseFrame, RecordsAfterAnEmptyKeyNeverComeBack) {
  Load("Beta\t\t\t\t\t\t\t\t\t\r\n\tlost\t\t\t\t\t\t\t\t\r\nAlpha\t\t\t\t\t\t\t\t\t\r\n");
  EXPECT_EQ(Keys(*clubs_), "Beta|");
  ASSERT_TRUE(clubs_->add("Gamma").added);
  EXPECT_EQ(Keys(*clubs_), "Beta|Gamma|");
}

TEST_F(DatabaseFrame, AFailedWriteIsSaidAndKeepsTheTable) {
  Load("Alpha\tA\t\t\t\t\t\t\t\t\r\n");
  ASSERT_TRUE(clubs_->add("Beta").added);
  // A folder where the file should be: nothing can replace it.
  ASSERT_EQ(::unlink(file("BaseDonn\xC3\xA9\x65sClubs.bd").c_str()), 0);
  ASSERT_TRUE(MakeFolder(kClubsFile));
  const MaybeDatabaseMessage failed = clubs_->save();
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->text, "Error : 'Clubs/Teams' database file not found");
  EXPECT_EQ(Keys(*clubs_), "Alpha|Beta|");
}

TEST_F(DatabaseFrame, AFailedImportChangesNothing) {
  Load("Alpha\tA\t\t\t\t\t\t\t\t\r\n");
  const MaybeDatabaseMessage message = clubs_->importFrom("missing.bdc2");
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text, "Error : Import file 'Clubs/Teams' not found");
  EXPECT_EQ(Keys(*clubs_), "Alpha|");

  ASSERT_TRUE(WriteWholeFile("other.bdc2", "Zulu\tZ\t\t\t\t\t\t\t\t\r\nYankee\t\t\t\t\t\t\t\t\t\r\n"));
  EXPECT_FALSE(clubs_->importFrom("other.bdc2"));
  EXPECT_EQ(Keys(*clubs_), "Zulu|Yankee|");  // in file order, as on opening
  EXPECT_EQ(clubs_->selected(), 0);
}

TEST_F(DatabaseFrame, ExportNames) {
  const std::string prefill = DatabaseExportPrefill("C:\\Data", ".bdc2");
  EXPECT_EQ(prefill, "C:\\Data\\*.bdc2");
  struct Case {
    std::string chosen;
    std::optional<std::string> path;
  };
  const Case cases[] = {
      {prefill, std::nullopt},
      {"", std::nullopt},
      {"C:\\Data\\clubs", "C:\\Data\\clubs.bdc2"},
      {"C:\\Data\\clubs.bdc2.old", "C:\\Data\\clubs.bdc2.old"},
      {std::string(254, 'x'), std::string(254, 'x') + ".bdc2"},
      {std::string(255, 'x'), std::string()},  // would not fit with its extension
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DatabaseExportPath(c.chosen, prefill, ".bdc2"), c.path) << c.chosen;
  }
}

TEST_F(DatabaseFrame, ExportWritesTheListedRecordsOrRefusesATooLongName) {
  Load("Alpha\tA\t\t\t\t\t\t\t\t\r\n");
  EXPECT_FALSE(clubs_->exportAs("saved", "*.bdc2"));
  EXPECT_EQ(FileBytes("saved.bdc2"), "Alpha\tA\t\t\t\t\t\t\t\t\r\n");
  EXPECT_FALSE(clubs_->exportAs("*.bdc2", "*.bdc2"));
  const MaybeDatabaseMessage refused = clubs_->exportAs(std::string(258, 'x'), "*.bdc2");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text, "Error : Export file 'Clubs/Teams' not found");
}

TEST(TypedText, IsStoredSafelyForTheTabFormat) {
  struct Case {
    const char* typed;
    bool multiLine;
    const char* stored;
  };
  const Case cases[] = {
      {"a\tb", false, "a b"},
      {"a\r\nb", false, "a b"},
      {"a\r\nb\tc", true, "a\nb c"},
      {"a\rb\nc", true, "a\nb\nc"},
      {"a\r\n\r\nb", true, "a\n\nb"},
  };
  for (const Case& c : cases) {
    FixedText<100> field;
    StoreTypedText(field, c.typed, c.multiLine);
    EXPECT_EQ(field.view(), c.stored) << c.typed;
  }
  FixedText<4> narrow;
  StoreTypedText(narrow, "abcdef", false);
  EXPECT_EQ(narrow.view(), "abc");
}

class ReferenceDatabases : public test::DataFolderTest {};

TEST_F(ReferenceDatabases, AMultiLineDescriptionComesBackExactly) {
  ChampionshipsModel model(ChampionshipsDescriptor());
  model.load();
  ASSERT_TRUE(model.add("Ligue Sud").added);
  StoreTypedText(model.selectedRecord()->description, "ligne 1\r\nligne 2\r\n\r\nfin", true);
  ASSERT_FALSE(model.save());
  EXPECT_EQ(FileBytes(kChampionshipsFile), "Ligue Sud\tligne 1\r\nligne 2\r\n\r\nfin\t\r\n");
  ChampionshipsModel again(ChampionshipsDescriptor());
  ASSERT_FALSE(again.load());
  EXPECT_EQ(EditControlText(again.table()[0].description.view()), "ligne 1\r\nligne 2\r\n\r\nfin");
}

TEST_F(ReferenceDatabases, ChampionshipNamesAreLettersDigitsAndBlanks) {
  ChampionshipsModel model(ChampionshipsDescriptor());
  model.load();
  const auto accented = model.add("Ligue Méditerranée");
  EXPECT_FALSE(accented.added);
  ASSERT_TRUE(accented.message);
  EXPECT_EQ(accented.message->caption, "Erreur");
  EXPECT_EQ(accented.message->icon, MessageIcon::Error);
  EXPECT_EQ(accented.message->text, kLettersDigitsBlanksOnly);
  const auto blanks = model.add("   ");
  EXPECT_FALSE(blanks.added);
  EXPECT_FALSE(blanks.message);
  EXPECT_TRUE(model.add("Ligue Mediterranee 2").added);
  EXPECT_EQ(Keys(model), "Ligue Mediterranee |");  // cut to the key's 19 characters
}

TEST_F(ReferenceDatabases, FrequenciesTakeSixCharactersAndSelectTheFirstLine) {
  ASSERT_TRUE(WriteWholeFile(kFrequenciesFile, "2.4Ghz\r\n40.665\r\n"));
  FrequenciesModel model(FrequenciesDescriptor());
  ASSERT_FALSE(model.load());
  EXPECT_FALSE(model.add("27.04").added);
  const auto added = model.add("27.045");
  EXPECT_TRUE(added.added);
  EXPECT_EQ(Keys(model), "2.4Ghz|27.045|40.665|");
  EXPECT_EQ(model.selected(), 0);
}

TEST_F(ReferenceDatabases, TransponderPacks) {
  const std::pair<const char*, std::optional<std::string>> typed[] = {
      {"", ""},         {"123456", "123456"},     {"12345", "012345"},
      {"101", "000101"}, {"0", "000000"},          {"1234567", std::nullopt},
      {"12a456", std::nullopt}, {"1 1", std::nullopt}};
  for (const auto& [text, stored] : typed) {
    EXPECT_EQ(TypedTransponderNumber(text), stored) << text;
  }
  TransponderPacksModel model(TransponderPacksDescriptor());
  const MaybeDatabaseMessage message = model.load();
  ASSERT_TRUE(message);
  EXPECT_EQ(message->text, "Error : 'Transponders' database file not found");
  EXPECT_EQ(model.count(), 10);
  EXPECT_EQ(model.selected(), 0);
  EXPECT_FALSE(model.add("X").added);
  EXPECT_FALSE(model.remove());
  EXPECT_FALSE(model.save());
  EXPECT_EQ(FileBytes(kTransponderPacksFile), test::Repeat(test::Repeat("\t", 21) + "\r\n", 10));
}

class Penalties : public test::DataFolderTest {
 protected:
  PenaltiesModel model_{PenaltiesDescriptor()};
};

TEST_F(Penalties, WithoutAFileOnlyTheAbandonmentWithItsDefaults) {
  ASSERT_TRUE(model_.load());
  ASSERT_EQ(model_.count(), 1);
  const PenaltyRecord& a = model_.table()[0];
  EXPECT_EQ(a.code.view(), "A");
  EXPECT_EQ(a.name.view(), "Abandon pilote");
  EXPECT_EQ(a.description.view(), "Abandon d'un pilote pendant une course");
  EXPECT_EQ(a.amount, 600);
  EXPECT_EQ(a.kind, kPenaltyReplaceRaceTime);
  EXPECT_EQ(PenaltyKeyDisplay(0, "A"), "Abandon : A");
  EXPECT_FALSE(model_.remove());
}

TEST_F(Penalties, CodesGoOnFromTheLastLine) {
  model_.load();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(CreatePenalty(model_));
  EXPECT_EQ(Keys(model_), "A|P1|P2|P3|");
  EXPECT_EQ(model_.selected(), 3);
  model_.select(2);
  ASSERT_TRUE(model_.remove());
  EXPECT_EQ(Keys(model_), "A|P1|P3|");
  EXPECT_EQ(model_.selected(), 0);
  ASSERT_TRUE(CreatePenalty(model_));
  EXPECT_EQ(Keys(model_), "A|P1|P3|P4|");
  EXPECT_EQ(PenaltyKeyDisplay(3, "P4"), "Pénalité : P4");

  ASSERT_TRUE(WriteWholeFile(kPenaltiesFile, "3\t600\tA\tAbandon pilote\t\t\r\n1\t5\tP99\tx\t\t\r\n"));
  model_.load();
  EXPECT_FALSE(CreatePenalty(model_));
  EXPECT_EQ(model_.count(), 2);
}

TEST_F(Penalties, AListThatCannotFitTheRaceFileIsRefused) {
  // The longest list the dialog can make (three-character codes, 29-character names, 5-digit
  // amounts) just fits the section; an amount that only a hand-edited file holds does not.
  std::string file = "3\t86400\tA\t\t\t\r\n";
  for (int i = 50; i < 50 + kMaxPenalties - 1; ++i) {
    file += "1\t86400\tP" + std::to_string(i) + "\t" + std::string(29, 'n') + "\t\t\r\n";
  }
  ASSERT_TRUE(WriteWholeFile(kPenaltiesFile, file));
  ASSERT_FALSE(model_.load());
  EXPECT_FALSE(PenaltiesFitCheck(model_.table()));
  EXPECT_FALSE(CreatePenalty(model_));  // full
  // An edit that would make the list too long is put back.
  model_.table()[1].amount = model_.table()[2].amount = -2000000000;
  EXPECT_FALSE(PenaltiesFitCheck(model_.table()));
  model_.select(3);
  const MaybeDatabaseMessage refused =
      EditPenalty(model_, [](PenaltyRecord& r) { r.amount = -2000000000; });
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text, kPenaltiesDoNotFit);
  EXPECT_EQ(model_.table()[3].amount, 86400);
  for (int i = 1; i <= 10; ++i) model_.table()[i].amount = -2000000000;
  const MaybeDatabaseMessage tooLong = PenaltiesFitCheck(model_.table());
  ASSERT_TRUE(tooLong);
  EXPECT_EQ(tooLong->text, kPenaltiesDoNotFit);
}

TEST_F(Penalties, AmountsFollowTheirKind) {
  PenaltyRecord p;
  p.kind = kPenaltyAddBestLap;
  EXPECT_EQ(SetPenaltyAmount(p, "90000"), 86400);
  SetPenaltyKind(p, kPenaltyReplaceBestLap);
  EXPECT_EQ(p.amount, 86400);  // still seconds
  SetPenaltyKind(p, kPenaltyRemoveLaps);
  EXPECT_EQ(p.amount, 0);
  EXPECT_EQ(SetPenaltyAmount(p, "999"), 999);
  SetPenaltyKind(p, kPenaltyAddRaceTime);
  EXPECT_EQ(p.kind, kPenaltyAddRaceTime);
  EXPECT_EQ(p.amount, 0);
  SetPenaltyKind(p, 9);
  EXPECT_EQ(p.kind, kPenaltyAddRaceTime);
}

TEST_F(Penalties, AnImportKeepsTheAbandonmentsCodeAndName) {
  model_.load();
  ASSERT_TRUE(WriteWholeFile("list.pen", "1\t30\tX\tAutre\tdesc\t\r\n2\t5\tP1\tCoupe\t\t\r\n"));
  ASSERT_FALSE(model_.importFrom("list.pen"));
  EXPECT_EQ(Keys(model_), "A|P1|");
  EXPECT_EQ(model_.table()[0].name.view(), "Abandon pilote");
  EXPECT_EQ(model_.table()[0].amount, 30);
  EXPECT_FALSE(model_.save());
  EXPECT_EQ(FileBytes(kPenaltiesFile),
            "1\t30\tA\tAbandon pilote\tdesc\t\r\n2\t5\tP1\tCoupe\t\t\r\n");
}

}  // namespace
}  // namespace zd
