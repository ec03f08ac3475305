// The progress dialog, the notices sink of a running wizard, the question after a texture
// file was saved, and TWAIN without a data source manager.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"
#include "afxtest/ThreadPump.h"

#include "BmpFileImage.h"
#include "NextImageDlg.h"
#include "Patinor.h"
#include "Twain.h"
#include "WizardNotify.h"
#include "WizardProgressDlg.h"

#include <cstdio>

namespace {

// A window standing in for the host's: the progress dialog disables it while it is up.
class HostWindow
{
public:
    HostWindow()
    {
        m_hWnd = ::CreateWindowA("STATIC", "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
        ::SetActiveWindow(m_hWnd);
        ::SetForegroundWindow(m_hWnd);
    }
    ~HostWindow() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd;
};

TEST(WizardProgressDlg, TextOnlyOrABarOfTheTotal)
{
    CWizardResourceScope scope;
    HostWindow host;
    ASSERT_EQ(host.m_hWnd, ::GetActiveWindow());
    {
        CWizardProgressDlg progress;
        progress.m_strText = "TWAIN";
        ASSERT_TRUE(progress.CreateModeless());
        EXPECT_FALSE(::IsWindowEnabled(host.m_hWnd)) << "the owner is disabled while it is up";
        EXPECT_FALSE(progress.m_bar.IsWindowVisible());
        CString text;
        progress.GetDlgItemText(IDC_PROGRESS_TEXT, text);
        EXPECT_STREQ("TWAIN", text);
        progress.DestroyWindow();
        EXPECT_TRUE(::IsWindowEnabled(host.m_hWnd)) << "and enabled again when it goes";
    }
    ::SetActiveWindow(host.m_hWnd);
    CWizardProgressDlg bar;
    bar.m_nTotal = 5;
    ASSERT_TRUE(bar.CreateModeless());
    EXPECT_TRUE(bar.m_bar.IsWindowVisible());
    int low = -1, high = -1;
    bar.m_bar.GetRange(low, high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(4, high);
    bar.Step();
    bar.Step();
    EXPECT_EQ(2, bar.m_bar.GetPos());
    bar.DestroyWindow();
}

// The sink as a running wizard installs it, noting where the bar stands after each row.
class CWatchedNotify : public CWizardNotify
{
public:
    void BeginProgress(UINT nCaptionID, int nRange) override
    {
        CWizardNotify::BeginProgress(nCaptionID, nRange);
        if (m_pProgress != NULL) {
            m_pProgress->m_bar.GetRange(m_nLow, m_nHigh);
            m_pProgress->GetDlgItemText(IDC_PROGRESS_TEXT, m_strText);
        }
    }
    void StepProgress(int nPos) override
    {
        CWizardNotify::StepProgress(nPos);
        if (m_pProgress != NULL)
            m_positions.push_back(m_pProgress->m_bar.GetPos());
    }
    int m_nLow = -1, m_nHigh = -1;
    CString m_strText;
    std::vector<int> m_positions;
};

TEST(WizardNotify, EightBitSaveMovesTheBarEveryRow)
{
    std::unique_ptr<CImage> image(MakeImage(32, 64, [](int x, int y) { return RGB(x * 8, y * 4, 90); }));
    image->SetLayer(image->GetInfo(0), image->GetBits(0), 1);
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "wizard2-eightbit.bmp";
    CWatchedNotify notify;
    ASSERT_TRUE(image->Save(path.c_str(), TRUE, NULL));
    image->SetLayer(NULL, NULL, 1);
    ::DeleteFileA(path.c_str());
    EXPECT_STREQ("\x8c\xb8\x90\x46\x92\x86...", notify.m_strText); // "減色中..."
    EXPECT_EQ(0, notify.m_nLow);
    EXPECT_EQ(63, notify.m_nHigh);
    ASSERT_EQ(64u, notify.m_positions.size());
    for (int row = 0; row < 63; ++row)
        EXPECT_EQ(row + 1, notify.m_positions[row]) << "row " << row;
    EXPECT_EQ(63, notify.m_positions.back()) << "full at the end";
    EXPECT_EQ(nullptr, notify.m_pProgress) << "the dialog goes when the save ends";
}

TEST(NextImageDlg, OnlyItsThreeButtonsEndIt)
{
    CWizardResourceScope scope;
    for (UINT button : {6u, 7u, 1004u}) {
        CScripted<CNextImageDlg> question([button](CScripted<CNextImageDlg>& dlg) {
            // On a loaded machine the first idle can come before the dialog is shown.
            for (int i = 0; i < 100 && !::IsWindowVisible(dlg.m_hWnd); ++i) {
                PumpPending();
                ::Sleep(20);
            }
            EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd)) << "never shown";
            const UINT state = ::GetMenuState(::GetSystemMenu(dlg.m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND);
            EXPECT_TRUE(state & MF_GRAYED) << "Close is grey";
            dlg.SendMessage(WM_CLOSE);
            dlg.SendMessage(WM_COMMAND, IDCANCEL);
            EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));
            Click(dlg, button);
        });
        EXPECT_EQ(static_cast<int>(button), question.DoModal());
    }
}

TEST(Twain, NoManagerMeansNotAvailable)
{
    CTwainFolder none("C:\\no-such-folder");
    CTwain twain;
    EXPECT_FALSE(twain.IsAvailable());
    EXPECT_FALSE(twain.LoadManager(FALSE));
    CBmpFileImage image;
    EXPECT_FALSE(image.Acquire());
    EXPECT_EQ(nullptr, image.GetBits(0));
}

} // namespace
