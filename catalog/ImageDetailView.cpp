#include "ImageDetailView.h"

#include <BaseImage.h>

#include "DragDropSource.h"
#include "DragImage.h"
#include "FileInfoRecord.h"
#include "HandOver.h"
#include "ImageView.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "TreeNode.h"
#include "resource.h"

namespace {
// Posted when the picture cannot be read: the pane switches once no paint or caller of this
// view is running.
const UINT WM_PICTURE_UNREADABLE = WM_APP + 40;
}  // namespace

IMPLEMENT_DYNCREATE(CImageDetailView, CScrollView)

BEGIN_MESSAGE_MAP(CImageDetailView, CScrollView)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_PASTE_TO_BOARD, OnPasteToBoard)
    ON_MESSAGE(WM_PICTURE_UNREADABLE, OnUnreadable)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CImageDetailView::~CImageDetailView()
{
    delete m_pImage;
    delete m_pDragImage;
}

void CImageDetailView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(100, 100));
}

void CImageDetailView::SetPictureScrollSizes()
{
    const CSize size = m_pImage->GetDimensions();
    SetScrollSizes(MM_TEXT, CSize(size.cx + 10, size.cy + 10), CSize(200, 200), CSize(50, 50));
}

void CImageDetailView::SetImage(const char* path, CDragImage* dragImage)
{
    m_strPath = path;
    if (m_pDragImage != dragImage)
        delete m_pDragImage;
    m_pDragImage = dragImage;
    delete m_pImage;
    m_pImage = ReadPictureFile(path, nullptr);
    if (m_pImage)
        SetPictureScrollSizes();
    else
        PostMessage(WM_PICTURE_UNREADABLE);
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (frame)
        frame->ShowDetailRow(FALSE);
    Invalidate();
    if (CLeftView* tree = frame ? frame->GetLeftView() : nullptr)
        tree->AddHistory(m_strPath);
}

void CImageDetailView::ShowSearchHit(CTreeNode* node, CDragImage* dragImage)
{
    CFileInfoRecord* record = node ? node->GetRecord() : nullptr;
    SetImage(record ? static_cast<const char*>(record->m_strPath) : "", dragImage);
}

LRESULT CImageDetailView::OnUnreadable(WPARAM, LPARAM)
{
    if (m_pImage)
        return 0;
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()); frame && frame->GetRightView() == this)
        frame->SwitchRightView(0);
    return 0;
}

void CImageDetailView::OnDraw(CDC* dc)
{
    PaintOffscreen(this, dc, [this](CDC* target, const CRect&) {
        if (m_pImage)
            m_pImage->Draw(target, CPoint(10, 10));
    });
}

void CImageDetailView::OnSize(UINT type, int cx, int cy)
{
    CScrollView::OnSize(type, cx, cy);
    if (m_pImage)
        SetPictureScrollSizes();
}

void CImageDetailView::OnLButtonDown(UINT flags, CPoint point)
{
    SetCapture();
    CScrollView::OnLButtonDown(flags, point);
}

void CImageDetailView::OnLButtonUp(UINT flags, CPoint point)
{
    if (GetCapture() == this)
        ReleaseCapture();
    CScrollView::OnLButtonUp(flags, point);
}

void CImageDetailView::OnMouseMove(UINT flags, CPoint point)
{
    if (GetCapture() == this && m_pDragImage) {
        ReleaseCapture();
        AddDragFilePath(m_strPath);
        RunImageDrag(m_pDragImage, CPoint(0, 0), AfxGetMainWnd(),
                     [](COleDropSource* source) { return DoDragDropPending(source); });
    }
    CScrollView::OnMouseMove(flags, point);
}

void CImageDetailView::OnEditCopy()
{
    if (!::OpenClipboard(AfxGetMainWnd() ? AfxGetMainWnd()->GetSafeHwnd() : nullptr))
        return;
    ::EmptyClipboard();
    SetClipboardHDrop(m_strPath);
    ::CloseClipboard();
}

void CImageDetailView::OnPasteToBoard()
{
    const CString path = m_strPath;
    PasteToBoard(AfxGetMainWnd(), [&path] { SetClipboardImageFile(path); });
}
