// The application object of the bar, splitter, sheet and printing tests: message boxes are
// recorded, never shown; helpers pump the thread as its message loop would.
#pragma once

#include "afxext.h"

#include "afxtest/ThreadPump.h"

#include <functional>
#include <string>
#include <vector>

class CBarsTestApp : public CWinApp {
 public:
  CBarsTestApp() : CWinApp("BarsTest") {}

  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override {
    m_messages.push_back(lpszPrompt != NULL ? lpszPrompt : "");
    return IDOK;
  }

  std::vector<std::string> m_messages;
};

CBarsTestApp& TheApp();

// A window's rectangle in its parent's client coordinates.
CRect RectInParent(HWND hWnd);
