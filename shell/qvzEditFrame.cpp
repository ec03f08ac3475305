#include "qvzEditFrame.h"

IMPLEMENT_DYNCREATE(qvzEditFrame, jvqFrameWnd)

BEGIN_MESSAGE_MAP(qvzEditFrame, jvqFrameWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

qvzEditFrame::qvzEditFrame() {
  m_nVertRulerId = 1002;
  m_nHorzRulerId = 1004;
  jvqSetViewHost(this);
}

qvzEditFrame::~qvzEditFrame() {
  if (jvqGetViewHost() == this) jvqSetViewHost(NULL);
}

int qvzEditFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
  if (!CreateRulers()) return -1;
  CWinApp* app = AfxGetApp();
  const BOOL bGuides = app ? app->GetProfileInt("Guide", "bVisible", 1) != 0 : TRUE;
  m_wndHorzRuler.m_bGuidesShown = m_wndVertRuler.m_bGuidesShown = bGuides;
  return 0;
}

int qvzEditFrame::MessageBox(LPCTSTR lpszText, UINT nType) { return AfxMessageBox(lpszText, nType); }
