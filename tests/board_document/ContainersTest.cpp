// Group, page and board: structure, current page, hit tests, resizing, record form.
#include <gtest/gtest.h>

#include <memory>

#include "BoardFixture.h"

namespace {

class Containers : public ::testing::Test {
 protected:
  void SetUp() override { EnsurePrototypes(); }
};

jvqPage* NewPage() {
  jvqPage* p = new jvqPage;
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(p);
  return p;
}

jvqRectObject* NewRect(int l, int t, int r, int b, DWORD state = 0x311) {
  RECT rc = {l, t, r, b};
  jvqRectObject* p = new jvqRectObject(&rc, NULL, state);
  p->SetFill(new jvqSolidFill(RGB(1, 2, 3)));
  return p;
}

}  // namespace

TEST_F(Containers, EmptyGroupAndBoardBasics) {
  jvqGroupObject g;
  g.Recalc();
  RECT r;
  g.GetBoundRect(&r);
  EXPECT_EQ(0, r.left | r.top | r.right | r.bottom);

  jvqBoard b(NULL);
  EXPECT_EQ(JVQ_OBJ_BOARD, b.GetClassCode());
  EXPECT_TRUE(b.GetState() & JVQ_STATE_GRID);
  ASSERT_EQ(1, b.GetPageCount());
  // The first page takes the page prototype's paper: A3 landscape.
  SIZE sz;
  b.GetCurrentPageSize(&sz);
  EXPECT_EQ(4200, sz.cx);
  EXPECT_EQ(2970, sz.cy);
  EXPECT_EQ(0x101u, b.GetPage(0)->GetState() & 0x101);

  // A cloned board is a plain group holding copies of the pages.
  std::unique_ptr<jvqObject> c(b.Clone());
  EXPECT_EQ(JVQ_OBJ_GROUP, c->GetClassCode());
  jvqGroupObject* cg = (jvqGroupObject*)c.get();
  ASSERT_EQ(1, cg->GetChildCount());
  EXPECT_NE(b.GetPage(0), cg->GetChild(0));
  EXPECT_EQ(JVQ_OBJ_PAGE, cg->GetChild(0)->GetClassCode());
}

TEST_F(Containers, PagesSkipDeadOnes) {
  jvqBoard b(NULL);
  jvqPage* first = b.GetPage(0);
  jvqPage* second = NewPage();
  b.AddPage(second);
  first->m_dwState &= ~JVQ_STATE_ALIVE;  // the first page is deleted
  second->m_dwState |= JVQ_STATE_VISIBLE;
  EXPECT_EQ(1, b.GetPageCount());
  EXPECT_EQ(0, b.GetCurrentPageIndex());
  EXPECT_EQ(second, b.GetPage(0));
  EXPECT_EQ(nullptr, b.GetPage(1));
  b.PreviousPage();
  EXPECT_EQ(second, b.GetCurrentPage());
  b.FirstPage();
  EXPECT_EQ(second, b.GetCurrentPage());
  jvqPage* third = NewPage();
  b.InsertPage(0, third);
  EXPECT_EQ(2, b.FindChild(third));  // directly after the second page
  EXPECT_EQ(0x101u, third->GetState() & 0x101);

  second->m_dwState &= ~JVQ_STATE_VISIBLE;
  third->m_dwState &= ~JVQ_STATE_VISIBLE;
  b.SetCurrentPage(b.GetPageCount());  // out of range selects page 0
  EXPECT_EQ(second, b.GetCurrentPage());
  b.NextPage();
  EXPECT_EQ(third, b.GetCurrentPage());
  b.NextPage();
  EXPECT_EQ(third, b.GetCurrentPage());
  b.FirstPage();
  b.LastPage();
  EXPECT_EQ(third, b.GetCurrentPage());
  EXPECT_EQ(1, b.GetCurrentPageIndex());
}

TEST_F(Containers, GroupChildrenOperations) {
  jvqGroupObject g;
  jvqRectObject* a = NewRect(0, 0, 100, 100);
  jvqRectObject* c = NewRect(200, 50, 300, 400);
  g.AddChild(a);
  g.AddChild(a);  // already a child
  g.AddChild(c);
  EXPECT_EQ(2, g.GetChildCount());
  EXPECT_EQ(&g, a->m_pParent);
  RECT r;
  g.GetBoundRect(&r);
  EXPECT_EQ(0, r.left);
  EXPECT_EQ(0, r.top);
  EXPECT_EQ(300, r.right);
  EXPECT_EQ(400, r.bottom);

  jvqRectObject* m = NewRect(10, 10, 20, 20);
  g.InsertChild(0, m);  // at index + 1
  EXPECT_EQ(1, g.FindChild(m));
  g.RemoveChild(m, 1);
  EXPECT_EQ(-1, g.FindChild(m));

  c->m_dwState &= ~JVQ_STATE_ALIVE;
  g.ModifyChildState(0, JVQ_STATE_LOCKED);
  EXPECT_TRUE(a->GetState() & JVQ_STATE_LOCKED);
  EXPECT_FALSE(c->GetState() & JVQ_STATE_LOCKED);  // only shown children
}

TEST_F(Containers, GroupResizeScalesChildrenAroundRelativePlaces) {
  jvqGroupObject g;
  jvqRectObject* a = NewRect(0, 0, 200, 100);
  jvqRectObject* c = NewRect(800, 300, 1000, 400);
  g.AddChild(a);
  g.AddChild(c);
  g.BeginTrack(4, NULL);
  EXPECT_EQ(1000, g.m_nTrackWidth);
  // Halve the width as a drag of the right edge leaves the geometry.
  for (int i = 0; i < g.m_GeometryData.GetCount(); i++)
    if (g.m_GeometryData.GetAt(i)->x == 1000) g.m_GeometryData.GetAt(i)->x = 500;
  g.EndTrack(5, NULL);
  RECT ra, rc;
  a->GetBoundRect(&ra);
  c->GetBoundRect(&rc);
  EXPECT_NEAR(100, ra.right - ra.left, 1);
  EXPECT_NEAR(100, rc.right - rc.left, 1);
  EXPECT_NEAR(50, (ra.left + ra.right) / 2, 1);
  EXPECT_NEAR(450, (rc.left + rc.right) / 2, 1);
}

TEST_F(Containers, PageHitTestPrefersHandlesThenTheUpperUnlessLocked) {
  jvqPage* page = NewPage();
  std::unique_ptr<jvqPage> own(page);
  jvqRectObject* lower = NewRect(0, 0, 1000, 1000);
  jvqRectObject* upper = NewRect(500, 500, 1500, 1500);
  page->AddChild(lower);
  page->AddChild(upper);
  POINT p = {700, 700};
  EXPECT_EQ(upper, page->HitTest(&p));
  lower->m_dwState |= JVQ_STATE_SELECTED;
  EXPECT_EQ(upper, page->HitTest(&p));
  upper->m_dwState |= JVQ_STATE_LOCKED;
  EXPECT_EQ(lower, page->HitTest(&p));
  POINT out = {3000, 2000};
  EXPECT_EQ(page, page->HitTest(&out));
  POINT distant = {9000, 9000};
  EXPECT_EQ(nullptr, page->HitTest(&distant));
}

TEST_F(Containers, GroupRecordFormKeepsDeadChildrenAndRejectsDamage) {
  jvqGroupObject g;
  g.AddChild(NewRect(0, 0, 10, 10));
  g.AddChild(NewRect(20, 20, 40, 40, 0x211));
  const std::string rec = RecordOf(&g);
  CMemFile f((BYTE*)rec.data() + 4, (UINT)rec.size() - 4);
  jvqFileHeader h;
  jvqGroupObject r;
  ASSERT_TRUE(r.Load(&f, &h));
  ASSERT_EQ(2, r.GetChildCount());
  EXPECT_FALSE(r.GetChild(1)->GetState() & JVQ_STATE_ALIVE);
  EXPECT_EQ(RecordOf(g.GetChild(0)), RecordOf(r.GetChild(0)));

  // A count far beyond the record, or a cut record, fails.
  std::string bad = rec;
  const size_t countAt = BaseRecordOf(&g).size();
  int32_t n = 1000000;
  memcpy(&bad[countAt], &n, 4);
  CMemFile f2((BYTE*)bad.data() + 4, (UINT)bad.size() - 4);
  jvqGroupObject r2;
  EXPECT_FALSE(r2.Load(&f2, &h));
  CMemFile f3((BYTE*)rec.data() + 4, (UINT)rec.size() - 10);
  jvqGroupObject r3;
  EXPECT_FALSE(r3.Load(&f3, &h));
}

TEST_F(Containers, ContentsRectKeepsThePageAspect) {
  jvqPage* page = NewPage();
  std::unique_ptr<jvqPage> own(page);
  page->AddChild(NewRect(-420, 0, 100, 100));
  RECT r;
  page->GetContentsRect(&r);
  EXPECT_EQ(-420, r.left);
  EXPECT_EQ(4620, r.right - r.left);
  EXPECT_EQ((int)(4620 / (4200.0 / 2970)), r.bottom - r.top);
}
