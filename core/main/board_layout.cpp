#include "main/board_layout.h"

namespace zd {

namespace {

constexpr int32_t kTableTop = 145;  // design y where the rows begin
constexpr int64_t kEdgeLimit = int64_t{1} << 24;

}  // namespace

int32_t BoardLayout::RowTop(int32_t row, int32_t rowHeight) const {
  return scale.Y(int64_t{row} * rowHeight + kTableTop);
}

int32_t BoardLayout::RowBottom(int32_t row, int32_t rowHeight) const {
  return scale.Y((int64_t{row} + 1) * rowHeight + kTableTop);
}

BoardRect BoardLayout::PositionCell(int32_t row, int32_t rowHeight) const {
  return {scale.X(20), RowTop(row, rowHeight), scale.X(60), RowBottom(row, rowHeight)};
}

BoardRect BoardLayout::Cell(int column, int32_t row, int32_t rowHeight) const {
  const int32_t left = edges[column];
  const int64_t right = column == kStatusColumn ? int64_t{edges[kStatusColumn]} + kStatusColumnWidth
                                                 : edges[column + 1];
  return {scale.X(left), RowTop(row, rowHeight), scale.X(right), RowBottom(row, rowHeight)};
}

BoardLayout ComputeBoardLayout(ScreenScale scale, const BoardColumnWidths& widths,
                               int32_t rowHeight, int32_t rowsShown) {
  BoardLayout layout;
  layout.scale = scale;
  layout.edges[0] = 60;
  // Widths come from the settings file and from dragging: the edges stay within what a screen
  // could hold, so no sum of them leaves int.
  for (int k = 0; k < kBoardColumns; ++k)
    layout.edges[k + 1] = static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{layout.edges[k]} + widths[k], -kEdgeLimit, kEdgeLimit));
  const int64_t end = layout.edges[kStatusColumn];
  const int32_t W = scale.width;
  const int32_t H = scale.height;

  layout.boardArea = {scale.X(15), scale.Y(115), scale.X(end + 50), scale.Y(610)};
  layout.table = {scale.X(60), scale.Y(kTableTop), scale.X(end + 35),
                  scale.Y(int64_t{rowHeight} * rowsShown + kTableTop)};
  layout.columnHeaderBar = {scale.X(20), scale.Y(123), scale.X(end + 35), scale.Y(kTableTop)};
  // The title ends where the banner's gap begins; both are tied to the width, not to X().
  const int32_t titleRight = (42 * W - 8400) / 100 + 90;
  layout.seriesTitlePanel = {scale.X(15), H / 45, titleRight, H / 15};
  layout.clockPanel = {W / 32 + 200, scale.Y(740), scale.X(490), scale.Y(780)};
  layout.countdownPanel = {490 * W / 1600 + 240, scale.Y(740), 490 * W / 1600 + 310, scale.Y(780)};
  layout.restPanel = {10, H - 110, 200, H - 90};
  layout.radioConflictBanner = {(42 * W - 8400) / 100 + 70 * W / 1600 + 350, H / 30, W - 130,
                                H / 9};
  return layout;
}

}  // namespace zd
