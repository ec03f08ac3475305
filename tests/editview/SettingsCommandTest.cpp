// The view's insertion and settings commands: picture and floor-plan files, the floor
// plan's scale, the printable area, the automatic-save timer and the symbol scale.
#include "../board_pictures/PictureFixture.h"
#include "../board_shapes/ShapeFixture.h"
#include "Dib.h"
#include "ViewFixture.h"
#include "jvqMadorizuObject.h"

namespace {

std::string theChosenFile;
BOOL ChooseScripted(LPCTSTR, UINT, CString* pPath) {
  *pPath = theChosenFile.c_str();
  return !theChosenFile.empty();
}

class SettingsTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_page->m_Children.RemoveAll();
    theInsertFileProc = ChooseScripted;
    char dir[MAX_PATH];
    ::GetTempPath(MAX_PATH, dir);
    m_dir = dir;
  }
  void TearDown() override {
    theInsertFileProc = NULL;
    for (const std::string& f : m_files) ::DeleteFile(f.c_str());
    ViewTest::TearDown();
  }
  std::string Write(const char* name, const std::string& bytes) {
    const std::string p = m_dir + name;
    EXPECT_TRUE(WriteFileBytes(p, bytes));
    m_files.push_back(p);
    return p;
  }
  RECT Bounds(jvqObject* o) {
    RECT r;
    o->GetOutline()->GetBoundRect(&r);
    return r;
  }
  std::string m_dir;
  std::vector<std::string> m_files;
};

TEST_F(SettingsTest, AFloorPlanIsInsertedAndRescaledAsOneStep) {
  AfxGetApp()->WriteProfileInt("Symbol", "Scale", 100);
  theChosenFile = Write("qvz-plan.kxq", PlanFileBytes(8000, 4000, TinyEmf()));
  int step = theUndoManager.GetCurrentStep();
  Command(32901);
  ASSERT_EQ(1u, Shown().size());
  jvqMadorizuObject* plan = (jvqMadorizuObject*)Shown()[0];
  ASSERT_EQ(JVQ_OBJ_MADORIZU, plan->GetClassCode());
  EXPECT_EQ((std::vector<jvqObject*>{plan}), Selected());
  EXPECT_EQ(step + 1, theUndoManager.GetCurrentStep());
  EXPECT_DOUBLE_EQ(0.01, plan->m_dDrawingScale);
  const RECT before = Bounds(plan);
  POINT c0;
  plan->GetCenter(&c0);
  // 1:100 to 1:50: twice the size about the same centre, one step.
  m_host.m_bSettingsOk = TRUE;
  m_host.m_nScaleAnswer = 50;
  step = theUndoManager.GetCurrentStep();
  Command(33000);
  EXPECT_EQ(100, m_host.m_nAskedScale);
  ASSERT_EQ(1u, Shown().size());
  jvqMadorizuObject* big = (jvqMadorizuObject*)Shown()[0];
  EXPECT_NE(plan, big);
  EXPECT_DOUBLE_EQ(0.02, big->m_dDrawingScale);
  const RECT after = Bounds(big);
  EXPECT_NEAR(2 * (before.right - before.left), after.right - after.left, 2);
  EXPECT_NEAR(2 * (before.bottom - before.top), after.bottom - after.top, 2);
  POINT c1;
  big->GetCenter(&c1);
  EXPECT_NEAR(c0.x, c1.x, 1);
  EXPECT_NEAR(c0.y, c1.y, 1);
  EXPECT_EQ(step + 1, theUndoManager.GetCurrentStep());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ((std::vector<jvqObject*>{plan}), Shown());
  // A stored scale of 0 counts as 1:100; a locked plan is left alone.
  plan->m_dDrawingScale = 0;
  m_view->Select(plan, FALSE);
  m_host.m_bSettingsOk = FALSE;
  Command(33000);
  EXPECT_EQ(100, m_host.m_nAskedScale);
  plan->m_dwState |= JVQ_STATE_LOCKED;
  m_view->Select(AddRect(5000, 100, 5200, 300), FALSE);
  EXPECT_EQ(0, Probe(m_view, 33000).bEnabled);
  m_host.m_nAskedScale = -1;
  Command(33000);
  EXPECT_EQ(-1, m_host.m_nAskedScale);
  // Not a floor-plan name, or not a floor plan inside.
  for (const char* name : {"qvz-plan.kxqx", "qvz-bad.kxq"}) {
    m_host.m_messages.clear();
    theChosenFile = Write(name, "not a plan");
    Command(32901);
    ASSERT_EQ(1u, m_host.m_messages.size()) << name;
    EXPECT_EQ("間取りファイルではありません", m_host.m_messages[0]);
  }
}

TEST_F(SettingsTest, AnInsertedPictureCanBeUndone) {
  CDib dib;
  ASSERT_TRUE(dib.Create(40, 30, 24));
  const std::string path = m_dir + "qvz-insert.bmp";
  ASSERT_TRUE(dib.Write(path.c_str()));
  m_files.push_back(path);
  theChosenFile = path;
  const int step = theUndoManager.GetCurrentStep();
  Command(32865);
  ASSERT_EQ(1u, Shown().size());
  EXPECT_TRUE(Shown()[0]->GetClassCode() & 0x100);
  EXPECT_EQ(step + 1, theUndoManager.GetCurrentStep());
  Command(ID_EDIT_UNDO);
  EXPECT_TRUE(Shown().empty());
  theChosenFile = Write("qvz-insert.txt", "text");
  Command(32865);
  ASSERT_EQ(1u, m_host.m_messages.size());
  EXPECT_EQ("画像ファイルではありません", m_host.m_messages[0]);
}

TEST_F(SettingsTest, SettingsCommands) {
  CWinApp* app = AfxGetApp();
  CWnd* main = AfxGetMainWnd();
  // Cancel in the automatic-save dialog restarts timer 114; switching it off leaves it stopped.
  app->WriteProfileInt("AutoSave", "Interval", 600000);
  m_host.m_bSettingsOk = FALSE;
  Command(32921);
  EXPECT_TRUE(main->KillTimer(114));
  m_host.m_bSettingsOk = TRUE;
  m_host.m_nScaleAnswer = 0;
  Command(32921);
  EXPECT_FALSE(main->KillTimer(114));
  EXPECT_EQ(0, app->GetProfileInt("AutoSave", "Interval", -1));
  // A stored scale of 0 becomes 100 before the dialog opens.
  app->WriteProfileInt("Symbol", "Scale", 0);
  m_host.m_bSettingsOk = FALSE;
  Command(32918);
  EXPECT_EQ(100, m_host.m_nAskedScale);
  EXPECT_EQ(100, app->GetProfileInt("Symbol", "Scale", 0));
  m_host.m_bSettingsOk = TRUE;
  m_host.m_nScaleAnswer = 0;
  Command(32918);
  EXPECT_EQ(100, app->GetProfileInt("Symbol", "Scale", 0));
  // The printable area follows the command and the setting.
  jvqBoard* b = m_view->GetBoard();
  const DWORD was = b->m_dwState & JVQ_STATE_PRINTAREA;
  Command(32942);
  EXPECT_NE(was, b->m_dwState & JVQ_STATE_PRINTAREA);
  EXPECT_EQ(was ? 0 : 1, app->GetProfileInt("Print", "DrawArea", -1));
  EXPECT_EQ(was ? 0 : 1, Probe(m_view, 32942).nCheck);
  Command(32942);
  EXPECT_EQ(was, b->m_dwState & JVQ_STATE_PRINTAREA);
}

}  // namespace
