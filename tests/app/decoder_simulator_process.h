#pragma once
// The decoder simulator (tools/decoder_simulator) run by a test of the Win32 half: its terminal
// becomes a COM port of the Wine prefix, and the test talks to it through its standard input and
// output. Plain C++ here: the Unix calls stay in the .cpp, away from windows.h.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zd_test {

class DecoderSimulatorProcess {
 public:
  DecoderSimulatorProcess() = default;
  DecoderSimulatorProcess(const DecoderSimulatorProcess&) = delete;
  DecoderSimulatorProcess& operator=(const DecoderSimulatorProcess&) = delete;
  // Ends the simulator (the end of its input), which removes its COM port link.
  ~DecoderSimulatorProcess();

  // Starts the simulator as kind ("kv1", "usb" or "bluetooth") with the decoder number given, and
  // waits until its terminal is linked as COM<comNumber> of the Wine prefix.
  bool start(const char* kind, int comNumber, int decoderNumber = 42);

  // Sends one command line (see the simulator's usage).
  bool command(const std::string& line);
  // Waits, up to the test deadline, for an output line that begins with prefix; that line and
  // the ones before it are used up.
  bool waitForLine(const std::string& prefix);
  // Waits until the bytes received from the program, all reads together, hold at least count
  // bytes; returns them.
  std::vector<uint8_t> waitForReceived(std::size_t count);
  // Waits until the terminal holds count bytes that the program has not read yet.
  bool waitUntilWaiting(std::size_t count);
  // How many descriptors of this process are open on the terminal. Wine keeps one for each
  // handle of the port that has been used, and closes it with the handle.
  int descriptorsOnTerminal() const;

 private:
  bool readOutput(int timeoutMs);

  int pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string slavePath_;
  std::string partial_;
  std::vector<std::string> lines_;  // not matched yet
  std::vector<uint8_t> received_;
};

}  // namespace zd_test
