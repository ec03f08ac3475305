// Test entry of the control tests: the framework as WinMain starts it, and COM for the shell.
#include <gtest/gtest.h>

#include <string.h>

#include "CImageMenu.h"
#include "ControlsTest.h"

static CControlsTestApp theApp;

CFrameWnd* NewTestFrame(LPCTSTR lpszTitle, const RECT& rect) {
  CFrameWnd* pFrame = new CFrameWnd;
  if (!pFrame->Create(NULL, lpszTitle, WS_OVERLAPPEDWINDOW, rect)) {
    delete pFrame;
    return NULL;
  }
  pFrame->ShowWindow(SW_SHOW);
  pFrame->UpdateWindow();
  PumpPending();
  return pFrame;
}

void DestroyTestFrame(CFrameWnd* pFrame) {
  if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd)) pFrame->DestroyWindow();
  PumpPending();
}

COLORREF ClientPixel(CWnd* pWnd, int x, int y) {
  pWnd->UpdateWindow();
  HDC hDC = ::GetDC(pWnd->m_hWnd);
  COLORREF cr = ::GetPixel(hDC, x, y);
  ::ReleaseDC(pWnd->m_hWnd, hDC);
  return cr;
}

CRect RectInParent(HWND hWnd) {
  CRect rect;
  ::GetWindowRect(hWnd, &rect);
  ::MapWindowPoints(NULL, ::GetParent(hWnd), (POINT*)&rect, 2);
  return rect;
}

void PumpFor(DWORD nMillis) {
  DWORD nStart = ::GetTickCount();
  while (::GetTickCount() - nStart < nMillis) {
    PumpPending();
    ::Sleep(5);
  }
}

ImageMenuItem* NewMenuItem(const char* pszText, int nImage) {
  ImageMenuItem* p = new ImageMenuItem;
  memset(p, 0, sizeof *p);
  lstrcpynA(p->szText, pszText, sizeof p->szText);
  p->nImage = nImage;
  return p;
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::CoInitialize(NULL);
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  AfxGetApp()->InitApplication();
  int nResult = RUN_ALL_TESTS();
  ::CoUninitialize();
  return nResult;
}
