#include "jvqBoard.h"

#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqSolidFill.h"
#include "jvqViewMapping.h"

static const RECT kBoardRect = {0, 0, 1, 1};

jvqBoard::jvqBoard(jvqViewMapping* pView)
    : jvqGroupObject(&kBoardRect, pView, 0x101), m_nGridSpacing(50), m_crGrid(0), m_nGridStyle(0) {
  m_nClassCode |= 0x200;
  m_dwState |= JVQ_STATE_GRID;
  if (m_pFill == NULL) SetFill(new jvqSolidFill(RGB(255, 255, 255)));
  OnGeometrySet();
}

void jvqBoard::OnGeometrySet() {
  for (int i = m_Children.GetCount() - 1; i >= 0; i--) delete m_Children.GetAt(i);
  m_Children.m_items.clear();
  static const RECT rc = {0, 0, 10000, 10000};
  jvqPage* p = new jvqPage(&rc, m_pView);
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(p);
  p->m_dwState |= 0x101;
  p->m_pParent = this;
  m_Children.Add(p);
}

void jvqBoard::AddPage(jvqPage* pPage) {
  if (pPage == NULL || FindChild(pPage) >= 0) return;
  m_Children.Add(pPage);
  pPage->m_pParent = this;
}

int jvqBoard::InsertPage(int nIndex, jvqPage* pPage) {
  if (pPage == NULL || FindChild(pPage) >= 0) return m_Children.GetCount();
  pPage->m_pParent = this;
  int alive = 0, at = -1;
  for (int i = 0; i < m_Children.GetCount(); i++) {
    if (!(m_Children.GetAt(i)->GetState() & JVQ_STATE_ALIVE)) continue;
    if (alive++ == nIndex) {
      at = i + 1;
      break;
    }
  }
  if (at < 0 || at >= m_Children.GetCount())
    m_Children.Add(pPage);
  else
    m_Children.InsertAt(at, pPage);
  pPage->m_dwState |= 0x101;
  return (int)pPage->m_dwState;
}

void jvqBoard::RemoveAllPages(int bDelete) {
  if (bDelete)
    for (jvqObject* p : m_Children.m_items) delete p;
  m_Children.m_items.clear();
}

int jvqBoard::GetPageCount() {
  int n = 0;
  for (jvqObject* p : m_Children.m_items)
    if (p->GetState() & JVQ_STATE_ALIVE) n++;
  return n;
}

jvqPage* jvqBoard::GetPage(int n) {
  if (n < 0) return NULL;
  for (jvqObject* p : m_Children.m_items) {
    if (!(p->GetState() & JVQ_STATE_ALIVE)) continue;
    if (n-- == 0) return (jvqPage*)p;
  }
  return NULL;
}

jvqPage* jvqBoard::GetCurrentPage() {
  for (jvqObject* p : m_Children.m_items)
    if (p->IsShown()) return (jvqPage*)p;
  return NULL;
}

int jvqBoard::GetCurrentPageIndex() {
  int n = 0;
  for (jvqObject* p : m_Children.m_items) {
    if (!(p->GetState() & JVQ_STATE_ALIVE)) continue;
    if (p->GetState() & JVQ_STATE_VISIBLE) return n;
    n++;
  }
  return -1;
}

void jvqBoard::InvalidateOwnerWindow() {
  if (m_pView) m_pView->InvalidateOwner(NULL);
}

void jvqBoard::SetCurrentPage(int n) {
  const int count = GetPageCount();
  if (count == 0) return;
  if (n < 0 || n >= count) n = 0;
  for (jvqObject* p : m_Children.m_items)
    if (p->GetState() & JVQ_STATE_ALIVE) p->m_dwState &= ~JVQ_STATE_VISIBLE;
  GetPage(n)->m_dwState |= JVQ_STATE_VISIBLE;
  InvalidateOwnerWindow();
}

void jvqBoard::MoveCurrentTo(int nChild) {
  jvqPage* pCur = GetCurrentPage();
  if (pCur == NULL || nChild < 0) return;
  jvqObject* pNew = m_Children.GetAt(nChild);
  if (pNew == pCur) return;
  pCur->m_dwState &= ~JVQ_STATE_VISIBLE;
  pNew->m_dwState |= JVQ_STATE_VISIBLE;
  InvalidateOwnerWindow();
}

void jvqBoard::NextPage() {
  const int c = FindChild(GetCurrentPage());
  if (c < 0) return;
  for (int i = c + 1; i < m_Children.GetCount(); i++)
    if (m_Children.GetAt(i)->GetState() & JVQ_STATE_ALIVE) return MoveCurrentTo(i);
}

void jvqBoard::PreviousPage() {
  const int c = FindChild(GetCurrentPage());
  if (c < 0) return;
  for (int i = c - 1; i >= 0; i--)
    if (m_Children.GetAt(i)->GetState() & JVQ_STATE_ALIVE) return MoveCurrentTo(i);
}

void jvqBoard::FirstPage() {
  if (GetCurrentPage() == NULL) return;
  for (int i = 0; i < m_Children.GetCount(); i++)
    if (m_Children.GetAt(i)->GetState() & JVQ_STATE_ALIVE) return MoveCurrentTo(i);
}

void jvqBoard::LastPage() {
  if (GetCurrentPage() == NULL) return;
  for (int i = m_Children.GetCount() - 1; i >= 0; i--)
    if (m_Children.GetAt(i)->GetState() & JVQ_STATE_ALIVE) return MoveCurrentTo(i);
}

void jvqBoard::GetCurrentPageSize(SIZE* pOut) {
  pOut->cx = pOut->cy = 0;
  jvqPage* p = GetCurrentPage();
  if (p == NULL) return;
  RECT r;
  p->GetBoundRect(&r);
  pOut->cx = r.right - r.left;
  pOut->cy = r.bottom - r.top;
}

int jvqBoard::GetGridSpacingPixels() {
  if (m_pView == NULL || !m_pView->HasOwnerWindow()) return 0;
  return m_pView->LengthToDevice(m_nGridSpacing);
}

jvqObject* jvqBoard::HitTest(POINT* pPoint) {
  jvqPage* p = GetCurrentPage();
  return p ? p->HitTest(pPoint) : NULL;
}

void jvqBoard::DrawChildren(CDC* pDC) {
  jvqPage* p = GetCurrentPage();
  if (p) p->Draw(pDC);
}

void jvqBoard::Draw(CDC* pDC) { DrawChildren(pDC); }

void jvqBoard::Render(CDC* pDC) {
  jvqPage* p = GetCurrentPage();
  if (p) p->Render(pDC);
}
