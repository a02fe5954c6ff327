// A practice series run end to end in the program: the decoder simulator on a pseudo-terminal is
// its COM port, an event file is opened, the series of three cars is loaded and started, the
// simulator sends the passings (a KV2/KV3 decoder on USB timing them itself, or the KV1 interface
// that the PC times), the series ends by its rule and is left; the series section of the race
// file and "WebResults/Live.txt" hold what the passings imply, byte for byte. Then the same with
// the club's transponders and the decoder switched off and on again while the series runs: the
// main window says at once that the link is lost, then that it is recovered, and the passings
// after the recovery all count.

#include "gtest_win32.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chooser_answer.h"
#include "databases/dialog_driver.h"
#include "databases/event_setup_dialogs.h"
#include "decoder_simulator_process.h"
#include "files/event_sections.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/settings.h"
#include "main/decoder_port.h"
#include "main/event_file.h"
#include "main/transponder_scan.h"
#include "main_window_fixture.h"
#include "unix_shell.h"
#include "wait_for.h"
#include "web/live_upload.h"
#include "web/web_site_process.h"

namespace {

using zd_test::ReadWindowsFile;
using zd_test::SameBytes;
using zd_test::WaitFor;
using zd_test::WriteWindowsFile;

constexpr int kCom = 28;
const std::string kFolder = "C:\\zd_end_to_end";
const std::string kEventFile = kFolder + "\\Endurance.race2";
constexpr int32_t kSeriesNode = 13101;  // race 1, practice session 1, series 1
constexpr int32_t kRaceNode = 10000;
constexpr int32_t kFirstParticipantNode = 11001;  // race 1, participant 1
constexpr int kOpenEvent = 1002;
constexpr int kLapProtection = 3;  // seconds: the track's minimum lap time

struct Car {
  const char* name;
  const char* carNumber;
  const char* club;
  const char* nation;
  const char* category;
  int transponder;
};
const std::array<Car, 3> kCars = {{
    {"Alain Martin", "7", "RC Lyon", "FRA", "TT 1/8", 101},
    {"Bruno Keller", "12", "MC Bern", "SUI", "TT 1/8", 102},
    {"Carla Rossi", "3", "RC Roma", "ITA", "Piste 1/10", 103},
}};

constexpr const char* kRemoteLiveFile =
    "public_html/ZentrikRiduduzud/Ligue_Sud/GP_05_06_2012/RiduduzudLive.txt";

// One passing as the simulator sends it: the car (0 to 2) and when, in ms of the race.
struct Passing {
  int car;
  int32_t at;
};
// Each car three laps, 5 s or more each; the first car's second passing comes 2 s after its first,
// under the minimum lap time, and is rejected. The series ends when the last car has done its
// three laps.
const std::vector<Passing> kPassings = {
    {0, 4000},  {1, 4500},  {2, 5000},  {0, 6000},  {0, 9000},
    {1, 9700},  {2, 10500}, {0, 14000}, {1, 14900}, {2, 15600},
};

int64_t NowMs() { return static_cast<int64_t>(GetTickCount64()); }

// The 11 bytes of a passing of a KV2/KV3 decoder whose clock reads ms, as "raw" bytes.
std::string RawDecoderPassing(int transponder, int32_t ms) {
  const int ticks = 18661 + (ms % 1000 * 12000 + 255) / 256;
  const int bytes[] = {0xFF, 0xFF, 0xFF, 0xF0, transponder >> 8, transponder & 0xFF,
                       ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ticks >> 8, ticks & 0xFF};
  std::string line = "raw";
  for (int b : bytes) {
    char item[4];
    std::snprintf(item, sizeof item, " %02X", b);
    line += item;
  }
  return line;
}

std::string Ms(int32_t t, bool withMinutes) {
  char text[32];
  if (withMinutes || t >= 60000) {
    std::snprintf(text, sizeof text, "%d:%02d.%03d", t / 60000, t / 1000 % 60, t % 1000);
  } else {
    std::snprintf(text, sizeof text, "%d.%03d", t / 1000, t % 1000);
  }
  return text;
}

// What the passings imply: each car's three counted passings, in race ms.
using CarTimes = std::array<std::array<int32_t, 3>, 3>;

CarTimes Implied(const std::vector<Passing>& passings) {
  CarTimes times{};
  std::array<int, 3> counted{};
  std::array<int32_t, 3> last{};
  for (const Passing& p : passings) {
    // A lap is counted when it is longer than the minimum lap time; the first passing always is.
    // A car that has done its three laps has finished.
    if (counted[p.car] == 3) continue;
    if (counted[p.car] > 0 && p.at - last[p.car] <= kLapProtection * 1000) continue;
    times[p.car][counted[p.car]++] = p.at;
    last[p.car] = p.at;
  }
  return times;
}

// The section's body: one line a slot (the three cars, then 47 empty slots), the run's texts.
std::string ExpectedSection(const CarTimes& times, const std::string& description) {
  std::string body;
  for (int car = 0; car < 3; ++car) {
    const auto& t = times[car];
    const int32_t best = std::min(t[1] - t[0], t[2] - t[1]);
    body += std::string(kCars[car].name) + "\t0\t3\t3\t" + std::to_string(t[2]) + "\t" +
            std::to_string(t[2] - t[1]) + "\t" + std::to_string(best) + "\t0\t" +
            std::to_string(t[0]) + "\t" + std::to_string(t[1]) + "\t" + std::to_string(t[2]) +
            "\t\r\n";
  }
  for (int slot = 4; slot <= 50; ++slot) {
    body += "(NA)\t0\t0\t0\t1500000000\t0\t1500000000\t1500000000\t\r\n";
  }
  return body + description + "\t \tSec\t\r\n";
}

// "WebResults/Live.txt" at the end: the cars by their race time, all finished.
std::string ExpectedLiveFile(const CarTimes& times, const std::string& elapsed) {
  std::array<int, 3> order = {0, 1, 2};
  std::sort(order.begin(), order.end(), [&](int a, int b) { return times[a][2] < times[b][2]; });
  std::string text = "3\r\n0\r\n3 tours\t" + elapsed + "\t\t\r\n";
  for (int place = 0; place < 3; ++place) {
    const int car = order[place];
    const auto& t = times[car];
    const int32_t toLeader = t[2] - times[order[0]][2];
    const int32_t toPrevious = place == 0 ? 0 : t[2] - times[order[place - 1]][2];
    const int32_t best = std::min(t[1] - t[0], t[2] - t[1]);
    text += std::to_string(place + 1) + "\t" + kCars[car].carNumber + "\t" + kCars[car].name +
            "\t" + kCars[car].category + "\t" + kCars[car].club + "\t" + kCars[car].nation +
            "\t3\t" + Ms(t[2], true) + "\t" + Ms(toLeader, false) + "\t" + Ms(toPrevious, false) +
            "\t" + Ms(t[2] - t[1], false) + "\t" + Ms(best, false) + "\tFin\t\t\r\n";
  }
  return text + " Open - EL1 - Série1 \t\r\n\t\r\n";
}

// The elapsed time of the race clock that the live file shows, checked: the PC's clock, shown to
// the second once a second, stands within a second of the last passing when the series stops.
std::string ElapsedClock(const std::string& liveFile, const CarTimes& times) {
  const std::size_t begin = liveFile.find("3 tours\t");
  const std::size_t end = liveFile.find('\t', begin + 8);
  if (begin == std::string::npos || end == std::string::npos) return "(no clock)";
  const std::string shown = liveFile.substr(begin + 8, end - begin - 8);
  const int32_t last = std::max({times[0][2], times[1][2], times[2][2]}) / 1000;
  bool plausible = false;
  for (int32_t second = last - 1; second <= last + 1; ++second) {
    char text[32];
    std::snprintf(text, sizeof text, "0:00:%02d", second);
    plausible = plausible || shown == text;
  }
  EXPECT_TRUE(plausible) << shown << " for a last passing at " << last << " s";
  return shown;
}

// The written part of a section's region in the race file: the region runs from the body to the
// next section or the end of the file, and its filler of "1" and TABs with its line end follows
// the part written over its start.
std::string SectionBody(const std::string& raceFile, const std::string& title) {
  const std::string line = "\r\n" + title + "\t\r\n";
  const std::size_t at = raceFile.find(line);
  if (at == std::string::npos) return "(no section " + title + ")";
  const std::size_t body = at + line.size();
  std::size_t end = std::min(raceFile.find("\r\nDadevuDore", body), raceFile.size());
  if (end >= body + 2 && raceFile.compare(end - 2, 2, "\r\n") == 0) end -= 2;
  while (end > body && (raceFile[end - 1] == '1' || raceFile[end - 1] == '\t')) --end;
  return raceFile.substr(body, end - body);
}

std::string TimedPassing(int transponder, int32_t at) {
  return std::to_string(transponder) + " " + std::to_string(at);
}

// The times as recorded in the section, read back, each checked against when it was sent: the PC
// times a passing when it reads it, shortly after.
CarTimes PcTimes(const std::string& section, const CarTimes& sent) {
  CarTimes times{};
  std::size_t at = 0;
  for (int car = 0; car < 3; ++car) {
    const std::size_t end = section.find("\r\n", at);
    std::vector<std::string> fields;
    std::size_t from = at;
    for (std::size_t tab; (tab = section.find('\t', from)) < end; from = tab + 1) {
      fields.push_back(section.substr(from, tab - from));
    }
    at = end + 2;
    EXPECT_EQ(fields.size(), 11u) << car << "\n" << section;
    if (fields.size() != 11u) return times;
    for (int k = 0; k < 3; ++k) {
      times[car][k] = std::stoi(fields[8 + k]);
      EXPECT_GE(times[car][k], sent[car][k] - 50) << car << " " << k;
      EXPECT_LE(times[car][k], sent[car][k] + 500) << car << " " << k;
    }
  }
  return times;
}

class RaceEndToEnd : public zd_test::MainWindowTest {
 protected:
  // The simulator on its COM port and the port saved in the interface settings, before the
  // program starts and detects it.
  void StartWith(const char* kind) {
    simulator_ = std::make_unique<zd_test::DecoderSimulatorProcess>();
    ASSERT_TRUE(simulator_->start(kind, kCom));
    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    settingsPath_ = zd_test::InDataFolder("RéglagesInterface2.rg");
    settingsBefore_ = ReadWindowsFile(settingsPath_);
    zd::InterfaceSettings settings;
    settings.portName = "COM" + std::to_string(kCom);
    settings.decoderKind = zd::kInterfaceKind;
    ASSERT_TRUE(zd::WriteInterfaceSettings(zd::kInterfaceSettingsFile, settings));
    MainWindowTest::SetUp();
  }
  void SetUp() override {}
  void TearDown() override {
    MainWindowTest::TearDown();
    zd::CloseDecoderPort();
    simulator_.reset();
    if (!settingsPath_.empty()) WriteWindowsFile(settingsPath_, settingsBefore_);
    if (!siteSettingsPath_.empty()) WriteWindowsFile(siteSettingsPath_, siteSettingsBefore_);
    site_.reset();
    DeleteFileA(kEventFile.c_str());
    RemoveDirectoryA(kFolder.c_str());
  }

  // The event file: race "Open" with the three cars, one practice series of three laps that ends
  // when every car has done them, started at the signal after a 2 s countdown. The first car
  // carries its own transponder unless another is given.
  void MakeEventFile(const char* firstTransponder = nullptr) {
    auto event = std::make_unique<zd::EventState>();
    zd::ClearEventRecords(*event);
    event->raceCount = 1;
    zd::RaceHeaderRecord& open = zd::RaceRecord(*event, 1);
    open.name = "Open";
    open.participantCount = 3;
    open.practiceSessions = 1;
    open.practiceSeries = 1;
    auto participants = std::make_unique<zd::ParticipantTable>();
    zd::ClearParticipants(*participants);
    auto arrangement = std::make_unique<zd::SeriesArrangement>();
    arrangement->driversPerSeries = 3;
    for (int i = 0; i < 3; ++i) {
      const Car& car = kCars[i];
      event->names[0][i] = car.name;
      zd::ParticipantRecord& p = (*participants)[i];
      p.name = car.name;
      p.carNumber = car.carNumber;
      p.club = car.club;
      p.nationCode = car.nation;
      p.vehicleCategory = car.category;
      char transponder[8];
      std::snprintf(transponder, sizeof transponder, "%06d", car.transponder);
      p.transponder = i == 0 && firstTransponder != nullptr ? firstTransponder : transponder;
      arrangement->names[i] = car.name;
    }
    zd::SeriesParameters parameters;
    parameters.durationKind = zd::kDurationByLaps;
    parameters.laps = 3;
    parameters.countdown = 2;
    parameters.startType = zd::kStartSoundSignal;
    parameters.endRuleByLaps = zd::kEndLapsAllLaps;
    zd::TrackSettings track;
    track.name = "Circuit";
    track.lapProtectionTime = kLapProtection;

    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    ASSERT_TRUE(zd::CreateWorkingRaceFile(*event).ok);
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    ASSERT_TRUE(zd::WriteTrackSection(file, track).ok);
    ASSERT_TRUE(zd::WriteParticipantsSection(file, zd::ParticipantsSectionTitle(1), *participants).ok);
    ASSERT_TRUE(zd::WriteSeriesArrangementNames(
                    file, zd::ArrangementSectionTitle(1, zd::RacePhase::Practice), *arrangement)
                    .ok);
    ASSERT_TRUE(zd::WriteParametersSection(
                    file, zd::ParametersSectionTitle(1, zd::RacePhase::Practice), parameters)
                    .ok);
    file.close();
    CreateDirectoryA(kFolder.c_str(), nullptr);
    ASSERT_TRUE(WriteWindowsFile(kEventFile,
                                 ReadWindowsFile(zd_test::InDataFolder("Private\\Course.race2"))));
  }

  // The event file opened as the operator opens it, and its series loaded.
  void OpenAndLoad() {
    MakeEventFile();
    OpenEvent();
    Load();
  }
  void OpenEvent() {
    zd_test::ChooserAnswer chooser(kEventFile);
    answers = {IDNO};
    Command(kOpenEvent);
    ASSERT_TRUE(chooser.answered());
  }
  void Load() {
    Select(kSeriesNode);
    ASSERT_EQ(zd::MainState().series->rowCount, 3);
  }

  // The first car's details opened from its participant node, its transponder scanned while the
  // simulator sends a passing of it, and "OK" pressed. Returns the number the dialog showed.
  std::string ScanFirstCar(const std::string& pictureName) {
    std::string shown = "(no dialog)";
    zd_test::dialogs::DialogDriver driver("D\xE9tails pilote", zd::kDetailsHeading, [&](HWND d) {
      using zd_test::dialogs::Text;
      SendDlgItemMessageA(d, zd::kDetailsScanButton, BM_CLICK, 0, 0);
      EXPECT_EQ(Text(d, zd::kDetailsScanState), "On");
      EXPECT_TRUE(simulator_->command(std::to_string(kCars[0].transponder)));
      const std::string expected = "000" + std::to_string(kCars[0].transponder);
      EXPECT_TRUE(WaitFor([&] { return Text(d, zd::kDetailsTransponderEdit) == expected; }));
      shown = Text(d, zd::kDetailsTransponderEdit);
      // A look at the dialog while it scans, its light turning.
      RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      WaitFor([] { return false; }, 300);
      EXPECT_TRUE(zd_test::RunShell("import -window root " +
                                    zd_test::ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) + "/" +
                                                         pictureName)));
      EXPECT_TRUE(zd_test::dialogs::PressOk(d));
    });
    Select(kFirstParticipantNode);
    EXPECT_TRUE(driver.acted());
    return shown;
  }

  // The transponder of the first car in the race file.
  std::string FirstTransponder() {
    auto participants = std::make_unique<zd::ParticipantTable>();
    zd::ClearParticipants(*participants);
    zd::TextFile file;
    if (!file.open(zd::kRaceFilePath, zd::OpenMode::Read) ||
        !zd::FindSection(file, zd::ParticipantsSectionTitle(1)) ||
        !zd::ReadParticipantsSection(file, *participants)) {
      return "(unreadable)";
    }
    return (*participants)[0].transponder.str();
  }

  void Start() {
    SendMessageA(GetDlgItem(window, zd::kStartSeriesButton), BM_CLICK, 0, 0);
    ASSERT_EQ(zd::MainState().race.armed, 1);
  }

  // The series loaded started and run to its end on a KV2/KV3 decoder: the decoder's clock
  // starts again at the reset that ends the countdown; the passings are sent when it reads their
  // time.
  void RunTimedSeries() {
    Start();
    ASSERT_TRUE(WaitForClockReset());
    for (const Passing& p : kPassings) {
      ASSERT_TRUE(simulator_->command(TimedPassing(kCars[p.car].transponder, p.at)));
    }
    ASSERT_TRUE(WaitFor([&] { return Ended() && zd::MainState().series->rows[2].finished == 1; }))
        << "the series did not end by its rule";
  }

  // The program has taken the decoder's reply to the clock reset: the decoder's clock restarted.
  bool WaitForClockReset() {
    return WaitFor([] { return zd::MainState().timer.resetAccepted == 1; });
  }

  bool Ended() {
    const zd::RaceState& race = zd::MainState().race;
    return race.armed == 0 && race.running == 0;
  }

  std::string Settings() { return ReadWindowsFile(settingsPath_); }
  std::string SettingsOf(int connected, const char* kind) {
    return "COM" + std::to_string(kCom) + "\t" + std::to_string(connected) + "\t" + kind + "\r\n";
  }

  // The run's description, the moment of its start included, as the section holds it; checked
  // against the date of the test.
  std::string Description(const std::string& section) {
    const std::size_t end = section.rfind("\t \tSec\t\r\n");
    const std::size_t begin = section.rfind("\r\n", end);
    if (end == std::string::npos || begin == std::string::npos) return "(none)";
    const std::string description = section.substr(begin + 2, end - begin - 2);
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[32];
    std::snprintf(date, sizeof date, "%02u/%02u/%04u", now.wDay, now.wMonth, now.wYear);
    EXPECT_EQ(description.rfind(std::string("Durée 3 tours - DEPARTSignalSonore - "
                                            "FINTOURFaireTousLesTours - Départ ") +
                                    date + " ",
                                0),
              0u)
        << description;
    return description;
  }

  // The local FTP site as the program's web site, its web event folder made; sending stays off
  // until SwitchSendingOn.
  void UseWebSite(bool silent = false) {
    site_ = std::make_unique<zd_test::WebSiteProcess>();
    ASSERT_TRUE(site_->makeRemoteFolder("public_html/ZentrikRiduduzud/Ligue_Sud/GP_05_06_2012"));
    ASSERT_TRUE(site_->start(silent));
    siteSettingsPath_ = zd_test::InDataFolder("Private\\SiteWeb.rg");
    siteSettingsBefore_ = ReadWindowsFile(siteSettingsPath_);
    ASSERT_TRUE(site_->writeSettings(siteSettingsPath_));
  }
  // As the internet settings leave it once sending is on.
  void SwitchSendingOn() {
    zd::WebEventInfo& info = zd::MainState().webEventInfo;
    info.connected = 1;
    info.activated = 1;
    info.championshipFolder = "Ligue_Sud";
    info.eventId = "GP_05_06_2012";
  }
  std::string AlertText() {
    char status[512] = {};
    GetDlgItemTextA(window, zd::kRaceAlertLine, status, sizeof status);
    return status;
  }
  // The alert line is on screen inside the window, and its text, wrapped in its own font, needs
  // no more than the line's height.
  bool AlertShownWhole() {
    HWND line = GetDlgItem(window, zd::kRaceAlertLine);
    if (!IsWindowVisible(line)) return false;
    RECT client, inWindow, parent;
    GetClientRect(line, &client);
    GetWindowRect(line, &inWindow);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&inWindow), 2);
    GetClientRect(window, &parent);
    RECT shown;
    if (!IntersectRect(&shown, &inWindow, &parent) || !EqualRect(&shown, &inWindow)) return false;
    const std::string text = AlertText();
    HDC dc = GetDC(line);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(line, WM_GETFONT, 0, 0)));
    RECT needed = {0, 0, client.right, 0};
    DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(line, dc);
    EXPECT_LE(needed.bottom, client.bottom) << text;
    EXPECT_LE(needed.right, client.right) << text;
    return needed.bottom <= client.bottom && needed.right <= client.right;
  }
  void Screenshot(const std::string& name) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(
        zd_test::RunShell("import -window root " +
                          zd_test::ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) + "/" + name)));
  }
  // Waits like WaitFor (for at most timeoutMs), timing each main-timer tick the window handles
  // meanwhile; afterMessage, if given, is called after each message handled.
  template <typename Condition>
  bool WaitTimingTicks(Condition condition, int64_t& longestTick,
                       const std::function<void()>& afterMessage = {},
                       int64_t timeoutMs = zd_test::kDeadlineMs) {
    const int64_t deadline = NowMs() + timeoutMs;
    for (;;) {
      if (condition()) return true;
      if (NowMs() >= deadline) return false;
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        const bool tick = message.message == WM_TIMER && message.hwnd == window;
        LARGE_INTEGER before, after, frequency;
        QueryPerformanceCounter(&before);
        TranslateMessage(&message);
        DispatchMessageA(&message);
        QueryPerformanceCounter(&after);
        QueryPerformanceFrequency(&frequency);
        if (tick)
          longestTick = std::max<int64_t>(longestTick, (after.QuadPart - before.QuadPart) * 1000 /
                                                           frequency.QuadPart);
        if (afterMessage) afterMessage();
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  }

  std::string RaceFile() { return ReadWindowsFile(zd_test::InDataFolder("Private\\Course.race2")); }
  // The live file as the upload sends it.
  std::string LiveFileWithLineFeeds() {
    std::string text = LiveFile();
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
  }

  std::string LiveFile() { return ReadWindowsFile(zd_test::InDataFolder("WebResults\\Live.txt")); }

  std::unique_ptr<zd_test::DecoderSimulatorProcess> simulator_;
  std::unique_ptr<zd_test::WebSiteProcess> site_;

 private:
  std::string siteSettingsPath_;
  std::string siteSettingsBefore_;
  std::string settingsPath_;
  std::string settingsBefore_;
};

TEST_F(RaceEndToEnd, AKv2DecoderTimesTheSeries) {
  // The site is there, but sending was never switched on: nothing goes to it.
  UseWebSite();
  StartWith("usb");
  ASSERT_EQ(zd::MainState().interfaceSettings.decoderKind.view(), zd::kUsbDecoderKind);
  OpenAndLoad();
  RunTimedSeries();
  const CarTimes times = Implied(kPassings);
  const std::string live = LiveFile();
  Select(kRaceNode);

  const std::string section = SectionBody(RaceFile(), "DadevuDore1EL1S1");
  EXPECT_TRUE(SameBytes(section, ExpectedSection(times, Description(section))));
  EXPECT_TRUE(SameBytes(live, ExpectedLiveFile(times, ElapsedClock(live, times))));
  EXPECT_EQ(site_->sessionsOpened(), 0);
}

// With sending on, each rewrite of the live file goes to the site: at the start, after each car's
// finish and every 15 s of the race, the site receives the file just written, line for line with
// LF line ends, in the order they were written; at the end the remote file is the last one.
TEST_F(RaceEndToEnd, ASeriesPublishesItsLiveFileOnTheSite) {
  // The cars finish at 12, 13.5 and 17.5 s, on either side of the 15 s mark, each file written
  // long after the one before, so that none is replaced while it waits for its upload.
  const std::vector<Passing> passings = {{0, 4000},  {1, 4500},  {2, 5000},
                                         {0, 8000},  {1, 9000},  {2, 11000},
                                         {0, 12000}, {1, 13500}, {2, 17500}};
  UseWebSite();
  StartWith("usb");
  OpenAndLoad();
  SwitchSendingOn();
  const std::size_t boxesBefore = boxes.size();
  // Each live file written from the start on, as the upload sends it, seen after each message
  // the window handles (the file the series was loaded with goes nowhere).
  std::vector<std::string> written;
  std::string last = LiveFileWithLineFeeds();
  const auto noteWritten = [&] {
    std::string live = LiveFileWithLineFeeds();
    if (live == last) return;
    last = live;
    written.push_back(std::move(live));
  };
  int64_t longestTick = 0;
  Start();
  ASSERT_TRUE(
      WaitTimingTicks([] { return zd::MainState().timer.resetAccepted == 1; }, longestTick,
                      noteWritten));
  for (const Passing& p : passings) {
    ASSERT_TRUE(simulator_->command(TimedPassing(kCars[p.car].transponder, p.at)));
  }
  ASSERT_TRUE(WaitTimingTicks(
      [&] { return Ended() && zd::MainState().series->rows[2].finished == 1; }, longestTick,
      noteWritten))
      << "the series did not end by its rule";
  const std::string expected = LiveFileWithLineFeeds();
  ASSERT_FALSE(expected.empty());
  EXPECT_TRUE(WaitFor([&] { return site_->remoteFile(kRemoteLiveFile) == expected; }))
      << site_->remoteFile(kRemoteLiveFile);

  // Two files written while the same message is handled (the last finish and the stop it
  // presses) may both go: the same text twice counts once.
  std::vector<std::string> received;
  for (std::string& file : site_->receivedFiles()) {
    if (received.empty() || received.back() != file) received.push_back(std::move(file));
  }
  EXPECT_EQ(received, written);
  // Among them the file of each finish (one, two, then three cars at "Fin") and of the 15 s mark.
  std::vector<int> finished;
  bool fifteen = false;
  for (const std::string& file : received) {
    int count = 0;
    for (std::size_t at = file.find("\tFin\t"); at != std::string::npos;
         at = file.find("\tFin\t", at + 1))
      ++count;
    if (finished.empty() || finished.back() != count) finished.push_back(count);
    fifteen = fifteen || file.find("3 tours\t0:00:15\t") != std::string::npos;
  }
  EXPECT_EQ(finished, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_TRUE(fifteen);
  EXPECT_EQ(AlertText().find("transfer"), std::string::npos) << AlertText();
  EXPECT_EQ(boxes.size(), boxesBefore);
}

// A site that accepts the connection and never answers: the first upload hangs until the
// transport's total timeout runs out, and meanwhile the PC-timed passings keep their times, the
// timer's ticks stay short and no box opens; then the status text says the transfer failed. The
// site then goes and comes back as a real one: the uploads go through again, the status says that
// too, and the remote file ends as the last live file.
TEST_F(RaceEndToEnd, ASilentSiteHoldsUpNeitherTimingNorTheWindow) {
  // Laps of 16 s and more, so that the series still runs when the first upload gives up, about
  // 30 s after the start, and when the site is back.
  const std::vector<Passing> passings = {{0, 4000},  {1, 4500},  {2, 5000},
                                         {0, 20000}, {1, 20500}, {2, 21000},
                                         {0, 40000}, {1, 40500}, {2, 41000}};
  constexpr std::size_t kBeforeTheTimeout = 6;  // the passings sent before it runs out
  UseWebSite(/*silent=*/true);
  StartWith("kv1");
  OpenAndLoad();
  SwitchSendingOn();
  const std::size_t boxesBefore = boxes.size();
  Start();
  zd::MainWindowState& s = zd::MainState();
  int64_t longestTick = 0;
  // The first live file goes to the site the moment the series starts.
  ASSERT_TRUE(WaitTimingTicks([&] { return s.race.running == 1; }, longestTick));
  const int64_t start = NowMs();
  for (std::size_t i = 0; i < passings.size(); ++i) {
    const Passing& p = passings[i];
    ASSERT_TRUE(WaitTimingTicks([&] { return NowMs() - start >= p.at; }, longestTick));
    ASSERT_TRUE(simulator_->command(std::to_string(kCars[p.car].transponder)));
    if (i + 1 != kBeforeTheTimeout) continue;
    EXPECT_EQ(AlertText().find("transfer"), std::string::npos) << AlertText();
    ASSERT_TRUE(WaitTimingTicks([&] { return AlertText() == zd::kLiveTransferFailed; }, longestTick,
                                {}, zd::kFtpTotalTimeoutMs))
        << AlertText();
    // Given up at its timeout, not before, and said at the next tick or so.
    const int64_t failedAfter = NowMs() - start;
    EXPECT_GE(failedAfter, zd::kFtpTotalTimeoutMs - 1000);
    EXPECT_LE(failedAfter, zd::kFtpTotalTimeoutMs + 5000);
    // The figure asked for; the speed itself is no test's business (the machine's load sets
    // it), but a tick that waited for the upload would last the seconds the site hangs.
    std::printf("Longest main-timer tick with an upload hanging on a silent site: %lld ms\n",
                static_cast<long long>(longestTick));
    EXPECT_LT(longestTick, 2000);
    // The next upload hangs in its turn; the site goes (which ends it) and comes back.
    site_->stop();
    ASSERT_TRUE(WaitTimingTicks([&] { return NowMs() - start >= failedAfter + 1000; },
                                longestTick));
    ASSERT_TRUE(site_->start(/*silent=*/false, /*samePort=*/true));
  }
  ASSERT_TRUE(WaitTimingTicks([&] { return Ended() && s.series->rows[2].finished == 1; },
                              longestTick))
      << "the series did not end by its rule";
  const std::string expected = LiveFileWithLineFeeds();
  Select(kRaceNode);

  // The PC timed each passing when it read it, shortly after it was sent.
  PcTimes(SectionBody(RaceFile(), "DadevuDore1EL1S1"), Implied(passings));

  EXPECT_TRUE(WaitFor([&] { return site_->remoteFile(kRemoteLiveFile) == expected; }));
  EXPECT_TRUE(WaitFor([&] { return AlertText() == zd::kLiveTransferResumed; })) << AlertText();
  EXPECT_EQ(boxes.size(), boxesBefore);
}

// The user browses in a file chooser while the series runs, which moves the current directory:
// the timer's ticks still read the decoder's passings and write the live file into the data
// folder, none into the folder browsed, and leave the chooser where it was.
TEST_F(RaceEndToEnd, ASeriesTimedWhileAChooserBrowsesElsewhereWritesIntoTheDataFolder) {
  StartWith("usb");
  OpenAndLoad();
  const std::string liveBefore = LiveFile();
  // The folder browsed has the data folder's subfolders: a file misdirected there would be
  // written, and found.
  const std::string browsed = kFolder + "\\Browsed";
  const std::string misdirected = browsed + "\\WebResults\\Live.txt";
  for (const std::string& folder : {browsed, browsed + "\\WebResults", browsed + "\\Private"})
    CreateDirectoryA(folder.c_str(), nullptr);
  struct Removed {
    std::string folder;
    ~Removed() {
      DeleteFileA((folder + "\\WebResults\\Live.txt").c_str());
      RemoveDirectoryA((folder + "\\WebResults").c_str());
      RemoveDirectoryA((folder + "\\Private").c_str());
      RemoveDirectoryA(folder.c_str());
    }
  } removed{browsed};
  Start();
  ASSERT_TRUE(SetCurrentDirectoryA(browsed.c_str()));
  ASSERT_TRUE(WaitForClockReset());
  for (const Passing& p : kPassings) {
    ASSERT_TRUE(simulator_->command(TimedPassing(kCars[p.car].transponder, p.at)));
  }
  ASSERT_TRUE(WaitFor([&] { return Ended() && zd::MainState().series->rows[2].finished == 1; }))
      << "the series did not end by its rule";
  EXPECT_EQ(zd::CurrentDirectoryPath(), browsed);
  EXPECT_EQ(ReadWindowsFile(misdirected), "(missing)");
  const std::string live = LiveFile();
  EXPECT_NE(live, liveBefore);
  const CarTimes times = Implied(kPassings);
  EXPECT_TRUE(SameBytes(live, ExpectedLiveFile(times, ElapsedClock(live, times))));
  ASSERT_TRUE(zd::MakeDataFolderCurrent());
}

TEST_F(RaceEndToEnd, AKv1InterfaceIsTimedByThePc) {
  StartWith("kv1");
  ASSERT_EQ(zd::MainState().interfaceSettings.decoderKind.view(), zd::kInterfaceKind);
  OpenAndLoad();
  Start();
  zd::MainWindowState& s = zd::MainState();
  ASSERT_TRUE(WaitFor([&] { return s.race.running == 1; }));
  const int64_t start = NowMs();
  // The interface sends a passing's transponder alone, the moment it passes.
  for (const Passing& p : kPassings) {
    ASSERT_TRUE(WaitFor([&] { return NowMs() - start >= p.at; }));
    ASSERT_TRUE(simulator_->command(std::to_string(kCars[p.car].transponder)));
  }
  ASSERT_TRUE(WaitFor([&] { return Ended() && s.series->rows[2].finished == 1; }))
      << "the series did not end by its rule";
  const std::string live = LiveFile();
  Select(kRaceNode);

  // The PC times each passing when it reads it: shortly after it was sent.
  const std::string section = SectionBody(RaceFile(), "DadevuDore1EL1S1");
  const CarTimes times = PcTimes(section, Implied(kPassings));
  EXPECT_TRUE(SameBytes(section, ExpectedSection(times, Description(section))));
  EXPECT_TRUE(SameBytes(live, ExpectedLiveFile(times, ElapsedClock(live, times))));
}

// The first car comes with a transponder that is not its own: its number is scanned in its
// details, "OK" writes it, and the series loaded afterwards counts the car's passings.
TEST_F(RaceEndToEnd, ATransponderScannedFromAKv2DecoderIsTheOneTheSeriesCounts) {
  StartWith("usb");
  MakeEventFile("000999");
  OpenEvent();
  EXPECT_EQ(ScanFirstCar("participant_details_scan.png"), "000101");
  EXPECT_EQ(FirstTransponder(), "000101");
  EXPECT_EQ(zd::MainState().timer.participantDialogOpen, 0);
  Load();
  RunTimedSeries();
  Select(kRaceNode);
  const std::string section = SectionBody(RaceFile(), "DadevuDore1EL1S1");
  EXPECT_TRUE(SameBytes(section, ExpectedSection(Implied(kPassings), Description(section))));
}

TEST_F(RaceEndToEnd, ATransponderScannedFromAKv1InterfaceIsWritten) {
  StartWith("kv1");
  MakeEventFile("000999");
  OpenEvent();
  EXPECT_EQ(ScanFirstCar("participant_details_scan_kv1.png"), "000101");
  EXPECT_EQ(FirstTransponder(), "000101");
}

TEST_F(RaceEndToEnd, ADecoderSwitchedOffAndOnAgainLosesNoPassingOnceBack) {
  StartWith("usb");
  OpenAndLoad();
  zd::MainWindowState& s = zd::MainState();
  // The club lends the cars their transponders: "Puces club", where the scan status is hidden.
  SendDlgItemMessageA(window, zd::kClubTransponders, BM_CLICK, 0, 0);
  ASSERT_EQ(s.transponderMode, zd::kClubTransponderMode);
  ASSERT_FALSE(IsWindowVisible(GetDlgItem(window, zd::kScanStatus)));
  for (int row = 0; row < 3; ++row) {
    for (const Car& car : kCars) {
      if (s.series->rankingEntries[row].name == car.name) {
        zd::AssignClubTransponder(*s.series, row, "000" + std::to_string(car.transponder));
      }
    }
  }
  Start();
  ASSERT_TRUE(WaitForClockReset());
  const int64_t decoderZero = NowMs();
  // The first laps, then the decoder goes.
  for (int i = 0; i < 3; ++i) {
    const Passing& p = kPassings[i];
    ASSERT_TRUE(simulator_->command(TimedPassing(kCars[p.car].transponder, p.at)));
  }
  ASSERT_TRUE(WaitFor([&] { return (*s.series->liveTable)[2].passingCount == 1; }));
  simulator_.reset();

  // Two keep-alives that reach nothing: the link is lost, the settings say so and the main
  // window at once.
  ASSERT_TRUE(WaitFor([&] { return Settings() == SettingsOf(0, zd::kUsbDecoderKind); }))
      << Settings();
  EXPECT_EQ(s.race.running, 1);
  EXPECT_EQ(AlertText().rfind("Perte connexion du décodeur KV2/KV3 USB à ", 0), 0u) << AlertText();
  EXPECT_TRUE(AlertShownWhole());
  Screenshot("race_alert_link_lost.png");

  // The decoder back on the same port: the next attempt finds it.
  simulator_ = std::make_unique<zd_test::DecoderSimulatorProcess>();
  ASSERT_TRUE(simulator_->start("usb", kCom));
  ASSERT_TRUE(WaitFor([&] { return Settings() == SettingsOf(1, zd::kUsbDecoderKind); }))
      << Settings();
  const std::string shown = AlertText();
  EXPECT_EQ(shown.rfind("Perte connexion du décodeur KV2/KV3 USB à ", 0), 0u) << shown;
  EXPECT_NE(shown.find(".\nRécupération connexion décodeur KV2/KV3 USB réussie à "),
            std::string::npos)
      << shown;
  EXPECT_TRUE(AlertShownWhole());
  Screenshot("race_alert_link_found.png");

  // The decoder's clock ran on meanwhile; every passing sent now counts. A passing cannot lie
  // beyond the series' own clock by more than the drift the program allows: each is sent at
  // most a few seconds before its time.
  const int32_t back = static_cast<int32_t>((NowMs() - decoderZero) / 1000 * 1000 + 1000);
  std::vector<Passing> passings(kPassings.begin(), kPassings.begin() + 3);
  for (std::size_t i = 4; i < kPassings.size(); ++i) {
    Passing p = kPassings[i];
    p.at += back;
    passings.push_back(p);
    WaitFor([&] { return NowMs() - decoderZero >= p.at - 5000; });
    ASSERT_TRUE(simulator_->command(RawDecoderPassing(kCars[p.car].transponder, p.at)));
  }
  ASSERT_TRUE(WaitFor([&] { return Ended() && s.series->rows[2].finished == 1; }))
      << "the series did not end by its rule";
  Select(kRaceNode);
  const std::string section = SectionBody(RaceFile(), "DadevuDore1EL1S1");
  EXPECT_TRUE(SameBytes(section, ExpectedSection(Implied(passings), Description(section))));
}

}  // namespace
