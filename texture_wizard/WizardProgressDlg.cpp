#include "WizardProgressDlg.h"

BEGIN_MESSAGE_MAP(CWizardProgressDlg, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CWizardProgressDlg::CWizardProgressDlg(CWnd* pParent)
    : CDialog(IDD_WIZARD_PROGRESS, pParent), m_hOwner(NULL), m_nStep(0), m_nTotal(-1)
{
}

BOOL CWizardProgressDlg::CreateModeless()
{
    CWizardResourceScope scope;
    return Create(IDD_WIZARD_PROGRESS, m_pParentWnd);
}

BOOL CWizardProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND active = ::GetActiveWindow();
    if (active != NULL && active != m_hWnd) {
        CenterWindow(CWnd::FromHandle(active));
        ::UpdateWindow(active);
        ::EnableWindow(active, FALSE);
        m_hOwner = active;
    }
    HICON big = ::LoadIcon(GetPatinorModule(), MAKEINTRESOURCE(141));
    HICON small = static_cast<HICON>(::LoadImage(GetPatinorModule(), MAKEINTRESOURCE(141), IMAGE_ICON, 16, 16, 0));
    SetIcon(big, TRUE);
    SetIcon(small != NULL ? small : big, FALSE);
    m_text.SubclassDlgItem(IDC_PROGRESS_TEXT, this);
    m_bar.SubclassDlgItem(IDC_PROGRESS_BAR, this);
    m_text.SetWindowText(m_strText);
    if (m_nTotal >= 0) {
        m_bar.SetRange32(0, m_nTotal - 1);
        m_bar.ShowWindow(SW_SHOW);
    }
    UpdateWindow();
    return TRUE;
}

void CWizardProgressDlg::Step()
{
    ++m_nStep;
    if (m_bar.m_hWnd != NULL)
        m_bar.SetPos(m_nStep);
}

BOOL CWizardProgressDlg::PumpOne()
{
    MSG msg;
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        return FALSE;
    if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return FALSE;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
    return TRUE;
}

void CWizardProgressDlg::OnDestroy()
{
    CDialog::OnDestroy();
    if (m_hOwner != NULL) {
        ::EnableWindow(m_hOwner, TRUE);
        m_hOwner = NULL;
    }
}
