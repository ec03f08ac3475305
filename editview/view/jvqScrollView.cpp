#include "jvqScrollView.h"

IMPLEMENT_DYNCREATE(jvqScrollView, CScrollView)

void jvqScrollView::OnInitialUpdate() {
  CView::OnInitialUpdate();
  SIZE sz = {100, 100};
  SetScrollSizes(MM_TEXT, sz);
}

void jvqScrollView::InvalidateAll() {
  if (m_hWnd) ::InvalidateRect(m_hWnd, NULL, TRUE);
}
