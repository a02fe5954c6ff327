#pragma once
// A page drawn on an enhanced metafile, read back record by record: the texts with their
// positions, alignment and font, the lines with their pen width, the fills with their colour and
// the bitmaps copied in, each with its place in the drawing order.

#include <windows.h>

#include <string>
#include <vector>

namespace zd_test {

struct MetaText {
  int order = 0;
  int x = 0, y = 0;
  UINT align = 0;
  int fontHeight = 0;
  bool bold = false;
  std::string text;  // Windows-1252
  COLORREF colour = 0;
};
struct MetaLine {
  int order = 0;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int width = 0;
};
struct MetaFill {
  int order = 0;
  RECT rect = {};
  COLORREF colour = 0;
};
struct MetaBlit {
  int order = 0;
  int x = 0, y = 0, width = 0, height = 0;
};

struct MetaPage {
  std::vector<MetaText> texts;
  std::vector<MetaLine> lines;
  std::vector<MetaFill> fills;
  std::vector<MetaBlit> blits;

  const MetaText* findText(const std::string& text) const {
    for (const MetaText& t : texts)
      if (t.text == text) return &t;
    return nullptr;
  }
  const MetaText* textAt(int x, int y) const {
    for (const MetaText& t : texts)
      if (t.x == x && t.y == y) return &t;
    return nullptr;
  }
  bool hasLine(int width, int x1, int y1, int x2, int y2) const {
    for (const MetaLine& l : lines)
      if (l.width == width && l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2) return true;
    return false;
  }
};

// Reads the records of a closed metafile.
MetaPage ReadMetafile(HENHMETAFILE metafile);

// A metafile device context to draw one page on.
class MetafilePage {
 public:
  MetafilePage();
  ~MetafilePage();
  HDC dc() const { return dc_; }
  // Closes the metafile and reads it.
  MetaPage read();

 private:
  HDC dc_ = nullptr;
};

}  // namespace zd_test
