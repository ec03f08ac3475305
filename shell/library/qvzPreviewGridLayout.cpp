#include "qvzPreviewGridLayout.h"

qvzPreviewGridLayout CalcPreviewGrid(int nCount, int nCellWidth, int nCellHeight, int nHorzGap, int nVertGap,
                                     int nClientWidth) {
  qvzPreviewGridLayout g = {0, 0, 0, 0};
  if (nCount <= 0) return g;
  const int pitchX = nCellWidth + nHorzGap, pitchY = nCellHeight + nVertGap;
  g.nColumns = pitchX > 0 ? nClientWidth / pitchX : 1;
  if (g.nColumns < 1) g.nColumns = 1;
  g.nRows = (nCount + g.nColumns - 1) / g.nColumns;
  const int inLastRow = nCount - (g.nRows - 1) * g.nColumns;
  g.nScrollWidth = nHorzGap + inLastRow * pitchX;
  g.nScrollHeight = g.nRows * pitchY + 2 * nVertGap;
  return g;
}

void PreviewCellOrigin(const qvzPreviewGridLayout& grid, int nIndex, int nCellWidth, int nCellHeight, int nHorzGap,
                       int nVertGap, int* pLeft, int* pTop) {
  const int columns = grid.nColumns > 0 ? grid.nColumns : 1;
  *pLeft = nHorzGap + (nIndex % columns) * (nCellWidth + nHorzGap);
  *pTop = nVertGap + (nIndex / columns) * (nCellHeight + nVertGap);
}

int PreviewPictureSide(int nCellWidth, int nCellHeight, int nLabelHeight) {
  const int h = nCellHeight - nLabelHeight;
  return nCellWidth < h ? nCellWidth : h;
}
