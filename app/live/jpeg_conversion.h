#pragma once
// JPEG pictures turned into bitmap files by the Windows Imaging Component, since GDI draws
// bitmaps only.

#include <string_view>

namespace zd {

// Reads jpeg (a JPEG file; another format under a JPEG name is refused) and writes it as a 24-bit
// bitmap file. False, with nothing to draw, when either step fails.
bool ConvertJpegToBitmapFile(std::string_view jpeg, std::string_view bitmap);

}  // namespace zd
