// Text blocks for the tests, in ＭＳ ゴシック, whose full-width characters are all one em wide.
#pragma once

#include <string>

#include "glyphset.h"

inline GlyphTextBlock MakeTextBlock(const char* text, RECT rect, int size = 40, int direction = 0, int angle = 0) {
  GlyphTextBlock b = {};
  b.face = "ＭＳ ゴシック";
  b.charWidth = b.charHeight = size;
  b.style = 1;
  b.underline = 5;
  b.charSpacing = 1;
  b.alignment = 1;
  b.lineSpacing = 1;
  b.direction = direction;
  b.angle = angle;
  b.wrap = 1;
  b.rect = rect;
  b.text = text;
  return b;
}

// The text with every double-byte character but the one at byte offset keep turned into a
// full-width space, so only that character leaves ink and the layout stays the same.
inline std::string KeepOnly(const std::string& text, size_t keep) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    unsigned char b = (unsigned char)text[i];
    bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    if (lead && i + 1 < text.size()) {
      out += i == keep ? text.substr(i, 2) : std::string("　");
      i += 2;
    } else {
      out += text[i];
      ++i;
    }
  }
  return out;
}
