// Starts VendaroExplorer.exe in a program folder, waits for the end of its initial load
// ("ﾚﾃﾞｨ" in the status bar), closes it and prints: ms to ready, the process's peak working
// set, and HISTORY.DAT's size before and after.   browser_start_bench <program folder>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

HWND FindMine(DWORD pid)
{
    HWND w = nullptr;
    while ((w = ::FindWindowExA(nullptr, w, "YQEWndClass", nullptr))) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(w, &owner);
        if (owner == pid)
            return w;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: browser_start_bench <program folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string history = folder + "\\HISTORY.DAT";
    const long long before = FileSize(history);
    std::string cmd = "\"" + folder + "\\VendaroExplorer.exe\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER freq, t0, t1;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&t0);
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
        fprintf(stderr, "cannot start %s\n", cmd.c_str());
        return 1;
    }
    HWND ready = nullptr;
    for (int i = 0; i < 60000 && !ready; ++i) {
        if (HWND w = FindMine(pi.dwProcessId)) {
            HWND status = ::FindWindowExA(w, nullptr, "msctls_statusbar32", nullptr);
            char text[64] = {};
            if (status)
                ::SendMessageTimeoutA(status, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                      5000, nullptr);
            if (strcmp(text, "ﾚﾃﾞｨ") == 0)
                ready = w;
        }
        if (!ready)
            ::Sleep(5);
    }
    ::QueryPerformanceCounter(&t1);
    if (!ready) {
        ::TerminateProcess(pi.hProcess, 1);
        fprintf(stderr, "not ready\n");
        return 1;
    }
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    ::GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc);
    ::PostMessageA(ready, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(pi.hProcess, 60000);
    printf("ready_ms=%.1f peak_ws_kb=%lu history_before=%lld history_after=%lld\n",
           1000.0 * (t1.QuadPart - t0.QuadPart) / freq.QuadPart, static_cast<unsigned long>(pmc.PeakWorkingSetSize / 1024),
           before, FileSize(history));
    return 0;
}
