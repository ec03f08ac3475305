// The application object of the bar, splitter, sheet and printing tests: message boxes are
// recorded, never shown; helpers pump the thread as its message loop would.
#pragma once

#include "afxext.h"

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

// Dispatches what is queued, then runs idle time (bars update there).
void PumpPending();

template <class Pred>
bool PumpUntil(Pred pred) {
  for (int i = 0; i < 300 && !pred(); i++) {
    PumpPending();
    ::Sleep(10);
  }
  return pred();
}

// Runs fn from a thread timer: the way the tests drive a modal loop.
void RunWhenIdle(std::function<void()> fn, UINT nDelay = 50);

// A window's rectangle in its parent's client coordinates.
CRect RectInParent(HWND hWnd);
