// Starts QVZ.exe in a program folder, waits until its main window is visible and its start has
// ended (the single-instance mapping carries the window), closes it and prints: ms to the
// visible window, ms to the end of the start, and the process's peak working set.
//   startup_bench <program folder>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

HWND FindMain(DWORD pid) {
  HWND w = nullptr;
  while ((w = ::FindWindowExA(nullptr, w, "QVZ Ver 1.0 MainWindows Class", nullptr))) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(w, &owner);
    if (owner == pid && ::IsWindowVisible(w)) return w;
  }
  return nullptr;
}

bool StartEnded() {
  HANDLE m = ::OpenFileMappingA(FILE_MAP_READ, FALSE, "_ZenboraVer1.0_");
  if (m == nullptr) return false;
  const unsigned* p = (const unsigned*)::MapViewOfFile(m, FILE_MAP_READ, 0, 0, 0);
  const bool ended = p && *p != 0;
  if (p) ::UnmapViewOfFile(p);
  ::CloseHandle(m);
  return ended;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: startup_bench <program folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::string cmd = "\"" + folder + "\\QVZ.exe\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER freq, t0, t1;
  ::QueryPerformanceFrequency(&freq);
  ::QueryPerformanceCounter(&t0);
  if (!::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
    fprintf(stderr, "cannot start %s\n", cmd.c_str());
    return 1;
  }
  auto ms = [&] {
    ::QueryPerformanceCounter(&t1);
    return (t1.QuadPart - t0.QuadPart) * 1000.0 / freq.QuadPart;
  };
  double visible = -1, ended = -1;
  HWND main = nullptr;
  while (ms() < 120000 && ended < 0) {
    if (visible < 0 && (main = FindMain(pi.dwProcessId)) != nullptr) visible = ms();
    if (visible >= 0 && StartEnded()) ended = ms();
    if (::WaitForSingleObject(pi.hProcess, 2) == WAIT_OBJECT_0) break;
  }
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  ::GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc);
  if (main) ::PostMessageA(main, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
  printf("visible_ms=%.0f started_ms=%.0f peak_ws_kb=%zu\n", visible, ended, pmc.PeakWorkingSetSize / 1024);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return visible < 0 ? 1 : 0;
}
