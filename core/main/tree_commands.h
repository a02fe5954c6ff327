#pragma once
// The commands of the event tree's context menus (1051 to 1085): a race added or renamed, the
// event set-up dialogs and the three phases' parameters and arrangement dialogs, a session or
// round added. The dialogs share nothing with the main window: they find their race in the
// SelectionCode of the race file, write the race file, and the command then reads back what the
// main window holds of it, keeps the tree and the race header in step, and refreshes the loaded
// series when the change concerns it.

#include <cstdint>
#include <optional>
#include <string_view>

#include "main/command_window.h"

namespace zd {

inline constexpr int32_t kAddRaceCommand = 1051;
inline constexpr int32_t kRenameRaceCommand = 1052;
inline constexpr int32_t kEventInformationCommand = 1053;
inline constexpr int32_t kTrackCommand = 1054;
inline constexpr int32_t kParticipantsCommand = 1055;

// The phase commands: parameters, arrangement and added session of each phase.
enum class PhaseCommand { Parameters, Arrangement, AddSession };
struct PhaseCommandOf {
  RacePhase phase;
  PhaseCommand command;
};
// 1061 to 1063 practice, 1073 to 1075 qualifying, 1083 to 1085 rounds; nothing for another id.
std::optional<PhaseCommandOf> TreePhaseCommand(int32_t command);

// One command of a tree context menu; an id that is none does nothing.
void RunTreeContextCommand(const CommandDesk& desk, int32_t command);

// The race header written with the event's SelectionCode, race count and records; a race file
// that cannot be opened is reported and the command goes on.
void WriteEventHeader(const CommandDesk& desk);

}  // namespace zd
