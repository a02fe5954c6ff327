#include "print/metafile_records.h"

#include <map>

namespace zd_test {

namespace {

struct Reader {
  MetaPage page;
  int order = 0;
  std::map<DWORD, int> penWidths;
  std::map<DWORD, COLORREF> brushes;
  std::map<DWORD, LOGFONTW> fonts;
  int penWidth = 1;
  COLORREF brush = RGB(255, 255, 255);
  LOGFONTW font = {};
  UINT align = 0;
  COLORREF textColour = 0;
  POINTL position = {};

  void text(const EMREXTTEXTOUTW* record, bool wide) {
    const EMRTEXT& t = record->emrtext;
    const char* base = reinterpret_cast<const char*>(record);
    std::string bytes;
    if (wide) {
      const auto* chars = reinterpret_cast<const wchar_t*>(base + t.offString);
      int n = WideCharToMultiByte(1252, 0, chars, static_cast<int>(t.nChars), nullptr, 0, nullptr,
                                  nullptr);
      bytes.resize(n);
      WideCharToMultiByte(1252, 0, chars, static_cast<int>(t.nChars), bytes.data(), n, nullptr,
                          nullptr);
    } else {
      bytes.assign(base + t.offString, t.nChars);
    }
    page.texts.push_back({order, t.ptlReference.x, t.ptlReference.y, align,
                          static_cast<int>(font.lfHeight), font.lfWeight >= FW_BOLD, bytes,
                          textColour});
  }

  void record(const ENHMETARECORD* r) {
    ++order;
    switch (r->iType) {
      case EMR_CREATEPEN: {
        const auto* p = reinterpret_cast<const EMRCREATEPEN*>(r);
        penWidths[p->ihPen] = p->lopn.lopnWidth.x;
        break;
      }
      case EMR_EXTCREATEPEN: {
        const auto* p = reinterpret_cast<const EMREXTCREATEPEN*>(r);
        penWidths[p->ihPen] = static_cast<int>(p->elp.elpWidth);
        break;
      }
      case EMR_CREATEBRUSHINDIRECT: {
        const auto* b = reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(r);
        brushes[b->ihBrush] = b->lb.lbColor;
        break;
      }
      case EMR_EXTCREATEFONTINDIRECTW: {
        const auto* f = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(r);
        fonts[f->ihFont] = f->elfw.elfLogFont;
        break;
      }
      case EMR_SELECTOBJECT: {
        const DWORD h = reinterpret_cast<const EMRSELECTOBJECT*>(r)->ihObject;
        if (penWidths.count(h)) penWidth = penWidths[h];
        if (brushes.count(h)) brush = brushes[h];
        if (fonts.count(h)) font = fonts[h];
        break;
      }
      case EMR_DELETEOBJECT: {
        // The index is free for the next object, of whatever kind.
        const DWORD h = reinterpret_cast<const EMRDELETEOBJECT*>(r)->ihObject;
        penWidths.erase(h);
        brushes.erase(h);
        fonts.erase(h);
        break;
      }
      case EMR_SETTEXTALIGN:
        align = reinterpret_cast<const EMRSETTEXTALIGN*>(r)->iMode;
        break;
      case EMR_SETTEXTCOLOR:
        textColour = reinterpret_cast<const EMRSETTEXTCOLOR*>(r)->crColor;
        break;
      case EMR_MOVETOEX:
        position = reinterpret_cast<const EMRMOVETOEX*>(r)->ptl;
        break;
      case EMR_LINETO: {
        const POINTL to = reinterpret_cast<const EMRLINETO*>(r)->ptl;
        page.lines.push_back({order, position.x, position.y, to.x, to.y, penWidth});
        position = to;
        break;
      }
      case EMR_BITBLT: {
        const auto* b = reinterpret_cast<const EMRBITBLT*>(r);
        if (b->cbBmiSrc == 0)
          page.fills.push_back({order,
                                {b->xDest, b->yDest, b->xDest + b->cxDest, b->yDest + b->cyDest},
                                brush});
        else
          page.blits.push_back({order, b->xDest, b->yDest, b->cxDest, b->cyDest});
        break;
      }
      case EMR_EXTTEXTOUTW:
        text(reinterpret_cast<const EMREXTTEXTOUTW*>(r), true);
        break;
      case EMR_EXTTEXTOUTA:
        text(reinterpret_cast<const EMREXTTEXTOUTW*>(r), false);
        break;
      default:
        break;
    }
  }
};

int CALLBACK OnRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  reinterpret_cast<Reader*>(data)->record(record);
  return 1;
}

}  // namespace

MetaPage ReadMetafile(HENHMETAFILE metafile) {
  Reader reader;
  EnumEnhMetaFile(nullptr, metafile, OnRecord, &reader, nullptr);
  return reader.page;
}

MetafilePage::MetafilePage() { dc_ = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr); }

MetafilePage::~MetafilePage() {
  if (dc_) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
}

MetaPage MetafilePage::read() {
  HENHMETAFILE metafile = CloseEnhMetaFile(dc_);
  dc_ = nullptr;
  MetaPage page = ReadMetafile(metafile);
  DeleteEnhMetaFile(metafile);
  return page;
}

}  // namespace zd_test
