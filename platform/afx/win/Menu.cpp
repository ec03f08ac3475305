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
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
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
