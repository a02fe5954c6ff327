#pragma once
// The window of a reference-database dialog: maps a template's controls to a DatabaseModel and
// shows the messages it returns. Each dialog gives its template, the ids of the frame's controls
// and its field bindings; the penalties and transponder packs override what they do apart.

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "databases/database_model.h"
#include "databases/reference_databases.h"
#include "files/databases.h"
#include "main/message_box.h"

namespace zd {

// Ids of the frame's controls in one template; 0 for a control the dialog does not have.
struct DatabaseFrameIds {
  int add, remove, idBox, list, newKey, keyDisplay, importButton, exportButton, title,
      listHeader;
};

enum class FieldControl { Edit, MultiLineEdit, Combo };

// One detail control and the field of the selected record it edits.
template <class Record>
struct FieldBinding {
  int control;
  FieldControl kind;
  int limit;  // characters the edit takes
  TextFieldRef (*field)(Record&);
};

// The dialog's own fonts: face "Arial", height 16, normal and bold.
class DatabaseFonts {
 public:
  DatabaseFonts()
      : normal_(CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial")),
        bold_(CreateFontA(16, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial")) {}
  ~DatabaseFonts() {
    DeleteObject(normal_);
    DeleteObject(bold_);
  }
  DatabaseFonts(const DatabaseFonts&) = delete;
  DatabaseFonts& operator=(const DatabaseFonts&) = delete;
  // Every child gets the normal font, those named the bold one.
  void apply(HWND dialog, const std::vector<int>& boldIds) const {
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(normal_), FALSE);
    }
    for (int id : boldIds) {
      if (id != 0) SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(bold_), FALSE);
    }
  }

 private:
  HFONT normal_;
  HFONT bold_;
};

inline std::string DialogItemText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthA(control);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(control, text.data(), length + 1)));
  return text;
}

// The text of a combo box's selected item; false with no selection.
inline bool SelectedComboText(HWND dialog, int id, std::string& text) {
  HWND combo = GetDlgItem(dialog, id);
  const LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return false;
  char buffer[MAX_PATH] = {};
  if (SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0) >= MAX_PATH) return false;
  SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(buffer));
  text = buffer;
  return true;
}

// Selects the item of that text in a combo box; an empty text or one it does not hold leaves it
// without selection.
inline void SelectComboText(HWND dialog, int id, const std::string& text) {
  const LRESULT item = text.empty() ? CB_ERR
                                    : SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT,
                                                          static_cast<WPARAM>(-1),
                                                          reinterpret_cast<LPARAM>(text.c_str()));
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

// An edit that shows what was not stored shows the stored text again, with showing set meanwhile
// so that its change notification stores nothing; true when it did.
inline bool ShowStoredText(HWND dialog, int id, std::string_view stored, bool& showing) {
  if (DialogItemText(dialog, id) == stored) return false;
  const bool wasShowing = showing;
  showing = true;
  SetDlgItemTextA(dialog, id, std::string(stored).c_str());
  showing = wasShowing;
  return true;
}

// An edit of a transponder number shows the stored number in full ("101" typed shows "000101");
// true when its text was not what is stored, which "Ok" stops on, so that the screen never shows
// a number that will not be written.
inline bool ShowStoredTransponder(HWND dialog, int id, std::string_view stored, bool& showing) {
  const std::optional<std::string> typed = TypedTransponderNumber(DialogItemText(dialog, id));
  ShowStoredText(dialog, id, stored, showing);
  return !typed || *typed != stored;
}

// A rectangle given in client pixels of a template at two pixels per dialog unit, in the client
// pixels of this dialog: halved into dialog units, then mapped with the dialog's own font.
inline RECT MapTemplatePixels(HWND dialog, int left, int top, int right, int bottom) {
  RECT r{left / 2, top / 2, right / 2, bottom / 2};
  MapDialogRect(dialog, &r);
  return r;
}

inline void ShowDatabaseMessage(HWND owner, const DatabaseMessage& message) {
  UINT icon = 0;
  if (message.icon == MessageIcon::Error) icon = MB_ICONERROR;
  if (message.icon == MessageIcon::Warning) icon = MB_ICONWARNING;
  ShowMessage(owner, message.text.c_str(), message.caption.c_str(), MB_OK | icon);
}

template <class Record, std::size_t Capacity>
class DatabaseDialog {
 public:
  using Model = DatabaseModel<Record, Capacity>;

  DatabaseDialog(const char* templateName, const typename Model::Descriptor& descriptor,
                 DatabaseFrameIds ids, std::vector<FieldBinding<Record>> fields)
      : template_(templateName), ids_(ids), fields_(std::move(fields)), model_(descriptor) {}
  virtual ~DatabaseDialog() = default;

  // Modal, owned by owner; ends with 0 whatever the user did.
  void run(HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), template_, owner, &DatabaseDialog::Proc,
                    reinterpret_cast<LPARAM>(this));
  }

 protected:
  // Before the table is loaded (the clubs' country list).
  virtual void initExtra() {}
  // After the frame has shown the selected record.
  virtual void showExtra() {}
  // Commands of the dialog's own controls; true when handled.
  virtual bool commandExtra(int, int) { return false; }
  // "Ok" goes on to write only when this says so.
  virtual bool readyToWrite() { return true; }
  virtual std::string keyDisplayText() {
    return model_.selected() >= 0 ? std::string(model_.keyAt(model_.selected())) : std::string();
  }
  // Other messages of the dialog (paint, double-clicks); true when handled.
  virtual bool messageExtra(UINT, WPARAM, LPARAM) { return false; }
  virtual std::vector<int> boldIds() const { return {ids_.title, ids_.listHeader, ids_.keyDisplay}; }

  // The list again from the model, its selection and the selected record.
  void refresh() {
    HWND list = GetDlgItem(dialog_, ids_.list);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < model_.count(); ++i) {
      const std::string key(model_.keyAt(i));
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(key.c_str()));
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(model_.selected()), 0);
    show();
  }

  void show() {
    showing_ = true;
    Record* record = model_.selectedRecord();
    if (ids_.keyDisplay != 0) SetDlgItemTextA(dialog_, ids_.keyDisplay, keyDisplayText().c_str());
    for (const FieldBinding<Record>& f : fields_) {
      const std::string text = record ? std::string(f.field(*record).view()) : std::string();
      if (f.kind == FieldControl::Combo) {
        SelectComboText(dialog_, f.control, text);
      } else {
        const std::string shown = f.kind == FieldControl::MultiLineEdit ? EditControlText(text) : text;
        SetDlgItemTextA(dialog_, f.control, shown.c_str());
      }
    }
    if (ids_.idBox != 0) {
      // An empty list shows slot 0, the place of the first entry added: "1".
      HWND box = GetDlgItem(dialog_, ids_.idBox);
      SendMessageA(box, LB_RESETCONTENT, 0, 0);
      const std::string number = std::to_string(std::max(model_.selected(), 0) + 1);
      SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(number.c_str()));
    }
    showExtra();
    showing_ = false;
  }

  // An edit of a transponder number: one to six digits are stored made six with leading zeros,
  // an empty edit as no number; when it loses the focus it shows the number stored.
  void transponderEditCommand(int id, int code, FixedText<7>* stored) {
    if (stored == nullptr) return;
    if (code == EN_CHANGE && !showing_) {
      if (const auto number = TypedTransponderNumber(DialogItemText(dialog_, id))) *stored = *number;
    } else if (code == EN_KILLFOCUS) {
      showStoredTransponder(id, *stored);
    }
  }
  bool showStoredTransponder(int id, const FixedText<7>& stored) {
    return ShowStoredTransponder(dialog_, id, stored.view(), showing_);
  }

  // The types the import chooser offers, as it takes them (name, NUL, pattern, NUL, and so on):
  // the database's own unless the dialog offers more.
  virtual std::string importFilter() const { return FileFilter(); }

  // The chooser's pair of texts for the database's own type: "Base données ... (.ext)" and
  // "*.ext".
  std::string FileFilter() const {
    std::string filter(descriptor().texts.filterName);
    filter.push_back('\0');
    filter += "*";
    filter += descriptor().texts.extension;
    filter.push_back('\0');
    return filter;
  }

  void message(const MaybeDatabaseMessage& m) {
    if (m) ShowDatabaseMessage(dialog_, *m);
  }

  const typename Model::Descriptor& descriptor() const { return model_.descriptor(); }

  const char* template_;
  DatabaseFrameIds ids_;
  std::vector<FieldBinding<Record>> fields_;
  Model model_;
  HWND dialog_ = nullptr;
  bool showing_ = false;  // the dialog itself sets the controls: their changes store nothing

  void restoreDirectory() {
    if (descriptor().savesDirectory && !savedDirectory_.empty()) {
      SetCurrentDirectoryA(savedDirectory_.c_str());
    }
  }

 private:

  void init() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    savedDirectory_ = folder;
    if (ids_.newKey != 0 && descriptor().newKeyLimit > 0) {
      SendDlgItemMessageA(dialog_, ids_.newKey, EM_LIMITTEXT, descriptor().newKeyLimit, 0);
    }
    for (const FieldBinding<Record>& f : fields_) {
      if (f.kind != FieldControl::Combo) {
        SendDlgItemMessageA(dialog_, f.control, EM_LIMITTEXT, static_cast<WPARAM>(f.limit), 0);
      }
    }
    initExtra();
    message(model_.load());
    refresh();
    fonts_.apply(dialog_, boldIds());
  }

  void end() {
    restoreDirectory();
    EndDialog(dialog_, 0);
  }

  void storeField(const FieldBinding<Record>& f) {
    Record* record = model_.selectedRecord();
    if (record == nullptr) return;
    if (f.kind == FieldControl::Combo) {
      std::string text;
      if (SelectedComboText(dialog_, f.control, text)) f.field(*record).assign(text);
    } else {
      StoreTypedText(f.field(*record), DialogItemText(dialog_, f.control),
                     f.kind == FieldControl::MultiLineEdit);
    }
  }

  void importFile() {
    char name[MAX_PATH] = {};
    const std::string filter = importFilter();
    OPENFILENAMEA ofn = Chooser(filter, name);
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn)) return;
    message(model_.importFrom(name));
    if (ids_.newKey != 0) SetDlgItemTextA(dialog_, ids_.newKey, "");
    refresh();
    restoreDirectory();
  }

  void exportFile() {
    const std::string prefill =
        DatabaseExportPrefill(savedDirectory_, descriptor().texts.extension);
    char name[MAX_PATH] = {};
    prefill.copy(name, MAX_PATH - 1);
    const std::string filter = FileFilter();
    OPENFILENAMEA ofn = Chooser(filter, name);
    ofn.lpstrInitialDir = savedDirectory_.c_str();
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (GetSaveFileNameA(&ofn)) message(model_.exportAs(name, prefill));
    restoreDirectory();
  }

  // A file chooser owned by the dialog, on its filter with the first type chosen, into a MAX_PATH
  // name buffer.
  OPENFILENAMEA Chooser(const std::string& filter, char* name) const {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog_;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    return ofn;
  }

  void command(int id, int code) {
    if (commandExtra(id, code)) return;
    if (id == IDOK) {
      if (!readyToWrite()) return;
      restoreDirectory();
      const MaybeDatabaseMessage failed = model_.save();
      // A write that failed left the database as it was: the table stays to try again.
      if (failed) {
        message(failed);
        return;
      }
      end();
    } else if (id == IDCANCEL) {
      end();
    } else if (id == ids_.list && code == LBN_SELCHANGE) {
      const LRESULT line = SendDlgItemMessageA(dialog_, ids_.list, LB_GETCURSEL, 0, 0);
      if (line != LB_ERR) model_.select(static_cast<int>(line));
      show();
    } else if (ids_.add != 0 && id == ids_.add && code == BN_CLICKED) {
      const auto result = model_.add(DialogItemText(dialog_, ids_.newKey));
      message(result.message);
      if (result.added) {
        SetDlgItemTextA(dialog_, ids_.newKey, "");
        refresh();
      }
    } else if (ids_.remove != 0 && id == ids_.remove && code == BN_CLICKED) {
      if (model_.remove()) {
        refresh();
        if (ids_.newKey != 0) SetDlgItemTextA(dialog_, ids_.newKey, "");
      }
    } else if (ids_.importButton != 0 && id == ids_.importButton && code == BN_CLICKED) {
      importFile();
    } else if (ids_.exportButton != 0 && id == ids_.exportButton && code == BN_CLICKED) {
      exportFile();
    } else if (!showing_) {
      for (const FieldBinding<Record>& f : fields_) {
        if (f.control != id) continue;
        if ((f.kind == FieldControl::Combo && code == CBN_SELCHANGE) ||
            (f.kind != FieldControl::Combo && code == EN_CHANGE)) {
          storeField(f);
        }
      }
    }
  }

  static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
      auto* self = reinterpret_cast<DatabaseDialog*>(lparam);
      SetWindowLongPtrA(dialog, GWLP_USERDATA, lparam);
      self->dialog_ = dialog;
      self->init();
      return TRUE;
    }
    auto* self = reinterpret_cast<DatabaseDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (self == nullptr) return FALSE;
    switch (message) {
      case WM_COMMAND:
        self->command(LOWORD(wparam), HIWORD(wparam));
        return TRUE;
      case WM_CLOSE:
        self->end();
        return TRUE;
      default:
        return self->messageExtra(message, wparam, lparam) ? TRUE : FALSE;
    }
  }

  std::string savedDirectory_;
  DatabaseFonts fonts_;
};

}  // namespace zd
