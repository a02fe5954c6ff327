#include "databases/combo_fill.h"

#include <string>
#include <vector>

#include "files/table_helpers.h"

namespace zd {

namespace {

void AddStrings(HWND combo, const std::vector<std::string>& texts) { AddComboTexts(combo, texts); }

template <typename ListTexts>
int FillFromFile(HWND combo, ListTexts listTexts) {
  std::vector<std::string> texts;
  if (!listTexts(texts)) return 0;
  AddStrings(combo, texts);
  return 1;
}

}  // namespace

void AddComboTexts(HWND combo, const std::vector<std::string>& texts) {
  for (const std::string& text : texts)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int FillCountryCombo(HWND combo) {
  return FillFromFile(combo, [](auto& t) { return CountryComboTexts(t); });
}

int FillClubCombo(HWND combo) {
  return FillFromFile(combo, [](auto& t) { return ClubComboTexts(t); });
}

int FillVehicleCombo(HWND combo) {
  return FillFromFile(combo, [](auto& t) { return VehicleComboTexts(t); });
}

int FillVehicleCategoryCombo(HWND combo) {
  return FillFromFile(combo, [](auto& t) { return VehicleCategoryComboTexts(t); });
}

void FillMonthCombo(HWND combo, int32_t language) { AddStrings(combo, MonthComboTexts(language)); }

void FillYearCombo(HWND combo) { AddStrings(combo, YearComboTexts()); }

}  // namespace zd
