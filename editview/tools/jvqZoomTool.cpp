#include "jvqZoomTool.h"

#include "jvqToolMath.h"
#include "jvqView.h"

jvqZoomTool::jvqZoomTool(jvqView* pView, int nDirection, int nUpper, int nLower)
    : jvqTool(pView), m_nDirection(nDirection), m_bDragging(0), m_nUpper(nUpper), m_nLower(nLower) {
  m_FeedbackStyle = theXorDotStyle;
  m_nToolId = TOOLID_ZOOM;
  if (m_pView) m_pView->SetCursorId(11);
  m_strCaption = "ズーム";
  m_bNothingDrawn = 1;
}

void jvqZoomTool::OnLButtonDblClk(UINT nFlags, int x, int y) {
  m_ptStart.x = m_ptPrev.x = x;
  m_ptStart.y = m_ptPrev.y = y;
}

void jvqZoomTool::OnLButtonDown(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  if (m_nDirection == 1) {
    m_bDragging = 1;
    if (m_pView->m_hWnd) m_pView->SetCapture();
  }
  m_ptStart.x = m_ptPrev.x = x;
  m_ptStart.y = m_ptPrev.y = y;
  m_bNothingDrawn = 1;
}

void jvqZoomTool::OnMouseMove(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  if (m_bDragging) DragZoomRect();
}

void jvqZoomTool::DragZoomRect() {
  CClientDC dc(m_pView);
  m_pView->OnPrepareDC(&dc);
  if (!m_bNothingDrawn) {
    RECT old = jvqNormalRect(m_ptStart, m_ptPrev);
    m_FeedbackStyle.DrawRect(&dc, &old);
  }
  RECT r = jvqNormalRect(m_ptStart, m_ptCurrent);
  m_FeedbackStyle.DrawRect(&dc, &r);
  m_ptPrev = m_ptCurrent;
  m_bNothingDrawn = 0;
}

void jvqZoomTool::CentreAndLayout(POINT c) {
  m_pView->m_ptViewCenter = c;
  if (m_pView->m_hWnd) {
    m_pView->SendMessage(WM_SETREDRAW, FALSE, 0);
    RECT rc;
    m_pView->GetClientRect(&rc);
    m_pView->RecalcLayout(rc.right, rc.bottom);
    m_pView->SendMessage(WM_SETREDRAW, TRUE, 0);
  }
  m_pView->Redraw();
}

void jvqZoomTool::OnLButtonUp(UINT nFlags, int x, int y) {
  m_nKeyFlags = nFlags;
  m_ptCurrent.x = x;
  m_ptCurrent.y = y;
  POINT p = {x, y};
  if (m_nDirection == 1) {
    EndZoomIn();
  } else if (m_pView->m_Mapping.GetZoomPercent() > m_nLower) {
    m_pView->StepZoom(0);
    CentreAndLayout(p);
  }
  m_ptStart = m_ptPrev = p;
  m_pView->Redraw();
}

void jvqZoomTool::EndZoomIn() {
  if (m_pView->m_hWnd && ::GetCapture() == m_pView->m_hWnd) ::ReleaseCapture();
  m_bDragging = 0;
  if (m_pView->m_Mapping.GetZoomPercent() >= m_nUpper) {
    if (!m_bNothingDrawn) m_pView->InvalidateAll();
    m_bNothingDrawn = 1;
    return;
  }
  RECT r = jvqNormalRect(m_ptStart, m_ptCurrent);
  POINT c = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  int z = 0;
  if (r.right - r.left >= 10 && r.bottom - r.top >= 10) {
    if (!m_bNothingDrawn) {
      CClientDC dc(m_pView);
      m_pView->OnPrepareDC(&dc);
      RECT old = jvqNormalRect(m_ptStart, m_ptPrev);
      m_FeedbackStyle.DrawRect(&dc, &old);
    }
    m_ptPrev = m_ptCurrent;
    m_bNothingDrawn = 1;
    z = GetZoomForRect();
  }
  if (z == 0) {
    // A click, or a frame that covers no pixel: one step in.
    m_pView->StepZoom(1);
  } else {
    m_pView->m_Mapping.m_bFitToWindow = FALSE;
    m_pView->m_Mapping.m_dZoom = z;
  }
  m_bNothingDrawn = 1;
  CentreAndLayout(c);
}

int jvqZoomTool::GetZoomForRect() {
  RECT r = jvqNormalRect(m_ptStart, m_ptPrev);
  m_pView->RectToDevice(&r);
  SIZE f = {abs(r.right - r.left), abs(r.bottom - r.top)};
  RECT client = {0, 0, 0, 0};
  if (m_pView->m_hWnd) m_pView->GetClientRect(&client);
  SIZE c = {client.right, client.bottom};
  return jvqZoomForRect(f, c, m_pView->m_Mapping.GetZoomPercent(), m_nUpper, m_nLower);
}

HCURSOR jvqZoomTool::GetCursor(POINT pt) { return m_nDirection == 1 ? s_hZoomIn : s_hZoomOut; }
