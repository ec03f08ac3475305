#include "jvqTiling.h"

#ifdef _WIN32
#include "Dib.h"
#include "afxwin.h"
#endif

int jvqTileCount(int nLength, int nTile) {
  if (nLength <= 0 || nTile <= 0) return 0;
  return (nLength + nTile - 1) / nTile;
}

#ifdef _WIN32

void jvqTileScaleRatio(CDC* pDC, double* pRatioX, double* pRatioY) {
  *pRatioX = *pRatioY = 1.0;
  const int nMode = pDC->GetMapMode();
  if (nMode != MM_LOMETRIC && nMode != MM_ANISOTROPIC) return;
  CDC display;
  if (!display.CreateDC("DISPLAY", NULL, NULL, NULL)) return;
  CSize screen(100000, 100000);
  display.HIMETRICtoDP(&screen);
  CSize target(10000, 10000);
  pDC->LPtoDP(&target);
  if (target.cx != 0) *pRatioX = (double)screen.cx / target.cx;
  if (target.cy != 0) *pRatioY = (double)screen.cy / target.cy;
}

void jvqTileDib(CDC* pDC, CDib* pDib, const RECT& box, int tw, int th) {
  if (pDib == NULL || pDib->IsEmpty()) return;
  const int cols = jvqTileCount(box.right - box.left, tw);
  const int rows = jvqTileCount(box.bottom - box.top, th);
  CRect src(0, 0, pDib->GetWidth(), pDib->GetHeight());
  for (int r = 0; r < rows; r++) {
    for (int c = 0; c < cols; c++) {
      CRect dest(box.left + c * tw, box.top + r * th, box.left + c * tw + tw, box.top + r * th + th);
      pDib->Draw(pDC, dest, src, NULL);
    }
  }
}

#endif
