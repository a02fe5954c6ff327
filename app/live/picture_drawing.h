#pragma once
// Pictures fitted into a box: the live board's logo and the picture previews of the database
// dialogs. A JPEG is converted into the program's one converted bitmap at every paint, so a
// window only ever draws a converted file that it has just written itself.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "live/picture_preview.h"

namespace zd {

// The picture to draw for a path and its size in the box.
struct FittedPicture {
  std::string path;  // the bitmap file to load: the path itself or the converted bitmap
  PictureSize size;
};
struct PreparedPicture {
  JpegConversion conversion = JpegConversion::kNotJpeg;
  std::optional<FittedPicture> picture;  // none when there is nothing to draw
};
// Converts a JPEG, then measures the bitmap and fits it into boxWidth x boxHeight. An empty path,
// a failed conversion or a file that is no readable bitmap gives no picture.
PreparedPicture PreparePicture(const char* path, int32_t boxWidth, int32_t boxHeight);

// PaintPicturePreview: the paint step of a dialog that previews a record's picture in a box.
// With no picture path, or a JPEG that could not be converted, it shows the empty picture frame
// (the control frameId) and draws nothing; otherwise it hides the frame and draws the picture
// fitted into the box, within its own begin and end of painting (a file that is no readable
// bitmap draws nothing). shownPicturePath is the record's own path, never redirected.
void PaintPicturePreview(HWND window, const char* shownPicturePath, int frameId, int boxLeft,
                         int boxTop, int32_t boxWidth, int32_t boxHeight);

}  // namespace zd
