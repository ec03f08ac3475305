#include "WinState.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() : m_dwRef(1) {}

DWORD CCmdTarget::InternalAddRef() { return (DWORD)::InterlockedIncrement(&m_dwRef); }

DWORD CCmdTarget::InternalRelease() {
  const long n = ::InterlockedDecrement(&m_dwRef);
  if (n == 0) OnFinalRelease();
  return (DWORD)n;
}

void CCmdTarget::OnFinalRelease() { delete this; }
CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

static bool IsCommandStyle(UINT nMsg) {
  return nMsg == WM_COMMAND || nMsg == WM_NOTIFY || nMsg == WM_COMMAND + WM_REFLECT_BASE ||
         nMsg == WM_NOTIFY + WM_REFLECT_BASE;
}

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID) {
  bool bCommand = IsCommandStyle(nMsg);
  for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfn != nullptr; ++e) {
      if (e->nMessage != nMsg) continue;
      if (!bCommand) return e;
      if (e->nCode == nCode && nID >= e->nID && nID <= e->nLastID) return e;
    }
  }
  return nullptr;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage) const {
  return AfxFindMessageEntry(GetMessageMap(), nMessage, 0, 0);
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT nMsg = 0;
  UINT nEntryCode = (UINT)nCode;
  if ((UINT)nCode != CN_UPDATE_COMMAND_UI) {
    nMsg = HIWORD((DWORD)nCode);
    nEntryCode = LOWORD((DWORD)nCode);
  }
  if (nMsg == 0) nMsg = WM_COMMAND;

  const AFX_MSGMAP_ENTRY* e = AfxFindMessageEntry(GetMessageMap(), nMsg, nEntryCode, nID);
  if (e == nullptr) return FALSE;
  if (pHandlerInfo != NULL) {
    pHandlerInfo->pTarget = this;
    pHandlerInfo->pmf = e->pfn;
    return TRUE;
  }
  AFX_MSGCALL call = {nMsg, 0, 0, nID, pExtra, 0};
  if ((UINT)nCode == CN_UPDATE_COMMAND_UI) {
    // A handler that calls ContinueRouting lets the next target update the item too.
    CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
    pCmdUI->m_bContinueRouting = FALSE;
    e->pfn(this, call);
    BOOL bResult = !pCmdUI->m_bContinueRouting;
    pCmdUI->m_bContinueRouting = FALSE;
    return bResult;
  }
  return e->pfn(this, call);
}

void CCmdTarget::BeginWaitCursor() {
  if (CWinApp* pApp = AfxGetApp()) pApp->DoWaitCursor(1);
}
void CCmdTarget::EndWaitCursor() {
  if (CWinApp* pApp = AfxGetApp()) pApp->DoWaitCursor(-1);
}
void CCmdTarget::RestoreWaitCursor() {
  if (CWinApp* pApp = AfxGetApp()) pApp->DoWaitCursor(0);
}

/////////////////////////////////////////////////////////////////////////////
// CCmdUI

CCmdUI::CCmdUI()
    : m_nID(0),
      m_nIndex(0),
      m_pMenu(NULL),
      m_pSubMenu(NULL),
      m_pParentMenu(NULL),
      m_pOther(NULL),
      m_bEnableChanged(FALSE),
      m_bContinueRouting(FALSE),
      m_nIndexMax(0) {}

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;  // a popup's own item is left alone
    m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther != NULL) {
    // Moving the focus off a control being disabled, as the dialog manager would.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      HWND hParent = ::GetParent(m_pOther->m_hWnd);
      if (hParent != NULL) ::SendMessage(hParent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther != NULL) {
    if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) m_pOther->SendMessage(BM_SETCHECK, nCheck);
  }
}

// The one check mark of radio-style menu items: a dot in a monochrome bitmap of the
// system's check-mark size, made on first use and kept for the process. The program may
// redraw it; every radio item shows the change.
static HBITMAP AfxGetRadioMarkBitmap() {
  static HBITMAP s_hbmRadio = [] {
    int cx = ::GetSystemMetrics(SM_CXMENUCHECK), cy = ::GetSystemMetrics(SM_CYMENUCHECK);
    if (cx <= 0 || cy <= 0) cx = cy = 13;
    HBITMAP hbm = ::CreateBitmap(cx, cy, 1, 1, NULL);
    HDC hDC = hbm != NULL ? ::CreateCompatibleDC(NULL) : NULL;
    if (hDC != NULL) {
      HGDIOBJ hOld = ::SelectObject(hDC, hbm);
      ::PatBlt(hDC, 0, 0, cx, cy, WHITENESS);
      HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
      HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(BLACK_BRUSH));
      ::Ellipse(hDC, cx / 2 - 3, cy / 2 - 3, cx - cx / 2 + 3, cy - cy / 2 + 3);
      ::SelectObject(hDC, hOldBrush);
      ::SelectObject(hDC, hOldPen);
      ::SelectObject(hDC, hOld);
      ::DeleteDC(hDC);
    }
    return hbm;
  }();
  return s_hbmRadio;
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;
    // The shared dot replaces the check mark; checking is then the same as SetCheck.
    ::SetMenuItemBitmaps(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION, NULL, AfxGetRadioMarkBitmap());
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_CHECKED : MF_UNCHECKED));
  } else {
    SetCheck(bOn ? 1 : 0);
  }
}

void CCmdUI::SetText(LPCTSTR lpszText) {
  if (lpszText == NULL) lpszText = "";
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;
    UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
  } else if (m_pOther != NULL) {
    CString strOld;
    m_pOther->GetWindowText(strOld);
    if (strOld != lpszText) m_pOther->SetWindowText(lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // separators, popups
  m_bEnableChanged = FALSE;
  BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info = {NULL, NULL};
    BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
    Enable(bHandler);
  }
  return bResult;
}

CTestCmdUI::CTestCmdUI() : m_bEnabled(TRUE) {}
void CTestCmdUI::Enable(BOOL bOn) {
  m_bEnabled = bOn;
  m_bEnableChanged = TRUE;
}
void CTestCmdUI::SetCheck(int) {}
void CTestCmdUI::SetRadio(BOOL) {}
void CTestCmdUI::SetText(LPCTSTR) {}
