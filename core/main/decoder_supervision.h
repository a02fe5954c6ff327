#pragma once
// The decoder link kept usable during a meeting, and the detection of the interface dialog.
//
// On every tick of the main timer the link is looked after in three steps: its settings are read
// once ("RéglagesInterface2.rg"); a KV2/KV3 decoder on USB is sent a keep-alive every 400 ms, and
// two writes in a row that send nothing mean the link is lost: the port is closed and the state
// 0 written; then the port is reopened and the decoder identified again every 4.5 s until it
// answers, the passings read meanwhile going where the live mode of the series wants them. The
// KV1 interface and decoders on Bluetooth are not supervised.
//
// The loss of the link during a running series is shown at once, and the outcome of each
// reconnection attempt on its own, replacing the one before: as a status text while a series is
// live, since a modal box would hold the race up, and otherwise, for a failure only, in a box that
// the timer cannot pile up (its ticks wait for the box).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/fixed_text.h"
#include "files/settings.h"
#include "main/decoder_identification.h"
#include "main/decoder_protocol.h"

namespace zd {

struct RaceControl;

inline constexpr int64_t kKeepAlivePeriodMs = 400;
inline constexpr int64_t kReconnectionPeriodMs = 4500;
// How long a reconnection attempt waits for the decoder's identification reply.
inline constexpr int64_t kReconnectionWaitMs = 100;

inline constexpr std::string_view kDecoderInterfaceFileNotFound =
    "Error : 'Decoder interface' file not found";
inline constexpr std::string_view kRecoveryFailed = "Echec à la récupération.";
inline constexpr std::string_view kRecoveryFailedCaption = "Erreur";
inline constexpr std::string_view kRecoveryCaption = "Message";

// What the main window keeps of the link between ticks, besides its InterfaceSettings.
struct DecoderLinkState {
  int32_t initialised = 0;      // 0: the next tick reads the settings again
  int32_t watchdog = 0;         // 1 while the keep-alive runs
  int32_t keepAliveFailures = 0;
  int64_t lastKeepAliveTick = 0;
  int32_t reconnectionPending = 0;
  int64_t lastReconnectionTick = 0;
  // The loss text of a link lost during a running series; the attempts' outcomes follow it.
  FixedText<120> lossText;
  // Set while the steps run: a box they show lets the timer tick, and that tick must not begin
  // another attempt under it.
  bool inSupervision = false;
};

// What the supervision and the dialog's detection ask of the program.
class DecoderLinkHost {
 public:
  virtual ~DecoderLinkHost() = default;
  virtual bool readInterfaceSettings(InterfaceSettings& settings) = 0;
  virtual bool writeInterfaceSettings(const InterfaceSettings& settings) = 0;
  // OpenDecoderPort and CloseDecoderPort.
  virtual bool openPort(const char* portName) = 0;
  virtual void closePort() = 0;
  // The system tick count, and the performance counter in ms that times the reply waits.
  virtual int64_t tickCount() = 0;
  virtual int64_t counterMs() = 0;
  // A message box with an OK button and no icon.
  virtual void showMessage(std::string_view text, std::string_view caption) = 0;
  // A status text of the main window, replacing the one shown before.
  virtual void showStatus(std::string_view text) = 0;
  // A passing read while a reconnection waits for the decoder's reply.
  virtual void reconnectionPassing(const DecoderPassing& passing) = 0;
  // The decoder answered again after the link was lost: its clock may have started again.
  virtual void decoderFoundAgain() = 0;
};

// One tick's view of the series, as the supervision needs it.
struct DecoderLinkSupervision {
  DecoderLinkState& link;
  InterfaceSettings& settings;  // the main window's, as last read or written
  DecoderLinkHost& host;
  DecoderPortIo& port;
  PassingParser& parser;  // the series' parser: a passing split across the wait is kept
  bool seriesRunning = false;
  bool seriesLive = false;     // armed, running, or a transponder scan or check
  int64_t raceStartTick = 0;   // of the race clock, for the times in the texts
};

// The link steps of one tick: initialisation, keep-alive, reconnection.
void SuperviseDecoderLink(const DecoderLinkSupervision& supervision);

// Around the interface dialog: neither the keep-alive nor a reconnection runs while it is open,
// and the settings that it may have written are read at the next tick.
void SuspendDecoderSupervision(DecoderLinkState& link);
void ResumeDecoderSupervision(DecoderLinkState& link);

// "Perte connexion du décodeur KV2/KV3 USB à %s.\n" and "Récupération connexion décodeur KV2/KV3
// USB réussie à %s." with a race time in ms, shown to the tenth.
std::string LinkLossText(int64_t raceTimeMs);
std::string LinkRecoveryText(int64_t raceTimeMs);

// A passing read during a reconnection: the running series counts it, the transponder scan or
// check takes it as its own passings; otherwise it is dropped.
void RouteReconnectionPassing(const RaceControl& control, const DecoderPassing& passing);

// The interface dialog ("INTERFACE"), whose texts are always the French ones.
inline constexpr std::string_view kInterfaceDialogCaption = "Interface décodeur";
enum InterfaceText : int {
  kTextDecoder = 0,         // "Décodeur"
  kTextOpen,                // "Ouvrir"
  kTextMessages,            // "Messages"
  kTextComPort,             // "Port COM"
  kTextInterface,           // "Interface"
  kTextReady,               // "prête à fonctionner !"
  kTextSoftwareReady,       // "Logiciel prêt à fonctionner !"
  kTextOpeningPort,         // "Tentative d'ouverture du port COM :"
  kTextPortOpened,          // "Ouverture du port COM OK !"
  kTextPortFailed,          // "Echec à l'ouverture du port COM !"
  kTextPortNotOpen,         // "Port COM non ouvert !"
  kTextConnected,           // "connecté !"
};
extern const std::array<std::string_view, 12> kInterfaceTexts;

// The radio button that shows a DecoderKind: 4202 USB decoder, 4203 Bluetooth, 4201 otherwise.
int InterfaceKindRadio(std::string_view decoderKind);
// The message edit's text when the dialog opens.
std::string InterfaceStateMessage(const InterfaceSettings& settings);

// "Ouvrir": the port closed, the chosen one opened and the hardware identified (up to 1500 ms).
// settings gets the port name, the state and the kind found; the result is the message edit's
// text. Writing the settings is left to the dialog.
std::string DetectInterface(DecoderLinkHost& host, DecoderPortIo& port, std::string_view portName,
                            InterfaceSettings& settings);

}  // namespace zd
