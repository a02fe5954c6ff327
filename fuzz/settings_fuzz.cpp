// A settings or translation file as any bytes, read by each of their readers; the display
// settings then lay out the live board as the main window does, on a few screens.

#include <cstdlib>
#include <memory>

#include "files/settings.h"
#include "files/translation.h"
#include "fuzz_support.h"
#include "live/board_cells.h"
#include "live/board_header.h"
#include "main/board_interaction.h"
#include "main/board_layout.h"

namespace {

using namespace zd;

constexpr const char* kInput = "input.rg";
constexpr const char* kOutput = "output.rg";
constexpr ScreenScale kScreens[] = {{1600, 900}, {800, 600}, {3840, 2160}};

void LayOutTheBoard(const DisplaySettings& display) {
  for (const ScreenScale& screen : kScreens) {
    int32_t rowHeight = 1;
    for (const BoardFont& font : display.fonts) {
      const int32_t height = ScaledFontHeight(screen.width, font.height);
      rowHeight = std::max(rowHeight, RowHeightForTextHeight(std::abs(height)));
    }
    const int32_t rows = RowsShownFor(50, RowsThatFit(rowHeight, screen.height, screen.height));
    const BoardLayout layout = ComputeBoardLayout(screen, display.widths, rowHeight, rows);
    for (int column = 0; column < kCellColumns; ++column) layout.Cell(column, rows, rowHeight);
    ColumnBarTitles(display.widths, 1, layout.columnHeaderBar.left, screen.width);
    ColumnBarSeparators(display.widths, layout.columnHeaderBar.left, screen.width);
    const ColumnBoundaries boundaries = ResizeBoundaries(screen, display.widths);
    BoundaryNear(boundaries, screen.width / 2);
    for (int column = 0; column < kBoardColumns; ++column) {
      InWidthColumn(layout, column, screen.width / 2);
      CellTextPlacement(column, display.widths[column], layout.edges[column],
                        layout.edges[column + 1], screen.width);
    }
    ScreenRowAt(screen, rowHeight, rows, screen.height / 2);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::InScratchFolder inside;
  fuzz::WriteInput(kInput, data, size);

  SoundSettings sounds;
  if (ReadSoundSettings(kInput, sounds) && WriteSoundSettings(kOutput, sounds))
    ReadSoundSettings(kOutput, sounds);
  static auto customSounds = std::make_unique<CustomSounds>();
  ClearCustomSounds(*customSounds);
  if (ReadCustomSounds(kInput, *customSounds) && WriteCustomSounds(kOutput, *customSounds))
    ReadCustomSounds(kOutput, *customSounds);

  auto display = std::make_unique<DisplaySettings>();
  CustomColours custom{};
  if (ReadDisplaySettings(kInput, *display, custom)) {
    LayOutTheBoard(*display);
    if (WriteDisplaySettings(kOutput, *display, custom))
      ReadDisplaySettings(kOutput, *display, custom);
  }

  InterfaceSettings interface;
  if (ReadInterfaceSettings(kInput, interface) && WriteInterfaceSettings(kOutput, interface))
    ReadInterfaceSettings(kOutput, interface);

  int32_t software = 0, reports = 0;
  ReadLanguageSettings(software, reports, kInput);
  FormatAgeYears(12, software);
  fuzz::WriteInput("Translation/input.trans", data, size);
  static auto table = std::make_unique<TranslationTable>();
  ClearTranslationTable(*table, kMaxTranslationRows);
  if (ReadTranslationFile(*table, "input.trans") &&
      WriteTranslationFile(*table, "output.trans", kLanguageCount, kMaxTranslationRows))
    ReadTranslationFile(*table, "output.trans");
  return 0;
}
