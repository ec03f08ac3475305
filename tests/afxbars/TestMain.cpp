// The tests' application object and their window helpers.
#include "BarsTestApp.h"

static CBarsTestApp theApp;

CBarsTestApp& TheApp() { return theApp; }

CRect RectInParent(HWND hWnd) {
  CRect rect;
  ::GetWindowRect(hWnd, &rect);
  ::MapWindowPoints(NULL, ::GetParent(hWnd), (POINT*)&rect, 2);
  return rect;
}
