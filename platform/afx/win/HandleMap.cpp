#include "WinState.h"

CObject* CHandleMap::FromHandle(HANDLE h) {
  if (h == NULL) return NULL;
  if (CObject* p = LookupPermanent(h)) return p;
  if (CObject* p = LookupTemporary(h)) return p;
  CObject* p = m_pfnCreate(h);
  m_temporary[h] = p;
  return p;
}

CObject* CHandleMap::LookupPermanent(HANDLE h) const {
  auto it = m_permanent.find(h);
  return it == m_permanent.end() ? NULL : it->second;
}

CObject* CHandleMap::LookupTemporary(HANDLE h) const {
  auto it = m_temporary.find(h);
  return it == m_temporary.end() ? NULL : it->second;
}

void CHandleMap::RemoveHandle(HANDLE h) { m_permanent.erase(h); }

void CHandleMap::DeleteTemp() {
  // Detach first: deleting a wrapper must not destroy the handle it only borrowed.
  std::unordered_map<HANDLE, CObject*> temps;
  temps.swap(m_temporary);
  for (auto& [h, p] : temps) {
    m_pfnRelease(p);
    delete p;
  }
}

static CObject* CreateTempWnd(HANDLE h) {
  CWnd* p = new CWnd;
  p->m_hWnd = (HWND)h;
  return p;
}
static void ReleaseTempWnd(CObject* p) { static_cast<CWnd*>(p)->m_hWnd = NULL; }
static CObject* CreateTempDC(HANDLE h) {
  CDC* p = new CDC;
  p->m_hDC = p->m_hAttribDC = (HDC)h;
  return p;
}
static void ReleaseTempDC(CObject* p) {
  CDC* pDC = static_cast<CDC*>(p);
  pDC->m_hDC = pDC->m_hAttribDC = NULL;
}
static CObject* CreateTempGdi(HANDLE h) {
  CGdiObject* p = new CGdiObject;
  p->m_hObject = (HGDIOBJ)h;
  return p;
}
static void ReleaseTempGdi(CObject* p) { static_cast<CGdiObject*>(p)->m_hObject = NULL; }
static CObject* CreateTempMenu(HANDLE h) {
  CMenu* p = new CMenu;
  p->m_hMenu = (HMENU)h;
  return p;
}
static void ReleaseTempMenu(CObject* p) { static_cast<CMenu*>(p)->m_hMenu = NULL; }

AFX_WIN_THREAD_STATE::AFX_WIN_THREAD_STATE()
    : m_pCurrentWinThread(NULL),
      m_nTempMapLock(0),
      m_szClassName(),
      m_mapHWND(CreateTempWnd, ReleaseTempWnd),
      m_mapHDC(CreateTempDC, ReleaseTempDC),
      m_mapHGDIOBJ(CreateTempGdi, ReleaseTempGdi),
      m_mapHMENU(CreateTempMenu, ReleaseTempMenu),
      m_hTrackingWindow(NULL),
      m_hTrackingMenu(NULL),
      m_hLastInitPopup(NULL) {}

AFX_WIN_THREAD_STATE::~AFX_WIN_THREAD_STATE() {
  if (m_hHookOldCbtFilter != NULL) ::UnhookWindowsHookEx(m_hHookOldCbtFilter);
}

AFX_WIN_THREAD_STATE* AfxGetWinThreadState() {
  static thread_local AFX_WIN_THREAD_STATE state;
  return &state;
}

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState() { return AfxGetWinThreadState(); }
