// Tool-bar pictures keep 192-grey as their background: it becomes the button face, and a
// disabled picture turns grey.
#pragma once

#include "afx.h"

// Recolours nPixels 24-bit pixels (blue, green, red) in place.
void RecolorToolBarPixels(BYTE* pBits, int nPixels, BOOL bKeepColors, COLORREF crFace);
// The grey value of a colour: (int)(0.30 red + 0.59 green + 0.11 blue).
int ToolBarGrey(int r, int g, int b);
