// A flat owner-drawn button that shows one icon, the pressed icon moved 1 px, and a raised
// frame while the pointer is over it.
#pragma once

#include <afxwin.h>

class CIconButton : public CButton {
public:
    void SetIcon(UINT pressedIcon, UINT normalIcon, int cx, int cy);
    void ShowCaption(BOOL show) { m_bShowCaption = show; }
    BOOL IsHot() const { return m_bHot; }

protected:
    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

    HICON m_hPressed = nullptr;
    HICON m_hNormal = nullptr;
    int m_cx = 16, m_cy = 16;
    BOOL m_bShowCaption = TRUE;
    BOOL m_bHot = FALSE;
};
