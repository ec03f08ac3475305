#include "GlyphChars.h"

#include <windows.h>
#include <string.h>

namespace glyphset {

bool IsShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

static std::wstring ToWide(const char* p, int n) {
  wchar_t buf[4] = {};
  int w = MultiByteToWideChar(932, 0, p, n, buf, 4);
  if (w <= 0) return std::wstring(1, L'\x30FB');  // undecodable: a middle dot keeps the place
  return std::wstring(buf, w);
}

std::vector<GlyphChar> SplitShiftJis(const char* text) {
  std::vector<GlyphChar> out;
  if (!text) return out;
  const int n = (int)strlen(text);
  int column = 0;
  for (int i = 0; i < n;) {
    GlyphChar c{i, 1, GLYPH_CHAR_TEXT, {}, 0};
    unsigned char b = (unsigned char)text[i];
    if (IsShiftJisLead(b) && i + 1 < n) {
      c.length = 2;
      c.wide = ToWide(text + i, 2);
      column += 2;
    } else if (b == '\r' && i + 1 < n && text[i + 1] == '\n') {
      c.length = 2;
      c.kind = GLYPH_CHAR_BREAK;
      column += 2;
    } else if (b == '\n') {
      c.kind = GLYPH_CHAR_BREAK;
      column += 1;
    } else if (b == '\t') {
      c.kind = GLYPH_CHAR_TAB;
      c.tabColumns = kGlyphTabWidth - column % kGlyphTabWidth;
      column += c.tabColumns;
    } else if (b < 0x20 || b == 0x7F) {
      c.kind = GLYPH_CHAR_CONTROL;
      column += 1;
    } else {
      c.wide = ToWide(text + i, 1);
      column += 1;
    }
    out.push_back(c);
    i += c.length;
  }
  return out;
}

static bool InSet(const std::wstring& ch, const wchar_t* set) {
  return ch.size() == 1 && wcschr(set, ch[0]) != nullptr;
}

bool IsNoLineStart(const std::wstring& ch) {
  static const wchar_t kSet[] =
      L",.:;?!)]}>%"
      L"\x3001\x3002\xFF0C\xFF0E\x30FB\xFF1A\xFF1B\xFF1F\xFF01\x309B\x309C\x30FD\x30FE\x309D\x309E\x3005\x30FC"
      L"\xFF09\xFF3D\xFF5D\x300D\x300F\x3011\x3015\x3009\x300B\x2019\x201D\xFF60\x301F\xFF05\x2103"
      L"\x3041\x3043\x3045\x3047\x3049\x3063\x3083\x3085\x3087\x308E"
      L"\x30A1\x30A3\x30A5\x30A7\x30A9\x30C3\x30E3\x30E5\x30E7\x30EE\x30F5\x30F6"
      L"\xFF61\xFF63\xFF64\xFF65\xFF70\xFF9E\xFF9F\xFF67\xFF68\xFF69\xFF6A\xFF6B\xFF6F\xFF6C\xFF6D\xFF6E"
      L"\x2026\x2025\x301C\xFF5E\x2010";
  return InSet(ch, kSet);
}

bool IsNoLineEnd(const std::wstring& ch) {
  static const wchar_t kSet[] =
      L"([{<"
      L"\xFF08\xFF3B\xFF5B\x300C\x300E\x3010\x3014\x3008\x300A\x2018\x201C\xFF5F\x301D\xFF62";
  return InSet(ch, kSet);
}

bool IsWordByte(const GlyphChar& ch) {
  if (ch.kind != GLYPH_CHAR_TEXT || ch.length != 1 || ch.wide.size() != 1) return false;
  wchar_t w = ch.wide[0];
  return w > L' ' && w < 0x7F;
}

}  // namespace glyphset
