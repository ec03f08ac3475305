// A message hook for another process's thread: each command it takes from its queue is
// reported to the test's window of class "qvzCommandSpy" as WM_APP with the command id.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK CommandSpyHook(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* msg = (const MSG*)lParam;
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_COMMAND && msg->lParam == 0) {
    HWND sink = ::FindWindowA("qvzCommandSpy", NULL);
    if (sink) ::PostMessage(sink, WM_APP, LOWORD(msg->wParam), 0);
  }
  return ::CallNextHookEx(NULL, code, wParam, lParam);
}
