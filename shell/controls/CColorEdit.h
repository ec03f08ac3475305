// An edit painted in the window colours instead of the dialog's (read-only text fields).
#pragma once

#include "afxwin.h"

class CColorEdit : public CEdit {
 public:
  CColorEdit();
  ~CColorEdit() override;

  // Read once at construction; an owner may replace all three.
  COLORREF m_crText;
  COLORREF m_crBack;
  CBrush m_brBack;

 protected:
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()
};
