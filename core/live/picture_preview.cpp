#include "live/picture_preview.h"

#include <FreeImage.h>

#include <cctype>
#include <string>

#include "files/codepage.h"

namespace zd {

namespace {

// FreeImage initialised for the length of one use, as every paint does.
class FreeImageSession {
 public:
  FreeImageSession() { FreeImage_Initialise(FALSE); }
  ~FreeImageSession() { FreeImage_DeInitialise(); }
  FreeImageSession(const FreeImageSession&) = delete;
  FreeImageSession& operator=(const FreeImageSession&) = delete;
};

class LoadedBitmap {
 public:
  LoadedBitmap(FREE_IMAGE_FORMAT format, std::string_view file)
      : bitmap_(FreeImage_Load(format, Cp1252ToUtf8(file).c_str(), 0)) {}
  ~LoadedBitmap() {
    if (bitmap_) FreeImage_Unload(bitmap_);
  }
  LoadedBitmap(const LoadedBitmap&) = delete;
  LoadedBitmap& operator=(const LoadedBitmap&) = delete;
  FIBITMAP* get() const { return bitmap_; }

 private:
  FIBITMAP* bitmap_;
};

bool EndsWithLowered(std::string_view path, std::string_view ending) {
  if (path.size() < ending.size()) return false;
  const std::string_view tail = path.substr(path.size() - ending.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(tail[i])) != ending[i]) return false;
  }
  return true;
}

}  // namespace

PictureSize FitPictureInBox(int32_t w, int32_t h, int32_t boxWidth, int32_t boxHeight) {
  if (w <= 0 || h <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
  // In 64 bits: a large picture times the box would overflow 32.
  const int64_t W = boxWidth, H = boxHeight;
  if (10 * static_cast<int64_t>(w) / W > 10 * static_cast<int64_t>(h) / H)
    return {boxWidth, static_cast<int32_t>(h * W / w)};
  return {static_cast<int32_t>(w * H / h), boxHeight};
}

bool IsJpegPath(std::string_view path) {
  return EndsWithLowered(path, ".jpg") || EndsWithLowered(path, ".jpeg");
}

JpegConversion ConvertJpegForPreview(PicturePath& shownPath, std::string_view file) {
  if (!IsJpegPath(shownPath.view())) return JpegConversion::kNotJpeg;
  FreeImageSession session;
  const LoadedBitmap jpeg(FIF_JPEG, file);
  if (!jpeg.get()) return JpegConversion::kFailed;
  if (!FreeImage_Save(FIF_BMP, jpeg.get(), Cp1252ToUtf8(kConvertedPicturePath).c_str(), 0))
    return JpegConversion::kFailed;
  shownPath = kConvertedPicturePath;
  return JpegConversion::kConverted;
}

JpegConversion ConvertJpegForPreview(PicturePath& shownPath) {
  const std::string file = shownPath.str();
  return ConvertJpegForPreview(shownPath, file);
}

std::optional<PictureSize> MeasureBitmapFile(std::string_view file) {
  FreeImageSession session;
  const LoadedBitmap bitmap(FIF_BMP, file);
  if (!bitmap.get()) return std::nullopt;
  return PictureSize{static_cast<int32_t>(FreeImage_GetWidth(bitmap.get())),
                     static_cast<int32_t>(FreeImage_GetHeight(bitmap.get()))};
}

}  // namespace zd
