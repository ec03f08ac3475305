#include "CSkinDialog.h"

#include "Dib.h"
#include "LoadDibFromResource.h"

/////////////////////////////////////////////////////////////////////////////
// CSkinButtonArea

CSkinButtonArea::CSkinButtonArea(CSkinDialog* pOwner, const RECT& rc, int nCommand)
    : m_pNormal(NULL), m_pHot(NULL), m_pPressed(NULL), m_pOwner(pOwner), m_rc(rc), m_nCommand(nCommand),
      m_nState(STATE_NORMAL) {}

CSkinButtonArea::~CSkinButtonArea() {
  delete m_pNormal;
  delete m_pHot;
  delete m_pPressed;
}

void CSkinButtonArea::Draw(CDC* pDC) {
  CDib* p = m_nState == STATE_HOT ? m_pHot : m_nState == STATE_PRESSED ? m_pPressed : m_pNormal;
  CRect rc(m_rc);
  if (p == NULL) {
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    return;
  }
  p->Draw(pDC, rc, NULL);
}

void CSkinButtonArea::SetState(int nState) {
  if (m_nState == nState) return;
  m_nState = nState;
  if (m_pOwner != NULL && m_pOwner->m_hWnd != NULL) m_pOwner->InvalidateRect(&m_rc, FALSE);
}

void CSkinButtonArea::OnLButtonDown(POINT) {
  ::ReleaseCapture();
  SetState(STATE_PRESSED);
}

void CSkinButtonArea::OnLButtonUp(POINT) { SetState(STATE_HOT); }

void CSkinButtonArea::OnMouseMove(POINT pt) { SetState(Contains(pt) ? STATE_HOT : STATE_NORMAL); }

/////////////////////////////////////////////////////////////////////////////
// CSkinDialog

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nChosen(0), m_pBackground(NULL), m_bDragging(FALSE), m_ptDrag{0, 0},
      m_pParent(pParent) {}

CSkinDialog::~CSkinDialog() {
  for (CSkinButtonArea* a : m_Areas) delete a;
  delete m_pBackground;
}

BOOL CSkinDialog::SetBackground(LPCTSTR lpszName, LPCTSTR lpszType) {
  CDib* p = LoadDibFromResource(lpszName, lpszType);
  if (p == NULL) return FALSE;
  delete m_pBackground;
  m_pBackground = p;
  return TRUE;
}

BOOL CSkinDialog::AddButton(const RECT* pRect, int nCommand, LPCTSTR lpszNormal, LPCTSTR lpszHot,
                            LPCTSTR lpszPressed, LPCTSTR lpszType) {
  if (pRect == NULL || nCommand == 0) return FALSE;
  CSkinButtonArea* a = new CSkinButtonArea(this, *pRect, nCommand);
  a->m_pHot = LoadDibFromResource(lpszHot, lpszType);
  a->m_pNormal = LoadDibFromResource(lpszNormal, lpszType);
  a->m_pPressed = LoadDibFromResource(lpszPressed, lpszType);
  m_Areas.push_back(a);
  return TRUE;
}

SIZE CSkinDialog::GetSkinSize() const {
  if (m_pBackground != NULL && m_pBackground->GetWidth() > 0 && m_pBackground->GetHeight() > 0)
    return {m_pBackground->GetWidth(), m_pBackground->GetHeight()};
  return {480, 415};
}

BOOL CSkinDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  const SIZE s = GetSkinSize();
  SetWindowPos(NULL, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CRect rc;
  GetWindowRect(&rc);
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - rc.Width()) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - rc.Height()) / 2;
  SetWindowPos(&wndTopMost, x, y, 0, 0, SWP_NOSIZE);
  return TRUE;
}

void CSkinDialog::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  if (m_Areas.empty()) {
    if (m_pBackground != NULL)
      m_pBackground->Draw(&dc, rc, NULL);
    else
      dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    return;
  }
  // Off screen, then one copy: no flicker while the buttons change.
  CDC mem;
  mem.CreateCompatibleDC(&dc);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
  CBitmap* pOld = mem.SelectObject(&bmp);
  if (m_pBackground != NULL)
    m_pBackground->Draw(&mem, rc, NULL);
  else
    mem.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
  for (CSkinButtonArea* a : m_Areas) a->Draw(&mem);
  dc.BitBlt(0, 0, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
  mem.SelectObject(pOld);
}

void CSkinDialog::OnLButtonDown(UINT, CPoint pt) {
  for (CSkinButtonArea* a : m_Areas) {
    if (a->Contains(pt)) {
      a->OnLButtonDown(pt);
      return;
    }
  }
  SetCapture();
  m_bDragging = TRUE;
  m_ptDrag = pt;
  ClientToScreen(&m_ptDrag);
}

void CSkinDialog::OnMouseMove(UINT, CPoint pt) {
  BOOL bInside = FALSE;
  for (CSkinButtonArea* a : m_Areas) {
    a->OnMouseMove(pt);
    if (a->Contains(pt)) bInside = TRUE;
  }
  if (bInside || !m_bDragging) return;
  POINT ptScreen = pt;
  ClientToScreen(&ptScreen);
  const int dx = ptScreen.x - m_ptDrag.x, dy = ptScreen.y - m_ptDrag.y;
  if (dx == 0 || dy == 0) return;
  CRect rc;
  GetWindowRect(&rc);
  SetWindowPos(NULL, rc.left + dx, rc.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_ptDrag = ptScreen;
}

void CSkinDialog::OnLButtonUp(UINT, CPoint pt) {
  ::ReleaseCapture();
  for (CSkinButtonArea* a : m_Areas) {
    if (a->Contains(pt)) {
      a->OnLButtonUp(pt);
      m_nChosen = a->m_nCommand;
      EndDialog(IDOK);
      return;
    }
  }
  m_bDragging = FALSE;
}
