#include "main/decoder_identification.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_decoder_port.h"

namespace zd {
namespace {

using test::Bytes;
using test::Join;

Bytes Reply(uint8_t linkType, uint16_t number) {
  return {0xFF, 0xFF, 0xFF, 0x01, linkType, static_cast<uint8_t>(number >> 8),
          static_cast<uint8_t>(number)};
}

struct Arrival {
  int64_t atMs;
  Bytes bytes;
};

TEST(IdentifyDecoder, TellsTheHardwareByItsReply) {
  const Bytes usb = Reply(2, 42);
  struct Case {
    const char* name;
    std::vector<Arrival> arrivals;
    DecoderLink link;
    DecoderNumber number;
  };
  const Case cases[] = {
      {"USB decoder", {{30, usb}}, DecoderLink::UsbDecoder, 42},
      {"Bluetooth decoder", {{30, Reply(18, 65535)}}, DecoderLink::BluetoothDecoder, 65535},
      {"garbage first, then a reply split over two reads",
       {{10, {0x00, 0xFF, 0xFF}}, {20, Join({{0xFF, 0xFF}, Bytes(usb.begin(), usb.begin() + 5)})},
        {900, Bytes(usb.begin() + 5, usb.end())}},
       DecoderLink::UsbDecoder, 42},
      {"type 1 ignored: taken for the KV1 interface", {{30, Reply(1, 42)}}, DecoderLink::Interface, 0},
      {"type 1 ignored, a later USB reply counts", {{30, Join({Reply(1, 9), Reply(2, 7)})}},
       DecoderLink::UsbDecoder, 7},
      {"last decoder reply of the read", {{30, Join({Reply(2, 7), Reply(18, 8), Reply(3, 9)})}},
       DecoderLink::BluetoothDecoder, 8},
      {"a reply after the wait is too late", {{1600, usb}}, DecoderLink::Interface, 0},
      {"silence: the KV1 interface", {}, DecoderLink::Interface, 0},
  };
  for (const Case& c : cases) {
    test::FakeDecoderPort port(10);
    for (const Arrival& a : c.arrivals) port.arrive(a.bytes, a.atMs);
    DecoderIdentification found = IdentifyDecoder(port, [&] { return port.nowMs; });
    EXPECT_EQ(found.link, c.link) << c.name;
    EXPECT_EQ(found.number, c.number) << c.name;
    const Bytes request(DecoderIdentifyRequest.begin(), DecoderIdentifyRequest.end());
    EXPECT_EQ(port.writes, std::vector<Bytes>{request}) << c.name;
  }
}

TEST(IdentifyDecoder, SilentHardwareIsReadForTheWholeWait) {
  test::FakeDecoderPort port(1);
  IdentifyDecoder(port, [&] { return port.nowMs; });
  // Read until more than 1499 ms had passed, then once more with that time, and no longer.
  EXPECT_GE(port.nowMs, 1500);
  EXPECT_LE(port.nowMs, 1502);

  test::FakeDecoderPort failing(1);
  failing.failReads = true;
  EXPECT_EQ(IdentifyDecoder(failing, [&] { return failing.nowMs; }).link, DecoderLink::Interface);
}

TEST(DetectionMessage, SaysWhatWasFound) {
  EXPECT_EQ(DetectionMessage(false, {}),
            "Tentative d'ouverture du port COM :\r\nEchec \xE0 l'ouverture du port COM !");
  EXPECT_EQ(DetectionMessage(true, {}),
            "Interface Zentrik KV1 USB connect\xE9" "e !\r\nLogiciel pr\xEAt \xE0 fonctionner !");
  EXPECT_EQ(DetectionMessage(true, {DecoderLink::UsbDecoder, 42}),
            "D\xE9" "codeur KV2/KV3 USB id.#000042 connect\xE9 !\r\nLogiciel pr\xEAt \xE0 fonctionner !");
  EXPECT_EQ(DetectionMessage(true, {DecoderLink::BluetoothDecoder, 65535}),
            "D\xE9" "codeur KV2/KV3 Bluetooth id.#065535 connect\xE9 !\r\nLogiciel pr\xEAt \xE0 "
            "fonctionner !");
}

}  // namespace
}  // namespace zd
