// Draws a bitmap whose top-right pixel's colour is transparent.
#pragma once

#include "afxwin.h"

void DrawTransparent(CDC* pDC, HBITMAP hBitmap, int x, int y);
