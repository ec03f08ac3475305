// A user sheet size in millimetres (template 1049), each side from 50 to 2000.
#pragma once

#include "afxwin.h"

class qvzPaperSizeDlg : public CDialog {
 public:
  enum { IDD = 1049 };
  explicit qvzPaperSizeDlg(CWnd* pParent = NULL);

  int m_nWidth;
  int m_nHeight;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
