// The print position adjustment (template 284): right and down offsets in whole millimetres.
#pragma once

#include "afxwin.h"

class qvzPrintOffsetDlg : public CDialog {
 public:
  enum { IDD = 284 };
  explicit qvzPrintOffsetDlg(CWnd* pParent = NULL) : CDialog(IDD, pParent) {}

  // Both in 0.1 mm; the dialog shows whole millimetres.
  void SetOffset(int nRight, int nDown);
  void GetOffset(int* pRight, int* pDown) const;

  CString m_strRight;
  CString m_strDown;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
