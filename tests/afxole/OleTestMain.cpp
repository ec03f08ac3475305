// Test entry: the framework and OLE started as a program would; "--drop-target <file>"
// makes this program the receiving side of the drag test instead.
#include <gtest/gtest.h>

#include <cstring>

#include "OleTestSupport.h"
#include "afxole.h"

int main(int argc, char** argv) {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  if (!AfxOleInit()) return 3;
  if (argc == 3 && strcmp(argv[1], "--drop-target") == 0) return RunDropTarget(argv[2]);
  // Started by the platform for the test's registered class ("/Automation -Embedding").
  for (int i = 1; i < argc; i++)
    if (strcmp(argv[i], "/Automation") == 0) return RunAutomationServer();
  ::testing::InitGoogleTest(&argc, argv);
  const int rc = RUN_ALL_TESTS();
  AfxOleTerm();
  return rc;
}
