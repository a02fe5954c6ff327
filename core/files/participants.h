#pragma once
// The participants of a race: a section of 200 lines, one per record, empty records included.

#include <array>
#include <cstdint>

#include "files/fixed_text.h"
#include "files/race_file.h"
#include "files/text_file.h"

namespace zd {

struct ParticipantRecord {
  FixedText<40> name;
  FixedText<15> club;
  FixedText<5> nationCode;  // names the flag bitmap "paysDrapeaux/%s.bmp"
  FixedText<30> vehicle;
  FixedText<5> carNumber;
  FixedText<7> transponder;  // six digits
  FixedText<30> vehicleCategory;
  FixedText<4> ageCategoryCode;
  FixedText<20> ageCategoryName;
  std::array<FixedText<7>, 5> frequencies;  // "2.4Ghz" never counts as a clash
  int32_t sex = 1;                          // 1 man, 0 woman
};
using ParticipantTable = std::array<ParticipantRecord, kMaxParticipants>;
using ParticipantNames = std::array<FixedText<40>, kMaxParticipants>;
using RaceNameLists = std::array<ParticipantNames, kMaxRaces>;

// Every text empty, every sex 1.
void ClearParticipants(ParticipantTable& table);
// Orders the 200 records by name, the letters A to Z compared as lower case and every other byte
// as its unsigned value; empty names last; equal names in the reverse of their table order.
void SortParticipantsByName(ParticipantTable& table);

// Whether the 200 records fit their section of the race file: records whose texts all have their
// full width can take more than the section holds.
bool ParticipantsFit(const ParticipantTable& table);
Outcome WriteParticipantsSection(TextFile& file, std::string_view title,
                                 const ParticipantTable& table);
// Reads the 200 lines at the position FindSection left into a table the caller cleared; returns
// false when the file ended early.
bool ReadParticipantsSection(TextFile& file, ParticipantTable& table);
// Reads only the name of each of the 200 lines.
bool ReadParticipantNames(TextFile& file, ParticipantNames& names);
void ClearRaceNameLists(RaceNameLists& lists);

}  // namespace zd
