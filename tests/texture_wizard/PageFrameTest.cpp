// The page frame and its number fields in real dialogs under Wine.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"

#include "NumEdit.h"
#include "Patinor.h"
#include "ViewZoom.h"
#include "WizardPage.h"
#include "WizardSettings.h"

#include <cstring>

namespace {

const UINT kResizable = 500, kFixed = 501;
const UINT kNumberField = 1200;

// A page as the pages of the wizard are made: the frame, the view lent to it, one number
// field; it records Enter in the field.
class CTestPage : public CWizardPage
{
public:
    CTestPage(UINT id, std::function<void(CTestPage&)> script) : CWizardPage(id), m_script(std::move(script)) {}

    BOOL OnInitDialog() override
    {
        CWizardPage::OnInitDialog();
        AttachView();
        SetButtonImages();
        m_number.SubclassDlgItem(kNumberField, this);
        m_number.m_nMax = 128;
        m_number.SetWindowText("0123"); // the page's own text is never checked
        if (m_script)
            RunWhenIdle([this] { m_script(*this); });
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WZM_APPLYEDIT)
            ++m_nApplied;
        if (message == WM_SIZE && wParam == SIZE_MAXIMIZED)
            m_bMaximised = true;
        return CWizardPage::WindowProc(message, wParam, lParam);
    }

    CNumEdit m_number;
    int m_nApplied = 0;
    bool m_bMaximised = false;
    std::function<void(CTestPage&)> m_script;
};

class PageFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GetWizardSettings() = CWizardSettings();
        m_wizard = new CTextureWizard;
        m_image.reset(MakeImage(200, 150, [](int x, int y) { return RGB(x, y, 128); }));
        TheApp().m_nAnswer = IDOK;
        TheApp().m_messages.clear();
    }
    void TearDown() override
    {
        if (CTextureWizard::m_pDIBView != NULL)
            CTextureWizard::m_pDIBView->DetachImage();
        delete m_wizard;
    }
    int Run(UINT id, std::function<void(CTestPage&)> script)
    {
        CWizardResourceScope scope;
        bool ran = false;
        CTestPage page(id, [this, script, &ran](CTestPage& p) {
            ran = true;
            if (p.m_pView != NULL && p.m_pView->GetWorkingInfo() == NULL) {
                p.m_pView->SetImage(m_image.get());
                p.m_pView->UpdateWindow();
            }
            script(p);
        });
        const int result = static_cast<int>(page.DoModal());
        EXPECT_TRUE(ran) << "the page never ran its script";
        return result;
    }
    static void Click(CWnd& page, UINT id)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, id)));
    }
    static bool Enabled(CWnd& page, UINT id) { return ::IsWindowEnabled(::GetDlgItem(page.m_hWnd, id)) != FALSE; }
    static int ListIndex(CWnd& page)
    {
        return static_cast<int>(page.SendDlgItemMessage(IDC_WIZ_ZOOMLIST, CB_GETCURSEL, 0, 0));
    }

    CTextureWizard* m_wizard = NULL;
    std::unique_ptr<CImage> m_image;
};

TEST_F(PageFrameTest, CaptionShowsTheStepInFullWidth)
{
    CTextureWizard::m_nStep = 3;
    CString caption;
    Run(kFixed, [&](CTestPage& page) {
        page.GetWindowText(caption);
        page.EndDialog(IDOK);
    });
    // "画像加工ウィザード ステップ３"
    EXPECT_STREQ("\x89\xe6\x91\x9c\x89\xc1\x8d\x48\x83\x45\x83\x42\x83\x55\x81\x5b\x83\x68 "
                 "\x83\x58\x83\x65\x83\x62\x83\x76\x82\x52",
                 (const char*)caption);
    // The first page gave the texture record its pasting-method defaults.
    int32_t first;
    memcpy(&first, GetWizardSettings().TextureInfo.m_PasteMethod, 4);
    EXPECT_EQ(1, first);
}

TEST_F(PageFrameTest, PlacementCarriesFromPageToPage)
{
    CWizardSettings& settings = GetWizardSettings();
    bool maximised = false;
    CRect initial;
    CSize nextGap;
    EXPECT_EQ(WIZARD_RESULT_NEXT, Run(kResizable, [&](CTestPage& page) {
        // The maximise is posted after the showing. Under Xvfb, with no window manager, Wine may
        // take the window out of the maximised state again later: what counts is that it was.
        maximised = PumpUntil([&] { return page.m_bMaximised; });
        page.ShowWindow(SW_RESTORE);
        initial = CRect(page.m_rcShown);
        CRect window, next;
        page.GetWindowRect(&window);
        ::GetWindowRect(::GetDlgItem(page.m_hWnd, IDC_WIZ_NEXT), &next);
        nextGap = CSize(window.right - next.right, window.bottom - next.bottom);
        Click(page, IDC_WIZ_NEXT);
    }));
    EXPECT_TRUE(maximised);
    EXPECT_FALSE(settings.LastPageMaximized);

    // Restored, moved and grown: the next page opens there.
    const CRect moved(40, 30, 40 + initial.Width() + 60, 30 + initial.Height() + 50);
    EXPECT_EQ(WIZARD_RESULT_BACK, Run(kResizable, [&](CTestPage& page) {
        EXPECT_FALSE(page.IsZoomed());
        page.MoveWindow(&moved);
        Click(page, IDC_WIZ_BACK);
    }));
    EXPECT_EQ(moved, CRect(settings.LastPageRect));
    CRect opened;
    Run(kResizable, [&](CTestPage& page) {
        page.GetWindowRect(&opened);
        // It cannot shrink below its template.
        MINMAXINFO info = {};
        page.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(page.m_nInitialWidth, info.ptMinTrackSize.x);
        EXPECT_EQ(page.m_nInitialHeight, info.ptMinTrackSize.y);
        // Grown by 60 x 50, the buttons kept their distance from the corner.
        CRect next;
        ::GetWindowRect(::GetDlgItem(page.m_hWnd, IDC_WIZ_NEXT), &next);
        EXPECT_EQ(nextGap, CSize(opened.right - next.right, opened.bottom - next.bottom));
        page.EndDialog(IDOK);
    });
    EXPECT_EQ(moved, opened);

    // A fixed page moved by the user passes on only its position.
    Run(kFixed, [&](CTestPage& page) {
        CRect r;
        page.GetWindowRect(&r);
        EXPECT_EQ(moved.TopLeft(), r.TopLeft());
        page.SetWindowPos(NULL, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Click(page, IDC_WIZ_NEXT);
    });
    EXPECT_EQ(CRect(100, 120, 100 + moved.Width(), 120 + moved.Height()), CRect(settings.LastPageRect));
}

TEST_F(PageFrameTest, ZoomButtonsListAndKeysAgree)
{
    Run(kResizable, [&](CTestPage& page) {
        CEditDIBView* view = page.m_pView;
        ASSERT_NE(nullptr, view);
        view->SetZoom(MakeZoom(1, 1));
        for (int i = 0; i < 5; ++i)
            Click(page, IDC_WIZ_ZOOMIN);
        EXPECT_EQ(MakeZoom(8, 1), view->m_nZoom);
        EXPECT_FALSE(Enabled(page, IDC_WIZ_ZOOMIN));
        EXPECT_TRUE(Enabled(page, IDC_WIZ_ZOOMOUT));
        EXPECT_EQ(0, ListIndex(page));

        page.SendDlgItemMessage(IDC_WIZ_ZOOMLIST, CB_SETCURSEL, 6, 0);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WIZ_ZOOMLIST, CBN_SELENDOK),
                         reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, IDC_WIZ_ZOOMLIST)));
        EXPECT_EQ(MakeZoom(1, 8), view->m_nZoom);
        EXPECT_FALSE(Enabled(page, IDC_WIZ_ZOOMOUT));
        EXPECT_TRUE(Enabled(page, IDC_WIZ_ZOOMIN));

        ::SetFocus(::GetDlgItem(page.m_hWnd, IDC_WIZ_NEXT));
        CtrlKey(VK_ADD);
        EXPECT_EQ(MakeZoom(1, 4), view->m_nZoom);
        EXPECT_EQ(5, ListIndex(page));
        CtrlKey(VK_SUBTRACT);
        EXPECT_EQ(MakeZoom(1, 8), view->m_nZoom);
        EXPECT_FALSE(Enabled(page, IDC_WIZ_ZOOMOUT));
        page.EndDialog(IDOK);
    });
}

TEST_F(PageFrameTest, EnterAppliesInANumberFieldAndEndsThePageElsewhere)
{
    int applied = -1;
    EXPECT_EQ(WIZARD_RESULT_NEXT, Run(kResizable, [&](CTestPage& page) {
        page.m_number.SetFocus();
        PumpUntil([&] { return page.m_bEditFocus != FALSE; });
        EXPECT_TRUE(page.m_bEditFocus);
        PressKey(VK_RETURN);
        PumpUntil([&] { return page.m_nApplied > 0; });
        applied = page.m_nApplied;
        // Still running: now Enter on a button presses the default one.
        ::SetFocus(::GetDlgItem(page.m_hWnd, IDC_WIZ_ZOOMLIST));
        PumpUntil([&] { return page.m_bEditFocus == FALSE; });
        PressKey(VK_RETURN);
    }));
    EXPECT_EQ(1, applied);
}

TEST_F(PageFrameTest, CtrlZRevertsTheView)
{
    Run(kResizable, [&](CTestPage& page) {
        CEditDIBView* view = page.m_pView;
        view->RotateQuarter(1);
        EXPECT_TRUE(Enabled(page, IDC_WIZ_REVERT));
        EXPECT_EQ(150, view->m_nImageWidth);
        ::SetFocus(::GetDlgItem(page.m_hWnd, IDC_WIZ_NEXT));
        CtrlKey('Z');
        EXPECT_EQ(200, view->m_nImageWidth);
        EXPECT_FALSE(Enabled(page, IDC_WIZ_REVERT));
        page.EndDialog(IDOK);
    });
}

TEST_F(PageFrameTest, CancelAsksFirst)
{
    TheApp().m_nAnswer = IDNO;
    bool stillThere = false;
    EXPECT_EQ(IDCANCEL, Run(kFixed, [&](CTestPage& page) {
        page.m_pView->RotateQuarter(2);
        Click(page, IDCANCEL);
        stillThere = ::IsWindow(page.m_hWnd) && page.m_pView->m_nAngle == 18000;
        TheApp().m_nAnswer = IDYES;
        Click(page, IDCANCEL);
    }));
    EXPECT_TRUE(stillThere);
    ASSERT_EQ(2u, TheApp().m_messages.size());
    EXPECT_EQ(0u, TheApp().m_messages[0].find("\x89\xe6\x91\x9c")); // "画像加工ウィザードを終了します。…"
}

TEST_F(PageFrameTest, TheViewGoesBackToTheDesktopWhenThePageCloses)
{
    Run(kResizable, [&](CTestPage& page) {
        EXPECT_EQ(::GetDlgItem(page.m_hWnd, IDC_WIZ_VIEW), ::GetParent(page.m_pView->m_hWnd));
        EXPECT_TRUE(page.m_pView->IsWindowVisible());
        page.EndDialog(IDOK);
    });
    EXPECT_EQ(::GetDesktopWindow(), ::GetParent(CTextureWizard::m_pDIBView->m_hWnd));
    EXPECT_FALSE(CTextureWizard::m_pDIBView->IsWindowVisible());
}

// Typing into the number field as the user would, key by key.
std::string Type(CNumEdit& edit, const char* keys)
{
    for (const char* k = keys; *k; ++k)
        edit.SendMessage(WM_CHAR, static_cast<BYTE>(*k), 1);
    CString text;
    edit.GetWindowText(text);
    return std::string((const char*)text);
}

TEST_F(PageFrameTest, NumberFieldsRefuseWhatIsNoNumber)
{
    Run(kFixed, [&](CTestPage& page) {
        CNumEdit& edit = page.m_number;
        CString first;
        edit.GetWindowText(first);
        EXPECT_STREQ("0123", (const char*)first);
        struct Case {
            int minimum, maximum;
            const char* keys;
            const char* text;
        } cases[] = {
            {0, 128, "129", "12"},
            {0, 128, "05", "0"},
            {-128, 128, "-500", "-500"},
            {0, 999, "1a-2", "12"},
            {0, 2147483647, "99999999999", "999999999"},
        };
        for (const Case& c : cases) {
            edit.m_nMin = c.minimum;
            edit.m_nMax = c.maximum;
            edit.SetWindowText("");
            EXPECT_EQ(c.text, Type(edit, c.keys)) << c.keys;
        }
        page.EndDialog(IDOK);
    });
}

} // namespace
