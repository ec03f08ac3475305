// The environment the programs run in: Japanese code page, resources, a real display.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "../../resources/QVZ/resource.h"

TEST(WineEnv, AnsiCodePageIsJapanese)
{
    EXPECT_EQ(GetACP(), 932u);
}

TEST(WineEnv, StringTableReachesLoadStringAsShiftJis)
{
    HMODULE module = LoadLibraryExA("QVZ.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    char text[256] = {};
    int length = LoadStringA(module, ID_VIEW_FITPAGE, text, sizeof text);
    EXPECT_EQ(std::string(text, length), std::string("全体表示\n全体表示"));
    EXPECT_EQ(std::string(text, 8), std::string("\x91\x53\x91\xCC\x95\x5C\x8E\xA6"));
    length = LoadStringA(module, AFX_IDS_APP_TITLE, text, sizeof text);
    EXPECT_EQ(std::string(text, length), "Zenbora");
    FreeLibrary(module);
}

namespace {

LRESULT CALLBACK PaintRedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc = {10, 10, 40, 40};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &rc, red);
        DeleteObject(red);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

TEST(WineEnv, WindowPaintsAndPixelsReadBack)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = PaintRedProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "QvzPaintProbe";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "probe", WS_POPUP | WS_VISIBLE, 50, 50, 80, 80,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hwnd, nullptr);
    UpdateWindow(hwnd);
    COLORREF inside = CLR_INVALID, outside = CLR_INVALID;
    for (int attempt = 0; attempt < 50; ++attempt) {
        PumpMessages();
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = GetDC(hwnd);
        inside = GetPixel(dc, 20, 20);
        outside = GetPixel(dc, 60, 60);
        ReleaseDC(hwnd, dc);
        if (inside == RGB(255, 0, 0))
            break;
        Sleep(20);
    }
    EXPECT_EQ(inside, RGB(255, 0, 0));
    EXPECT_EQ(outside, RGB(255, 255, 255));
    DestroyWindow(hwnd);
}
