// Line style, line end and font combo boxes in a frame: what their fields draw, the style
// selection, the font icons and the sample tip.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "CImageComboBox.h"
#include "CLineEndCombo.h"
#include "CLineStyleCombo.h"
#include "ControlsTest.h"
#include "jvqDrawingResources.h"
#include "jvqLineStyle.h"

namespace {

class ComboTest : public ::testing::Test {
 protected:
  void SetUp() override { m_pFrame = NewTestFrame("コンボ", CRect(0, 0, 460, 320)); }
  void TearDown() override { DestroyTestFrame(m_pFrame); }
  CFrameWnd* m_pFrame = nullptr;
};

// Pixels of the colour in the combo box's selection field: its left part (where a sample
// line goes, clear of a centred name) or its right half.
int CountInField(CComboBox& combo, COLORREF cr, bool bLeftPart) {
  CRect rect;
  combo.GetClientRect(rect);
  int nRight = rect.right - ::GetSystemMetrics(SM_CXVSCROLL) - 2;
  int nMid = rect.left + (nRight - rect.left) / 2;
  int n = 0;
  for (int y = rect.top + 3; y < rect.bottom - 3; y++)
    for (int x = bLeftPart ? rect.left + 3 : nMid; x < (bLeftPart ? nMid - 30 : nRight); x++)
      n += ClientPixel(&combo, x, y) == cr;
  return n;
}

TEST_F(ComboTest, LineStyleComboDrawsSamplesAndSelectsByPenStyle) {
  ASSERT_NE(m_pFrame, nullptr);
  jvqLineStyle* styles[] = {&theNoLineStyle, &theSolidLineStyle, &theDotLineStyle, &theDashLineStyle};
  CLineStyleCombo combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_VSCROLL,
                           CRect(10, 10, 210, 200), m_pFrame, 20));
  for (int i = 0; i < 4; i++) combo.AddItem(styles[i], i);
  ASSERT_EQ(combo.GetCount(), 4);
  EXPECT_EQ(combo.GetItem(2), &theDotLineStyle);
  EXPECT_EQ(combo.GetItemHeight(0), 16);

  // Without the focus the field is drawn unselected: window text on the window colour.
  const COLORREF crText = ::GetSysColor(COLOR_WINDOWTEXT);
  combo.SetCurSel(1);  // 実線: a sample line in the left half
  combo.Invalidate();
  PumpPending();
  EXPECT_GT(CountInField(combo, crText, true), 40);

  combo.SetCurSel(0);  // なし: only its name, centred
  combo.Invalidate();
  PumpPending();
  EXPECT_EQ(CountInField(combo, crText, true), 0);
  const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
  int nName = 0;  // the name's pixels (smoothed, so any colour but the window's)
  for (int x = 0; x < 200; x++)
    for (int y = 3; y < 14; y++) nName += ClientPixel(&combo, x, y) != crWindow;
  EXPECT_GT(nName, 10);

  // The pen style decides; another width or colour does not matter.
  jvqLineStyle wideDots(25, RGB(255, 0, 0), 2);
  combo.SelectStyle(&wideDots);
  EXPECT_EQ(combo.GetCurSel(), 2);
  jvqLineStyle unknown(1, 0, 4);
  combo.SelectStyle(&unknown);
  EXPECT_EQ(combo.GetCurSel(), 2);
  EXPECT_EQ(theDotLineStyle.GetColor(), (COLORREF)0);  // the sample's colour is put back

  // Disabled: the button face with grey text.
  combo.SetCurSel(1);
  combo.EnableWindow(FALSE);
  combo.Invalidate();
  PumpPending();
  EXPECT_GT(CountInField(combo, ::GetSysColor(COLOR_BTNFACE), false), 20);
  EXPECT_GT(CountInField(combo, ::GetSysColor(COLOR_GRAYTEXT), true), 20);
  combo.DestroyWindow();
}

COLORREF g_crPainted = CLR_INVALID;
void PaintArrow(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) {
  g_crPainted = cr;
  CPen pen(PS_SOLID, 3, cr);
  CPen* pOld = pDC->SelectObject(&pen);
  pDC->MoveTo(x1, y1);
  pDC->LineTo(x2, y2);
  pDC->SelectObject(pOld);
}

TEST_F(ComboTest, LineEndComboPaintsWithItsStateColour) {
  ASSERT_NE(m_pFrame, nullptr);
  CLineEndCombo combo(1);
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_VSCROLL,
                           CRect(10, 10, 210, 200), m_pFrame, 21));
  combo.SendMessage(CB_ADDSTRING, 0, (LPARAM)&PaintArrow);
  combo.SetCurSel(0);
  EXPECT_EQ(combo.GetItemHeight(0), 20);
  combo.Invalidate();
  PumpPending();
  EXPECT_NE(g_crPainted, CLR_INVALID);
  combo.EnableWindow(FALSE);
  combo.Invalidate();
  PumpPending();
  EXPECT_EQ(g_crPainted, ::GetSysColor(COLOR_GRAYTEXT));
  EXPECT_GT(CountInField(combo, ::GetSysColor(COLOR_GRAYTEXT), true), 20);
  combo.DestroyWindow();
}

jvqFontEntry* NewEntry(const char* pszFace, int nType, int nSource) {
  jvqFontEntry* p = new jvqFontEntry;
  memset(p, 0, sizeof *p);
  strcpy(p->lf.lfFaceName, pszFace);
  p->lf.lfCharSet = SHIFTJIS_CHARSET;
  p->nFontType = nType;
  p->nSource = nSource;
  return p;
}

TEST(ImageComboBox, FindFontSearchesTheByteSortedList) {
  // Half-width kana (0xBA) and full-width letters (0x82) sort after ASCII only when bytes
  // compare unsigned; the list and the search must agree.
  theFontList.DeleteAll();
  for (const char* face : {"ｺﾞｼｯｸ", "ＭＳ ゴシック", "Arial", "@ＭＳ 明朝", "Zeta", "ＭＳ Ｐゴシック"})
    theFontList.push_back(NewEntry(face, TRUETYPE_FONTTYPE, 0));
  SortFontList();
  CImageComboBox combo;
  jvqFontEntry entry;
  EXPECT_FALSE(combo.FindFont("Arial", &entry));  // no list attached
  std::vector<jvqFontEntry*> empty;
  combo.m_pFontList = &empty;
  EXPECT_FALSE(combo.FindFont("Arial", &entry));
  combo.m_pFontList = &theFontList;
  for (jvqFontEntry* p : theFontList) {
    memset(&entry, 0, sizeof entry);
    EXPECT_TRUE(combo.FindFont(p->lf.lfFaceName, &entry)) << p->lf.lfFaceName;
    EXPECT_STREQ(entry.lf.lfFaceName, p->lf.lfFaceName);
  }
  for (const char* missing : {"", "A", "Arial2", "ｺ", "ＭＳ", "zz", "\xFC\xFC"})
    EXPECT_FALSE(combo.FindFont(missing, &entry)) << missing;
  theFontList.DeleteAll();
}

class FontComboTest : public ComboTest {
 protected:
  void SetUp() override {
    ComboTest::SetUp();
    m_list.push_back(NewEntry("Printer Only", DEVICE_FONTTYPE, 1));
    m_list.push_back(NewEntry("Raster Face", RASTER_FONTTYPE, 0));
    m_list.push_back(NewEntry("ＭＳ ゴシック", TRUETYPE_FONTTYPE, 0));
    m_combo.m_pFontList = &m_list;
    ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS |
                                   WS_VSCROLL,
                               CRect(200, 20, 400, 220), m_pFrame, 22));
    m_combo.AddString("Unknown Face");
  }
  void TearDown() override {
    m_combo.DestroyWindow();
    for (jvqFontEntry* p : m_list) delete p;
    ComboTest::TearDown();
  }
  void Select(int i) {
    m_combo.SetCurSel(i);
    m_combo.Invalidate();
    PumpPending();
  }
  CImageComboBox m_combo;
  std::vector<jvqFontEntry*> m_list;
};

TEST_F(FontComboTest, IconsByTypeAndPrinterFlag) {
  ASSERT_EQ(m_combo.GetCount(), 4);
  // The printer icon's grey body at (6, 8), the TrueType icon's black stem at (8, 8).
  auto icon = [&](int x, int y) { return ClientPixel(&m_combo, 3 + x, 3 + y); };
  const COLORREF kBody = RGB(192, 192, 192), kStem = RGB(0, 0, 0);
  Select(0);
  EXPECT_EQ(icon(6, 8), kBody);
  Select(2);
  EXPECT_EQ(icon(8, 8), kStem);
  for (int i : {1, 3}) {  // a raster face, a face not in the list: no icon
    Select(i);
    EXPECT_NE(icon(6, 8), kBody) << i;
    EXPECT_NE(icon(8, 8), kStem) << i;
  }
}

TEST_F(FontComboTest, TipFollowsTheMouseOverTheClosedBox) {
  CComboTipWnd& tip = m_combo.m_wndTip;
  ASSERT_TRUE(::IsWindow(tip.m_hWnd));
  EXPECT_FALSE(tip.IsWindowVisible());
  Select(2);
  CRect rectCombo;
  m_combo.GetWindowRect(rectCombo);
  ::SetCursorPos(rectCombo.left + 20, rectCombo.top + 5);
  ASSERT_TRUE(PumpUntil([&] { return tip.IsWindowVisible() != FALSE; }));
  EXPECT_EQ(tip.GetFaceName(), CString("ＭＳ ゴシック"));
  CRect rectTip;
  tip.GetWindowRect(rectTip);
  EXPECT_EQ(rectTip.top, rectCombo.top);
  // The tip ends 10 pixels left of the combo box's client area.
  CPoint ptClient(0, 0);
  ::ClientToScreen(m_combo.m_hWnd, &ptClient);
  EXPECT_EQ(rectTip.right, ptClient.x - 10);

  // Repeated ticks at the same place draw nothing again.
  HDC hDC = ::GetDC(tip.m_hWnd);
  ::SetPixel(hDC, 1, 1, RGB(1, 2, 3));
  ::ReleaseDC(tip.m_hWnd, hDC);
  PumpFor(1200);
  hDC = ::GetDC(tip.m_hWnd);
  EXPECT_EQ(::GetPixel(hDC, 1, 1), RGB(1, 2, 3));
  ::ReleaseDC(tip.m_hWnd, hDC);

  // Away from the box: hidden at the next tick.
  ::SetCursorPos(10, 300);
  EXPECT_TRUE(PumpUntil([&] { return tip.IsWindowVisible() == FALSE; }));

  // A face not in the list: no tip.
  Select(3);
  ::SetCursorPos(rectCombo.left + 20, rectCombo.top + 5);
  PumpFor(1200);
  EXPECT_FALSE(tip.IsWindowVisible());
  ::SetCursorPos(10, 300);
}

TEST_F(FontComboTest, TipBesideTheDroppedListUntilItClosesUp) {
  CComboTipWnd& tip = m_combo.m_wndTip;
  ::SetCursorPos(10, 300);
  Select(2);
  m_combo.ShowDropDown(TRUE);
  ASSERT_TRUE(PumpUntil([&] { return tip.IsWindowVisible() != FALSE; }));
  CRect rectDropped, rectTip;
  m_combo.GetDroppedControlRect(rectDropped);
  tip.GetWindowRect(rectTip);
  EXPECT_EQ(rectTip.top, rectDropped.top + m_combo.GetItemHeight(0) * (2 - m_combo.GetTopIndex() + 1));
  // Closing the list hides the tip at once (the reflected CBN_CLOSEUP), not at the next tick.
  m_combo.ShowDropDown(FALSE);
  EXPECT_FALSE(tip.IsWindowVisible());
}

TEST_F(FontComboTest, TinySampleIsEnlarged) {
  CComboTipWnd& tip = m_combo.m_wndTip;
  jvqFontEntry entry = *m_list[2];
  // What -18 tenths of a point measure on this display decides the factor.
  CFont probe;
  probe.CreatePointFont(-18, entry.lf.lfFaceName);
  CClientDC dc(&tip);
  CFont* pOld = dc.SelectObject(&probe);
  CSize size = dc.GetTextExtent(CString(entry.lf.lfFaceName));
  dc.SelectObject(pOld);
  ASSERT_GT(size.cy, 0);
  ASSERT_LT(size.cy, 10);
  tip.ShowSample(500, 50, entry);
  LOGFONT lfTip, lfExpected;
  tip.GetSampleFont()->GetLogFont(&lfTip);
  CFont expected;
  expected.CreatePointFont(-18 * (18 / size.cy), entry.lf.lfFaceName);
  expected.GetLogFont(&lfExpected);
  EXPECT_EQ(lfTip.lfHeight, lfExpected.lfHeight);
  if (size.cy == 3) {
    EXPECT_EQ(-18 * (18 / size.cy), -108);
  }
  EXPECT_TRUE(tip.IsWindowVisible());
  CRect rectTip;
  tip.GetWindowRect(rectTip);
  EXPECT_EQ(rectTip.top, 50);

  // A face that measures no height keeps its first font instead of dividing by zero.
  jvqFontEntry blank = entry;
  blank.lf.lfFaceName[0] = '\0';
  tip.ShowSample(500, 80, blank);
  EXPECT_TRUE(tip.IsWindowVisible());
  tip.ShowWindow(SW_HIDE);
}

}  // namespace
