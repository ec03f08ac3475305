#include "jvqFrameWnd.h"

#include "jvqGuideLine.h"
#include "qvzDocument.h"

IMPLEMENT_DYNCREATE(jvqFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(jvqFrameWnd, CFrameWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

static jvqFrameWnd* GuideFrame() {
  CWnd* w = AfxGetMainWnd();
  return (w && w->IsKindOf(RUNTIME_CLASS(jvqFrameWnd))) ? (jvqFrameWnd*)w : NULL;
}

// The document stores the guides of the rulers of the main window.
static void GetGuides(BOOL bHorizontal, std::vector<qvzGuideEntry>& out) {
  out.clear();
  jvqFrameWnd* f = GuideFrame();
  if (f == NULL) return;
  jvqRulerBar& r = bHorizontal ? f->m_wndHorzRuler : f->m_wndVertRuler;
  for (jvqGuideLine* g : r.m_Guides) {
    const int page = g->GetPageIndex();
    if (page < 0) continue;
    qvzGuideEntry e = {bHorizontal ? (int)g->m_ptPos.x : (int)g->m_ptPos.y, page};
    out.push_back(e);
  }
}

static void SetGuides(BOOL bHorizontal, const std::vector<qvzGuideEntry>& in) {
  jvqFrameWnd* f = GuideFrame();
  if (f == NULL) return;
  jvqRulerBar& r = bHorizontal ? f->m_wndHorzRuler : f->m_wndVertRuler;
  r.DeleteAllGuides();
  for (const qvzGuideEntry& e : in) r.AddGuide(e.nPosition, e.nPageIndex);
  if (r.m_hWnd) r.Invalidate();
}

jvqFrameWnd::jvqFrameWnd() : m_nVertRulerId(AFX_IDW_TOOLBAR + 10), m_nHorzRulerId(AFX_IDW_TOOLBAR + 11), m_nFlags(1) {
  qvzDocument::s_pfnGetGuides = GetGuides;
  qvzDocument::s_pfnSetGuides = SetGuides;
}

jvqFrameWnd::~jvqFrameWnd() {
  if (m_wndVertRuler.m_hWnd) m_wndVertRuler.DestroyWindow();
  if (m_wndHorzRuler.m_hWnd) m_wndHorzRuler.DestroyWindow();
}

BOOL jvqFrameWnd::CreateRulers() {
  if (m_wndVertRuler.m_hWnd && m_wndHorzRuler.m_hWnd) return TRUE;
  if (!m_wndVertRuler.Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT | CBRS_HIDE_INPLACE,
                             m_nVertRulerId))
    return FALSE;
  return m_wndHorzRuler.Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_HIDE_INPLACE,
                               m_nHorzRulerId);
}

int jvqFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
  return CreateRulers() ? 0 : -1;
}

void jvqFrameWnd::DrawGuides(CDC* pDC) {
  if (m_wndVertRuler.m_hWnd) m_wndVertRuler.DrawGuides(pDC);
  if (m_wndHorzRuler.m_hWnd) m_wndHorzRuler.DrawGuides(pDC);
}
