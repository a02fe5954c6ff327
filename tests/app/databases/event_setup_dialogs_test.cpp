// The event information, track and participant details dialogs opened from the event tree on the
// race file of the tests, driven by messages as their user would, and the race file they leave.

#include "gtest_win32.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "databases/dialog_driver.h"
#include "databases/event_setup_dialogs.h"
#include "databases/participant_details.h"
#include "files/databases.h"
#include "files/event_sections.h"
#include "files/settings.h"
#include "main/main_window_handlers.h"
#include "wait_for.h"

namespace {

using zd_test::InDataFolder;
using zd_test::ReadWindowsFile;
using zd_test::SameBytes;
using namespace zd_test::dialogs;

constexpr int kEventInformationCommand = 1053;
constexpr int kTrackCommand = 1054;
constexpr const char* kInformationCaption = "Information course";
constexpr const char* kTrackCaption = "Piste";
constexpr const char* kDetailsCaption = "D\xE9tails pilote";

// A section as the race file holds it: its title line, then its body written over its filler.
std::string Section(std::string_view title, int pairs, const std::string& body) {
  std::string filler;
  for (int i = 0; i < pairs; ++i) filler += "1\t";
  filler += "\r\n";
  return "\r\n" + std::string(title) + "\t\r\n" + body + filler.substr(body.size());
}

// The race file with one section's body replaced by another.
std::string Rewritten(std::string bytes, std::string_view title, int pairs,
                      const std::string& from, const std::string& to) {
  const std::string old = Section(title, pairs, from);
  const std::size_t at = bytes.find(old);
  EXPECT_NE(at, std::string::npos) << title;
  if (at != std::string::npos) bytes.replace(at, old.size(), Section(title, pairs, to));
  return bytes;
}

// The 200 lines of a participants section's body.
std::string ParticipantsBody(const std::string& raceFile, int race) {
  const std::string title = "\r\n" + zd::ParticipantsSectionTitle(race) + "\t\r\n";
  const std::size_t body = raceFile.find(title) + title.size();
  std::size_t end = body;
  for (int line = 0; line < zd::kMaxParticipants; ++line) end = raceFile.find("\r\n", end) + 2;
  return raceFile.substr(body, end - body);
}

void SelectItem(HWND d, int id, const std::string& text) {
  const LRESULT item = SendDlgItemMessageA(d, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(text.c_str()));
  ASSERT_NE(item, CB_ERR) << text;
  SendDlgItemMessageA(d, id, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

std::string Selected(HWND d, int id) {
  const LRESULT item = SendDlgItemMessageA(d, id, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return "(none)";
  char text[256] = {};
  SendDlgItemMessageA(d, id, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
  return text;
}

bool Checked(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }
void Press(HWND d, int id) { SendDlgItemMessageA(d, id, BM_CLICK, 0, 0); }

// The event of the tests with its reference databases: the clubs "RC Lyon" and "MC Bern", the
// championship "Ligue Sud", two vehicles, their categories and five frequencies.
class EventSetupDialogs : public DatabaseDialogTest {
 protected:
  EventSetupDialogs()
      : DatabaseDialogTest({zd::kClubsFile, zd::kChampionshipsFile, zd::kVehiclesFile,
                            zd::kVehicleCategoriesFile, zd::kFrequenciesFile,
                            zd::kInterfaceSettingsFile}) {}

  void SetUp() override {
    DatabaseDialogTest::SetUp();
    auto clubs = std::make_unique<zd::ClubTable>();
    (*clubs)[0].shortName = "RC Lyon";
    (*clubs)[1].shortName = "MC Bern";
    ASSERT_TRUE(zd::WriteClubs(zd::kClubsFile, *clubs, 2));
    auto championships = std::make_unique<zd::ChampionshipTable>();
    (*championships)[0].name = "Ligue Sud";
    ASSERT_TRUE(zd::WriteChampionships(zd::kChampionshipsFile, *championships, 1));
    auto vehicles = std::make_unique<zd::VehicleTable>();
    (*vehicles)[0].name = "Buggy";
    (*vehicles)[0].category = "Piste 1/10";
    (*vehicles)[1].name = "Truggy";
    (*vehicles)[1].category = "TT 1/8";
    ASSERT_TRUE(zd::WriteVehicles(zd::kVehiclesFile, *vehicles, 2));
    auto categories = std::make_unique<zd::VehicleCategoryTable>();
    (*categories)[0].name = "Piste 1/10";
    (*categories)[1].name = "TT 1/8";
    ASSERT_TRUE(zd::WriteVehicleCategories(zd::kVehicleCategoriesFile, *categories, 2));
    auto frequencies = std::make_unique<zd::FrequencyTable>();
    const char* texts[] = {"27.125", "40.665", "2.4Ghz", "35.010", "41.000"};
    for (int i = 0; i < 5; ++i) (*frequencies)[i].frequency = texts[i];
    ASSERT_TRUE(zd::WriteFrequencies(zd::kFrequenciesFile, *frequencies, 5));
    zd::InterfaceSettings settings;
    settings.portName = "COM97";
    settings.decoderKind = zd::kUsbDecoderKind;
    ASSERT_TRUE(zd::WriteInterfaceSettings(zd::kInterfaceSettingsFile, settings));
  }

  std::string RaceFile() { return ReadWindowsFile(InDataFolder("Private\\Course.race2")); }

  void WriteInformation(const zd::EventInformation& info) {
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    ASSERT_TRUE(zd::WriteInformationSection(file, info).ok);
  }
  void WriteTrack(const zd::TrackSettings& track) {
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    ASSERT_TRUE(zd::WriteTrackSection(file, track).ok);
  }
  // Alain, the first participant of race 1, of "RC Lyon" with transponder 000101.
  void WriteAlain() {
    auto participants = std::make_unique<zd::ParticipantTable>();
    zd::ClearParticipants(*participants);
    const zd::EventState& event = zd::MainState().event;
    for (int i = 0; i < 6; ++i) (*participants)[i].name = event.names[0][i].view();
    (*participants)[0].club = "RC Lyon";
    (*participants)[0].nationCode = "FRA";
    (*participants)[0].transponder = "000101";
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    ASSERT_TRUE(
        zd::WriteParticipantsSection(file, zd::ParticipantsSectionTitle(1), *participants).ok);
  }
  // The details of the participant node selected; act runs on the dialog.
  void WithDetails(int32_t node, const std::function<void(HWND)>& act) {
    DialogDriver driver(kDetailsCaption, zd::kDetailsHeading, act);
    Select(node);
    EXPECT_TRUE(driver.acted());
  }
};

TEST_F(EventSetupDialogs, EventInformationValiderWritesItsSection) {
  OpenTestEvent();
  zd::EventInformation info;
  info.eventName = "i_n_t_Coupe";
  info.club = "VRC Nice";  // since deleted from the clubs
  info.championship = "Ligue Sud";
  info.place = "Lyon";
  WriteInformation(info);
  const std::string before = RaceFile();
  WithDialog(kEventInformationCommand, kInformationCaption, zd::kEventNameEdit, [&](HWND d) {
    EXPECT_EQ(Text(d, zd::kEventNameEdit), "Coupe");
    EXPECT_TRUE(Checked(d, zd::kInternationalBox));
    EXPECT_EQ(Selected(d, zd::kEventClubList), "(none)");
    EXPECT_EQ(Selected(d, zd::kEventChampionshipList), "Ligue Sud");
    EXPECT_EQ(Text(d, zd::kEventPlaceEdit), "Lyon");
    EXPECT_EQ(FontOf(d, 5108).lfWeight, FW_BOLD);
    EXPECT_EQ(FontOf(d, zd::kEventNameEdit).lfWeight, FW_NORMAL);
    EXPECT_STREQ(FontOf(d, zd::kEventNameEdit).lfFaceName, "Arial");

    Type(d, zd::kEventNameEdit, "Coupe DadevuDore");
    EXPECT_EQ(Text(d, zd::kEventNameEdit), "");
    Type(d, zd::kEventNameEdit, std::string(40, 'G'));
    EXPECT_EQ(Text(d, zd::kEventNameEdit), std::string(38, 'G'));
    Type(d, zd::kEventDirectorEdit, "M. Durand");
    Type(d, zd::kEventDateEdit, "Samedi 12 mai 2026 matin");
    EXPECT_EQ(Text(d, zd::kEventDateEdit), "Samedi 12 mai 2026");
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(boxes.empty());
  // The club that is gone is written empty; the name keeps its prefix, 44 characters.
  EXPECT_TRUE(SameBytes(
      RaceFile(), Rewritten(before, zd::kInformationTitle, zd::filler::kInformation,
                            "i_n_t_Coupe\tVRC Nice\tLigue Sud\t\tLyon\t\t\r\n",
                            "i_n_t_" + std::string(38, 'G') +
                                "\t\tLigue Sud\tM. Durand\tLyon\tSamedi 12 mai 2026\t\r\n")));
  EXPECT_EQ(zd::MainState().event.internationalEvent, 1);
}

TEST_F(EventSetupDialogs, EventInformationUncheckedStoresTheNameWithoutThePrefix) {
  OpenTestEvent();
  const std::string before = RaceFile();  // no information section yet
  WithDialog(kEventInformationCommand, kInformationCaption, zd::kEventNameEdit, [&](HWND d) {
    EXPECT_EQ(Text(d, zd::kEventNameEdit), "");
    EXPECT_FALSE(Checked(d, zd::kInternationalBox));
    Type(d, zd::kEventNameEdit, "Coupe");
    SelectItem(d, zd::kEventClubList, "MC Bern");
    Press(d, zd::kInternationalBox);
    Press(d, zd::kInternationalBox);
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(SameBytes(RaceFile(), before + Section(zd::kInformationTitle, zd::filler::kInformation,
                                                     "Coupe\tMC Bern\t\t\t\t\t\r\n")));
  EXPECT_EQ(zd::MainState().event.internationalEvent, 0);
}

TEST_F(EventSetupDialogs, EchapEscapeAndTheCloseBoxWriteNothing) {
  OpenTestEvent();
  zd::EventInformation info;
  info.eventName = "Coupe";
  WriteInformation(info);
  zd::TrackSettings track;
  track.name = "Circuit";
  WriteTrack(track);
  const std::string before = RaceFile();
  for (UINT close : {0u, 1u}) {
    auto leave = [&](HWND d) {
      if (close) {
        SendMessageA(d, WM_CLOSE, 0, 0);
      } else {
        Click(d, IDCANCEL);
      }
    };
    WithDialog(kEventInformationCommand, kInformationCaption, zd::kEventNameEdit, [&](HWND d) {
      Type(d, zd::kEventNameEdit, "Autre");
      Press(d, zd::kInternationalBox);
      leave(d);
      EXPECT_FALSE(IsWindowVisible(d));
    });
    WithDialog(kTrackCommand, kTrackCaption, zd::kTrackNameEdit, [&](HWND d) {
      Type(d, zd::kTrackNameEdit, "Autre");
      leave(d);
      EXPECT_FALSE(IsWindowVisible(d));
    });
  }
  EXPECT_TRUE(SameBytes(RaceFile(), before));
}

TEST_F(EventSetupDialogs, TrackValiderWritesTheNameAndAtLeastTwoSeconds) {
  OpenTestEvent();
  zd::TrackSettings track;
  track.name = "Circuit";
  track.lapProtectionTime = 3;
  WriteTrack(track);
  struct Case {
    const char* typed;
    const char* stored;
  };
  const Case cases[] = {{"1", "2"}, {"", "2"}, {"9999", "999"}};
  std::string body = "Circuit\t3\t\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::string before = RaceFile();
    WithDialog(kTrackCommand, kTrackCaption, zd::kTrackNameEdit, [&](HWND d) {
      EXPECT_EQ(FontOf(d, 5165).lfWeight, FW_BOLD);
      Type(d, zd::kTrackNameEdit, "Piste DadevuDorePiste");
      EXPECT_EQ(Text(d, zd::kTrackNameEdit), "");
      Type(d, zd::kTrackNameEdit, "Piste du Lac");
      Type(d, zd::kLapProtectionEdit, c.typed);
      EXPECT_EQ(Text(d, zd::kLapProtectionEdit), std::string(c.typed).substr(0, 3));
      EXPECT_TRUE(PressOk(d));
    });
    const std::string written = std::string("Piste du Lac\t") + c.stored + "\t\r\n";
    EXPECT_TRUE(SameBytes(RaceFile(), Rewritten(before, zd::kTrackTitle, zd::filler::kTrack, body,
                                                written)));
    EXPECT_EQ(zd::MainState().event.lapProtectionTime, std::stoi(c.stored));
    body = written;
  }
}

// A write that cannot be made shows why and keeps the dialog with what was typed.
TEST_F(EventSetupDialogs, AFailedValiderKeepsTheDialogOpen) {
  OpenTestEvent();
  WithDialog(kTrackCommand, kTrackCaption, zd::kTrackNameEdit, [&](HWND d) {
    const std::string race = InDataFolder("Private\\Course.race2");
    const std::string bytes = ReadWindowsFile(race);
    ASSERT_TRUE(DeleteFileA(race.c_str()));
    Type(d, zd::kTrackNameEdit, "Piste du Lac");
    EXPECT_FALSE(PressOk(d));
    EXPECT_EQ(Text(d, zd::kTrackNameEdit), "Piste du Lac");
    ASSERT_TRUE(zd_test::WriteWindowsFile(race, bytes));
    EXPECT_TRUE(PressOk(d));
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, zd::kRaceFileNotFound);
}

TEST_F(EventSetupDialogs, DetailsOkRewritesOnlyTheParticipantsSection) {
  OpenTestEvent();
  WriteAlain();
  const std::string before = RaceFile();
  WithDetails(11001, [&](HWND d) {
    EXPECT_EQ(Text(d, zd::kDetailsHeading), "Alain ( RC Lyon )");
    EXPECT_EQ(FontOf(d, zd::kDetailsHeading).lfHeight, 25);
    EXPECT_EQ(FontOf(d, zd::kDetailsHeading).lfWeight, FW_BOLD);
    EXPECT_EQ(FontOf(d, 5313).lfWeight, FW_BOLD);
    EXPECT_EQ(Text(d, zd::kDetailsTransponderEdit), "000101");
    EXPECT_EQ(Text(d, zd::kDetailsScanState), "Off");
    EXPECT_EQ(Selected(d, zd::kDetailsVehicleList), "(none)");

    SelectItem(d, zd::kDetailsVehicleList, "Truggy");
    EXPECT_EQ(Selected(d, zd::kDetailsCategoryList), "TT 1/8");
    SelectItem(d, zd::kDetailsCategoryList, "Piste 1/10");
    Type(d, zd::kDetailsCarNumberEdit, "12345");
    EXPECT_EQ(Text(d, zd::kDetailsCarNumberEdit), "1234");
    const char* frequencies[] = {"41.000", "27.125", "2.4Ghz", "40.665", "35.010"};
    for (int i = 0; i < 5; ++i) SelectItem(d, zd::kDetailsFirstFrequencyList + i, frequencies[i]);
    EXPECT_TRUE(ShowsWhole(d, zd::kDetailsTransponderEdit, "000000"));
    // Pasted, a letter passes the digits-only style but is no number: "OK" shows the stored one
    // again and stays.
    Type(d, zd::kDetailsTransponderEdit, "12a45");
    EXPECT_FALSE(PressOk(d));
    EXPECT_EQ(Text(d, zd::kDetailsTransponderEdit), "000101");
    // Typed short, the number takes leading zeros, shown whole once the edit is left.
    Type(d, zd::kDetailsTransponderEdit, "7");
    Leave(d, zd::kDetailsTransponderEdit);
    EXPECT_EQ(Text(d, zd::kDetailsTransponderEdit), "000007");
    Type(d, zd::kDetailsTransponderEdit, "4242");
    EXPECT_TRUE(PressOk(d));
  });
  EXPECT_TRUE(boxes.empty());
  const std::string old = ParticipantsBody(before, 1);
  const std::string alain = "Alain\tRC Lyon\tFRA\t\t\t000101\t\t\t\t1\t\t\t\t\t\t\r\n";
  ASSERT_EQ(old.rfind(alain, 0), 0u);
  const std::string now = "Alain\tRC Lyon\tFRA\tTruggy\t1234\t004242\tPiste 1/10\t\t\t1\t41.000\t"
                          "27.125\t2.4Ghz\t40.665\t35.010\t\r\n" +
                          old.substr(alain.size());
  // The main window wrote the node's SelectionCode into the header before the dialog opened.
  std::string selected = before;
  ASSERT_EQ(selected.rfind("10000\t", 0), 0u);
  selected.replace(0, 5, "11001");
  EXPECT_TRUE(SameBytes(RaceFile(), Rewritten(selected, zd::ParticipantsSectionTitle(1),
                                              zd::filler::kParticipants, old, now)));
}

TEST_F(EventSetupDialogs, DetailsLeftByEscapeOrTheCloseBoxWriteNothing) {
  OpenTestEvent();
  WriteAlain();
  const std::string before = RaceFile();
  for (bool closeBox : {false, true}) {
    WithDetails(closeBox ? 11002 : 11001, [&](HWND d) {
      SelectItem(d, zd::kDetailsVehicleList, "Buggy");
      Type(d, zd::kDetailsTransponderEdit, "004242");
      SendMessageA(d, closeBox ? WM_CLOSE : WM_COMMAND, closeBox ? 0 : IDCANCEL, 0);
      EXPECT_FALSE(IsWindowVisible(d));
    });
    Select(10000);
  }
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(SameBytes(ParticipantsBody(RaceFile(), 1), ParticipantsBody(before, 1)));
}

// The bottom row of a bitmap file, left to right.
std::vector<COLORREF> BottomRow(const char* path) {
  std::vector<COLORREF> row;
  auto* bitmap =
      static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (bitmap == nullptr) return row;
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int x = 0; x < info.bmWidth; ++x) row.push_back(GetPixel(dc, x, info.bmHeight - 1));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return row;
}

// The light beside "Scan" is drawn whole while it turns: the bottom row of one of its bitmaps
// shows on the screen, below the corner the dialog units give it.
TEST_F(EventSetupDialogs, DetailsScanLightIsDrawnWhole) {
  OpenTestEvent();
  WriteAlain();
  std::vector<std::vector<COLORREF>> rows;
  for (const char* path : {"images/voyantScanPuce1.bmp", "images/voyantScanPuce2.bmp",
                           "images/voyantScanPuce3.bmp", "images/voyantScanPuce4.bmp"}) {
    rows.push_back(BottomRow(path));
    ASSERT_EQ(rows.back().size(), 40u) << path;
  }
  WithDetails(11001, [&](HWND d) {
    Press(d, zd::kDetailsScanButton);
    EXPECT_EQ(Text(d, zd::kDetailsScanState), "On");
    RECT corner{255 / 2, 225 / 2, 255 / 2, 225 / 2};
    MapDialogRect(d, &corner);
    std::vector<COLORREF> shown;
    const bool drawn = zd_test::WaitFor([&] {
      shown.clear();
      HDC dc = GetDC(d);
      for (int x = 0; x < 40; ++x) shown.push_back(GetPixel(dc, corner.left + x, corner.top + 39));
      ReleaseDC(d, dc);
      return std::find(rows.begin(), rows.end(), shown) != rows.end();
    });
    EXPECT_TRUE(drawn);
    SaveDialogPicture(d, "participant_details_scan.png");
    Press(d, zd::kDetailsScanButton);
    Click(d, IDCANCEL);
  });
}

// A SelectionCode that names no participant record with a name: the dialog says so and ends.
TEST_F(EventSetupDialogs, DetailsOfAnEmptyRecordSayItAndWriteNothing) {
  OpenTestEvent();
  zd::MainState().event.selectionCode = 11150;
  {
    zd::TextFile file;
    ASSERT_TRUE(file.open(zd::kRaceFilePath, zd::OpenMode::Update));
    const zd::EventState& event = zd::MainState().event;
    ASSERT_TRUE(zd::WriteRaceFileHeader(file, 11150, event.raceCount, event.races).ok);
  }
  const std::string before = RaceFile();
  zd::OpenParticipantDetailsDialog(window);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, zd::kParticipantNotFound);
  EXPECT_TRUE(SameBytes(RaceFile(), before));
}

}  // namespace
