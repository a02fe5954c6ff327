#pragma once
// A decoder port made of bytes: each read returns the next chunk given to it (nothing once they
// are used up), and every write is kept. Its clock advances by one step per read, and chunks can
// be held back until a given time, as bytes arriving on a line would be.

#include <cstdint>
#include <deque>
#include <vector>

#include "main/decoder_protocol.h"

namespace zd::test {

using Bytes = std::vector<uint8_t>;

class FakeDecoderPort : public DecoderPortIo {
 public:
  explicit FakeDecoderPort(int64_t msPerRead = 0) : msPerRead_(msPerRead) {}

  // Bytes that a read at or after atMs returns.
  void arrive(Bytes bytes, int64_t atMs = 0) { chunks_.push_back({atMs, std::move(bytes)}); }

  bool read(uint8_t* buffer, uint32_t max, uint32_t& count) override {
    ++reads;
    count = 0;
    nowMs += msPerRead_;
    if (failReads) return false;
    if (!chunks_.empty() && chunks_.front().atMs <= nowMs) {
      Bytes& front = chunks_.front().bytes;
      while (count < max && !front.empty()) {
        buffer[count++] = front.front();
        front.erase(front.begin());
      }
      if (front.empty()) chunks_.pop_front();
    }
    return true;
  }

  bool write(const uint8_t* bytes, uint32_t count, uint32_t& written) override {
    writes.emplace_back(bytes, bytes + count);
    written = count;
    return true;
  }

  int64_t nowMs = 0;
  int reads = 0;
  bool failReads = false;
  std::vector<Bytes> writes;

 private:
  struct Chunk {
    int64_t atMs;
    Bytes bytes;
  };
  std::deque<Chunk> chunks_;
  int64_t msPerRead_;
};

// The 11 bytes of a DecoderPassingMessage.
inline Bytes PassingMessage(uint16_t transponder, uint8_t h, uint8_t m, uint8_t s, uint16_t ticks) {
  return {0xFF, 0xFF, 0xFF, 0xF0, static_cast<uint8_t>(transponder >> 8),
          static_cast<uint8_t>(transponder), h, m, s, static_cast<uint8_t>(ticks >> 8),
          static_cast<uint8_t>(ticks)};
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

}  // namespace zd::test
