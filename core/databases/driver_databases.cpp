#include "databases/driver_databases.h"

#include <algorithm>
#include <unordered_set>

#include "files/record_fields.h"
#include "files/table_helpers.h"

namespace zd {

namespace {

AddCheck DriverNameTest(std::string_view text) {
  // Names the program keeps for itself in its lists.
  if (text == "(NA)" || text.find("DadevuDore") != std::string_view::npos) {
    return {AddVerdict::RefuseSilently, {}};
  }
  return {};
}

bool MoreThanOneDriver(int, int count) { return count > 1; }

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// Whether a field's text is an item of a list that was read; an empty field stays.
class Listed {
 public:
  Listed(const ReadList& list, std::size_t shown) : read_(list.has_value()) {
    if (!read_) return;
    items_ = SortedComboItems(*list, shown);
    set_.insert(items_.begin(), items_.end());
  }
  bool keeps(std::string_view text) const {
    return !read_ || text.empty() || set_.count(text) != 0;
  }

 private:
  bool read_;
  std::vector<std::string> items_;
  std::unordered_set<std::string_view> set_;
};

}  // namespace

const DriversModel::Descriptor& DriversDescriptor() {
  static const DriversModel::Descriptor d{
      kDriversFile,
      38,
      DatabaseOrder::Sorted,
      true,
      true,
      {"Error : 'Drivers' database file not found", "Error : Import file 'Drivers' not found",
       "Error : Export file 'Drivers' not found", "BD Pilotes (*.bdp3)", ".bdp3"},
      [](const DriverRecord& r) { return r.name.view(); },
      [](DriverRecord& r, std::string_view k) { r.name = k; },
      ClearDriverTable,
      ReadDrivers,
      WriteDrivers,
      SortDrivers,
      DriverNameTest,
      nullptr,
      nullptr,
      MoreThanOneDriver};
  return d;
}

const VehiclesModel::Descriptor& VehiclesDescriptor() {
  static const VehiclesModel::Descriptor d{
      kVehiclesFile,
      28,
      DatabaseOrder::Sorted,
      true,
      true,
      {"Error : 'Cars/Motorbikes' database file not found",
       "Error : Import file 'Cars/Motorbikes' not found",
       "Error : Export file 'Cars/Motorbikes' not found", "Base données Voitures/Motos (.bdv2)",
       ".bdv2"},
      [](const VehicleRecord& r) { return r.name.view(); },
      [](VehicleRecord& r, std::string_view k) { r.name = k; },
      ClearVehicleTable,
      ReadVehicles,
      WriteVehicles,
      SortVehicles,
      nullptr,
      nullptr,
      nullptr,
      nullptr};
  return d;
}

std::vector<std::string> SortedComboItems(std::vector<std::string> texts, std::size_t shown) {
  std::stable_sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
    return LowerAscii(a) < LowerAscii(b);
  });
  if (texts.size() > shown) texts.resize(shown);
  return texts;
}

void CheckVehicleCategories(VehicleTable& table, const ReadList& categories) {
  const Listed listed(categories, kCheckedCategories);
  for (VehicleRecord& v : table) {
    if (!listed.keeps(v.category.view())) v.category.clear();
  }
}

int32_t BirthMonthCountOf(std::string_view birth, int32_t nowCount) {
  const int32_t count = LeadingInt(birth);
  return count < 0 || count > nowCount ? 0 : count;
}

void NormaliseDriverTable(DriverTable& table, const ReadList& clubs, const ReadList& vehicles,
                          int32_t nowCount) {
  const Listed listedClubs(clubs, kCheckedClubs);
  const Listed listedVehicles(vehicles, kCheckedVehicles);
  for (DriverRecord& d : table) {
    d.birthMonthCount = BirthMonthCountOf(d.birth.view(), nowCount);
    d.birth = std::to_string(d.birthMonthCount);
    if (!listedClubs.keeps(d.club.view())) d.club.clear();
    if (!listedVehicles.keeps(d.vehicle.view())) d.vehicle.clear();
  }
}

void SetDriverBirth(DriverRecord& driver, int32_t month, int32_t year) {
  driver.birthMonthCount = BirthMonthCount(year + 1900, month);
  driver.birth = std::to_string(driver.birthMonthCount);
}

std::string ShowAgeCategory(const AgeCategoryTable& categories, int32_t birthMonthCount) {
  std::string shown = " ";
  for (const AgeCategoryRecord& c : categories) {
    if (!c.code.empty() && c.fromCount <= birthMonthCount && birthMonthCount <= c.toCount) {
      shown = std::string(c.code.view()) + " : " + std::string(c.name.view());
    }
  }
  return shown;
}

}  // namespace zd
