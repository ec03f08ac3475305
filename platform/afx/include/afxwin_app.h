// Threads, the application, extension libraries and the little helpers around them.
// Included by afxwin.h.
#pragma once

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

// What the framework keeps per thread that window code may look at: the message being
// handled (what Default() passes on), and the window being created.
struct _AFX_THREAD_STATE {
  MSG m_lastSentMsg = {};
  CWnd* m_pWndInit = NULL;
  HHOOK m_hHookOldCbtFilter = NULL;
  HWND m_hLockoutNotifyWindow = NULL;  // no WM_COMMAND routing to this window
};

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWinThread();
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  ~CWinThread() override;

  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                    LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);

  CWnd* m_pMainWnd;
  CWnd* m_pActiveWnd;
  BOOL m_bAutoDelete;
  HANDLE m_hThread;
  DWORD m_nThreadID;
  operator HANDLE() const { return _AfxIsNull(this) ? NULL : m_hThread; }

  int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
  BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
  DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
  DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
  }

  virtual CWnd* GetMainWnd();
  virtual BOOL InitInstance();
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL PumpMessage();
  // lCount 0: update command user interfaces; 1: free temporary objects. TRUE while
  // there is more to do.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual int ExitInstance();
  // An exception that reached the window procedure: reported, then the message's
  // failure value (-1 for WM_CREATE).
  virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
  virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
  virtual void Delete();

  // The message being processed by the loop.
  MSG m_msgCur;
  AFX_THREADPROC m_pfnThreadProc;
  LPVOID m_pThreadParams;

 protected:
  CPoint m_ptCursorLast;
  UINT m_nMsgLast;
};

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
CWinThread* AFXAPI AfxGetThread();
BOOL AFXAPI AfxPumpMessage();
void AFXAPI AfxPostQuitMessage(int nExitCode);
// While locked, the thread's temporary objects survive idle time.
void AFXAPI AfxLockTempMaps();
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

/////////////////////////////////////////////////////////////////////////////
// Command line

class CCommandLineInfo : public CObject {
 public:
  CCommandLineInfo();
  ~CCommandLineInfo() override;

  // One argument; bFlag when it began with '-' or '/' (removed), bLast for the last one.
  virtual void ParseParam(LPCTSTR lpszParam, BOOL bFlag, BOOL bLast);

  BOOL m_bShowSplash;
  BOOL m_bRunEmbedded;
  BOOL m_bRunAutomated;
  enum {
    FileNew,
    FileOpen,
    FilePrint,
    FilePrintTo,
    FileDDE,
    AppUnregister,
    FileNothing = -1
  } m_nShellCommand;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;

 protected:
  void ParseParamFlag(LPCTSTR pszParam);
  void ParseParamNotFlag(LPCTSTR pszParam);
  void ParseLast(BOOL bLast);
};

/////////////////////////////////////////////////////////////////////////////
// Recent-file list: kept in the profile, shown in the File menu.

#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList {
 public:
  CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                  int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
  virtual ~CRecentFileList();

  int GetSize() const { return m_nSize; }
  CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
  // Adds a file (made a full path) at the top; an entry for the same file moves up.
  virtual void Add(LPCTSTR lpszPathName);
  virtual void Remove(int nIndex);
  virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                              BOOL bAtLeastName = TRUE) const;
  virtual void UpdateMenu(CCmdUI* pCmdUI);
  virtual void ReadList();
  virtual void WriteList();

  int m_nSize;
  CString* m_arrNames;
  CString m_strSectionName;
  CString m_strEntryFormat;
  UINT m_nStart;
  int m_nMaxDisplayLength;
  CString m_strOriginal;  // text of the menu item before the list took its place
};

/////////////////////////////////////////////////////////////////////////////
// CWinApp

class CDocManager;

class CPrintDialog;

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  explicit CWinApp(LPCTSTR lpszAppName = NULL);
  ~CWinApp() override;

  LPCTSTR m_pszAppName;
  HINSTANCE m_hInstance;
  HINSTANCE m_hPrevInstance;
  LPTSTR m_lpCmdLine;
  int m_nCmdShow;
  LPCTSTR m_pszExeName;
  LPCTSTR m_pszHelpFilePath;
  LPCTSTR m_pszProfileName;
  LPCTSTR m_pszRegistryKey;
  BOOL m_bHelpMode;
  CRecentFileList* m_pRecentFileList;
  CDocManager* m_pDocManager;
  HGLOBAL m_hDevMode;
  HGLOBAL m_hDevNames;
  DWORD m_dwPromptContext;
  int m_nWaitCursorCount;
  HCURSOR m_hcurWaitCursorRestore;

  HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
  HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }
  HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(NULL, lpszCursorName); }
  HCURSOR LoadOEMCursor(UINT nIDCursor) const { return ::LoadCursor(NULL, MAKEINTRESOURCE(nIDCursor)); }
  HICON LoadIcon(LPCTSTR lpszResourceName) const;
  HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }
  HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(NULL, lpszIconName); }
  HICON LoadOEMIcon(UINT nIDIcon) const { return ::LoadIcon(NULL, MAKEINTRESOURCE(nIDIcon)); }

  // Settings, in the ini file m_pszProfileName (the program's name with ".INI" in the
  // Windows folder unless the program sets it).
  UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
  CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
  BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
  void SetRegistryKey(LPCTSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);

  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

  virtual BOOL InitApplication();
  BOOL InitInstance() override;
  int ExitInstance() override;
  int Run() override;
  BOOL OnIdle(LONG lCount) override;
  LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) override;
  virtual BOOL SaveAllModified();
  virtual void AddToRecentFileList(LPCTSTR lpszPathName);
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
  virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  virtual void DoWaitCursor(int nCode);
  virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
  virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                CDocTemplate* pTemplate);

  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  void CloseAllDocuments(BOOL bEndSession);
  BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
  // A DC on the selected printer; the bodies live with printing.
  BOOL CreatePrinterDC(CDC& dc);
  virtual int DoPrintDialog(CPrintDialog* pPD);
  afx_msg void OnFilePrintSetup();
  void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);

  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();
  afx_msg void OnAppExit();
  afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
  afx_msg BOOL OnOpenRecentFile(UINT nID);
  afx_msg void OnHelp();

 protected:
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void SaveStdProfileSettings();
  void EnableShellOpen() {}
  void RegisterShellFileTypes(BOOL bCompat = FALSE) {}
  void Enable3dControls() {}
  void Enable3dControlsStatic() {}
  void SetDialogBkColor(COLORREF clrCtlBk = RGB(192, 192, 192), COLORREF clrCtlText = RGB(0, 0, 0)) {}

  UINT m_nNumPreviewPages;
  BOOL m_bOwnProfileName;  // m_pszProfileName was allocated by the framework

  DECLARE_MESSAGE_MAP()
};

CWinApp* AFXAPI AfxGetApp();
CWnd* AFXAPI AfxGetMainWnd();
HINSTANCE AFXAPI AfxGetInstanceHandle();
LPCTSTR AFXAPI AfxGetAppName();
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm();

// Message boxes: through the application's DoMessageBox, captioned with its name.
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

/////////////////////////////////////////////////////////////////////////////
// Extension libraries: an extension DLL calls AfxInitExtensionModule from DllMain and
// makes a CDynLinkLibrary, which puts its resources in the program's resource chain.

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized;
  HMODULE hModule;
  HMODULE hResource;
  CRuntimeClass* pFirstSharedClass;
  void* pFirstSharedFactory;
};

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

class CDynLinkLibrary : public CCmdTarget {
  DECLARE_DYNAMIC(CDynLinkLibrary)
 public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
  CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
  ~CDynLinkLibrary() override;

  HMODULE m_hModule;
  HMODULE m_hResource;
  BOOL m_bSystem;
  CDynLinkLibrary* m_pNextDLL;
};

/////////////////////////////////////////////////////////////////////////////

class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  void Restore();
};
