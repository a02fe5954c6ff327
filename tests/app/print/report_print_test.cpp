// Printing through the print dialog to the PDF queue of the test run's own CUPS server (see
// tools/print_server.sh), then the PDF read back with poppler's tools. Without that server (a run
// that did not start it) the tests are skipped.

#include "gtest_win32.h"

#include <set>
#include <string>

#include "databases/dialog_driver.h"
#include "print/pdf_queue.h"
#include "print/print_dialog_answer.h"
#include "print/report_drawing.h"

namespace {

using namespace zd_test::dialogs;
using zd_test::NewPdf;
using zd_test::PdfFiles;
using zd_test::PdfFolder;
using zd_test::PrintDialogAnswer;
using zd_test::RunShell;
using zd_test::ShellQuoted;

constexpr int kParticipantsCommand = 1055;

std::string CurrentDirectory() {
  char path[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

class ReportPrinting : public DatabaseDialogTest {
 protected:
  ReportPrinting() : DatabaseDialogTest({}) {}
  void SetUp() override {
    if (PdfFolder().empty()) GTEST_SKIP() << "no print server: ./test gui starts one";
    DatabaseDialogTest::SetUp();
  }
  std::string Output(const std::string& command) {
    return zd_test::CommandOutput(command, folder_);
  }
};

TEST_F(ReportPrinting, TheParticipantsListPrintsToAPdfOfOnePage) {
  OpenTestEvent();
  Select(zd::ParticipantsNodeCode(1));
  const std::set<std::string> before = PdfFiles();
  WithDialog(kParticipantsCommand, "Liste des pilotes", 5207, [&](HWND d) {
    const std::string directory = CurrentDirectory();
    PrintDialogAnswer answer(IDOK);
    Click(d, 5207);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(CurrentDirectory(), directory);
    Click(d, IDCANCEL);
  });
  const std::string pdf = NewPdf(before);
  ASSERT_FALSE(pdf.empty());
  EXPECT_NE(pdf.find("LIST_OF_PILOTS"), std::string::npos) << pdf;
  EXPECT_EQ(zd_test::PdfPages(pdf, folder_), 1);
  const std::string text = Output("pdftotext -layout " + ShellQuoted(pdf) + " -");
  for (const char* expected : {"LISTE DES PARTICIPANTS (6 inscrits)", "Alain", "Fred",
                               "Championnat :", "Nom course :", "Club organisateur :",
                               "Page 1 /1", "Cat\xC3\xA9gorie"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  // The page to look at.
  EXPECT_TRUE(RunShell("pdftoppm -png -r 60 -singlefile " + ShellQuoted(pdf) + " " +
                       ShellQuoted(std::string(ZD_TEST_OUTPUT_DIR) + "/participants_list")));
}

// A cancelled print dialog and a report with nothing to print start no document, and the
// directory is the one given back in both cases.
TEST_F(ReportPrinting, CancelledOrEmptyPrintsNothingAndRestoresTheDirectory) {
  const std::string saved = CurrentDirectory();
  for (int button : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(button);
    SetCurrentDirectoryA("C:\\");
    int drawn = 0;
    PrintDialogAnswer answer(button);
    const bool printed = zd::PrintReport(
        window, "", "EMPTY : Printing...", button == IDOK ? 0 : 1,
        [&](HDC, int) { ++drawn; }, saved.c_str());
    EXPECT_TRUE(answer.answered());
    EXPECT_FALSE(printed);
    EXPECT_EQ(drawn, 0);
    EXPECT_EQ(CurrentDirectory(), saved);
  }
}

}  // namespace
