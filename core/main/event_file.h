#pragma once
// The event as a whole: the working race file "Private/Course.race2" holds the event being worked
// on, and an event file (".race2") is a copy of it kept wherever the operator chose. A new event
// recreates the working file, opening an event copies the chosen file over it and reads it back,
// saving copies it out. Here are the rules of those commands that need no window: the state they
// reset, what is read from an opened event, and the names and titles they make.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "files/databases.h"
#include "main/event_state.h"
#include "main/series_loading.h"

namespace zd {

inline constexpr std::string_view kEventFileExtension = ".race2";
inline constexpr std::string_view kEventFileFilterName = "Fichier course (.race2)";
inline constexpr std::string_view kEventFilePattern = "*.race2";
inline constexpr std::string_view kProgramTitle = "Zentrik";
inline constexpr std::string_view kNoEventFileTitle = kProgramTitle;
// Where a chosen event file is copied and checked before it replaces the working file.
inline constexpr const char* kOpenedEventStagingPath = "Private/CourseOuverte.race2";

inline constexpr std::string_view kEventFileNotRead = "Error : the event file could not be read";
inline constexpr std::string_view kEventFileNotSaved =
    "Error : the event could not be saved in its file";

inline constexpr std::string_view kNewEventQuestion =
    "Vous voulez commencer un nouvel événement!\nSouhaitez-vous sauvegarder l'événement en cours?";
inline constexpr std::string_view kOpenEventQuestion =
    "Souhaitez-vous sauvegarder l'événement en cours?";
inline constexpr std::string_view kQuestionCaption = "Attention";

// The window's title with an event file: "Zentrik:   " and the name as the file chooser gave it.
std::string EventWindowTitle(std::string_view chosenName);
// The event file of a chosen name: ".race2" appended unless the name holds it somewhere.
std::string EventFileName(std::string_view chosenName);
// The save chooser's name buffer at its opening: the data folder and "\*.race2". A name returned
// unchanged chooses nothing.
std::string SaveChooserPrefill(std::string_view dataFolder);
bool SaveChooserChoseName(std::string_view returned, std::string_view prefill);

// The event's records back to an empty event (race count and selection code stay): the header
// records, names and flags cleared, no penalty, no track, a lap protection of 2 seconds.
void ClearEventRecords(EventState& event);
// ResetEvent: the records cleared and the series unloaded, with the series nodes that the tree
// about to be rebuilt no longer holds forgotten.
void ResetEvent(const SeriesDesk& desk);
// After the reset of a new event: one race "COURSE 1" selected, no event file.
void StartNewEvent(EventState& event);

// Creates the working race file anew with the event's header and tree flags.
Outcome CreateWorkingRaceFile(const EventState& event);

// Reads the header into the event only when the whole header could be read: a header that
// cannot be read leaves the records as they were.
bool ReadEventHeader(TextFile& file, EventState& event);
// Whether the file at path is a race file: it opens and its header reads.
bool IsRaceFile(std::string_view path);

// The reference data that the participants of an opened event are brought up to date with.
struct DriverReference {
  const DriverSummaryTable& drivers;
  const CountryTable& countries;
  const AgeCategoryTable& ageCategories;
};
// Each participant of race r named exactly as a driver takes the driver's club, country code,
// age category and sex (the last match wins; nothing found leaves the field), and the section is
// written back. Nothing happens when the race has no participants section.
Outcome RefreshParticipantsFromDrivers(TextFile& file, int race, const DriverReference& reference);

// Reads the working race file of an event just opened: the header, the participant names of
// every race (brought up to date with the drivers), the tree flags, the track, whether the event
// is international, and its penalties. Failures are handed to showError.
void ReadOpenedEvent(EventState& event, const DriverReference& reference,
                     const std::function<void(std::string_view)>& showError);

}  // namespace zd
