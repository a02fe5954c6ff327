// The transponder scan and check on a fake clock and a KV1 port: transponders given to the cars
// in slot order and announced, the check's first passings and its verdict on their order, the
// abandon that leaves no results behind, and the transponders of the three modes.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "main/live_ranking.h"
#include "main/transponder_scan.h"
#include "race_control_test_support.h"

namespace zd {
namespace {

using test::Bytes;
using test::Join;

// The two bytes of a KV1 passing of transponder number.
Bytes Kv1(int number) { return {static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number)}; }

class FakeScanSurface : public TransponderScanSurface {
 public:
  void setScanStatus(std::string_view text) override { statuses.emplace_back(text); }
  void releaseScanButton() override { ++released; }
  std::vector<std::string> statuses;
  int released = 0;
};

const std::vector<int32_t> kMenus = {1001, 1002, 1003, 1004, 1005, 1006, 1007,
                                     1008, 1009, 1010, 1011, 1012, 1013, 1014,
                                     1019, 1020, 1021, 1022, 1023, 9104, 9105};
const std::vector<int32_t> kLockedWindows = {5000, 2001, 2002, 2003, 2101, 2102, 2104};

std::map<int32_t, bool> All(const std::vector<int32_t>& ids, bool enabled) {
  std::map<int32_t, bool> out;
  for (int32_t id : ids) out[id] = enabled;
  return out;
}

class TransponderScanTest : public test::RaceControlTest {
 protected:
  TransponderScanTest() { SoundOn(kSoundPassing); }

  TransponderScanContext Scan() { return {Commands(), surface}; }
  void Button(bool selected) { ScanButtonCommand(Scan(), selected); }
  // One tick of the timer with the scan or check on.
  void ScanTick(int64_t ms = 100) {
    hooks.tick += ms;
    hooks.count = hooks.tick;
    port.nowMs = hooks.tick;
    RunTransponderScanStep(Scan());
  }
  // Cars in slots 1, 2 and 5; the scan started and their transponders 501, 502, 505 read.
  void ScanThreeCars() {
    LoadSeries({"Alain", "Bruno", "(NA)", "(NA)", "Eric"});
    for (int k : {3, 4}) slot(k).transponder.clear();
    Button(true);
    Arrive(Join({Kv1(501), Kv1(502), Kv1(501), Kv1(505)}), 0);
    ScanTick();
  }

  FakeScanSurface surface;
};

class TransponderCheckOrder : public TransponderScanTest,
                              public ::testing::WithParamInterface<std::vector<int>> {};

TEST_P(TransponderCheckOrder, ScanThenCheckOfTheOrderInWhichTheCarsPass) {
  eventHasFile = 1;
  ScanThreeCars();
  EXPECT_EQ(window.menus, All(kMenus, false));
  EXPECT_EQ(window.submenu, 0);
  EXPECT_EQ(window.windows, All(kLockedWindows, false));
  EXPECT_EQ(window.waitedSounds, std::vector<std::string>{"sons/nokia-sms.wav"});
  // A new transponder takes the first car without one and is announced; one met before is not.
  EXPECT_EQ(slot(1).transponder, "000501");
  EXPECT_EQ(slot(2).transponder, "000502");
  EXPECT_EQ(slot(5).transponder, "000505");
  EXPECT_EQ(series->rows[2].transponder, "000505");
  EXPECT_EQ(series->rankingEntries[2].transponder, "000505");
  // Every car has one: the check starts in the same tick.
  EXPECT_EQ(hooks.sounds, (std::vector<std::string>{"sons/1.wav", "sons/2.wav", "sons/5.wav",
                                                    "sons/nokia-sms.wav"}));
  EXPECT_EQ(surface.statuses,
            (std::vector<std::string>{" Scan en cours", " Vérif en cours"}));
  EXPECT_EQ(timer.transponderCheck, 1);
  EXPECT_EQ(series->startingListShown, 0);
  EXPECT_EQ(series->rows[0].totalTime, "00:00.000");

  // Too soon after the check began: ignored. Then each car once, in the order given.
  hooks.sounds.clear();
  Arrive(Kv1(501), 1500);
  const std::vector<int>& order = GetParam();
  for (std::size_t i = 0; i < order.size(); ++i) {
    Arrive(Kv1(500 + order[i]), 2500 + 500 * static_cast<int64_t>(i));
  }
  const int64_t checkStart = hooks.tick;
  for (int i = 0; i < 50 && timer.scanModeActive != 0; ++i) ScanTick();

  EXPECT_EQ(timer.scanModeActive, 0);
  ASSERT_FALSE(surface.statuses.empty());
  EXPECT_EQ(surface.statuses.back(), " Vérif terminée");
  EXPECT_EQ(surface.released, 1);
  EXPECT_EQ(window.windows, All(kLockedWindows, true));
  EXPECT_EQ(window.menus, All(kMenus, true));
  std::vector<std::string> sounds;
  for (int k : order) sounds.push_back("sons/" + std::to_string(k) + ".wav");
  const bool inOrder = order == std::vector<int>{1, 2, 5};
  sounds.push_back(inOrder ? "sons/nokia-sms.wav" : "sons/buzz.wav");
  EXPECT_EQ(hooks.sounds, sounds);
  for (std::size_t i = 0; i < order.size(); ++i) {
    SCOPED_TRACE(order[i]);
    EXPECT_EQ(slot(order[i]).laps, 1);
    EXPECT_EQ(slot(order[i]).raceTime, 2500 + 500 * static_cast<int32_t>(i));
    EXPECT_EQ(series->rows[i].slotNumber, " " + std::to_string(order[i]) + " ");
  }
  EXPECT_EQ(hooks.tick - checkStart, 3500);

  // Cleared, the series keeps the transponders the scan found.
  ClearSeriesCommand(Commands());
  EXPECT_EQ(series->startingListShown, 1);
  EXPECT_EQ(slot(1).laps, 0);
  EXPECT_EQ(slot(5).transponder, "000505");
}

INSTANTIATE_TEST_SUITE_P(Orders, TransponderCheckOrder,
                         ::testing::Values(std::vector<int>{1, 2, 5}, std::vector<int>{2, 1, 5}));

TEST_F(TransponderScanTest, AnAbandonedCheckLeavesNoResults) {
  ScanThreeCars();
  Arrive(Kv1(502), 2500);
  for (int i = 0; i < 30; ++i) ScanTick();
  ASSERT_EQ(slot(2).laps, 1);

  Button(false);
  EXPECT_EQ(timer.scanModeActive, 0);
  EXPECT_EQ(timer.transponderCheck, 0);
  ASSERT_FALSE(surface.statuses.empty());
  EXPECT_EQ(surface.statuses.back(), " Off");
  EXPECT_EQ(window.windows, All(kLockedWindows, true));
  CheckSeriesResults(*series);
  EXPECT_EQ(series->seriesHasResults, 0);
  EXPECT_EQ((*series->savedTable)[1].laps, 0);
  EXPECT_EQ(slot(2).laps, 0);
  // Back to its starting list, with the transponders found.
  EXPECT_EQ(series->startingListShown, 1);
  EXPECT_EQ(slot(2).transponder, "000502");
  EXPECT_EQ((*series->savedTable)[1].transponder, "000502");
}

TEST_F(TransponderScanTest, AbandonedScanKeepsWhatItFoundAndUsesTheOperatorsSounds) {
  sounds.lines[kSoundLanguage] = kSoundLanguageCustom;
  (*customSounds)[80] = "perso/debut.wav";
  (*customSounds)[81] = "perso/fin.wav";
  (*customSounds)[83] = "perso/scan1.wav";
  LoadSeries({"Alain", "Bruno"});
  Button(true);
  Arrive(Kv1(501), 0);
  ScanTick();
  EXPECT_EQ(timer.transponderScan, 1);
  Button(false);
  EXPECT_EQ(timer.scanModeActive, 0);
  EXPECT_TRUE(window.waitedSounds.empty());
  EXPECT_EQ(hooks.sounds,
            (std::vector<std::string>{"perso/debut.wav", "perso/scan1.wav", "perso/fin.wav"}));
  EXPECT_EQ(slot(1).transponder, "000501");
  EXPECT_EQ(slot(2).transponder, "");
  EXPECT_EQ(series->rows[0].transponder, "000501");
}

TEST_F(TransponderScanTest, NoScanStartsOverResultsOrWithoutCars) {
  LoadSeries({"Alain"});
  // The board shows results.
  slot(1).laps = 3;
  *series->savedTable = *series->liveTable;
  series->startingListShown = 0;
  series->startingListShownForScan = 0;
  Button(true);
  Button(false);
  EXPECT_EQ(timer.scanModeActive, 0);
  EXPECT_TRUE(surface.statuses.empty());
  EXPECT_EQ(surface.released, 0);

  // A series without cars goes through the scan and the check in its first tick.
  LoadSeries({});
  Button(true);
  ScanTick();
  EXPECT_EQ(timer.scanModeActive, 0);
  ASSERT_FALSE(surface.statuses.empty());
  EXPECT_EQ(surface.statuses.back(), " Vérif terminée");
  ASSERT_FALSE(hooks.sounds.empty());
  EXPECT_EQ(hooks.sounds.back(), "sons/buzz.wav");
}

TEST_F(TransponderScanTest, PersonalAndClubTransponders) {
  LoadSeries({"Alain", "Bruno", "Carl"});
  series->loadedParticipants[0].name = "Bruno";
  series->loadedParticipants[0].transponder = "000012";
  series->loadedParticipants[7].name = "Bruno";
  series->loadedParticipants[7].transponder = "000013";
  series->loadedParticipants[3].name = "Carl";
  series->loadedParticipants[3].transponder = "000014";
  *series->savedTable = *series->liveTable;
  slot(1).transponder = "000099";

  TakePersonalTransponders(*series);
  EXPECT_EQ(slot(1).transponder, "000099");  // no participant of that name
  EXPECT_EQ(slot(2).transponder, "000013");  // the last one of a name
  EXPECT_EQ((*series->savedTable)[2].transponder, "000014");
  EXPECT_EQ(series->rankingEntries[1].transponder, "000013");
  EXPECT_EQ(series->rows[2].transponder, "000014");

  ClearTransponders(*series);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(slot(k).transponder, "");
  EXPECT_EQ(series->rows[1].transponder, "");

  // The car shown in row 0 is Carl once ranked first, wherever its slot is.
  slot(3).laps = 2;
  RankLiveSeries(parameters().rankingMode, table(), series->rankingEntries, series->rows,
                 series->rowCount);
  ASSERT_EQ(series->rows[0].name, "Carl");
  AssignClubTransponder(*series, 0, "000777");
  EXPECT_EQ(series->rankingEntries[0].transponder, "000777");
  EXPECT_EQ(slot(3).transponder, "000777");
  EXPECT_EQ((*series->savedTable)[2].transponder, "000777");
  EXPECT_EQ(series->rows[0].transponder, "000777");
  EXPECT_EQ(slot(1).transponder, "");
}

TEST_F(TransponderScanTest, ModeControlsSetTheTranspondersExceptWhileTheScanRuns) {
  LoadSeries({"Alain", "Bruno"});
  series->loadedParticipants[0].name = "Alain";
  series->loadedParticipants[0].transponder = "000012";
  struct {
    int32_t mode = kPersonalTransponderMode;
    int32_t clubAssignmentArmed = 0;
  } choice;
  const auto apply = [&](int32_t control, bool selectionChanged = false) {
    return ApplyTransponderModeControl(*series, timer, choice.mode, choice.clubAssignmentArmed,
                                       control, selectionChanged);
  };

  ASSERT_TRUE(apply(kClubTransponders));
  EXPECT_EQ(choice.mode, kClubTransponderMode);
  EXPECT_EQ(choice.clubAssignmentArmed, 1);
  EXPECT_EQ(slot(1).transponder, "");
  AssignClubTransponder(*series, 0, "000500");
  apply(kClubTransponders);  // again: the lent transponders stay
  EXPECT_EQ(slot(1).transponder, "000500");
  apply(kTransponderPackList);  // a notification other than a new choice
  EXPECT_EQ(choice.clubAssignmentArmed, 1);
  apply(kPersonalTransponders);
  EXPECT_EQ(choice.mode, kPersonalTransponderMode);
  EXPECT_EQ(choice.clubAssignmentArmed, 0);
  EXPECT_EQ(slot(1).transponder, "000012");
  apply(kTransponderPackList, true);
  EXPECT_EQ(choice.mode, kClubTransponderMode);
  EXPECT_EQ(slot(1).transponder, "000012");

  ASSERT_TRUE(apply(kMixedTransponders));
  Button(true);
  Arrive(Kv1(501), 0);
  ScanTick();
  ASSERT_EQ(slot(1).transponder, "000501");
  const int32_t modeBefore = choice.mode;
  for (int32_t control : {kPersonalTransponders, kClubTransponders,
                          kMixedTransponders, kTransponderPackList}) {
    SCOPED_TRACE(control);
    EXPECT_FALSE(apply(control, true));
    EXPECT_EQ(choice.mode, modeBefore);
    EXPECT_EQ(slot(1).transponder, "000501");
  }
  Arrive(Kv1(502), 0);
  ScanTick();
  EXPECT_EQ(timer.transponderCheck, 1);
}

}  // namespace
}  // namespace zd
