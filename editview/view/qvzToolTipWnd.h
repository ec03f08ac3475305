// A small borderless label on the pale information colour, sized to its text; the select
// tool shows the scale of a floor plan in it while resizing.
#pragma once

#include "afxwin.h"

class qvzToolTipWnd : public CWnd {
 public:
  qvzToolTipWnd() {}
  ~qvzToolTipWnd() override;
  virtual BOOL Create(CWnd* pParent, int x, int y, const char* lpszText, DWORD dwStyle, UINT nId);
  void SetText(const char* lpszText);
  CString m_strText;
  // Whether the window class has been registered in this run.
  static BOOL s_bRegistered;

 protected:
  static SIZE MeasureText(const char* lpszText);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};
