#include "decoder_simulator_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>

extern char** environ;

namespace zd_test {

namespace {

constexpr int kDeadlineMs = 30000;

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string DosDevicesFolder() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) {
    return std::string(prefix) + "/dosdevices";
  }
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.wine/dosdevices";
}

}  // namespace

DecoderSimulatorProcess::~DecoderSimulatorProcess() {
  if (input_ >= 0) ::close(input_);
  if (pid_ > 0) {
    // The end of its input ends it; a simulator that hangs is ended all the same.
    const int64_t deadline = NowMs() + kDeadlineMs;
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (NowMs() > deadline) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        break;
      }
      readOutput(10);
    }
  }
  if (output_ >= 0) ::close(output_);
}

bool DecoderSimulatorProcess::start(const char* kind, int comNumber, int decoderNumber) {
  int in[2], out[2];
  if (::pipe2(in, O_CLOEXEC) != 0) return false;
  if (::pipe2(out, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  // Wine's own descriptors (its server connection among them) stay with Wine.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);

  const std::string link = DosDevicesFolder() + "/com" + std::to_string(comNumber);
  const std::string number = std::to_string(decoderNumber);
  const char* argv[] = {ZD_DECODER_SIMULATOR, "--kind", kind, "--number", number.c_str(),
                        "--link", link.c_str(), nullptr};
  pid_t pid = -1;
  int failed = ::posix_spawn(&pid, ZD_DECODER_SIMULATOR, &actions, nullptr,
                             const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(out[1]);
  input_ = in[1];
  output_ = out[0];
  if (failed) return false;
  pid_ = pid;
  if (!waitForLine("ready ")) return false;
  return !slavePath_.empty();
}

bool DecoderSimulatorProcess::command(const std::string& line) {
  const std::string text = line + "\n";
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(input_, text.data() + done, text.size() - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool DecoderSimulatorProcess::readOutput(int timeoutMs) {
  pollfd fd = {output_, POLLIN, 0};
  if (::poll(&fd, 1, timeoutMs) <= 0) return false;
  char buffer[4096];
  ssize_t n = ::read(output_, buffer, sizeof buffer);
  if (n <= 0) return false;
  partial_.append(buffer, static_cast<std::size_t>(n));
  std::size_t end;
  while ((end = partial_.find('\n')) != std::string::npos) {
    std::string line = partial_.substr(0, end);
    partial_.erase(0, end + 1);
    if (line.rfind("ready ", 0) == 0) slavePath_ = line.substr(6);
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
  const int64_t deadline = NowMs() + kDeadlineMs;
  for (;;) {
    for (auto it = lines_.begin(); it != lines_.end(); ++it) {
      if (it->rfind(prefix, 0) == 0) {
        lines_.erase(lines_.begin(), it + 1);
        return true;
      }
    }
    if (NowMs() > deadline) return false;
    readOutput(10);
  }
}

std::vector<uint8_t> DecoderSimulatorProcess::waitForReceived(std::size_t count) {
  const int64_t deadline = NowMs() + kDeadlineMs;
  while (received_.size() < count && NowMs() <= deadline) readOutput(10);
  return received_;
}

bool DecoderSimulatorProcess::waitUntilWaiting(std::size_t count) {
  // Asked of the terminal itself, on a descriptor of our own: Wine keeps no other count.
  int slave = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (slave < 0) return false;
  const int64_t deadline = NowMs() + kDeadlineMs;
  bool reached = false;
  for (;;) {
    int waiting = -1;
    if (::ioctl(slave, FIONREAD, &waiting) == 0 && waiting >= static_cast<int>(count)) {
      reached = waiting == static_cast<int>(count);
      break;
    }
    if (NowMs() > deadline) break;
    readOutput(5);
  }
  ::close(slave);
  return reached;
}

int DecoderSimulatorProcess::descriptorsOnTerminal() const {
  int count = 0;
  DIR* folder = ::opendir("/proc/self/fd");
  if (!folder) return -1;
  while (dirent* entry = ::readdir(folder)) {
    const std::string link = std::string("/proc/self/fd/") + entry->d_name;
    char target[256];
    ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n > 0 && slavePath_ == std::string(target, static_cast<std::size_t>(n))) ++count;
  }
  ::closedir(folder);
  return count;
}

}  // namespace zd_test
