#pragma once
// The drivers and cars/motorbikes dialogs: their descriptors for the frame of database_model.h,
// and the rules that tie their records to the other lists (clubs, cars, categories, ages).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "databases/database_model.h"
#include "files/databases.h"

namespace zd {

using DriversModel = DatabaseModel<DriverRecord, kMaxDrivers>;
using VehiclesModel = DatabaseModel<VehicleRecord, kMaxVehicles>;

const DriversModel::Descriptor& DriversDescriptor();
const VehiclesModel::Descriptor& VehiclesDescriptor();

// The drivers' import chooser offers, after their own export files, the working file of another
// PC under its own name.
inline constexpr std::string_view kOlderDriversFileType = "Ancienne BD Pilotes(*.bd)";

// The names a list file gave its combo box, or nothing when the file could not be read: a list
// that was not read clears nothing.
using ReadList = std::optional<std::vector<std::string>>;

// The first `shown` items of a sorted combo box filled with texts, in the combo's order (letters
// A to Z compared as lower case, as the lists' own files are sorted).
std::vector<std::string> SortedComboItems(std::vector<std::string> texts, std::size_t shown);

inline constexpr std::size_t kCheckedCategories = 50;
inline constexpr std::size_t kCheckedClubs = 100;
inline constexpr std::size_t kCheckedVehicles = 500;

// Clears every vehicle category that is not among the first 50 items of the category combo.
void CheckVehicleCategories(VehicleTable& table, const ReadList& categories);

// The BirthMonthCount of a birth text: its leading number, 0 when missing, negative or later than
// nowCount.
int32_t BirthMonthCountOf(std::string_view birth, int32_t nowCount);
// After every read of a drivers file: the birth counts and texts made sound, and every club and
// car that its combo (the first 100 clubs, the first 500 cars) does not list cleared.
void NormaliseDriverTable(DriverTable& table, const ReadList& clubs, const ReadList& vehicles,
                          int32_t nowCount);

// The month and year combos' choice: the count and the birth text.
void SetDriverBirth(DriverRecord& driver, int32_t month, int32_t year);
// The year and month indexes of the driver's count, for the two combos.
inline int32_t BirthYearIndex(const DriverRecord& d) { return d.birthMonthCount / 12; }
inline int32_t BirthMonthIndex(const DriverRecord& d) { return d.birthMonthCount % 12; }

// The age category shown beside a birth: "code : name" of the last category of the table whose
// bounds hold it (codes that are empty skipped), " " with none.
std::string ShowAgeCategory(const AgeCategoryTable& categories, int32_t birthMonthCount);

}  // namespace zd
