#include "ToolBarEx.h"

#include <commctrl.h>

#include <cstddef>

IMPLEMENT_DYNAMIC(CToolBarEx, CToolBar)

BEGIN_MESSAGE_MAP(CToolBarEx, CToolBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(TB_SETBUTTONSIZE, OnSetButtonSize)
    ON_MESSAGE(TB_SETBITMAPSIZE, OnSetBitmapSize)
END_MESSAGE_MAP()

namespace {

const UINT kHotTimer = 1;
const UINT kHotTimerMs = 250;
// Where a mask bit is 0 the brush, elsewhere the destination.
const DWORD kRopBrushWhereMaskClear = 0xE20746;

}  // namespace

CToolBarEx::CToolBarEx()
{
    ReadColors();
    ComputeImageOffsets();
    LOGFONT lf{};
    HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!stock || !::GetObject(stock, sizeof lf, &lf)) {
        ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
        lstrcpyn(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
        lf.lfWeight = FW_NORMAL;
    }
    lf.lfHeight = 6;
    lf.lfWidth = 0;
    m_font.CreateFontIndirect(&lf);
}

CToolBarEx::~CToolBarEx() = default;

void CToolBarEx::ReadColors()
{
    m_clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_clrLight = ::GetSysColor(COLOR_3DLIGHT);
    // Without a light of its own a checked button would vanish into the face.
    if (m_clrLight == m_clrFace)
        m_clrLight = m_clrHighlight;
}

void CToolBarEx::ComputeImageOffsets()
{
    CSize button = m_sizeButton, image = m_sizeImage;
    bool hasText = false;
    if (m_hWnd) {
        const DWORD size = static_cast<DWORD>(::SendMessage(m_hWnd, TB_GETBUTTONSIZE, 0, 0));
        button = CSize(LOWORD(size), HIWORD(size));
        const int count = static_cast<int>(::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0));
        for (int i = 0; i < count && !hasText; ++i)
            hasText = !GetButtonText(i).IsEmpty();
    }
    m_nImageX = (button.cx - image.cx) / 2;
    m_nImageY = hasText ? m_cyTopBorder : (button.cy - image.cy) / 2;
}

int CToolBarEx::OnCreate(LPCREATESTRUCT cs)
{
    if (CToolBar::OnCreate(cs) == -1)
        return -1;
    m_hWndOwner = cs->hwndParent;
    // The gripper's two strips lie 4 to 10 pixels in from the bar's left edge: the buttons
    // start after them.
    if (m_cxLeftBorder < 6)
        m_cxLeftBorder = 6;
    return 0;
}

LRESULT CToolBarEx::OnSetButtonSize(WPARAM, LPARAM)
{
    const LRESULT accepted = Default();
    if (accepted)
        ComputeImageOffsets();
    return accepted;
}

LRESULT CToolBarEx::OnSetBitmapSize(WPARAM, LPARAM lParam)
{
    const LRESULT accepted = Default();
    if (accepted) {
        m_sizeImage = CSize(LOWORD(lParam), HIWORD(lParam));
        ComputeImageOffsets();
    }
    return accepted;
}

void CToolBarEx::OnSysColorChange()
{
    ReadColors();
    CToolBar::OnSysColorChange();
}

// --- embedded controls --------------------------------------------------------------------

CRect CToolBarEx::MakeRoomFor(UINT id, int width)
{
    const int index = CommandToIndex(id);
    CRect rc(0, 0, 0, 0);
    if (index < 0)
        return rc;
    SetButtonInfo(index, id, TBBS_SEPARATOR, width);
    GetItemRect(index, &rc);
    return rc;
}

BOOL CToolBarEx::PlaceChild(CWnd& child, UINT id, int yOffset)
{
    CRect rc;
    GetItemRect(CommandToIndex(id), &rc);
    child.SetWindowPos(nullptr, rc.left + 2, rc.top + yOffset, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    child.SetFont(&m_font, TRUE);
    child.ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CToolBarEx::AddEditControl(DWORD style, CEdit* edit, UINT id, int width, int height)
{
    if (!edit || CommandToIndex(id) < 0)
        return FALSE;
    MakeRoomFor(id, width);
    if (!edit->CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", style, CRect(0, 0, width, height), this, id))
        return FALSE;
    return PlaceChild(*edit, id, 0);
}

BOOL CToolBarEx::AddButtonControl(LPCTSTR text, DWORD style, CButton* button, UINT id, int width, int height)
{
    if (!button || CommandToIndex(id) < 0)
        return FALSE;
    MakeRoomFor(id, width);
    if (!button->Create(text, style, CRect(0, 0, width, height), this, id))
        return FALSE;
    return PlaceChild(*button, id, 0);
}

BOOL CToolBarEx::AddComboControl(DWORD style, CComboBox* combo, UINT id, int width, int height)
{
    if (!combo || CommandToIndex(id) < 0)
        return FALSE;
    MakeRoomFor(id, width);
    if (!combo->Create(style, CRect(0, 0, width - 2, height), this, id))
        return FALSE;
    return PlaceChild(*combo, id, 0);
}

BOOL CToolBarEx::AddStaticControl(LPCTSTR text, DWORD style, CStatic* label, UINT id, int width, int height,
                                  int yOffset)
{
    if (!label || CommandToIndex(id) < 0)
        return FALSE;
    MakeRoomFor(id, width);
    if (!label->Create(text, style, CRect(0, 0, width, height), this, id))
        return FALSE;
    return PlaceChild(*label, id, yOffset);
}

void CToolBarEx::CopyFont(CFont* font)
{
    LOGFONT lf{};
    if (!font || !font->GetSafeHandle() || !::GetObject(font->GetSafeHandle(), sizeof lf, &lf))
        return;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
}

// --- painting -------------------------------------------------------------------------------

LRESULT CToolBarEx::NotifyToolBarOwner(ToolBarCustomDraw& cd)
{
    cd.owner = ::IsWindow(m_hWndOwner) ? m_hWndOwner : nullptr;
    if (!cd.owner)
        return 0;
    return ::SendMessage(cd.owner, WM_NOTIFY, cd.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&cd));
}

HIMAGELIST CToolBarEx::PaintImageList(bool& temporary)
{
    temporary = false;
    HIMAGELIST own = reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
    if (own || !m_hbmImageWell)
        return own;
    BITMAP bm{};
    if (!::GetObject(m_hbmImageWell, sizeof bm, &bm))
        return nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC src = ::CreateCompatibleDC(screen), dst = ::CreateCompatibleDC(screen);
    HBITMAP copy = ::CreateCompatibleBitmap(screen, bm.bmWidth, bm.bmHeight);
    HGDIOBJ oldSrc = ::SelectObject(src, m_hbmImageWell), oldDst = ::SelectObject(dst, copy);
    ::BitBlt(dst, 0, 0, bm.bmWidth, bm.bmHeight, src, 0, 0, SRCCOPY);
    ::SelectObject(src, oldSrc);
    ::SelectObject(dst, oldDst);
    ::DeleteDC(src);
    ::DeleteDC(dst);
    ::ReleaseDC(nullptr, screen);
    HIMAGELIST list = ImageList_Create(m_sizeImage.cx, m_sizeImage.cy, ILC_MASK | ILC_COLORDDB, 0, 4);
    if (list) {
        ImageList_SetBkColor(list, m_clrFace);
        ImageList_AddMasked(list, copy, m_clrFace);
    }
    ::DeleteObject(copy);
    temporary = list != nullptr;
    return list;
}

void CToolBarEx::DrawDisabledLook(CDC& dc, const CRect& rc)
{
    const int w = rc.Width(), h = rc.Height();
    HDC target = dc.GetSafeHdc();
    HDC mem = ::CreateCompatibleDC(target);
    HBITMAP mask = ::CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = ::SelectObject(mem, mask);
    ::PatBlt(mem, 0, 0, w, h, WHITENESS);
    // Face and highlight pixels become 1, everything darker 0.
    ::SetBkColor(target, m_clrFace);
    ::BitBlt(mem, 0, 0, w, h, target, rc.left, rc.top, SRCCOPY);
    ::SetBkColor(target, m_clrHighlight);
    ::BitBlt(mem, 0, 0, w, h, target, rc.left, rc.top, SRCPAINT);
    dc.FillSolidRect(&rc, m_clrFace);
    ::SetBkColor(target, RGB(0, 0, 0));
    ::SetTextColor(target, RGB(255, 255, 255));
    HBRUSH highlight = ::CreateSolidBrush(m_clrHighlight), shadow = ::CreateSolidBrush(m_clrShadow);
    HGDIOBJ oldBrush = ::SelectObject(target, highlight);
    ::BitBlt(target, rc.left + 1, rc.top + 1, w, h, mem, 0, 0, kRopBrushWhereMaskClear);
    ::SelectObject(target, shadow);
    ::BitBlt(target, rc.left, rc.top, w, h, mem, 0, 0, kRopBrushWhereMaskClear);
    ::SelectObject(target, oldBrush);
    ::DeleteObject(highlight);
    ::DeleteObject(shadow);
    ::SelectObject(mem, oldMask);
    ::DeleteObject(mask);
    ::DeleteDC(mem);
}

void CToolBarEx::DrawSeparator(CDC& dc, const CRect& rc)
{
    if (rc.Width() > 8)
        return;  // it carries an embedded control
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        const int middle = (rc.left + rc.right) / 2;
        dc.Draw3dRect(middle - 1, rc.top, 2, rc.Height(), m_clrShadow, m_clrHighlight);
    } else {
        dc.Draw3dRect(rc.left - m_sizeButton.cx, rc.bottom + 1, m_sizeButton.cx, 2, m_clrShadow, m_clrHighlight);
    }
}

void CToolBarEx::DrawButtonFace(CDC& dc, const CRect& rc, const TBBUTTON& button, HIMAGELIST images, bool hot,
                                bool down, bool enabled)
{
    const COLORREF back = down && !hot ? m_clrLight : m_clrFace;
    dc.FillSolidRect(&rc, back);
    if (down) {
        dc.Draw3dRect(&rc, m_clrShadow, m_clrHighlight);
        if (!hot) {
            CRect inner = rc;
            inner.DeflateRect(1, 1);
            dc.Draw3dRect(&inner, m_clrFace, m_clrFace);
        }
    } else if (enabled && hot) {
        dc.Draw3dRect(&rc, m_clrHighlight, m_clrShadow);
    } else if (enabled) {
        dc.Draw3dRect(&rc, m_clrFace, m_clrFace);
    }
    const int shift = down ? 1 : 0;
    const int imageX = (rc.Width() - m_sizeImage.cx) / 2;
    if (images && button.iBitmap >= 0)
        ImageList_Draw(images, button.iBitmap, dc.GetSafeHdc(), rc.left + imageX + shift, rc.top + m_nImageY + shift,
                       ILD_TRANSPARENT);
    const int index = CommandToIndex(button.idCommand);
    const CString text = index >= 0 ? GetButtonText(index) : CString();
    if (!text.IsEmpty()) {
        CRect textRect(rc.left + 3 + shift, rc.top + m_nImageY + m_sizeImage.cy + 1 + shift, rc.right - 3 + shift,
                       rc.bottom - 3 + shift);
        ::SetTextColor(dc.GetSafeHdc(), RGB(0, 0, 0));
        ::SetBkColor(dc.GetSafeHdc(), back);
        ::DrawText(dc.GetSafeHdc(), text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_NOCLIP);
    }
    if (!enabled)
        DrawDisabledLook(dc, rc);
}

void CToolBarEx::OnPaint()
{
    bool temporary = false;
    HIMAGELIST images = PaintImageList(temporary);
    m_bTemporaryImageList = temporary;
    if (!images) {
        CToolBar::OnPaint();
        return;
    }
    CRect update;
    if (!GetUpdateRect(&update)) {
        if (temporary)
            ImageList_Destroy(images);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CPaintDC dc(this);
    CFont* oldFont = dc.SelectObject(&m_font);

    ToolBarCustomDraw cd{};
    cd.nmcd.hdr.hwndFrom = m_hWnd;
    cd.nmcd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    cd.nmcd.hdr.code = NM_CUSTOMDRAW;
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    cd.nmcd.hdc = dc.GetSafeHdc();
    GetClientRect(&cd.nmcd.rc);
    cd.toolBar = this;
    cd.prePaintResult = NotifyToolBarOwner(cd);

    const int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        CRect rc;
        GetItemRect(i, &rc);
        if (button.fsState & TBSTATE_HIDDEN)
            continue;
        if (button.fsStyle & TBSTYLE_SEP) {
            if (!((button.fsState & TBSTATE_WRAP) && IsFloating()))
                DrawSeparator(dc, rc);
            continue;
        }
        CRect meet;
        if (!meet.IntersectRect(&rc, &dc.m_ps.rcPaint))
            continue;
        const bool enabled = SendMessage(TB_ISBUTTONENABLED, button.idCommand) != 0;
        const bool hot = rc.PtInRect(cursor) != 0;
        const bool down = (button.fsState & (TBSTATE_CHECKED | TBSTATE_PRESSED)) != 0;
        ::SetTextColor(dc.GetSafeHdc(), RGB(0, 0, 0));
        ::SetBkColor(dc.GetSafeHdc(), down && !hot ? m_clrLight : m_clrFace);
        LRESULT itemAnswer = 0;
        if (cd.prePaintResult & CDRF_NOTIFYITEMDRAW) {
            cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
            cd.nmcd.rc = rc;
            cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(button.idCommand);
            cd.nmcd.uItemState = (enabled ? 0 : CDIS_DISABLED) | (down ? CDIS_CHECKED : 0);
            cd.nmcd.lItemlParam = 0;
            itemAnswer = NotifyToolBarOwner(cd);
            cd.itemPrePaintResult = itemAnswer;
            if (itemAnswer & CDRF_SKIPDEFAULT)
                continue;
        }
        DrawButtonFace(dc, rc, button, images, hot, down, enabled);
        if (itemAnswer & CDRF_NOTIFYPOSTPAINT) {
            cd.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
            NotifyToolBarOwner(cd);
        }
    }
    dc.SelectObject(oldFont);
    if (temporary)
        ImageList_Destroy(images);
    m_bTemporaryImageList = FALSE;
    if (cd.prePaintResult & CDRF_NOTIFYPOSTPAINT) {
        cd.nmcd.dwDrawStage = CDDS_POSTPAINT;
        GetClientRect(&cd.nmcd.rc);
        cd.nmcd.dwItemSpec = 0;
        cd.nmcd.uItemState = 0;
        NotifyToolBarOwner(cd);
    }
}

void CToolBarEx::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params)
{
    CToolBar::OnNcCalcSize(calcValidRects, params);
    // Room for the gripper.
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        params->rgrc[0].left += 4;
        params->rgrc[0].right += 4;
    } else {
        params->rgrc[0].top += 6;
        params->rgrc[0].bottom += 6;
    }
}

void CToolBarEx::OnNcPaint()
{
    CToolBar::OnNcPaint();
    if (IsFloating())
        return;
    CWindowDC dc(this);
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    rc.DeflateRect(4, 4);
    CRect strip = (m_dwStyle & CBRS_ORIENT_HORZ) ? CRect(rc.left, rc.top, rc.left + 3, rc.bottom)
                                                 : CRect(rc.left, rc.top, rc.right, rc.top + 3);
    dc.Draw3dRect(&strip, m_clrHighlight, m_clrShadow);
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        strip.OffsetRect(3, 0);
    else
        strip.OffsetRect(0, 3);
    dc.Draw3dRect(&strip, m_clrHighlight, m_clrShadow);
}

// --- hot tracking ---------------------------------------------------------------------------

void CToolBarEx::OnMouseMove(UINT flags, CPoint point)
{
    int hot = -1;
    const int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int i = 0; i < count && hot < 0; ++i) {
        TBBUTTON button{};
        SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if ((button.fsStyle & TBSTYLE_SEP) || !(button.fsState & TBSTATE_ENABLED))
            continue;
        CRect rc;
        GetItemRect(i, &rc);
        if (rc.PtInRect(point))
            hot = i;
    }
    if (hot != m_nHotButton) {
        CRect rc;
        if (m_nHotButton >= 0) {
            GetItemRect(m_nHotButton, &rc);
            InvalidateRect(&rc, FALSE);
        }
        if (hot >= 0) {
            GetItemRect(hot, &rc);
            InvalidateRect(&rc, FALSE);
        }
        m_nHotButton = hot;
    }
    if (m_nHotTimer)
        KillTimer(m_nHotTimer);
    m_nHotTimer = SetTimer(kHotTimer, kHotTimerMs, nullptr);
    CToolBar::OnMouseMove(flags, point);
}

void CToolBarEx::OnTimer(UINT id)
{
    if (id != kHotTimer || m_nHotButton < 0) {
        CToolBar::OnTimer(id);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    if (window.PtInRect(cursor))
        return;
    CRect rc;
    GetItemRect(m_nHotButton, &rc);
    InvalidateRect(&rc, FALSE);
    m_nHotButton = -1;
    KillTimer(m_nHotTimer);
    m_nHotTimer = 0;
}

void CToolBarEx::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    const int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    m_savedStyles.resize(count);
    for (int i = 0; i < count; ++i)
        m_savedStyles[i] = GetButtonStyle(i);
    CToolBar::OnUpdateCmdUI(target, disableIfNoHandler);
    for (int i = 0; i < count; ++i) {
        if (GetButtonStyle(i) != m_savedStyles[i]) {
            CRect rc;
            GetItemRect(i, &rc);
            InvalidateRect(&rc, TRUE);
        }
    }
}

// --- tool tips ------------------------------------------------------------------------------

namespace {

// The record's size as the build's common controls take it (44 bytes on 32 bits).
TOOLINFOA ToolInfo(UINT flags, HWND window, UINT_PTR toolId, UINT textId)
{
    constexpr UINT size = offsetof(TOOLINFOA, lParam) + sizeof(LPARAM);
    static_assert(sizeof(void*) != 4 || size == 44, "the 32-bit tool record is 44 bytes");
    TOOLINFOA ti{};
    ti.cbSize = size;
    ti.uFlags = flags;
    ti.hwnd = window;
    ti.uId = toolId;
    ti.hinst = AfxGetResourceHandle();
    ti.lpszText = MAKEINTRESOURCE(textId);
    return ti;
}

}  // namespace

BOOL AddToolTipWindow(CToolTipCtrl& tip, CWnd* window, UINT textId)
{
    if (!window || !tip.GetSafeHwnd())
        return FALSE;
    TOOLINFOA ti = ToolInfo(TTF_IDISHWND | TTF_SUBCLASS, ::GetParent(window->GetSafeHwnd()),
                            reinterpret_cast<UINT_PTR>(window->GetSafeHwnd()), textId);
    return static_cast<BOOL>(tip.SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL AddToolTipRect(CToolTipCtrl& tip, CWnd* window, UINT textId, const RECT& rect, UINT toolId)
{
    if (!window || !tip.GetSafeHwnd())
        return FALSE;
    TOOLINFOA ti = ToolInfo(TTF_SUBCLASS, window->GetSafeHwnd(), toolId, textId);
    ti.rect = rect;
    return static_cast<BOOL>(tip.SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL RemoveToolTipRect(CToolTipCtrl& tip, CWnd* window, UINT textId, const RECT& rect, UINT toolId)
{
    if (!window || !tip.GetSafeHwnd())
        return FALSE;
    TOOLINFOA ti = ToolInfo(TTF_SUBCLASS, window->GetSafeHwnd(), toolId, textId);
    ti.rect = rect;
    tip.SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    return TRUE;
}
