#include "IconButton.h"

BEGIN_MESSAGE_MAP(CIconButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CIconButton::SetIcon(UINT pressedIcon, UINT normalIcon, int cx, int cy)
{
    HINSTANCE inst = AfxGetResourceHandle();
    m_hPressed = static_cast<HICON>(::LoadImage(inst, MAKEINTRESOURCE(pressedIcon), IMAGE_ICON, cx, cy, LR_SHARED));
    m_hNormal = static_cast<HICON>(::LoadImage(inst, MAKEINTRESOURCE(normalIcon), IMAGE_ICON, cx, cy, LR_SHARED));
    m_cx = cx;
    m_cy = cy;
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    HDC dc = dis->hDC;
    RECT rc = dis->rcItem;
    ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    const bool pressed = (dis->itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis->itemState & ODS_DISABLED) != 0;
    if (pressed)
        ::DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
    else if (m_bHot && !disabled)
        ::DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
    HICON icon = pressed ? m_hPressed : m_hNormal;
    int x = rc.left + (rc.right - rc.left - m_cx) / 2, y = rc.top + (rc.bottom - rc.top - m_cy) / 2;
    if (pressed) {
        ++x;
        ++y;
    }
    if (icon)
        ::DrawState(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, m_cx, m_cy,
                    DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
    if (m_bShowCaption) {
        CString text;
        GetWindowText(text);
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawText(dc, text, -1, &rc, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
    }
}

void CIconButton::OnMouseMove(UINT flags, CPoint point)
{
    // Entered with the button held (a drag from elsewhere): not hot.
    if (!m_bHot && !(flags & MK_LBUTTON)) {
        m_bHot = TRUE;
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
        Invalidate(FALSE);
    }
    CButton::OnMouseMove(flags, point);
}

LRESULT CIconButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHot = FALSE;
    Invalidate(FALSE);
    return 0;
}

void CIconButton::OnLButtonUp(UINT flags, CPoint point)
{
    CButton::OnLButtonUp(flags, point);
    // The keyboard stays with the frame's panes, not with a tool-bar button.
    if (CFrameWnd* frame = GetParentFrame()) {
        if (CView* view = frame->GetActiveView())
            view->SetFocus();
        else
            frame->SetFocus();
    }
}
