#include "jvqPreviewView.h"

IMPLEMENT_DYNCREATE(jvqPreviewView, CPreviewView)

BEGIN_MESSAGE_MAP(jvqPreviewView, CPreviewView)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
END_MESSAGE_MAP()

void jvqPreviewView::OnDraw(CDC* pDC) { CPreviewView::OnDraw(pDC); }

void jvqPreviewView::OnZoomIn() {
  if (m_nZoomState != ZOOM_IN) SetZoomState(m_nZoomState + 1, 0, CPoint(0, 0));
  UpdateWindow();
}

void jvqPreviewView::OnZoomOut() {
  if (m_nZoomState != ZOOM_OUT) SetZoomState(m_nZoomState - 1, 0, CPoint(0, 0));
  UpdateWindow();
}

BOOL jvqPreviewView::PrinterRectToRegion(CPreviewDC* pDC, CRgn* pOut, const RECT* pRect, BOOL bLogical) {
  POINT pts[2] = {{pRect->left, pRect->top}, {pRect->right, pRect->bottom}};
  if (bLogical) ::LPtoDP(pDC->m_hAttribDC, pts, 2);
  pDC->PrinterDPtoScreenDP(&pts[0]);
  pDC->PrinterDPtoScreenDP(&pts[1]);
  POINT org = {0, 0};
  ::GetViewportOrgEx(pDC->m_hDC, &org);
  HRGN h = ::CreateRectRgn(pts[0].x + org.x, pts[0].y + org.y, pts[1].x + org.x, pts[1].y + org.y);
  pOut->DeleteObject();
  return pOut->Attach(h);
}
