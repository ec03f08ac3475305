#include "afxdisp.h"
#include "WinState.h"

#include <commdlg.h>

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinApp* g_afxApp = NULL;
static HINSTANCE g_hInstance = NULL;

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
  ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
  ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(lpszAppName != NULL ? _strdup(lpszAppName) : NULL),
      m_hInstance(NULL),
      m_hPrevInstance(NULL),
      m_lpCmdLine(NULL),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pszExeName(NULL),
      m_pszHelpFilePath(NULL),
      m_pszProfileName(NULL),
      m_pszRegistryKey(NULL),
      m_bHelpMode(FALSE),
      m_pRecentFileList(NULL),
      m_pDocManager(NULL),
      m_hDevMode(NULL),
      m_hDevNames(NULL),
      m_dwPromptContext(0),
      m_nWaitCursorCount(0),
      m_hcurWaitCursorRestore(NULL),
      m_nNumPreviewPages(0),
      m_bOwnProfileName(FALSE) {
  // The application is the main thread's CWinThread.
  g_afxApp = this;
  AfxGetWinThreadState()->m_pCurrentWinThread = this;
  m_nThreadID = ::GetCurrentThreadId();
  m_bAutoDelete = FALSE;
}

CWinApp::~CWinApp() {
  delete m_pDocManager;
  m_pDocManager = NULL;
  delete m_pRecentFileList;
  m_pRecentFileList = NULL;
  if (m_hDevMode != NULL) ::GlobalFree(m_hDevMode);
  if (m_hDevNames != NULL) ::GlobalFree(m_hDevNames);
  // These strings are the framework's (allocated with malloc), as the platform has it.
  free((void*)m_pszAppName);
  free((void*)m_pszExeName);
  free((void*)m_pszHelpFilePath);
  free((void*)m_pszProfileName);
  free((void*)m_pszRegistryKey);
  if (g_afxApp == this) g_afxApp = NULL;
  m_hThread = NULL;  // the main thread's handle is not ours to close
}

CWinApp* AFXAPI AfxGetApp() { return g_afxApp; }

CWnd* AFXAPI AfxGetMainWnd() {
  CWinThread* pThread = AfxGetThread();
  return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

HINSTANCE AFXAPI AfxGetInstanceHandle() {
  if (g_hInstance != NULL) return g_hInstance;
  return ::GetModuleHandle(NULL);
}

LPCTSTR AFXAPI AfxGetAppName() {
  if (g_afxApp != NULL && g_afxApp->m_pszAppName != NULL) return g_afxApp->m_pszAppName;
  return "";
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
  g_hInstance = hInstance;
  AfxSetResourceHandle(hInstance);
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL) {
    pApp->m_hInstance = hInstance;
    pApp->m_hPrevInstance = hPrevInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;

    TCHAR szPath[_MAX_PATH + 1];
    DWORD nLen = ::GetModuleFileName(hInstance, szPath, _MAX_PATH);
    szPath[nLen <= _MAX_PATH ? nLen : _MAX_PATH] = 0;
    TCHAR szTitle[_MAX_PATH];
    AfxGetFileName(szPath, szTitle, _MAX_PATH);
    // The program's name without its extension.
    if (LPTSTR pDot = strrchr(szTitle, '.')) *pDot = 0;
    if (pApp->m_pszExeName == NULL) pApp->m_pszExeName = _strdup(szTitle);
    if (pApp->m_pszAppName == NULL) {
      CString strTitle;
      if (strTitle.LoadString(AFX_IDS_APP_TITLE))
        pApp->m_pszAppName = _strdup(strTitle);
      else
        pApp->m_pszAppName = _strdup(pApp->m_pszExeName);
    }
    if (pApp->m_pszHelpFilePath == NULL) {
      CString strHelp = szPath;
      int nDot = strHelp.ReverseFind('.');
      if (nDot >= 0) strHelp = strHelp.Left(nDot);
      strHelp += ".HLP";
      pApp->m_pszHelpFilePath = _strdup(strHelp);
    }
    if (pApp->m_pszProfileName == NULL) {
      CString strIni = pApp->m_pszExeName;
      strIni += ".INI";
      pApp->m_pszProfileName = _strdup(strIni);
    }
  }
  return TRUE;
}

void AFXAPI AfxOleTerm(BOOL bJustRevoke);

void AFXAPI AfxWinTerm() {
  AfxOleTerm(FALSE);
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CMenu::DeleteTempMap();
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
  int nReturnCode = -1;
  CWinThread* pThread = AfxGetThread();
  CWinApp* pApp = AfxGetApp();
  if (pThread == NULL || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)) {
    AfxWinTerm();
    return nReturnCode;
  }
  if (pApp != NULL && !pApp->InitApplication()) {
    AfxWinTerm();
    return nReturnCode;
  }
  if (!pThread->InitInstance()) {
    if (pThread->m_pMainWnd != NULL) pThread->m_pMainWnd->DestroyWindow();
    nReturnCode = pThread->ExitInstance();
  } else {
    nReturnCode = pThread->Run();
  }
  AfxWinTerm();
  return nReturnCode;
}

BOOL CWinApp::InitApplication() {
  if (m_pDocManager == NULL) m_pDocManager = new CDocManager;
  return TRUE;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
  SaveStdProfileSettings();
  return (int)m_msgCur.wParam;
}

int CWinApp::Run() {
  // Nothing to run, unless the program waits for other programs to ask for objects.
  if (m_pMainWnd == NULL && AfxOleGetUserCtrl()) AfxPostQuitMessage(0);
  return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    CWinThread::OnIdle(lCount);
  } else if (lCount == 1) {
    CWinThread::OnIdle(lCount);
  }
  return lCount < 1;
}

LRESULT CWinApp::ProcessWndProcException(CException* e, const MSG* pMsg) {
  return CWinThread::ProcessWndProcException(e, pMsg);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
  return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
  return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

/////////////////////////////////////////////////////////////////////////////
// Profile

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
  return CIniProfile(m_pszProfileName).GetInt(lpszSection, lpszEntry, nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
  return CIniProfile(m_pszProfileName).WriteInt(lpszSection, lpszEntry, nValue);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
  return CIniProfile(m_pszProfileName).GetString(lpszSection, lpszEntry, lpszDefault);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
  return CIniProfile(m_pszProfileName).WriteString(lpszSection, lpszEntry, lpszValue);
}

// Binary values in an ini file: two letters 'A'..'P' per byte, low nibble first.
BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  *ppData = NULL;
  *pBytes = 0;
  CString str = GetProfileString(lpszSection, lpszEntry, NULL);
  if (str.IsEmpty()) return FALSE;
  int nLen = str.GetLength();
  UINT nBytes = (UINT)(nLen / 2);
  for (UINT i = 0; i < nBytes * 2; i++) {
    if (str[i] < 'A' || str[i] > 'P') return FALSE;  // not a value we wrote
  }
  *ppData = new BYTE[nBytes == 0 ? 1 : nBytes];
  for (UINT i = 0; i < nBytes; i++)
    (*ppData)[i] = (BYTE)(((str[i * 2 + 1] - 'A') << 4) + (str[i * 2] - 'A'));
  *pBytes = nBytes;
  return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  CString str;
  LPTSTR lpsz = str.GetBufferSetLength((int)(nBytes * 2));
  for (UINT i = 0; i < nBytes; i++) {
    lpsz[i * 2] = (TCHAR)((pData[i] & 0x0F) + 'A');
    lpsz[i * 2 + 1] = (TCHAR)(((pData[i] >> 4) & 0x0F) + 'A');
  }
  str.ReleaseBuffer((int)(nBytes * 2));
  return WriteProfileString(lpszSection, lpszEntry, str);
}

// Settings stay in the ini file: the suite keeps none in the registry.
void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
  free((void*)m_pszRegistryKey);
  m_pszRegistryKey = lpszRegistryKey != NULL ? _strdup(lpszRegistryKey) : NULL;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  CString str;
  str.LoadString(nIDRegistryKey);
  SetRegistryKey(str);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  if (nMaxMRU > 16) nMaxMRU = 16;  // the menu has ids for 16
  if (nMaxMRU != 0) {
    delete m_pRecentFileList;
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", (int)nMaxMRU);
    m_pRecentFileList->ReadList();
  }
  m_nNumPreviewPages = GetProfileInt("Settings", "PreviewPages", 0);
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList != NULL) m_pRecentFileList->WriteList();
  if (m_nNumPreviewPages != 0) WriteProfileInt("Settings", "PreviewPages", (int)m_nNumPreviewPages);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
  if (m_pRecentFileList != NULL) m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (m_pRecentFileList == NULL)
    pCmdUI->Enable(FALSE);
  else
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
  if (m_pRecentFileList == NULL) return FALSE;
  int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
  if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize()) return FALSE;
  if ((*m_pRecentFileList)[nIndex].IsEmpty()) return TRUE;
  if (OpenDocumentFile((*m_pRecentFileList)[nIndex]) == NULL) m_pRecentFileList->Remove(nIndex);
  return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Documents

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  if (m_pDocManager == NULL) m_pDocManager = new CDocManager;
  m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
  return m_pDocManager != NULL ? m_pDocManager->GetFirstDocTemplatePosition() : NULL;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const { return m_pDocManager->GetNextDocTemplate(pos); }

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  return m_pDocManager != NULL ? m_pDocManager->OpenDocumentFile(lpszFileName) : NULL;
}

BOOL CWinApp::SaveAllModified() {
  return m_pDocManager == NULL || m_pDocManager->SaveAllModified();
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  if (m_pDocManager != NULL) m_pDocManager->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew() {
  if (m_pDocManager != NULL) m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen() {
  if (m_pDocManager != NULL) m_pDocManager->OnFileOpen();
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate) {
  if (m_pDocManager == NULL) m_pDocManager = new CDocManager;
  return m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

void CWinApp::OnAppExit() {
  if (m_pMainWnd != NULL) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnHelp() {}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  CWnd* pMainWnd = AfxGetMainWnd();
  if (pMainWnd != NULL && m_pszHelpFilePath != NULL) ::WinHelp(pMainWnd->m_hWnd, m_pszHelpFilePath, nCmd, dwData);
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg) {
  if (m_hDevNames == NULL) {
    PRINTDLG pd;
    memset(&pd, 0, sizeof(pd));
    pd.lStructSize = sizeof(pd);
    pd.Flags = PD_RETURNDEFAULT;
    if (!::PrintDlg(&pd)) return FALSE;
    m_hDevMode = pd.hDevMode;
    m_hDevNames = pd.hDevNames;
  }
  pPrintDlg->hDevNames = m_hDevNames;
  pPrintDlg->hDevMode = m_hDevMode;
  return TRUE;
}

void CWinApp::SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld) {
  if (bFreeOld) {
    if (m_hDevMode != NULL && m_hDevMode != hDevMode) ::GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL && m_hDevNames != hDevNames) ::GlobalFree(m_hDevNames);
  }
  m_hDevMode = hDevMode;
  m_hDevNames = hDevNames;
}

/////////////////////////////////////////////////////////////////////////////
// Message boxes and the wait cursor

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
  HWND hWndTop = NULL;
  CWnd* pWnd = CWnd::GetSafeOwner(NULL, &hWndTop);
  if ((nType & MB_ICONMASK) == 0) {
    switch (nType & MB_TYPEMASK) {
      case MB_OK:
      case MB_OKCANCEL:
      case MB_YESNO:
      case MB_YESNOCANCEL:
        nType |= MB_ICONEXCLAMATION;
        break;
    }
  }
  int nResult = ::MessageBox(pWnd->GetSafeHwnd(), lpszPrompt, AfxGetAppName(), nType);
  if (hWndTop != NULL) ::EnableWindow(hWndTop, TRUE);
  return nResult;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
  if (CWinApp* pApp = AfxGetApp()) return pApp->DoMessageBox(lpszText, nType, nIDHelp);
  return ::MessageBox(NULL, lpszText, "", nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString string;
  string.LoadString(nIDPrompt);
  if (nIDHelp == (UINT)-1) nIDHelp = nIDPrompt;
  return AfxMessageBox(string, nType, nIDHelp);
}

static int AFXAPI AfxMessageBoxForCore(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
  return AfxMessageBox(lpszText, nType, nIDHelp);
}

// Exceptions report through the application from the moment the library is loaded.
static struct AfxInstallMessageBox {
  AfxInstallMessageBox() { AfxSetMessageBoxProc(AfxMessageBoxForCore); }
} g_installMessageBox;

void CWinApp::DoWaitCursor(int nCode) {
  m_nWaitCursorCount += nCode;
  if (m_nWaitCursorCount > 0) {
    HCURSOR hcurPrev = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    if (nCode > 0 && m_nWaitCursorCount == 1) m_hcurWaitCursorRestore = hcurPrev;
  } else {
    m_nWaitCursorCount = 0;
    ::SetCursor(m_hcurWaitCursorRestore);
  }
}

CWaitCursor::CWaitCursor() {
  if (CWinApp* pApp = AfxGetApp()) pApp->BeginWaitCursor();
}

CWaitCursor::~CWaitCursor() {
  if (CWinApp* pApp = AfxGetApp()) pApp->EndWaitCursor();
}

void CWaitCursor::Restore() {
  if (CWinApp* pApp = AfxGetApp()) pApp->RestoreWaitCursor();
}

/////////////////////////////////////////////////////////////////////////////
// The library's own entry for programs: they write no WinMain.

extern "C" __declspec(dllexport) int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
