// Test entry: the framework is initialised for this program as WinMain would.
#include <gtest/gtest.h>

#include "TestApp.h"

void PumpPending(CWinThread* pThread) {
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) break;  // left for the test to see
    if (!pThread->PumpMessage()) break;
  }
  for (LONG lCount = 0; pThread->OnIdle(lCount); lCount++) {
  }
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL) pApp->InitApplication();
  return RUN_ALL_TESTS();
}
