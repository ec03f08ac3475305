#include "ThumbItem.h"

#include <BaseImage.h>

#include "DragImage.h"
#include "ThumbLayout.h"
#include "VendaroExplorerApp.h"

CFont* ThumbFont()
{
    CVendaroExplorerApp* app = GetVendaroApp();
    if (app && app->m_font.GetSafeHandle())
        return &app->m_font;
    return CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

void CThumbItem::GetRect(CRect* rect) const
{
    *rect = m_rect;
    if (m_nMargin != 0)
        rect->DeflateRect(m_nMargin, m_nMargin);
}

void CThumbItem::SetRect(const RECT* rect) { m_rect = *rect; }

CThumbTextItem::CThumbTextItem()
{
    m_bVisible = 1;
    m_nState |= 2;
}

CSize CThumbTextItem::Extent(const CString& text) const
{
    if (!m_pOwner || !m_pFont || !m_pOwner->GetSafeHwnd())
        return CSize(0, 0);
    CClientDC dc(m_pOwner);
    CFont* old = dc.SelectObject(m_pFont);
    const CSize size = dc.GetTextExtent(text, text.GetLength());
    dc.SelectObject(old);
    return size;
}

CSize CThumbTextItem::GetTextExtent() const { return Extent(m_strText); }
CSize CThumbTextItem::GetDisplayExtent() const { return Extent(m_strDisplay); }

void CThumbTextItem::SetRect(const RECT* rect)
{
    CThumbItem::SetRect(rect);
    if (m_strText.IsEmpty() || !m_pOwner || !m_pOwner->GetSafeHwnd())
        return;
    CClientDC dc(m_pOwner);
    CFont* old = m_pFont ? dc.SelectObject(m_pFont) : nullptr;
    SetRect(rect, &dc);
    if (old)
        dc.SelectObject(old);
}

void CThumbTextItem::SetRect(const RECT* rect, CDC* dc)
{
    CThumbItem::SetRect(rect);
    if (m_strText.IsEmpty())
        return;
    CRect r;
    GetRect(&r);
    m_strDisplay = FitCaptionText(m_strText, r.Width(),
        [dc](const char* text, int bytes) { return dc->GetTextExtent(text, bytes).cx; });
}

CCaptionMeasure::CCaptionMeasure(CWnd* owner)
{
    if (!owner || !owner->GetSafeHwnd())
        return;
    HDC dc = ::GetDC(owner->GetSafeHwnd());
    if (!dc)
        return;
    m_hWnd = owner->GetSafeHwnd();
    m_dc.Attach(dc);
    m_pOldFont = m_dc.SelectObject(ThumbFont());
}

CCaptionMeasure::~CCaptionMeasure()
{
    if (!m_dc.GetSafeHdc())
        return;
    if (m_pOldFont)
        m_dc.SelectObject(m_pOldFont);
    ::ReleaseDC(m_hWnd, m_dc.Detach());
}

void CThumbTextItem::Draw(CDC* dc)
{
    CRect r;
    GetRect(&r);
    CFont* old = m_pFont ? dc->SelectObject(m_pFont) : nullptr;
    int x = r.left;
    if (m_nState & 2) {
        const int centred = r.left + (r.Width() - dc->GetTextExtent(m_strDisplay, m_strDisplay.GetLength()).cx) / 2;
        if (centred >= 0)
            x = centred;
    }
    dc->ExtTextOut(x, r.top, ETO_CLIPPED, &r, m_strDisplay, nullptr);
    if (old)
        dc->SelectObject(old);
}

CThumbImageItem::CThumbImageItem() { Reset(); }

CThumbImageItem::~CThumbImageItem() { Clear(); }

void CThumbImageItem::Reset()
{
    m_rect.SetRectEmpty();
    m_pOwner = nullptr;
    m_pData = nullptr;
    m_bVisible = 0;
    m_nKind = 0;
    m_pImage = nullptr;
    m_strPath.Empty();
    m_rcPicture.SetRectEmpty();
    m_captions.clear();
    m_pNode = nullptr;
    m_bLoadFailed = false;
    m_bLaidOut = false;
    m_nState = 2;
    m_nMargin = 2;
}

void CThumbImageItem::Clear()
{
    delete m_pImage;
    m_pImage = nullptr;
    for (CThumbTextItem* caption : m_captions)
        delete caption;
    m_captions.clear();
}

std::pair<int, CThumbImageItem*> CThumbImageItem::HitTest(CPoint point)
{
    if (m_rect.PtInRect(point))
        return {2, this};
    return {0, nullptr};
}

CString CThumbImageItem::GetFileName() const
{
    return m_strPath.Mid(m_strPath.ReverseFind('\\') + 1);
}

void CThumbImageItem::SetRect(const RECT* rect)
{
    if (m_rect != *rect)
        m_bLaidOut = false;
    CThumbItem::SetRect(rect);
}

void CThumbImageItem::LayoutCaptions(CDC* measure)
{
    CRect inner;
    GetRect(&inner);
    // Captions of the application font (the views' own) share one measuring DC; others
    // measure on their own.
    CFont* font = measure ? ThumbFont() : nullptr;
    auto shared = [measure, font](const CThumbTextItem* c) {
        return measure && c->m_pFont == font && c->m_pOwner && c->m_pOwner->GetSafeHwnd();
    };
    std::vector<CThumbTextItem*> shown;
    std::vector<int> heights;
    for (CThumbTextItem* caption : m_captions)
        if (caption->m_bVisible) {
            shown.push_back(caption);
            heights.push_back(shared(caption) ? measure->GetTextExtent(caption->m_strText, caption->m_strText.GetLength()).cy
                                              : caption->GetTextExtent().cy);
        }
    std::vector<CRect> rects;
    m_rcPicture = ThumbCaptionLayout(inner, heights, rects);
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shared(shown[i]))
            shown[i]->SetRect(&rects[i], measure);
        else
            shown[i]->SetRect(&rects[i]);
    }
    m_bLaidOut = true;
}

void CThumbImageItem::Draw(CDC* dc)
{
    EnsureLaidOut();
    dc->FillSolidRect(&m_rect, RGB(255, 255, 255));
    for (CThumbTextItem* caption : m_captions)
        if (caption->m_bVisible)
            caption->Draw(dc);
    if (m_pImage) {
        const CSize size = FitPictureSize(m_pImage->GetDimensions(), m_rcPicture.Size());
        m_pImage->Draw(dc, CentreInArea(m_rcPicture, size), size);
    } else {
        CFont* old = dc->SelectObject(ThumbFont());
        static const char error[] = "読み込みエラー";
        const CSize text = dc->GetTextExtent(error, sizeof error - 1);
        const CPoint at = CentreInArea(m_rcPicture, text);
        dc->TextOut(at.x, at.y, error, sizeof error - 1);
        dc->SelectObject(old);
    }
    DrawFrame(dc);
}

void CThumbImageItem::DrawFrame(CDC* dc)
{
    CFont* oldFont = dc->SelectObject(ThumbFont());
    const int line = dc->GetTextExtent("ABC", 3).cy;
    dc->SelectObject(oldFont);
    CPen pen(PS_INSIDEFRAME, m_nMargin, m_nState == 1 ? RGB(100, 100, 100) : RGB(255, 255, 255));
    CPen* oldPen = dc->SelectObject(&pen);
    CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
    const CRect frame = ThumbFrameRect(m_rcPicture, line, m_nMargin);
    dc->Rectangle(&frame);
    dc->SelectObject(oldPen);
    if (oldBrush)
        dc->SelectObject(static_cast<CBrush*>(oldBrush));
}

CDragImage* CThumbImageItem::CreateDragImage()
{
    EnsureLaidOut();
    return CreatePictureDragImage(m_pImage, m_rcPicture.Size());
}
