// A static splitter whose pane view can be replaced by a fresh one of another class.
#pragma once

#include <afxext.h>

// Every command is offered to the panes row by row before the splitter itself.
class yqSplitterWnd : public CSplitterWnd {
public:
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    CSize GetSplitterBarSize() const { return CSize(m_cxSplitter, m_cySplitter); }
    CSize GetBorderSize() const { return CSize(m_cxBorder, m_cyBorder); }

    // Replaces the view at (row, col) by a new view of the class, keeping row heights and
    // column widths; the new view has had its initial update when this returns. NULL when the
    // new view could not be made (the pane is then empty).
    CView* ReplaceView(int row, int col, CRuntimeClass* viewClass, SIZE size);
};
