// The creation tools on a real view: rectangles, ellipses, lines, polylines, polygons and
// sectors, each made as one undo step, and the view back in select mode as the tools ask.
#include "ViewFixture.h"
#include "jvqArcBaseTool.h"
#include "jvqEllipticObject.h"
#include "jvqHandleObject.h"
#include "jvqPolygonTool.h"

static RECT Bounds(jvqObject* o) {
  RECT r;
  o->GetBoundRect(&r);
  return r;
}

static std::string Text(RECT r) {
  char b[64];
  snprintf(b, sizeof b, "%ld,%ld,%ld,%ld", (long)r.left, (long)r.top, (long)r.right, (long)r.bottom);
  return b;
}

TEST_F(ViewTest, ASmallDragIsRefusedByTheRectangleButMadeByTheEllipse) {
  jvqRectObject* under = AddRect(1000, 1000, 1400, 1400);
  Command(32849);
  EXPECT_EQ(TOOLID_RECT, ToolId());
  Drag(P(1100, 1100), P(1111, 1105));
  // Refused: the release selected what lies under the pointer, and select mode is back.
  EXPECT_EQ(std::vector<jvqObject*>{under}, Shown());
  EXPECT_EQ(std::vector<jvqObject*>{under}, Selected());
  EXPECT_EQ(TOOLID_SELECT, ToolId());
  Command(32852);
  const int steps = theUndoManager.GetCurrentStep();
  Drag(P(100, 100), P(111, 105));
  ASSERT_EQ(2u, Shown().size());
  jvqObject* e = Shown()[1];
  EXPECT_EQ(JVQ_OBJ_ELLIPSE, e->GetClassCode());
  EXPECT_EQ("100,100,111,105", Text(Bounds(e)));
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  EXPECT_EQ(std::vector<jvqObject*>{e}, Selected());
  EXPECT_EQ(TOOLID_SELECT, ToolId());
}

TEST_F(ViewTest, SnappedRectangleShowsItsSizeInCentimetres) {
  m_view->m_dwOptions |= JVQ_VIEW_SNAP;
  Command(32849);
  Press(P(12, 12));
  Move(P(70, 50));
  Move(P(137, 88));
  EXPECT_EQ("四角の作成 幅: 1.5㎝ 高さ: 1.0㎝", std::string(m_view->m_pTool->m_strCaption));
  Release(P(137, 88));
  ASSERT_EQ(1u, Shown().size());
  EXPECT_EQ(JVQ_OBJ_RECT, Shown()[0]->GetClassCode());
  EXPECT_EQ("0,0,150,100", Text(Bounds(Shown()[0])));
  // Shift makes a square in the quadrant the pointer went to.
  Command(32852);
  m_view->m_dwOptions &= ~JVQ_VIEW_SNAP;
  Drag(P(1000, 1000), P(960, 1080), MK_SHIFT);
  ASSERT_EQ(2u, Shown().size());
  EXPECT_EQ("920,1000,1000,1080", Text(Bounds(Shown()[1])));
}

TEST_F(ViewTest, TheRectangleToolMovesASelectedObjectAndEscKeepsTheTool) {
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  Command(32849);
  m_view->Select(a, FALSE);
  Drag(P(700, 650), P(900, 650));
  ASSERT_EQ(1u, Shown().size());
  EXPECT_EQ(700, Bounds(Shown()[0]).left);
  EXPECT_EQ(TOOLID_RECT, ToolId());
  // Esc in the middle of a new rectangle: nothing made, the tool stays and waits.
  const int steps = theUndoManager.GetCurrentStep();
  Press(P(2000, 1500));
  Move(P(2200, 1600));
  Move(P(2400, 1700));
  Command(1190);
  EXPECT_EQ(TOOLID_RECT, ToolId());
  EXPECT_EQ(0, m_view->m_pTool->m_bBusy);
  EXPECT_EQ(NULL, ::GetCapture());
  Release(P(2400, 1700));
  EXPECT_EQ(1u, Shown().size());
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  EXPECT_EQ(TOOLID_RECT, ToolId());
}

TEST_F(ViewTest, ShortLinesSelectAndSnappedLinesIgnoreShift) {
  jvqRectObject* under = AddRect(1000, 1000, 1400, 1400);
  Command(32848);
  Drag(P(1100, 1100), P(1110, 1108));
  EXPECT_EQ(std::vector<jvqObject*>{under}, Shown());
  EXPECT_EQ(std::vector<jvqObject*>{under}, Selected());
  EXPECT_EQ(TOOLID_SELECT, ToolId());
  // With snapping, Shift does not make the line level.
  m_view->m_dwOptions |= JVQ_VIEW_SNAP;
  Command(32848);
  const int steps = theUndoManager.GetCurrentStep();
  Drag(P(98, 102), P(296, 190), MK_SHIFT);
  ASSERT_EQ(2u, Shown().size());
  jvqObject* line = Shown()[1];
  EXPECT_EQ(JVQ_OBJ_POLYLINE, line->GetClassCode());
  EXPECT_TRUE(line->GetState() & JVQ_STATE_OPEN);
  POINT a, b;
  line->GetPoint(&a, 0);
  line->GetPoint(&b, 1);
  EXPECT_EQ(100, a.x);
  EXPECT_EQ(100, a.y);
  EXPECT_EQ(300, b.x);
  EXPECT_EQ(200, b.y);
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  // Without snapping Shift makes it level.
  m_view->m_dwOptions &= ~JVQ_VIEW_SNAP;
  Command(32848);
  Drag(P(2000, 2000), P(2300, 2040), MK_SHIFT);
  ASSERT_EQ(3u, Shown().size());
  Shown()[2]->GetPoint(&b, 1);
  EXPECT_EQ(2000, b.y);
}

TEST_F(ViewTest, ALineWhoseEndsSnapTogetherIsDiscarded) {
  m_view->m_dwOptions |= JVQ_VIEW_SNAP;
  Command(32848);
  const int steps = theUndoManager.GetCurrentStep();
  Drag(P(100, 100), P(112, 112));
  EXPECT_TRUE(Shown().empty());
  EXPECT_TRUE(m_page->m_Children.m_items.empty()) << "kept hidden on the page";
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  EXPECT_EQ(TOOLID_SELECT, ToolId());
}


TEST_F(ViewTest, DegeneratePolygonsAreDiscardedAndTheToolIsNoLongerBusy) {
  struct Case {
    const char* name;
    std::vector<POINT> clicks;
  } cases[] = {{"one click", {{500, 500}}}, {"coincident", {{500, 500}, {500, 500}, {500, 500}}}};
  for (const Case& c : cases) {
    Command(32878);
    const int steps = theUndoManager.GetCurrentStep();
    for (size_t i = 0; i + 1 < c.clicks.size(); i++) Click(c.clicks[i]);
    Press(c.clicks.back());
    Release(c.clicks.back());
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, c.clicks.back());
    Release(c.clicks.back());
    EXPECT_TRUE(m_page->m_Children.m_items.empty()) << c.name;
    EXPECT_EQ(steps, theUndoManager.GetCurrentStep()) << c.name;
    EXPECT_EQ(TOOLID_POLYGON, ToolId()) << c.name;
    EXPECT_EQ(0, m_view->m_pTool->m_bBusy) << c.name;
    EXPECT_EQ(NULL, ::GetCapture()) << c.name;
  }
  // Vertices on one vertical line still make a polygon.
  Command(32878);
  const int steps = theUndoManager.GetCurrentStep();
  Click(P(500, 500));
  Click(P(500, 900));
  Press(P(500, 1300));
  Release(P(500, 1300));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, P(500, 1300));
  Release(P(500, 1300));
  ASSERT_EQ(1u, Shown().size());
  EXPECT_EQ(3, Shown()[0]->GetPointCount());
  EXPECT_FALSE(Shown()[0]->GetState() & JVQ_STATE_OPEN);
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  EXPECT_EQ(TOOLID_SELECT, ToolId());
}

TEST_F(ViewTest, BackspaceTakesVerticesBackAndARightClickFinishes) {
  Command(32877);
  Click(P(500, 500));
  Click(P(900, 500));
  Click(P(900, 900));
  jvqPolygonTool* t = (jvqPolygonTool*)m_view->m_pTool;
  ASSERT_NE(nullptr, t->m_pShape);
  EXPECT_EQ(3, t->m_pShape->GetPointCount());
  m_view->ToolBackStep();
  EXPECT_EQ(2, t->m_pShape->GetPointCount());
  m_view->ToolBackStep();
  EXPECT_EQ(1, t->m_pShape->GetPointCount());
  m_view->ToolBackStep();
  EXPECT_EQ(nullptr, t->m_pShape);
  EXPECT_TRUE(m_page->m_Children.m_items.empty());
  EXPECT_EQ(0, t->m_bBusy);
  // A right click finishes as a double click does, and the view returns to select mode.
  const int steps = theUndoManager.GetCurrentStep();
  Click(P(500, 500));
  Click(P(900, 500));
  Click(P(900, 900));
  Send(WM_RBUTTONDOWN, MK_RBUTTON, P(900, 900));
  ASSERT_EQ(1u, Shown().size());
  EXPECT_EQ(3, Shown()[0]->GetPointCount());
  EXPECT_TRUE(Shown()[0]->GetState() & JVQ_STATE_OPEN);
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  EXPECT_EQ(TOOLID_SELECT, ToolId());
  // Esc abandons the shape being drawn.
  Command(32878);
  Click(P(1500, 500));
  Click(P(1900, 500));
  Command(1190);
  EXPECT_EQ(1u, m_page->m_Children.m_items.size());
  EXPECT_EQ(0, m_view->m_pTool->m_bBusy);
}

TEST_F(ViewTest, SectorsTakeAFrameThenTwoAngles) {
  // A frame too narrow for an ellipse: nothing, a click's selection, the tool stays.
  Command(32853);
  Drag(P(500, 500), P(509, 550));
  EXPECT_TRUE(m_page->m_Children.m_items.empty());
  EXPECT_EQ(TOOLID_PIE, ToolId());
  EXPECT_EQ(0, ((jvqArcBaseTool*)m_view->m_pTool)->m_nStage);
  // A frame 1000 units wide shows 10.0 cm.
  Press(P(1000, 1000));
  Move(P(1500, 1300));
  Move(P(2000, 1600));
  EXPECT_EQ("扇形の作成 幅: 10.0㎝ 高さ: 6.0㎝", std::string(m_view->m_pTool->m_strCaption));
  Release(P(2000, 1600));
  EXPECT_EQ(1, ((jvqArcBaseTool*)m_view->m_pTool)->m_nStage);
  // The start angle by a press without moving, the end angle by a second press.
  const int steps = theUndoManager.GetCurrentStep();
  Click(P(1500, 900));
  EXPECT_EQ(2, ((jvqArcBaseTool*)m_view->m_pTool)->m_nStage);
  EXPECT_TRUE(m_page->m_Children.m_items.empty());
  Send(WM_MOUSEMOVE, 0, P(2100, 1300));
  Press(P(2100, 1300));
  ASSERT_EQ(1u, Shown().size());
  Release(P(2100, 1300));
  jvqObject* pie = Shown()[0];
  EXPECT_EQ(JVQ_OBJ_PIE, pie->GetClassCode());
  EXPECT_EQ(0, ((jvqPieObject*)pie)->GetStartAngle());
  EXPECT_EQ(90, ((jvqPieObject*)pie)->GetEndAngle());
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  EXPECT_EQ(TOOLID_SELECT, ToolId());
  // Esc while the end angle is chosen adds nothing.
  for (UINT cmd : {32855u, 32854u}) {
    Command(cmd);
    Drag(P(1000, 2000), P(1600, 2400));
    Click(P(1300, 1900));
    Send(WM_MOUSEMOVE, 0, P(1700, 2200));
    Command(1190);
    EXPECT_EQ(1u, m_page->m_Children.m_items.size()) << cmd;
    EXPECT_EQ(NULL, ::GetCapture());
  }
}

TEST_F(ViewTest, HoveringWithASectorToolLeavesTheMouseFree) {
  Command(32853);
  Send(WM_MOUSEMOVE, 0, P(700, 700));
  Send(WM_MOUSEMOVE, 0, P(800, 750));
  EXPECT_EQ(NULL, ::GetCapture());
  // A menu command still reaches the view.
  Command(32849);
  EXPECT_EQ(TOOLID_RECT, ToolId());
}

TEST_F(ViewTest, EveryShapeIsOneUndoStepOfItsClass) {
  struct Case {
    UINT cmd;
    int code;
    bool sector;
  } cases[] = {{32851, JVQ_OBJ_ROUNDRECT, false}, {32849, JVQ_OBJ_RECT, false}, {32855, JVQ_OBJ_ARC, true},
               {32854, JVQ_OBJ_CHORD, true},      {32853, JVQ_OBJ_PIE, true}};
  for (const Case& c : cases) {
    m_page->m_Children.RemoveAll();
    Command(c.cmd);
    const int steps = theUndoManager.GetCurrentStep();
    Drag(P(1000, 1000), P(2000, 1600));
    if (c.sector) {
      Click(P(1500, 900));
      Send(WM_MOUSEMOVE, 0, P(900, 1300));
      Click(P(900, 1300));
    }
    ASSERT_EQ(1u, Shown().size()) << c.cmd;
    EXPECT_EQ(c.code, Shown()[0]->GetClassCode()) << c.cmd;
    EXPECT_EQ("1000,1000,2000,1600", Text(Bounds(Shown()[0]))) << c.cmd;
    EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep()) << c.cmd;
    EXPECT_EQ(TOOLID_SELECT, ToolId()) << c.cmd;
    theUndoManager.Undo();
    EXPECT_TRUE(Shown().empty()) << c.cmd;
  }
}

TEST_F(ViewTest, EachToolShowsItsOwnCursorOverEmptyPaper) {
  struct Case {
    UINT cmd;
    HCURSOR want;
  } cases[] = {{32849, jvqTool::s_hRect},    {32851, jvqTool::s_hRoundRect}, {32852, jvqTool::s_hEllipse},
               {32848, jvqTool::s_hLine},    {32878, jvqTool::s_hLine},      {32877, jvqTool::s_hRect},
               {32853, jvqTool::s_hSector},  {32876, jvqTool::s_hZoomIn},    {32875, jvqTool::s_hZoomOut}};
  ASSERT_NE(jvqTool::s_hRect, jvqTool::s_hLine);
  for (const Case& c : cases) {
    Command(c.cmd);
    EXPECT_EQ(c.want, m_view->m_pTool->GetCursor(P(3000, 2500))) << c.cmd;
  }
}
