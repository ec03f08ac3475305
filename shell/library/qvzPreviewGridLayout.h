// Where the cells of a thumbnail grid go: as many columns as whole cell pitches fit the
// window (at least one), rows filled left to right, the scroll size from the last row.
#pragma once

struct qvzPreviewGridLayout {
  int nColumns;
  int nRows;
  int nScrollWidth;
  int nScrollHeight;
};

// The grid of nCount cells of nCellWidth x nCellHeight with the gaps, in a client area
// nClientWidth wide. No cells: all zero.
qvzPreviewGridLayout CalcPreviewGrid(int nCount, int nCellWidth, int nCellHeight, int nHorzGap, int nVertGap,
                                     int nClientWidth);
// The top-left corner of cell nIndex in that grid.
void PreviewCellOrigin(const qvzPreviewGridLayout& grid, int nIndex, int nCellWidth, int nCellHeight, int nHorzGap,
                       int nVertGap, int* pLeft, int* pTop);
// The side of the square picture above a label band of nLabelHeight in a cell.
int PreviewPictureSide(int nCellWidth, int nCellHeight, int nLabelHeight);
