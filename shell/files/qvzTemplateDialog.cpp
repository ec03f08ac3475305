#include "qvzTemplateDialog.h"

#include "qvzApp.h"

int qvzTemplateDialog::s_nLastPage = 0;

CString TemplateFolder() { return theQvzApp()->m_strAppFolder + "ひな型"; }

CString SampleTemplateFolder(int nWidth, int nHeight) {
  return theQvzApp()->m_strAppFolder + "ひな型\\サンプル" + (nHeight < nWidth ? "\\横" : "\\縦");
}

qvzTemplateDialog::qvzTemplateDialog(LPCTSTR lpszCaption, CWnd* pParent, UINT iSelectPage)
    : CPropertySheet(lpszCaption, pParent, iSelectPage), m_pActivePage(NULL), m_nSheetWidth(0), m_nSheetHeight(0) {
  AddPage(&m_DefaultPage);
  AddPage(&m_CustomPage);
  m_DefaultPage.m_pSheet = this;
  m_CustomPage.m_pSheet = this;
  m_psh.nStartPage = (UINT)s_nLastPage;
}

int qvzTemplateDialog::DoModal() {
  const int n = CPropertySheet::DoModal();
  if (n != IDOK) return n;
  if (m_pActivePage == &m_DefaultPage || m_pActivePage == NULL) {
    m_strPath = m_DefaultPage.m_strSelectedPath;
    m_nSheetWidth = m_DefaultPage.m_nSheetWidth;
    m_nSheetHeight = m_DefaultPage.m_nSheetHeight;
    m_strDescription = m_DefaultPage.m_strDescriptionOut;
    s_nLastPage = 0;
  } else {
    m_strPath = m_CustomPage.m_strSelectedPath;
    m_nSheetWidth = m_nSheetHeight = 0;
    m_strDescription = m_CustomPage.m_strDescriptionOut;
    s_nLastPage = 1;
  }
  return n;
}
