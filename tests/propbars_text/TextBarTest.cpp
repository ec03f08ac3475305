// The text bar and the balloon bars' text detail on real bars beside a real view.
#include <memory>

#include "ViewFixture.h"
#include "afxtest/ThreadPump.h"
#include "jvqBalloonObject.h"
#include "jvqDrawingResources.h"
#include "jvqTextObject.h"
#include "qvzBalloonTextDetail.h"
#include "qvzPropertyBarManager.h"
#include "qvzRectToolBars.h"
#include "qvzTextToolBar.h"
#include "qvzBannerToolBar.h"
#include "qvzLineTextToolBar.h"
#include "jvqLineTextObject.h"
#include "jvqBannerObject.h"

class TextBarTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    if (theFontList.empty()) theDrawingResources.EnumFonts();
    m_manager.m_pFrame = m_frame;
    g_pPropertyBarManager = &m_manager;
  }
  void TearDown() override {
    if (m_bar) m_bar->DestroyWindow();
    m_bar.reset();
    g_pPropertyBarManager = NULL;
    ViewTest::TearDown();
  }
  template <class Bar>
  Bar* MakeBar(UINT nTemplate) {
    Bar* bar = new Bar;
    m_bar.reset(bar);
    EXPECT_TRUE(bar->Create(m_frame, nTemplate, CBRS_LEFT, nTemplate));
    bar->Refresh();
    return bar;
  }
  jvqTextObject* AddText(int style, int wrap, const char* face = "ＭＳ Ｐゴシック") {
    RECT r = {100, 100 + 300 * m_nTexts, 900, 300 + 300 * m_nTexts};
    m_nTexts++;
    jvqTextObject* t = jvqTextObject::MakeDefault(&m_view->m_Mapping, &r);
    t->SetText("文字");
    t->GetTextFill()->m_Attributes.style = style;
    t->GetTextFill()->m_Attributes.wrap = wrap;
    t->GetTextFill()->m_strFace = face;
    t->GetTextFill()->RefreshPointers();
    m_page->AddChild(t);
    m_view->Select(t, FALSE);
    return t;
  }
  void Click(UINT id) { m_bar->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)m_bar->GetDlgItem(id)->m_hWnd); }
  // The selection after an edit holds the clones the undo step made.
  std::vector<jvqTextFill*> SelectedFills() {
    std::vector<jvqTextFill*> out;
    for (jvqObject* o : Selected())
      if (o->GetClassCode() == JVQ_OBJ_TEXT) out.push_back(((jvqTextObject*)o)->GetTextFill());
    return out;
  }
  qvzPropertyBarManager m_manager;
  std::unique_ptr<qvzDrawToolBar> m_bar;
  int m_nTexts = 0;
};

TEST_F(TextBarTest, MixedBoldShowsReleasedAndPressesMakeAllAlike) {
  AddText(1, 1);
  AddText(3, 1);
  AddText(3, 1);
  qvzTextToolBar* bar = MakeBar<qvzTextToolBar>(IDD_QVZ_TEXT_BAR);
  EXPECT_EQ(0, bar->m_wndButtons[qvzTextToolBar::BOLD].GetCheck());
  const int steps = theUndoManager.GetCurrentStep();
  Click(787);
  for (jvqTextFill* f : SelectedFills()) EXPECT_EQ(3, f->m_Attributes.style);
  EXPECT_EQ(1, bar->m_wndButtons[qvzTextToolBar::BOLD].GetCheck());
  bar->Refresh();
  Click(787);
  for (jvqTextFill* f : SelectedFills()) EXPECT_EQ(1, f->m_Attributes.style);
  EXPECT_EQ(3u, SelectedFills().size());
  EXPECT_EQ(steps + 2, theUndoManager.GetCurrentStep());
  // Italic on a bold text gives 4; bold released on 4 gives 2.
  bar->Refresh();
  Click(787);
  bar->Refresh();
  Click(788);
  for (jvqTextFill* f : SelectedFills()) EXPECT_EQ(4, f->m_Attributes.style);
  bar->Refresh();
  Click(787);
  for (jvqTextFill* f : SelectedFills()) EXPECT_EQ(2, f->m_Attributes.style);
}

TEST_F(TextBarTest, IndeterminateWrapClickedUnwrapsAllAndFacesMatchInAnyCase) {
  CString face;
  for (jvqFontEntry* e : theFontList) {
    CString f(e->lf.lfFaceName), lower(f);
    lower.MakeLower();
    if (lower != f) {
      face = f;
      break;
    }
  }
  ASSERT_FALSE(face.IsEmpty());
  CString asked(face);
  asked.MakeLower();
  AddText(1, 1, asked);
  AddText(1, 0, asked);
  qvzTextToolBar* bar = MakeBar<qvzTextToolBar>(IDD_QVZ_TEXT_BAR);
  EXPECT_EQ(2, bar->m_wndWrap.GetCheck());
  CString shown;
  bar->m_wndFace.GetLBText(bar->m_wndFace.GetCurSel(), shown);
  EXPECT_STREQ(face, shown);
  Click(1114);
  for (jvqTextFill* f : SelectedFills()) EXPECT_EQ(0, f->m_Attributes.wrap);
  EXPECT_EQ(0, bar->m_wndWrap.GetCheck());
}

TEST_F(TextBarTest, SizesAreShownExactlyAndNothingSelectedEditsThePrototypeOnly) {
  jvqTextObject* t = AddText(1, 1);
  t->GetTextFill()->m_Attributes.charHeight = 105;
  qvzTextToolBar* bar = MakeBar<qvzTextToolBar>(IDD_QVZ_TEXT_BAR);
  EXPECT_STREQ("10.5mm", bar->m_wndSize.GetText());
  bar->OnValueChanged(1065, "0.04mm");
  for (jvqTextFill* f : SelectedFills()) EXPECT_EQ(1, f->m_Attributes.charHeight);
  EXPECT_STREQ("0.1mm", bar->m_wndSize.GetText());

  m_view->ClearSelection();
  bar->Refresh();
  jvqTextObject* proto = (jvqTextObject*)GetObjectDefaults()->FindPrototype(JVQ_OBJ_TEXT);
  const int steps = theUndoManager.GetCurrentStep();
  m_doc->SetModifiedFlag(FALSE);
  bar->OnValueChanged(1065, "20mm");
  EXPECT_EQ(200, proto->GetTextFill()->m_Attributes.charHeight);
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  EXPECT_FALSE(m_doc->IsModified());
  // A toggle changes nothing while the bar is busy showing values.
  const int bold = bar->m_bBold;
  bar->m_bShowingValues = 1;
  Click(787);
  bar->m_bShowingValues = 0;
  EXPECT_EQ(bold, bar->m_bBold);
}

TEST_F(TextBarTest, BalloonTextDetailOkWritesTextOnlyAndCancelRecordsNothing) {
  theBalloonTextDetailProc = qvzBalloonTextDetail;
  jvqBalloonObject* proto = (jvqBalloonObject*)GetObjectDefaults()->FindPrototype(JVQ_OBJ_BALLOON);
  ASSERT_NE(nullptr, proto);
  ASSERT_NE(nullptr, proto->GetText());
  const jvqFill* protoFill = proto->GetFill();
  qvzRectBalloonToolBar* bar = MakeBar<qvzRectBalloonToolBar>(275);
  ASSERT_NE(nullptr, bar->m_pTextSample);
  const int steps = theUndoManager.GetCurrentStep();
  RunWhenIdle([] {
    HWND d = ::GetActiveWindow();
    ::SendMessage(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  Click(IDC_BAR_TEXT_DETAIL);
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  RunWhenIdle([] {
    HWND d = ::GetActiveWindow();
    ::SetDlgItemText(d, 710, "吹き出しの文");
    ::SetDlgItemText(d, 1065, "15mm");
    ::SendMessage(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d, IDOK));
  });
  Click(IDC_BAR_TEXT_DETAIL);
  EXPECT_STREQ("吹き出しの文", proto->GetText()->GetTextFill()->m_strText);
  EXPECT_EQ(150, proto->GetText()->GetTextFill()->m_Attributes.charHeight);
  EXPECT_EQ(protoFill, proto->GetFill());
  jvqTextObject* textProto = (jvqTextObject*)GetObjectDefaults()->FindPrototype(JVQ_OBJ_TEXT);
  EXPECT_EQ(150, textProto->GetTextFill()->m_Attributes.charHeight);
  EXPECT_STRNE("吹き出しの文", textProto->GetTextFill()->m_strText);
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  theBalloonTextDetailProc = NULL;
}

TEST(BalloonTextStyle, DisagreementsFallBackToPlainValues) {
  jvqObjectArray balloons;
  for (int i = 0; i < 2; i++) {
    jvqBalloonObject* b = (jvqBalloonObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_BALLOON);
    jvqTextFill* f = b->GetText()->GetTextFill();
    f->m_Attributes.charHeight = 50 + i * 10;
    f->m_Attributes.style = 4;
    f->m_crText = RGB(i * 200, 0, 0);
    f->SetText(i ? "b" : "a");
    balloons.Add(b);
  }
  jvqTextFill out;
  qvzCommonTextStyle(balloons, &out);
  EXPECT_EQ(100, out.m_Attributes.charHeight);
  EXPECT_EQ(4, out.m_Attributes.style);
  EXPECT_EQ(RGB(0, 0, 0), out.m_crText);
  EXPECT_STREQ("", out.m_strText);
}

static jvqBannerObject* AddTitle(jvqPage* page, jvqView* view, int y, int shadow, COLORREF text) {
  jvqBannerStyle style;
  style.m_Block.shadow = shadow;
  style.m_Block.shape = 2;
  style.m_Block.style = 1;
  style.m_crText = text;
  style.RefreshPointers();
  RECT r = {100, y, 900, y + 200};
  jvqBannerObject* t = new jvqBannerObject(&r, &view->m_Mapping, &style, 0x311);
  page->AddChild(t);
  view->Select(t, FALSE);
  return t;
}

TEST_F(TextBarTest, TitleBarShadowFramePenAndEditButton) {
  AddTitle(m_page, m_view, 100, 1, RGB(255, 0, 0));
  AddTitle(m_page, m_view, 400, 0, RGB(0, 255, 0));
  AddTitle(m_page, m_view, 700, 0, RGB(0, 0, 255));
  qvzBannerToolBar* bar = MakeBar<qvzBannerToolBar>(IDD_QVZ_TITLE_BAR);
  EXPECT_EQ(2, bar->m_wndShadow.GetCheck());
  Click(1136);
  for (jvqObject* o : Selected()) EXPECT_EQ(0, qvzBannerToolBar::StyleOf(o)->m_Block.shadow);
  // "透明" on the frame line, then a colour.
  bar->Refresh();
  bar->m_wndFrameLine.SetFill(NULL);
  bar->OnColorChanged(0, 1117);
  for (jvqObject* o : Selected()) EXPECT_TRUE(qvzBannerToolBar::StyleOf(o)->IsPenNull());
  bar->Refresh();
  jvqSolidFill green(RGB(0, 128, 0));
  bar->m_wndFrameLine.SetFill(&green);
  bar->OnColorChanged(0, 1117);
  for (jvqObject* o : Selected()) {
    EXPECT_FALSE(qvzBannerToolBar::StyleOf(o)->IsPenNull());
    EXPECT_EQ(RGB(0, 128, 0), qvzBannerToolBar::StyleOf(o)->GetPenColor());
  }
  // The edit button: one text and shape for all, their colours kept.
  bar->Refresh();
  RunWhenIdle([] {
    HWND d = ::GetActiveWindow();
    ::SetDlgItemText(d, 710, "モデルハウス");
    ::SendMessage(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d, IDOK));
  });
  Click(1200);
  std::vector<COLORREF> colours;
  for (jvqObject* o : Selected()) {
    jvqBannerStyle* s = qvzBannerToolBar::StyleOf(o);
    EXPECT_STREQ("モデルハウス", s->m_strText);
    EXPECT_EQ(2, s->m_Block.shape);
    colours.push_back(s->m_crText);
  }
  EXPECT_EQ((std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}), colours);
}

// The title bar draws the hidden tab 33001 as a double sunken frame and two etched lines
// between its groups of controls.
TEST_F(TextBarTest, TitleBarPaintsItsFrameAndSeparators) {
  qvzBannerToolBar* bar = MakeBar<qvzBannerToolBar>(IDD_QVZ_TITLE_BAR);
  m_frame->ShowControlBar(bar, TRUE, FALSE);
  m_frame->RecalcLayout();
  bar->ShowWindow(SW_SHOW);
  bar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  auto rectOf = [bar](UINT id) {
    CRect r;
    bar->GetDlgItem(id)->GetWindowRect(&r);
    bar->ScreenToClient(&r);
    return r;
  };
  const CRect frame = rectOf(33001), edit = rectOf(1200);
  EXPECT_FALSE(bar->GetDlgItem(33001)->IsWindowVisible());
  CClientDC dc(bar);
  struct {
    int x, y, colour;
  } cases[] = {
      {frame.left, frame.top + 1, COLOR_BTNHIGHLIGHT},  // outer top left
      {frame.right - 1, frame.bottom - 1, COLOR_3DDKSHADOW},  // outer bottom right
      {frame.right - 2, frame.bottom - 2, COLOR_BTNSHADOW},  // inner bottom right
  };
  for (auto c : cases) EXPECT_EQ(::GetSysColor(c.colour), dc.GetPixel(c.x, c.y)) << c.x << "," << c.y;
  // The first etched line, midway between the edit button and the shadow box.
  const int y = (edit.bottom + rectOf(1136).top) / 2;
  EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), dc.GetPixel(edit.CenterPoint().x, y));
  EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), dc.GetPixel(edit.CenterPoint().x, y + 1));
}

TEST_F(TextBarTest, LeaderTextTabsWidthsAndFrameColour) {
  std::vector<jvqLineTextObject*> lts;
  const int widths[] = {3, 30, 0};
  for (int i = 0; i < 3; i++) {
    jvqLineTextObject* lt = (jvqLineTextObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_LINETEXT);
    POINT pts[2] = {{500, 500 + 500 * i}, {1500, 800 + 500 * i}};
    lt->SetPoints(pts, 2, &m_view->m_Mapping, 0x311);
    lt->GetLineStyle()->SetWidth(widths[i]);
    lt->Recalc();
    m_page->AddChild(lt);
    lts.push_back(lt);
  }
  qvzLineTextToolBar* bar = MakeBar<qvzLineTextToolBar>(IDD_QVZ_LINETEXT_BAR);
  ASSERT_TRUE(bar->m_LeaderPanel.m_hWnd && bar->m_FramePanel.m_hWnd);
  EXPECT_TRUE(bar->m_FramePanel.IsWindowVisible());
  EXPECT_FALSE(bar->m_LeaderPanel.IsWindowVisible());
  const char* shown[] = {"0.3mm", "3mm", "0mm"};
  for (int i = 0; i < 3; i++) {
    m_view->ClearSelection();
    m_view->Select(lts[i], FALSE);
    bar->Refresh();
    EXPECT_STREQ(shown[i], bar->m_LeaderPanel.m_wndLineWidth.GetText());
  }
  // Two widths that differ show nothing.
  m_view->Select(lts[0], FALSE);
  bar->Refresh();
  EXPECT_STREQ("", bar->m_LeaderPanel.m_wndLineWidth.GetText());
  // The tabs swap the panels and edit nothing.
  const int steps = theUndoManager.GetCurrentStep();
  bar->m_wndTab.SetCurSel(1);
  NMHDR nm = {bar->m_wndTab.m_hWnd, 33002, (UINT)TCN_SELCHANGE};
  bar->SendMessage(WM_NOTIFY, 33002, (LPARAM)&nm);
  EXPECT_TRUE(bar->m_LeaderPanel.IsWindowVisible());
  EXPECT_FALSE(bar->m_FramePanel.IsWindowVisible());
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  // A frame colour: one undo step, the document not marked modified by it.
  m_doc->SetModifiedFlag(FALSE);
  jvqSolidFill blue(RGB(0, 0, 255));
  bar->m_FramePanel.m_wndColor.SetFill(&blue);
  bar->m_FramePanel.OnPickedColor();
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  EXPECT_FALSE(m_doc->IsModified());
  for (jvqObject* o : Selected())
    EXPECT_EQ(RGB(0, 0, 255), ((jvqLineTextObject*)o)->m_pFrame->GetLineStyle()->GetColor());
  // The text half writes into the leader texts' frames.
  bar->Refresh();
  bar->OnValueChanged(1065, "15mm");
  for (jvqObject* o : Selected())
    EXPECT_EQ(150, ((jvqLineTextObject*)o)->m_pFrame->GetTextFill()->m_Attributes.charHeight);
}
