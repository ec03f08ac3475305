#include "DIBViewHolder.h"

#include "EditDIBView.h"

BEGIN_MESSAGE_MAP(CDIBViewHolder, CWnd)
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CDIBViewHolder::Attach(CWnd* pPage, UINT nID, CEditDIBView* pView)
{
    if (m_hWnd == NULL && !SubclassDlgItem(nID, pPage))
        return FALSE;
    m_pView = pView;
    if (pView == NULL || pView->m_hWnd == NULL)
        return FALSE;
    pView->SetParent(this);
    CRect client;
    GetClientRect(&client);
    pView->SetWindowPos(NULL, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pView->ShowWindow(SW_SHOW);
    pView->UpdateWindow();
    return TRUE;
}

void CDIBViewHolder::Release()
{
    if (m_pView != NULL && m_pView->m_hWnd != NULL && ::GetParent(m_pView->m_hWnd) == m_hWnd) {
        m_pView->ShowWindow(SW_HIDE);
        ::SetParent(m_pView->m_hWnd, ::GetDesktopWindow());
    }
    m_pView = NULL;
}

void CDIBViewHolder::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_pView != NULL && m_pView->m_hWnd != NULL)
        m_pView->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void CDIBViewHolder::OnDestroy()
{
    // The view outlives every page: it must leave before its parent goes.
    Release();
    CWnd::OnDestroy();
}
