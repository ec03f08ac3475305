#include <gtest/gtest.h>

#include "RecordBytes.h"
#include "jvqEllipticObject.h"
#include "jvqSolidFill.h"
#include "jvqViewMapping.h"

namespace {

// Signed area (y down): negative runs counter-clockwise on the screen.
double ScreenArea(const jvqPointList& l) {
  double a = 0;
  for (int i = 0; i < l.GetCount(); i++) {
    const POINT* p = l.GetAt(i);
    const POINT* q = l.GetAt((i + 1) % l.GetCount());
    a += (double)p->x * q->y - (double)q->x * p->y;
  }
  return a / 2;
}

TEST(Ellipse, CurveRunsCounterClockwiseFromTheTop) {
  jvqViewMapping view;
  RECT rc = {0, 0, 200, 100};
  jvqEllipseObject e(&rc, &view, 0x311);
  EXPECT_GT(ScreenArea(e.m_Curve), 0);  // Create lays the points clockwise
  e.Recalc();
  const jvqPointList& c = e.m_Curve;
  ASSERT_EQ(120, c.GetCount());
  EXPECT_NEAR(100, c.GetAt(0)->x, 1);
  EXPECT_NEAR(0, c.GetAt(0)->y, 1);
  EXPECT_NEAR(c.GetAt(0)->x, c.GetAt(119)->x, 1);
  EXPECT_NEAR(c.GetAt(0)->y, c.GetAt(119)->y, 1);
  EXPECT_LT(ScreenArea(c), 0);
  EXPECT_LT(c.GetAt(10)->x, 100);  // heads left first
}

TEST(Sectors, ArcPointCounts) {
  struct Case { int start, end, points; } cases[] = {{0, 90, 61}, {10, 40, 31}, {300, 30, 61}, {0, 1, 61}};
  jvqViewMapping view;
  RECT rc = {-100, -100, 100, 100};
  for (const Case& k : cases) {
    jvqPieObject p;
    p.Create(&rc, &view, 0x311, k.start, k.end);
    p.Recalc();
    EXPECT_EQ(k.points, p.m_Curve.GetCount()) << k.start << "-" << k.end;
    const POINT* centre = p.m_Curve.GetAt(p.m_Curve.GetCount() - 1);
    EXPECT_EQ(0, centre->x);
    EXPECT_EQ(0, centre->y);
  }
  // 300 to 30 runs clockwise through the top.
  jvqPieObject p;
  p.Create(&rc, &view, 0x311, 300, 30);
  EXPECT_LT(p.m_Curve.GetAt(0)->x, 0);
  EXPECT_GT(p.m_Curve.GetAt(59)->x, 0);
  EXPECT_NEAR(-100, p.m_Curve.GetAt(40)->y, 1);
}

TEST(Sectors, ChordOfAHalfCircle) {
  jvqViewMapping view;
  RECT rc = {-100, -100, 100, 100};
  jvqChordObject c;
  c.Create(&rc, &view, 0x311, 0, 180);
  c.SetFill(new jvqSolidFill(0xFF));
  EXPECT_EQ(JVQ_OBJ_CHORD, c.GetClassCode());
  EXPECT_TRUE(c.HitTestInside(50, 0));
  EXPECT_FALSE(c.HitTestInside(-50, 0));
  EXPECT_EQ(-100, c.m_Curve.GetAt(0)->y);
  EXPECT_NEAR(100, c.m_Curve.GetAt(c.m_Curve.GetCount() - 1)->y, 1);
}

TEST(Sectors, FlipSwapsTheAnglesAndSettersReduce) {
  RECT rc = {0, 0, 100, 100};
  jvqViewMapping view;
  jvqPieObject p;
  p.Create(&rc, &view, 0x311, 30, 90);
  p.Flip(1);
  EXPECT_EQ(90, p.GetStartAngle());
  EXPECT_EQ(150, p.GetEndAngle());
  p.SetStartAngle(-30);
  EXPECT_EQ(330, p.GetStartAngle());
  p.SetEndAngle(400);
  EXPECT_EQ(40, p.GetEndAngle());
}

TEST(Arc, NeverHitInsideAndOpen) {
  jvqViewMapping view;
  RECT rc = {-100, -100, 100, 100};
  jvqArcObject a(&rc, &view, 0x151, 0, 180);
  a.SetFill(new jvqSolidFill(0xFF));
  EXPECT_FALSE(a.HitTestInside(50, 0));
  POINT f, s, bl, l;
  a.GetEndPoints(&f, &s, &bl, &l);
  EXPECT_EQ(0, f.x);
  EXPECT_EQ(-100, f.y);
  EXPECT_NEAR(100, l.y, 1);
  EXPECT_NE(f.y, s.y);
}

TEST(EllipticRecords, TailsInOrder) {
  jvqViewMapping view;
  RECT rc = {0, 0, 100, 80};
  jvqPieObject p;
  p.Create(&rc, &view, 0x311, 20, 200);
  Bytes b = StoreBytes(p);
  ASSERT_EQ(44u + 32 + 8, b.size());
  EXPECT_EQ(JVQ_OBJ_PIE, Int32At(b, 0));
  EXPECT_EQ(20, Int32At(b, b.size() - 8));
  EXPECT_EQ(200, Int32At(b, b.size() - 4));
  jvqPieObject pb;
  pb.m_pView = &view;
  ASSERT_TRUE(LoadBytes(pb, b, 4));
  EXPECT_EQ(b, StoreBytes(pb));

  jvqArcObject a(&rc, &view, 0x151, 10, 100);
  a.m_StartLineEnd = *GetLineEnd(3);
  a.m_EndLineEnd = *GetLineEnd(8);
  Bytes ab = StoreBytes(a);
  ASSERT_EQ(44u + 32 + 16, ab.size());
  EXPECT_EQ(10, Int32At(ab, ab.size() - 16));
  EXPECT_EQ(100, Int32At(ab, ab.size() - 12));
  EXPECT_EQ(3, Int32At(ab, ab.size() - 8));
  EXPECT_EQ(8, Int32At(ab, ab.size() - 4));
  jvqArcObject back;
  back.m_pView = &view;
  ASSERT_TRUE(LoadBytes(back, ab, 4));
  EXPECT_EQ(3, back.m_StartLineEnd.m_nKind);
  EXPECT_EQ(ab, StoreBytes(back));

  Bytes cut(ab.begin(), ab.end() - 2);
  jvqArcObject bad;
  EXPECT_FALSE(LoadBytes(bad, cut, 4));
}

}  // namespace
