// The text detail and title dialogs run modally and answered as a user would.
#include <gtest/gtest.h>

#include <string>

#include "ViewTestApp.h"
#include "afxtest/ThreadPump.h"
#include "jvqDrawingResources.h"
#include "qvzTextDetailDlg.h"
#include "qvzTitleEditDlg.h"

static void Click(CDialog* d, UINT id, UINT code = BN_CLICKED) {
  d->SendMessage(WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)::GetDlgItem(d->m_hWnd, id));
}

static std::string ItemText(CDialog* d, UINT id) {
  CString s;
  d->GetDlgItemText(id, s);
  return (LPCTSTR)s;
}

class TextDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    if (theFontList.empty()) theDrawingResources.EnumFonts();
    TestApp()->m_messages.clear();
  }
};

TEST_F(TextDialogs, DetailRoundTripKeepsUnderlineLineEndsAndWidth) {
  jvqTextAttributes a;
  jvqDefaultTextAttributes(&a);
  a.style = 4;
  a.underline = -1;
  a.charWidth = 77;
  a.charHeight = 105;
  a.text = "一行目\r\n二行目";
  qvzTextDetailDlg dlg;
  dlg.SetTextStyle(a);
  dlg.m_crText = RGB(0, 0, 255);
  bool bold = false, italic = false;
  int underlineItem = -1;
  std::string size;
  RunWhenIdle([&] {
    CDialog* d = &dlg;
    bold = ((CToggleStatic*)d->GetDlgItem(711))->GetPressed() != 0;
    italic = ((CToggleStatic*)d->GetDlgItem(1099))->GetPressed() != 0;
    underlineItem = (int)d->SendDlgItemMessage(702, CB_GETCURSEL, 0, 0);
    size = ItemText(d, 1065);
    Click(d, 711, STN_CLICKED);  // bold released
    d->SetDlgItemText(1065, "12.35");
    Click(d, IDOK);
  });
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_TRUE(bold);
  EXPECT_TRUE(italic);
  EXPECT_EQ(6, underlineItem);  // "波線"
  EXPECT_EQ("10.5mm", size);
  jvqTextAttributes out;
  EXPECT_EQ(1, dlg.GetTextStyle(out));
  EXPECT_EQ(2, out.style);
  EXPECT_EQ(-1, out.underline);
  EXPECT_EQ(123, out.charHeight);
  EXPECT_EQ(77, out.charWidth);
  EXPECT_STREQ("一行目\r\n二行目", out.text);
  EXPECT_EQ(NULL, out.pDC);
  EXPECT_EQ(RGB(0, 0, 255), dlg.m_crText);
}

TEST_F(TextDialogs, DetailListsAreFilledAndAFaceDifferingInCaseIsChosen) {
  // A face with letters, asked for in capitals.
  CString face;
  for (jvqFontEntry* e : theFontList) {
    CString f(e->lf.lfFaceName), upper(f);
    upper.MakeUpper();
    if (upper != f) {
      face = f;
      break;
    }
  }
  ASSERT_FALSE(face.IsEmpty());
  CString asked(face);
  asked.MakeUpper();
  jvqTextAttributes a;
  jvqDefaultTextAttributes(&a);
  a.face = asked;
  a.charHeight = 0;
  a.text = "x";
  qvzTextDetailDlg dlg;
  dlg.SetTextStyle(a);
  dlg.m_bNoPositionLock = TRUE;
  std::string shownFace, size;
  int spacings = 0, underlines = 0;
  BOOL lockEnabled = TRUE;
  RunWhenIdle([&] {
    shownFace = ItemText(&dlg, 686);
    size = ItemText(&dlg, 1065);
    spacings = (int)dlg.SendDlgItemMessage(1107, CB_GETCOUNT, 0, 0);
    underlines = (int)dlg.SendDlgItemMessage(702, CB_GETCOUNT, 0, 0);
    lockEnabled = dlg.GetDlgItem(1109)->IsWindowEnabled();
    // Not a number: the size it opened with stays.
    dlg.SetDlgItemText(1065, "abc");
    Click(&dlg, IDOK);
  });
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(std::string(face), shownFace);
  EXPECT_EQ("0.1mm", size);
  EXPECT_EQ(3, spacings);
  EXPECT_EQ(8, underlines);
  EXPECT_FALSE(lockEnabled);
  jvqTextAttributes out;
  dlg.GetTextStyle(out);
  EXPECT_STREQ(face, out.face);
  EXPECT_EQ(0, out.charHeight);
}

static jvqBannerStyle* TitleStyle(const char* text, int shape) {
  jvqBannerStyle* s = new jvqBannerStyle;
  s->m_strText = text;
  s->m_strFace = "ＭＳ ゴシック";
  s->m_Block.shape = shape;
  s->m_Block.horizontal = 1;
  s->m_Block.style = 1;
  s->RefreshPointers();
  return s;
}

TEST_F(TextDialogs, TitleBlankTextRefusedThenTrimmed) {
  std::unique_ptr<jvqBannerStyle> style(TitleStyle("old", 3));
  qvzTitleEditDlg dlg;
  dlg.SetTitleStyle(*style);
  std::string afterBlank;
  RunWhenIdle([&] {
    dlg.SetDlgItemText(710, " \t ");
    Click(&dlg, IDOK);
    afterBlank = ItemText(&dlg, 710);
    dlg.SetDlgItemText(710, "  モデルハウス  ");
    Click(&dlg, IDOK);
  });
  ASSERT_EQ(IDOK, dlg.DoModal());
  // The blank text was refused and cleared; the dialog went on to take the trimmed one.
  EXPECT_EQ("", afterBlank);
  ASSERT_EQ(1u, TestApp()->m_messages.size());
  EXPECT_EQ("タイトルの文字を入力してください", TestApp()->m_messages[0]);
  EXPECT_STREQ("モデルハウス", dlg.m_Style.m_strText);
  EXPECT_EQ(3, dlg.m_Style.m_Block.shape);
}

TEST_F(TextDialogs, TitleGridPickSurvivesChangesInBothDirections) {
  // A shape outside 1-12 is brought into the grid.
  std::unique_ptr<jvqBannerStyle> style(TitleStyle("タイトル", 15));
  qvzTitleEditDlg dlg;
  dlg.SetTitleStyle(*style);
  int clamped = -1, afterBold = -1, count = 0, afterVertical = -1;
  bool fourAcross = false, sixAcross = false, boldPressed = false;
  RunWhenIdle([&] {
    qvzTitlePreviewGrid& g = dlg.m_wndPreview;
    clamped = g.GetSelected();
    count = g.GetCount();
    fourAcross = g.CellRect(3).top == g.CellRect(0).top && g.CellRect(4).top > g.CellRect(0).top;
    // Pick shape 7 in the grid, then press bold and turn the writing vertical.
    const RECT cell = g.CellRect(6);
    g.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.left + 3, cell.top + 3));
    g.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(cell.left + 3, cell.top + 3));
    Click(&dlg, 711, STN_CLICKED);
    boldPressed = ((CToggleStatic*)dlg.GetDlgItem(711))->GetPressed() != 0;
    afterBold = g.GetSelected();
    Click(&dlg, 738);
    sixAcross = g.CellRect(5).top == g.CellRect(0).top && g.CellRect(6).top > g.CellRect(0).top;
    afterVertical = g.GetSelected();
    Click(&dlg, IDOK);
  });
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(11, clamped);
  EXPECT_EQ(12, count);
  EXPECT_TRUE(fourAcross);
  EXPECT_TRUE(sixAcross);
  EXPECT_TRUE(boldPressed);
  EXPECT_EQ(6, afterBold);
  EXPECT_EQ(6, afterVertical);
  EXPECT_EQ(7, dlg.m_Style.m_Block.shape);
  EXPECT_EQ(0, dlg.m_Style.m_Block.horizontal);
  EXPECT_EQ(3, dlg.m_Style.m_Block.style);
}

TEST_F(TextDialogs, TitleFramePickersKeepTheSwitchedOffPen) {
  std::unique_ptr<jvqBannerStyle> style(TitleStyle("タイトル", 1));
  style->SetPenStyle(PS_NULL);
  qvzTitleEditDlg dlg;
  dlg.SetTitleStyle(*style);
  std::string face;
  RunWhenIdle([&] {
    jvqSolidFill red(RGB(255, 0, 0));
    jvqColorPicker* line = (jvqColorPicker*)dlg.GetDlgItem(1117);
    line->SetFill(&red);
    line->OnPopupColorChosen(&red);
    Click(&dlg, IDOK);
  });
  ASSERT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(RGB(255, 0, 0), dlg.m_Style.GetPenColor());
  EXPECT_TRUE(dlg.m_Style.IsPenNull());
}
