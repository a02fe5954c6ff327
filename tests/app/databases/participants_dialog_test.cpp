// The participants dialog opened from the event tree's participants node, driven by messages as
// its user would, and the race file it leaves; its printed pages drawn on metafiles.

#include "gtest_win32.h"

#include <memory>
#include <string>

#include "databases/dialog_driver.h"
#include "databases/participants_dialog.h"
#include "databases/participants_report.h"
#include "files/live_file.h"
#include "print/metafile_records.h"
#include "print/report_drawing.h"
#include "unix_shell.h"
#include "web/web_site_process.h"

namespace {

using namespace zd_test::dialogs;
using zd_test::InDataFolder;
using zd_test::ReadWindowsFile;
using zd_test::SameBytes;
using zd_test::WriteWindowsFile;

constexpr int kParticipantsCommand = 1055;
constexpr const char* kCaption = "Liste des pilotes";

// The drivers database of the tests: the vehicle and the birth of the first give a category of
// each, the second comes from a country of no flag.
void WriteDatabases() {
  auto drivers = std::make_unique<zd::DriverTable>();
  zd::ClearDriverTable(*drivers);
  zd::DriverRecord& zed = (*drivers)[0];
  zed.name = "Zed";
  zed.club = "RC Nord";
  zed.country = "France";
  zed.vehicle = "Buggy X";
  zed.carNumber = "7";
  zed.transponder = "123456";
  zed.birth = "1200";
  zed.sex = 0;
  zd::DriverRecord& ann = (*drivers)[1];
  ann.name = "Ann";
  ann.country = "Atlantis";
  ann.birth = "1200";
  ASSERT_TRUE(zd::WriteDrivers(zd::kDriversFile, *drivers, 2));
  auto vehicles = std::make_unique<zd::VehicleTable>();
  zd::ClearVehicleTable(*vehicles);
  (*vehicles)[0].name = "Buggy X";
  (*vehicles)[0].category = "TT 1/8";
  ASSERT_TRUE(zd::WriteVehicles(zd::kVehiclesFile, *vehicles, 1));
  zd::AgeCategoryTable ages;
  zd::ClearAgeCategoryTable(ages);
  ages[0].code = "S";
  ages[0].name = "Senior";
  ages[0].fromCount = 1000;
  ages[0].toCount = 1300;
  ASSERT_TRUE(zd::WriteAgeCategories(zd::kAgeCategoriesFile, ages, 1));
}

class ParticipantsDialog : public DatabaseDialogTest {
 protected:
  ParticipantsDialog()
      : DatabaseDialogTest({zd::kDriversFile, zd::kVehiclesFile, zd::kAgeCategoriesFile}) {}

  std::string RaceFile() { return ReadWindowsFile(InDataFolder("Private\\Course.race2")); }
};

TEST_F(ParticipantsDialog, AddsAndRemovesDriversThenValiderWritesTheRaceFile) {
  WriteDatabases();
  OpenTestEvent();
  Select(zd::ParticipantsNodeCode(1));
  const std::string before = RaceFile();
  WithDialog(kParticipantsCommand, kCaption, 5203, [&](HWND d) {
    EXPECT_EQ(Text(d, 5201), "Open");
    EXPECT_EQ(Text(d, 5202), "(6)");
    EXPECT_EQ(Lines(d, 5204), (std::vector<std::string>{"Zed", "Ann"}));
    EXPECT_EQ(FontOf(d, 5209).lfWeight, FW_BOLD);
    EXPECT_STREQ(FontOf(d, 5203).lfFaceName, "Arial");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDOK)));

    SelectLine(d, 5204, 0);
    Click(d, 5205);
    Click(d, 5205);  // twice the same driver: once in the list
    SelectLine(d, 5204, 1);
    Click(d, 5205);
    SelectLine(d, 5203, 3);  // "Cyril"
    Click(d, 5206);
    EXPECT_EQ(Lines(d, 5203), (std::vector<std::string>{"Alain", "Ann", "Brigitte", "Denis",
                                                         "Emma", "Fred", "Zed"}));
    EXPECT_EQ(Text(d, 5202), "(7)");
    // What the user sees, for a look at the dialog.
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(zd_test::RunShell(
        "import -window root " +
        zd_test::ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) + "/participants_dialog.png")));
    // Focus changes and list selections do not close it.
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(5203, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(d, 5203)));
    EXPECT_TRUE(IsWindowVisible(d));
    EXPECT_TRUE(PressOk(d));
  });
  // No box: every database was found and the list fits.
  for (const auto& box : boxes) ADD_FAILURE() << box.caption << ": " << box.text;

  // The race file as the race's writers leave it with the new list.
  const std::string golden = Outside("golden.race2");
  ASSERT_TRUE(WriteWindowsFile(golden, before));
  {
    zd::TextFile file;
    ASSERT_TRUE(file.open(golden, zd::OpenMode::Update));
    int32_t code = 0, raceCount = 0;
    zd::RaceHeaderRecords records;
    zd::ClearRaceHeaderRecords(records);
    ASSERT_TRUE(zd::ReadRaceFileHeader(file, code, raceCount, records));
    records[0].practiceSeries = 0;
    records[0].qualifyingSeries = 0;
    records[0].rounds = 0;
    records[0].participantCount = 7;
    ASSERT_TRUE(zd::WriteRaceFileHeader(file, code, raceCount, records).ok);
    auto participants = std::make_unique<zd::ParticipantTable>();
    zd::ClearParticipants(*participants);
    const char* names[] = {"Alain", "Ann", "Brigitte", "Denis", "Emma", "Fred"};
    for (int i = 0; i < 6; ++i) (*participants)[i].name = names[i];
    // A country of no flag and no vehicle: no nation code and no vehicle category.
    (*participants)[1].ageCategoryCode = "S";
    (*participants)[1].ageCategoryName = "Senior";
    zd::ParticipantRecord& zed = (*participants)[6];
    zed.name = "Zed";
    zed.club = "RC Nord";
    zed.nationCode = "FRA";
    zed.vehicle = "Buggy X";
    zed.carNumber = "7";
    zed.transponder = "123456";
    zed.vehicleCategory = "TT 1/8";
    zed.ageCategoryCode = "S";
    zed.ageCategoryName = "Senior";
    zed.sex = 0;
    ASSERT_TRUE(
        zd::WriteParticipantsSection(file, zd::ParticipantsSectionTitle(1), *participants).ok);
    // The list as it opened without Cyril, then the drivers in the order they were added.
    const char* order[] = {"Alain", "Brigitte", "Denis", "Emma", "Fred", "Zed", "Ann"};
    zd::SeriesArrangement arrangement;
    for (int i = 0; i < zd::kArrangementSlots; ++i) arrangement.names[i] = i < 7 ? order[i] : "(NA)";
    zd::StartingGrid grid;
    grid.qualifiedCount = 50;
    std::copy_n(arrangement.names.begin(), zd::kGridSlots, grid.names.begin());
    for (zd::RacePhase phase : {zd::RacePhase::Practice, zd::RacePhase::Qualifying})
      ASSERT_TRUE(zd::WriteSeriesArrangementNames(
                      file, zd::ArrangementSectionTitle(1, phase), arrangement)
                      .ok);
    ASSERT_TRUE(zd::WriteRoundArrangementNames(
                    file, zd::ArrangementSectionTitle(1, zd::RacePhase::Rounds), grid)
                    .ok);
  }
  EXPECT_TRUE(SameBytes(RaceFile(), ReadWindowsFile(golden)));
  // The main window read the list back.
  EXPECT_NE(TreeText().find("Pilotes (7)"), std::string::npos) << TreeText();
}

TEST_F(ParticipantsDialog, AStartedSessionLocksTheListAndEchapWritesNothing) {
  WriteDatabases();
  OpenTestEvent();
  // The main window writes its own header with the SelectionCode: a series of race 1 was run.
  zd::RaceRecord(zd::MainState().event, 1).practiceStates[0] = 1;
  Select(zd::ParticipantsNodeCode(1));
  const std::string before = RaceFile();
  WithDialog(kParticipantsCommand, kCaption, 5203, [&](HWND d) {
    for (int id : {IDOK, 5205, 5206}) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, id))) << id;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, 5207)));
    SelectLine(d, 5203, 0);
    Click(d, 5206);  // a click that reaches it all the same changes nothing
    EXPECT_EQ(Text(d, 5202), "(6)");
    Click(d, IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(d));
  });
  EXPECT_TRUE(SameBytes(RaceFile(), before));
}

// "Envoyer" against the local FTP server, the site's stand-in answering the archive script.
class ParticipantsDialogWeb : public DatabaseDialogTest {
 protected:
  static constexpr const char* kArchive = "WebResults\\Archive.txt";
  static constexpr const char* kRaceFolder = "public_html/ZentrikRiduduzud/Ligue_Sud/GP_1/Open";

  ParticipantsDialogWeb()
      : DatabaseDialogTest({zd::kDriversFile, zd::kVehiclesFile, zd::kAgeCategoriesFile,
                            "Private\\SiteWeb.rg", "WebResults\\CoordonneesWeb.txt", kArchive}) {}

  void SetUp() override {
    DatabaseDialogTest::SetUp();
    ASSERT_TRUE(site_.startWithActivatedEvent(zd::DataFolderPath()));
    WriteDatabases();
    OpenTestEvent();
    Select(zd::ParticipantsNodeCode(1));
  }
  void TearDown() override {
    RemoveDirectoryA(InDataFolder(kArchive).c_str());
    DatabaseDialogTest::TearDown();
  }

  zd_test::WebSiteProcess site_;
};

TEST_F(ParticipantsDialogWeb, EnvoyerUploadsTheListIntoTheRaceFolder) {
  WithDialog(kParticipantsCommand, kCaption, 5203, [&](HWND d) {
    Click(d, 5208);
    Click(d, IDCANCEL);
  });
  for (const auto& box : boxes) ADD_FAILURE() << box.caption << ": " << box.text;
  std::string archive = Working(kArchive);
  ASSERT_NE(archive.find("Alain"), std::string::npos) << archive;
  for (std::size_t at; (at = archive.find("\r\n")) != std::string::npos;) archive.erase(at, 1);
  EXPECT_EQ(site_.remoteFile(std::string(kRaceFolder) + "/ZListe.txt"), archive);
  EXPECT_NE(site_.browsedAddresses().find("archive=ZListe.txt"), std::string::npos)
      << site_.browsedAddresses();
}

TEST_F(ParticipantsDialogWeb, AFailedArchiveWriteOpensAndSendsNothing) {
  // A folder where the archive goes: it cannot be written.
  DeleteFileA(InDataFolder(kArchive).c_str());
  ASSERT_TRUE(CreateDirectoryA(InDataFolder(kArchive).c_str(), nullptr));
  WithDialog(kParticipantsCommand, kCaption, 5203, [&](HWND d) {
    Click(d, 5208);
    Click(d, IDCANCEL);
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Error : Archive source file not found");
  EXPECT_EQ(site_.browsedAddresses(), "");
  EXPECT_FALSE(site_.remoteExists(kRaceFolder));
}

// A list of count participants of race 1 ("COURSE 1"), read back as the dialog reads it.
std::unique_ptr<zd::ParticipantsList> ListOf(int count, bool international) {
  const std::string path = zd_test::WindowsPathOf(zd_test::NewUnixFolder("list")) + "\\l.race2";
  zd::TextFile file;
  EXPECT_TRUE(file.open(path, zd::OpenMode::Create));
  EXPECT_TRUE(zd::InitialiseRaceFile(file).ok);
  zd::EventInformation info;
  info.eventName = international ? "i_n_t_Coupe d'Europe" : "Coupe";
  EXPECT_TRUE(zd::WriteInformationSection(file, info).ok);
  auto participants = std::make_unique<zd::ParticipantTable>();
  zd::ClearParticipants(*participants);
  char name[16];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, "Pilote %02d", i + 1);
    (*participants)[i].name = name;
    (*participants)[i].club = "RC Nord";
    (*participants)[i].nationCode = "FRA";
    (*participants)[i].vehicle = "Buggy X";
  }
  EXPECT_TRUE(zd::WriteParticipantsSection(file, zd::ParticipantsSectionTitle(1), *participants).ok);
  auto list = std::make_unique<zd::ParticipantsList>();
  list->read(file);
  return list;
}

zd_test::MetaPage DrawPage(const zd::ParticipantsList& list, int page) {
  zd_test::MetafilePage metafile;
  zd::StartReportPage(metafile.dc(), 4960, 7016, nullptr);
  zd::DrawParticipantsPage(metafile.dc(), list, page, zd::ReportPageCount(list.count()));
  return metafile.read();
}

TEST(ParticipantsPrintout, ThirtyToAPageNumberedOfTheTotal) {
  ASSERT_TRUE(zd::MakeDataFolderCurrent());
  const auto thirty = ListOf(30, false);
  ASSERT_EQ(zd::ReportPageCount(thirty->count()), 1);
  zd_test::MetaPage page = DrawPage(*thirty, 1);
  ASSERT_NE(page.textAt(615, 970), nullptr);
  EXPECT_EQ(page.textAt(615, 970)->text, "Page 1 /1");
  ASSERT_NE(page.findText("LISTE DES PARTICIPANTS (30 inscrits)"), nullptr);
  EXPECT_EQ(page.findText("LISTE DES PARTICIPANTS (30 inscrits)")->x, 342);
  EXPECT_EQ(page.textAt(130, 163)->text, "Coupe / COURSE 1");
  ASSERT_NE(page.textAt(140, 855), nullptr);  // row 30
  EXPECT_EQ(page.textAt(140, 855)->text, "Pilote 30");
  EXPECT_EQ(page.textAt(310, 275)->text, "RC Nord");
  EXPECT_EQ(page.findText("Club")->y, 252);
  EXPECT_EQ(page.textAt(410, 275)->fontHeight, 12);
  EXPECT_TRUE(page.blits.empty());  // no flags for a national event

  const auto more = ListOf(31, true);
  ASSERT_EQ(zd::ReportPageCount(more->count()), 2);
  page = DrawPage(*more, 2);
  EXPECT_EQ(page.textAt(615, 970)->text, "Page 2 /2");
  EXPECT_TRUE(page.hasLine(1, 30, 292, 655, 292));
  ASSERT_NE(page.textAt(70, 275), nullptr);
  EXPECT_EQ(page.textAt(70, 275)->text, "31");
  EXPECT_EQ(page.textAt(70, 275)->align & TA_RIGHT, static_cast<UINT>(TA_RIGHT));
  EXPECT_EQ(page.textAt(140, 275)->text, "Pilote 31");
  EXPECT_EQ(page.textAt(140, 295), nullptr);
  // An international event: its name without the prefix, the nation and its flag.
  EXPECT_EQ(page.textAt(130, 163)->text, "Coupe d'Europe / COURSE 1");
  EXPECT_NE(page.findText("Nation"), nullptr);
  EXPECT_EQ(page.findText("Club"), nullptr);
  EXPECT_EQ(page.textAt(310, 275)->text, "FRA");
  ASSERT_EQ(page.blits.size(), 1u);
  EXPECT_EQ(page.blits[0].x, 350);
  EXPECT_EQ(page.blits[0].y, 275);
  EXPECT_EQ(page.blits[0].width, 20);
  EXPECT_EQ(page.blits[0].height, 13);
}

}  // namespace
