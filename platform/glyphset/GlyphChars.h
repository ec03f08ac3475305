// Shift-JIS text split into characters, with the classes line breaking needs.
#pragma once

#include <string>
#include <vector>

namespace glyphset {

enum GlyphCharKind {
  GLYPH_CHAR_TEXT,     // drawn
  GLYPH_CHAR_TAB,      // advances to the next tab stop
  GLYPH_CHAR_BREAK,    // "\r\n" or a lone "\n": ends the line
  GLYPH_CHAR_CONTROL,  // other control bytes: neither drawn nor measured
};

struct GlyphChar {
  int offset;          // byte offset in the text
  int length;          // 1 or 2 bytes
  GlyphCharKind kind;
  std::wstring wide;   // the character in UTF-16
  int tabColumns;      // spaces a tab stands for
};

constexpr int kGlyphTabWidth = 16;

// A lead byte of Shift-JIS, whatever the thread's code page.
bool IsShiftJisLead(unsigned char b);

// Splits text into characters. Tabs expand to the next multiple of kGlyphTabWidth columns,
// counting from the start of the whole text (a double-byte character counts 2, every other
// byte 1), as the board expands them before drawing, so that expanded and raw text lay out alike.
std::vector<GlyphChar> SplitShiftJis(const char* text);

// May not start a line (closing brackets, punctuation, small kana, prolonged sound mark).
bool IsNoLineStart(const std::wstring& ch);
// May not end a line (opening brackets).
bool IsNoLineEnd(const std::wstring& ch);
// Part of a single-byte word that wrapping keeps whole ("3LDK", "2,980").
bool IsWordByte(const GlyphChar& ch);

}  // namespace glyphset
