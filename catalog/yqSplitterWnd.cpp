#include "yqSplitterWnd.h"

#include <vector>

CView* yqSplitterWnd::ReplaceView(int row, int col, CRuntimeClass* viewClass, SIZE size)
{
    std::vector<int> heights(GetRowCount()), minHeights(GetRowCount());
    std::vector<int> widths(GetColumnCount()), minWidths(GetColumnCount());
    for (int r = 0; r < GetRowCount(); ++r)
        GetRowInfo(r, heights[r], minHeights[r]);
    for (int c = 0; c < GetColumnCount(); ++c)
        GetColumnInfo(c, widths[c], minWidths[c]);

    CDocument* doc = nullptr;
    CFrameWnd* frame = nullptr;
    if (auto* old = dynamic_cast<CView*>(GetPane(row, col))) {
        doc = old->GetDocument();
        frame = old->GetParentFrame();
    }
    DeleteView(row, col);

    CCreateContext context;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = viewClass;
    context.m_pNewDocTemplate = doc ? doc->GetDocTemplate() : nullptr;
    context.m_pCurrentFrame = frame;
    if (!CreateView(row, col, viewClass, size, &context))
        return nullptr;
    for (int r = 0; r < GetRowCount(); ++r)
        SetRowInfo(r, heights[r], minHeights[r]);
    for (int c = 0; c < GetColumnCount(); ++c)
        SetColumnInfo(c, widths[c], minWidths[c]);
    RecalcLayout();
    auto* view = dynamic_cast<CView*>(GetPane(row, col));
    if (view)
        view->SendMessage(WM_INITIALUPDATE);
    return view;
}

BOOL yqSplitterWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (m_hWnd) {
        for (int r = 0; r < GetRowCount(); ++r) {
            for (int c = 0; c < GetColumnCount(); ++c) {
                CWnd* pane = GetDlgItem(IdFromRowCol(r, c));
                if (pane && pane->OnCmdMsg(id, code, extra, handlerInfo))
                    return TRUE;
            }
        }
    }
    return CCmdTarget::OnCmdMsg(id, code, extra, handlerInfo);
}
