// An edit that hands its text to its parent (QVZM_EDITNOTIFY) on Enter and when it is left.
#pragma once

#include "afxwin.h"

class CNotifyEdit : public CEdit {
 public:
  CNotifyEdit() {}
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()

 private:
  void NotifyParent();
};
