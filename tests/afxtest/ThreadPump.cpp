#include "afxtest/ThreadPump.h"

#include <utility>
#include <vector>

void PumpPending() {
  CWinThread* pThread = AfxGetThread();
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) break;
    if (!pThread->PumpMessage()) break;
  }
  for (LONG lCount = 0; pThread->OnIdle(lCount); lCount++) {
  }
}

static std::vector<std::pair<UINT_PTR, std::function<void()>>> s_pending;

static void CALLBACK OnRunTimer(HWND, UINT, UINT_PTR nID, DWORD) {
  ::KillTimer(NULL, nID);
  for (size_t i = 0; i < s_pending.size(); i++) {
    if (s_pending[i].first == nID) {
      std::function<void()> fn = std::move(s_pending[i].second);
      s_pending.erase(s_pending.begin() + i);
      fn();
      return;
    }
  }
}

void RunWhenIdle(std::function<void()> fn, UINT nDelay) {
  UINT_PTR nID = ::SetTimer(NULL, 0, nDelay, OnRunTimer);
  s_pending.emplace_back(nID, std::move(fn));
}
