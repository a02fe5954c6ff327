#include "decoder_simulator_process.h"

#include <cstdlib>
#include <sstream>

#include "unix_shell.h"
#include "wait_for.h"

namespace zd_test {

namespace {

std::string DosDevicesFolder() {
  char prefix[MAX_PATH] = {};
  if (GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix) > 0 && prefix[0] != '\0')
    return std::string(prefix) + "/dosdevices";
  char home[MAX_PATH] = {};
  GetEnvironmentVariableA("HOME", home, sizeof home);
  return std::string(home) + "/.wine/dosdevices";
}

}  // namespace

DecoderSimulatorProcess::~DecoderSimulatorProcess() {
  // The end of its input ends it; a simulator that hangs is ended all the same.
  if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
  if (!folder_.empty()) {
    const std::string ended = WindowsPathOf(folder_ + "/ended");
    if (!WaitFor([&] { return GetFileAttributesA(ended.c_str()) != INVALID_FILE_ATTRIBUTES; }))
      RunShell("kill -9 $(cat " + ShellQuoted(folder_ + "/pid") + ")");
  }
  if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
}

bool DecoderSimulatorProcess::start(const char* kind, int comNumber, int decoderNumber) {
  folder_ = NewUnixFolder("simulator");
  const std::string link = DosDevicesFolder() + "/com" + std::to_string(comNumber);
  const std::string in = folder_ + "/input";
  const std::string out = folder_ + "/output";
  if (!WriteUnixFile(out, "")) return false;
  // The named pipe exists before the test opens it; the simulator's end is reported by a file.
  if (!RunShell("mkfifo " + ShellQuoted(in))) return false;
  const std::string command = ShellQuoted(ZD_DECODER_SIMULATOR) + " --kind " + kind +
                              " --number " + std::to_string(decoderNumber) + " --link " +
                              ShellQuoted(link) + " <" + ShellQuoted(in) + " >" + ShellQuoted(out);
  if (!StartShell(command + " & echo $! > " + ShellQuoted(folder_ + "/pid") + "; wait $!; touch " +
                  ShellQuoted(folder_ + "/ended")))
    return false;
  // Read and write: opening the pipe then never waits for the simulator to open its end.
  input_ = CreateFileA(WindowsPathOf(in).c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  output_ = CreateFileA(WindowsPathOf(out).c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, 0, nullptr);
  if (input_ == INVALID_HANDLE_VALUE || output_ == INVALID_HANDLE_VALUE) return false;
  return waitForLine("ready ");
}

bool DecoderSimulatorProcess::command(const std::string& line) {
  const std::string text = line + "\n";
  DWORD written = 0;
  return WriteFile(input_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

bool DecoderSimulatorProcess::readOutput() {
  char buffer[4096];
  DWORD n = 0;
  // The file grows as the simulator writes: each read goes on where the last one stopped.
  if (!ReadFile(output_, buffer, sizeof buffer, &n, nullptr) || n == 0) return false;
  partial_.append(buffer, n);
  std::size_t end;
  while ((end = partial_.find('\n')) != std::string::npos) {
    std::string line = partial_.substr(0, end);
    partial_.erase(0, end + 1);
    if (line.rfind("received ", 0) == 0) {
      std::istringstream bytes(line.substr(9));
      unsigned value;
      while (bytes >> std::hex >> value) received_.push_back(static_cast<uint8_t>(value));
    }
    lines_.push_back(line);
  }
  return true;
}

bool DecoderSimulatorProcess::waitForLine(const std::string& prefix) {
  return WaitFor([&] {
    while (readOutput()) {
    }
    for (auto it = lines_.begin(); it != lines_.end(); ++it) {
      if (it->rfind(prefix, 0) == 0) {
        lines_.erase(lines_.begin(), it + 1);
        return true;
      }
    }
    return false;
  });
}

std::vector<uint8_t> DecoderSimulatorProcess::waitForReceived(std::size_t count) {
  WaitFor([&] {
    while (readOutput()) {
    }
    return received_.size() >= count;
  });
  return received_;
}

long long DecoderSimulatorProcess::query(const std::string& word) {
  // The answer is the last line of its kind: earlier lines stay for waitForLine.
  if (!command(word)) return -1;
  long long answer = -1;
  const std::string prefix = word + " ";
  WaitFor([&] {
    while (readOutput()) {
    }
    for (auto it = lines_.begin(); it != lines_.end(); ++it) {
      if (it->rfind(prefix, 0) == 0) {
        answer = std::atoll(it->c_str() + prefix.size());
        lines_.erase(it);
        return true;
      }
    }
    return false;
  });
  return answer;
}

bool DecoderSimulatorProcess::waitUntilWaiting(std::size_t count) {
  long long waiting = -1;
  WaitFor([&] {
    waiting = query("waiting");
    return waiting < 0 || waiting >= static_cast<long long>(count);
  });
  return waiting == static_cast<long long>(count);
}

int DecoderSimulatorProcess::descriptorsOnTerminal() { return static_cast<int>(query("holders")); }

}  // namespace zd_test
