#include "jvqTextAttributes.h"

#include <cstring>

#include "jvqRecordIO.h"

#ifdef JVQ_HAVE_GDI
#include "glyphset.h"

// Glyphset reads the board's block in place: every field must sit where it expects it.
#define JVQ_SAME_FIELD(a, b) \
  static_assert(offsetof(jvqTextAttributes, a) == offsetof(GlyphTextBlock, b), "text block field " #a)
JVQ_SAME_FIELD(pDC, pDC);
JVQ_SAME_FIELD(face, face);
JVQ_SAME_FIELD(charWidth, charWidth);
JVQ_SAME_FIELD(charHeight, charHeight);
JVQ_SAME_FIELD(style, style);
JVQ_SAME_FIELD(underline, underline);
JVQ_SAME_FIELD(charSpacing, charSpacing);
JVQ_SAME_FIELD(alignment, alignment);
JVQ_SAME_FIELD(lineSpacing, lineSpacing);
JVQ_SAME_FIELD(direction, direction);
JVQ_SAME_FIELD(angle, angle);
JVQ_SAME_FIELD(wrap, wrap);
JVQ_SAME_FIELD(rect, rect);
JVQ_SAME_FIELD(text, text);
static_assert(sizeof(jvqTextAttributes) == sizeof(GlyphTextBlock), "text block size");
#undef JVQ_SAME_FIELD
#endif
static_assert(sizeof(void*) != 4 || sizeof(jvqTextAttributes) == JVQ_TEXT_RECORD_SIZE, "text block is 68 bytes");

namespace {
const int kWords = JVQ_TEXT_RECORD_SIZE / 4;
}

void jvqWriteTextAttributes(CFile* pFile, const jvqTextAttributes& a) {
  const int32_t w[kWords] = {0, 0, a.charWidth, a.charHeight, a.style, a.underline, a.charSpacing,
                             a.alignment, a.lineSpacing, a.direction, a.angle, a.wrap,
                             0, 0, 0, 0, 0};
  pFile->Write(w, sizeof w);
}

BOOL jvqReadTextAttributes(CFile* pFile, jvqTextAttributes& a) {
  int32_t w[kWords];
  if (!jvqReadExact(pFile, w, sizeof w)) return FALSE;
  std::memset(&a, 0, sizeof a);
  a.charWidth = w[2];
  a.charHeight = w[3];
  a.style = w[4];
  a.underline = w[5];
  a.charSpacing = w[6];
  a.alignment = w[7];
  a.lineSpacing = w[8];
  a.direction = w[9];
  a.angle = w[10];
  a.wrap = w[11];
  a.rect.left = w[12];
  a.rect.top = w[13];
  a.rect.right = w[14];
  a.rect.bottom = w[15];
  return TRUE;
}

int jvqTextAngle(double dRotation) { return (int)(dRotation * 10) % 3600 + 3600; }

void jvqDefaultTextAttributes(jvqTextAttributes* pOut) {
  std::memset(pOut, 0, sizeof *pOut);
  pOut->face = "ＭＳ Ｐゴシック";
  pOut->charWidth = 100;
  pOut->charHeight = 100;
  pOut->style = 1;
  pOut->underline = 5;
  pOut->charSpacing = 1;
  pOut->alignment = 1;
  pOut->lineSpacing = 1;
  pOut->wrap = 1;
  pOut->text = "文字を入力してください";
}
