#include "main/decoder_detection.h"

#include <string>

#include "files/settings.h"
#include "main/decoder_identification.h"
#include "main/decoder_port.h"
#include "main/message_box.h"

namespace zd {

namespace {

// Milliseconds of the performance counter, the clock of the identification wait; the tick count
// if there were no counter, so that the wait always ends.
int64_t CounterNowMs() {
  LARGE_INTEGER frequency, count;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0 ||
      !QueryPerformanceCounter(&count)) {
    return static_cast<int64_t>(GetTickCount64());
  }
  return CounterMilliseconds(count.QuadPart, frequency.QuadPart);
}

}  // namespace

InterfaceSettings DecoderDetection(HWND owner) {
  InterfaceSettings settings;
  if (!ReadInterfaceSettings(kInterfaceSettingsFile, settings)) {
    ShowMessage(owner, kComPortFileNotFound, "Error", MB_OK);
  }
  settings.connected = 0;

  std::string text;
  if (!OpenDecoderPort(settings.portName.c_str())) {
    settings.decoderKind = kInterfaceKind;
    text = DetectionMessage(false, {});
  } else {
    KeptDecoderPort port;
    const DecoderIdentification found = IdentifyDecoder(port, CounterNowMs);
    settings.connected = 1;
    settings.decoderKind = DecoderKindText(found.link);
    text = DetectionMessage(true, found);
  }
  ShowMessage(owner, text.c_str(), kDetectionCaption, MB_OK);

  if (!WriteInterfaceSettings(kInterfaceSettingsFile, settings)) {
    ShowMessage(owner, kComPortFileNotFound, "Error", MB_OK);
  }
  return settings;
}

}  // namespace zd
