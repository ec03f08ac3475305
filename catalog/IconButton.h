// An owner-drawn push button with an icon (or bitmap) and an optional caption, flat until the
// pointer is over it, with colours of its own for the normal and the hot state.
#pragma once

#include <afxwin.h>

class CIconButton : public CButton {
public:
    CIconButton();
    ~CIconButton() override;

    // normalIcon 0: the pressed icon serves for both.
    void SetIcon(UINT pressedIcon, UINT normalIcon, int cx, int cy);
    void SetPictures(UINT pressedBitmap, UINT normalBitmap, int cx, int cy);
    BOOL SetButtonCursor(int cursorId);

    void ShowCaption(BOOL show);
    BOOL IsCaptionShown() const { return m_bShowCaption; }
    void SetFlatStyle(BOOL flat);
    BOOL IsFlatStyle() const { return m_bFlat; }
    void SetImageLayout(int layout);
    int GetImageLayout() const { return m_nImageLayout; }
    void ShowBorder(BOOL show) { m_bShowBorder = show; }
    void ShowFlatFocus(BOOL show, BOOL repaint);
    BOOL IsFlatFocusShown() const { return m_bFlatFocus; }

    void SetNormalBkColor(COLORREF color, BOOL repaint);
    COLORREF GetNormalBkColor() const { return m_clrNormalBk; }
    void ResetNormalBkColor(BOOL repaint);
    void SetNormalTextColor(COLORREF color, BOOL repaint);
    COLORREF GetNormalTextColor() const { return m_clrNormalText; }
    void ResetNormalTextColor(BOOL repaint);
    void SetHotBkColor(COLORREF color, BOOL repaint);
    COLORREF GetHotBkColor() const { return m_clrHotBk; }
    void ResetHotBkColor(BOOL repaint);
    void SetHotTextColor(COLORREF color, BOOL repaint);
    COLORREF GetHotTextColor() const { return m_clrHotText; }
    void ResetHotTextColor(BOOL repaint);

    static int GetRevisionNumber() { return 23; }
    static const char* GetRevisionText() { return "2.3"; }

    BOOL IsHot() const { return m_bMouseOver; }

protected:
    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void PreSubclassWindow() override;
    void Repaint(BOOL repaint);
    void DrawBorder(CDC& dc, const CRect& rc, bool pressed);
    void DrawImage(CDC& dc, const CRect& item, CRect& caption, bool pressed, bool disabled, bool hasCaption);

    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg LRESULT OnSetCheck(WPARAM check, LPARAM);
    afx_msg LRESULT OnGetCheck(WPARAM, LPARAM);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

    int m_nImageLayout = 0;
    BOOL m_bShowCaption = TRUE;
    BOOL m_bShowBorder = TRUE;
    BOOL m_bFlat = TRUE;
    BOOL m_bMouseOver = FALSE;
    BOOL m_bFlatFocus = FALSE;
    CFont m_captionFont;
    int m_nImageMargin = 3;
    int m_nImageGap = 0;
    BOOL m_bCheckBox = FALSE;
    BOOL m_bChecked = FALSE;
    UINT m_nCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    HCURSOR m_hCursor = nullptr;
    HICON m_hIconPressed = nullptr, m_hIconNormal = nullptr;
    BYTE m_cxIcon = 0, m_cyIcon = 0;
    HBITMAP m_hBitmapPressed = nullptr, m_hBitmapNormal = nullptr;
    BYTE m_cxBitmap = 0, m_cyBitmap = 0;
    COLORREF m_clrNormalBk, m_clrNormalText, m_clrHotBk, m_clrHotText;
};
