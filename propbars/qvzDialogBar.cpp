#include "qvzDialogBar.h"

#include "jvqDrawingResources.h"
#include "qvzPropertyBarManager.h"

IMPLEMENT_DYNCREATE(qvzDialogBar, CDialogBar)

BEGIN_MESSAGE_MAP(qvzDialogBar, CDialogBar)
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

qvzDialogBar::qvzDialogBar() : m_bFirstShow(1), m_nHandlerDepth(0), m_bRetired(FALSE) {}

LRESULT qvzDialogBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == QVZM_RETIREDBAR) {
    if (m_bRetired && m_nHandlerDepth == 0) {
      if (g_pPropertyBarManager)
        g_pPropertyBarManager->DeleteRetiredBar(this);
      else
        PostMessage(QVZM_RETIREDBAR);
    }
    return 0;
  }
  m_nHandlerDepth++;
  const LRESULT r = CDialogBar::WindowProc(message, wParam, lParam);
  m_nHandlerDepth--;
  // Replaced while a handler ran: asks for its deletion once the outermost one is done.
  if (m_bRetired && m_nHandlerDepth == 0 && m_hWnd) PostMessage(QVZM_RETIREDBAR);
  return r;
}

void qvzDialogBar::OnInitialShow() {
  SendMessage(WM_SETFONT, (WPARAM)theDefaultGuiFont.GetSafeHandle(), TRUE);
  Refresh();
}

void qvzDialogBar::Refresh() {
  if (m_hWnd) Invalidate(TRUE);
}

void qvzDialogBar::OnShowWindow(BOOL bShow, UINT nStatus) {
  Default();
  if (bShow && m_bFirstShow) {
    OnInitialShow();
    m_bFirstShow = 0;
  }
}
