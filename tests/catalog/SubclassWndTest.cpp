// The window hook on a hidden window: the chain runs newest first, unhooking keeps the
// procedure while hooks remain, WM_NCDESTROY unhooks all, and the message CallDefault passes
// on survives a message sent meanwhile.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SubclassWnd.h"

namespace {

std::vector<std::string> g_log;

LRESULT CALLBACK Original(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP)
        g_log.push_back("window " + std::to_string(message - WM_APP));
    return ::DefWindowProc(hwnd, message, wParam, lParam);
}

class NamedHook : public CSubclassWnd {
public:
    explicit NamedHook(const char* name) : m_name(name) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_APP)
            g_log.push_back(m_name + " " + std::to_string(message - WM_APP));
        if (m_bSendInside && message == WM_APP + 1) {
            m_pWndHooked->SendMessage(WM_APP + 2);
            return CallDefault();
        }
        return CSubclassWnd::WindowProc(message, wParam, lParam);
    }
    std::string m_name;
    bool m_bSendInside = false;
};

class SubclassWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        WNDCLASS wc{};
        wc.lpfnWndProc = Original;
        wc.hInstance = ::GetModuleHandle(nullptr);
        wc.lpszClassName = "SubclassWndTest";
        ::RegisterClass(&wc);
        window.Attach(::CreateWindow("SubclassWndTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     wc.hInstance, nullptr));
        ASSERT_TRUE(window.GetSafeHwnd());
    }
    void TearDown() override
    {
        if (window.GetSafeHwnd())
            ::DestroyWindow(window.Detach());
    }
    WNDPROC Procedure() const { return reinterpret_cast<WNDPROC>(::GetWindowLongPtr(window.m_hWnd, GWLP_WNDPROC)); }

    CWnd window;
};

TEST_F(SubclassWndTest, HooksRunNewestFirstAndUnhookingTheOlderKeepsTheProcedure)
{
    NamedHook older("older"), newer("newer");
    older.Hook(&window);
    newer.Hook(&window);
    EXPECT_EQ(&SubclassWndProc, Procedure());
    window.SendMessage(WM_APP + 1);
    EXPECT_EQ((std::vector<std::string>{"newer 1", "older 1", "window 1"}), g_log);

    g_log.clear();
    older.Hook(nullptr);
    EXPECT_EQ(&SubclassWndProc, Procedure());
    window.SendMessage(WM_APP + 1);
    EXPECT_EQ((std::vector<std::string>{"newer 1", "window 1"}), g_log);
    newer.Hook(nullptr);
    EXPECT_EQ(&Original, Procedure());
    EXPECT_EQ(nullptr, CSubclassWndMap::Get().Lookup(window.m_hWnd));
}

TEST_F(SubclassWndTest, DestroyingTheWindowUnhooksEveryHook)
{
    NamedHook one("one"), two("two");
    one.Hook(&window);
    two.Hook(&window);
    const HWND hwnd = window.m_hWnd;
    ::DestroyWindow(window.Detach());
    EXPECT_EQ(nullptr, CSubclassWndMap::Get().Lookup(hwnd));
    EXPECT_EQ(nullptr, one.m_pWndHooked);
    EXPECT_EQ(nullptr, two.m_pWndHooked);
}

TEST_F(SubclassWndTest, CallDefaultPassesTheMessageBeingHandledAfterAnotherWasSent)
{
    NamedHook hook("hook");
    hook.m_bSendInside = true;
    hook.Hook(&window);
    window.SendMessage(WM_APP + 1);
    EXPECT_EQ((std::vector<std::string>{"hook 1", "hook 2", "window 2", "window 1"}), g_log);
}

TEST_F(SubclassWndTest, ADeletedHookLeavesNoEntry)
{
    {
        NamedHook hook("gone");
        hook.Hook(&window);
    }
    EXPECT_EQ(nullptr, CSubclassWndMap::Get().Lookup(window.m_hWnd));
    EXPECT_EQ(&Original, Procedure());
    window.SendMessage(WM_APP + 3);
    EXPECT_EQ((std::vector<std::string>{"window 3"}), g_log);
}

}  // namespace
