#include "jvqView.h"

#include "afxres.h"
#include "jvqOleItem.h"
#include "jvqOleObject.h"

#include "jvqBoard.h"
#include "jvqDocument.h"
#include "jvqFrameWnd.h"
#include "jvqGeometry.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqRulerBar.h"
#include "jvqSelectTool.h"
#include "jvqSolidFill.h"
#include "jvqTool.h"
#include "jvqViewHost.h"

IMPLEMENT_DYNCREATE(jvqView, jvqScrollView)

BEGIN_MESSAGE_MAP(jvqView, jvqScrollView)
  ON_WM_LBUTTONDBLCLK()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_RBUTTONDOWN()
  ON_WM_RBUTTONUP()
  ON_WM_RBUTTONDBLCLK()
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_SETCURSOR()
  ON_WM_DESTROY()
  ON_WM_CREATE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_COMMAND(ID_OLE_INSERT_NEW, OnInsertObject)
END_MESSAGE_MAP()

// The view an item's object shows in learns of the server's close.
static void jvqViewItemClosed(jvqOleItem* pItem) {
  jvqOleObject* o = pItem ? pItem->m_pOwner : NULL;
  CWnd* w = (o && o->m_pView) ? o->m_pView->m_pOwnerWnd : NULL;
  if (w != NULL && w->IsKindOf(RUNTIME_CLASS(jvqView))) ((jvqView*)w)->OnOleItemClosed(pItem);
}

int jvqViewToolIdOf(CWnd* pOwner) {
  if (pOwner == NULL || !pOwner->IsKindOf(RUNTIME_CLASS(jvqView))) return -1;
  jvqTool* pTool = ((jvqView*)pOwner)->m_pTool;
  return pTool ? pTool->m_nToolId : -1;
}

jvqView::jvqView()
    : m_nCursorId(0),
      m_dwOptions(0),
      m_bPropertyBarHidden(FALSE),
      m_pBoard(NULL),
      m_crBackground(0),
      m_nSavedPage(0),
      m_pTool(NULL),
      m_pOpenItem(NULL),
      m_nLastCreateCommand(0),
      m_bFavoritesDrop(FALSE),
      m_bNoOffscreen(FALSE) {
  m_Mapping.m_pOwnerWnd = this;
  m_Mapping.m_nMinMarginX = 100;
  m_Mapping.m_nMinMarginY = 100;
  m_ptPageOrigin.x = m_ptPageOrigin.y = 0;
  m_ptPrintOffset.x = m_ptPrintOffset.y = 0;
  m_szPageOnScreen.cx = m_szPageOnScreen.cy = 0;
  m_szBitmap.cx = m_szBitmap.cy = 0;
  m_ptViewCenter.x = m_ptViewCenter.y = 0;
  GetObjectDefaults()->SetDefaultView(&m_Mapping);
  jvqViewMapping::s_pfnToolIdQuery = jvqViewToolIdOf;
  m_bPrintFailed = FALSE;
  SetPrintHooks();
  jvqOleItem::s_pfnItemClosed = jvqViewItemClosed;
}

jvqView::~jvqView() {
  delete m_pTool;
  m_pTool = NULL;
  m_Bitmap.DeleteObject();
  if (m_dcOffscreen.m_hDC) m_dcOffscreen.DeleteDC();
  if (GetObjectDefaults()->GetDefaultView() == &m_Mapping) GetObjectDefaults()->SetDefaultView(NULL);
}

BOOL jvqView::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CView::PreCreateWindow(cs)) return FALSE;
  cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  return TRUE;
}

int jvqView::OnCreate(LPCREATESTRUCT lpcs) { return CView::OnCreate(lpcs); }

// Document and page access.

jvqDocument* jvqView::GetDocument() const {
  CDocument* p = m_pDocument;
  return (p && p->IsKindOf(RUNTIME_CLASS(jvqDocument))) ? (jvqDocument*)p : NULL;
}

jvqBoard* jvqView::GetBoard() const {
  jvqDocument* d = GetDocument();
  return d ? d->GetBoard() : m_pBoard;
}

jvqPage* jvqView::GetCurrentPage() const {
  jvqBoard* b = GetBoard();
  return b ? b->GetCurrentPage() : NULL;
}

void jvqView::GetPageSize(SIZE* pOut) {
  pOut->cx = pOut->cy = 0;
  jvqPage* p = GetCurrentPage();
  if (p == NULL) return;
  RECT rc;
  p->GetBoundRect(&rc);
  pOut->cx = rc.right - rc.left;
  pOut->cy = rc.bottom - rc.top;
}

jvqFrameWnd* jvqView::GetFrame() const {
  if (m_hWnd == NULL) return NULL;
  CFrameWnd* f = GetParentFrame();
  return (f && f->IsKindOf(RUNTIME_CLASS(jvqFrameWnd))) ? (jvqFrameWnd*)f : NULL;
}

int jvqView::SetModifiedFlag(BOOL bModified) {
  jvqDocument* d = GetDocument();
  if (d == NULL) return 0;
  d->SetModifiedFlag(bModified);
  return 1;
}

BOOL jvqView::Redraw() {
  InvalidateAll();
  if (m_hWnd) UpdateWindow();
  return TRUE;
}

BOOL jvqView::PtInClient(POINT pt) {
  RECT rc;
  GetClientRect(&rc);
  return ::PtInRect(&rc, pt);
}

// Conversions.

POINT* jvqView::PointToLogical(POINT* pOut, POINT* pPoint) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.DPtoLP(pPoint, 1);
  *pOut = *pPoint;
  return pOut;
}

POINT* jvqView::PointToDevice(POINT* pOut, POINT* pPoint) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.LPtoDP(pPoint, 1);
  *pOut = *pPoint;
  return pOut;
}

void jvqView::RectToLogical(RECT* pRect) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.DPtoLP((POINT*)pRect, 2);
}

void jvqView::RectToDevice(RECT* pRect) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.LPtoDP((POINT*)pRect, 2);
}

SIZE* jvqView::SizeToLogical(SIZE* pOut, SIZE* pSize) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.DPtoLP(pSize);
  *pOut = *pSize;
  return pOut;
}

SIZE* jvqView::SizeToDevice(SIZE* pOut, SIZE* pSize) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.LPtoDP(pSize);
  *pOut = *pSize;
  return pOut;
}

int jvqView::WidthToDevice(int n) {
  SIZE s = {n, 0};
  SizeToDevice(&s, &s);
  return s.cx;
}

int jvqView::WidthToLogical(int n) {
  SIZE s = {n, 0};
  SizeToLogical(&s, &s);
  return s.cx;
}

int jvqView::HeightToDevice(int n) {
  SIZE s = {0, n};
  SizeToDevice(&s, &s);
  return s.cy;
}

int jvqView::HeightToLogical(int n) {
  SIZE s = {0, n};
  SizeToLogical(&s, &s);
  return s.cy;
}

POINT* jvqView::GetClientCenter(POINT* pOut) {
  RECT rc;
  GetClientRect(&rc);
  POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  return PointToLogical(pOut, &pt);
}

// Selection.

void jvqView::Select(jvqObject* pObject, BOOL bNotify) {
  if (pObject == NULL || !pObject->IsShown()) return;
  pObject->m_dwState |= JVQ_STATE_SELECTED;
  if (bNotify) OnSelect(pObject);
}

void jvqView::Deselect(jvqObject* pObject) {
  if (pObject == NULL) return;
  pObject->m_dwState &= ~JVQ_STATE_SELECTED;
  Redraw();
}

void jvqView::ClearSelection() {
  jvqPage* p = GetCurrentPage();
  if (p == NULL) return;
  for (jvqObject* c : p->m_Children.m_items) c->m_dwState &= ~JVQ_STATE_SELECTED;
}

static BOOL IsSelectedShown(jvqObject* c) {
  const DWORD want = JVQ_STATE_SELECTED | JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE;
  return (c->GetState() & want) == want;
}

int jvqView::GetSelectedCount() {
  jvqPage* p = GetCurrentPage();
  if (p == NULL) return 0;
  int n = 0;
  for (jvqObject* c : p->m_Children.m_items)
    if (IsSelectedShown(c)) n++;
  return n;
}

jvqObject* jvqView::GetSelectedObject(int n) {
  jvqPage* p = GetCurrentPage();
  if (p == NULL || n < 0) return NULL;
  for (jvqObject* c : p->m_Children.m_items)
    if (IsSelectedShown(c) && n-- == 0) return c;
  return NULL;
}

// Tools.

UINT jvqView::GetToolCommand(jvqTool* pTool) {
  if (pTool == NULL) return m_nLastCreateCommand;
  static const int kTable[][2] = {{1016, 32864}, {1021, 32943}, {1022, 32944}, {3004, 32848},
                                  {3005, 32878}, {3006, 32877}, {3007, 32849}, {3009, 32892},
                                  {3010, 32853}, {3012, 32852}, {3014, 32851}, {3015, 32863},
                                  {3016, 32854}, {3017, 32855}, {3018, 32900}};
  for (const auto& e : kTable)
    if (e[0] == pTool->m_nToolId) return e[1];
  return m_nLastCreateCommand;
}

void jvqView::SetTool(jvqTool* pTool) {
  delete m_pTool;
  m_pTool = pTool;
  jvqPage* p = GetCurrentPage();
  if (p && pTool) p->OnToolChanged(pTool->m_nToolId);
}

// Mapping and layout.

void jvqView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  CScrollView::OnPrepareDC(pDC, pInfo);
  if (pDC->IsPrinting()) {
    if (pInfo && !PreparePrintingDC(pDC)) {
      pInfo->m_bContinuePrinting = FALSE;
      m_bPrintFailed = TRUE;
    }
    return;
  }
  jvqPage* p = GetCurrentPage();
  if (p == NULL) return;
  SIZE sz;
  GetPageSize(&sz);
  m_Mapping.m_nPageWidth = sz.cx;
  m_Mapping.m_nPageHeight = sz.cy;
  m_Mapping.m_nMinMarginX = (int)(1.25 * sz.cx);
  m_Mapping.m_nMinMarginY = (int)(1.25 * sz.cy);
  m_Mapping.PrepareDC(pDC);
}

void jvqView::RecalcLayout(int cx, int cy) {
  if (cx <= 0 || cy <= 0 || m_nMapMode == 0 || GetDocument() == NULL || m_pBoard == NULL) return;
  jvqPage* pPage = GetCurrentPage();
  if (pPage == NULL) return;
  m_Mapping.m_nClientWidth = cx;
  m_Mapping.m_nClientHeight = cy;
  CClientDC dc(this);
  SIZE szPage;
  GetPageSize(&szPage);
  m_Mapping.m_nPageWidth = szPage.cx;
  m_Mapping.m_nPageHeight = szPage.cy;
  m_Mapping.m_nMinMarginX = (int)(1.25 * szPage.cx);
  m_Mapping.m_nMinMarginY = (int)(1.25 * szPage.cy);
  if (m_Mapping.m_bFitToWindow) {
    RECT rcContents;
    pPage->GetContentsRect(&rcContents);
    dc.SetMapMode(MM_LOMETRIC);
    SIZE szc = {rcContents.right - rcContents.left, rcContents.bottom - rcContents.top};
    // 0.1 mm is one MM_LOMETRIC unit.
    dc.LPtoDP(&szc);
    szc.cx = abs(szc.cx);
    szc.cy = abs(szc.cy);
    dc.SetMapMode(MM_TEXT);
    RECT rcClient = {0, 0, cx - 10, cy - 10};
    RECT rcFit = {0, 0, szc.cx, szc.cy};
    FitRectToAspect(&rcFit, &rcClient);
    int zoom = 1;
    if (szc.cx > 0 && szc.cy > 0) {
      int zx = ::MulDiv(100, rcFit.right - rcFit.left, szc.cx);
      int zy = ::MulDiv(100, rcFit.bottom - rcFit.top, szc.cy);
      zoom = zx < zy ? zx : zy;
    }
    if (zoom < 2) zoom = 1;
    m_Mapping.m_dZoom = zoom;
    m_Mapping.PrepareDC(&dc);
    m_ptViewCenter.x = szPage.cx / 2;
    m_ptViewCenter.y = szPage.cy / 2;
    SIZE ext = m_Mapping.GetExtent();
    dc.LPtoDP(&ext);
    SetScrollSizes(MM_TEXT, ext);
  } else {
    m_Mapping.PrepareDC(&dc);
    SIZE ext = m_Mapping.GetExtent();
    dc.LPtoDP(&ext);
    RECT rc;
    GetClientRect(&rc);
    if (rc.right - rc.left >= ext.cx) ext.cx = 1;
    if (rc.bottom - rc.top >= ext.cy) {
      ext.cy = 1;
      if (rc.bottom - rc.top >= 1) {
        m_ptViewCenter.x = szPage.cx / 2;
        m_ptViewCenter.y = szPage.cy / 2;
        SetScrollSizes(MM_TEXT, ext);
        return;
      }
    }
    SetScrollSizes(MM_TEXT, ext);
    GetClientRect(&rc);
    RectToLogical(&rc);
    SIZE extLog = ext;
    SizeToLogical(&extLog, &extLog);
    if (rc.right - rc.left >= extLog.cx) m_ptViewCenter.x = extLog.cx / 2;
    if (rc.bottom - rc.top >= extLog.cy) m_ptViewCenter.y = extLog.cy / 2;
  }
  RECT rc;
  GetClientRect(&rc);
  RectToLogical(&rc);
  POINT pt = {m_ptViewCenter.x - (rc.right - rc.left) / 2, m_ptViewCenter.y - (rc.bottom - rc.top) / 2};
  PointToDevice(&pt, &pt);
  // The device point is relative to the scrolled origin; the position is absolute.
  CPoint pos = GetDeviceScrollPosition();
  pt.x += pos.x;
  pt.y += pos.y;
  if (pt.x < 0) pt.x = 0;
  if (pt.y < 0) pt.y = 0;
  ScrollToPosition(pt);
}

void jvqView::OnSize(UINT nType, int cx, int cy) {
  CScrollView::OnSize(nType, cx, cy);
  RecalcLayout(cx, cy);
}

// Painting.

void jvqView::KeepRulersInStep() {
  jvqFrameWnd* f = GetFrame();
  if (f == NULL) return;
  jvqRulerBar& h = f->m_wndHorzRuler;
  if (h.m_hWnd == NULL) return;
  const BOOL bShown = (f->m_nFlags & 1) != 0;
  const BOOL bVisible = h.IsWindowVisible();
  if (bVisible && !bShown) {
    h.ShowWindow(SW_HIDE);
    if (f->m_wndVertRuler.m_hWnd) f->m_wndVertRuler.ShowWindow(SW_HIDE);
    f->RecalcLayout(TRUE);
  } else if (!bVisible && bShown) {
    h.ShowWindow(SW_SHOW);
    if (f->m_wndVertRuler.m_hWnd) f->m_wndVertRuler.ShowWindow(SW_SHOW);
    f->RecalcLayout(TRUE);
  }
}

void jvqView::OnDraw(CDC* pDC) {
  if (GetDocument() == NULL || GetParentFrame() == NULL) return;
  jvqPage* pPage = GetCurrentPage();
  if (pPage == NULL) {
    RECT rc;
    GetClientRect(&rc);
    pDC->DPtoLP((POINT*)&rc, 2);
    CBrush br(::GetSysColor(COLOR_BTNFACE));
    pDC->FillRect(&rc, &br);
    return;
  }
  const BOOL bPrinting = pDC->IsPrinting();
  // Once a paint: a display changed since the last one is measured again.
  jvqViewMapping::ForgetScreenSize();
  HDC hScreen = ::GetDC(NULL);
  const int hr = ::GetDeviceCaps(hScreen, HORZRES), vr = ::GetDeviceCaps(hScreen, VERTRES);
  ::ReleaseDC(NULL, hScreen);
  if (!bPrinting) {
    KeepRulersInStep();
    if (m_dcOffscreen.m_hDC && (hr > m_szBitmap.cx || vr > m_szBitmap.cy)) {
      m_Bitmap.DeleteObject();
      m_Bitmap.CreateCompatibleBitmap(&m_dcOffscreen, hr, vr);
      m_szBitmap.cx = hr;
      m_szBitmap.cy = vr;
    }
  }
  SIZE szPage;
  GetPageSize(&szPage);
  pDC->LPtoDP(&szPage);
  m_szPageOnScreen = szPage;
  RECT rcClient;
  GetClientRect(&rcClient);
  m_ptPageOrigin.x = (rcClient.right - szPage.cx) / 2;
  m_ptPageOrigin.y = (rcClient.bottom - szPage.cy) / 2;
  jvqBoard* pBoard = GetBoard();
  if (bPrinting) {
    if (pBoard) pBoard->Render(pDC);
    return;
  }
  RECT rcClip;
  pDC->GetClipBox(&rcClip);
  if (m_bNoOffscreen || m_Bitmap.m_hObject == NULL) {
    // Straight to the screen: only for comparisons, it flickers.
    RECT rcFill = {rcClip.left - 100, rcClip.top - 100, rcClip.right + 100, rcClip.bottom + 100};
    jvqSolidFill fill(m_crBackground);
    fill.PaintRect(pDC, &rcFill);
    if (pBoard) pBoard->Draw(pDC);
    if (m_pTool) m_pTool->OnDraw(pDC);
    jvqFrameWnd* f = GetFrame();
    if (f) f->DrawGuides(pDC);
    return;
  }
  RECT rcDev = rcClip;
  pDC->LPtoDP((POINT*)&rcDev, 2);
  ::InflateRect(&rcDev, 10, 10);
  CDC mem;
  mem.CreateCompatibleDC(pDC);
  int nSaved = mem.SaveDC();
  OnPrepareDC(&mem);
  CBitmap* pOld = mem.SelectObject(&m_Bitmap);
  RECT rcFill = {rcClip.left - 100, rcClip.top - 100, rcClip.right + 100, rcClip.bottom + 100};
  {
    COLORREF crOldBk = mem.GetBkColor();
    jvqSolidFill fill(m_crBackground);
    fill.PaintRect(&mem, &rcFill);
    mem.SetBkColor(crOldBk);
  }
  if (pBoard) pBoard->Draw(&mem);
  if (m_pTool) m_pTool->OnDraw(&mem);
  jvqFrameWnd* f = GetFrame();
  if (f) f->DrawGuides(&mem);
  const int nOldMode = pDC->GetMapMode();
  const CPoint ptOldVp = pDC->GetViewportOrg(), ptOldWin = pDC->GetWindowOrg();
  const CSize szOldVp = pDC->GetViewportExt(), szOldWin = pDC->GetWindowExt();
  pDC->SetMapMode(MM_TEXT);
  pDC->SetViewportOrg(0, 0);
  pDC->SetWindowOrg(0, 0);
  mem.SetMapMode(MM_TEXT);
  mem.SetViewportOrg(0, 0);
  mem.SetWindowOrg(0, 0);
  pDC->BitBlt(rcDev.left, rcDev.top, rcDev.right - rcDev.left, rcDev.bottom - rcDev.top, &mem, rcDev.left,
              rcDev.top, SRCCOPY);
  pDC->SetMapMode(nOldMode);
  if (nOldMode == MM_ANISOTROPIC || nOldMode == MM_ISOTROPIC) {
    pDC->SetWindowExt(szOldWin);
    pDC->SetViewportExt(szOldVp);
  }
  pDC->SetViewportOrg(ptOldVp);
  pDC->SetWindowOrg(ptOldWin);
  mem.SelectObject(pOld);
  mem.RestoreDC(nSaved);
}

BOOL jvqView::OnEraseBkgnd(CDC* pDC) { return TRUE; }

void jvqView::DrawBackground(CDC* pDC) {
  static int s_nLastZoom = -1;
  static BOOL s_bLastFit = -1;
  if (!pDC->IsPrinting() &&
      (m_Mapping.GetZoomPercent() != s_nLastZoom || m_Mapping.m_bFitToWindow != s_bLastFit)) {
    s_nLastZoom = m_Mapping.GetZoomPercent();
    s_bLastFit = m_Mapping.m_bFitToWindow;
    RECT rc;
    GetClientRect(&rc);
    RecalcLayout(rc.right, rc.bottom);
    InvalidateAll();
    return;
  }
  KeepRulersInStep();
  SIZE szPage;
  GetPageSize(&szPage);
  pDC->LPtoDP(&szPage);
  m_szPageOnScreen = szPage;
  RECT rc;
  GetClientRect(&rc);
  m_ptPageOrigin.x = (rc.right - szPage.cx) / 2;
  m_ptPageOrigin.y = (rc.bottom - szPage.cy) / 2;
  pDC->DPtoLP((POINT*)&rc, 2);
  jvqSolidFill fill(m_crBackground);
  fill.PaintRect(pDC, &rc);
  if (GetBoard()) GetBoard()->Draw(pDC);
}

// Mouse routing.

void jvqView::RouteMouse(UINT nMsg, UINT nFlags, CPoint point) {
  POINT pt = point;
  PointToLogical(&pt, &pt);
  jvqTool* t = m_pTool;
  if (t) {
    switch (nMsg) {
      case WM_LBUTTONDBLCLK: t->OnLButtonDblClk(nFlags, pt.x, pt.y); break;
      case WM_LBUTTONDOWN: t->OnLButtonDown(nFlags, pt.x, pt.y); break;
      case WM_LBUTTONUP: t->OnLButtonUp(nFlags, pt.x, pt.y); break;
      case WM_MOUSEMOVE: t->OnMouseMove(nFlags, pt.x, pt.y); break;
      case WM_RBUTTONDOWN: t->OnRButtonDown(nFlags, pt.x, pt.y); break;
      case WM_RBUTTONUP: t->OnRButtonUp(nFlags, pt.x, pt.y); break;
      case WM_RBUTTONDBLCLK: t->OnRButtonDblClk(nFlags, pt.x, pt.y); break;
    }
  }
  // A board may lose its current page between messages (the last page deleted); the
  // hooks are then skipped.
  jvqPage* p = GetCurrentPage();
  if (p) {
    switch (nMsg) {
      case WM_LBUTTONDBLCLK: p->OnLButtonDblClk(nFlags, pt.x, pt.y); break;
      case WM_LBUTTONDOWN: p->OnLButtonDown(nFlags, pt.x, pt.y); break;
      case WM_LBUTTONUP: p->OnLButtonUp(nFlags, pt.x, pt.y); break;
      case WM_MOUSEMOVE: p->OnMouseMove(nFlags, pt.x, pt.y); break;
      case WM_RBUTTONDOWN: p->OnRButtonDown(nFlags, pt.x, pt.y); break;
      case WM_RBUTTONUP: p->OnRButtonUp(nFlags, pt.x, pt.y); break;
      case WM_RBUTTONDBLCLK: p->OnRButtonDblClk(nFlags, pt.x, pt.y); break;
    }
  }
  if (nMsg != WM_LBUTTONUP && nMsg != WM_MOUSEMOVE) Default();
}

void jvqView::OnLButtonDblClk(UINT nFlags, CPoint point) {
  RouteMouse(WM_LBUTTONDBLCLK, nFlags, point);
  // After the tool and the page: an embedded object opens in its server.
  jvqPage* p = GetCurrentPage();
  if (p == NULL) return;
  POINT pt = {point.x, point.y}, lp;
  PointToLogical(&lp, &pt);
  jvqObject* hit = p->HitTest(&lp);
  if (hit != NULL && hit->GetClassCode() == JVQ_OBJ_OLE) OpenOleItem(static_cast<jvqOleObject*>(hit));
}
void jvqView::OnLButtonDown(UINT nFlags, CPoint point) { RouteMouse(WM_LBUTTONDOWN, nFlags, point); }
void jvqView::OnLButtonUp(UINT nFlags, CPoint point) { RouteMouse(WM_LBUTTONUP, nFlags, point); }
void jvqView::OnMouseMove(UINT nFlags, CPoint point) { RouteMouse(WM_MOUSEMOVE, nFlags, point); }
void jvqView::OnRButtonDown(UINT nFlags, CPoint point) { RouteMouse(WM_RBUTTONDOWN, nFlags, point); }
void jvqView::OnRButtonUp(UINT nFlags, CPoint point) { RouteMouse(WM_RBUTTONUP, nFlags, point); }
void jvqView::OnRButtonDblClk(UINT nFlags, CPoint point) { RouteMouse(WM_RBUTTONDBLCLK, nFlags, point); }

BOOL jvqView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest != HTCLIENT) return (BOOL)Default();
  POINT pt;
  ::GetCursorPos(&pt);
  ScreenToClient(&pt);
  PointToLogical(&pt, &pt);
  HCURSOR h = m_pTool ? m_pTool->GetCursor(pt) : NULL;
  if (h == NULL) h = jvqTool::s_hArrow ? jvqTool::s_hArrow : ::LoadCursor(NULL, IDC_ARROW);
  ::SetCursor(h);
  return TRUE;
}

// Scrolling.

void jvqView::UpdateRulers(BOOL bHorizontal) {
  jvqFrameWnd* f = GetFrame();
  if (f == NULL) return;
  jvqRulerBar& r = bHorizontal ? f->m_wndHorzRuler : f->m_wndVertRuler;
  if (r.m_hWnd && r.IsWindowVisible()) r.UpdateFromView();
}

void jvqView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  CScrollView::OnHScroll(nSBCode, nPos, pScrollBar);
  UpdateRulers(TRUE);
  GetClientCenter(&m_ptViewCenter);
}

void jvqView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  CScrollView::OnVScroll(nSBCode, nPos, pScrollBar);
  UpdateRulers(FALSE);
  GetClientCenter(&m_ptViewCenter);
}

BOOL jvqView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  BOOL b = CScrollView::OnScrollBy(sizeScroll, bDoScroll);
  if (bDoScroll && m_hWnd) {
    RECT rc;
    if (::GetUpdateRect(m_hWnd, &rc, FALSE) && !::IsRectEmpty(&rc)) {
      ::InflateRect(&rc, 500, 500);
      ::InvalidateRect(m_hWnd, &rc, TRUE);
    }
    // An object being edited in place moves its windows with the page.
    jvqDocument* d = GetDocument();
    COleClientItem* pActive = d ? d->GetInPlaceActiveItem(this) : NULL;
    if (pActive != NULL && pActive->GetItemState() == COleClientItem::activeUIState) pActive->SetItemRects(NULL, NULL);
  }
  return b;
}

void jvqView::InvalidateObjects(std::vector<jvqObject*>& objects) {
  if (objects.empty() || m_hWnd == NULL) return;
  RECT u = {0, 0, 0, 0};
  bool first = true;
  for (jvqObject* o : objects) {
    RECT r;
    if (!o->GetHandleBounds(&r)) o->GetBoundRect(&r);
    const int w = o->GetLineStyle()->GetWidth() + 1;
    ::InflateRect(&r, w, w);
    if (first)
      u = r;
    else
      ::UnionRect(&u, &u, &r);
    first = false;
  }
  RectToDevice(&u);
  RECT n = {u.left < u.right ? u.left : u.right, u.top < u.bottom ? u.top : u.bottom,
            u.left < u.right ? u.right : u.left, u.top < u.bottom ? u.bottom : u.top};
  ::InflateRect(&n, 10, 10);
  ::InvalidateRect(m_hWnd, &n, TRUE);
}

// Lifecycle.

void jvqView::OnInitialUpdate() {
  jvqScrollView::OnInitialUpdate();
  ResetView();
}

void jvqView::ResetView() {
  m_crBackground = ::GetSysColor(COLOR_BTNSHADOW);
  m_Mapping.m_dZoom = 100.0;
  m_Mapping.m_bFitToWindow = TRUE;
  m_bPropertyBarHidden = FALSE;
  delete m_pTool;
  m_pTool = NULL;
  m_pTool = new jvqSelectTool(this);
  SetCursorId(m_nCursorId);
  SIZE zero = {0, 0};
  SetScrollSizes(MM_TEXT, zero);
  ClearSelection();
  jvqDocument* d = GetDocument();
  m_pBoard = d ? d->GetBoard() : NULL;
  if (m_pBoard == NULL) return;
  if (m_dcOffscreen.m_hDC == NULL) {
    m_dcOffscreen.Attach(::CreateDC("DISPLAY", NULL, NULL, NULL));
    const int hr = m_dcOffscreen.GetDeviceCaps(HORZRES), vr = m_dcOffscreen.GetDeviceCaps(VERTRES);
    m_Bitmap.CreateCompatibleBitmap(&m_dcOffscreen, hr, vr);
    m_szBitmap.cx = hr;
    m_szBitmap.cy = vr;
  }
}

void jvqView::OnDestroy() {
  jvqPage* p = GetCurrentPage();
  if (p) p->Deactivate();
  CView::OnDestroy();
  m_Bitmap.DeleteObject();
}
