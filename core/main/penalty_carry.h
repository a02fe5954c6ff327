#pragma once
// Penalty indexes are positions in the event's penalty list, and the penalties database closes
// the gaps of the penalties it deletes: when the event takes a new list, every stored index is
// carried over by the code of the penalty it named, so that it never names another one. Codes
// are unique and never renumbered.

#include <cstdint>
#include <span>

#include "files/event_sections.h"
#include "files/race_file.h"
#include "files/series_sections.h"
#include "files/text_file.h"

namespace zd {

// The index in after of the penalty that index named in before; 0 when it named none or its code
// is no longer listed.
int32_t CarriedPenaltyIndex(int32_t index, const PenaltyTable& before, const PenaltyTable& after);

// Every slot's index carried over.
void CarryPenaltyIndexes(SeriesTable& table, const PenaltyTable& before, const PenaltyTable& after);
void CarryPenaltyIndexes(std::span<int32_t> indexes, const PenaltyTable& before,
                         const PenaltyTable& after);

// The same in every series and round section of the race file; a section whose indexes stay as
// they are, or that cannot be read whole, is not rewritten. The first failed rewrite's message.
Outcome CarryRaceFilePenalties(TextFile& file, const PenaltyTable& before, const PenaltyTable& after);

}  // namespace zd
