// The dialogs that edit the board in the editing view: paper and grid; and when two paper
// backgrounds count as the same.
#include <gtest/gtest.h>

#include "FillsEqual.h"
#include "ScriptedDialog.h"
#include "ViewFixture.h"
#include "jvqGradientFill.h"
#include "jvqPatternFill.h"
#include "jvqSolidFill.h"
#include "jvqTextureFill.h"
#include "qvzAppSettings.h"
#include "qvzGridDlg.h"
#include "qvzPaperSetupDlg.h"
#include "qvzPaperSizeDlg.h"

namespace {

TEST(FillsEqual, ByKindAndItsOwnValues) {
  jvqSolidFill red(0xFF), red2(0xFF), blue(0xFF0000);
  jvqSolidFill patterned(0xFF);
  patterned.m_nPatternIndex = 3;
  jvqGradientFill g1, g2;
  g1.m_crColor1 = g2.m_crColor1 = 1;
  g1.m_crColor2 = g2.m_crColor2 = 2;
  g1.m_nKind = g2.m_nKind = 1;
  jvqGradientFill g3(g1);
  g3.m_nKind = 2;
  jvqPatternFill p1, p2, p3;
  p1.m_crFore = p2.m_crFore = p3.m_crFore = 1;
  p1.m_crBack = p2.m_crBack = p3.m_crBack = 2;
  p1.m_nIndex = p2.m_nIndex = 4;
  p3.m_nIndex = 5;
  jvqTextureFill t1, t2, t3;
  t1.m_nIndex = t2.m_nIndex = 7;
  t3.m_nIndex = 8;
  struct Case {
    const jvqFill *a, *b;
    BOOL equal;
  } cases[] = {
      {&red, &red2, TRUE},  {&red, &blue, FALSE}, {&red, &patterned, FALSE}, {&red, NULL, FALSE},
      {NULL, NULL, FALSE},  {&g1, &g2, TRUE},     {&g1, &g3, FALSE},         {&p1, &p2, TRUE},
      {&p1, &p3, FALSE},    {&t1, &t2, TRUE},     {&t1, &t3, FALSE},         {&red, &g1, FALSE},
  };
  int n = 0;
  for (const Case& c : cases) EXPECT_EQ(c.equal, FillsEqual(c.a, c.b)) << "case " << n++;
}

TEST(PaperSizeDlg, EachSideFromFiftyToTwoThousand) {
  for (const char* bad : {"49", "2001", ""}) {
    TestApp()->m_messages.clear();
    Scripted<qvzPaperSizeDlg> dlg([bad](Scripted<qvzPaperSizeDlg>& d) {
      d.Type(1152, bad);
      d.Type(1086, "100");
      d.Click(IDOK);
      EXPECT_TRUE(::IsWindowVisible(d.m_hWnd)) << bad;
      EXPECT_EQ(d.GetDlgItem(1152)->m_hWnd, ::GetFocus());
      d.Type(1152, "50");
      d.Type(1086, "2000");
      d.Click(IDOK);
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(50, dlg.m_nWidth);
    EXPECT_EQ(2000, dlg.m_nHeight);
    EXPECT_EQ(1u, TestApp()->m_messages.size()) << bad;
  }
}

class PaperDlgTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    TestApp()->m_messages.clear();
    TestApp()->m_nAnswer = IDOK;
  }
  void SetPage(int cx, int cy) {
    RECT rc = {0, 0, cx, cy};
    m_page->SetPageRect(&rc);
  }
  RECT PageRect() {
    RECT rc;
    m_page->GetBoundRect(&rc);
    return rc;
  }
  // The sheet list's selection as the user makes it.
  template <class D>
  void ChooseSheet(D& d, int index) {
    d.m_cbSheets.SetCurSel(index);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(1145, CBN_SELCHANGE), (LPARAM)d.m_cbSheets.m_hWnd);
    PumpPending();
  }
};

TEST_F(PaperDlgTest, AnUnmatchedPageOpensOnUserSizeAndCancellingTheSizeGoesBack) {
  SetPage(1000, 1500);
  Scripted<qvzPaperSetupDlg> dlg([this](Scripted<qvzPaperSetupDlg>& d) {
    EXPECT_EQ(13, d.m_cbSheets.GetCount());
    EXPECT_EQ(12, d.m_cbSheets.GetCurSel());
    EXPECT_EQ("100mm × 150mm", d.Text(1157));
    // The size dialog cancelled by the script that runs it.
    RunWhenIdle([] {
      HWND size = ::GetActiveWindow();
      char caption[64] = "";
      ::GetWindowText(size, caption, sizeof caption);
      EXPECT_STREQ("用紙サイズの設定", caption);
      ::SendMessage(size, WM_COMMAND, IDCANCEL, 0);
    }, 200);
    ChooseSheet(d, 12);
    EXPECT_EQ(12, d.m_cbSheets.GetCurSel());
    ChooseSheet(d, 4);
    EXPECT_EQ("210mm × 297mm", d.Text(1157));
    d.Click(IDCANCEL);
  });
  dlg.SetView(m_view);
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ(1000, PageRect().right) << "Cancel changes nothing";
  EXPECT_TRUE(TestApp()->m_messages.empty());
}

TEST_F(PaperDlgTest, ChangingTheSheetAsksFirstAndCancelKeepsThePage) {
  SetPage(2100, 2970);
  m_page->SetFill(new jvqSolidFill((COLORREF)0xFFFFFF));
  m_view->m_crBackground = 0x808080;
  COLORREF outside = 0x808080;
  Scripted<qvzPaperSetupDlg> dlg([this](Scripted<qvzPaperSetupDlg>& d) {
    EXPECT_EQ(4, d.m_cbSheets.GetCurSel());
    ChooseSheet(d, 2);
    TestApp()->m_nAnswer = IDCANCEL;
    d.Click(IDOK);
    EXPECT_TRUE(::IsWindowVisible(d.m_hWnd));
    EXPECT_EQ(2100, PageRect().right);
    TestApp()->m_nAnswer = IDOK;
    d.Click(IDOK);
  });
  dlg.SetView(m_view);
  dlg.SetOutsideColorSetting(&outside);
  ASSERT_EQ(IDOK, dlg.DoModal());
  ASSERT_EQ(2u, TestApp()->m_messages.size());
  EXPECT_EQ("サイズを変更するとレイアウトはくずれます。\r\n実行しますか？", TestApp()->m_messages[0]);
  EXPECT_EQ(2970, PageRect().right);
  EXPECT_EQ(4200, PageRect().bottom);
  EXPECT_EQ(2970, m_view->m_Mapping.m_nPageWidth);
  EXPECT_EQ((int)(4200 * 1.25), m_view->m_Mapping.m_nMinMarginY);
  EXPECT_EQ(1, dlg.m_nChanged);
}

TEST_F(PaperDlgTest, NoChangeLeavesTheFlagAndATransparentPaperTurnsWhite) {
  SetPage(2970, 2100);
  m_page->SetFill(new jvqSolidFill((COLORREF)0xC0FFC0));
  m_view->m_crBackground = 0x808080;
  COLORREF outside = 0x808080;
  Scripted<qvzPaperSetupDlg> same([this](Scripted<qvzPaperSetupDlg>& d) {
    // The background button shows the page's fill.
    EXPECT_TRUE(FillsEqual(m_page->GetFill(), d.GetBackground()));
    d.Click(IDOK);
  });
  same.SetView(m_view);
  same.SetOutsideColorSetting(&outside);
  ASSERT_EQ(IDOK, same.DoModal());
  EXPECT_EQ(0, same.m_nChanged);
  EXPECT_TRUE(TestApp()->m_messages.empty()) << "the same sheet asks nothing";

  Scripted<qvzPaperSetupDlg> clear([](Scripted<qvzPaperSetupDlg>& d) {
    d.SetBackground(NULL);
    d.Click(IDOK);
  });
  clear.SetView(m_view);
  clear.SetOutsideColorSetting(&outside);
  ASSERT_EQ(IDOK, clear.DoModal());
  EXPECT_EQ(1, clear.m_nChanged);
  jvqFill* f = m_page->GetFill();
  ASSERT_NE(nullptr, f);
  ASSERT_TRUE(f->GetFlags() & FILL_SOLID);
  EXPECT_EQ(0xFFFFFFu, ((jvqSolidFill*)f)->GetColor());

  // The print-background box and the outside colour each count as a change.
  Scripted<qvzPaperSetupDlg> box([](Scripted<qvzPaperSetupDlg>& d) {
    d.CheckDlgButton(1161, BST_CHECKED);
    d.m_picker.SetColor(0x123456);
    d.Click(IDOK);
  });
  box.SetView(m_view);
  box.SetOutsideColorSetting(&outside);
  ASSERT_EQ(IDOK, box.DoModal());
  EXPECT_EQ(1, box.m_nChanged);
  EXPECT_TRUE(m_page->GetState() & 0x200);
  EXPECT_EQ(0x123456u, outside);
  EXPECT_EQ(0x123456u, m_view->m_crBackground);
}

TEST_F(PaperDlgTest, WithoutCancelOkIsCentredWithoutCloseBoxAndNothingIsAsked) {
  SetPage(2100, 2970);
  Scripted<qvzPaperSetupDlg> dlg([this](Scripted<qvzPaperSetupDlg>& d) {
    EXPECT_FALSE(d.Visible(IDCANCEL));
    EXPECT_FALSE(d.GetStyle() & WS_SYSMENU);
    CRect client, ok;
    d.GetClientRect(&client);
    d.GetDlgItem(IDOK)->GetWindowRect(&ok);
    d.ScreenToClient(&ok);
    EXPECT_NEAR(client.Width() / 2, (ok.left + ok.right) / 2, 1);
    ChooseSheet(d, 0);
    d.Click(IDOK);
  });
  dlg.SetView(m_view);
  dlg.AllowCancel = 0;
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_TRUE(TestApp()->m_messages.empty());
  EXPECT_EQ(4200, PageRect().right);
}

TEST_F(PaperDlgTest, GridShowsMillimetresAndStoresFiveUnitsEach) {
  qvzAppSettings settings;
  jvqBoard* b = m_view->GetBoard();
  struct Case {
    int spacing, style;
    const char* shown;
    int shownType;
    const char* typed;
    int stored;
  } cases[] = {{50, 0, "10", 0, "7", 35}, {3, 2, "1", 2, "abc", 0}, {50, 5, "10", 0, "10", 50}};
  for (const Case& c : cases) {
    b->m_nGridSpacing = c.spacing;
    b->m_nGridStyle = c.style;
    b->m_crGrid = 0x00FF00;
    Scripted<qvzGridDlg> dlg([&c](Scripted<qvzGridDlg>& d) {
      EXPECT_EQ(c.shown, d.Text(1151));
      EXPECT_EQ(c.shownType, d.m_cbType.GetCurSel());
      EXPECT_EQ(3, d.m_cbType.GetCount());
      d.Type(1151, c.typed);
      d.m_picker.SetColor(0x0000FF);
      d.Click(IDOK);
    });
    dlg.SetOwnerView(m_view);
    dlg.SetSettings(&settings);
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(c.stored, b->m_nGridSpacing) << c.typed;
    EXPECT_EQ(c.stored, settings.nGridSpacing);
    EXPECT_EQ(c.shownType, b->m_nGridStyle);
    EXPECT_EQ(c.shownType, settings.nGridType);
    EXPECT_EQ(0x0000FFu, b->m_crGrid);
    EXPECT_EQ(0x0000FFu, settings.crGrid);
  }
  b->m_nGridSpacing = 50;
  Scripted<qvzGridDlg> cancelled([](Scripted<qvzGridDlg>& d) {
    d.Type(1151, "20");
    d.Click(IDCANCEL);
  });
  cancelled.SetOwnerView(m_view);
  cancelled.SetSettings(&settings);
  EXPECT_EQ(IDCANCEL, cancelled.DoModal());
  EXPECT_EQ(50, b->m_nGridSpacing);
}

}  // namespace
