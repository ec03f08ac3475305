// Line layout of a text in its own frame: u runs along the lines, v across them.
// Horizontal text is the frame as it stands; vertical text is the same layout turned
// by 90 degrees clockwise and drawn with the "@" face, so columns run top to bottom
// and follow each other from right to left.
#pragma once

#include <windows.h>
#include <vector>

#include "GlyphChars.h"
#include "GlyphFont.h"

namespace glyphset {

// Places the frame on the page: its centre, size and the direction of u.
class GlyphFrame {
 public:
  // rect is the area on the page; when turned is false and the text is vertical the frame's
  // u runs down the rectangle's height. When turned is true the rectangle is already given in
  // the frame's own orientation.
  static GlyphFrame FromRect(const RECT& rect, bool vertical, int angleTenths, bool turned);

  double width = 0;   // along u
  double height = 0;  // along v
  double cx = 0, cy = 0;
  double cosA = 1, sinA = 0;
  int escapement = 0;  // lfEscapement of the fonts that draw in this frame

  void ToPage(double u, double v, double* x, double* y) const;
  POINT PagePoint(double u, double v) const;
  void ToFrame(double x, double y, double* u, double* v) const;
};

// Normalises an angle in tenths of a degree to 0..3599.
int NormalizeTenths(int angle);

struct GlyphLayoutParams {
  double em = 100;          // character height, logical units
  double charWidth = 100;   // character width, logical units
  int charSpacing = 1;
  int lineSpacing = 1;
  int alignment = 1;
  bool wrap = false;
  double lineLength = 0;    // room along u for wrapping and alignment
  double originU = 0;       // where the first line starts in the frame
  double originV = 0;
};

struct GlyphLine {
  int first = 0;            // items [first, end)
  int end = 0;
  double top = 0;           // v of the line's top
  double width = 0;         // natural width
  int startOffset = 0;      // byte offsets for the caret at either end
  int endOffset = 0;
};

class GlyphLayout {
 public:
  void Build(const char* text, GlyphMetrics& metrics, const GlyphLayoutParams& params);

  std::vector<GlyphChar> chars;
  std::vector<double> advance;  // per character, logical units
  std::vector<double> u;        // per character, after alignment
  std::vector<GlyphLine> lines;
  double cellHeight = 0;
  double ascent = 0;
  double lineGap = 0;
  double textWidth = 0;         // widest natural line
  double textHeight = 0;
  double originU = 0, originV = 0;

  // Byte offset of the character at frame point (u, v), or a line's start or end beside it; -1 off the lines.
  int HitTest(double u, double v) const;

 private:
  void BreakParagraph(int first, int end, int breakOffsetEnd, const GlyphLayoutParams& params);
  double m_spacing = 0;
};

}  // namespace glyphset
