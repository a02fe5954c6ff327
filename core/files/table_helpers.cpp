#include "files/table_helpers.h"

#include <algorithm>
#include <ctime>
#include <memory>
#include <numeric>

#include "files/system_file.h"

namespace zd {

namespace {

std::string LowerAsciiKey(std::string_view name) {
  std::string key(name);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

// The one ordering of every name sort; keyOf gives a record's name field.
template <typename Table, typename KeyOf>
void SortByName(Table& table, KeyOf keyOf) {
  const std::size_t n = table.size();
  std::vector<std::string> keys(n);
  std::vector<std::size_t> order(n);
  for (std::size_t i = 0; i < n; ++i) keys[i] = LowerAsciiKey(keyOf(table[i]));
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const bool emptyA = keys[a].empty(), emptyB = keys[b].empty();
    if (emptyA != emptyB) return emptyB;
    // std::string compares its chars as unsigned bytes (char_traits<char>::lt).
    const int c = keys[a].compare(keys[b]);
    if (c != 0) return c < 0;
    return a > b;
  });
  // The copy goes on the heap: the driver and vehicle tables are too big for a thread's stack.
  std::vector<typename Table::value_type> sorted;
  sorted.reserve(n);
  for (std::size_t i : order) sorted.push_back(table[i]);
  std::copy(sorted.begin(), sorted.end(), table.begin());
}

// The first field of every record the reader parsed; an empty one (an empty line of the file)
// offers nothing, and the records after it are offered still. The table is big, so it lives on
// the heap.
template <typename Table, typename Reader, typename KeyOf>
bool NamesOfRecords(std::vector<std::string>& texts, std::string_view path, Reader read,
                    KeyOf keyOf) {
  texts.clear();
  auto table = std::make_unique<Table>();
  if (!read(path, *table)) return false;
  for (const auto& record : *table) {
    std::string_view name = keyOf(record);
    if (!name.empty()) texts.emplace_back(name);
  }
  return true;
}

constexpr std::array<std::array<std::string_view, 12>, 6> kMonthNames = {{
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"},
    {"janvier", "février", "mars", "avril", "mai", "juin", "juillet", "aout", "septembre",
     "octobre", "novembre", "décembre"},
    {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
     "November", "Dezember"},
    {"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno", "luglio", "agosto", "settembre",
     "ottobre", "novembre", "dicembre"},
    {"Janeiro", "Fevereiro", "Março", "Abril", "Maio", "Junho", "Julho", "Agosto", "Setembro",
     "Outubro", "Novembro", "Dezembro"},
    {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre",
     "octubre", "noviembre", "diciembre"},
}};

}  // namespace

void SortVehicleCategories(VehicleCategoryTable& table) {
  SortByName(table, [](const VehicleCategoryRecord& r) { return r.name.view(); });
}

void SortVehicles(VehicleTable& table) {
  SortByName(table, [](const VehicleRecord& r) { return r.name.view(); });
}

void SortClubs(ClubTable& table) {
  SortByName(table, [](const ClubRecord& r) { return r.shortName.view(); });
}

void SortDrivers(DriverTable& table) {
  SortByName(table, [](const DriverRecord& r) { return r.name.view(); });
}

void SortChampionships(ChampionshipTable& table) {
  SortByName(table, [](const ChampionshipRecord& r) { return r.name.view(); });
}

void SortFrequencies(FrequencyTable& table) {
  SortByName(table, [](const FrequencyRecord& r) { return r.frequency.view(); });
}

bool VehicleCategoryComboTexts(std::vector<std::string>& texts, std::string_view path) {
  return NamesOfRecords<VehicleCategoryTable>(
      texts, path, ReadVehicleCategories,
      [](const VehicleCategoryRecord& r) { return r.name.view(); });
}

bool ClubComboTexts(std::vector<std::string>& texts, std::string_view path) {
  return NamesOfRecords<ClubTable>(texts, path, ReadClubs,
                                   [](const ClubRecord& r) { return r.shortName.view(); });
}

bool VehicleComboTexts(std::vector<std::string>& texts, std::string_view path) {
  return NamesOfRecords<VehicleTable>(texts, path, ReadVehicles,
                                      [](const VehicleRecord& r) { return r.name.view(); });
}

bool ChampionshipComboTexts(std::vector<std::string>& texts, std::string_view path) {
  return NamesOfRecords<ChampionshipTable>(
      texts, path, ReadChampionships, [](const ChampionshipRecord& r) { return r.name.view(); });
}

bool CountryComboTexts(std::vector<std::string>& texts, std::string_view path) {
  return NamesOfRecords<CountryTable>(texts, path, ReadCountryNames,
                                      [](const CountryRecord& r) { return r.name.view(); });
}

const std::array<std::string_view, 12>& MonthNames(int32_t language) {
  return kMonthNames[language >= 1 && language <= 5 ? language : 0];
}

std::vector<std::string> MonthComboTexts(int32_t language) {
  const auto& names = MonthNames(language);
  return std::vector<std::string>(names.begin(), names.end());
}

std::vector<std::string> YearComboTexts(int32_t lastYear) {
  std::vector<std::string> texts;
  for (int32_t year = 1900; year <= lastYear; ++year) texts.push_back(std::to_string(year));
  return texts;
}

std::vector<std::string> YearComboTexts() {
  std::time_t now = std::time(nullptr);
  const std::tm local = sys::LocalTime(now);
  return YearComboTexts(local.tm_year + 1900);
}

}  // namespace zd
