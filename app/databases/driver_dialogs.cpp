#include <memory>
#include <string>
#include <vector>

#include "databases/combo_fill.h"
#include "databases/database_dialog.h"
#include "databases/driver_databases.h"
#include "databases/entrant_dialogs.h"
#include "databases/reference_databases.h"
#include "files/table_helpers.h"
#include "files/translation.h"
#include "live/picture_drawing.h"

namespace zd {

namespace {

void ShowError(HWND owner, const char* text) { ShowDatabaseMessage(owner, {text, "Error"}); }

// A list file's names for its combo box, or nothing when the file could not be read.
template <typename ListTexts>
ReadList ReadComboList(ListTexts listTexts) {
  std::vector<std::string> texts;
  if (!listTexts(texts)) return std::nullopt;
  return texts;
}

// Template pixels of a picture: the box it is fitted into, the area redrawn when it changes and
// the area a double-click picks or removes it in; left, top, right, bottom, right and bottom
// excluded.
struct PictureAreas {
  int frameId;
  RECT box, redraw, hit;
};

// The picture of the selected record: shown in its box, picked by a left double-click and
// removed by a right one.
class PicturePart {
 public:
  explicit PicturePart(const PictureAreas& areas) : areas_(areas) {}

  void show(HWND dialog, const FixedText<260>& path) {
    shown_ = path.str();
    redraw(dialog);
  }

  void paint(HWND dialog) const {
    const RECT box = map(dialog, areas_.box);
    PaintPicturePreview(dialog, shown_.c_str(), areas_.frameId, box.left, box.top,
                        box.right - box.left, box.bottom - box.top);
  }

  // A double-click message: the new path of the record, or nothing when the record keeps its own.
  std::optional<std::string> doubleClick(HWND dialog, UINT message, LPARAM lparam) {
    const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    const RECT hit = map(dialog, areas_.hit);
    if (!PtInRect(&hit, at)) return std::nullopt;
    if (message == WM_RBUTTONDBLCLK) return std::string();
    char name[MAX_PATH] = {};
    static const char filter[] = "Images (*.BMP; *.JPG)\0*.bmp;*.jpg;*.jpeg\0";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn)) return std::nullopt;
    return std::string(name);
  }

 private:
  static RECT map(HWND dialog, const RECT& r) {
    return MapTemplatePixels(dialog, r.left, r.top, r.right, r.bottom);
  }
  void redraw(HWND dialog) const {
    const RECT area = map(dialog, areas_.redraw);
    RedrawWindow(dialog, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN | RDW_ERASENOW);
  }

  PictureAreas areas_;
  std::string shown_;
};

// What a picture dialog does with the messages of its picture.
template <class Record>
bool PictureMessage(PicturePart& picture, HWND dialog, Record* record, FixedText<260> Record::*path,
                    UINT message, LPARAM lparam) {
  if (message == WM_PAINT) {
    picture.paint(dialog);
    return false;  // the dialog's own painting goes on
  }
  if (message != WM_LBUTTONDBLCLK && message != WM_RBUTTONDBLCLK) return false;
  if (record == nullptr) return true;
  const std::optional<std::string> chosen = picture.doubleClick(dialog, message, lparam);
  if (chosen) {
    record->*path = *chosen;
    picture.show(dialog, record->*path);
  }
  return true;
}

class VehiclesDialog : public DatabaseDialog<VehicleRecord, kMaxVehicles> {
 public:
  VehiclesDialog()
      : DatabaseDialog(
            "BASEVOITURESMOTOS", VehiclesDescriptor(),
            {3101, 3102, 3103, kVehiclesList, 3105, 3106, 3110, 3111, 3112, 3115},
            {
                {3107, FieldControl::Edit, 28, [](VehicleRecord& r) -> TextFieldRef { return r.make; }},
                {3108, FieldControl::Edit, 28, [](VehicleRecord& r) -> TextFieldRef { return r.model; }},
                {3109, FieldControl::Combo, 0,
                 [](VehicleRecord& r) -> TextFieldRef { return r.category; }},
            }),
        picture_({3119, {441, 31, 441 + 287, 31 + 188}, {438, 20, 742, 222}, {442, 32, 728, 219}}) {}

 protected:
  void initExtra() override {
    ReadList categories = ReadComboList([](auto& t) { return VehicleCategoryComboTexts(t); });
    if (categories) {
      AddComboTexts(GetDlgItem(dialog_, 3109), *categories);
    } else {
      ShowError(dialog_, "Error : 'Categories' database file not found");
    }
    model_.setNormalise([categories = std::move(categories)](VehicleTable& table) {
      CheckVehicleCategories(table, categories);
    });
  }

  void showExtra() override {
    const VehicleRecord* v = model_.selectedRecord();
    picture_.show(dialog_, v ? v->picturePath : FixedText<260>());
  }

  bool messageExtra(UINT message, WPARAM, LPARAM lparam) override {
    const bool handled = PictureMessage(picture_, dialog_, model_.selectedRecord(),
                                        &VehicleRecord::picturePath, message, lparam);
    if (handled) restoreDirectory();
    return handled;
  }

 private:
  PicturePart picture_;
};

class DriversDialog : public DatabaseDialog<DriverRecord, kMaxDrivers> {
 public:
  DriversDialog()
      : DatabaseDialog(
            "BASEPILOTES", DriversDescriptor(),
            {3401, 0, 3403, kDriversList, 3405, 3406, 3424, 3425, 3426, 3429},
            {
                {3407, FieldControl::Edit, 38, [](DriverRecord& r) -> TextFieldRef { return r.address; }},
                {3408, FieldControl::Edit, 38,
                 [](DriverRecord& r) -> TextFieldRef { return r.addressContinued; }},
                {3409, FieldControl::Edit, 13, [](DriverRecord& r) -> TextFieldRef { return r.postcode; }},
                {3410, FieldControl::Edit, 38, [](DriverRecord& r) -> TextFieldRef { return r.city; }},
                {3411, FieldControl::Combo, 0, [](DriverRecord& r) -> TextFieldRef { return r.country; }},
                {3412, FieldControl::Edit, 18, [](DriverRecord& r) -> TextFieldRef { return r.phone; }},
                {3413, FieldControl::Edit, 38, [](DriverRecord& r) -> TextFieldRef { return r.email; }},
                {3419, FieldControl::Edit, 18, [](DriverRecord& r) -> TextFieldRef { return r.licence; }},
                {3420, FieldControl::Combo, 0, [](DriverRecord& r) -> TextFieldRef { return r.club; }},
                {3421, FieldControl::Combo, 0, [](DriverRecord& r) -> TextFieldRef { return r.vehicle; }},
                {3422, FieldControl::Edit, 4, [](DriverRecord& r) -> TextFieldRef { return r.carNumber; }},
            }),
        picture_({3444, {544, 35, 544 + 210, 35 + 144}, {541, 31, 758, 179}, {541, 31, 755, 180}}) {}

 protected:
  static constexpr int kRemove = 3402, kNewName = 3405;
  static constexpr int kMonth = 3414, kYear = 3415, kAgeCategory = 3416;
  static constexpr int kMan = 3417, kWoman = 3418, kTransponder = 3423;

  void initExtra() override {
    int32_t language = kLanguageEnglish, reports = kLanguageEnglish;
    if (!ReadLanguageSettings(language, reports)) {
      ShowError(dialog_, "Error: The translation file 'FenetrePrincipale.trans' has not been found");
    }
    if (!FillCountryCombo(GetDlgItem(dialog_, 3411))) ShowError(dialog_, kCountriesFileMissing.data());
    ReadList clubs = ReadComboList([](auto& t) { return ClubComboTexts(t); });
    if (clubs) {
      AddComboTexts(GetDlgItem(dialog_, 3420), *clubs);
    } else {
      ShowError(dialog_, "Error : 'Clubs/Teams' database file not found");
    }
    ReadList vehicles = ReadComboList([](auto& t) { return VehicleComboTexts(t); });
    if (vehicles) {
      AddComboTexts(GetDlgItem(dialog_, 3421), *vehicles);
    } else {
      ShowError(dialog_, "Error : 'Cars/Motorbikes' database file not found");
    }
    FillMonthCombo(GetDlgItem(dialog_, kMonth), language);
    FillYearCombo(GetDlgItem(dialog_, kYear));
    SendDlgItemMessageA(dialog_, kTransponder, EM_LIMITTEXT, 6, 0);
    ClearAgeCategoryTable(ageCategories_);
    if (!ReadAgeCategories(kAgeCategoriesFile, ageCategories_)) {
      ShowError(dialog_, "Error : 'Age categories' database file not found");
    }
    const int32_t now = CurrentBirthMonthCount();
    model_.setNormalise([clubs = std::move(clubs), vehicles = std::move(vehicles), now](DriverTable& t) {
      NormaliseDriverTable(t, clubs, vehicles, now);
    });
  }

  void select(int combo, int32_t index) {
    const int items = static_cast<int>(SendDlgItemMessageA(dialog_, combo, CB_GETCOUNT, 0, 0));
    const int item = index >= 0 && index < items ? static_cast<int>(index) : -1;
    SendDlgItemMessageA(dialog_, combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  }

  void showAgeCategory(const DriverRecord& d) {
    SetDlgItemTextA(dialog_, kAgeCategory, ShowAgeCategory(ageCategories_, d.birthMonthCount).c_str());
  }

  void showExtra() override {
    DriverRecord* d = model_.selectedRecord();
    const DriverRecord cleared{};
    const DriverRecord& shown = d ? *d : cleared;
    SetDlgItemTextA(dialog_, kTransponder, shown.transponder.c_str());
    select(kYear, BirthYearIndex(shown));
    select(kMonth, BirthMonthIndex(shown));
    showAgeCategory(shown);
    CheckRadioButton(dialog_, kMan, kWoman, shown.sex == 1 ? kMan : kWoman);
    picture_.show(dialog_, shown.photoPath);
  }

  bool commandExtra(int id, int code) override {
    DriverRecord* d = model_.selectedRecord();
    if (id == kRemove) {
      if (code == BN_CLICKED) {
        if (model_.remove()) refresh();
        SetDlgItemTextA(dialog_, kNewName, "");
      }
      return true;
    }
    if (id == kTransponder) {
      transponderEditCommand(id, code, d != nullptr ? &d->transponder : nullptr);
      return true;
    }
    if (id == kMonth || id == kYear) {
      if (code != CBN_SELCHANGE || showing_ || d == nullptr) return true;
      const auto month = static_cast<int32_t>(SendDlgItemMessageA(dialog_, kMonth, CB_GETCURSEL, 0, 0));
      const auto year = static_cast<int32_t>(SendDlgItemMessageA(dialog_, kYear, CB_GETCURSEL, 0, 0));
      if (month < 0 || year < 0) return true;
      SetDriverBirth(*d, month, year);
      showAgeCategory(*d);
      return true;
    }
    if (id == kMan || id == kWoman) {
      if (d != nullptr && !showing_) d->sex = id == kMan ? 1 : 0;
      return true;
    }
    return id == kAgeCategory;
  }

  // The screen never shows a transponder that will not be written: one shown back stops "Ok".
  bool readyToWrite() override {
    const DriverRecord* d = model_.selectedRecord();
    return d == nullptr || !showStoredTransponder(kTransponder, d->transponder);
  }

  bool messageExtra(UINT message, WPARAM, LPARAM lparam) override {
    const bool handled = PictureMessage(picture_, dialog_, model_.selectedRecord(),
                                        &DriverRecord::photoPath, message, lparam);
    if (handled) restoreDirectory();
    return handled;
  }

  std::vector<int> boldIds() const override { return {3426, 3429, 3406, kAgeCategory}; }

  std::string importFilter() const override {
    std::string filter = FileFilter();
    filter += kOlderDriversFileType;
    filter.push_back('\0');
    filter += kDriversFile;
    filter.push_back('\0');
    return filter;
  }

 private:
  PicturePart picture_;
  AgeCategoryTable ageCategories_;
};

}  // namespace

void OpenVehiclesDialog(HWND owner) {
  auto dialog = std::make_unique<VehiclesDialog>();
  dialog->run(owner);
}

void OpenDriversDialog(HWND owner) {
  // The tables are big: they live on the heap, not on the stack of the menu command.
  auto dialog = std::make_unique<DriversDialog>();
  dialog->run(owner);
}

}  // namespace zd
