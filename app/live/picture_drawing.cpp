#include "live/picture_drawing.h"

#include "live/jpeg_conversion.h"
#include "main/bitmap_paint.h"

namespace zd {

PreparedPicture PreparePicture(const char* path, int32_t boxWidth, int32_t boxHeight) {
  PreparedPicture prepared;
  PicturePath shown(path ? path : "");
  if (shown.empty()) return prepared;
  prepared.conversion = ConvertJpegForPreview(shown, ConvertJpegToBitmapFile);
  if (prepared.conversion == JpegConversion::kFailed) return prepared;
  const std::string file = shown.str();
  const std::optional<PictureSize> size = MeasureBitmapFile(file);
  if (!size) return prepared;
  prepared.picture = FittedPicture{file, FitPictureInBox(size->cx, size->cy, boxWidth, boxHeight)};
  return prepared;
}

void PaintPicturePreview(HWND window, const char* shownPicturePath, int frameId, int boxLeft,
                         int boxTop, int32_t boxWidth, int32_t boxHeight) {
  HWND frame = GetDlgItem(window, frameId);
  const PreparedPicture prepared = PreparePicture(shownPicturePath, boxWidth, boxHeight);
  const bool nothingToShow = !shownPicturePath || shownPicturePath[0] == '\0' ||
                             prepared.conversion == JpegConversion::kFailed;
  ShowWindow(frame, nothingToShow ? SW_SHOW : SW_HIDE);
  if (!prepared.picture) return;
  PaintBitmapFileSized(window, prepared.picture->path.c_str(), boxLeft, boxTop,
                       prepared.picture->size.cx, prepared.picture->size.cy);
}

}  // namespace zd
