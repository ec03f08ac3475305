// The fill tests' application, host dialog and helpers.
#include <gtest/gtest.h>

#include "FillsTest.h"
#include "DibImage.h"
#include "jvqDrawingResources.h"
#include "jvqFill.h"
#include "jvqImageFileList.h"
#include "qvzFillButton.h"
#include "qvzFillPopupDlg.h"
#include "qvzFillTabCtrl.h"

namespace {

class FillsTestApp : public CWinApp {
 public:
  FillsTestApp() : CWinApp("FillsTest") {}
  int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override {
    g_Messages.push_back(lpszPrompt);
    return IDOK;
  }
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

std::vector<CString> g_Messages;

COLORREF TestTextureColor(int i) { return RGB(i * 10, 100, 200); }

jvqImageFileList* NewTestLibrary(int n, bool bPattern, int nMissing) {
  jvqImageFileList* pList = new jvqImageFileList;
  HDC hScreen = ::GetDC(NULL);
  for (int i = 0; i < n; i++) {
    CImageLibraryEntry* e = new CImageLibraryEntry(i + 1, "", "Z:\\no such folder\\none.bmp");
    e->m_nNumber = i + 1;
    e->m_strName.Format("見本%d", i);
    if (i != nMissing) {
      HDC hMem = ::CreateCompatibleDC(hScreen);
      HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 8, 8);
      HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
      for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
          ::SetPixel(hMem, x, y, bPattern ? (((x / 2 + y / 2) % 2) ? 0xFFFFFF : 0x000000) : TestTextureColor(i));
      ::SelectObject(hMem, hOld);
      ::DeleteDC(hMem);
      CDibImage* p = new CDibImage;
      if (p->CreateFromBitmap(hBitmap))
        e->m_pImage = p;
      else
        delete p;
      ::DeleteObject(hBitmap);
    }
    pList->Add(e);
  }
  ::ReleaseDC(NULL, hScreen);
  return pList;
}

std::vector<BYTE> FillRecord(jvqFill* pFill) {
  CMemFile file;
  EXPECT_TRUE(pFill->Store(&file, NULL));
  std::vector<BYTE> out(file.GetLength());
  file.SeekToBegin();
  if (!out.empty()) file.Read(out.data(), (UINT)out.size());
  return out;
}

BEGIN_MESSAGE_MAP(CFillHostDlg, CDialog)
  ON_MESSAGE(QVZM_FILLCHANGED, OnFillChanged)
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

COLORREF ScreenPixel(CWnd* pWnd, int x, int y) {
  pWnd->UpdateWindow();
  PumpPending();
  HDC hDC = ::GetDC(pWnd->m_hWnd);
  const COLORREF cr = ::GetPixel(hDC, x, y);
  ::ReleaseDC(pWnd->m_hWnd, hDC);
  return cr;
}

namespace {

// The modal loop shows the pop-up when it first goes idle: until then the timer comes back.
void RunWhenPopupShown(qvzFillButton& button, std::function<void(qvzFillPopupDlg*)> fn, int nTries) {
  RunWhenIdle([&button, fn, nTries] {
    qvzFillPopupDlg* p = button.GetPopup();
    if (nTries > 0 && (p == NULL || !::IsWindowVisible(p->m_hWnd))) {
      RunWhenPopupShown(button, fn, nTries - 1);
      return;
    }
    fn(p);
  });
}

}  // namespace

void ClickButtonAndRun(qvzFillButton& button, std::function<void(qvzFillPopupDlg*)> fn) {
  RunWhenPopupShown(button, fn, 100);
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
