// What the control tests share: the application object, a frame to put controls in, and
// pixel helpers.
#pragma once

#include "afxext.h"

#include "afxtest/ThreadPump.h"

class CControlsTestApp : public CWinApp {
 public:
  CControlsTestApp() : CWinApp("ControlsTest") {}
  int DoMessageBox(LPCTSTR, UINT, UINT) override { return IDOK; }
};

// A plain frame window at a fixed place on the screen, shown.
CFrameWnd* NewTestFrame(LPCTSTR lpszTitle, const RECT& rect);
void DestroyTestFrame(CFrameWnd* pFrame);

// A pixel of a window's client area, after it has painted.
COLORREF ClientPixel(CWnd* pWnd, int x, int y);
// A window's rectangle in its parent's client coordinates.
CRect RectInParent(HWND hWnd);
struct ImageMenuItem;
// A new image-menu item (the menu takes it).
ImageMenuItem* NewMenuItem(const char* pszText, int nImage);

// Pumps for about nMillis milliseconds.
void PumpFor(DWORD nMillis);
