// The arithmetic of the property bars, without windows: which bar a selection or a tool
// gets, the texts the bars show and how they read typed values back.
#pragma once

#include "afx.h"

// Rows of the property-bar table.
enum {
  BARROW_SELECT = 0,
  BARROW_RECT = 1,
  BARROW_POLYGON = 2,
  BARROW_IMAGE = 3,
  BARROW_LINE_TOOL = 4,
  BARROW_OLE = 5,
  BARROW_MULTI = 6,
  BARROW_LINE = 7,
  BARROW_GROUP = 8,
  BARROW_ROUNDRECT = 9,
  BARROW_ELLIPSE = 10,
  BARROW_CHORD = 11,
  BARROW_TEXT = 12,
  BARROW_PIE = 13,
  BARROW_ARC = 14,
  BARROW_LINETEXT = 15,
  BARROW_RECT_BALLOON = 16,
  BARROW_ROUNDRECT_BALLOON = 17,
  BARROW_BANNER = 18,
  BARROW_SYMBOL_PALETTE = 19,
  BARROW_FLOORPLAN_PALETTE = 20,
  BARROW_PERSPECTIVE_PALETTE = 21,
  BARROW_COUNT = 22
};
// ChooseBarRow's answers that name no row.
#define BARROW_NONE (-1)
#define BARROW_KEEP (-2)

// What the bar choice needs of one selected object.
struct BarChoiceItem {
  int nClassCode;
  BOOL bOpen;      // polylines: open; others: ignored
  int nBodyCode;   // balloons: the class code of the body shape
};

// The row for the view's tool and its selection (in selection order); BARROW_KEEP while
// the zoom tool is current, BARROW_NONE when no bar fits.
int ChooseBarRow(int nToolId, const BarChoiceItem* pItems, int nCount);
// The row of a single object of that class code, or BARROW_NONE.
int BarRowOfObject(const BarChoiceItem& item);

// Line widths in 0.1 mm: "0mm", "2mm", "0.5mm"; typed texts ("1.25mm") back to 0.1 mm.
CString LineWidthText(int nWidth);
int ParseLineWidth(const char* pszText);

// Angles run the other way in the bars: shown = (720 - stored) mod 360.
int ShownAngle(int nStored);
// A typed or picked angle text to the stored angle in 0..359; FALSE for a text that is no
// number.
BOOL StoredAngleFromText(const char* pszText, int* pStored);
// Whether the text starts with a number (sign, digits, point) as atof would read one.
BOOL TextHasNumber(const char* pszText);

// Line-end items of the combo boxes and the kinds they stand for; -1 for an unknown kind.
int LineEndIndexToKind(int nIndex);
int LineEndKindToIndex(int nKind);

// Corner radius (0.1 mm) as whole millimetres; "" for an unset radius (not above 0).
CString CornerText(int nRadius);

// The paper name of a page size in 0.1 mm: a standard sheet's or "ユーザー定義".
CString PaperSizeName(int nWidth, int nHeight);
// The select bar's information text.
CString DocumentInfoText(int nWidth, int nHeight, const CString& strProperty, const CString& strClient);
