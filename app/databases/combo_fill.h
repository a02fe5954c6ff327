#pragma once
// The combo boxes of the database and participant dialogs that offer names from the reference
// files, month names and years. The texts come from the core; these add them in order.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zd {

// Adds the texts in order (a sorted combo box sorts them).
void AddComboTexts(HWND combo, const std::vector<std::string>& texts);

// Each returns 0 when its file cannot be opened (the combo box is left as it was), 1 otherwise.
int FillCountryCombo(HWND combo);
int FillClubCombo(HWND combo);
int FillVehicleCombo(HWND combo);
int FillVehicleCategoryCombo(HWND combo);

// The twelve months, January first, in the given language (1 French, 2 German, 3 Italian,
// 4 Portuguese, 5 Spanish, any other English).
void FillMonthCombo(HWND combo, int32_t language);
// 1900 to the current year, so that an item's index is the year minus 1900.
void FillYearCombo(HWND combo);

}  // namespace zd
