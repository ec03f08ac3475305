// The board designer's application object: registers the clipboard format, loads the
// tool cursors and the drawing resources, then opens a board in the editing view.
#include <afxwin.h>

#include "jvqDocument.h"
#include "jvqDrawingResources.h"
#include "jvqTool.h"
#include "qvzDocument.h"
#include "qvzEditFrame.h"
#include "qvzView.h"
#include "qvzWaitDlg.h"
#include "resource.h"

class qvzApp : public CWinApp {
 public:
  qvzApp() : CWinApp("QVZ") {}
  BOOL InitInstance() override;
  int ExitInstance() override;
  CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;

  qvzWaitDlg m_WaitDlg;

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(qvzApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

BOOL qvzApp::InitInstance() {
  jvqRegisterClipboardFormat();
  jvqTool::LoadCursors();
  theDrawingResources.Init();
  qvzWaitDlg::Install(&m_WaitDlg);
  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(qvzDocument), RUNTIME_CLASS(qvzEditFrame),
                                        RUNTIME_CLASS(qvzView)));
  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!ProcessShellCommand(cmdInfo)) {
    // A board that cannot be read has been reported by the document; the user goes on
    // with a new board.
    if (cmdInfo.m_nShellCommand != CCommandLineInfo::FileOpen) return FALSE;
    OnFileNew();
    if (m_pMainWnd == NULL) return FALSE;
  }
  m_pMainWnd->ShowWindow(m_nCmdShow);
  m_pMainWnd->UpdateWindow();
  return TRUE;
}

CDocument* qvzApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  CDocument* d = CWinApp::OpenDocumentFile(lpszFileName);
  m_WaitDlg.EndRead();
  return d;
}

int qvzApp::ExitInstance() {
  qvzWaitDlg::Install(NULL);
  m_WaitDlg.EndRead();
  return CWinApp::ExitInstance();
}

qvzApp theApp;
