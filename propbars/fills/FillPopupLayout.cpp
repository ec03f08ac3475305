#include "FillPopupLayout.h"

#include <algorithm>

#include "jvqColorCells.h"
#include "jvqFill.h"

#ifndef SB_LINEUP
#define SB_LINEUP 0
#define SB_LINEDOWN 1
#define SB_PAGEUP 2
#define SB_PAGEDOWN 3
#define SB_THUMBPOSITION 4
#endif

int ChooseFillTab(BOOL bHasFill, DWORD dwFlags, BOOL bImageVariant, BOOL bHasFilePath) {
  if (!bHasFill || (dwFlags & FILL_SOLID)) return FILLTAB_COLOR;
  if (dwFlags & FILL_GRADIENT) return FILLTAB_GRADIENT;
  if (dwFlags & FILL_TEXTURE) return bImageVariant && bHasFilePath ? FILLTAB_FILE : FILLTAB_TEXTURE;
  if (dwFlags & FILL_PATTERN) return FILLTAB_PATTERN;
  return FILLTAB_NONE;
}

POINT PlaceFillPopup(const RECT& rcButton, SIZE popup, SIZE screen) {
  POINT pt = {rcButton.left, rcButton.bottom};
  if (pt.x + popup.cx > screen.cx) pt.x = screen.cx - popup.cx;
  if (pt.y + popup.cy > screen.cy) pt.y = rcButton.top - popup.cy;
  return pt;
}

namespace {

struct PaletteGrid {
  int gx, gy, bottom, buttonHeight;
};

PaletteGrid PaletteGridOf(const RECT& rc, SIZE szCaption) {
  PaletteGrid g;
  g.buttonHeight = std::max(24, (int)szCaption.cy + 4);
  g.gx = (rc.right - kPaletteColumns * kPaletteCell - rc.left) / (kPaletteColumns + 1);
  g.bottom = rc.bottom - (g.buttonHeight + 4);
  g.gy = (g.bottom - kPaletteRows * kPaletteCell - rc.top) / (kPaletteRows + 2);
  return g;
}

}  // namespace

RECT PaletteCellRect(const RECT& rcClient, SIZE szCaption, int nRow, int nColumn) {
  if (nRow < 0 && nColumn < 0) return PaletteOtherColorsRect(rcClient, szCaption);
  const PaletteGrid g = PaletteGridOf(rcClient, szCaption);
  const int left = g.gx * (nColumn + 1) + kPaletteCell * nColumn;
  const int top = g.gy * (nRow + 1) + kPaletteCell * nRow;
  return RECT{left, top, left + kPaletteCell, top + kPaletteCell};
}

RECT PaletteOtherColorsRect(const RECT& rcClient, SIZE szCaption) {
  const PaletteGrid g = PaletteGridOf(rcClient, szCaption);
  const int top = g.bottom - g.gy + 4;
  const int left = rcClient.left + (rcClient.right - rcClient.left) / 4 - (szCaption.cx + 50) / 2;
  return RECT{left, top, left + szCaption.cx + 50, top + g.buttonHeight};
}

RECT PaletteTransparentRect(const RECT& rcClient, SIZE szCaption) {
  RECT rc = PaletteOtherColorsRect(rcClient, szCaption);
  const int w = rc.right - rc.left;
  return RECT{rc.left + w, rc.top, rc.right + w, rc.bottom};
}

BOOL FindPaletteColor(COLORREF crColor, int* pRow, int* pColumn) {
  for (int i = 0; i < kColorCellCount; i++) {
    if (theColorCells[i].crColor == crColor) {
      *pRow = i / kPaletteColumns;
      *pColumn = i % kPaletteColumns;
      return TRUE;
    }
  }
  *pRow = *pColumn = -1;
  return FALSE;
}

RECT SampleCellRect(const RECT& rcClient, int nRow, int nColumn) {
  const int right = rcClient.right - 20, bottom = rcClient.bottom - 20;
  const int gx = (right - kSampleColumns * kSampleCell - rcClient.left) / (kSampleColumns + 1);
  const int gy = (bottom - kSampleRows * kSampleCell - rcClient.top) / 4;
  const int left = gx * (nColumn + 1) + kSampleCell * nColumn;
  const int top = gy * (nRow + 1) + kSampleCell * nRow;
  return RECT{left, top, left + kSampleCell, top + kSampleCell};
}

int SamplePageCount(int nEntries) { return nEntries <= 0 ? 0 : (nEntries + kSamplesPerPage - 1) / kSamplesPerPage; }

int SamplePageOf(int nIndex) { return nIndex < 0 ? 0 : nIndex / kSamplesPerPage; }

int SampleCellOf(int nIndex) { return nIndex < 0 ? -1 : nIndex % kSamplesPerPage; }

int SampleScrollTarget(int nCode, int nPos, int nThumb, int nPages) {
  switch (nCode) {
    case SB_LINEUP:
    case SB_PAGEUP:
      // Above the first page the first page is shown again.
      return std::max(nPos - 1, 0);
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
      return nPos + 1 < nPages ? nPos + 1 : -1;
    case SB_THUMBPOSITION:
      return nThumb >= 0 && nThumb < nPages ? nThumb : -1;
  }
  return -1;
}
