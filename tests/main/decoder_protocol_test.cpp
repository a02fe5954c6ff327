#include "main/decoder_protocol.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fake_decoder_port.h"

namespace zd {
namespace {

using test::Bytes;
using test::Join;
using test::PassingMessage;

TEST(DecoderTime, TicksAreTheMillisecondsWithinTheSecond) {
  struct Case {
    uint8_t h, m, s;
    uint16_t ticks;
    int32_t ms;
  };
  const Case cases[] = {
      {0, 0, 0, 0x48E5, 0},          // 18661, the first tick of a second
      {0, 0, 0, 0xFFFF, 999},        // the last tick
      {1, 2, 3, 18661, 3723000},
      {0, 0, 1, 0, 1000 - 398},      // below 18661: negative, truncated toward zero
      {255, 59, 59, 0xFFFF, 921599999},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecoderTime(c.h, c.m, c.s, c.ticks), c.ms) << c.ticks;
  }
}

TEST(DecoderTime, ElapsedTimesOfBothKinds) {
  EXPECT_EQ(DecoderElapsed(-398, 1000), -1398);
  EXPECT_EQ(DecoderElapsed(INT32_MAX, -1), int64_t{INT32_MAX} + 1);  // in 64 bits

  int64_t elapsed = 77;
  EXPECT_FALSE(InterfaceElapsed(5000, 0, 0, 0, elapsed));  // no counter: the time stays
  EXPECT_EQ(elapsed, 77);
  EXPECT_TRUE(InterfaceElapsed(12345679, 10000000, 10000000, 200, elapsed));
  EXPECT_EQ(elapsed, 234 - 200);
  EXPECT_TRUE(InterfaceElapsed(0, 15, 10, 0, elapsed));  // before the start: truncated toward 0
  EXPECT_EQ(elapsed, -1500);
  // A counter that has run for a long time must not overflow the product with 1000.
  EXPECT_TRUE(InterfaceElapsed(INT64_MAX, 0, 1000000000, 0, elapsed));
  EXPECT_EQ(elapsed, INT64_MAX / 1000000);
}

TEST(DecoderLink, KindTextsCompareWhole) {
  EXPECT_EQ(DecoderLinkOf("Zentrik"), DecoderLink::Interface);
  EXPECT_EQ(DecoderLinkOf("ZentrikKV2"), DecoderLink::UsbDecoder);
  EXPECT_EQ(DecoderLinkOf("ZentrikKV2Bluetooth"), DecoderLink::BluetoothDecoder);
  for (const char* other : {"", "zentrik", "ZentrikKV2 ", "ZentrikKV", "ZentrikKV3"}) {
    EXPECT_EQ(DecoderLinkOf(other), DecoderLink::Unknown) << other;
  }
  EXPECT_EQ(SixDigits(0x002A), "000042");
  EXPECT_EQ(SixDigits(65535), "065535");
}

struct Seen {
  std::size_t read;  // index of the read in which the passing completed
  std::string transponder;
  int32_t decoderTime;
  bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& s) {
  return out << "{read " << s.read << ", " << s.transponder << ", " << s.decoderTime << "}";
}

// Feeds the reads in order, 100 ms apart, and lists the passings with the read that gave each.
std::vector<Seen> FeedReads(PassingParser& parser, DecoderLink link,
                            const std::vector<Bytes>& reads, int64_t msBetweenReads = 100) {
  std::vector<Seen> seen;
  for (std::size_t r = 0; r < reads.size(); ++r) {
    parser.feed(link, reads[r].data(), reads[r].size(), static_cast<int64_t>(r) * msBetweenReads,
                [&](const DecoderPassing& p) {
                  seen.push_back({r, SixDigits(p.transponder), p.decoderTime});
                });
  }
  return seen;
}

TEST(PassingParser, DecoderMessagesAcrossReads) {
  const Bytes first = PassingMessage(0x002A, 0, 0, 0, 0x48E5);    // 000042 at 0 ms
  const Bytes second = PassingMessage(1234, 1, 2, 3, 0xFFFF);     // 001234 at 3723999 ms
  struct Case {
    const char* name;
    std::vector<Bytes> reads;
    std::vector<Seen> expected;
  };
  const Case cases[] = {
      {"one message", {first}, {{0, "000042", 0}}},
      {"split 4 + 7", {Bytes(first.begin(), first.begin() + 4), Bytes(first.begin() + 4, first.end())},
       {{1, "000042", 0}}},
      {"split 10 + 1 + empty read", {Bytes(first.begin(), first.end() - 1), {}, {first.back()}},
       {{2, "000042", 0}}},
      {"two in one read, in order", {Join({first, second})},
       {{0, "000042", 0}, {0, "001234", 3723999}}},
      {"extra FF before the header", {Join({{0xFF}, first})}, {{0, "000042", 0}}},
      {"garbage, keep-alive echo and identification reply skipped",
       {Join({{0x00, 0xF0, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0xE0, 0x04},
              {0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x00, 0x07}, second})},
       {{0, "001234", 3723999}}},
  };
  for (const Case& c : cases) {
    PassingParser parser;
    EXPECT_EQ(FeedReads(parser, DecoderLink::UsbDecoder, c.reads), c.expected) << c.name;
  }
}

TEST(PassingParser, HeaderSearchDropsOneByteAtATime) {
  // FF FF FF FF F0 and seven message bytes: the first FF is dropped at the header test.
  PassingParser parser;
  const Bytes message = PassingMessage(7, 0, 1, 2, 18661);
  const Bytes stream = Join({{0xFF}, message});
  std::vector<Seen> seen = FeedReads(parser, DecoderLink::BluetoothDecoder, {stream});
  EXPECT_EQ(seen, (std::vector<Seen>{{0, "000007", 62000}}));
  EXPECT_EQ(parser.position(), 0);
}

TEST(PassingParser, InterfacePairsOverOddReads) {
  PassingParser parser;
  // A B C, then D: A*256+B, then C*256+D; one byte left waits for the next read.
  std::vector<Seen> seen = FeedReads(parser, DecoderLink::Interface,
                                     {{0x01, 0x02, 0x03}, {0x04, 0x05}});
  EXPECT_EQ(seen, (std::vector<Seen>{{0, "000258", 0}, {1, "000772", 0}}));
  EXPECT_EQ(parser.position(), 1);
}

TEST(PassingParser, InterfaceByteWhosePartnerWasLostIsDropped) {
  // 0x00 0x2A is car 000042; when its 0x00 is lost, the 0x2A must not pair with the next car's
  // first byte, whatever the reads that follow bring.
  struct Read {
    int64_t atMs;
    Bytes bytes;
  };
  struct Case {
    const char* name;
    std::vector<Read> reads;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"an empty read, then the next car at the next tick",
       {{0, {0x2A}}, {100, {}}, {200, {0x00, 0x07}}, {300, {0x00, 0x09}}},
       {"000007", "000009"}},
      {"the next car at a late read", {{0, {0x2A}}, {200, {0x00, 0x07}}}, {"000007"}},
      {"a late read after a busy moment", {{2000, {0x00}}, {4500, {0x2A}}}, {}},
      {"the partner at the next tick", {{0, {0x00}}, {110, {0x2A, 0x00, 0x07}}},
       {"000042", "000007"}},
      {"the partner after an empty read soon after", {{0, {0x00}}, {60, {}}, {120, {0x2A}}},
       {"000042"}},
      {"the partner exactly at the longest wait", {{0, {0x00}}, {150, {0x2A}}}, {"000042"}},
      {"the next car a millisecond after it", {{0, {0x2A}}, {151, {0x00, 0x07}}},
       {"000007"}},
  };
  for (const Case& c : cases) {
    PassingParser parser;
    std::vector<std::string> seen;
    for (const Read& r : c.reads) {
      parser.feed(DecoderLink::Interface, r.bytes.data(), r.bytes.size(), r.atMs,
                  [&](const DecoderPassing& p) { seen.push_back(SixDigits(p.transponder)); });
    }
    EXPECT_EQ(seen, c.expected) << c.name;
  }
}

TEST(PassingParser, MessageCutShortDoesNotSwallowTheNextOne) {
  // Car 1001's message cut after n bytes, then car 1002's whole message: the bytes of a message
  // that cannot be a time are searched again for the next header. Cut after its seconds, the
  // first message's clock still reads a time, within its second.
  const Bytes cut = PassingMessage(1001, 0, 10, 20, 30000);
  const Bytes whole = PassingMessage(1002, 0, 10, 21, 18661);
  const Seen next{0, "001002", 621000};
  for (int n = 4; n <= 10; ++n) {
    std::vector<Seen> expected;
    // Its ticks end in the next message's FF bytes (30000 is 0x7530).
    if (n >= 9) expected.push_back({0, "001001", DecoderTime(0, 10, 20, n == 9 ? 0xFFFF : 0x75FF)});
    expected.push_back(next);
    PassingParser parser;
    EXPECT_EQ(FeedReads(parser, DecoderLink::UsbDecoder, {Join({Bytes(cut.begin(), cut.begin() + n), whole})}),
              expected)
        << n;
  }

  // Clocks that are no time: dropped, and the message after them counts.
  struct Case {
    const char* name;
    Bytes message;
  };
  const Case cases[] = {
      {"minutes 60", PassingMessage(1001, 0, 60, 0, 18661)},
      {"seconds 60", PassingMessage(1001, 0, 0, 60, 18661)},
      {"ticks below the second's first", PassingMessage(1001, 0, 0, 1, 18660)},
  };
  for (const Case& c : cases) {
    PassingParser parser;
    EXPECT_EQ(FeedReads(parser, DecoderLink::BluetoothDecoder, {Join({c.message, whole})}),
              std::vector<Seen>{next})
        << c.name;
  }

  // While reconnecting, the decoder's reply is found in the bytes of a message it cut short.
  PassingParser parser;
  std::vector<PassingParser::Parsed> parsed;
  for (uint8_t b : Join({Bytes(cut.begin(), cut.begin() + 4), {0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x00, 0x05}})) {
    PassingParser::Parsed p = parser.pushReconnecting(b);
    if (p != PassingParser::Parsed::Nothing) parsed.push_back(p);
  }
  EXPECT_EQ(parsed, std::vector<PassingParser::Parsed>{PassingParser::Parsed::IdentifyReply});
  EXPECT_EQ(parser.replyNumber(), 5);
}

TEST(PassingParser, UnknownKindIgnoresBytesAndResetClearsAHalfMessage) {
  PassingParser parser;
  const Bytes message = PassingMessage(42, 0, 0, 0, 18661);
  EXPECT_TRUE(FeedReads(parser, DecoderLink::Unknown, {message}).empty());
  EXPECT_EQ(parser.position(), 0);

  FeedReads(parser, DecoderLink::UsbDecoder, {Bytes(message.begin(), message.begin() + 6)});
  parser.reset();
  EXPECT_TRUE(FeedReads(parser, DecoderLink::UsbDecoder, {Bytes(message.begin() + 6, message.end())})
                  .empty());
}

TEST(PassingParser, ReconnectionKeepsAPassingSplitOverReads) {
  PassingParser parser;
  const Bytes passing = PassingMessage(42, 0, 0, 5, 18661);
  const Bytes reply = {0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x01, 0x00};
  // The wait's first read ends in the middle of a passing; its second read completes it and
  // brings the reply; a passing split at the end of the wait completes in the series' next read.
  const Bytes reads[] = {Join({{0x13}, Bytes(passing.begin(), passing.begin() + 5)}),
                         Join({Bytes(passing.begin() + 5, passing.end()), reply,
                               Bytes(passing.begin(), passing.begin() + 3)})};
  std::vector<PassingParser::Parsed> parsed;
  for (const Bytes& read : reads) {
    for (uint8_t b : read) {
      PassingParser::Parsed p = parser.pushReconnecting(b);
      if (p != PassingParser::Parsed::Nothing) parsed.push_back(p);
      if (p == PassingParser::Parsed::Passing) {
        EXPECT_EQ(parser.passing().decoderTime, 5000);
      }
    }
  }
  EXPECT_EQ(parsed, (std::vector<PassingParser::Parsed>{PassingParser::Parsed::Passing,
                                                        PassingParser::Parsed::IdentifyReply}));
  EXPECT_EQ(parser.replyLinkType(), kUsbLinkType);
  EXPECT_EQ(parser.replyNumber(), 256);

  std::vector<Seen> seen =
      FeedReads(parser, DecoderLink::UsbDecoder, {Bytes(passing.begin() + 3, passing.end())});
  EXPECT_EQ(seen, (std::vector<Seen>{{0, "000042", 5000}}));
}

TEST(ClockResetExchange, RefusedReplyIsAnsweredByANewReset) {
  test::FakeDecoderPort port;
  ClockResetExchange exchange;
  const Bytes reset(DecoderClockReset.begin(), DecoderClockReset.end());

  port.arrive({0x01, 0x02});                                  // drained before the reset
  port.arrive({0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x01});    // clock at 0:00:01: refused
  EXPECT_FALSE(exchange.step(port));
  EXPECT_FALSE(exchange.sent());
  EXPECT_EQ(port.writes, std::vector<Bytes>{reset});

  port.arrive({0x55});  // drained
  port.arrive({0xFF, 0xFF, 0xFF, 0xFF});  // a reply split over two ticks
  EXPECT_FALSE(exchange.step(port));
  EXPECT_TRUE(exchange.sent());
  port.arrive({0x02, 0x00, 0x00, 0x00});
  EXPECT_TRUE(exchange.step(port));
  EXPECT_EQ(port.writes, (std::vector<Bytes>{reset, reset}));
  EXPECT_FALSE(exchange.sent());
  EXPECT_EQ(exchange.parser().position(), 0);
}

TEST(ClockResetExchange, RepliesOfOneReadAreParsedOn) {
  test::FakeDecoderPort port;
  ClockResetExchange exchange;
  port.arrive({});
  // A refused reply then an accepted one in the same read: the second one counts.
  port.arrive({0xFF, 0xFF, 0xFF, 0x02, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00});
  EXPECT_TRUE(exchange.step(port));
  EXPECT_EQ(port.writes.size(), 1u);

  // A passing is no reset reply, and a failed read changes nothing.
  exchange.reset();
  port.arrive({});
  port.arrive(PassingMessage(1, 0, 0, 0, 18661));
  EXPECT_FALSE(exchange.step(port));
  port.failReads = true;
  EXPECT_FALSE(exchange.step(port));
  EXPECT_TRUE(exchange.sent());
}

}  // namespace
}  // namespace zd
