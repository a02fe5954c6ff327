#include <array>
#include <string>

#include "databases/category_databases.h"
#include "databases/combo_fill.h"
#include "databases/database_dialog.h"
#include "databases/entrant_dialogs.h"
#include "files/translation.h"

namespace zd {

namespace {

constexpr char kLanguageMissing[] =
    "Error: The translation file 'FenetrePrincipale.trans' has not been found";

// The interface language, English when it cannot be read.
int32_t ReadInterfaceLanguage(bool& read) {
  int32_t software = kLanguageEnglish;
  int32_t reports = kLanguageEnglish;
  read = ReadLanguageSettings(software, reports);
  return software;
}

void ShowError(HWND owner, const std::string& text) { ShowDatabaseMessage(owner, {text, "Error"}); }

class AgeCategoriesDialog : public DatabaseDialog<AgeCategoryRecord, kMaxAgeCategories> {
 public:
  AgeCategoriesDialog(int32_t language, bool languageRead)
      : DatabaseDialog("BASEAGES", AgeCategoriesDescriptor(language),
                       {3301, 3302, 3303, kAgeCodesList, 3305, 3306, 3314, 3315, 3318, 3321}, {}),
        language_(language),
        languageRead_(languageRead) {}

 protected:
  static constexpr int kName = 3307;
  static constexpr int kFromMonth = 3308, kFromYear = 3309, kToMonth = 3310, kToYear = 3311;
  static constexpr int kFromAge = 3312, kToAge = 3313;

  void initExtra() override {
    if (!languageRead_) ShowError(dialog_, kLanguageMissing);
    SendDlgItemMessageA(dialog_, kName, EM_LIMITTEXT, 18, 0);
    for (int id : {kFromMonth, kToMonth}) FillMonthCombo(GetDlgItem(dialog_, id), language_);
    for (int id : {kFromYear, kToYear}) FillYearCombo(GetDlgItem(dialog_, id));
    now_ = CurrentBirthMonthCount();
  }

  void select(int combo, int32_t index) {
    const int items = static_cast<int>(SendDlgItemMessageA(dialog_, combo, CB_GETCOUNT, 0, 0));
    SendDlgItemMessageA(dialog_, combo, CB_SETCURSEL,
                        static_cast<WPARAM>(ComboItemOrNone(index, items)), 0);
  }

  void showBounds(const AgeCategoryRecord& c) {
    select(kFromMonth, c.fromMonth);
    select(kFromYear, c.fromYear);
    select(kToMonth, c.toMonth);
    select(kToYear, c.toYear);
  }

  void showAges(const AgeCategoryRecord& c) {
    SetDlgItemTextA(dialog_, kFromAge, BoundAgeText(c.fromCount, now_, language_).c_str());
    SetDlgItemTextA(dialog_, kToAge, BoundAgeText(c.toCount, now_, language_).c_str());
  }

  void showExtra() override {
    AgeCategoryRecord* c = model_.selectedRecord();
    if (c == nullptr) {
      SetDlgItemTextA(dialog_, kName, "");
      for (int id : {kFromMonth, kFromYear, kToMonth, kToYear}) select(id, -1);
      SetDlgItemTextA(dialog_, kFromAge, "");
      SetDlgItemTextA(dialog_, kToAge, "");
      return;
    }
    SetDlgItemTextA(dialog_, kName, c->name.c_str());
    showBounds(*c);
    UpdateBoundCounts(*c);
    showAges(*c);
  }

  int32_t chosen(int combo) {
    return static_cast<int32_t>(SendDlgItemMessageA(dialog_, combo, CB_GETCURSEL, 0, 0));
  }

  bool commandExtra(int id, int code) override {
    AgeCategoryRecord* c = model_.selectedRecord();
    if (id == kName) {
      if (code == EN_CHANGE && !showing_ && c != nullptr) {
        StoreAgeCategoryName(*c, DialogItemText(dialog_, kName));
      }
      return true;
    }
    const bool from = id == kFromMonth || id == kFromYear;
    const bool to = id == kToMonth || id == kToYear;
    if (!from && !to) return false;
    if (code != CBN_SELCHANGE || showing_ || c == nullptr) return true;
    const int32_t month = chosen(from ? kFromMonth : kToMonth);
    const int32_t year = chosen(from ? kFromYear : kToYear);
    // A combo without a choice (a bound read from a damaged file) takes none from the other.
    if (month < 0 || year < 0) return true;
    const bool moved = from ? SetBornFrom(*c, month, year) : SetBornTo(*c, month, year);
    if (moved) showBounds(*c);
    showAges(*c);
    return true;
  }

  std::vector<int> boldIds() const override { return {3318, 3321, 3306, kFromAge, kToAge}; }

 private:
  int32_t language_;
  bool languageRead_;
  int32_t now_ = 0;
};

class VehicleCategoriesDialog
    : public DatabaseDialog<VehicleCategoryRecord, kMaxVehicleCategories> {
 public:
  VehicleCategoriesDialog(int32_t language, bool languageRead)
      : DatabaseDialog(
            "BASECATEGORIES", VehicleCategoriesDescriptor(language),
            {3001, 3002, 3003, kVehicleCategoriesList, 3005, 3006, 3009, 3010, 3011, 3014},
            {
                {3007, FieldControl::Edit, 98,
                 [](VehicleCategoryRecord& r) -> TextFieldRef { return r.description; }},
                {3008, FieldControl::MultiLineEdit, 398,
                 [](VehicleCategoryRecord& r) -> TextFieldRef { return r.characteristics; }},
            }),
        language_(language),
        languageRead_(languageRead) {}

 protected:
  void place(int id, const LabelPlace& p) {
    const RECT r = MapTemplatePixels(dialog_, p.left, p.top, p.left + p.width, p.top + kLabelPlaceHeight);
    MoveWindow(GetDlgItem(dialog_, id), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }

  void initExtra() override {
    if (!languageRead_) ShowError(dialog_, kLanguageMissing);
    auto categories = std::make_unique<std::array<TranslationRow, kBaseCategoriesRows>>();
    auto ages = std::make_unique<std::array<TranslationRow, kBaseCategoriesAgeRows>>();
    ClearTranslationTable(*categories, kBaseCategoriesRows);
    if (!ReadTranslationFile(*categories, "BaseCategories.trans")) {
      ShowError(dialog_, "Error: The translation file 'BaseCategories.trans' has not been found");
    }
    ClearTranslationTable(*ages, kBaseCategoriesAgeRows);
    if (!ReadTranslationFile(*ages, "BaseCategoriesAge.trans")) {
      ShowError(dialog_, "Error: The translation file 'BaseCategoriesAge.trans' has not been found");
    }
    const std::size_t column = static_cast<std::size_t>(
        language_ >= 0 && language_ < kLanguageCount ? language_ : kLanguageEnglish);
    SetWindowTextA(dialog_, std::string(VehicleCategoriesCaption(language_)).c_str());
    const std::pair<int, int> fromCategories[] = {{3011, 0}, {3014, 1}, {3015, 2}, {3016, 3}};
    for (auto [id, row] : fromCategories) {
      SetDlgItemTextA(dialog_, id, (*categories)[static_cast<std::size_t>(row)][column].c_str());
    }
    const std::pair<int, int> fromAges[] = {{3012, 5}, {3001, 0}, {3013, 6}, {3002, 1},
                                            {IDOK, 11}, {IDCANCEL, 12}, {3009, 2}, {3010, 3}};
    for (auto [id, row] : fromAges) {
      SetDlgItemTextA(dialog_, id, (*ages)[static_cast<std::size_t>(row)][column].c_str());
    }
    const VehicleCategoriesLabels places = VehicleCategoriesLabelPlaces(language_);
    place(3012, places.newKey);
    place(3015, places.description);
    place(3016, places.characteristics);
  }

 private:
  int32_t language_;
  bool languageRead_;
};

}  // namespace

void OpenAgeCategoriesDialog(HWND owner) {
  bool read = false;
  const int32_t language = ReadInterfaceLanguage(read);
  AgeCategoriesDialog dialog(language, read);
  dialog.run(owner);
}

void OpenVehicleCategoriesDialog(HWND owner) {
  bool read = false;
  const int32_t language = ReadInterfaceLanguage(read);
  VehicleCategoriesDialog dialog(language, read);
  dialog.run(owner);
}

}  // namespace zd
