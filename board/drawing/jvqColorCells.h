// The colour grid of the colour pop-ups: its 40 colours, the cell a value opens on and the
// cell each arrow key moves to. Apart from any window.
#pragma once

#include "afx.h"

class jvqFill;

// The colour pickers' listener codes (WM_USER + 1001 to 1005, never sent as messages).
#define QVZM_COLORSELCHANGE 2025
#define QVZM_COLORDROPDOWN 2026
#define QVZM_COLORCLOSEUP 2027
#ifndef QVZM_COLORCHANGED
#define QVZM_COLORCHANGED 2028
#endif
#define QVZM_COLORCANCEL 2029

// Cells besides the colour cells 0 to 39.
#define COLORCELL_NONE (-1)
#define COLORCELL_TEXT (-2)
#define COLORCELL_CUSTOM (-3)

const int kColorCellCount = 40;
const int kColorCellColumns = 8;

struct jvqNamedColor {
  COLORREF crColor;
  const char* pszName;
};
extern const jvqNamedColor theColorCells[kColorCellCount];

// The cell a pop-up opens on for the value (NULL for no value).
int jvqInitialColorCell(const jvqFill* pValue, BOOL bCustomCell, BOOL bTextCell);
// The cell an arrow key (VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN) moves to from the cell.
int jvqMoveColorCell(UINT nKey, int nCell, BOOL bCustomCell, BOOL bTextCell);
