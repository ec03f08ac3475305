#include "PropertyBarRules.h"

#include <stdio.h>
#include <stdlib.h>

#include "jvqObjectCodes.h"
#include "qvzHelpers.h"

// Palette tools keep their bar whatever is selected.
#define TOOL_SYMBOL 1021
#define TOOL_FAVORITE 1022
#define TOOL_SHAPE 3009
#define TOOL_ZOOM 3003

int BarRowOfObject(const BarChoiceItem& item) {
  switch (item.nClassCode) {
    case JVQ_OBJ_RECT: return BARROW_RECT;
    case JVQ_OBJ_POLYLINE: return item.bOpen ? BARROW_LINE : BARROW_POLYGON;
    case JVQ_OBJ_GROUP: return BARROW_GROUP;
    case JVQ_OBJ_OLE: return BARROW_OLE;
    case JVQ_OBJ_IMAGE: return BARROW_IMAGE;
    case JVQ_OBJ_TEXT: return BARROW_TEXT;
    case JVQ_OBJ_ROUNDRECT: return BARROW_ROUNDRECT;
    case JVQ_OBJ_ELLIPSE: return BARROW_ELLIPSE;
    case JVQ_OBJ_CHORD: return BARROW_CHORD;
    case JVQ_OBJ_PIE: return BARROW_PIE;
    case JVQ_OBJ_ARC: return BARROW_ARC;
    case JVQ_OBJ_LINETEXT: return BARROW_LINETEXT;
    case JVQ_OBJ_BALLOON: return item.nBodyCode == JVQ_OBJ_ROUNDRECT ? BARROW_ROUNDRECT_BALLOON : BARROW_RECT_BALLOON;
    case JVQ_OBJ_BANNER: return BARROW_BANNER;
    case JVQ_OBJ_SYMBOL: return BARROW_SELECT;
    case JVQ_OBJ_MADORIZU: return BARROW_SELECT;
  }
  return BARROW_NONE;
}

static int BarRowOfTool(int nToolId) {
  switch (nToolId) {
    case 1016: return BARROW_BANNER;
    case 1018: case 1020: return BARROW_RECT_BALLOON;
    case 1019: return BARROW_ROUNDRECT_BALLOON;
    case 1023: return BARROW_FLOORPLAN_PALETTE;
    case 1024: return BARROW_PERSPECTIVE_PALETTE;
    case 3002: return BARROW_SELECT;
    case 3004: case 3006: return BARROW_LINE_TOOL;
    case 3005: return BARROW_POLYGON;
    case 3007: return BARROW_RECT;
    case 3010: return BARROW_PIE;
    case 3012: return BARROW_ELLIPSE;
    case 3014: return BARROW_ROUNDRECT;
    case 3015: return BARROW_TEXT;
    case 3016: return BARROW_CHORD;
    case 3017: return BARROW_ARC;
    case 3018: return BARROW_LINETEXT;
  }
  return BARROW_NONE;
}

int ChooseBarRow(int nToolId, const BarChoiceItem* pItems, int nCount) {
  if (nToolId == TOOL_ZOOM) return BARROW_KEEP;
  if (nToolId == TOOL_SYMBOL || nToolId == TOOL_FAVORITE || nToolId == TOOL_SHAPE) return BARROW_SYMBOL_PALETTE;
  if (nCount == 1) return BarRowOfObject(pItems[0]);
  int r = 0;
  BOOL same = TRUE, hasSymbol = FALSE;
  if (nCount > 0) r = pItems[0].nClassCode;
  for (int i = 0; i < nCount; i++) {
    const int c = pItems[i].nClassCode;
    same = same && c == r;
    if (c == JVQ_OBJ_SYMBOL) {
      hasSymbol = TRUE;
      r = JVQ_OBJ_SYMBOL;
    }
  }
  if ((r & 4) && same)
    for (int i = 1; i < nCount; i++)
      if ((pItems[i].bOpen != FALSE) != (pItems[0].bOpen != FALSE)) same = FALSE;
  if (!same) return hasSymbol ? BARROW_SELECT : BARROW_MULTI;
  if (nCount > 0) {
    BarChoiceItem first = pItems[0];
    first.nClassCode = r;
    const int row = BarRowOfObject(first);
    if (row != BARROW_NONE) return row;
  }
  return BarRowOfTool(nToolId);
}

CString LineWidthText(int nWidth) {
  char buf[32];
  if (nWidth == 0)
    return "0mm";
  if (nWidth % 10 == 0)
    snprintf(buf, sizeof(buf), "%1.fmm", nWidth * 0.1);
  else
    snprintf(buf, sizeof(buf), "%.1fmm", nWidth * 0.1);
  return buf;
}

int ParseLineWidth(const char* pszText) { return (int)(atof(pszText ? pszText : "") * 10 + 0.05); }

int ShownAngle(int nStored) { return NormalizeAngle(nStored); }

BOOL TextHasNumber(const char* p) {
  if (p == NULL) return FALSE;
  while (*p == ' ' || *p == '\t') p++;
  if (*p == '+' || *p == '-') p++;
  if (*p == '.') p++;
  return *p >= '0' && *p <= '9';
}

BOOL StoredAngleFromText(const char* pszText, int* pStored) {
  if (!TextHasNumber(pszText)) return FALSE;
  const int v = (int)atof(pszText);
  // The objects keep 0..359; C's remainder leaves values above 720 negative.
  int a = (720 - v) % 360;
  if (a < 0) a += 360;
  *pStored = a;
  return TRUE;
}

static const int LineEndKinds[10] = {0, 1, 9, 2, 3, 4, 5, 6, 7, 8};

int LineEndIndexToKind(int nIndex) { return nIndex >= 0 && nIndex < 10 ? LineEndKinds[nIndex] : 0; }

int LineEndKindToIndex(int nKind) {
  for (int i = 0; i < 10; i++)
    if (LineEndKinds[i] == nKind) return i;
  return -1;
}

CString CornerText(int nRadius) {
  if (nRadius <= 0) return "";
  CString s;
  s.Format("%d", nRadius / 10);
  return s;
}

// The select bar's own copy of the standard sheets, in 0.1 mm, ended by (0, 0).
static const struct {
  const char* pszName;
  int cx, cy;
} StandardSheets[] = {
    {"A2(縦)", 4200, 5940}, {"A2(横)", 5940, 4200}, {"A3(縦)", 2970, 4200}, {"A3(横)", 4200, 2970},
    {"A4(縦)", 2100, 2970}, {"A4(横)", 2970, 2100}, {"B3(縦)", 3640, 5150}, {"B3(横)", 5150, 3640},
    {"B4(縦)", 2570, 3640}, {"B4(横)", 3640, 2570}, {"B5(縦)", 1820, 2570}, {"B5(横)", 2570, 1820},
    {NULL, 0, 0},
};

CString PaperSizeName(int nWidth, int nHeight) {
  for (int i = 0; StandardSheets[i].pszName; i++)
    if (StandardSheets[i].cx == nWidth && StandardSheets[i].cy == nHeight) return StandardSheets[i].pszName;
  return "ユーザー定義";
}

CString DocumentInfoText(int nWidth, int nHeight, const CString& strProperty, const CString& strClient) {
  CString s = "用紙サイズ：" + PaperSizeName(nWidth, nHeight) + "\r\n";
  if (!strProperty.IsEmpty()) s += "物件名：" + strProperty + "\r\n";
  if (!strClient.IsEmpty()) s += "施主名：" + strClient;
  return s;
}
