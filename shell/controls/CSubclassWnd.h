// The base of window hooks: a hooked window, its previous procedure and the next hook of a
// chain. Messages pass to the next hook, or to the previous procedure.
#pragma once

#include "afxwin.h"

class CSubclassWnd : public CWnd {
  DECLARE_DYNAMIC(CSubclassWnd)
 public:
  CSubclassWnd();
  ~CSubclassWnd() override;

  HWND m_hWndHooked;
  WNDPROC m_pOldWndProc;
  CSubclassWnd* m_pNext;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
