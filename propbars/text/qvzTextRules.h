// The arithmetic of the text and title bars and dialogs: style rules for the bold and
// italic buttons, the underline list, size boxes, the title preview grid and the title
// text. No window needed, so both builds test them.
#pragma once

#include "afx.h"

// Style: 1 regular, 2 italic, 3 bold, 4 bold italic. A bold or italic press turns the old
// style into the new one; an unknown style becomes regular.
int qvzBoldRule(int nStyle, BOOL bBold);
int qvzItalicRule(int nStyle, BOOL bItalic);
// The dialogs keep decoration as bits (2 bold, 4 italic); unknown styles have none.
int qvzStyleBits(int nStyle);
int qvzStyleFromBits(int nBits);

// The underline list of the detail dialog: item of a kind (0 "なし" for an unknown kind)
// and kind of an item (5 none for an item outside the list).
int qvzUnderlineItem(int nKind);
int qvzUnderlineKind(int nItem);

// The number a size box's text begins with ("12mm" reads 12, "abc" 0).
double qvzLeadingNumber(const char* psz);
// Size in 0.1 mm typed into a bar: the number x 10 + 0.05, truncated; never under 0.1 mm.
int qvzBarSizeFromText(const char* psz);
// Size typed into the detail dialog: truncated to the tenth, never under 0.1 mm; a text that
// is not a positive number keeps nOld.
int qvzDialogSizeFromText(const char* psz, int nOld);
// The exact size as the boxes show it: "10.5mm"; "0.1mm" for 0 or less.
CString qvzSizeText(int nHeight);

// The title dialog's preview grid: cell size and gaps for a group box of the given size,
// four columns by three rows horizontally, six by two vertically.
struct qvzTitleCells {
  int cx, cy, gapX, gapY;
};
qvzTitleCells qvzTitlePreviewCells(int nWidth, int nHeight, int cxVScroll, int cyHScroll, BOOL bHorizontal);

// A title's text trimmed of spaces, tabs and line breaks on both sides; FALSE when nothing
// is left.
BOOL qvzTrimTitleText(const char* psz, CString* pOut);
