#include "WinState.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
    : m_pMainWnd(NULL),
      m_pActiveWnd(NULL),
      m_bAutoDelete(TRUE),
      m_hThread(NULL),
      m_nThreadID(0),
      m_msgCur(),
      m_pfnThreadProc(NULL),
      m_pThreadParams(NULL),
      m_nMsgLast(0) {}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread() {
  m_pfnThreadProc = pfnThreadProc;
  m_pThreadParams = pParam;
}

CWinThread::~CWinThread() {
  if (m_hThread != NULL) ::CloseHandle(m_hThread);
  AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
  if (pState->m_pCurrentWinThread == this) pState->m_pCurrentWinThread = NULL;
}

CWinThread* AFXAPI AfxGetThread() { return AfxGetWinThreadState()->m_pCurrentWinThread; }

void AFXAPI AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }

static void DeleteAllTemps() {
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CMenu::DeleteTempMap();
}

void AFXAPI AfxLockTempMaps() { ++AfxGetWinThreadState()->m_nTempMapLock; }

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps) {
  AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
  if (pState->m_nTempMapLock != 0 && --pState->m_nTempMapLock == 0) {
    if (bDeleteTemps) DeleteAllTemps();
    return TRUE;
  }
  return pState->m_nTempMapLock == 0;
}

// The thread's entry: startup data handed over by CreateThread.
struct AFX_THREAD_STARTUP {
  CWinThread* pThread;
};

static UINT RunThread(CWinThread* pThread) {
  AfxGetWinThreadState()->m_pCurrentWinThread = pThread;
  // A thread without a main window of its own reports to the application's.
  CWnd threadWnd;
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL && pThread->m_pMainWnd == NULL && pApp->m_pMainWnd->GetSafeHwnd() != NULL) {
    threadWnd.Attach(pApp->m_pMainWnd->m_hWnd);
    pThread->m_pMainWnd = &threadWnd;
  }
  struct Restore {
    CWinThread* pThread;
    CWnd* pWnd;
    ~Restore() {
      if (pWnd->m_hWnd == NULL) return;
      if (pThread->m_pMainWnd == pWnd) pThread->m_pMainWnd = NULL;
      pWnd->Detach();
    }
  } restore = {pThread, &threadWnd};
  UINT nResult;
  if (pThread->m_pfnThreadProc != NULL) {
    nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
  } else if (!pThread->InitInstance()) {
    nResult = (UINT)pThread->ExitInstance();
  } else {
    nResult = (UINT)pThread->Run();
  }
  return nResult;
}

static void TermThread(BOOL bDelete) {
  AFX_WIN_THREAD_STATE* pState = AfxGetWinThreadState();
  CWinThread* pThread = pState->m_pCurrentWinThread;
  pState->m_pCurrentWinThread = NULL;
  if (pThread != NULL && bDelete) pThread->Delete();
  DeleteAllTemps();
}

static unsigned __stdcall AfxThreadEntry(void* pParam) {
  CWinThread* pThread = static_cast<CWinThread*>(pParam);
  UINT nResult = 0;
  try {
    nResult = RunThread(pThread);
  } catch (CException* e) {
    e->Delete();
    nResult = (UINT)-1;
  } catch (...) {
    nResult = (UINT)-1;
  }
  TermThread(TRUE);
  return nResult;
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete) {
  TermThread(bDelete);
  _endthreadex(nExitCode);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  unsigned nThreadID = 0;
  // Started suspended so that m_hThread is set before the thread can delete itself.
  HANDLE hThread = (HANDLE)_beginthreadex(lpSecurityAttrs, nStackSize, AfxThreadEntry, this,
                                          dwCreateFlags | CREATE_SUSPENDED, &nThreadID);
  if (hThread == NULL) return FALSE;
  m_hThread = hThread;
  m_nThreadID = nThreadID;
  if (!(dwCreateFlags & CREATE_SUSPENDED)) ::ResumeThread(hThread);
  return TRUE;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
  if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    pThread->Delete();
    return NULL;
  }
  pThread->SetThreadPriority(nPriority);
  if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
  return pThread;
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  CObject* pObject = pThreadClass->CreateObject();
  CWinThread* pThread = dynamic_cast<CWinThread*>(pObject);
  if (pThread == NULL) {
    delete pObject;
    return NULL;
  }
  if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    pThread->Delete();
    return NULL;
  }
  pThread->SetThreadPriority(nPriority);
  if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
  return pThread;
}

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
}

CWnd* CWinThread::GetMainWnd() {
  if (m_pActiveWnd != NULL) return m_pActiveWnd;
  return m_pMainWnd;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return (int)m_msgCur.wParam; }

int CWinThread::Run() {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  for (;;) {
    while (bIdle && !::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWinThread::PumpMessage() {
  if (!::GetMessage(&m_msgCur, NULL, 0, 0)) return FALSE;
  if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessage(&m_msgCur);
  }
  return TRUE;
}

BOOL AFXAPI AfxPumpMessage() {
  if (CWinThread* pThread = AfxGetThread()) return pThread->PumpMessage();
  MSG msg;
  if (!::GetMessage(&msg, NULL, 0, 0)) return FALSE;
  ::TranslateMessage(&msg);
  ::DispatchMessage(&msg);
  return TRUE;
}

// The window's and then each parent's PreTranslateMessage, up to hWndStop.
static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (hWnd == hWndStop) break;
  }
  return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == NULL) {
    // Thread messages go to ON_THREAD_MESSAGE entries.
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(pMsg->message);
    if (e != nullptr) {
      AFX_MSGCALL call = {pMsg->message, pMsg->wParam, pMsg->lParam, 0, NULL, 0};
      e->pfn(this, call);
      return TRUE;
    }
  }
  CWnd* pMainWnd = GetMainWnd();
  if (WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg)) return TRUE;
  // A modeless window outside the main window still gets the main window's accelerators.
  if (pMainWnd != NULL && pMsg->hwnd != NULL) {
    HWND hWndTop = pMsg->hwnd;
    while ((::GetWindowLong(hWndTop, GWL_STYLE) & WS_CHILD) && ::GetParent(hWndTop) != NULL) hWndTop = ::GetParent(hWndTop);
    if (hWndTop != pMainWnd->m_hWnd) return pMainWnd->PreTranslateMessage(pMsg);
  }
  return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    CWnd* pMainWnd = m_pMainWnd;
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMainWnd->IsWindowVisible()) {
      AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
      pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
  } else if (lCount == 1) {
    if (AfxGetWinThreadState()->m_nTempMapLock == 0) DeleteAllTemps();
  }
  return lCount < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    // Only a real move starts idle processing again.
    if (m_ptCursorLast == pMsg->pt && pMsg->message == m_nMsgLast) return FALSE;
    m_ptCursorLast = pMsg->pt;
    m_nMsgLast = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;  // WM_SYSTIMER (caret blink)
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg) {
  LRESULT lResult = 0;
  UINT nIDP = AFX_IDP_INTERNAL_FAILURE;
  if (pMsg->message == WM_CREATE) {
    lResult = -1;
  } else if (pMsg->message == WM_PAINT) {
    ::ValidateRect(pMsg->hwnd, NULL);  // or the paint would come back at once
  } else if (pMsg->message == WM_COMMAND) {
    if ((HWND)pMsg->lParam == NULL) nIDP = AFX_IDP_COMMAND_FAILURE;
    lResult = TRUE;
  }
  if (e->IsKindOf(RUNTIME_CLASS(CMemoryException)))
    e->ReportError(MB_ICONEXCLAMATION | MB_SYSTEMMODAL, nIDP);
  else if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
    e->ReportError(MB_ICONSTOP, nIDP);
  return lResult;
}

BOOL CWinThread::ProcessMessageFilter(int, LPMSG lpMsg) {
  return lpMsg != NULL && PreTranslateMessage(lpMsg);
}
