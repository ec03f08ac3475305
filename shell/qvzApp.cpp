// The board designer's application object: registers the clipboard format, loads the
// tool cursors and the drawing resources, then opens a board in the editing view.
#include <afxwin.h>

#include "jvqDocument.h"
#include "jvqDrawingResources.h"
#include "jvqImageFileList.h"
#include "jvqPatternFill.h"
#include "jvqTextureFill.h"
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
  void LoadTextureLibrary();
  void LoadPatternLibrary();

  qvzWaitDlg m_WaitDlg;
  jvqImageFileList m_TextureLibrary;
  jvqImageFileList m_PatternLibrary;

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
  LoadTextureLibrary();
  LoadPatternLibrary();
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

// The folder of the program, where its content folders stand.
static CString ProgramFolder() {
  char path[MAX_PATH] = {0};
  ::GetModuleFileNameA(NULL, path, MAX_PATH);
  char* slash = strrchr(path, '\\');
  if (slash) *slash = 0;
  return path;
}

void qvzApp::LoadTextureLibrary() {
  LoadImageLibraryIndex(ProgramFolder() + "\\テクスチャ", &m_TextureLibrary, "TINDEX.DAT");
  jvqTextureFill::SetLibrary(&m_TextureLibrary);
  m_TextureLibrary.SortByPath();
}

void qvzApp::LoadPatternLibrary() {
  LoadImageLibraryIndex(ProgramFolder() + "\\パターン", &m_PatternLibrary, "PINDEX.DAT");
  jvqPatternFill::SetLibrary(&m_PatternLibrary);
  m_PatternLibrary.SortByPath();
}

CDocument* qvzApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  CDocument* d = CWinApp::OpenDocumentFile(lpszFileName);
  m_WaitDlg.EndRead();
  return d;
}

int qvzApp::ExitInstance() {
  jvqTextureFill::SetLibrary(NULL);
  jvqPatternFill::SetLibrary(NULL);
  qvzWaitDlg::Install(NULL);
  m_WaitDlg.EndRead();
  return CWinApp::ExitInstance();
}

qvzApp theApp;
