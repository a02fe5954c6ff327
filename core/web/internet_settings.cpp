#include "web/internet_settings.h"

#include <cstdio>
#include <memory>

#include "files/databases.h"
#include "web/web_addresses.h"

namespace zd {

namespace {

constexpr std::string_view kErrorTitle = "Erreur";
constexpr std::string_view kNameRefused =
    "Erreur: la saisie n'est pas correcte.\n Le nom événement saisi doit contenir uniquement :\n"
    " - des lettres sans accents\n - des chiffres\n - des espaces";
constexpr std::string_view kInputRefused =
    "Erreur: la saisie n'est pas correcte :\r\n- le nom événement doit contenir au moins un "
    "caractère.\r\n- la date doit être au format 'jj mm aaaa'.";
constexpr std::string_view kNoChampionship = "Erreur: aucun championnat n'a été sélectionné.";
constexpr std::string_view kEventChanged = "Les coordonnées de l'événement ont été modifiées !\n";
constexpr std::string_view kCreateQuestion = "Voulez-vous créer un nouvel événement web ?";
constexpr std::string_view kCreateOrRenameQuestion =
    "Quelle action voulez vous faire :\n - créer un nouvel événement web (cliquer sur 'Oui' )\n"
    " - renommer l'événement actuel (cliquer sur 'Non')\n - annuler la saisie (cliquer sur "
    "'Annuler')";
constexpr std::string_view kNotCreated = "Erreur: le nouvel événement web n'a pas été créé.";
constexpr std::string_view kNotRenamed = "Erreur: l'événement web n'a pas pu être renommé.";
constexpr std::string_view kEventLine = "Les résultats seront affichés dans l'événement web :\r\n";
constexpr std::size_t kMessagesLength = 223;

bool Digits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int32_t Number(std::string_view digits) {
  int32_t n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameLetterCaseAside(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string Padded(int32_t value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, static_cast<int>(value));
  return text;
}

}  // namespace

std::string WebSafeName(std::string_view name) {
  std::string safe(name);
  for (char& c : safe) {
    if (std::string_view("<>:/\\|?*\" ").find(c) != std::string_view::npos) c = '_';
  }
  return safe;
}

std::string WebEventId(std::string_view eventName, std::string_view day, std::string_view month,
                       std::string_view year) {
  return WebSafeName(eventName) + "_" + std::string(day) + "_" + std::string(month) + "_" +
         std::string(year);
}

std::string ChampionshipFolder(std::string_view championshipName) {
  std::string folder(championshipName);
  for (char& c : folder) {
    if (c == ' ') c = '_';
  }
  return SiteSegment(folder);
}

std::string ChampionshipNameOfFolder(std::string_view folder) {
  std::string name(folder);
  for (char& c : name) {
    if (c == '_') c = ' ';
  }
  return name;
}

bool WebEventDateValid(std::string_view day, std::string_view month, std::string_view year) {
  if (day.size() != 2 || month.size() != 2 || year.size() != 4) return false;
  if (!Digits(day) || !Digits(month) || !Digits(year)) return false;
  const int32_t d = Number(day), m = Number(month), y = Number(year);
  return d >= 1 && d <= 31 && m >= 1 && m <= 12 && y >= 2011 && y <= 2099;
}

bool ParseWebEventId(std::string_view id, WebEventCoordinates& coordinates) {
  const std::size_t n = id.size();
  if (n <= 11 || id[n - 11] != '_' || id[n - 8] != '_' || id[n - 5] != '_') return false;
  const std::string_view day = id.substr(n - 10, 2), month = id.substr(n - 7, 2),
                         year = id.substr(n - 4, 4);
  if (!WebEventDateValid(day, month, year)) return false;
  coordinates.eventName = id.substr(0, n - 11);
  coordinates.day = day;
  coordinates.month = month;
  coordinates.year = year;
  return true;
}

bool EventNameAllowed(std::string_view name) {
  for (char c : name) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter && !(c >= '0' && c <= '9') && c != ' ' && c != '_') return false;
  }
  return true;
}

bool HoldsChampionship(const std::vector<std::string>& names, std::string_view name) {
  for (const std::string& held : names) {
    if (SameLetterCaseAside(held, name)) return true;
  }
  return false;
}

std::string ChampionshipOfFolder(const std::vector<std::string>& names, std::string_view folder) {
  const std::string name = ChampionshipNameOfFolder(folder);
  if (HoldsChampionship(names, name)) return name;
  for (const std::string& held : names) {
    if (SameLetterCaseAside(ChampionshipFolder(held), folder)) return held;
  }
  return {};
}

void InternetSettings::open(std::string_view championshipsPath) {
  today_ = desk_.today();
  stored_ = {};
  edit_ = {};
  info_ = {};
  checked_ = false;

  auto table = std::make_unique<ChampionshipTable>();
  ClearChampionshipTable(*table);
  if (!ReadChampionships(championshipsPath, *table))
    desk_.showMessage(kChampionshipsNotFound, kErrorCaption, false);
  championships_.clear();
  for (const ChampionshipRecord& r : *table) {
    if (r.name.empty()) break;
    championships_.push_back(r.name.str());
  }

  WebEventInfo read;
  ReadWebEventInfo(read);
  info_.connected = read.connected;
  info_.activated = read.activated;
  stored_.eventId = read.eventId.view();
  stored_.championshipFolder = read.championshipFolder.view();
  stored_.championshipName = ChampionshipOfFolder(championships_, stored_.championshipFolder);
  stored_.videoLink = read.videoLink.view();
  if (ParseWebEventId(stored_.eventId, stored_) && !stored_.championshipName.empty()) {
    edit_ = stored_;
  } else {
    info_.activated = 0;
    clearEvent();
  }

  libraryFailed_ = false;
  messages_.clear();
  switch (transport_.probe(site_.ftpRoot, site_.account, kFtpTotalTimeoutMs)) {
    case FtpOutcome::Done:
      info_.connected = 1;
      setMessages({kLinkConnectedText});
      break;
    case FtpOutcome::Failed:
      info_.connected = 0;
      setMessages({kLinkNotConnectedText});
      break;
    case FtpOutcome::LibraryFailed:
      libraryFailed_ = true;
      break;
  }
  bool eventFound = false;
  if (info_.connected == 1 && !stored_.championshipFolder.empty() && !stored_.eventId.empty()) {
    switch (transport_.probe(EventFolderAddress(site_, stored_.championshipFolder, stored_.eventId),
                             site_.account, kFtpTotalTimeoutMs)) {
      case FtpOutcome::Done:
        eventFound = true;
        break;
      case FtpOutcome::Failed:
        clearEvent();
        break;
      case FtpOutcome::LibraryFailed:
        libraryFailed_ = true;
        break;
    }
  }
  if (libraryFailed_) desk_.showMessage(kLibraryFailed, kErrorCaption, true);

  if (eventFound && info_.activated == 1) {
    checked_ = true;
    setMessages({messages_, kSendingOnText});
    appendEventLine();
  } else {
    info_.activated = 0;
    if (info_.connected == 1) setMessages({messages_, kSendingOffText});
  }
  // The main window reads the file when this closes: a sending this turned off must not go on
  // there towards an event that is gone or a site that cannot be reached.
  if (read.activated == 1 && info_.activated == 0) {
    WebEventInfo off = read;
    off.connected = info_.connected;
    off.activated = 0;
    write(off);
  }
}

void InternetSettings::activate(const WebEventInput& input) {
  checked_ = true;
  libraryFailed_ = false;
  Step step = activation(input);
  // Without the transfer library nothing could be checked: sending stays off.
  if (libraryFailed_) step = Step::Refused;
  if (step == Step::Restored) restoreEdit();
  if (step != Step::Activated) deactivate();
  if (libraryFailed_) desk_.showMessage(kLibraryFailed, kErrorCaption, true);
}

void InternetSettings::deactivate() {
  checked_ = false;
  info_.activated = 0;
  if (!stored_.eventId.empty() && !stored_.championshipFolder.empty()) {
    WebEventInfo off;
    off.connected = info_.connected;
    off.activated = 0;
    off.eventId = stored_.eventId.view();
    off.championshipFolder = stored_.championshipFolder.view();
    off.videoLink = stored_.videoLink.view();
    write(off);
  }
  setMessages({kLinkConnectedText, kSendingOffText});
}

InternetSettings::Step InternetSettings::activation(const WebEventInput& input) {
  edit_.eventName = input.eventName;
  edit_.day = input.day;
  edit_.month = input.month;
  edit_.year = input.year;
  edit_.videoLink = input.videoLink;

  const bool nameAllowed = EventNameAllowed(edit_.eventName);
  if (!nameAllowed) desk_.showMessage(kNameRefused, kErrorTitle, true);
  if (!nameAllowed || edit_.eventName.empty() ||
      !WebEventDateValid(edit_.day, edit_.month, edit_.year)) {
    desk_.showMessage(kInputRefused, kErrorTitle, true);
    return Step::Refused;
  }
  if (edit_.championshipName.empty()) {
    desk_.showMessage(kNoChampionship, kErrorTitle, true);
    return Step::Refused;
  }

  const std::string id = WebEventId(edit_.eventName, edit_.day, edit_.month, edit_.year);
  const std::string folder = ChampionshipFolder(edit_.championshipName);
  switch (transport_.probe(EventFolderAddress(site_, folder, id), site_.account,
                           kFtpTotalTimeoutMs)) {
    case FtpOutcome::LibraryFailed:
      libraryFailed_ = true;
      return Step::Refused;
    case FtpOutcome::Done: {
      const std::string question = "Un événement web '" + id +
                                   "' existe déjà. Voulez vous l'utiliser pour enregistrer vos "
                                   "résultats ?";
      if (desk_.ask(question, false) != Answer::Yes) return Step::Restored;
      return switchOn(folder, id);
    }
    case FtpOutcome::Failed:
      break;
  }
  if (stored_.eventId.empty()) return createOrRename("create", folder, id);
  if (folder != stored_.championshipFolder.view()) {
    if (desk_.ask(std::string(kEventChanged) + std::string(kCreateQuestion), false) != Answer::Yes)
      return Step::Restored;
    return createOrRename("create", folder, id);
  }
  switch (desk_.ask(std::string(kEventChanged) + std::string(kCreateOrRenameQuestion), true)) {
    case Answer::Yes:
      return createOrRename("create", folder, id);
    case Answer::No:
      return createOrRename("rename", folder, id);
    case Answer::Cancel:
      break;
  }
  return Step::Restored;
}

InternetSettings::Step InternetSettings::createOrRename(std::string_view action,
                                                        const std::string& folder,
                                                        const std::string& id) {
  desk_.openAddress(EventScriptAddress(site_, action, folder, stored_.championshipFolder, id,
                                       stored_.eventId));
  switch (WaitForFolder(EventFolderAddress(site_, folder, id), site_.account, transport_, desk_)) {
    case FtpOutcome::Done:
      return switchOn(folder, id);
    case FtpOutcome::Failed:
      desk_.showMessage(action == "create" ? kNotCreated : kNotRenamed, kErrorTitle, true);
      return Step::Restored;
    case FtpOutcome::LibraryFailed:
      libraryFailed_ = true;
      break;
  }
  return Step::Refused;
}

InternetSettings::Step InternetSettings::switchOn(const std::string& folder, const std::string& id) {
  WebEventInfo on;
  on.connected = info_.connected;
  on.activated = 1;
  on.eventId = id;
  on.championshipFolder = folder;
  on.videoLink = edit_.videoLink.view();
  // Shown on only once the file says so: the main window and the publishing windows go by it.
  if (!write(on)) return Step::Refused;
  edit_.eventId = id;
  edit_.championshipFolder = folder;
  stored_ = edit_;
  info_.activated = 1;
  setMessages({kLinkConnectedText, kSendingOnText});
  appendEventLine();
  return Step::Activated;
}

void InternetSettings::clearEvent() {
  stored_ = {};
  edit_ = {};
  edit_.day = Padded(today_.day, 2);
  edit_.month = Padded(today_.month, 2);
  edit_.year = Padded(today_.year, 4);
}

void InternetSettings::restoreEdit() {
  if (!stored_.eventId.empty()) {
    edit_.eventId = stored_.eventId.view();
    edit_.eventName = stored_.eventName.view();
    edit_.day = stored_.day.view();
    edit_.month = stored_.month.view();
    edit_.year = stored_.year.view();
  }
  if (!stored_.championshipFolder.empty()) {
    edit_.championshipFolder = stored_.championshipFolder.view();
    edit_.championshipName = stored_.championshipName.view();
  }
  if (!stored_.videoLink.empty()) edit_.videoLink = stored_.videoLink.view();
}

void InternetSettings::setMessages(std::initializer_list<std::string_view> texts) {
  std::string text;
  for (std::string_view t : texts) text += t;
  messages_ = text.substr(0, kMessagesLength);
}

void InternetSettings::appendEventLine() {
  setMessages({messages_, kEventLine,
               "'" + WebSafeName(edit_.eventName) + " " + edit_.day.str() + "/" + edit_.month.str() +
                   "/" + edit_.year.str() + "'"});
}

bool InternetSettings::write(const WebEventInfo& info) {
  const Outcome written = WriteWebEventInfo(info);
  if (!written) desk_.showMessage(written.message, kErrorCaption, false);
  return written.ok;
}

}  // namespace zd
