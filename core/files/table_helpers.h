#pragma once
// Operations over the reference tables that the database, participants and ranking dialogs share:
// sorting a table by name, the texts of the combo boxes that offer database names, countries,
// months and years. The Win32 fillers add these texts to their combo box in the order given.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/databases.h"

namespace zd {

// Each sort orders the whole table (every slot, used or not) by its name field: the letters A to Z
// compared as lower case and every other byte as its unsigned Windows-1252 value, a prefix before
// the longer name; empty names after all others; among equal names, the slot that stood later
// first. Whole records move.
void SortVehicleCategories(VehicleCategoryTable& table);
void SortVehicles(VehicleTable& table);
void SortClubs(ClubTable& table);  // by short name
void SortDrivers(DriverTable& table);
void SortChampionships(ChampionshipTable& table);
void SortFrequencies(FrequencyTable& table);

// The names a combo box offers from a database file, in file order: the first field of each
// record the reader parsed, past any empty one, which offers nothing. False, with texts empty,
// when the file cannot be opened.
bool VehicleCategoryComboTexts(std::vector<std::string>& texts,
                               std::string_view path = kVehicleCategoriesFile);
bool ClubComboTexts(std::vector<std::string>& texts, std::string_view path = kClubsFile);
bool VehicleComboTexts(std::vector<std::string>& texts, std::string_view path = kVehiclesFile);
bool ChampionshipComboTexts(std::vector<std::string>& texts,
                            std::string_view path = kChampionshipsFile);
// The country names, in line order.
bool CountryComboTexts(std::vector<std::string>& texts, std::string_view path = kCountryNamesFile);

// The twelve month names of a UiLanguage, January first, so that an entry's index is the month
// index; any language other than 1 to 5 gives English.
const std::array<std::string_view, 12>& MonthNames(int32_t language);
std::vector<std::string> MonthComboTexts(int32_t language);
// "1900" to the given year, so that an entry's index is the year index (year - 1900); the second
// form ends at the current year of the local date.
std::vector<std::string> YearComboTexts(int32_t lastYear);
std::vector<std::string> YearComboTexts();

}  // namespace zd
