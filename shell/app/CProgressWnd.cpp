#include "CProgressWnd.h"

#include <stdarg.h>
#include <stdio.h>

namespace {
const UINT kTextId = 11, kProgressId = 12, kCancelId = 10;
const int kWidth = 390, kHeight = 130, kMargin = 10;
}  // namespace

BEGIN_MESSAGE_MAP(CProgressWnd, CWnd)
  ON_WM_ERASEBKGND()
  ON_BN_CLICKED(kCancelId, OnCancel)
END_MESSAGE_MAP()

CProgressWnd::CProgressWnd(CWnd* pParent, LPCTSTR lpszTitle, BOOL bSmooth)
    : m_pDisabledWnd(NULL),
      m_bCancelled(FALSE),
      m_bModal(FALSE),
      m_bKeepPosition(TRUE),
      m_nPos(0),
      m_nPercent(-1),
      m_nStep(1),
      m_nUpper(100),
      m_nLower(0),
      m_nTextLines(4),
      m_strTitle("Progress"),
      m_strCancel(" Cancel ") {
  Create(pParent, lpszTitle, bSmooth);
}

CProgressWnd::~CProgressWnd() {
  if (m_hWnd) DestroyWindow();
}

BOOL CProgressWnd::Create(CWnd* pParent, LPCTSTR lpszTitle, BOOL bSmooth) {
  const CString cls = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_OWNDC, ::LoadCursor(NULL, IDC_APPSTARTING),
                                          (HBRUSH)(COLOR_BTNFACE + 1));
  NONCLIENTMETRICS ncm = {};
  ncm.cbSize = sizeof(ncm);
  ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
  m_font.CreateFontIndirect(&ncm.lfMessageFont);
  if (lpszTitle) m_strTitle = lpszTitle;
  CWnd* pOwner = pParent ? pParent : AfxGetMainWnd();
  if (!CreateEx(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, cls, m_strTitle, WS_POPUP | WS_CAPTION, 0, 0, kWidth, kHeight,
                pOwner ? pOwner->m_hWnd : NULL, NULL))
    return FALSE;
  const RECT zero = {0, 0, 0, 0};
  m_wndText.Create("", WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_LEFTNOWORDWRAP, zero, this, kTextId);
  m_wndProgress.Create(WS_CHILD | WS_VISIBLE | (bSmooth ? PBS_SMOOTH : 0), zero, this, kProgressId);
  m_wndCancel.Create(m_strCancel, WS_CHILD | BS_PUSHBUTTON, zero, this, kCancelId);
  m_wndText.SetFont(&m_font);
  m_wndCancel.SetFont(&m_font);
  Layout();
  RestorePosition();
  Show();
  return TRUE;
}

void CProgressWnd::Layout() {
  CClientDC dc(this);
  CFont* old = dc.SelectObject(&m_font);
  const CSize line = dc.GetTextExtent("A");
  const CSize cancel = dc.GetTextExtent("  " + m_strCancel);
  dc.SelectObject(old);
  const int edgeX = ::GetSystemMetrics(SM_CXEDGE), edgeY = ::GetSystemMetrics(SM_CYEDGE);
  const CRect text(kMargin, kMargin, kMargin + kWidth, kMargin + line.cy * m_nTextLines);
  const int buttonW = cancel.cx + 4 * edgeX, buttonH = line.cy + 3 * edgeY;
  const CRect button(text.right - buttonW, text.bottom + kMargin, text.right, text.bottom + kMargin + buttonH);
  const CRect bar(text.left, button.top + edgeY, button.left - kMargin, button.bottom - edgeY);
  m_wndText.MoveWindow(text);
  m_wndCancel.MoveWindow(button);
  m_wndProgress.MoveWindow(bar);
  CRect client(0, 0, text.right + 20, button.bottom + 30);
  ::AdjustWindowRectEx(client, GetStyle(), FALSE, GetExStyle());
  SetWindowPos(NULL, 0, 0, client.Width(), client.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT ChooseProgressPosition(int x, int y, SIZE size, SIZE screen, const RECT& rcOwner) {
  if (x < 0 || y < 0 || x >= screen.cx || y >= screen.cy) {
    return {(rcOwner.left + rcOwner.right - size.cx) / 2, (rcOwner.top + rcOwner.bottom - size.cy) / 2};
  }
  return {x, y};
}

void CProgressWnd::RestorePosition() {
  CRect rc;
  GetWindowRect(rc);
  CRect owner;
  CWnd* pOwner = GetOwner();
  if (pOwner && pOwner->m_hWnd && pOwner->IsWindowVisible())
    pOwner->GetWindowRect(owner);
  else
    owner.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  int x = -1, y = -1;
  if (m_bKeepPosition) {
    x = (int)AfxGetApp()->GetProfileInt("Settings", "X", -1);
    y = (int)AfxGetApp()->GetProfileInt("Settings", "Y", -1);
  }
  const POINT pt = ChooseProgressPosition(x, y, {rc.Width(), rc.Height()},
                                          {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, owner);
  SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CProgressWnd::SavePosition() {
  if (m_hWnd == NULL) return;
  CRect rc;
  GetWindowRect(rc);
  AfxGetApp()->WriteProfileInt("Settings", "X", rc.left);
  AfxGetApp()->WriteProfileInt("Settings", "Y", rc.top);
}

void CProgressWnd::SetRange(int nLower, int nUpper, int nStep) {
  m_nLower = nLower;
  m_nUpper = nUpper;
  m_nStep = nStep;
  m_wndProgress.SendMessage(PBM_SETRANGE32, nLower, nUpper);
  m_wndProgress.SendMessage(PBM_SETSTEP, nStep, 0);
}

void CProgressWnd::SetText(LPCTSTR fmt, ...) {
  char buf[512];
  va_list args;
  va_start(args, fmt);
  vsnprintf(buf, sizeof(buf), fmt, args);
  va_end(args);
  m_wndText.SetWindowText(buf);
}

int CProgressWnd::SetPos(int nPos) {
  if (!IsWindowVisible()) Show();
  const int old = m_nPos;
  m_nPos = nPos;
  int percent = 0;
  if (m_nLower < m_nUpper) percent = (int)((nPos - m_nLower) * 100.0 / (m_nUpper - m_nLower) + 0.5);
  if (percent != m_nPercent) {
    m_nPercent = percent;
    CString caption;
    caption.Format("%s [%d%%]", (LPCTSTR)m_strTitle, percent);
    SetWindowText(caption);
  }
  m_wndProgress.SendMessage(PBM_SETPOS, nPos, 0);
  return old;
}

int CProgressWnd::StepIt() { return SetPos(m_nPos + m_nStep); }

void CProgressWnd::Show() {
  ShowWindow(SW_SHOWNA);
  UpdateWindow();
}

void CProgressWnd::Hide() { ShowWindow(SW_HIDE); }

void CProgressWnd::PeekAndPump(BOOL bCancelOnEscape) {
  if (m_bModal && ::GetFocus() != m_hWnd) SetFocus();
  MSG msg;
  while (!m_bCancelled && ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
    if (bCancelOnEscape && msg.message == WM_CHAR && msg.wParam == VK_ESCAPE) Cancel();
    if (m_bModal && msg.message == WM_LBUTTONUP && msg.hwnd == m_wndCancel.m_hWnd) Cancel();
    if (!AfxGetApp()->PumpMessage()) {
      ::PostQuitMessage(0);
      return;
    }
  }
}

void CProgressWnd::Cancel() {
  if (m_bKeepPosition) SavePosition();
  m_bCancelled = TRUE;
  Hide();
  if (m_bModal) PostMessage(WM_CLOSE);
  if (CWnd* pMain = AfxGetMainWnd()) pMain->SetForegroundWindow();
}

void CProgressWnd::OnCancel() { Cancel(); }

BOOL CProgressWnd::DestroyWindow() {
  if (m_bKeepPosition) SavePosition();
  if (m_bModal) {
    m_bModal = FALSE;
    if (m_pDisabledWnd) m_pDisabledWnd->EnableWindow(TRUE);
  }
  return CWnd::DestroyWindow();
}

BOOL CProgressWnd::OnEraseBkgnd(CDC* pDC) {
  CRect rc;
  GetClientRect(rc);
  pDC->FillSolidRect(rc, ::GetSysColor(COLOR_BTNFACE));
  return TRUE;
}
