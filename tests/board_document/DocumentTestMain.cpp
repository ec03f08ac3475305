// Entry of the document tests: an application whose message boxes are recorded. Run with
// QVZ_KILL_SAVE=<path> it saves a board there and dies before the new file replaces the
// old one, as a killed process would.
#include <gtest/gtest.h>

#include "DocumentTestApp.h"
#include "jvqObjectDefaults.h"
#include "qvzDocument.h"

static void DieBeforeReplace(LPCTSTR, LPCTSTR) { ::TerminateProcess(::GetCurrentProcess(), 3); }

static CDocumentTestApp theApp;

int main(int argc, char** argv) {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE);
  theApp.InitApplication();
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  jvqRegisterClipboardFormat();
  char szPath[MAX_PATH];
  if (::GetEnvironmentVariable("QVZ_KILL_SAVE", szPath, MAX_PATH)) {
    qvzDocument doc;
    doc.OnNewDocument();
    doc.InsertPage(0);
    jvqDocument::s_pfnBeforeReplace = DieBeforeReplace;
    doc.OnSaveDocument(szPath);
    return 1;  // not reached when the hook ran
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
