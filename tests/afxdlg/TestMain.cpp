// The tests' application object and their window helpers.
#include "DlgTestApp.h"

static CDlgTestApp theApp;

CDlgTestApp& TheApp() { return theApp; }

COLORREF ReadPixel(HWND hWnd, int x, int y) {
  ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  HDC hDC = ::GetDC(hWnd);
  COLORREF cr = ::GetPixel(hDC, x, y);
  ::ReleaseDC(hWnd, hDC);
  return cr;
}
