// A stand-in for the timing hardware, for tests and for trying the program without it. It opens a
// pseudo-terminal pair and speaks on the master side as a KV1 interface or a KV2/KV3 decoder on
// USB or Bluetooth; the program reaches the slave side as a COM port through a link in the Wine
// prefix's dosdevices folder.
//
//   decoder_simulator --kind kv1|usb|bluetooth [--number N] [--link PATH] [--script FILE]
//
// Commands, one a line, from the script and then from standard input, carried out in order:
//   TRANSPONDER          a passing now
//   TRANSPONDER TIME     a passing when the decoder clock reads TIME milliseconds (the clock
//                        starts with the simulator and again at each clock reset); later commands
//                        wait for it
//   raw XX XX ...        these bytes (hexadecimal), as they are
//   quit                 ends the simulator
//   waiting              reports at once "waiting N": the bytes sent that the program has not
//                        read yet
//   holders              reports at once "holders N": the descriptors that other processes (the
//                        Wine server apart) hold open on the terminal
//   # ...                a comment
// Standard output reports, one a line: "ready SLAVE-PATH", "received XX XX ...",
// "answered identification", "answered clock reset", "keep-alive", "sent passing NNNNNN at MS",
// "sent bytes N", and "error ..." for a command it cannot read. Without a script, the simulator
// ends once standard input has ended and its commands are carried out.
//
// The simulator's own protocol code is written apart from the program's on purpose: a test that
// runs both checks one against the other.

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

enum class Kind { Interface, Usb, Bluetooth };

volatile sig_atomic_t stopRequested = 0;

void OnSignal(int) { stopRequested = 1; }

int64_t MonotonicMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void Report(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::string Hex(const uint8_t* bytes, std::size_t n) {
  std::string text;
  char item[4];
  for (std::size_t i = 0; i < n; ++i) {
    std::snprintf(item, sizeof item, i ? " %02X" : "%02X", bytes[i]);
    text += item;
  }
  return text;
}

struct Command {
  enum Type { Passing, Raw, Quit, Waiting, Holders } type = Passing;
  uint16_t transponder = 0;
  std::optional<int64_t> atMs;  // on the decoder clock
  Bytes bytes;
};

bool ParseNumber(const std::string& text, long long min, long long max, long long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0' && value >= min && value <= max;
}

// Reads one command line; false with a message for a line it cannot read. Empty lines and
// comments give no command.
bool ParseCommand(const std::string& line, std::optional<Command>& command, std::string& error) {
  command.reset();
  std::istringstream in(line);
  std::string word;
  if (!(in >> word) || word[0] == '#') return true;
  Command c;
  if (word == "quit") {
    c.type = Command::Quit;
  } else if (word == "waiting") {
    c.type = Command::Waiting;
  } else if (word == "holders") {
    c.type = Command::Holders;
  } else if (word == "raw") {
    c.type = Command::Raw;
    std::string item;
    while (in >> item) {
      char* end = nullptr;
      unsigned long value = std::strtoul(item.c_str(), &end, 16);
      if (item.size() > 2 || *end != '\0' || value > 0xFF) {
        error = "not a byte: " + item;
        return false;
      }
      c.bytes.push_back(static_cast<uint8_t>(value));
    }
  } else {
    long long value = 0;
    if (!ParseNumber(word, 0, 65535, value)) {
      error = "not a transponder number (0 to 65535): " + word;
      return false;
    }
    c.transponder = static_cast<uint16_t>(value);
    std::string time;
    if (in >> time) {
      if (!ParseNumber(time, 0, 255LL * 3600000, value)) {
        error = "not a time in milliseconds: " + time;
        return false;
      }
      c.atMs = value;
    }
    std::string extra;
    if (in >> extra) {
      error = "unexpected: " + extra;
      return false;
    }
  }
  command = std::move(c);
  return true;
}

class Simulator {
 public:
  Simulator(Kind kind, uint16_t number) : kind_(kind), number_(number) {}
  ~Simulator() {
    RemoveLink();
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
  }

  bool OpenTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return false;
    const char* name = ::ptsname(master_);
    if (!name) return false;
    slavePath_ = name;
    // Kept open for the simulator's life: bytes sent before the program opens the port wait in
    // the terminal, and the master never sees a hang-up when the program closes its side.
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) return false;
    termios mode;
    if (::tcgetattr(slave_, &mode) != 0) return false;
    ::cfmakeraw(&mode);  // no echo, no line editing: bytes pass as they are
    return ::tcsetattr(slave_, TCSANOW, &mode) == 0;
  }

  bool MakeLink(const std::string& path) {
    char target[4096];
    ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    if (n >= 0 || errno == ENOENT) {
      if (n >= 0) ::unlink(path.c_str());
    } else {
      std::fprintf(stderr, "decoder_simulator: %s exists and is not a link\n", path.c_str());
      return false;
    }
    if (::symlink(slavePath_.c_str(), path.c_str()) != 0) {
      std::perror(("decoder_simulator: " + path).c_str());
      return false;
    }
    linkPath_ = path;
    return true;
  }

  const std::string& slavePath() const { return slavePath_; }
  int master() const { return master_; }

  // Queries are answered at once; everything else waits its turn.
  void Queue(Command command) {
    if (command.type == Command::Waiting) {
      int waiting = -1;
      if (::ioctl(slave_, FIONREAD, &waiting) != 0) waiting = -1;
      Report("waiting " + std::to_string(waiting));
    } else if (command.type == Command::Holders) {
      Report("holders " + std::to_string(CountHolders()));
    } else {
      commands_.push_back(std::move(command));
    }
  }
  bool HasCommands() const { return !commands_.empty(); }

  // Carries out the commands that are due; returns how long until the next one is, -1 for none
  // waiting on the clock. Sets quit when a quit command came.
  int RunDueCommands(bool& quit) {
    while (!commands_.empty()) {
      Command& c = commands_.front();
      if (c.type == Command::Quit) {
        quit = true;
        return -1;
      }
      if (c.type == Command::Raw) {
        Send(c.bytes);
        Report("sent bytes " + std::to_string(c.bytes.size()));
      } else {
        int64_t now = ClockMs();
        if (c.atMs && *c.atMs > now) return static_cast<int>(std::min<int64_t>(*c.atMs - now, 1000));
        SendPassing(c.transponder, c.atMs.value_or(now));
      }
      commands_.pop_front();
    }
    return -1;
  }

  // Bytes from the program.
  void Receive(const uint8_t* bytes, std::size_t n) {
    Report("received " + Hex(bytes, n));
    for (std::size_t i = 0; i < n; ++i) {
      window_.push_back(bytes[i]);
      if (window_.size() > 5) window_.erase(window_.begin());
      if (window_.size() == 5) Answer();
    }
  }

 private:
  int64_t ClockMs() const { return MonotonicMs() - clockStartMs_; }

  void Answer() {
    static const Bytes kIdentify = {0xFF, 0xFF, 0xFF, 0x01, 0x02};
    static const Bytes kReset = {0xFF, 0xFF, 0xFF, 0x02, 0x00};
    static const Bytes kKeepAlive = {0xFF, 0xFF, 0xFF, 0xE0, 0x04};
    // The KV1 interface answers nothing.
    if (kind_ == Kind::Interface) return;
    if (window_ == kIdentify) {
      uint8_t type = kind_ == Kind::Usb ? 0x02 : 0x12;
      Send({0xFF, 0xFF, 0xFF, 0x01, type, static_cast<uint8_t>(number_ >> 8),
            static_cast<uint8_t>(number_)});
      Report("answered identification");
    } else if (window_ == kReset) {
      clockStartMs_ = MonotonicMs();
      Send({0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00});
      Report("answered clock reset");
    } else if (window_ == kKeepAlive) {
      Report("keep-alive");
    } else {
      return;
    }
    window_.clear();
  }

  void SendPassing(uint16_t transponder, int64_t atMs) {
    const uint8_t high = static_cast<uint8_t>(transponder >> 8);
    const uint8_t low = static_cast<uint8_t>(transponder);
    if (kind_ == Kind::Interface) {
      Send({high, low});
    } else {
      // The sub-second ticks run 46875 a second from 18661; the smallest tick count that the
      // program turns back into these milliseconds.
      const int64_t ms = atMs % 1000;
      const uint16_t ticks = static_cast<uint16_t>(18661 + (ms * 12000 + 255) / 256);
      Send({0xFF, 0xFF, 0xFF, 0xF0, high, low, static_cast<uint8_t>(atMs / 3600000),
            static_cast<uint8_t>(atMs / 60000 % 60), static_cast<uint8_t>(atMs / 1000 % 60),
            static_cast<uint8_t>(ticks >> 8), static_cast<uint8_t>(ticks)});
    }
    char text[64];
    std::snprintf(text, sizeof text, "sent passing %06u at %lld", transponder,
                  static_cast<long long>(atMs));
    Report(text);
  }

  void Send(const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        Report(std::string("error writing to the terminal: ") + std::strerror(errno));
        return;
      }
      done += static_cast<std::size_t>(n);
    }
  }

  // Descriptors open on the slave in other processes. The Wine server keeps copies of its clients'
  // descriptors as it likes, so only those of the programs themselves are counted.
  int CountHolders() const {
    int count = 0;
    DIR* processes = ::opendir("/proc");
    if (!processes) return -1;
    const std::string self = std::to_string(::getpid());
    while (dirent* process = ::readdir(processes)) {
      const std::string pid = process->d_name;
      if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid == self)
        continue;
      std::ifstream comm("/proc/" + pid + "/comm");
      std::string name;
      // "wineserver", or "wineserver64" as Debian names it.
      if (std::getline(comm, name) && name.rfind("wineserver", 0) == 0) continue;
      const std::string folder = "/proc/" + pid + "/fd";
      DIR* fds = ::opendir(folder.c_str());
      if (!fds) continue;
      while (dirent* fd = ::readdir(fds)) {
        const std::string link = folder + "/" + fd->d_name;
        char target[4096];
        ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
        if (n > 0 && slavePath_ == std::string(target, static_cast<std::size_t>(n))) ++count;
      }
      ::closedir(fds);
    }
    ::closedir(processes);
    return count;
  }

  void RemoveLink() {
    if (linkPath_.empty()) return;
    char target[4096];
    ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
    if (n >= 0 && slavePath_ == std::string(target, static_cast<std::size_t>(n))) {
      ::unlink(linkPath_.c_str());
    }
  }

  Kind kind_;
  uint16_t number_;
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
  std::string linkPath_;
  int64_t clockStartMs_ = MonotonicMs();
  std::deque<Command> commands_;
  Bytes window_;  // the last bytes received, to spot the requests
};

int Usage() {
  std::fputs(
      "usage: decoder_simulator --kind kv1|usb|bluetooth [--number N] [--link PATH] "
      "[--script FILE]\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<Kind> kind;
  long long number = 1;
  std::string link;
  std::string script;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (i + 1 >= argc) return Usage();
    std::string value = argv[++i];
    if (option == "--kind") {
      if (value == "kv1") kind = Kind::Interface;
      else if (value == "usb") kind = Kind::Usb;
      else if (value == "bluetooth") kind = Kind::Bluetooth;
      else return Usage();
    } else if (option == "--number") {
      if (!ParseNumber(value, 0, 65535, number)) return Usage();
    } else if (option == "--link") {
      link = value;
    } else if (option == "--script") {
      script = value;
    } else {
      return Usage();
    }
  }
  if (!kind) return Usage();

  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);

  Simulator simulator(*kind, static_cast<uint16_t>(number));
  if (!simulator.OpenTerminal()) {
    std::perror("decoder_simulator: pseudo-terminal");
    return 1;
  }
  if (!script.empty()) {
    std::ifstream in(script);
    if (!in) {
      std::fprintf(stderr, "decoder_simulator: cannot read %s\n", script.c_str());
      return 1;
    }
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
      std::optional<Command> command;
      std::string error;
      if (!ParseCommand(line, command, error)) {
        std::fprintf(stderr, "decoder_simulator: %s:%d: %s\n", script.c_str(), lineNumber,
                     error.c_str());
        return 1;
      }
      if (command) simulator.Queue(std::move(*command));
    }
  }
  if (!link.empty() && !simulator.MakeLink(link)) return 1;
  Report("ready " + simulator.slavePath());

  bool inputOpen = true;
  std::string pending;  // a partial line of standard input
  bool quit = false;
  while (!stopRequested && !quit) {
    int timeout = simulator.RunDueCommands(quit);
    if (quit) break;
    if (!inputOpen && script.empty() && !simulator.HasCommands()) break;
    pollfd fds[2] = {{simulator.master(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    int ready = ::poll(fds, inputOpen ? 2 : 1, timeout);
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[0].revents & POLLIN) {
      uint8_t buffer[4096];
      ssize_t n = ::read(simulator.master(), buffer, sizeof buffer);
      if (n > 0) simulator.Receive(buffer, static_cast<std::size_t>(n));
    }
    if (inputOpen && (fds[1].revents & (POLLIN | POLLHUP))) {
      char buffer[4096];
      ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
      if (n <= 0) {
        inputOpen = false;
        continue;
      }
      pending.append(buffer, static_cast<std::size_t>(n));
      std::size_t end;
      while ((end = pending.find('\n')) != std::string::npos) {
        std::optional<Command> command;
        std::string error;
        if (!ParseCommand(pending.substr(0, end), command, error)) Report("error " + error);
        if (command) simulator.Queue(std::move(*command));
        pending.erase(0, end + 1);
      }
    }
  }
  return 0;
}
