#pragma once
// The organiser's reference databases: one text file per table in the data folder, one record per
// line, every field followed by a TAB (the frequencies and the country lists hold one text per
// line instead). Each table is read whole into a fixed table and written back whole.
//
// Readers do not clear their table (callers clear it first with the Clear... operation) and
// return no count: the records run up to the first slot whose first text is empty. They stop at
// the end of the file, at the table's capacity, and at the end of each line: a line cut short
// leaves the fields it lacks as they were. They return false only when the file cannot be opened.
// Writers rewrite the whole file through a temporary file and return false on any failure.
//
// Descriptions and characteristics may span several lines. In memory a line break is "\n", as in
// every other text the file layer hands out; on disk it is CR LF like every line end, and only
// the field's TAB ends the field. EditControlText and StoreEditControlText convert to and from
// the "\r\n" that Windows edit controls use.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/event_sections.h"
#include "files/fixed_text.h"

namespace zd {

// File names in the data folder.
inline constexpr const char* kVehicleCategoriesFile = "BaseDonnéesCategories.bd";
inline constexpr const char* kVehiclesFile = "BaseDonnéesVoituresMotos.bd";
inline constexpr const char* kClubsFile = "BaseDonnéesClubs.bd";
inline constexpr const char* kAgeCategoriesFile = "BaseDonnéesAges.bd1";
inline constexpr const char* kDriversFile = "BaseDonnéesPilotes.bd";
inline constexpr const char* kChampionshipsFile = "BaseDonnéesChampionnats.bd";
inline constexpr const char* kTransponderPacksFile = "BaseDonnéesTranspondeurs.bd";
inline constexpr const char* kFrequenciesFile = "BaseDonnéesFréquences.bd";
inline constexpr const char* kPenaltiesFile = "BaseDonnéesPénalités.bd";
inline constexpr const char* kCountryNamesFile = "BaseDonnéesPays.bd";
inline constexpr const char* kCountryCodesFile = "paysDrapeaux/codesPays.bd";
// The flag bitmap of a country code: "paysDrapeaux/%s.bmp".
std::string CountryFlagPath(std::string_view code);

struct VehicleCategoryRecord {
  FixedText<30> name;
  FixedText<100> description;
  FixedText<400> characteristics;  // may hold line breaks
};
inline constexpr int kMaxVehicleCategories = 50;
using VehicleCategoryTable = std::array<VehicleCategoryRecord, kMaxVehicleCategories>;

struct VehicleRecord {
  FixedText<30> name;
  FixedText<30> make;
  FixedText<30> model;
  FixedText<30> category;      // the name of a VehicleCategoryRecord
  FixedText<260> picturePath;  // a bitmap or JPEG file, empty for none
};
inline constexpr int kMaxVehicles = 500;
using VehicleTable = std::array<VehicleRecord, kMaxVehicles>;

struct ClubRecord {
  FixedText<15> shortName;  // shown in lists and stored in participants
  FixedText<40> fullName;
  FixedText<40> address;
  FixedText<40> addressContinued;
  FixedText<15> postcode;
  FixedText<40> city;
  FixedText<35> country;  // a name of the country list
  FixedText<20> phone;
  FixedText<40> email;
};
inline constexpr int kMaxClubs = 100;
using ClubTable = std::array<ClubRecord, kMaxClubs>;

// A date as months since January 1900: (year - 1900) * 12 + month index (0 for January).
int32_t BirthMonthCount(int32_t year, int32_t monthIndex);
// The month count of today's local date.
int32_t CurrentBirthMonthCount();

struct AgeCategoryRecord {
  FixedText<4> code;
  FixedText<20> name;
  int32_t flag = 1;       // always 1
  int32_t fromMonth = 0;  // born from: month index 0-11 and year index (year - 1900)
  int32_t fromYear = 0;
  int32_t toMonth = 0;  // born to
  int32_t toYear = 0;
  int32_t fromCount = 0;  // the two bounds as BirthMonthCounts, both included
  int32_t toCount = 0;
};
inline constexpr int kMaxAgeCategories = 20;
using AgeCategoryTable = std::array<AgeCategoryRecord, kMaxAgeCategories>;
// The age category of a birth: the last slot in table order whose bounds hold birthMonthCount.
// An empty slot (no code, no name) is none, whatever its bounds: its 0 to 0 would otherwise take
// every driver without a birth date. Null when no category holds it.
const AgeCategoryRecord* AgeCategoryOfBirth(const AgeCategoryTable& categories,
                                            int32_t birthMonthCount);

struct DriverRecord {
  FixedText<40> name;
  FixedText<40> address;
  FixedText<40> addressContinued;
  FixedText<15> postcode;
  FixedText<40> city;
  FixedText<35> country;
  FixedText<20> phone;
  FixedText<40> email;
  FixedText<20> birth;  // the BirthMonthCount as decimal text
  FixedText<20> licence;
  FixedText<15> club;     // a club's short name
  FixedText<30> vehicle;  // a VehicleRecord name
  FixedText<5> carNumber;
  FixedText<7> transponder;  // six digits
  FixedText<260> photoPath;
  int32_t sex = 1;              // 1 man, 0 woman
  int32_t birthMonthCount = 0;  // not in the file: set from birth after reading
};
inline constexpr int kMaxDrivers = 500;
using DriverTable = std::array<DriverRecord, kMaxDrivers>;

// The part of a driver that participants are built from.
struct DriverSummaryRecord {
  FixedText<40> name;
  FixedText<20> birth;
  FixedText<15> club;
  FixedText<35> country;
  FixedText<30> vehicle;
  FixedText<5> carNumber;
  FixedText<7> transponder;
  int32_t sex = 1;
  int32_t birthMonthCount = 0;
};
using DriverSummaryTable = std::array<DriverSummaryRecord, kMaxDrivers>;

struct ChampionshipRecord {
  FixedText<20> name;
  FixedText<100> description;  // may hold line breaks
};
inline constexpr int kMaxChampionships = 20;
using ChampionshipTable = std::array<ChampionshipRecord, kMaxChampionships>;

inline constexpr int kTransponderPackSize = 20;
struct TransponderPackRecord {
  FixedText<7> name;
  std::array<FixedText<7>, kTransponderPackSize> transponders;  // six digits, empty when unset
};
inline constexpr int kTransponderPacks = 10;
using TransponderPackTable = std::array<TransponderPackRecord, kTransponderPacks>;

struct FrequencyRecord {
  FixedText<7> frequency;  // as typed; "2.4Ghz" never counts as a clash
};
inline constexpr int kMaxFrequencies = 100;
using FrequencyTable = std::array<FrequencyRecord, kMaxFrequencies>;

// The copy of a penalty that the session ranking dialogs keep and publish.
struct PenaltySummaryRecord {
  FixedText<4> code;
  FixedText<30> name;
  int32_t amount = 0;
  int32_t kind = kPenaltyAddBestLap;
};
using PenaltySummaryTable = std::array<PenaltySummaryRecord, kMaxPenalties>;

struct CountryRecord {
  FixedText<35> name;
  FixedText<5> code;  // names the flag bitmap
};
inline constexpr int kCountryCount = 208;
using CountryTable = std::array<CountryRecord, kCountryCount>;

// Clearing: every text empty over its whole width; the integers as noted.
void ClearVehicleCategoryTable(VehicleCategoryTable& table);
void ClearVehicleTable(VehicleTable& table);
void ClearClubTable(ClubTable& table);
void ClearAgeCategoryTable(AgeCategoryTable& table);      // flag 1, the other integers 0
void ClearDriverTable(DriverTable& table);                // sex 1, BirthMonthCount 0
void ClearDriverSummaryTable(DriverSummaryTable& table);  // sex 1, BirthMonthCount 0
void ClearChampionshipTable(ChampionshipTable& table);
void ClearTransponderPackTable(TransponderPackTable& table);
void ClearPenaltySummaryTable(PenaltySummaryTable& table);  // amount 0, kind 2
// ClearPenaltyTable is with PenaltyTable in event_sections.h. The frequency table has no clear of
// its own: its users empty it whole.

// Readers fill slot n from line n. Writers write slots 0 to count - 1 (count is kept within the
// table), whatever they hold.
bool ReadVehicleCategories(std::string_view path, VehicleCategoryTable& table);
bool WriteVehicleCategories(std::string_view path, const VehicleCategoryTable& table, int count);
bool ReadVehicles(std::string_view path, VehicleTable& table);
bool WriteVehicles(std::string_view path, const VehicleTable& table, int count);
bool ReadClubs(std::string_view path, ClubTable& table);
bool WriteClubs(std::string_view path, const ClubTable& table, int count);
bool ReadAgeCategories(std::string_view path, AgeCategoryTable& table);
bool WriteAgeCategories(std::string_view path, const AgeCategoryTable& table, int count);
// Leaves birthMonthCount alone: the drivers dialog sets it from the birth text.
bool ReadDrivers(std::string_view path, DriverTable& table);
bool WriteDrivers(std::string_view path, const DriverTable& table, int count);
// Reads a drivers file into summaries. The birth text's leading number is the BirthMonthCount;
// one that is missing, negative or later than currentMonthCount becomes 0, and the birth text is
// replaced by the decimal text of the count kept.
bool ReadDriverSummaries(std::string_view path, DriverSummaryTable& table,
                         int32_t currentMonthCount);
bool ReadChampionships(std::string_view path, ChampionshipTable& table);
bool WriteChampionships(std::string_view path, const ChampionshipTable& table, int count);
bool ReadTransponderPacks(std::string_view path, TransponderPackTable& table);
// Always the ten packs.
bool WriteTransponderPacks(std::string_view path, const TransponderPackTable& table);
// One frequency per line; an empty line is an empty frequency that still takes its slot.
bool ReadFrequencies(std::string_view path, FrequencyTable& table);
bool WriteFrequencies(std::string_view path, const FrequencyTable& table, int count);
// Empties the code, name and description of each slot it fills before filling it.
bool ReadPenalties(std::string_view path, PenaltyTable& table);
bool WritePenalties(std::string_view path, const PenaltyTable& table, int count);
// The country lists, read-only: line n into slot n, at most 208 lines.
bool ReadCountryNames(std::string_view path, CountryTable& table);
bool ReadCountryCodes(std::string_view path, CountryTable& table);

// A multi-line text as a Windows edit control shows it (a "\n" not already after a "\r" becomes
// "\r\n"), and back: the edit control's "\r\n" stored as "\n", keeping what fits the field.
std::string EditControlText(std::string_view text);
std::string FromEditControlText(std::string_view text);
template <std::size_t W>
void StoreEditControlText(FixedText<W>& field, std::string_view text) {
  field = FromEditControlText(text);
}

}  // namespace zd
