#pragma once
// The serial (COM) port of the timing hardware: one port for the whole program, kept between the
// calls. The port knows nothing of the byte protocol (core's main/decoder_protocol.h).

#include <cstdint>

#include "main/decoder_protocol.h"

namespace zd {

// Longest port name that the device path "\\.\" + name can hold.
inline constexpr int kMaxPortNameLength = 11;

// Opens "\\.\" + portName (for example "COM5") exclusively, at 9600 baud 8N1 with DTR and RTS on,
// reads that return at once with what has arrived and writes that give up after 100 ms; discards
// whatever the driver holds. Closes the port it kept first, so that opening again never loses an
// open port. Returns 1 when the port is open, else 0 with no port kept (an empty or too long
// name, a missing port or one that refuses the settings).
int OpenDecoderPort(const char* portName);
// Closes the kept port, if any. Returns 1.
int CloseDecoderPort();
// Reads at most count bytes that have arrived; bytesRead may be 0. Non-zero on success, 0 on
// failure (for example with no port open).
int ReadDecoderPort(uint8_t* buffer, uint32_t count, uint32_t& bytesRead);
// Writes count bytes; bytesWritten says how many went out. Non-zero on success.
int WriteDecoderPort(const uint8_t* bytes, uint32_t count, uint32_t& bytesWritten);

// Milliseconds of the performance counter, the clock of the decoder's waits; the tick count if
// there were no counter, so that a wait always ends.
int64_t CounterNowMs();

// The kept port, as the exchanges of the core use it.
class KeptDecoderPort final : public DecoderPortIo {
 public:
  bool read(uint8_t* buffer, uint32_t max, uint32_t& count) override {
    return ReadDecoderPort(buffer, max, count) != 0;
  }
  bool write(const uint8_t* bytes, uint32_t count, uint32_t& written) override {
    return WriteDecoderPort(bytes, count, written) != 0;
  }
};

}  // namespace zd
