// The browser's tool bar: flat buttons painted by the bar itself (a frame only under the
// pointer, sunken when checked, embossed when disabled), etched separators, a double gripper,
// custom-draw notifications to its owner, and child controls in place of buttons.
#pragma once

#include <afxcmn.h>
#include <afxext.h>

#include <vector>

class CToolBarEx;

// What the owner receives with each custom-draw notification of one paint.
struct ToolBarCustomDraw {
    NMCUSTOMDRAW nmcd;
    LRESULT prePaintResult;
    LRESULT itemPrePaintResult;
    CToolBarEx* toolBar;
    HWND owner;
};

class CToolBarEx : public CToolBar {
    DECLARE_DYNAMIC(CToolBarEx)
public:
    CToolBarEx();
    ~CToolBarEx() override;

    // Turns the button of `id` into a separator `width` wide and returns its rectangle.
    CRect MakeRoomFor(UINT id, int width);
    // A child control in place of the button of `id`; FALSE when it cannot be made.
    BOOL AddEditControl(DWORD style, CEdit* edit, UINT id, int width, int height);
    BOOL AddButtonControl(LPCTSTR text, DWORD style, CButton* button, UINT id, int width, int height);
    BOOL AddComboControl(DWORD style, CComboBox* combo, UINT id, int width, int height);
    BOOL AddStaticControl(LPCTSTR text, DWORD style, CStatic* label, UINT id, int width, int height, int yOffset);
    void CopyFont(CFont* font);
    CFont& GetBarFont() { return m_font; }

    int GetHotButton() const { return m_nHotButton; }
    COLORREF GetFaceColor() const { return m_clrFace; }
    COLORREF GetHighlightColor() const { return m_clrHighlight; }
    COLORREF GetShadowColor() const { return m_clrShadow; }
    COLORREF GetLightColor() const { return m_clrLight; }

    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
    LRESULT NotifyToolBarOwner(ToolBarCustomDraw& cd);
    void ReadColors();
    void ComputeImageOffsets();
    HIMAGELIST PaintImageList(bool& temporary);
    void DrawButtonFace(CDC& dc, const CRect& rc, const TBBUTTON& button, HIMAGELIST images, bool hot,
                        bool down, bool enabled);
    void DrawDisabledLook(CDC& dc, const CRect& rc);
    void DrawSeparator(CDC& dc, const CRect& rc);
    BOOL PlaceChild(CWnd& child, UINT id, int yOffset);

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnPaint();
    afx_msg void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    afx_msg void OnNcPaint();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT id);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSetButtonSize(WPARAM, LPARAM);
    afx_msg LRESULT OnSetBitmapSize(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    int m_nImageX = 0;
    int m_nImageY = 0;
    COLORREF m_clrFace = 0, m_clrHighlight = 0, m_clrShadow = 0, m_clrLight = 0;
    int m_nHotButton = -1;
    UINT_PTR m_nHotTimer = 0;
    std::vector<UINT> m_savedStyles;
    HWND m_hWndOwner = nullptr;
    BOOL m_bTemporaryImageList = FALSE;
    CFont m_font;
};

// Tool-tip tools whose text is a string resource of the program.
BOOL AddToolTipWindow(CToolTipCtrl& tip, CWnd* window, UINT textId);
BOOL AddToolTipRect(CToolTipCtrl& tip, CWnd* window, UINT textId, const RECT& rect, UINT toolId);
BOOL RemoveToolTipRect(CToolTipCtrl& tip, CWnd* window, UINT textId, const RECT& rect, UINT toolId);
