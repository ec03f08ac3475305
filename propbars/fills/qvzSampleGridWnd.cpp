#include "qvzSampleGridWnd.h"

#include "FillPopupLayout.h"
#include "jvqImageFileList.h"
#include "qvzFillTabCtrl.h"

namespace {
const UINT kScrollBar = 100;
}

void qvzSampleButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  RECT rc = lpDIS->rcItem;
  pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
  // An empty cell stays flat.
  if (!HasContent()) return;
  ::DrawFrameControl(lpDIS->hDC, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (m_bPressed ? DFCS_PUSHED : 0));
  RECT inset = lpDIS->rcItem;
  ::InflateRect(&inset, -3, -3);
  DrawContent(pDC, inset);
}

BEGIN_MESSAGE_MAP(qvzSampleGridWnd, qvzFillChildWnd)
  ON_WM_PAINT()
  ON_WM_VSCROLL()
  ON_COMMAND_RANGE(1, 8, OnCellClicked)
END_MESSAGE_MAP()

qvzSampleGridWnd::qvzSampleGridWnd() : m_pCells{}, m_pToolTip(NULL), m_nSelected(-1), m_nShownPage(0) {}

qvzSampleGridWnd::~qvzSampleGridWnd() {
  if (m_pToolTip && m_pToolTip->m_hWnd) m_pToolTip->DestroyWindow();
  delete m_pToolTip;
  for (qvzSampleButton* p : m_pCells) delete p;
}

int qvzSampleGridWnd::GetPageCount() const {
  jvqImageFileList* pLib = GetLibrary();
  return pLib ? SamplePageCount(pLib->GetCount()) : 0;
}

RECT qvzSampleGridWnd::GetCellRect(int i) {
  CRect rc;
  GetClientRect(&rc);
  return SampleCellRect(rc, i / kSampleColumns, i % kSampleColumns);
}

void qvzSampleGridWnd::CreateControls() {
  if (m_pCells[0] == NULL) {
    for (int i = 0; i < kSamplesPerPage; i++) {
      m_pCells[i] = NewCell();
      m_pCells[i]->Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, GetCellRect(i), this, i + 1);
      m_pCells[i]->SendMessage(WM_SETFONT, (WPARAM)FillPageFont(), 0);
    }
    const RECT first = GetCellRect(0), last = GetCellRect(kSamplesPerPage - 1);
    m_ScrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(last.right + 2, first.top, last.right + 22, last.bottom),
                       this, kScrollBar);
    CreateExtraControls();
  }
  const int nPages = GetPageCount();
  if (nPages > 1) {
    m_ScrollBar.SetScrollRange(0, nPages - 1, FALSE);
    SCROLLINFO si = {sizeof si, SIF_PAGE | SIF_POS, 0, 0, 1, 0, 0};
    m_ScrollBar.SetScrollInfo(&si, TRUE);
    m_ScrollBar.ShowWindow(SW_SHOW);
  } else {
    m_ScrollBar.ShowWindow(SW_HIDE);
  }
  ShowPage(SamplePageOf(m_nSelected));
  m_nSelected = -1;
  ReleaseAll();
}

void qvzSampleGridWnd::ShowPage(int nPage) {
  for (qvzSampleButton* p : m_pCells) {
    ClearCell(p);
    p->Invalidate();
  }
  if (m_pToolTip && m_pToolTip->m_hWnd) m_pToolTip->DestroyWindow();
  delete m_pToolTip;
  m_pToolTip = new CToolTipCtrl;
  m_pToolTip->Create(this);
  m_pToolTip->SetMaxTipWidth(0x7FFF);
  jvqImageFileList* pLib = GetLibrary();
  int nCell = 0;
  for (int j = 0; pLib && j < pLib->GetCount() && nCell < kSamplesPerPage; j++) {
    if (SamplePageOf(j) < nPage) continue;
    qvzSampleButton* p = m_pCells[nCell++];
    LoadCell(p, j);
    m_pToolTip->AddTool(p, (LPCTSTR)pLib->GetAt(j)->m_strName);
    p->m_bPressed = j == m_nSelected;
    p->Invalidate();
  }
  m_nShownPage = nPage;
  if (m_ScrollBar.m_hWnd && m_ScrollBar.IsWindowEnabled()) m_ScrollBar.SetScrollPos(nPage);
}

void qvzSampleGridWnd::ReleaseAll() {
  for (qvzSampleButton* p : m_pCells) {
    if (p && p->m_bPressed) {
      p->m_bPressed = FALSE;
      p->Invalidate();
    }
  }
}

void qvzSampleGridWnd::Press(int nCell) {
  if (nCell < 0 || nCell >= kSamplesPerPage) return;
  m_pCells[nCell]->m_bPressed = TRUE;
  m_pCells[nCell]->Invalidate();
}

void qvzSampleGridWnd::ShowIndex(int nIndex) {
  m_nSelected = nIndex;
  ShowPage(SamplePageOf(nIndex));
  ReleaseAll();
  // An index beyond the library has no cell to press.
  jvqImageFileList* pLib = GetLibrary();
  if (nIndex >= 0 && pLib && nIndex < pLib->GetCount()) Press(SampleCellOf(nIndex));
}

void qvzSampleGridWnd::Pick(int nCell) {
  qvzSampleButton* pCell = m_pCells[nCell];
  if (!CanPick(pCell)) return;
  const int nIndex = nCell + kSamplesPerPage * m_ScrollBar.GetScrollPos();
  m_nSelected = nIndex;
  jvqImageFileList* pLib = GetLibrary();
  if (pLib == NULL || nIndex >= pLib->GetCount()) return;
  ReleaseAll();
  Press(nCell);
  m_pOwner->SetFillAndNotify(TakePick(nIndex));
}

void qvzSampleGridWnd::OnCellClicked(UINT nID) { Pick((int)nID - 1); }

void qvzSampleGridWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  const int nTo = SampleScrollTarget((int)nSBCode, m_ScrollBar.GetScrollPos(), (int)nPos, GetPageCount());
  if (nTo >= 0) {
    m_ScrollBar.SetScrollPos(nTo);
    ShowPage(nTo);
  }
  qvzFillChildWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

void qvzSampleGridWnd::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
}
