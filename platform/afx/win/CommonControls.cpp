#include "WinState.h"

#include "afxcmn.h"

#include <memory>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CImageList, CObject)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CAnimateCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

static BOOL CreateCommonControl(CWnd* pWnd, LPCTSTR lpszClass, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                                UINT nID, DWORD dwClasses) {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), dwClasses};
  ::InitCommonControlsEx(&icc);
  return pWnd->CreateEx(0, lpszClass, NULL, dwStyle, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID);
}

/////////////////////////////////////////////////////////////////////////////
// CImageList: attached lists by handle, per thread, and temporary wrappers for the rest.

namespace {
struct ImageListMaps {
  std::unordered_map<HIMAGELIST, CImageList*> permanent;
  std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>> temporary;
};
ImageListMaps& Maps() {
  static thread_local ImageListMaps maps;
  return maps;
}
}  // namespace

CImageList::~CImageList() { DeleteImageList(); }

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList) {
  auto it = Maps().permanent.find(hImageList);
  return it != Maps().permanent.end() ? it->second : NULL;
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList) {
  if (hImageList == NULL) return NULL;
  if (CImageList* p = FromHandlePermanent(hImageList)) return p;
  auto& temp = Maps().temporary[hImageList];
  if (!temp) {
    temp.reset(new CImageList);
    temp->m_hImageList = hImageList;
  }
  return temp.get();
}

void PASCAL CImageList::DeleteTempMap() {
  // The wrappers never own their lists.
  for (auto& entry : Maps().temporary) entry.second->m_hImageList = NULL;
  Maps().temporary.clear();
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (hImageList == NULL) return FALSE;
  m_hImageList = hImageList;
  Maps().permanent[hImageList] = this;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST hImageList = m_hImageList;
  if (hImageList != NULL) {
    auto it = Maps().permanent.find(hImageList);
    if (it != Maps().permanent.end() && it->second == this) Maps().permanent.erase(it);
  }
  m_hImageList = NULL;
  return hImageList;
}

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == NULL) return FALSE;
  return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
  return Attach(ImageList_LoadImage(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

/////////////////////////////////////////////////////////////////////////////
// Simple controls

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateCommonControl(this, TRACKBAR_CLASS, dwStyle, rect, pParentWnd, nID, ICC_BAR_CLASSES);
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateCommonControl(this, UPDOWN_CLASS, dwStyle, rect, pParentWnd, nID, ICC_UPDOWN_CLASS);
}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateCommonControl(this, PROGRESS_CLASS, dwStyle, rect, pParentWnd, nID, ICC_PROGRESS_CLASS);
}

BOOL CAnimateCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateCommonControl(this, ANIMATE_CLASS, dwStyle, rect, pParentWnd, nID, ICC_ANIMATE_CLASS);
}

BOOL CAnimateCtrl::Open(LPCTSTR lpszFileName) {
  return (BOOL)::SendMessage(m_hWnd, ACM_OPEN, 0, (LPARAM)lpszFileName);
}

BOOL CAnimateCtrl::Open(UINT nID) {
  HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nID), "AVI");
  return (BOOL)::SendMessage(m_hWnd, ACM_OPEN, (WPARAM)hInst, (LPARAM)MAKEINTRESOURCE(nID));
}

/////////////////////////////////////////////////////////////////////////////
// CHeaderCtrl, CTabCtrl

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateCommonControl(this, WC_HEADER, dwStyle, rect, pParentWnd, nID, ICC_LISTVIEW_CLASSES);
}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult != NULL) *pResult = TRUE;
  return TRUE;
}

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateCommonControl(this, WC_TABCONTROL, dwStyle, rect, pParentWnd, nID, ICC_TAB_CLASSES);
}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult != NULL) *pResult = TRUE;
  return TRUE;
}

CToolTipCtrl* CTabCtrl::GetToolTips() const {
  return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TCM_GETTOOLTIPS, 0, 0));
}

void CTabCtrl::SetToolTips(CToolTipCtrl* pWndTip) {
  ::SendMessage(m_hWnd, TCM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd(), 0);
}

/////////////////////////////////////////////////////////////////////////////
// CToolTipCtrl

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  BOOL bResult = CreateEx(0, TOOLTIPS_CLASS, NULL, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), NULL);
  if (bResult) SetOwner(pParentWnd);
  return bResult;
}

// The TOOLINFO size of the controls before version 6: what every version accepts.
static const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const {
  memset(&ti, 0, sizeof(ti));
  ti.cbSize = kToolInfoSize;
  HWND hWnd = pWnd->GetSafeHwnd();
  if (nIDTool == 0) {
    // The whole window is the tool: its handle is the id.
    ti.hwnd = ::GetParent(hWnd);
    ti.uFlags = TTF_IDISHWND;
    ti.uId = (UINT_PTR)hWnd;
  } else {
    ti.hwnd = hWnd;
    ti.uFlags = 0;
    ti.uId = nIDTool;
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool != NULL) ti.rect = *lpRectTool;
  ti.uFlags |= TTF_SUBCLASS;
  ti.hinst = IS_INTRESOURCE(lpszText) && lpszText != LPSTR_TEXTCALLBACK ? AfxGetResourceHandle() : NULL;
  ti.lpszText = (LPTSTR)lpszText;
  return (BOOL)::SendMessage(m_hWnd, TTM_ADDTOOL, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  return AddTool(pWnd, MAKEINTRESOURCE(nIDText), lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ::SendMessage(m_hWnd, TTM_DELTOOL, 0, (LPARAM)&ti);
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT nIDTool) const {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  // The message carries no buffer size: room for the most any version copies (INFOTIPSIZE).
  ti.lpszText = str.GetBuffer(1024);
  ti.lpszText[0] = '\0';
  ::SendMessage(m_hWnd, TTM_GETTEXT, 0, (LPARAM)&ti);
  str.ReleaseBuffer();
}

BOOL CToolTipCtrl::GetToolInfo(LPTOOLINFO lpToolInfo, CWnd* pWnd, UINT nIDTool) const {
  FillInToolInfo(*lpToolInfo, pWnd, nIDTool);
  return (BOOL)::SendMessage(m_hWnd, TTM_GETTOOLINFO, 0, (LPARAM)lpToolInfo);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT nIDTool, LPCRECT lpRect) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.rect = *lpRect;
  ::SendMessage(m_hWnd, TTM_NEWTOOLRECT, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const {
  TTHITTESTINFO hti = {};
  hti.ti.cbSize = kToolInfoSize;
  hti.hwnd = pWnd->GetSafeHwnd();
  hti.pt = pt;
  if (!::SendMessage(m_hWnd, TTM_HITTEST, 0, (LPARAM)&hti)) return FALSE;
  memcpy(lpToolInfo, &hti.ti, kToolInfoSize);
  return TRUE;
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFO ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.hinst = IS_INTRESOURCE(lpszText) && lpszText != LPSTR_TEXTCALLBACK ? AfxGetResourceHandle() : NULL;
  ti.lpszText = (LPTSTR)lpszText;
  ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool) {
  UpdateTipText(MAKEINTRESOURCE(nIDText), pWnd, nIDTool);
}

/////////////////////////////////////////////////////////////////////////////
// CTreeCtrl

CTreeCtrl::~CTreeCtrl() = default;

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateCommonControl(this, WC_TREEVIEW, dwStyle, rect, pParentWnd, nID, ICC_TREEVIEW_CLASSES);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
  *(HTREEITEM*)lpRect = hItem;
  return (BOOL)::SendMessage(m_hWnd, TVM_GETITEMRECT, bTextOnly, (LPARAM)lpRect);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
  // Grows the buffer until the text fits: the control gives no length.
  CString str;
  for (int nLen = 256; nLen <= 0x10000; nLen *= 4) {
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_TEXT;
    item.pszText = str.GetBufferSetLength(nLen);
    item.cchTextMax = nLen;
    item.pszText[0] = '\0';
    ::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)&item);
    str.ReleaseBuffer();
    if (str.GetLength() < nLen - 1) break;
  }
  return str;
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  BOOL bRes = (BOOL)::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)&item);
  if (bRes) {
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
  }
  return bRes;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_PARAM;
  ::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)&item);
  return (DWORD_PTR)item.lParam;
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                        UINT nStateMask, LPARAM lParam) {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = nMask;
  item.pszText = (LPTSTR)lpszItem;
  item.iImage = nImage;
  item.iSelectedImage = nSelectedImage;
  item.state = nState;
  item.stateMask = nStateMask;
  item.lParam = lParam;
  return (BOOL)::SendMessage(m_hWnd, TVM_SETITEM, 0, (LPARAM)&item);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
  TVITEM item = {};
  item.hItem = hItem;
  item.mask = TVIF_CHILDREN;
  ::SendMessage(m_hWnd, TVM_GETITEM, 0, (LPARAM)&item);
  return item.cChildren;
}

CToolTipCtrl* CTreeCtrl::GetToolTips() const {
  return (CToolTipCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, TVM_GETTOOLTIPS, 0, 0));
}

CToolTipCtrl* CTreeCtrl::SetToolTips(CToolTipCtrl* pWndTip) {
  return (CToolTipCtrl*)CWnd::FromHandle(
      (HWND)::SendMessage(m_hWnd, TVM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd(), 0));
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCT tvis = {};
  tvis.hParent = hParent;
  tvis.hInsertAfter = hInsertAfter;
  tvis.item.mask = nMask;
  tvis.item.pszText = (LPTSTR)lpszItem;
  tvis.item.iImage = nImage;
  tvis.item.iSelectedImage = nSelectedImage;
  tvis.item.state = nState;
  tvis.item.stateMask = nStateMask;
  tvis.item.lParam = lParam;
  return (HTREEITEM)::SendMessage(m_hWnd, TVM_INSERTITEM, 0, (LPARAM)&tvis);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  TVHITTESTINFO hti = {};
  hti.pt = pt;
  HTREEITEM h = (HTREEITEM)::SendMessage(m_hWnd, TVM_HITTEST, 0, (LPARAM)&hti);
  if (pFlags != NULL) *pFlags = hti.flags;
  return h;
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem) {
  HIMAGELIST hImageList = (HIMAGELIST)::SendMessage(m_hWnd, TVM_CREATEDRAGIMAGE, 0, (LPARAM)hItem);
  if (hImageList == NULL) return NULL;
  CImageList* pImageList = new CImageList;
  pImageList->Attach(hImageList);
  return pImageList;
}

/////////////////////////////////////////////////////////////////////////////
// CListCtrl

CListCtrl::~CListCtrl() = default;

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateCommonControl(this, WC_LISTVIEW, dwStyle, rect, pParentWnd, nID, ICC_LISTVIEW_CLASSES);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam) {
  LVITEM lvi = {};
  lvi.mask = nMask;
  lvi.iItem = nItem;
  lvi.iSubItem = nSubItem;
  lvi.stateMask = nStateMask;
  lvi.state = nState;
  lvi.pszText = (LPTSTR)lpszItem;
  lvi.iImage = nImage;
  lvi.lParam = lParam;
  return (BOOL)::SendMessage(m_hWnd, LVM_SETITEM, 0, (LPARAM)&lvi);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEM lvi = {};
  lvi.stateMask = nMask;
  lvi.state = nState;
  return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)&lvi);
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const {
  LVITEM lvi = {};
  lvi.iSubItem = nSubItem;
  lvi.cchTextMax = nLen;
  lvi.pszText = lpszText;
  return (int)::SendMessage(m_hWnd, LVM_GETITEMTEXT, nItem, (LPARAM)&lvi);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  // Grows the buffer until the text fits.
  CString str;
  for (int nLen = 256; nLen <= 0x10000; nLen *= 4) {
    LVITEM lvi = {};
    lvi.iSubItem = nSubItem;
    lvi.cchTextMax = nLen;
    lvi.pszText = str.GetBufferSetLength(nLen);
    int nRes = (int)::SendMessage(m_hWnd, LVM_GETITEMTEXT, nItem, (LPARAM)&lvi);
    str.ReleaseBuffer(nRes < nLen ? nRes : nLen - 1);
    if (nRes < nLen - 1) break;
  }
  return str;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
  LVITEM lvi = {};
  lvi.iSubItem = nSubItem;
  lvi.pszText = (LPTSTR)lpszText;
  return (BOOL)::SendMessage(m_hWnd, LVM_SETITEMTEXT, nItem, (LPARAM)&lvi);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEM lvi = {};
  lvi.iItem = nItem;
  lvi.mask = LVIF_PARAM;
  ::SendMessage(m_hWnd, LVM_GETITEM, 0, (LPARAM)&lvi);
  return (DWORD_PTR)lvi.lParam;
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam) {
  LVITEM item = {};
  item.mask = nMask;
  item.iItem = nItem;
  item.state = nState;
  item.stateMask = nStateMask;
  item.pszText = (LPTSTR)lpszItem;
  item.iImage = nImage;
  item.lParam = lParam;
  return InsertItem(&item);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO hti = {};
  hti.pt = pt;
  int nRes = (int)::SendMessage(m_hWnd, LVM_HITTEST, 0, (LPARAM)&hti);
  if (pFlags != NULL) *pFlags = hti.flags;
  return nRes;
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMN column = {};
  column.mask = LVCF_TEXT | LVCF_FMT;
  column.pszText = (LPTSTR)lpszColumnHeading;
  column.fmt = nFormat;
  if (nWidth != -1) {
    column.mask |= LVCF_WIDTH;
    column.cx = nWidth;
  }
  if (nSubItem != -1) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = nSubItem;
  }
  return InsertColumn(nCol, &column);
}

CImageList* CListCtrl::CreateDragImage(int nItem, LPPOINT lpPoint) {
  HIMAGELIST hImageList = (HIMAGELIST)::SendMessage(m_hWnd, LVM_CREATEDRAGIMAGE, nItem, (LPARAM)lpPoint);
  if (hImageList == NULL) return NULL;
  CImageList* pImageList = new CImageList;
  pImageList->Attach(hImageList);
  return pImageList;
}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (pResult != NULL) *pResult = TRUE;
  return TRUE;
}
