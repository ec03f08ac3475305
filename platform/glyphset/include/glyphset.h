// Glyphset: lays out and draws Shift-JIS text and title banners over GDI.
// The board hands its own attribute blocks to these calls; the blocks below
// have the same fixed layout (they are stored raw in board files).
#pragma once

#include <windows.h>
#include <stdint.h>

class CDC;
class CPen;
class CBrush;

// Text attributes, 68 bytes.
struct GlyphTextBlock {
  CDC* pDC;                // DC to draw on or measure with
  const char* face;        // face name; "@" faces are chosen for vertical writing
  int32_t charWidth;       // 0.1 mm (logical units of the board)
  int32_t charHeight;      // 0.1 mm
  int32_t style;           // 1 regular, 2 italic, 3 bold, 4 bold italic
  int32_t underline;       // 5 none, 0 solid, 1 dashed, 2 dotted, 3 dash-dot, 4 dash-dot-dot, -1 wavy, -2 double
  int32_t charSpacing;     // 1 normal, 2 wide, 3 narrow
  int32_t alignment;       // 1 left, 2 centre, 3 right, 4 justified
  int32_t lineSpacing;     // 1 normal, 2 wide, 3 narrow
  int32_t direction;       // 90 vertical, otherwise horizontal
  int32_t angle;           // tenths of a degree, clockwise on the screen
  int32_t wrap;            // automatic line wrap
  RECT rect;               // layout rectangle, logical units
  const char* text;        // lines separated by "\r\n"
};
static_assert(sizeof(GlyphTextBlock) == 68 || sizeof(void*) != 4, "text block layout is fixed");

// Title banner style, the first 56 bytes of the board's banner style.
struct GlyphBannerBlock {
  CDC* pDC;
  const char* face;
  int32_t horizontal;      // 1 horizontal, 0 vertical
  int32_t shadow;          // 1 with shadow
  int32_t shape;           // 1 to 12
  int32_t style;           // 1 regular, 2 italic, 3 bold, 4 bold italic
  int32_t angle;           // tenths of a degree, clockwise on the screen
  RECT rect;               // for vertical writing already turned by 90 degrees about its centre
  CPen* pPen;
  CBrush* pBrush;
  const char* text;
};
static_assert(sizeof(GlyphBannerBlock) == 56 || sizeof(void*) != 4, "banner block layout is fixed");

// Mode bits of qvzDrawBanner.
enum { GLYPH_BANNER_NO_OUTLINE = 1, GLYPH_BANNER_NO_FILL = 2 };

#ifdef GLYPHSET_BUILD
#define GLYPHSET_API extern "C" __declspec(dllexport)
#else
#define GLYPHSET_API extern "C" __declspec(dllimport)
#endif

// Draws the text in the block's rectangle in the DC's current text colour. 1 when drawn.
GLYPHSET_API int qvzDrawText(GlyphTextBlock* block);
// Writes into the block's rectangle the rectangle the text needs, margins of 10 units
// on every side included; for vertical writing its width runs along the columns and
// its height across them. 1 on success.
GLYPHSET_API int qvzGetDrawRect(GlyphTextBlock* block);
// Byte index into the block's text of the character drawn under the logical point;
// left or right of a line its start or end; -1 off every line.
GLYPHSET_API int qvzGetCharPos(GlyphTextBlock* block, int x, int y);
// Draws a title banner; option is reserved. The DC comes back as it was. 1 when drawn.
GLYPHSET_API int qvzDrawBanner(GlyphBannerBlock* block, int option, int mode);
