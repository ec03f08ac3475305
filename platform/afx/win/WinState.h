// Per-thread state of the window layer: handle maps, the window being created, the
// message being processed. Private to the framework library.
#pragma once

#include "afxwin.h"

#include <unordered_map>

// Maps handles of one kind (windows, DCs, GDI objects, menus) to their C++ objects.
// Permanent entries belong to their owners; temporary ones are made by FromHandle and
// deleted by DeleteTemp when the thread goes idle.
class CHandleMap {
 public:
  typedef CObject* (*PFN_CREATE)(HANDLE h);  // a new temporary wrapper holding h
  typedef void (*PFN_RELEASE)(CObject* p);   // clears the handle(s) before the delete

  CHandleMap(PFN_CREATE pfnCreate, PFN_RELEASE pfnRelease)
      : m_pfnCreate(pfnCreate), m_pfnRelease(pfnRelease) {}
  ~CHandleMap() { DeleteTemp(); }

  CObject* FromHandle(HANDLE h);
  CObject* LookupPermanent(HANDLE h) const;
  CObject* LookupTemporary(HANDLE h) const;
  void SetPermanent(HANDLE h, CObject* p) { m_permanent[h] = p; }
  void RemoveHandle(HANDLE h);
  void DeleteTemp();

 private:
  PFN_CREATE m_pfnCreate;
  PFN_RELEASE m_pfnRelease;
  std::unordered_map<HANDLE, CObject*> m_permanent;
  std::unordered_map<HANDLE, CObject*> m_temporary;
};

struct AFX_WIN_THREAD_STATE : _AFX_THREAD_STATE {
  AFX_WIN_THREAD_STATE();
  ~AFX_WIN_THREAD_STATE();

  CWinThread* m_pCurrentWinThread;
  int m_nTempMapLock;
  TCHAR m_szClassName[96];  // AfxRegisterWndClass result

  CHandleMap m_mapHWND;
  CHandleMap m_mapHDC;
  CHandleMap m_mapHGDIOBJ;
  CHandleMap m_mapHMENU;

  // The pop-up menu CMenu::TrackPopupMenu is showing and its owner, so that the owner's
  // WM_MEASUREITEM reaches the menu object of an owner-drawn item.
  HWND m_hTrackingWindow;
  HMENU m_hTrackingMenu;
  HMENU m_hLastInitPopup;
};

// The menu below hMenu (or hMenu) whose own items include the command nID, or NULL.
CMenu* AfxFindPopupMenuFromID(HMENU hMenu, UINT nID);

// The calling thread's state, with the framework's private parts.
AFX_WIN_THREAD_STATE* AfxGetWinThreadState();

// The part window code may use (AfxGetThreadState()).
typedef _AFX_THREAD_STATE AFX_THREAD_STATE;

// The application object of the process (set by CWinApp's constructor).
extern CWinApp* g_afxApp;

// Searches a message map chain for an entry; nID is ignored for window messages.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID);

// Registers a framework window class (AFX_WND, AFX_WNDFRAMEORVIEW, ...) once.
BOOL AfxDeferRegisterClass(LPCTSTR lpszClass);
