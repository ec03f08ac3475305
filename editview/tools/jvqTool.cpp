#include "jvqTool.h"

#include "jvqBoard.h"
#include "jvqFrameWnd.h"
#include "jvqGuideLine.h"
#include "jvqPage.h"
#include "jvqRulerBar.h"
#include "jvqSnap.h"
#include "jvqView.h"

HCURSOR jvqTool::s_hArrow, jvqTool::s_hSizeWE, jvqTool::s_hSizeNESW, jvqTool::s_hSizeNS, jvqTool::s_hSizeNWSE,
    jvqTool::s_hCross, jvqTool::s_hIBeam, jvqTool::s_hNo, jvqTool::s_hWait;
HCURSOR jvqTool::s_hMove, jvqTool::s_hRotate, jvqTool::s_hRect, jvqTool::s_hLine, jvqTool::s_hEllipse,
    jvqTool::s_hRoundRect, jvqTool::s_hSector, jvqTool::s_hVertex, jvqTool::s_hZoomIn, jvqTool::s_hZoomOut,
    jvqTool::s_hVertexEdit, jvqTool::s_hCopy, jvqTool::s_hFavorite;

jvqTool::jvqTool(jvqView* pView)
    : m_nToolId(0), m_pView(pView), m_bNothingDrawn(1), m_nKeyFlags(0), m_bDone(0), m_bBusy(0) {
  m_ptStart.x = m_ptStart.y = 0;
  m_ptPrev = m_ptCurrent = m_ptStart;
}

jvqTool::~jvqTool() {
  if (m_pView) {
    m_pView->SetCursorId(0);
    if (m_pView->m_hWnd && ::GetCapture() == m_pView->m_hWnd) ::ReleaseCapture();
    m_pView->m_nLastCreateCommand = m_pView->GetToolCommand(this);
  }
}

void jvqTool::ResetPoints(int x, int y) {
  m_ptStart.x = m_ptPrev.x = m_ptCurrent.x = x;
  m_ptStart.y = m_ptPrev.y = m_ptCurrent.y = y;
  m_bNothingDrawn = 1;
}

std::vector<int> jvqTool::GetSnapGuides(BOOL bHorizontal) {
  std::vector<int> v;
  jvqFrameWnd* f = m_pView ? m_pView->GetFrame() : NULL;
  jvqPage* page = m_pView ? m_pView->GetCurrentPage() : NULL;
  if (f == NULL) return v;
  jvqRulerBar& r = bHorizontal ? f->m_wndHorzRuler : f->m_wndVertRuler;
  // Only the guides that show: those of the current page.
  for (jvqGuideLine* g : r.m_Guides)
    if (g->m_pPage == page) v.push_back(bHorizontal ? g->m_ptPos.x : g->m_ptPos.y);
  return v;
}

POINT jvqTool::SnapPoint(UINT nFlags, POINT pt) {
  if (m_pView == NULL || !(m_pView->m_dwOptions & JVQ_VIEW_SNAP)) return pt;
  jvqBoard* b = m_pView->GetBoard();
  if (b == NULL || b->m_nGridSpacing == 0) return pt;
  const int s = b->m_nGridSpacing;
  POINT r;
  r.x = jvqSnapToGuides(pt.x, jvqSnapToStep(pt.x, s), GetSnapGuides(TRUE));
  r.y = jvqSnapToGuides(pt.y, jvqSnapToStep(pt.y, s), GetSnapGuides(FALSE));
  return r;
}

static HCURSOR AppCursor(int id) {
  HCURSOR h = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
  return h ? h : ::LoadCursor(NULL, IDC_ARROW);
}

void jvqTool::LoadCursors() {
  if (s_hArrow) return;
  s_hArrow = ::LoadCursor(NULL, IDC_ARROW);
  s_hSizeWE = ::LoadCursor(NULL, IDC_SIZEWE);
  s_hSizeNESW = ::LoadCursor(NULL, IDC_SIZENESW);
  s_hSizeNS = ::LoadCursor(NULL, IDC_SIZENS);
  s_hSizeNWSE = ::LoadCursor(NULL, IDC_SIZENWSE);
  s_hCross = ::LoadCursor(NULL, IDC_CROSS);
  s_hIBeam = ::LoadCursor(NULL, IDC_IBEAM);
  s_hNo = ::LoadCursor(NULL, IDC_NO);
  s_hWait = ::LoadCursor(NULL, IDC_WAIT);
  s_hMove = AppCursor(IDC_QVZ_MOVE);
  s_hRotate = AppCursor(IDC_QVZ_ROTATE);
  s_hRect = AppCursor(IDC_QVZ_RECT);
  s_hLine = AppCursor(IDC_QVZ_LINE);
  s_hEllipse = AppCursor(IDC_QVZ_ELLIPSE);
  s_hRoundRect = AppCursor(IDC_QVZ_ROUNDRECT);
  s_hSector = AppCursor(IDC_QVZ_SECTOR);
  s_hVertex = AppCursor(IDC_QVZ_VERTEX);
  s_hZoomIn = AppCursor(IDC_QVZ_ZOOMIN);
  s_hZoomOut = AppCursor(IDC_QVZ_ZOOMOUT);
  s_hVertexEdit = AppCursor(IDC_QVZ_VERTEXEDIT);
  s_hCopy = AppCursor(IDC_QVZ_COPY);
  s_hFavorite = AppCursor(IDC_QVZ_FAVORITE);
}
