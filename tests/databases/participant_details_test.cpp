#include "databases/participant_details.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../files/data_folder_fixture.h"
#include "files/event_sections.h"
#include "main/series_loading.h"

namespace zd {
namespace {

// One read of the port: its bytes, and when it was made, in ms after the scan began.
struct Read {
  std::vector<uint8_t> bytes;
  int64_t atMs;
};

// The numbers shown by a scan of a decoder kind over the reads; the counter counts ms.
std::vector<std::string> Shown(std::string_view kind, const std::vector<Read>& reads) {
  DetailsScan scan(kind);
  scan.start(5000, 1000);
  std::vector<std::string> shown;
  for (const Read& r : reads) {
    const DetailsScan::Tick tick = scan.tick(r.bytes.data(), r.bytes.size(), 5000 + r.atMs);
    if (!tick.transponder.empty()) shown.push_back(tick.transponder);
  }
  return shown;
}

using Numbers = std::vector<std::string>;

TEST(DetailsScan, ShowsTheNumberOfEachPassingByTheDecoderKind) {
  // A passing of transponder 42 at 0:00:01 on the decoder's clock.
  const std::vector<uint8_t> passing42 = {0xFF, 0xFF, 0xFF, 0xF0, 0x00, 0x2A,
                                          0x00, 0x00, 0x01, 0x50, 0x00};
  std::vector<uint8_t> led = {0x12};
  led.insert(led.end(), passing42.begin(), passing42.end());
  const std::vector<uint8_t> firstHalf(passing42.begin(), passing42.begin() + 6);
  const std::vector<uint8_t> secondHalf(passing42.begin() + 6, passing42.end());
  struct Case {
    const char* what;
    const char* kind;
    std::vector<Read> reads;
    Numbers shown;
  };
  const Case cases[] = {
      {"a leading byte dropped by the header search", kUsbDecoderKind, {{led, 10}}, {"000042"}},
      {"clock bytes that are no time", kUsbDecoderKind,
       {{{0x12, 0xFF, 0xFF, 0xFF, 0xF0, 0x00, 0x2A, 0x00, 0x00, 0x00, 0x00, 0x00}, 10}},
       {"000042"}},
      {"clock bytes FF, then the next passing", kBluetoothDecoderKind,
       {{{0xFF, 0xFF, 0xFF, 0xF0, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 10}, {passing42, 20}},
       {"000258", "000042"}},
      {"on Bluetooth", kBluetoothDecoderKind, {{led, 10}}, {"000042"}},
      {"a passing split over two reads", kUsbDecoderKind, {{firstHalf, 10}, {secondHalf, 20}},
       {"000042"}},
      {"the KV1 interface's pair", kInterfaceKind, {{{0x01, 0x02}, 10}}, {"000258"}},
      {"an odd byte paired with the next read's first", kInterfaceKind,
       {{{0x01, 0x02, 0x03}, 10}, {{0x04, 0x05}, 20}, {{0x06}, 30}},
       {"000258", "000772", "001286"}},
      {"a byte left alone too long dropped", kInterfaceKind,
       {{{0x07}, 10}, {{}, 100}, {{0x01, 0x02}, 400}}, {"000258"}},
      {"a kind that is none of the three", "Autre", {{led, 10}, {{0x01, 0x02}, 20}}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Shown(c.kind, c.reads), c.shown) << c.what;
  }
}

TEST(DetailsScan, OffItThrowsTheBytesAwayAndStartsAfreshWhenOnAgain) {
  DetailsScan scan(kInterfaceKind);
  const uint8_t lone[] = {0x09};
  const uint8_t pair[] = {0x01, 0x02};
  scan.start(0, 1000);
  EXPECT_TRUE(scan.tick(lone, 1, 10).transponder.empty());
  scan.stop();
  EXPECT_EQ(scan.indicator().state(), 0);
  EXPECT_TRUE(scan.tick(pair, 2, 20).transponder.empty());
  scan.start(30, 1000);
  EXPECT_EQ(scan.tick(pair, 2, 40).transponder, "000258");
}

// The light on a fake clock: the state after each tick at elapsed hundredths, and whether the
// tick made it draw again.
TEST(ScanIndicator, TurnsOneToFourAndRoundAgainAndRestartsAfterALateTick) {
  struct Step {
    int64_t elapsed;
    int state;
    bool changed;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"a cycle and the next",
       {{1, 1, false}, {20, 1, false}, {21, 2, true}, {41, 2, false}, {42, 3, true},
        {63, 4, true}, {83, 4, false}, {84, 0, false}, {85, 1, true}, {105, 2, true},
        {126, 3, true}, {147, 4, true}, {168, 0, false}, {170, 1, true}}},
      {"a tick that comes at v = 150", {{21, 2, true}, {150, 0, false}, {151, 1, true},
                                        {172, 2, true}}},
      {"a tick late past a window", {{30, 2, true}, {70, 2, false}, {95, 0, false},
                                     {100, 1, true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScanIndicator light;
    light.start();
    EXPECT_EQ(light.state(), 1);
    for (const Step& s : c.steps) {
      EXPECT_EQ(light.tick(s.elapsed), s.changed) << s.elapsed;
      EXPECT_EQ(light.state(), s.state) << s.elapsed;
    }
    light.stop();
    EXPECT_EQ(light.state(), 0);
  }
}

// Hours into the scan on a counter of 10 MHz that has run for years: no overflow in the elapsed
// time, the light still turns.
TEST(DetailsScan, TheElapsedTimeHoldsOnALongRunningCounter) {
  DetailsScan scan(kUsbDecoderKind);
  const int64_t frequency = 10'000'000;
  const int64_t start = int64_t{1} << 60;
  scan.start(start, frequency);
  const int64_t hours = 5 * 3600 * frequency;
  scan.tick(nullptr, 0, start + hours);             // v = 0 of a new cycle
  EXPECT_EQ(scan.indicator().state(), 0);
  scan.tick(nullptr, 0, start + hours + frequency / 100);
  EXPECT_EQ(scan.indicator().state(), 1);
  EXPECT_TRUE(scan.tick(nullptr, 0, start + hours + frequency * 25 / 100).indicatorChanged);
  EXPECT_EQ(scan.indicator().state(), 2);
}

TEST(ParticipantDetails, ATransponderTypedShortIsMadeSixDigits) {
  struct Case {
    const char* typed;
    std::optional<std::string> stored;
  };
  const Case cases[] = {{"004242", "004242"}, {"101", "000101"}, {"7", "000007"},
                        {"12345", "012345"}, {"", std::nullopt}, {"12345a", std::nullopt},
                        {"1234567", std::nullopt}, {" 12345", std::nullopt}};
  for (const Case& c : cases) {
    EXPECT_EQ(DetailsTransponder(c.typed), c.stored) << c.typed;
  }
}

// A race file whose race 1 "Open" has the participants Alain (RC Lyon, FRA), Brigitte and, in the
// last record, Zoe.
class ParticipantDetailsTest : public test::DataFolderTest {
 protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    MakeWorkingRaceFile();
    auto participants = std::make_unique<ParticipantTable>();
    ClearParticipants(*participants);
    (*participants)[0].name = "Alain";
    (*participants)[0].club = "RC Lyon";
    (*participants)[0].nationCode = "FRA";
    (*participants)[0].transponder = "000101";
    (*participants)[0].vehicleCategory = "TT 1/8";
    (*participants)[1].name = "Brigitte";
    (*participants)[199].name = "Zoe";
    TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Update);
    ASSERT_TRUE(WriteParticipantsSection(file, ParticipantsSectionTitle(1), *participants).ok);
  }
  void Select(int32_t code, const char* eventName = "Coupe") {
    RaceHeaderRecords records;
    ClearRaceHeaderRecords(records);
    records[0].name = "Open";
    records[1].name = "Junior";
    TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Update);
    ASSERT_TRUE(WriteRaceFileHeader(file, code, 2, records).ok);
    EventInformation info;
    info.eventName = eventName;
    ASSERT_TRUE(WriteInformationSection(file, info).ok);
  }
};

TEST_F(ParticipantDetailsTest, TheSelectionCodeMustNameAParticipantOfTheFile) {
  struct Case {
    int32_t code;
    bool valid;
    std::vector<std::string> messages;
  };
  const std::string notFound(kParticipantNotFound);
  const Case cases[] = {
      {11001, true, {}},
      {11002, true, {}},
      {11003, false, {notFound}},   // an empty record
      {11199, false, {notFound}},
      {11200, true, {}},            // the last record
      {11201, false, {notFound}},   // past the 200 records
      {11000, false, {notFound}},
      {10999, false, {notFound}},
      {31001, false, {notFound}},   // the header has two races
      {1001, false, {notFound}},
      {21001, false, {std::string(kParticipantsTitleMissing)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    Select(c.code);
    ParticipantDetailsForm form;
    EXPECT_EQ(LoadParticipantDetails(form), c.messages);
    EXPECT_EQ(form.valid(), c.valid);
  }
}

TEST_F(ParticipantDetailsTest, TheHeadingShowsTheClubOrForAnInternationalEventTheNation) {
  Select(11001);
  ParticipantDetailsForm national;
  LoadParticipantDetails(national);
  EXPECT_EQ(national.heading(), "Alain ( RC Lyon )");
  Select(11001, "i_n_t_Coupe");
  ParticipantDetailsForm international;
  LoadParticipantDetails(international);
  EXPECT_EQ(international.heading(), "Alain ( FRA )");
}

TEST_F(ParticipantDetailsTest, AVehicleChosenBringsItsCategoryAndOkWritesTheParticipantsOnly) {
  Select(11001);
  ParticipantDetailsForm form;
  ASSERT_TRUE(LoadParticipantDetails(form).empty());
  auto vehicles = std::make_unique<VehicleTable>();
  (*vehicles)[0].name = "Buggy";
  (*vehicles)[0].category = "Piste 1/10";
  (*vehicles)[1].name = "Truggy";
  (*vehicles)[1].category = "TT 1/8";
  EXPECT_TRUE(form.chooseVehicle("Buggy", *vehicles));
  EXPECT_EQ(form.participant().vehicleCategory.view(), "Piste 1/10");
  EXPECT_FALSE(form.chooseVehicle("Inconnue", *vehicles));
  EXPECT_EQ(form.participant().vehicle.view(), "Inconnue");
  EXPECT_EQ(form.participant().vehicleCategory.view(), "Piste 1/10");

  EXPECT_FALSE(form.setTransponder("12a45"));
  EXPECT_FALSE(form.setTransponder(""));
  EXPECT_EQ(form.participant().transponder.view(), "000101");
  EXPECT_TRUE(form.setTransponder("4242"));
  form.setCarNumber("12345");
  EXPECT_EQ(form.participant().carNumber.view(), "1234");
  form.participant().frequencies[4] = "2.4Ghz";

  const std::string before = test::ReadBytes(kRaceFilePath);
  ASSERT_TRUE(SaveParticipantDetails(form).ok);
  const std::string after = test::ReadBytes(kRaceFilePath);
  // Only the participants' region changed: everything before it and its size are as they were.
  const std::size_t region = before.find(ParticipantsSectionTitle(1));
  ASSERT_NE(region, std::string::npos);
  EXPECT_EQ(after.size(), before.size());
  EXPECT_EQ(after.substr(0, region), before.substr(0, region));

  TextFile file = test::OpenOrFail(kRaceFilePath, OpenMode::Read);
  auto read = std::make_unique<ParticipantTable>();
  ClearParticipants(*read);
  ASSERT_TRUE(FindSection(file, ParticipantsSectionTitle(1)));
  ASSERT_TRUE(ReadParticipantsSection(file, *read));
  EXPECT_EQ((*read)[0].transponder.view(), "004242");
  EXPECT_EQ((*read)[0].vehicle.view(), "Inconnue");
  EXPECT_EQ((*read)[0].carNumber.view(), "1234");
  EXPECT_EQ((*read)[0].frequencies[4].view(), "2.4Ghz");
  EXPECT_EQ((*read)[1].name.view(), "Brigitte");
}

TEST_F(ParticipantDetailsTest, WithoutTheRaceFileNothingIsReadOrWritten) {
  ASSERT_EQ(std::remove(kRaceFilePath), 0);
  ParticipantDetailsForm form;
  EXPECT_EQ(LoadParticipantDetails(form), (std::vector<std::string>{kRaceFileNotFound}));
  EXPECT_FALSE(form.valid());
  EXPECT_EQ(SaveParticipantDetails(form).message, kRaceFileNotFound);
}

}  // namespace
}  // namespace zd
