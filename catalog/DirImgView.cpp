#include "DirImgView.h"

#include <afxcmn.h>

#include <BaseImage.h>
#include <DibImage.h>
#include <JpegImage.h>
#include <MetafileImage.h>
#include <TiffImage.h>

#include <memory>
#include <string>

#include "DragDropSource.h"
#include "DragImage.h"
#include "FileInfoRecord.h"
#include "HandOver.h"
#include "HandOverBlocks.h"
#include "ImageDetailView.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "TreeNode.h"
#include "VendaroExplorerApp.h"
#include "resource.h"

namespace {

const int kNameBoxId = 101;

bool IsFolderPicture(const CString& name)
{
    CString ending = name.Right(4);
    ending.MakeUpper();
    for (const char* e : {".BMP", ".TIF", ".JPG", ".WMF", ".EMF", ".DXF", ".KXQ", ".PNG"})
        if (ending == e)
            return true;
    return false;
}

}  // namespace

IMPLEMENT_DYNCREATE(CDirImgView, CImageView)

BEGIN_MESSAGE_MAP(CDirImgView, CImageView)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateFileCommand)
    ON_COMMAND(ID_PASTE_TO_BOARD, OnPasteToBoard)
    ON_UPDATE_COMMAND_UI(ID_PASTE_TO_BOARD, OnUpdateFileCommand)
    ON_MESSAGE(WM_USER + 1, OnLoaderStart)
    ON_MESSAGE(WM_USER + 2, OnLoaderCell)
    ON_MESSAGE(WM_USER + 3, OnLoaderEnd)
END_MESSAGE_MAP()

CDirImgView::CDirImgView()
{
    m_nCellWidth = 100;
    m_nCellHeight = 100;
}

CDirImgView::~CDirImgView()
{
    delete m_pNameBox;
    delete m_pToolTip;
}

void CDirImgView::OnInitialUpdate()
{
    CImageView::OnInitialUpdate();
    if (m_pNameBox)
        return;
    m_pNameBox = new CEdit;
    m_pNameBox->Create(WS_CHILD | ES_READONLY | ES_OEMCONVERT | ES_AUTOVSCROLL | ES_MULTILINE | ES_CENTER,
                       CRect(0, 0, 1, 1), this, kNameBoxId);
    m_pNameBox->SetFont(ThumbFont());
}

void CDirImgView::AddFileCell(const char* path, const char* name, const char* size)
{
    auto* cell = new CThumbImageItem;
    cell->m_pOwner = this;
    cell->m_strPath = path;
    auto* caption = new CThumbTextItem;
    caption->m_pOwner = this;
    caption->m_pFont = ThumbFont();
    caption->m_strText = name;
    cell->m_captions.push_back(caption);
    auto* hidden = new CThumbTextItem;  // read only by the size sort
    hidden->m_pOwner = this;
    hidden->m_pFont = ThumbFont();
    hidden->m_strText = size;
    hidden->m_bVisible = 0;
    cell->m_captions.push_back(hidden);
    m_cells.push_back(cell);
}

void CDirImgView::AddFolderCell(CTreeNode* node)
{
    AddFileCell(node->m_strPath, node->m_strText, "");
    CThumbImageItem* cell = m_cells.back();
    cell->m_pNode = node;
    cell->m_nKind = node->m_nFlags;
    const int width = m_nCellWidth - 2 * cell->m_nMargin;
    const int height = m_nCellHeight - 2 * cell->m_nMargin - cell->GetCaption(0)->GetTextExtent().cy;
    if (width <= 0 || height <= 0)
        return;
    CClientDC screen(this);
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(&screen, width, height))
        return;
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, width, height, ::GetNearestColor(dc.GetSafeHdc(), ::GetSysColor(COLOR_WINDOW)));
    if (CVendaroExplorerApp* app = GetVendaroApp(); app && app->m_imageListLarge.GetSafeHandle())
        app->m_imageListLarge.Draw(&dc, node->m_nImage, CPoint((width - 32) / 2, (height - 32) / 2), ILD_NORMAL);
    dc.SelectObject(old);
    auto picture = std::make_unique<CDibImage>();
    if (picture->CreateFromBitmap(static_cast<HBITMAP>(bitmap.GetSafeHandle())))
        cell->m_pImage = picture.release();
}

void CDirImgView::ShowNode(CTreeNode* node)
{
    if (!node)
        return;
    for (CTreeNode* child : node->m_children) {
        if (child->m_nFlags == CTreeNode::kItem) {
            if (CFileInfoRecord* r = child->GetRecord())
                AddFileCell(r->m_strPath, r->m_strName, r->m_strSize);
        } else if (child->m_nFlags & CTreeNode::kKindMask) {
            AddFolderCell(child);
        }
    }
    if ((node->m_nFlags & CTreeNode::kKindMask) && node->HasPath())
        ShowFolderFiles(node);
}

void CDirImgView::ShowFolderFiles(CTreeNode* node)
{
    CString folder = node->m_strPath;
    if (folder.Right(1) != "\\")
        folder += "\\";
    WIN32_FIND_DATA found;
    HANDLE find = ::FindFirstFile(folder + "*.*", &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    int added = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (!IsFolderPicture(found.cFileName))
            continue;
        const uint64_t size = (uint64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        AddFileCell(folder + found.cFileName, found.cFileName, FormatRecordSize(size));
        ++added;
    } while (::FindNextFile(find, &found));
    ::FindClose(find);
    if (CMainFrame* frame = Frame()) {
        CString text;
        text.Format("画像ファイル数 : %d", added);
        frame->SetStatusText(text);
    }
}

void CDirImgView::LayoutCells()
{
    CImageView::LayoutCells();
    BuildToolTips();
}

void CDirImgView::SortCells(int column, BOOL ascending)
{
    if (column == 1) {
        g_sortCaption = 1;
        g_sortAscending = ascending ? 1 : 0;
        SortCellsWith(CompareCellsBySize);
        return;
    }
    CImageView::SortCells(column, ascending);
    if (CMainFrame* frame = Frame())
        frame->BuildSortMenu(7);
}

void CDirImgView::BuildToolTips()
{
    RenewToolTips(m_pToolTip);
    if (!m_pToolTip)
        return;
    for (size_t k : VisibleCells())
        AddCellTool(m_pToolTip, k, m_cells[k], nullptr);
}

BOOL CDirImgView::OnToolTipText(UINT, NMHDR* nmhdr, LRESULT* result)
{
    auto* tip = reinterpret_cast<NMTTDISPINFOA*>(nmhdr);
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.DPtoLP(&point);
    const int cell = CellAt(point);
    if (cell >= 0) {
        m_strTip = m_cells[size_t(cell)]->m_strPath;
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

void CDirImgView::OnLButtonDown(UINT flags, CPoint point)
{
    CPoint logical = point;
    {
        CClientDC dc(this);
        OnPrepareDC(&dc);
        dc.DPtoLP(&logical);
    }
    if (m_pNameBox && m_pNameBox->GetSafeHwnd())
        m_pNameBox->ShowWindow(SW_HIDE);
    if (flags & MK_CONTROL) {
        for (CThumbImageItem* cell : m_cells) {
            if (cell->HitTest(logical).first != 2)
                continue;
            const bool select = cell->m_nState != 1;
            cell->m_nState = select ? 1 : 2;
            RepaintCell(cell);
            if (cell->m_nKind != 0)
                continue;
            if (select) {
                m_rcDragDetect = DragDetectRect(point);
                ++m_nSelectedFiles;
                SetCapture();
            } else {
                --m_nSelectedFiles;
            }
        }
    } else {
        m_nSelectedFiles = 0;
        CThumbImageItem* hit = nullptr;
        for (CThumbImageItem* cell : m_cells) {
            if (cell->HitTest(logical).first == 2) {
                hit = cell;
            } else if (cell->m_nState == 1) {
                cell->m_nState = 2;
                RepaintCell(cell);
            }
        }
        if (hit) {
            CRect device = hit->m_rect;
            {
                CClientDC dc(this);
                OnPrepareDC(&dc);
                dc.LPtoDP(&device);
            }
            InvalidateRect(&device);
            hit->m_nState = 1;
            RepaintCell(hit);
            if (hit->m_nKind == 0) {
                if (m_pNameBox && m_pNameBox->GetSafeHwnd() && !hit->m_captions.empty()) {
                    CRect caption = hit->GetCaption(0)->m_rect;
                    CClientDC dc(this);
                    OnPrepareDC(&dc);
                    dc.LPtoDP(&caption);
                    m_pNameBox->MoveWindow(device.left + 2, caption.top, device.Width() - 4, 30);
                    m_pNameBox->SetWindowText(hit->GetFileName());
                    m_pNameBox->ShowWindow(SW_SHOW);
                }
                m_rcDragDetect = DragDetectRect(point);
                m_nSelectedFiles = 1;
                SetCapture();
            }
        }
    }
    CImageView::OnLButtonDown(flags, point);
}

void CDirImgView::OnLButtonUp(UINT flags, CPoint point)
{
    if (GetCapture() == this)
        ReleaseCapture();
    CImageView::OnLButtonUp(flags, point);
}

std::vector<CString> CDirImgView::SelectedFilePaths() const
{
    std::vector<CString> paths;
    for (const CThumbImageItem* cell : m_cells)
        if (cell->m_nState == 1 && cell->m_nKind == 0)
            paths.push_back(cell->m_strPath);
    return paths;
}

CDragImage* CDirImgView::CreateSelectionDragImage(CRect& rect)
{
    std::vector<CThumbImageItem*> selected;
    for (CThumbImageItem* cell : m_cells)
        if (cell->m_nState == 1 && cell->m_nKind == 0) {
            selected.push_back(cell);
            AddDragFilePath(cell->m_strPath);
        }
    if (selected.empty())
        return nullptr;
    CClientDC dc(this);
    OnPrepareDC(&dc);
    auto deviceRect = [&dc](const CThumbImageItem* cell) {
        CRect r;
        cell->GetRect(&r);
        dc.LPtoDP(&r);
        return r;
    };
    if (selected.size() == 1) {
        rect = deviceRect(selected.front());
        return selected.front()->CreateDragImage();
    }
    rect.SetRectEmpty();
    for (const CThumbImageItem* cell : selected) {
        const CRect r = deviceRect(cell);
        if (rect.IsRectEmpty())
            rect = r;
        else
            rect.UnionRect(&rect, &r);
    }
    std::vector<OutlineShape> shapes;
    for (const CThumbImageItem* cell : selected) {
        OutlineShape s;
        s.box = deviceRect(cell);
        s.box.OffsetRect(-rect.TopLeft());
        s.label.SetRectEmpty();
        shapes.push_back(s);
    }
    return CreateOutlineDragImage(shapes, rect.Size());
}

void CDirImgView::OnMouseMove(UINT flags, CPoint point)
{
    if (GetCapture() != this || m_rcDragDetect.PtInRect(point)) {
        CImageView::OnMouseMove(flags, point);
        return;
    }
    ReleaseCapture();
    CRect rect;
    std::unique_ptr<CDragImage> image(CreateSelectionDragImage(rect));
    if (!image) {
        // Paths added for a picture that gives no image still make the drag.
        if (m_nSelectedFiles <= 0)
            return;
        image = std::make_unique<CDragImage>();
    }
    CMainFrame* frame = Frame();
    RunImageDrag(image.get(), point - rect.TopLeft(), frame,
                 [](COleDropSource* source) { return DoDragDropPending(source); });
}

void CDirImgView::OnLButtonDblClk(UINT flags, CPoint point)
{
    CPoint logical = point;
    {
        CClientDC dc(this);
        OnPrepareDC(&dc);
        dc.DPtoLP(&logical);
    }
    const int index = CellAt(logical);
    if (index < 0) {
        CImageView::OnLButtonDblClk(flags, point);
        return;
    }
    CLeftView* tree = Tree();
    CThumbImageItem* cell = m_cells[size_t(index)];
    if (cell->m_nKind != 0) {
        CTreeNode* node = cell->m_pNode;
        if (tree && node && node->m_hItem && tree->GetNode(node->m_hItem) == node) {
            if (node->GetParent() && node->GetParent()->m_hItem)
                tree->GetTreeCtrl().Expand(node->GetParent()->m_hItem, TVE_EXPAND);
            tree->GetTreeCtrl().SelectItem(node->m_hItem);
        }
    } else {
        CDragImage* image = cell->CreateDragImage();
        const CString path = cell->m_strPath;
        CMainFrame* frame = Frame();
        // The switch destroys this view: nothing of it is touched afterwards.
        auto* full = frame ? dynamic_cast<CImageDetailView*>(frame->SwitchRightView(4)) : nullptr;
        if (full)
            full->SetImage(path, image);
        else
            delete image;
    }
    if (tree)
        tree->UpdateNewest();
}

void CDirImgView::OnSize(UINT type, int cx, int cy)
{
    CImageView::OnSize(type, cx, cy);
    m_nSelectedFiles = 0;
    BuildToolTips();
    if (CMainFrame* frame = Frame(); frame && frame->GetSafeHwnd())
        frame->ShowDetailRow(FALSE);
}

void CDirImgView::OnDestroy()
{
    if (m_pNameBox) {
        m_pNameBox->DestroyWindow();
        delete m_pNameBox;
        m_pNameBox = nullptr;
    }
    if (m_pToolTip) {
        m_pToolTip->DestroyWindow();
        delete m_pToolTip;
        m_pToolTip = nullptr;
    }
    CImageView::OnDestroy();
}

HBRUSH CDirImgView::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    if (!wnd || !m_pNameBox || wnd->GetSafeHwnd() != m_pNameBox->GetSafeHwnd())
        return nullptr;
    if (ctlColor == CTLCOLOR_STATIC || ctlColor == CTLCOLOR_EDIT)
        dc->SetBkColor(RGB(255, 255, 255));
    return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}

void CDirImgView::OnUpdateFileCommand(CCmdUI* cmdUI) { cmdUI->Enable(m_nSelectedFiles > 0); }

void CDirImgView::OnEditCopy()
{
    if (!::OpenClipboard(AfxGetMainWnd() ? AfxGetMainWnd()->GetSafeHwnd() : nullptr))
        return;
    ::EmptyClipboard();
    SetClipboardRows(SelectedFilePaths(), nullptr);
    ::CloseClipboard();
}

void CDirImgView::OnPasteToBoard()
{
    const std::vector<CString> paths = SelectedFilePaths();
    PasteToBoard(AfxGetMainWnd(), [&paths] {
        std::string block;
        for (const CString& p : paths)
            AppendPlainFileBlock(block, p);
        block.push_back('\0');
        SetClipboardRows(paths, &block);
    });
}

LRESULT CDirImgView::OnLoaderCell(WPARAM index, LPARAM)
{
    if (index < m_cells.size())
        RepaintCell(m_cells[index]);
    return 0;
}

UINT CDirImgView::LoadAllCellImages(LPVOID param)
{
    auto* view = static_cast<CDirImgView*>(param);
    view->SendMessage(WM_USER + 1);
    for (size_t i = 0; i < view->m_cells.size(); ++i) {
        CThumbImageItem* cell = view->m_cells[i];
        CString ending = cell->m_strPath.Right(4);
        ending.MakeUpper();
        std::unique_ptr<CBaseImage> picture;
        if (ending == ".BMP")
            picture = std::make_unique<CDibImage>();
        else if (ending == ".TIF")
            picture = std::make_unique<CTiffImage>();
        else if (ending == ".JPG")
            picture = std::make_unique<CJpegImage>();
        else if (ending == ".WMF" || ending == ".DXF")
            picture = std::make_unique<CMetafileImage>();
        if (picture && picture->Read(cell->m_strPath)) {
            delete cell->m_pImage;
            cell->m_pImage = picture.release();
        }
        view->SendMessage(WM_USER + 2, i);
    }
    view->SendMessage(WM_USER + 3);
    return 0;
}
