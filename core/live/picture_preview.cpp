#include "live/picture_preview.h"

#include <cctype>
#include <cstring>
#include <string>

#include "files/text_file.h"

namespace zd {

namespace {

int32_t LittleEndian32(const std::string& bytes, std::size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return static_cast<int32_t>(value);
}

int32_t LittleEndian16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

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

JpegConversion ConvertJpegForPreview(PicturePath& shownPath, const JpegToBitmap& convert) {
  if (!IsJpegPath(shownPath.view())) return JpegConversion::kNotJpeg;
  if (!convert || !convert(shownPath.view(), kConvertedPicturePath)) return JpegConversion::kFailed;
  shownPath = kConvertedPicturePath;
  return JpegConversion::kConverted;
}

std::optional<PictureSize> MeasureBitmapFile(std::string_view file) {
  TextFile bitmap;
  if (!bitmap.open(file, OpenMode::Read)) return std::nullopt;
  // The file header (14 bytes) and the start of the information header that holds the size.
  const std::string head = bitmap.readRawAt(0, 26);
  if (head.size() < 18 || head[0] != 'B' || head[1] != 'M') return std::nullopt;
  const int32_t infoSize = LittleEndian32(head, 14);
  PictureSize size;
  if (infoSize == 12 && head.size() >= 22) {  // the old OS/2 header: 16-bit sizes
    size = {LittleEndian16(head, 18), LittleEndian16(head, 20)};
  } else if (infoSize >= 40 && head.size() >= 26) {
    size = {LittleEndian32(head, 18), LittleEndian32(head, 22)};
    // A negative height is a picture stored top-down.
    if (size.cy < 0 && size.cy != INT32_MIN) size.cy = -size.cy;
  } else {
    return std::nullopt;
  }
  if (size.cx <= 0 || size.cy <= 0) return std::nullopt;
  return size;
}

}  // namespace zd
