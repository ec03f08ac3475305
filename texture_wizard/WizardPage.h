// The frame every wizard page shares: step caption, Next, Back and Cancel, the placement
// carried from page to page, anchored layout, the view's zoom and revert controls and
// keyboard shortcuts, and the placeholder that lends the page the shared view.
#pragma once

#include "Patinor.h"

#include "DIBViewHolder.h"
#include "PageLayout.h"

// Controls of the page templates.
enum : UINT {
    IDC_WIZ_ZOOMIN = 1023,
    IDC_WIZ_ZOOMOUT = 1024,
    IDC_WIZ_FIT = 1025,
    IDC_WIZ_REVERT = 1026,
    IDC_WIZ_SIZETEXT = 1068,
    IDC_WIZ_NOTE = 1069,
    IDC_WIZ_VIEW = 1070,
    IDC_WIZ_GRIP = 1081,
    IDC_WIZ_ZOOMLIST = 1113,
    IDC_WIZ_BACK = 12323,
    IDC_WIZ_NEXT = 12324,
    IDC_WIZ_TAKE = 12325,
};

class PATINOR_API CWizardPage : public CDialog
{
    DECLARE_DYNAMIC(CWizardPage)

public:
    CWizardPage(UINT nIDTemplate, CWnd* pParent = NULL);

    // Stores where the table's controls sit now, then places them for the current size.
    virtual void SaveControlRects(LayoutEntry* table);
    virtual void MoveControls(LayoutEntry* table);
    virtual void ArrangeControls();

    // Lends the page the shared view (placeholder 1070) and gives the zoom and revert
    // buttons their pictures and states.
    BOOL AttachView();
    void SetButtonImages();
    void UpdateZoomList();
    bool IsResizable() const;
    // The image of the slot this page shows; when it is empty (a shortage on the previous
    // page), says so and ends the page a step back.
    CImage* RequireSlot(int slot);
    // "サイズ: w × h" in the size text.
    void ShowSizeText(int width, int height);

    CEditDIBView* m_pView;
    RECT m_rcShown;
    int m_nInitialWidth;
    int m_nInitialHeight;
    BOOL m_bEditFocus;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Remembers where the page stands and ends it with result.
    void EndPage(int result);

    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
public:
    afx_msg void OnNext();
    afx_msg void OnBack();

protected:
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnFit();
    afx_msg void OnRevert();
    afx_msg void OnZoomListSelected();
    afx_msg LRESULT OnZoomChanged(WPARAM, LPARAM);
    afx_msg LRESULT OnUndoChanged(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    CDIBViewHolder m_holder;
    LayoutEntry m_frameTable[6];
};
