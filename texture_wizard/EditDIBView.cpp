#include "EditDIBView.h"

#include "DibFunctions.h"
#include "Image.h"
#include "ImageNotify.h"
#include "ViewZoom.h"
#include "WizardMessages.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Cursor resources of the black-fill tools: brush 1, 5, 15, eraser 1, 5, 15, polygon, fill.
const UINT kCursorIds[8] = {169, 170, 171, 172, 173, 174, 159, 160};

// The checkerboard bitmap covers the client and one period more, so any scroll offset
// finds its squares in it.
const int kCheckPeriod = 32;
const COLORREF kCheckGrey = RGB(214, 214, 214);

int SizeIndex(int pixels)
{
    return pixels <= 1 ? 0 : pixels <= 5 ? 1 : 2;
}

LPARAM PackSize(LONG width, LONG height)
{
    return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(width), static_cast<WORD>(height)));
}

bool EmptyBox(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

// The header as GDI is given it: a layer's header is copied from its file, whose planes
// and size fields GDI would refuse or trust.
BITMAPINFOHEADER GdiHeader(const BITMAPINFOHEADER* info, LONG height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = info->biWidth;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return header;
}

} // namespace

IMPLEMENT_DYNCREATE(CEditDIBView, CWnd)

BEGIN_MESSAGE_MAP(CEditDIBView, CWnd)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CEditDIBView::CEditDIBView()
    : m_nZoom(MakeZoom(1, 1)), m_nFitZoom(MakeZoom(1, 1)), m_bFitToWindow(FALSE), m_rcCrop{},
      m_bRangeBoxShown(FALSE), m_bTilingPreview(FALSE), m_bDragging(FALSE), m_pDisplayBits(NULL),
      m_nDisplayWidth(0), m_nDisplayHeight(0), m_hDisplay(NULL), m_hOldDisplay(NULL), m_pOldBackground(NULL), m_nZoomedWidth(0), m_nZoomedHeight(0),
      m_nClientWidth(0), m_nClientHeight(0), m_bAttached(FALSE), m_bAutoZoomPending(FALSE), m_nScrollMaxX(0),
      m_nScrollMaxY(0), m_nScrollX(0), m_nScrollY(0), m_nPageX(0), m_nPageY(0), m_nLineStep(8), m_hCursors{},
      m_hPreviousCursor(NULL), m_bFitting(FALSE), m_bDeleteOnDestroy(FALSE), m_rcDragStart{}, m_bCropFixed(FALSE),
      m_nRangeMode(0), m_bCropFree(FALSE), m_bSnap(FALSE), m_bRangeHidden(FALSE), m_nHitCode(0),
      m_bDraggingCrop(FALSE), m_nTool(TOOL_NONE), m_nBrushSize(1), m_nEraserSize(1), m_nTolerance(0),
      m_bRubberShown(FALSE), m_pfnMouseMove(NULL), m_pfnDblClk(NULL), m_pfnButtonDown(NULL), m_pfnButtonUp(NULL)
{
    m_penRange.CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    m_penCrop.CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
}

CEditDIBView::~CEditDIBView()
{
    m_mask.Clear();
    m_savedMask.Clear();
    DetachImage();
    if (m_hDisplay != NULL)
        ::DeleteObject(m_hDisplay);
}

BOOL CEditDIBView::Create()
{
    LPCTSTR className = AfxRegisterWndClass(CS_DBLCLKS | CS_BYTEALIGNCLIENT);
    if (!CreateEx(WS_EX_CLIENTEDGE, className, NULL, WS_CHILD, 0, 0, 0, 0, ::GetDesktopWindow(), NULL))
        return FALSE;
    if (!m_dcDisplay.Attach(::CreateCompatibleDC(NULL)) || !m_dcBackground.Attach(::CreateCompatibleDC(NULL))) {
        DestroyWindow();
        return FALSE;
    }
    HINSTANCE module = GetPatinorModule();
    for (int i = 0; i < 8; ++i)
        m_hCursors[i] = ::LoadCursor(module, MAKEINTRESOURCE(kCursorIds[i]));
    // From here on the window owns the object.
    m_bDeleteOnDestroy = TRUE;
    return TRUE;
}

void CEditDIBView::PostNcDestroy()
{
    if (m_hDisplay != NULL) {
        ::DeleteObject(m_hDisplay);
        m_hDisplay = NULL;
    }
    m_pDisplayBits = NULL;
    if (m_pOldBackground != NULL && m_dcBackground.GetSafeHdc() != NULL)
        m_dcBackground.SelectObject(m_pOldBackground);
    m_pOldBackground = NULL;
    m_bmBackground.DeleteObject();
    m_dcDisplay.DeleteDC();
    m_dcBackground.DeleteDC();
    if (m_bDeleteOnDestroy)
        delete this;
}

LRESULT CEditDIBView::SendToPage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND holder = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
    HWND page = holder != NULL ? ::GetParent(holder) : NULL;
    return page != NULL ? ::SendMessage(page, message, wParam, lParam) : 0;
}

/////////////////////////////////////////////////////////////////////////////
// Picture

void CEditDIBView::SetImage(CImage* image)
{
    if (m_bAttached)
        DetachImage();
    m_bAttached = image != NULL;
    m_bAutoZoomPending = image != NULL;
    CDibEditor::SetImage(image);
    if (GetWorkingInfo() == NULL || GetWorkingBits() == NULL)
        m_bAttached = FALSE;
}

void CEditDIBView::DetachImage()
{
    if (!m_bAttached && m_pImage == NULL)
        return;
    CDibEditor::DetachImage();
    m_bAttached = FALSE;
    m_mask.Clear();
    m_savedMask.Clear();
    m_polygon.clear();
}

void CEditDIBView::OnSizeChanged(int width, int height)
{
    SendToPage(WZM_SIZECHANGED, PackSize(width, height), 0);
}

void CEditDIBView::OnUndoSet()
{
    if (!m_mask.IsEmpty())
        m_savedMask = m_mask;
    SendToPage(WZM_UNDOSET, 0, 0);
}

void CEditDIBView::OnReverted()
{
    if (!m_mask.IsEmpty() && m_savedMask.Width() == m_mask.Width() && m_savedMask.Height() == m_mask.Height())
        m_mask = m_savedMask;
    SendToPage(WZM_REVERTED, 0, 0);
}

void CEditDIBView::OnPictureChanged()
{
    if (!m_bAttached)
        return;
    UpdateScrollSizes();
    RefreshBitmap();
}

void CEditDIBView::RefreshBitmap()
{
    BITMAPINFOHEADER* info = GetWorkingInfo();
    if (m_hWnd == NULL)
        return;
    if (info != NULL && GetWorkingBits() != NULL && m_bAttached)
        UpdateDisplayRows(0, info->biHeight);
    Invalidate(FALSE);
}

// The display bitmap's rows top to bottom (picture rows, y downwards) made again from the
// working layer, with the black-fill mask over it while one is painted. The display is a
// 32-bit DIB section written here directly: the platform's own 24-to-32-bit conversion of a
// large picture took most of the time of every edit.
void CEditDIBView::UpdateDisplayRows(int top, int bottom)
{
    BITMAPINFOHEADER* info = GetWorkingInfo();
    const BYTE* bits = GetWorkingBits();
    if (info == NULL || bits == NULL)
        return;
    const int width = info->biWidth, height = info->biHeight;
    const bool masked = !m_mask.IsEmpty() && m_mask.Width() == width && m_mask.Height() == height;
    if (m_hDisplay == NULL || m_nDisplayWidth != width || m_nDisplayHeight != height) {
        if (m_hDisplay != NULL)
            ::DeleteObject(m_hDisplay);
        m_hDisplay = NULL;
        m_pDisplayBits = NULL;
        BITMAPINFOHEADER header = GdiHeader(info, height);
        header.biBitCount = 32;
        void* pixels = NULL;
        m_hDisplay = ::CreateDIBSection(NULL, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &pixels, NULL, 0);
        if (m_hDisplay == NULL || pixels == NULL) {
            if (m_hDisplay != NULL)
                ::DeleteObject(m_hDisplay);
            m_hDisplay = NULL;
            GetImageNotify()->ReportError(IDS_IMAGE_NO_RESOURCE);
            return;
        }
        m_pDisplayBits = static_cast<DWORD*>(pixels);
        m_nDisplayWidth = width;
        m_nDisplayHeight = height;
        top = 0;
        bottom = height;
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, height);
    ::GdiFlush();
    const DWORD stride = DibStride24(width);
    for (int y = top; y < bottom; ++y) {
        const size_t stored = static_cast<size_t>(height - 1 - y);
        const BYTE* in = bits + static_cast<size_t>(stride) * stored;
        DWORD* out = m_pDisplayBits + static_cast<size_t>(width) * stored;
        const BYTE* mask = masked ? m_mask.Bits() + static_cast<size_t>(y) * width : NULL;
        for (int x = 0; x < width; ++x) {
            const DWORD colour = in[3 * x] | (in[3 * x + 1] << 8) | (in[3 * x + 2] << 16);
            out[x] = mask != NULL && mask[x] == CFillMask::BLACK ? 0 : colour;
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Zoom, scrolling and layout

void CEditDIBView::UpdateScrollSizes()
{
    if (m_bFitToWindow) {
        FitNow();
        MakeCheckerboard();
        return;
    }
    m_nZoomedWidth = static_cast<int>(static_cast<long long>(m_nImageWidth) * ZoomMultiplier(m_nZoom) / ZoomDivisor(m_nZoom));
    m_nZoomedHeight = static_cast<int>(static_cast<long long>(m_nImageHeight) * ZoomMultiplier(m_nZoom) / ZoomDivisor(m_nZoom));
    m_nLineStep = ZoomLineStep(m_nZoom);
    m_nScrollX = m_nScrollY = 0;
    m_nScrollMaxX = std::max(m_nZoomedWidth - 1, 0);
    m_nScrollMaxY = std::max(m_nZoomedHeight - 1, 0);
    if (m_hWnd != NULL) {
        SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_POS, 0, m_nScrollMaxX, 0, 0, 0};
        ::SetScrollInfo(m_hWnd, SB_HORZ, &si, FALSE);
        si.nMax = m_nScrollMaxY;
        ::SetScrollInfo(m_hWnd, SB_VERT, &si, FALSE);
    }
    Layout(-1);
}

void CEditDIBView::Layout(int sizeType)
{
    if (m_bAttached) {
        if (m_bFitToWindow && sizeType >= 0 && !m_bFitting) {
            FitNow();
            MakeCheckerboard();
            return;
        }
        if (!m_bFitToWindow) {
            const int oldX = m_nScrollX, oldY = m_nScrollY;
            m_nPageX = std::min(m_nZoomedWidth, m_nClientWidth);
            m_nPageY = std::min(m_nZoomedHeight, m_nClientHeight);
            if (m_nScrollMaxX < m_nScrollX + m_nPageX)
                m_nScrollX = std::max(0, m_nScrollMaxX - m_nPageX + 1);
            if (m_nScrollMaxY < m_nScrollY + m_nPageY)
                m_nScrollY = std::max(0, m_nScrollMaxY - m_nPageY + 1);
            if (m_hWnd != NULL) {
                SCROLLINFO si = {sizeof(si), SIF_PAGE | SIF_POS, 0, 0, static_cast<UINT>(m_nPageX), m_nScrollX, 0};
                ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
                si.nPage = static_cast<UINT>(m_nPageY);
                si.nPos = m_nScrollY;
                ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
                if (sizeType >= 0 && (oldX != m_nScrollX || oldY != m_nScrollY))
                    ScrollWindow(oldX - m_nScrollX, oldY - m_nScrollY);
            }
        }
    }
    MakeCheckerboard();
}

void CEditDIBView::FitNow()
{
    m_bFitting = TRUE;
    m_nScrollX = m_nScrollY = 0;
    m_nScrollMaxX = m_nScrollMaxY = 0;
    m_nPageX = m_nPageY = 0;
    if (m_hWnd != NULL) {
        SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
        ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
        CRect client;
        GetClientRect(&client);
        m_nClientWidth = client.Width();
        m_nClientHeight = client.Height();
    }
    const FitResult fit = FitPicture(m_nImageWidth, m_nImageHeight, m_nClientWidth, m_nClientHeight);
    m_nFitZoom = fit.zoom;
    m_nZoomedWidth = fit.width;
    m_nZoomedHeight = fit.height;
    m_bFitting = FALSE;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CEditDIBView::ZoomIn()
{
    SetZoom(ZoomInStep(m_nZoom));
}

void CEditDIBView::ZoomOut()
{
    SetZoom(ZoomOutStep(m_nZoom));
}

void CEditDIBView::SetZoom(UINT zoom)
{
    m_bFitToWindow = FALSE;
    m_nZoom = zoom;
    UpdateScrollSizes();
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CEditDIBView::SetFitToWindow(BOOL fit)
{
    m_bFitToWindow = fit;
    if (fit) {
        FitNow();
        MakeCheckerboard();
    } else {
        if (m_bTilingPreview && m_bRangeBoxShown) {
            m_nImageWidth = m_rcRange.right - m_rcRange.left;
            m_nImageHeight = m_rcRange.bottom - m_rcRange.top;
        } else if (GetWorkingInfo() != NULL) {
            m_nImageWidth = GetWorkingInfo()->biWidth;
            m_nImageHeight = GetWorkingInfo()->biHeight;
        }
        UpdateScrollSizes();
    }
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CEditDIBView::ChooseZoom()
{
    int w = m_nImageWidth, h = m_nImageHeight;
    if (m_bRangeBoxShown && m_bCropFixed && !m_bSnap) {
        w = std::max<int>(w, m_rcCrop.right - m_rcCrop.left);
        h = std::max<int>(h, m_rcCrop.bottom - m_rcCrop.top);
    }
    m_nZoom = ChooseAutoZoom(w, h, m_nClientWidth, m_nClientHeight);
    m_bAutoZoomPending = FALSE;
    SendToPage(WZM_ZOOMCHANGED, 0, 0);
    UpdateScrollSizes();
}

void CEditDIBView::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    m_nClientWidth = cx;
    m_nClientHeight = cy;
    Layout(static_cast<int>(nType));
}

void CEditDIBView::ScrollTo(int bar, int position)
{
    int& current = bar == SB_HORZ ? m_nScrollX : m_nScrollY;
    const int delta = current - position;
    current = position;
    ::SetScrollPos(m_hWnd, bar, position, TRUE);
    if (delta != 0)
        ScrollWindow(bar == SB_HORZ ? delta : 0, bar == SB_HORZ ? 0 : delta);
}

namespace {

// New scroll position for a scroll-bar request; the last reachable position is
// maximum - page + 1.
int ScrollTarget(UINT code, int position, int line, int page, int maximum, int track)
{
    const int last = std::max(maximum - page + 1, 0);
    switch (code) {
    case SB_LINEUP: return std::max(position - line, 0);
    case SB_LINEDOWN: return std::min(position + line, last);
    case SB_PAGEUP: return std::max(position - page, 0);
    case SB_PAGEDOWN: return std::min(position + page, last);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return std::clamp(track, 0, last);
    case SB_TOP: return 0;
    case SB_BOTTOM: return last;
    default: return position;
    }
}

} // namespace

void CEditDIBView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    OnScroll(SB_HORZ, nSBCode, nPos);
}

void CEditDIBView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    OnScroll(SB_VERT, nSBCode, nPos);
}

void CEditDIBView::OnScroll(int bar, UINT code, UINT position)
{
    if (code == SB_ENDSCROLL)
        return;
    // The thumb's 32-bit position: the message carries only 16 bits.
    int track = static_cast<int>(position);
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
        SCROLLINFO si = {sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        if (::GetScrollInfo(m_hWnd, bar, &si))
            track = si.nTrackPos;
    }
    if (bar == SB_HORZ)
        ScrollTo(SB_HORZ, ScrollTarget(code, m_nScrollX, m_nLineStep, m_nPageX, m_nScrollMaxX, track));
    else
        ScrollTo(SB_VERT, ScrollTarget(code, m_nScrollY, m_nLineStep, m_nPageY, m_nScrollMaxY, track));
}

/////////////////////////////////////////////////////////////////////////////
// Coordinates

CPoint CEditDIBView::ClientToImage(CPoint point) const
{
    const UINT zoom = m_bFitToWindow ? m_nFitZoom : m_nZoom;
    const bool plain = !m_bFitToWindow && ZoomIsOne(m_nZoom);
    return CPoint(UnzoomValue(point.x, m_nScrollX, zoom, plain), UnzoomValue(point.y, m_nScrollY, zoom, plain));
}

CPoint CEditDIBView::ImageToClient(CPoint point) const
{
    if (!m_bFitToWindow && ZoomIsOne(m_nZoom))
        return point;
    const UINT zoom = m_bFitToWindow ? m_nFitZoom : m_nZoom;
    return CPoint(ZoomValue(point.x, zoom), ZoomValue(point.y, zoom));
}

CRect CEditDIBView::ImageToClient(const RECT& rect) const
{
    const CPoint topLeft = ImageToClient(CPoint(rect.left, rect.top));
    const CPoint bottomRight = ImageToClient(CPoint(rect.right, rect.bottom));
    return CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void CEditDIBView::MakeCheckerboard()
{
    if (m_hWnd == NULL || m_dcBackground.GetSafeHdc() == NULL || m_nClientWidth <= 0 || m_nClientHeight <= 0)
        return;
    const int width = m_nClientWidth + 2 * kCheckPeriod, height = m_nClientHeight + 2 * kCheckPeriod;
    if (m_pOldBackground != NULL)
        m_dcBackground.SelectObject(m_pOldBackground);
    m_pOldBackground = NULL;
    m_bmBackground.DeleteObject();
    CClientDC dc(this);
    if (!m_bmBackground.CreateCompatibleBitmap(&dc, width, height))
        return;
    m_pOldBackground = m_dcBackground.SelectObject(&m_bmBackground);
    CBrush grey(kCheckGrey);
    m_dcBackground.PatBlt(0, 0, width, height, WHITENESS);
    for (int j = 0; j * 16 < height; ++j) {
        for (int i = 0; i * 16 < width; ++i) {
            if ((i + j) % 2 == 1) {
                CRect square(i * 16, j * 16, i * 16 + 16, j * 16 + 16);
                m_dcBackground.FillRect(&square, &grey);
            }
        }
    }
}

void CEditDIBView::CopyCheckerboard(CDC* pDC, int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0 || m_pOldBackground == NULL)
        return;
    const int sx = ((x % kCheckPeriod) + kCheckPeriod) % kCheckPeriod;
    const int sy = ((y % kCheckPeriod) + kCheckPeriod) % kCheckPeriod;
    // Wider than the prepared bitmap only before the first WM_SIZE catches up: in steps.
    const int stepX = m_nClientWidth + kCheckPeriod, stepY = m_nClientHeight + kCheckPeriod;
    for (int oy = 0; oy < height; oy += stepY) {
        for (int ox = 0; ox < width; ox += stepX) {
            pDC->BitBlt(x + ox, y + oy, std::min(stepX, width - ox), std::min(stepY, height - oy), &m_dcBackground,
                        sx, sy, SRCCOPY);
        }
    }
}

void CEditDIBView::OnPaint()
{
    CPaintDC dc(this);
    if (m_bAttached && m_bAutoZoomPending)
        ChooseZoom();
    dc.SetWindowOrg(m_nScrollX, m_nScrollY);
    CRect dirty;
    if (dc.GetClipBox(&dirty) == NULLREGION || dirty.IsRectEmpty())
        return;
    if (!m_bAttached || m_hDisplay == NULL) {
        CopyCheckerboard(&dc, dirty.left, dirty.top, dirty.Width(), dirty.Height());
        return;
    }
    PaintPicture(&dc, dirty);
}

void CEditDIBView::PaintPicture(CDC* pDC, const CRect& dirty)
{
    HGDIOBJ old = ::SelectObject(m_dcDisplay.GetSafeHdc(), m_hDisplay);
    pDC->SetStretchBltMode(COLORONCOLOR);
    const int zw = m_nZoomedWidth, zh = m_nZoomedHeight;
    if (m_bTilingPreview) {
        const RECT source = m_bRangeBoxShown ? m_rcRange : RECT{0, 0, 0, 0};
        const int tw = zw / 3, th = zh / 3;
        for (int j = 0; j < 3; ++j) {
            for (int i = 0; i < 3; ++i) {
                CRect tile(i * tw, j * th, (i + 1) * tw, (j + 1) * th);
                CRect visible;
                if (visible.IntersectRect(&tile, &dirty))
                    pDC->StretchBlt(tile.left, tile.top, tw, th, &m_dcDisplay, source.left, source.top,
                                    m_nImageWidth, m_nImageHeight, SRCCOPY);
            }
        }
        CopyCheckerboard(pDC, 3 * tw, dirty.top, dirty.right - 3 * tw, dirty.Height());
        CopyCheckerboard(pDC, dirty.left, 3 * th, std::min<int>(dirty.right, 3 * tw) - dirty.left, dirty.bottom - 3 * th);
    } else {
        if (m_bFitToWindow) {
            pDC->StretchBlt(0, 0, zw, zh, &m_dcDisplay, 0, 0, m_nImageWidth, m_nImageHeight, SRCCOPY);
        } else if (!ZoomIsOne(m_nZoom)) {
            // The dirty part widened to 8-pixel steps, so that neighbouring strips meet
            // on whole source pixels.
            const int m = static_cast<int>(ZoomMultiplier(m_nZoom)), d = static_cast<int>(ZoomDivisor(m_nZoom));
            const int x = std::max<int>(dirty.left, 0) & ~7, y = std::max<int>(dirty.top, 0) & ~7;
            const int w = std::min<int>((dirty.right - x + 15) & ~7, zw - x);
            const int h = std::min<int>((dirty.bottom - y + 15) & ~7, zh - y);
            if (w > 0 && h > 0) {
                pDC->StretchBlt(x, y, w, h, &m_dcDisplay, static_cast<int>(static_cast<long long>(x) * d / m),
                                static_cast<int>(static_cast<long long>(y) * d / m),
                                static_cast<int>(static_cast<long long>(w) * d / m),
                                static_cast<int>(static_cast<long long>(h) * d / m), SRCCOPY);
            }
        } else {
            pDC->BitBlt(dirty.left, dirty.top, dirty.Width(), dirty.Height(), &m_dcDisplay, dirty.left, dirty.top,
                        SRCCOPY);
        }
        // Everything right of and below the picture.
        if (dirty.right > zw)
            CopyCheckerboard(pDC, std::max<int>(zw, dirty.left), dirty.top, dirty.right - std::max<int>(zw, dirty.left),
                             dirty.Height());
        if (dirty.bottom > zh)
            CopyCheckerboard(pDC, dirty.left, std::max<int>(zh, dirty.top), std::min<int>(dirty.right, zw) - dirty.left,
                             dirty.bottom - std::max<int>(zh, dirty.top));
    }
    ::SelectObject(m_dcDisplay.GetSafeHdc(), old);

    if (m_polygon.size() > 1) {
        std::vector<POINT> points(m_polygon.size());
        for (size_t i = 0; i < m_polygon.size(); ++i)
            points[i] = ImageToClient(CPoint(m_polygon[i]));
        const int rop = pDC->SetROP2(R2_MERGEPEN);
        HGDIOBJ pen = pDC->SelectStockObject(WHITE_PEN);
        ::Polyline(pDC->GetSafeHdc(), points.data(), static_cast<int>(points.size()));
        ::SelectObject(pDC->GetSafeHdc(), pen);
        pDC->SetROP2(rop);
    }
    if (m_bRangeBoxShown && !m_bTilingPreview)
        DrawBoxes(pDC);
}

void CEditDIBView::DrawBoxes(CDC* pDC)
{
    if (!m_bRangeHidden)
        DrawRangeBox(pDC, m_rcRange, m_bDragging && !m_bDraggingCrop);
    if (!m_bSnap)
        DrawCropBox(pDC, m_rcCrop, m_bDragging && m_bDraggingCrop);
}

namespace {

void Outline(CDC* pDC, const CRect& r)
{
    pDC->MoveTo(r.left, r.top);
    pDC->LineTo(r.left, r.bottom - 1);
    pDC->LineTo(r.right - 1, r.bottom - 1);
    pDC->LineTo(r.right - 1, r.top);
    pDC->LineTo(r.left, r.top);
}

} // namespace

void CEditDIBView::DrawRangeBox(CDC* pDC, const RECT& box, BOOL xorMode)
{
    const CRect r = ImageToClient(box);
    CPen* oldPen = pDC->SelectObject(&m_penRange);
    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    const int oldMode = pDC->SetBkMode(OPAQUE);
    const int oldRop = pDC->SetROP2(xorMode ? R2_XORPEN : R2_COPYPEN);
    Outline(pDC, r);
    pDC->SetROP2(oldRop);
    pDC->SetBkMode(oldMode);
    pDC->SetBkColor(oldBk);
    pDC->SelectObject(oldPen);
    const POINT handles[4] = {{r.left - 2, r.top - 2}, {r.left - 2, r.bottom - 3}, {r.right - 3, r.top - 2},
                              {r.right - 3, r.bottom - 3}};
    for (const POINT& h : handles)
        pDC->PatBlt(h.x, h.y, 5, 5, DSTINVERT);
}

void CEditDIBView::DrawCropBox(CDC* pDC, const RECT& box, BOOL xorMode)
{
    const CRect r = ImageToClient(box);
    CPen* oldPen = pDC->SelectObject(&m_penCrop);
    const COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    const int oldRop = pDC->SetROP2(xorMode ? R2_XORPEN : R2_COPYPEN);
    Outline(pDC, r);
    pDC->SetROP2(oldRop);
    pDC->SetBkColor(oldBk);
    pDC->SelectObject(oldPen);
}

void CEditDIBView::XorDraggedBox(const RECT& box)
{
    CClientDC dc(this);
    dc.SetWindowOrg(m_nScrollX, m_nScrollY);
    if (m_bDraggingCrop)
        DrawCropBox(&dc, box, TRUE);
    else if (!m_bRangeHidden)
        DrawRangeBox(&dc, box, TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// Boxes

BoxRules CEditDIBView::Rules() const
{
    return BoxRules{m_nRangeMode, m_bCropFixed, m_bCropFree, m_bSnap, m_bRangeHidden};
}

int CEditDIBView::HitTest(CPoint client) const
{
    return BoxHitTest(ClientToImage(client), m_rcRange, m_rcCrop, Rules());
}

void CEditDIBView::SetHandlers(MouseHandler move, MouseHandler down, MouseHandler up, MouseHandler dblclk)
{
    m_pfnMouseMove = move;
    m_pfnButtonDown = down;
    m_pfnButtonUp = up;
    m_pfnDblClk = dblclk;
}

void CEditDIBView::ShowRangeBox(BOOL show, BOOL cropFixed, int rangeMode, int boxType)
{
    if (show) {
        if (m_bRangeBoxShown)
            RefreshBitmap();
        if (EmptyBox(m_rcRange))
            m_rcRange = DefaultRangeBox(m_nScrollX, m_nScrollY, m_nImageWidth, m_nImageHeight);
        m_nRangeMode = rangeMode;
        m_bCropFixed = cropFixed;
        m_bRangeBoxShown = TRUE;
        m_bSnap = boxType == 1;
        m_bRangeHidden = boxType == 2;
        if (m_hWnd != NULL)
            Invalidate(FALSE);
        SetHandlers(&CEditDIBView::OnBoxMouseMove, &CEditDIBView::OnBoxButtonDown, &CEditDIBView::OnBoxButtonUp, NULL);
        SendToPage(WZM_SIZECHANGED, PackSize(m_rcRange.right - m_rcRange.left, m_rcRange.bottom - m_rcRange.top),
                   PackSize(m_rcCrop.right - m_rcCrop.left, m_rcCrop.bottom - m_rcCrop.top));
    } else {
        if (!m_bRangeBoxShown)
            return;
        SetHandlers(NULL, NULL, NULL, NULL);
        m_bRangeBoxShown = FALSE;
        RefreshBitmap();
        SendToPage(WZM_SIZECHANGED, PackSize(m_nImageWidth, m_nImageHeight),
                   PackSize(m_rcCrop.right - m_rcCrop.left, m_rcCrop.bottom - m_rcCrop.top));
    }
}

void CEditDIBView::SetTilingPreview(BOOL on)
{
    m_bTilingPreview = on;
    if (on && m_bRangeBoxShown && !EmptyBox(m_rcRange)) {
        m_nImageWidth = m_rcRange.right - m_rcRange.left;
        m_nImageHeight = m_rcRange.bottom - m_rcRange.top;
    } else if (GetWorkingInfo() != NULL) {
        m_nImageWidth = GetWorkingInfo()->biWidth;
        m_nImageHeight = GetWorkingInfo()->biHeight;
    }
    UpdateScrollSizes();
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CEditDIBView::SetCropBox(int left, int top, int right, int bottom, BOOL cropFree)
{
    m_rcCrop = RECT{left, top, right, bottom};
    m_bCropFree = cropFree;
    RefreshBitmap();
}

void CEditDIBView::SetCropBoxSize(int width, int height, BOOL cropFree)
{
    if (width > 0 && height > 0)
        m_rcCrop = RECT{0, 0, width, height};
    else if (EmptyBox(m_rcCrop))
        m_rcCrop = RECT{10, 10, m_rcRange.right - 10, m_rcRange.bottom - 10};
    m_bCropFree = cropFree;
    RefreshBitmap();
}

SIZE CEditDIBView::ResizeLimit() const
{
    const BITMAPINFOHEADER* info = GetWorkingInfo();
    const SIZE layer = {info != NULL ? info->biWidth : 0, info != NULL ? info->biHeight : 0};
    if (m_nRangeMode < 0 || (m_bDraggingCrop && !m_bCropFree))
        return layer;
    const CPoint client = ClientToImage(CPoint(m_nClientWidth, m_nClientHeight));
    SIZE limit = {client.x, client.y};
    if (m_bSnap) {
        limit.cx = std::min<LONG>(limit.cx, 512);
        limit.cy = std::min<LONG>(limit.cy, 512);
    }
    return limit;
}

void CEditDIBView::OnBoxMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bDragging) {
        if (!m_bRangeBoxShown)
            return;
        int code = HitTest(point);
        m_bDraggingCrop = (static_cast<UINT>(code) & BOX_HIT_CROP) != 0;
        code = static_cast<int>(static_cast<UINT>(code) & ~BOX_HIT_CROP);
        LPCTSTR cursor = NULL;
        switch (code) {
        case BOX_HIT_MOVE: cursor = IDC_SIZEALL; break;
        case BOX_HIT_LEFT:
        case BOX_HIT_RIGHT: cursor = IDC_SIZEWE; break;
        case BOX_HIT_TOP:
        case BOX_HIT_BOTTOM: cursor = IDC_SIZENS; break;
        case BOX_HIT_TOPLEFT:
        case BOX_HIT_BOTTOMRIGHT: cursor = IDC_SIZENWSE; break;
        case BOX_HIT_TOPRIGHT:
        case BOX_HIT_BOTTOMLEFT: cursor = IDC_SIZENESW; break;
        }
        if (cursor != NULL) {
            HCURSOR previous = ::SetCursor(::LoadCursor(NULL, cursor));
            if (m_hPreviousCursor == NULL)
                m_hPreviousCursor = previous;
        } else if (m_hPreviousCursor != NULL) {
            ::SetCursor(m_hPreviousCursor);
            m_hPreviousCursor = NULL;
        }
        return;
    }

    // Automatic scrolling while the pointer is outside the view.
    const int oldX = m_nScrollX, oldY = m_nScrollY;
    if (m_nScrollMaxX >= m_nPageX) {
        if (point.x < 0 && m_nScrollX > 0)
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
        else if (point.x > m_nClientWidth && !m_bFitToWindow && m_nScrollMaxX - m_nPageX >= m_nScrollX)
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    }
    if (m_nScrollMaxY >= m_nPageY) {
        if (point.y < 0 && m_nScrollY > 0)
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        else if (point.y > m_nClientHeight && !m_bFitToWindow && m_nScrollMaxY - m_nPageY >= m_nScrollY)
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    }
    if (oldX != m_nScrollX || oldY != m_nScrollY) {
        m_ptDragOrigin.x -= m_nScrollX - oldX;
        m_ptDragOrigin.y -= m_nScrollY - oldY;
        if ((nFlags & MK_LBUTTON) || (::GetAsyncKeyState(VK_LBUTTON) & 0x8000)) {
            POINT cursor;
            ::GetCursorPos(&cursor);
            ScreenToClient(&cursor);
            PostMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(cursor.x, cursor.y));
        }
    }

    const CPoint now = ClientToImage(point), origin = ClientToImage(m_ptDragOrigin);
    const int dx = now.x - origin.x, dy = now.y - origin.y;
    const BITMAPINFOHEADER* info = GetWorkingInfo();
    const int layerWidth = info != NULL ? info->biWidth : 0, layerHeight = info != NULL ? info->biHeight : 0;
    RECT& box = m_bDraggingCrop ? m_rcCrop : m_rcRange;
    RECT moved;
    if (m_nHitCode == BOX_HIT_MOVE) {
        moved = MoveBox(m_rcDragStart, dx, dy, layerWidth, layerHeight);
    } else {
        moved = ResizeBox(m_rcDragStart, m_nHitCode, dx, dy, ResizeLimit(), SIZE{layerWidth, layerHeight},
                          ProportionalResize(Rules(), m_bDraggingCrop != FALSE), m_bSnap != FALSE);
    }
    if (memcmp(&moved, &box, sizeof(RECT)) != 0) {
        XorDraggedBox(box);
        box = moved;
        XorDraggedBox(box);
    }
    if (m_nHitCode != BOX_HIT_MOVE)
        SendToPage(WZM_SIZECHANGED, PackSize(m_rcRange.right - m_rcRange.left, m_rcRange.bottom - m_rcRange.top),
                   PackSize(m_rcCrop.right - m_rcCrop.left, m_rcCrop.bottom - m_rcCrop.top));
}

void CEditDIBView::OnBoxButtonDown(UINT, CPoint point)
{
    int code = HitTest(point);
    if (code == BOX_HIT_NONE)
        return;
    m_bDraggingCrop = (static_cast<UINT>(code) & BOX_HIT_CROP) != 0;
    m_nHitCode = static_cast<int>(static_cast<UINT>(code) & ~BOX_HIT_CROP);
    if (!m_bDraggingCrop)
        SaveUndo(FALSE);
    SetCapture();
    m_bDragging = TRUE;
    m_rcDragStart = m_bDraggingCrop ? m_rcCrop : m_rcRange;
    m_ptDragOrigin = point;
    RefreshBitmap();
}

void CEditDIBView::OnBoxButtonUp(UINT, CPoint)
{
    if (!m_bDragging)
        return;
    ::ReleaseCapture();
    if (m_bRangeBoxShown && !m_bSnap && !m_bDraggingCrop)
        m_rcCrop = PullCropIntoRange(m_rcCrop, m_rcRange);
    if (m_nRangeMode < 0 || m_bDraggingCrop) {
        m_bDragging = FALSE;
        RefreshBitmap();
        return;
    }
    if (!m_bSnap && !m_bCropFree)
        m_rcCrop = CutCropToRange(m_rcCrop, m_rcRange);
    m_bDragging = FALSE;
    // The undo state keeps the box from before the drag; a box of no size is not applied.
    const RECT dragged = m_rcRange;
    if (EmptyBox(dragged)) {
        m_rcRange = m_rcDragStart;
        RefreshBitmap();
        return;
    }
    m_rcRange = m_rcDragStart;
    SaveUndo(TRUE);
    m_rcRange = dragged;
    if (!ApplySize())
        Revert();
}

/////////////////////////////////////////////////////////////////////////////
// Mouse messages

// The mode in use answers; without one the message takes its default course.
void CEditDIBView::Dispatch(MouseHandler handler, UINT nFlags, CPoint point)
{
    if (handler != NULL)
        (this->*handler)(nFlags, point);
    else
        Default();
}

BOOL CEditDIBView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    HCURSOR cursor = NULL;
    switch (m_nTool) {
    case TOOL_BRUSH: cursor = m_hCursors[SizeIndex(m_nBrushSize)]; break;
    case TOOL_ERASER: cursor = m_hCursors[3 + SizeIndex(m_nEraserSize)]; break;
    case TOOL_POLYGON: cursor = m_hCursors[6]; break;
    case TOOL_FLOODFILL: cursor = m_hCursors[7]; break;
    }
    if (cursor != NULL && ::GetCursor() != cursor)
        ::SetCursor(cursor);
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CEditDIBView::OnMouseMove(UINT nFlags, CPoint point)
{
    Dispatch(m_pfnMouseMove, nFlags, point);
}

void CEditDIBView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    Dispatch(m_pfnDblClk, nFlags, point);
}

void CEditDIBView::OnLButtonDown(UINT nFlags, CPoint point)
{
    Dispatch(m_pfnButtonDown, nFlags, point);
}

void CEditDIBView::OnLButtonUp(UINT nFlags, CPoint point)
{
    Dispatch(m_pfnButtonUp, nFlags, point);
}

void CEditDIBView::OnRButtonDown(UINT, CPoint)
{
    if (!m_bRangeBoxShown && !(::GetAsyncKeyState(VK_LBUTTON) & 0x8000))
        EndTool(TRUE);
}

/////////////////////////////////////////////////////////////////////////////
// Black-fill tools

BOOL CEditDIBView::BeginMaskEdit()
{
    if (!m_bAttached)
        return FALSE;
    if (!m_mask.IsEmpty())
        return TRUE;
    if (WorkingIsBase()) {
        if (!m_mask.Create(m_nImageWidth, m_nImageHeight)) {
            GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
            return FALSE;
        }
        m_savedMask = m_mask;
    } else {
        // Editing goes on over the base picture with the mask of the last application.
        UseBaseAsWorking();
        if (m_savedMask.Width() == m_nImageWidth && m_savedMask.Height() == m_nImageHeight) {
            m_mask = m_savedMask;
        } else if (!m_mask.Create(m_nImageWidth, m_nImageHeight)) {
            GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
            return FALSE;
        }
        UpdateScrollSizes();
    }
    RefreshBitmap();
    return TRUE;
}

void CEditDIBView::SelectTool(int tool)
{
    if (!BeginMaskEdit())
        return;
    m_nTool = tool;
    m_polygon.clear();
    m_bRubberShown = FALSE;
    switch (tool) {
    case TOOL_BRUSH:
    case TOOL_ERASER:
        SetHandlers(&CEditDIBView::OnToolMouseMove, &CEditDIBView::OnToolButtonDown, &CEditDIBView::OnToolButtonUp, NULL);
        break;
    case TOOL_POLYGON:
        SetHandlers(&CEditDIBView::OnToolMouseMove, &CEditDIBView::OnToolButtonDown, &CEditDIBView::OnToolButtonUp,
                    &CEditDIBView::OnPolygonDblClk);
        break;
    default:
        SetHandlers(NULL, &CEditDIBView::OnToolButtonDown, &CEditDIBView::OnToolButtonUp, NULL);
        break;
    }
}

void CEditDIBView::SelectBrushTool(int size)
{
    m_nBrushSize = BrushPixels(size);
    SelectTool(TOOL_BRUSH);
}

void CEditDIBView::SelectEraserTool(int size)
{
    m_nEraserSize = BrushPixels(size);
    SelectTool(TOOL_ERASER);
}

void CEditDIBView::SelectPolygonTool()
{
    SelectTool(TOOL_POLYGON);
}

void CEditDIBView::SelectFloodFillTool(int tolerance)
{
    m_nTolerance = std::clamp(tolerance, 0, 255);
    SelectTool(TOOL_FLOODFILL);
}

void CEditDIBView::MaskChanged(int top, int bottom)
{
    UpdateDisplayRows(top, bottom);
    Invalidate(FALSE);
}

void CEditDIBView::OnToolButtonDown(UINT nFlags, CPoint point)
{
    const CPoint p = ClientToImage(point);
    if (m_mask.IsEmpty() || p.x < 0 || p.y < 0 || p.x >= m_mask.Width() || p.y >= m_mask.Height())
        return;
    switch (m_nTool) {
    case TOOL_BRUSH:
    case TOOL_ERASER: {
        SaveUndo(FALSE);
        SetCapture();
        m_bDragging = TRUE;
        const int size = m_nTool == TOOL_BRUSH ? m_nBrushSize : m_nEraserSize;
        if (size == 1) {
            m_mask.Set(p.x, p.y, m_nTool == TOOL_BRUSH ? CFillMask::BLACK : CFillMask::WHITE);
            m_ptStroke = p;
        }
        OnToolMouseMove(nFlags, point);
        break;
    }
    case TOOL_POLYGON:
        if (m_polygon.empty()) {
            SaveUndo(FALSE);
            m_polygon.reserve(256);
        } else if (PolygonCloses(m_polygon.front(), p)) {
            ClosePolygon();
            return;
        }
        m_polygon.push_back(p);
        m_bRubberShown = FALSE;
        Invalidate(FALSE);
        break;
    case TOOL_FLOODFILL: {
        CWaitCursor wait;
        SaveUndo(FALSE);
        const BITMAPINFOHEADER* info = GetWorkingInfo();
        const BYTE* pixel = GetWorkingBits() + static_cast<size_t>(DibStride24(info->biWidth)) * (info->biHeight - 1 - p.y) + 3 * p.x;
        FloodFill(p.x, p.y, RGB(pixel[2], pixel[1], pixel[0]), m_nTolerance);
        break;
    }
    }
}

int CEditDIBView::FloodFill(int x, int y, COLORREF colour, int tolerance)
{
    const int filled = m_mask.FloodFill(GetWorkingInfo(), GetWorkingBits(), x, y, colour, tolerance);
    if (filled > 0)
        MaskChanged(0, m_mask.Height());
    return filled;
}

void CEditDIBView::OnToolMouseMove(UINT, CPoint point)
{
    const CPoint p = ClientToImage(point);
    if (m_bDragging && (m_nTool == TOOL_BRUSH || m_nTool == TOOL_ERASER)) {
        const BYTE value = m_nTool == TOOL_BRUSH ? CFillMask::BLACK : CFillMask::WHITE;
        const int size = m_nTool == TOOL_BRUSH ? m_nBrushSize : m_nEraserSize;
        if (size == 1) {
            m_mask.Line(m_ptStroke, p, value);
            MaskChanged(std::min(m_ptStroke.y, p.y), std::max(m_ptStroke.y, p.y) + 1);
            m_ptStroke = p;
        } else {
            m_mask.Square(p.x, p.y, size, value);
            MaskChanged(p.y - size / 2, p.y - size / 2 + size);
        }
    } else if (m_nTool == TOOL_POLYGON && !m_bDragging && !m_polygon.empty()) {
        CPoint to = p;
        if (PolygonCloses(m_polygon.front(), to))
            to = m_polygon.front();
        DrawRubberBand(ImageToClient(to));
    }
}

void CEditDIBView::DrawRubberBand(CPoint to)
{
    CClientDC dc(this);
    dc.SetWindowOrg(m_nScrollX, m_nScrollY);
    CRgn clip;
    const CRect picture(-m_nScrollX, -m_nScrollY, m_nZoomedWidth - m_nScrollX, m_nZoomedHeight - m_nScrollY);
    clip.CreateRectRgnIndirect(&picture);
    dc.SelectClipRgn(&clip);
    const int rop = dc.SetROP2(R2_NOTXORPEN);
    const CPoint from = ImageToClient(CPoint(m_polygon.back()));
    if (m_bRubberShown) {
        dc.MoveTo(from);
        dc.LineTo(m_ptRubber);
    }
    dc.MoveTo(from);
    dc.LineTo(to);
    m_ptRubber = to;
    m_bRubberShown = TRUE;
    dc.SetROP2(rop);
}

void CEditDIBView::OnToolButtonUp(UINT, CPoint)
{
    if (!m_bDragging)
        return;
    ::ReleaseCapture();
    m_bDragging = FALSE;
}

void CEditDIBView::OnPolygonDblClk(UINT, CPoint point)
{
    const CPoint p = ClientToImage(point);
    if (p.x < 0 || p.y < 0 || p.x >= m_mask.Width() || p.y >= m_mask.Height())
        return;
    ClosePolygon();
}

void CEditDIBView::ClosePolygon()
{
    if (!m_polygon.empty()) {
        m_mask.KeepPolygon(m_polygon.data(), static_cast<int>(m_polygon.size()));
        m_polygon.clear();
        m_bRubberShown = FALSE;
        MaskChanged(0, m_mask.Height());
    }
}

void CEditDIBView::EndTool(BOOL cancelPolygon)
{
    if (cancelPolygon && m_nTool == TOOL_POLYGON) {
        m_polygon.clear();
        m_bRubberShown = FALSE;
        Invalidate(FALSE);
        return;
    }
    m_nTool = TOOL_NONE;
    SetHandlers(NULL, NULL, NULL, NULL);
    ApplyMask();
}

void CEditDIBView::ApplyMask()
{
    if (m_mask.IsEmpty())
        return;
    m_savedMask = m_mask;
    BITMAPINFOHEADER* info = GetWorkingInfo();
    const DWORD bytes = info != NULL ? DibBytes24(info->biWidth, info->biHeight) : 0;
    BITMAPINFOHEADER* header = bytes != 0 ? DibNewHeader24(m_pInfo[0], info->biWidth, info->biHeight) : NULL;
    BYTE* bits = header != NULL ? static_cast<BYTE*>(malloc(bytes)) : NULL;
    if (bits == NULL || !m_mask.ApplyTo(info, GetWorkingBits(), bits)) {
        free(header);
        free(bits);
        GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        return; // the mask stays, so nothing painted is lost
    }
    SetWorking(header, bits);
    m_mask.Clear();
    m_polygon.clear();
    RefreshBitmap();
}
