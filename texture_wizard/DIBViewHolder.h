// The placeholder control of a page that lends the shared editing view its place: the view
// is re-parented into it, follows its size, and goes back to the desktop when it closes.
#pragma once

#include "Patinor.h"

class CEditDIBView;

class PATINOR_API CDIBViewHolder : public CWnd
{
public:
    CDIBViewHolder() : m_pView(NULL) {}
    // Subclasses the page's placeholder and puts the view into it, shown and painted.
    BOOL Attach(CWnd* pPage, UINT nID, CEditDIBView* pView);
    // Hides the view and gives it back to the desktop.
    void Release();

    CEditDIBView* m_pView;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
