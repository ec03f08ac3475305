#include "DetailView.h"

#include <BaseImage.h>
#include <DibImage.h>
#include <JpegImage.h>
#include <MetafileImage.h>
#include <PngImage.h>
#include <TiffImage.h>

#include <memory>

#include "DragDropSource.h"
#include "DragImage.h"
#include "HandOver.h"
#include "MainFrame.h"
#include "ThumbLayout.h"
#include "resource.h"
#include "yqItem.h"
#include "yqItemView.h"

// ---- preview ----

BEGIN_MESSAGE_MAP(CPreviewWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CPreviewWnd::~CPreviewWnd() { delete m_pImage; }

BOOL CPreviewWnd::SetImage(const char* path)
{
    delete m_pImage;
    m_pImage = nullptr;
    m_strPath = path;
    CString ending = m_strPath.Right(4);
    ending.MakeUpper();
    std::unique_ptr<CBaseImage> picture;
    if (ending == ".BMP")
        picture = std::make_unique<CDibImage>();
    else if (ending == ".TIF")
        picture = std::make_unique<CTiffImage>();
    else if (ending == ".JPG")
        picture = std::make_unique<CJpegImage>();
    else if (ending == ".PNG")
        picture = std::make_unique<CPngImage>();
    else if (ending == ".WMF" || ending == ".DXF")
        picture = std::make_unique<CMetafileImage>();
    if (!picture || !picture->Read(path))
        return FALSE;
    m_pImage = picture.release();
    if (GetSafeHwnd())
        Invalidate();
    return TRUE;
}

void CPreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    if (m_pImage) {
        const CRect picture = PreviewPictureRect(m_pImage->GetDimensions(), r.Size());
        if (!picture.IsRectEmpty()) {
            m_pImage->Draw(&dc, picture.TopLeft(), picture.Size());
            r = picture;
            r.InflateRect(1, 1);
        }
    }
    dc.Draw3dRect(&r, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

CDragImage* CPreviewWnd::CreateDragImage()
{
    CRect r;
    GetClientRect(&r);
    r.DeflateRect(1, 1);
    return CreatePictureDragImage(m_pImage, r.Size());
}

// ---- form ----

IMPLEMENT_DYNCREATE(CDetailView, CFormView)

BEGIN_MESSAGE_MAP(CDetailView, CFormView)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateAlways)
    ON_COMMAND(ID_PASTE_TO_BOARD, OnPasteToBoard)
    ON_UPDATE_COMMAND_UI(ID_PASTE_TO_BOARD, OnUpdateAlways)
END_MESSAGE_MAP()

CDetailView::CDetailView() : CFormView(IDD_DETAIL_FORM) {}

void CDetailView::DoDataExchange(CDataExchange* dx)
{
    CFormView::DoDataExchange(dx);
    DDX_Control(dx, IDC_DETAIL_LABEL1, m_label1);
    DDX_Control(dx, IDC_DETAIL_LABEL2, m_label2);
    DDX_Control(dx, IDC_DETAIL_LABEL3, m_label3);
    DDX_Control(dx, IDC_DETAIL_VALUE1, m_value1);
    DDX_Control(dx, IDC_DETAIL_VALUE2, m_value2);
    DDX_Control(dx, IDC_DETAIL_INFO, m_info);
    DDX_Control(dx, IDC_DETAIL_PREVIEW, m_preview);
}

void CDetailView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
}

void CDetailView::ShowItem(yqItem* item)
{
    if (!item)
        return;
    m_pItem = item;
    m_preview.SetImage(item->m_strPicturePath);
    if (m_preview.GetSafeHwnd())
        m_preview.Invalidate();
    auto text = [](const char* s) { return s ? s : ""; };
    if (!m_label1.GetSafeHwnd())
        return;
    if (item->m_nKind == yqItem::kProductImage || item->m_nKind == yqItem::kSetImage) {
        m_label1.SetWindowText("品名");
        m_value1.SetWindowText(text(item->m_pszName));
        m_label2.SetWindowText("品番");
        m_value2.SetWindowText(text(item->m_pszNumber));
    } else {
        m_label1.SetWindowText("品番");
        m_value1.SetWindowText(text(item->m_pszNumber));
        m_label2.SetWindowText("種類");
        m_value2.SetWindowText(text(item->m_pszCaption));
    }
    m_info.SetWindowText(item->m_strInfo);
    ShowSubItems();
}

void CDetailView::ShowSubItems()
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (!m_pItem || !frame)
        return;
    auto* row = dynamic_cast<yqSubItemView*>(frame->GetDetailPane());
    if (!row)
        return;
    row->DeleteAllCells();
    for (const yqItemPicture& picture : m_pItem->m_pictures)
        row->AddSubItemCell(picture);
    frame->ShowDetailRow(!m_pItem->m_pictures.empty());
    row->LayoutCells();
    row->Invalidate();
}

void CDetailView::OnSize(UINT type, int cx, int cy)
{
    CFormView::OnSize(type, cx, cy);
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (frame && frame->GetSafeHwnd() && m_pItem && m_pItem->m_pictures.empty())
        frame->ShowDetailRow(FALSE);
}

void CDetailView::OnLButtonDown(UINT flags, CPoint point)
{
    CRect preview;
    if (m_preview.GetSafeHwnd()) {
        m_preview.GetWindowRect(&preview);
        ScreenToClient(&preview);
        if (preview.PtInRect(point)) {
            m_rcDragDetect.SetRect(point.x - 2, point.y - 2, point.x + 3, point.y + 3);  // two pixels or less stay
            SetCapture();
            return;
        }
    }
    CFormView::OnLButtonDown(flags, point);
}

void CDetailView::OnLButtonUp(UINT flags, CPoint point)
{
    if (GetCapture() == this)
        ReleaseCapture();
    else
        CFormView::OnLButtonUp(flags, point);
}

void CDetailView::OnMouseMove(UINT flags, CPoint point)
{
    if (GetCapture() != this || m_rcDragDetect.PtInRect(point)) {
        CFormView::OnMouseMove(flags, point);
        return;
    }
    ReleaseCapture();
    std::unique_ptr<CDragImage> image(m_preview.CreateDragImage());
    if (!image || !m_pItem)
        return;
    CRect preview;
    m_preview.GetWindowRect(&preview);
    ScreenToClient(&preview);
    AddDragItem(*m_pItem);
    RunImageDrag(image.get(), point - preview.TopLeft(), AfxGetMainWnd(),
                 [](COleDropSource* source) { return DoDragDropPending(source); });
}

void CDetailView::OnEditCopy()
{
    if (!m_pItem || !::OpenClipboard(AfxGetMainWnd() ? AfxGetMainWnd()->GetSafeHwnd() : nullptr))
        return;
    ::EmptyClipboard();
    SetClipboardItemHDrop(*m_pItem);
    ::CloseClipboard();
}

void CDetailView::OnPasteToBoard()
{
    yqItem* item = m_pItem;
    PasteToBoard(AfxGetMainWnd(), [item] {
        if (item)
            SetClipboardItem(*item);
    });
}
