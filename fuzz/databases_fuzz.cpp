// A reference database file as any bytes, read by every database reader; the tables read are
// sorted as the dialogs sort them, written back and read again.

#include <memory>
#include <string>
#include <vector>

#include "files/databases.h"
#include "files/table_helpers.h"
#include "fuzz_support.h"

namespace {

using namespace zd;

constexpr const char* kInput = "input.bd";
constexpr const char* kOutput = "output.bd";

struct Tables {
  VehicleCategoryTable categories;
  VehicleTable vehicles;
  ClubTable clubs;
  AgeCategoryTable ages;
  DriverTable drivers;
  DriverSummaryTable summaries;
  ChampionshipTable championships;
  TransponderPackTable packs;
  FrequencyTable frequencies;
  PenaltyTable penalties;
  CountryTable countries;
};

// Read, sorted, written whole and read again.
template <typename Table, typename Read, typename Write, typename Sort>
void RoundTrip(Table& table, Read read, Write write, Sort sort) {
  if (!read(kInput, table)) return;
  sort(table);
  if (write(kOutput, table, static_cast<int>(table.size()))) read(kOutput, table);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::InScratchFolder inside;
  fuzz::WriteInput(kInput, data, size);
  Tables* t = &fuzz::Fresh<Tables>();
  const auto none = [](auto&) {};
  ClearVehicleCategoryTable(t->categories);
  RoundTrip(t->categories, ReadVehicleCategories, WriteVehicleCategories, SortVehicleCategories);
  ClearVehicleTable(t->vehicles);
  RoundTrip(t->vehicles, ReadVehicles, WriteVehicles, SortVehicles);
  ClearClubTable(t->clubs);
  RoundTrip(t->clubs, ReadClubs, WriteClubs, SortClubs);
  ClearAgeCategoryTable(t->ages);
  RoundTrip(t->ages, ReadAgeCategories, WriteAgeCategories, none);
  ClearDriverTable(t->drivers);
  RoundTrip(t->drivers, ReadDrivers, WriteDrivers, SortDrivers);
  ClearChampionshipTable(t->championships);
  RoundTrip(t->championships, ReadChampionships, WriteChampionships, SortChampionships);
  RoundTrip(t->frequencies, ReadFrequencies, WriteFrequencies, SortFrequencies);
  ClearPenaltyTable(t->penalties);
  RoundTrip(t->penalties, ReadPenalties, WritePenalties, none);
  PenaltiesFit(t->penalties);

  ClearDriverSummaryTable(t->summaries);
  ReadDriverSummaries(kInput, t->summaries, BirthMonthCount(2024, 6));
  ClearTransponderPackTable(t->packs);
  if (ReadTransponderPacks(kInput, t->packs) && WriteTransponderPacks(kOutput, t->packs))
    ReadTransponderPacks(kOutput, t->packs);
  ReadCountryNames(kInput, t->countries);
  ReadCountryCodes(kInput, t->countries);

  std::vector<std::string> texts;
  VehicleCategoryComboTexts(texts, kInput);
  ClubComboTexts(texts, kInput);
  VehicleComboTexts(texts, kInput);
  CountryComboTexts(texts, kInput);
  return 0;
}
