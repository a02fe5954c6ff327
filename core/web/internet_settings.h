#pragma once
// The internet settings window's rules: it ties the event being run to a web event on the site
// (its id built from the event name and date, its championship folder), tests the link, has the
// site's event script create or rename the web event, waits for its folder, and switches result
// sending on or off in "WebResults/CoordonneesWeb.txt". The window shows what this keeps; the
// machine (FTP client, clock, sleep, browser, message boxes, today's date) is given.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "files/databases.h"
#include "files/fixed_text.h"
#include "files/live_file.h"
#include "web/archive_publishing.h"
#include "web/site_settings.h"
#include "web/web_transport.h"

namespace zd {

struct LocalDate {
  int32_t day = 1;
  int32_t month = 1;
  int32_t year = 2011;
};

enum class Answer { Yes, No, Cancel };

class InternetDesk : public PublishingDesk {
 public:
  // A question box (caption "Attention", question icon): Yes and No, and Cancel when asked for.
  virtual Answer ask(std::string_view text, bool withCancel) = 0;
  virtual LocalDate today() = 0;
};

// A web event as the window keeps it.
struct WebEventCoordinates {
  FixedText<41> eventId;
  FixedText<30> eventName;
  FixedText<20> championshipFolder;
  FixedText<20> championshipName;
  FixedText<200> videoLink;
  FixedText<3> day;
  FixedText<3> month;
  FixedText<5> year;
};

// What the controls hold when 4308 is used.
struct WebEventInput {
  std::string eventName;
  std::string day;
  std::string month;
  std::string year;
  std::string videoLink;
};

// The event name with each of < > : / \ | ? * " and the blank made an underscore.
std::string WebSafeName(std::string_view name);
// "%s_%s_%s_%s": the safe name, the day, the month and the year.
std::string WebEventId(std::string_view eventName, std::string_view day, std::string_view month,
                       std::string_view year);
// The championship's name with its blanks made underscores, as one segment on the site, and back.
std::string ChampionshipFolder(std::string_view championshipName);
std::string ChampionshipNameOfFolder(std::string_view folder);
// A stored id taken apart: false unless it is longer than 11 characters with underscores at the
// 11th, 8th and 5th place from its end, two-digit day 1..31 and month 1..12, a four-digit year
// 2011..2099.
bool ParseWebEventId(std::string_view id, WebEventCoordinates& coordinates);
// The event name holds only letters a to z, digits, blanks and underscores.
bool EventNameAllowed(std::string_view name);
// Day, month and year as typed: two, two and four digits within the ranges above.
bool WebEventDateValid(std::string_view day, std::string_view month, std::string_view year);
// The list's exact search: the same name, letter case aside.
bool HoldsChampionship(const std::vector<std::string>& names, std::string_view name);
// The list's name of a stored folder: the folder with underscores as blanks when the list holds
// it, else the first name whose folder it is (a name that had to be made one segment, "A/B"
// stored as "A_B"); empty when the list has none.
std::string ChampionshipOfFolder(const std::vector<std::string>& names, std::string_view folder);

inline constexpr std::string_view kLinkConnectedText =
    "Le logiciel est connecté au site web distant.OK\r\n";
inline constexpr std::string_view kLinkNotConnectedText =
    "Le logiciel n'est pas connecté au site web distant.\r\n";
inline constexpr std::string_view kSendingOnText = "L'envoi des résultats sur le web est activé.\r\n";
inline constexpr std::string_view kSendingOffText =
    "L'envoi des résultats sur le web n'est pas activé.\r\n";
inline constexpr std::string_view kChampionshipsNotFound =
    "Error : 'Championships' database file not found";

class InternetSettings {
 public:
  InternetSettings(const WebSite& site, WebTransport& transport, InternetDesk& desk)
      : site_(site), transport_(transport), desk_(desk) {}

  // The window opens: the championships file, the stored web event, the link and event tests.
  // Writes the file only to turn off a sending it found on but could not keep on.
  void open(std::string_view championshipsPath = kChampionshipsFile);
  // 4308 pressed while unchecked, with what the controls hold.
  void activate(const WebEventInput& input);
  // 4308 pressed while checked.
  void deactivate();
  void chooseChampionship(std::string_view name) { edit_.championshipName = name; }

  // What the window shows.
  const std::vector<std::string>& championships() const { return championships_; }
  const WebEventCoordinates& edited() const { return edit_; }
  const WebEventCoordinates& stored() const { return stored_; }
  const WebEventInfo& flags() const { return info_; }
  const std::string& messages() const { return messages_; }
  bool activateChecked() const { return checked_; }
  std::string_view activateCaption() const { return checked_ ? "Désactiver" : "Activer"; }
  // 4308 and "voir".
  bool buttonsEnabled() const { return info_.connected == 1; }
  // The edits read-only and the list disabled.
  bool fieldsLocked() const { return checked_; }
  bool lightGreen() const { return info_.connected == 1 && info_.activated == 1; }

 private:
  enum class Step { Activated, Refused, Restored };
  Step activation(const WebEventInput& input);
  Step createOrRename(std::string_view action, const std::string& folder, const std::string& id);
  Step switchOn(const std::string& folder, const std::string& id);
  void clearEvent();
  void restoreEdit();
  void setMessages(std::initializer_list<std::string_view> texts);
  void appendEventLine();
  bool write(const WebEventInfo& info);

  const WebSite& site_;
  WebTransport& transport_;
  InternetDesk& desk_;
  LocalDate today_;
  std::vector<std::string> championships_;
  WebEventCoordinates stored_;
  WebEventCoordinates edit_;
  WebEventInfo info_;
  std::string messages_;
  bool checked_ = false;
  bool libraryFailed_ = false;
};

}  // namespace zd
