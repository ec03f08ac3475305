// OLE start-up and end for the program, and the lock that keeps a server alive while
// other programs hold its objects.
#include "afxdisp.h"

namespace {
BOOL s_bOleInit = FALSE;
LONG s_nObjectCount = 0;
BOOL s_bUserCtrl = TRUE;
}  // namespace

BOOL AFXAPI AfxOleInit() {
  if (s_bOleInit) return TRUE;
  if (FAILED(::OleInitialize(NULL))) return FALSE;
  s_bOleInit = TRUE;
  return TRUE;
}

void AFXAPI AfxOleTerm(BOOL bJustRevoke) {
  if (!s_bOleInit) return;
  // Our data left on the clipboard must outlive us as plain data.
  COleDataSource::FlushClipboard();
  if (bJustRevoke) return;
  s_bOleInit = FALSE;
  ::OleUninitialize();
}

void AFXAPI AfxEnableControlContainer() {}

void AFXAPI AfxOleLockApp() { ::InterlockedIncrement(&s_nObjectCount); }

void AFXAPI AfxOleUnlockApp() {
  if (::InterlockedDecrement(&s_nObjectCount) != 0) return;
  // The last object another program held is gone: a server nobody sees ends.
  CWinApp* pApp = AfxGetApp();
  CWnd* pMain = pApp ? pApp->m_pMainWnd : NULL;
  if (AfxOleCanExitApp() && !s_bUserCtrl && pMain != NULL && ::IsWindow(pMain->m_hWnd) && !::IsWindowVisible(pMain->m_hWnd))
    pMain->PostMessage(WM_CLOSE);
}

BOOL AFXAPI AfxOleCanExitApp() { return s_nObjectCount == 0; }

LONG AFXAPI AfxOleGetLockCount() { return s_nObjectCount; }

void AFXAPI AfxOleSetUserCtrl(BOOL bUserCtrl) { s_bUserCtrl = bUserCtrl; }
BOOL AFXAPI AfxOleGetUserCtrl() { return s_bUserCtrl; }
