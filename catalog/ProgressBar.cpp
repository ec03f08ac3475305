#include "ProgressBar.h"

#include "BrowserGeometry.h"

IMPLEMENT_DYNCREATE(CProgressBar, CProgressCtrl)

BEGIN_MESSAGE_MAP(CProgressBar, CProgressCtrl)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CProgressBar::CProgressBar(LPCTSTR text, int size, int maximum, BOOL smooth, int pane)
{
    Create(text, size, maximum, smooth, pane);
}

CProgressBar::~CProgressBar()
{
    Clear();
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

CStatusBar* CProgressBar::GetStatusBar()
{
    CWnd* main = AfxGetMainWnd();
    if (!main)
        return nullptr;
    if (auto* frame = dynamic_cast<CFrameWnd*>(main))
        if (auto* bar = dynamic_cast<CStatusBar*>(frame->GetMessageBar()))
            return bar;
    return dynamic_cast<CStatusBar*>(main->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE));
}

BOOL CProgressBar::Create(LPCTSTR text, int size, int maximum, BOOL smooth, int pane)
{
    CStatusBar* bar = GetStatusBar();
    if (!bar)
        return FALSE;
    CRect rc;
    bar->GetItemRect(pane, &rc);
    if (!CProgressCtrl::Create(WS_CHILD | WS_VISIBLE | (smooth ? PBS_SMOOTH : 0), rc, bar, 1))
        return FALSE;
    SetRange(0, maximum, 1);
    m_strMessage = text;
    m_nSize = size;
    m_nPane = pane;
    m_strPrevText = bar->GetPaneText(pane);
    Resize();
    return TRUE;
}

BOOL CProgressBar::SetText(LPCTSTR text)
{
    if (!HasWindow())
        return FALSE;
    m_strMessage = text;
    return Resize();
}

BOOL CProgressBar::SetSize(int percent)
{
    if (!HasWindow())
        return FALSE;
    m_nSize = percent;
    return Resize();
}

COLORREF CProgressBar::SetBarColour(COLORREF colour)
{
    return HasWindow() ? static_cast<COLORREF>(SendMessage(PBM_SETBARCOLOR, 0, colour)) : CLR_INVALID;
}

COLORREF CProgressBar::SetBkColour(COLORREF colour)
{
    return HasWindow() ? static_cast<COLORREF>(SendMessage(PBM_SETBKCOLOR, 0, colour)) : CLR_INVALID;
}

BOOL CProgressBar::SetRange(int lower, int upper, int step)
{
    if (!HasWindow())
        return FALSE;
    SendMessage(PBM_SETRANGE32, lower, upper);
    SendMessage(PBM_SETSTEP, step, 0);
    return TRUE;
}

int CProgressBar::SetPos(int pos)
{
    if (!HasWindow())
        return 0;
    ModifyStyle(0, WS_VISIBLE);
    return static_cast<int>(SendMessage(PBM_SETPOS, pos, 0));
}

int CProgressBar::OffsetPos(int amount)
{
    if (!HasWindow())
        return 0;
    ModifyStyle(0, WS_VISIBLE);
    return static_cast<int>(SendMessage(PBM_DELTAPOS, amount, 0));
}

int CProgressBar::SetStep(int step)
{
    if (!HasWindow())
        return 0;
    ModifyStyle(0, WS_VISIBLE);
    return static_cast<int>(SendMessage(PBM_SETSTEP, step, 0));
}

int CProgressBar::StepIt()
{
    if (!HasWindow())
        return 0;
    ModifyStyle(0, WS_VISIBLE);
    return static_cast<int>(SendMessage(PBM_STEPIT, 0, 0));
}

void CProgressBar::Clear()
{
    if (!HasWindow())
        return;
    ModifyStyle(WS_VISIBLE, 0);
    if (CStatusBar* bar = GetStatusBar()) {
        CString text = m_strPrevText;
        if (m_nPane == 0)
            text.LoadString(AFX_IDS_IDLEMESSAGE);
        bar->SetPaneText(m_nPane, text);
        bar->UpdateWindow();
    }
}

BOOL CProgressBar::Resize()
{
    if (!HasWindow())
        return FALSE;
    CStatusBar* bar = GetStatusBar();
    if (!bar)
        return FALSE;
    if (GetStyle() & WS_VISIBLE) {
        bar->SetPaneText(m_nPane, m_strMessage);
        bar->UpdateWindow();
    }
    CClientDC dc(bar);
    CFont* font = bar->GetFont();
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    const int labelWidth = dc.GetTextExtent(m_strMessage).cx;
    const int blankWidth = dc.GetTextExtent(" ").cx;
    if (old)
        dc.SelectObject(old);
    CRect pane;
    bar->GetItemRect(m_nPane, &pane);
    CRect rc = ProgressBarRect(pane, labelWidth, blankWidth, !m_strMessage.IsEmpty(), m_nSize);
    if (rc != m_rcLast) {
        MoveWindow(&rc, TRUE);
        m_rcLast = rc;
    }
    return TRUE;
}

BOOL CProgressBar::OnEraseBkgnd(CDC* dc)
{
    Resize();
    return CProgressCtrl::OnEraseBkgnd(dc);
}
