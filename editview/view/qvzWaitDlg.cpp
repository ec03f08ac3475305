#include "qvzWaitDlg.h"

#include "jvqGroupObject.h"

static qvzWaitDlg* theWaitDlg = NULL;

// Posted to the dialog a read has opened: reads take no messages, so it arrives once the read
// is over. Groups are also read outside a board (object files, the clipboard, the palettes),
// where nobody ends the read: without it the box stayed on the screen.
static const UINT WM_QVZ_READDONE = WM_APP + 0x470;

static void WaitProgress() {
  if (theWaitDlg == NULL) return;
  if (theWaitDlg->m_hWnd == NULL) {
    theWaitDlg->BeginRead();
    if (theWaitDlg->m_hWnd) theWaitDlg->PostMessage(WM_QVZ_READDONE);
  }
  theWaitDlg->Refresh();
}

BEGIN_MESSAGE_MAP(qvzWaitDlg, CDialog)
  ON_MESSAGE(WM_QVZ_READDONE, OnReadDone)
END_MESSAGE_MAP()

qvzWaitDlg::qvzWaitDlg(CWnd* pParent) : CDialog(IDD_QVZ_WAIT, pParent) {}

LRESULT qvzWaitDlg::OnReadDone(WPARAM, LPARAM) {
  EndRead();
  return 0;
}

BOOL qvzWaitDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  BeginWaitCursor();
  return TRUE;
}

void qvzWaitDlg::Refresh() {
  if (m_hWnd == NULL) return;
  if (::GetFocus() != m_hWnd) SetFocus();
  InvalidateRect(NULL, TRUE);
  UpdateWindow();
}

void qvzWaitDlg::BeginRead() {
  if (m_hWnd == NULL) Create(IDD_QVZ_WAIT, NULL);
}

void qvzWaitDlg::EndRead() {
  if (m_hWnd) DestroyWindow();
}

void qvzWaitDlg::Install(qvzWaitDlg* pDlg) {
  theWaitDlg = pDlg;
  theReadProgressProc = pDlg ? WaitProgress : NULL;
}
