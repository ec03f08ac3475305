// Acquisitions through the system's TWAIN source manager and "Patinor Test Source": the
// manager's selection dialog is driven by its structure, the source's log is compared with
// the order of calls, and the picture with the colours the source meant.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"

#include "BmpFileImage.h"
#include "Patinor.h"
#include "TestSourceScenario.h"
#include "Twain.h"
#include "WizardSettings.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

static CWizardTestApp theApp;

CWizardTestApp& TheApp()
{
    return theApp;
}

namespace {

std::string TempPath(const char* name)
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

std::string ModuleFolder()
{
    char path[MAX_PATH];
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

struct FoundDialog {
    HWND dialog = NULL, list = NULL;
};

BOOL CALLBACK FindListDialog(HWND hWnd, LPARAM lParam)
{
    char cls[16] = "";
    ::GetClassNameA(hWnd, cls, sizeof(cls));
    if (strcmp(cls, "#32770") != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    HWND child = ::FindWindowExA(hWnd, NULL, "ListBox", NULL);
    if (child == NULL)
        return TRUE;
    reinterpret_cast<FoundDialog*>(lParam)->dialog = hWnd;
    reinterpret_cast<FoundDialog*>(lParam)->list = child;
    return FALSE;
}

// The selection dialog of the manager: a dialog of this thread with a list box.
HWND FindSelectionDialog(HWND* list)
{
    FoundDialog found;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindListDialog, reinterpret_cast<LPARAM>(&found));
    *list = found.list;
    return found.dialog;
}

enum class Pick { OURS, CANCEL };

// Answers the selection dialog once it is up: our source by name and OK, or Cancel.
struct SelectionDriver {
    Pick pick = Pick::OURS;
    bool seen = false;
    std::vector<std::string> listed;

    void Arm()
    {
        RunWhenIdle([this] { Poll(); }, 50);
    }
    void Poll()
    {
        HWND list = NULL;
        HWND dialog = FindSelectionDialog(&list);
        if (dialog == NULL) {
            if (!seen)
                Arm();
            return;
        }
        seen = true;
        const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[128] = "";
            if (::SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof(text)))
                ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            listed.push_back(text);
        }
        if (pick == Pick::CANCEL) {
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return;
        }
        const LRESULT index = ::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(TEST_SOURCE_NAME));
        ::SendMessageA(list, LB_SETCURSEL, index, 0);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
};

// Stops a loop that would never end: after the limit the thread gets a quit message.
class Watchdog
{
public:
    explicit Watchdog(DWORD ms) : m_thread(::GetCurrentThreadId())
    {
        m_worker = std::thread([this, ms] {
            for (DWORD waited = 0; waited < ms && !m_done; waited += 20)
                ::Sleep(20);
            if (!m_done) {
                m_fired = true;
                ::PostThreadMessageA(m_thread, WM_QUIT, 0, 0);
            }
        });
    }
    ~Watchdog()
    {
        m_done = true;
        m_worker.join();
        // A quit the loop left for the application's loop is not ours to keep.
        MSG msg;
        while (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    bool Fired() const { return m_fired; }

private:
    DWORD m_thread;
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_fired{false};
    std::thread m_worker;
};

class TwainAcquireTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // The slot Debian's Wine leaves free for a source: twain_32 for 32-bit processes,
        // twain_64 for 64-bit ones.
        char windows[MAX_PATH];
        ::GetWindowsDirectoryA(windows, MAX_PATH);
        const std::string folder = std::string(windows) + (sizeof(void*) == 4 ? "\\twain_32" : "\\twain_64");
        ::CreateDirectoryA(folder.c_str(), NULL);
        ::CopyFileA((ModuleFolder() + "sane.ds").c_str(), (folder + "\\sane.ds").c_str(), FALSE);
    }
    void SetUp() override
    {
        // A 64-bit process cannot load the 32-bit manager of the Windows folder; Wine's
        // 64-bit manager stands in the system folder and serves the same calls.
        static char system[MAX_PATH] = "";
        if (sizeof(void*) != 4 && system[0] == '\0')
            ::GetSystemDirectoryA(system, MAX_PATH);
        static CTwainFolder manager(sizeof(void*) != 4 ? system : NULL);
        CTwain probe;
        if (!probe.IsAvailable())
            GTEST_SKIP() << "no TWAIN_32.DLL with DSM_Entry in "
                         << (sizeof(void*) == 4 ? "the Windows folder" : system)
                         << ": this Wine has no source manager for a process of this kind";
        m_log = TempPath("patinor-twain.log");
        ::DeleteFileA(m_log.c_str());
        ::SetEnvironmentVariableA(TEST_SOURCE_LOG_VAR, m_log.c_str());
    }
    void TearDown() override
    {
        ::SetEnvironmentVariableA(TEST_SOURCE_SCENARIO_VAR, NULL);
        ::SetEnvironmentVariableA(TEST_SOURCE_LOG_VAR, NULL);
    }

    BOOL Acquire(const TestSourceScenario& scenario, CBmpFileImage& image, Pick pick = Pick::OURS,
                 DWORD watchdogMs = 5000)
    {
        ::SetEnvironmentVariableA(TEST_SOURCE_SCENARIO_VAR, scenario.Format().c_str());
        m_driver = SelectionDriver();
        m_driver.pick = pick;
        m_driver.Arm();
        Watchdog watchdog(watchdogMs);
        const DWORD start = ::GetTickCount();
        const BOOL result = image.Acquire();
        m_elapsed = ::GetTickCount() - start;
        m_watchdogFired = watchdog.Fired();
        return result;
    }

    std::vector<std::string> Log() const
    {
        std::vector<std::string> lines;
        std::ifstream in(m_log);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    // The triplets of the log without their states, events left out.
    std::vector<std::string> Triplets() const
    {
        std::vector<std::string> triplets;
        for (const std::string& line : Log()) {
            if (line.rfind("handle", 0) == 0 || line.find("/2/0x0601") != std::string::npos)
                continue;
            triplets.push_back(line.substr(0, line.find(" state")));
        }
        return triplets;
    }
    bool EndsClosed() const
    {
        const std::vector<std::string> log = Log();
        return !log.empty() && log.back().find("1/3/0x0402 -> 0") == 0;
    }

    std::string m_log;
    SelectionDriver m_driver;
    DWORD m_elapsed = 0;
    bool m_watchdogFired = false;
};

TEST_F(TwainAcquireTest, EveryDepthAndOrderArrivesAsTheSourceMeantIt)
{
    bool first = true;
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(depth) + (topDown ? " top-down" : " bottom-up"));
            TestSourceScenario scenario;
            scenario.depth = depth;
            scenario.topDown = topDown;
            scenario.width = 37;
            scenario.height = 23;
            ::DeleteFileA(m_log.c_str());
            CBmpFileImage image;
            ASSERT_TRUE(Acquire(scenario, image));
            EXPECT_NE(m_driver.listed.end(),
                      std::find(m_driver.listed.begin(), m_driver.listed.end(), TEST_SOURCE_NAME));
            const BITMAPINFOHEADER* info = image.GetInfo(0);
            ASSERT_NE(nullptr, info);
            ASSERT_EQ(37, info->biWidth);
            ASSERT_EQ(23, info->biHeight);
            ASSERT_EQ(24, info->biBitCount);
            const DWORD stride = (37 * 3 + 3) & ~3;
            int wrong = 0;
            for (int y = 0; y < 23; ++y)
                for (int x = 0; x < 37; ++x) {
                    const BYTE* p = image.GetBits(0) + stride * (22 - y) + 3 * x;
                    wrong += RGB(p[2], p[1], p[0]) != TestSourceColour(depth, x, y);
                }
            EXPECT_EQ(0, wrong);
            if (first) {
                // The order of the calls, one image taken.
                const std::vector<std::string> expected = {
                    "1/3/0x0001 -> 0", "1/3/0x0401 -> 0", "1/9/0x0502 -> 0", "2/260/0x0001 -> 6",
                    "1/5/0x0701 -> 0", "1/9/0x0501 -> 0", "1/3/0x0402 -> 0"};
                std::vector<std::string> triplets = Triplets();
                // The manager asks for the identity while it detects sources, once per
                // process, as often as it likes.
                while (triplets.size() > 1 && triplets[0] == expected[0] && triplets[1] == expected[0])
                    triplets.erase(triplets.begin());
                if (!triplets.empty() && triplets.front() != expected.front())
                    triplets.insert(triplets.begin(), expected.front());
                EXPECT_EQ(expected, triplets);
                first = false;
            }
            // The transfer's handle was freed once its picture was taken.
            for (const std::string& line : Log())
                if (line.rfind("handle ", 0) == 0) {
                    void* handle = NULL;
                    sscanf(line.c_str() + 7, "%p", &handle);
                    EXPECT_EQ(0u, ::GlobalSize(static_cast<HGLOBAL>(handle)));
                }
        }
    }
}

TEST_F(TwainAcquireTest, EndingsWithoutAPictureCloseTheSource)
{
    struct Case {
        const char* name;
        TestSourceScenario::Answer answer;
        int pending;
        bool image;
    } cases[] = {
        {"close request", TestSourceScenario::CLOSE, 0, false},
        {"cancelled transfer", TestSourceScenario::CANCEL, 0, false},
        {"failed transfer", TestSourceScenario::FAIL, 0, false},
        {"one more pending", TestSourceScenario::IMAGE, 1, true},
        {"cancelled with more pending", TestSourceScenario::CANCEL, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestSourceScenario scenario;
        scenario.answer = c.answer;
        scenario.pending = c.pending;
        ::DeleteFileA(m_log.c_str());
        CBmpFileImage image;
        const BOOL acquired = Acquire(scenario, image);
        EXPECT_FALSE(m_watchdogFired) << "the loop ran past 5 s";
        EXPECT_EQ(c.image, acquired != FALSE);
        EXPECT_EQ(c.image, image.GetBits(0) != NULL);
        EXPECT_TRUE(EndsClosed()) << (Log().empty() ? "" : Log().back());
    }
}

TEST_F(TwainAcquireTest, CancelInTheSelectionFails)
{
    TestSourceScenario scenario;
    CBmpFileImage image;
    EXPECT_FALSE(Acquire(scenario, image, Pick::CANCEL));
    EXPECT_TRUE(m_driver.seen);
    EXPECT_EQ(nullptr, image.GetBits(0));
}

TEST_F(TwainAcquireTest, WaitsQuietlyWhileTheSourceWindowIsUp)
{
    TestSourceScenario scenario;
    scenario.windowMs = 3000;
    // From the moment the source's window shows to the end of the acquisition.
    struct Watch {
        bool shown = false;
        DWORD tick = 0;
        ULONGLONG busy = 0;
        int posted = 0, ran = 0;
    } watch;
    auto busy = [] {
        FILETIME created, exited, kernel, user;
        ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
        auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        return ticks(kernel) + ticks(user);
    };
    std::function<void()> poll = [&] {
        HWND window = ::FindWindowA("PatinorTestSourceWindow", NULL);
        if (window != NULL && ::IsWindowVisible(window)) {
            watch.shown = true;
            watch.tick = ::GetTickCount();
            watch.busy = busy();
            // A command the host posts to itself runs while the source is up.
            ++watch.posted;
            RunWhenIdle([&] { ++watch.ran; }, 100);
            return;
        }
        RunWhenIdle(poll, 20);
    };
    RunWhenIdle(poll, 20);
    CBmpFileImage image;
    EXPECT_TRUE(Acquire(scenario, image, Pick::OURS, 15000));
    ASSERT_TRUE(watch.shown);
    const DWORD up = ::GetTickCount() - watch.tick;
    const double busyMs = (busy() - watch.busy) / 10000.0;
    EXPECT_GE(up, 2500u);
    EXPECT_LT(busyMs, 0.10 * up) << busyMs << " ms busy of " << up;
    EXPECT_EQ(watch.posted, watch.ran);
}

TEST_F(TwainAcquireTest, ScannerWizardCancelledInTheSelectionReEnablesTheHost)
{
    HWND host = ::CreateWindowA("STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL, NULL, NULL);
    ::SetActiveWindow(host);
    ::SetEnvironmentVariableA(TEST_SOURCE_SCENARIO_VAR, TestSourceScenario().Format().c_str());
    m_driver = SelectionDriver();
    m_driver.pick = Pick::CANCEL;
    m_driver.Arm();
    {
        CTextureWizard wizard(WIZARD_TYPE_SCANNER);
        EXPECT_EQ(IDCANCEL, wizard.DisplayWizard());
        EXPECT_TRUE(wizard.GetDataFileName().IsEmpty());
    }
    EXPECT_TRUE(m_driver.seen);
    EXPECT_TRUE(::IsWindowEnabled(host));
    ::DestroyWindow(host);
}

} // namespace
