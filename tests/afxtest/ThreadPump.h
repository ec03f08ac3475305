// Pumping the test thread as its message loop would, for tests that drive real windows.
#pragma once

#include "afxwin.h"

#include <functional>

// Dispatches what is queued, then runs idle time.
void PumpPending();

// Pumps until pred() holds or about three seconds pass.
template <class Pred>
bool PumpUntil(Pred pred) {
  for (int i = 0; i < 300 && !pred(); i++) {
    PumpPending();
    ::Sleep(10);
  }
  return pred();
}

// Runs fn once the thread's modal loop is idle (a thread timer): the way the tests drive a
// dialog or sheet that DoModal is running.
void RunWhenIdle(std::function<void()> fn, UINT nDelay = 50);
