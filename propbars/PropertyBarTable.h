// The bar class and dialog template of every row of the property-bar table. Rows whose bar
// belongs to another area (text, titles, palettes) are filled by that area through
// RegisterPropertyBar and choose no bar until then.
#pragma once

#include "afxwin.h"

class CControlBar;

struct PropertyBarEntry {
  UINT nTemplateId;
  CRuntimeClass* pClass;
};

// 22 rows and a terminating row of zeros.
extern PropertyBarEntry PropertyBarTable[23];

void RegisterPropertyBar(int nRow, UINT nTemplateId, CRuntimeClass* pClass);
// The palette bar of row 19 learns the palette tool (1021, 1022, 3009) through this hook,
// set by the palettes.
typedef void (*qvzSetPaletteKindProc)(CControlBar* pBar, int nToolId);
extern qvzSetPaletteKindProc theSetPaletteKindProc;
