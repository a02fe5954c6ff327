#pragma once
// One reference-database dialog without its window: the record table it edits, the list that
// mirrors slots 0 to count - 1, the selection, and what its buttons do. A descriptor tells the
// databases apart (record type, key, capacity, order, add test, files and messages); the window
// moves texts between its controls and the selected record, and shows the messages returned.
//
// Every operation keeps one invariant: the used records fill slots 0 to count - 1 and every later
// slot is empty, so the list's lines, the slots and what "Ok" writes are always the same records.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "files/fixed_text.h"
#include "main/command_window.h"

namespace zd {

struct DatabaseMessage {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::None;
};
using MaybeDatabaseMessage = std::optional<DatabaseMessage>;

// A text field of any width, as the window's field bindings reach it.
class TextFieldRef {
 public:
  template <std::size_t W>
  TextFieldRef(FixedText<W>& field)  // NOLINT: implicit on purpose
      : data_(field.data()), width_(W) {}
  std::string_view view() const;
  // Keeps the beginning of a longer text; zero-fills the rest of the field.
  void assign(std::string_view text);

 private:
  char* data_;
  std::size_t width_;
};

// What typed or pasted text becomes in a TAB-separated record: a TAB is a blank, and a line
// break is a blank in a one-line field; a multi-line field keeps its breaks as "\n" (the edit
// control's "\r\n"), so that the file's CR LF gives them back exactly.
void StoreTypedText(TextFieldRef field, std::string_view editText, bool multiLine);

enum class DatabaseOrder {
  Sorted,    // by lower-cased key after every add and delete
  Appended,  // an add goes to the end, a delete closes the gap
  Fixed,     // every slot is always listed: no add, no delete
};

enum class AddVerdict { Pass, RefuseSilently, RefuseWithMessage };
struct AddCheck {
  AddVerdict verdict = AddVerdict::Pass;
  DatabaseMessage message;  // for RefuseWithMessage
};

// What the frame's message boxes say and what its file choosers offer.
struct DatabaseTexts {
  std::string_view fileFailed;    // the working file cannot be read or written
  std::string_view importFailed;  // empty without import and export
  std::string_view exportFailed;
  std::string_view filterName;  // "Base données Clubs/Teams (.bdc2)"
  std::string_view extension;   // ".bdc2"
};

template <class Record, std::size_t Capacity>
struct DatabaseDescriptor {
  using Table = std::array<Record, Capacity>;
  const char* workingFile;
  int newKeyLimit;  // characters the new-key edit takes
  DatabaseOrder order;
  bool savesDirectory;    // the dialog makes its opening directory current before each write
  bool selectsAddedLine;  // else the first line after an add
  DatabaseTexts texts;
  std::string_view (*key)(const Record&);
  void (*setKey)(Record&, std::string_view);
  void (*clear)(Table&);
  bool (*read)(std::string_view path, Table&);
  bool (*write)(std::string_view path, const Table&, int count);
  void (*sort)(Table&);                        // for DatabaseOrder::Sorted
  AddCheck (*addTest)(std::string_view text);  // before the common tests; may be null
  // Fixes what every table must hold after a read (the penalties' abandonment); may be null.
  void (*afterRead)(Table&);
  // Defaults that a working file which cannot be read leaves in place; may be null.
  void (*beforeLoad)(Table&);
  // Whether "Supprimer" acts on the selected line; null: always while a line is selected.
  bool (*canDelete)(int selected, int count);
};

// The longest path the file choosers and the file calls take, terminator excluded.
inline constexpr std::size_t kMaxDatabasePath = 259;

// The export path for the name the save chooser returned: nullopt when nothing is to be written
// (the prefilled name returned unchanged); the extension is appended unless the name holds it
// anywhere. An empty result means the name would not fit a path with its extension.
std::optional<std::string> DatabaseExportPath(std::string_view chosen, std::string_view prefilled,
                                              std::string_view extension);
// What the save chooser starts with: the folder, a backslash and "*" with the extension.
std::string DatabaseExportPrefill(std::string_view folder, std::string_view extension);

// The characters the keyed databases' add tests accept: ASCII letters and digits.
inline bool AsciiLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Case-blind comparison of two keys over the key field, as the duplicate test makes it.
bool SameDatabaseKey(std::string_view a, std::string_view b);

// A slot is emptied by Record{}: the records' defaults are those of their tables' clear.
template <class Record, std::size_t Capacity>
class DatabaseModel {
 public:
  using Descriptor = DatabaseDescriptor<Record, Capacity>;
  using Table = typename Descriptor::Table;
  static constexpr int kCapacity = static_cast<int>(Capacity);

  explicit DatabaseModel(const Descriptor& descriptor)
      : d_(descriptor), table_(std::make_unique<Table>()) {
    d_.clear(*table_);
  }

  const Descriptor& descriptor() const { return d_; }
  // A rule of this opening that every table read must pass, after the descriptor's afterRead:
  // the drivers' and vehicles' comparison with the lists their dialog read.
  void setNormalise(std::function<void(Table&)> normalise) { normalise_ = std::move(normalise); }
  const Table& table() const { return *table_; }
  Table& table() { return *table_; }
  int count() const { return count_; }
  // The selected line and slot; -1 while the list is empty.
  int selected() const { return selected_; }
  std::string_view keyAt(int slot) const { return d_.key((*table_)[slot]); }
  Record* selectedRecord() { return selected_ >= 0 ? &(*table_)[selected_] : nullptr; }

  // Opening: the working file into a cleared table, the first line selected. The message says
  // that the file could not be read; the dialog goes on with what the table then holds.
  MaybeDatabaseMessage load() {
    d_.clear(*table_);
    if (d_.beforeLoad) d_.beforeLoad(*table_);
    const bool read = d_.read(d_.workingFile, *table_);
    if (d_.afterRead) d_.afterRead(*table_);
    if (normalise_) normalise_(*table_);
    settle();
    if (!read) return Error(d_.texts.fileFailed);
    return std::nullopt;
  }

  void select(int line) {
    if (line >= 0 && line < count_) selected_ = line;
  }

  // "Ajouter" with the new-key edit's text. The message, if any, is the add test's; added says
  // whether the window empties the new-key edit and refills its list.
  struct AddResult {
    bool added = false;
    MaybeDatabaseMessage message;
  };
  AddResult add(std::string_view typed) {
    if (d_.order == DatabaseOrder::Fixed) return {};
    Record probe{};
    d_.setKey(probe, typed);  // cut to the key's width, as the edit's buffer is
    const std::string text(d_.key(probe));
    if (d_.addTest) {
      AddCheck check = d_.addTest(text);
      if (check.verdict == AddVerdict::RefuseWithMessage) return {false, std::move(check.message)};
      if (check.verdict == AddVerdict::RefuseSilently) return {};
    }
    if (text.empty() || text.front() == ' ') return {};
    for (const Record& r : *table_) {
      if (!d_.key(r).empty() && SameDatabaseKey(d_.key(r), text)) return {};
    }
    if (count_ >= kCapacity) return {};
    Record& slot = (*table_)[count_];
    slot = Record{};
    d_.setKey(slot, text);
    ++count_;
    if (d_.order == DatabaseOrder::Sorted) d_.sort(*table_);
    selected_ = 0;
    if (d_.selectsAddedLine) {
      for (int i = 0; i < count_; ++i) {
        if (SameDatabaseKey(keyAt(i), text)) selected_ = i;
      }
    }
    return {true, std::nullopt};
  }

  // Appends a record whose key the caller made (the penalties' "Créer") and selects it.
  Record* append(std::string_view key) {
    if (count_ >= kCapacity) return nullptr;
    Record& slot = (*table_)[count_];
    slot = Record{};
    d_.setKey(slot, key);
    selected_ = count_++;
    return &slot;
  }

  // "Supprimer" on the selected line: every record with that key goes (a damaged file may hold
  // it twice), the gap is closed and the first line selected. False when nothing was deleted.
  bool remove() {
    if (d_.order == DatabaseOrder::Fixed || selected_ < 0) return false;
    if (d_.canDelete && !d_.canDelete(selected_, count_)) return false;
    const std::string key(keyAt(selected_));
    if (d_.order == DatabaseOrder::Appended) {
      // Only the selected record: the others keep their creation order.
      std::move(table_->begin() + selected_ + 1, table_->begin() + count_,
                table_->begin() + selected_);
      (*table_)[count_ - 1] = Record{};
    } else {
      for (int i = 0; i < kCapacity; ++i) {
        if (keyAt(i) == key) (*table_)[i] = Record{};
      }
      d_.sort(*table_);
    }
    settle();
    return true;
  }

  // "Ok": the list's records to the working file. A message means nothing was written and the
  // dialog stays open with its table.
  MaybeDatabaseMessage save() const {
    if (!d_.write(d_.workingFile, *table_, count_)) return Error(d_.texts.fileFailed);
    return std::nullopt;
  }

  // "Importer": the chosen file replaces the table only when it could be read, so that a failed
  // import leaves nothing for "Ok" to write over the database.
  MaybeDatabaseMessage importFrom(std::string_view path) {
    auto scratch = std::make_unique<Table>();
    d_.clear(*scratch);
    if (!d_.read(path, *scratch)) return Error(d_.texts.importFailed);
    if (d_.afterRead) d_.afterRead(*scratch);
    if (normalise_) normalise_(*scratch);
    table_ = std::move(scratch);
    settle();
    return std::nullopt;
  }

  // "Exporter" with the name the save chooser returned.
  MaybeDatabaseMessage exportAs(std::string_view chosen, std::string_view prefilled) const {
    const std::optional<std::string> path =
        DatabaseExportPath(chosen, prefilled, d_.texts.extension);
    if (!path) return std::nullopt;
    if (path->empty() || !d_.write(*path, *table_, count_)) return Error(d_.texts.exportFailed);
    return std::nullopt;
  }

 private:
  static DatabaseMessage Error(std::string_view text) {
    return {std::string(text), "Error", MessageIcon::None};
  }

  // The list after a load, an import or a delete: the leading used slots, the first selected.
  // Records after an empty key are never listed nor written; they are dropped here, so that a
  // later sort cannot bring one of them into the list in place of a listed record.
  void settle() {
    if (d_.order == DatabaseOrder::Fixed) {
      count_ = kCapacity;
    } else {
      count_ = 0;
      while (count_ < kCapacity && !keyAt(count_).empty()) ++count_;
      for (int i = count_; i < kCapacity; ++i) (*table_)[i] = Record{};
    }
    selected_ = count_ > 0 ? 0 : -1;
  }

  Descriptor d_;
  std::function<void(Table&)> normalise_;
  std::unique_ptr<Table> table_;
  int count_ = 0;
  int selected_ = -1;
};

}  // namespace zd
