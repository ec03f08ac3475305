#include "jvqRulerBar.h"

#include <climits>

#include "jvqBoard.h"
#include "jvqDocument.h"
#include "jvqGuideLine.h"
#include "jvqLineStyle.h"
#include "jvqPage.h"
#include "jvqSnap.h"
#include "jvqView.h"
#include "qvzHelpers.h"

IMPLEMENT_DYNAMIC(jvqRulerBar, CToolBar)

BEGIN_MESSAGE_MAP(jvqRulerBar, CToolBar)
  ON_WM_SYSCOLORCHANGE()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_RBUTTONDOWN()
  ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, OnNeedText)
END_MESSAGE_MAP()

jvqRulerBar::jvqRulerBar()
    : m_nLastZoom(0),
      m_nLastScroll(0),
      m_pToolTip(NULL),
      m_bGuidesShown(TRUE),
      m_nLastOrigin(0),
      m_nLastWidth(0),
      m_nLastHeight(0),
      m_nLastPageLength(0),
      m_nOrientation(JVQ_RULER_HORZ),
      m_pDragGuide(NULL),
      m_pContextGuide(NULL),
      m_nMinorStep(10),
      m_nLastMenu(0) {
  m_szPageOnScreen.cx = m_szPageOnScreen.cy = 0;
  ::SetRectEmpty(&m_rcScale);
  CreateResources();
}

jvqRulerBar::~jvqRulerBar() {
  delete m_pToolTip;
  DeleteAllGuides();
  DeleteResources();
}

void jvqRulerBar::DeleteAllGuides() {
  // Each guide is deleted as the object it is, so its destructor runs.
  for (jvqGuideLine* g : m_Guides) delete g;
  m_Guides.clear();
  m_pDragGuide = m_pContextGuide = NULL;
}

static void LoadMarker(CBitmap& bm, UINT id, int cx, int cy, COLORREF cr) {
  HANDLE h = ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (h) {
    bm.Attach((HBITMAP)h);
    return;
  }
  // Without the program's resources: a plain block of the marker's size.
  HDC hScreen = ::GetDC(NULL);
  HBITMAP hb = ::CreateCompatibleBitmap(hScreen, cx, cy);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HGDIOBJ old = ::SelectObject(hMem, hb);
  HBRUSH br = ::CreateSolidBrush(cr);
  RECT r = {0, 0, cx, cy};
  ::FillRect(hMem, &r, br);
  ::DeleteObject(br);
  ::SelectObject(hMem, old);
  ::DeleteDC(hMem);
  ::ReleaseDC(NULL, hScreen);
  bm.Attach(hb);
}

void jvqRulerBar::DeleteResources() {
  CGdiObject* all[] = {&m_penDot, &m_penHighlight, &m_penShadow, &m_penFrame, &m_penTick, &m_penFace, &m_penText,
                       &m_penWindow, &m_brLight, &m_brFace, &m_fontBar, &m_brScale, &m_fontLabel, &m_bmMarker,
                       &m_bmSelected, &m_bmMask};
  for (CGdiObject* o : all) o->DeleteObject();
}

void jvqRulerBar::CreateResources() {
  DeleteResources();
  m_penDot.CreatePen(PS_DOT, 1, ::GetSysColor(COLOR_WINDOWTEXT));
  m_penHighlight.CreatePen(PS_INSIDEFRAME, 0, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  m_penShadow.CreatePen(PS_INSIDEFRAME, 0, ::GetSysColor(COLOR_BTNSHADOW));
  m_penFrame.CreatePen(PS_INSIDEFRAME, 0, ::GetSysColor(COLOR_WINDOWFRAME));
  m_penTick.CreatePen(PS_INSIDEFRAME, 0, RGB(0, 0, 255));
  m_penFace.CreatePen(PS_INSIDEFRAME, 0, ::GetSysColor(COLOR_BTNFACE));
  m_penText.CreatePen(PS_INSIDEFRAME, 0, ::GetSysColor(COLOR_WINDOWTEXT));
  m_penWindow.CreatePen(PS_INSIDEFRAME, 0, ::GetSysColor(COLOR_WINDOW));
  m_brLight.CreateSolidBrush(RGB(0xFF, 0xFF, 0xDE));
  m_brFace.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
  m_fontBar.CreatePointFont(110, "ＭＳ ゴシック");
  m_brScale.CreateSolidBrush(RGB(0xFB, 0xFB, 0xE2));
  if (m_nOrientation == JVQ_RULER_HORZ) {
    m_fontLabel.CreatePointFont(90, "ＭＳ ゴシック");
    LoadMarker(m_bmMarker, 227, 9, 11, RGB(128, 128, 128));
    LoadMarker(m_bmSelected, 469, 9, 11, RGB(255, 0, 0));
    LoadMarker(m_bmMask, 652, 9, 11, RGB(0, 0, 0));
  } else {
    CFont probe;
    probe.CreatePointFont(90, "ＭＳ ゴシック");
    LOGFONT lf;
    ::GetObject(probe.m_hObject, sizeof(lf), &lf);
    // Turned a quarter clockwise, so the labels read down the ruler.
    m_fontLabel.CreateFont(lf.lfHeight, 0, 2700, 2700, 400, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "@ＭＳ ゴシック");
    LoadMarker(m_bmMarker, 225, 12, 9, RGB(128, 128, 128));
    LoadMarker(m_bmSelected, 468, 12, 9, RGB(255, 0, 0));
    LoadMarker(m_bmMask, 663, 12, 9, RGB(0, 0, 0));
  }
}

BOOL jvqRulerBar::Create(CWnd* pParent, DWORD dwStyle, UINT nId) {
  dwStyle = (dwStyle & ~WS_BORDER) | WS_CLIPSIBLINGS;
  m_nOrientation = (dwStyle & (CBRS_BORDER_LEFT | CBRS_BORDER_RIGHT | CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT))
                       ? JVQ_RULER_VERT
                       : JVQ_RULER_HORZ;
  if (!CToolBar::Create(pParent, dwStyle, nId)) return FALSE;
  if (m_nOrientation == JVQ_RULER_HORZ)
    SetBorders(2, 2, 2, 0);
  else
    SetBorders(2, 2, 0, 2);
  CreateResources();
  SendMessage(WM_SETFONT, (WPARAM)m_fontBar.m_hObject, 0);
  return TRUE;
}

CSize jvqRulerBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize sz = CToolBar::CalcFixedLayout(bStretch, bHorz);
  if (m_hWnd && IsWindowVisible()) {
    if (m_nOrientation == JVQ_RULER_HORZ)
      sz.cy = m_cyTopBorder + m_cyBottomBorder + 28;
    else
      sz.cx = m_cxLeftBorder + m_cxRightBorder + 29;
  }
  return sz;
}

LRESULT jvqRulerBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The ruler has no buttons: a press is the ruler's own, never the tool bar's.
  if (message == WM_LBUTTONDOWN) return CWnd::WindowProc(message, wParam, lParam);
  return CToolBar::WindowProc(message, wParam, lParam);
}

void jvqRulerBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
  UpdateFromView();
}

jvqView* jvqRulerBar::GetView() {
  if (m_hWnd == NULL) return NULL;
  CFrameWnd* f = GetParentFrame();
  CView* v = f ? f->GetActiveView() : NULL;
  return (v && v->IsKindOf(RUNTIME_CLASS(jvqView))) ? (jvqView*)v : NULL;
}

int jvqRulerBar::LogicalToRuler(int v) {
  jvqView* view = GetView();
  if (view == NULL) return 0;
  POINT pt = {IsHorizontal() ? v : 0, IsHorizontal() ? 0 : v};
  view->PointToDevice(&pt, &pt);
  view->ClientToScreen(&pt);
  ScreenToClient(&pt);
  return IsHorizontal() ? pt.x : pt.y;
}

void jvqRulerBar::UpdateFromView() {
  jvqView* v = GetView();
  if (v == NULL || v->m_hWnd == NULL || v->GetCurrentPage() == NULL) return;
  SIZE szPage;
  v->GetPageSize(&szPage);
  const int zoom = v->m_Mapping.GetZoomPercent();
  const int origin = IsHorizontal() ? v->m_ptPageOrigin.x : v->m_ptPageOrigin.y;
  const int scroll = v->GetScrollPos(IsHorizontal() ? SB_HORZ : SB_VERT);
  const int length = IsHorizontal() ? szPage.cx : szPage.cy;
  const BOOL bChanged =
      zoom != m_nLastZoom || origin != m_nLastOrigin || scroll != m_nLastScroll || length != m_nLastPageLength;
  m_nLastZoom = zoom;
  m_nLastOrigin = origin;
  m_nLastScroll = scroll;
  m_nLastPageLength = length;
  m_szPageOnScreen = v->m_szPageOnScreen;
  RECT rc;
  GetWindowRect(&rc);
  const BOOL bResized = rc.right - rc.left != m_nLastWidth || rc.bottom - rc.top != m_nLastHeight;
  m_nLastWidth = rc.right - rc.left;
  m_nLastHeight = rc.bottom - rc.top;
  if (bResized || bChanged) {
    InvalidateRect(NULL, TRUE);
    UpdateGuideToolTips();
  }
}

int jvqRulerBar::GetLabelStep(CDC* pDC, int nBase) {
  jvqView* v = GetView();
  if (v == NULL) return nBase;
  SIZE szPage;
  v->GetPageSize(&szPage);
  CString s;
  s.Format("%d", (IsHorizontal() ? szPage.cx : szPage.cy) / 10);
  CSize ext;
  ::GetTextExtentPoint32(pDC->m_hDC, s, s.GetLength(), &ext);
  const int w = IsHorizontal() ? v->WidthToLogical(ext.cx) : v->HeightToLogical(ext.cx);
  if (w <= nBase) return nBase;
  for (int k = 2; k <= 99; k++)
    if (k * nBase > w) return k * nBase;
  return nBase;
}

void jvqRulerBar::PrepareRulerDC(CDC* pDC) {}

void jvqRulerBar::OnPaint() {
  CPaintDC paint(this);
  CClientDC dc(this);
  Paint(&dc);
}

void jvqRulerBar::Paint(CDC* pDC) {
  m_LastLabels.clear();
  jvqView* v = GetView();
  if (v == NULL || v->GetCurrentPage() == NULL) return;
  const BOOL h = IsHorizontal();
  SIZE szPage;
  v->GetPageSize(&szPage);
  const int pageLen = h ? szPage.cx : szPage.cy;
  RECT rcView;
  v->GetWindowRect(&rcView);
  ScreenToClient(&rcView);
  RECT rcClient;
  GetClientRect(&rcClient);
  int start = h ? rcView.left : rcView.top, end = h ? rcView.right : rcView.bottom;
  const int a = LogicalToRuler(-90), b = LogicalToRuler(pageLen + 90);
  if (start < a) start = a;
  if (end > b) end = b;
  const int nSaved = pDC->SaveDC();
  CPen* pOldPen = pDC->SelectObject(&m_penTick);
  CFont* pOldFont = pDC->SelectObject(&m_fontLabel);
  RECT rcFrame = h ? CRect(start, 0, end, rcClient.bottom - 2) : CRect(0, start, rcClient.right - 2, end - 2);
  if (start < end) pDC->DrawFrameControl(&rcFrame, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  m_rcScale = rcFrame;
  ::InflateRect(&m_rcScale, -2, -2);
  if (::IsRectEmpty(&m_rcScale)) {
    pDC->SelectObject(pOldFont);
    pDC->SelectObject(pOldPen);
    pDC->RestoreDC(nSaved);
    return;
  }
  pDC->FillRect(&m_rcScale, &m_brScale);
  if (h) {
    pDC->MoveTo(m_rcScale.left, m_rcScale.bottom - 1);
    pDC->LineTo(m_rcScale.right, m_rcScale.bottom - 1);
  } else {
    pDC->MoveTo(m_rcScale.right - 1, m_rcScale.top);
    pDC->LineTo(m_rcScale.right - 1, m_rcScale.bottom);
  }
  CRgn clip;
  clip.CreateRectRgnIndirect(&m_rcScale);
  pDC->SelectClipRgn(&clip);
  pDC->SetBkMode(TRANSPARENT);
  const int s = GetLabelStep(pDC, 100);
  const int L = pageLen + s;
  // Labels at or above the view's top edge are skipped on the vertical ruler.
  int topLogical = INT_MIN;
  if (!h) {
    POINT pt = {0, 0};
    v->PointToLogical(&pt, &pt);
    topLogical = pt.y;
  }
  int H = 0;
  for (int val = 0; val <= L; val += s) {
    if (!h && val <= topLogical) continue;
    CString t;
    t.Format("%d", val / 10);
    CSize ext;
    ::GetTextExtentPoint32(pDC->m_hDC, t, t.GetLength(), &ext);
    if (ext.cy > H) H = ext.cy;
    const int c = LogicalToRuler(val);
    if (h) {
      pDC->ExtTextOut(c - ext.cx / 2, m_rcScale.top + 1, ETO_CLIPPED, &m_rcScale, t, NULL);
    } else {
      // Turned clockwise, the text cell lies to the left of its reference point.
      pDC->ExtTextOut(m_rcScale.left + 1 + ext.cy, c - ext.cx / 2, ETO_CLIPPED, &m_rcScale, t, NULL);
    }
    m_LastLabels.push_back(val / 10);
  }
  const int tickFrom = (h ? m_rcScale.top : m_rcScale.left) + 1 + H + 1;
  const int tickTo = h ? m_rcScale.bottom : m_rcScale.right;
  const int T = tickTo - tickFrom;
  for (int val = 0; val <= L; val += s) {
    if (!h && val <= topLogical) continue;
    const int c = LogicalToRuler(val);
    if (h) {
      pDC->MoveTo(c, tickFrom);
      pDC->LineTo(c, tickTo);
    } else {
      pDC->MoveTo(tickFrom, c);
      pDC->LineTo(tickTo, c);
    }
  }
  int m = s / 10;
  auto px = [&](int n) { return h ? v->WidthToDevice(n) : v->HeightToDevice(n); };
  if (px(m) < 2) m = s / 5;
  if (px(m) < 2) m = s / 2;
  m_nMinorStep = s / 10 > 0 ? s / 10 : 1;
  if (m > 0 && px(m) >= 2) {
    m_nMinorStep = m;
    for (int val = m; val <= L; val += m) {
      if (val % s == 0) continue;
      const int len = (val % (s / 2) == 0) ? 2 * T / 3 : T / 2;
      const int c = LogicalToRuler(val);
      if (h) {
        pDC->MoveTo(c, tickTo);
        pDC->LineTo(c, tickTo - len);
      } else {
        pDC->MoveTo(tickTo, c);
        pDC->LineTo(tickTo - len, c);
      }
    }
  }
  pDC->SelectObject(pOldFont);
  pDC->SelectObject(pOldPen);
  for (jvqGuideLine* g : m_Guides) g->DrawMarker(pDC);
  pDC->RestoreDC(nSaved);
  pDC->SelectClipRgn(NULL);
}

void jvqRulerBar::DrawGuides(CDC* pDC) {
  if (m_hWnd == NULL || !IsWindowVisible()) return;
  for (int i = (int)m_Guides.size() - 1; i >= 0; i--) {
    jvqGuideLine* g = m_Guides[i];
    if (g->m_bVisible && g != m_pDragGuide) g->DrawInView(pDC, &theDotLineStyle);
  }
}

jvqGuideLine* jvqRulerBar::AddGuide(int nPosition, int nPageIndex) {
  jvqView* v = GetView();
  jvqBoard* b = v ? v->GetBoard() : NULL;
  if (b == NULL) {
    CFrameWnd* f = m_hWnd ? GetParentFrame() : NULL;
    CDocument* d = f ? f->GetActiveDocument() : NULL;
    if (d && d->IsKindOf(RUNTIME_CLASS(jvqDocument))) b = ((jvqDocument*)d)->GetBoard();
  }
  jvqPage* page = b ? b->GetPage(nPageIndex) : NULL;
  POINT pt = {nPosition, nPosition};
  jvqGuideLine* g = new jvqGuideLine(pt, this, page, &m_bmMarker, &m_bmSelected, &m_bmMask);
  m_Guides.push_back(g);
  UpdateGuideToolTips();
  return g;
}

void jvqRulerBar::UpdateGuideToolTips() {
  delete m_pToolTip;
  m_pToolTip = NULL;
  if (!m_bGuidesShown || m_hWnd == NULL || !IsWindowVisible()) return;
  m_pToolTip = new CToolTipCtrl;
  if (!m_pToolTip->Create(this)) {
    delete m_pToolTip;
    m_pToolTip = NULL;
    return;
  }
  // Tips only for the guides that show: those of the current page.
  for (int i = (int)m_Guides.size() - 1; i >= 0; i--) {
    if (!m_Guides[i]->IsOnCurrentPage()) continue;
    RECT r;
    m_Guides[i]->GetMarkerRect(&r);
    AddRectTool(m_pToolTip, this, -1, &r, (UINT)i);
  }
}

BOOL jvqRulerBar::OnNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult) {
  TOOLTIPTEXTA* t = (TOOLTIPTEXTA*)pNMHDR;
  const UINT_PTR n = pNMHDR->idFrom;
  static CString s_text;
  if (n < m_Guides.size()) {
    jvqGuideLine* g = m_Guides[n];
    s_text.Format("%dmm", (IsHorizontal() ? g->m_ptPos.x : g->m_ptPos.y) / 10);
  } else {
    CString full;
    full.LoadString((UINT)n);
    int k = full.Find('\n');
    s_text = k >= 0 ? full.Mid(k + 1) : CString();
  }
  t->lpszText = (LPSTR)(LPCTSTR)s_text;
  *pResult = 0;
  return TRUE;
}

BOOL jvqRulerBar::InScaleExtent(POINT pt) {
  return IsHorizontal() ? (pt.x >= m_rcScale.left && pt.x < m_rcScale.right)
                        : (pt.y >= m_rcScale.top && pt.y < m_rcScale.bottom);
}

POINT jvqRulerBar::SnapRulerPoint(POINT pt) {
  jvqView* v = GetView();
  if (IsHorizontal()) {
    if (pt.x < m_rcScale.left) pt.x = m_rcScale.left;
    if (pt.x > m_rcScale.right) pt.x = m_rcScale.right;
    pt.y = m_rcScale.bottom;
  } else {
    if (pt.y < m_rcScale.top) pt.y = m_rcScale.top;
    if (pt.y > m_rcScale.bottom) pt.y = m_rcScale.bottom;
    pt.x = m_rcScale.left;
  }
  if (v == NULL) return pt;
  ClientToScreen(&pt);
  v->ScreenToClient(&pt);
  v->PointToLogical(&pt, &pt);
  const int c = m_nMinorStep > 0 ? m_nMinorStep : 10;
  pt.x = jvqSnapToStep(pt.x, c);
  pt.y = jvqSnapToStep(pt.y, c);
  return pt;
}

void jvqRulerBar::DrawGuideInView(jvqGuideLine* g) {
  jvqView* v = GetView();
  if (v == NULL || v->m_hWnd == NULL) return;
  CClientDC dc(v);
  v->OnPrepareDC(&dc);
  g->DrawInView(&dc, &theXorDotStyle);
}

void jvqRulerBar::OnLButtonDown(UINT nFlags, CPoint point) {
  jvqView* v = GetView();
  if (v == NULL || v->GetCurrentPage() == NULL || !m_bGuidesShown || !InScaleExtent(point)) return;
  CClientDC dc(this);
  for (int i = (int)m_Guides.size() - 1; i >= 0; i--) {
    jvqGuideLine* g = m_Guides[i];
    if (!g->HitTest(point)) continue;
    m_pDragGuide = g;
    g->m_bSelected = TRUE;
    g->DrawMarker(&dc);
    v->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SetCapture();
    DrawGuideInView(g);
    return;
  }
  jvqGuideLine* g = new jvqGuideLine(SnapRulerPoint(point), this, v->GetCurrentPage(), &m_bmMarker, &m_bmSelected,
                                     &m_bmMask);
  m_Guides.push_back(g);
  m_pDragGuide = g;
  g->m_bSelected = TRUE;
  SetCapture();
  g->DrawMarker(&dc);
  DrawGuideInView(g);
  UpdateGuideToolTips();
}

void jvqRulerBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_pDragGuide && (nFlags & MK_LBUTTON)) {
    jvqGuideLine* g = m_pDragGuide;
    POINT p = SnapRulerPoint(point);
    if ((IsHorizontal() ? p.x == g->m_ptPos.x : p.y == g->m_ptPos.y)) return;
    g->m_bVisible = FALSE;
    RECT r;
    g->GetMarkerRect(&r);
    RedrawWindow(&r, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    UpdateGuideToolTips();
    g->m_bVisible = TRUE;
    DrawGuideInView(g);
    g->m_ptPos = p;
    CClientDC dc(this);
    g->DrawMarker(&dc);
    DrawGuideInView(g);
  } else if (m_pDragGuide) {
    m_pDragGuide->m_bSelected = FALSE;
    CClientDC dc(this);
    m_pDragGuide->DrawMarker(&dc);
    m_pDragGuide = NULL;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  } else if (::GetCapture() == m_hWnd) {
    ::ReleaseCapture();
  }
}

void jvqRulerBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (!m_bGuidesShown) return;
  if (m_pDragGuide) {
    m_pDragGuide->m_bSelected = FALSE;
    CClientDC dc(this);
    m_pDragGuide->DrawMarker(&dc);
  }
  m_pDragGuide = NULL;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  UpdateGuideToolTips();
  jvqView* v = GetView();
  if (v) v->Redraw();
  Invalidate();
}

void jvqRulerBar::OnRButtonDown(UINT nFlags, CPoint point) {
  if (!InScaleExtent(point)) return;
  CClientDC dc(this);
  if (m_pDragGuide) {
    m_pDragGuide->m_bSelected = FALSE;
    m_pDragGuide->DrawMarker(&dc);
    m_pDragGuide = NULL;
  }
  jvqGuideLine* hit = NULL;
  for (int i = (int)m_Guides.size() - 1; i >= 0; i--) {
    jvqGuideLine* g = m_Guides[i];
    if (!g->HitTest(point)) continue;
    g->m_bSelected = TRUE;
    g->DrawMarker(&dc);
    hit = g;
  }
  m_pContextGuide = hit;
  m_nLastMenu = hit ? 228 : 229;
  CMenu menu;
  if (menu.LoadMenu(m_nLastMenu)) {
    CMenu* pSub = menu.GetSubMenu(0);
    POINT sp = point;
    ClientToScreen(&sp);
    if (pSub) pSub->TrackPopupMenu(TPM_RIGHTBUTTON, sp.x, sp.y, GetParent());
  }
  Default();
  if (m_pContextGuide) {
    m_pContextGuide->m_bSelected = FALSE;
    m_pContextGuide->DrawMarker(&dc);
  }
}

void jvqRulerBar::OnSysColorChange() {
  Default();
  CreateResources();
  Invalidate();
}
