#include "qvzToolTipWnd.h"

BOOL qvzToolTipWnd::s_bRegistered = FALSE;

BEGIN_MESSAGE_MAP(qvzToolTipWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

qvzToolTipWnd::~qvzToolTipWnd() {
  if (m_hWnd) DestroyWindow();
}

SIZE qvzToolTipWnd::MeasureText(const char* lpszText) {
  SIZE total = {0, 0};
  HDC hdc = ::CreateDC("DISPLAY", NULL, NULL, NULL);
  HGDIOBJ old = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
  const char* p = lpszText ? lpszText : "";
  for (;;) {
    const char* e = strstr(p, "\r\n");
    const int n = e ? (int)(e - p) : (int)strlen(p);
    SIZE s = {0, 0};
    ::GetTextExtentPoint32(hdc, n ? p : " ", n ? n : 1, &s);
    if (n == 0) s.cx = 0;
    if (s.cx > total.cx) total.cx = s.cx;
    total.cy += s.cy;
    if (e == NULL) break;
    p = e + 2;
  }
  ::SelectObject(hdc, old);
  ::DeleteDC(hdc);
  return total;
}

BOOL qvzToolTipWnd::Create(CWnd* pParent, int x, int y, const char* lpszText, DWORD dwStyle, UINT nId) {
  HINSTANCE hInst = AfxGetInstanceHandle();
  if (!s_bRegistered) {
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_CLASSDC | CS_SAVEBITS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInst;
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = ::CreateSolidBrush(::GetSysColor(COLOR_INFOBK));
    wc.lpszClassName = "QVZ_TOOLTIP";
    if (!::RegisterClassA(&wc)) return FALSE;
    s_bRegistered = TRUE;
  }
  const SIZE s = MeasureText(lpszText);
  if (!CWnd::CreateEx(0, "QVZ_TOOLTIP", "", dwStyle, x, y, s.cx + 6, s.cy + 6, pParent ? pParent->m_hWnd : NULL,
                      (HMENU)(UINT_PTR)nId))
    return FALSE;
  m_strText = lpszText;
  return TRUE;
}

void qvzToolTipWnd::SetText(const char* lpszText) {
  m_strText = lpszText;
  if (m_hWnd == NULL) return;
  // Kept as the window's text too, for whoever reads the screen.
  SetWindowText(lpszText);
  const SIZE s = MeasureText(lpszText);
  RECT r;
  GetWindowRect(&r);
  CWnd* parent = GetParent();
  POINT tl = {r.left, r.top};
  if (parent) parent->ScreenToClient(&tl);
  MoveWindow(tl.x, tl.y, s.cx + 6, s.cy + 6, TRUE);
}

void qvzToolTipWnd::OnPaint() {
  CPaintDC dc(this);
  RECT r;
  GetClientRect(&r);
  CBrush bg(::GetSysColor(COLOR_INFOBK));
  dc.FillRect(&r, &bg);
  CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
  CPen* pOldPen = dc.SelectObject(&pen);
  HGDIOBJ oldBrush = ::SelectObject(dc.m_hDC, ::GetStockObject(NULL_BRUSH));
  dc.Rectangle(&r);
  ::SelectObject(dc.m_hDC, oldBrush);
  dc.SelectObject(pOldPen);
  HGDIOBJ oldFont = ::SelectObject(dc.m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
  dc.TextOut(4, 4, m_strText);
  ::SelectObject(dc.m_hDC, oldFont);
}
