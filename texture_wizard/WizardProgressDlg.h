// A small modeless dialog that shows what the wizard is doing and, given a total, a bar;
// while it is up the window that was active stays disabled.
#pragma once

#include "Patinor.h"

#include <afxcmn.h>

enum : UINT {
    IDD_WIZARD_PROGRESS = 146,
    IDC_PROGRESS_BAR = 1088,
    IDC_PROGRESS_TEXT = 1089,
};

class PATINOR_API CWizardProgressDlg : public CDialog
{
public:
    explicit CWizardProgressDlg(CWnd* pParent = NULL);

    // Creates the dialog modeless from template 146 (set the text and total first).
    BOOL CreateModeless();
    void Step();
    // Dispatches one waiting message of any window; TRUE when there was one.
    static BOOL PumpOne();

    CStatic m_text;
    CProgressCtrl m_bar;
    CString m_strText;
    HWND m_hOwner;
    int m_nStep;
    int m_nTotal;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override {}
    void OnOK() override {}
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
