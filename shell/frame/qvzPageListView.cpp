#include "qvzPageListView.h"

#include "PageTabStrip.h"
#include "jvqBoard.h"
#include "jvqDocument.h"

IMPLEMENT_DYNCREATE(qvzPageListView, CView)

CRuntimeClass* thePageListViewClass = RUNTIME_CLASS(qvzPageListView);

void qvzPageListView::OnDraw(CDC* pDC) {
  CRect rc;
  GetClientRect(&rc);
  pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_APPWORKSPACE));
  jvqDocument* doc = DYNAMIC_DOWNCAST(jvqDocument, GetDocument());
  jvqBoard* board = doc ? doc->GetBoard() : NULL;
  if (board == NULL) return;
  HGDIOBJ old = ::SelectObject(pDC->m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
  pDC->SetBkMode(TRANSPARENT);
  for (int i = 0; i < board->GetPageCount(); i++) {
    CRect cell(10 + (i % 6) * 110, 10 + (i / 6) * 90, 0, 0);
    cell.right = cell.left + 100;
    cell.bottom = cell.top + 80;
    pDC->FillSolidRect(&cell, board->GetPage(i) == board->GetCurrentPage() ? RGB(255, 255, 224) : RGB(255, 255, 255));
    pDC->DrawText(PageTabText(i + 1), &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  ::SelectObject(pDC->m_hDC, old);
}
