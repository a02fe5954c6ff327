// The rules of the penalty assignment and run comment dialogs: the penalty list and texts by kind,
// and the comment's words and text as the edit and the files hold them.

#include "analysis/run_corrections.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "../files/data_folder_fixture.h"
#include "files/race_file.h"

namespace zd {
namespace {

PenaltyRecord Penalty(const char* code, const char* name, int32_t amount, int32_t kind) {
  PenaltyRecord p;
  p.code = code;
  p.name = name;
  p.amount = amount;
  p.kind = kind;
  return p;
}

TEST(RunCorrectionsTest, DescriptionsByKind) {
  struct Case {
    int32_t kind;
    const char* text;
  } cases[] = {
      {1, "30 secondes ajoutées au temps de course du pilote"},
      {2, "30 secondes ajoutées au meilleur tour du pilote"},
      {3, "30 secondes mises à la place du temps de course du pilote"},
      {4, "30 secondes mises à la place du meilleur tour du pilote"},
      {5, "30 tours retirés au nombre de tours du pilote"},
      {0, ""},
      {6, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PenaltyDescription(Penalty("P1", "x", 30, c.kind)), c.text) << c.kind;
  }
}

TEST(RunCorrectionsTest, AssignedTextsForEachPosition) {
  PenaltyTable table;
  ClearPenaltyTable(table);
  table[0] = Penalty("A", "Abandon pilote", 600, kPenaltyReplaceRaceTime);
  table[1] = Penalty("P1", "Coupe", 2, kPenaltyRemoveLaps);
  struct Case {
    int32_t index;
    AssignedPenaltyTexts texts;
  } cases[] = {
      {0, {"Pénalité attribuée :", "Aucune pénalité attribuée", ""}},
      {1, {"Pénalité attribuée : A", "Abandon pilote",
           "600 secondes mises à la place du temps de course du pilote"}},
      {2, {"Pénalité attribuée : P1", "Coupe", "2 tours retirés au nombre de tours du pilote"}},
      // Not on the list: nothing applies, so nothing is shown.
      {3, {"Pénalité attribuée :", "Aucune pénalité attribuée", ""}},
      {-1, {"Pénalité attribuée :", "Aucune pénalité attribuée", ""}},
  };
  for (const Case& c : cases) {
    const AssignedPenaltyTexts t = AssignedPenalty(table, c.index);
    EXPECT_EQ(t.heading, c.texts.heading) << c.index;
    EXPECT_EQ(t.name, c.texts.name) << c.index;
    EXPECT_EQ(t.description, c.texts.description) << c.index;
  }
  EXPECT_TRUE(PenaltyListed(table, 2));
  EXPECT_FALSE(PenaltyListed(table, 3));
  EXPECT_FALSE(PenaltyListed(table, 0));

  // Fifty penalties: "Aucune" and fifty codes.
  for (int i = 1; i < kMaxPenalties; ++i) table[i] = Penalty(("P" + std::to_string(i)).c_str(), "n", 1, 1);
  const std::vector<std::string> list = PenaltyListTexts(table);
  ASSERT_EQ(list.size(), 51u);
  EXPECT_EQ(list[0], "Aucune");
  EXPECT_EQ(list[50], "P49");
  EXPECT_TRUE(PenaltyListed(table, 50));

  EXPECT_EQ(PenaltyCarCaption("12", "Alain"), "Voiture/moto '# 12' - Alain");
  EXPECT_EQ(PenaltyCarCaption("12345", std::string(39, 'x')).size(), 64u);
}

class AssignablePenaltiesTest : public test::DataFolderTest {};

TEST_F(AssignablePenaltiesTest, TheAbandonmentKeepsItsCodeAndNameButTakesTheRaceAmount) {
  PenaltyTable table;
  // No race file: the abandonment alone, 600 seconds in place of the race time.
  EXPECT_EQ(LoadAssignablePenalties(table), std::string_view(kRaceFileNotFound));
  EXPECT_EQ(PenaltyListTexts(table), (std::vector<std::string>{"Aucune", "A"}));
  EXPECT_EQ(table[0].amount, 600);
  EXPECT_EQ(table[0].kind, kPenaltyReplaceRaceTime);

  ASSERT_EQ(::mkdir("Private", 0777), 0);
  {
    TextFile file;
    ASSERT_TRUE(file.open(kRaceFilePath, OpenMode::Create));
    ASSERT_TRUE(InitialiseRaceFile(file).ok);
  }
  EXPECT_EQ(LoadAssignablePenalties(table), kPenaltyTitleMissing);
  EXPECT_EQ(PenaltyListTexts(table).size(), 2u);

  PenaltyTable race;
  ClearPenaltyTable(race);
  race[0] = Penalty("X", "Autre", 120, kPenaltyAddRaceTime);
  race[1] = Penalty("P1", "Coupe", 2, kPenaltyRemoveLaps);
  {
    TextFile file;
    ASSERT_TRUE(file.open(kRaceFilePath, OpenMode::Update));
    ASSERT_TRUE(WritePenaltiesSection(file, race).ok);
  }
  EXPECT_EQ(LoadAssignablePenalties(table), std::nullopt);
  EXPECT_EQ(PenaltyListTexts(table), (std::vector<std::string>{"Aucune", "A", "P1"}));
  const AssignedPenaltyTexts t = AssignedPenalty(table, 1);
  EXPECT_EQ(t.heading, "Pénalité attribuée : A");
  EXPECT_EQ(t.name, "Abandon pilote");
  EXPECT_EQ(t.description, "120 secondes ajoutées au temps de course du pilote");
}

TEST(RunCorrectionsTest, ConditionWords) {
  struct Case {
    const char* read;
    const char* shown;
    int radio;
  } cases[] = {
      {"Dry", "Sec", 0},     {"Seco", "Sec", 0},     {"Wet", "Pluie", 1}, {"Lluvia", "Pluie", 1},
      {"Ice", "Glace", 2},   {"Hielo", "Glace", 2},  {"Pluie", "Pluie", 1}, {"Glace", "Glace", 2},
      {"Sec", "Sec", 0},     {"Neige", "Neige", 0},  {"", "", 0},         {"dry", "dry", 0},
  };
  for (const Case& c : cases) {
    const TrackCondition word = FrenchTrackCondition(TrackCondition(c.read));
    EXPECT_EQ(word.view(), c.shown) << c.read;
    EXPECT_EQ(TrackConditionRadio(word), c.radio) << c.read;
  }
  // A longer word is read within its buffer.
  EXPECT_EQ(TrackCondition("Lluvias").view(), "Lluvia");
  EXPECT_EQ(FrenchTrackCondition(TrackCondition("Lluvias")).view(), "Pluie");
}

TEST(RunCorrectionsTest, CommentTextBetweenTheEditAndTheFiles) {
  EXPECT_EQ(CommentFromEdit("Piste\r\ngrasse\tvent").view(), "Piste\ngrasse vent");
  EXPECT_EQ(CommentForEdit("Piste\ngrasse"), "Piste\r\ngrasse");
  EXPECT_EQ(CommentFromEdit(std::string(120, 'a')).size(), 99u);
  EXPECT_EQ(CommentToSave(SeriesComment("")).view(), " ");
  EXPECT_EQ(CommentToSave(SeriesComment("ok")).view(), "ok");
}

}  // namespace
}  // namespace zd
