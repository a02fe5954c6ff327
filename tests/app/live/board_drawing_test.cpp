#include "gtest_win32.h"

#include <cstdlib>
#include <string>

#include "board_canvas.h"
#include "unix_shell.h"
#include "files/factory_settings.h"
#include "live/board_drawing.h"
#include "live/board_painters.h"
#include "live/board_style.h"
#include "main/data_folder.h"
#include "wait_for.h"

// The live board drawn into a screen-sized picture in memory, then read pixel by pixel.

namespace {

using zd::BoardRowView;
using zd::Rgb;
using zd_test::BoardCanvas;
using zd_test::Colour;

constexpr int32_t kW = 1600;
constexpr int32_t kH = 900;
constexpr int32_t kRowHeight = 30;
constexpr int32_t kRowsShown = 4;
constexpr COLORREF kCanvas = RGB(1, 2, 3);  // a colour that nothing draws
// "# Num" wider than its threshold of 40, so that the car numbers show.
constexpr zd::BoardColumnWidths kWidths = {50, 200, 90, 100, 60, 100, 90, 90, 90, 90, 70};

class BoardDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    // The chequered flag, the country flags and the converted logo are files of the data folder.
    ASSERT_TRUE(zd::MakeDataFolderCurrent());
    ASSERT_TRUE(canvas_.valid());
    display_ = zd::FactoryDisplaySettings();
    display_.widths = kWidths;
    layout_ = zd::ComputeBoardLayout({kW, kH}, kWidths, kRowHeight, kRowsShown);
    zd::ClearPenaltyTable(penalties_);
    penalties_[0].code = "A";
    penalties_[1].code = "P1";
    penalties_[2].code = "P2";
    const char* names[] = {"Pilote Un", "Pilote Deux", "Pilote Trois", "Pilote Quatre"};
    for (int i = 0; i < kRowsShown; ++i) {
      zd::LiveRow& r = rows_[i];
      r.position = std::to_string(i + 1);
      r.carNumber = std::to_string(12 + i);
      r.name = names[i];
      r.category = "TT";
      r.club = "Club Nord";
      r.nationCode = "FRA";
      r.laps = std::to_string(20 - i);
      r.totalTime = "5:02.310";
      r.gapToLeader = "1.250";
      r.gapToPrevious = "0.870";
      r.lastLap = "14.230";
      r.bestLap = "13.980";
      r.transponder = "000123";
    }
  }

  static RECT ToRect(const zd::BoardRect& r) { return {r.left, r.top, r.right, r.bottom}; }
  RECT Cell(int column, int row) const { return ToRect(layout_.Cell(column, row, kRowHeight)); }
  static BoardRowView View(int row, int firstRow = 0, int rowsShown = kRowsShown) {
    return {kRowHeight, rowsShown, row, firstRow, kW, kH};
  }
  // The cell's inside, without its grid lines.
  static RECT Inside(RECT r) { return {r.left + 2, r.top + 3, r.right - 2, r.bottom - 2}; }

  void DrawCell(int column, int row, int nationFlag = 0) {
    if (column == zd::kStatusColumn) {
      zd::DrawStatusCell(canvas_.dc(), display_, View(row), Cell(column, row), rows_, penalties_);
    } else {
      zd::DrawResultsCell(canvas_.dc(), display_, column, kWidths[column], View(row),
                          Cell(column, row), rows_, nationFlag);
    }
  }

  BoardCanvas canvas_{kW, kH, kCanvas};
  zd::DisplaySettings display_;
  zd::BoardLayout layout_;
  zd::LiveRows rows_{};
  zd::PenaltyTable penalties_;
};

TEST_F(BoardDrawing, ResultCellBackgroundsFollowTheTableStyle) {
  const int32_t first = Rgb(200, 100, 0);
  const int32_t second = Rgb(100, 0, 100);
  display_.colours[zd::kColourResultsFirst] = first;
  display_.colours[zd::kColourResultsSecond] = second;
  struct Case {
    const char* name;
    int32_t style;
    BoardRowView view;
    COLORREF line15;  // pixel line 15 of the cell's 30
  };
  const Case cases[] = {
      {"relief", zd::kStyleRelief, View(2), RGB(150, 50, 50)},
      {"gradient, first row", zd::kStyleGradient, View(0), RGB(187, 87, 13)},
      {"gradient, third row", zd::kStyleGradient, View(2), RGB(137, 37, 63)},
      {"gradient over five rows", zd::kStyleGradient, View(2, 0, 5), RGB(150, 50, 50)},
      {"alternate, first row", zd::kStyleAlternate, View(0), Colour(first)},
      {"alternate, second row", zd::kStyleAlternate, View(1), Colour(second)},
      {"alternate, first row while scrolled", zd::kStyleAlternate, View(0, 3), Colour(first)},
      {"unknown style", 3, View(1), kCanvas},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    display_.style = c.style;
    const RECT cell = Cell(zd::kColumnCategory, c.view.row);
    canvas_.Fill(cell, kCanvas);
    zd::DrawResultsCell(canvas_.dc(), display_, zd::kColumnCategory, kWidths[2], c.view, cell,
                        rows_, 0);
    EXPECT_EQ(canvas_.At(cell.right - 4, cell.top + 15), c.line15);
    EXPECT_EQ(canvas_.At(cell.left, cell.top + 15), Colour(display_.colours[zd::kColourGrid]));
  }

  display_.colours[zd::kColourResultsSecond] = first;
  for (int32_t style : {zd::kStyleGradient, zd::kStyleRelief, zd::kStyleAlternate}) {
    SCOPED_TRACE(style);
    display_.style = style;
    const RECT cell = Cell(zd::kColumnCategory, 1);
    canvas_.Fill(cell, kCanvas);
    zd::DrawResultsCell(canvas_.dc(), display_, zd::kColumnCategory, kWidths[2], View(1), cell,
                        rows_, 0);
    for (int y : {cell.top + 3, cell.top + 15, cell.bottom - 3})
      EXPECT_EQ(canvas_.At(cell.right - 4, y), Colour(first));
  }
}

TEST_F(BoardDrawing, TextsShowOnlyInColumnsWiderThanTheirThreshold) {
  const int32_t thresholds[zd::kBoardColumns] = {40, 80, 50, 50, 50, 85, 85, 85, 85, 85, 55};
  for (int column = 0; column < zd::kBoardColumns; ++column) {
    for (int32_t width : {thresholds[column], thresholds[column] + 1}) {
      SCOPED_TRACE(testing::Message() << "column " << column << " width " << width);
      const RECT cell = {300, 145, 300 + width, 175};
      canvas_.Fill({0, 0, kW, kH}, kCanvas);
      zd::DrawResultsCell(canvas_.dc(), display_, column, width, View(0), cell, rows_, 0);
      const int dark = canvas_.Count(Inside(cell), zd_test::Dark);
      if (width == thresholds[column])
        EXPECT_EQ(dark, 0);
      else
        EXPECT_GT(dark, 0);
    }
  }
}

TEST_F(BoardDrawing, HighlightsOfAPassingAndOfBestLaps) {
  const COLORREF passing = Colour(display_.colours[zd::kColourPassing]);
  const COLORREF seriesBest = Colour(display_.colours[zd::kColourSeriesBestLap]);
  const COLORREF driverBest = Colour(display_.colours[zd::kColourDriverBestLap]);
  const RECT number = Inside(Cell(zd::kColumnNumber, 1));
  const RECT best = Inside(Cell(zd::kColumnBestLap, 1));

  struct Case {
    const char* name;
    const char* carNumber;
    int32_t passed, fastestLap, newBest;
    bool passingBox, seriesBox, driverBox;
  };
  const Case cases[] = {
      {"nothing to highlight", "13", 0, 0, 0, false, false, false},
      {"just passed", "13", 1, 0, 0, true, false, false},
      {"an empty number that just passed", "", 1, 0, 0, true, false, false},
      {"an empty number", "", 0, 0, 0, false, false, false},
      {"fastest lap of the series", "13", 0, 1, 0, false, true, false},
      {"personal best", "13", 0, 0, 1, false, false, true},
      {"both: the series' best wins", "13", 0, 1, 1, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rows_[1].carNumber = c.carNumber;
    rows_[1].passed = c.passed;
    rows_[1].fastestLap = c.fastestLap;
    rows_[1].newBest = c.newBest;
    DrawCell(zd::kColumnNumber, 1);
    DrawCell(zd::kColumnBestLap, 1);
    EXPECT_EQ(canvas_.Count(number, passing) > 0, c.passingBox);
    EXPECT_EQ(canvas_.Count(best, seriesBest) > 0, c.seriesBox);
    EXPECT_EQ(canvas_.Count(best, driverBest) > 0, c.driverBox);
    // The highlight colours only the text's box, not the cell.
    EXPECT_NE(canvas_.At(best.left, best.top + 12), seriesBest);
  }
}

TEST_F(BoardDrawing, StatusMarks) {
  const RECT cell = Cell(zd::kStatusColumn, 2);
  const RECT flag = {cell.left + kW / 320, cell.top + 2, cell.left + kW / 320 + kW / 64,
                     cell.top + 2 + 16};
  const auto red = [](COLORREF c) { return c == RGB(255, 0, 0); };
  struct Case {
    int32_t status, finished;
    bool redText, chequeredFlag;
  };
  const Case cases[] = {
      {0, 0, false, false}, {0, 1, false, true}, {1, 0, true, false}, {1, 1, true, false},
      {3, 1, true, false},   // "P2"
      {9, 1, false, false},  // beyond the race's three penalties: nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "status " << c.status << " finished " << c.finished);
    rows_[2].status = c.status;
    rows_[2].finished = c.finished;
    canvas_.Fill(cell, kCanvas);
    DrawCell(zd::kStatusColumn, 2);
    EXPECT_EQ(canvas_.Count(Inside(cell), red) > 0, c.redText);
    EXPECT_EQ(canvas_.Count(flag, zd_test::Blackish) > 0, c.chequeredFlag);
  }
}

TEST_F(BoardDrawing, NationCodeWithItsFlag) {
  const RECT cell = Cell(zd::kColumnClub, 0);
  // A character height of 16 puts the flag 56 pixels into the cell, 24 x 18 for rows of 30.
  const RECT flag = {cell.left + 56, cell.top + 2, cell.left + 80, cell.top + 20};
  const COLORREF row0 = Colour(display_.colours[zd::kColourResultsFirst]);
  const auto notBackground = [&](COLORREF c) { return c != row0; };

  DrawCell(zd::kColumnClub, 0, 1);
  EXPECT_GT(canvas_.Count(flag, notBackground), 24 * 18 / 2);
  EXPECT_GT(canvas_.Count(Inside(cell), zd_test::Dark), 0);

  // A code without a flag file shows alone; without the nation flag the cell shows the club.
  rows_[0].nationCode = "ZZ";
  DrawCell(zd::kColumnClub, 0, 1);
  EXPECT_EQ(canvas_.Count(flag, notBackground), 0);
  EXPECT_GT(canvas_.Count(Inside(cell), zd_test::Dark), 0);
  DrawCell(zd::kColumnClub, 0, 0);
  EXPECT_GT(canvas_.Count(Inside(cell), zd_test::Dark), 0);
  // Any other value of the flag shows nothing.
  DrawCell(zd::kColumnClub, 0, 2);
  EXPECT_EQ(canvas_.Count(Inside(cell), zd_test::Dark), 0);
}

TEST_F(BoardDrawing, PositionCellKeepsItsOwnColours) {
  const RECT cell = ToRect(layout_.PositionCell(1, kRowHeight));
  for (int32_t style : {zd::kStyleGradient, zd::kStyleRelief, zd::kStyleAlternate}) {
    display_.style = style;
    zd::DrawPositionCell(canvas_.dc(), display_, View(1), cell, rows_);
    // From white towards RGB(215, 215, 160): line 15 of 30.
    EXPECT_EQ(canvas_.At(cell.right - 4, cell.top + 15), RGB(235, 235, 207)) << style;
  }
  EXPECT_GT(canvas_.Count(Inside(cell), zd_test::Dark), 0);  // "2"

  display_.colours[zd::kColourLabelSecond] = display_.colours[zd::kColourLabelFirst];
  zd::DrawPositionCell(canvas_.dc(), display_, View(1), cell, rows_);
  EXPECT_EQ(canvas_.At(cell.right - 4, cell.top + 15), RGB(255, 255, 200));
  EXPECT_EQ(canvas_.At(cell.right - 4, cell.top + 4), RGB(255, 255, 200));
}

TEST_F(BoardDrawing, HeaderAreaWatermarkFrameAndColumnBar) {
  const RECT area = ToRect(layout_.boardArea);
  const RECT bar = ToRect(layout_.columnHeaderBar);
  zd::DrawBoardHeader(canvas_.dc(), display_, kWidths, area, bar, kW, kH, 0);

  const COLORREF background = Colour(display_.colours[zd::kColourTableBackground]);
  EXPECT_EQ(canvas_.At(area.left + 6, 400), background);
  EXPECT_GT(canvas_.Count(area, Colour(zd::WatermarkColour(display_.colours[2]))), 1000);
  EXPECT_GT(canvas_.Count({area.left - 1, 400, area.left + 2, 401}, zd_test::Blackish), 0);
  EXPECT_GT(canvas_.Count({area.right - 3, 400, area.right, 401}, zd_test::Blackish), 0);
  EXPECT_EQ(canvas_.At(area.right + 2, 400), kCanvas);
  // The bar: line 11 of 22 between its two label colours.
  EXPECT_EQ(canvas_.At(bar.left + 3, bar.top + 11), RGB(53, 100, 176));

  // Titles are white; "# Num" is left out at its threshold, "Pos" and "Fin" always show.
  const auto white = [](COLORREF c) { return c == RGB(255, 255, 255); };
  const RECT numberTitle = {layout_.Cell(0, 0, 1).left + 2, bar.top + 2,
                            layout_.Cell(0, 0, 1).right - 2, bar.bottom - 1};
  const RECT statusTitle = {layout_.Cell(zd::kStatusColumn, 0, 1).left + 2, bar.top + 2,
                            layout_.Cell(zd::kStatusColumn, 0, 1).right - 2, bar.bottom - 1};
  const RECT clubTitle = {layout_.Cell(3, 0, 1).left + 2, bar.top + 2,
                          layout_.Cell(3, 0, 1).right - 2, bar.bottom - 1};
  EXPECT_GT(canvas_.Count(numberTitle, white), 0);
  const int clubPixels = canvas_.Count(clubTitle, white);
  EXPECT_GT(clubPixels, 0);

  zd::BoardColumnWidths narrow = kWidths;
  narrow[0] = 40;
  canvas_.Fill({0, 0, kW, kH}, kCanvas);
  zd::DrawColumnHeaderBar(canvas_.dc(), display_, narrow, bar, kW, kH, 1);
  EXPECT_EQ(canvas_.Count(numberTitle, white), 0);
  EXPECT_GT(canvas_.Count(statusTitle, white), 0);
  EXPECT_NE(canvas_.Count(clubTitle, white), clubPixels);  // "Nation"
  EXPECT_EQ(canvas_.At(area.left + 6, 400), kCanvas);      // the bar alone

  display_.colours[zd::kColourLabelSecond] = display_.colours[zd::kColourLabelFirst];
  zd::DrawColumnHeaderBar(canvas_.dc(), display_, narrow, bar, kW, kH, 1);
  EXPECT_EQ(canvas_.At(bar.left + 3, bar.top + 11), Colour(display_.colours[zd::kColourLabelFirst]));
}

// The logo comes out of the data folder, from a JPEG converted at every paint.
class LogoDrawing : public BoardDrawing {
 protected:
  void TearDown() override {
    for (const char* file : {"Images\\zd_logo.jpg", "Images\\zd_broken.jpg", "Images\\ConvertionJPEG.bmp"})
      DeleteFileA(file);
  }

  void DrawHeader() {
    canvas_.Fill({0, 0, kW, kH}, kCanvas);
    zd::DrawBoardHeader(canvas_.dc(), display_, kWidths, ToRect(layout_.boardArea),
                        ToRect(layout_.columnHeaderBar), kW, kH, 0);
  }

  static bool NearLogoBlue(COLORREF c) {
    return std::abs(GetRValue(c) - 0x20) < 12 && std::abs(GetGValue(c) - 0x50) < 12 &&
           std::abs(GetBValue(c) - 0xC0) < 12;
  }
};

TEST_F(LogoDrawing, AJpegLogoIsConvertedAndFittedIntoItsBox) {
  // 392 x 100 in the 196 x 50 box: equal tenths, so it takes the box's height, 196 x 50.
  ASSERT_TRUE(zd_test::MakePicture("-size 392x100 xc:'#2050c0'", "Images\\zd_logo.jpg"));
  // As the file chooser gives it: a full Windows path.
  display_.logoPath = zd::DataFolderPath() + "\\Images\\zd_logo.jpg";
  DrawHeader();
  EXPECT_TRUE(NearLogoBlue(canvas_.At(4, 2)));
  EXPECT_TRUE(NearLogoBlue(canvas_.At(4 + 195, 2 + 49)));
  EXPECT_EQ(canvas_.At(4 + 197, 2 + 25), kCanvas);
  EXPECT_EQ(canvas_.At(4 + 100, 2 + 51), kCanvas);
  EXPECT_EQ(canvas_.At(3, 10), kCanvas);
}

TEST_F(LogoDrawing, NoLogoWithoutAFileThatThisPaintConverted) {
  ASSERT_TRUE(zd_test::MakePicture("-size 392x100 xc:'#2050c0'", "Images\\zd_logo.jpg"));
  display_.logoPath = "Images/zd_logo.jpg";
  DrawHeader();
  ASSERT_TRUE(NearLogoBlue(canvas_.At(50, 20)));

  // The converted bitmap of that logo is still there; a JPEG that cannot be read must not show
  // it, nor must a missing file or an empty path.
  HANDLE broken = CreateFileA("Images\\zd_broken.jpg", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              0, nullptr);
  ASSERT_NE(broken, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(broken, "not a picture", 13, &written, nullptr);
  CloseHandle(broken);
  for (const char* path : {"Images\\zd_broken.jpg", "Images\\zd_missing.jpg", "missing.bmp", ""}) {
    SCOPED_TRACE(path);
    display_.logoPath = path;
    DrawHeader();
    EXPECT_EQ(canvas_.At(50, 20), kCanvas);
  }
}

TEST_F(BoardDrawing, Panels) {
  const COLORREF software = Colour(display_.colours[zd::kColourSoftwareBackground]);
  const auto green = [](COLORREF c) {
    return GetGValue(c) > 100 && GetRValue(c) < 90 && GetBValue(c) < 90;
  };
  const auto darkRed = [](COLORREF c) {
    return GetRValue(c) > 100 && GetGValue(c) < 70 && GetBValue(c) < 70;
  };

  // Clocks: the length in black, the remaining time in green, the elapsed time in dark red.
  const RECT clock = ToRect(layout_.clockPanel);
  zd::DrawClockPanel(canvas_.dc(), display_, clock, kW, kH, "0:10:00", "0:03:20", "0:06:40");
  EXPECT_EQ(canvas_.At(clock.left + 1, clock.bottom - 1), software);
  const int x140 = clock.left + 140, x280 = clock.left + 280, x420 = clock.left + 420;
  EXPECT_GT(canvas_.Count({clock.left, clock.top, x140, clock.bottom}, zd_test::Blackish), 0);
  EXPECT_GT(canvas_.Count({x140, clock.top, x280, clock.bottom}, green), 0);
  EXPECT_EQ(canvas_.Count({x280 + 2, clock.top, x420, clock.bottom}, green), 0);
  EXPECT_GT(canvas_.Count({x280, clock.top, x420, clock.bottom}, darkRed), 0);

  // Countdown seconds, right-aligned on the panel's right edge.
  const RECT seconds = ToRect(layout_.countdownPanel);
  zd::DrawSecondsPanel(canvas_.dc(), display_, seconds, kH, "5s");
  EXPECT_EQ(canvas_.At(seconds.left + 1, seconds.top + 1), software);
  EXPECT_GT(canvas_.Count({seconds.right - 30, seconds.top, seconds.right, seconds.bottom},
                          zd_test::Blackish),
            0);

  // Rest: green before the start, dark red once over, black otherwise.
  const RECT rest = ToRect(layout_.restPanel);
  const RECT restText = {rest.left + 50, rest.top, rest.left + 190, rest.bottom};
  struct RestCase {
    int32_t over;
    bool green, darkRed;
  };
  for (const RestCase& c : {RestCase{0, true, false}, RestCase{1, false, true},
                            RestCase{5, false, false}}) {
    SCOPED_TRACE(c.over);
    zd::RestPanelTexts texts;
    texts.length = "10:00";
    texts.state = "4:59 avant d\xE9" "but";
    texts.over = c.over;
    zd::DrawRestPanel(canvas_.dc(), display_, rest, texts);
    EXPECT_EQ(canvas_.Count(restText, green) > 0, c.green);
    EXPECT_EQ(canvas_.Count(restText, darkRed) > 0, c.darkRed);
    EXPECT_EQ(canvas_.Count(restText, zd_test::Blackish) > 0, !c.green && !c.darkRed);
  }

  // The series title and the banner colour only their text's box: with no text, nothing.
  const RECT title = ToRect(layout_.seriesTitlePanel);
  const RECT banner = ToRect(layout_.radioConflictBanner);
  const int titlePixels = (title.right - title.left) * (title.bottom - title.top);
  const int bannerPixels = (banner.right - banner.left) * (banner.bottom - banner.top);
  zd::DrawSeriesTitle(canvas_.dc(), display_, title, kW, "");
  zd::DrawRadioConflictBanner(canvas_.dc(), display_, banner, kW, 0);
  EXPECT_EQ(canvas_.Count(title, kCanvas), titlePixels);
  EXPECT_EQ(canvas_.Count(banner, kCanvas), bannerPixels);
  zd::DrawSeriesTitle(canvas_.dc(), display_, title, kW, " COURSE 1 - EL1 - S\xE9rie1 ");
  zd::DrawRadioConflictBanner(canvas_.dc(), display_, banner, kW, 1);
  EXPECT_GT(canvas_.Count(title, Colour(display_.colours[zd::kColourSeriesTitle])), 0);
  EXPECT_EQ(canvas_.At(title.left, title.top), kCanvas);
  EXPECT_GT(canvas_.Count(banner, Colour(display_.colours[zd::kColourRadioConflict])), 0);
  EXPECT_GT(canvas_.Count(banner, kCanvas), 0);
}

TEST_F(BoardDrawing, RowHeightCountsTheFontsOfTheFirstNineColumns) {
  const int32_t factory = zd::MeasureBoardRowHeight(canvas_.dc(), display_, kW);
  EXPECT_GT(factory, 16);
  display_.fonts[12].height = -60;  // best lap
  display_.fonts[13].height = -60;  // transponder
  EXPECT_EQ(zd::MeasureBoardRowHeight(canvas_.dc(), display_, kW), factory);
  display_.fonts[11].height = -60;  // last lap
  const int32_t tall = zd::MeasureBoardRowHeight(canvas_.dc(), display_, kW);
  EXPECT_GT(tall, 60);
  // Scaled with the screen width.
  EXPECT_LT(zd::MeasureBoardRowHeight(canvas_.dc(), display_, 800), tall);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

TEST(RedrawChangedLiveCells, InvalidatesExactlyTheChangedCells) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "zdRedrawTest";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "zdRedrawTest", "", WS_POPUP | WS_VISIBLE, 0, 0, kW, kH,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(zd_test::WaitFor([&] { return !GetUpdateRect(window, nullptr, FALSE); }));

  const zd::BoardLayout layout = zd::ComputeBoardLayout({kW, kH}, kWidths, kRowHeight, 4);
  zd::LiveRows rows{};
  for (int i = 0; i < 6; ++i) rows[i].position = std::to_string(i + 1);
  zd::LiveRows shown = rows;
  rows[1].laps = "4";
  rows[2].passed = 1;
  rows[5].laps = "9";  // not shown
  SCROLLINFO scroll = {};
  zd::CellDirtyFlags flags;
  zd::RedrawChangedLiveCells(window, rows, shown, scroll, 1000, flags, layout, -1, -1, 4,
                             kRowHeight);

  HRGN expected = CreateRectRgn(0, 0, 0, 0);
  for (const zd::BoardRect& r : {layout.Cell(4, 1, kRowHeight), layout.Cell(0, 2, kRowHeight)}) {
    HRGN cell = CreateRectRgn(r.left, r.top, r.right, r.bottom);
    CombineRgn(expected, expected, cell, RGN_OR);
    DeleteObject(cell);
  }
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetUpdateRgn(window, update, FALSE), NULLREGION);
  EXPECT_TRUE(EqualRgn(update, expected));
  EXPECT_EQ(flags.cells[4][1], 1);
  EXPECT_EQ(flags.cells[0][2], 1);
  EXPECT_EQ(shown[1].laps.view(), "4");
  DeleteObject(update);
  DeleteObject(expected);
  DestroyWindow(window);
}

}  // namespace
