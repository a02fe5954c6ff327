#include "gtest_win32.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "program_process.h"
#include "unix_shell.h"
#include "wait_for.h"

namespace {

using zd_test::FindMessageBox;
using zd_test::ProgramBox;

const char kPrintingWarningCaption[] = "Message Important";

// Saves a picture of the screen once two grabs in a row are the same: Wine hands what a window
// painted to the display a little later, so a single grab may still show a box just closed.
bool SaveSteadyScreen(const std::string& png) {
  const std::string raw = png + ".rgb";
  std::string previous;
  const bool steady = zd_test::WaitFor([&] {
    if (!zd_test::RunShell("import -window root -depth 8 " + zd_test::ShellQuoted("rgb:" + raw)))
      return false;
    std::string grab = zd_test::ReadUnixFile(raw);
    const bool same = !grab.empty() && grab == previous;
    previous = std::move(grab);
    return same;
  });
  DeleteFileA(zd_test::WindowsPathOf(raw).c_str());
  return steady && zd_test::RunShell("import -window root " + zd_test::ShellQuoted(png));
}

// The installed program from its start to its end, as its user sees it: the boxes of the start
// answered with OK, the maximised main window, and the question at closing answered with No.
TEST(InstalledProgram, StartsMaximisedAndEndsWithCodeZeroWhenClosedWithoutSaving) {
  const std::string program = zd_test::InstalledProgram();
  ASSERT_NE(GetFileAttributesA(program.c_str()), INVALID_FILE_ATTRIBUTES)
      << program << " is not installed";
  zd_test::ProgramProcess process;
  ASSERT_TRUE(process.Start(program)) << "CreateProcessA failed: " << GetLastError();

  std::vector<std::string> captions;
  HWND window = nullptr;
  HWND answered = nullptr;
  ASSERT_TRUE(zd_test::WaitFor([&] {
    const ProgramBox box = FindMessageBox(process.id());
    if (box.window == answered && answered) return false;  // still closing
    if (box.window) {
      captions.push_back(box.caption + ": " + box.text);
      zd_test::Answer(box, IDOK);
      answered = box.window;
      return false;
    }
    window = zd_test::FindWindowOfProcess("classeF", process.id());
    return !box.window && window && IsZoomed(window) && !captions.empty() &&
           captions.back().rfind(kPrintingWarningCaption, 0) == 0;
  })) << "the start did not end with the printing warning and a maximised window";
  EXPECT_EQ(zd_test::WindowText(window), "Zentrik");

  // The picture of the started program, once it has painted and the display shows it all.
  ASSERT_TRUE(zd_test::WaitFor([&] { return !GetUpdateRect(window, nullptr, FALSE); }));
  EXPECT_TRUE(SaveSteadyScreen(std::string(ZD_TEST_OUTPUT_DIR) + "/main_window.png"));

  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  ProgramBox question;
  ASSERT_TRUE(zd_test::WaitFor([&] {
    question = FindMessageBox(process.id());
    return question.window != nullptr;
  })) << "no question at closing";
  EXPECT_EQ(question.caption, "Attention");
  EXPECT_EQ(question.text,
            "Vous voulez quitter!\nSouhaitez-vous sauvegarder l'\xE9v\xE9nement en cours?");
  zd_test::Answer(question, IDNO);

  ASSERT_EQ(WaitForSingleObject(process.handle(), zd_test::kDeadlineMs), WAIT_OBJECT_0)
      << "the program is still running after No";
  DWORD exit_code = 1;
  ASSERT_TRUE(GetExitCodeProcess(process.handle(), &exit_code));
  EXPECT_EQ(exit_code, 0u);
}

}  // namespace
