#include "files/settings.h"

#include <algorithm>
#include <string>

#include "files/record_fields.h"
#include "files/text_file.h"
#include "files/whole_file.h"

namespace zd {

namespace {

template <std::size_t N>
void WriteIntegerLine(FieldWriter& out, const std::array<int32_t, N>& values) {
  for (int32_t v : values) out.integer(v);
  out.endLine();
}

// Reads one line of integers; false when the file has ended.
template <std::size_t N>
bool ReadIntegerLine(TextFile& file, std::array<int32_t, N>& values) {
  LineFields line(file);
  for (int32_t& v : values) line.integer(v);
  return line.finish();
}

// One line holding an integer field of each font.
template <typename Member>
bool ReadFontLine(TextFile& file, DisplaySettings& settings, Member member) {
  LineFields line(file);
  for (BoardFont& font : settings.fonts) line.integer(font.*member);
  return line.finish();
}

template <typename Member>
void WriteFontLine(FieldWriter& out, const DisplaySettings& settings, Member member) {
  for (const BoardFont& font : settings.fonts) out.integer(font.*member);
  out.endLine();
}

bool IsWordEnd(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The next word: blanks, TABs and line ends before it are skipped, and it ends at the first of
// them. At most limit characters are kept; tooLong reports a longer word. False at the end of
// the file with no word.
bool ReadWord(TextFile& file, std::string& word, std::size_t limit, bool& tooLong) {
  word.clear();
  tooLong = false;
  int c = file.get();
  while (c != kEndOfFile && IsWordEnd(c)) c = file.get();
  if (c == kEndOfFile) return false;
  for (; c != kEndOfFile && !IsWordEnd(c); c = file.get()) {
    if (word.size() < limit) {
      word.push_back(static_cast<char>(c));
    } else {
      tooLong = true;
    }
  }
  return true;
}

}  // namespace

bool ReadSoundSettings(std::string_view path, SoundSettings& settings) {
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return false;
  // Nine words in order, whatever blanks or empty lines stand between them.
  for (auto& line : settings.lines) {
    std::string word;
    bool tooLong = false;
    if (!ReadWord(file, word, line.kWidth - 1, tooLong)) break;
    // A word longer than the field is refused rather than cut: "SONFINVOITUREMOTOouiX" cut to
    // its 20 characters would read as "oui".
    if (tooLong)
      line.clear();
    else
      line = word;
  }
  return true;
}

bool WriteSoundSettings(std::string_view path, const SoundSettings& settings) {
  std::string out;
  for (const auto& line : settings.lines) AppendLine(out, line);
  return WriteWholeFile(path, out);
}

void ClearCustomSounds(CustomSounds& sounds) {
  for (auto& path : sounds) path.clear();
}

bool ReadCustomSounds(std::string_view path, CustomSounds& sounds) {
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return false;
  // Lines beyond the last slot are not read: they never start again at slot 0.
  for (auto& sound : sounds)
    if (!ReadLineText(file, sound)) break;
  return true;
}

bool WriteCustomSounds(std::string_view path, const CustomSounds& sounds) {
  std::string out;
  for (const auto& sound : sounds) AppendLine(out, sound);
  return WriteWholeFile(path, out);
}

bool ReadDisplaySettings(std::string_view path, DisplaySettings& settings, CustomColours& custom) {
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return false;
  // Line by line, so that a short line cannot pull its missing values from the next one.
  [&] {
    LineFields style(file);
    style.integer(settings.style);
    if (!style.finish()) return;
    LineFields logo(file);
    logo.text(settings.logoPath);
    if (!logo.finish()) return;
    LineFields faces(file);
    for (BoardFont& font : settings.fonts) faces.text(font.face);
    if (!faces.finish()) return;
    if (!ReadFontLine(file, settings, &BoardFont::height)) return;
    if (!ReadFontLine(file, settings, &BoardFont::weight)) return;
    if (!ReadFontLine(file, settings, &BoardFont::italic)) return;
    if (!ReadFontLine(file, settings, &BoardFont::underline)) return;
    if (!ReadFontLine(file, settings, &BoardFont::strikeOut)) return;
    if (!ReadIntegerLine(file, settings.fontColours)) return;
    if (!ReadIntegerLine(file, settings.colours)) return;
    if (!ReadIntegerLine(file, settings.widths)) return;
    ReadIntegerLine(file, custom);
  }();
  // The board's geometry adds and scales these: a hand-edited value must not take it anywhere.
  for (int32_t& width : settings.widths) width = std::clamp(width, 0, kMaxColumnWidth);
  for (BoardFont& font : settings.fonts)
    font.height = std::clamp(font.height, -kMaxFontHeight, kMaxFontHeight);
  return true;
}

bool ReadDisplaySettingsLogo(std::string_view path, FixedText<260>& logoPath) {
  logoPath.clear();
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return false;
  LineFields style(file);
  style.skip();
  if (!style.finish()) return true;
  // One character wider than the field, so that a longer path shows as longer, not as its cut.
  FixedText<261> read;
  LineFields logo(file);
  logo.text(read);
  if (read.size() < logoPath.kWidth) logoPath = read;
  return true;
}

bool WriteDisplaySettings(std::string_view path, const DisplaySettings& settings,
                          const CustomColours& custom) {
  FieldWriter out;
  out.integer(settings.style).endLine();
  out.text(settings.logoPath).endLine();
  for (const BoardFont& font : settings.fonts) out.text(font.face);
  out.endLine();
  WriteFontLine(out, settings, &BoardFont::height);
  WriteFontLine(out, settings, &BoardFont::weight);
  WriteFontLine(out, settings, &BoardFont::italic);
  WriteFontLine(out, settings, &BoardFont::underline);
  WriteFontLine(out, settings, &BoardFont::strikeOut);
  WriteIntegerLine(out, settings.fontColours);
  WriteIntegerLine(out, settings.colours);
  WriteIntegerLine(out, settings.widths);
  WriteIntegerLine(out, custom);
  return WriteWholeFile(path, out.str());
}

bool ReadInterfaceSettings(std::string_view path, InterfaceSettings& settings) {
  TextFile file;
  if (!file.open(path, OpenMode::Read)) return false;
  LineFields line(file);
  // A name too long for its field is refused rather than cut: "COM123" cut to "COM12" would
  // open another port.
  FixedText<32> portName;
  line.text(portName);
  if (portName.size() < settings.portName.kWidth)
    settings.portName = portName;
  else
    settings.portName.clear();
  line.integer(settings.connected);
  line.text(settings.decoderKind);  // the last field: its line end ends it
  return true;
}

bool WriteInterfaceSettings(std::string_view path, const InterfaceSettings& settings) {
  FieldWriter out;
  out.text(settings.portName).integer(settings.connected);
  std::string text = out.take();
  AppendLine(text, settings.decoderKind);  // "%s\n": no TAB after the kind
  return WriteWholeFile(path, text);
}

}  // namespace zd
