#include "web/archive_publishing.h"

#include <algorithm>

#include "web/archive_files.h"
#include "web/upload_file.h"
#include "web/web_addresses.h"

namespace zd {

namespace {

constexpr std::string_view kLibraryFailedFrench =
    "Erreur: l'utilisation de la libraire 'Libcurl' a échoué.";
constexpr std::string_view kNotConnected = "Le lociciel n'est pas connecté au site web distant.";
constexpr std::string_view kParticipantsNotConnected =
    "Le logiciel n'est pas connecté au site web distant.";
constexpr std::string_view kNotActivated = "L'envoi des résultats sur le web n'a pas été activé.";
constexpr std::string_view kParticipantsNotActivated =
    "L'envoi des résultats sur le web n'est pas activé.";
constexpr std::string_view kArchiveNotWritten = "Error : Archive source file not found";
constexpr std::string_view kArchiveNotFound = "Error: archive source file not found.";
constexpr std::string_view kArchiveTransferFailed =
    "Error: the transfer of the archive file to the remote web site failed.";
constexpr std::string_view kRaceFolderNotFound =
    "Error: directory of the race not found in the remote web site.";

std::string_view SexCode(int32_t sexFilter) {
  switch (sexFilter) {
    case 0:
      return "F";
    case 1:
      return "M";
    default:
      return "MF";
  }
}

char PhaseLetter(PublishingWindow window) {
  switch (window) {
    case PublishingWindow::PracticeSession:
    case PublishingWindow::PracticeFinal:
      return 'T';
    case PublishingWindow::QualifyingSession:
    case PublishingWindow::QualifyingFinal:
      return 'Q';
    default:
      return 'M';
  }
}

// The flags' checks; false when the send stops.
bool SendingAllowed(const WebEventInfo& info, PublishingWindow window, PublishingDesk& desk) {
  const bool participants = window == PublishingWindow::Participants;
  if (info.connected != 1) {
    desk.showMessage(participants ? kParticipantsNotConnected : kNotConnected, "Erreur", true);
    return false;
  }
  if (participants && info.activated != 1) {
    desk.showMessage(kParticipantsNotActivated, "Attention", true);
    return false;
  }
  if (info.activated == 0) {
    desk.showMessage(kNotActivated, "Attention", true);
    return false;
  }
  if (info.activated != 1) {
    desk.showMessage(kNotConnected, "Erreur", true);
    return false;
  }
  return true;
}

// The upload into the race folder; shows its own failures.
void UploadArchive(const WebLink& link, std::string_view raceFolder, std::string_view remoteName,
                   const WebSite& site, WebTransport& transport, PublishingDesk& desk) {
  std::string bytes;
  if (!ReadUploadFile(kArchivePath, bytes)) {
    desk.showMessage(kArchiveNotFound, kErrorCaption, false);
    return;
  }
  const std::string address = ArchiveFileAddress(site, link.info.championshipFolder,
                                                  link.info.eventId, raceFolder, remoteName);
  if (transport.upload(address, site.account, bytes) != FtpOutcome::Done)
    desk.showMessage(kArchiveTransferFailed, kErrorCaption, true);
}

}  // namespace

void WebLinkCheck(WebLink& link, const WebSite& site, WebTransport& transport,
                  PublishingDesk& desk) {
  link.info.connected = 0;
  link.info.activated = 0;
  ReadWebEventInfo(link.info);
  link.libraryFailed = false;
  switch (transport.probe(site.ftpRoot, site.account, kFtpTotalTimeoutMs)) {
    case FtpOutcome::Done:
      link.info.connected = 1;
      break;
    case FtpOutcome::Failed:
      link.info.connected = 0;
      link.info.activated = 0;
      break;
    case FtpOutcome::LibraryFailed:
      link.libraryFailed = true;
      desk.showMessage(kLibraryFailed, kErrorCaption, true);
      break;
  }
  const Outcome written = WriteWebEventInfo(link.info);
  if (!written) desk.showMessage(written.message, kErrorCaption, false);
}

bool SendingOn(const WebEventInfo& info) { return info.connected == 1 && info.activated == 1; }

PublishingValues SessionPublishing(PublishingWindow window, int32_t number) {
  PublishingValues v;
  v.window = window;
  v.archiveQueryValue = std::string(1, PhaseLetter(window)) + std::to_string(number) + ".txt";
  v.remoteName = v.archiveQueryValue;
  v.libraryFailureText = kLibraryFailed;
  v.libraryFailureCaption = kErrorCaption;
  return v;
}

PublishingValues FinalPublishing(PublishingWindow window, int32_t sexFilter,
                                 std::string_view categoryText, std::string_view ageText,
                                 std::string_view ageShortForm) {
  const std::string stem = std::string(1, PhaseLetter(window)) + "Classement-" +
                           std::string(SexCode(sexFilter)) + "-" + std::string(categoryText) + "-";
  PublishingValues v;
  v.window = window;
  v.archiveQueryValue = stem + std::string(ageText) + ".txt";
  v.remoteName = stem + std::string(ageShortForm) + ".txt";
  v.libraryFailureText = kLibraryFailedFrench;
  v.libraryFailureCaption = "Erreur";
  return v;
}

PublishingValues ParticipantsPublishing() {
  PublishingValues v;
  v.window = PublishingWindow::Participants;
  v.archiveQueryValue = "ZListe.txt";
  v.remoteName = v.archiveQueryValue;
  v.libraryFailureText = kLibraryFailed;
  v.libraryFailureCaption = kErrorCaption;
  return v;
}

FtpOutcome WaitForFolder(std::string_view address, std::string_view account,
                         WebTransport& transport, PublishingDesk& desk) {
  const int64_t deadline = desk.tickCount() + kFolderWaitMs;
  for (;;) {
    const int64_t probeStart = desk.tickCount();
    const int32_t timeout = static_cast<int32_t>(
        std::clamp<int64_t>(deadline - probeStart, kLastProbeTimeoutMs, kFtpTotalTimeoutMs));
    const FtpOutcome outcome = transport.probe(address, account, timeout);
    if (outcome == FtpOutcome::LibraryFailed) return outcome;
    desk.sleep(kProbePauseMs);
    // The probe that started after the deadline was the last one.
    if (outcome == FtpOutcome::Done || probeStart > deadline) return outcome;
  }
}

void ArchivePublishing(WebLink& link, const ArchiveRequest& request, const WebSite& site,
                       WebTransport& transport, PublishingDesk& desk) {
  const PublishingValues& values = request.values;
  if (!SendingAllowed(link.info, values.window, desk)) return;
  if (request.refuse && request.refuse()) return;
  if (request.lineCount == 0) return;
  // A send reports its own outcome, not a failure of an earlier one.
  link.libraryFailed = false;

  const std::string raceFolder = RaceWebFolder(request.raceName);
  const std::string raceKey = RaceWebKey(request.raceNumber, raceFolder);
  // Without this send's archive there is nothing to announce nor upload: an older file must not
  // go out in its place.
  if (!request.writeArchive || !request.writeArchive(kArchivePath)) {
    desk.showMessage(kArchiveNotWritten, kErrorCaption, true);
    return;
  }
  desk.openAddress(ArchiveScriptAddress(site, link.info.championshipFolder, link.info.eventId,
                                        raceKey, values.archiveQueryValue));

  const std::string folder =
      RaceFolderAddress(site, link.info.championshipFolder, link.info.eventId, raceFolder);
  switch (WaitForFolder(folder, site.account, transport, desk)) {
    case FtpOutcome::Done:
      UploadArchive(link, raceFolder, values.remoteName, site, transport, desk);
      break;
    case FtpOutcome::Failed:
      desk.showMessage(kRaceFolderNotFound, kErrorCaption, true);
      break;
    case FtpOutcome::LibraryFailed:
      link.libraryFailed = true;
      break;
  }
  if (link.libraryFailed)
    desk.showMessage(values.libraryFailureText, values.libraryFailureCaption, true);
}

}  // namespace zd
