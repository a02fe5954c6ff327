#include "main/decoder_supervision.h"

#include <algorithm>
#include <cstdio>

#include "main/race_timer.h"
#include "main/transponder_scan.h"

namespace zd {

const std::array<std::string_view, 12> kInterfaceTexts = {
    "Décodeur",
    "Ouvrir",
    "Messages",
    "Port COM",
    "Interface",
    "prête à fonctionner !",
    "Logiciel prêt à fonctionner !",
    "Tentative d'ouverture du port COM :",
    "Ouverture du port COM OK !",
    "Echec à l'ouverture du port COM !",
    "Port COM non ouvert !",
    "connecté !",
};

namespace {

constexpr std::string_view kErrorCaption = "Error";

// The race time of a text: the clock's milliseconds shown to the tenth.
std::string RaceTimeText(int64_t raceTimeMs) {
  const int64_t t = std::clamp<int64_t>(raceTimeMs, 0, 24LL * 3600000 * 100);
  const auto hours = static_cast<int32_t>(t / 3600000);
  const auto minutes = static_cast<int32_t>(t % 3600000 / 60000);
  const auto seconds = static_cast<int32_t>(t % 60000 / 1000);
  const auto tenths = static_cast<int32_t>(t % 1000 / 100 * 100);
  return FormatLapTime(hours, minutes, seconds, tenths);
}

// A message of the timer: never a modal box while a series is live.
void Report(const DecoderLinkSupervision& s, std::string_view text, std::string_view caption) {
  if (s.seriesLive) {
    s.host.showStatus(text);
  } else {
    s.host.showMessage(text, caption);
  }
}

void WriteSettings(const DecoderLinkSupervision& s) {
  if (!s.host.writeInterfaceSettings(s.settings)) Report(s, kComPortFileNotFound, kErrorCaption);
}

void Initialise(const DecoderLinkSupervision& s) {
  DecoderLinkState& link = s.link;
  link.initialised = 1;
  s.settings.portName.clear();
  s.settings.decoderKind.clear();
  if (!s.host.readInterfaceSettings(s.settings)) {
    Report(s, kDecoderInterfaceFileNotFound, kErrorCaption);
  }
  if (s.settings.decoderKind == kUsbDecoderKind && s.settings.connected == 1) {
    link.watchdog = 1;
    link.keepAliveFailures = 0;
    link.lastKeepAliveTick = s.host.tickCount();
  }
}

void KeepAlive(const DecoderLinkSupervision& s) {
  DecoderLinkState& link = s.link;
  const int64_t now = s.host.tickCount();
  if (now - link.lastKeepAliveTick <= kKeepAlivePeriodMs) return;
  link.lastKeepAliveTick = now;
  if (SendDecoderMessage(s.port, DecoderKeepAlive) != 0) {
    link.keepAliveFailures = 0;
    return;
  }
  if (link.keepAliveFailures > 0) {
    // The second failure in a row: the decoder is gone.
    s.host.closePort();
    s.settings.connected = 0;
    link.lastReconnectionTick = now;
    WriteSettings(s);
    link.watchdog = 0;
    link.reconnectionPending = 1;
    if (s.seriesRunning) {
      link.lossText = LinkLossText(now - s.raceStartTick);
      // Passings simply stop: the operator is told now, not at the first attempt 4.5 s later.
      s.host.showStatus(link.lossText.view());
    } else {
      link.lossText.clear();
    }
  }
  ++link.keepAliveFailures;
}

// Reads until the decoder's reply has come or the wait is over; the passings read go on at once.
bool AwaitReply(const DecoderLinkSupervision& s) {
  const int64_t start = s.host.counterMs();
  bool answered = false;
  while (!answered && s.host.counterMs() - start < kReconnectionWaitMs) {
    uint8_t buffer[kDecoderReadSize + 1] = {};
    uint32_t count = 0;
    if (!s.port.read(buffer, kDecoderReadSize, count)) continue;
    count = std::min(count, kDecoderReadSize);
    // The rest of the read is parsed too: a passing sent right after the reply is the series'.
    for (uint32_t i = 0; i < count; ++i) {
      switch (s.parser.pushReconnecting(buffer[i])) {
        case PassingParser::Parsed::Passing:
          s.host.reconnectionPassing(s.parser.passing());
          break;
        case PassingParser::Parsed::IdentifyReply:
          // Told before the passings that follow the reply, which may run on a new clock.
          if (s.parser.replyLinkType() == kUsbLinkType && !answered) {
            answered = true;
            s.host.decoderFoundAgain();
          }
          break;
        case PassingParser::Parsed::Nothing:
          break;
      }
    }
  }
  return answered;
}

void Reconnect(const DecoderLinkSupervision& s) {
  DecoderLinkState& link = s.link;
  const int64_t now = s.host.tickCount();
  if (now - link.lastReconnectionTick <= kReconnectionPeriodMs) return;
  link.lastReconnectionTick = now;
  // A port that does not open is tried again at the next attempt, silently.
  if (!s.host.openPort(s.settings.portName.c_str())) return;
  SendDecoderMessage(s.port, DecoderIdentifyRequest);
  if (AwaitReply(s)) {
    s.settings.connected = 1;
    link.initialised = 0;  // the next tick starts the keep-alive again
    link.watchdog = 0;
    link.reconnectionPending = 0;
    WriteSettings(s);
    if (s.seriesRunning) {
      const std::string text =
          link.lossText.str() + LinkRecoveryText(s.host.tickCount() - s.raceStartTick);
      s.host.showStatus(text);
    }
    return;
  }
  // Left open, a silent port would hold the adapter that the next attempt must open.
  s.host.closePort();
  Report(s, link.lossText.str() + std::string(kRecoveryFailed), kRecoveryFailedCaption);
}

}  // namespace

void SuperviseDecoderLink(const DecoderLinkSupervision& s) {
  DecoderLinkState& link = s.link;
  if (link.inSupervision) return;
  link.inSupervision = true;
  struct Leave {
    bool& flag;
    ~Leave() { flag = false; }
  } leave{link.inSupervision};

  if (link.initialised == 0) Initialise(s);
  if (link.watchdog == 1) KeepAlive(s);
  if (s.settings.decoderKind == kUsbDecoderKind && s.settings.connected == 0 &&
      link.reconnectionPending == 1) {
    Reconnect(s);
  }
}

void SuspendDecoderSupervision(DecoderLinkState& link) {
  link.watchdog = 0;
  link.reconnectionPending = 0;
}

void ResumeDecoderSupervision(DecoderLinkState& link) { link.initialised = 0; }

std::string LinkLossText(int64_t raceTimeMs) {
  return "Perte connexion du décodeur KV2/KV3 USB à " + RaceTimeText(raceTimeMs) + ".\n";
}

std::string LinkRecoveryText(int64_t raceTimeMs) {
  return "Récupération connexion décodeur KV2/KV3 USB réussie à " + RaceTimeText(raceTimeMs) +
         ".";
}

void RouteReconnectionPassing(const RaceControl& control, const DecoderPassing& passing) {
  const std::string transponder = SixDigits(passing.transponder);
  if (control.race.state.running != 0) {
    PassingTime time;
    time.link = DecoderLink::UsbDecoder;
    time.decoderTime = passing.decoderTime;
    HandlePassing(control.race, transponder, time);
  } else if (control.timer.transponderScan != 0) {
    ScanPassing(control, transponder);
  } else if (control.timer.transponderCheck != 0) {
    CheckPassing(control, transponder);
  }
}

int InterfaceKindRadio(std::string_view decoderKind) {
  if (decoderKind == kUsbDecoderKind) return 4202;
  if (decoderKind == kBluetoothDecoderKind) return 4203;
  return 4201;
}

std::string InterfaceStateMessage(const InterfaceSettings& settings) {
  if (settings.connected != 1) return " " + std::string(kInterfaceTexts[kTextPortNotOpen]);
  std::string_view link;
  switch (DecoderLinkOf(settings.decoderKind)) {
    case DecoderLink::Interface: link = " KV1 USB "; break;
    case DecoderLink::UsbDecoder: link = " KV2/KV3 USB "; break;
    case DecoderLink::BluetoothDecoder: link = " KV2/KV3 Bluetooth "; break;
    case DecoderLink::Unknown: break;
  }
  return " " + std::string(kInterfaceTexts[kTextInterface]) + std::string(link) +
         std::string(kInterfaceTexts[kTextReady]);
}

std::string DetectInterface(DecoderLinkHost& host, DecoderPortIo& port, std::string_view portName,
                            InterfaceSettings& settings) {
  host.closePort();
  settings.portName = portName;
  settings.connected = 0;
  const std::string opening = " " + std::string(kInterfaceTexts[kTextOpeningPort]) + "\r\n ";
  if (!host.openPort(settings.portName.c_str())) {
    settings.decoderKind = kInterfaceKind;
    return opening + std::string(kInterfaceTexts[kTextPortFailed]);
  }
  const DecoderIdentification found = IdentifyDecoder(port, [&host] { return host.counterMs(); });
  settings.connected = 1;
  settings.decoderKind = DecoderKindText(found.link);
  std::string text = opening + std::string(kInterfaceTexts[kTextPortOpened]) + "\r\n ";
  if (IsDecoder(found.link)) {
    text += std::string(kInterfaceTexts[kTextDecoder]);
    text += found.link == DecoderLink::UsbDecoder ? " KV2/KV3 USB id.#" : " KV2/KV3 Bluetooth id.#";
    text += SixDigits(found.number) + " " + std::string(kInterfaceTexts[kTextConnected]);
  } else {
    text += std::string(kInterfaceTexts[kTextInterface]) + " KV1 USB " +
            std::string(kInterfaceTexts[kTextReady]);
  }
  return text + "\r\n " + std::string(kInterfaceTexts[kTextSoftwareReady]);
}

}  // namespace zd
