#include "ImageView.h"

#include <BaseImage.h>
#include <DibImage.h>
#include <JpegImage.h>
#include <MetafileImage.h>
#include <PngImage.h>
#include <TiffImage.h>

#include <afxcmn.h>

#include <cstdlib>

#include "LeftView.h"
#include "MainFrame.h"
#include "ThumbLayout.h"

int g_sortCaption = 0;
int g_sortAscending = 1;

namespace {

const char* SortText(const void* cell)
{
    const CThumbImageItem* item = *static_cast<CThumbImageItem* const*>(cell);
    if (g_sortCaption < 0 || g_sortCaption >= int(item->m_captions.size()))
        return "";
    return item->m_captions[g_sortCaption]->m_strText;
}

unsigned SortKind(const void* cell) { return (*static_cast<CThumbImageItem* const*>(cell))->m_nKind; }

}  // namespace

int CompareCellsByCaption(const void* a, const void* b)
{
    return CompareThumbCaptions(SortKind(a), SortText(a), SortKind(b), SortText(b), g_sortAscending != 0);
}

int CompareCellsByPrice(const void* a, const void* b)
{
    return CompareThumbPrices(SortText(a), SortText(b), g_sortAscending != 0);
}

int CompareCellsBySize(const void* a, const void* b)
{
    return CompareThumbSizes(SortText(a), SortText(b), g_sortAscending != 0);
}

IMPLEMENT_DYNCREATE(CImageView, CScrollView)

BEGIN_MESSAGE_MAP(CImageView, CScrollView)
    ON_WM_SIZE()
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CImageView::CImageView() = default;

CImageView::~CImageView() { DeleteAllCells(); }

void CImageView::DeleteAllCells()
{
    for (CThumbImageItem* cell : m_cells)
        delete cell;
    m_cells.clear();
}

void CImageView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(100, 100));
}

void CImageView::LayoutCells()
{
    if (m_cells.empty())
        return;
    CRect client;
    GetClientRect(&client);
    const CSize cell(m_nCellWidth, m_nCellHeight), margin(m_nMarginX, m_nMarginY);
    const ThumbGrid grid = ThumbGridFor(int(m_cells.size()), client.Width(), cell, margin);
    for (size_t k = 0; k < m_cells.size(); ++k) {
        const CRect r = ThumbCellRect(int(k), grid.columns, cell, margin);
        m_cells[k]->SetRect(&r);
        m_cells[k]->m_pOwner = this;
    }
    SetScrollSizes(MM_TEXT, grid.scroll);
    // Captions are measured only for the cells in view; the others when they are painted.
    CCaptionMeasure measure(this);
    for (size_t k : VisibleCells())
        m_cells[k]->EnsureLaidOut(measure.Get());
}

CRect CImageView::VisibleLogicalRect() const
{
    CRect client;
    GetClientRect(&client);
    client.OffsetRect(GetScrollPosition());
    return client;
}

std::vector<size_t> CImageView::VisibleCells() const
{
    std::vector<size_t> shown;
    const CRect view = VisibleLogicalRect();
    CRect common;
    for (size_t k = 0; k < m_cells.size(); ++k)
        if (common.IntersectRect(&m_cells[k]->m_rect, &view))
            shown.push_back(k);
    return shown;
}

void CImageView::SortCellsWith(int (*compare)(const void*, const void*))
{
    if (m_cells.size() > 1)
        std::qsort(m_cells.data(), m_cells.size(), sizeof(CThumbImageItem*), compare);
}

void CImageView::SortCells(int, BOOL ascending)
{
    g_sortCaption = 0;
    g_sortAscending = ascending ? 1 : 0;
    SortCellsWith(CompareCellsByCaption);
}

CBaseImage* ReadPictureFile(const char* path, const CRect* clip)
{
    CString ending = CString(path).Right(4);
    ending.MakeUpper();
    CBaseImage* image = nullptr;
    if (ending == ".BMP")
        image = new CDibImage;
    else if (ending == ".TIF")
        image = new CTiffImage;
    else if (ending == ".JPG")
        image = new CJpegImage;
    else if (ending == ".PNG")
        image = new CPngImage;
    else if (ending == ".WMF" || ending == ".EMF" || ending == ".KXQ" || ending == ".DXF") {
        auto* metafile = new CMetafileImage;
        if (clip)
            metafile->SetRectSam(*clip);
        image = metafile;
    }
    if (image && !image->Read(path)) {
        delete image;
        image = nullptr;
    }
    return image;
}

CBaseImage* CImageView::LoadCellImage(const char* path) { return ReadPictureFile(path, &m_rcPaintClip); }

void PaintOffscreen(CView* view, CDC* dc, const std::function<void(CDC* target, const CRect& box)>& paint)
{
    CRect box;
    dc->GetClipBox(&box);
    CRect device = box;
    dc->LPtoDP(&device);
    CDC memory;
    CBitmap bitmap;
    CBitmap* oldBitmap = nullptr;
    CDC* target = dc;
    if (!dc->IsPrinting() && !box.IsRectEmpty() && memory.CreateCompatibleDC(dc) &&
        bitmap.CreateCompatibleBitmap(dc, device.Width(), device.Height())) {
        oldBitmap = memory.SelectObject(&bitmap);
        view->OnPrepareDC(&memory);
        memory.OffsetViewportOrg(-device.left, -device.top);
        memory.SetBrushOrg(box.left % 8, box.top % 8);
        memory.IntersectClipRect(&box);
        target = &memory;
    }
    target->FillSolidRect(&box, RGB(255, 255, 255));
    paint(target, box);
    if (target == &memory) {
        for (CDC* d : {dc, &memory}) {
            d->SetMapMode(MM_TEXT);
            d->SetWindowOrg(0, 0);
            d->SetViewportOrg(0, 0);
        }
        dc->BitBlt(device.left, device.top, device.Width(), device.Height(), &memory, 0, 0, SRCCOPY);
        memory.SelectObject(oldBitmap);
    }
}

void CImageView::OnDraw(CDC* dc)
{
    PaintOffscreen(this, dc, [this, dc](CDC* target, const CRect& box) {
        CWaitCursor wait;
        m_rcPaintClip = box;
        CCaptionMeasure measure(this);
        CRect common;
        for (CThumbImageItem* cell : m_cells) {
            if (!common.IntersectRect(&cell->m_rect, &box) || !dc->RectVisible(&cell->m_rect))
                continue;
            cell->EnsureLaidOut(measure.Get());
            if (!cell->m_pImage && !cell->m_bLoadFailed) {
                cell->m_pImage = LoadCellImage(cell->m_strPath);
                cell->m_bLoadFailed = cell->m_pImage == nullptr;
            }
            cell->Draw(target);
        }
    });
}

BOOL CImageView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    const BOOL moved = CScrollView::OnScrollBy(sizeScroll, bDoScroll);
    // The tools cover the cells in view: renewed when the view moved.
    if (moved && bDoScroll)
        BuildToolTips();
    return moved;
}

BOOL CImageView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

void CImageView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    for (CThumbImageItem* cell : m_cells)
        if (cell->m_nState == 1)
            cell->m_nState = 2;
    LayoutCells();
}

CMainFrame* CImageView::Frame() const { return dynamic_cast<CMainFrame*>(::AfxGetMainWnd()); }

CLeftView* CImageView::Tree() const
{
    CMainFrame* frame = Frame();
    return frame ? frame->GetLeftView() : nullptr;
}

int CImageView::CellAt(CPoint logical) const
{
    for (size_t i = 0; i < m_cells.size(); ++i)
        if (m_cells[i]->HitTest(logical).first == 2)
            return int(i);
    return -1;
}

void CImageView::RepaintCell(CThumbImageItem* cell)
{
    CClientDC dc(this);
    OnPrepareDC(&dc);
    cell->Draw(&dc);
}

void CImageView::RenewToolTips(CToolTipCtrl*& tips)
{
    if (tips && ::IsWindow(tips->GetSafeHwnd())) {
        // Emptied rather than made again: the tools follow every scroll step.
        TOOLINFO ti{};
        ti.cbSize = sizeof ti;
        while (tips->SendMessage(TTM_ENUMTOOLS, 0, reinterpret_cast<LPARAM>(&ti))) {
            tips->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
            ti = TOOLINFO{};
            ti.cbSize = sizeof ti;
        }
        return;
    }
    if (tips) {
        tips->DestroyWindow();
        delete tips;
        tips = nullptr;
    }
    if (!GetSafeHwnd())
        return;
    tips = new CToolTipCtrl;
    if (!tips->Create(this, TTS_ALWAYSTIP)) {
        delete tips;
        tips = nullptr;
        return;
    }
    tips->SetMaxTipWidth(0x7FFF);
}

void CImageView::AddCellTool(CToolTipCtrl* tips, UINT_PTR id, const CThumbImageItem* cell, const char* text)
{
    CRect rect = cell->m_rect;
    rect.OffsetRect(-GetScrollPosition());
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_SUBCLASS;  // the control sees the view's mouse messages itself
    ti.hwnd = m_hWnd;
    ti.uId = id;
    ti.rect = rect;
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = text ? const_cast<char*>(text) : LPSTR_TEXTCALLBACK;
    tips->SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}
