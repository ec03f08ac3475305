#include "qvzAllPageView.h"

#include "jvqBoard.h"
#include "jvqDocument.h"
#include "jvqObjectCodes.h"
#include "jvqPage.h"

IMPLEMENT_DYNCREATE(qvzAllPageView, CScrollView)

BEGIN_MESSAGE_MAP(qvzAllPageView, CScrollView)
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_RBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {
// One page list at a time: the drag is shared process-wide.
BOOL s_bIdle = TRUE;
RECT s_rcDrag;
POINT s_ptLast;
int s_nDropTarget = -1;
}  // namespace

qvzAllPageView::qvzAllPageView()
    : m_bNoPopup(FALSE), m_nPopupShown(0), m_pEditViewDC(NULL), m_pBoard(NULL) {}

qvzAllPageView::~qvzAllPageView() { FreeItems(); }

jvqBoard* qvzAllPageView::GetBoard() const {
  if (m_pBoard) return m_pBoard;
  jvqDocument* doc = DYNAMIC_DOWNCAST(jvqDocument, m_pDocument);
  return doc ? doc->GetBoard() : NULL;
}

void qvzAllPageView::FreeItems() {
  delete m_pEditViewDC;
  m_pEditViewDC = NULL;
  for (qvzPageThumbnail* p : m_items) delete p;
  m_items.clear();
}

void qvzAllPageView::OnInitialUpdate() {
  CView::OnInitialUpdate();
  RebuildItems();
}

void qvzAllPageView::RebuildItems() {
  m_layout.nMarginX = m_layout.nMarginY = 20;
  for (qvzPageThumbnail* p : m_items) delete p;
  m_items.clear();
  jvqBoard* b = GetBoard();
  if (b)
    for (int i = 0; i < b->GetChildCount(); i++) {
      qvzPageThumbnail* t = new qvzPageThumbnail;
      t->Render(this, (jvqPage*)b->GetChild(i), m_layout.nItemWidth, m_layout.nItemHeight, i);
      m_items.push_back(t);
    }
  SetScrollSizes(MM_TEXT, CSize(100, 100));
  RecalcLayout();
  s_bIdle = TRUE;
  s_nDropTarget = -1;
}

int qvzAllPageView::GetAliveCount() const {
  int n = 0;
  for (qvzPageThumbnail* p : m_items) n += p->IsAlive();
  return n;
}

qvzPageThumbnail* qvzAllPageView::GetAliveItem(int n) const {
  qvzPageThumbnail* last = NULL;
  for (qvzPageThumbnail* p : m_items) {
    last = p;
    if (p->IsAlive() && n-- == 0) return p;
  }
  return last;
}

jvqPage* qvzAllPageView::GetItemPage(int i) const {
  return i >= 0 && i < (int)m_items.size() ? m_items[i]->m_pPage : NULL;
}

int qvzAllPageView::AlivePos(int i) const {
  if (!m_items[i]->IsAlive()) return -1;
  int k = 0;
  for (int j = 0; j < i; j++) k += m_items[j]->IsAlive();
  return k;
}

void qvzAllPageView::RecalcLayout() {
  const int n = GetAliveCount();
  if (n == 0 || m_hWnd == NULL) return;
  RECT client;
  GetClientRect(&client);
  std::vector<RECT> rects;
  SIZE size = m_layout.Place(n, client.right, rects);
  int k = 0;
  for (qvzPageThumbnail* p : m_items) {
    const RECT none = {0, 0, 0, 0};
    p->SetRect(p->IsAlive() ? &rects[k++] : &none);
  }
  SetScrollSizes(MM_TEXT, size);
}

void qvzAllPageView::OnDraw(CDC* pDC) {
  RECT client;
  GetClientRect(&client);
  CSize total = GetTotalSize();
  pDC->FillSolidRect(0, 0, std::max((int)client.right, (int)total.cx), std::max((int)client.bottom, (int)total.cy),
                     ::GetSysColor(COLOR_BTNFACE));
  for (qvzPageThumbnail* p : m_items) p->Draw(pDC);
}

void qvzAllPageView::OnSize(UINT nType, int cx, int cy) {
  CScrollView::OnSize(nType, cx, cy);
  RecalcLayout();
}

BOOL qvzAllPageView::OnEraseBkgnd(CDC*) { return TRUE; }

POINT qvzAllPageView::ToLogical(CPoint point) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.DPtoLP(&point);
  return point;
}

int qvzAllPageView::LastSelected() const {
  int s = -1;
  for (int i = 0; i < (int)m_items.size(); i++)
    if (m_items[i]->IsSelected()) s = i;
  return s;
}

BOOL qvzAllPageView::HitItem(int i, POINT pt, int nSelectedAlive) const {
  const int I = AlivePos(i);
  if (I < 0) return FALSE;
  RECT client;
  GetClientRect(&client);
  const CPoint scroll = GetDeviceScrollPosition();
  ::OffsetRect(&client, scroll.x, scroll.y);
  return m_layout.Hit(m_items[i]->GetRect(), pt, I, nSelectedAlive, GetAliveCount(), client);
}

void qvzAllPageView::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!m_items.empty()) {
    const POINT pt = ToLogical(point);
    const int S = LastSelected();
    const int Salive = S >= 0 ? AlivePos(S) : -1;
    BOOL hit = FALSE;
    for (int i = 0; i < (int)m_items.size(); i++) {
      if (m_items[i]->IsSelected()) m_items[i]->SetSelected(FALSE);
      if (HitItem(i, pt, Salive)) {
        m_items[i]->SetSelected(TRUE);
        hit = TRUE;
      }
    }
    if (!hit && S >= 0) m_items[S]->SetSelected(TRUE);
    Invalidate(TRUE);
  }
  CScrollView::OnLButtonDown(nFlags, point);
}

void qvzAllPageView::DrawInsertMark(CDC* pDC, int nTarget, int nSource, COLORREF cr) {
  if (nTarget < 0) return;
  const RECT& r = m_items[nTarget]->GetRect();
  const int x = nTarget < nSource ? r.left - m_layout.nMarginX / 2 : r.right + m_layout.nMarginX / 2;
  CPen pen(PS_SOLID, 2, cr);
  CPen* pOld = pDC->SelectObject(&pen);
  pDC->MoveTo(x, r.top);
  pDC->LineTo(x, r.bottom);
  pDC->SelectObject(pOld);
}

void qvzAllPageView::OnMouseMove(UINT nFlags, CPoint point) {
  CScrollView::OnMouseMove(nFlags, point);
  if (!(nFlags & MK_LBUTTON)) return;
  const POINT pt = ToLogical(point);
  const int S = LastSelected();
  CClientDC dc(this);
  OnPrepareDC(&dc);
  if (s_bIdle) {
    if (S < 0 || !HitItem(S, pt, AlivePos(S))) return;
    SetCapture();
    s_rcDrag = m_items[S]->GetRect();
    dc.DrawFocusRect(&s_rcDrag);
    s_ptLast = pt;
    s_bIdle = FALSE;
    s_nDropTarget = -1;
  }
  dc.DrawFocusRect(&s_rcDrag);
  ::OffsetRect(&s_rcDrag, pt.x - s_ptLast.x, pt.y - s_ptLast.y);
  dc.DrawFocusRect(&s_rcDrag);
  s_ptLast = pt;
  const int Salive = S >= 0 ? AlivePos(S) : -1;
  for (int i = 0; i < (int)m_items.size(); i++)
    if (i != s_nDropTarget && HitItem(i, pt, Salive)) {
      DrawInsertMark(&dc, s_nDropTarget, S, ::GetSysColor(COLOR_BTNFACE));
      s_nDropTarget = i;
      DrawInsertMark(&dc, s_nDropTarget, S, RGB(0, 0, 0));
    }
}

void qvzAllPageView::OnLButtonUp(UINT nFlags, CPoint point) {
  if (s_bIdle) {
    Invalidate(TRUE);
    CScrollView::OnLButtonUp(nFlags, point);
    return;
  }
  const POINT pt = ToLogical(point);
  const int S = LastSelected();
  const int Salive = S >= 0 ? AlivePos(S) : -1;
  int T = -1;
  for (int i = 0; i < (int)m_items.size(); i++)
    if (HitItem(i, pt, Salive)) T = i;
  s_bIdle = TRUE;
  s_nDropTarget = -1;
  if (S >= 0 && T >= 0 && T != S) {
    // The moved page is rendered afresh into its new place.
    qvzPageThumbnail* moved = new qvzPageThumbnail;
    moved->Render(this, m_items[S]->m_pPage, m_layout.nItemWidth, m_layout.nItemHeight, m_items[S]->m_nIndex);
    qvzPageThumbnail* old = m_items[S];
    m_items[S] = moved;
    qvzMoveListItem(m_items, S, T);
    delete old;
    ::ReleaseCapture();
    RecalcLayout();
    Invalidate(TRUE);
    CScrollView::OnLButtonUp(nFlags, point);
    return;
  }
  ::ReleaseCapture();
  Invalidate(TRUE);
}

void qvzAllPageView::OnRButtonDown(UINT nFlags, CPoint point) {
  CScrollView::OnRButtonDown(nFlags, point);
  const POINT pt = ToLogical(point);
  int hit = -1;
  for (int i = 0; i < (int)m_items.size(); i++)
    if (m_items[i]->IsAlive() && ::PtInRect(&m_items[i]->GetRect(), pt)) hit = i;
  if (hit < 0) return;  // the gaps have no menu
  for (qvzPageThumbnail* p : m_items) p->SetSelected(FALSE);
  m_items[hit]->SetSelected(TRUE);
  Invalidate(TRUE);
  m_nPopupShown++;
  if (m_bNoPopup) return;
  CMenu menu;
  if (!menu.LoadMenu(IDM_PAGELIST_POPUP)) return;
  CMenu* sub = menu.GetSubMenu(0);
  CPoint screen = point;
  ClientToScreen(&screen);
  if (sub) sub->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, AfxGetMainWnd());
}

void qvzAllPageView::OnLButtonDblClk(UINT nFlags, CPoint point) {
  CScrollView::OnLButtonDblClk(nFlags, point);
  if (CWnd* w = AfxGetMainWnd()) w->PostMessage(WM_COMMAND, 1188);
}
