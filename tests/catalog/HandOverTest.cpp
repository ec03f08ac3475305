// The paste-to-board sequence against a receiver of ours standing in as QVZ.EXE in this
// test's own program folder: it is started and then finds the blocks on the clipboard; and
// without it, the user is told and the clipboard stays as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "CatalogFixture.h"
#include "HandOver.h"
#include "HandOverBlocks.h"
#include "VendaroExplorerApp.h"
#include "afxtest/ThreadPump.h"

using namespace catalogtest;
namespace fs = std::filesystem;

namespace {

fs::path ProgramFolder()
{
    char path[MAX_PATH];
    ::GetModuleFileName(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

std::string Hex(const std::string& bytes)
{
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

void CloseReceiver()
{
    for (int i = 0; i < 100; ++i) {
        HWND w = ::FindWindow("QvzReceiverWnd", nullptr);
        if (!w)
            return;
        ::PostMessage(w, WM_CLOSE, 0, 0);
        ::Sleep(50);
    }
}

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterVendaroClipboardFormat();
        folder = MakeTempFolder("handover");
        picture = CatalogPath(folder + "/PIC.BMP");
        std::string bmp = "BM";
        auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<char>(v >> (8 * i))); };
        auto put16 = [&](uint16_t v) { bmp.push_back(static_cast<char>(v)); bmp.push_back(static_cast<char>(v >> 8)); };
        put32(54 + 24); put32(0); put32(54);
        put32(40); put32(4); put32(2); put16(1); put16(24); put32(0); put32(24); put32(0); put32(0); put32(0); put32(0);
        bmp.append(24, '\x20');
        WriteFile(folder + "/PIC.BMP", bmp);
        window.CreateEx(0, AfxRegisterWndClass(0), "handover", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
        log = ProgramFolder() / "clipboard.log";
        fs::remove(log);
    }
    void TearDown() override
    {
        CloseReceiver();
        window.DestroyWindow();
        RemoveFolder(folder);
    }
    std::string Log() const
    {
        std::ifstream f(log, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    std::string folder, picture;
    fs::path log;
    CWnd window;
};

TEST_F(HandOverTest, StartsTheBoardDesignerThenFillsTheClipboard)
{
    ASSERT_TRUE(fs::exists(ProgramFolder() / "QVZ.EXE"));
    EXPECT_TRUE(PasteToBoard(&window, [&] { EXPECT_TRUE(SetClipboardImageFile(picture.c_str())); }));
    EXPECT_NE(nullptr, ::FindWindow("QvzReceiverWnd", nullptr));
    std::string privateBlock = picture + std::string(7, '\0');
    const std::string expectPrivate = Hex(privateBlock);
    const std::string expectHDrop = Hex(BuildHDropBlock({CString(picture.c_str())}));
    // The receiver saw both blocks in one change (sizes may be rounded up by the allocator).
    ASSERT_TRUE(PumpUntil([&] {
        std::string text = Log();
        return text.find(expectPrivate) != std::string::npos && text.find(expectHDrop) != std::string::npos;
    })) << Log();
    EXPECT_NE(std::string::npos, Log().find(" VendaroExplorer "));
}

TEST_F(HandOverTest, WithoutTheBoardDesignerTheUserIsToldAndTheClipboardStays)
{
    const fs::path exe = ProgramFolder() / "QVZ.EXE", aside = ProgramFolder() / "QVZ.EXE.aside";
    fs::rename(exe, aside);
    ASSERT_TRUE(::OpenClipboard(window.GetSafeHwnd()));
    ::EmptyClipboard();
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 5);
    memcpy(::GlobalLock(h), "keep", 5);
    ::GlobalUnlock(h);
    ::SetClipboardData(CF_TEXT, h);
    ::CloseClipboard();

    std::string message;
    RunWhenIdle([&] {
        HWND box = ::GetActiveWindow();
        char text[256] = {};
        ::GetDlgItemText(box, 0xFFFF, text, sizeof text);
        message = text;
        ::PostMessage(box, WM_COMMAND, IDOK, 0);
    }, 300);
    bool filled = false;
    // The search for the command line also looks in the current folder, where the board
    // designer's own QVZ.exe stands beside the libraries.
    char cwd[MAX_PATH];
    ::GetCurrentDirectory(MAX_PATH, cwd);
    ::SetCurrentDirectory(CatalogPath(folder).c_str());
    const BOOL started = PasteToBoard(&window, [&] { filled = true; });
    ::SetCurrentDirectory(cwd);
    fs::rename(aside, exe);
    EXPECT_FALSE(started);
    EXPECT_FALSE(filled);
    EXPECT_EQ("Zenboraの起動に失敗しました。", message);
    ASSERT_TRUE(::OpenClipboard(window.GetSafeHwnd()));
    HANDLE text = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ("keep", static_cast<const char*>(::GlobalLock(text)));
    ::GlobalUnlock(text);
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_HDROP));
    ::CloseClipboard();
}

}  // namespace
