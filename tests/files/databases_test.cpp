#include "files/databases.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "test_support.h"

namespace zd {
namespace {

using test::ReadBytes;
using test::SameBytes;
using test::TempDir;
using test::WriteBytes;

std::string WithoutCr(std::string bytes) {
  std::string out;
  for (char c : bytes)
    if (c != '\r') out.push_back(c);
  return out;
}

// Reads the file in into a fresh (cleared) table and writes that table to out.
using Copier = std::function<bool(const std::string& in, const std::string& out)>;

template <typename Table, typename Read, typename Write>
Copier Copy(Read read, Write write) {
  return [=](const std::string& in, const std::string& out) {
    auto table = std::make_unique<Table>();
    return read(in, *table) && write(out, *table);
  };
}

struct RoundTripCase {
  const char* what;
  std::string fixture;
  Copier copy;
};

// A category whose characteristics span three lines; an empty line in the frequencies; a penalty
// description on two lines; the ten transponder packs, most of them empty.
const std::vector<RoundTripCase>& RoundTripCases() {
  static const std::vector<RoundTripCase> cases = {
      {"categories",
       "Tourisme\tVoitures piste 1/10\tMoteur 540\r\nPneus mousse\r\nCarrosserie libre\t\r\n"
       "GT\t\t\t\r\n",
       Copy<VehicleCategoryTable>(
           ReadVehicleCategories,
           [](const std::string& p, auto& t) { return WriteVehicleCategories(p, t, 2); })},
      {"vehicles", "Buggy X\tKyosho\tMP10\tTout-terrain\tC:\\Photos\\mp10.jpg\t\r\nZ\t\t\t\t\t\r\n",
       Copy<VehicleTable>(ReadVehicles,
                          [](const std::string& p, auto& t) { return WriteVehicles(p, t, 2); })},
      {"clubs",
       "RCN\tRC Club de Nîmes\t12 rue du Stade\tBât. B\t30000\tNîmes\tFrance\t0466000000\t"
       "rcn@example.org\t\r\n",
       Copy<ClubTable>(ReadClubs,
                       [](const std::string& p, auto& t) { return WriteClubs(p, t, 1); })},
      {"age categories",
       "1\t0\t100\t11\t105\t1200\t1271\tJUN\tJunior\t\r\n1\t5\t40\t4\t99\t485\t1192\tSEN\tSénior\t"
       "\r\n",
       Copy<AgeCategoryTable>(
           ReadAgeCategories,
           [](const std::string& p, auto& t) { return WriteAgeCategories(p, t, 2); })},
      {"drivers",
       "0\tDurand Léa\t3 place Ney\t\t69000\tLyon\tFrance\t0472000000\tlea@example.org\t1234\t"
       "L-77\tRCL\tBuggy X\t7\t123456\tC:\\Photos\\lea.bmp\t\r\n"
       "1\tMartin Paul\t\t\t\t\tBelgique\t\t\t1100\t\t\t\t\t\t\t\r\n",
       Copy<DriverTable>(ReadDrivers,
                         [](const std::string& p, auto& t) { return WriteDrivers(p, t, 2); })},
      {"championships", "Coupe Sud\tQuatre manches\r\nde mars à juin\t\r\nOpen\t\t\r\n",
       Copy<ChampionshipTable>(
           ReadChampionships,
           [](const std::string& p, auto& t) { return WriteChampionships(p, t, 2); })},
      {"transponder packs",
       "Pack1\t100001\t100002\t" + test::Repeat("\t", 18) + "\r\nPack2\t" + test::Repeat("\t", 19) +
           "200020\t\r\n" + test::Repeat(test::Repeat("\t", 21) + "\r\n", 8),
       Copy<TransponderPackTable>(
           ReadTransponderPacks,
           [](const std::string& p, auto& t) { return WriteTransponderPacks(p, t); })},
      {"frequencies", "2.4Ghz\r\n27.145\r\n\r\n40.685\r\n",
       Copy<FrequencyTable>(ReadFrequencies, [](const std::string& p,
                                                auto& t) { return WriteFrequencies(p, t, 4); })},
      {"penalties",
       "1\t0\tA\tAbandon\tVoiture arrêtée\r\nsur casse\t\r\n5\t2\tP1\tCoupe de piste\t\t\r\n",
       Copy<PenaltyTable>(ReadPenalties,
                          [](const std::string& p, auto& t) { return WritePenalties(p, t, 2); })},
  };
  return cases;
}

TEST(DatabaseFiles, RoundTripByteForByteFromCrLfAndFromLf) {
  TempDir dir;
  const std::string in = dir.file("in.bd"), out = dir.file("out.bd");
  for (const RoundTripCase& c : RoundTripCases()) {
    SCOPED_TRACE(c.what);
    WriteBytes(in, c.fixture);
    ASSERT_TRUE(c.copy(in, out));
    EXPECT_TRUE(SameBytes(ReadBytes(out), c.fixture));
    // The same file with bare LF line ends, as a Unix editor leaves it, reads the same.
    WriteBytes(in, WithoutCr(c.fixture));
    ASSERT_TRUE(c.copy(in, out));
    EXPECT_TRUE(SameBytes(ReadBytes(out), c.fixture));
  }
}

TEST(DatabaseFiles, MultiLineFieldsHoldTheirLineBreaks) {
  TempDir dir;
  WriteBytes(dir.file("c.bd"), RoundTripCases()[0].fixture);
  auto categories = std::make_unique<VehicleCategoryTable>();
  ASSERT_TRUE(ReadVehicleCategories(dir.file("c.bd"), *categories));
  EXPECT_EQ((*categories)[0].characteristics.view(), "Moteur 540\nPneus mousse\nCarrosserie libre");
  EXPECT_EQ((*categories)[1].name.view(), "GT");  // the next record starts after the field's TAB
  EXPECT_TRUE((*categories)[2].name.empty());

  // A TAB typed into a description would end the field early on reading: it is written as a blank.
  ChampionshipTable championships;
  championships[0].name = "Coupe";
  championships[0].description = "a\tb\nc";
  ASSERT_TRUE(WriteChampionships(dir.file("ch.bd"), championships, 1));
  EXPECT_EQ(ReadBytes(dir.file("ch.bd")), "Coupe\ta b\r\nc\t\r\n");
}

TEST(DatabaseFiles, EditControlTextConversions) {
  EXPECT_EQ(EditControlText("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(FromEditControlText("a\r\nb\r\n"), "a\nb\n");
  FixedText<5> field;
  StoreEditControlText(field, "ab\r\ncd");  // the stored form fits 4 characters
  EXPECT_EQ(field.view(), "ab\nc");
}

TEST(DatabaseFiles, MissingEmptyAndFailedFiles) {
  TempDir dir;
  ClubTable clubs;
  clubs[0].shortName = "kept";
  EXPECT_FALSE(ReadClubs(dir.file("none.bd"), clubs));
  EXPECT_EQ(clubs[0].shortName.view(), "kept");

  WriteBytes(dir.file("empty.bd"), "");
  ClearClubTable(clubs);
  EXPECT_TRUE(ReadClubs(dir.file("empty.bd"), clubs));
  EXPECT_TRUE(clubs[0].shortName.empty());

  ASSERT_TRUE(WriteClubs(dir.file("zero.bd"), clubs, 0));
  EXPECT_EQ(ReadBytes(dir.file("zero.bd")), "");
  ASSERT_TRUE(WriteClubs(dir.file("neg.bd"), clubs, -3));
  EXPECT_EQ(ReadBytes(dir.file("neg.bd")), "");
  EXPECT_FALSE(WriteClubs(dir.file("no/such/folder.bd"), clubs, 1));

  // Written as "%s\n": six characters and the line end, no TAB.
  FrequencyTable frequencies{};
  frequencies[0].frequency = "2.4Ghz";
  ASSERT_TRUE(WriteFrequencies(dir.file("f.bd"), frequencies, 1));
  EXPECT_EQ(ReadBytes(dir.file("f.bd")), "2.4Ghz\r\n");
}

TEST(DatabaseFiles, ReadersStopAtTheEndOfEachLineFieldAndTable) {
  TempDir dir;
  const std::string path = dir.file("x.bd");

  // A line cut short keeps the fields it lacks instead of taking the next line's.
  WriteBytes(path, "RCN\tRC Nîmes\r\nRCL\tRC Lyon\t\t\t\t\t\t\t\t\r\n");
  ClubTable clubs;
  ClearClubTable(clubs);
  ASSERT_TRUE(ReadClubs(path, clubs));
  EXPECT_EQ(clubs[0].fullName.view(), "RC Nîmes");
  EXPECT_TRUE(clubs[0].address.empty());
  EXPECT_EQ(clubs[1].shortName.view(), "RCL");
  EXPECT_TRUE(clubs[2].shortName.empty());

  // More lines than the table holds; fields and numbers longer than their widths.
  std::string lines;
  for (int i = 0; i < 25; ++i)
    lines += "1\t0\t99999999999\t0\t0\t0\t0\tCODEX\t" + std::string(40, 'n') + "\t\r\n";
  WriteBytes(path, lines);
  AgeCategoryTable ages;
  ClearAgeCategoryTable(ages);
  ASSERT_TRUE(ReadAgeCategories(path, ages));
  EXPECT_EQ(ages[19].fromYear, INT32_MAX);
  EXPECT_EQ(ages[19].code.view(), "COD");
  EXPECT_EQ(ages[19].name.view(), std::string(19, 'n'));

  // The file ends inside a record: inside a number, then inside a multi-line field.
  WriteBytes(path, "1\t0\t100\t11");
  ClearAgeCategoryTable(ages);
  ASSERT_TRUE(ReadAgeCategories(path, ages));
  EXPECT_EQ(ages[0].toMonth, 11);
  EXPECT_EQ(ages[0].toYear, 0);
  EXPECT_TRUE(ages[1].code.empty());

  WriteBytes(path, "GT\tcourte\tligne 1\r\nligne 2");
  auto categories = std::make_unique<VehicleCategoryTable>();
  ASSERT_TRUE(ReadVehicleCategories(path, *categories));
  EXPECT_EQ((*categories)[0].characteristics.view(), "ligne 1\nligne 2");
  EXPECT_TRUE((*categories)[1].name.empty());

  // A trailing empty line holds no field: the table ends after the one record.
  WriteBytes(path, "Open\tx\t\r\n\r\n");
  ChampionshipTable championships;
  ClearChampionshipTable(championships);
  ASSERT_TRUE(ReadChampionships(path, championships));
  EXPECT_EQ(championships[0].name.view(), "Open");
  EXPECT_TRUE(championships[1].name.empty());
  EXPECT_TRUE(championships[2].name.empty());
}

TEST(DatabaseFiles, PenaltiesLeaveNoTraceOfLongerOldTexts) {
  TempDir dir;
  WriteBytes(dir.file("p.bd"), "1\t0\tA\tAbandon\tcourt\t\r\n2\t3\tP1\tx\r\n");
  PenaltyTable table;
  for (auto& p : table) {
    p.code = "P99";
    p.name = std::string(29, 'n');
    p.description = std::string(199, 'd');
  }
  ASSERT_TRUE(ReadPenalties(dir.file("p.bd"), table));
  EXPECT_EQ(table[0].code.view(), "A");
  EXPECT_EQ(table[0].name.view(), "Abandon");
  EXPECT_EQ(table[0].description.view(), "court");
  EXPECT_EQ(table[1].kind, 2);
  EXPECT_EQ(table[1].amount, 3);
  EXPECT_EQ(table[1].name.view(), "x");
  EXPECT_TRUE(table[1].description.empty());  // the line has no description field
  EXPECT_EQ(table[2].code.view(), "P99");     // slots it does not fill stay as they were
}

TEST(DatabaseFiles, DriverSummariesTakeTheirFieldsAndAValidBirth) {
  TempDir dir;
  const int32_t now = BirthMonthCount(2025, 5);
  struct {
    const char* birth;
    int32_t count;
    const char* text;
  } births[] = {{"1234", 1234, "1234"}, {"-5", 0, "0"},   {"abc", 0, "0"}, {"1200x", 1200, "1200"},
                {"1505", 1505, "1505"}, {"1506", 0, "0"}, {"", 0, "0"}};
  std::string lines;
  for (const auto& b : births)
    lines += std::string("0\tDurand Léa\tadr\tadr2\t69000\tLyon\tFrance\ttel\tmail\t") + b.birth +
             "\tL-77\tRCL\tBuggy X\t7\t123456\tphoto.bmp\t\r\n";
  WriteBytes(dir.file("p.bd"), lines);
  auto table = std::make_unique<DriverSummaryTable>();
  ASSERT_TRUE(ReadDriverSummaries(dir.file("p.bd"), *table, now));
  const DriverSummaryRecord& first = (*table)[0];
  EXPECT_EQ(first.name.view(), "Durand Léa");
  EXPECT_EQ(first.country.view(), "France");
  EXPECT_EQ(first.club.view(), "RCL");
  EXPECT_EQ(first.vehicle.view(), "Buggy X");
  EXPECT_EQ(first.carNumber.view(), "7");
  EXPECT_EQ(first.transponder.view(), "123456");
  EXPECT_EQ(first.sex, 0);
  for (std::size_t i = 0; i < std::size(births); ++i) {
    SCOPED_TRACE(births[i].birth);
    EXPECT_EQ((*table)[i].birthMonthCount, births[i].count);
    EXPECT_EQ((*table)[i].birth.view(), births[i].text);
  }
  EXPECT_TRUE((*table)[std::size(births)].name.empty());
}

TEST(DatabaseFiles, ClearsSetTheDefaultsOfEachTable) {
  AgeCategoryTable ages;
  ages[3].flag = 0;
  ages[3].toCount = 9;
  ages[3].code = "X";
  ClearAgeCategoryTable(ages);
  EXPECT_EQ(ages[3].flag, 1);
  EXPECT_EQ(ages[3].toCount, 0);
  EXPECT_TRUE(ages[3].code.empty());

  auto drivers = std::make_unique<DriverTable>();
  (*drivers)[499].sex = 0;
  (*drivers)[499].birthMonthCount = 5;
  (*drivers)[499].photoPath = "x";
  ClearDriverTable(*drivers);
  EXPECT_EQ((*drivers)[499].sex, 1);
  EXPECT_EQ((*drivers)[499].birthMonthCount, 0);
  EXPECT_TRUE((*drivers)[499].photoPath.empty());

  PenaltySummaryTable summaries;
  summaries[49].kind = 5;
  summaries[49].amount = 3;
  ClearPenaltySummaryTable(summaries);
  EXPECT_EQ(summaries[49].kind, 2);
  EXPECT_EQ(summaries[49].amount, 0);
}

TEST(AgeCategoryOfBirth, TheLastCategoryHoldingTheBirthBothBoundsIncluded) {
  AgeCategoryTable ages;
  ClearAgeCategoryTable(ages);
  const auto set = [&](int i, const char* code, int32_t from, int32_t to) {
    ages[i].code = code;
    ages[i].name = std::string(code) + " name";
    ages[i].fromCount = from;
    ages[i].toCount = to;
  };
  set(0, "S", 1000, 1199);
  set(1, "J", 1200, 1299);
  set(2, "B", 1100, 1150);  // inside S: later, so it wins there
  // Slots 3 and later are empty, bounds 0 to 0.
  struct Case {
    int32_t birth;
    const char* code;  // nullptr: none
  };
  const Case cases[] = {
      {1000, "S"}, {1199, "S"},  // first and last month
      {1200, "J"}, {1299, "J"}, {1300, nullptr}, {999, nullptr},
      {1100, "B"}, {1151, "S"},
      {0, nullptr},  // no birth date: never an empty slot
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.birth);
    const AgeCategoryRecord* age = AgeCategoryOfBirth(ages, c.birth);
    if (c.code == nullptr) {
      EXPECT_EQ(age, nullptr);
    } else {
      ASSERT_NE(age, nullptr);
      EXPECT_EQ(age->code.view(), c.code);
    }
  }
}

TEST(CountryFiles, NamesAndCodesStayPairedByLine) {
  TempDir dir;
  WriteBytes(dir.file("noms.bd"), "Allemagne\r\nBelgique\r\nFrance\r\n");
  WriteBytes(dir.file("codes.bd"), "DEU\nBEL\nFRA");  // LF, and no line end after the last
  CountryTable table{};
  ASSERT_TRUE(ReadCountryNames(dir.file("noms.bd"), table));
  ASSERT_TRUE(ReadCountryCodes(dir.file("codes.bd"), table));
  EXPECT_EQ(table[1].name.view(), "Belgique");
  EXPECT_EQ(table[1].code.view(), "BEL");
  EXPECT_EQ(table[2].code.view(), "FRA");
  EXPECT_TRUE(table[3].name.empty());  // a short list stops at the end of its file
  EXPECT_EQ(CountryFlagPath(table[2].code), "paysDrapeaux/FRA.bmp");

  // A longer list stops at the 208th line; a name too long for its field is cut.
  std::string lines;
  for (int i = 0; i < 210; ++i)
    lines += (i == 207 ? std::string(50, 'x') : std::to_string(i)) + "\r\n";
  WriteBytes(dir.file("noms.bd"), lines);
  ASSERT_TRUE(ReadCountryNames(dir.file("noms.bd"), table));
  EXPECT_EQ(table[206].name.view(), "206");
  EXPECT_EQ(table[207].name.view(), std::string(34, 'x'));
  EXPECT_FALSE(ReadCountryCodes(dir.file("none.bd"), table));
}

}  // namespace
}  // namespace zd
