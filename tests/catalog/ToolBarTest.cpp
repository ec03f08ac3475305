// The browser's tool bar and icon buttons as they look on the screen: flat buttons, the hot
// frame and its timer, embossed disabled buttons, etched separators, the gripper, the owner's
// custom-draw stages; the icon button's pressed shift, hot state and colours; the tool tips;
// the splitter's command routing.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "IconButton.h"
#include "ToolBarEx.h"
#include "afxtest/ThreadPump.h"
#include "resource.h"
#include "yqSplitterWnd.h"

namespace {

COLORREF ScreenPixel(CWnd& wnd, int x, int y, bool window = false)
{
    CRect rc;
    if (window) {
        wnd.GetWindowRect(&rc);
    } else {
        wnd.GetClientRect(&rc);
        wnd.ClientToScreen(&rc);
    }
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, rc.left + x, rc.top + y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

// A frame that owns the bar and logs what its custom-draw notifications say.
class CDrawLogFrame : public CFrameWnd {
public:
    struct Entry {
        DWORD stage;
        DWORD_PTR item;
        UINT state;
    };
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        auto* nm = reinterpret_cast<NMHDR*>(lParam);
        if (nm->code == NM_CUSTOMDRAW && nm->hwndFrom == bar.GetSafeHwnd()) {
            auto* cd = reinterpret_cast<ToolBarCustomDraw*>(lParam);
            log.push_back({cd->nmcd.dwDrawStage, cd->nmcd.dwItemSpec, cd->nmcd.uItemState});
            EXPECT_EQ(&bar, cd->toolBar);
            EXPECT_EQ(m_hWnd, cd->owner);
            *result = cd->nmcd.dwDrawStage == CDDS_PREPAINT ? prePaintAnswer
                      : cd->nmcd.dwItemSpec == skipItem     ? CDRF_SKIPDEFAULT
                                                            : CDRF_NOTIFYPOSTPAINT;
            return TRUE;
        }
        return CFrameWnd::OnNotify(wParam, lParam, result);
    }
    CToolBarEx bar;
    std::vector<Entry> log;
    LRESULT prePaintAnswer = 0;
    UINT skipItem = 0;
};

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetCursorPos(700, 700);
        frame = new CDrawLogFrame;
        ASSERT_TRUE(frame->Create(nullptr, "bar", WS_OVERLAPPEDWINDOW, CRect(20, 20, 520, 220)));
        ASSERT_TRUE(frame->bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0),
                                        AFX_IDW_TOOLBAR));
        ASSERT_TRUE(frame->bar.LoadToolBar(IDR_MAINFRAME));
        frame->ShowWindow(SW_SHOW);
        frame->RecalcLayout();
        frame->SetForegroundWindow();
        // Buttons 0 (back) enabled, 1 (forward) disabled, 5 (thumbnails) checked.
        bar().SetButtonStyle(1, TBBS_BUTTON | TBBS_DISABLED);
        bar().SetButtonStyle(5, TBBS_CHECKBOX | TBBS_CHECKED);
        Repaint();
    }
    void TearDown() override
    {
        ::SetCursorPos(700, 700);
        frame->DestroyWindow();
    }
    CToolBarEx& bar() { return frame->bar; }
    void Repaint()
    {
        bar().RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
        PumpPending();
    }
    // Paints what is pending and lets the window's picture reach the screen.
    void Flush()
    {
        bar().UpdateWindow();
        PumpPending();
    }
    CRect Item(int i)
    {
        CRect rc;
        bar().GetItemRect(i, &rc);
        return rc;
    }
    CPoint ScreenOf(CPoint client)
    {
        bar().ClientToScreen(&client);
        return client;
    }
    CDrawLogFrame* frame = nullptr;
};

TEST_F(ToolBarTest, FlatUntilHotThenRaisedAndClearedByTheTimerAfterLeaving)
{
    const CRect back = Item(0);
    // Flat: no frame around an enabled button.
    EXPECT_EQ(bar().GetFaceColor(), ScreenPixel(bar(), back.left, back.top));
    EXPECT_EQ(bar().GetFaceColor(), ScreenPixel(bar(), back.right - 1, back.bottom - 1));

    const CPoint inside = back.CenterPoint();
    const CPoint at = ScreenOf(inside);
    ::SetCursorPos(at.x, at.y);
    CPoint now;
    ::GetCursorPos(&now);
    ASSERT_EQ(at, now);
    bar().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    Flush();
    EXPECT_EQ(0, bar().GetHotButton());
    EXPECT_EQ(bar().GetHighlightColor(), ScreenPixel(bar(), back.left, back.top));
    EXPECT_EQ(bar().GetShadowColor(), ScreenPixel(bar(), back.right - 1, back.bottom - 1));

    // A disabled button under the pointer never becomes hot.
    const CPoint onDisabled = Item(1).CenterPoint();
    bar().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onDisabled.x, onDisabled.y));
    EXPECT_EQ(-1, bar().GetHotButton());
    bar().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    Flush();
    ASSERT_EQ(0, bar().GetHotButton());

    // Off the bar without another move over it: only the timer clears the frame.
    ::SetCursorPos(700, 700);
    const DWORD left = ::GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return bar().GetHotButton() == -1; }));
    const DWORD elapsed = ::GetTickCount() - left;
    Flush();
    EXPECT_EQ(bar().GetFaceColor(), ScreenPixel(bar(), back.left, back.top));
    std::printf("hot frame cleared %lu ms after leaving\n", static_cast<unsigned long>(elapsed));
    EXPECT_LT(elapsed, 250u + 300u);  // one 250 ms timer, with the test's pumping slack
}

TEST_F(ToolBarTest, DisabledButtonIsEmbossedAndCheckedOneSunken)
{
    const CRect off = Item(1);
    std::set<COLORREF> seen;
    for (int y = off.top; y < off.bottom; ++y)
        for (int x = off.left; x < off.right; ++x)
            seen.insert(ScreenPixel(bar(), x, y));
    // Only the face, the highlight and the shadow: the picture's own colours are gone.
    EXPECT_TRUE(seen.count(bar().GetHighlightColor()));
    EXPECT_TRUE(seen.count(bar().GetShadowColor()));
    for (COLORREF c : seen)
        EXPECT_TRUE(c == bar().GetFaceColor() || c == bar().GetHighlightColor() || c == bar().GetShadowColor())
            << std::hex << c;

    const CRect checked = Item(5);
    EXPECT_EQ(bar().GetShadowColor(), ScreenPixel(bar(), checked.left, checked.top));
    EXPECT_EQ(bar().GetHighlightColor(), ScreenPixel(bar(), checked.right - 1, checked.bottom - 1));
    // Inside the inner face-coloured frame the background is the light colour.
    EXPECT_EQ(bar().GetFaceColor(), ScreenPixel(bar(), checked.left + 1, checked.top + 1));
    EXPECT_EQ(bar().GetLightColor(), ScreenPixel(bar(), checked.left + 2, checked.top + 2));
}

TEST_F(ToolBarTest, EtchedSeparatorsExceptWideOnesAndADoubleGripper)
{
    const CRect sep = Item(2);
    const int middle = (sep.left + sep.right) / 2, y = sep.top + sep.Height() / 2;
    EXPECT_EQ(bar().GetShadowColor(), ScreenPixel(bar(), middle - 1, y));
    EXPECT_EQ(bar().GetHighlightColor(), ScreenPixel(bar(), middle, y));

    // A separator wide enough for an embedded control has no line.
    bar().MakeRoomFor(ID_SEARCH_BOX, 150);
    frame->RecalcLayout();
    Repaint();
    const CRect wide = Item(bar().CommandToIndex(ID_SEARCH_BOX));
    CRect client;
    bar().GetClientRect(&client);
    ASSERT_TRUE(client.PtInRect(wide.CenterPoint()));
    // (The bar's background is its parent's: here a plain frame's.)
    const int wideMiddle = (wide.left + wide.right) / 2;
    const COLORREF background = ScreenPixel(bar(), wide.left + 1, y);
    EXPECT_NE(bar().GetShadowColor(), background);
    EXPECT_EQ(background, ScreenPixel(bar(), wideMiddle - 1, y));
    EXPECT_EQ(background, ScreenPixel(bar(), wideMiddle, y));

    // Two raised 3-pixel strips, 4 pixels in from the window's edge.
    CRect window;
    bar().GetWindowRect(&window);
    const int gy = window.Height() / 2;
    EXPECT_EQ(bar().GetHighlightColor(), ScreenPixel(bar(), 4, gy, true));
    EXPECT_EQ(bar().GetShadowColor(), ScreenPixel(bar(), 6, gy, true));
    EXPECT_EQ(bar().GetHighlightColor(), ScreenPixel(bar(), 7, gy, true));
    EXPECT_EQ(bar().GetShadowColor(), ScreenPixel(bar(), 9, gy, true));
    // The client area starts right of the gripper.
    bar().GetClientRect(&client);
    bar().ClientToScreen(&client);
    EXPECT_GE(client.left - window.left, 4);
}

TEST_F(ToolBarTest, OwnerLogsTheCustomDrawStages)
{
    // A 0 answer: the pre-paint stage alone.
    frame->log.clear();
    Repaint();
    ASSERT_FALSE(frame->log.empty());
    for (const auto& e : frame->log)
        EXPECT_EQ(static_cast<DWORD>(CDDS_PREPAINT), e.stage);

    // Item stages asked for, one button's default drawing skipped.
    frame->prePaintAnswer = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    frame->skipItem = ID_GO_FORWARD;
    frame->log.clear();
    Repaint();
    ASSERT_GE(frame->log.size(), 3u);
    EXPECT_EQ(static_cast<DWORD>(CDDS_PREPAINT), frame->log.front().stage);
    EXPECT_EQ(static_cast<DWORD>(CDDS_POSTPAINT), frame->log.back().stage);
    std::vector<DWORD_PTR> pre, post;
    for (const auto& e : frame->log) {
        if (e.stage == CDDS_ITEMPREPAINT) {
            pre.push_back(e.item);
            if (e.item == ID_GO_FORWARD)
                EXPECT_EQ(static_cast<UINT>(CDIS_DISABLED), e.state);
            if (e.item == ID_VIEW_THUMBNAILS)
                EXPECT_EQ(static_cast<UINT>(CDIS_CHECKED), e.state);
        } else if (e.stage == CDDS_ITEMPOSTPAINT) {
            post.push_back(e.item);
        }
    }
    EXPECT_NE(pre.end(), std::find(pre.begin(), pre.end(), ID_GO_BACK));
    EXPECT_NE(pre.end(), std::find(pre.begin(), pre.end(), ID_GO_FORWARD));
    // The skipped button gets no post-paint; the others do.
    EXPECT_EQ(post.end(), std::find(post.begin(), post.end(), ID_GO_FORWARD));
    EXPECT_NE(post.end(), std::find(post.begin(), post.end(), ID_GO_BACK));
}

TEST_F(ToolBarTest, ToolTipsTakeTheirTextFromTheProgramsStrings)
{
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(frame));
    ASSERT_TRUE(AddToolTipWindow(tip, &bar(), ID_GO_BACK));
    const RECT rc = {0, 0, 20, 20};
    ASSERT_TRUE(AddToolTipRect(tip, &bar(), ID_VIEW_REFRESH, rc, 7));
    EXPECT_EQ(2, static_cast<int>(tip.SendMessage(TTM_GETTOOLCOUNT)));
    char text[128] = {};
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = bar().GetSafeHwnd();
    ti.uId = 7;
    ti.lpszText = text;
    tip.SendMessage(TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ("最新の情報に更新します\n再読込", text);
    RemoveToolTipRect(tip, &bar(), ID_VIEW_REFRESH, rc, 7);
    EXPECT_EQ(1, static_cast<int>(tip.SendMessage(TTM_GETTOOLCOUNT)));
    tip.DestroyWindow();
}

// --- icon button -------------------------------------------------------------------------------

class CTestIconButton : public CIconButton {
public:
    using CIconButton::DrawItem;
};

// Draws the button into a bitmap of its own size and returns the pixels.
std::vector<COLORREF> Render(CTestIconButton& button, UINT state, int w, int h)
{
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, w, h);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = button.GetSafeHwnd();
    dis.hDC = mem;
    dis.rcItem = {0, 0, w, h};
    dis.itemState = state;
    button.DrawItem(&dis);
    std::vector<COLORREF> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px[static_cast<size_t>(y) * w + x] = ::GetPixel(mem, x, y);
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    return px;
}

// The box of the pixels that differ from the background, inside the 2-pixel border.
CRect InkBox(const std::vector<COLORREF>& px, int w, int h)
{
    const COLORREF back = px[static_cast<size_t>(3) * w + 3];
    CRect box(w, h, 0, 0);
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x)
            if (px[static_cast<size_t>(y) * w + x] != back) {
                box.left = std::min<int>(box.left, x);
                box.top = std::min<int>(box.top, y);
                box.right = std::max<int>(box.right, x + 1);
                box.bottom = std::max<int>(box.bottom, y + 1);
            }
    return box;
}

class IconButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = new CFrameWnd;  // a frame deletes itself when its window ends
        ASSERT_TRUE(parent->Create(nullptr, "icons", WS_OVERLAPPEDWINDOW, CRect(40, 40, 300, 200)));
        ASSERT_TRUE(button.Create("戻る", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 10 + kW, 10 + kH), parent,
                                  ID_GO_BACK));
        parent->ShowWindow(SW_SHOW);
        // One icon for both states.
        button.SetIcon(IDI_BACK, 0, 40, 16);
        button.ShowCaption(FALSE);
    }
    void TearDown() override { parent->DestroyWindow(); }
    static constexpr int kW = 48, kH = 24;
    CFrameWnd* parent = nullptr;
    CTestIconButton button;
};

TEST_F(IconButtonTest, OneIconCentredAndMovedOnePixelWhenPressed)
{
    const auto up = Render(button, 0, kW, kH), down = Render(button, ODS_SELECTED, kW, kH);
    const CRect a = InkBox(up, kW, kH), b = InkBox(down, kW, kH);
    ASSERT_FALSE(a.IsRectEmpty());
    EXPECT_EQ(a.Width(), b.Width());
    EXPECT_EQ(a.Height(), b.Height());
    EXPECT_EQ(a.left + 1, b.left);
    EXPECT_EQ(a.top + 1, b.top);
    // Captions off: the icon's 40 x 16 cell sits in the middle.
    EXPECT_LE(a.left, (kW - 40) / 2 + 40);
    EXPECT_GE(a.left, (kW - 40) / 2);
    EXPECT_GE(a.top, (kH - 16) / 2);
    EXPECT_LE(a.bottom, (kH - 16) / 2 + 16);
    for (int y = a.top; y < a.bottom; ++y)
        for (int x = a.left; x < a.right; ++x)
            EXPECT_EQ(up[static_cast<size_t>(y) * kW + x], down[static_cast<size_t>(y + 1) * kW + x + 1]);
}

TEST_F(IconButtonTest, HotOnlyWhenEnteredWithTheButtonUpAndFramedThen)
{
    button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(button.IsHot());
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.IsHot());
    EXPECT_EQ(button.GetSafeHwnd(), ::GetCapture());
    const auto hot = Render(button, 0, kW, kH);
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), hot[0]);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), hot[static_cast<size_t>(kH - 1) * kW + kW - 1]);
    // Out of the button: cold again and the capture let go.
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(kW + 20, 5));
    EXPECT_FALSE(button.IsHot());
    EXPECT_NE(button.GetSafeHwnd(), ::GetCapture());
    const auto cold = Render(button, 0, kW, kH);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), cold[0]);
}

TEST_F(IconButtonTest, ColourChangesOfTheSystemResetTheButtonsColours)
{
    button.SetHotBkColor(RGB(255, 0, 0), FALSE);
    button.SetNormalTextColor(RGB(0, 255, 0), FALSE);
    button.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), button.GetHotBkColor());
    EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), button.GetNormalTextColor());
    EXPECT_EQ(23, CIconButton::GetRevisionNumber());
    EXPECT_TRUE(button.GetStyle() & BS_OWNERDRAW);
}

// --- splitter routing --------------------------------------------------------------------------

class CAnsweringView : public CView {
    DECLARE_DYNCREATE(CAnsweringView)
public:
    static std::vector<CAnsweringView*> s_answered;
protected:
    void OnDraw(CDC*) override {}
    afx_msg void OnRefresh() { s_answered.push_back(this); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CAnsweringView, CView)
BEGIN_MESSAGE_MAP(CAnsweringView, CView)
    ON_COMMAND(ID_VIEW_REFRESH, OnRefresh)
END_MESSAGE_MAP()
std::vector<CAnsweringView*> CAnsweringView::s_answered;

class CSplitFrame : public CFrameWnd {
public:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override
    {
        return split.CreateStatic(this, 1, 2) &&
               split.CreateView(0, 0, RUNTIME_CLASS(CAnsweringView), CSize(100, 100), context) &&
               split.CreateView(0, 1, RUNTIME_CLASS(CAnsweringView), CSize(100, 100), context);
    }
    yqSplitterWnd split;
};

TEST(SplitterRouting, BothPanesHandleItAndTheFirstTakesIt)
{
    auto* frame = new CSplitFrame;
    ASSERT_TRUE(frame->Create(nullptr, "split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CAnsweringView::s_answered.clear();
    EXPECT_TRUE(frame->split.OnCmdMsg(ID_VIEW_REFRESH, CN_COMMAND, nullptr, nullptr));
    ASSERT_EQ(1u, CAnsweringView::s_answered.size());
    EXPECT_EQ(frame->split.GetPane(0, 0), CAnsweringView::s_answered[0]);
    // A command no pane handles is the splitter's own, and it has none.
    EXPECT_FALSE(frame->split.OnCmdMsg(ID_GO_FORWARD, CN_COMMAND, nullptr, nullptr));
    frame->DestroyWindow();
}

}  // namespace
