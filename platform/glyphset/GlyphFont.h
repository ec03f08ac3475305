// Fonts of a text: advances measured once at a large reference size, so that layout
// does not depend on the zoom or the device, and the fonts that draw on a given DC.
#pragma once

#include <windows.h>
#include <memory>
#include <string>

namespace glyphset {

struct GlyphFontSpec {
  std::string face;    // Shift-JIS face name, without "@"
  bool bold = false;
  bool italic = false;
  bool vertical = false;  // use the "@" face
};

// LOGFONTA for the font wanted; height and width in the DC's logical units.
LOGFONTA MakeGlyphLogFont(const GlyphFontSpec& spec, int height, int width, int escapement);

// Metrics in fractions of the em. Faces already measured are kept for the next texts.
class GlyphMetrics {
 public:
  explicit GlyphMetrics(const GlyphFontSpec& spec);

  double Advance(const std::wstring& ch);
  double cellHeight = 1.0;  // ascent + descent
  double ascent = 0.88;
  double aveWidth = 0.5;

  struct Face;

 private:
  std::shared_ptr<Face> m_face;
};

}  // namespace glyphset
