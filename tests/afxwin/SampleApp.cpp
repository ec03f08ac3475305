#include "SampleApp.h"

int CSampleDoc::s_nLive = 0;

IMPLEMENT_DYNCREATE(CSampleDoc, CDocument)

BEGIN_MESSAGE_MAP(CSampleDoc, CDocument)
  ON_COMMAND(ID_DOC_CMD, OnDocCmd)
  ON_COMMAND(ID_SHARED_CMD, OnSharedCmd)
  ON_COMMAND(ID_VIEW_CMD, OnDocCmd)  // never reached: the view handles it first
END_MESSAGE_MAP()

CSampleDoc::CSampleDoc() { ++s_nLive; }
CSampleDoc::~CSampleDoc() { --s_nLive; }

void CSampleDoc::DeleteContents() {
  m_strText.Empty();
  m_nValue = 0;
}

void CSampleDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_strText;
    if (m_bFailStore) {
      m_bFailStore = FALSE;
      ar.Flush();
      AfxThrowFileException(CFileException::diskFull);
    }
    ar << (LONG)m_nValue;
  } else {
    LONG nValue;
    ar >> m_strText >> nValue;
    m_nValue = (int)nValue;
  }
}

IMPLEMENT_DYNCREATE(CSampleView, CScrollView)

BEGIN_MESSAGE_MAP(CSampleView, CScrollView)
  ON_COMMAND(ID_VIEW_CMD, OnViewCmd)
  ON_COMMAND(ID_CHECK_CMD, OnCheckCmd)
  ON_UPDATE_COMMAND_UI(ID_CHECK_CMD, OnUpdateCheckCmd)
  ON_COMMAND_EX(ID_SHARED_CMD, OnSharedCmd)
  ON_WM_TIMER()
END_MESSAGE_MAP()

void CSampleView::OnInitialUpdate() {
  SetScrollSizes(MM_TEXT, CSize(2000, 1500));
  CScrollView::OnInitialUpdate();
}

void CSampleView::OnDraw(CDC* pDC) {
  // A red square at logical (100, 100), 100 units wide.
  pDC->FillSolidRect(100, 100, 100, 100, RGB(255, 0, 0));
}

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
  if (!m_wndStatus.Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, AFX_IDW_STATUS_BAR)) return -1;
  return 0;
}

void CSampleCommandLineInfo::ParseParam(LPCTSTR lpszParam, BOOL bFlag, BOOL bLast) {
  if (bFlag && lstrcmpi(lpszParam, "selftest") == 0) {
    m_bSelfTest = TRUE;
    ParseLast(bLast);
    return;
  }
  CCommandLineInfo::ParseParam(lpszParam, bFlag, bLast);
}

BEGIN_MESSAGE_MAP(CSampleApp, CTestApp)
  ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
  ON_COMMAND(ID_APP_CMD, OnAppCmd)
END_MESSAGE_MAP()

BOOL CSampleApp::InitInstance() {
  LoadStdProfileSettings(4);
  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CSampleDoc), RUNTIME_CLASS(CMainFrame),
                                        RUNTIME_CLASS(CSampleView)));
  CSampleCommandLineInfo cmdInfo;
  if (m_bParseCommandLine) ParseCommandLine(cmdInfo);
  if (!ProcessShellCommand(cmdInfo)) return FALSE;
  // The self-test run sends itself a command and closes as soon as its loop runs.
  m_bSelfTest = cmdInfo.m_bSelfTest;
  if (m_bSelfTest) {
    m_pMainWnd->PostMessage(WM_COMMAND, ID_APP_CMD);
    m_pMainWnd->PostMessage(WM_CLOSE);
  }
  return TRUE;
}

int CSampleApp::ExitInstance() {
  int nResult = CTestApp::ExitInstance();
  // The self-test passes when its command went round the loop and the routing.
  if (m_bSelfTest) return m_nAppCmd == 1 && m_messages.empty() ? nResult : 2;
  return nResult;
}

BOOL CSampleApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD, BOOL, CDocTemplate*) {
  m_strPromptProposed = fileName;
  m_nPromptTitle = nIDSTitle;
  if (m_strPromptAnswer.IsEmpty()) return FALSE;
  fileName = m_strPromptAnswer;
  return TRUE;
}
