#pragma once
// The PDF queue of the test run's own CUPS server (see tools/print_server.sh): its folder, the
// files a print adds there, and poppler's tools run on them.

#include <cstdlib>
#include <set>
#include <string>

#include "gtest_win32.h"
#include "unix_shell.h"
#include "wait_for.h"

namespace zd_test {

// Empty when the run did not start the server.
inline std::string PdfFolder() {
  const char* folder = std::getenv("ZD_PDF_FOLDER");
  return folder ? folder : "";
}

// The PDF files of the queue's folder, by name.
inline std::set<std::string> PdfFiles() {
  std::set<std::string> files;
  WIN32_FIND_DATAA found;
  const std::string pattern = WindowsPathOf(PdfFolder()) + "\\*.pdf";
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do files.insert(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

// The one file that was not there before, once cups-pdf has finished writing it: the queue names
// each "<title>-job_<id>.pdf" in a folder of this run's own.
inline std::string NewPdf(const std::set<std::string>& before) {
  std::string made;
  WaitFor([&] {
    for (const std::string& f : PdfFiles())
      if (!before.count(f)) made = f;
    return !made.empty() &&
           RunShell("pdfinfo " + ShellQuoted(PdfFolder() + "/" + made) + " >/dev/null 2>&1");
  });
  return made.empty() ? made : PdfFolder() + "/" + made;
}

// A Linux command's output, through a file of the test's folder.
inline std::string CommandOutput(const std::string& command, const std::string& folder) {
  const std::string out = folder + "/out.txt";
  EXPECT_TRUE(RunShell(command + " >" + ShellQuoted(out) + " 2>&1")) << command;
  return ReadUnixFile(out);
}

// pdfinfo's page count, -1 when it gives none.
inline int PdfPages(const std::string& pdf, const std::string& folder) {
  std::string info = CommandOutput("pdfinfo " + ShellQuoted(pdf), folder);
  std::erase(info, ' ');
  const size_t at = info.find("Pages:");
  return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

}  // namespace zd_test
