#include "qvzWaitDlg.h"

#include "jvqGroupObject.h"

static qvzWaitDlg* theWaitDlg = NULL;

static void WaitProgress() {
  if (theWaitDlg == NULL) return;
  if (theWaitDlg->m_hWnd == NULL) theWaitDlg->BeginRead();
  theWaitDlg->Refresh();
}

qvzWaitDlg::qvzWaitDlg(CWnd* pParent) : CDialog(IDD_QVZ_WAIT, pParent) {}

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
