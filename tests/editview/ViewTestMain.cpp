// Entry of the editing-view tests: the application and the document template, one frame
// with its rulers, document and view for the whole run.
#include <gtest/gtest.h>

#include "ViewTestApp.h"
#include "jvqObjectDefaults.h"
#include "jvqTool.h"
#include "qvzDocument.h"
#include "qvzView.h"

IMPLEMENT_DYNCREATE(CTestFrame, jvqFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, jvqFrameWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

int CTestFrame::OnCreate(LPCREATESTRUCT lpcs) { return jvqFrameWnd::OnCreate(lpcs); }

static CViewTestApp theApp;
CViewTestApp* TestApp() { return &theApp; }

int main(int argc, char** argv) {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  theApp.InitApplication();
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  jvqRegisterClipboardFormat();
  jvqTool::LoadCursors();
  theApp.AddDocTemplate(new CSingleDocTemplate(1271, RUNTIME_CLASS(qvzDocument), RUNTIME_CLASS(CTestFrame),
                                               RUNTIME_CLASS(qvzView)));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
