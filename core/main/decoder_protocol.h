#pragma once
// The byte protocol of the decoder link: the messages exchanged with the KV1 interface and the
// KV2/KV3 decoders, the parsers that find them in the bytes read from the port, and the times of
// a passing. Everything here is fed with bytes and times by its caller, so it runs without a port.
//
// Messages are recognised by their header and their length only: there is no checksum. A decoder
// message is FF FF FF, a marker byte, then a body whose length the marker fixes; bytes that do not
// form such a header are skipped one at a time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/settings.h"
namespace zd {

// What the port offers the exchanges: ReadDecoderPort and WriteDecoderPort, or a test's bytes.
class DecoderPortIo {
 public:
  virtual ~DecoderPortIo() = default;
  // Reads at most max bytes that have arrived, without waiting for more; false on failure.
  virtual bool read(uint8_t* buffer, uint32_t max, uint32_t& count) = 0;
  // Writes count bytes; written receives how many went out.
  virtual bool write(const uint8_t* bytes, uint32_t count, uint32_t& written) = 0;
};

// Every read of the port asks for this much, into a buffer one byte longer.
inline constexpr uint32_t kDecoderReadSize = 255;

using DecoderMessage = std::array<uint8_t, 5>;
// PC to hardware.
inline constexpr DecoderMessage DecoderIdentifyRequest = {0xFF, 0xFF, 0xFF, 0x01, 0x02};
inline constexpr DecoderMessage DecoderKeepAlive = {0xFF, 0xFF, 0xFF, 0xE0, 0x04};
inline constexpr DecoderMessage DecoderClockReset = {0xFF, 0xFF, 0xFF, 0x02, 0x00};

// Marker bytes and whole lengths of the messages the hardware sends.
inline constexpr uint8_t kIdentifyReplyMarker = 0x01;  // DecoderIdentifyReply
inline constexpr int kIdentifyReplyLength = 7;
inline constexpr uint8_t kPassingMarker = 0xF0;  // DecoderPassingMessage
inline constexpr int kPassingLength = 11;
inline constexpr uint8_t kResetReplyMarker = 0x02;  // DecoderClockResetReply
inline constexpr int kResetReplyLength = 7;
inline constexpr int kInterfacePassingLength = 2;  // InterfacePassingMessage

// Link types of a DecoderIdentifyReply.
inline constexpr uint8_t kUsbLinkType = 2;
inline constexpr uint8_t kBluetoothLinkType = 18;

// The DecoderKind texts, compared whole.
// The decoder kinds (kInterfaceKind, kUsbDecoderKind, kBluetoothDecoderKind) are those of the
// interface settings, in files/settings.h.

enum class DecoderLink {
  Unknown,  // a kind text that is none of the three: its bytes are ignored
  Interface,
  UsbDecoder,
  BluetoothDecoder,
};

DecoderLink DecoderLinkOf(std::string_view decoderKind);
// The DecoderKind text of a link; "" for Unknown.
const char* DecoderKindText(DecoderLink link);
inline bool IsDecoder(DecoderLink link) {
  return link == DecoderLink::UsbDecoder || link == DecoderLink::BluetoothDecoder;
}

using TransponderNumber = uint16_t;
using DecoderNumber = uint16_t;

// A number as the program handles it: six decimal digits with leading zeros.
std::string SixDigits(uint16_t number);

// Milliseconds of the decoder clock: ticks run from 18661 to 65535 within a second (46875 a
// second). A tick value below 18661 gives a negative sub-second part, used as it is.
int32_t DecoderTime(uint8_t hours, uint8_t minutes, uint8_t seconds, uint16_t ticks);

// Elapsed time of a KV2/KV3 passing in the running series.
int64_t DecoderElapsed(int32_t decoderTime, int64_t seriesTimeOrigin);
// Elapsed time of a KV1 passing timed by the performance counter: (count - pcStartCount) * 1000 /
// frequency - seriesTimeOrigin, truncating. With a frequency of 0 elapsed is left as it was and
// the result is false.
bool InterfaceElapsed(int64_t count, int64_t pcStartCount, int64_t frequency,
                      int64_t seriesTimeOrigin, int64_t& elapsed);
// Counter ticks as milliseconds, truncating, without overflowing for any count.
int64_t CounterMilliseconds(int64_t ticks, int64_t frequency);

// Assembles messages FF FF FF <marker> <body>, sliding one byte at a time over bytes that do not
// begin such a header. Which markers are accepted, and their lengths, is given with each byte.
class MessageAssembler {
 public:
  static constexpr int kMaxLength = kPassingLength;

  struct Accepted {
    uint8_t marker;
    int length;  // the whole message, header included; 5 to kMaxLength
  };

  // Takes one byte; returns the message's length when the byte completes one (bytes() then holds
  // it until the next push), else 0.
  int push(uint8_t byte, const Accepted* accepted, std::size_t acceptedCount);
  void reset() { position_ = 0; length_ = 0; }
  // Drops the first byte of the message just completed and searches its other bytes again for a
  // header: a message cut short on the line holds the beginning of the next one. Returns the
  // length of a message that the last of those bytes completes (bytes() then holds it), else 0.
  int resync(const Accepted* accepted, std::size_t acceptedCount);
  // Once a message has been taken: its last bytes, when they are FF, are kept as the beginning
  // of the next header. A message cut short by one or two bytes is completed with the next
  // message's first FF bytes, and its clock can still be a time.
  void keepTrailingHeaderBytes();
  int position() const { return position_; }
  const uint8_t* bytes() const { return bytes_.data(); }

 private:
  std::array<uint8_t, kMaxLength> bytes_{};
  int position_ = 0;
  int length_ = 0;  // of the message whose header is held
};

// One passing as read from the link.
struct DecoderPassing {
  TransponderNumber transponder = 0;
  // The decoder clock at the passing (KV2/KV3 only).
  uint8_t hours = 0;
  uint8_t minutes = 0;
  uint8_t seconds = 0;
  uint16_t ticks = 0;
  int32_t decoderTime = 0;
};

// A KV1 byte still without its partner at a read made more than this long after it was read is
// taken for a lost byte's partner and dropped, whatever that read brings: the two bytes of a
// passing take about 2 ms on the line, so the partner of a byte comes with the very next read,
// which the 100 ms timer makes at most about 110 ms later.
inline constexpr int64_t kInterfacePartnerWaitMs = 150;

// Whether the clock fields of a DecoderPassingMessage can be a time at all: minutes and seconds
// below 60, sub-second ticks within 18661 to 65535. A message cut short on the line and completed
// with the next message's bytes rarely passes.
bool IsDecoderClock(uint8_t minutes, uint8_t seconds, uint16_t ticks);

// Assembles passings from the bytes read, across reads and timer ticks: a message split over two
// reads completes on the second. One parser serves the running series, the start on the first
// passing, the transponder scan and the reconnection.
class PassingParser {
 public:
  enum class Parsed {
    Nothing,
    Passing,        // passing() holds it
    IdentifyReply,  // replyLinkType() and replyNumber() hold it (only while reconnecting)
  };

  // Announces the bytes of one read, made at nowMs on a monotonic clock; call it for every read,
  // also one that failed or brought nothing (count 0). A KV1 byte left alone at the end of a
  // read and still alone at a read more than kInterfacePartnerWaitMs later is dropped, so that a
  // lost byte does not pair every later byte with the wrong partner.
  void beginRead(DecoderLink link, int64_t nowMs);

  // Parses one byte by the kind of link; returns Passing when it completes a message. A KV1
  // passing carries its transponder only: the caller times it when it completes. A KV2/KV3
  // message whose clock cannot be a time is dropped, and its bytes after the first are searched
  // again for the header of the message that cut it short.
  Parsed push(DecoderLink link, uint8_t byte);

  // During a reconnection on a USB decoder: a DecoderIdentifyReply is recognised besides the
  // passings, which keep their state across the reads of the wait and into the series after it.
  Parsed pushReconnecting(uint8_t byte);

  // Feeds one read: beginRead, then every byte in order; onPassing(const DecoderPassing&) runs
  // at once for each passing, before the next byte is parsed.
  template <typename OnPassing>
  void feed(DecoderLink link, const uint8_t* bytes, std::size_t count, int64_t nowMs,
            OnPassing&& onPassing) {
    beginRead(link, nowMs);
    for (std::size_t i = 0; i < count; ++i) {
      if (push(link, bytes[i]) == Parsed::Passing) onPassing(passing_);
    }
  }

  // Start button, accepted clock reset.
  void reset();

  int position() const;
  const DecoderPassing& passing() const { return passing_; }
  // The link type and the DecoderNumber of the last reply recognised by pushReconnecting.
  uint8_t replyLinkType() const { return replyLinkType_; }
  DecoderNumber replyNumber() const { return replyNumber_; }

 private:
  // The passing held by the assembler, or Nothing when its clock cannot be a time (after which
  // the assembler has searched its bytes again; a reply found there is returned when allowed).
  Parsed completePassing(bool repliesAllowed);
  Parsed completeReply();

  MessageAssembler assembler_;
  // KV1: the first byte of a pair, held until its partner comes.
  bool holdsInterfaceByte_ = false;
  uint8_t interfaceByte_ = 0;
  int64_t interfaceByteReadMs_ = 0;
  int64_t readMs_ = 0;  // of the read being parsed
  DecoderPassing passing_;
  uint8_t replyLinkType_ = 0;
  DecoderNumber replyNumber_ = 0;
};

// Assembles passing messages for their transponder alone, whatever their clock bytes say: the
// transponder scan never uses the time (the race control's parser drops a message whose clock
// cannot be a time).
class PassingNumberParser {
 public:
  // True when the byte completes a passing message; transponder() then holds its number.
  bool push(uint8_t byte);
  void reset() { assembler_.reset(); }
  TransponderNumber transponder() const { return transponder_; }

 private:
  MessageAssembler assembler_;
  TransponderNumber transponder_ = 0;
};

// Assembles the DecoderClockResetReply, apart from the passings.
class ResetReplyParser {
 public:
  enum class Parsed { Nothing, Accepted, Refused };
  // A complete reply is accepted when its clock reads 0:00:00; the parser starts again either way.
  Parsed push(uint8_t byte);
  void reset() { assembler_.reset(); }
  int position() const { return assembler_.position(); }

 private:
  MessageAssembler assembler_;
};

// The clock reset at the end of a KV2/KV3 countdown, one step per timer tick, with no time limit.
class ClockResetExchange {
 public:
  // Sends the reset when it is not sent yet (after draining the port), then parses one read.
  // Returns true on the step at which the decoder reports its clock at zero: the caller then takes
  // PcStartCount and resets its PassingParser. A refused reply makes the next step send again.
  bool step(DecoderPortIo& port);
  // Start button: nothing sent, no reply begun.
  void reset();
  bool sent() const { return sent_; }
  const ResetReplyParser& parser() const { return parser_; }

 private:
  ResetReplyParser parser_;
  bool sent_ = false;
};

// One read of at most kDecoderReadSize bytes, thrown away.
void DrainDecoderPort(DecoderPortIo& port);
// Writes a 5-byte message; returns the number of bytes written (0 when the write failed).
uint32_t SendDecoderMessage(DecoderPortIo& port, const DecoderMessage& message);

}  // namespace zd
