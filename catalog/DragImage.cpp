#include "DragImage.h"

#include <BaseImage.h>

#include "ThumbLayout.h"

IMPLEMENT_DYNCREATE(CDragImage, CImageList)
IMPLEMENT_DYNCREATE(CDragFrame, CDragImage)

BOOL CDragImage::BeginDrag(int x, int y) { return ImageList_BeginDrag(m_hImageList, 0, x, y); }
void CDragImage::EndDrag() { ImageList_EndDrag(); }
BOOL CDragImage::DragMove(int x, int y) { return ImageList_DragMove(x, y); }
BOOL CDragImage::DragEnter(CWnd* lock, int x, int y) { return ImageList_DragEnter(lock->GetSafeHwnd(), x, y); }
BOOL CDragImage::DragLeave(CWnd* lock) { return ImageList_DragLeave(lock->GetSafeHwnd()); }

CDragFrame::~CDragFrame()
{
    if (m_hMetafile)
        ::DeleteEnhMetaFile(m_hMetafile);
}

BOOL CDragFrame::SetOutline(HENHMETAFILE metafile, const RECT& rect)
{
    if (!metafile)
        return FALSE;
    if (m_hMetafile && m_hMetafile != metafile)
        ::DeleteEnhMetaFile(m_hMetafile);
    m_hMetafile = metafile;
    m_rcOutline = rect;
    return TRUE;
}

BOOL CDragFrame::BeginDrag(int x, int y)
{
    m_ptHotSpot = CPoint(x, y);
    return TRUE;
}

void CDragFrame::Play()
{
    CRect r = m_rcOutline;
    r.OffsetRect(m_ptPos);
    if (!m_hMetafile || !m_dcWindow.GetSafeHdc() || r.IsRectEmpty())
        return;
    // Played through a copy of the screen under it: Wine plays nothing of a metafile straight
    // onto a window DC, and an inverting outline gives the same pixels either way.
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(&m_dcWindow) || !bitmap.CreateCompatibleBitmap(&m_dcWindow, r.Width(), r.Height()))
        return;
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.BitBlt(0, 0, r.Width(), r.Height(), &m_dcWindow, r.left, r.top, SRCCOPY);
    const CRect local(0, 0, r.Width(), r.Height());
    ::PlayEnhMetaFile(memory.GetSafeHdc(), m_hMetafile, &local);
    m_dcWindow.BitBlt(r.left, r.top, r.Width(), r.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

BOOL CDragFrame::DragEnter(CWnd* lock, int x, int y)
{
    if (!lock || m_bShown || !lock->LockWindowUpdate())
        return FALSE;
    HDC dc = ::GetDCEx(lock->GetSafeHwnd(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (!dc) {
        ::LockWindowUpdate(nullptr);
        return FALSE;
    }
    m_dcWindow.Attach(dc);
    m_hLockWnd = lock->GetSafeHwnd();
    m_ptPos = CPoint(x - m_ptHotSpot.x, y - m_ptHotSpot.y);
    Play();
    m_bShown = TRUE;
    return TRUE;
}

BOOL CDragFrame::DragMove(int x, int y)
{
    const CPoint pos(x - m_ptHotSpot.x, y - m_ptHotSpot.y);
    if (!m_bShown || pos == m_ptPos) {
        m_ptPos = pos;
        return TRUE;
    }
    Play();  // inverts the old outline away
    m_ptPos = pos;
    Play();
    return TRUE;
}

BOOL CDragFrame::DragLeave(CWnd*)
{
    if (!m_bShown)
        return FALSE;
    m_bShown = FALSE;
    Play();
    ::ReleaseDC(m_hLockWnd, m_dcWindow.Detach());
    ::LockWindowUpdate(nullptr);
    return TRUE;
}

CDragImage* CreatePictureDragImage(CBaseImage* picture, CSize area)
{
    if (!picture || area.cx <= 0 || area.cy <= 0)
        return nullptr;
    const CSize natural = picture->GetDimensions();
    if (natural.cx <= 0 || natural.cy <= 0)
        return nullptr;
    const CSize fitted = FitPictureSize(natural, area);
    const CPoint at((area.cx - fitted.cx) / 2, (area.cy - fitted.cy) / 2);
    CWindowDC screen(nullptr);
    CDC dc;
    CBitmap colour, mask;
    if (!dc.CreateCompatibleDC(&screen) || !colour.CreateCompatibleBitmap(&screen, area.cx, area.cy) ||
        !mask.CreateBitmap(area.cx, area.cy, 1, 1, nullptr))
        return nullptr;
    CBitmap* old = dc.SelectObject(&colour);
    dc.FillSolidRect(0, 0, area.cx, area.cy, RGB(255, 255, 255));
    picture->Draw(&dc, at, fitted);
    dc.SelectObject(&mask);
    dc.PatBlt(0, 0, area.cx, area.cy, WHITENESS);
    dc.PatBlt(at.x, at.y, fitted.cx, fitted.cy, BLACKNESS);
    dc.SelectObject(old);
    auto* image = new CDragImage;
    if (!image->Create(area.cx, area.cy, ILC_COLOR24 | ILC_MASK, 1, 0) || image->Add(&colour, &mask) < 0) {
        delete image;
        return nullptr;
    }
    return image;
}

CDragFrame* CreateOutlineDragImage(const std::vector<OutlineShape>& shapes, CSize size)
{
    CWindowDC screen(nullptr);
    const int hRes = screen.GetDeviceCaps(HORZRES), vRes = screen.GetDeviceCaps(VERTRES);
    const CRect frame(0, 0, hRes ? size.cx * screen.GetDeviceCaps(HORZSIZE) * 100 / hRes : 0,
                      vRes ? size.cy * screen.GetDeviceCaps(VERTSIZE) * 100 / vRes : 0);
    HDC dc = ::CreateEnhMetaFile(screen.GetSafeHdc(), nullptr, &frame, nullptr);
    if (!dc)
        return nullptr;
    static const WORD checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, checker);
    HBRUSH brush = ::CreatePatternBrush(pattern);
    HGDIOBJ old = ::SelectObject(dc, brush);
    for (const OutlineShape& s : shapes) {
        const CRect& b = s.box;
        ::PatBlt(dc, b.left, b.top, b.Width() - 1, 1, PATINVERT);
        ::PatBlt(dc, b.left, b.bottom - 1, b.Width() - 1, 1, PATINVERT);
        ::PatBlt(dc, b.left, b.top + 1, 1, b.Height() - 3, PATINVERT);
        ::PatBlt(dc, b.right - 1, b.top + 1, 1, b.Height() - 3, PATINVERT);
        if (!s.label.IsRectEmpty())
            ::PatBlt(dc, s.label.left, (s.label.top + s.label.bottom) / 2, s.label.right - 1, 2, PATINVERT);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(brush);
    ::DeleteObject(pattern);
    HENHMETAFILE metafile = ::CloseEnhMetaFile(dc);
    auto* image = new CDragFrame;
    if (!image->SetOutline(metafile, CRect(0, 0, size.cx, size.cy))) {
        delete image;
        return nullptr;
    }
    return image;
}
