#include "files/databases.h"

#include <algorithm>
#include <ctime>

#include "files/record_fields.h"
#include "files/system_file.h"
#include "files/text_file.h"
#include "files/whole_file.h"

namespace zd {

namespace {

// Slot n from line n, until the end of the file or of the table.
template <typename Table, typename ReadRecord>
bool ReadRecords(std::string_view path, Table& table, ReadRecord readRecord) {
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return false;
  for (auto& record : table) {
    if (AtEndOfFile(file)) break;
    LineFields line(file);
    readRecord(line, record);
    if (!line.finish()) break;
  }
  return true;
}

// Writes fields with the calls LineFields reads them with, so that one list of a record's fields
// serves its reader and its writer and the two cannot drift apart.
class RecordWriter {
 public:
  explicit RecordWriter(FieldWriter& out) : out_(out) {}
  void text(std::string_view value) { out_.text(value); }
  void multiLineText(std::string_view value) { AppendMultiLineField(out_, value); }
  void integer(int32_t value) { out_.integer(value); }

 private:
  FieldWriter& out_;
};

template <typename Table, typename Fields>
bool WriteRecords(std::string_view path, const Table& table, int count, Fields fields) {
  const int n = std::clamp(count, 0, static_cast<int>(table.size()));
  FieldWriter out;
  RecordWriter writer(out);
  for (int i = 0; i < n; ++i) {
    fields(writer, table[i]);
    out.endLine();
  }
  return WriteWholeFile(path, out.str());
}

// The fields of each database line, in file order.
constexpr auto kVehicleCategoryFields = [](auto& f, auto& r) {
  f.text(r.name);
  f.text(r.description);
  f.multiLineText(r.characteristics);
};
constexpr auto kVehicleFields = [](auto& f, auto& r) {
  f.text(r.name);
  f.text(r.make);
  f.text(r.model);
  f.text(r.category);
  f.text(r.picturePath);
};
constexpr auto kClubFields = [](auto& f, auto& r) {
  f.text(r.shortName);
  f.text(r.fullName);
  f.text(r.address);
  f.text(r.addressContinued);
  f.text(r.postcode);
  f.text(r.city);
  f.text(r.country);
  f.text(r.phone);
  f.text(r.email);
};
constexpr auto kAgeCategoryFields = [](auto& f, auto& r) {
  f.integer(r.flag);
  f.integer(r.fromMonth);
  f.integer(r.fromYear);
  f.integer(r.toMonth);
  f.integer(r.toYear);
  f.integer(r.fromCount);
  f.integer(r.toCount);
  f.text(r.code);
  f.text(r.name);
};
constexpr auto kDriverFields = [](auto& f, auto& r) {
  f.integer(r.sex);
  f.text(r.name);
  f.text(r.address);
  f.text(r.addressContinued);
  f.text(r.postcode);
  f.text(r.city);
  f.text(r.country);
  f.text(r.phone);
  f.text(r.email);
  f.text(r.birth);
  f.text(r.licence);
  f.text(r.club);
  f.text(r.vehicle);
  f.text(r.carNumber);
  f.text(r.transponder);
  f.text(r.photoPath);
};
constexpr auto kChampionshipFields = [](auto& f, auto& r) {
  f.text(r.name);
  f.multiLineText(r.description);
};
constexpr auto kTransponderPackFields = [](auto& f, auto& r) {
  f.text(r.name);
  for (auto& transponder : r.transponders) f.text(transponder);
};
constexpr auto kPenaltyFields = [](auto& f, auto& r) {
  f.integer(r.kind);
  f.integer(r.amount);
  f.text(r.code);
  f.text(r.name);
  f.multiLineText(r.description);
};

// One text per line, line n into the field of slot n.
template <typename Table, typename FieldOf>
bool ReadLines(std::string_view path, Table& table, FieldOf fieldOf) {
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return false;
  for (auto& record : table)
    if (!ReadLineText(file, fieldOf(record))) break;
  return true;
}

template <typename Table>
void ClearEach(Table& table) {
  for (auto& record : table) record = typename Table::value_type{};
}

}  // namespace

std::string CountryFlagPath(std::string_view code) {
  return "paysDrapeaux/" + std::string(code) + ".bmp";
}

int32_t BirthMonthCount(int32_t year, int32_t monthIndex) {
  return (year - 1900) * 12 + monthIndex;
}

const AgeCategoryRecord* AgeCategoryOfBirth(const AgeCategoryTable& categories,
                                            int32_t birthMonthCount) {
  const AgeCategoryRecord* found = nullptr;
  for (const AgeCategoryRecord& age : categories) {
    if (age.code.empty() && age.name.empty()) continue;
    if (age.fromCount <= birthMonthCount && birthMonthCount <= age.toCount) found = &age;
  }
  return found;
}

int32_t CurrentBirthMonthCount() {
  std::time_t now = std::time(nullptr);
  const std::tm local = sys::LocalTime(now);
  return BirthMonthCount(local.tm_year + 1900, local.tm_mon);
}

void ClearVehicleCategoryTable(VehicleCategoryTable& table) { ClearEach(table); }
void ClearVehicleTable(VehicleTable& table) { ClearEach(table); }
void ClearClubTable(ClubTable& table) { ClearEach(table); }
void ClearAgeCategoryTable(AgeCategoryTable& table) { ClearEach(table); }
void ClearDriverTable(DriverTable& table) { ClearEach(table); }
void ClearDriverSummaryTable(DriverSummaryTable& table) { ClearEach(table); }
void ClearChampionshipTable(ChampionshipTable& table) { ClearEach(table); }
void ClearTransponderPackTable(TransponderPackTable& table) { ClearEach(table); }
void ClearPenaltySummaryTable(PenaltySummaryTable& table) { ClearEach(table); }

bool ReadVehicleCategories(std::string_view path, VehicleCategoryTable& table) {
  return ReadRecords(path, table, kVehicleCategoryFields);
}

bool WriteVehicleCategories(std::string_view path, const VehicleCategoryTable& table, int count) {
  return WriteRecords(path, table, count, kVehicleCategoryFields);
}

bool ReadVehicles(std::string_view path, VehicleTable& table) {
  return ReadRecords(path, table, kVehicleFields);
}

bool WriteVehicles(std::string_view path, const VehicleTable& table, int count) {
  return WriteRecords(path, table, count, kVehicleFields);
}

bool ReadClubs(std::string_view path, ClubTable& table) {
  return ReadRecords(path, table, kClubFields);
}

bool WriteClubs(std::string_view path, const ClubTable& table, int count) {
  return WriteRecords(path, table, count, kClubFields);
}

bool ReadAgeCategories(std::string_view path, AgeCategoryTable& table) {
  return ReadRecords(path, table, kAgeCategoryFields);
}

bool WriteAgeCategories(std::string_view path, const AgeCategoryTable& table, int count) {
  return WriteRecords(path, table, count, kAgeCategoryFields);
}

bool ReadDrivers(std::string_view path, DriverTable& table) {
  return ReadRecords(path, table, kDriverFields);
}

bool WriteDrivers(std::string_view path, const DriverTable& table, int count) {
  return WriteRecords(path, table, count, kDriverFields);
}

bool ReadDriverSummaries(std::string_view path, DriverSummaryTable& table,
                         int32_t currentMonthCount) {
  return ReadRecords(path, table, [currentMonthCount](LineFields& line, DriverSummaryRecord& r) {
    line.integer(r.sex);
    line.text(r.name);
    line.skip();  // address
    line.skip();  // address continued
    line.skip();  // postcode
    line.skip();  // city
    line.text(r.country);
    line.skip();  // phone
    line.skip();  // e-mail
    if (line.open()) {
      line.text(r.birth);
      int32_t count = LeadingInt(r.birth);
      if (count < 0 || count > currentMonthCount) count = 0;
      r.birthMonthCount = count;
      r.birth = std::to_string(count);
    }
    line.skip();  // licence
    line.text(r.club);
    line.text(r.vehicle);
    line.text(r.carNumber);
    line.text(r.transponder);
  });
}

bool ReadChampionships(std::string_view path, ChampionshipTable& table) {
  return ReadRecords(path, table, kChampionshipFields);
}

bool WriteChampionships(std::string_view path, const ChampionshipTable& table, int count) {
  return WriteRecords(path, table, count, kChampionshipFields);
}

bool ReadTransponderPacks(std::string_view path, TransponderPackTable& table) {
  return ReadRecords(path, table, kTransponderPackFields);
}

bool WriteTransponderPacks(std::string_view path, const TransponderPackTable& table) {
  return WriteRecords(path, table, kTransponderPacks, kTransponderPackFields);
}

bool ReadFrequencies(std::string_view path, FrequencyTable& table) {
  return ReadLines(
      path, table, [](FrequencyRecord & r) -> auto& { return r.frequency; });
}

bool WriteFrequencies(std::string_view path, const FrequencyTable& table, int count) {
  const int n = std::clamp(count, 0, kMaxFrequencies);
  std::string out;
  for (int i = 0; i < n; ++i) AppendLine(out, table[i].frequency);
  return WriteWholeFile(path, out);
}

bool ReadPenalties(std::string_view path, PenaltyTable& table) {
  return ReadRecords(path, table, [](LineFields& line, PenaltyRecord& r) {
    // A line without a text field must not keep the slot's old text.
    r.code.clear();
    r.name.clear();
    r.description.clear();
    kPenaltyFields(line, r);
  });
}

bool WritePenalties(std::string_view path, const PenaltyTable& table, int count) {
  return WriteRecords(path, table, count, kPenaltyFields);
}

bool ReadCountryNames(std::string_view path, CountryTable& table) {
  return ReadLines(
      path, table, [](CountryRecord & r) -> auto& { return r.name; });
}

bool ReadCountryCodes(std::string_view path, CountryTable& table) {
  return ReadLines(
      path, table, [](CountryRecord & r) -> auto& { return r.code; });
}

std::string EditControlText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out.push_back('\r');
    out.push_back(text[i]);
  }
  return out;
}

std::string FromEditControlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace zd
