// The pages of the wizard in real dialogs under Wine: what each control does to the
// picture, the remembered settings and the slots.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"

#include "BmpFileImage.h"
#include "ColorPage.h"
#include "EditDIBView.h"
#include "InputPage.h"
#include "Patinor.h"
#include "RangePage.h"
#include "SizePage.h"
#include "ThumbFileDialog.h"
#include "WizardSettings.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

class WizardPagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GetWizardSettings() = CWizardSettings();
        // Pages open restored, so that nothing waits on a maximise.
        GetWizardSettings().LastPageMaximized = FALSE;
        m_wizard = new CTextureWizard;
        TheApp().m_nAnswer = IDOK;
        TheApp().m_messages.clear();
    }
    void TearDown() override
    {
        delete m_wizard;
        CTextureWizard::m_nWizardType = WIZARD_TYPE_EDIT;
    }

    template <class Page, class... Args>
    int Run(std::function<void(CScripted<Page>&)> script, Args... args)
    {
        CWizardResourceScope scope;
        bool ran = false;
        CScripted<Page> page(
            [&](CScripted<Page>& p) {
                ran = true;
                script(p);
            },
            args...);
        const int result = static_cast<int>(page.DoModal());
        EXPECT_TRUE(ran) << "the page never ran its script";
        return result;
    }

    static SIZE SlotSize(int slot)
    {
        SIZE size = {0, 0};
        if (CImage* image = CTextureWizard::GetDIBData(slot))
            if (const BITMAPINFOHEADER* info = image->GetInfo(0))
                size = SIZE{info->biWidth, info->biHeight};
        return size;
    }

    CTextureWizard* m_wizard = NULL;
};

COLORREF Pattern(int x, int y)
{
    return RGB((x * 7) & 255, (y * 5) & 255, (x + y) & 255);
}

TEST_F(WizardPagesTest, AngleTurnsAddUpFromTheSource)
{
    struct Case {
        const char* name;
        int start;        // the view's angle before
        const char* typed;
        bool clockwise;   // "右回転"
        int presses;
        int angle;        // the view's angle after
    } cases[] = {
        {"30 anticlockwise twice", 0, "30", false, 2, 6000},
        {"90 clockwise is a quarter turn", 0, "90", true, 1, 27000},
        {"hundredths are cut", 0, "12.345", false, 1, 1234},
        {"adds to the current angle", 9000, "45", false, 1, 13500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTextureWizard::SetDIBData(MakeImage(40, 30, Pattern), 0);
        GetWizardSettings().RotateLeft = !c.clockwise;
        Run<CRangePage>([&](CScripted<CRangePage>& page) {
            CEditDIBView* view = page.m_pView;
            if (c.start != 0)
                page.Rotate(c.start);
            page.m_angle.SetWindowText(c.typed);
            for (int i = 0; i < c.presses; ++i)
                Click(page, IDC_RANGE_ROTATE);
            EXPECT_EQ(c.angle, view->m_nAngle);
            if (c.angle == 27000) {
                // Done as an exact quarter turn: the sides swap, nothing is resampled.
                EXPECT_EQ(30, view->GetWorkingInfo()->biWidth);
                EXPECT_EQ(40, view->GetWorkingInfo()->biHeight);
                EXPECT_EQ(Pattern(39, 0), WorkingPixel(*view, 29, 39));
            }
            Click(page, IDC_RANGE_RESET);
            EXPECT_EQ(0, view->m_nAngle);
            page.EndDialog(IDCANCEL);
        });
    }
}

TEST_F(WizardPagesTest, TheSpinChangesOnlyTheText)
{
    CTextureWizard::SetDIBData(MakeImage(40, 30, Pattern), 0);
    Run<CRangePage>([&](CScripted<CRangePage>& page) {
        NMUPDOWN change = {};
        change.hdr.hwndFrom = page.m_spin.m_hWnd;
        change.hdr.idFrom = IDC_RANGE_SPIN;
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = 1;
        page.SendMessage(WM_NOTIFY, IDC_RANGE_SPIN, reinterpret_cast<LPARAM>(&change));
        CString text;
        page.m_angle.GetWindowText(text);
        EXPECT_STREQ("1.00", text);
        EXPECT_EQ(0, page.m_pView->m_nAngle);
        page.EndDialog(IDCANCEL);
    });
}

TEST_F(WizardPagesTest, TilingFreezesTheAngleControls)
{
    CTextureWizard::SetDIBData(MakeImage(40, 30, Pattern), 0);
    Run<CRangePage>([&](CScripted<CRangePage>& page) {
        page.GetDlgItem(IDC_RANGE_TILING)->ShowWindow(SW_SHOW);
        page.CheckDlgButton(IDC_RANGE_TILING, BST_CHECKED);
        Click(page, IDC_RANGE_TILING);
        for (UINT id : {1006u, 1027u, 1059u, 1029u, 1098u, 1099u, 1097u, 1100u, 1101u, 1030u})
            EXPECT_FALSE(Enabled(page, id)) << id;
        EXPECT_TRUE(GetWizardSettings().TilingCheck);
        page.CheckDlgButton(IDC_RANGE_TILING, BST_UNCHECKED);
        Click(page, IDC_RANGE_TILING);
        EXPECT_TRUE(Enabled(page, IDC_RANGE_ROTATE));
        page.EndDialog(IDCANCEL);
    });
}

TEST_F(WizardPagesTest, AngleNextCutsToTheBoxOrTakesAll)
{
    for (bool part : {true, false}) {
        SCOPED_TRACE(part ? "part" : "all");
        CTextureWizard::SetDIBData(MakeImage(40, 30, Pattern), 0);
        GetWizardSettings().UsePartOfImage = part;
        GetWizardSettings().UsedRange = RECT{5, 4, 25, 20};
        EXPECT_EQ(WIZARD_RESULT_NEXT, Run<CRangePage>([&](CScripted<CRangePage>& page) {
            Click(page, IDC_RANGE_RESET); // the view keeps its angle from the last case
            Click(page, IDC_RANGE_TURN_LEFT);
            Click(page, IDC_WIZ_NEXT);
        }));
        const SIZE size = SlotSize(1);
        if (part) {
            EXPECT_EQ(20, size.cx);
            EXPECT_EQ(16, size.cy);
        } else {
            EXPECT_EQ(30, size.cx) << "the whole turned picture";
            EXPECT_EQ(40, size.cy);
        }
        const RECT target = GetWizardSettings().TargetSize;
        EXPECT_EQ(size.cx, target.right);
        EXPECT_TRUE(GetWizardSettings().AdjustImageSize);
    }
}

TEST_F(WizardPagesTest, ScannerAnglePageHasNoBack)
{
    CTextureWizard::m_nWizardType = WIZARD_TYPE_SCANNER;
    CTextureWizard::SetDIBData(MakeImage(40, 30, Pattern), 0);
    Run<CRangePage>([&](CScripted<CRangePage>& page) {
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page.m_hWnd, IDC_WIZ_BACK)));
        CRect back, cancel;
        ::GetWindowRect(::GetDlgItem(page.m_hWnd, IDC_WIZ_BACK), &back);
        ::GetWindowRect(::GetDlgItem(page.m_hWnd, IDCANCEL), &cancel);
        EXPECT_EQ(back.TopLeft(), cancel.TopLeft()) << "Cancel stands where Back was";
        page.EndDialog(IDCANCEL);
    });
}

TEST_F(WizardPagesTest, PagesWithAnEmptySlotGoBack)
{
    // Each page shows the slot the step before filled; here it is empty.
    struct Case {
        const char* name;
        std::function<CDialog*()> make;
    } cases[] = {
        {"angle", [] { return new CRangePage; }},
        {"size", [] { return new CSizePage; }},
        {"colour", [] { return new CColorPage(IDD_COLOR_PAGE); }},
    };
    for (const Case& c : cases) {
        CRecordingNotify notify;
        CWizardResourceScope scope;
        std::unique_ptr<CDialog> page(c.make());
        EXPECT_EQ(WIZARD_RESULT_BACK, page->DoModal()) << c.name;
        EXPECT_EQ(std::vector<UINT>{119}, notify.m_errors) << c.name;
    }
}

class SizePageTest : public WizardPagesTest
{
protected:
    void SetUp() override
    {
        WizardPagesTest::SetUp();
        CImage* source = MakeImage(400, 300, Pattern);
        CTextureWizard::SetDIBData(source, 0);
        CTextureWizard::SetDIBData(new CImage(*WorkingCopy(source), RECT{}), 1);
        CWizardSettings& settings = GetWizardSettings();
        settings.OnAnglePageConstructed();
        settings.OnAnglePageNext(400, 300);
    }
    // Layer 1 of an image as the view leaves it: here the source itself.
    static CImage* WorkingCopy(CImage* image)
    {
        image->SetLayer(image->GetInfo(0), image->GetBits(0), 1);
        return image;
    }
};

TEST_F(SizePageTest, KeptAspectFollowsTheTypedWidth)
{
    Run<CSizePage>([&](CScripted<CSizePage>& page) {
        struct {
            const char* width;
            const char* height;
        } cases[] = {{"200", "150"}, {"3", "2"}};
        for (const auto& c : cases) {
            TypeText(page, IDC_SIZE_WIDTH, c.width);
            CString height;
            page.GetDlgItemText(IDC_SIZE_HEIGHT, height);
            EXPECT_STREQ(c.height, height) << c.width;
        }
        TypeText(page, IDC_SIZE_WIDTH, "200");
        page.SendMessage(WZM_APPLYEDIT);
        EXPECT_EQ(200, page.m_pView->GetWorkingInfo()->biWidth);
        EXPECT_EQ(150, page.m_pView->GetWorkingInfo()->biHeight);
        page.EndDialog(IDCANCEL);
    });
}

TEST(SizePageRules, KeptSideInSixtyFourBits)
{
    EXPECT_EQ(150, CSizePage::KeptSide(200, 400, 300));
    EXPECT_EQ(2, CSizePage::KeptSide(3, 400, 300));
    EXPECT_EQ(1610612735, CSizePage::KeptSide(2147483647, 400, 300)) << "300 times the width overflows an int";
    EXPECT_EQ(0, CSizePage::KeptSide(5, 0, 300));
}

TEST_F(SizePageTest, SizesOutsideOneTo16384AreRefused)
{
    Run<CSizePage>([&](CScripted<CSizePage>& page) {
        for (const char* width : {"0", "20000"}) {
            TheApp().m_messages.clear();
            page.SetDlgItemText(IDC_SIZE_HEIGHT, "300");
            TypeText(page, IDC_SIZE_WIDTH, width);
            page.SetDlgItemText(IDC_SIZE_HEIGHT, "300");
            ::SetFocus(::GetDlgItem(page.m_hWnd, IDC_SIZE_WIDTH));
            page.SendMessage(WZM_APPLYEDIT);
            EXPECT_EQ(1u, TheApp().m_messages.size()) << width;
            EXPECT_EQ(400, page.m_pView->GetWorkingInfo()->biWidth) << width;
            EXPECT_EQ(300, page.m_pView->GetWorkingInfo()->biHeight) << width;
        }
        page.EndDialog(IDCANCEL);
    });
}

TEST_F(SizePageTest, AdjustOffLeavesOnlyTheCropBox)
{
    EXPECT_EQ(WIZARD_RESULT_NEXT, Run<CSizePage>([&](CScripted<CSizePage>& page) {
        EXPECT_TRUE(Enabled(page, IDC_SIZE_WIDTH));
        page.CheckDlgButton(IDC_SIZE_ADJUST, BST_UNCHECKED);
        Click(page, IDC_SIZE_ADJUST);
        for (UINT id : {1061u, 1062u, 1031u})
            EXPECT_FALSE(Enabled(page, id)) << id;
        page.m_pView->SetCropBox(10, 20, 110, 70, FALSE);
        Click(page, IDC_WIZ_NEXT);
    }));
    EXPECT_EQ(100, SlotSize(2).cx);
    EXPECT_EQ(50, SlotSize(2).cy);
    EXPECT_FALSE(GetWizardSettings().AdjustImageSize);
}

TEST_F(SizePageTest, NextWithoutACropBoxTakesTheWholeResizedPicture)
{
    EXPECT_EQ(WIZARD_RESULT_NEXT, Run<CSizePage>([&](CScripted<CSizePage>& page) {
        TypeText(page, IDC_SIZE_WIDTH, "100");
        page.SendMessage(WZM_APPLYEDIT);
        Click(page, IDC_WIZ_NEXT);
    }));
    EXPECT_EQ(100, SlotSize(2).cx);
    EXPECT_EQ(75, SlotSize(2).cy);
}

TEST_F(SizePageTest, ADragOfTheBoxFillsBothEdits)
{
    Run<CSizePage>([&](CScripted<CSizePage>& page) {
        CEditDIBView* view = page.m_pView;
        view->UpdateWindow(); // the first paint chooses the zoom
        ASSERT_EQ(CRect(0, 0, 400, 300), CRect(view->m_rcRange));
        // The box's bottom-right corner, taken just inside and drawn to half the width; the
        // kept aspect gives the height.
        const CPoint from = view->ImageToClient(CPoint(400, 300)) - CSize(2, 2);
        const CPoint to = view->ImageToClient(CPoint(200, 150)) - CSize(2, 2);
        view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        ASSERT_TRUE(view->m_bDragging);
        view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        CString w, h, size;
        page.GetDlgItemText(IDC_SIZE_WIDTH, w);
        page.GetDlgItemText(IDC_SIZE_HEIGHT, h);
        page.GetDlgItemText(IDC_WIZ_SIZETEXT, size);
        EXPECT_STREQ("200", w);
        EXPECT_STREQ("150", h);
        EXPECT_STREQ("サイズ: 200pixel × 150pixel", size);
        EXPECT_EQ(200, view->GetWorkingInfo()->biWidth) << "the release resamples";
        EXPECT_EQ(200, GetWizardSettings().TargetSize.right);
        EXPECT_EQ(150, GetWizardSettings().TargetSize.bottom);
        page.EndDialog(IDCANCEL);
    });
}

class ColorPageTest : public WizardPagesTest
{
protected:
    void SetUp() override
    {
        WizardPagesTest::SetUp();
        CTextureWizard::SetDIBData(MakeImage(8, 6, [](int, int) { return RGB(100, 100, 100); }), 2);
    }
    static void Slide(CColorPage& page, CSliderCtrl& slider, int pos)
    {
        slider.SetPos(pos);
        page.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, pos), reinterpret_cast<LPARAM>(slider.m_hWnd));
        page.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider.m_hWnd));
    }
    static std::vector<std::string> TempResults()
    {
        char folder[MAX_PATH];
        ::GetTempPathA(MAX_PATH, folder);
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE h = ::FindFirstFileA((std::string(folder) + "ttp*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do
                names.push_back(std::string(folder) + found.cFileName);
            while (::FindNextFileA(h, &found));
            ::FindClose(h);
        }
        return names;
    }
};

TEST_F(ColorPageTest, BrightnessAddsToEachColourAndRevertsOnce)
{
    Run<CColorPage>(
        [&](CScripted<CColorPage>& page) {
            Slide(page, page.m_brightness, 40);
            Slide(page, page.m_red, 20);
            CString text;
            page.m_redEdit.GetWindowText(text);
            EXPECT_STREQ("20", text);
            EXPECT_EQ(RGB(160, 140, 140), WorkingPixel(*page.m_pView, 3, 3)) << "(60, 40, 40) on grey 100";
            Click(page, IDC_WIZ_REVERT);
            EXPECT_EQ(RGB(140, 140, 140), WorkingPixel(*page.m_pView, 3, 3));
            EXPECT_FALSE(Enabled(page, IDC_WIZ_REVERT)) << "one step only";
            page.EndDialog(IDCANCEL);
        },
        static_cast<UINT>(IDD_COLOR_PAGE), static_cast<CWnd*>(NULL));
}

TEST_F(ColorPageTest, TypedOffsetsKeepTheSliderRange)
{
    Run<CColorPage>(
        [&](CScripted<CColorPage>& page) {
            page.m_redEdit.SetFocus();
            page.m_redEdit.SetWindowText("");
            for (char ch : std::string("200"))
                page.m_redEdit.SendMessage(WM_CHAR, ch, 0);
            CString text;
            page.m_redEdit.GetWindowText(text);
            EXPECT_STREQ("20", text) << "200 is over the maximum while typing";
            page.m_redEdit.SetWindowText("-500");
            page.SendMessage(WZM_APPLYEDIT);
            EXPECT_EQ(-128, page.m_red.GetPos());
            EXPECT_EQ(-128, GetWizardSettings().ColorAdjust[1]);
            page.EndDialog(IDCANCEL);
        },
        static_cast<UINT>(IDD_COLOR_PAGE), static_cast<CWnd*>(NULL));
}

TEST_F(ColorPageTest, TakeInWritesTheWorkingLayerAsA24BitBmp)
{
    const size_t before = TempResults().size();
    EXPECT_EQ(IDOK, Run<CColorPage>(
                        [&](CScripted<CColorPage>& page) {
                            Slide(page, page.m_red, 20);
                            Click(page, IDC_WIZ_TAKE);
                        },
                        static_cast<UINT>(IDD_COLOR_PAGE), static_cast<CWnd*>(NULL)));
    const CString name = m_wizard->GetDataFileName();
    ASSERT_FALSE(name.IsEmpty());
    EXPECT_EQ(before + 1, TempResults().size());
    CBmpFileImage written;
    ASSERT_TRUE(written.Load(name, 0, NULL));
    written.SetLayer(written.GetInfo(0), written.GetBits(0), 1);
    EXPECT_EQ(8, written.GetInfo(0)->biWidth);
    EXPECT_EQ(6, written.GetInfo(0)->biHeight);
    const BYTE* p = written.GetBits(0);
    EXPECT_EQ(120, p[2]);
    EXPECT_EQ(100, p[1]);
    written.SetLayer(NULL, NULL, 1);

    // The same wizard writes the same file again.
    CTextureWizard::SetDIBData(MakeImage(8, 6, [](int, int) { return RGB(1, 2, 3); }), 2);
    EXPECT_EQ(IDOK, Run<CColorPage>([&](CScripted<CColorPage>& page) { Click(page, IDC_WIZ_TAKE); },
                                    static_cast<UINT>(IDD_COLOR_PAGE), static_cast<CWnd*>(NULL)));
    EXPECT_STREQ(name, m_wizard->GetDataFileName());
    EXPECT_EQ(before + 1, TempResults().size());
    delete m_wizard;
    m_wizard = NULL;
    EXPECT_EQ(before, TempResults().size()) << "the wizard takes its file with it";

    // A new wizard starts without a name and makes its own file.
    m_wizard = new CTextureWizard;
    EXPECT_TRUE(m_wizard->GetDataFileName().IsEmpty());
    CTextureWizard::SetDIBData(MakeImage(8, 6, [](int, int) { return RGB(1, 2, 3); }), 2);
    EXPECT_EQ(IDOK, Run<CColorPage>([&](CScripted<CColorPage>& page) { Click(page, IDC_WIZ_TAKE); },
                                    static_cast<UINT>(IDD_COLOR_PAGE), static_cast<CWnd*>(NULL)));
    EXPECT_FALSE(m_wizard->GetDataFileName().IsEmpty());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(m_wizard->GetDataFileName()));
    EXPECT_EQ(before + 1, TempResults().size());
}

TEST_F(ColorPageTest, AFailedTakeInStaysWithoutAFile)
{
    char saved[MAX_PATH] = "";
    ::GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    char savedTemp[MAX_PATH] = "";
    ::GetEnvironmentVariableA("TEMP", savedTemp, MAX_PATH);
    struct Case {
        const char* name;
        const char* temp;   // the temporary folder, or NULL for the usual one
        const char* made;   // a result name made by an earlier run, or NULL
    } cases[] = {
        {"no temporary folder for a new name", "C:\\no-such-folder\\inner", NULL},
        {"the save into the name fails", NULL, "C:\\no-such-folder\\ttp1.tmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TheApp().m_messages.clear();
        const size_t before = TempResults().size();
        if (c.temp != NULL) {
            ::SetEnvironmentVariableA("TMP", c.temp);
            ::SetEnvironmentVariableA("TEMP", c.temp);
        }
        CTextureWizard::m_strSaveFileName = c.made != NULL ? c.made : "";
        bool stayed = false;
        EXPECT_EQ(IDCANCEL, Run<CColorPage>(
                                [&](CScripted<CColorPage>& page) {
                                    Click(page, IDC_WIZ_TAKE);
                                    stayed = ::IsWindowVisible(page.m_hWnd) != FALSE;
                                    page.EndDialog(IDCANCEL);
                                },
                                static_cast<UINT>(IDD_COLOR_PAGE), static_cast<CWnd*>(NULL)));
        ::SetEnvironmentVariableA("TMP", saved[0] != '\0' ? saved : NULL);
        ::SetEnvironmentVariableA("TEMP", savedTemp[0] != '\0' ? savedTemp : NULL);
        EXPECT_TRUE(stayed);
        EXPECT_EQ(1u, TheApp().m_messages.size());
        EXPECT_TRUE(m_wizard->GetDataFileName().IsEmpty()) << "no name that promises a picture";
        EXPECT_EQ(before, TempResults().size());
    }
}

TEST_F(WizardPagesTest, InputPageWithoutManagerKeepsScannerCheckedButDisabled)
{
    CTwainFolder none("C:\\no-such-folder");
    GetWizardSettings().InputMethod = 2;
    Run<CInputPage>([&](CScripted<CInputPage>& page) {
        for (UINT id : {1010u, 1073u, 1074u})
            EXPECT_FALSE(Enabled(page, id)) << id;
        EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_INPUT_SCANNER));
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page.m_hWnd, IDC_WIZ_BACK)));
        page.EndDialog(IDCANCEL);
    });
}

TEST(InputFileKind, ByExtensionWhateverTheCase)
{
    struct {
        const char* path;
        int kind;
    } cases[] = {{"C:\\a\\b.JPEG", 1}, {"x.Jpg", 1}, {"C:\\p.BMP", 2}, {"t.kjq", 3},
                 {"C:\\a.b\\c.png", 0}, {"C:\\dir.bmp\\noext", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.kind, InputFileKind(c.path)) << c.path;
}

TEST(ThumbPreview, ScaledIntoTheAreaKeepingTheAspect)
{
    struct {
        int W, H, w, h, cx, cy;
    } cases[] = {{130, 115, 640, 480, 130, 97}, {130, 115, 100, 400, 28, 115}, {130, 115, 0, 10, 0, 0},
                 {200, 100, 100000, 50000, 200, 100}};
    for (const auto& c : cases) {
        const SIZE size = PreviewSize(c.W, c.H, c.w, c.h);
        EXPECT_EQ(c.cx, size.cx) << c.w << "x" << c.h;
        EXPECT_EQ(c.cy, size.cy) << c.w << "x" << c.h;
    }
}

} // namespace
