#include "qvzPagePreviewView.h"

#include "jvqBoard.h"
#include "jvqFrameWnd.h"
#include "jvqView.h"
#include "jvqViewHost.h"
#include "qvzDocument.h"

IMPLEMENT_DYNCREATE(qvzPagePreviewView, qvzObjectPreviewView)

BEGIN_MESSAGE_MAP(qvzPagePreviewView, qvzObjectPreviewView)
  ON_WM_LBUTTONDOWN()
  ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

qvzPagePreviewView::qvzPagePreviewView() {}

static CFrameWnd* MainFrame() { return DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd()); }

BOOL qvzPagePreviewView::UpdatePages() {
  RemoveAllItems();
  CFrameWnd* frame = MainFrame();
  qvzDocument* doc = frame ? DYNAMIC_DOWNCAST(qvzDocument, frame->GetActiveDocument()) : NULL;
  if (doc == NULL) return FALSE;
  for (size_t i = 0; i < doc->m_PageThumbnails.size(); i++) {
    CString label;
    label.Format("%dページ", (int)i + 1);
    // The document keeps its thumbnails: the cells only show them.
    AppendCell(NULL, label, doc->m_PageThumbnails[i], FALSE);
  }
  RecalcLayout();
  if (jvqBoard* board = doc->GetBoard()) {
    jvqPage* current = board->GetCurrentPage();
    for (int i = 0; i < board->GetPageCount(); i++) {
      if (board->GetPage(i) != current) continue;
      SelectItem(i);
      EnsureVisible(i);
      break;
    }
  }
  if (m_hWnd) Invalidate(FALSE);
  return TRUE;
}

void qvzPagePreviewView::GoToPage(int nIndex) {
  CFrameWnd* frame = MainFrame();
  if (frame == NULL) return;
  jvqView* view = DYNAMIC_DOWNCAST(jvqView, frame->GetActiveView());
  jvqBoard* board = view ? view->GetBoard() : NULL;
  if (board == NULL || nIndex < 0 || nIndex >= board->GetPageCount()) return;
  if (board->GetPage(nIndex) == board->GetCurrentPage()) return;
  board->SetCurrentPage(nIndex);
  // The page size and the scroll extent follow the page, as a page tab click sets them.
  CRect rc;
  view->GetClientRect(&rc);
  view->RecalcLayout(rc.Width(), rc.Height());
  view->Invalidate(FALSE);
  if (jvqFrameWnd* rulers = DYNAMIC_DOWNCAST(jvqFrameWnd, frame)) {
    if (rulers->m_wndHorzRuler.m_hWnd) rulers->m_wndHorzRuler.Invalidate();
    if (rulers->m_wndVertRuler.m_hWnd) rulers->m_wndVertRuler.Invalidate();
  }
  jvqGetViewHost()->UpdatePageTabs();
}

void qvzPagePreviewView::OnLButtonDown(UINT nFlags, CPoint point) {
  qvzObjectPreviewView::OnLButtonDown(nFlags, point);
  GoToPage(GetSelectedIndex());
}

void qvzPagePreviewView::OnRButtonDown(UINT nFlags, CPoint point) {
  qvzObjectPreviewView::OnRButtonDown(nFlags, point);
  GoToPage(GetSelectedIndex());
}
