// "ひな型を元に作成": the sheet that chooses a sample template with its sheet size, or a
// template of the user's own.
#pragma once

#include "qvzTemplatePages.h"

class qvzTemplateDialog : public CPropertySheet {
 public:
  qvzTemplateDialog(LPCTSTR lpszCaption, CWnd* pParent = NULL, UINT iSelectPage = 0);

  int DoModal() override;

  qvzDefaultTempPage m_DefaultPage;
  qvzCustomTempPage m_CustomPage;
  qvzTemplateGridPage* m_pActivePage;
  // The choice, after IDOK.
  CString m_strPath;
  int m_nSheetWidth, m_nSheetHeight;
  CString m_strDescription;

  // The page active at the last OK, for the next run.
  static int s_nLastPage;
};

// The template folders: the program folder (ending in a backslash) + "ひな型", and the
// samples for a sheet's orientation.
CString TemplateFolder();
CString SampleTemplateFolder(int nWidth, int nHeight);
