#include "main/decoder_identification.h"

#include <cstdio>

namespace zd {

namespace {

constexpr MessageAssembler::Accepted kIdentifyReply[] = {
    {kIdentifyReplyMarker, kIdentifyReplyLength}};

}  // namespace

bool IdentifyReplyParser::push(uint8_t byte) {
  if (assembler_.push(byte, kIdentifyReply, std::size(kIdentifyReply)) == 0) return false;
  const uint8_t* b = assembler_.bytes();
  DecoderLink link;
  if (b[4] == kUsbLinkType) {
    link = DecoderLink::UsbDecoder;
  } else if (b[4] == kBluetoothLinkType) {
    link = DecoderLink::BluetoothDecoder;
  } else {
    return false;
  }
  reply_.link = link;
  reply_.number = static_cast<DecoderNumber>(b[5] << 8 | b[6]);
  return true;
}

DecoderIdentification IdentifyDecoder(DecoderPortIo& port,
                                      const std::function<int64_t()>& nowMs) {
  SendDecoderMessage(port, DecoderIdentifyRequest);
  const int64_t start = nowMs();
  int64_t elapsed = 0;
  IdentifyReplyParser parser;
  bool answered = false;
  while (!answered && elapsed <= kIdentificationWaitMs - 1) {
    elapsed = nowMs() - start;
    uint8_t buffer[kDecoderReadSize + 1] = {};
    uint32_t count = 0;
    if (!port.read(buffer, kDecoderReadSize, count)) continue;
    for (uint32_t i = 0; i < count && i < kDecoderReadSize; ++i) {
      if (parser.push(buffer[i])) answered = true;
    }
  }
  return answered ? parser.reply() : DecoderIdentification{};
}

std::string DetectionMessage(bool portOpened, const DecoderIdentification& found) {
  if (!portOpened) return "Tentative d'ouverture du port COM :\r\nEchec à l'ouverture du port COM !";
  const char* link = nullptr;
  switch (found.link) {
    case DecoderLink::UsbDecoder: link = "USB"; break;
    case DecoderLink::BluetoothDecoder: link = "Bluetooth"; break;
    default:
      return "Interface Zentrik KV1 USB connectée !\r\nLogiciel prêt à fonctionner !";
  }
  char text[95];
  std::snprintf(text, sizeof text,
                "Décodeur KV2/KV3 %s id.#%s connecté !\r\nLogiciel prêt à fonctionner !", link,
                SixDigits(found.number).c_str());
  return text;
}

}  // namespace zd
