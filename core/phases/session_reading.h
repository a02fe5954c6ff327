#pragma once
// What every ranking of a race reads from the race file: the race of the SelectionCode, the event
// information, the participants, the penalty list, and each session's results matched onto the
// drivers. The sections are found through one index of the file, however many are read.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "files/event_sections.h"
#include "files/participants.h"
#include "files/phase_sections.h"
#include "files/race_file.h"
#include "files/ranking.h"
#include "files/text_file.h"

namespace zd {

inline constexpr const char* kParticipantsTitleNotFound =
    "Error: Title of the list of participants not found";

// The first SelectionCode of each phase's tree nodes within a race: a session ranking node is
// race x 10000 + base + session.
int32_t SessionNodeBase(RacePhase phase);

struct RaceContext {
  int32_t race = 0;     // 1 to the race count; 0 when the SelectionCode names no race
  int32_t session = 0;  // of the SelectionCode, 1 to 9
  RaceHeaderRecord header;
  EventInformation information;  // the event name without its international prefix
  bool international = false;
  std::unique_ptr<ParticipantTable> participants = std::make_unique<ParticipantTable>();
  int32_t participantCount = 0;  // P, 0 to 200
  std::unique_ptr<PenaltyTable> penalties = std::make_unique<PenaltyTable>();
  int penaltyCount = 0;
  SectionIndex index;
  std::vector<std::string> messages;  // boxes to show, caption "Error", in order

  RaceContext();
  int32_t seriesCount(RacePhase phase) const;  // series per session, 0 to 9
};

// Reads the header, the information, the participants and the penalties of the race named by the
// SelectionCode, its session number counted from the phase's node base. The file stays open for
// the phase's own sections.
void ReadRaceContext(TextFile& file, RacePhase phase, RaceContext& context);

// The results of one practice or qualifying session: each participant slot i below P takes the
// line of its name of the last series (1 to the series count) that has one; slots without a line
// keep a cleared buffer. The table must have been cleared; names are set here.
void ReadSessionSlots(TextFile& file, const RaceContext& context, RacePhase phase, int session,
                      DriverSessionTable& slots);

// The drivers of one round, in line order: every line not named "(NA)" nor empty. Returns their
// count; 0 when the round was not saved.
int ReadRoundDrivers(TextFile& file, const RaceContext& context, int round,
                     DriverSessionTable& drivers);

// A round driver's identity: that of the last participant of his name; one whom no participant
// names keeps his name and nothing else.
void RoundDriverIdentity(const RaceContext& context, std::string_view name, RankingEntry& entry);

}  // namespace zd
