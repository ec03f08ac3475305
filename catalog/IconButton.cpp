#include "IconButton.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CIconButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETCURSOR()
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace {

// Where a bit of the overlay is 1 the brush, elsewhere the destination.
const DWORD kRopBrushWhereSourceSet = 0xE20746;

void Line3(CDC& dc, COLORREF color, POINT a, POINT b, POINT c)
{
    CPen pen(PS_SOLID, 1, color);
    CPen* old = dc.SelectObject(&pen);
    const POINT points[3] = {a, b, c};
    ::Polyline(dc.GetSafeHdc(), points, 3);
    dc.SelectObject(old);
}

}  // namespace

CIconButton::CIconButton()
    : m_clrNormalBk(::GetSysColor(COLOR_BTNFACE)),
      m_clrNormalText(::GetSysColor(COLOR_BTNTEXT)),
      m_clrHotBk(::GetSysColor(COLOR_BTNFACE)),
      m_clrHotText(::GetSysColor(COLOR_BTNTEXT))
{
    LOGFONT lf{};
    lf.lfHeight = 12;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyn(lf.lfFaceName, "ＭＳ Ｐゴシック", LF_FACESIZE);
    m_captionFont.CreateFontIndirect(&lf);
}

CIconButton::~CIconButton()
{
    if (m_hIconNormal && m_hIconNormal != m_hIconPressed)
        ::DestroyIcon(m_hIconNormal);
    if (m_hIconPressed)
        ::DestroyIcon(m_hIconPressed);
    if (m_hBitmapNormal && m_hBitmapNormal != m_hBitmapPressed)
        ::DeleteObject(m_hBitmapNormal);
    if (m_hBitmapPressed)
        ::DeleteObject(m_hBitmapPressed);
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
}

void CIconButton::Repaint(BOOL repaint)
{
    if (repaint && m_hWnd)
        Invalidate(TRUE);
}

void CIconButton::SetIcon(UINT pressedIcon, UINT normalIcon, int cx, int cy)
{
    HINSTANCE inst = AfxGetResourceHandle();
    if (m_hIconNormal && m_hIconNormal != m_hIconPressed)
        ::DestroyIcon(m_hIconNormal);
    if (m_hIconPressed)
        ::DestroyIcon(m_hIconPressed);
    m_hIconPressed = static_cast<HICON>(::LoadImage(inst, MAKEINTRESOURCE(pressedIcon), IMAGE_ICON, 0, 0, 0));
    m_hIconNormal = normalIcon
                        ? static_cast<HICON>(::LoadImage(inst, MAKEINTRESOURCE(normalIcon), IMAGE_ICON, 0, 0, 0))
                        : m_hIconPressed;
    m_cxIcon = static_cast<BYTE>(cx);
    m_cyIcon = static_cast<BYTE>(cy);
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void CIconButton::SetPictures(UINT pressedBitmap, UINT normalBitmap, int cx, int cy)
{
    HINSTANCE inst = AfxGetResourceHandle();
    if (m_hBitmapNormal && m_hBitmapNormal != m_hBitmapPressed)
        ::DeleteObject(m_hBitmapNormal);
    if (m_hBitmapPressed)
        ::DeleteObject(m_hBitmapPressed);
    m_hBitmapPressed = static_cast<HBITMAP>(::LoadImage(inst, MAKEINTRESOURCE(pressedBitmap), IMAGE_BITMAP, 0, 0, 0));
    m_hBitmapNormal = normalBitmap ? static_cast<HBITMAP>(
                                         ::LoadImage(inst, MAKEINTRESOURCE(normalBitmap), IMAGE_BITMAP, 0, 0, 0))
                                   : m_hBitmapPressed;
    m_cxBitmap = static_cast<BYTE>(cx);
    m_cyBitmap = static_cast<BYTE>(cy);
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

BOOL CIconButton::SetButtonCursor(int cursorId)
{
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    m_hCursor = nullptr;
    if (cursorId == -1)
        return TRUE;
    m_hCursor = static_cast<HCURSOR>(
        ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(cursorId), IMAGE_CURSOR, 0, 0, 0));
    return m_hCursor != nullptr;
}

void CIconButton::ShowCaption(BOOL show)
{
    m_bShowCaption = show;
    Repaint(TRUE);
}

void CIconButton::SetFlatStyle(BOOL flat)
{
    m_bFlat = flat;
    Repaint(TRUE);
}

void CIconButton::SetImageLayout(int layout)
{
    if (layout != 0 && layout != 1)
        return;
    m_nImageLayout = layout;
    Repaint(TRUE);
}

void CIconButton::ShowFlatFocus(BOOL show, BOOL repaint)
{
    m_bFlatFocus = show;
    Repaint(repaint);
}

void CIconButton::SetNormalBkColor(COLORREF color, BOOL repaint) { m_clrNormalBk = color; Repaint(repaint); }
void CIconButton::ResetNormalBkColor(BOOL repaint) { SetNormalBkColor(::GetSysColor(COLOR_BTNFACE), repaint); }
void CIconButton::SetNormalTextColor(COLORREF color, BOOL repaint) { m_clrNormalText = color; Repaint(repaint); }
void CIconButton::ResetNormalTextColor(BOOL repaint) { SetNormalTextColor(::GetSysColor(COLOR_BTNTEXT), repaint); }
void CIconButton::SetHotBkColor(COLORREF color, BOOL repaint) { m_clrHotBk = color; Repaint(repaint); }
void CIconButton::ResetHotBkColor(BOOL repaint) { SetHotBkColor(::GetSysColor(COLOR_BTNFACE), repaint); }
void CIconButton::SetHotTextColor(COLORREF color, BOOL repaint) { m_clrHotText = color; Repaint(repaint); }
void CIconButton::ResetHotTextColor(BOOL repaint) { SetHotTextColor(::GetSysColor(COLOR_BTNTEXT), repaint); }

void CIconButton::PreSubclassWindow()
{
    SendMessage(BM_SETSTYLE, (GetStyle() & 0xFF) | BS_OWNERDRAW, TRUE);
    CButton::PreSubclassWindow();
}

// --- drawing --------------------------------------------------------------------------------

void CIconButton::DrawBorder(CDC& dc, const CRect& rc, bool pressed)
{
    const POINT bl = {rc.left, rc.bottom - 1};
    auto topLeft = [&](COLORREF c) { Line3(dc, c, bl, {rc.left, rc.top}, {rc.right, rc.top}); };
    auto bottomRight = [&](COLORREF c) { Line3(dc, c, bl, {rc.right - 1, rc.bottom - 1}, {rc.right - 1, rc.top - 1}); };
    if (pressed && !m_bFlat) {
        CBrush brush(::GetSysColor(COLOR_BTNSHADOW));
        dc.FrameRect(&rc, &brush);
    } else if (pressed && m_bShowBorder) {
        topLeft(::GetSysColor(COLOR_BTNSHADOW));
        bottomRight(::GetSysColor(COLOR_BTNHIGHLIGHT));
    } else if (!pressed && !m_bFlat) {
        topLeft(::GetSysColor(COLOR_BTNHIGHLIGHT));
        Line3(dc, ::GetSysColor(COLOR_3DLIGHT), {rc.left + 1, rc.bottom - 1}, {rc.left + 1, rc.top + 1},
              {rc.right, rc.top + 1});
        bottomRight(::GetSysColor(COLOR_3DDKSHADOW));
        Line3(dc, ::GetSysColor(COLOR_BTNSHADOW), {rc.left + 1, rc.bottom - 2}, {rc.right - 2, rc.bottom - 2},
              {rc.right - 2, rc.top});
    } else if (!pressed && m_bMouseOver && m_bShowBorder) {
        topLeft(::GetSysColor(COLOR_BTNHIGHLIGHT));
        bottomRight(::GetSysColor(COLOR_BTNSHADOW));
    }
}

void CIconButton::DrawImage(CDC& dc, const CRect& item, CRect& caption, bool pressed, bool disabled, bool hasCaption)
{
    const bool icon = m_hIconPressed != nullptr;
    if (!icon && !m_hBitmapPressed)
        return;
    const int w = icon ? m_cxIcon : m_cxBitmap, h = icon ? m_cyIcon : m_cyBitmap;
    const int margin = icon ? m_nImageMargin : 3;
    int x, y;
    if (m_nImageLayout == 0) {
        if (hasCaption) {
            x = item.left + margin;
            caption.left += icon ? w + m_nImageGap + margin : w + 3;
        } else {
            x = item.left + (item.Width() - w) / 2;
        }
        y = item.top + (item.Height() - h) / 2;
    } else {
        x = item.left + (item.Width() - w) / 2;
        if (hasCaption) {
            y = item.top;
            caption.top += h;
        } else {
            y = item.top + (item.Height() - h) / 2;
        }
    }
    if (pressed) {
        ++x;
        ++y;
    }
    const UINT state = disabled ? DSS_DISABLED : DSS_NORMAL;
    if (icon)
        ::DrawState(dc.GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(pressed ? m_hIconPressed : m_hIconNormal),
                    0, x, y, w, h, DST_ICON | state);
    else
        ::DrawState(dc.GetSafeHdc(), nullptr, nullptr,
                    reinterpret_cast<LPARAM>(pressed ? m_hBitmapPressed : m_hBitmapNormal), 0, x, y, w, h,
                    DST_BITMAP | state);
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* dc = CDC::FromHandle(dis->hDC);
    const bool focused = (dis->itemState & ODS_FOCUS) != 0;
    const bool disabled = (dis->itemState & ODS_DISABLED) != 0;
    const bool pressed = (dis->itemState & ODS_SELECTED) != 0 || (m_bCheckBox && m_bChecked);
    CRect rc = dis->rcItem;
    if (!m_bFlat && focused) {
        CBrush black(RGB(0, 0, 0));
        dc->FrameRect(&rc, &black);
        rc.DeflateRect(1, 1);
    }
    const bool hotLook = m_bMouseOver || pressed;
    dc->FillSolidRect(&rc, hotLook ? m_clrHotBk : m_clrNormalBk);
    if (m_bFlat && pressed) {
        CBitmap overlay;
        if (overlay.LoadBitmap(IDB_PRESSED_OVERLAY)) {
            CDC mem;
            mem.CreateCompatibleDC(dc);
            CBitmap* oldBitmap = mem.SelectObject(&overlay);
            CBrush brush(::GetSysColor(COLOR_BTNHIGHLIGHT));
            CBrush* oldBrush = dc->SelectObject(&brush);
            dc->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &mem, 0, 0, kRopBrushWhereSourceSet);
            dc->SelectObject(oldBrush);
            mem.SelectObject(oldBitmap);
        }
    }
    DrawBorder(*dc, rc, pressed);

    CString caption;
    if (m_bShowCaption)
        GetWindowText(caption);
    const CRect item = dis->rcItem;
    CRect captionRect = item;
    DrawImage(*dc, item, captionRect, pressed, disabled, !caption.IsEmpty());

    if (!caption.IsEmpty()) {
        if (pressed)
            captionRect.OffsetRect(1, 1);
        CFont* oldFont = dc->SelectObject(&m_captionFont);
        dc->SetTextColor(hotLook ? m_clrHotText : m_clrNormalText);
        dc->SetBkColor(hotLook ? m_clrHotBk : m_clrNormalBk);
        CRect measured = captionRect;
        ::DrawText(dc->GetSafeHdc(), caption, -1, &measured, m_nCaptionFormat | DT_CALCRECT);
        measured.OffsetRect(0, (captionRect.Height() - measured.Height()) / 2);
        if (m_nCaptionFormat & DT_CENTER)
            measured.OffsetRect((captionRect.Width() - measured.Width()) / 2, 0);
        ::DrawText(dc->GetSafeHdc(), caption, -1, &measured, m_nCaptionFormat);
        dc->SelectObject(oldFont);
    }
    if (focused && (!m_bFlat || m_bFlatFocus)) {
        CRect focus = rc;
        focus.DeflateRect(3, 3);
        dc->DrawFocusRect(&focus);
    }
}

// --- mouse and focus ------------------------------------------------------------------------

void CIconButton::OnMouseMove(UINT flags, CPoint point)
{
    CButton::OnMouseMove(flags, point);
    // Entered with the button held (a drag from elsewhere): not hot.
    if (!m_bFlat || ((flags & MK_LBUTTON) && !m_bMouseOver))
        return;
    if (GetCapture() != this && (GetOwner() || GetParent())) {
        m_bMouseOver = TRUE;
        SetCapture();
        Invalidate(TRUE);
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        if (m_bMouseOver) {
            m_bMouseOver = FALSE;
            Invalidate(TRUE);
        }
        if (!(flags & MK_LBUTTON))
            ReleaseCapture();
    }
}

void CIconButton::OnKillFocus(CWnd* newWnd)
{
    CButton::OnKillFocus(newWnd);
    if (m_bFlat && m_bMouseOver) {
        m_bMouseOver = FALSE;
        Invalidate(TRUE);
    }
}

void CIconButton::OnCaptureChanged(CWnd* wnd)
{
    if (m_bMouseOver) {
        ReleaseCapture();
        Invalidate(TRUE);
    }
    CButton::OnCaptureChanged(wnd);
}

void CIconButton::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_bCheckBox) {
        m_bChecked = !m_bChecked;
        CButton::OnLButtonUp(flags, point);
        Invalidate(TRUE);
    } else {
        CButton::OnLButtonUp(flags, point);
    }
    // The keyboard stays with the frame, never with a tool-bar button (a docked bar's parent
    // is its dock bar, so the frame is asked for by name).
    CWnd* parent = GetParent();
    CWnd* target = GetParentFrame();
    if (!target && parent)
        target = parent->GetParent();
    if (target)
        target->SetFocus();
}

void CIconButton::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (m_bCheckBox) {
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
        CButton::OnLButtonDblClk(flags, point);
        Invalidate(TRUE);
    } else {
        CButton::OnLButtonDblClk(flags, point);
    }
}

BOOL CIconButton::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_hCursor) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CButton::OnSetCursor(wnd, hitTest, message);
}

LRESULT CIconButton::OnSetCheck(WPARAM check, LPARAM)
{
    if (m_bCheckBox) {
        const BOOL checked = check != 0;
        if (checked != m_bChecked) {
            m_bChecked = checked;
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    }
    return 0;
}

LRESULT CIconButton::OnGetCheck(WPARAM, LPARAM) { return m_bCheckBox ? m_bChecked : 0; }

void CIconButton::OnSysColorChange()
{
    ResetNormalBkColor(FALSE);
    ResetNormalTextColor(FALSE);
    ResetHotBkColor(FALSE);
    ResetHotTextColor(FALSE);
    CButton::OnSysColorChange();
    Invalidate(TRUE);
}
