// The Edit and Arrange commands on a real view: stacking, grouping, alignment, rotation,
// vertex deletion, the clipboard, the grid settings, and undo and redo of each step.
#include "../board_pictures/PictureFixture.h"
#include "ViewFixture.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqMadorizuObject.h"
#include "jvqSolidFill.h"

namespace {

class EditTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_page->m_Children.RemoveAll();
  }
  // A floor plan holding one picture-like child, as the palettes place them.
  jvqMadorizuObject* AddPlan(int l, int t) {
    jvqMadorizuObject* f = new jvqMadorizuObject(NULL, &m_view->m_Mapping, NULL, 0x311);
    RECT rc = {l, t, l + 400, t + 300};
    jvqRectObject* pic = new jvqRectObject(&rc, &m_view->m_Mapping, 0x311);
    f->AddChild(pic);
    f->m_nPictureIndex = 0;
    f->m_dwState = 0x311;
    m_page->AddChild(f);
    return f;
  }
  void SelectOnly(std::initializer_list<jvqObject*> objects) {
    m_view->ClearSelection();
    for (jvqObject* o : objects) m_view->Select(o, FALSE);
  }
  RECT Bounds(jvqObject* o) {
    RECT r;
    o->GetOutline()->GetBoundRect(&r);
    return r;
  }
  bool Enabled(UINT id) { return Probe(m_view, id).bEnabled != 0; }
};

TEST_F(EditTest, StackingCommandsMoveOneStepAndAreOneUndoStep) {
  jvqRectObject* p = AddRect(100, 100, 500, 500);
  jvqRectObject* nearer = AddRect(300, 300, 700, 700);
  jvqRectObject* farther = AddRect(350, 350, 750, 750);
  p->m_dwState |= JVQ_STATE_LOCKED;  // a lock survives the step and its undo
  SelectOnly({p});
  ASSERT_TRUE(Enabled(1229));
  EXPECT_FALSE(Enabled(1227));  // nothing below
  EXPECT_FALSE(Enabled(32845));
  Command(1229);
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(3u, s.size());
  EXPECT_EQ(nearer, s[0]);  // passes only the nearer one
  EXPECT_EQ(farther, s[2]);
  EXPECT_TRUE(s[1]->GetState() & JVQ_STATE_LOCKED);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ((std::vector<jvqObject*>{p, nearer, farther}), Shown());
  EXPECT_TRUE(p->GetState() & JVQ_STATE_LOCKED);
  // To the front on the topmost object is unavailable; to the back brings it down.
  SelectOnly({farther});
  EXPECT_FALSE(Enabled(32844));
  EXPECT_FALSE(Enabled(1229));
  Command(32845);
  EXPECT_EQ(3u, Shown().size());
  EXPECT_NE(farther, Shown()[0]);
  EXPECT_EQ(p, Shown()[1]);
  Command(ID_EDIT_UNDO);
  // With one shown object every stacking command is unavailable.
  nearer->m_dwState &= ~JVQ_STATE_ALIVE;
  farther->m_dwState &= ~JVQ_STATE_ALIVE;
  SelectOnly({p});
  for (UINT id : {1229u, 1227u, 32844u, 32845u}) EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(EditTest, GroupTakesThePlaceOfItsTopmostMember) {
  jvqRectObject* a = AddRect(100, 100, 300, 300);
  jvqRectObject* other = AddRect(150, 150, 250, 250);
  jvqRectObject* b = AddRect(400, 100, 600, 300);
  jvqRectObject* top = AddRect(900, 900, 1000, 1000);
  jvqRectObject* locked = AddRect(700, 700, 800, 800, 0x331);
  SelectOnly({a, b, locked});
  ASSERT_TRUE(Enabled(1224));
  Command(1224);
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(4u, s.size());
  EXPECT_EQ(other, s[0]);
  EXPECT_EQ(JVQ_OBJ_GROUP, s[1]->GetClassCode());
  EXPECT_EQ(2, ((jvqGroupObject*)s[1])->GetChildCount());
  EXPECT_EQ(top, s[2]);
  EXPECT_EQ(locked, s[3]);  // the locked object is left out
  EXPECT_EQ((std::vector<jvqObject*>{s[1]}), Selected());
  // Ungroup gives back the members in their place, selected; undo and redo flip both steps.
  Command(1225);
  s = Shown();
  ASSERT_EQ(5u, s.size());
  EXPECT_EQ(other, s[0]);
  EXPECT_EQ(2u, Selected().size());
  const RECT ra = Bounds(s[1]);
  EXPECT_EQ(100, ra.left);
  EXPECT_EQ(top, s[3]);
  Command(ID_EDIT_UNDO);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ((std::vector<jvqObject*>{a, other, b, top, locked}), Shown());
  Command(ID_EDIT_REDO);
  EXPECT_EQ(4u, Shown().size());
}

TEST_F(EditTest, FloorPlansInGroups) {
  jvqMadorizuObject* f1 = AddPlan(100, 100);
  jvqMadorizuObject* f2 = AddPlan(600, 100);
  jvqRectObject* r = AddRect(100, 600, 300, 800);
  SelectOnly({f1, f2, r});
  Command(1224);
  ASSERT_EQ(1u, m_host.m_messages.size());
  EXPECT_EQ("複数の間取りをグループ化することはできません。", m_host.m_messages[0]);
  EXPECT_EQ((std::vector<jvqObject*>{f1, f2, r}), Shown());
  // A locked floor plan is skipped like any locked object.
  f2->m_dwState |= JVQ_STATE_LOCKED;
  m_host.m_messages.clear();
  Command(1224);
  EXPECT_TRUE(m_host.m_messages.empty());
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(2u, s.size());
  EXPECT_EQ(f2, s[0]);
  ASSERT_EQ(JVQ_OBJ_MADORIZU, s[1]->GetClassCode());
  jvqMadorizuObject* k = (jvqMadorizuObject*)s[1];
  ASSERT_EQ(2, k->GetChildCount());
  EXPECT_EQ(0, k->m_nPictureIndex);
  EXPECT_EQ(100, Bounds(k->GetChild(1)).left);
  EXPECT_EQ(600, Bounds(k->GetChild(1)).top);
  // Ungrouping leaves the plan with its picture only, and the shape beside it.
  SelectOnly({k});
  Command(1225);
  s = Shown();
  ASSERT_EQ(3u, s.size());
  EXPECT_EQ(f2, s[0]);
  ASSERT_EQ(JVQ_OBJ_MADORIZU, s[1]->GetClassCode());
  EXPECT_EQ(1, ((jvqGroupObject*)s[1])->GetChildCount());
  EXPECT_EQ(JVQ_OBJ_RECT, s[2]->GetClassCode());
  EXPECT_EQ(2u, Selected().size());
}

TEST_F(EditTest, AlignLeftTakesTheFirstUnlockedObjectAsReference) {
  jvqRectObject* locked = AddRect(50, 100, 150, 200, 0x331);
  jvqRectObject* a = AddRect(400, 300, 500, 400);
  jvqRectObject* b = AddRect(300, 500, 450, 600);
  SelectOnly({locked, a, b});
  Command(1195);
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(3u, s.size());
  EXPECT_EQ(locked, s[0]);
  EXPECT_EQ(50, Bounds(locked).left);
  EXPECT_EQ(300, Bounds(s[1]).left);
  EXPECT_EQ(300, Bounds(s[2]).left);
  EXPECT_EQ(300, Bounds(s[1]).top);  // one axis only
  // The centres: the average of the unlocked objects' centres.
  SelectOnly({s[1], s[2]});
  Command(1197);
  s = Shown();
  POINT c1, c2;
  s[1]->GetCenter(&c1);
  s[2]->GetCenter(&c2);
  EXPECT_EQ(c1.x, c2.x);
  EXPECT_EQ((350 + 375) / 2, c1.x);
  Command(ID_EDIT_UNDO);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ((std::vector<jvqObject*>{locked, a, b}), Shown());
}

TEST_F(EditTest, RotateByAngleRefusesLargePicturesUnlessByWholeTurns) {
  jvqImagePool* pool = m_doc->GetImagePool();
  jvqImageObject* pic = new jvqImageObject(pool, NULL, &m_view->m_Mapping);
  ASSERT_TRUE(pic->SetPicture(pool, MakePicture(1200, 1200), FALSE));
  const RECT r = {500, 500, 1100, 1100};
  pic->SetRect(&r, &m_view->m_Mapping, 0x311);
  m_page->AddChild(pic);
  jvqRectObject* rect = AddRect(100, 100, 300, 300);
  SelectOnly({pic, rect});
  m_host.m_bAngleOk = TRUE;
  struct Case {
    int angle;
    bool turns;
  } cases[] = {{90, false}, {360, true}};
  for (const Case& c : cases) {
    m_host.m_messages.clear();
    m_host.m_nAngle = c.angle;
    Command(32869);
    EXPECT_EQ(c.turns ? 0u : 1u, m_host.m_messages.size()) << c.angle;
    ASSERT_EQ(2u, Selected().size());
    for (jvqObject* o : Selected())
      if (o->GetClassCode() & 0x100) EXPECT_EQ(c.turns ? 360 : 0, (int)o->m_dRotation) << c.angle;
      else EXPECT_EQ(c.angle, (int)o->m_dRotation) << c.angle;
    Command(ID_EDIT_UNDO);
  }
  // Cancel changes nothing.
  m_host.m_bAngleOk = FALSE;
  const int step = theUndoManager.GetCurrentStep();
  Command(32869);
  EXPECT_EQ(step, theUndoManager.GetCurrentStep());
}

TEST_F(EditTest, VertexDeleteOnATriangleLeavesAnOpenLine) {
  jvqPolylineObject* tri = AddPolyline({P(100, 100), P(500, 100), P(300, 400)});
  tri->m_dwState = 0x311 | JVQ_STATE_FILLED;
  tri->SetFill(new jvqSolidFill(0xFF));
  tri->OnToolChanged(TOOLID_VERTEX_EDIT);
  ASSERT_GE(tri->m_VertexMarkers.GetCount(), 3);
  EXPECT_FALSE(Enabled(32899));
  m_view->m_pVertexMarker = tri->m_VertexMarkers.GetAt(1);
  EXPECT_TRUE(Enabled(32899));
  Command(32899);
  EXPECT_EQ(nullptr, m_view->m_pVertexMarker);
  ASSERT_EQ(1u, Shown().size());
  jvqPolylineObject* k = (jvqPolylineObject*)Shown()[0];
  EXPECT_NE(tri, k);
  EXPECT_EQ(2, k->GetPointCount());
  EXPECT_TRUE(k->GetState() & JVQ_STATE_OPEN);
  EXPECT_EQ(nullptr, k->GetFill());
  EXPECT_EQ(0, k->m_StartLineEnd.m_nKind);
  EXPECT_EQ(0, k->m_EndLineEnd.m_nKind);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ((std::vector<jvqObject*>{tri}), Shown());
}

TEST_F(EditTest, ClipboardCommandsSkipLockedObjectsAndPastesStepOn) {
  jvqRectObject* a = AddRect(100, 100, 300, 300);
  jvqRectObject* locked = AddRect(400, 100, 600, 300, 0x331);
  SelectOnly({locked});
  EXPECT_FALSE(Enabled(ID_EDIT_COPY));
  EXPECT_FALSE(Enabled(778));
  SelectOnly({a, locked});
  EXPECT_TRUE(Enabled(ID_EDIT_COPY));
  Command(ID_EDIT_CUT);
  EXPECT_EQ((std::vector<jvqObject*>{locked}), Shown());  // only the unlocked one went
  ASSERT_TRUE(Enabled(ID_EDIT_PASTE));
  for (int n = 1; n <= 2; n++) {
    const int step = theUndoManager.GetCurrentStep();
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(step + 1, theUndoManager.GetCurrentStep());
    std::vector<jvqObject*> sel = Selected();
    ASSERT_EQ(1u, sel.size()) << n;  // the pasted object is the selection
    EXPECT_EQ(100 + 50 * n, Bounds(sel[0]).left) << n;
    EXPECT_EQ(100 + 50 * n, Bounds(sel[0]).top) << n;
  }
  EXPECT_EQ(3u, Shown().size());
  // A new copy starts again one step from the copied place.
  SelectOnly({Shown()[2]});
  Command(ID_EDIT_COPY);
  Command(ID_EDIT_PASTE);
  EXPECT_EQ(250, Bounds(Selected()[0]).left);
  Command(ID_EDIT_UNDO);
  Command(ID_EDIT_UNDO);
  Command(ID_EDIT_UNDO);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ((std::vector<jvqObject*>{a, locked}), Shown());
}

TEST_F(EditTest, SelectAllLockAndDelete) {
  jvqRectObject* a = AddRect(100, 100, 300, 300);
  jvqRectObject* locked = AddRect(400, 100, 600, 300, 0x331);
  jvqRectObject* hidden = AddRect(700, 100, 800, 300, 0x310);
  Command(1182);
  EXPECT_EQ((std::vector<jvqObject*>{a}), Selected());
  EXPECT_FALSE(hidden->GetState() & JVQ_STATE_SELECTED);
  // Lock asks first while the notice is wanted; the ticked box turns it off.
  AfxGetApp()->WriteProfileInt("Message", "LockMsgFlag", 1);
  m_host.m_bDontShowAgain = TRUE;
  Command(32908);
  EXPECT_EQ(1, m_host.Count("ShowLockNotice"));
  EXPECT_EQ(0, AfxGetApp()->GetProfileInt("Message", "LockMsgFlag", 1));
  ASSERT_EQ(1u, Selected().size());
  EXPECT_TRUE(Selected()[0]->GetState() & JVQ_STATE_LOCKED);
  EXPECT_FALSE(Enabled(32908));
  EXPECT_TRUE(Enabled(32909));
  Command(32909);
  EXPECT_FALSE(Selected()[0]->GetState() & JVQ_STATE_LOCKED);
  SelectOnly({Selected()[0], locked});
  Command(778);
  EXPECT_EQ((std::vector<jvqObject*>{locked}), Shown());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(2u, Shown().size());
  hidden->m_dwState &= ~JVQ_STATE_ALIVE;
}

TEST_F(EditTest, GridCommandsToggleTheirBitsAndSettings) {
  CWinApp* app = AfxGetApp();
  m_view->m_dwOptions = 0;
  Command(1181);
  EXPECT_EQ(JVQ_VIEW_SNAP, m_view->m_dwOptions & JVQ_VIEW_SNAP);
  EXPECT_EQ(1, app->GetProfileInt("Grid", "bFitGrid", 0));
  UpdateProbe u = Probe(m_view, 1181);
  EXPECT_EQ(1, u.nCheck);
  ASSERT_FALSE(m_host.m_snapStates.empty());
  EXPECT_TRUE(m_host.m_snapStates.back());
  Command(1181);
  EXPECT_EQ(0u, m_view->m_dwOptions & JVQ_VIEW_SNAP);
  EXPECT_EQ(0, app->GetProfileInt("Grid", "bFitGrid", 1));
  app->WriteProfileInt("Grid", "bVisible", 1);
  m_view->GetBoard()->m_dwState |= JVQ_STATE_GRID;
  Command(781);
  EXPECT_EQ(0, app->GetProfileInt("Grid", "bVisible", 1));
  EXPECT_EQ(0u, m_view->GetBoard()->m_dwState & JVQ_STATE_GRID);
  EXPECT_EQ(0, Probe(m_view, 781).nCheck);
  Command(781);
  EXPECT_EQ(1, app->GetProfileInt("Grid", "bVisible", 0));
  EXPECT_EQ((DWORD)JVQ_STATE_GRID, m_view->GetBoard()->m_dwState & JVQ_STATE_GRID);
}

TEST_F(EditTest, FlipLeavesPicturesAndFloorPlans) {
  jvqMadorizuObject* f = AddPlan(100, 100);
  SelectOnly({f});
  EXPECT_FALSE(Enabled(1213));
  jvqPolylineObject* l = AddPolyline({P(100, 100), P(500, 100), P(500, 400)});
  SelectOnly({f, l});
  Command(1213);
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(2u, s.size());
  EXPECT_EQ(f, s[0]);
  POINT q;
  s[1]->GetPoint(&q, 0);
  EXPECT_EQ(500, q.x);
}

}  // namespace
