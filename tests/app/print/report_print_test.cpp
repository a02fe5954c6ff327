// Printing through the print dialog to the PDF queue of the test run's own CUPS server (see
// tools/print_server.sh), then the PDF read back with poppler's tools. Without that server (a run
// that did not start it) the tests are skipped.

#include "gtest_win32.h"

#include <cstdlib>
#include <set>
#include <string>

#include "databases/dialog_driver.h"
#include "print/print_dialog_answer.h"
#include "print/report_drawing.h"
#include "unix_shell.h"
#include "wait_for.h"

namespace {

using namespace zd_test::dialogs;
using zd_test::PrintDialogAnswer;
using zd_test::RunShell;
using zd_test::ShellQuoted;

constexpr int kParticipantsCommand = 1055;

std::string PdfFolder() {
  const char* folder = std::getenv("ZD_PDF_FOLDER");
  return folder ? folder : "";
}

// The PDF files of the queue's folder, by name.
std::set<std::string> PdfFiles() {
  std::set<std::string> files;
  WIN32_FIND_DATAA found;
  const std::string pattern = zd_test::WindowsPathOf(PdfFolder()) + "\\*.pdf";
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do files.insert(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

// The one file that was not there before, once cups-pdf has finished writing it: the queue names
// each "<title>-job_<id>.pdf" in a folder of this run's own.
std::string NewPdf(const std::set<std::string>& before) {
  std::string made;
  zd_test::WaitFor([&] {
    for (const std::string& f : PdfFiles())
      if (!before.count(f)) made = f;
    return !made.empty() && RunShell("pdfinfo " + ShellQuoted(PdfFolder() + "/" + made) +
                                     " >/dev/null 2>&1");
  });
  return made.empty() ? made : PdfFolder() + "/" + made;
}

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
  // A Linux command's output.
  std::string Output(const std::string& command) {
    const std::string out = folder_ + "/out.txt";
    EXPECT_TRUE(RunShell(command + " >" + ShellQuoted(out) + " 2>&1")) << command;
    return zd_test::ReadUnixFile(out);
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
  std::string info = Output("pdfinfo " + ShellQuoted(pdf));
  std::erase(info, ' ');
  EXPECT_NE(info.find("Pages:1\n"), std::string::npos) << info;
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
