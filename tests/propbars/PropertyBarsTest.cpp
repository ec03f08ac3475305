// The property bars in the real main frame and view under Wine: which bar shows, what an
// edit changes (selection and prototype, in one undo step), swaps and the value boxes.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "afxtest/ThreadPump.h"
#include "jvqBannerObject.h"
#include "jvqBannerStyle.h"
#include "jvqBoard.h"
#include "jvqEllipticObject.h"
#include "JpegCodec.h"
#include "afxtest/PictureItem.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqObjectDefaults.h"
#include "jvqOleItem.h"
#include "jvqOleObject.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqRectObject.h"
#include "jvqRoundRectObject.h"
#include "jvqSolidFill.h"
#include "jvqTool.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "qvzMessages.h"
#include "qvzPagePreviewView.h"
#include "qvzPictureFileSeam.h"
#include "qvzLineEndPainters.h"
#include "qvzShapeBars.h"
#include "qvzView.h"
#include "resource.h"

namespace {

class CBarsTestApp : public qvzApp {
 public:
  BOOL InitInstance() override { return TRUE; }
  int DoMessageBox(LPCTSTR, UINT nType, UINT) override { return IDOK; }
};
CBarsTestApp theApp;

qvzMainFrame* Frame() { return DYNAMIC_DOWNCAST(qvzMainFrame, AfxGetMainWnd()); }
qvzView* View() { return DYNAMIC_DOWNCAST(qvzView, Frame()->GetEditView()); }
jvqPage* Page() { return View()->GetCurrentPage(); }
qvzPropertyBarManager& Bars() { return Frame()->m_PropertyBars; }
template <class T>
T* Bar() {
  return DYNAMIC_DOWNCAST(T, Bars().GetCurrentBar());
}
const COLORREF RED = RGB(255, 0, 0);

// The dialog bars that exist as windows of this process, the frame's and floating ones.
int CountBarWindows() {
  int n = 0;
  for (POSITION pos = Frame()->m_listControlBars.GetHeadPosition(); pos;) {
    CControlBar* b = (CControlBar*)Frame()->m_listControlBars.GetNext(pos);
    if (b->IsKindOf(RUNTIME_CLASS(qvzDialogBar))) n++;
  }
  return n + Bars().GetRetiredCount();
}

struct BarsTest : ::testing::Test {
  void SetUp() override {
    if (Frame() == NULL) {
      theApp.m_strAppFolder = CString(getenv("QVZ_BIN_DIR") ? getenv("QVZ_BIN_DIR") : ".") + "\\";
      theApp.m_strAppFolder.Replace('/', '\\');
      if (theApp.m_strAppFolder.Left(1) == "\\") theApp.m_strAppFolder = "Z:" + theApp.m_strAppFolder;
      theApp.m_Settings.nWindowStatus = 5;
      theApp.m_Settings.rcWindow = {0, 0, 1000, 740};
      theApp.AddDocTemplate(new CSingleDocTemplate(IDR_QVZTYPE, RUNTIME_CLASS(qvzDocument),
                                                   RUNTIME_CLASS(qvzMainFrame), RUNTIME_CLASS(qvzView)));
      GetObjectDefaults()->FillMissingPrototypes();
      theApp.m_bShowStartMenu = 0;  // a board without the start menu
      theApp.OnFileNew();
      Frame()->ShowWindow(SW_SHOW);
    }
    ASSERT_NE(Frame(), nullptr);
    ASSERT_NE(View(), nullptr);
    Frame()->m_nAutoAnswer = IDOK;
    View()->ClearSelection();
    Page()->DeleteChildren();
    UseTool(ID_TOOL_SELECT);
    PumpPending();
  }
  void UseTool(UINT nCommand) {
    if (nCommand == ID_TOOL_SELECT)
      View()->SwitchToSelectTool();
    else
      View()->SetTool(View()->MakeTool(nCommand));
    Frame()->SwitchBar(FALSE);
  }
  template <class T>
  T* Add(T* o) {
    Page()->AddChild(o);
    return o;
  }
  jvqRectObject* AddRect(int x, COLORREF cr = 0) {
    const RECT r = {x, 100, x + 300, 300};
    jvqRectObject* o = Add(new jvqRectObject(&r, &View()->m_Mapping, 0x311));
    o->GetLineStyle()->SetColor(cr);
    return o;
  }
  void Select(std::initializer_list<jvqObject*> objects) {
    View()->ClearSelection();
    for (jvqObject* o : objects) View()->Select(o, FALSE);
    Frame()->SwitchBar(FALSE);
    PumpPending();
  }
  // The live objects of the page, after an edit replaced them by clones.
  jvqObject* Live(int i) {
    int n = 0;
    for (int k = 0; k < Page()->GetChildCount(); k++) {
      jvqObject* o = Page()->GetChild(k);
      if (!(o->GetState() & JVQ_STATE_ALIVE)) continue;
      if (n++ == i) return o;
    }
    return nullptr;
  }
  void PickColor(qvzDrawToolBar* bar, COLORREF cr) {
    bar->m_wndLineColor.SetColor(cr);
    jvqSolidFill f(cr);
    bar->m_colorListener.Notify(QVZM_COLORCHANGED, &f, IDC_BAR_LINECOLOR);
    PumpPending();
  }
  void PickItem(CComboBox& box, int i) {
    box.SetCurSel(i);
    box.GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(box.GetDlgCtrlID(), CBN_SELCHANGE), (LPARAM)box.m_hWnd);
    PumpPending();
  }
  void DragOnView(int x0, int y0, int x1, int y1) {
    View()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0, y0));
    View()->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((x0 + x1) / 2, (y0 + y1) / 2));
    View()->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x1, y1));
    View()->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x1, y1));
    PumpPending();
  }
};

TEST_F(BarsTest, NothingSelectedEditsOnlyThePrototypeAndTheNextRectangleFollows) {
  UseTool(ID_TOOL_RECT);
  qvzRectToolBar* bar = Bar<qvzRectToolBar>();
  ASSERT_NE(bar, nullptr);
  const int step = theUndoManager.GetCurrentStep();
  jvqObject* proto = GetObjectDefaults()->FindPrototype(JVQ_OBJ_RECT);
  ASSERT_NE(proto, nullptr);
  proto->GetLineStyle()->SetColor(0);
  PickColor(bar, RED);
  EXPECT_EQ(proto->GetLineStyle()->GetColor(), RED);
  EXPECT_EQ(theUndoManager.GetCurrentStep(), step);
  DragOnView(100, 100, 220, 190);
  ASSERT_EQ(Page()->GetChildCount(), 1);
  EXPECT_EQ(Page()->GetChild(0)->GetClassCode(), JVQ_OBJ_RECT);
  EXPECT_EQ(Page()->GetChild(0)->GetLineStyle()->GetColor(), RED);
}

TEST_F(BarsTest, TwoRectanglesChangeInOneStepAndAStyleKeepsWidthAndColour) {
  jvqRectObject* a = AddRect(100, RGB(0, 0, 255));
  jvqRectObject* b = AddRect(600, RGB(0, 255, 0));
  a->GetLineStyle()->SetWidth(20);
  b->GetLineStyle()->SetWidth(5);
  Select({a, b});
  qvzRectToolBar* bar = Bar<qvzRectToolBar>();
  ASSERT_NE(bar, nullptr);
  // Mixed colours and widths: black and an empty width.
  EXPECT_EQ(bar->m_wndLineColor.GetColor(), RGB(0, 0, 0));
  EXPECT_EQ(bar->m_wndLineWidth.GetText(), "");
  const int step = theUndoManager.GetCurrentStep();
  PickColor(bar, RED);
  EXPECT_EQ(theUndoManager.GetCurrentStep(), step + 1);
  EXPECT_EQ(Live(0)->GetLineStyle()->GetColor(), RED);
  EXPECT_EQ(Live(1)->GetLineStyle()->GetColor(), RED);
  EXPECT_EQ(GetObjectDefaults()->FindPrototype(JVQ_OBJ_RECT)->GetLineStyle()->GetColor(), RED);
  EXPECT_EQ(View()->GetSelectedCount(), 2);
  // A dotted style keeps each width and the red.
  bar = Bar<qvzRectToolBar>();
  PickItem(bar->m_wndLineStyle, 2);
  EXPECT_EQ(theUndoManager.GetCurrentStep(), step + 2);
  EXPECT_EQ(Live(0)->GetLineStyle()->GetStyle(), theDotLineStyle.GetStyle());
  EXPECT_EQ(Live(0)->GetLineStyle()->GetWidth(), 20);
  EXPECT_EQ(Live(1)->GetLineStyle()->GetWidth(), 5);
  EXPECT_EQ(Live(1)->GetLineStyle()->GetColor(), RED);
  // One undo brings both back.
  theUndoManager.Undo();
  EXPECT_EQ(Live(0)->GetLineStyle()->GetStyle(), theSolidLineStyle.GetStyle());
}

TEST_F(BarsTest, WidthBoxShowsTextsAndTakesTypedValues) {
  jvqRectObject* a = AddRect(100);
  struct { int w; const char* text; } cases[] = {{20, "2mm"}, {5, "0.5mm"}, {0, "0mm"}, {25, "2.5mm"}};
  for (auto c : cases) {
    a->GetLineStyle()->SetWidth(c.w);
    Select({a});
    EXPECT_EQ(Bar<qvzRectToolBar>()->m_wndLineWidth.GetText(), c.text) << c.w;
  }
  qvzValueComboBox& box = Bar<qvzRectToolBar>()->m_wndLineWidth;
  const int items = box.GetItemCount();
  box.SelectValue("2.5mm");
  EXPECT_EQ(box.GetItemCount(), items);  // appended once
  box.SelectValue("1.0mm");
  EXPECT_EQ(box.GetText(), "1mm");
  // Typed "1.25mm" and Enter: width 12 in one step; leaving the box adds nothing.
  const int step = theUndoManager.GetCurrentStep();
  box.SetFocus();
  box.SetWindowText("1.25mm");
  box.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  PumpPending();
  EXPECT_EQ(Live(0)->GetLineStyle()->GetWidth(), 12);
  View()->SetFocus();
  PumpPending();
  EXPECT_EQ(theUndoManager.GetCurrentStep(), step + 1);
}

TEST_F(BarsTest, ValueBoxReportsOnlyWhatTheUserChanged) {
  jvqRectObject* a = AddRect(100);
  jvqRectObject* b = AddRect(600);
  a->GetLineStyle()->SetWidth(10);
  b->GetLineStyle()->SetWidth(30);
  Select({a, b});
  qvzValueComboBox& box = Bar<qvzRectToolBar>()->m_wndLineWidth;
  const int step = theUndoManager.GetCurrentStep();
  // Clicking through a mixed "" changes nothing.
  box.SetFocus();
  PumpPending();
  View()->SetFocus();
  PumpPending();
  EXPECT_EQ(theUndoManager.GetCurrentStep(), step);
  EXPECT_EQ(Live(0)->GetLineStyle()->GetWidth(), 10);
  // A pick reports once, leaving the box does not repeat it.
  qvzValueComboBox& box2 = Bar<qvzRectToolBar>()->m_wndLineWidth;
  box2.SetFocus();
  PickItem(box2, 5);  // "2mm"
  View()->SetFocus();
  PumpPending();
  EXPECT_EQ(theUndoManager.GetCurrentStep(), step + 1);
  EXPECT_EQ(Live(0)->GetLineStyle()->GetWidth(), 20);
  EXPECT_EQ(Live(1)->GetLineStyle()->GetWidth(), 20);
}

TEST_F(BarsTest, TransparentKeepsPicturesAndTitlesAndClearsTheRectangle) {
  jvqRectObject* rect = AddRect(100);
  rect->SetFill(new jvqSolidFill(RED));
  const RECT r = {600, 100, 900, 300};
  jvqBannerStyle style;
  jvqBannerObject* title = Add(new jvqBannerObject(&r, &View()->m_Mapping, &style, 0x311));
  jvqFill* titleFill = title->GetFill();
  jvqGroupObject* group = Add(new jvqGroupObject());
  group->SetFill(new jvqSolidFill(RED));
  Select({rect, title, group});
  qvzMultiToolBar* bar = Bar<qvzMultiToolBar>();
  ASSERT_NE(bar, nullptr);
  bar->m_wndFill.SetFill(NULL);
  bar->SendMessage(QVZM_FILLCHANGED, IDC_BAR_FILL);
  PumpPending();
  EXPECT_EQ(Live(0)->GetFill(), nullptr);
  EXPECT_NE(Live(1)->GetFill(), nullptr);
  EXPECT_EQ(Live(1)->GetFill()->GetFlags(), titleFill ? titleFill->GetFlags() : 0u);
  EXPECT_NE(Live(2)->GetFill(), nullptr);
  // The several-objects bar has no prototype to change.
  EXPECT_EQ(bar->m_pPrototype, nullptr);
}

TEST_F(BarsTest, FillButtonShowsTransparentForObjectsWithoutAFill) {
  jvqRectObject* a = AddRect(100);
  jvqRectObject* b = AddRect(600);
  a->SetFill(NULL);
  b->SetFill(NULL);
  Select({a, b});
  EXPECT_EQ(Bar<qvzRectToolBar>()->m_wndFill.GetFill(), nullptr);
  EXPECT_FALSE(Bar<qvzRectToolBar>()->m_bMixedFill);
  // A mixed fill is not written by an edit of another attribute.
  a->SetFill(new jvqSolidFill(RED));
  Select({a, b});
  EXPECT_TRUE(Bar<qvzRectToolBar>()->m_bMixedFill);
  jvqObjectArray t;
  Bar<qvzRectToolBar>()->CollectTargets(t);
  Bar<qvzRectToolBar>()->ApplyToObjects(t);
  ASSERT_NE(a->GetFill(), nullptr);
  EXPECT_EQ(static_cast<jvqSolidFill*>(a->GetFill())->GetColor(), RED);
  EXPECT_EQ(b->GetFill(), nullptr);
}

TEST_F(BarsTest, OneBarAfterSwapsAndAFloatingBarKeepsItsPlace) {
  jvqRectObject* rect = AddRect(100);
  const RECT r = {600, 100, 900, 300};
  jvqEllipseObject* ellipse = Add(new jvqEllipseObject(&r, &View()->m_Mapping, 0x311));
  Select({rect});
  CControlBar* first = Bars().GetCurrentBar();
  Select({rect});
  EXPECT_EQ(Bars().GetCurrentBar(), first);  // refreshed in place
  Select({rect, ellipse});
  EXPECT_NE(Bar<qvzMultiToolBar>(), nullptr);
  EXPECT_EQ(CountBarWindows(), 1);
  // Floating: the next bar lands on the same screen place.
  Frame()->FloatControlBar(Bars().GetCurrentBar(), CPoint(300, 200), CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
  PumpPending();
  CRect before;
  Bars().GetCurrentBar()->GetWindowRect(before);
  Select({ellipse});
  ASSERT_NE(Bar<qvzEllipseToolBar>(), nullptr);
  EXPECT_TRUE(Bars().GetCurrentBar()->IsFloating());
  CRect after;
  Bars().GetCurrentBar()->GetWindowRect(after);
  EXPECT_EQ(after.TopLeft(), before.TopLeft());
  EXPECT_EQ(CountBarWindows(), 1);
  Frame()->DockControlBar(Bars().GetCurrentBar(), AFX_IDW_DOCKBAR_RIGHT);
  View()->ClearSelection();
  Frame()->SwitchBar(FALSE);
  EXPECT_NE(Bar<qvzSelectToolBar>(), nullptr);
  EXPECT_EQ(CountBarWindows(), 1);
}

// The user drags the bar off its dock by its own surface: it floats there, the next kind's
// bar takes its place, and a double click on the small frame's caption docks it at the right.
TEST_F(BarsTest, ABarDraggedOffFloatsAndADoubleClickDocksItAgain) {
  jvqRectObject* rect = AddRect(100);
  const RECT r = {600, 100, 900, 300};
  jvqEllipseObject* ellipse = Add(new jvqEllipseObject(&r, &View()->m_Mapping, 0x311));
  Select({rect});
  CControlBar* bar = Bars().GetCurrentBar();
  CDockBar* right = AfxGetDockBar(Frame(), AFX_IDW_DOCKBAR_RIGHT);
  ASSERT_NE(right, nullptr);
  ASSERT_EQ(bar->m_pDockBar, right);
  CRect client, rcBar;
  Frame()->GetClientRect(client);
  Frame()->ClientToScreen(client);
  bar->GetWindowRect(rcBar);
  EXPECT_EQ(rcBar.right, client.right);
  // A press on an empty place of the bar, a move to the middle of the frame, a release.
  const CPoint grab(rcBar.left + 3, rcBar.top + 100), drop(client.CenterPoint());
  CPoint pt = grab;
  bar->ScreenToClient(&pt);
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  pt = drop;
  bar->ScreenToClient(&pt);
  bar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  bar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  PumpPending();
  ASSERT_TRUE(bar->IsFloating());
  // The small frame stands where the dragged outline was let go.
  CRect floating, rcFloatFrame;
  bar->GetWindowRect(floating);
  bar->GetParentFrame()->GetWindowRect(rcFloatFrame);
  EXPECT_EQ(rcFloatFrame.TopLeft(), rcBar.TopLeft() + (drop - grab));
  // Floating, a change of selection swaps the bar in place, and an edit still reaches the
  // selection.
  Select({ellipse});
  qvzEllipseToolBar* eb = Bar<qvzEllipseToolBar>();
  ASSERT_NE(eb, nullptr);
  EXPECT_TRUE(eb->IsFloating());
  CRect after;
  eb->GetWindowRect(after);
  EXPECT_EQ(after.TopLeft(), floating.TopLeft());
  EXPECT_EQ(CountBarWindows(), 1);
  PickColor(eb, RED);
  EXPECT_EQ(Live(1)->GetLineStyle()->GetColor(), RED);
  // A double click on the caption: docked at the right side again, and so is the next bar.
  CWnd* mini = eb->GetParentFrame();
  ASSERT_NE(mini, nullptr);
  CRect rcMini;
  mini->GetWindowRect(rcMini);
  mini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(rcMini.CenterPoint().x, rcMini.top + 4));
  PumpPending();
  ASSERT_EQ(Bars().GetCurrentBar(), (CControlBar*)eb);
  EXPECT_FALSE(eb->IsFloating());
  EXPECT_EQ(eb->m_pDockBar, right);
  Select({});
  ASSERT_NE(Bar<qvzSelectToolBar>(), nullptr);
  EXPECT_EQ(Bars().GetCurrentBar()->m_pDockBar, right);
  EXPECT_EQ(CountBarWindows(), 1);
}

// The select bar runs down to 20 pixels above the frame's client bottom, its text block 20
// pixels above its own bottom and the page list down to 20 pixels above the text, at every
// frame size.
TEST_F(BarsTest, SelectBarLayoutFollowsAFrameResize) {
  Select({});
  qvzSelectToolBar* bar = Bar<qvzSelectToolBar>();
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(bar->m_pPagePreview, nullptr);
  CRect before;
  Frame()->GetWindowRect(before);
  for (int height : {600, 740, 520}) {
    Frame()->SetWindowPos(NULL, 0, 0, before.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Frame()->RecalcLayout();
    PumpPending();
    CRect client, rcBar, barClient, info, pages;
    Frame()->GetClientRect(client);
    Frame()->ClientToScreen(client);
    bar->GetWindowRect(rcBar);
    bar->GetClientRect(barClient);
    bar->ClientToScreen(barClient);
    bar->m_wndInfo.GetWindowRect(info);
    bar->m_pPagePreview->GetWindowRect(pages);
    EXPECT_GT(rcBar.Height(), 300) << height;
    EXPECT_LE(rcBar.bottom, client.bottom - 20) << height;
    EXPECT_GE(rcBar.bottom, client.bottom - 20 - 30) << height;  // the status bar may end it sooner
    EXPECT_EQ(info.bottom, barClient.bottom - 20) << height;
    EXPECT_EQ(pages.bottom, info.top - 20) << height;
  }
  Frame()->SetWindowPos(NULL, 0, 0, before.Width(), before.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpPending();
}

TEST_F(BarsTest, ABarReplacedInsideItsHandlerGoesAfterTheHandler) {
  jvqRectObject* rect = AddRect(100);
  const RECT r = {600, 100, 900, 300};
  jvqEllipseObject* ellipse = Add(new jvqEllipseObject(&r, &View()->m_Mapping, 0x311));
  Select({rect});
  qvzRectToolBar* old = Bar<qvzRectToolBar>();
  old->m_nHandlerDepth++;  // as inside one of its handlers
  Select({ellipse});
  EXPECT_NE(Bar<qvzEllipseToolBar>(), nullptr);
  EXPECT_EQ(Bars().GetRetiredCount(), 1);
  EXPECT_NE(old->m_hWnd, nullptr);
  old->m_nHandlerDepth--;
  old->SendMessage(WM_NULL);  // its last handler returns
  PumpUntil([] { return Bars().GetRetiredCount() == 0; });
  EXPECT_EQ(Bars().GetRetiredCount(), 0);
  EXPECT_EQ(CountBarWindows(), 1);
}

TEST_F(BarsTest, ABusyCreationToolDisablesTheBarAndIdleLeavesItsControls) {
  UseTool(ID_TOOL_RECT);
  qvzRectToolBar* bar = Bar<qvzRectToolBar>();
  ASSERT_NE(bar, nullptr);
  View()->m_pTool->m_bBusy = 1;
  Frame()->UpdateCurrentBar();
  EXPECT_FALSE(bar->m_wndLineWidth.IsWindowEnabled());
  View()->m_pTool->m_bBusy = 0;
  Frame()->UpdateCurrentBar();
  Frame()->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
  PumpPending();
  EXPECT_TRUE(bar->m_wndLineWidth.IsWindowEnabled());
  EXPECT_TRUE(bar->m_wndLineColor.IsWindowEnabled());
}

TEST_F(BarsTest, LineEndsShowAndChangeOneEndAtATime) {
  jvqPolylineObject* line = Add(new jvqPolylineObject(&View()->m_Mapping));
  POINT p0 = {100, 100}, p1 = {800, 400};
  line->AddVertex(&p0, 0);
  line->AddVertex(&p1, 0);
  line->m_dwState = 0x311 | JVQ_STATE_OPEN;
  line->m_EndLineEnd = *GetLineEnd(9);
  Select({line});
  qvzLineToolBar* bar = Bar<qvzLineToolBar>();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->m_LineEnds.m_wndStartShape.GetCurSel(), 0);
  EXPECT_EQ(bar->m_LineEnds.m_wndEndShape.GetCurSel(), 2);  // kind 9
  PickItem(bar->m_LineEnds.m_wndStartShape, 4);
  jvqPolylineObject* live = static_cast<jvqPolylineObject*>(Live(0));
  EXPECT_EQ(live->m_StartLineEnd.m_nKind, 3);
  EXPECT_EQ(live->m_EndLineEnd.m_nKind, 9);
  // The previews: item 1's circle and item 9's star fill pixels left of the sample's start.
  for (int item : {1, 4, 9}) {
    CClientDC screen(bar);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screen, 60, 30);
    CBitmap* old = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, 60, 30, RGB(255, 255, 255));
    LineEndPainters[item](&dc, 20, 15, 50, 15, RGB(0, 0, 0));
    int dark = 0;
    for (int y = 0; y < 30; y++)
      for (int x = 10; x < 20; x++) dark += dc.GetPixel(x, y) == RGB(0, 0, 0);
    dc.SelectObject(old);
    EXPECT_GT(dark, 5) << item;
  }
  // The arc bar's boxes do the same for arcs.
  View()->ClearSelection();
  Page()->DeleteChildren();
  const RECT r = {100, 100, 500, 400};
  jvqArcObject* arc = Add(new jvqArcObject(&r, &View()->m_Mapping, 0x311, 0, 90));
  arc->m_EndLineEnd = *GetLineEnd(9);
  Select({arc});
  qvzArcToolBar* arcBar = Bar<qvzArcToolBar>();
  ASSERT_NE(arcBar, nullptr);
  EXPECT_EQ(arcBar->m_LineEnds.m_wndEndShape.GetCurSel(), 2);
  PickItem(arcBar->m_LineEnds.m_wndStartShape, 4);
  EXPECT_EQ(static_cast<jvqArcObject*>(Live(0))->m_StartLineEnd.m_nKind, 3);
  EXPECT_EQ(static_cast<jvqArcObject*>(Live(0))->m_EndLineEnd.m_nKind, 9);
}

TEST_F(BarsTest, AnglesShowTheOtherWayAndStoreTypedValues) {
  const RECT r = {100, 100, 500, 400};
  jvqPieObject* pie = Add(new jvqPieObject());
  pie->Create(&r, &View()->m_Mapping, 0x311, 90, 180);
  Select({pie});
  qvzPieToolBar* bar = Bar<qvzPieToolBar>();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->m_wndStartAngle.GetText(), "270");
  EXPECT_EQ(bar->m_wndEndAngle.GetText(), "180");
  PickItem(bar->m_wndStartAngle, 1);  // "45"
  EXPECT_EQ(static_cast<jvqPieObject*>(Live(0))->GetStartAngle(), 315);
  // A text that is no number is refused and the box shows its value again.
  bar = Bar<qvzPieToolBar>();
  const int step = theUndoManager.GetCurrentStep();
  bar->m_wndEndAngle.SetFocus();
  bar->m_wndEndAngle.SetWindowText("abc");
  View()->SetFocus();
  PumpPending();
  EXPECT_EQ(theUndoManager.GetCurrentStep(), step);
  EXPECT_EQ(bar->m_wndEndAngle.GetText(), "180");
  bar->m_wndEndAngle.SetFocus();
  bar->m_wndEndAngle.SetWindowText("-90");
  View()->SetFocus();
  PumpPending();
  EXPECT_EQ(static_cast<jvqPieObject*>(Live(0))->GetEndAngle(), 90);
}

TEST_F(BarsTest, CornerEditIsOneStepForEnterThenLeaving) {
  const RECT r = {100, 100, 900, 700};
  jvqRoundRectObject* rr = Add(new jvqRoundRectObject(&r, &View()->m_Mapping, 0x311));
  rr->SetCornerRadius(75);
  Select({rr});
  qvzRoundRectToolBar* bar = Bar<qvzRoundRectToolBar>();
  ASSERT_NE(bar, nullptr);
  CString t;
  bar->m_wndCorner.GetWindowText(t);
  EXPECT_EQ(t, "7");
  const int step = theUndoManager.GetCurrentStep();
  bar->m_wndCorner.SetFocus();
  bar->m_wndCorner.SetWindowText("12");
  bar->m_wndCorner.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  PumpPending();
  Bar<qvzRoundRectToolBar>()->m_wndCorner.SetFocus();
  View()->SetFocus();
  PumpPending();
  EXPECT_EQ(theUndoManager.GetCurrentStep(), step + 1);
  EXPECT_EQ(static_cast<jvqRoundRectObject*>(Live(0))->m_nCornerWidth, 120);
  // Nothing selected: the corner edit is empty and disabled.
  View()->ClearSelection();
  UseTool(ID_TOOL_ROUNDRECT);
  bar = Bar<qvzRoundRectToolBar>();
  ASSERT_NE(bar, nullptr);
  bar->m_wndCorner.GetWindowText(t);
  EXPECT_EQ(t, "");
  EXPECT_FALSE(bar->m_wndCorner.IsWindowEnabled());
}

// Picture files drawn here: a BMP of a red square, an EMF with a rectangle, a damaged file.
std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  return std::string(dir) + name;
}

void WriteBmp(const std::string& path) {
  CClientDC screen(NULL);
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = 16;
  bi.bmiHeader.biHeight = 16;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  std::vector<BYTE> bits(16 * 16 * 3, 0);
  for (size_t i = 0; i < bits.size(); i += 3) bits[i + 2] = 255;
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
  fh.bfSize = fh.bfOffBits + (DWORD)bits.size();
  FILE* f = fopen(path.c_str(), "wb");
  fwrite(&fh, sizeof(fh), 1, f);
  fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, f);
  fwrite(bits.data(), bits.size(), 1, f);
  fclose(f);
}

void WriteEmf(const std::string& path) {
  HDC h = ::CreateEnhMetaFile(NULL, path.c_str(), NULL, NULL);
  ::Rectangle(h, 10, 10, 200, 100);
  ::DeleteEnhMetaFile(::CloseEnhMetaFile(h));
}

// The same red square as a baseline JPEG.
void WriteJpeg(const std::string& path) {
  BITMAPINFOHEADER bh = {};
  bh.biSize = sizeof(bh);
  bh.biWidth = 16;
  bh.biHeight = 16;
  bh.biPlanes = 1;
  bh.biBitCount = 24;
  pictal::Bytes dib((const BYTE*)&bh, (const BYTE*)&bh + sizeof(bh));
  for (int i = 0; i < 16 * 16; i++) dib.insert(dib.end(), {0, 0, 255});
  pictal::Bytes jpeg;
  ASSERT_TRUE(pictal::EncodeJpeg(dib.data(), dib.size(), 90, &jpeg));
  FILE* f = fopen(path.c_str(), "wb");
  fwrite(jpeg.data(), jpeg.size(), 1, f);
  fclose(f);
}

// A placeable Windows metafile with a rectangle, recorded by GDI.
void WriteWmf(const std::string& path) {
  HDC h = ::CreateMetaFile(NULL);
  ::SetWindowExtEx(h, 200, 100, NULL);
  ::Rectangle(h, 10, 10, 190, 90);
  HMETAFILE mf = ::CloseMetaFile(h);
  std::vector<BYTE> bits(::GetMetaFileBitsEx(mf, 0, NULL));
  ::GetMetaFileBitsEx(mf, (UINT)bits.size(), bits.data());
  ::DeleteMetaFile(mf);
  WORD head[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 200, 100, 1440, 0, 0, 0};
  for (int i = 0; i < 10; i++) head[10] ^= head[i];
  FILE* f = fopen(path.c_str(), "wb");
  fwrite(head, sizeof(head), 1, f);
  fwrite(bits.data(), bits.size(), 1, f);
  fclose(f);
}

CString thePickedPath;
BOOL PickPath(CWnd*, LPCTSTR, CString* path) {
  if (thePickedPath.IsEmpty()) return FALSE;
  *path = thePickedPath;
  return TRUE;
}

TEST_F(BarsTest, PictureReplacementLoadsFirstAndResetsRotationOnlyForVectors) {
  const std::string bmp = TempPath("bars_pic.bmp"), emf = TempPath("bars_pic.emf"), bad = TempPath("bars_bad.bmp");
  WriteBmp(bmp);
  WriteEmf(emf);
  FILE* f = fopen(bad.c_str(), "wb");
  fputs("not a picture", f);
  fclose(f);
  jvqImagePool* pool = View()->GetDocument()->GetImagePool();
  jvqImageObject* pic = Add(new jvqImageObject(pool, bmp.c_str(), &View()->m_Mapping));
  pic->m_dwState = 0x311;
  pic->SetRotation(30);
  Select({pic});
  qvzImageToolBar* bar = Bar<qvzImageToolBar>();
  ASSERT_NE(bar, nullptr);
  qvzAskPictureFileFn keep = g_pfnAskPictureFile;
  g_pfnAskPictureFile = PickPath;
  const int step = theUndoManager.GetCurrentStep();
  struct { const std::string* path; BOOL changes; } cases[] = {{&bad, FALSE}, {nullptr, FALSE}, {&emf, TRUE}};
  for (auto c : cases) {
    thePickedPath = c.path ? c.path->c_str() : "";
    Frame()->m_strLastMessage = "";
    Bar<qvzImageToolBar>()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BAR_REPLACE_IMAGE, BN_CLICKED));
    PumpPending();
    if (c.changes) break;
    EXPECT_EQ(theUndoManager.GetCurrentStep(), step);
    EXPECT_EQ(static_cast<jvqImageObject*>(Live(0))->GetFileName(), CString(bmp.c_str()));
    EXPECT_NEAR(Live(0)->m_dRotation, 30, 0.5);
    if (c.path) EXPECT_EQ(Frame()->m_strLastMessage, "画像データの読み込みに失敗しました。");
  }
  EXPECT_EQ(theUndoManager.GetCurrentStep(), step + 1);
  EXPECT_EQ(static_cast<jvqImageObject*>(Live(0))->GetFileName(), CString(emf.c_str()));
  EXPECT_NEAR(Live(0)->m_dRotation, 0, 0.5);
  g_pfnAskPictureFile = keep;
}

// A raster file keeps the picture's rotation, a Windows metafile is drawn upright.
TEST_F(BarsTest, PictureReplacementByJpegKeepsRotationAndByWmfResetsIt) {
  const std::string bmp = TempPath("bars_pic2.bmp"), jpg = TempPath("bars_pic.jpg"), wmf = TempPath("bars_pic.wmf");
  WriteBmp(bmp);
  WriteJpeg(jpg);
  WriteWmf(wmf);
  jvqImagePool* pool = View()->GetDocument()->GetImagePool();
  jvqImageObject* pic = Add(new jvqImageObject(pool, bmp.c_str(), &View()->m_Mapping));
  pic->m_dwState = 0x311;
  pic->SetRotation(30);
  Select({pic});
  qvzAskPictureFileFn keep = g_pfnAskPictureFile;
  g_pfnAskPictureFile = PickPath;
  struct {
    const std::string* path;
    double rotation;
  } cases[] = {{&jpg, 30}, {&wmf, 0}};
  for (auto c : cases) {
    const int step = theUndoManager.GetCurrentStep();
    thePickedPath = c.path->c_str();
    ASSERT_NE(Bar<qvzImageToolBar>(), nullptr);
    Bar<qvzImageToolBar>()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BAR_REPLACE_IMAGE, BN_CLICKED));
    PumpPending();
    jvqImageObject* live = static_cast<jvqImageObject*>(Live(0));
    EXPECT_EQ(theUndoManager.GetCurrentStep(), step + 1) << *c.path;
    EXPECT_EQ(live->GetFileName(), CString(c.path->c_str()));
    ASSERT_NE(live->GetImageFill(), nullptr);
    EXPECT_NE(live->GetImageFill()->GetImage(), nullptr) << *c.path;
    EXPECT_NEAR(live->m_dRotation, c.rotation, 0.5) << *c.path;
  }
  g_pfnAskPictureFile = keep;
}

// An embedded object's own answer to the application name, the rest passed to the item's.
struct NamedOleObject : IOleObject {
  IOleObject* real;
  explicit NamedOleObject(IOleObject* r) : real(r) {}
  STDMETHOD(QueryInterface)(REFIID i, void** p) override { return real->QueryInterface(i, p); }
  STDMETHOD_(ULONG, AddRef)() override { return 2; }
  STDMETHOD_(ULONG, Release)() override { return 1; }
  STDMETHOD(SetClientSite)(IOleClientSite* s) override { return real->SetClientSite(s); }
  STDMETHOD(GetClientSite)(IOleClientSite** s) override { return real->GetClientSite(s); }
  STDMETHOD(SetHostNames)(LPCOLESTR a, LPCOLESTR b) override { return real->SetHostNames(a, b); }
  STDMETHOD(Close)(DWORD d) override { return real->Close(d); }
  STDMETHOD(SetMoniker)(DWORD d, IMoniker* m) override { return real->SetMoniker(d, m); }
  STDMETHOD(GetMoniker)(DWORD a, DWORD b, IMoniker** m) override { return real->GetMoniker(a, b, m); }
  STDMETHOD(InitFromData)(IDataObject* d, BOOL b, DWORD r) override { return real->InitFromData(d, b, r); }
  STDMETHOD(GetClipboardData)(DWORD r, IDataObject** d) override { return real->GetClipboardData(r, d); }
  STDMETHOD(DoVerb)(LONG v, LPMSG m, IOleClientSite* s, LONG l, HWND h, LPCRECT r) override {
    return real->DoVerb(v, m, s, l, h, r);
  }
  STDMETHOD(EnumVerbs)(IEnumOLEVERB** e) override { return real->EnumVerbs(e); }
  STDMETHOD(Update)() override { return real->Update(); }
  STDMETHOD(IsUpToDate)() override { return real->IsUpToDate(); }
  STDMETHOD(GetUserClassID)(CLSID* c) override { return real->GetUserClassID(c); }
  STDMETHOD(GetUserType)(DWORD form, LPOLESTR* name) override {
    if (form != USERCLASSTYPE_APPNAME) return real->GetUserType(form, name);
    static const wchar_t app[] = L"\u56f3\u5f62\u30a8\u30c7\u30a3\u30bf";  // 図形エディタ
    *name = (LPOLESTR)::CoTaskMemAlloc(sizeof(app));
    memcpy(*name, app, sizeof(app));
    return S_OK;
  }
  STDMETHOD(SetExtent)(DWORD a, SIZEL* s) override { return real->SetExtent(a, s); }
  STDMETHOD(GetExtent)(DWORD a, SIZEL* s) override { return real->GetExtent(a, s); }
  STDMETHOD(Advise)(IAdviseSink* s, DWORD* c) override { return real->Advise(s, c); }
  STDMETHOD(Unadvise)(DWORD c) override { return real->Unadvise(c); }
  STDMETHOD(EnumAdvise)(IEnumSTATDATA** e) override { return real->EnumAdvise(e); }
  STDMETHOD(GetMiscStatus)(DWORD a, DWORD* s) override { return real->GetMiscStatus(a, s); }
  STDMETHOD(SetColorScheme)(LOGPALETTE* p) override { return real->SetColorScheme(p); }
};

TEST_F(BarsTest, OleBarKeepsTheApplicationNameInItsHiddenStatic) {
  qvzDocument* doc = DYNAMIC_DOWNCAST(qvzDocument, View()->GetDocument());
  ASSERT_NE(doc, nullptr);
  jvqOleItem* item = new jvqOleItem(doc, NULL);
  ASSERT_TRUE(MakePictureItem(item));
  const RECT r = {500, 500, 1000, 800};
  jvqOleObject* ole = Add(new jvqOleObject(&r, doc->AddOleItem(item), &View()->m_Mapping, doc));
  item->m_pOwner = ole;
  ole->m_dwState = 0x311;
  NamedOleObject named(item->m_lpObject);
  item->m_lpObject = &named;
  Select({ole});
  item->m_lpObject = named.real;
  qvzOleToolBar* bar = Bar<qvzOleToolBar>();
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(bar->m_wndAppName.m_hWnd, nullptr);
  EXPECT_FALSE(bar->m_wndAppName.IsWindowVisible());
  CString name;
  bar->m_wndAppName.GetWindowText(name);
  EXPECT_EQ(name, "図形エディタ");
  View()->ClearSelection();
  Page()->DeleteChildren();
}

TEST_F(BarsTest, SelectBarShowsThePaperSize) {
  Select({});

  qvzSelectToolBar* bar = Bar<qvzSelectToolBar>();
  ASSERT_NE(bar, nullptr);
  CString text = bar->GetDocumentInfoText();
  EXPECT_EQ(text.Left(12), "用紙サイズ：");
  CString shown;
  bar->m_wndInfo.GetWindowText(shown);
  EXPECT_EQ(shown, text);
}

// Kept last: it leaves the board with three pages.
TEST_F(BarsTest, SelectBarListsThePagesAndAClickMakesOneCurrent) {
  qvzDocument* doc = DYNAMIC_DOWNCAST(qvzDocument, View()->GetDocument());
  doc->InsertPage(0);
  doc->InsertPage(0);
  jvqBoard* board = View()->GetBoard();
  ASSERT_EQ(board->GetPageCount(), 3);
  board->SetCurrentPage(0);
  Select({});
  Frame()->SwitchBar(TRUE);
  PumpPending();
  qvzSelectToolBar* bar = Bar<qvzSelectToolBar>();
  ASSERT_NE(bar, nullptr);
  qvzPagePreviewView* pages = DYNAMIC_DOWNCAST(qvzPagePreviewView, bar->m_pPagePreview);
  ASSERT_NE(pages, nullptr);
  EXPECT_FALSE(bar->m_wndPlaceholder.IsWindowVisible());
  EXPECT_TRUE(pages->IsWindowVisible());
  EXPECT_EQ(pages->GetDlgCtrlID(), IDC_BAR_PAGE_PREVIEW);
  ASSERT_EQ(pages->GetItemCount(), 3);
  EXPECT_EQ(pages->GetItem(2)->m_strLabel, "3ページ");
  EXPECT_EQ(pages->GetSelectedIndex(), 0);
  EXPECT_EQ(pages->m_bDragHandOff, 0);
  // One column: every cell starts at the same left, each below the last.
  const RECT c0 = pages->GetItem(0)->m_rcCell, c1 = pages->GetItem(1)->m_rcCell;
  EXPECT_EQ(c0.left, c1.left);
  EXPECT_GT(c1.top, c0.top);
  // A click on the second page: its cell is selected, the page current, and the editing
  // view stays the frame's active view.
  pages->SendMessage(WM_MOUSEACTIVATE, (WPARAM)Frame()->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  CPoint at(c1.left + 10, c1.top + 10);
  const CPoint scroll = pages->GetScrollPosition();
  at -= scroll;
  pages->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  pages->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  PumpPending();
  EXPECT_EQ(board->GetCurrentPageIndex(), 1);
  EXPECT_EQ(Frame()->GetActiveView(), (CView*)View());
  EXPECT_EQ(pages->GetSelectedIndex(), 1);
}

// Each swap asks the application to read its fonts again when the printer changed.
TEST_F(BarsTest, ASwapRereadsTheFontsAfterAPrinterChange) {
  theApp.m_strDefaultPrinter = "a printer of the past";
  theApp.m_AllFontList.DeleteAll();
  Frame()->SwitchBar(FALSE);
  EXPECT_FALSE(theApp.m_AllFontList.empty());
  EXPECT_EQ(theApp.m_strDefaultPrinter, qvzApp::ReadDefaultPrinterName());
}

}  // namespace
