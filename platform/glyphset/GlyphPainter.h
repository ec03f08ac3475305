// Draws a laid-out text and its underlines on a DC.
#pragma once

#include <windows.h>

#include "GlyphFont.h"
#include "GlyphLayout.h"

namespace glyphset {

struct GlyphPaintStyle {
  GlyphFontSpec font;
  double em = 100;
  double charWidth = 100;
  double aveWidth = 0.5;   // of the face, per em: turns the character width into lfWidth
  int underline = 5;       // 5 none
  COLORREF color = 0;
  int offsetX = 0;         // page offset, for shadows
  int offsetY = 0;
};

// Draws every character at its place, then the underlines. Leaves the DC as it was.
void PaintLayout(HDC hdc, const GlyphLayout& layout, const GlyphFrame& frame, const GlyphPaintStyle& style);

}  // namespace glyphset
