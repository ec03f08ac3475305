#include <gtest/gtest.h>

#include <memory>

#include "RecordBytes.h"
#include "jvqGradientFill.h"
#include "jvqHandleObject.h"
#include "jvqObject.h"
#include "jvqPolylineObject.h"
#include "jvqRectObject.h"
#include "jvqSolidFill.h"
#include "jvqViewMapping.h"

namespace {

const POINT kSquare[4] = {{0, 0}, {0, 100}, {100, 100}, {100, 0}};

TEST(ObjectBase, SetPointsRefusesNothingAndKeepsState) {
  jvqObject o(kSquare, 4, NULL, 0x301);
  EXPECT_FALSE(o.SetPoints(kSquare, 0, NULL, 0x311));
  EXPECT_FALSE(o.SetPoints(NULL, 3, NULL, 0x311));
  EXPECT_EQ(4, o.GetPointCount());
  EXPECT_EQ(0x301u, o.m_dwState);
  ASSERT_EQ(4u, o.m_PointTypes.size());
  EXPECT_EQ(1, o.m_PointTypes[0]);
  EXPECT_EQ(2, o.m_PointTypes[3]);
}

TEST(ObjectBase, SetPathBuildsMarkersOnlyWithTheHandlesBit) {
  jvqObject plain(kSquare, 4, NULL, 0x301);
  EXPECT_EQ(0, plain.m_VertexMarkers.GetCount());
  EXPECT_EQ(0, plain.m_ResizeHandles.GetCount());

  jvqViewMapping view;
  jvqObject o(kSquare, 4, &view, 0x311);
  ASSERT_EQ(4, o.m_VertexMarkers.GetCount());
  ASSERT_EQ(8, o.m_ResizeHandles.GetCount());
  const POINT want[8] = {{0, 0}, {0, 50}, {0, 100}, {50, 100}, {100, 100}, {100, 50}, {100, 0}, {50, 0}};
  for (int i = 0; i < 8; i++) {
    jvqObject* h = o.GetHandle(i);
    POINT c;
    h->GetCenter(&c);
    EXPECT_EQ(want[i].x, c.x) << i;
    EXPECT_EQ(want[i].y, c.y) << i;
    EXPECT_EQ(&o, h->m_pParent);
    EXPECT_EQ(JVQ_OBJ_HANDLE | JVQ_HANDLE_RESIZE, h->GetClassCode());
  }
  EXPECT_EQ(JVQ_OBJ_HANDLE | JVQ_HANDLE_VERTEX, o.GetVertexMarker(2)->GetClassCode());
}

TEST(ObjectBase, HandleMiddlesTruncateTowardZero) {
  const POINT pts[2] = {{0, 0}, {5, -5}};
  jvqObject o(pts, 2, NULL, 0x311);
  POINT c;
  o.GetHandle(1)->GetCenter(&c);  // middle-left
  EXPECT_EQ(0, c.x);
  EXPECT_EQ(-2, c.y);
  o.GetHandle(3)->GetCenter(&c);  // bottom-middle
  EXPECT_EQ(2, c.x);
}

TEST(ObjectBase, InsideHitNeedsThreePointsFillAndClosedPath) {
  const POINT tri[3] = {{0, 0}, {100, 0}, {0, 100}};
  jvqObject o(tri, 3, NULL, 0x301);
  EXPECT_FALSE(o.HitTestInside(10, 10));  // no painter
  o.SetFill(new jvqSolidFill(0xFF));
  EXPECT_TRUE(o.HitTestInside(10, 10));
  EXPECT_FALSE(o.HitTestInside(80, 80));
  o.m_dwState |= JVQ_STATE_OPEN;
  EXPECT_FALSE(o.HitTestInside(10, 10));

  const POINT two[2] = {{0, 0}, {100, 100}};
  jvqObject line(two, 2, NULL, 0x301);
  line.SetFill(new jvqSolidFill(0xFF));
  EXPECT_FALSE(line.HitTestInside(50, 50));
}

TEST(ObjectBase, OutlineHitNeedsAnOwnerWindow) {
  jvqViewMapping view;  // no window
  jvqObject o(kSquare, 4, &view, 0x301);
  EXPECT_FALSE(o.HitTestOutline(0, 50));
}

TEST(ObjectBase, FlipKeepsLeftAndTopEdges) {
  const POINT pts[3] = {{10, 20}, {60, 20}, {10, 120}};
  jvqObject o(pts, 3, NULL, 0x301);
  ASSERT_TRUE(o.Flip(1));
  RECT rb;
  o.GetBoundRect(&rb);
  EXPECT_EQ(10, rb.left);
  EXPECT_EQ(20, rb.top);
  EXPECT_EQ(60, o.GetGeometry()->GetAt(0)->x);  // mirrored left-right
  EXPECT_FALSE(o.Flip(3));
  EXPECT_EQ(60, o.GetGeometry()->GetAt(0)->x);
}

TEST(ObjectBase, MoveToAnchors) {
  struct Case { int anchor; POINT target; SIZE moved; } cases[] = {
      {1, {0, 0}, {-50, -50}}, {2, {500, 500}, {0, 500}}, {3, {500, 500}, {500, 0}},
      {4, {500, 500}, {400, 0}}, {5, {500, 500}, {0, 400}}, {0, {500, 500}, {0, 0}},
  };
  for (const Case& k : cases) {
    jvqObject o(kSquare, 4, NULL, 0x301);
    POINT t = k.target;
    o.MoveTo(&t, k.anchor);
    EXPECT_EQ(k.moved.cx, o.GetGeometry()->GetAt(0)->x) << k.anchor;
    EXPECT_EQ(k.moved.cy, o.GetGeometry()->GetAt(0)->y) << k.anchor;
  }
}

TEST(ObjectBase, RotationBackToZeroKeepsTheCentre) {
  const POINT pts[3] = {{0, 0}, {300, 0}, {0, 150}};
  jvqObject o(pts, 3, NULL, 0x301);
  POINT c0;
  o.GetCenter(&c0);
  o.SetRotation(30);
  POINT c1;
  o.GetCenter(&c1);
  EXPECT_EQ(c0.x, c1.x);
  EXPECT_EQ(c0.y, c1.y);
  o.SetRotation(0);
  for (int i = 0; i < 3; i++) {
    EXPECT_NEAR(pts[i].x, o.GetGeometry()->GetAt(i)->x, 2) << i;
    EXPECT_NEAR(pts[i].y, o.GetGeometry()->GetAt(i)->y, 2) << i;
  }
}

TEST(ObjectBase, IntersectsRectByPointOrCrossingEdge) {
  jvqObject o(kSquare, 4, NULL, 0x301);
  RECT inner = {40, 40, 60, 60}, across = {-10, 40, 10, 60}, away = {200, 200, 300, 300};
  EXPECT_FALSE(o.IntersectsRect(&inner, 0));  // no point in it and no edge through it
  EXPECT_TRUE(o.IntersectsRect(&across, 0));
  EXPECT_FALSE(o.IntersectsRect(&away, 0));
  RECT corner = {0, 0, 1, 1};
  EXPECT_TRUE(o.IntersectsRect(&corner, 0));
}

TEST(ObjectRecord, RoundTripsByteForByte) {
  jvqObject o(kSquare, 4, NULL, 0x301);
  o.m_LineStyle.Set(7, 0x123456, 2, FALSE, 0, NULL);
  o.SetFill(new jvqSolidFill(BS_HATCHED, 0x00FF00, 3));
  o.m_dRotation = 12.5;
  Bytes b = StoreBytes(o);
  ASSERT_EQ(44u + 8 * 4 + 16, b.size());  // the solid fill adds 16 to the 4-byte none
  EXPECT_EQ(1, Int32At(b, 0));
  EXPECT_EQ(0x301, Int32At(b, 4));
  EXPECT_EQ(4, Int32At(b, 8));
  EXPECT_EQ(0x30000, Int32At(b, 12 + 32 + 20));

  jvqObject back;
  ASSERT_TRUE(LoadBytes(back, b, 4));
  EXPECT_EQ(0x301u, back.m_dwState);
  EXPECT_EQ(7, back.m_LineStyle.m_nWidth);
  EXPECT_EQ(0x123456u, back.m_LineStyle.m_crColor);
  ASSERT_NE(nullptr, back.GetFill());
  EXPECT_EQ(0x00FF00u, ((jvqSolidFill*)back.GetFill())->GetColor());
  EXPECT_DOUBLE_EQ(12.5, back.m_dRotation);
  EXPECT_EQ(b, StoreBytes(back));
}

TEST(ObjectRecord, NoFillIsAZeroWordAndPointTypesAreRebuilt) {
  jvqObject o(kSquare, 4, NULL, 0x301);
  o.m_PointTypes = {1, 4, 4, 4};
  Bytes b = StoreBytes(o);
  ASSERT_EQ(44u + 8 * 4, b.size());
  jvqObject back;
  back.SetFill(new jvqGradientFill);
  ASSERT_TRUE(LoadBytes(back, b, 4));
  EXPECT_EQ(nullptr, back.GetFill());
  EXPECT_EQ((std::vector<int>{1, 2, 2, 2}), back.m_PointTypes);
}

TEST(ObjectRecord, TruncatedOrOversizedRecordsLeaveTheObjectAlone) {
  jvqObject o(kSquare, 4, NULL, 0x301);
  o.SetFill(new jvqGradientFill);
  Bytes b = StoreBytes(o);
  const POINT one[1] = {{7, 7}};
  for (size_t len = 4; len < b.size(); len += 3) {
    Bytes cut(b.begin(), b.begin() + len);
    jvqObject back(one, 1, NULL, 0x101);
    EXPECT_FALSE(LoadBytes(back, cut, 4)) << len;
    EXPECT_EQ(1, back.GetPointCount()) << len;
    EXPECT_EQ(0x101u, back.m_dwState) << len;
    EXPECT_EQ(nullptr, back.GetFill()) << len;
  }
  Bytes huge = b;
  PutInt32(huge, 8, 0x10000000);
  jvqObject back(one, 1, NULL, 0x101);
  EXPECT_FALSE(LoadBytes(back, huge, 4));
  EXPECT_EQ(1, back.GetPointCount());
}

// A fill kind whose painter is not built has a body of unknown length: the record fails
// as one of an unknown class does, instead of taking the body's bytes for the rotation.
TEST(ObjectRecord, FillKindsWithoutAPainterFailTheRead) {
  jvqObject o(kSquare, 4, NULL, 0x301);
  o.SetFill(new jvqSolidFill(BS_SOLID, 0x0000FF, 0));
  o.m_dRotation = 30;
  const Bytes good = StoreBytes(o);
  const size_t flagsAt = 12 + 8 * 4 + 20;
  ASSERT_EQ(0x30000, Int32At(good, flagsAt));
  const struct {
    const char* kind;
    int32_t flags;
  } kinds[] = {{"vector", 0x1010000}, {"unknown kind", 0x2010000}};
  for (const auto& k : kinds) {
    Bytes b = good;
    PutInt32(b, flagsAt, k.flags);
    const POINT one[1] = {{7, 7}};
    jvqObject back(one, 1, NULL, 0x101);
    back.m_dRotation = 5;
    EXPECT_FALSE(LoadBytes(back, b, 4)) << k.kind;
    EXPECT_EQ(1, back.GetPointCount()) << k.kind;
    EXPECT_EQ(0x101u, back.m_dwState) << k.kind;
    EXPECT_EQ(nullptr, back.GetFill()) << k.kind;
    EXPECT_EQ(5, back.m_dRotation) << k.kind;
  }
  // A flags word with no kind bit has no body: the record reads on after it.
  Bytes none(good.begin(), good.begin() + flagsAt + 4);
  PutInt32(none, flagsAt, 0x10000);
  none.insert(none.end(), good.end() - 8, good.end());
  jvqObject back;
  ASSERT_TRUE(LoadBytes(back, none, 4));
  EXPECT_EQ(nullptr, back.GetFill());
  EXPECT_DOUBLE_EQ(30, back.m_dRotation);
}

TEST(ObjectCopy, SharesNothingWithItsSource) {
  jvqViewMapping view;
  auto src = std::make_unique<jvqObject>(kSquare, 4, &view, 0x311);
  src->SetFill(new jvqSolidFill(0xFF));
  std::unique_ptr<jvqObject> copy(src->Clone());
  jvqFill* pSrcFill = src->GetFill();
  src.reset();
  ASSERT_NE(nullptr, copy->GetFill());
  EXPECT_NE(pSrcFill, copy->GetFill());
  ASSERT_EQ(4, copy->m_VertexMarkers.GetCount());
  ASSERT_EQ(8, copy->m_ResizeHandles.GetCount());
  EXPECT_EQ(copy.get(), copy->GetHandle(5)->m_pParent);
  EXPECT_EQ(copy.get(), copy->GetVertexMarker(0)->m_pParent);
  EXPECT_EQ(0xFFu, ((jvqSolidFill*)copy->GetFill())->GetColor());
}

}  // namespace

namespace {

TEST(ObjectBase, EmptyObjectsSurviveEveryGeometryCall) {
  jvqViewMapping view;
  jvqRectObject r;
  r.SetRotation(45);
  r.Recalc();
  RECT ext;
  r.GetExtent(&ext);
  jvqPolylineObject p(&view);
  p.Recalc();
  p.OnToolChanged(0);
  SIZE d = {5, 5};
  p.Offset(&d);
  EXPECT_EQ(0, p.GetPointCount());
  EXPECT_EQ(0, r.m_FramePoints.GetCount());
}

}  // namespace
