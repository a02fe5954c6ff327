#pragma once
// The age categories and vehicle categories dialogs: their descriptors for the frame of
// database_model.h, which follow the interface language, and the rules of their own.

#include <cstdint>
#include <string>
#include <string_view>

#include "databases/database_model.h"
#include "files/databases.h"

namespace zd {

using AgeCategoriesModel = DatabaseModel<AgeCategoryRecord, kMaxAgeCategories>;
using VehicleCategoriesModel = DatabaseModel<VehicleCategoryRecord, kMaxVehicleCategories>;

// Any language outside 0 to 5 is English.
const AgeCategoriesModel::Descriptor& AgeCategoriesDescriptor(int32_t language);
const VehicleCategoriesModel::Descriptor& VehicleCategoriesDescriptor(int32_t language);

// The message of a refused character: codes take letters and digits, category names also blanks.
DatabaseMessage AgeCodeRefusal(int32_t language);
DatabaseMessage VehicleCategoryNameRefusal(int32_t language);

// A month combo's choice: the record's born-from (or born-to) month and year, kept so that born-from
// is never later than born-to; the moved bound takes the other's month and year. Both counts are
// then those of the indexes. True when the chosen bound was moved, so that its combos show it.
bool SetBornFrom(AgeCategoryRecord& category, int32_t month, int32_t year);
bool SetBornTo(AgeCategoryRecord& category, int32_t month, int32_t year);
// The two BirthMonthCounts from the month and year indexes, as each showing stores them.
void UpdateBoundCounts(AgeCategoryRecord& category);
// The age of a driver born in the bound's month, now: "(15 years)" and its translations.
std::string BoundAgeText(int32_t boundCount, int32_t nowCount, int32_t language);
// The typed name, every "-" stored as "_".
void StoreAgeCategoryName(AgeCategoryRecord& category, std::string_view typed);

// A combo's item for an index read from a file: -1 (no item) when the index is not one of its
// itemCount items.
int ComboItemOrNone(int32_t index, int itemCount);

// What the vehicle categories dialog shows in the interface language.
std::string_view VehicleCategoriesCaption(int32_t language);
struct LabelPlace {
  int left, top, width;
  friend bool operator==(const LabelPlace&, const LabelPlace&) = default;
};
inline constexpr int kLabelPlaceHeight = 22;
struct VehicleCategoriesLabels {
  LabelPlace newKey, description, characteristics;  // client pixels
};
VehicleCategoriesLabels VehicleCategoriesLabelPlaces(int32_t language);
// The rows of the two translation tables the dialog reads ("BaseCategories.trans" and
// "BaseCategoriesAge.trans").
inline constexpr int kBaseCategoriesRows = 4;
inline constexpr int kBaseCategoriesAgeRows = 13;

}  // namespace zd
