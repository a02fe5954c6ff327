#include "main/decoder_protocol.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace zd {

DecoderLink DecoderLinkOf(std::string_view decoderKind) {
  if (decoderKind == kInterfaceKind) return DecoderLink::Interface;
  if (decoderKind == kUsbDecoderKind) return DecoderLink::UsbDecoder;
  if (decoderKind == kBluetoothDecoderKind) return DecoderLink::BluetoothDecoder;
  return DecoderLink::Unknown;
}

const char* DecoderKindText(DecoderLink link) {
  switch (link) {
    case DecoderLink::Interface: return kInterfaceKind;
    case DecoderLink::UsbDecoder: return kUsbDecoderKind;
    case DecoderLink::BluetoothDecoder: return kBluetoothDecoderKind;
    case DecoderLink::Unknown: break;
  }
  return "";
}

std::string SixDigits(uint16_t number) {
  char text[8];
  std::snprintf(text, sizeof text, "%06u", static_cast<unsigned>(number));
  return text;
}

int32_t DecoderTime(uint8_t hours, uint8_t minutes, uint8_t seconds, uint16_t ticks) {
  return hours * 3600000 + minutes * 60000 + seconds * 1000 + ((ticks - 18661) * 256) / 12000;
}

int64_t DecoderElapsed(int32_t decoderTime, int64_t seriesTimeOrigin) {
  return static_cast<int64_t>(decoderTime) - seriesTimeOrigin;
}

int64_t CounterMilliseconds(int64_t ticks, int64_t frequency) {
  // ticks * 1000 / frequency, split so that the product cannot overflow; both parts truncate
  // toward zero with the same sign, so the sum equals the truncated quotient.
  return ticks / frequency * 1000 + ticks % frequency * 1000 / frequency;
}

bool InterfaceElapsed(int64_t count, int64_t pcStartCount, int64_t frequency,
                      int64_t seriesTimeOrigin, int64_t& elapsed) {
  if (frequency == 0) return false;
  elapsed = CounterMilliseconds(count - pcStartCount, frequency) - seriesTimeOrigin;
  return true;
}

int MessageAssembler::push(uint8_t byte, const Accepted* accepted, std::size_t acceptedCount) {
  bytes_[position_++] = byte;
  if (position_ < 4) return 0;
  if (position_ == 4) {
    length_ = 0;
    if (bytes_[0] == 0xFF && bytes_[1] == 0xFF && bytes_[2] == 0xFF) {
      for (std::size_t i = 0; i < acceptedCount; ++i) {
        if (accepted[i].marker == bytes_[3]) length_ = accepted[i].length;
      }
    }
    if (length_ == 0) {
      // Not a header: the search goes on from the next byte.
      std::memmove(bytes_.data(), bytes_.data() + 1, 3);
      position_ = 3;
      return 0;
    }
  }
  if (position_ < length_) return 0;
  position_ = 0;
  return length_;
}

int MessageAssembler::resync(const Accepted* accepted, std::size_t acceptedCount) {
  const std::array<uint8_t, kMaxLength> held = bytes_;
  const int length = length_;
  reset();
  int completed = 0;
  for (int i = 1; i < length; ++i) completed = push(held[i], accepted, acceptedCount);
  return completed;
}

void MessageAssembler::keepTrailingHeaderBytes() {
  int kept = 0;
  while (kept < 3 && kept < length_ - 4 && bytes_[length_ - 1 - kept] == 0xFF) ++kept;
  std::fill(bytes_.begin(), bytes_.begin() + kept, uint8_t{0xFF});
  position_ = kept;
}

bool IsDecoderClock(uint8_t minutes, uint8_t seconds, uint16_t ticks) {
  return minutes < 60 && seconds < 60 && ticks >= 18661;
}

namespace {

constexpr MessageAssembler::Accepted kPassingOnly[] = {{kPassingMarker, kPassingLength}};
constexpr MessageAssembler::Accepted kPassingOrReply[] = {
    {kPassingMarker, kPassingLength}, {kIdentifyReplyMarker, kIdentifyReplyLength}};
constexpr MessageAssembler::Accepted kResetReply[] = {{kResetReplyMarker, kResetReplyLength}};

// The transponder of a complete DecoderPassingMessage.
TransponderNumber MessageTransponder(const uint8_t* b) {
  return static_cast<TransponderNumber>(b[4] << 8 | b[5]);
}

}  // namespace

void PassingParser::beginRead(DecoderLink link, int64_t nowMs) {
  readMs_ = nowMs;
  if (link == DecoderLink::Interface && holdsInterfaceByte_ &&
      nowMs - interfaceByteReadMs_ > kInterfacePartnerWaitMs) {
    holdsInterfaceByte_ = false;
  }
}

PassingParser::Parsed PassingParser::push(DecoderLink link, uint8_t byte) {
  switch (link) {
    case DecoderLink::Interface:
      if (!holdsInterfaceByte_) {
        holdsInterfaceByte_ = true;
        interfaceByte_ = byte;
        interfaceByteReadMs_ = readMs_;
        return Parsed::Nothing;
      }
      holdsInterfaceByte_ = false;
      passing_ = DecoderPassing{};
      passing_.transponder = static_cast<TransponderNumber>(interfaceByte_ << 8 | byte);
      return Parsed::Passing;
    case DecoderLink::UsbDecoder:
    case DecoderLink::BluetoothDecoder: {
      // A reply whose header was taken while reconnecting completes here: it is no passing.
      int length = assembler_.push(byte, kPassingOnly, std::size(kPassingOnly));
      return length == kPassingLength ? completePassing(false) : Parsed::Nothing;
    }
    case DecoderLink::Unknown: break;
  }
  return Parsed::Nothing;
}

PassingParser::Parsed PassingParser::pushReconnecting(uint8_t byte) {
  int length = assembler_.push(byte, kPassingOrReply, std::size(kPassingOrReply));
  if (length == kPassingLength) return completePassing(true);
  return length == kIdentifyReplyLength ? completeReply() : Parsed::Nothing;
}

PassingParser::Parsed PassingParser::completeReply() {
  const uint8_t* b = assembler_.bytes();
  replyLinkType_ = b[4];
  replyNumber_ = static_cast<DecoderNumber>(b[5] << 8 | b[6]);
  return Parsed::IdentifyReply;
}

PassingParser::Parsed PassingParser::completePassing(bool repliesAllowed) {
  const uint8_t* b = assembler_.bytes();
  const auto ticks = static_cast<uint16_t>(b[9] << 8 | b[10]);
  if (!IsDecoderClock(b[7], b[8], ticks)) {
    // Only a reply can complete within the ten bytes searched again: a passing needs eleven.
    if (!repliesAllowed) {
      assembler_.resync(kPassingOnly, std::size(kPassingOnly));
      return Parsed::Nothing;
    }
    return assembler_.resync(kPassingOrReply, std::size(kPassingOrReply)) == kIdentifyReplyLength
               ? completeReply()
               : Parsed::Nothing;
  }
  passing_.transponder = MessageTransponder(b);
  passing_.hours = b[6];
  passing_.minutes = b[7];
  passing_.seconds = b[8];
  passing_.ticks = static_cast<uint16_t>(b[9] << 8 | b[10]);
  passing_.decoderTime = DecoderTime(b[6], b[7], b[8], passing_.ticks);
  assembler_.keepTrailingHeaderBytes();
  return Parsed::Passing;
}

void PassingParser::reset() {
  assembler_.reset();
  holdsInterfaceByte_ = false;
}

int PassingParser::position() const {
  return holdsInterfaceByte_ ? 1 : assembler_.position();
}

bool PassingNumberParser::push(uint8_t byte) {
  if (assembler_.push(byte, kPassingOnly, std::size(kPassingOnly)) != kPassingLength) return false;
  transponder_ = MessageTransponder(assembler_.bytes());
  assembler_.keepTrailingHeaderBytes();
  return true;
}

ResetReplyParser::Parsed ResetReplyParser::push(uint8_t byte) {
  if (assembler_.push(byte, kResetReply, std::size(kResetReply)) == 0) return Parsed::Nothing;
  const uint8_t* b = assembler_.bytes();
  return b[4] == 0 && b[5] == 0 && b[6] == 0 ? Parsed::Accepted : Parsed::Refused;
}

bool ClockResetExchange::step(DecoderPortIo& port) {
  if (!sent_) {
    DrainDecoderPort(port);
    SendDecoderMessage(port, DecoderClockReset);
    sent_ = true;
  }
  uint8_t buffer[kDecoderReadSize + 1] = {};
  uint32_t count = 0;
  if (!port.read(buffer, kDecoderReadSize, count)) return false;
  for (uint32_t i = 0; i < count && i < kDecoderReadSize; ++i) {
    switch (parser_.push(buffer[i])) {
      case ResetReplyParser::Parsed::Accepted:
        // The rest of the read came before the clock restarted: it is not a passing of the series.
        reset();
        return true;
      case ResetReplyParser::Parsed::Refused:
        sent_ = false;  // the next step drains and sends again
        break;
      case ResetReplyParser::Parsed::Nothing:
        break;
    }
  }
  return false;
}

void ClockResetExchange::reset() {
  parser_.reset();
  sent_ = false;
}

void DrainDecoderPort(DecoderPortIo& port) {
  uint8_t buffer[kDecoderReadSize + 1];
  uint32_t count = 0;
  port.read(buffer, kDecoderReadSize, count);
}

uint32_t SendDecoderMessage(DecoderPortIo& port, const DecoderMessage& message) {
  uint32_t written = 0;
  if (!port.write(message.data(), static_cast<uint32_t>(message.size()), written)) return 0;
  return written;
}

}  // namespace zd
