// More of the pages under Wine: the angle field and its spin as a user types and clicks,
// the input page's file dialog driven through its own controls, the black-fill tools, and
// the texture-info page's save and question.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"

#include "BlackFillPage.h"
#include "BmpFileImage.h"
#include "ColorPage.h"
#include "DibFunctions.h"
#include "EditDIBView.h"
#include "InputPage.h"
#include "Patinor.h"
#include "RangePage.h"
#include "TextureInfo.h"
#include "TextureInfoPage.h"
#include "WizardSettings.h"

#include "JpegCodec.h"

#include <cstdio>
#include <deque>
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
    // A picture that comes with an undo layer: the view can take a step back.
    CImage* picture = MakeImage(8, 6, [](int, int) { return RGB(100, 100, 100); });
    CImage* undo = MakeImage(8, 6, [](int, int) { return RGB(200, 10, 20); });
    picture->SetLayer(undo->GetInfo(0), undo->GetBits(0), 2);
    undo->SetLayer(NULL, NULL, 0);
    delete undo;
    CTextureWizard::SetDIBData(picture, 2);
    Run<CColorPage>(
        [&](CScripted<CColorPage>& page) {
            EXPECT_TRUE(Enabled(page, IDC_WIZ_REVERT));
            page.m_red.SetPos(30);
            page.SendMessage(WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(page.m_red.m_hWnd));
            EXPECT_EQ(RGB(130, 100, 100), WorkingPixel(*page.m_pView, 1, 1));
            ::SetFocus(::GetDlgItem(page.m_hWnd, IDC_WIZ_TAKE));
            CtrlKey('Z');
            // The view's own step back, not the page's one-step revert of the offsets.
            EXPECT_EQ(RGB(200, 10, 20), WorkingPixel(*page.m_pView, 1, 1));
            EXPECT_FALSE(page.m_pView->m_bHasUndo);
            EXPECT_EQ(30, GetWizardSettings().ColorAdjust[1]);
            EXPECT_EQ(30, page.m_red.GetPos());
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
            // 円筒 and 球 force the repetition choice, even over a chosen size.
            auto choose = [&](int method) {
                page.SendDlgItemMessage(IDC_INFO_METHOD, CB_SETCURSEL, method, 0);
                page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_INFO_METHOD, CBN_SELCHANGE),
                                 reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, IDC_INFO_METHOD)));
            };
            for (int method : {1, 2}) {
                choose(3); // 直方体 leaves both choices open
                ASSERT_TRUE(Enabled(page, IDC_INFO_SIZE));
                page.CheckDlgButton(IDC_INFO_SIZE, BST_CHECKED);
                Click(page, IDC_INFO_SIZE);
                choose(method);
                EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_INFO_REPEAT)) << method;
                EXPECT_EQ(BST_UNCHECKED, page.IsDlgButtonChecked(IDC_INFO_SIZE)) << method;
                EXPECT_FALSE(Enabled(page, IDC_INFO_SIZE)) << method;
                EXPECT_FALSE(Enabled(page, IDC_INFO_SIZE_W)) << method;
                EXPECT_TRUE(Enabled(page, IDC_INFO_REPEAT_X)) << method;
            }
            choose(3);
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
        ::CreateDirectoryA((m_dir + "\\sub").c_str(), NULL);
        std::unique_ptr<CImage> picture(MakeImage(16, 12, Pattern));
        picture->SetLayer(picture->GetInfo(0), picture->GetBits(0), 1);
        // A texture file without its trailer is a plain BMP named .kjq.
        for (const char* name : {"a.BMP", "sub\\b.png", "plain.kjq"})
            picture->Save(Path(name).c_str(), FALSE, NULL);
        CTextureInfo info;
        info.m_strName = "床材";
        info.m_nPrice = 345;
        picture->Save(Path("c.kjq").c_str(), FALSE, &info);
        // JPEGs by the picture library's writer, from the same pixels.
        const BITMAPINFOHEADER* header = picture->GetInfo(0);
        pictal::Bytes dib(reinterpret_cast<const BYTE*>(header), reinterpret_cast<const BYTE*>(header) + sizeof(*header));
        dib.insert(dib.end(), picture->GetBits(0), picture->GetBits(0) + DibBytes24(16, 12));
        pictal::Bytes jpeg;
        EXPECT_TRUE(pictal::EncodeJpeg(dib.data(), dib.size(), 95, &jpeg));
        for (const char* name : {"d.JPEG", "e.Jpg"})
            WriteBytes(name, jpeg.data(), jpeg.size());
        WriteBytes("broken.bmp", reinterpret_cast<const BYTE*>("BM not a picture at all"), 23);
        picture->SetLayer(NULL, NULL, 1);
        lstrcpyA(CTextureWizard::m_szLoadDir, m_dir.c_str());
    }
    void TearDown() override
    {
        for (const char* name : kFiles)
            ::DeleteFileA(Path(name).c_str());
        ::RemoveDirectoryA((m_dir + "\\sub").c_str());
        ::RemoveDirectoryA(m_dir.c_str());
        PagesTest::TearDown();
    }
    std::string Path(const char* name) const { return m_dir + "\\" + name; }
    void WriteBytes(const char* name, const BYTE* data, size_t size) const
    {
        FILE* f = fopen(Path(name).c_str(), "wb");
        ASSERT_NE(nullptr, f);
        fwrite(data, 1, size, f);
        fclose(f);
    }

    // Answers the file dialogs as they come, one answer each: a name typed into the
    // file-name box and OK, or Cancel for an empty answer. Notes the folder each opened in.
    void AnswerFileDialogs(std::deque<std::string> answers)
    {
        m_answers = std::move(answers);
        m_answered = NULL;
        PollFileDialog();
    }
    void PollFileDialog()
    {
        RunWhenIdle([this] {
            HWND dialog = NULL;
            for (HWND w = ::FindWindowExA(NULL, NULL, "#32770", NULL); w != NULL;
                 w = ::FindWindowExA(NULL, w, "#32770", NULL))
                if (w != m_answered && ::IsWindowVisible(w)
                    && (::GetDlgItem(w, 0x47C) != NULL || ::GetDlgItem(w, 0x480) != NULL))
                    dialog = w;
            if (dialog == NULL) {
                PollFileDialog();
                return;
            }
            m_answered = dialog;
            char path[MAX_PATH] = "";
            ::SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
            m_folders.push_back(path);
            const std::string name = m_answers.front();
            m_answers.pop_front();
            if (name.empty()) {
                ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            } else {
                HWND box = ::GetDlgItem(dialog, 0x47C);
                HWND edit = box != NULL ? ::FindWindowExA(box, NULL, "Edit", NULL) : ::GetDlgItem(dialog, 0x480);
                ::SetWindowTextA(edit != NULL ? edit : box, name.c_str());
                ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
            if (!m_answers.empty())
                PollFileDialog();
        }, 100);
    }

    static constexpr const char* kFiles[] = {"a.BMP", "sub\\b.png", "plain.kjq", "c.kjq", "d.JPEG", "e.Jpg", "broken.bmp"};
    std::string m_dir;
    std::deque<std::string> m_answers;
    std::vector<std::string> m_folders;
    HWND m_answered = NULL;
};

TEST_F(InputPageTest, RefusedFilesAskAgainAndTextureFilesFillTheRecord)
{
    bool stayed = false;
    const std::string unreadable = "読込むことのできないファイル形式です。";
    const int result = Run<CInputPage>([&](CScripted<CInputPage>& page) {
        // A PNG in a folder below: refused by its type, the dialog again there; Cancel
        // keeps the page.
        AnswerFileDialogs({Path("sub\\b.png"), ""});
        Click(page, IDC_WIZ_NEXT);
        stayed = ::IsWindowVisible(page.m_hWnd) != FALSE && CTextureWizard::GetDIBData(0) == NULL;
        // Files of a known type that do not read are refused the same way, then the
        // texture file loads.
        AnswerFileDialogs({Path("broken.bmp"), "plain.kjq", "c.kjq"});
        Click(page, IDC_WIZ_NEXT);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(WIZARD_RESULT_NEXT, result);
    const std::string sub = m_dir + "\\sub";
    // Where each dialog opened: the remembered folder, then the folder of the refused file,
    // also after Cancel.
    const std::vector<std::string> expected = {m_dir, sub, sub, m_dir, m_dir};
    ASSERT_EQ(expected.size(), m_folders.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_STRCASEEQ(expected[i].c_str(), m_folders[i].c_str()) << "dialog " << i;
    EXPECT_EQ((std::vector<std::string>{unreadable, unreadable, unreadable}), TheApp().m_messages)
        << "a refused file is no shortage of memory";
    ASSERT_NE(nullptr, CTextureWizard::GetDIBData(0));
    EXPECT_EQ(16, CTextureWizard::GetDIBData(0)->GetInfo(0)->biWidth);
    EXPECT_STREQ("床材", GetWizardSettings().TextureInfo.m_strName);
    EXPECT_EQ(345, GetWizardSettings().TextureInfo.m_nPrice);
    EXPECT_EQ(1, GetWizardSettings().InputMethod);
}

TEST_F(InputPageTest, ExtensionsLoadWhateverTheirCase)
{
    for (const char* name : {"a.BMP", "d.JPEG", "e.Jpg"}) {
        std::string opened;
        const int result = Run<CInputPage>([&](CScripted<CInputPage>& page) {
            AnswerFileDialogs({name});
            Click(page, IDC_WIZ_NEXT);
        });
        EXPECT_EQ(WIZARD_RESULT_NEXT, result) << name;
        ASSERT_NE(nullptr, CTextureWizard::GetDIBData(0)) << name;
        EXPECT_EQ(16, CTextureWizard::GetDIBData(0)->GetInfo(0)->biWidth) << name;
        EXPECT_EQ(12, CTextureWizard::GetDIBData(0)->GetInfo(0)->biHeight) << name;
        EXPECT_TRUE(TheApp().m_messages.empty()) << name;
    }
}

} // namespace
