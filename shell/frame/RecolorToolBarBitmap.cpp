#include "RecolorToolBarBitmap.h"

int ToolBarGrey(int r, int g, int b) { return (int)(0.30 * r + 0.59 * g + 0.11 * b); }

void RecolorToolBarPixels(BYTE* p, int nPixels, BOOL bKeepColors, COLORREF crFace) {
  for (int i = 0; i < nPixels; i++, p += 3) {
    if (p[0] == 192 && p[1] == 192 && p[2] == 192) {
      p[0] = GetBValue(crFace);
      p[1] = GetGValue(crFace);
      p[2] = GetRValue(crFace);
    } else if (!bKeepColors) {
      const BYTE v = (BYTE)ToolBarGrey(p[2], p[1], p[0]);
      p[0] = p[1] = p[2] = v;
    }
  }
}
