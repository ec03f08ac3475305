// The view's property information command and Save As reach the dialog through the host.
#include "qvzMainFrame.h"
#include "qvzPropertyInfoDlg.h"

BOOL qvzMainFrame::EditPropertyInfo(jvqDocument* pDoc, LPCTSTR lpszFileName) {
  qvzPropertyInfoDlg dlg(this);
  dlg.m_pDocument = pDoc;
  dlg.m_strFileName = lpszFileName ? lpszFileName : "";
  return dlg.DoModal() == IDOK;
}
