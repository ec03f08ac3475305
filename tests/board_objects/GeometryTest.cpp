#include <gtest/gtest.h>

#include <climits>

#include "RecordBytes.h"
#include "jvqGeometry.h"
#include "jvqPointList.h"

namespace {

POINT P(int x, int y) { return POINT{x, y}; }

TEST(RotatePoint, TurnsClockwiseAndTruncates) {
  struct Case { int angle; POINT in; POINT out; } cases[] = {
      {360, {100, 0}, {100, 0}}, {-720, {37, -5}, {37, -5}}, {0, {3, 4}, {3, 4}},
      {90, {100, 0}, {0, 100}},  {30, {100, 0}, {86, 49}},   {180, {10, 20}, {-10, -19}},
  };
  POINT c = {0, 0};
  for (const Case& k : cases) {
    POINT p = k.in;
    RotatePoint(&c, &p, k.angle);
    EXPECT_EQ(k.out.x, p.x) << k.angle;
    EXPECT_EQ(k.out.y, p.y) << k.angle;
  }
}

TEST(GetLineAngle, CountsClockwiseFromUp) {
  struct Case { POINT to; int angle; } cases[] = {
      {{0, -10}, 0}, {{10, 0}, 90}, {{0, 10}, 180}, {{-10, 0}, 270}, {{-10, -10}, 315}, {{10, -10}, 45},
  };
  POINT o = {0, 0};
  for (const Case& k : cases) EXPECT_EQ(k.angle, GetLineAngle(&o, &k.to)) << k.to.x << "," << k.to.y;
}

TEST(GetPointAtAngle, ZeroIsStraightUp) {
  POINT p;
  GetPointAtAngle(&p, 0, 0, 0, 100);
  EXPECT_EQ(0, p.x);
  EXPECT_EQ(-100, p.y);
  GetPointAtAngle(&p, 50, 50, 90, 100);
  EXPECT_EQ(150, p.x);
  EXPECT_EQ(50, p.y);
}

TEST(GetEllipsePointAngle, FlatBoxDoesNotDivideByZero) {
  RECT rc = {0, 0, 0, 100};
  EXPECT_EQ(180, GetEllipsePointAngle(rc, P(0, 100)));
  RECT wide = {0, 0, 200, 100};
  // Scaled by height / width the point (200, 50) lies at the right of the circle.
  EXPECT_EQ(90, GetEllipsePointAngle(wide, P(200, 50)));
}

TEST(SetArcPoints, FullTurnStartsAndEndsAtTheTop) {
  jvqPointList list;
  list.SetArcPoints(RECT{0, 0, 200, 100}, 0, 0, 0, 0, 120);
  ASSERT_EQ(120, list.GetCount());
  EXPECT_EQ(100, list.GetAt(0)->x);
  EXPECT_EQ(0, list.GetAt(0)->y);
  EXPECT_NEAR(100, list.GetAt(119)->x, 1);
  EXPECT_NEAR(0, list.GetAt(119)->y, 1);
  // Clockwise on the screen: after the top comes the right half.
  EXPECT_GT(list.GetAt(10)->x, 100);
}

TEST(SetArcPoints, RunsClockwiseFromStartToEnd) {
  jvqPointList list;
  list.SetArcPoints(RECT{-100, -100, 100, 100}, 90, 0, 0, 0, 60);
  ASSERT_EQ(60, list.GetCount());
  EXPECT_EQ(100, list.GetAt(0)->x);  // right
  EXPECT_EQ(0, list.GetAt(0)->y);
  EXPECT_NEAR(0, list.GetAt(20)->x, 2);  // bottom a third of the way round
  EXPECT_NEAR(100, list.GetAt(20)->y, 2);
  EXPECT_NEAR(0, list.GetAt(59)->x, 1);  // ends at the top
  EXPECT_EQ(-100, list.GetAt(59)->y);
}

TEST(SetRoundRectPoints, StartsAtBottomLeftOneUnitInside) {
  jvqPointList list;
  list.SetRoundRectPoints(RECT{0, 0, 1000, 600}, 200, 200, 0);
  ASSERT_EQ(120, list.GetCount());
  EXPECT_EQ(1, list.GetAt(0)->x);
  EXPECT_EQ(500, list.GetAt(0)->y);
  RECT rb;
  list.GetBoundRect(&rb);
  EXPECT_EQ(1, rb.left);
  EXPECT_EQ(1, rb.top);
  EXPECT_EQ(999, rb.right);
  EXPECT_EQ(599, rb.bottom);
  // Counter-clockwise: the bottom-left corner runs on to the bottom edge.
  EXPECT_GT(list.GetAt(29)->y, 590);
}

TEST(PtInPolygon, EvenOddWithEdgesAndVerticesInside) {
  const POINT square[4] = {{0, 0}, {0, 100}, {100, 100}, {100, 0}};
  jvqPointList sq(square, 4);
  struct Case { POINT p; BOOL in; } cases[] = {
      {{50, 50}, TRUE}, {{150, 50}, FALSE}, {{-1, 50}, FALSE}, {{0, 50}, TRUE},
      {{50, 0}, TRUE},  {{100, 100}, TRUE}, {{100, 101}, FALSE},
  };
  for (const Case& k : cases) EXPECT_EQ(k.in, sq.PtInPolygon(&k.p)) << k.p.x << "," << k.p.y;

  // A V whose lower tip touches the ray's level: no crossing there, so the point left of
  // it stays outside and one inside the V's arms stays inside.
  const POINT vee[5] = {{0, 0}, {50, 100}, {100, 0}, {100, -50}, {0, -50}};
  jvqPointList v(vee, 5);
  POINT left = {-20, 100}, right = {120, 100}, inside = {50, 20};
  EXPECT_FALSE(v.PtInPolygon(&left));
  EXPECT_FALSE(v.PtInPolygon(&right));
  EXPECT_TRUE(v.PtInPolygon(&inside));
}

TEST(IsPointNearSegment, StrictRangesAndHalfWidth) {
  struct Case { int px, py, x1, y1, x2, y2, w; BOOL isNear; } cases[] = {
      {50, 4, 0, 0, 100, 0, 10, TRUE},   {50, 5, 0, 0, 100, 0, 10, FALSE},
      {100, 0, 0, 0, 100, 0, 10, FALSE}, {101, 0, 0, 0, 100, 0, 10, FALSE},
      {4, 50, 0, 0, 0, 100, 10, TRUE},   {4, 100, 0, 0, 0, 100, 10, FALSE},
      {0, 0, 5, 5, 5, 5, 100, FALSE},
  };
  for (const Case& k : cases)
    EXPECT_EQ(k.isNear, IsPointNearSegment(k.px, k.py, k.x1, k.y1, k.x2, k.y2, k.w)) << k.px << "," << k.py;
}

TEST(SegmentsIntersect, TouchingCountsParallelDoesNot) {
  EXPECT_TRUE(SegmentsIntersect(0, 0, 10, 10, 10, 10, 20, 0));
  EXPECT_TRUE(SegmentsIntersect(0, 0, 10, 10, 0, 10, 10, 0));
  EXPECT_FALSE(SegmentsIntersect(0, 0, 10, 0, 0, 5, 10, 5));
  EXPECT_FALSE(SegmentsIntersect(0, 0, 10, 10, 20, 20, 30, 30));
}

TEST(GetLineIntersection, CrossingAndParallelLines) {
  POINT p;
  GetLineIntersection(&p, 0, 0, 10, 10, 0, 10, 10, 0);
  EXPECT_EQ(5, p.x);
  EXPECT_EQ(5, p.y);
  GetLineIntersection(&p, 5, -10, 5, 10, 0, 3, 10, 3);
  EXPECT_EQ(5, p.x);
  EXPECT_EQ(3, p.y);
  // Parallel slanted lines and two level lines give the start of the first line.
  GetLineIntersection(&p, 0, 0, 10, 10, 0, 5, 10, 15);
  EXPECT_EQ(0, p.x);
  EXPECT_EQ(0, p.y);
  GetLineIntersection(&p, 1, 2, 10, 2, 0, 5, 10, 5);
  EXPECT_EQ(1, p.x);
  EXPECT_EQ(2, p.y);
}

TEST(PointList, CentroidBoundsAndExtremes) {
  const POINT tri[3] = {{0, 0}, {1, 0}, {1, 1}};
  jvqPointList t(tri, 3);
  POINT c;
  t.GetCentroid(&c);
  EXPECT_EQ(0, c.x);
  EXPECT_EQ(0, c.y);

  jvqPointList empty;
  RECT rb;
  EXPECT_EQ(0, empty.GetBoundRect(&rb));
  EXPECT_EQ(INT_MAX, rb.left);
  EXPECT_EQ(INT_MAX, rb.top);
  EXPECT_EQ(INT_MIN, rb.right);
  EXPECT_EQ(INT_MIN, rb.bottom);

  const POINT ties[4] = {{0, 5}, {0, 9}, {7, 1}, {7, 1}};
  jvqPointList l(ties, 4);
  POINT p;
  EXPECT_EQ(5, l.GetLeftPoint(&p)->y);  // first of the ties
  EXPECT_EQ(7, l.GetTopPoint(&p)->x);
}

TEST(PointList, InsertRemoveAndFramePoints) {
  const POINT pts[2] = {{0, 0}, {10, 0}};
  jvqPointList l(pts, 2);
  POINT mid = {5, 5};
  l.InsertAt(0, &mid);
  EXPECT_EQ(5, l.GetAt(1)->x);
  POINT end = {99, 99};
  l.InsertAt(7, &end);
  EXPECT_EQ(99, l.GetAt(3)->x);
  l.RemoveAt(10);
  EXPECT_EQ(4, l.GetCount());
  l.RemoveAt(0);
  EXPECT_EQ(5, l.GetAt(0)->x);

  jvqPointList frame(RECT{10, 20, 0, 0});
  ASSERT_EQ(8, frame.GetCount());
  const POINT want[8] = {{0, 0}, {0, 10}, {0, 20}, {5, 20}, {10, 20}, {10, 10}, {10, 0}, {5, 0}};
  for (int i = 0; i < 8; i++) {
    EXPECT_EQ(want[i].x, frame.GetAt(i)->x) << i;
    EXPECT_EQ(want[i].y, frame.GetAt(i)->y) << i;
  }
}

TEST(PointListRecord, CountThenPairs) {
  const POINT pts[3] = {{1, 2}, {3, 4}, {-5, 6}};
  jvqPointList l(pts, 3);
  Bytes b = StoreBytes(l);
  ASSERT_EQ(28u, b.size());
  EXPECT_EQ(3, Int32At(b, 0));
  EXPECT_EQ(-5, Int32At(b, 20));
  jvqPointList back;
  ASSERT_TRUE(LoadBytes(back, b));
  EXPECT_TRUE(back == l);
}

TEST(PointListRecord, RefusesCountsTheFileCannotHold) {
  const POINT pts[3] = {{1, 2}, {3, 4}, {5, 6}};
  jvqPointList l(pts, 3);
  Bytes b = StoreBytes(l);
  for (int32_t bad : {4, -1, 0x7FFFFFFF, (int32_t)0x80000000}) {
    Bytes c = b;
    PutInt32(c, 0, bad);
    jvqPointList back(pts, 1);
    EXPECT_FALSE(LoadBytes(back, c)) << bad;
    EXPECT_EQ(1, back.GetCount()) << bad;  // nothing appended
  }
  Bytes shortRecord(b.begin(), b.begin() + 2);
  jvqPointList back;
  EXPECT_FALSE(LoadBytes(back, shortRecord));
}

TEST(FitRectToAspect, LargestCentredRectangle) {
  RECT r = {0, 0, 200, 100}, t = {0, 0, 100, 100};
  FitRectToAspect(&r, &t);
  EXPECT_EQ(0, r.left);
  EXPECT_EQ(25, r.top);
  EXPECT_EQ(100, r.right);
  EXPECT_EQ(75, r.bottom);
  RECT flat = {0, 0, 200, 0};
  FitRectToAspect(&flat, &t);
  EXPECT_EQ(100, flat.right - flat.left);
  EXPECT_EQ(0, flat.bottom - flat.top);
}

TEST(GetEllipseArcPoints, CountsAndSinglePoint) {
  int n = 0;
  POINT* p = GetEllipseArcPoints(&n, 0.0f, 1.5707964f, 10, 1000.0f, 1000.0f, 0.0f);
  EXPECT_GE(n, 9);
  EXPECT_LE(n, 10);
  EXPECT_EQ(1000, p[0].x);
  EXPECT_EQ(1000, p[n - 1].y);
  delete[] p;
  p = GetEllipseArcPoints(&n, 0.0f, 1.0f, 1, 10.0f, 10.0f, 0.0f);
  EXPECT_EQ(2, n);
  delete[] p;
}

}  // namespace
