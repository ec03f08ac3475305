// The four deliverables start (programs) or load (libraries) from the program folder.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {

struct FoundWindow { DWORD pid; HWND hwnd; };

BOOL CALLBACK FindVisibleTopLevel(HWND hwnd, LPARAM param)
{
    auto* found = reinterpret_cast<FoundWindow*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == found->pid && IsWindowVisible(hwnd) && !GetWindow(hwnd, GW_OWNER)) {
        found->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A dialog the program shows before its main window (the board designer's start menu).
BOOL CALLBACK FindVisibleDialog(HWND hwnd, LPARAM param)
{
    auto* found = reinterpret_cast<FoundWindow*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == found->pid && IsWindowVisible(hwnd) && std::string(cls) == "#32770") {
        found->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Starts the program, waits for its visible main window, closes it, returns the exit code.
// A start menu in the way is cancelled, as a user who wants a blank board does.
void StartShowAndClose(const char* exe, const std::string& expectedTitle)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = exe;
    ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        << exe << " error " << GetLastError();
    WaitForInputIdle(pi.hProcess, 10000);
    FoundWindow found{pi.dwProcessId, nullptr};
    for (int i = 0; i < 200 && !found.hwnd; ++i) {
        EnumWindows(FindVisibleTopLevel, reinterpret_cast<LPARAM>(&found));
        FoundWindow menu{pi.dwProcessId, nullptr};
        EnumWindows(FindVisibleDialog, reinterpret_cast<LPARAM>(&menu));
        if (menu.hwnd) {
            if (found.hwnd == menu.hwnd)
                found.hwnd = nullptr;
            PostMessageA(menu.hwnd, WM_COMMAND, IDCANCEL, 0);
        }
        if (!found.hwnd)
            Sleep(50);
    }
    EXPECT_NE(found.hwnd, nullptr) << exe << " showed no top-level window";
    if (found.hwnd) {
        // The frame may show before its document has named it.
        char title[256] = {};
        for (int i = 0; i < 100; ++i) {
            GetWindowTextA(found.hwnd, title, sizeof title);
            if (expectedTitle == title)
                break;
            Sleep(50);
        }
        EXPECT_EQ(std::string(title), expectedTitle);
        PostMessageA(found.hwnd, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1234;
    GetExitCodeProcess(pi.hProcess, &code);
    if (code == STILL_ACTIVE)
        TerminateProcess(pi.hProcess, 1);
    EXPECT_EQ(code, 0u) << exe;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

}  // namespace

TEST(Deliverables, BoardDesignerShowsItsWindowAndExitsCleanly)
{
    // A new, untitled board.
    StartShowAndClose("QVZ.exe", "無題 - Zenbora");
}

TEST(Deliverables, CatalogueBrowserShowsItsWindowAndExitsCleanly)
{
    StartShowAndClose("VendaroExplorer.exe", "Vendaro エクスプローラ");
}

TEST(Deliverables, LibrariesLoad)
{
    for (const char* dll : {"depthra.dll", "Patinor.dll"}) {
        HMODULE module = LoadLibraryA(dll);
        EXPECT_NE(module, nullptr) << dll << " error " << GetLastError();
        if (module)
            FreeLibrary(module);
    }
}
