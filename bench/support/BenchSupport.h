// What every Windows benchmark of the project needs: an application object that prints its
// messages instead of waiting for a click, a millisecond clock and the process's memory.
#pragma once

#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>

#include "afxwin.h"

class CBenchApp : public CWinApp {
 public:
  explicit CBenchApp(LPCTSTR lpszName) : CWinApp(lpszName) {}
  int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override {
    fprintf(stderr, "message: %s\n", lpszPrompt);
    return IDOK;
  }
};

inline double BenchMs(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// The committed memory of the process in megabytes.
inline double BenchMemoryMb() {
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof(pmc);
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
  return pmc.PagefileUsage / 1048576.0;
}
