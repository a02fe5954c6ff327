#pragma once
// The database dialogs of the age categories, vehicle categories, cars/motorbikes and drivers,
// each modal over its owner, each ending with 0.

#include <windows.h>

namespace zd {

void OpenAgeCategoriesDialog(HWND owner);
void OpenVehicleCategoriesDialog(HWND owner);
void OpenVehiclesDialog(HWND owner);
void OpenDriversDialog(HWND owner);

// Control ids that the tests drive.
inline constexpr int kAgeCodesList = 3304;
inline constexpr int kVehicleCategoriesList = 3004;
inline constexpr int kVehiclesList = 3104;
inline constexpr int kDriversList = 3404;

}  // namespace zd
