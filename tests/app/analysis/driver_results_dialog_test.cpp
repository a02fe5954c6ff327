#include "gtest_win32.h"

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "analysis/driver_results_dialog.h"
#include "databases/dialog_driver.h"
#include "../../analysis/driver_entries.h"
#include "files/handover_files.h"
#include "live/board_canvas.h"
#include "print/pdf_queue.h"
#include "print/print_dialog_answer.h"
#include "unix_shell.h"
#include "wait_for.h"

// The driver results window opened on "ResultatPilote.res" as the main window writes it, driven
// by messages as its user would.

namespace {

using zd_test::dialogs::Click;
using zd_test::dialogs::DialogDriver;
using zd_test::dialogs::Text;
using zd_test::dialogs::Type;

constexpr const char* kCaption = "Analyse résultats pilote";

bool Checked(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }
bool Shown(HWND d, int id) { return IsWindowVisible(GetDlgItem(d, id)) != FALSE; }

void SavePicture(HWND d, const std::string& name) {
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(zd_test::RunShell("import -window root " +
                                zd_test::ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) + "/" + name)));
}

class DriverResultsDialog : public zd_test::dialogs::DatabaseDialogTest {
 protected:
  DriverResultsDialog() : DatabaseDialogTest({"ResultatPilote.res"}) {}

  // "ResultatPilote.res" for a driver with these laps.
  void Hand(const std::string& name, const std::vector<int32_t>& laps) {
    auto table = std::make_unique<zd::SeriesTable>();
    (*table)[0] = *zd_test::DriverLaps(name, 5000, laps);
    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    ASSERT_TRUE(zd::WriteDriverResultFile(*table, 0, " Open - EL1 - Série1 ", "Nord", "."));
  }
  // Opens the window; act runs on it once it shows and must close it.
  void WithWindow(const std::function<void(HWND)>& act) {
    DialogDriver driver(kCaption, zd::kDriverFirstLap, act);
    zd::OpenDriverResultsDialog(window, 1);
    EXPECT_TRUE(driver.acted());
  }
};

TEST_F(DriverResultsDialog, OpensOnTheDriverWithTheWholeRange) {
  Hand("Alain", zd_test::SixLaps());
  WithWindow([&](HWND d) {
    EXPECT_EQ(zd::ShownDriver().name.view(), "Alain");
    EXPECT_EQ(zd::ShownDriver().lapTimes[4], 45010);
    EXPECT_EQ(Text(d, zd::kDriverFirstLap), "1");
    EXPECT_EQ(Text(d, zd::kDriverLastLap), "6");
    EXPECT_FALSE(Shown(d, zd::kDriverStripBar));  // six laps fit the strip
    // The template's 350 × 270 units in the system font, no font of its own, at two pixels a
    // unit as on Windows: 700 pixels across where the charts and the strip need 650. Wine's
    // system font gives 1.75 pixels a unit across (613 pixels): the window spreads its controls
    // to two, so that both frames hold their charts whole.
    RECT client;
    GetClientRect(d, &client);
    EXPECT_GE(client.right, 650);
    EXPECT_GE(client.bottom, 438);
    for (int frame : {9506, 9509}) {
      const RECT r = zd_test::dialogs::ControlRect(d, frame);
      EXPECT_LE(r.left, 30) << frame;
      EXPECT_GE(r.right, 650) << frame;
      EXPECT_LE(r.right, client.right) << frame;
    }
    EXPECT_GE(zd_test::dialogs::ControlRect(d, 9506).bottom, 345);
    EXPECT_LE(zd_test::dialogs::ControlRect(d, 9509).top, 370);
    EXPECT_GE(zd_test::dialogs::ControlRect(d, 9509).bottom, 438);
    std::printf("client area %ldx%ld pixels\n", client.right, client.bottom);
    EXPECT_EQ(zd_test::dialogs::FontOf(d, zd::kDriverViewCurve).lfWeight, 700);
    EXPECT_EQ(zd_test::dialogs::FontOf(d, IDOK).lfHeight, 16);

    for (int view : {zd::kDriverViewSummary, zd::kDriverViewHistogram, zd::kDriverViewCurve}) {
      SendDlgItemMessageA(d, view, BM_CLICK, 0, 0);
      SavePicture(d, "driver_results_" + std::to_string(view) + ".png");
    }
    // Escape leaves it open; Ok closes it.
    Click(d, IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(d));
    Click(d, IDOK);
  });
  EXPECT_TRUE(boxes.empty());
}

TEST_F(DriverResultsDialog, RangeFieldsKeepWithinTheLaps) {
  Hand("Alain", zd_test::SixLaps());
  WithWindow([&](HWND d) {
    int32_t from = 0, to = 0;
    Type(d, zd::kDriverLastLap, "9999");
    EXPECT_EQ(Text(d, zd::kDriverLastLap), "6");
    Type(d, zd::kDriverFirstLap, "2");
    Type(d, zd::kDriverLastLap, "4");
    zd::ShownLapRange(from, to);
    EXPECT_EQ(from, 2);
    EXPECT_EQ(to, 4);
    SavePicture(d, "driver_results_range.png");
    // 0 or nothing in the first field: lap 1, the field as typed.
    Type(d, zd::kDriverFirstLap, "0");
    zd::ShownLapRange(from, to);
    EXPECT_EQ(from, 1);
    EXPECT_EQ(Text(d, zd::kDriverFirstLap), "0");
    Type(d, zd::kDriverFirstLap, "");
    zd::ShownLapRange(from, to);
    EXPECT_EQ(from, 1);
    EXPECT_EQ(Text(d, zd::kDriverFirstLap), "");
    // The last field cleared: an empty range.
    Type(d, zd::kDriverLastLap, "");
    zd::ShownLapRange(from, to);
    EXPECT_EQ(to, 0);
    // At most four digits.
    Type(d, zd::kDriverLastLap, "123456");
    EXPECT_EQ(Text(d, zd::kDriverLastLap), "6");
    Click(d, IDOK);
  });
}

TEST_F(DriverResultsDialog, TheStripScrollsOverManyLaps) {
  Hand("Alain", zd_test::ManyLaps(7));
  WithWindow([&](HWND d) {
    HWND bar = GetDlgItem(d, zd::kDriverStripBar);
    EXPECT_TRUE(Shown(d, zd::kDriverStripBar));
    int low = -1, high = -1;
    GetScrollRange(bar, SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 1);
    SendMessageA(d, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(bar));
    SendMessageA(d, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 1);
    SavePicture(d, "driver_results_strip.png");
    SendMessageA(d, WM_HSCROLL, SB_PAGELEFT, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
    Click(d, IDOK);
  });
  Hand("Alain", zd_test::ManyLaps(3000));
  WithWindow([&](HWND d) {
    int low = -1, high = -1;
    GetScrollRange(GetDlgItem(d, zd::kDriverStripBar), SB_CTL, &low, &high);
    EXPECT_EQ(high, 2994);
    Click(d, IDOK);
  });
}

TEST_F(DriverResultsDialog, ReopensOnTheViewChosenLast) {
  Hand("Alain", zd_test::SixLaps());
  WithWindow([&](HWND d) {
    SendDlgItemMessageA(d, zd::kDriverViewCurve, BM_CLICK, 0, 0);
    Click(d, IDOK);
  });
  WithWindow([&](HWND d) {
    EXPECT_TRUE(Checked(d, zd::kDriverViewCurve));
    EXPECT_FALSE(Checked(d, zd::kDriverViewSummary));
    SendDlgItemMessageA(d, zd::kDriverViewSummary, BM_CLICK, 0, 0);
    Click(d, IDOK);
  });
}

TEST_F(DriverResultsDialog, AFileThatCannotBeReadShowsNoLaps) {
  Hand("Alain", zd_test::SixLaps());
  WithWindow([&](HWND d) { Click(d, IDOK); });
  ASSERT_EQ(zd::ShownDriver().passingCount, 6);
  // Cut in the middle of its times.
  SetWorking("ResultatPilote.res", "Bruno\t6\t5000\t36250\t");
  WithWindow([&](HWND d) {
    EXPECT_EQ(zd::ShownDriver().passingCount, 0);
    EXPECT_EQ(zd::ShownDriver().name.view(), "");
    EXPECT_EQ(zd::ShownDriver().lapTimes[1], 0);
    EXPECT_EQ(Text(d, zd::kDriverLastLap), "0");
    EXPECT_FALSE(Shown(d, zd::kDriverStripBar));
    SavePicture(d, "driver_results_unread.png");
    Click(d, IDOK);
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].text, "Error: File of the driver's detailed results not found");
}

// Printing gives the current directory back as the window found it, whatever the print dialog
// did: cancelled, or closed on Wine's box of no printer installed.
TEST_F(DriverResultsDialog, PrintingRestoresTheCurrentDirectory) {
  Hand("Alain", zd_test::SixLaps());
  char opened[MAX_PATH] = {};
  WithWindow([&](HWND d) {
    GetCurrentDirectoryA(sizeof opened, opened);
    for (int command : {zd::kDriverPrintSummary, zd::kDriverPrintLaps}) {
      ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
      DialogDriver cancel("Print", IDOK, [](HWND print) {
        Click(print, GetDlgItem(print, IDCANCEL) != nullptr ? IDCANCEL : IDOK);
      });
      SendMessageA(d, WM_COMMAND, command, 0);
      char now[MAX_PATH] = {};
      GetCurrentDirectoryA(sizeof now, now);
      EXPECT_STREQ(now, opened);
    }
    Click(d, IDOK);
  });
}

// The mouse over a point of the curve labels its lap; a new range lets go of it.
TEST_F(DriverResultsDialog, TheCurveLabelsTheLapUnderTheMouse) {
  Hand("Alain", zd_test::SixLaps());
  WithWindow([&](HWND d) {
    SendDlgItemMessageA(d, zd::kDriverViewCurve, BM_CLICK, 0, 0);
    UpdateWindow(d);
    // Lap 4 stands at (348, 176): the pointer brought there.
    POINT point = {348, 177};
    ClientToScreen(d, &point);
    SetCursorPos(point.x, point.y);
    zd_test::BoardCanvas shown(613, 540, RGB(1, 2, 3));
    EXPECT_TRUE(zd_test::WaitFor([&] {
      UpdateWindow(d);
      shown.CopyFrom(d);
      return shown.At(320, 171) == RGB(255, 255, 255);  // inside the label's ellipse
    }));
    SavePicture(d, "driver_results_hover.png");

    Type(d, zd::kDriverLastLap, "3");
    UpdateWindow(d);
    shown.CopyFrom(d);
    EXPECT_EQ(shown.Count({300, 147, 400, 177}, RGB(255, 255, 255)), 0);
    SetCursorPos(0, 0);
    SendDlgItemMessageA(d, zd::kDriverViewSummary, BM_CLICK, 0, 0);
    Click(d, IDOK);
  });
}

// "Détail tours" through the print dialog to the PDF queue of the run's own CUPS server, read
// back with poppler's tools; skipped without that server.
class DriverResultsPrinting : public DriverResultsDialog {
 protected:
  void SetUp() override {
    if (zd_test::PdfFolder().empty()) GTEST_SKIP() << "no print server: ./test gui starts one";
    DriverResultsDialog::SetUp();
  }
  // The text of one page.
  std::string PageText(const std::string& pdf, int page) {
    const std::string n = std::to_string(page);
    return zd_test::CommandOutput(
        "pdftotext -layout -f " + n + " -l " + n + " " + zd_test::ShellQuoted(pdf) + " -", folder_);
  }
};

// 250 laps: pages of 100, 100 and 50 laps.
TEST_F(DriverResultsPrinting, TheLapDetailOf250LapsPrintsThreePages) {
  Hand("Alain", zd_test::ManyLaps(250));
  const std::set<std::string> before = zd_test::PdfFiles();
  WithWindow([&](HWND d) {
    zd_test::PrintDialogAnswer answer(IDOK);
    // The print button's menu item, as the menu sends it.
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(zd::kDriverPrintLaps, 0), 0);
    EXPECT_TRUE(answer.answered());
    Click(d, IDOK);
  });
  const std::string pdf = zd_test::NewPdf(before);
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(zd_test::PdfPages(pdf, folder_), 3);
  struct Page {
    int number;
    std::vector<std::string> present, absent;
  };
  const Page pages[] = {
      {1, {"T1 ", "T50 ", "T100 "}, {"T101 "}},
      {2, {"T101 ", "T150 ", "T200 "}, {"T100 ", "T201 "}},
      {3, {"T201 ", "T225 ", "T250 "}, {"T200 ", "T251 "}},
  };
  for (const Page& page : pages) {
    SCOPED_TRACE(page.number);
    // pdftotext runs "T 1" .. "T 9" together as "T1": every lap read as "T<n>", followed by the
    // spaces before its time.
    std::string text = PageText(pdf, page.number);
    for (size_t at = text.find("T "); at != std::string::npos; at = text.find("T ", at + 1))
      text.erase(at + 1, 1);
    EXPECT_NE(text.find("D\xC3\xA9tail des temps au tour"), std::string::npos) << text;
    for (const std::string& lap : page.present)
      EXPECT_NE(text.find(lap), std::string::npos) << lap << "\n" << text;
    for (const std::string& lap : page.absent)
      EXPECT_EQ(text.find(lap), std::string::npos) << lap << "\n" << text;
  }
  // The pages to look at: driver_lap_detail-1.png .. -3.png.
  EXPECT_TRUE(zd_test::RunShell("pdftoppm -png -r 60 " + zd_test::ShellQuoted(pdf) + " " +
                                zd_test::ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) +
                                                     "/driver_lap_detail")));
}

}  // namespace
