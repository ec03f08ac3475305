// Test entry: the framework is initialised for the program's application object as WinMain would.
#include <gtest/gtest.h>

#include "afxwin.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  AfxGetApp()->InitApplication();
  return RUN_ALL_TESTS();
}
