#include "qvzTextRules.h"

#include <cstdio>

int qvzBoldRule(int nStyle, BOOL bBold) {
  switch (nStyle) {
    case 1:
    case 3: return bBold ? 3 : 1;
    case 2:
    case 4: return bBold ? 4 : 2;
  }
  return 1;
}

int qvzItalicRule(int nStyle, BOOL bItalic) {
  switch (nStyle) {
    case 1:
    case 2: return bItalic ? 2 : 1;
    case 3:
    case 4: return bItalic ? 4 : 3;
  }
  return 1;
}

int qvzStyleBits(int nStyle) {
  switch (nStyle) {
    case 2: return 4;
    case 3: return 2;
    case 4: return 6;
  }
  return 0;
}

int qvzStyleFromBits(int nBits) {
  const BOOL bold = (nBits & 2) != 0, italic = (nBits & 4) != 0;
  return bold ? (italic ? 4 : 3) : (italic ? 2 : 1);
}

static const int UnderlineKinds[] = {5, 0, 1, 2, 3, 4, -1, -2};

int qvzUnderlineItem(int nKind) {
  for (int i = 0; i < 8; i++)
    if (UnderlineKinds[i] == nKind) return i;
  return 0;
}

int qvzUnderlineKind(int nItem) { return nItem >= 0 && nItem < 8 ? UnderlineKinds[nItem] : 5; }

double qvzLeadingNumber(const char* psz) {
  if (!psz) return 0;
  const char* p = psz;
  while (*p == ' ' || *p == '\t') p++;
  double sign = 1;
  if (*p == '+' || *p == '-') sign = *p++ == '-' ? -1 : 1;
  double v = 0;
  while (*p >= '0' && *p <= '9') v = v * 10 + (*p++ - '0');
  if (*p == '.') {
    double scale = 0.1;
    for (p++; *p >= '0' && *p <= '9'; p++, scale /= 10) v += (*p - '0') * scale;
  }
  return sign * v;
}

int qvzBarSizeFromText(const char* psz) {
  const double v = qvzLeadingNumber(psz) * 10 + 0.05;
  if (v < 1) return 1;
  return v > 1e8 ? 100000000 : (int)v;
}

int qvzDialogSizeFromText(const char* psz, int nOld) {
  const double n = qvzLeadingNumber(psz);
  if (!(n > 0)) return nOld;
  // A decimal read back is a hair under its value (12.35 is 123.4999...), so truncating the
  // tenths gives what was typed.
  const double v = n * 10 + 1e-9;
  if (v < 1) return 1;
  return v > 1e8 ? 100000000 : (int)v;
}

CString qvzSizeText(int nHeight) {
  CString s;
  if (nHeight <= 0)
    s = "0.1mm";
  else
    s.Format("%.1fmm", nHeight * 0.1);
  return s;
}

qvzTitleCells qvzTitlePreviewCells(int nWidth, int nHeight, int cxVScroll, int cyHScroll, BOOL bHorizontal) {
  const int w = nWidth - cxVScroll - 2, h = nHeight - cyHScroll - 2;
  qvzTitleCells c;
  if (bHorizontal) {
    c.cx = (int)((w / 4) * 0.9);
    c.gapX = (w - 4 * c.cx) / 5;
    c.cy = (int)((h / 3) * 0.9);
    c.gapY = (h - 3 * c.cy) / 4;
  } else {
    c.cx = (int)((w / 6) * 0.8);
    c.gapX = (w - 6 * c.cx) / 6;
    c.cy = (int)((h / 2) * 0.9);
    c.gapY = (h - 2 * c.cy) / 3;
  }
  return c;
}

BOOL qvzTrimTitleText(const char* psz, CString* pOut) {
  CString s(psz ? psz : "");
  s.TrimLeft(" \t\r\n");
  s.TrimRight(" \t\r\n");
  *pOut = s;
  return !s.IsEmpty();
}
