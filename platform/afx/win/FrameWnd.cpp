#include "WinState.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

// The string table entry of a system command.
#define ID_COMMAND_FROM_SC(sc) ((((sc)-0xF000) >> 4) + AFX_IDS_SCFIRST)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_SETFOCUS()
  ON_WM_ACTIVATE()
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_WM_ENTERIDLE()
  ON_WM_DROPFILES()
  ON_WM_QUERYENDSESSION()
  ON_WM_ENDSESSION()
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
  ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE),
      m_bInRecalcLayout(FALSE),
      m_nWindow(-1),
      m_hMenuDefault(NULL),
      m_hAccelTable(NULL),
      m_dwPromptContext(0),
      m_bHelpMode(FALSE),
      m_pNextFrameWnd(NULL),
      m_nShowDelay(-1),
      m_nIDHelp(0),
      m_nIDTracking(0),
      m_nIDLastMessage(0),
      m_pViewActive(NULL),
      m_cModalStack(0),
      m_phWndDisable(NULL),
      m_nIdleFlags(0) {}

CFrameWnd::~CFrameWnd() {
  if (m_phWndDisable != NULL) delete[] m_phWndDisable;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) {
    if (!AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW)) return FALSE;
    cs.lpszClass = AFX_WNDFRAMEORVIEW;
  }
  if (cs.style & FWS_ADDTOTITLE) cs.style |= FWS_PREFIXTITLE;
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU hMenu = NULL;
  if (lpszMenuName != NULL) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, RT_MENU);
    if ((hMenu = ::LoadMenu(hInst, lpszMenuName)) == NULL) {
      PostNcDestroy();
      return FALSE;
    }
  }
  m_strTitle = lpszWindowName;
  // rectDefault lets the system place and size the window.
  bool bDefault = ::EqualRect(&rect, &rectDefault) != 0;
  int x = rect.left, y = rect.top;
  int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
  int cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, pParentWnd->GetSafeHwnd(), hMenu,
                (LPVOID)pContext)) {
    if (hMenu != NULL) ::DestroyMenu(hMenu);
    return FALSE;
  }
  return TRUE;
}

LPCTSTR CFrameWnd::GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource) {
  HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON);
  HICON hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(nIDResource));
  if (hIcon != NULL) {
    CREATESTRUCT cs;
    memset(&cs, 0, sizeof(cs));
    cs.style = dwDefaultStyle;
    PreCreateWindow(cs);
    WNDCLASS wndcls;
    if (cs.lpszClass != NULL && ::GetClassInfo(AfxGetInstanceHandle(), cs.lpszClass, &wndcls) && wndcls.hIcon != hIcon) {
      // The same class with this program's icon.
      return AfxRegisterWndClass(wndcls.style, wndcls.hCursor, wndcls.hbrBackground, hIcon);
    }
  }
  return NULL;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
  if (m_hAccelTable != NULL) return FALSE;
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
  m_hAccelTable = ::LoadAccelerators(hInst, lpszResourceName);
  return m_hAccelTable != NULL;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString strFullString;
  if (strFullString.LoadString(nIDResource)) AfxExtractSubString(m_strTitle, strFullString, 0);
  if (!AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW)) return FALSE;
  LPCTSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
  CString strTitle = m_strTitle;
  if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCE(nIDResource), 0L, pContext))
    return FALSE;  // the frame has deleted itself
  m_hMenuDefault = ::GetMenu(m_hWnd);
  LoadAccelTable(MAKEINTRESOURCE(nIDResource));
  if (pContext == NULL) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  return OnCreateHelper(lpcs, pContext);
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  if (!OnCreateClient(lpcs, pContext)) return -1;
  PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext != NULL && pContext->m_pNewViewClass != NULL) {
    if (CreateView(pContext, AFX_IDW_PANE_FIRST) == NULL) return FALSE;
  }
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  CObject* pObject = pContext->m_pNewViewClass->CreateObject();
  CWnd* pView = dynamic_cast<CWnd*>(pObject);
  if (pView == NULL) {
    delete pObject;
    return NULL;
  }
  // A view that fails deletes itself in PostNcDestroy.
  if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext)) return NULL;
  // The view draws the sunken edge; the frame need not.
  if (pView->GetExStyle() & WS_EX_CLIENTEDGE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  return pView;
}

void CFrameWnd::OnDestroy() {
  if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault) ::SetMenu(m_hWnd, m_hMenuDefault);
  CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy() { delete this; }

CDocument* CFrameWnd::GetActiveDocument() {
  CView* pView = GetActiveView();
  return pView != NULL ? pView->GetDocument() : NULL;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* pViewOld = m_pViewActive;
  if (pViewNew == pViewOld) return;
  m_pViewActive = NULL;
  if (pViewOld != NULL) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
  if (m_pViewActive != NULL) return;  // the old view moved activation itself
  m_pViewActive = pViewNew;
  if (pViewNew != NULL && bNotify) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::RecalcLayout(BOOL) {
  if (m_bInRecalcLayout) return;
  m_bInRecalcLayout = TRUE;
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
  if (m_pViewActive != NULL) return TRUE;  // the view paints all of it
  return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive != NULL)
    m_pViewActive->SetFocus();
  else
    CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CWnd::OnActivate(nState, pWndOther, bMinimized);
  if (m_pViewActive != NULL) m_pViewActive->OnActivateFrame(nState, this);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) {
    if (!IsWindowVisible())
      nCmdShow = SW_SHOWNORMAL;
    else if (IsIconic())
      nCmdShow = SW_RESTORE;
  }
  if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE && nCmdShow != SW_SHOWNA &&
      nCmdShow != SW_SHOWNOACTIVATE)
    ::BringWindowToTop(m_hWnd);
  if (nCmdShow != -1) ShowWindow(nCmdShow);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  CView* pView = NULL;
  if (GetActiveView() == NULL) {
    CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
      pView = static_cast<CView*>(pWnd);
      SetActiveView(pView, FALSE);
    }
  }
  if (bMakeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (pView != NULL) pView->OnActivateFrame(WA_INACTIVE, this);
    int nCmdShow = -1;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
      nCmdShow = pApp->m_nCmdShow;  // the show command of the program's start, once
      pApp->m_nCmdShow = -1;
    }
    ActivateFrame(nCmdShow);
    if (pView != NULL) pView->OnActivateView(TRUE, pView, pView);
  }
  if (pDoc != NULL) pDoc->UpdateFrameCounts();
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
  CDocument* pDocument = GetActiveDocument();
  if (bAddToTitle && pDocument != NULL)
    UpdateFrameTitleForDocument(pDocument->GetTitle());
  else
    UpdateFrameTitleForDocument(NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
  CString strText;
  if (GetStyle() & FWS_PREFIXTITLE) {
    if (lpszDocName != NULL) {
      strText = lpszDocName;
      if (m_nWindow > 0) {
        CString strNum;
        strNum.Format(":%d", m_nWindow);
        strText += strNum;
      }
      strText += " - ";
    }
    strText += m_strTitle;
  } else {
    strText = m_strTitle;
    if (lpszDocName != NULL) {
      strText += " - ";
      strText += lpszDocName;
      if (m_nWindow > 0) {
        CString strNum;
        strNum.Format(":%d", m_nWindow);
        strText += strNum;
      }
    }
  }
  CString strOld;
  GetWindowText(strOld);
  if (strOld != strText) SetWindowText(strText);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The active view (and through it the document) first, then the frame, then the application.
  CView* pView = GetActiveView();
  if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return FALSE;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) { return CWnd::OnCommand(wParam, lParam); }

HACCEL CFrameWnd::GetDefaultAccelerator() {
  HACCEL hAccelTable = m_hAccelTable;
  CDocument* pDoc = GetActiveDocument();
  if (pDoc != NULL) {
    HACCEL hAccel = pDoc->GetDefaultAccel();
    if (hAccel != NULL) hAccelTable = hAccel;
  }
  return hAccelTable;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    HACCEL hAccel = GetDefaultAccelerator();
    return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
  }
  return FALSE;
}

void CFrameWnd::OnClose() {
  CDocument* pDocument = GetActiveDocument();
  if (pDocument != NULL && !pDocument->CanCloseFrame(this)) return;
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL && pApp->m_pMainWnd == this) {
    if (pDocument == NULL && !pApp->SaveAllModified()) return;
    pApp->CloseAllDocuments(FALSE);
    // Closing the documents may have destroyed this window already.
    if (pApp->m_pMainWnd == NULL) {
      AfxPostQuitMessage(0);
      return;
    }
  }
  if (pDocument != NULL && pDocument->m_bAutoDelete) {
    // The last frame of its document closes the document (which destroys this frame).
    BOOL bOtherFrame = FALSE;
    POSITION pos = pDocument->GetFirstViewPosition();
    while (pos != NULL) {
      CView* pView = pDocument->GetNextView(pos);
      if (pView->GetParentFrame() != this) {
        bOtherFrame = TRUE;
        break;
      }
    }
    if (!bOtherFrame) {
      pDocument->OnCloseDocument();
      return;
    }
    pDocument->PreCloseFrame(this);
  }
  DestroyWindow();
}

BOOL CFrameWnd::OnQueryEndSession() {
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL && pApp->m_pMainWnd == this) return pApp->SaveAllModified();
  return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding) {
  if (!bEnding) return;
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL && pApp->m_pMainWnd == this) {
    pApp->CloseAllDocuments(TRUE);
    pApp->ExitInstance();
  }
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo) {
  SetActiveWindow();
  UINT nFiles = ::DragQueryFile(hDropInfo, (UINT)-1, NULL, 0);
  CWinApp* pApp = AfxGetApp();
  for (UINT iFile = 0; iFile < nFiles && pApp != NULL; iFile++) {
    TCHAR szFileName[_MAX_PATH];
    if (::DragQueryFile(hDropInfo, iFile, szFileName, _MAX_PATH) == 0) continue;
    pApp->OpenDocumentFile(szFileName);
  }
  ::DragFinish(hDropInfo);
}

/////////////////////////////////////////////////////////////////////////////
// Menus and prompts

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu) {
  if (bSysMenu) return;
  CCmdUI state;
  state.m_pMenu = pMenu;
  state.m_nIndexMax = pMenu->GetMenuItemCount();
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
    state.m_nID = pMenu->GetMenuItemID(state.m_nIndex);
    if (state.m_nID == 0) continue;  // separator
    if (state.m_nID == (UINT)-1) {
      // A popup: updated through its first item, never disabled for want of a handler.
      state.m_pSubMenu = pMenu->GetSubMenu(state.m_nIndex);
      if (state.m_pSubMenu == NULL || (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 ||
          state.m_nID == (UINT)-1)
        continue;
      state.DoUpdate(this, FALSE);
    } else {
      state.m_pSubMenu = NULL;
      state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    }
    // Handlers may add or remove items (the recent-file list does).
    UINT nCount = pMenu->GetMenuItemCount();
    if (nCount < state.m_nIndexMax) {
      state.m_nIndex -= (state.m_nIndexMax - nCount);
      while (state.m_nIndex < nCount && pMenu->GetMenuItemID(state.m_nIndex) == state.m_nID) state.m_nIndex++;
    }
    state.m_nIndexMax = nCount;
  }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU) {
  CFrameWnd* pFrameWnd = GetTopLevelFrame();
  if (pFrameWnd == NULL) pFrameWnd = this;
  if (nFlags == 0xFFFF) {
    // The menu closed: back to the idle prompt.
    m_nFlags &= ~WF_NOPOPMSG;
    m_nIDTracking = pFrameWnd->m_bHelpMode ? AFX_IDS_HELPMODEMESSAGE : AFX_IDS_IDLEMESSAGE;
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
    CWnd* pWnd = GetMessageBar();
    if (pWnd != NULL) pWnd->UpdateWindow();
  } else {
    if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
      m_nIDTracking = 0;
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
      m_nIDTracking = ID_COMMAND_FROM_SC(nItemID);
    else if (nItemID >= AFX_IDM_FIRST_MDICHILD)
      m_nIDTracking = AFX_IDS_MDICHILD;
    else
      m_nIDTracking = nItemID;
    pFrameWnd->m_nFlags |= WF_NOPOPMSG;
  }
  if (m_nIDTracking != m_nIDLastMessage && GetParent() != NULL) PostMessage(WM_KICKIDLE);
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho) {
  CWnd::OnEnterIdle(nWhy, pWho);
  if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage) return;
  SetMessageText(m_nIDTracking);
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  CString strFull;
  if (strFull.LoadString(nID))
    AfxExtractSubString(rMessage, strFull, 0);  // the prompt, before the tool tip
  else
    rMessage.Empty();
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  UINT nIDLast = m_nIDLastMessage;
  m_nFlags &= ~WF_NOPOPMSG;
  CWnd* pMessageBar = GetMessageBar();
  if (pMessageBar != NULL) {
    CString strMessage;
    LPCTSTR lpsz = NULL;
    if (lParam != 0) {
      lpsz = reinterpret_cast<LPCTSTR>(lParam);
    } else if (wParam != 0) {
      GetMessageString((UINT)wParam, strMessage);
      lpsz = strMessage;
    }
    pMessageBar->SetWindowText(lpsz);
    CFrameWnd* pFrameWnd = pMessageBar->GetParentFrame();
    if (pFrameWnd != NULL) {
      pFrameWnd->m_nIDLastMessage = (UINT)wParam;
      pFrameWnd->m_nIDTracking = (UINT)wParam;
    }
  }
  m_nIDLastMessage = (UINT)wParam;
  m_nIDTracking = (UINT)wParam;
  return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
  if (m_nFlags & WF_NOPOPMSG) return 0;
  return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText); }

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID); }

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (m_nIdleFlags & idleTitle) OnUpdateFrameTitle(TRUE);
  if (m_nIdleFlags & idleLayout) RecalcLayout((m_nIdleFlags & idleNotify) != 0);
  m_nIdleFlags = 0;
  return 0;
}

void CFrameWnd::BeginModalState() {
  if (m_cModalStack++ == 0) EnableWindow(FALSE);
}

void CFrameWnd::EndModalState() {
  if (m_cModalStack == 0) return;
  if (--m_cModalStack == 0) EnableWindow(TRUE);
}

void CFrameWnd::ShowOwnedWindows(BOOL bShow) { ShowOwnedPopups(bShow); }
