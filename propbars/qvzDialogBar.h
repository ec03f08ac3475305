// The base of every property bar: a dialog bar that brings its controls up to date the
// first time it is shown.
#pragma once

#include "afxext.h"

// Posted to a replaced bar: delete yourself now that your handler has returned.
#define QVZM_RETIREDBAR (WM_APP + 44)

class qvzDialogBar : public CDialogBar {
  DECLARE_DYNCREATE(qvzDialogBar)
 public:
  qvzDialogBar();

  virtual void OnInitialShow();
  virtual void Refresh();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  int m_bFirstShow;
  // How deep the bar is in its own message handlers; a bar replaced from inside one of
  // them (m_bRetired) is deleted once the outermost has returned.
  int m_nHandlerDepth;
  BOOL m_bRetired;

 protected:
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()
};
