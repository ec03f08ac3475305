#include "PropertyBarTable.h"

#include "qvzShapeBars.h"

PropertyBarEntry PropertyBarTable[23] = {
    {11700, RUNTIME_CLASS(qvzSelectToolBar)},
    {1170, RUNTIME_CLASS(qvzRectToolBar)},
    {1171, RUNTIME_CLASS(qvzPolygonToolBar)},
    {1025, RUNTIME_CLASS(qvzImageToolBar)},
    {771, RUNTIME_CLASS(qvzLineToolBar)},
    {1035, RUNTIME_CLASS(qvzOleToolBar)},
    {1034, RUNTIME_CLASS(qvzMultiToolBar)},
    {771, RUNTIME_CLASS(qvzLineToolBar)},
    {1041, RUNTIME_CLASS(qvzGroupToolBar)},
    {664, RUNTIME_CLASS(qvzRoundRectToolBar)},
    {675, RUNTIME_CLASS(qvzEllipseToolBar)},
    {251, RUNTIME_CLASS(qvzChordToolBar)},
    {242, NULL},  // text frames
    {1175, RUNTIME_CLASS(qvzPieToolBar)},
    {253, RUNTIME_CLASS(qvzArcToolBar)},
    {780, NULL},  // leader-line texts
    {275, RUNTIME_CLASS(qvzRectBalloonToolBar)},
    {281, RUNTIME_CLASS(qvzRoundRectBalloonToolBar)},
    {289, NULL},   // titles
    {337, NULL},   // shape, symbol and favourite palette
    {1336, NULL},  // floor-plan palette
    {1337, NULL},  // perspective palette
    {0, NULL},
};

qvzSetPaletteKindProc theSetPaletteKindProc = NULL;

void RegisterPropertyBar(int nRow, UINT nTemplateId, CRuntimeClass* pClass) {
  if (nRow < 0 || nRow >= 22) return;
  PropertyBarTable[nRow].nTemplateId = nTemplateId;
  PropertyBarTable[nRow].pClass = pClass;
}
