#pragma once
// Linux commands run from a test of the Windows half under Wine: ImageMagick for pictures and
// screenshots, the decoder simulator. Wine starts a Linux program given by its Unix path, but
// gives no handle to wait on, so a command reports its end through a file.

#include <string>

namespace zd_test {

// A new empty folder under /tmp for this test process ("/tmp/zd-app-tests-..."), its Unix path.
// The test command removes them all after the run.
std::string NewUnixFolder(const std::string& name);

// The Windows path (drive Z:) of a Unix path.
std::string WindowsPathOf(const std::string& unixPath);

// Writes text as the whole content of the file at a Unix path.
bool WriteUnixFile(const std::string& unixPath, const std::string& text);
// The whole content of the file at a Unix path ("" when there is none).
std::string ReadUnixFile(const std::string& unixPath);

// Starts `sh -c script` and returns at once.
bool StartShell(const std::string& script);
// Runs `sh -c script` and waits, up to the test deadline, for its end; true when it ended with
// status 0.
bool RunShell(const std::string& script);

// Makes a picture with ImageMagick's convert (its arguments before the output file, quoted for the
// shell) and puts it at windowsPath, whose ending gives the format.
bool MakePicture(const std::string& convertArguments, const std::string& windowsPath);

// Quotes a text for the shell.
std::string ShellQuoted(const std::string& text);

}  // namespace zd_test
