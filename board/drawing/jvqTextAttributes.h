// The text attribute block handed to Glyphset: face, size, style, spacing, alignment,
// direction, wrap, angle and layout rectangle. Files keep it as 68 raw bytes whose pointer
// and DC fields mean nothing, nor does the rectangle (set before each Glyphset call); they
// are written as 0 so that a file does not vary with what was last drawn.
#pragma once

#include <cstddef>
#include <cstdint>

#include "afx.h"

class CDC;
class CFile;

#define JVQ_TEXT_VERTICAL 90
#define JVQ_TEXT_RECORD_SIZE 68

struct jvqTextAttributes {
  CDC* pDC;               // filled in just before each Glyphset call
  const char* face;       // filled in likewise
  int32_t charWidth;      // 0.1 mm
  int32_t charHeight;     // 0.1 mm, the size
  int32_t style;          // 1 regular, 2 italic, 3 bold, 4 bold italic
  int32_t underline;      // 5 none, 0 solid, 1 dashed, 2 dotted, 3 dash-dot, 4 dash-dot-dot, -1 wavy, -2 double
  int32_t charSpacing;    // 1 normal, 2 wide, 3 narrow
  int32_t alignment;      // 1 left, 2 centre, 3 right, 4 justified
  int32_t lineSpacing;    // 1 normal, 2 wide, 3 narrow
  int32_t direction;      // JVQ_TEXT_VERTICAL or 0
  int32_t angle;          // tenths of a degree
  int32_t wrap;           // automatic line wrap
  RECT rect;              // layout rectangle, logical units
  const char* text;       // lines separated by "\r\n"
};

// The block in its file form, and back (pointer fields come back null). Read and write
// exactly JVQ_TEXT_RECORD_SIZE bytes; both throw what CFile throws.
void jvqWriteTextAttributes(CFile* pFile, const jvqTextAttributes& a);
BOOL jvqReadTextAttributes(CFile* pFile, jvqTextAttributes& a);

// Angle handed to Glyphset for an object turned by dRotation degrees: 3600 to 7199 tenths.
int jvqTextAngle(double dRotation);

// The built-in text format: ＭＳ Ｐゴシック, 10 mm, regular, left, horizontal, wrapped, with the
// prompt text "文字を入力してください".
void jvqDefaultTextAttributes(jvqTextAttributes* pOut);
