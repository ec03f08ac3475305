// The fill buttons in a plain dialog: their face, their pop-up, and what reaches the parent.
#include <gtest/gtest.h>

#include "FillsTest.h"
#include "jvqSolidFill.h"
#include "qvzColorPaletteWnd.h"
#include "qvzFillButton.h"
#include "qvzFillPopupDlg.h"

namespace {

class FillButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    ::SetCursorPos(5, 5);
    ASSERT_TRUE(m_Host.CreateHost());
    ASSERT_TRUE(m_Plain.SubclassDlgItem(732, &m_Host));
    ASSERT_TRUE(m_Image.SubclassDlgItem(733, &m_Host));
    PumpPending();
  }
  void TearDown() override {
    if (::IsWindow(m_Host.m_hWnd)) m_Host.DestroyWindow();
    PumpPending();
  }
  // A point of the sample (the face left of the arrow), from its top-left corner.
  static CPoint SamplePoint(int dx, int dy) {
    return CPoint(2 * ::GetSystemMetrics(SM_CXEDGE) + dx, 2 * ::GetSystemMetrics(SM_CYEDGE) + dy);
  }
  // Whether some pixel of the sample's middle row has this colour.
  static bool MiddleRowHas(qvzFillButton& b, COLORREF cr) {
    CRect rc;
    b.GetClientRect(&rc);
    for (int x = 4; x < b.GetArrowRect().left - 2; x++)
      for (int y = rc.Height() / 2 - 3; y <= rc.Height() / 2 + 3; y++)
        if (ScreenPixel(&b, x, y) == cr) return true;
    return false;
  }
  CFillHostDlg m_Host;
  qvzFillButton m_Plain;
  qvzImageFillButton m_Image;
};

TEST_F(FillButtons, SizedToTheirArrow) {
  const int cxe = ::GetSystemMetrics(SM_CXEDGE), cye = ::GetSystemMetrics(SM_CYEDGE);
  const int side = std::max(std::max(5 * cxe, ::GetSystemMetrics(SM_CXHTHUMB)),
                            std::max(5 * cye, ::GetSystemMetrics(SM_CYVTHUMB)));
  CRect rc;
  m_Plain.GetClientRect(&rc);
  EXPECT_EQ(side + 2 * cye, rc.Height());
  EXPECT_EQ(rc.right - cxe, m_Plain.GetArrowRect().right);
  EXPECT_EQ(rc.right - side - cxe, m_Plain.GetArrowRect().left);
  EXPECT_EQ(cye, m_Plain.GetArrowRect().top);
}

TEST_F(FillButtons, TransparentShowsItsWordOnWhiteOrGreyWhenDisabled) {
  const CPoint corner = SamplePoint(1, 1);
  EXPECT_EQ(0xFFFFFFu, ScreenPixel(&m_Plain, corner.x, corner.y));
  EXPECT_TRUE(MiddleRowHas(m_Plain, ::GetSysColor(COLOR_WINDOWTEXT)));
  m_Plain.EnableWindow(FALSE);
  EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ScreenPixel(&m_Plain, corner.x, corner.y));
  EXPECT_TRUE(MiddleRowHas(m_Plain, ::GetSysColor(COLOR_GRAYTEXT)));
  EXPECT_FALSE(MiddleRowHas(m_Plain, ::GetSysColor(COLOR_WINDOWTEXT)));
}

TEST_F(FillButtons, DisabledPlainButtonHidesItsFillThePictureVariantShowsIt) {
  jvqSolidFill red(0x0000FF);
  m_Plain.SetFill(&red);
  m_Image.SetFill(&red);
  red.SetColor(0x00FF00);  // the buttons keep copies
  const CPoint at = SamplePoint(3, 3);
  EXPECT_EQ(0x0000FFu, ScreenPixel(&m_Plain, at.x, at.y));
  m_Plain.EnableWindow(FALSE);
  m_Image.EnableWindow(FALSE);
  EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ScreenPixel(&m_Plain, at.x, at.y));
  EXPECT_EQ(0x0000FFu, ScreenPixel(&m_Image, at.x, at.y));
  m_Plain.SetFill(NULL);
  EXPECT_EQ(nullptr, m_Plain.GetFill());
}

// A row of the arrow's pixels.
std::vector<COLORREF> ArrowPixels(qvzFillButton& b) {
  std::vector<COLORREF> v;
  const RECT& a = b.GetArrowRect();
  for (int x = a.left; x < a.right; x++) v.push_back(ScreenPixel(&b, x, a.top));
  for (int y = a.top; y < a.bottom; y++) v.push_back(ScreenPixel(&b, a.left, y));
  return v;
}

TEST_F(FillButtons, PopupOpensUnderTheButtonWithTheArrowPushedAndNoCapture) {
  const std::vector<COLORREF> before = ArrowPixels(m_Plain);
  std::vector<COLORREF> during;
  HWND hCapture = (HWND)1;
  CRect rcPopup;
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    ASSERT_NE(nullptr, p);
    during = ArrowPixels(m_Plain);
    hCapture = ::GetCapture();
    p->GetWindowRect(&rcPopup);
    p->SendMessage(WM_COMMAND, IDCANCEL);
  });
  EXPECT_NE(before, during);
  EXPECT_NE(m_Plain.m_hWnd, hCapture);
  CRect rcButton;
  m_Plain.GetWindowRect(&rcButton);
  EXPECT_EQ(rcButton.left, rcPopup.left);
  EXPECT_EQ(rcButton.bottom, rcPopup.top);
  EXPECT_EQ(nullptr, m_Plain.GetPopup());
  EXPECT_EQ(before, ArrowPixels(m_Plain));
  EXPECT_TRUE(m_Host.m_Changed.empty());  // Cancel sends nothing
}

TEST_F(FillButtons, OkHandsBackThePickAndWithoutAPickNothing) {
  jvqSolidFill blue(0xFF0000);
  m_Plain.SetFill(&blue);
  // OK without a pick: nothing sent, the fill stays.
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) { p->SendMessage(WM_COMMAND, IDOK); });
  EXPECT_TRUE(m_Host.m_Changed.empty());
  ASSERT_NE(nullptr, m_Plain.GetFill());
  EXPECT_EQ(0xFF0000u, ((jvqSolidFill*)m_Plain.GetFill())->GetColor());

  // The red cell (row 2, column 0), then OK.
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    qvzColorPaletteWnd* pal = (qvzColorPaletteWnd*)p->GetTabCtrl()->GetPage(0);
    const RECT cell = pal->GetCellRect(2, 0);
    pal->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.left + 5, cell.top + 5));
    p->SendMessage(WM_COMMAND, IDOK);
  });
  EXPECT_EQ(std::vector<UINT>{732}, m_Host.m_Changed);
  ASSERT_NE(nullptr, m_Plain.GetFill());
  EXPECT_EQ((DWORD)(FILL_BASE | FILL_SOLID), m_Plain.GetFill()->GetFlags());
  EXPECT_EQ(0x0000FFu, ((jvqSolidFill*)m_Plain.GetFill())->GetColor());

  // "透明" is a pick too.
  ClickButtonAndRun(m_Plain, [&](qvzFillPopupDlg* p) {
    qvzColorPaletteWnd* pal = (qvzColorPaletteWnd*)p->GetTabCtrl()->GetPage(0);
    const RECT clear = pal->GetTransparentRect();
    pal->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(clear.left + 5, clear.top + 5));
    p->SendMessage(WM_COMMAND, IDOK);
  });
  EXPECT_EQ((std::vector<UINT>{732, 732}), m_Host.m_Changed);
  EXPECT_EQ(nullptr, m_Plain.GetFill());
}

}  // namespace
