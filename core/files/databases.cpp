#include "files/databases.h"

#include <algorithm>
#include <ctime>

#include "files/record_fields.h"
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

template <typename Table, typename WriteRecord>
bool WriteRecords(std::string_view path, const Table& table, int count, WriteRecord writeRecord) {
  const int n = std::clamp(count, 0, static_cast<int>(table.size()));
  FieldWriter out;
  for (int i = 0; i < n; ++i) {
    writeRecord(out, table[i]);
    out.endLine();
  }
  return WriteWholeFile(path, out.str());
}

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

int32_t CurrentBirthMonthCount() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
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
  return ReadRecords(path, table, [](LineFields& line, VehicleCategoryRecord& r) {
    line.text(r.name);
    line.text(r.description);
    line.multiLineText(r.characteristics);
  });
}

bool WriteVehicleCategories(std::string_view path, const VehicleCategoryTable& table, int count) {
  return WriteRecords(path, table, count, [](FieldWriter& out, const VehicleCategoryRecord& r) {
    out.text(r.name).text(r.description);
    AppendMultiLineField(out, r.characteristics);
  });
}

bool ReadVehicles(std::string_view path, VehicleTable& table) {
  return ReadRecords(path, table, [](LineFields& line, VehicleRecord& r) {
    line.text(r.name);
    line.text(r.make);
    line.text(r.model);
    line.text(r.category);
    line.text(r.picturePath);
  });
}

bool WriteVehicles(std::string_view path, const VehicleTable& table, int count) {
  return WriteRecords(path, table, count, [](FieldWriter& out, const VehicleRecord& r) {
    out.text(r.name).text(r.make).text(r.model).text(r.category).text(r.picturePath);
  });
}

bool ReadClubs(std::string_view path, ClubTable& table) {
  return ReadRecords(path, table, [](LineFields& line, ClubRecord& r) {
    line.text(r.shortName);
    line.text(r.fullName);
    line.text(r.address);
    line.text(r.addressContinued);
    line.text(r.postcode);
    line.text(r.city);
    line.text(r.country);
    line.text(r.phone);
    line.text(r.email);
  });
}

bool WriteClubs(std::string_view path, const ClubTable& table, int count) {
  return WriteRecords(path, table, count, [](FieldWriter& out, const ClubRecord& r) {
    out.text(r.shortName)
        .text(r.fullName)
        .text(r.address)
        .text(r.addressContinued)
        .text(r.postcode)
        .text(r.city)
        .text(r.country)
        .text(r.phone)
        .text(r.email);
  });
}

bool ReadAgeCategories(std::string_view path, AgeCategoryTable& table) {
  return ReadRecords(path, table, [](LineFields& line, AgeCategoryRecord& r) {
    line.integer(r.flag);
    line.integer(r.fromMonth);
    line.integer(r.fromYear);
    line.integer(r.toMonth);
    line.integer(r.toYear);
    line.integer(r.fromCount);
    line.integer(r.toCount);
    line.text(r.code);
    line.text(r.name);
  });
}

bool WriteAgeCategories(std::string_view path, const AgeCategoryTable& table, int count) {
  return WriteRecords(path, table, count, [](FieldWriter& out, const AgeCategoryRecord& r) {
    out.integer(r.flag)
        .integer(r.fromMonth)
        .integer(r.fromYear)
        .integer(r.toMonth)
        .integer(r.toYear)
        .integer(r.fromCount)
        .integer(r.toCount)
        .text(r.code)
        .text(r.name);
  });
}

bool ReadDrivers(std::string_view path, DriverTable& table) {
  return ReadRecords(path, table, [](LineFields& line, DriverRecord& r) {
    line.integer(r.sex);
    line.text(r.name);
    line.text(r.address);
    line.text(r.addressContinued);
    line.text(r.postcode);
    line.text(r.city);
    line.text(r.country);
    line.text(r.phone);
    line.text(r.email);
    line.text(r.birth);
    line.text(r.licence);
    line.text(r.club);
    line.text(r.vehicle);
    line.text(r.carNumber);
    line.text(r.transponder);
    line.text(r.photoPath);
  });
}

bool WriteDrivers(std::string_view path, const DriverTable& table, int count) {
  return WriteRecords(path, table, count, [](FieldWriter& out, const DriverRecord& r) {
    out.integer(r.sex)
        .text(r.name)
        .text(r.address)
        .text(r.addressContinued)
        .text(r.postcode)
        .text(r.city)
        .text(r.country)
        .text(r.phone)
        .text(r.email)
        .text(r.birth)
        .text(r.licence)
        .text(r.club)
        .text(r.vehicle)
        .text(r.carNumber)
        .text(r.transponder)
        .text(r.photoPath);
  });
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
  return ReadRecords(path, table, [](LineFields& line, ChampionshipRecord& r) {
    line.text(r.name);
    line.multiLineText(r.description);
  });
}

bool WriteChampionships(std::string_view path, const ChampionshipTable& table, int count) {
  return WriteRecords(path, table, count, [](FieldWriter& out, const ChampionshipRecord& r) {
    out.text(r.name);
    AppendMultiLineField(out, r.description);
  });
}

bool ReadTransponderPacks(std::string_view path, TransponderPackTable& table) {
  return ReadRecords(path, table, [](LineFields& line, TransponderPackRecord& r) {
    line.text(r.name);
    for (auto& transponder : r.transponders) line.text(transponder);
  });
}

bool WriteTransponderPacks(std::string_view path, const TransponderPackTable& table) {
  return WriteRecords(path, table, kTransponderPacks,
                      [](FieldWriter& out, const TransponderPackRecord& r) {
                        out.text(r.name);
                        for (const auto& transponder : r.transponders) out.text(transponder);
                      });
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
    r.code.clear();
    r.name.clear();
    r.description.clear();
    line.integer(r.kind);
    line.integer(r.amount);
    line.text(r.code);
    line.text(r.name);
    line.multiLineText(r.description);
  });
}

bool WritePenalties(std::string_view path, const PenaltyTable& table, int count) {
  return WriteRecords(path, table, count, [](FieldWriter& out, const PenaltyRecord& r) {
    out.integer(r.kind).integer(r.amount).text(r.code).text(r.name);
    AppendMultiLineField(out, r.description);
  });
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
