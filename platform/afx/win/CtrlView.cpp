#include "WinState.h"

#include "afxcview.h"

IMPLEMENT_DYNCREATE(CCtrlView, CView)
IMPLEMENT_DYNCREATE(CTreeView, CCtrlView)
IMPLEMENT_DYNCREATE(CListView, CCtrlView)

BEGIN_MESSAGE_MAP(CCtrlView, CView)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CCtrlView::CCtrlView(LPCTSTR lpszClass, DWORD dwStyle) : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle) {}

BOOL CCtrlView::PreCreateWindow(CREATESTRUCT& cs) {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
  cs.lpszClass = m_strClass;
  cs.style |= m_dwDefaultStyle;
  return CView::PreCreateWindow(cs);
}

void CCtrlView::OnDraw(CDC*) {}

// The control paints itself.
void CCtrlView::OnPaint() { Default(); }

BEGIN_MESSAGE_MAP(CTreeView, CCtrlView)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CTreeView::CTreeView() : CCtrlView(WC_TREEVIEW, AFX_WS_DEFAULT_VIEW) {}

void CTreeView::OnDestroy() {
  // The image lists belong to the program: the control must not destroy them with itself.
  ::SendMessage(m_hWnd, TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
  ::SendMessage(m_hWnd, TVM_SETIMAGELIST, TVSIL_STATE, 0);
  CCtrlView::OnDestroy();
}

BEGIN_MESSAGE_MAP(CListView, CCtrlView)
  ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CListView::CListView() : CCtrlView(WC_LISTVIEW, AFX_WS_DEFAULT_VIEW) {}

void CListView::OnNcDestroy() {
  // Image lists the program set without LVS_SHAREIMAGELISTS stay the program's.
  if (!(GetStyle() & LVS_SHAREIMAGELISTS)) {
    ::SendMessage(m_hWnd, LVM_SETIMAGELIST, LVSIL_NORMAL, 0);
    ::SendMessage(m_hWnd, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    ::SendMessage(m_hWnd, LVM_SETIMAGELIST, LVSIL_STATE, 0);
  }
  CCtrlView::OnNcDestroy();
}
