// The decoder link on a fake decoder: the keep-alive of a USB decoder, the loss after two failed
// writes, the reconnection attempts every 4.5 s with what they show, the passings read while an
// attempt waits, and the detection of the interface dialog.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fake_decoder_port.h"
#include "main/decoder_supervision.h"
#include "race_control_test_support.h"

namespace zd {
namespace {

using test::Bytes;
using test::Join;
using test::PassingMessage;

const Bytes kIdentifyRequest(DecoderIdentifyRequest.begin(), DecoderIdentifyRequest.end());
const Bytes kKeepAlive(DecoderKeepAlive.begin(), DecoderKeepAlive.end());

// A decoder on the far end of the port: it answers the identification request (link type given)
// unless it is off, and while it is off the port takes no byte.
class FakeDecoder : public test::FakeDecoderPort {
 public:
  FakeDecoder() : FakeDecoderPort(1) {}

  bool write(const uint8_t* bytes, uint32_t count, uint32_t& written) override {
    written = 0;
    if (!open || off) return false;
    FakeDecoderPort::write(bytes, count, written);
    if (Bytes(bytes, bytes + count) == kIdentifyRequest && answers) {
      arrive(Join({before, {0xFF, 0xFF, 0xFF, 0x01, linkType, 0x00, 0x2A}, after}), nowMs + 5);
    }
    return true;
  }
  bool read(uint8_t* buffer, uint32_t max, uint32_t& count) override {
    count = 0;
    if (!open) {
      nowMs += 1;
      return false;
    }
    return FakeDecoderPort::read(buffer, max, count);
  }

  int keepAlives() const {
    int n = 0;
    for (const Bytes& w : writes) n += w == kKeepAlive ? 1 : 0;
    return n;
  }

  bool open = true;
  bool off = false;
  bool answers = true;
  uint8_t linkType = kUsbLinkType;
  Bytes before, after;  // sent with the reply
};

class FakeHost : public DecoderLinkHost {
 public:
  explicit FakeHost(FakeDecoder& decoder) : decoder_(decoder) {}

  bool readInterfaceSettings(InterfaceSettings& s) override {
    if (!fileExists) return false;
    s = file;
    return true;
  }
  bool writeInterfaceSettings(const InterfaceSettings& s) override {
    written.push_back(s);
    if (!writable) return false;
    file = s;
    fileExists = true;
    return true;
  }
  bool openPort(const char* name) override {
    openedNames.emplace_back(name);
    decoder_.open = portOpens && !decoder_.off;
    if (decoder_.open) ++opens;
    return decoder_.open;
  }
  void closePort() override {
    if (decoder_.open) ++closes;
    decoder_.open = false;
  }
  int64_t tickCount() override { return tick; }
  int64_t counterMs() override { return decoder_.nowMs; }
  void showMessage(std::string_view text, std::string_view caption) override {
    boxes.emplace_back(std::string(caption), std::string(text));
  }
  void showStatus(std::string_view text) override { statuses.emplace_back(text); }
  void reconnectionPassing(const DecoderPassing& p) override {
    passings.push_back(SixDigits(p.transponder));
    if (onPassing) onPassing(p);
  }
  void decoderFoundAgain() override {
    ++foundAgain;
    if (onFoundAgain) onFoundAgain();
  }

  InterfaceSettings file;
  bool fileExists = true;
  bool writable = true;
  bool portOpens = true;
  int64_t tick = 100000;
  std::vector<InterfaceSettings> written;
  std::vector<std::string> openedNames;
  int opens = 0;
  int closes = 0;
  std::vector<std::pair<std::string, std::string>> boxes;  // caption, text
  std::vector<std::string> statuses;
  std::vector<std::string> passings;
  std::function<void(const DecoderPassing&)> onPassing;
  int foundAgain = 0;
  std::function<void()> onFoundAgain;

 private:
  FakeDecoder& decoder_;
};

class DecoderSupervisionTest : public ::testing::Test {
 protected:
  DecoderSupervisionTest() {
    host.file.portName = "COM5";
    host.file.connected = 1;
    host.file.decoderKind = kUsbDecoderKind;
  }

  // One tick of the timer, ms after the last.
  void Tick(int64_t ms = 100) {
    host.tick += ms;
    decoder.nowMs += ms;
    SuperviseDecoderLink(
        {link, settings, host, decoder, parser, running, live || running, raceStart});
  }
  void TickFor(int64_t ms) {
    for (int64_t t = 0; t < ms; t += 100) Tick();
  }

  FakeDecoder decoder;
  FakeHost host{decoder};
  DecoderLinkState link;
  InterfaceSettings settings;
  PassingParser parser;
  bool running = false;
  bool live = false;
  int64_t raceStart = 0;
};

TEST_F(DecoderSupervisionTest, AUsbDecoderIsKeptAliveEveryFourHundredMilliseconds) {
  Tick();
  EXPECT_EQ(link.watchdog, 1);
  EXPECT_EQ(decoder.keepAlives(), 0);
  TickFor(2000);
  // Sent on the first tick more than 400 ms after the last: every 500 ms at 100 ms ticks.
  EXPECT_EQ(decoder.keepAlives(), 4);
  // A single failed write is forgiven.
  decoder.off = true;
  TickFor(500);
  decoder.off = false;
  TickFor(1000);
  EXPECT_EQ(link.watchdog, 1);
  EXPECT_EQ(host.closes, 0);
  EXPECT_TRUE(host.written.empty());
}

TEST_F(DecoderSupervisionTest, OtherLinksAreNotSupervised) {
  struct Case {
    const char* kind;
    int32_t connected;
  };
  for (const Case& c : {Case{kBluetoothDecoderKind, 1}, Case{kInterfaceKind, 1},
                        Case{kUsbDecoderKind, 0}}) {
    SCOPED_TRACE(c.kind);
    host.file.decoderKind = c.kind;
    host.file.connected = c.connected;
    link = DecoderLinkState{};
    decoder.writes.clear();
    decoder.off = true;
    TickFor(20000);
    EXPECT_TRUE(decoder.writes.empty());
    EXPECT_EQ(host.opens, 0);
    EXPECT_TRUE(host.boxes.empty());
  }
}

TEST_F(DecoderSupervisionTest, ALinkLostDuringASeriesIsRecoveredAndReportedOneOutcomeAtATime) {
  running = true;
  raceStart = host.tick + 130;
  TickFor(62000);
  ASSERT_EQ(link.watchdog, 1);

  decoder.off = true;  // the decoder's power goes
  while (link.watchdog == 1) Tick();
  EXPECT_EQ(decoder.keepAlives(), 123);
  EXPECT_EQ(host.closes, 1);
  ASSERT_EQ(host.written.size(), 1u);
  EXPECT_EQ(host.written[0].connected, 0);
  EXPECT_EQ(host.written[0].portName, "COM5");
  EXPECT_EQ(host.written[0].decoderKind, kUsbDecoderKind);
  const std::string loss = LinkLossText(host.tick - raceStart);
  EXPECT_EQ(loss, "Perte connexion du décodeur KV2/KV3 USB à 1:02.400.\n");
  // Passings just stop: the loss is shown at once.
  EXPECT_EQ(host.statuses, std::vector<std::string>{loss});
  EXPECT_EQ(host.foundAgain, 0);

  // Attempts every 4.5 s: the adapter opens but the decoder stays silent.
  const int64_t lostAt = host.tick;
  decoder.off = false;
  decoder.answers = false;
  while (host.opens == 0) Tick();
  EXPECT_EQ(host.tick - lostAt, 4600);
  EXPECT_EQ(host.openedNames, std::vector<std::string>{"COM5"});
  // The silent port is closed again, so that the next attempt can open it.
  EXPECT_EQ(host.closes, 2);
  EXPECT_FALSE(decoder.open);
  TickFor(4600);
  EXPECT_EQ(host.opens, 2);
  EXPECT_EQ(host.closes, 3);
  // Each outcome replaces the one before, in the status text, never in a box.
  EXPECT_EQ(host.statuses, (std::vector<std::string>{loss, loss + "Echec à la récupération.",
                                                     loss + "Echec à la récupération."}));
  EXPECT_TRUE(host.boxes.empty());
  EXPECT_EQ(host.foundAgain, 0);

  // The decoder answers again.
  decoder.answers = true;
  TickFor(4600);
  EXPECT_EQ(host.opens, 3);
  EXPECT_TRUE(decoder.open);
  ASSERT_EQ(host.written.size(), 2u);
  EXPECT_EQ(host.written[1].connected, 1);
  ASSERT_FALSE(host.statuses.empty());
  EXPECT_EQ(host.statuses.back().rfind(loss + "Récupération connexion décodeur KV2/KV3 USB "
                                              "réussie à 1:",
                                       0),
            0u)
      << host.statuses.back();
  EXPECT_EQ(host.foundAgain, 1);
  // The next tick reads the settings again and the keep-alive goes on.
  const int keepAlives = decoder.keepAlives();
  TickFor(1100);
  EXPECT_EQ(link.watchdog, 1);
  EXPECT_EQ(decoder.keepAlives(), keepAlives + 2);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(DecoderSupervisionTest, WithNoSeriesOnlyFailuresAreShownEachInABoxOfItsOwn) {
  Tick();
  decoder.off = true;
  TickFor(1000);
  ASSERT_EQ(link.reconnectionPending, 1);
  decoder.off = false;
  decoder.answers = false;
  TickFor(9200);
  EXPECT_EQ(host.opens, 2);
  // The failures do not pile up in one text.
  const std::pair<std::string, std::string> failure{"Erreur", "Echec à la récupération."};
  EXPECT_EQ(host.boxes, (std::vector<std::pair<std::string, std::string>>(2, failure)));
  decoder.answers = true;
  TickFor(4600);
  EXPECT_EQ(host.file.connected, 1);
  EXPECT_EQ(host.boxes.size(), 2u);
  EXPECT_TRUE(host.statuses.empty());

  // A port that does not open is tried again silently.
  decoder.off = true;
  TickFor(1100);
  host.portOpens = false;
  const int attempts = static_cast<int>(host.openedNames.size());
  TickFor(9200);
  EXPECT_EQ(host.openedNames.size(), attempts + 2u);
  EXPECT_EQ(host.boxes.size(), 2u);
}

TEST_F(DecoderSupervisionTest, PassingsReadWhileWaitingForTheReplyAreHandedOn) {
  Tick();
  decoder.off = true;
  TickFor(1000);
  decoder.off = false;
  // A passing before the reply, one after it in the same read, and the first bytes of a third
  // that the series' parser completes later.
  decoder.before = PassingMessage(41, 0, 1, 2, 18661);
  const Bytes third = PassingMessage(43, 0, 1, 4, 18661);
  decoder.after =
      Join({PassingMessage(42, 0, 1, 3, 18661), Bytes(third.begin(), third.begin() + 6)});
  TickFor(4600);
  EXPECT_EQ(host.file.connected, 1);
  EXPECT_EQ(host.passings, (std::vector<std::string>{"000041", "000042"}));
  int completed = 0;
  for (uint8_t b : Bytes(third.begin() + 6, third.end())) {
    if (parser.push(DecoderLink::UsbDecoder, b) == PassingParser::Parsed::Passing) ++completed;
  }
  EXPECT_EQ(completed, 1);
  EXPECT_EQ(parser.passing().transponder, 43);
}

TEST_F(DecoderSupervisionTest, SettingsFilesThatFailAreReportedWhereTheSeriesAllows) {
  host.fileExists = false;
  Tick();
  EXPECT_EQ(host.boxes, (std::vector<std::pair<std::string, std::string>>{
                            {"Error", "Error : 'Decoder interface' file not found"}}));
  EXPECT_EQ(link.watchdog, 0);

  // The dialog's close makes the next tick read the settings again.
  host.fileExists = true;
  host.writable = false;
  live = true;
  SuspendDecoderSupervision(link);
  ResumeDecoderSupervision(link);
  Tick();
  EXPECT_EQ(link.watchdog, 1);
  decoder.off = true;
  TickFor(1000);
  EXPECT_EQ(host.statuses, std::vector<std::string>{"Error : 'COM port' file not found"});
  EXPECT_EQ(host.boxes.size(), 1u);
}

TEST(InterfaceDialog, DetectionOnTheChosenPort) {
  struct Case {
    const char* name;
    bool opens;
    bool answers;
    uint8_t linkType;
    const char* kind;
    int32_t connected;
    const char* message;
  };
  const Case cases[] = {
      {"usb", true, true, kUsbLinkType, kUsbDecoderKind, 1,
       " Tentative d'ouverture du port COM :\r\n Ouverture du port COM OK !\r\n Décodeur KV2/KV3 "
       "USB id.#000042 connecté !\r\n Logiciel prêt à fonctionner !"},
      {"bluetooth", true, true, kBluetoothLinkType, kBluetoothDecoderKind, 1,
       " Tentative d'ouverture du port COM :\r\n Ouverture du port COM OK !\r\n Décodeur KV2/KV3 "
       "Bluetooth id.#000042 connecté !\r\n Logiciel prêt à fonctionner !"},
      {"kv1", true, false, 0, kInterfaceKind, 1,
       " Tentative d'ouverture du port COM :\r\n Ouverture du port COM OK !\r\n Interface KV1 USB "
       "prête à fonctionner !\r\n Logiciel prêt à fonctionner !"},
      {"no port", false, false, 0, kInterfaceKind, 0,
       " Tentative d'ouverture du port COM :\r\n Echec à l'ouverture du port COM !"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDecoder decoder;
    decoder.answers = c.answers;
    decoder.linkType = c.linkType;
    FakeHost host(decoder);
    host.portOpens = c.opens;
    InterfaceSettings settings;
    settings.portName = "COM1";
    settings.connected = 1;
    settings.decoderKind = kUsbDecoderKind;
    const int64_t start = decoder.nowMs;

    EXPECT_EQ(DetectInterface(host, decoder, "COM3", settings), c.message);
    EXPECT_EQ(settings.portName, "COM3");
    EXPECT_EQ(settings.connected, c.connected);
    EXPECT_EQ(settings.decoderKind, c.kind);
    EXPECT_EQ(host.closes, 1);  // the port open before is closed first
    if (c.opens && !c.answers) {
      EXPECT_GE(decoder.nowMs - start, kIdentificationWaitMs - 1);
    }
  }
}

TEST(InterfaceDialog, TheStateShownWhenItOpens) {
  struct Case {
    const char* kind;
    int32_t connected;
    const char* message;
    int radio;
  };
  const Case cases[] = {
      {kInterfaceKind, 1, " Interface KV1 USB prête à fonctionner !", 4201},
      {kUsbDecoderKind, 1, " Interface KV2/KV3 USB prête à fonctionner !", 4202},
      {kBluetoothDecoderKind, 1, " Interface KV2/KV3 Bluetooth prête à fonctionner !", 4203},
      {kBluetoothDecoderKind, 0, " Port COM non ouvert !", 4203},
      {"", 0, " Port COM non ouvert !", 4201},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    InterfaceSettings settings;
    settings.connected = c.connected;
    settings.decoderKind = c.kind;
    EXPECT_EQ(InterfaceStateMessage(settings), c.message);
    EXPECT_EQ(InterfaceKindRadio(c.kind), c.radio);
  }
}

// A decoder that loses its power during a running series: the link is lost and found again, and
// the decoder's clock, started again from zero when its power came back, is rebased on the
// series' clock from the first passing read with the decoder's reply, the link's finding telling
// the race that a restart may follow. The reconnection sends no clock reset: a decoder that kept
// its power (a cable pulled) keeps its clock, and its laps stay exact.
class PowerCutTest : public test::RaceTest {};

TEST_F(PowerCutTest, PassingsGoOnCountingAfterTheReconnection) {
  parameters().duration = 10;
  Load({"Alain"});
  FakeDecoder decoder;
  FakeHost host{decoder};
  host.file.portName = "COM5";
  host.file.connected = 1;
  host.file.decoderKind = kUsbDecoderKind;
  DecoderLinkState link;
  InterfaceSettings settings;
  PassingParser parser;
  const int64_t raceStart = host.tick;
  int64_t poweredAt = 0;  // series time at which the decoder's clock restarted
  int64_t readAt = -1;    // series time of the passing read during the reconnection
  host.onFoundAgain = [&] { NoteDecoderFoundAgain(state); };
  host.onPassing = [&](const DecoderPassing& p) {
    readAt = hooks.count;
    PassingTime time;
    time.link = DecoderLink::UsbDecoder;
    time.decoderTime = p.decoderTime;
    HandlePassing(race(), SixDigits(p.transponder), time);
  };
  // Timer ticks up to a series time; the decoder, once powered again, sends car 1's passing
  // with its reply, timed by its own clock at that tick.
  auto tickTo = [&](int64_t seriesMs) {
    while (hooks.count < seriesMs) {
      hooks.count += 100;
      host.tick += 100;
      decoder.nowMs += 100;
      if (poweredAt != 0) {
        const int64_t t = hooks.count - poweredAt;
        // 46.875 ticks a millisecond from 18661, rounded up so that the time reads back whole.
        const auto ticks = static_cast<uint16_t>(18661 + (t % 1000 * 375 + 7) / 8);
        decoder.after = PassingMessage(1001, 0, static_cast<uint8_t>(t / 60000),
                                       static_cast<uint8_t>(t % 60000 / 1000), ticks);
      }
      SuperviseDecoderLink({link, settings, host, decoder, parser, true, true, raceStart});
    }
  };

  for (int32_t t = 30000; t <= 120000; t += 30000) {
    tickTo(t);
    Pass(1, t);
  }
  decoder.off = true;
  tickTo(140000);
  EXPECT_EQ(settings.connected, 0);
  decoder.off = false;
  poweredAt = 140000;
  tickTo(150000);
  ASSERT_EQ(settings.connected, 1);
  ASSERT_GT(readAt, 140000);
  EXPECT_EQ(slot(1).laps, 5);
  EXPECT_EQ(slot(1).raceTime, readAt);
  // Later passings keep to the rebased clock: a lap of 30 s is a lap of 30 s.
  decoder.after.clear();
  tickTo(readAt + 30000);
  PassAtCounter(1, static_cast<int32_t>(readAt + 30000 - poweredAt));
  EXPECT_EQ(slot(1).laps, 6);
  EXPECT_EQ(slot(1).raceTime, readAt + 30000);
  EXPECT_EQ(slot(1).lapTimes[6], 30000);
  EXPECT_EQ(hooks.statuses.size(), 1u);
  const Bytes reset(DecoderClockReset.begin(), DecoderClockReset.end());
  for (const Bytes& w : decoder.writes) EXPECT_NE(w, reset);
}

// Passings read while reconnecting go where the live mode of the series takes them.
class ReconnectionPassingTest : public test::RaceControlTest {};

TEST_F(ReconnectionPassingTest, GoToTheRunningSeriesOrTheScanOrNowhere) {
  decoderKind = kUsbDecoderKind;
  LoadSeries({"Alain", "Bruno"});
  DecoderPassing passing;
  passing.transponder = 1001;  // slot 1's
  passing.decoderTime = 65000;

  RouteReconnectionPassing(Control(), passing);  // idle: dropped
  EXPECT_EQ(slot(1).passingCount, 0);

  timer.scanModeActive = 1;
  timer.transponderScan = 1;
  slot(1).seen = 0;
  slot(1).transponder.clear();
  RouteReconnectionPassing(Control(), passing);
  EXPECT_EQ(slot(1).transponder, "001001");
  EXPECT_EQ(slot(1).seen, 1);
  timer = RaceTimerState{};

  state.running = 1;
  hooks.count = 65000;  // read at once, 65 s into the series
  RouteReconnectionPassing(Control(), passing);
  EXPECT_EQ(slot(1).passingCount, 1);
  EXPECT_EQ(slot(1).raceTime, 65000);
}

}  // namespace
}  // namespace zd
