// The select tool on a real view: selection, moving, copying, snapping, resizing, turning
// and vertex dragging, each ending as one undo step.
#include <cstdio>

#include "ViewFixture.h"
#include "board_shapes/ShapeFixture.h"
#include "jvqHandleObject.h"
#include "jvqMadorizuObject.h"
#include "qvzToolTipWnd.h"

static RECT Bounds(jvqObject* o) {
  RECT r;
  o->GetBoundRect(&r);
  return r;
}

TEST_F(ViewTest, APressThatMovesUnderTwoPixelsMovesNothing) {
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  m_view->Select(a, FALSE);
  const int steps = theUndoManager.GetCurrentStep();
  // One logical unit is well under a pixel at 100 percent.
  Press(P(700, 650));
  Move(P(702, 651));
  Release(P(702, 651));
  ASSERT_EQ(1u, Shown().size());
  EXPECT_EQ(a, Shown()[0]);
  EXPECT_EQ(500, Bounds(a).left);
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
}

TEST_F(ViewTest, ShiftAndCtrlToggleTheSelectionAtButtonUp) {
  for (UINT key : {(UINT)MK_SHIFT, (UINT)MK_CONTROL}) {
    m_view->ClearSelection();
    jvqRectObject* a = AddRect(500, 500, 900, 800);
    jvqRectObject* b = AddRect(1500, 500, 1900, 800);
    m_view->Select(a, FALSE);
    Press(P(1700, 650), key);
    Release(P(1700, 650), key);
    EXPECT_EQ(2, m_view->GetSelectedCount()) << key;
    // A selected one stays selected at the press and goes at the release.
    Press(P(700, 650), key);
    EXPECT_TRUE(a->GetState() & JVQ_STATE_SELECTED);
    Release(P(700, 650), key);
    EXPECT_FALSE(a->GetState() & JVQ_STATE_SELECTED) << key;
    EXPECT_TRUE(b->GetState() & JVQ_STATE_SELECTED);
    m_page->RemoveChild(a, TRUE);
    m_page->RemoveChild(b, TRUE);
  }
}

TEST_F(ViewTest, LockedObjectsClearSelectWithCtrlAndDoNotMoveWithShift) {
  jvqRectObject* other = AddRect(2000, 500, 2400, 800);
  jvqRectObject* locked = AddRect(500, 500, 900, 800, 0x331);
  m_view->Select(other, FALSE);
  Press(P(700, 650));
  Release(P(700, 650));
  EXPECT_EQ(0, m_view->GetSelectedCount());
  Press(P(700, 650), MK_CONTROL);
  Release(P(700, 650), MK_CONTROL);
  EXPECT_TRUE(locked->GetState() & JVQ_STATE_SELECTED);
  m_view->ClearSelection();
  Drag(P(700, 650), P(1200, 650), MK_SHIFT);
  EXPECT_TRUE(locked->GetState() & JVQ_STATE_SELECTED);
  EXPECT_EQ(locked, Shown()[1]);
  EXPECT_EQ(500, Bounds(locked).left);
}

TEST_F(ViewTest, AltClickCyclesThroughStackedObjectsAndWraps) {
  jvqRectObject* bottom = AddRect(500, 500, 900, 800);
  jvqRectObject* middle = AddRect(520, 520, 920, 820);
  jvqRectObject* top = AddRect(540, 540, 940, 840);
  m_view->Select(middle, FALSE);
  theScriptedAlt = TRUE;
  Press(P(700, 650));
  Release(P(700, 650));
  EXPECT_EQ(std::vector<jvqObject*>{top}, Selected());
  Press(P(700, 650));
  Release(P(700, 650));
  EXPECT_EQ(std::vector<jvqObject*>{bottom}, Selected());
  theScriptedAlt = FALSE;
}

TEST_F(ViewTest, TheRubberBandSelectsEveryObjectItTouches) {
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  jvqRectObject* b = AddRect(1000, 500, 1400, 800);
  jvqRectObject* distant = AddRect(3000, 2000, 3400, 2400);
  jvqRectObject* locked = AddRect(600, 900, 800, 1000, 0x331);
  Drag(P(300, 300), P(1100, 1200));
  std::vector<jvqObject*> sel = Selected();
  EXPECT_EQ(2u, sel.size());
  EXPECT_TRUE(a->GetState() & JVQ_STATE_SELECTED);
  EXPECT_TRUE(b->GetState() & JVQ_STATE_SELECTED);
  EXPECT_FALSE(distant->GetState() & JVQ_STATE_SELECTED);
  EXPECT_FALSE(locked->GetState() & JVQ_STATE_SELECTED);
  Drag(P(300, 300), P(1100, 1200), MK_SHIFT);
  EXPECT_TRUE(locked->GetState() & JVQ_STATE_SELECTED);
}

static bool OnGrid(POINT p) { return p.x % 50 == 0 && p.y % 50 == 0; }

TEST_F(ViewTest, EachMovedObjectSnapsByItsOwnCorner) {
  m_view->m_dwOptions |= JVQ_VIEW_SNAP;
  AddRect(512, 512, 887, 787);
  AddRect(1131, 523, 1460, 790);
  m_view->Select(Shown()[0], FALSE);
  m_view->Select(Shown()[1], FALSE);
  const int steps = theUndoManager.GetCurrentStep();
  Drag(P(700, 650), P(903, 650));
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(2u, s.size());
  // Moved by 203: the first takes its top-right corner (+10, -12), the second its
  // bottom-right one (-13, +10): each the corner with the smaller shift on both axes.
  RECT a = Bounds(s[0]), b = Bounds(s[1]);
  EXPECT_TRUE(OnGrid({a.left, a.top}) || OnGrid({a.left, a.bottom}) || OnGrid({a.right, a.top}) ||
              OnGrid({a.right, a.bottom}));
  EXPECT_TRUE(OnGrid({b.left, b.top}) || OnGrid({b.left, b.bottom}) || OnGrid({b.right, b.top}) ||
              OnGrid({b.right, b.bottom}));
  EXPECT_EQ(887 - 512, a.right - a.left);
  // Their distance changed by less than a grid step, and did change.
  const int before = 1131 - 512, after = b.left - a.left;
  EXPECT_NE(before, after);
  EXPECT_LT(abs(after - before), 50);
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
}

TEST_F(ViewTest, SnappingTakesGuidesOfTheCurrentPageOnly) {
  m_view->m_dwOptions |= JVQ_VIEW_SNAP;
  jvqSelectTool* tool = (jvqSelectTool*)m_view->m_pTool;
  m_frame->m_wndHorzRuler.AddGuide(103, 0);
  m_frame->m_wndHorzRuler.AddGuide(98, 0);
  EXPECT_EQ(100, tool->SnapPoint(0, P(101, 0)).x);
  EXPECT_EQ(103, tool->SnapPoint(0, P(102, 0)).x);
  m_frame->m_wndHorzRuler.DeleteAllGuides();
  m_frame->m_wndHorzRuler.AddGuide(103, 0);
  m_frame->m_wndHorzRuler.AddGuide(101, 0);
  EXPECT_EQ(101, tool->SnapPoint(0, P(102, 0)).x);
  // A guide of another page is not there for this page.
  m_doc->InsertPage(0);
  m_view->GetBoard()->SetCurrentPage(0);
  m_frame->m_wndHorzRuler.DeleteAllGuides();
  m_frame->m_wndHorzRuler.AddGuide(103, 1);
  EXPECT_EQ(100, tool->SnapPoint(0, P(102, 0)).x);
  m_view->m_dwOptions &= ~JVQ_VIEW_SNAP;
  m_frame->m_wndHorzRuler.AddGuide(103, 0);
  EXPECT_EQ(102, tool->SnapPoint(0, P(102, 0)).x);
  m_frame->m_wndHorzRuler.DeleteAllGuides();
}

TEST_F(ViewTest, ACtrlDragCopyIsOneUndoStep) {
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  m_view->Select(a, FALSE);
  Drag(P(700, 650), P(1700, 650), MK_CONTROL);
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(2u, s.size());
  EXPECT_EQ(a, s[0]);
  EXPECT_FALSE(a->GetState() & JVQ_STATE_SELECTED);
  EXPECT_TRUE(s[1]->GetState() & JVQ_STATE_SELECTED);
  EXPECT_EQ(1500, Bounds(s[1]).left);
  theUndoManager.Undo();
  EXPECT_EQ(std::vector<jvqObject*>{a}, Shown());
  theUndoManager.Redo();
  EXPECT_EQ(2u, Shown().size());
}

TEST_F(ViewTest, MovesShowWholeMillimetresAndShiftKeepsOneAxis) {
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  m_view->Select(a, FALSE);
  jvqTool* t = m_view->m_pTool;
  Press(P(700, 650), MK_SHIFT);
  Move(P(725, 660), MK_SHIFT);
  Move(P(750, 670), MK_SHIFT);
  EXPECT_STREQ("移動 移動距離 X:0.5㎝ Y:0.0㎝", (LPCTSTR)t->m_strCaption);
  Release(P(750, 670), MK_SHIFT);
  EXPECT_EQ(550, Bounds(Shown()[0]).left);
  EXPECT_EQ(500, Bounds(Shown()[0]).top);
  m_view->Select(Shown()[0], FALSE);
  Press(P(700, 650));
  Move(P(720, 650));
  Move(P(737, 650));
  EXPECT_STREQ("移動 移動距離 X:0.3㎝ Y:0.0㎝", (LPCTSTR)t->m_strCaption);
  Release(P(737, 650));
  EXPECT_STREQ("選択・移動・サイズ変更", (LPCTSTR)t->m_strCaption);
}

TEST_F(ViewTest, AnEdgeHandleResizesTheWholeSelection) {
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  jvqRectObject* b = AddRect(1500, 500, 1900, 900);
  m_view->Select(a, FALSE);
  m_view->Select(b, FALSE);
  POINT h;
  a->GetHandle(5)->GetCenter(&h);  // middle of the right edge
  const int steps = theUndoManager.GetCurrentStep();
  Drag(h, P(h.x + 200, h.y));
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(2u, s.size());
  EXPECT_EQ(1100, Bounds(s[0]).right);
  EXPECT_EQ(2100, Bounds(s[1]).right);
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  // A corner resizes only its own object.
  m_view->Select(s[0], FALSE);
  m_view->Select(s[1], FALSE);
  s[0]->GetHandle(4)->GetCenter(&h);
  Drag(h, P(h.x + 100, h.y + 100));
  s = Shown();
  EXPECT_GT(Bounds(s[0]).right, 1100);
  EXPECT_EQ(2100, Bounds(s[1]).right);
}

TEST_F(ViewTest, AnEdgeHandleOverAPictureAsksAndNoRestores) {
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  a->m_nClassCode = JVQ_OBJ_IMAGE;  // a picture as distant as the question goes
  m_view->Select(a, FALSE);
  POINT h;
  a->GetHandle(5)->GetCenter(&h);
  m_host.m_nAnswer = IDNO;
  Drag(h, P(h.x + 200, h.y));
  ASSERT_EQ(1u, m_host.m_messages.size());
  EXPECT_EQ("画像ファイルの縦横比が変更されます。よろしいですか？", m_host.m_messages[0]);
  EXPECT_EQ(std::vector<jvqObject*>{a}, Shown());
  EXPECT_EQ(900, Bounds(a).right);
}

// The vertex-edit tool shows the vertex markers and drags them as the select tool does.
class VertexMarkersTool : public jvqSelectTool {
 public:
  explicit VertexMarkersTool(jvqView* v) : jvqSelectTool(v) { m_nToolId = 3011; }
};

TEST_F(ViewTest, FivePolylineVerticesCloseToFour) {
  jvqPolylineObject* p = AddPolyline({{500, 500}, {1500, 500}, {1500, 1500}, {500, 1500}, {520, 620}});
  m_view->SetTool(new VertexMarkersTool(m_view));
  m_view->Select(p, FALSE);
  ASSERT_TRUE(p->GetState() & JVQ_STATE_OPEN);
  POINT last;
  p->GetVertexMarker(4)->GetCenter(&last);
  const int steps = theUndoManager.GetCurrentStep();
  Drag(last, P(502, 503));
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(1u, s.size());
  EXPECT_NE(p, s[0]);
  EXPECT_EQ(4, s[0]->GetPointCount());
  EXPECT_FALSE(s[0]->GetState() & JVQ_STATE_OPEN);
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  m_view->SwitchToSelectTool();
}

TEST_F(ViewTest, AMarkerReleasedWithoutDraggingLeavesNothingOpen) {
  jvqPolylineObject* p = AddPolyline({{500, 500}, {1500, 500}, {1500, 1500}});
  m_view->SetTool(new VertexMarkersTool(m_view));
  m_view->Select(p, FALSE);
  const int steps = theUndoManager.GetCurrentStep();
  POINT v;
  p->GetVertexMarker(1)->GetCenter(&v);
  Press(v);
  Release(v);
  EXPECT_EQ(std::vector<jvqObject*>{p}, Shown());
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  m_view->SwitchToSelectTool();
}

TEST_F(ViewTest, TurningByTheLabelMarkerIsOneStepAndEscOrAClickDropsIt) {
  jvqRectObject* a = AddRect(500, 500, 900, 900);
  POINT c = {700, 700};
  a->m_pLabelMarker = a->MakeMarker(&c, JVQ_HANDLE_LABEL);
  m_view->Select(a, FALSE);
  const int steps = theUndoManager.GetCurrentStep();
  // A click on the marker turns nothing.
  Press(c);
  Release(c);
  EXPECT_EQ(std::vector<jvqObject*>{a}, Shown());
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  // Esc in the middle of a turn drops it.
  m_view->Select(a, FALSE);
  Press(c);
  Move(P(700, 300));
  Move(P(1100, 700));
  m_view->SendMessage(WM_KEYUP, VK_ESCAPE, 0);
  Release(P(1100, 700));
  EXPECT_EQ(std::vector<jvqObject*>{a}, Shown());
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  // A whole turn is one step.
  m_view->Select(a, FALSE);
  Press(c);
  Move(P(700, 300));
  Move(P(1100, 700));
  Release(P(1100, 700));
  ASSERT_EQ(1u, Shown().size());
  EXPECT_NE(a, Shown()[0]);
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
}

TEST_F(ViewTest, EscCancelsOnlyAGestureAndNeverTheSelection) {
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  m_view->Select(a, FALSE);
  // Outside a gesture the select tool's list may hold the selection itself.
  Press(P(700, 650));
  Release(P(700, 650));
  m_view->SendMessage(WM_KEYUP, VK_ESCAPE, 0);
  EXPECT_EQ(std::vector<jvqObject*>{a}, Shown());
  // During a move Esc removes the clones; the document counts as changed.
  Press(P(700, 650));
  Move(P(900, 650));
  Move(P(1100, 650));
  m_view->SendMessage(WM_KEYUP, VK_ESCAPE, 0);
  Release(P(1100, 650));
  EXPECT_EQ(std::vector<jvqObject*>{a}, Shown());
  EXPECT_EQ(500, Bounds(a).left);
  EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(ViewTest, AFavouritesDropWithoutACategoryPostsNothing) {
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  m_view->Select(a, FALSE);
  m_host.m_bOverFavorites = TRUE;
  m_host.m_nCategory = -1;
  Drag(P(700, 650), P(1500, 650));
  MSG msg;
  EXPECT_FALSE(::PeekMessage(&msg, m_view->m_hWnd, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
  EXPECT_EQ(std::vector<jvqObject*>{a}, Shown());
  m_host.m_nCategory = 2;
  m_view->Select(a, FALSE);
  Press(P(700, 650));
  Move(P(1000, 650));
  Move(P(1500, 650));
  Release(P(1500, 650));
  ASSERT_TRUE(::PeekMessage(&msg, m_view->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(1526u, (UINT)msg.wParam);
  m_host.m_bOverFavorites = FALSE;
}

TEST_F(ViewTest, ADoneToolGivesWayToTheSelectTool) {
  struct DoneTool : jvqSelectTool {
    explicit DoneTool(jvqView* v) : jvqSelectTool(v) { m_nToolId = 3007; }
    void OnLButtonUp(UINT f, int x, int y) override { m_bDone = 1; }
  };
  m_view->SetTool(new DoneTool(m_view));
  Press(P(3000, 2000));
  Release(P(3000, 2000));
  EXPECT_EQ(TOOLID_SELECT, m_view->m_pTool->m_nToolId);
  EXPECT_EQ(32849u, m_view->m_nLastCreateCommand);
  EXPECT_GE(m_host.Count("SwitchBar"), 1);
}

// A floor plan of 10000 x 8000 mm drawn at 1:137: the tip shows 135 (rounded to 5); without
// Shift its corner snaps to the sizes of 1:120, 1:130 or 1:140 (the nearest step to 135 is
// 130, the earlier of two equally near), with Shift to those of 1:130, 1:135 or 1:140.
TEST_F(ViewTest, AFloorPlanCornerSnapsToScaleStepsAndShowsItsScale) {
  const std::string path = "select_tool_plan.kxq";
  ASSERT_TRUE(WriteFileBytes(path, PlanFileBytes(10000, 8000, TinyEmf())));
  struct Case { UINT flags; int wantWidth; const char* tip; int wantN; } cases[] = {
      {0, 100000 / 140, "縮尺 1：140", 140}, {MK_SHIFT, 100000 / 135, "縮尺 1：135", 140}};
  for (const Case& c : cases) {
    jvqMadorizuObject* plan = new jvqMadorizuObject(path.c_str(), &m_view->m_Mapping, m_doc->GetImagePool(), 0x311);
    ASSERT_EQ(1, plan->GetChildCount());
    plan->SetScale(1.0 / 137);
    SIZE d = {500, 500};
    plan->Offset(&d);
    m_page->AddChild(plan);
    SetOwnerRecursive(plan, &m_view->m_Mapping);
    plan->Recalc();
    m_view->ClearSelection();
    m_view->Select(plan, FALSE);
    POINT h;
    plan->GetHandle(4)->GetCenter(&h);
    Press(h, c.flags);
    Move(P(h.x + 3, h.y + 2), c.flags);
    Move(P(h.x + 6, h.y + 4), c.flags);
    jvqSelectTool* tool = (jvqSelectTool*)m_view->m_pTool;
    ASSERT_NE(nullptr, tool->m_pScaleTip);
    EXPECT_STREQ(c.tip, (LPCTSTR)tool->m_pScaleTip->m_strText);
    Release(P(h.x + 6, h.y + 4), c.flags);
    std::vector<jvqObject*> s = Shown();
    jvqMadorizuObject* after = dynamic_cast<jvqMadorizuObject*>(s.back());
    ASSERT_NE(nullptr, after);
    RECT r = Bounds(after);
    EXPECT_NEAR(c.wantWidth, r.right - r.left, 2) << c.flags;
    EXPECT_NEAR(0.8, (double)(r.bottom - r.top) / (r.right - r.left), 0.01) << c.flags;
    EXPECT_EQ(c.wantN, after->GetScaleDenominator()) << c.flags;
    after->m_dwState &= ~JVQ_STATE_ALIVE;
  }
  std::remove(path.c_str());
}
