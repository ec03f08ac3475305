#include "WinState.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu() { DestroyMenu(); }

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) {
  return static_cast<CMenu*>(AfxGetWinThreadState()->m_mapHMENU.FromHandle(hMenu));
}

void PASCAL CMenu::DeleteTempMap() { AfxGetWinThreadState()->m_mapHMENU.DeleteTemp(); }

BOOL CMenu::Attach(HMENU hMenu) {
  if (hMenu == NULL) return FALSE;
  AfxGetWinThreadState()->m_mapHMENU.SetPermanent(hMenu, this);
  m_hMenu = hMenu;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU hMenu = m_hMenu;
  if (hMenu != NULL) {
    CHandleMap& map = AfxGetWinThreadState()->m_mapHMENU;
    if (map.LookupPermanent(hMenu) == this) map.RemoveHandle(hMenu);
  }
  m_hMenu = NULL;
  return hMenu;
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
  return Attach(::LoadMenu(hInst, lpszResourceName));
}

BOOL CMenu::DestroyMenu() {
  if (m_hMenu == NULL) return FALSE;
  return ::DestroyMenu(Detach());
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
  HWND hOldWindow = pState->m_hTrackingWindow;
  HMENU hOldMenu = pState->m_hTrackingMenu;
  pState->m_hTrackingWindow = pWnd->GetSafeHwnd();
  pState->m_hTrackingMenu = m_hMenu;
  BOOL bResult = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
  pState->m_hTrackingWindow = hOldWindow;
  pState->m_hTrackingMenu = hOldMenu;
  return bResult;
}

CMenu* AfxFindPopupMenuFromID(HMENU hMenu, UINT nID) {
  if (hMenu == NULL || !::IsMenu(hMenu)) return NULL;
  const int nCount = ::GetMenuItemCount(hMenu);
  // The menu that holds the item itself, searched depth first.
  for (int i = 0; i < nCount; i++) {
    HMENU hSub = ::GetSubMenu(hMenu, i);
    if (hSub != NULL) {
      if (CMenu* pFound = AfxFindPopupMenuFromID(hSub, nID)) return pFound;
    } else if (::GetMenuItemID(hMenu, i) == nID) {
      return CMenu::FromHandle(hMenu);
    }
  }
  return NULL;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int nLen = ::GetMenuString(m_hMenu, nIDItem, NULL, 0, nFlags);
  if (nLen <= 0) {
    rString.Empty();
    return 0;
  }
  int nResult = ::GetMenuString(m_hMenu, nIDItem, rString.GetBufferSetLength(nLen), nLen + 1, nFlags);
  rString.ReleaseBuffer();
  return nResult;
}
