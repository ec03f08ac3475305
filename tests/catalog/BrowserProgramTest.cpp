// VendaroExplorer.exe as a user starts it, each test in a program folder of its own: the
// first start's placement, the single instance, the show state and the settings files kept
// between runs, and the catalogue cache written once at close.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CatalogFixture.h"

using namespace catalogtest;
namespace fs = std::filesystem;

namespace {

fs::path TestBinFolder()
{
    char path[MAX_PATH];
    ::GetModuleFileName(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

class CBrowserProcess {
public:
    explicit CBrowserProcess(const fs::path& folder) : m_folder(folder) {}
    ~CBrowserProcess() { Kill(); }

    bool Start()
    {
        std::string cmd = "\"" + (m_folder / "VendaroExplorer.exe").string() + "\"";
        STARTUPINFO si{};
        si.cb = sizeof si;
        if (!::CreateProcess(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, m_folder.string().c_str(), &si,
                             &m_pi))
            return false;
        return true;
    }
    // The browser's main window once its initial load has ended ("ﾚﾃﾞｨ" in the status bar).
    HWND WaitReady()
    {
        for (int i = 0; i < 600; ++i) {
            HWND w = FindMine();
            if (w) {
                HWND status = ::FindWindowEx(w, nullptr, "msctls_statusbar32", nullptr);
                char text[64] = {};
                if (status)
                    ::SendMessageTimeout(status, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                         SMTO_ABORTIFHUNG, 2000, nullptr);
                if (strcmp(text, "ﾚﾃﾞｨ") == 0)
                    return w;
            }
            if (HasEnded())
                return nullptr;
            ::Sleep(50);
        }
        return nullptr;
    }
    HWND FindMine() const
    {
        HWND w = nullptr;
        while ((w = ::FindWindowEx(nullptr, w, "YQEWndClass", nullptr))) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(w, &pid);
            if (pid == m_pi.dwProcessId)
                return w;
        }
        return nullptr;
    }
    bool HasEnded() const { return ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; }
    // The exit code once ended within the time, else STILL_ACTIVE.
    DWORD WaitExit(DWORD ms = 20000)
    {
        ::WaitForSingleObject(m_pi.hProcess, ms);
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(m_pi.hProcess, &code);
        return code;
    }
    void Kill()
    {
        if (m_pi.hProcess) {
            if (!HasEnded())
                ::TerminateProcess(m_pi.hProcess, 1);
            ::WaitForSingleObject(m_pi.hProcess, 5000);
            ::CloseHandle(m_pi.hProcess);
            ::CloseHandle(m_pi.hThread);
            m_pi = {};
        }
    }

private:
    fs::path m_folder;
    PROCESS_INFORMATION m_pi{};
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = MakeTempFolder("program");
        const fs::path bin = TestBinFolder();
        fs::copy_file(bin / "VendaroExplorer.exe", fs::path(folder) / "VendaroExplorer.exe");
        for (const auto& e : fs::directory_iterator(bin))
            if (e.path().extension() == ".dll")
                fs::copy_file(e.path(), fs::path(folder) / e.path().filename());
    }
    void TearDown() override { RemoveFolder(folder); }
    fs::path File(const char* name) const { return fs::path(folder) / name; }
    std::vector<unsigned char> Bytes(const char* name) const
    {
        std::ifstream f(File(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    static int32_t Int(const std::vector<unsigned char>& b, size_t at)
    {
        return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
    }
    std::string folder;
};

TEST_F(ProgramTest, FirstStartAtTheRightEdgeWithDefaultTreeWidth)
{
    CBrowserProcess p(folder);
    ASSERT_TRUE(p.Start());
    HWND w = p.WaitReady();
    ASSERT_NE(nullptr, w);
    RECT rc;
    ::GetWindowRect(w, &rc);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(cx - 420, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(420, rc.right - rc.left);
    EXPECT_EQ(cy - 27, rc.bottom - rc.top);
    EXPECT_FALSE(::IsZoomed(w));
    HWND tree = ::FindWindowEx(::FindWindowEx(w, nullptr, nullptr, nullptr), nullptr, "SysTreeView32", nullptr);
    for (HWND child = ::GetWindow(w, GW_CHILD); child && !tree; child = ::GetWindow(child, GW_HWNDNEXT))
        tree = ::FindWindowEx(child, nullptr, "SysTreeView32", nullptr);
    ASSERT_NE(nullptr, tree);
    RECT rt;
    ::GetWindowRect(tree, &rt);
    EXPECT_EQ(200, rt.right - rt.left);
    ::PostMessage(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, p.WaitExit());
    EXPECT_TRUE(fs::exists(File("CONFIG.DAT")));
    EXPECT_TRUE(fs::exists(File("yqe.ini")));
}

TEST_F(ProgramTest, SecondStartRestoresTheMinimisedFirstAndEnds)
{
    CBrowserProcess first(folder);
    ASSERT_TRUE(first.Start());
    HWND w = first.WaitReady();
    ASSERT_NE(nullptr, w);
    ::ShowWindow(w, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(w));
    CBrowserProcess second(folder);
    ASSERT_TRUE(second.Start());
    EXPECT_NE(static_cast<DWORD>(STILL_ACTIVE), second.WaitExit());
    EXPECT_EQ(nullptr, second.FindMine());
    for (int i = 0; i < 100 && ::IsIconic(w); ++i)
        ::Sleep(50);
    EXPECT_FALSE(::IsIconic(w));
    ::PostMessage(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, first.WaitExit());
}

TEST_F(ProgramTest, ClosedMaximisedStartsMaximisedAtItsRestoredPlace)
{
    {
        CBrowserProcess p(folder);
        ASSERT_TRUE(p.Start());
        HWND w = p.WaitReady();
        ASSERT_NE(nullptr, w);
        ::MoveWindow(w, 40, 30, 500, 600, TRUE);
        ::ShowWindow(w, SW_MAXIMIZE);
        ::PostMessage(w, WM_CLOSE, 0, 0);
        ASSERT_EQ(0u, p.WaitExit());
    }
    std::vector<unsigned char> config = Bytes("CONFIG.DAT");
    ASSERT_GE(config.size(), 27u);
    EXPECT_EQ(8, Int(config, 23));
    CBrowserProcess p(folder);
    ASSERT_TRUE(p.Start());
    HWND w = p.WaitReady();
    ASSERT_NE(nullptr, w);
    EXPECT_TRUE(::IsZoomed(w));
    // Restored, it returns to where it was before it was maximised.
    ::ShowWindow(w, SW_RESTORE);
    RECT rc;
    ::GetWindowRect(w, &rc);
    EXPECT_EQ(40, rc.left);
    EXPECT_EQ(30, rc.top);
    EXPECT_EQ(540, rc.right);
    EXPECT_EQ(630, rc.bottom);
    ::PostMessage(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, p.WaitExit());
}

// A registered catalogue folder: read from its files at the first start, its block appended
// to HISTORY.DAT at close, and the next run restores from it and appends nothing.
TEST_F(ProgramTest, RegisteredCatalogueIsCachedOnceAtClose)
{
    FixtureOptions options;
    Manifest m = GenerateCatalog(folder + "/reg", options);
    const std::string dir = m.root + "\\";
    std::string config("CNF");
    auto put = [&](int32_t v) { config.append(reinterpret_cast<const char*>(&v), 4); };
    for (int32_t v : {0, 0, 0, 0, 200, 2})
        put(v);
    put(0), put(0), put(0);
    put(1), put(static_cast<int32_t>(dir.size() + 1));
    config.append(dir.c_str(), dir.size() + 1);
    WriteFile(folder + "/CONFIG.DAT", config);

    for (int run = 0; run < 2; ++run) {
        CBrowserProcess p(folder);
        ASSERT_TRUE(p.Start());
        HWND w = p.WaitReady();
        ASSERT_NE(nullptr, w) << run;
        HWND tree = nullptr;
        for (HWND child = ::GetWindow(w, GW_CHILD); child && !tree; child = ::GetWindow(child, GW_HWNDNEXT))
            tree = ::FindWindowEx(child, nullptr, "SysTreeView32", nullptr);
        ASSERT_NE(nullptr, tree);
        // Desktop, Vendaro with the catalogue, the two search roots (handles cross processes,
        // texts do not).
        std::vector<HTREEITEM> roots;
        for (HTREEITEM i = TreeView_GetRoot(tree); i; i = TreeView_GetNextSibling(tree, i))
            roots.push_back(i);
        ASSERT_EQ(4u, roots.size()) << run;
        HTREEITEM catalog = TreeView_GetChild(tree, roots[1]);
        ASSERT_NE(nullptr, catalog);
        EXPECT_EQ(nullptr, TreeView_GetNextSibling(tree, catalog)) << run;
        ::PostMessage(w, WM_CLOSE, 0, 0);
        ASSERT_EQ(0u, p.WaitExit());
        const auto history = fs::file_size(File("HISTORY.DAT"));
        std::vector<unsigned char> b = Bytes("CONFIG.DAT");
        ASSERT_GE(b.size(), 27u + 4 + 20);
        EXPECT_EQ(1, Int(b, 27)) << run;  // one cache entry, never a second one
        EXPECT_EQ(0, Int(b, 31)) << run;  // its block at the start of HISTORY.DAT
        EXPECT_EQ(static_cast<int32_t>(history), Int(b, 35)) << run;
    }
}

}  // namespace
