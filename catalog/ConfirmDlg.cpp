#include "ConfirmDlg.h"

#include "resource.h"

CConfirmDlg::CConfirmDlg(CWnd* parent) : CDialog(IDD_CONFIRM, parent) {}

void CConfirmDlg::SetTexts(LPCTSTR message, LPCTSTR caption)
{
    m_strMessage = message;
    m_strCaption = caption;
}

BOOL CConfirmDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_strCaption);
    SetDlgItemText(IDC_CONFIRM_TEXT, m_strMessage);
    return TRUE;
}
