// The rotate, zoom, vertex-edit and palette modes of the view, and the commands that
// choose them with their check marks.
#include <math.h>

#include "../board_pictures/PictureFixture.h"
#include "ViewFixture.h"
#include "jvqHandleObject.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqRotateTool.h"
#include "jvqZoomTool.h"

static POINT AtAngle(POINT c, int deg, int r) {
  const double a = deg * 0.01745329251994;
  return POINT{c.x + (int)lround(sin(a) * r), c.y - (int)lround(cos(a) * r)};
}

TEST_F(ViewTest, TheRotateToolTurnsInStepsAndReturnsToSelect) {
  struct Case {
    UINT flags;
    int want;
  } cases[] = {{0, 30}, {MK_SHIFT, 35}};
  for (const Case& c : cases) {
    m_page->m_Children.RemoveAll();
    jvqRectObject* a = AddRect(500, 500, 900, 900);
    m_view->Select(a, FALSE);
    Command(1021);
    EXPECT_EQ(1, Probe(m_view, 1021).nCheck);
    POINT h;
    a->GetHandle(0)->GetCenter(&h);
    const int steps = theUndoManager.GetCurrentStep();
    const POINT centre = {700, 700};
    Press(h);
    Move(AtAngle(centre, 315 + 20, 300), c.flags);
    Move(AtAngle(centre, 315 + 37, 300), c.flags);
    EXPECT_EQ("回転: " + std::to_string((720 - c.want) % 360) + "度", std::string(m_view->m_pTool->m_strCaption));
    Release(AtAngle(centre, 315 + 37, 300), c.flags);
    ASSERT_EQ(1u, Shown().size());
    EXPECT_NE(a, Shown()[0]);
    EXPECT_EQ(c.want, (int)Shown()[0]->m_dRotation) << c.flags;
    EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
    EXPECT_EQ(TOOLID_SELECT, ToolId());
  }
  // The command a second time returns to select mode, keeping the selection.
  jvqObject* s = Shown()[0];
  m_view->Select(s, FALSE);
  Command(1021);
  Command(1021);
  EXPECT_EQ(TOOLID_SELECT, ToolId());
  EXPECT_EQ(std::vector<jvqObject*>{s}, Selected());
}

TEST_F(ViewTest, APressOnAMarkerWithoutTurningLeavesNoEdit) {
  jvqRectObject* a = AddRect(500, 500, 900, 900);
  m_view->Select(a, FALSE);
  Command(1021);
  POINT h;
  a->GetHandle(0)->GetCenter(&h);
  const int steps = theUndoManager.GetCurrentStep();
  Click(h);
  EXPECT_EQ(std::vector<jvqObject*>{a}, Shown());
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  EXPECT_FALSE(theUndoManager.IsStepOpen());
  EXPECT_EQ(1u, m_page->m_Children.m_items.size());
}

TEST_F(ViewTest, LargePicturesAreNotTurned) {
  struct Case {
    int w, h;
    bool turns;
  } cases[] = {{1200, 800, true}, {1000, 1000, false}};
  jvqImagePool* pool = m_doc->GetImagePool();
  for (const Case& c : cases) {
    m_page->m_Children.RemoveAll();
    m_host.m_messages.clear();
    jvqImageObject* pic = new jvqImageObject(pool, NULL, &m_view->m_Mapping);
    ASSERT_TRUE(pic->SetPicture(pool, MakePicture(c.w, c.h), FALSE));
    const RECT r = {500, 500, 1100, 900};
    pic->SetRect(&r, &m_view->m_Mapping, 0x311);
    m_page->AddChild(pic);
    m_view->Select(pic, FALSE);
    Command(1021);
    POINT h;
    pic->GetHandle(0)->GetCenter(&h);
    Press(h);
    Move(AtAngle(P(800, 700), 300, 400));
    Move(AtAngle(P(800, 700), 330, 400));
    Release(AtAngle(P(800, 700), 330, 400));
    ASSERT_EQ(1u, Shown().size());
    EXPECT_EQ(c.turns, Shown()[0] != pic) << c.w;
    EXPECT_EQ(c.turns ? 0u : 1u, m_host.m_messages.size()) << c.w;
    if (!c.turns) EXPECT_EQ("画像サイズが大きいため回転に失敗しました。", m_host.m_messages[0]);
  }
}

TEST_F(ViewTest, ZoomStaysWithinItsLimits) {
  struct Case {
    UINT cmd;
    double from;
    int want;
  } cases[] = {{32876, 100, 150}, {32876, 400, 400}, {32875, 25, 25}, {32875, 120, 100}};
  for (const Case& c : cases) {
    // Chosen at 100 percent: at a limit the command itself is disabled.
    ShowPageAt(100);
    Command(c.cmd);
    EXPECT_EQ(TOOLID_ZOOM, ToolId());
    EXPECT_EQ(1, Probe(m_view, c.cmd).nCheck);
    ShowPageAt(c.from);
    Click(P(1000, 800));
    EXPECT_EQ(c.want, m_view->m_Mapping.GetZoomPercent()) << c.cmd << " " << c.from;
    EXPECT_EQ(TOOLID_ZOOM, ToolId());
  }
  // The limits disable the commands.
  ShowPageAt(400);
  EXPECT_EQ(FALSE, Probe(m_view, 32876).bEnabled);
  ShowPageAt(25);
  EXPECT_EQ(FALSE, Probe(m_view, 32875).bEnabled);
  // A right click ends the zoom mode.
  Send(WM_RBUTTONDOWN, MK_RBUTTON, P(1000, 800));
  EXPECT_EQ(TOOLID_SELECT, ToolId());
}

TEST_F(ViewTest, AZoomFrameFillsTheWindow) {
  ShowPageAt(100);
  Command(32876);
  RECT client;
  m_view->GetClientRect(&client);
  // Half the client's width and a quarter of its height, in logical units at 100 percent.
  POINT a = P(200, 200);
  POINT da = Dev(a);
  POINT b = {da.x + client.right / 2, da.y + client.bottom / 4};
  m_view->PointToLogical(&b, &b);
  Drag(a, b);
  EXPECT_NEAR(200, m_view->m_Mapping.GetZoomPercent(), 2);
}

TEST_F(ViewTest, InsertingAVertexAndDraggingItAreTwoSteps) {
  jvqPolylineObject* p = AddPolyline({{500, 500}, {1500, 500}, {1500, 1500}});
  m_view->Select(p, FALSE);
  Command(32859);
  EXPECT_EQ(TOOLID_VERTEX_EDIT, ToolId());
  EXPECT_EQ(1, Probe(m_view, 32859).nCheck);
  const int steps = theUndoManager.GetCurrentStep();
  Drag(P(1000, 502), P(1000, 300));
  ASSERT_EQ(1u, Shown().size());
  EXPECT_EQ(4, Shown()[0]->GetPointCount());
  POINT v;
  Shown()[0]->GetPoint(&v, 1);
  EXPECT_EQ(1000, v.x);
  EXPECT_EQ(300, v.y);
  EXPECT_EQ(steps + 2, theUndoManager.GetCurrentStep());
  EXPECT_EQ(TOOLID_VERTEX_EDIT, ToolId());
  theUndoManager.Undo();
  ASSERT_EQ(1u, Shown().size());
  ASSERT_EQ(4, Shown()[0]->GetPointCount());
  Shown()[0]->GetPoint(&v, 1);
  EXPECT_EQ(1000, v.x);
  EXPECT_EQ(502, v.y);
  theUndoManager.Undo();
  EXPECT_EQ(std::vector<jvqObject*>{p}, Shown());
  EXPECT_EQ(3, p->GetPointCount());
}

TEST_F(ViewTest, TheVertexToolClosesFiveVerticesToFourButNotThree) {
  struct Case {
    std::vector<POINT> pts;
    int want;
    bool open;
  } cases[] = {{{{500, 500}, {1500, 500}, {1500, 1500}, {500, 1500}, {520, 620}}, 4, false},
               {{{500, 500}, {1500, 500}, {520, 620}}, 3, true}};
  for (const Case& c : cases) {
    m_view->SwitchToSelectTool();
    m_page->m_Children.RemoveAll();
    jvqPolylineObject* p = AddPolyline(c.pts);
    m_view->Select(p, FALSE);
    Command(32859);
    POINT last;
    p->GetVertexMarker((int)c.pts.size() - 1)->GetCenter(&last);
    Drag(last, P(502, 503));
    ASSERT_EQ(1u, Shown().size());
    EXPECT_EQ(c.want, Shown()[0]->GetPointCount());
    EXPECT_EQ(c.open, (Shown()[0]->GetState() & JVQ_STATE_OPEN) != 0);
  }
}

TEST_F(ViewTest, AnyKeyReleaseCancelsAVertexDrag) {
  jvqPolylineObject* p = AddPolyline({{500, 500}, {1500, 500}, {1500, 1500}});
  m_view->Select(p, FALSE);
  Command(32859);
  const int steps = theUndoManager.GetCurrentStep();
  POINT v;
  p->GetVertexMarker(1)->GetCenter(&v);
  Press(v);
  Move(P(v.x + 100, v.y + 100));
  Move(P(v.x + 200, v.y + 200));
  m_view->SendMessage(WM_KEYUP, 'A', 0);
  Release(P(v.x + 200, v.y + 200));
  EXPECT_EQ(std::vector<jvqObject*>{p}, Shown());
  POINT q;
  p->GetPoint(&q, 1);
  EXPECT_EQ(1500, q.x);
  EXPECT_EQ(steps, theUndoManager.GetCurrentStep());
  EXPECT_EQ(NULL, ::GetCapture());
  // A click off any polyline leaves the vertex mode.
  Click(P(3000, 2500));
  EXPECT_EQ(TOOLID_SELECT, ToolId());
}

TEST_F(ViewTest, PaletteModesLastOneClick) {
  struct Case {
    UINT cmd;
    int tool;
    const char* caption;
    int busy;
  } cases[] = {{32892, TOOLID_SHAPE, "シェイプの挿入", 0},     {32943, TOOLID_SYMBOL, "シンボルの挿入", 1},
               {32944, TOOLID_FAVORITE, "お気に入りの挿入", 0}, {92, TOOLID_FLOORPLAN, "Domiraファイルの挿入", 1},
               {91, TOOLID_PERSPECTIVE, "シンボルの挿入", 1},     {32984, TOOLID_PERSPECTIVE, "シンボルの挿入", 1}};
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  for (const Case& c : cases) {
    m_view->Select(a, FALSE);
    Command(c.cmd);
    ASSERT_EQ(c.tool, ToolId()) << c.cmd;
    EXPECT_EQ(c.caption, std::string(m_view->m_pTool->m_strCaption)) << c.cmd;
    EXPECT_EQ(c.busy, m_view->m_pTool->m_bBusy) << c.cmd;
    EXPECT_EQ(1, m_view->m_pTool->m_bDone) << c.cmd;
    // Only the favourites palette keeps the selection.
    EXPECT_EQ(c.tool == TOOLID_FAVORITE, (a->GetState() & JVQ_STATE_SELECTED) != 0) << c.cmd;
    if (c.cmd != 32984) EXPECT_EQ(1, Probe(m_view, c.cmd).nCheck) << c.cmd;
    // The same command again keeps the tool object.
    jvqTool* t = m_view->m_pTool;
    Command(c.cmd);
    EXPECT_EQ(t, m_view->m_pTool);
    Click(P(2000, 2000));
    EXPECT_EQ(TOOLID_SELECT, ToolId()) << c.cmd;
  }
}

TEST_F(ViewTest, ToolCommandsCheckTheirOwnToolAndReportTheVariant) {
  const UINT cmds[] = {32848, 32849, 32851, 32852, 32853, 32854, 32855, 32877, 32878};
  for (UINT cmd : cmds) {
    Command(cmd);
    for (UINT other : cmds) EXPECT_EQ(other == cmd ? 1 : 0, Probe(m_view, other).nCheck) << cmd << " " << other;
  }
  // The six tools of the two drop-down buttons tell the main tool bar which they are.
  EXPECT_EQ((std::vector<int>{TOOLID_RECT, TOOLID_ROUNDRECT, TOOLID_ELLIPSE, TOOLID_PIE, TOOLID_CHORD, TOOLID_ARC}),
            m_host.m_variants);
  for (UINT id : {32856u, 32857u, 32858u, 32861u, 32862u}) EXPECT_EQ(FALSE, Probe(m_view, id).bEnabled) << id;
  // Rotate mode needs a selected object that may turn.
  m_view->SwitchToSelectTool();
  EXPECT_EQ(FALSE, Probe(m_view, 1021).bEnabled);
  EXPECT_EQ(FALSE, Probe(m_view, 32859).bEnabled);
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  m_view->Select(a, FALSE);
  EXPECT_EQ(TRUE, Probe(m_view, 1021).bEnabled);
  // Vertex mode needs every selected object to have vertices.
  EXPECT_EQ(FALSE, Probe(m_view, 32859).bEnabled);
  jvqPolylineObject* p = AddPolyline({{500, 500}, {1500, 500}, {1500, 1500}});
  m_view->ClearSelection();
  m_view->Select(p, FALSE);
  EXPECT_EQ(TRUE, Probe(m_view, 32859).bEnabled);
}
