// The fill tests' application, host dialog and helpers.
#include <gtest/gtest.h>

#include "FillsTest.h"
#include "jvqDrawingResources.h"
#include "qvzFillButton.h"
#include "qvzFillPopupDlg.h"
#include "qvzFillTabCtrl.h"

namespace {

class FillsTestApp : public CWinApp {
 public:
  FillsTestApp() : CWinApp("FillsTest") {}
  int DoMessageBox(LPCTSTR, UINT, UINT) override { return IDOK; }
};
FillsTestApp theApp;

// A dialog template: no caption, two owner-drawn buttons.
std::vector<WORD> HostTemplate() {
  std::vector<WORD> t(128, 0);
  DLGTEMPLATE* d = (DLGTEMPLATE*)t.data();
  d->style = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_SETFONT;
  d->cdit = 2;
  d->cx = 200;
  d->cy = 80;
  size_t at = sizeof(DLGTEMPLATE) / 2;
  t[at++] = 0;  // menu
  t[at++] = 0;  // class
  t[at++] = 0;  // title
  t[at++] = 9;  // font size
  for (const char* f = "MS Shell Dlg";; f++) {
    t[at++] = (WORD)(BYTE)*f;
    if (!*f) break;
  }
  for (int i = 0; i < 2; i++) {
    if (at % 2) at++;  // DWORD alignment
    DLGITEMTEMPLATE* item = (DLGITEMTEMPLATE*)&t[at];
    item->style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
    item->x = 10;
    item->y = (short)(10 + 30 * i);
    item->cx = 60;
    item->cy = 14;
    item->id = (WORD)(732 + i);
    at += sizeof(DLGITEMTEMPLATE) / 2;
    t[at++] = 0xFFFF;
    t[at++] = 0x0080;  // Button
    t[at++] = 0;       // no text
    t[at++] = 0;       // no creation data
  }
  t.resize(at + 4);
  return t;
}

}  // namespace

BEGIN_MESSAGE_MAP(CFillHostDlg, CDialog)
  ON_MESSAGE(QVZM_FILLCHANGED, OnFillChanged)
  ON_MESSAGE(QVZM_FILLPAGECHANGED, OnFillPageChanged)
END_MESSAGE_MAP()

BOOL CFillHostDlg::CreateHost() {
  m_Template = HostTemplate();
  if (!CreateIndirect((LPCDLGTEMPLATE)m_Template.data(), NULL)) return FALSE;
  SetWindowPos(NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PumpPending();
  return TRUE;
}

LRESULT CFillHostDlg::OnFillChanged(WPARAM wParam, LPARAM) {
  m_Changed.push_back((UINT)wParam);
  return 0;
}

LRESULT CFillHostDlg::OnFillPageChanged(WPARAM wParam, LPARAM) {
  m_PageChanged.push_back((UINT)wParam);
  return 0;
}

COLORREF ScreenPixel(CWnd* pWnd, int x, int y) {
  pWnd->UpdateWindow();
  PumpPending();
  HDC hDC = ::GetDC(pWnd->m_hWnd);
  const COLORREF cr = ::GetPixel(hDC, x, y);
  ::ReleaseDC(pWnd->m_hWnd, hDC);
  return cr;
}

void ClickButtonAndRun(qvzFillButton& button, std::function<void(qvzFillPopupDlg*)> fn) {
  RunWhenIdle([&button, fn] {
    PumpUntil([&] { return button.GetPopup() && ::IsWindowVisible(button.GetPopup()->m_hWnd); });
    fn(button.GetPopup());
  });
  button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpPending();
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  AfxGetApp()->InitApplication();
  theDrawingResources.Init();
  return RUN_ALL_TESTS();
}
