// More of the pages under Wine: the angle field and its spin as a user types and clicks,
// the input page's file dialog driven through its own controls, the black-fill tools, and
// the texture-info page's save and question.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"

#include "BlackFillPage.h"
#include "BmpFileImage.h"
#include "ColorPage.h"
#include "EditDIBView.h"
#include "InputPage.h"
#include "Patinor.h"
#include "RangePage.h"
#include "TextureInfo.h"
#include "TextureInfoPage.h"
#include "WizardSettings.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

COLORREF Pattern(int x, int y)
{
    return RGB((x * 7) & 255, (y * 5) & 255, (x + y) & 255);
}

class PagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GetWizardSettings() = CWizardSettings();
        GetWizardSettings().LastPageMaximized = FALSE;
        m_wizard = new CTextureWizard;
        TheApp().m_nAnswer = IDOK;
        TheApp().m_messages.clear();
    }
    void TearDown() override { delete m_wizard; }

    template <class Page, class... Args>
    int Run(std::function<void(CScripted<Page>&)> script, Args... args)
    {
        CWizardResourceScope scope;
        CScripted<Page> page(script, args...);
        return static_cast<int>(page.DoModal());
    }

    CTextureWizard* m_wizard = NULL;
};

std::string Typed(CEdit& field, const char* keys)
{
    field.SetFocus();
    for (const char* p = keys; *p != '\0'; ++p)
        field.SendMessage(WM_CHAR, static_cast<unsigned char>(*p), 1);
    CString text;
    field.GetWindowText(text);
    return std::string(text);
}

TEST_F(PagesTest, AngleFieldAndSpinAsTheUserUsesThem)
{
    CTextureWizard::SetDIBData(MakeImage(20, 10, Pattern), 0);
    Run<CRangePage>([&](CScripted<CRangePage>& page) {
        struct {
            const char* keys;
            const char* text;
        } cases[] = {{"12.5", "12.5"}, {"1.2.3", "1.23"}, {"012", "0"}, {"360", "36"}, {"12.3.4", "12.3.4"}};
        for (const auto& c : cases) {
            page.m_angle.SetWindowText("");
            EXPECT_EQ(c.text, Typed(page.m_angle, c.keys)) << c.keys;
        }
        auto spin = [&](int delta) {
            NMUPDOWN change = {};
            change.hdr.hwndFrom = page.m_spin.m_hWnd;
            change.hdr.idFrom = IDC_RANGE_SPIN;
            change.hdr.code = UDN_DELTAPOS;
            change.iDelta = delta;
            page.SendMessage(WM_NOTIFY, IDC_RANGE_SPIN, reinterpret_cast<LPARAM>(&change));
            CString text;
            page.m_angle.GetWindowText(text);
            return std::string(text);
        };
        page.m_angle.SetWindowText("358.50");
        EXPECT_EQ("359.50", spin(1));
        EXPECT_EQ("359.50", spin(1)) << "360.50 is past the maximum";
        page.m_angle.SetWindowText("0.50");
        EXPECT_EQ("0.50", spin(-1));
        page.EndDialog(IDCANCEL);
    });
}

TEST_F(PagesTest, CtrlZOnTheColourPageRevertsTheView)
{
    CTextureWizard::SetDIBData(MakeImage(8, 6, [](int, int) { return RGB(100, 100, 100); }), 2);
    Run<CColorPage>(
        [&](CScripted<CColorPage>& page) {
            page.m_red.SetPos(30);
            page.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(page.m_red.m_hWnd));
            EXPECT_EQ(RGB(130, 100, 100), WorkingPixel(*page.m_pView, 1, 1));
            ::SetFocus(::GetDlgItem(page.m_hWnd, IDC_WIZ_TAKE));
            CtrlKey('Z');
            // The balance keeps no undo layer of the view: nothing to take back there, and
            // the page's own one-step revert did not run.
            EXPECT_EQ(RGB(130, 100, 100), WorkingPixel(*page.m_pView, 1, 1));
            EXPECT_EQ(30, GetWizardSettings().ColorAdjust[1]);
            page.EndDialog(IDCANCEL);
        },
        static_cast<UINT>(IDD_COLOR_PAGE), static_cast<CWnd*>(NULL));
}

TEST_F(PagesTest, BlackFillToolsActAsOneGroup)
{
    CTextureWizard::SetDIBData(MakeImage(30, 20, Pattern), 2);
    Run<CBlackFillPage>([&](CScripted<CBlackFillPage>& page) {
        EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_FILL_TOOL1)) << "the size page chose tool 1";
        for (UINT tool : {IDC_FILL_TOOL3, IDC_FILL_TOOL2, IDC_FILL_TOOL4}) {
            page.CheckDlgButton(tool, BST_CHECKED);
            Click(page, tool);
            for (UINT other = IDC_FILL_TOOL1; other <= IDC_FILL_TOOL4; ++other)
                EXPECT_EQ(other == tool ? BST_CHECKED : BST_UNCHECKED, page.IsDlgButtonChecked(other)) << tool;
            EXPECT_EQ(static_cast<int>(tool - IDC_FILL_TOOL1) + 1, GetWizardSettings().BlackFillTool);
        }
        Click(page, IDC_WIZ_NEXT);
    });
    ASSERT_NE(nullptr, CTextureWizard::GetDIBData(3));
    EXPECT_EQ(30, CTextureWizard::GetDIBData(3)->GetInfo(0)->biWidth);
}

TEST_F(PagesTest, TextureInfoSavesItsRecordAndAsksWhatNext)
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "wizard2-info.kjq";
    struct {
        UINT answer;
        int result;
    } cases[] = {{6, IDOK}, {7, WIZARD_RESULT_STAY}, {1004, WIZARD_RESULT_RESTART}};
    for (const auto& c : cases) {
        CImage* picture = MakeImage(12, 9, Pattern);
        picture->SetLayer(picture->GetInfo(0), picture->GetBits(0), 1);
        CTextureWizard::SetDIBData(picture, 3);
        ::DeleteFileA(path.c_str());
        const int result = Run<CTextureInfoPage>([&](CScripted<CTextureInfoPage>& page) {
            // 円筒 forces the repetition choice.
            page.SendDlgItemMessage(IDC_INFO_METHOD, CB_SETCURSEL, 1, 0);
            page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_INFO_METHOD, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, IDC_INFO_METHOD)));
            EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_INFO_REPEAT));
            EXPECT_FALSE(Enabled(page, IDC_INFO_SIZE));
            EXPECT_FALSE(Enabled(page, IDC_INFO_SIZE_W));
            EXPECT_TRUE(Enabled(page, IDC_INFO_REPEAT_X));
            page.SendDlgItemMessage(IDC_INFO_METHOD, CB_SETCURSEL, 3, 0);
            page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_INFO_METHOD, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, IDC_INFO_METHOD)));
            EXPECT_TRUE(Enabled(page, IDC_INFO_SIZE));
            page.SetDlgItemText(IDC_INFO_NAME, "タイル");
            page.SetDlgItemText(IDC_INFO_PRICE, "1200");
            page.m_strSavePath = path.c_str();
            // The question comes up inside the save: answer it once it shows.
            std::function<void()> answer = [&] {
                HWND question = ::FindWindowExA(NULL, NULL, "#32770", NULL);
                while (question != NULL && ::GetDlgItem(question, 1004) == NULL)
                    question = ::FindWindowExA(NULL, question, "#32770", NULL);
                if (question == NULL || !::IsWindowVisible(question)) {
                    RunWhenIdle(answer, 50);
                    return;
                }
                ::SendMessageA(question, WM_COMMAND, MAKEWPARAM(c.answer, BN_CLICKED), 0);
            };
            RunWhenIdle(answer, 50);
            Click(page, IDC_WIZ_TAKE);
        });
        EXPECT_EQ(c.result, result) << c.answer;
        CTextureInfo read;
        CBmpFileImage loaded;
        ASSERT_TRUE(loaded.Load(path.c_str(), 0, &read)) << c.answer;
        EXPECT_STREQ("タイル", read.m_strName);
        EXPECT_EQ(1200, read.m_nPrice);
        EXPECT_EQ(0, memcmp(read.m_PasteMethod, GetWizardSettings().TextureInfo.m_PasteMethod, 68));
    }
    ::DeleteFileA(path.c_str());
}

TEST_F(PagesTest, CreateBitmapHoldsLayerZero)
{
    std::unique_ptr<CImage> image(MakeImage(9, 7, Pattern));
    std::unique_ptr<CBitmap> bitmap(image->CreateBitmap());
    ASSERT_NE(nullptr, bitmap);
    HDC dc = ::CreateCompatibleDC(NULL);
    HDC screen = ::GetDC(NULL);
    HBITMAP copy = ::CreateCompatibleBitmap(screen, 9, 7);
    ::ReleaseDC(NULL, screen);
    HGDIOBJ old = ::SelectObject(dc, copy);
    HDC from = ::CreateCompatibleDC(NULL);
    HGDIOBJ oldFrom = ::SelectObject(from, bitmap->GetSafeHandle());
    ::BitBlt(dc, 0, 0, 9, 7, from, 0, 0, SRCCOPY);
    int wrong = 0;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
            wrong += ::GetPixel(dc, x, y) != Pattern(x, y);
    EXPECT_EQ(0, wrong);
    ::SelectObject(from, oldFrom);
    ::DeleteDC(from);
    ::SelectObject(dc, old);
    ::DeleteObject(copy);
    ::DeleteDC(dc);
    CImage empty;
    EXPECT_EQ(nullptr, empty.CreateBitmap());
}

// The input page's file dialog, driven through its own controls.
class InputPageTest : public PagesTest
{
protected:
    void SetUp() override
    {
        PagesTest::SetUp();
        char folder[MAX_PATH];
        ::GetTempPathA(MAX_PATH, folder);
        m_dir = std::string(folder) + "wizard2-input";
        ::CreateDirectoryA(m_dir.c_str(), NULL);
        std::unique_ptr<CImage> picture(MakeImage(16, 12, Pattern));
        picture->SetLayer(picture->GetInfo(0), picture->GetBits(0), 1);
        for (const char* name : {"a.BMP", "b.png"})
            picture->Save((m_dir + "\\" + name).c_str(), FALSE, NULL);
        CTextureInfo info;
        info.m_strName = "床材";
        info.m_nPrice = 345;
        picture->Save((m_dir + "\\c.kjq").c_str(), FALSE, &info);
        picture->SetLayer(NULL, NULL, 1);
        lstrcpyA(CTextureWizard::m_szLoadDir, m_dir.c_str());
    }
    void TearDown() override
    {
        for (const char* name : {"a.BMP", "b.png", "c.kjq"})
            ::DeleteFileA((m_dir + "\\" + name).c_str());
        ::RemoveDirectoryA(m_dir.c_str());
        PagesTest::TearDown();
    }
    // Answers the next file dialog with a name (or Cancel when it is empty); notes the
    // folder it opened in.
    void AnswerFileDialog(const std::string& name, std::string* folder)
    {
        RunWhenIdle([this, name, folder] {
            HWND dialog = NULL;
            for (HWND w = ::FindWindowExA(NULL, NULL, "#32770", NULL); w != NULL;
                 w = ::FindWindowExA(NULL, w, "#32770", NULL))
                if (::IsWindowVisible(w) && (::GetDlgItem(w, 0x47C) != NULL || ::GetDlgItem(w, 0x480) != NULL))
                    dialog = w;
            if (dialog == NULL) {
                AnswerFileDialog(name, folder);
                return;
            }
            char path[MAX_PATH] = "";
            ::SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
            if (folder != NULL)
                *folder = path;
            if (name.empty()) {
                ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            HWND box = ::GetDlgItem(dialog, 0x47C);
            HWND edit = box != NULL ? ::FindWindowExA(box, NULL, "Edit", NULL) : ::GetDlgItem(dialog, 0x480);
            ::SetWindowTextA(edit != NULL ? edit : box, name.c_str());
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }, 100);
    }
    std::string m_dir;
};

TEST_F(InputPageTest, RefusedTypesAskAgainAndTextureFilesFillTheRecord)
{
    std::string firstFolder, secondFolder;
    bool stayed = false;
    TheApp().m_messages.clear();
    const int result = Run<CInputPage>([&](CScripted<CInputPage>& page) {
        // Cancel keeps the page.
        AnswerFileDialog("", &firstFolder);
        Click(page, IDC_WIZ_NEXT);
        stayed = ::IsWindowVisible(page.m_hWnd) != FALSE && CTextureWizard::GetDIBData(0) == NULL;
        // A PNG is refused with 127 and the dialog comes again; then the texture file.
        AnswerFileDialog("b.png", &secondFolder);
        RunWhenIdle([&] {
            AnswerFileDialog("c.kjq", NULL);
        }, 400);
        Click(page, IDC_WIZ_NEXT);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(WIZARD_RESULT_NEXT, result);
    EXPECT_STRCASEEQ(m_dir.c_str(), firstFolder.c_str()) << "the dialog opens in the remembered folder";
    EXPECT_STRCASEEQ(m_dir.c_str(), secondFolder.c_str());
    ASSERT_EQ(1u, TheApp().m_messages.size());
    EXPECT_EQ("読込むことのできないファイル形式です。", TheApp().m_messages[0]);
    ASSERT_NE(nullptr, CTextureWizard::GetDIBData(0));
    EXPECT_EQ(16, CTextureWizard::GetDIBData(0)->GetInfo(0)->biWidth);
    EXPECT_STREQ("床材", GetWizardSettings().TextureInfo.m_strName);
    EXPECT_EQ(345, GetWizardSettings().TextureInfo.m_nPrice);
    EXPECT_EQ(1, GetWizardSettings().InputMethod);
}

TEST_F(InputPageTest, ExtensionsLoadWhateverTheirCase)
{
    const int result = Run<CInputPage>([&](CScripted<CInputPage>& page) {
        AnswerFileDialog("a.BMP", NULL);
        Click(page, IDC_WIZ_NEXT);
    });
    EXPECT_EQ(WIZARD_RESULT_NEXT, result);
    ASSERT_NE(nullptr, CTextureWizard::GetDIBData(0));
    EXPECT_EQ(12, CTextureWizard::GetDIBData(0)->GetInfo(0)->biHeight);
}

} // namespace
