// The text calls over plain device contexts: what qvzDrawText, qvzGetDrawRect and
// qvzGetCharPos do once the caller's DC has been unwrapped.
#pragma once

#include <windows.h>

#include "glyphset.h"

namespace glyphset {

// Room kept on every side of the measured text, logical units: the board paints
// inside its frame with a margin of this size.
constexpr int kGlyphMeasureMargin = 10;

int DrawTextBlock(HDC hdc, const GlyphTextBlock& block);
int MeasureTextBlock(GlyphTextBlock& block);
int CharAtTextBlock(const GlyphTextBlock& block, int x, int y);

}  // namespace glyphset
