#include "SearchProgressDlg.h"

#include <commctrl.h>

#include "resource.h"

BEGIN_MESSAGE_MAP(CSearchProgressDlg, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CSearchProgressDlg::Create(CWnd* owner)
{
    m_bCancelled = FALSE;
    return CDialog::Create(IDD_SEARCH_PROGRESS, owner);
}

BOOL CSearchProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bCancelled = FALSE;
    CenterWindow();
    Animate_OpenEx(::GetDlgItem(m_hWnd, IDC_SEARCH_ANIMATE), AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_SEARCH_AVI));
    return TRUE;
}

void CSearchProgressDlg::OnCancel()
{
    m_bCancelled = TRUE;
    DestroyWindow();
}

void CSearchProgressDlg::OnDestroy()
{
    Animate_Close(::GetDlgItem(m_hWnd, IDC_SEARCH_ANIMATE));
    CDialog::OnDestroy();
}

void PumpWaitingMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!AfxGetApp() || !AfxGetApp()->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}
