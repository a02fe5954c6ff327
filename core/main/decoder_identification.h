#pragma once
// Telling the timing hardware apart: the identification request sent when the port has been
// opened, and the wait for a decoder's reply. The KV1 interface never answers; a KV2/KV3 decoder
// answers with its link type (USB or Bluetooth) and its number.

#include <cstdint>
#include <functional>
#include <string>

#include "main/decoder_protocol.h"

namespace zd {

// The identification wait of the start-up detection and of the interface dialog.
inline constexpr int64_t kIdentificationWaitMs = 1500;

struct DecoderIdentification {
  DecoderLink link = DecoderLink::Interface;  // no decoder answered
  DecoderNumber number = 0;
};

// Assembles DecoderIdentifyReply messages across reads, sliding one byte at a time over anything
// else. Replies of a link type other than USB or Bluetooth are dropped.
class IdentifyReplyParser {
 public:
  // True when the byte completes a reply of a USB or Bluetooth decoder, which reply() then holds.
  bool push(uint8_t byte);
  void reset() { assembler_.reset(); }
  const DecoderIdentification& reply() const { return reply_; }

 private:
  MessageAssembler assembler_;
  DecoderIdentification reply_;
};

// Sends DecoderIdentifyRequest and reads the replies until a decoder has answered or more than
// 1499 ms have passed by nowMs (milliseconds of a monotonic clock). The reply is looked for only
// between reads, so the last decoder reply of a read is the one taken.
DecoderIdentification IdentifyDecoder(DecoderPortIo& port, const std::function<int64_t()>& nowMs);

// The texts of the start-up detection and the interface dialog.
inline constexpr const char* kComPortFileNotFound = "Error : 'COM port' file not found";
inline constexpr const char* kDetectionCaption = "Message";
// The text shown when the detection is over: the port did not open, or what answered.
std::string DetectionMessage(bool portOpened, const DecoderIdentification& found);

}  // namespace zd
