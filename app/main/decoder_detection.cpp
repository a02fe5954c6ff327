#include "main/decoder_detection.h"

#include <string>

#include "files/settings.h"
#include "main/decoder_identification.h"
#include "main/decoder_port.h"
#include "main/message_box.h"

namespace zd {

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
