#include "WinState.h"

#include <cstdio>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_CTLCOLOR()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_PARENTNOTIFY()
  ON_WM_NCDESTROY()
  ON_MESSAGE(WM_COMPAREITEM, OnReflectItemMsg)
  ON_MESSAGE(WM_DELETEITEM, OnReflectItemMsg)
  ON_MESSAGE(WM_VKEYTOITEM, OnReflectItemMsg)
  ON_MESSAGE(WM_CHARTOITEM, OnReflectItemMsg)
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(NULL), m_hWndOwner(NULL), m_pfnSuper(NULL), m_nModalResult(0), m_nFlags(0) {}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_hWndOwner(NULL), m_pfnSuper(NULL), m_nModalResult(0), m_nFlags(0) {}

CWnd::~CWnd() {
  if (this == &wndTop || this == &wndBottom || this == &wndTopMost || this == &wndNoTopMost) return;
  // A window must not outlive its object: it would call into freed memory.
  if (m_hWnd != NULL && ::IsWindow(m_hWnd) && CWnd::FromHandlePermanent(m_hWnd) == this) DestroyWindow();
  if (m_hWnd != NULL) Detach();
}

/////////////////////////////////////////////////////////////////////////////
// Handle map

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
  return static_cast<CWnd*>(AfxGetWinThreadState()->m_mapHWND.FromHandle(hWnd));
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
  if (hWnd == NULL) return NULL;
  return static_cast<CWnd*>(AfxGetWinThreadState()->m_mapHWND.LookupPermanent(hWnd));
}

void PASCAL CWnd::DeleteTempMap() { AfxGetWinThreadState()->m_mapHWND.DeleteTemp(); }

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == NULL) return FALSE;
  AfxGetWinThreadState()->m_mapHWND.SetPermanent(hWndNew, this);
  m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != NULL) {
    CHandleMap& map = AfxGetWinThreadState()->m_mapHWND;
    if (map.LookupPermanent(hWnd) == this) map.RemoveHandle(hWnd);
  }
  m_hWnd = NULL;
  return hWnd;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WNDPROC oldProc = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
  if (oldProc != AfxWndProc) m_pfnSuper = oldProc;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, nID);
  return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
  if (m_pfnSuper != NULL) {
    ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
  }
  return Detach();
}

/////////////////////////////////////////////////////////////////////////////
// Creation: a CBT hook attaches the object to its window before the first message.

static bool IsImeWindow(HWND hWnd) {
  TCHAR szClass[32];
  if (::GetClassName(hWnd, szClass, sizeof(szClass)) == 0) return false;
  return lstrcmpi(szClass, "IME") == 0 || lstrcmpi(szClass, "MSCTFIME UI") == 0;
}

static LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
  if (code == HCBT_CREATEWND && pState->m_pWndInit != NULL && !IsImeWindow((HWND)wParam)) {
    HWND hWnd = (HWND)wParam;
    CWnd* pWndInit = pState->m_pWndInit;
    pState->m_pWndInit = NULL;
    pWndInit->Attach(hWnd);
    pWndInit->PreSubclassWindow();
    WNDPROC oldProc = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (oldProc != AfxWndProc) pWndInit->m_pfnSuper = oldProc;
  }
  return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd) {
  AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
  if (pState->m_hHookOldCbtFilter == NULL)
    pState->m_hHookOldCbtFilter = ::SetWindowsHookEx(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
  pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate() {
  AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
  if (pState->m_hHookOldCbtFilter != NULL) {
    ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
    pState->m_hHookOldCbtFilter = NULL;
  }
  if (pState->m_pWndInit != NULL) {
    pState->m_pWndInit = NULL;
    return FALSE;  // the hook never saw the window
  }
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  CREATESTRUCT cs;
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                               cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  // When the window was made and destroyed again, PostNcDestroy has run already and a
  // self-deleting object is gone: nothing here may touch it.
  if (!AfxUnhookWindowCreate()) PostNcDestroy();
  return hWnd != NULL;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) {
    if (!AfxDeferRegisterClass(AFX_WND)) return FALSE;
    cs.lpszClass = AFX_WND;
  }
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == NULL) return FALSE;
  CWnd* pWnd = FromHandlePermanent(m_hWnd);
  BOOL bResult = ::DestroyWindow(m_hWnd);
  // A permanent object has been detached by OnNcDestroy (and may be deleted already).
  if (pWnd != this) Detach();
  return bResult;
}

void CWnd::PostNcDestroy() {}

void CWnd::OnNcDestroy() {
  CWinThread* pThread = AfxGetThread();
  if (pThread != NULL) {
    if (pThread->m_pMainWnd == this) {
      AfxPostQuitMessage(0);
      pThread->m_pMainWnd = NULL;
    }
    if (pThread->m_pActiveWnd == this) pThread->m_pActiveWnd = NULL;
  }
  WNDPROC pfnWndProc = (WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
  Default();
  if ((WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == pfnWndProc && m_pfnSuper != NULL)
    ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
  m_pfnSuper = NULL;
  Detach();
  PostNcDestroy();
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  DWORD dwExStyle = GetExStyle();
  if (nAdjustType == 0) dwExStyle &= ~WS_EX_CLIENTEDGE;
  ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

/////////////////////////////////////////////////////////////////////////////
// Window procedure and dispatch

WNDPROC AFXAPI AfxGetAfxWndProc() { return AfxWndProc; }

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_QUERYAFXWNDPROC) return 1;
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == NULL) return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
  MSG oldState = pState->m_lastSentMsg;
  pState->m_lastSentMsg.hwnd = hWnd;
  pState->m_lastSentMsg.message = nMsg;
  pState->m_lastSentMsg.wParam = wParam;
  pState->m_lastSentMsg.lParam = lParam;
  // A pop-up about to show: its owner-drawn items are measured next (see OnMeasureItem).
  if (nMsg == WM_INITMENUPOPUP) pState->m_hLastInitPopup = (HMENU)wParam;
  LRESULT lResult = 0;
  // No exception may cross the window procedure: Win32 frames cannot be unwound.
  try {
    lResult = pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    MSG msg = pState->m_lastSentMsg;
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL) {
      lResult = pThread->ProcessWndProcException(e, &msg);
    } else {
      e->ReportError(MB_ICONSTOP, AFX_IDP_INTERNAL_FAILURE);
      lResult = nMsg == WM_CREATE ? -1 : 0;
    }
    e->Delete();
  } catch (...) {
    // Not one of ours: reported as an internal failure all the same.
    MSG msg = pState->m_lastSentMsg;
    CException* e = new CException;
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL) {
      lResult = pThread->ProcessWndProcException(e, &msg);
    } else {
      e->ReportError(MB_ICONSTOP, AFX_IDP_INTERNAL_FAILURE);
      lResult = nMsg == WM_CREATE ? -1 : 0;
    }
    e->Delete();
  }
  pState->m_lastSentMsg = oldState;
  return lResult;
}

const MSG* PASCAL CWnd::GetCurrentMessage() {
  AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
  pState->m_lastSentMsg.time = ::GetMessageTime();
  DWORD dwPos = ::GetMessagePos();
  pState->m_lastSentMsg.pt.x = (short)LOWORD(dwPos);
  pState->m_lastSentMsg.pt.y = (short)HIWORD(dwPos);
  return &pState->m_lastSentMsg;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

// The entry of a class's map chain for a window message. Maps are static: what a chain
// says about a message never changes, so the answer is cached per thread.
static const AFX_MSGMAP_ENTRY* LookupWindowMessage(const AFX_MSGMAP* pMap, UINT message) {
  struct CacheEntry {
    UINT nMsg;
    const AFX_MSGMAP* pMap;
    const AFX_MSGMAP_ENTRY* pEntry;
  };
  static thread_local CacheEntry cache[512];
  CacheEntry& slot = cache[((UINT)((UINT_PTR)pMap >> 4) ^ message) & 511];
  if (slot.pMap != pMap || slot.nMsg != message) {
    slot.pEntry = AfxFindMessageEntry(pMap, message, 0, 0);
    slot.pMap = pMap;
    slot.nMsg = message;
  }
  return slot.pEntry;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    lResult = 1;
  } else if (message == WM_NOTIFY) {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult)) return FALSE;
  } else {
    const AFX_MSGMAP* pMap = GetMessageMap();
    const AFX_MSGMAP_ENTRY* e = LookupWindowMessage(pMap, message);
    AFX_CTLCOLOR ctl;
    if (e == nullptr && message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
      // Without an entry of their own, the WM_CTLCOLOR* messages reach the one OnCtlColor.
      ctl.hWnd = (HWND)lParam;
      ctl.hDC = (HDC)wParam;
      ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
      message = WM_CTLCOLOR;
      lParam = (LPARAM)&ctl;
      e = LookupWindowMessage(pMap, message);
    }
    if (e == nullptr) return FALSE;
    AFX_MSGCALL call = {message, wParam, lParam, 0, NULL, 0};
    if (!e->pfn(this, call)) return FALSE;
    lResult = call.lResult;
  }
  if (pResult != NULL) *pResult = lResult;
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != NULL) return ::CallWindowProc(m_pfnSuper, m_hWnd, nMsg, wParam, lParam);
  return ::DefWindowProc(m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& m = AfxGetWinThreadState()->m_lastSentMsg;
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = (HWND)lParam;
  int nCode = HIWORD(wParam);
  if (hWndCtrl == NULL) {
    // A menu item or accelerator: a command its update handler disables is dropped.
    if (nID == 0) return FALSE;
    CTestCmdUI state;
    state.m_nID = nID;
    OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
    if (!state.m_bEnabled) return TRUE;
    nCode = CN_COMMAND;
  } else {
    if (AfxGetWinThreadState()->m_hLockoutNotifyWindow == m_hWnd) return TRUE;
    if (ReflectLastMsg(hWndCtrl)) return TRUE;  // the control handled its own notification
    if (nID == 0) return FALSE;
  }
  return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  HWND hWndCtrl = pNMHDR->hwndFrom;
  UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
  int nCode = (int)pNMHDR->code;
  if (AfxGetWinThreadState()->m_hLockoutNotifyWindow == m_hWnd) return TRUE;
  if (ReflectLastMsg(hWndCtrl, pResult)) return TRUE;
  AFX_NOTIFY notify = {pResult, pNMHDR};
  return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* pWnd = FromHandlePermanent(hWndChild);
  return pWnd != NULL && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG m = AfxGetWinThreadState()->m_lastSentMsg;
  return OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (uMsg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
      return CWnd::OnWndMsg(WM_REFLECT_BASE + uMsg, wParam, lParam, pResult);
    case WM_COMMAND: {
      int nCode = HIWORD(wParam);
      if (CWnd::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL)) {
        if (pResult != NULL) *pResult = 1;
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
      LRESULT lDummy = 0;
      AFX_NOTIFY notify = {pResult != NULL ? pResult : &lDummy, pNMHDR};
      return CWnd::OnCmdMsg(0, MAKELONG((int)pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    default:
      if (uMsg >= WM_CTLCOLORMSGBOX && uMsg <= WM_CTLCOLORSTATIC) {
        AFX_CTLCOLOR ctl = {(HWND)lParam, (HDC)wParam, uMsg - WM_CTLCOLORMSGBOX};
        LRESULT lResult = 0;
        // A reflected handler returning no brush leaves the parent to decide.
        if (CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, &lResult) && lResult != 0) {
          if (pResult != NULL) *pResult = lResult;
          return TRUE;
        }
      }
      return FALSE;
  }
}

/////////////////////////////////////////////////////////////////////////////
// Default handlers

void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnChildActivate() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
UINT CWnd::OnNcHitTest(CPoint) { return (UINT)Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
BOOL CWnd::OnDeviceChange(UINT, DWORD_PTR) { return (BOOL)Default(); }
int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct) {
  return (int)OnReflectItemMsg(0, (LPARAM)lpCompareItemStruct);
}
void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct) { OnReflectItemMsg(0, (LPARAM)lpDeleteItemStruct); }
int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT) {
  return (int)OnReflectItemMsg(0, (LPARAM)reinterpret_cast<CWnd*>(pListBox)->GetSafeHwnd());
}
int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT) {
  return (int)OnReflectItemMsg(0, (LPARAM)reinterpret_cast<CWnd*>(pListBox)->GetSafeHwnd());
}
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
BOOL CWnd::OnQueryEndSession() { return (BOOL)Default(); }
void CWnd::OnEndSession(BOOL) { Default(); }
BOOL CWnd::OnQueryNewPalette() { return (BOOL)Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return (HCURSOR)Default(); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return (BOOL)Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnTimer(UINT) { Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnTimeChange() { Default(); }
void CWnd::OnFontChange() { Default(); }
void CWnd::OnDevModeChange(LPTSTR) { Default(); }

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
  HWND hWndBar = reinterpret_cast<CWnd*>(pScrollBar)->GetSafeHwnd();
  if (hWndBar != NULL && ReflectLastMsg(hWndBar)) return;
  Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
  HWND hWndBar = reinterpret_cast<CWnd*>(pScrollBar)->GetSafeHwnd();
  if (hWndBar != NULL && ReflectLastMsg(hWndBar)) return;
  Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->CtlType == ODT_MENU) {
    CObject* p = AfxGetWinThreadState()->m_mapHMENU.LookupPermanent((HANDLE)lpDrawItemStruct->hwndItem);
    if (p != NULL) {
      static_cast<CMenu*>(p)->DrawItem(lpDrawItemStruct);
      return;
    }
  } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
    return;
  }
  Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct->CtlType == ODT_MENU) {
    // The item names no menu: look for it in the pop-up being tracked for this window,
    // else in the window's menu bar, else in the last pop-up initialised.
    AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
    HMENU hStart = pState->m_hTrackingWindow == m_hWnd ? pState->m_hTrackingMenu : ::GetMenu(m_hWnd);
    CMenu* pMenu = AfxFindPopupMenuFromID(hStart, lpMeasureItemStruct->itemID);
    // A pop-up shown by ::TrackPopupMenu itself: the one whose WM_INITMENUPOPUP came last.
    if (pMenu == NULL) pMenu = AfxFindPopupMenuFromID(pState->m_hLastInitPopup, lpMeasureItemStruct->itemID);
    if (pMenu != NULL && AfxGetWinThreadState()->m_mapHMENU.LookupPermanent(pMenu->m_hMenu) == pMenu) {
      pMenu->MeasureItem(lpMeasureItemStruct);
      return;
    }
  } else {
    CWnd* pChild = GetDescendantWindow(nIDCtl, TRUE);
    if (pChild != NULL && pChild->SendChildNotifyLastMsg()) return;
  }
  Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  LRESULT lResult;
  if (pWnd != NULL && ReflectLastMsg(pWnd->m_hWnd, &lResult)) return (HBRUSH)lResult;
  return (HBRUSH)Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam) {
  if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) && ReflectLastMsg((HWND)lParam)) return;
  Default();
}

LRESULT CWnd::OnReflectItemMsg(WPARAM, LPARAM lParam) {
  const MSG& m = AfxGetWinThreadState()->m_lastSentMsg;
  HWND hWndChild = NULL;
  switch (m.message) {
    case WM_COMPAREITEM: hWndChild = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem; break;
    case WM_DELETEITEM: hWndChild = reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem; break;
    default: hWndChild = (HWND)lParam; break;
  }
  LRESULT lResult = 0;
  if (hWndChild != NULL && ReflectLastMsg(hWndChild, &lResult)) return lResult;
  return Default();
}

/////////////////////////////////////////////////////////////////////////////
// Helpers

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

int CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
  if (hWndChild == NULL || hWndChild == m_hWnd) return -1;
  int nID = ::GetDlgCtrlID(hWndChild);
  if (nID == 0) return -1;
  if (pTI != NULL) {
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)hWndChild;
    pTI->uFlags |= TTF_IDISHWND;
    pTI->lpszText = LPSTR_TEXTCALLBACK;
  }
  return nID;
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  if (CWinApp* pApp = AfxGetApp()) pApp->WinHelp(dwData, nCmd);
}

static BOOL ModifyStyleImpl(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, nStyleOffset);
  DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
  if (dwStyle == dwNewStyle) return FALSE;
  ::SetWindowLong(hWnd, nStyleOffset, (LONG)dwNewStyle);
  if (nFlags != 0)
    ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleImpl(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleImpl(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

CWnd* CWnd::GetOwner() const {
  return m_hWndOwner != NULL ? CWnd::FromHandle(m_hWndOwner) : GetParent();
}

void CWnd::GetWindowText(CString& rString) const {
  int nLen = ::GetWindowTextLength(m_hWnd);
  ::GetWindowText(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
  rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  HWND hWnd = ::GetDlgItem(m_hWnd, nID);
  if (hWnd != NULL) {
    int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
  }
  return rString.GetLength();
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
  ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
  ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  DWORD dwStyle = GetStyle();
  HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
  if (hWndCenter == NULL) hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
  RECT rcDlg;
  ::GetWindowRect(m_hWnd, &rcDlg);
  RECT rcArea, rcCenter;
  if (!(dwStyle & WS_CHILD)) {
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcArea, 0);
    if (hWndCenter != NULL && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
      ::GetWindowRect(hWndCenter, &rcCenter);
    else
      rcCenter = rcArea;
  } else {
    HWND hWndParent = ::GetParent(m_hWnd);
    ::GetClientRect(hWndParent, &rcArea);
    ::GetClientRect(hWndCenter, &rcCenter);
    ::MapWindowPoints(hWndCenter, hWndParent, (POINT*)&rcCenter, 2);
  }
  int cx = rcDlg.right - rcDlg.left, cy = rcDlg.bottom - rcDlg.top;
  int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
  int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
  if (x + cx > rcArea.right) x = rcArea.right - cx;
  if (x < rcArea.left) x = rcArea.left;
  if (y + cy > rcArea.bottom) y = rcArea.bottom - cy;
  if (y < rcArea.top) y = rcArea.top;
  ::SetWindowPos(m_hWnd, NULL, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) {
  for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++)
    if (IsDlgButtonChecked(nID)) return nID;
  return 0;
}

CPoint PASCAL CWnd::GetCaretPos() {
  CPoint point;
  ::GetCaretPos((LPPOINT)&point);
  return point;
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return NULL; }

void CWnd::EnableScrollBarCtrl(int nBar, BOOL bEnable) {
  if (nBar == SB_BOTH) {
    EnableScrollBarCtrl(SB_HORZ, bEnable);
    EnableScrollBarCtrl(SB_VERT, bEnable);
    return;
  }
  // A scroll-bar control of the window's own stays in place and is only enabled.
  if (CScrollBar* c = GetScrollBarCtrl(nBar)) {
    ::EnableWindow(((CWnd*)c)->m_hWnd, bEnable);
    return;
  }
  ::ShowScrollBar(m_hWnd, nBar, bEnable);
}

// The window and bar code that reach a scroll bar: the window's own bar, or its control.
static HWND ScrollTarget(const CWnd* w, int& nBar) {
  CScrollBar* c = w->GetScrollBarCtrl(nBar);
  if (c == NULL) return w->m_hWnd;
  nBar = SB_CTL;
  return ((CWnd*)c)->m_hWnd;
}

int CWnd::GetScrollPos(int nBar) const {
  HWND h = ScrollTarget(this, nBar);
  return ::GetScrollPos(h, nBar);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw) {
  HWND h = ScrollTarget(this, nBar);
  return ::SetScrollPos(h, nBar, nPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const {
  HWND h = ScrollTarget(this, nBar);
  ::GetScrollRange(h, nBar, lpMinPos, lpMaxPos);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
  HWND h = ScrollTarget(this, nBar);
  ::SetScrollRange(h, nBar, nMinPos, nMaxPos, bRedraw);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
  lpScrollInfo->cbSize = sizeof(*lpScrollInfo);
  HWND h = ScrollTarget(this, nBar);
  ::SetScrollInfo(h, nBar, lpScrollInfo, bRedraw);
  return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
  lpScrollInfo->cbSize = sizeof(*lpScrollInfo);
  lpScrollInfo->fMask = nMask;
  HWND h = ScrollTarget(this, nBar);
  return ::GetScrollInfo(h, nBar, lpScrollInfo);
}

int CWnd::GetScrollLimit(int nBar) {
  int nMin, nMax;
  GetScrollRange(nBar, &nMin, &nMax);
  SCROLLINFO info;
  if (GetScrollInfo(nBar, &info, SIF_PAGE)) nMax -= (info.nPage > 0 ? (int)info.nPage - 1 : 0);
  return nMax;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
  HWND hWndChild = ::GetDlgItem(m_hWnd, nID);
  if (hWndChild != NULL) {
    if (::GetTopWindow(hWndChild) != NULL) {
      // The direct child may have a descendant with the same id that is the one wanted.
      CWnd* pWnd = CWnd::FromHandle(hWndChild)->GetDescendantWindow(nID, bOnlyPerm);
      if (pWnd != NULL) return pWnd;
    }
    CWnd* pWnd = bOnlyPerm ? CWnd::FromHandlePermanent(hWndChild) : CWnd::FromHandle(hWndChild);
    if (pWnd != NULL) return pWnd;
  }
  for (hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    if (::GetTopWindow(hWndChild) != NULL) {
      CWnd* pWnd = CWnd::FromHandle(hWndChild)->GetDescendantWindow(nID, bOnlyPerm);
      if (pWnd != NULL) return pWnd;
    }
  }
  return NULL;
}

static void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    if (bOnlyPerm) {
      CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
      if (pWnd != NULL) AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
    } else {
      ::SendMessage(hWndChild, message, wParam, lParam);
    }
    if (bDeep && ::GetTopWindow(hWndChild) != NULL) SendToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
  }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

CFrameWnd* CWnd::GetParentFrame() const {
  if (GetSafeHwnd() == NULL) return NULL;
  for (CWnd* pParentWnd = GetParent(); pParentWnd != NULL; pParentWnd = pParentWnd->GetParent()) {
    if (pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(pParentWnd);
  }
  return NULL;
}

CWnd* CWnd::GetTopLevelParent() const {
  if (GetSafeHwnd() == NULL) return NULL;
  HWND hWndParent = m_hWnd;
  HWND hWndT;
  while ((::GetWindowLong(hWndParent, GWL_STYLE) & WS_CHILD) && (hWndT = ::GetParent(hWndParent)) != NULL)
    hWndParent = hWndT;
  return CWnd::FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const {
  if (GetSafeHwnd() == NULL) return NULL;
  HWND hWndOwner = m_hWnd;
  HWND hWndT;
  while ((hWndT = ::GetWindow(hWndOwner, GW_OWNER)) != NULL) hWndOwner = hWndT;
  return CWnd::FromHandle(hWndOwner);
}

CWnd* CWnd::GetParentOwner() const {
  if (GetSafeHwnd() == NULL) return NULL;
  HWND hWndParent = m_hWnd;
  HWND hWndT;
  while ((::GetWindowLong(hWndParent, GWL_STYLE) & WS_CHILD) && (hWndT = ::GetParent(hWndParent)) != NULL)
    hWndParent = hWndT;
  return CWnd::FromHandle(hWndParent);
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  if (GetSafeHwnd() == NULL) return NULL;
  CWnd* pWnd = const_cast<CWnd*>(this);
  CFrameWnd* pFrame = pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pWnd) : pWnd->GetParentFrame();
  if (pFrame != NULL) {
    CFrameWnd* pTemp;
    while ((pTemp = pFrame->GetParentFrame()) != NULL) pFrame = pTemp;
  }
  return pFrame;
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop) {
  HWND hWnd = pParent->GetSafeHwnd();
  if (hWnd == NULL) {
    CWnd* pMain = AfxGetMainWnd();
    hWnd = pMain->GetSafeHwnd();
  }
  while (hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) hWnd = ::GetParent(hWnd);
  HWND hWndTop = hWnd;
  if (hWnd != NULL) {
    HWND hWndT;
    while ((hWndT = ::GetParent(hWndTop)) != NULL) hWndTop = hWndT;
  }
  if (pWndTop != NULL) {
    // Disable the top window while a modal box is up, as the message box itself would.
    if (hWndTop != NULL && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd) {
      *pWndTop = hWndTop;
      ::EnableWindow(hWndTop, FALSE);
    } else {
      *pWndTop = NULL;
    }
  }
  return CWnd::FromHandle(hWnd);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
  if (lpszCaption == NULL) lpszCaption = AfxGetAppName();
  return ::MessageBox(GetSafeHwnd(), lpszText, lpszCaption, nType);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  CWnd wndTemp;
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    wndTemp.m_hWnd = hWndChild;
    state.m_nID = (UINT)::GetDlgCtrlID(hWndChild);
    state.m_pOther = &wndTemp;
    // A control may update itself by a reflected update handler.
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
    if (pWnd != NULL &&
        pWnd->CWnd::OnCmdMsg(0, MAKELONG((int)CN_UPDATE_COMMAND_UI, WM_COMMAND + WM_REFLECT_BASE), &state, NULL))
      continue;
    if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL)) continue;
    // Only push buttons without a handler get disabled, never check boxes or radios.
    BOOL bDisableTemp = bDisableIfNoHndler;
    if (bDisableTemp) {
      if ((wndTemp.SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) == 0) {
        bDisableTemp = FALSE;
      } else {
        UINT nStyle = (UINT)(wndTemp.GetStyle() & 0x0F);
        if (nStyle == (UINT)BS_AUTOCHECKBOX || nStyle == (UINT)BS_AUTO3STATE || nStyle == (UINT)BS_GROUPBOX ||
            nStyle == (UINT)BS_AUTORADIOBUTTON)
          bDisableTemp = FALSE;
      }
    }
    state.DoUpdate(pTarget, bDisableTemp);
  }
  wndTemp.m_hWnd = NULL;
}

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
  HWND hWndParent = ::GetParent(hWnd);
  if (lpLayout != NULL && lpLayout->hDWP == NULL) return;
  RECT rectOld;
  ::GetWindowRect(hWnd, &rectOld);
  ::MapWindowPoints(NULL, hWndParent, (POINT*)&rectOld, 2);
  if (::EqualRect(&rectOld, lpRect)) return;
  if (lpLayout != NULL)
    lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top,
                                      lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                      SWP_NOACTIVATE | SWP_NOZORDER);
  else
    ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch) {
  AFX_SIZEPARENTPARAMS layout;
  HWND hWndLeftOver = NULL;
  layout.bStretch = bStretch;
  layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
  if (lpRectClient != NULL)
    layout.rect = *lpRectClient;
  else
    ::GetClientRect(m_hWnd, &layout.rect);
  layout.hDWP = nFlags != reposQuery ? ::BeginDeferWindowPos(8) : NULL;

  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
    if (nIDC == nIDLeftOver)
      hWndLeftOver = hWndChild;
    else if (nIDC >= nIDFirst && nIDC <= nIDLast && CWnd::FromHandlePermanent(hWndChild) != NULL)
      ::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
  }

  if (nFlags == reposQuery) {
    if (lpRectParam != NULL) {
      if (bStretch)
        ::CopyRect(lpRectParam, &layout.rect);
      else
        ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
    }
    return;
  }
  if (nFlags == reposExtra && lpRectParam != NULL) {
    layout.rect.left += lpRectParam->left;
    layout.rect.top += lpRectParam->top;
    layout.rect.right -= lpRectParam->right;
    layout.rect.bottom -= lpRectParam->bottom;
  }
  if (hWndLeftOver != NULL) {
    CWnd* pLeftOver = CWnd::FromHandle(hWndLeftOver);
    pLeftOver->CalcWindowRect(&layout.rect);
    AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
  }
  if (layout.hDWP != NULL) ::EndDeferWindowPos(layout.hDWP);
}

/////////////////////////////////////////////////////////////////////////////
// Modal loop

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_nFlags & WF_CONTINUEMODAL) {
    m_nFlags &= ~WF_CONTINUEMODAL;
    ::PostMessage(m_hWnd, WM_NULL, 0, 0);  // wake the loop
  }
}

int CWnd::RunModalLoop(DWORD dwFlags) {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
  HWND hWndParent = ::GetParent(m_hWnd);
  m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
  MSG msg;
  for (;;) {
    while (bIdle && !::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
      if (bShowIdle) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
        ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
      if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!AfxPumpMessage()) {
        AfxPostQuitMessage(0);
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        return -1;
      }
      if (!ContinueModal()) {
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        return m_nModalResult;
      }
      CWinThread* pThread = AfxGetThread();
      if (pThread == NULL || pThread->IsIdleMessage(&pThread->m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE));
  }
}

/////////////////////////////////////////////////////////////////////////////
// Window classes

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass) {
  WNDCLASS wndcls;
  if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls)) return TRUE;
  return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
  LPTSTR lpszName = pState->m_szClassName;
  HINSTANCE hInst = AfxGetInstanceHandle();
  if (hCursor == NULL && hbrBackground == NULL && hIcon == NULL)
    snprintf(lpszName, sizeof(pState->m_szClassName), "Afx:%lx:%x", (unsigned long)(UINT_PTR)hInst, nClassStyle);
  else
    snprintf(lpszName, sizeof(pState->m_szClassName), "Afx:%lx:%x:%lx:%lx:%lx", (unsigned long)(UINT_PTR)hInst,
             nClassStyle, (unsigned long)(UINT_PTR)hCursor, (unsigned long)(UINT_PTR)hbrBackground,
             (unsigned long)(UINT_PTR)hIcon);
  WNDCLASS wndcls;
  if (::GetClassInfo(hInst, lpszName, &wndcls)) return lpszName;
  memset(&wndcls, 0, sizeof(wndcls));
  wndcls.style = nClassStyle;
  wndcls.lpfnWndProc = ::DefWindowProc;
  wndcls.hInstance = hInst;
  wndcls.hIcon = hIcon;
  wndcls.hCursor = hCursor;
  wndcls.hbrBackground = hbrBackground;
  wndcls.lpszClassName = lpszName;
  if (!AfxRegisterClass(&wndcls)) AfxThrowResourceException();
  return lpszName;
}

BOOL AfxDeferRegisterClass(LPCTSTR lpszClass) {
  WNDCLASS wndcls;
  memset(&wndcls, 0, sizeof(wndcls));
  wndcls.lpfnWndProc = ::DefWindowProc;
  wndcls.hInstance = AfxGetInstanceHandle();
  wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
  wndcls.lpszClassName = lpszClass;
  if (lstrcmp(lpszClass, AFX_WND) == 0) {
    wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  } else if (lstrcmp(lpszClass, AFX_WNDCONTROLBAR) == 0) {
    wndcls.style = 0;
    wndcls.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  } else if (lstrcmp(lpszClass, AFX_WNDFRAMEORVIEW) == 0 || lstrcmp(lpszClass, AFX_WNDMDIFRAME) == 0) {
    wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    if (lstrcmp(lpszClass, AFX_WNDFRAMEORVIEW) == 0) wndcls.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wndcls.hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
  } else {
    wndcls.style = CS_DBLCLKS;
  }
  return AfxRegisterClass(&wndcls);
}
