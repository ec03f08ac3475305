// What the fill tests share: a plain dialog that hosts fill buttons and records what they
// tell it, and pixels read back from the screen.
#pragma once

#include <functional>
#include <vector>

#include "afxtest/ThreadPump.h"
#include "afxwin.h"

class CFillHostDlg : public CDialog {
 public:
  // A shown dialog at (100, 100) with owner-drawn buttons 732 and 733, 60 x 14 units each.
  BOOL CreateHost();
  std::vector<UINT> m_Changed;  // the control ids of QVZM_FILLCHANGED, in order

 protected:
  afx_msg LRESULT OnFillChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
  std::vector<WORD> m_Template;
};

// A pixel of a window's client area as the screen shows it, after pending painting.
COLORREF ScreenPixel(CWnd* pWnd, int x, int y);
// The texts of the message boxes the program showed, in order.
extern std::vector<CString> g_Messages;

// A library of n entries made in memory: entry i is a picture of 8 x 8 pixels, a colour of
// its own (RGB(i * 10, 100, 200)) or, for a pattern library, a black and white checker;
// entry nMissing has no picture, as when its file did not load.
class jvqImageFileList;
jvqImageFileList* NewTestLibrary(int n, bool bPattern, int nMissing = -1);
COLORREF TestTextureColor(int i);

// The stored record of a fill.
std::vector<BYTE> FillRecord(class jvqFill* pFill);

// Runs fn while the pop-up of the button is open (the click's modal loop), then clicks it.
class qvzFillButton;
class qvzFillPopupDlg;
void ClickButtonAndRun(qvzFillButton& button, std::function<void(qvzFillPopupDlg*)> fn);
