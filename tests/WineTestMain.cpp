// Entry of the Windows test programs that need no window of their own. Under Wine a process
// has been seen to hang for minutes in its own ending after every test had passed and the
// report was written (never in the programs themselves); the report is complete here, so the
// process ends at once with the tests' result.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  fflush(stdout);
  fflush(stderr);
  ::TerminateProcess(::GetCurrentProcess(), (UINT)result);
  return result;
}
