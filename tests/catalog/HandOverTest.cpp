// The paste-to-board sequence against a receiver of ours standing in as QVZ.EXE in this
// test's own program folder: it is started and then finds the blocks on the clipboard; and
// without it, the user is told and the clipboard stays as it was. An OLE drag of the same
// blocks, by synthetic mouse input, onto the receiver's window. The browser's frame: the tree's
// copy of an item and the report list's hand-over of two item rows, as the receiver logs them.
#include <gtest/gtest.h>

#include <afxole.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "CatalogFixture.h"
#include "HandOver.h"
#include "HandOverBlocks.h"
#include "TreeFixture.h"
#include "VendaroExplorerApp.h"
#include "yqItem.h"
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

// Absolute mouse input as the user's hand gives it.
void Mouse(int x, int y, DWORD flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((x * 65535LL) / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = static_cast<LONG>((y * 65535LL) / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    ::SendInput(1, &in, sizeof in);
}

std::string GlobalBytes(HGLOBAL h)
{
    std::string out(static_cast<const char*>(::GlobalLock(h)), ::GlobalSize(h));
    ::GlobalUnlock(h);
    return out;
}

HGLOBAL Global(const std::string& bytes)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(::GlobalLock(h), bytes.data(), bytes.size());
    ::GlobalUnlock(h);
    return h;
}

TEST_F(HandOverTest, DragOfTwoItemsByTheMouseDropsTheSameBlocksOnTheReceiver)
{
    ASSERT_TRUE(AfxOleInit());
    const fs::path drops = ProgramFolder() / "drop.log";
    fs::remove(drops);
    STARTUPINFO si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + (ProgramFolder() / "QVZ.EXE").string() + "\"";
    ASSERT_TRUE(::CreateProcess(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    HWND receiver = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (receiver = ::FindWindow("QvzReceiverWnd", nullptr)) && ::IsWindowVisible(receiver); }));
    RECT target;
    ::GetWindowRect(receiver, &target);

    // The blocks of a drag of two catalogue items, as the browser assembles them.
    const std::string second = CatalogPath(folder + "/SECOND.BMP");
    WriteFile(folder + "/SECOND.BMP", "BM");
    yqItem items[2];
    items[0].m_strPicturePath = picture.c_str();
    items[0].m_pszKey = "K1";
    items[0].m_pszNumber = "P00001";
    items[0].m_pszName = "椅子";
    items[1].m_strPicturePath = second.c_str();
    items[1].m_pszKey = "K2";
    items[1].m_pszNumber = "P00002";
    items[1].m_strInfo = "■価格 1,000";
    CPendingDrag pending;
    pending.AddItem(items[0]);
    pending.AddItem(items[1]);
    std::string privateBlock, hdrop;
    bool hasPrivate = false;
    ASSERT_TRUE(pending.Take(privateBlock, hasPrivate, hdrop));
    ASSERT_TRUE(hasPrivate);
    std::string record1, record2;
    AppendCatalogItemBlock(record1, items[0]);
    AppendCatalogItemBlock(record2, items[1]);
    EXPECT_EQ(record1 + std::string(1, '\0') + record2 + std::string(2, '\0'), privateBlock);
    EXPECT_EQ(BuildHDropBlock({CString(picture.c_str()), CString(second.c_str())}), hdrop);

    // The drag starts where the button went down on a window of ours, as a view starts it.
    CWnd source;
    source.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "source", WS_POPUP | WS_VISIBLE, CRect(600, 400, 700, 500),
                    nullptr, 0);
    source.SetForegroundWindow();
    PumpPending();
    Mouse(650, 450, 0);
    Mouse(650, 450, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([] { return (::GetKeyState(VK_LBUTTON) & 0x8000) != 0; }))
        << "the button-down never reached this thread";
    // Another hand moves to the receiver and lets go while the drag's own loop runs.
    std::thread hand([&target] {
        ::Sleep(300);
        const int x = (target.left + target.right) / 2, y = (target.top + target.bottom) / 2;
        for (int i = 1; i <= 10; ++i) {
            Mouse(650 + (x - 650) * i / 10, 450 + (y - 450) * i / 10, 0);
            ::Sleep(60);
        }
        ::Sleep(200);
        Mouse(x, y, MOUSEEVENTF_LEFTUP);
    });
    COleDataSource data;
    data.CacheGlobalData(static_cast<CLIPFORMAT>(RegisterVendaroClipboardFormat()), Global(privateBlock));
    data.CacheGlobalData(CF_HDROP, Global(hdrop));
    const DROPEFFECT effect = data.DoDragDrop(DROPEFFECT_COPY);
    hand.join();
    source.DestroyWindow();
    EXPECT_EQ(DROPEFFECT_COPY, effect);

    auto logged = [&drops] {
        std::ifstream f(drops, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    ASSERT_TRUE(PumpUntil([&] { return logged().find("end\n") != std::string::npos; })) << "no drop logged";
    const std::string text = logged();
    EXPECT_NE(std::string::npos, text.find(" VendaroExplorer ")) << text;
    EXPECT_NE(std::string::npos, text.find(Hex(privateBlock))) << text;
    EXPECT_NE(std::string::npos, text.find(Hex(hdrop))) << text;
}

// The frame over a generated catalogue, with the receiver beside this program as QVZ.EXE.
class HandOverFrameTest : public TreeTest {
protected:
    void SetUp() override
    {
        TreeTest::SetUp();
        RegisterVendaroClipboardFormat();
        log = ProgramFolder() / "clipboard.log";
        fs::remove(log);
    }
    void TearDown() override
    {
        CloseReceiver();
        TreeTest::TearDown();
    }
    std::string Log() const
    {
        std::ifstream f(log, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    // The bytes of the last logged block of a format, from its "format <id> <name> <size> <hex>" line.
    std::string Logged(UINT format) const
    {
        const std::string text = Log(), head = "format " + std::to_string(format) + " ";
        std::string hex;
        for (size_t at = text.find(head); at != std::string::npos; at = text.find(head, at + 1)) {
            if (at > 0 && text[at - 1] != '\n')
                continue;
            const size_t end = text.find('\n', at);
            const std::string line = text.substr(at, end - at);
            hex = line.substr(line.rfind(' ') + 1);
        }
        std::string bytes;
        for (size_t i = 0; i + 1 < hex.size(); i += 2)
            bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        return bytes;
    }
    // A filled leaf category with at least two product items, selected.
    CTreeNode* SelectFilledLeaf()
    {
        std::vector<CTreeNode*> leaves;
        Leaves(Catalog(), leaves);
        for (CTreeNode* leaf : leaves) {
            Select(leaf);
            int products = 0;
            for (CTreeNode* c : leaf->m_children)
                if (c->GetItem() && c->GetItem()->m_nKind == yqItem::kProductImage)
                    ++products;
            if (products >= 2)
                return leaf;
        }
        return nullptr;
    }
    fs::path log;
};

TEST_F(HandOverFrameTest, TwoItemRowsHandedOverGiveBothRecordsAndOneClosingNul)
{
    FixtureOptions options;
    options.products = 60;
    Load(options);
    ASSERT_NE(nullptr, SelectFilledLeaf());
    CListCtrl& list = List()->GetListCtrl();
    ASSERT_GE(list.GetItemCount(), 2);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    const auto* first = reinterpret_cast<const yqItem*>(list.GetItemData(0));
    const auto* second = reinterpret_cast<const yqItem*>(list.GetItemData(1));
    std::string want;
    AppendCatalogItemBlock(want, *first);
    AppendCatalogItemBlock(want, *second);
    want.push_back('\0');
    const std::string hdrop = BuildHDropBlock({first->m_strPicturePath, second->m_strPicturePath});
    frame->SetActiveView(List(), FALSE);
    frame->SendMessage(WM_COMMAND, ID_PASTE_TO_BOARD);
    ASSERT_TRUE(PumpUntil([&] { return Logged(CF_VENDAROEXPLORER).size() >= want.size(); })) << Log();
    EXPECT_EQ(Hex(want), Hex(Logged(CF_VENDAROEXPLORER).substr(0, want.size())));
    // Nothing after the closing NUL but what the allocator may round up.
    const std::string got = Logged(CF_VENDAROEXPLORER);
    EXPECT_EQ(std::string::npos, got.find_first_not_of('\0', want.size())) << Hex(got);
    EXPECT_EQ(Hex(hdrop), Hex(Logged(CF_HDROP).substr(0, hdrop.size())));
}

TEST_F(HandOverFrameTest, CopyOfAnItemGivesItsFileListAndPicture)
{
    FixtureOptions options;
    options.products = 60;
    Load(options);
    CTreeNode* leaf = SelectFilledLeaf();
    ASSERT_NE(nullptr, leaf);
    CTreeNode* node = nullptr;
    for (CTreeNode* c : leaf->m_children)
        if (!node && c->GetItem() && c->GetItem()->m_nKind == yqItem::kProductImage)
            node = c;
    ASSERT_NE(nullptr, node);
    // A picture the picture library reads (the generated ones are stubs).
    std::string bmp = "BM";
    auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<char>(v >> (8 * i))); };
    auto put16 = [&](uint16_t v) { bmp.push_back(static_cast<char>(v)); bmp.push_back(static_cast<char>(v >> 8)); };
    put32(54 + 24); put32(0); put32(54);
    put32(40); put32(4); put32(2); put16(1); put16(24); put32(0); put32(24); put32(0); put32(0); put32(0); put32(0);
    bmp.append(24, '\x30');
    WriteFile(folder + "/ITEM.BMP", bmp);
    const std::string picture = CatalogPath(folder + "/ITEM.BMP");
    node->GetItem()->m_strPicturePath = picture.c_str();

    STARTUPINFO si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + (ProgramFolder() / "QVZ.EXE").string() + "\"";
    ASSERT_TRUE(::CreateProcess(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ASSERT_TRUE(PumpUntil([] { return ::FindWindow("QvzReceiverWnd", nullptr) != nullptr; }));
    Select(node);
    tree->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    const std::string hdrop = BuildHDropBlock({CString(picture.c_str())});
    ASSERT_TRUE(PumpUntil([&] { return Logged(CF_HDROP).size() >= hdrop.size(); })) << Log();
    EXPECT_EQ(Hex(hdrop), Hex(Logged(CF_HDROP).substr(0, hdrop.size())));
    const std::string text = Log();
    EXPECT_TRUE(text.find("\nformat 8 ") != std::string::npos || text.find("\nformat 2 ") != std::string::npos ||
                text.find("\nformat 17 ") != std::string::npos)
        << text;
    EXPECT_TRUE(Logged(CF_VENDAROEXPLORER).empty());
}

}  // namespace
