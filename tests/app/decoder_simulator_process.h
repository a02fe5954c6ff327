#pragma once
// The decoder simulator (tools/decoder_simulator, a Linux program) run by a test of the Windows
// half: its terminal becomes a COM port of the Wine prefix, and the test talks to it through a
// named pipe (its standard input) and a file (its standard output).

#include <windows.h>

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
  // How many descriptors the Wine programs hold open on the terminal. Wine keeps one for each
  // handle of the port that has been used, and closes it with the handle.
  int descriptorsOnTerminal();

 private:
  bool readOutput();
  // Sends a query and returns the number of its answer, or -1.
  long long query(const std::string& word);

  std::string folder_;  // Unix path of the simulator's files
  HANDLE input_ = INVALID_HANDLE_VALUE;
  HANDLE output_ = INVALID_HANDLE_VALUE;
  std::string partial_;
  std::vector<std::string> lines_;  // not matched yet
  std::vector<uint8_t> received_;
};

}  // namespace zd_test
