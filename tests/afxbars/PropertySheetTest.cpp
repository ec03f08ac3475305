// A wizard-mode property sheet stepped back and forth, pages refusing to move, finish.
#include <gtest/gtest.h>

#include "BarsRes.h"
#include "BarsTestApp.h"

namespace {

class CStepPage : public CPropertyPage {
 public:
  CStepPage(UINT nIDTemplate, DWORD dwButtons) : CPropertyPage(nIDTemplate), m_dwButtons(dwButtons) {}
  BOOL OnSetActive() override {
    ++m_nSetActive;
    static_cast<CPropertySheet*>(GetParent())->SetWizardButtons(m_dwButtons);
    return CPropertyPage::OnSetActive();
  }
  LRESULT OnWizardNext() override {
    // The first Next is refused: the page stays.
    if (m_nRefuseNext > 0) {
      --m_nRefuseNext;
      return -1;
    }
    return CPropertyPage::OnWizardNext();
  }
  BOOL OnWizardFinish() override {
    ++m_nFinish;
    return CPropertyPage::OnWizardFinish();
  }
  BOOL OnInitDialog() override {
    ++m_nInit;
    return CPropertyPage::OnInitDialog();
  }
  DWORD m_dwButtons;
  int m_nSetActive = 0;
  int m_nRefuseNext = 0;
  int m_nFinish = 0;
  int m_nInit = 0;
};

void CALLBACK OnSafetyTimer(HWND, UINT, UINT_PTR nID, DWORD) {
  ::KillTimer(NULL, nID);
  HWND hWnd = ::GetActiveWindow();
  if (hWnd != NULL) ::PostMessage(hWnd, WM_COMMAND, IDCANCEL, 0);
}

TEST(PropertySheetTest, WizardStepsBackAndForthAndFinishes) {
  CStepPage page1(IDD_PAGE1, PSWIZB_NEXT);
  CStepPage page2(IDD_PAGE2, PSWIZB_BACK | PSWIZB_NEXT);
  CStepPage page3(IDD_PAGE3, PSWIZB_BACK | PSWIZB_FINISH);
  page2.m_nRefuseNext = 1;
  CPropertySheet sheet("画像加工ウィザード");
  sheet.AddPage(&page1);
  sheet.AddPage(&page2);
  sheet.AddPage(&page3);
  sheet.SetWizardMode();
  EXPECT_EQ(sheet.GetPageCount(), 3);

  std::vector<int> steps;
  std::vector<CString> texts;
  auto press = [&](int nButton) {
    sheet.PressButton(nButton);
  };
  auto record = [&] { steps.push_back(sheet.GetActiveIndex()); };
  RunWhenIdle([&] {
    record();  // page 1
    press(PSBTN_NEXT);
    RunWhenIdle([&] {
      record();  // page 2
      ::SetDlgItemText(page2.m_hWnd, IDC_PAGE_EDIT, "値");
      press(PSBTN_NEXT);  // refused
      RunWhenIdle([&] {
        record();  // still page 2
        press(PSBTN_BACK);
        RunWhenIdle([&] {
          record();  // page 1
          press(PSBTN_NEXT);
          RunWhenIdle([&] {
            record();
            press(PSBTN_NEXT);
            RunWhenIdle([&] {
              record();  // page 3
              CString str;
              page2.GetDlgItemText(IDC_PAGE_EDIT, str);
              texts.push_back(str);
              press(PSBTN_FINISH);
            });
          });
        });
      });
    });
  });
  // A safety net: the sheet never stays up longer than the test.
  UINT_PTR nSafety = ::SetTimer(NULL, 0, 15000, OnSafetyTimer);
  int nResult = sheet.DoModal();
  ::KillTimer(NULL, nSafety);
  EXPECT_EQ(nResult, ID_WIZFINISH);
  EXPECT_EQ(steps, (std::vector<int>{0, 1, 1, 0, 1, 2}));
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], CString("値"));  // the page kept its control while another showed
  EXPECT_EQ(page1.m_nInit, 1);
  EXPECT_EQ(page1.m_nSetActive, 2);
  EXPECT_EQ(page3.m_nFinish, 1);
  EXPECT_EQ(sheet.m_hWnd, (HWND)NULL);
}

TEST(PropertySheetTest, ModelessSheetPagesAndActivePage) {
  CStepPage page1(IDD_PAGE1, 0);
  CStepPage page2(IDD_PAGE2, 0);
  CPropertySheet sheet("設定");
  sheet.AddPage(&page1);
  sheet.AddPage(&page2);
  ASSERT_TRUE(sheet.Create());
  PumpPending();
  EXPECT_EQ(CWnd::FromHandlePermanent(sheet.m_hWnd), &sheet);
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  EXPECT_EQ(sheet.GetActivePage(), &page1);
  EXPECT_TRUE(sheet.SetActivePage(&page2));
  PumpPending();
  EXPECT_EQ(sheet.GetActivePage(), &page2);
  EXPECT_EQ(CWnd::FromHandlePermanent(page2.m_hWnd), &page2);
  EXPECT_EQ(page2.GetParent(), &sheet);
  EXPECT_FALSE(sheet.SetActivePage(5));
  sheet.DestroyWindow();
  PumpPending();
}

}  // namespace
