#pragma once
// Pictures drawn fitted into a box: a driver's photo, a vehicle's picture, the live board's logo.
// Windows draws bitmaps only, so a JPEG is first converted into the one bitmap file that the whole
// program shares for this. The conversion itself is the system's (WIC on Windows): the program
// hands it in; the bitmap's size is read from its own header.
//
// Paths are Windows-1252, relative to the current directory (the data folder) or absolute as the
// core opens files.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "files/fixed_text.h"

namespace zd {

inline constexpr const char* kConvertedPicturePath = "Images/ConvertionJPEG.bmp";
using PicturePath = FixedText<260>;  // ShownPicturePath and the logo buffer

struct PictureSize {
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// FitPictureInBox: a w x h picture scaled to touch a box of boxWidth x boxHeight, enlarged or
// reduced. Compared in tenths: relatively wider than the box, it takes the box's width; otherwise
// (equal tenths too) its height, and may then be wider than the box. 0 x 0 when a size is not
// positive.
PictureSize FitPictureInBox(int32_t w, int32_t h, int32_t boxWidth, int32_t boxHeight);

// Whether the path ends in ".jpg" or ".jpeg", in any case.
bool IsJpegPath(std::string_view path);

enum class JpegConversion {
  kNotJpeg,    // the path is drawn as it is
  kConverted,  // the path now names the converted bitmap, just written
  kFailed,     // the JPEG could not be read or its bitmap not written: draw nothing
};
// Reads the JPEG file `jpeg` and writes it as a 24-bit bitmap file `bitmap`; false when either
// step fails.
using JpegToBitmap = std::function<bool(std::string_view jpeg, std::string_view bitmap)>;

// ConvertJpegForPreview: when shownPath names a JPEG, converts it into kConvertedPicturePath and
// redirects shownPath there. The save is checked: a conversion that failed leaves shownPath as it
// was, so that no window draws a converted file that it did not write itself.
JpegConversion ConvertJpegForPreview(PicturePath& shownPath, const JpegToBitmap& convert);

// The size of a bitmap file (its header read), or nothing when it is no bitmap.
std::optional<PictureSize> MeasureBitmapFile(std::string_view file);

}  // namespace zd
