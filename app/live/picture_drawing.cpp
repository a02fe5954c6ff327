#include "live/picture_drawing.h"

#include <vector>

#include "main/bitmap_paint.h"

namespace zd {

namespace {

// The core opens files through the C library, which knows nothing of drive letters nor of the
// Win32 current directory: it is given the Unix path that Wine maps the file to, in the program's
// code page like every path it gets. The path as it is when Wine has no mapping for it.
std::string PathForCore(const std::string& path) {
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (wideLength <= 0) return path;
  std::vector<WCHAR> wide(wideLength);
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), wideLength);
  char* unixPath = wine_get_unix_file_name(wide.data());
  if (!unixPath) return path;
  // Wine's Unix paths are UTF-8.
  std::string mapped = path;
  const int length = MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, nullptr, 0);
  if (length > 0) {
    std::vector<WCHAR> unixWide(length);
    MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, unixWide.data(), length);
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, unixWide.data(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes > 0) {
      std::vector<char> text(bytes);
      WideCharToMultiByte(CP_ACP, 0, unixWide.data(), -1, text.data(), bytes, nullptr, nullptr);
      mapped = text.data();
    }
  }
  HeapFree(GetProcessHeap(), 0, unixPath);
  return mapped;
}

}  // namespace

PreparedPicture PreparePicture(const char* path, int32_t boxWidth, int32_t boxHeight) {
  PreparedPicture prepared;
  PicturePath shown(path ? path : "");
  if (shown.empty()) return prepared;
  prepared.conversion = ConvertJpegForPreview(shown, PathForCore(shown.str()));
  if (prepared.conversion == JpegConversion::kFailed) return prepared;
  const std::string file = shown.str();
  const std::optional<PictureSize> size = MeasureBitmapFile(PathForCore(file));
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
