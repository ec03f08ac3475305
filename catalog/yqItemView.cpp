#include "yqItemView.h"

#include <afxcmn.h>

#include <memory>

#include "DetailView.h"
#include "DragDropSource.h"
#include "DragImage.h"
#include "HandOver.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "ThumbLayout.h"
#include "VendaroExplorerApp.h"
#include "yqItem.h"

bool HasItemCellPicture(const char* path)
{
    CString ending = CString(path).Right(3);
    ending.MakeUpper();
    for (const char* e : {"BMP", "TIF", "JPG", "WMF", "DXF"})
        if (ending == e)
            return true;
    return false;
}

namespace {

CThumbImageItem* NewCell(CImageView* view, const char* path, const std::vector<CString>& captions)
{
    auto* cell = new CThumbImageItem;
    cell->m_pOwner = view;
    cell->m_strPath = path;
    for (const CString& text : captions) {
        auto* caption = new CThumbTextItem;
        caption->m_pOwner = view;
        caption->m_pFont = ThumbFont();
        caption->m_nState = 1;  // left-aligned
        caption->m_strText = text;
        cell->m_captions.push_back(caption);
    }
    return cell;
}

CPoint ToLogical(CScrollView* view, CPoint point)
{
    CClientDC dc(view);
    view->OnPrepareDC(&dc);
    dc.DPtoLP(&point);
    return point;
}

}  // namespace

// ---- item view ----

IMPLEMENT_DYNCREATE(yqItemView, CImageView)

BEGIN_MESSAGE_MAP(yqItemView, CImageView)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

yqItemView::yqItemView()
{
    m_nCellWidth = 150;
    m_nCellHeight = 150;
}

yqItemView::~yqItemView() { delete m_pToolTip; }

void yqItemView::AddItemCell(yqItem* item)
{
    if (!item || !HasItemCellPicture(item->m_strPicturePath))
        return;
    CString price;
    FormatPrice(static_cast<int>(item->m_dPrice), price);
    CThumbImageItem* cell = NewCell(this, item->m_strPicturePath, ItemCellCaptions(*item, price));
    cell->m_pData = item;
    m_cells.push_back(cell);
}

void yqItemView::ShowItems(const std::vector<yqItem*>& items)
{
    for (yqItem* item : items)
        AddItemCell(item);
    if (CMainFrame* frame = Frame()) {
        CString text;
        text.Format("データ数 : %d", int(items.size()));
        frame->SetStatusText(text);
    }
}

void yqItemView::LayoutCells()
{
    CImageView::LayoutCells();
    BuildToolTips();
}

void yqItemView::SortCells(int column, BOOL ascending)
{
    if (column == 2) {
        g_sortCaption = 2;
        g_sortAscending = ascending ? 1 : 0;
        SortCellsWith(CompareCellsByPrice);
        return;
    }
    CImageView::SortCells(column, ascending);
    if (CMainFrame* frame = Frame())
        frame->BuildSortMenu(3);
}

void yqItemView::BuildToolTips()
{
    RenewToolTips(m_pToolTip);
    m_tipTexts.clear();
    if (!m_pToolTip)
        return;
    const std::vector<size_t> shown = VisibleCells();
    m_tipTexts.reserve(shown.size());
    for (size_t k : shown) {
        CThumbImageItem* cell = m_cells[k];
        auto text = [cell](int i) {
            return i < int(cell->m_captions.size()) ? cell->GetCaption(i)->m_strText : CString();
        };
        CString tip;
        tip.Format("%s\n%s\n%s", static_cast<const char*>(text(0)), static_cast<const char*>(text(1)),
                   static_cast<const char*>(text(2)));
        m_tipTexts.push_back(tip);
        AddCellTool(m_pToolTip, reinterpret_cast<UINT_PTR>(cell), cell, m_tipTexts.back());
    }
}

void yqItemView::OnLButtonDown(UINT flags, CPoint point)
{
    const CPoint logical = ToLogical(this, point);
    m_nPressed = -1;
    for (size_t i = 0; i < m_cells.size(); ++i) {
        CThumbImageItem* cell = m_cells[i];
        if (cell->m_nState == 1) {
            cell->m_nState = 2;
            RepaintCell(cell);
        }
        if (cell->HitTest(logical).first == 2) {
            CRect device = cell->m_rect;
            device.OffsetRect(-GetScrollPosition());
            InvalidateRect(&device);
            cell->m_nState = 1;
            RepaintCell(cell);
            m_nPressed = int(i);
        }
    }
    if (m_nPressed < 0) {
        CImageView::OnLButtonDown(flags, point);
        return;
    }
    m_rcDragDetect = DragDetectRect(point);
    SetCapture();
}

void yqItemView::OnLButtonUp(UINT flags, CPoint point)
{
    if (GetCapture() == this)
        ReleaseCapture();
    else
        CImageView::OnLButtonUp(flags, point);
}

void yqItemView::OnMouseMove(UINT flags, CPoint point)
{
    if (GetCapture() != this || m_rcDragDetect.PtInRect(point)) {
        CImageView::OnMouseMove(flags, point);
        return;
    }
    ReleaseCapture();
    if (m_nPressed < 0 || size_t(m_nPressed) >= m_cells.size())
        return;
    CThumbImageItem* cell = m_cells[size_t(m_nPressed)];
    std::unique_ptr<CDragImage> image(cell->CreateDragImage());
    if (!image || !cell->m_pData)
        return;
    CRect area = cell->m_rcPicture;
    area.OffsetRect(-GetScrollPosition());
    AddDragItem(*static_cast<yqItem*>(cell->m_pData));
    RunImageDrag(image.get(), point - area.TopLeft(), Frame(),
                 [](COleDropSource* source) { return DoDragDropPending(source); });
}

void yqItemView::OnLButtonDblClk(UINT flags, CPoint point)
{
    for (CThumbImageItem* cell : m_cells)
        if (cell->m_nState == 1) {
            cell->m_nState = 2;
            RepaintCell(cell);
        }
    const int index = CellAt(ToLogical(this, point));
    CMainFrame* frame = Frame();
    if (index < 0 || !frame) {
        CImageView::OnLButtonDblClk(flags, point);
        return;
    }
    auto* item = static_cast<yqItem*>(m_cells[size_t(index)]->m_pData);
    // The switch destroys this view: nothing of it is touched afterwards.
    if (auto* detail = dynamic_cast<CDetailView*>(frame->SwitchRightView(1)))
        detail->ShowItem(item);
    CLeftView* tree = frame->GetLeftView();
    if (tree && item && item->m_hTreeItem && tree->GetNode(item->m_hTreeItem))
        tree->GetTreeCtrl().SelectItem(item->m_hTreeItem);
}

void yqItemView::OnSize(UINT type, int cx, int cy)
{
    CImageView::OnSize(type, cx, cy);
    if (CMainFrame* frame = Frame(); frame && frame->GetSafeHwnd())
        frame->ShowDetailRow(FALSE);
    BuildToolTips();
}

void yqItemView::OnDestroy()
{
    if (m_pToolTip) {
        m_pToolTip->DestroyWindow();
        delete m_pToolTip;
        m_pToolTip = nullptr;
    }
    CImageView::OnDestroy();
}

// ---- further pictures ----

IMPLEMENT_DYNCREATE(yqSubItemView, CImageView)

BEGIN_MESSAGE_MAP(yqSubItemView, CImageView)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

yqSubItemView::yqSubItemView()
{
    m_nCellWidth = 150;
    m_nCellHeight = 150;
}

yqSubItemView::~yqSubItemView() { delete m_pToolTip; }

void yqSubItemView::AddSubItemCell(const yqItemPicture& picture)
{
    if (!HasItemCellPicture(picture.m_strPath))
        return;
    m_cells.push_back(NewCell(this, picture.m_strPath, SplitPictureCaption(picture.m_strText)));
}

void yqSubItemView::LayoutCells()
{
    CImageView::LayoutCells();
    BuildToolTips();
}

void yqSubItemView::BuildToolTips()
{
    RenewToolTips(m_pToolTip);
    if (!m_pToolTip)
        return;
    for (size_t k : VisibleCells())
        AddCellTool(m_pToolTip, k, m_cells[k], nullptr);
}

CString yqSubItemView::JoinCaptions(const CThumbImageItem* cell)
{
    CString joined;
    for (const CThumbTextItem* caption : cell->m_captions)
        if (!caption->m_strText.IsEmpty())
            joined += caption->m_strText + "\n";
    if (!joined.IsEmpty())
        joined = joined.Left(joined.GetLength() - 1);
    return joined;
}

BOOL yqSubItemView::OnToolTipText(UINT, NMHDR* nmhdr, LRESULT* result)
{
    auto* tip = reinterpret_cast<NMTTDISPINFOA*>(nmhdr);
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const int cell = CellAt(ToLogical(this, point));
    if (cell >= 0) {
        m_strTip = JoinCaptions(m_cells[size_t(cell)]);
    } else {
        CString resource;
        resource.LoadString(UINT(nmhdr->idFrom));
        const int newline = resource.Find('\n');
        m_strTip = newline >= 0 ? resource.Mid(newline + 1) : CString();
    }
    tip->lpszText = const_cast<char*>(static_cast<const char*>(m_strTip));
    tip->szText[0] = '\0';
    *result = 0;
    return TRUE;
}

void yqSubItemView::OnLButtonDown(UINT flags, CPoint point)
{
    m_nPressed = CellAt(ToLogical(this, point));
    if (m_nPressed < 0) {
        CImageView::OnLButtonDown(flags, point);
        return;
    }
    m_rcDragDetect = DragDetectRect(point);
    SetCapture();
}

void yqSubItemView::OnLButtonUp(UINT flags, CPoint point)
{
    if (GetCapture() == this)
        ReleaseCapture();
    CImageView::OnLButtonUp(flags, point);
}

void yqSubItemView::OnMouseMove(UINT flags, CPoint point)
{
    if (GetCapture() != this || m_rcDragDetect.PtInRect(point)) {
        CImageView::OnMouseMove(flags, point);
        return;
    }
    ReleaseCapture();
    if (m_nPressed < 0 || size_t(m_nPressed) >= m_cells.size())
        return;
    CThumbImageItem* cell = m_cells[size_t(m_nPressed)];
    std::unique_ptr<CDragImage> image(cell->CreateDragImage());
    if (!image)
        return;
    CRect area = cell->m_rcPicture;
    area.OffsetRect(-GetScrollPosition());
    const CString path = cell->m_strPath;
    RunImageDrag(image.get(), point - area.TopLeft(), Frame(),
                 [&path](COleDropSource* source) { return DoDragDropFile(path, source); });
}

void yqSubItemView::OnSize(UINT type, int cx, int cy)
{
    CImageView::OnSize(type, cx, cy);
    BuildToolTips();
}

void yqSubItemView::OnDestroy()
{
    if (m_pToolTip) {
        m_pToolTip->DestroyWindow();
        delete m_pToolTip;
        m_pToolTip = nullptr;
    }
    CImageView::OnDestroy();
}
