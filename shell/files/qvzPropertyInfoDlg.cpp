#include "qvzPropertyInfoDlg.h"

#include "jvqDocument.h"
#include "jvqFileHeader.h"
#include "qvzDocument.h"
#include "resource.h"

const char* const qvzPropertyInfoDlg::s_FieldNames[10] = {
    "物件名",         "物件住所",         "施主名",       "施主連絡先1(tel)",   "施主連絡先2(tel)",
    "施主連絡先(携帯)", "施主連絡先(メール)", "営業担当者名", "プランナー担当者名", "備考"};

namespace {
// Edit control and character limit (0: none) of each field.
const struct {
  int nID;
  int nLimit;
} kFieldControls[10] = {{IDC_PI_NAME, 64},   {IDC_PI_ADDRESS, 256}, {IDC_PI_CLIENT, 64}, {IDC_PI_TEL, 32},
                        {IDC_PI_FAX, 32},    {IDC_PI_MOBILE, 0},    {IDC_PI_MAIL, 0},    {IDC_PI_SALES, 64},
                        {IDC_PI_PLANNER, 64}, {IDC_PI_REMARKS, 1024}};
const int kImeEdits[6] = {IDC_PI_NAME, IDC_PI_ADDRESS, IDC_PI_CLIENT, IDC_PI_SALES, IDC_PI_PLANNER, IDC_PI_REMARKS};
}  // namespace

qvzPropertyInfoDlg::qvzPropertyInfoDlg(CWnd* pParent) : CDialog(IDD_PROPERTY_INFO, pParent), m_pDocument(NULL) {}

BOOL qvzPropertyInfoDlg::OnInitDialog() {
  jvqFileHeader* h = m_pDocument ? m_pDocument->GetHeader() : NULL;
  for (int i = 0; i < 10; i++) {
    LPCTSTR v = h ? h->GetProperty(s_FieldNames[i]) : NULL;
    m_strFields[i] = v ? v : "";
  }
  m_strSaved = m_strFileName.IsEmpty() ? CString() : FormatFileTime(m_strFileName);
  for (int i = 0; i < 6; i++) m_wndImeEdits[i].SubclassDlgItem(kImeEdits[i], this);
  return CDialog::OnInitDialog();
}

void qvzPropertyInfoDlg::DoDataExchange(CDataExchange* pDX) {
  CString name = m_strFileName.IsEmpty() ? CString("新規ファイル") : m_strFileName;
  DDX_Text(pDX, IDC_PI_FILENAME, name);
  DDX_Text(pDX, IDC_PI_SAVED, m_strSaved);
  for (int i = 0; i < 10; i++) {
    DDX_Text(pDX, kFieldControls[i].nID, m_strFields[i]);
    if (kFieldControls[i].nLimit > 0) DDV_MaxChars(pDX, m_strFields[i], kFieldControls[i].nLimit);
  }
}

void qvzPropertyInfoDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (jvqFileHeader* h = m_pDocument ? m_pDocument->GetHeader() : NULL) {
    for (int i = 0; i < 10; i++) h->SetProperty(s_FieldNames[i], m_strFields[i]);
  }
  EndDialog(IDOK);
}
