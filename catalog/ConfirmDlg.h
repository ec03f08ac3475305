// A yes/no question with a caption and a message set by the caller.
#pragma once

#include <afxwin.h>

class CConfirmDlg : public CDialog {
public:
    explicit CConfirmDlg(CWnd* parent = nullptr);
    void SetTexts(LPCTSTR message, LPCTSTR caption);

protected:
    BOOL OnInitDialog() override;
    CString m_strMessage;
    CString m_strCaption;
};
