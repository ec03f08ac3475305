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
    if (auto* old = dynamic_cast<CView*>(GetPane(row, col)))
        doc = old->GetDocument();
    DeleteView(row, col);

    CCreateContext context;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = viewClass;
    if (!CreateView(row, col, viewClass, size, &context))
        return nullptr;
    for (int r = 0; r < GetRowCount(); ++r)
        SetRowInfo(r, heights[r], minHeights[r]);
    for (int c = 0; c < GetColumnCount(); ++c)
        SetColumnInfo(c, widths[c], minWidths[c]);
    auto* view = dynamic_cast<CView*>(GetPane(row, col));
    if (view)
        view->OnInitialUpdate();
    RecalcLayout();
    return view;
}
