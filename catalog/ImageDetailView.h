// The right pane's picture at its natural size, with scroll bars; it copies, hands over and
// drags the picture file.
#pragma once

#include <afxwin.h>

class CBaseImage;
class CDragImage;

class CImageDetailView : public CScrollView {
    DECLARE_DYNCREATE(CImageDetailView)
public:
    CImageDetailView() = default;
    ~CImageDetailView() override;

    // Shows the picture; takes over the drag image (may be NULL). A picture that cannot be
    // read puts the report list in the pane once this call and its caller are done.
    void SetImage(const char* path, CDragImage* dragImage);
    // An image search's found file (a node with its record).
    void ShowSearchHit(class CTreeNode* node, CDragImage* dragImage);

    CString m_strPath;
    CBaseImage* m_pImage = nullptr;     // owned
    CDragImage* m_pDragImage = nullptr;  // owned

protected:
    void OnInitialUpdate() override;
    void OnDraw(CDC* dc) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override { return DoPreparePrinting(info); }
    void SetPictureScrollSizes();

    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnEditCopy();
    afx_msg void OnPasteToBoard();
    afx_msg LRESULT OnUnreadable(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
