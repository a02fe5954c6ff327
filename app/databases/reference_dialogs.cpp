#include "databases/reference_dialogs.h"

#include <string>

#include "databases/combo_fill.h"
#include "databases/database_dialog.h"
#include "databases/reference_databases.h"

namespace zd {

namespace {

void OpenClubs(HWND owner) {
  class ClubsDialog : public DatabaseDialog<ClubRecord, kMaxClubs> {
   public:
    using DatabaseDialog::DatabaseDialog;

   protected:
    void initExtra() override {
      if (!FillCountryCombo(GetDlgItem(dialog_, 3212))) {
        ShowDatabaseMessage(dialog_, {std::string(kCountriesFileMissing), "Error"});
      }
    }
  };
  ClubsDialog dialog(
      "BASECLUBS", ClubsDescriptor(), {3201, 3202, 3203, 3204, 3205, 3206, 3215, 3216, 3217, 3220},
      {
          {3207, FieldControl::Edit, 38, [](ClubRecord& r) -> TextFieldRef { return r.fullName; }},
          {3208, FieldControl::Edit, 38, [](ClubRecord& r) -> TextFieldRef { return r.address; }},
          {3209, FieldControl::Edit, 38,
           [](ClubRecord& r) -> TextFieldRef { return r.addressContinued; }},
          {3210, FieldControl::Edit, 13, [](ClubRecord& r) -> TextFieldRef { return r.postcode; }},
          {3211, FieldControl::Edit, 38, [](ClubRecord& r) -> TextFieldRef { return r.city; }},
          {3212, FieldControl::Combo, 0, [](ClubRecord& r) -> TextFieldRef { return r.country; }},
          {3213, FieldControl::Edit, 18, [](ClubRecord& r) -> TextFieldRef { return r.phone; }},
          {3214, FieldControl::Edit, 38, [](ClubRecord& r) -> TextFieldRef { return r.email; }},
      });
  dialog.run(owner);
}

class PacksDialog : public DatabaseDialog<TransponderPackRecord, kTransponderPacks> {
 public:
  PacksDialog()
      : DatabaseDialog("BASETRANSPONDEURS", TransponderPacksDescriptor(),
                       {0, 0, 0, 3601, 0, 3602, 0, 0, 3623, 3624}, {}) {}

 protected:
  static constexpr int kNumbers = kTransponderPackSize;

  FixedText<7>* number(int id) {
    TransponderPackRecord* pack = model_.selectedRecord();
    const int k = id - kFirstTransponderEdit;
    if (pack == nullptr || k < 0 || k >= kNumbers) return nullptr;
    return &pack->transponders[static_cast<std::size_t>(k)];
  }

  void initExtra() override {
    for (int k = 0; k < kNumbers; ++k) {
      SendDlgItemMessageA(dialog_, kFirstTransponderEdit + k, EM_LIMITTEXT, 6, 0);
    }
  }

  void showExtra() override {
    for (int k = 0; k < kNumbers; ++k) {
      FixedText<7>* n = number(kFirstTransponderEdit + k);
      SetDlgItemTextA(dialog_, kFirstTransponderEdit + k, n ? n->c_str() : "");
    }
  }

  bool commandExtra(int id, int code) override {
    if (id < kFirstTransponderEdit || id >= kFirstTransponderEdit + kNumbers) return false;
    transponderEditCommand(id, code, number(id));
    return true;
  }

  bool readyToWrite() override {
    bool restored = false;
    for (int k = 0; k < kNumbers; ++k) {
      const int id = kFirstTransponderEdit + k;
      if (const FixedText<7>* n = number(id)) restored |= showStoredTransponder(id, *n);
    }
    return !restored;
  }
};

class PenaltiesDialog : public DatabaseDialog<PenaltyRecord, kMaxPenalties> {
 public:
  PenaltiesDialog()
      : DatabaseDialog(
            "PENALITES", PenaltiesDescriptor(), {0, 3804, 3801, 3802, 0, 3805, 3815, 3816, 3817, 3820},
            {
                {kPenaltyNameEdit, FieldControl::Edit, 25,
                 [](PenaltyRecord& r) -> TextFieldRef { return r.name; }},
                {3807, FieldControl::MultiLineEdit, 198,
                 [](PenaltyRecord& r) -> TextFieldRef { return r.description; }},
            }) {}

 protected:
  static constexpr int kCreate = 3803;
  static constexpr int kSecondsLabel = 3824;
  static constexpr int kLapsLabel = 3825;

  std::string keyDisplayText() override {
    const int slot = model_.selected();
    return slot >= 0 ? PenaltyKeyDisplay(slot, model_.keyAt(slot)) : std::string();
  }

  void initExtra() override {
    SendDlgItemMessageA(dialog_, kPenaltySecondsEdit, EM_LIMITTEXT, 5, 0);
    SendDlgItemMessageA(dialog_, kPenaltyLapsEdit, EM_LIMITTEXT, 3, 0);
  }

  void showAmount(const PenaltyRecord& p) {
    const bool laps = PenaltyInLaps(p.kind);
    const int shown = laps ? kPenaltyLapsEdit : kPenaltySecondsEdit;
    ShowWindow(GetDlgItem(dialog_, kPenaltySecondsEdit), laps ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(dialog_, kSecondsLabel), laps ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(dialog_, kPenaltyLapsEdit), laps ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(dialog_, kLapsLabel), laps ? SW_SHOW : SW_HIDE);
    const bool wasShowing = showing_;
    showing_ = true;
    SetDlgItemInt(dialog_, shown, static_cast<UINT>(p.amount), FALSE);
    showing_ = wasShowing;
  }

  void showExtra() override {
    const PenaltyRecord* p = model_.selectedRecord();
    if (p == nullptr) return;
    SendDlgItemMessageA(dialog_, kPenaltyNameEdit, EM_SETREADONLY, model_.selected() == 0, 0);
    showAmount(*p);
    // A kind outside 1 to 5 (a damaged file) checks no radio.
    for (int k = 1; k <= 5; ++k) {
      CheckDlgButton(dialog_, kPenaltyFirstKindRadio + k - 1, p->kind == k ? BST_CHECKED : BST_UNCHECKED);
    }
  }

  // A list that came too long from its file is not written until it fits the race file.
  bool readyToWrite() override {
    const MaybeDatabaseMessage tooLong = PenaltiesFitCheck(model_.table());
    message(tooLong);
    return !tooLong;
  }

  bool commandExtra(int id, int code) override {
    PenaltyRecord* p = model_.selectedRecord();
    if (id == kCreate && code == BN_CLICKED) {
      MaybeDatabaseMessage refusal;
      if (CreatePenalty(model_, &refusal)) refresh();
      message(refusal);
      return true;
    }
    if (p == nullptr) return false;
    if (id == kPenaltyNameEdit && code == EN_CHANGE) {
      if (showing_) return true;
      const std::string typed = DialogItemText(dialog_, id);
      const MaybeDatabaseMessage tooLong =
          EditPenalty(model_, [&](PenaltyRecord& r) { StoreTypedText(r.name, typed, false); });
      if (tooLong) {
        showing_ = true;
        SetDlgItemTextA(dialog_, id, p->name.c_str());
        showing_ = false;
        message(tooLong);
      }
      return true;
    }
    if (id >= kPenaltyFirstKindRadio && id < kPenaltyFirstKindRadio + 5 && code == BN_CLICKED) {
      SetPenaltyKind(*p, id - kPenaltyFirstKindRadio + 1);
      showAmount(*p);
      return true;
    }
    if ((id == kPenaltySecondsEdit || id == kPenaltyLapsEdit) && code == EN_CHANGE) {
      if (showing_) return true;
      const std::string typed = DialogItemText(dialog_, id);
      const MaybeDatabaseMessage tooLong =
          EditPenalty(model_, [&](PenaltyRecord& r) { SetPenaltyAmount(r, typed); });
      const int stored = p->amount;
      if ((!typed.empty() || tooLong) && std::to_string(stored) != typed) {
        showing_ = true;
        SetDlgItemInt(dialog_, id, static_cast<UINT>(stored), FALSE);
        showing_ = false;
      }
      message(tooLong);
      return true;
    }
    return false;
  }
};

}  // namespace

void OpenClubsDialog(HWND owner) { OpenClubs(owner); }

void OpenChampionshipsDialog(HWND owner) {
  DatabaseDialog<ChampionshipRecord, kMaxChampionships> dialog(
      "BASECHAMPIONNATS", ChampionshipsDescriptor(),
      {3501, 3502, 3503, 3504, 3505, 3506, 3508, 3509, 3510, 3513},
      {{3507, FieldControl::MultiLineEdit, 98,
        [](ChampionshipRecord& r) -> TextFieldRef { return r.description; }}});
  dialog.run(owner);
}

void OpenFrequenciesDialog(HWND owner) {
  DatabaseDialog<FrequencyRecord, kMaxFrequencies> dialog(
      "BASEFREQUENCES", FrequenciesDescriptor(), {3701, 3702, 3703, 3704, 3705, 0, 0, 0, 3706, 3709},
      {});
  dialog.run(owner);
}

void OpenTransponderPacksDialog(HWND owner) {
  PacksDialog dialog;
  dialog.run(owner);
}

void OpenPenaltiesDialog(HWND owner) {
  PenaltiesDialog dialog;
  dialog.run(owner);
}

}  // namespace zd
