// An edit that opens the input method while it has the focus and closes it after.
#pragma once

#include "afxwin.h"

class CImeEdit : public CEdit {
 public:
  CImeEdit() {}

 protected:
  afx_msg void OnSetFocusReflect();
  afx_msg void OnKillFocusReflect();
  DECLARE_MESSAGE_MAP()

 private:
  void SetImeOpen(BOOL bOpen);
};
