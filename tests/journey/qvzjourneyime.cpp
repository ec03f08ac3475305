// The journey driver's stand-in for an input method. Xvfb has none, and an input context
// belongs to the thread of its window: the driver hooks the program's window procedure calls
// with this library, which the system loads into the program, and asks the text editor, by a
// registered message, to take an unfinished composition (Shift-JIS, in a global atom) on its
// own input context, as an input method does while the user is still converting; the atom
// "QVZJourneyComposed" says that the context holds it.
#include <windows.h>
#include <imm.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK JourneyImeHook(int nCode, WPARAM wParam, LPARAM lParam) {
  static const UINT compose = ::RegisterWindowMessageA("QVZJourneyComposition");
  const CWPSTRUCT* c = (const CWPSTRUCT*)lParam;
  if (nCode == HC_ACTION && c && c->message == compose) {
    char text[256] = "";
    WCHAR wide[256] = L"";
    ::GlobalGetAtomNameA((ATOM)c->wParam, text, sizeof text);
    // The wide call: the ANSI one of some systems takes the length in characters for bytes.
    const int n = ::MultiByteToWideChar(932, 0, text, -1, wide, 256) - 1;
    HIMC himc = ::ImmGetContext(c->hwnd);
    if (himc && n > 0) {
      ::ImmSetOpenStatus(himc, TRUE);
      ::ImmSetCompositionStringW(himc, SCS_SETSTR, wide, n * sizeof(WCHAR), NULL, 0);
      // What the context now holds is the driver's answer.
      if (::ImmGetCompositionStringW(himc, GCS_COMPSTR, NULL, 0) == (LONG)(n * sizeof(WCHAR)))
        ::GlobalAddAtomA("QVZJourneyComposed");
    }
    if (himc) ::ImmReleaseContext(c->hwnd, himc);
  }
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
