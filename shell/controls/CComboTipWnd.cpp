#include "CComboTipWnd.h"

#include <stdlib.h>

#include "jvqDrawingResources.h"

BEGIN_MESSAGE_MAP(CComboTipWnd, CWnd)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CComboTipWnd::CComboTipWnd() : m_ptLast(0, 0), m_pCombo(NULL) {}

CComboTipWnd::~CComboTipWnd() {
  if (::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CComboTipWnd::Create(CWnd* pCombo) {
  m_pCombo = pCombo;
  LPCTSTR lpszClass = AfxRegisterWndClass(0, NULL, NULL, NULL);
  return CreateEx(0, lpszClass, "", WS_POPUP | WS_BORDER, 0, 0, 0, 0, NULL, NULL);
}

void CComboTipWnd::SetSampleFont(int nSize, const jvqFontEntry& entry) {
  m_font.DeleteObject();
  m_font.CreatePointFont(nSize, entry.lf.lfFaceName);
}

CSize CComboTipWnd::MeasureFace() {
  CClientDC dc(this);
  CFont* pOld = m_font.GetSafeHandle() != NULL ? dc.SelectObject(&m_font) : NULL;
  CSize size = dc.GetTextExtent(m_strFace);
  if (pOld != NULL) dc.SelectObject(pOld);
  return size;
}

void CComboTipWnd::ShowSample(int x, int y, const jvqFontEntry& entry) {
  if (m_strFace == entry.lf.lfFaceName && m_ptLast.x == x && m_ptLast.y == y && IsWindowVisible()) return;
  m_ptLast = CPoint(x, y);
  m_strFace = entry.lf.lfFaceName;
  SetSampleFont(-18, entry);
  CSize size = MeasureFace();
  // A sample too small to read is enlarged; a face that measures no height keeps the font.
  if (size.cy > 0 && size.cy < 10) {
    SetSampleFont(-18 * abs(-18 / size.cy), entry);
    size = MeasureFace();
  }

  CPoint ptLeft(0, 0);
  if (m_pCombo != NULL && ::IsWindow(m_pCombo->m_hWnd)) {
    CRect rectCombo;
    m_pCombo->GetClientRect(rectCombo);
    ptLeft.x = rectCombo.left - size.cx - 18;
    m_pCombo->ClientToScreen(&ptLeft);
  }
  SetWindowPos(&CWnd::wndTop, ptLeft.x, y, size.cx + 8, size.cy + 8, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CComboTipWnd::OnEraseBkgnd(CDC* pDC) {
  CRect rect;
  GetClientRect(rect);
  pDC->FillSolidRect(rect, ::GetSysColor(COLOR_INFOBK));
  return TRUE;
}

void CComboTipWnd::OnPaint() {
  CPaintDC dc(this);
  CRect rect;
  GetClientRect(rect);
  CFont* pOld = m_font.GetSafeHandle() != NULL ? dc.SelectObject(&m_font) : NULL;
  int nOldMode = dc.SetBkMode(TRANSPARENT);
  dc.DrawText(m_strFace, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  dc.SetBkMode(nOldMode);
  if (pOld != NULL) dc.SelectObject(pOld);
}
