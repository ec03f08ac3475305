// Page commands of the main frame: add a blank page, a page with the template shapes, a copy
// of the page, and delete the current page.
#include "PageTabStrip.h"
#include "jvqBoard.h"
#include "jvqPage.h"
#include "jvqSolidFill.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "qvzAllPageView.h"
#include "resource.h"

enum { PAGE_BLANK, PAGE_TEMPLATE, PAGE_COPY };

void qvzMainFrame::InsertPage(int nKind) {
  jvqView* view = GetEditView();
  qvzDocument* doc = DYNAMIC_DOWNCAST(qvzDocument, view ? view->GetDocument() : NULL);
  jvqBoard* board = view ? view->GetBoard() : NULL;
  if (doc == NULL || board == NULL) return;
  view->SetFocus();
  view->ClearSelection();
  view->Redraw();
  jvqPage* cur = board->GetCurrentPage();
  if (cur == NULL) return;
  jvqPage* page = static_cast<jvqPage*>(cur->Clone());
  if (page == NULL) return;
  if (nKind != PAGE_COPY) page->DeleteChildren();
  if (nKind == PAGE_BLANK) {
    page->SetFill(new jvqSolidFill(RGB(255, 255, 255)));
  } else if (nKind == PAGE_TEMPLATE) {
    for (int i = 0; i < cur->GetChildCount(); i++) {
      jvqObject* o = cur->GetChild(i);
      if (o->GetState() & JVQ_STATE_LOCKED) page->AddChild(o->Clone());
    }
  }
  doc->AddPage(page);
  FinishPageInsert();
}

void qvzMainFrame::FinishPageInsert() {
  if (m_wndHorzRuler.m_hWnd) m_wndHorzRuler.Invalidate();
  if (m_wndVertRuler.m_hWnd) m_wndVertRuler.Invalidate();
  UpdateStatusBar();
  jvqView* view = GetEditView();
  if (view) {
    CRect rc;
    view->GetClientRect(&rc);
    view->RecalcLayout(rc.Width(), rc.Height());
    view->SetModifiedFlag(TRUE);
    view->Invalidate(FALSE);
  }
  UpdatePageTabs();
  SwitchBar(FALSE);
}

void qvzMainFrame::OnInsertBlankPage() { InsertPage(PAGE_BLANK); }
void qvzMainFrame::OnInsertTemplatePage() { InsertPage(PAGE_TEMPLATE); }
void qvzMainFrame::OnInsertPageCopy() { InsertPage(PAGE_COPY); }

void qvzMainFrame::OnUpdateInsertPage(CCmdUI* pCmdUI) {
  jvqView* view = GetEditView();
  qvzDocument* doc = DYNAMIC_DOWNCAST(qvzDocument, view ? view->GetDocument() : NULL);
  pCmdUI->Enable(doc != NULL && !doc->m_bTemplate);
}

void qvzMainFrame::OnUpdateDeletePage(CCmdUI* pCmdUI) {
  qvzDocument* doc = GetBoardDocument();
  jvqBoard* board = doc ? doc->GetBoard() : NULL;
  pCmdUI->Enable(board != NULL && board->GetPageCount() > 1);
}

void qvzMainFrame::OnDeletePage() {
  qvzDocument* doc = GetBoardDocument();
  jvqBoard* board = doc ? doc->GetBoard() : NULL;
  if (board == NULL) return;
  jvqPage* cur = board->GetCurrentPage();
  const int child = cur ? board->FindChild(cur) : -1;
  jvqView* view = GetEditView();
  if (view) view->SetFocus();
  const int count = board->GetPageCount();
  int number = 0;
  for (int i = 0; i < count; i++)
    if (board->GetPage(i) == cur) number = i + 1;
  if (child < 0 || number == 0) return;
  CString question;
  if (view == NULL)
    question = "選択ページを削除します。よろしいですか？";
  else
    question.Format("現在表示中のページ(%dページ)を削除します。よろしいですか？", number);
  if (MessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDNO) return;
  theUndoManager.RecordRemoved(cur);
  cur->m_dwState &= ~JVQ_STATE_ALIVE;
  std::vector<BOOL> alive;
  for (int i = 0; i < board->GetChildCount(); i++) {
    jvqObject* o = board->GetChild(i);
    alive.push_back((o->GetState() & JVQ_STATE_ALIVE) != 0);
  }
  const int next = NextCurrentPageAfterDelete(alive, child, count);
  // The deleted page keeps its visible bit for undo; being dead it is no longer current.
  if (next >= 0) board->GetChild(next)->m_dwState |= JVQ_STATE_VISIBLE;
  // A deleted page is a change to the board whichever view showed it.
  doc->SetModifiedFlag(TRUE);
  if (view == NULL) {
    if (qvzAllPageView* list = DYNAMIC_DOWNCAST(qvzAllPageView, m_pPageListView)) list->RebuildItems();
    if (m_pPageListView) m_pPageListView->Invalidate();
    return;
  }
  view->Redraw();
  UpdateStatusBar();
  UpdatePageTabs();
}
