// A view that only paints its background: it holds a right-hand pane until the list,
// thumbnail and detail views are in.
#pragma once

#include <afxwin.h>

class CEmptyPaneView : public CView {
    DECLARE_DYNCREATE(CEmptyPaneView)
protected:
    void OnDraw(CDC*) override {}
};
