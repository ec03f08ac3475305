#include "jvqGuideLine.h"

#include "jvqBoard.h"
#include "jvqLineStyle.h"
#include "jvqPage.h"
#include "jvqRulerBar.h"
#include "jvqView.h"

jvqGuideLine::jvqGuideLine(POINT pt, jvqRulerBar* pRuler, jvqPage* pPage, CBitmap* pMarker, CBitmap* pSelected,
                           CBitmap* pMask)
    : m_ptPos(pt),
      m_bVisible(TRUE),
      m_pMarker(pMarker),
      m_pSelectedMarker(pSelected),
      m_pMask(pMask),
      m_pRuler(pRuler),
      m_bSelected(FALSE),
      m_nMarkerOffset(13),
      m_pPage(pPage) {}

int jvqGuideLine::GetPageIndex() {
  jvqView* v = m_pRuler ? m_pRuler->GetView() : NULL;
  jvqBoard* b = v ? v->GetBoard() : NULL;
  if (b == NULL) return -1;
  const int n = b->GetPageCount();
  for (int i = 0; i < n; i++)
    if (b->GetPage(i) == m_pPage) return i;
  return -1;
}

BOOL jvqGuideLine::IsOnCurrentPage() {
  jvqView* v = m_pRuler ? m_pRuler->GetView() : NULL;
  return v && m_pPage && v->GetCurrentPage() == m_pPage;
}

void jvqGuideLine::DrawInView(CDC* pDC, jvqLineStyle* pStyle) {
  if (m_pRuler == NULL || !m_pRuler->m_bGuidesShown || !IsOnCurrentPage()) return;
  jvqView* v = m_pRuler->GetView();
  RECT rc;
  v->GetClientRect(&rc);
  v->RectToLogical(&rc);
  // Across the whole scroll extent when it is taller than the window.
  SIZE ext = v->m_Mapping.GetExtent();
  POINT a, b;
  if (m_pRuler->IsHorizontal()) {
    int top = rc.top, bottom = rc.bottom;
    if (ext.cy > bottom - top) {
      top = -v->m_Mapping.m_nPageOffsetY;
      bottom = top + ext.cy;
    }
    a.x = b.x = m_ptPos.x;
    a.y = top;
    b.y = bottom;
  } else {
    int left = rc.left, right = rc.right;
    if (ext.cx > right - left) {
      left = -v->m_Mapping.m_nPageOffsetX;
      right = left + ext.cx;
    }
    a.y = b.y = m_ptPos.y;
    a.x = left;
    b.x = right;
  }
  const COLORREF old = pStyle->GetColor();
  pStyle->SetColor(RGB(255, 0, 255));
  pStyle->DrawLine(pDC, &a, &b);
  pStyle->SetColor(old);
}

void jvqGuideLine::GetMarkerRect(RECT* pOut) {
  ::SetRectEmpty(pOut);
  if (m_pRuler == NULL || m_pMarker == NULL || m_pMarker->m_hObject == NULL) return;
  BITMAP bm;
  ::GetObject(m_pMarker->m_hObject, sizeof(bm), &bm);
  const int c = m_pRuler->LogicalToRuler(m_pRuler->IsHorizontal() ? m_ptPos.x : m_ptPos.y);
  if (m_pRuler->IsHorizontal()) {
    pOut->left = c - bm.bmWidth / 2;
    pOut->top = m_nMarkerOffset;
  } else {
    pOut->left = m_nMarkerOffset;
    pOut->top = c - bm.bmHeight / 2;
  }
  pOut->right = pOut->left + bm.bmWidth;
  pOut->bottom = pOut->top + bm.bmHeight;
}

void jvqGuideLine::DrawMarker(CDC* pDC) {
  if (!m_bVisible || m_pRuler == NULL || !m_pRuler->m_bGuidesShown || !IsOnCurrentPage()) return;
  RECT r;
  GetMarkerRect(&r);
  if (::IsRectEmpty(&r)) return;
  CDC mem;
  mem.CreateCompatibleDC(pDC);
  CBitmap* pOld = mem.SelectObject(m_pMask);
  pDC->BitBlt(r.left, r.top, r.right - r.left, r.bottom - r.top, &mem, 0, 0, SRCAND);
  mem.SelectObject(m_bSelected ? m_pSelectedMarker : m_pMarker);
  pDC->BitBlt(r.left, r.top, r.right - r.left, r.bottom - r.top, &mem, 0, 0, SRCINVERT);
  mem.SelectObject(pOld);
}

BOOL jvqGuideLine::HitTest(POINT pt) {
  if (!IsOnCurrentPage()) return FALSE;
  RECT r;
  GetMarkerRect(&r);
  RECT rw;
  m_pRuler->GetClientRect(&rw);
  // Anywhere across the ruler within the marker's extent along the axis.
  if (m_pRuler->IsHorizontal())
    ::InflateRect(&r, 0, rw.bottom + 100);
  else
    ::InflateRect(&r, rw.right + 100, 0);
  return ::PtInRect(&r, pt);
}
