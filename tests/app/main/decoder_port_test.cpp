#include "gtest_win32.h"

#include <string>
#include <vector>

#include "decoder_simulator_process.h"
#include "main/decoder_port.h"
#include "wait_for.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Each test has a COM port of its own, so that tests run side by side do not meet.
class DecoderPortTest : public ::testing::Test {
 protected:
  bool Start(int com) {
    port_ = "COM" + std::to_string(com);
    return simulator_.start("kv1", com);
  }
  void TearDown() override { zd::CloseDecoderPort(); }

  // Reads until count bytes have come, or the deadline.
  Bytes ReadBytes(std::size_t count) {
    Bytes bytes;
    zd_test::WaitFor([&] {
      uint8_t buffer[256];
      uint32_t n = 0;
      if (zd::ReadDecoderPort(buffer, 255, n)) bytes.insert(bytes.end(), buffer, buffer + n);
      return bytes.size() >= count;
    });
    return bytes;
  }

  const char* port() const { return port_.c_str(); }

  std::string port_;
  zd_test::DecoderSimulatorProcess simulator_;
};

TEST_F(DecoderPortTest, ReadsReturnWhatHasArrivedAtMost255AtATime) {
  ASSERT_TRUE(Start(21));
  ASSERT_EQ(zd::OpenDecoderPort(port()), 1);
  uint8_t buffer[256] = {};
  uint32_t n = 99;
  EXPECT_NE(zd::ReadDecoderPort(buffer, 255, n), 0);  // nothing yet: success, no byte
  EXPECT_EQ(n, 0u);

  std::string raw = "raw";
  for (int i = 0; i < 300; ++i) raw += i % 2 ? " 5A" : " A5";
  ASSERT_TRUE(simulator_.command(raw));
  ASSERT_TRUE(simulator_.waitUntilWaiting(300));

  ASSERT_NE(zd::ReadDecoderPort(buffer, 255, n), 0);
  EXPECT_EQ(n, 255u);
  EXPECT_EQ(buffer[0], 0xA5);
  EXPECT_EQ(buffer[254], 0xA5);
  ASSERT_NE(zd::ReadDecoderPort(buffer, 255, n), 0);
  EXPECT_EQ(n, 45u);
  EXPECT_EQ(buffer[0], 0x5A);
}

TEST_F(DecoderPortTest, BytesPendingBeforeTheOpenAreDiscarded) {
  ASSERT_TRUE(Start(22));
  ASSERT_TRUE(simulator_.command("raw AA BB CC"));
  ASSERT_TRUE(simulator_.waitUntilWaiting(3));
  ASSERT_EQ(zd::OpenDecoderPort(port()), 1);
  ASSERT_TRUE(simulator_.command("raw 11"));
  EXPECT_EQ(ReadBytes(1), Bytes{0x11});
}

TEST_F(DecoderPortTest, WritesReachTheHardware) {
  ASSERT_TRUE(Start(23));
  ASSERT_EQ(zd::OpenDecoderPort(port()), 1);
  const Bytes sent = {0xFF, 0xFF, 0xFF, 0xE0, 0x04};
  uint32_t written = 0;
  EXPECT_NE(zd::WriteDecoderPort(sent.data(), 5, written), 0);
  EXPECT_EQ(written, 5u);
  EXPECT_EQ(simulator_.waitForReceived(5), sent);
}

TEST_F(DecoderPortTest, OpeningAgainAndClosingTwiceAreSafe) {
  ASSERT_TRUE(Start(24));
  ASSERT_EQ(zd::OpenDecoderPort(port()), 1);
  ASSERT_EQ(zd::OpenDecoderPort(port()), 1);
  // Only one handle is left open on the port (Windows, unlike Wine, would refuse the second
  // open of a port opened exclusively).
  EXPECT_EQ(simulator_.descriptorsOnTerminal(), 1);
  ASSERT_TRUE(simulator_.command("raw 42"));
  EXPECT_EQ(ReadBytes(1), Bytes{0x42});

  EXPECT_EQ(zd::CloseDecoderPort(), 1);
  EXPECT_EQ(simulator_.descriptorsOnTerminal(), 0);
  uint8_t buffer[256];
  uint32_t n = 0;
  EXPECT_EQ(zd::ReadDecoderPort(buffer, 255, n), 0);
  // Someone else's handle, quite likely with the value the port had: closing again leaves it.
  const std::string device = "\\\\.\\" + port_;
  HANDLE other = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(zd::CloseDecoderPort(), 1);
  DCB line = {};
  line.DCBlength = sizeof line;
  EXPECT_TRUE(GetCommState(other, &line));
  CloseHandle(other);
}

TEST_F(DecoderPortTest, AFailedOpenKeepsNoPort) {
  ASSERT_TRUE(Start(25));
  const std::string tooLong = port_ + std::string(200, '0');
  for (const char* name : {"", "COM98", "COM250000000", tooLong.c_str()}) {
    ASSERT_EQ(zd::OpenDecoderPort(port()), 1);
    EXPECT_EQ(zd::OpenDecoderPort(name), 0) << name;
    // The port opened before is closed, and nothing else is kept.
    EXPECT_EQ(simulator_.descriptorsOnTerminal(), 0) << name;
    uint8_t buffer[256];
    uint32_t n = 0;
    EXPECT_EQ(zd::ReadDecoderPort(buffer, 255, n), 0) << name;
  }
}

}  // namespace
