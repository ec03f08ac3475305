// The view's keys after its tool: arrow nudges (one undo step, locked objects stay), arrow
// scrolling, Tab through the page's objects, page scrolling, and Ctrl+Shift doing nothing.
#include "ViewFixture.h"
#include "jvqUndoManager.h"
#include "qvzViewKeyHandler.h"

namespace {

BOOL theShift = FALSE, theCtrl = FALSE;
BOOL HeldKeys(int vk) { return vk == VK_SHIFT ? theShift : vk == VK_CONTROL ? theCtrl : FALSE; }

struct KeyTest : ViewTest {
  void SetUp() override {
    ViewTest::SetUp();
    theShift = theCtrl = FALSE;
    theKeyDownProc = HeldKeys;
  }
  void Key(UINT vk, BOOL shift = FALSE, BOOL ctrl = FALSE) {
    theShift = shift;
    theCtrl = ctrl;
    qvzViewKeyHandler(m_view).HandleKey(vk, 1, 0);
    theShift = theCtrl = FALSE;
  }
  static LONG Left(jvqObject* o) {
    RECT r;
    o->GetBoundRect(&r);
    return r.left;
  }
};

TEST_F(KeyTest, LeftNudgesTheUnlockedSelectionInOneStep) {
  AddRect(1000, 1000, 1400, 1300);
  AddRect(2000, 1000, 2400, 1300, 0x311 | JVQ_STATE_LOCKED);
  for (jvqObject* o : Shown()) m_view->Select(o, FALSE);
  const int steps = theUndoManager.GetCurrentStep();
  const CPoint scroll = m_view->GetScrollPosition();
  Key(VK_LEFT);
  EXPECT_EQ(steps + 1, theUndoManager.GetCurrentStep());
  ASSERT_EQ(2u, Shown().size());
  EXPECT_EQ(900, Left(Shown()[0]));
  EXPECT_EQ(2000, Left(Shown()[1]));
  EXPECT_EQ(scroll, m_view->GetScrollPosition()) << "a nudge does not scroll";
  theUndoManager.Undo();
  ASSERT_EQ(2u, Shown().size());
  EXPECT_EQ(1000, Left(Shown()[0]));
  // Shift+Left scrolls even with a selection, and moves nothing; Ctrl+Shift does nothing.
  for (jvqObject* o : Shown()) m_view->Select(o, FALSE);
  m_view->ScrollToPosition(CPoint(400, 400));
  Key(VK_LEFT, TRUE, TRUE);
  EXPECT_EQ(CPoint(400, 400), m_view->GetScrollPosition());
  EXPECT_EQ(1000, Left(Shown()[0]));
  Key(VK_LEFT, TRUE);
  EXPECT_LT(m_view->GetScrollPosition().x, 400);
  EXPECT_EQ(1000, Left(Shown()[0]));
}

TEST_F(KeyTest, WithNothingSelectedArrowsAndPageKeysScroll) {
  AddRect(1000, 1000, 1400, 1300);
  struct Case {
    UINT vk;
    int dx, dy;  // the sign of the scroll
  } cases[] = {{VK_LEFT, -1, 0}, {VK_RIGHT, 1, 0}, {VK_UP, 0, -1}, {VK_DOWN, 0, 1}, {VK_PRIOR, 0, -1}, {VK_NEXT, 0, 1}};
  for (const Case& c : cases) {
    m_view->ScrollToPosition(CPoint(400, 400));
    Key(c.vk);
    const CPoint at = m_view->GetScrollPosition();
    EXPECT_EQ(c.dx, (at.x > 400) - (at.x < 400)) << c.vk;
    EXPECT_EQ(c.dy, (at.y > 400) - (at.y < 400)) << c.vk;
  }
  // A page is more than a line.
  m_view->ScrollToPosition(CPoint(400, 400));
  Key(VK_DOWN);
  const LONG line = m_view->GetScrollPosition().y - 400;
  m_view->ScrollToPosition(CPoint(400, 400));
  Key(VK_NEXT);
  EXPECT_GT(m_view->GetScrollPosition().y - 400, line);
  EXPECT_EQ(1000, Left(Shown()[0]));
}

TEST_F(KeyTest, TabStepsTheSelectionThroughTheShownObjects) {
  AddRect(100, 100, 300, 300);
  AddRect(400, 100, 600, 300);
  AddRect(700, 100, 900, 300);
  const std::vector<jvqObject*> all = Shown();
  struct Case {
    std::vector<int> selected;
    BOOL shift;
    int want;
  } cases[] = {{{1}, FALSE, 2}, {{2}, FALSE, 0}, {{0}, TRUE, 2}, {{}, FALSE, 0}, {{0, 2}, FALSE, 1}};
  for (const Case& c : cases) {
    m_view->ClearSelection();
    for (int i : c.selected) m_view->Select(all[i], FALSE);
    Key(VK_TAB, c.shift);
    EXPECT_EQ(std::vector<jvqObject*>{all[c.want]}, Selected()) << c.want;
  }
  EXPECT_EQ(-1, [&] {
    m_view->ClearSelection();
    m_page->DeleteChildren();
    return qvzViewKeyHandler(m_view).SelectNextObject(TRUE);
  }());
}

}  // namespace
