// The step loop through the page maker: which step follows which result, what the slots
// hold, the captions, and how it ends when a page cannot be made.
#include <gtest/gtest.h>

#include "WizardTestSupport.h"

#include "Patinor.h"
#include "WizardPage.h"
#include "WizardSettings.h"

#include <deque>
#include <string>

namespace {

const UINT kFixed = 501;

struct StepRecord {
    int step;
    std::string caption;
    bool slot0;
};

std::deque<int> g_results;
std::vector<StepRecord> g_seen;
bool g_failCreation = false;

// A page that notes its step and caption, then ends with the next scripted result.
class CScriptedPage : public CWizardPage
{
public:
    CScriptedPage() : CWizardPage(g_failCreation ? 9999 : kFixed) {}
    BOOL OnInitDialog() override
    {
        CWizardPage::OnInitDialog();
        CString caption;
        GetWindowText(caption);
        g_seen.push_back(StepRecord{CTextureWizard::m_nStep, std::string(caption), CTextureWizard::GetDIBData(0) != NULL});
        // Each page puts a picture in the next slot, as the real ones do.
        if (CTextureWizard::m_nStep <= 3)
            CTextureWizard::SetDIBData(MakeImage(4, 4, [](int, int) { return RGB(1, 2, 3); }), CTextureWizard::m_nStep - 1);
        const int result = g_results.empty() ? IDCANCEL : g_results.front();
        if (!g_results.empty())
            g_results.pop_front();
        RunWhenIdle([this, result] { EndDialog(result); }, 1);
        return TRUE;
    }
};

CDialog* MakeScripted(WizardType type, int step)
{
    const int last = type == WIZARD_TYPE_EDIT ? 4 : 3;
    return step >= 1 && step <= last ? new CScriptedPage : NULL;
}

std::string FullWidthDigit(int n)
{
    // "ステップ" followed by the Shift-JIS full-width digit.
    const char digit[3] = {'\x82', static_cast<char>(0x4F + n), 0};
    return std::string("\x83\x58\x83\x65\x83\x62\x83\x76") + digit;
}

class StepLoopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GetWizardSettings() = CWizardSettings();
        m_previous = SetWizardPageMaker(MakeScripted);
        g_results.clear();
        g_seen.clear();
        g_failCreation = false;
        TheApp().m_messages.clear();
    }
    void TearDown() override { SetWizardPageMaker(m_previous); }

    std::vector<int> Steps() const
    {
        std::vector<int> steps;
        for (const StepRecord& r : g_seen)
            steps.push_back(r.step);
        return steps;
    }

    WizardPageMaker m_previous = NULL;
};

TEST_F(StepLoopTest, NextThroughEveryStepThenTakeIn)
{
    CTextureWizard wizard;
    g_results = {WIZARD_RESULT_NEXT, WIZARD_RESULT_NEXT, WIZARD_RESULT_NEXT, IDOK};
    EXPECT_EQ(IDOK, wizard.DisplayWizard());
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), Steps());
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(std::string::npos, g_seen[i].caption.find(FullWidthDigit(i + 1))) << g_seen[i].caption;
}

TEST_F(StepLoopTest, ResultsMoveTheStep)
{
    struct Case {
        const char* name;
        std::deque<int> results;
        std::vector<int> steps;
        int outcome;
    } cases[] = {
        {"back to the input page", {WIZARD_RESULT_NEXT, WIZARD_RESULT_BACK, IDCANCEL}, {1, 2, 1}, IDCANCEL},
        {"restart", {WIZARD_RESULT_NEXT, WIZARD_RESULT_NEXT, WIZARD_RESULT_RESTART, IDCANCEL}, {1, 2, 3, 1}, IDCANCEL},
        {"stay", {WIZARD_RESULT_NEXT, WIZARD_RESULT_STAY, 7, IDOK}, {1, 2, 2, 2}, IDOK},
        {"past the last step", {WIZARD_RESULT_NEXT, WIZARD_RESULT_NEXT, WIZARD_RESULT_NEXT, WIZARD_RESULT_NEXT},
         {1, 2, 3, 4}, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_seen.clear();
        g_results = c.results;
        CTextureWizard wizard;
        EXPECT_EQ(c.outcome, wizard.DisplayWizard());
        EXPECT_EQ(c.steps, Steps());
    }
}

TEST_F(StepLoopTest, StepOneOfTheImageWizardEmptiesTheSlots)
{
    CTextureWizard wizard;
    g_results = {WIZARD_RESULT_NEXT, WIZARD_RESULT_BACK, IDCANCEL};
    wizard.DisplayWizard();
    ASSERT_EQ(3u, g_seen.size());
    EXPECT_FALSE(g_seen[0].slot0);
    EXPECT_TRUE(g_seen[1].slot0);
    EXPECT_FALSE(g_seen[2].slot0) << "back on step 1, the slots were cleared";
}

TEST_F(StepLoopTest, APageThatCannotBeMadeEndsTheWizard)
{
    CTextureWizard wizard;
    g_failCreation = true;
    TheApp().m_nAnswer = IDOK;
    EXPECT_EQ(IDCANCEL, wizard.DisplayWizard());
    EXPECT_TRUE(g_seen.empty());
    EXPECT_EQ(1u, TheApp().m_messages.size()) << "the user is told once, not shown the step for ever";
}

TEST_F(StepLoopTest, ScannerWizardWithoutManagerShowsNoPage)
{
    // The manager is looked for in an empty folder.
    CTwainFolder none("C:\\no-such-folder");
    CTextureWizard wizard(WIZARD_TYPE_SCANNER);
    EXPECT_EQ(IDCANCEL, wizard.DisplayWizard());
    EXPECT_TRUE(g_seen.empty());
    EXPECT_TRUE(wizard.GetDataFileName().IsEmpty());
}

} // namespace
