// The undo manager's scenarios on a real board with the document's hooks.
#include <gtest/gtest.h>

#include <memory>

#include "BoardFixture.h"
#include "jvqUndoManager.h"

namespace {

class Undo : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsurePrototypes();
    board.reset(new jvqBoard(NULL));
    page = board->GetPage(0);
    theUndoManager.Reset(NULL, UndoHideHook, UndoReviveHook);
  }
  void TearDown() override { theUndoManager.Reset(NULL, NULL, NULL); }

  jvqRectObject* Add(int x, COLORREF color) {
    RECT r = {x, 0, x + 100, 100};
    jvqRectObject* p = new jvqRectObject(&r, NULL, 0x311);
    p->SetFill(new jvqSolidFill(color));
    page->AddChild(p);
    return p;
  }
  static bool Alive(jvqObject* p) { return (p->GetState() & JVQ_STATE_ALIVE) != 0; }

  std::unique_ptr<jvqBoard> board;
  jvqPage* page = nullptr;
};

jvqPage* NewPage() {
  jvqPage* p = new jvqPage;
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(p);
  return p;
}

}  // namespace

TEST_F(Undo, DeleteUndoRedo) {
  jvqRectObject* a = Add(0, 1);
  a->m_dwState &= ~JVQ_STATE_ALIVE;
  theUndoManager.RecordRemoved(a);
  EXPECT_EQ(0, theUndoManager.GetCurrentStep());
  EXPECT_TRUE(theUndoManager.CanUndo());
  theUndoManager.Undo();
  EXPECT_TRUE(Alive(a));
  EXPECT_EQ(-1, theUndoManager.GetCurrentStep());
  EXPECT_FALSE(theUndoManager.CanUndo());
  EXPECT_TRUE(theUndoManager.CanRedo());
  theUndoManager.Redo();
  EXPECT_FALSE(Alive(a));
  theUndoManager.Redo();  // nothing more: the number stays
  EXPECT_EQ(0, theUndoManager.GetCurrentStep());
}

TEST_F(Undo, EditTwoSelectedObjectsThroughClones) {
  jvqRectObject* a = Add(0, 1);
  jvqRectObject* b = Add(200, 2);
  jvqObjectArray sel;
  sel.m_bOwns = FALSE;
  sel.Add(a);
  sel.Add(b);
  theUndoManager.BeginEditSelection(sel);
  ASSERT_EQ(2, sel.GetCount());
  for (jvqObject* c : sel.m_items) c->SetFill(new jvqSolidFill(RGB(9, 9, 9)));
  theUndoManager.EndEdit();
  ASSERT_EQ(4, page->GetChildCount());
  // Each clone lies directly below its source.
  EXPECT_EQ(sel.GetAt(0), page->GetChild(0));
  EXPECT_EQ(a, page->GetChild(1));
  EXPECT_EQ(sel.GetAt(1), page->GetChild(2));
  EXPECT_EQ(b, page->GetChild(3));
  EXPECT_FALSE(Alive(a));
  EXPECT_FALSE(Alive(b));
  EXPECT_TRUE(Alive(sel.GetAt(0)));
  EXPECT_EQ(2, page->GetShownCount());
  theUndoManager.Undo();
  EXPECT_TRUE(Alive(a));
  EXPECT_TRUE(Alive(b));
  EXPECT_FALSE(Alive(sel.GetAt(0)));
  EXPECT_EQ(1u, ((jvqSolidFill*)a->GetFill())->GetColor());
  theUndoManager.Redo();
  EXPECT_FALSE(Alive(a));
  EXPECT_TRUE(Alive(sel.GetAt(1)));
  sel.m_items.clear();
}

TEST_F(Undo, NewStepDropsRedoHistory) {
  jvqRectObject* a = Add(0, 1);
  jvqRectObject* b = new jvqRectObject();
  a->m_dwState &= ~JVQ_STATE_ALIVE;
  theUndoManager.RecordRemoved(a);  // step 0
  page->AddChild(b);
  theUndoManager.RecordAdded(b);  // step 1
  theUndoManager.Undo();
  theUndoManager.Undo();
  EXPECT_TRUE(Alive(a));
  EXPECT_FALSE(Alive(b));
  jvqRectObject* c = Add(300, 3);
  c->m_dwState &= ~JVQ_STATE_ALIVE;
  theUndoManager.RecordRemoved(c);
  EXPECT_EQ(0, theUndoManager.GetCurrentStep());
  EXPECT_EQ(1, theUndoManager.GetRemovedRecordCount());
  EXPECT_EQ(0, theUndoManager.GetAddedRecordCount());
  EXPECT_FALSE(theUndoManager.CanRedo());
  EXPECT_FALSE(Alive(b));
}

TEST_F(Undo, HidingTheCurrentPageMovesTheMark) {
  jvqPage* p1 = board->GetPage(0);
  jvqPage* p2 = NewPage();
  jvqPage* p3 = NewPage();
  board->AddPage(p2);
  board->AddPage(p3);
  p2->m_dwState &= ~JVQ_STATE_VISIBLE;
  p3->m_dwState &= ~JVQ_STATE_VISIBLE;
  board->SetCurrentPage(1);
  ASSERT_EQ(p2, board->GetCurrentPage());
  theUndoManager.RecordAdded(p2);  // the page was inserted
  theUndoManager.Undo();
  EXPECT_EQ(p3, board->GetCurrentPage());  // the next alive page
  theUndoManager.Redo();
  EXPECT_EQ(p3, board->GetCurrentPage());  // revived, but p3 stays current
  EXPECT_EQ(3, board->GetPageCount());

  board->SetCurrentPage(2);
  theUndoManager.RecordAdded(p3);
  theUndoManager.Undo();
  EXPECT_EQ(p2, board->GetCurrentPage());  // the last one: the previous page

  // Down to one alive page, it is always current.
  p1->m_dwState &= ~JVQ_STATE_ALIVE;
  p2->m_dwState &= ~JVQ_STATE_VISIBLE;
  theUndoManager.RecordRemoved(p1);
  theUndoManager.Undo();
  p2->m_dwState &= ~JVQ_STATE_ALIVE;
  UndoHideHook(p2, 0);
  EXPECT_EQ(p1, board->GetCurrentPage());
}

TEST_F(Undo, EmptyStepsNeitherTakeANumberNorBlockUndo) {
  jvqRectObject* a = Add(0, 1);
  a->m_dwState &= ~JVQ_STATE_ALIVE;
  theUndoManager.RecordRemoved(a);
  theUndoManager.BeginStep();
  theUndoManager.EndStep();
  EXPECT_EQ(0, theUndoManager.GetCurrentStep());
  theUndoManager.Undo();
  EXPECT_TRUE(Alive(a));

  // An edit begun on nothing leaves no step open behind it.
  jvqObjectArray empty;
  theUndoManager.BeginEditSelection(empty);
  theUndoManager.EndEdit();
  EXPECT_FALSE(theUndoManager.IsStepOpen());
  jvqRectObject* b = Add(200, 2);
  theUndoManager.RecordAdded(b);
  EXPECT_EQ(0, theUndoManager.GetCurrentStep());
  EXPECT_TRUE(theUndoManager.CanUndo());
}

TEST_F(Undo, BeginStepDiscardsWhatAnOpenStepGathered) {
  jvqRectObject* a = Add(0, 1);
  jvqRectObject* b = Add(200, 2);
  theUndoManager.BeginStep();
  theUndoManager.RecordRemoved(a);
  theUndoManager.BeginStep();
  b->m_dwState &= ~JVQ_STATE_ALIVE;
  theUndoManager.RecordRemoved(b);
  theUndoManager.EndStep();
  a->m_dwState &= ~JVQ_STATE_ALIVE;
  theUndoManager.Undo();
  EXPECT_TRUE(Alive(b));
  EXPECT_FALSE(Alive(a));
}

TEST_F(Undo, SingleObjectEdit) {
  jvqRectObject* a = Add(0, 1);
  jvqObject* c = theUndoManager.BeginEditObject(a);
  ASSERT_NE(nullptr, c);
  EXPECT_EQ(0, page->FindChild(c));
  theUndoManager.EndEdit();
  EXPECT_FALSE(Alive(a));
  EXPECT_TRUE(Alive(c));
  theUndoManager.Undo();
  EXPECT_TRUE(Alive(a));
  EXPECT_FALSE(Alive(c));
}
