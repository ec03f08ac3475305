// The application object of the dialog tests: message boxes are recorded, never shown
// (unless a test asks for the real ones), and helpers to run a script inside a modal loop.
#pragma once

#include "afxwin.h"
#include "afxwin_dlg.h"

#include "afxtest/ThreadPump.h"

#include <functional>
#include <string>
#include <vector>

class CDlgTestApp : public CWinApp {
 public:
  CDlgTestApp() : CWinApp("DlgTest") {}

  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override {
    m_messages.push_back(lpszPrompt != NULL ? lpszPrompt : "");
    if (m_bRealMessageBoxes) return CWinApp::DoMessageBox(lpszPrompt, nType, nIDPrompt);
    return IDOK;
  }

  std::vector<std::string> m_messages;
  BOOL m_bRealMessageBoxes = FALSE;
};

CDlgTestApp& TheApp();

// The colour at a point of a window's client area, as painted on the screen.
COLORREF ReadPixel(HWND hWnd, int x, int y);
