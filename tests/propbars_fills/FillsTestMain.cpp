// The fill tests' application.
#include <gtest/gtest.h>

#include "FillsTest.h"
#include "jvqDrawingResources.h"

namespace {

class FillsTestApp : public CWinApp {
 public:
  FillsTestApp() : CWinApp("FillsTest") {}
  int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override {
    g_Messages.push_back(lpszPrompt);
    return IDOK;
  }
};
FillsTestApp theApp;

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  AfxGetApp()->InitApplication();
  theDrawingResources.Init();
  return RUN_ALL_TESTS();
}
