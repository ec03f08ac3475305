#include <gtest/gtest.h>
#include <memory>

#include "board_objects/RecordBytes.h"
#include "jvqLineEnd.h"
#include "jvqPolylineObject.h"

namespace {

jvqPolylineObject* Line(POINT a, POINT b, int width, DWORD state = 0x141) {
  jvqPolylineObject* o = new jvqPolylineObject(NULL);
  const POINT pts[2] = {a, b};
  o->SetPoints(pts, 2, NULL, state);
  o->m_LineStyle.SetWidth(width);
  return o;
}

TEST(LineEnd, TemplateSizesFollowTheWidth) {
  struct Case { int kind, w, L, W; } cases[] = {
      {1, 0, 30, 30}, {1, 5, 40, 40}, {3, 10, 50, 50}, {7, 10, 35, 50}, {9, 0, 20, 20}, {9, 6, 26, 26},
  };
  for (const Case& k : cases) {
    int L, W;
    GetLineEnd(k.kind)->GetTemplateSize(k.w, &L, &W);
    EXPECT_EQ(k.L, L) << k.kind << "/" << k.w;
    EXPECT_EQ(k.W, W) << k.kind << "/" << k.w;
  }
  EXPECT_EQ(10, GetLineEndCount());
  EXPECT_EQ(nullptr, GetLineEnd(10));
}

TEST(LineEnd, TrianglePointsAlongTheLine) {
  std::unique_ptr<jvqPolylineObject> o(Line({0, 0}, {1000, 0}, 0));
  jvqPointList at;
  ASSERT_TRUE(GetLineEnd(3)->PlaceShape(o.get(), 1, at));
  ASSERT_EQ(3, at.GetCount());
  // Apex first: ahead of the tip to the right.
  EXPECT_GT(at.GetAt(0)->x, 1000);
  EXPECT_NEAR(0, at.GetAt(0)->y, 1);
  EXPECT_LT(at.GetAt(1)->x, 1000);
  ASSERT_TRUE(GetLineEnd(3)->PlaceShape(o.get(), 0, at));
  EXPECT_LT(at.GetAt(0)->x, 0);
  EXPECT_FALSE(GetLineEnd(3)->PlaceShape(o.get(), 5, at));
  EXPECT_FALSE(GetLineEnd(0)->PlaceShape(o.get(), 1, at));
}

TEST(LineEnd, CircleGrowsOnADiagonal) {
  std::unique_ptr<jvqPolylineObject> flat(Line({0, 0}, {1000, 0}, 2));
  std::unique_ptr<jvqPolylineObject> diag(Line({0, 0}, {1000, 1000}, 2));
  jvqPointList a, b;
  GetLineEnd(1)->PlaceShape(flat.get(), 1, a);
  GetLineEnd(1)->PlaceShape(diag.get(), 1, b);
  RECT ra, rb;
  a.GetBoundRect(&ra);
  b.GetBoundRect(&rb);
  EXPECT_GT(rb.right - rb.left, ra.right - ra.left);
}

TEST(LineEnd, StarStaysUprightAndVeeSitsOnTheTip) {
  std::unique_ptr<jvqPolylineObject> a(Line({0, 0}, {1000, 0}, 0));
  std::unique_ptr<jvqPolylineObject> b(Line({0, 0}, {0, 1000}, 0));
  jvqPointList sa, sb;
  GetLineEnd(8)->PlaceShape(a.get(), 1, sa);
  GetLineEnd(8)->PlaceShape(b.get(), 1, sb);
  ASSERT_EQ(5, sa.GetCount());
  // The first point is straight above the tip whatever the direction.
  EXPECT_NEAR(1000, sa.GetAt(0)->x, 1);
  EXPECT_LT(sa.GetAt(0)->y, 0);
  EXPECT_NEAR(0, sb.GetAt(0)->x, 1);
  EXPECT_LT(sb.GetAt(0)->y, 1000);

  jvqPointList v;
  GetLineEnd(6)->PlaceShape(a.get(), 1, v);
  ASSERT_EQ(3, v.GetCount());
  EXPECT_EQ(1000, v.GetAt(1)->x);
  EXPECT_EQ(0, v.GetAt(1)->y);
}

TEST(LineEnd, DrawsOnlyOnOpenPaths) {
  std::unique_ptr<jvqPolylineObject> open(Line({0, 0}, {100, 0}, 0));
  std::unique_ptr<jvqPolylineObject> closed(Line({0, 0}, {100, 0}, 0, 0x101));
  EXPECT_EQ(0, GetLineEnd(0)->Draw(NULL, open.get(), TRUE));
  EXPECT_EQ(0, GetLineEnd(3)->Draw(NULL, closed.get(), TRUE));
  EXPECT_EQ(3, GetLineEnd(3)->Draw(NULL, NULL, TRUE));
}

TEST(LineEndRecord, KindAloneAndOutOfRangeKept) {
  jvqLineEnd e(*GetLineEnd(5));
  Bytes b = StoreBytes(e);
  ASSERT_EQ(4u, b.size());
  EXPECT_EQ(5, Int32At(b, 0));
  for (int32_t bad : {12, -1}) {
    Bytes c = b;
    PutInt32(c, 0, bad);
    jvqLineEnd kept(*GetLineEnd(2));
    EXPECT_TRUE(LoadBytes(kept, c));
    EXPECT_EQ(2, kept.m_nKind);
  }
  jvqLineEnd got(*GetLineEnd(0));
  ASSERT_TRUE(LoadBytes(got, b));
  EXPECT_EQ(5, got.m_nKind);
  EXPECT_EQ(GetLineEnd(5)->m_pfnShape, got.m_pfnShape);
}

}  // namespace
