// The About box: the program's version and date from its own file.
#pragma once

#include "CColorEdit.h"
#include "afxwin.h"

class qvzAboutDlg : public CDialog {
 public:
  qvzAboutDlg();
  BOOL OnInitDialog() override;
  // The text of the information box for a program file.
  static CString MakeInfoText(LPCTSTR lpszProgramPath);

  CColorEdit m_wndInfo;
};
