// What the view's edit commands ask of the main frame: check marks on tool-bar buttons, the
// picture of the grid-snap button, and a dropped board opened.
#include "qvzMainFrame.h"
#include "qvzSelectToolBar.h"
#include "resource.h"

void qvzMainFrame::SetToolBarButtonCheck(CWnd* pBar, UINT nID, BOOL bCheck) {
  CDibToolBar* bar = DYNAMIC_DOWNCAST(CDibToolBar, pBar);
  if (bar == NULL && pBar) bar = DYNAMIC_DOWNCAST(CDibToolBar, pBar->GetParent());
  if (bar) bar->SetButtonState(nID, bCheck);
}

static HBITMAP LoadSnapBitmap(UINT nID) {
  return (HBITMAP)::LoadImage(AfxFindResourceHandle(MAKEINTRESOURCE(nID), RT_BITMAP), MAKEINTRESOURCE(nID),
                              IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE);
}

void qvzMainFrame::ShowSnapState(BOOL bOn) {
  if (m_wndStandardBar.m_hWnd == NULL || (m_wndStandardBar.GetButtonState(ID_GRID_SNAP) != 0) == (bOn != 0)) return;
  const UINT id = bOn ? 436 : 435;
  HBITMAP normal = LoadSnapBitmap(id), hot = LoadSnapBitmap(id), pressed = LoadSnapBitmap(id);
  if (!m_wndStandardBar.SetButtonBitmaps(ID_GRID_SNAP, normal, hot, pressed))
    for (HBITMAP h : {normal, hot, pressed})
      if (h) ::DeleteObject(h);
}

void qvzMainFrame::OpenBoard(LPCTSTR lpszPath) {
  if (CWinApp* app = AfxGetApp()) app->OpenDocumentFile(lpszPath);
}

void qvzMainFrame::ShowDocumentInfo() {
  if (qvzSelectToolBar* bar = GetSelectToolBar()) bar->ShowDocumentInfo(FALSE);
}
