#include "WinState.h"

#include <cstdlib>

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew) {}

CCommandLineInfo::~CCommandLineInfo() {}

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast) {
  if (bFlag)
    ParseParamFlag(pszParam);
  else
    ParseParamNotFlag(pszParam);
  ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(LPCTSTR pszParam) {
  // Shell switches are case sensitive, OLE switches are not.
  if (lstrcmp(pszParam, "pt") == 0) {
    m_nShellCommand = FilePrintTo;
  } else if (lstrcmp(pszParam, "p") == 0) {
    m_nShellCommand = FilePrint;
  } else if (lstrcmpi(pszParam, "Unregister") == 0 || lstrcmpi(pszParam, "Unregserver") == 0) {
    m_nShellCommand = AppUnregister;
  } else if (lstrcmp(pszParam, "dde") == 0) {
    m_nShellCommand = FileDDE;
  } else if (lstrcmpi(pszParam, "Embedding") == 0) {
    m_bRunEmbedded = TRUE;
    m_bShowSplash = FALSE;
  } else if (lstrcmpi(pszParam, "Automation") == 0) {
    m_bRunAutomated = TRUE;
    m_bShowSplash = FALSE;
  }
}

void CCommandLineInfo::ParseParamNotFlag(LPCTSTR pszParam) {
  if (m_strFileName.IsEmpty())
    m_strFileName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
    m_strPrinterName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
    m_strDriverName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
    m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
  if (bLast) {
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
  }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  for (int i = 1; i < __argc; i++) {
    LPCTSTR pszParam = __argv[i];
    BOOL bFlag = FALSE;
    BOOL bLast = (i + 1) == __argc;
    if (pszParam[0] == '-' || pszParam[0] == '/') {
      bFlag = TRUE;
      ++pszParam;
    }
    rCmdInfo.ParseParam(pszParam, bFlag, bLast);
  }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  BOOL bResult = TRUE;
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      if (!AfxGetApp()->OnCmdMsg(ID_FILE_NEW, 0, NULL, NULL)) OnFileNew();
      if (m_pMainWnd == NULL) bResult = FALSE;
      break;
    case CCommandLineInfo::FileOpen:
      if (!OpenDocumentFile(rCmdInfo.m_strFileName)) bResult = FALSE;
      break;
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrint:
      m_nCmdShow = SW_HIDE;
      if (OpenDocumentFile(rCmdInfo.m_strFileName) != NULL && m_pMainWnd != NULL)
        m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
      bResult = FALSE;
      break;
    case CCommandLineInfo::FileDDE:
      m_nCmdShow = SW_HIDE;
      break;
    case CCommandLineInfo::AppUnregister:
      bResult = FALSE;
      break;
    case CCommandLineInfo::FileNothing:
      break;
  }
  return bResult;
}
