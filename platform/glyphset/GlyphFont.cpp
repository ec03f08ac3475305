#include "GlyphFont.h"

#include <string.h>

#include <map>

namespace glyphset {

namespace {
constexpr int kReferenceEm = 1000;
constexpr size_t kMaxCachedFaces = 32;
constexpr size_t kMaxCachedAdvances = 8192;
}  // namespace

// One face measured on a private DC; the DC and font live as long as the face is cached.
struct GlyphMetrics::Face {
  HDC dc = nullptr;
  HFONT font = nullptr;
  HGDIOBJ old = nullptr;
  double cellHeight = 1.0, ascent = 0.88, aveWidth = 0.5;
  std::map<std::wstring, double> advances;

  explicit Face(const GlyphFontSpec& spec) {
    dc = CreateCompatibleDC(nullptr);
    LOGFONTA lf = MakeGlyphLogFont(spec, kReferenceEm, 0, 0);
    font = CreateFontIndirectA(&lf);
    if (!dc || !font) return;
    old = SelectObject(dc, font);
    TEXTMETRICW tm;
    if (GetTextMetricsW(dc, &tm) && tm.tmHeight > 0) {
      cellHeight = (double)tm.tmHeight / kReferenceEm;
      ascent = (double)tm.tmAscent / kReferenceEm;
      if (tm.tmAveCharWidth > 0) aveWidth = (double)tm.tmAveCharWidth / kReferenceEm;
    }
  }
  ~Face() {
    if (dc && old) SelectObject(dc, old);
    if (font) DeleteObject(font);
    if (dc) DeleteDC(dc);
  }
  Face(const Face&) = delete;
  Face& operator=(const Face&) = delete;
};

LOGFONTA MakeGlyphLogFont(const GlyphFontSpec& spec, int height, int width, int escapement) {
  LOGFONTA lf = {};
  lf.lfHeight = -height;
  lf.lfWidth = width;
  lf.lfEscapement = lf.lfOrientation = escapement;
  lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = spec.italic ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS | CLIP_LH_ANGLES;
  lf.lfQuality = ANTIALIASED_QUALITY;
  std::string face = spec.face.empty() ? std::string("ＭＳ ゴシック") : spec.face;
  if (spec.vertical) face = "@" + face;
  strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return lf;
}

GlyphMetrics::GlyphMetrics(const GlyphFontSpec& spec) {
  // Drawing happens on the user-interface thread only.
  static std::map<std::string, std::shared_ptr<Face>> cache;
  std::string key = spec.face + (spec.bold ? "|b" : "|") + (spec.italic ? "i" : "") + (spec.vertical ? "v" : "");
  auto it = cache.find(key);
  if (it == cache.end()) {
    if (cache.size() >= kMaxCachedFaces) cache.clear();
    it = cache.emplace(key, std::make_shared<Face>(spec)).first;
  }
  m_face = it->second;
  cellHeight = m_face->cellHeight;
  ascent = m_face->ascent;
  aveWidth = m_face->aveWidth;
}

double GlyphMetrics::Advance(const std::wstring& ch) {
  auto it = m_face->advances.find(ch);
  if (it != m_face->advances.end()) return it->second;
  double adv = 0.5;
  SIZE sz;
  if (m_face->dc && m_face->font && GetTextExtentPoint32W(m_face->dc, ch.c_str(), (int)ch.size(), &sz))
    adv = (double)sz.cx / kReferenceEm;
  if (m_face->advances.size() >= kMaxCachedAdvances) m_face->advances.clear();
  m_face->advances.emplace(ch, adv);
  return adv;
}

}  // namespace glyphset
