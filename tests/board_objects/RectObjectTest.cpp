#include <gtest/gtest.h>
#include <memory>

#include "RecordBytes.h"
#include "jvqFrameObject.h"
#include "jvqHandleObject.h"
#include "jvqRectObject.h"
#include "jvqRoundRectObject.h"
#include "jvqSolidFill.h"
#include "jvqViewMapping.h"

namespace {

const UINT kShift = 0x0004;

RECT Bounds(jvqObject& o) {
  RECT rb;
  o.GetBoundRect(&rb);
  return rb;
}

POINT FramePoint(jvqRectObject& o, int i) { return *o.m_FramePoints.GetAt(i); }

TEST(RectObject, SetRectNormalises) {
  jvqViewMapping view;
  RECT rc = {400, 200, 0, 0};
  jvqRectObject o(&rc, &view, 0x311);
  RECT rb = Bounds(o);
  EXPECT_EQ(0, rb.left);
  EXPECT_EQ(400, rb.right);
  EXPECT_EQ(4, o.GetPointCount());
  EXPECT_EQ(8u, o.m_PointTypes.size());
  EXPECT_EQ(0, o.m_VertexMarkers.GetCount());
  EXPECT_EQ(8, o.m_ResizeHandles.GetCount());
  const POINT* p = o.GetGeometry()->GetAt(1);
  EXPECT_EQ(0, p->x);  // bottom-left second
  EXPECT_EQ(200, p->y);
}

TEST(RectObject, QuarterTurnsPermuteTheFramePoints) {
  jvqViewMapping view;
  RECT rc = {0, 0, 400, 200};
  jvqRectObject o(&rc, &view, 0x311);
  o.SetRotation(90);
  RECT fb;
  o.m_FramePoints.GetBoundRect(&fb);
  EXPECT_EQ(100, fb.left);
  EXPECT_EQ(-100, fb.top);
  EXPECT_EQ(300, fb.right);
  EXPECT_EQ(300, fb.bottom);
  EXPECT_EQ(300, FramePoint(o, 0).x);  // handle 0 at the top-right
  EXPECT_EQ(-100, FramePoint(o, 0).y);
  POINT h0;
  o.GetHandle(0)->GetCenter(&h0);
  EXPECT_EQ(300, h0.x);
  EXPECT_EQ(-100, h0.y);
  EXPECT_EQ(400, Bounds(o).right);  // the four points do not turn

  o.SetRotation(180);
  EXPECT_EQ(400, FramePoint(o, 0).x);  // opposite corner
  EXPECT_EQ(200, FramePoint(o, 0).y);
  o.SetRotation(-90);  // counts as 270
  EXPECT_EQ(100, FramePoint(o, 0).x);
  EXPECT_EQ(300, FramePoint(o, 0).y);
}

TEST(RectObject, FlipTurnsTheOutline) {
  RECT rc = {0, 0, 100, 50};
  jvqRectObject o(&rc, NULL, 0x301);
  ASSERT_TRUE(o.Flip(1));
  EXPECT_EQ(180.0, o.m_dRotation);
  jvqRectObject t(&rc, NULL, 0x301);
  t.Flip(2);
  EXPECT_EQ(360.0, t.m_dRotation);
  jvqRectObject r(&rc, NULL, 0x301);
  r.SetRotation(270);
  r.Flip(1);
  EXPECT_EQ(-90.0, r.m_dRotation);
}

// Drags handle i of the object by (dx, dy) in one step.
void Drag(jvqRectObject& o, int i, int dx, int dy, UINT flags) {
  jvqObject* h = o.GetHandle(i);
  o.BeginTrack(3, h);
  POINT start;
  h->GetCenter(&start);
  POINT cur = {start.x + dx, start.y + dy};
  o.Track(&start, &cur, flags, h, NULL);
  o.EndTrack(3, h);
}

TEST(RectObjectTrack, CornerDragKeepsTheRatioUnlessShift) {
  struct Case { BOOL freeResize; UINT flags; int w, h; } cases[] = {
      {FALSE, 0, 500, 250}, {FALSE, kShift, 500, 210}, {TRUE, 0, 500, 210}, {TRUE, kShift, 500, 250},
  };
  jvqViewMapping view;
  for (const Case& k : cases) {
    RECT rc = {0, 0, 400, 200};
    jvqRectObject o(&rc, &view, 0x311);
    o.m_bFreeResize = k.freeResize;
    Drag(o, 4, 100, 10, k.flags);
    RECT rb = Bounds(o);
    EXPECT_EQ(0, rb.left);
    EXPECT_EQ(0, rb.top);
    EXPECT_EQ(k.w, rb.right) << k.freeResize << k.flags;
    EXPECT_EQ(k.h, rb.bottom) << k.freeResize << k.flags;
  }
}

TEST(RectObjectTrack, EdgeHandlesMoveOneEdge) {
  jvqViewMapping view;
  for (UINT flags : {0u, kShift}) {
    RECT rc = {0, 0, 400, 200};
    jvqRectObject o(&rc, &view, 0x311);
    Drag(o, 5, 50, 30, flags);  // middle-right
    RECT rb = Bounds(o);
    EXPECT_EQ(450, rb.right);
    EXPECT_EQ(200, rb.bottom);
    EXPECT_EQ(0, rb.left);
  }
}

TEST(RectObjectTrack, FlatRectangleDragsFreely) {
  jvqViewMapping view;
  RECT rc = {0, 0, 400, 0};
  jvqRectObject o(&rc, &view, 0x311);
  Drag(o, 4, 100, 10, 0);
  RECT rb = Bounds(o);
  EXPECT_EQ(500, rb.right);
  EXPECT_EQ(10, rb.bottom);
  RECT tall = {0, 0, 0, 300};
  jvqRectObject t(&tall, &view, 0x311);
  Drag(t, 0, -20, -30, 0);
  EXPECT_EQ(-20, Bounds(t).left);
}

TEST(RectObjectTrack, TurnedRectangleKeepsItsFixedSide) {
  jvqViewMapping view;
  RECT rc = {0, 0, 400, 200};
  jvqRectObject o(&rc, &view, 0x311);
  o.SetRotation(90);
  // Turned by 90 the left side of the rectangle (handles 0 to 2) is its top on the screen.
  POINT a0 = FramePoint(o, 0), a2 = FramePoint(o, 2);
  jvqObject* h = o.GetHandle(5);  // middle-right: the bottom on the screen
  o.BeginTrack(3, h);
  POINT start;
  h->GetCenter(&start);
  POINT cur = {start.x, start.y + 100};
  o.Track(&start, &cur, 0, h, NULL);
  o.EndTrack(3, h);
  EXPECT_EQ(500, Bounds(o).right - Bounds(o).left);
  POINT b0 = FramePoint(o, 0), b2 = FramePoint(o, 2);
  EXPECT_NEAR(a0.y, b0.y, 1);
  EXPECT_NEAR(a2.y, b2.y, 1);
  EXPECT_NEAR(a0.x, b0.x, 1);
  EXPECT_NEAR(a2.x, b2.x, 1);
}

TEST(RectObject, OutlineHitWantsAWindowInsideHitWantsAFill) {
  jvqViewMapping view;
  RECT rc = {0, 0, 100, 100};
  jvqRectObject o(&rc, &view, 0x311);
  o.m_LineStyle.SetStyle(5);
  EXPECT_FALSE(o.HitTestOutline(0, 50));
  EXPECT_FALSE(o.HitTestInside(50, 50));
  o.SetFill(new jvqSolidFill(0xFF));
  EXPECT_TRUE(o.HitTestInside(50, 50));
  EXPECT_FALSE(o.HitTestInside(150, 50));
}

TEST(RectObject, VertexToolsGreyTheResizeHandles) {
  jvqViewMapping view;
  RECT rc = {0, 0, 100, 100};
  jvqRectObject o(&rc, &view, 0x319);
  POINT c;
  o.GetHandle(4)->GetCenter(&c);
  EXPECT_EQ(o.GetHandle(4), o.HitTestMarkers(c.x, c.y));
  o.OnToolChanged(TOOLID_VERTEX_EDIT);
  EXPECT_TRUE(o.GetHandle(4)->m_dwState & JVQ_STATE_TOOLMODE);
  EXPECT_EQ(nullptr, o.HitTestMarkers(c.x, c.y));
  o.OnToolChanged(0);
  EXPECT_EQ(o.GetHandle(4), o.HitTestMarkers(c.x, c.y));
  EXPECT_FALSE(o.CanEdit(9));
  EXPECT_TRUE(o.CanEdit(1));
}

TEST(Marker, HitOnlyWhileTheOwnerIsSelectedAndUnlocked) {
  jvqViewMapping view;
  RECT rc = {0, 0, 100, 100};
  jvqRectObject o(&rc, &view, 0x311);
  jvqHandleObject* h = (jvqHandleObject*)o.GetHandle(0);
  EXPECT_EQ(nullptr, h->HitTestMarker(0, 0));
  o.m_dwState |= JVQ_STATE_SELECTED;
  RECT box;
  h->GetGeometry()->GetBoundRect(&box);
  EXPECT_GT(box.right, box.left);
  EXPECT_EQ(h, h->HitTestMarker(0, 0));
  EXPECT_EQ(h, h->HitTestMarker(box.left, box.top));
  EXPECT_EQ(nullptr, h->HitTestMarker(box.right, 0));   // right border
  EXPECT_EQ(nullptr, h->HitTestMarker(0, box.bottom));  // bottom border
  o.m_dwState |= JVQ_STATE_LOCKED;
  EXPECT_EQ(nullptr, h->HitTestMarker(0, 0));
}

TEST(Marker, OffsetMovesTheCentreAndTheBox) {
  jvqViewMapping view;
  RECT rc = {0, 0, 100, 100};
  jvqRectObject o(&rc, &view, 0x319);
  jvqHandleObject* h = (jvqHandleObject*)o.GetHandle(0);
  SIZE d = {30, 40};
  h->Offset(&d);
  EXPECT_EQ(30, h->m_ptCenter.x);
  EXPECT_EQ(40, h->m_ptCenter.y);
  EXPECT_EQ(h, h->HitTestMarker(33, 43));
  EXPECT_EQ(nullptr, h->HitTestMarker(0, 0));
}

TEST(RoundRect, CornersFollowTheShorterSide) {
  struct Case { RECT rc; int corner; } cases[] = {{{0, 0, 100, 60}, 30}, {{0, 0, 20, 20}, 20}, {{0, 0, 21, 40}, 10}};
  jvqViewMapping view;
  for (const Case& k : cases) {
    jvqRoundRectObject o(&k.rc, &view, 0x311);
    EXPECT_EQ(k.corner, o.m_nCornerWidth);
    EXPECT_EQ(k.corner, o.m_nCornerHeight);
    EXPECT_EQ(120, o.m_Curve.GetCount());
  }
  RECT rc = {0, 0, 100, 60};
  jvqRoundRectObject o(&rc, &view, 0x311);
  o.SetCornerRadius(500);
  EXPECT_EQ(60, o.m_nCornerWidth);
  o.SetCornerRadius(10);
  EXPECT_EQ(10, o.m_nCornerHeight);
}

TEST(RoundRectRecord, TailHoldsTheCornerSizes) {
  jvqViewMapping view;
  RECT rc = {0, 0, 100, 60};
  jvqRoundRectObject o(&rc, &view, 0x311);
  o.SetCornerRadius(12);
  Bytes b = StoreBytes(o);
  ASSERT_EQ(44u + 32 + 8, b.size());
  EXPECT_EQ(JVQ_OBJ_ROUNDRECT, Int32At(b, 0));
  EXPECT_EQ(12, Int32At(b, b.size() - 8));
  jvqRoundRectObject back;
  ASSERT_TRUE(LoadBytes(back, b, 4));
  EXPECT_EQ(12, back.m_nCornerWidth);
  EXPECT_EQ(b, StoreBytes(back));
  Bytes cut(b.begin(), b.end() - 3);
  jvqRoundRectObject bad;
  EXPECT_FALSE(LoadBytes(bad, cut, 4));
}

TEST(RectRecord, LoadRebuildsHandlesAndRefusesOtherPointCounts) {
  RECT rc = {10, 20, 110, 70};
  jvqRectObject o(&rc, NULL, 0x301);
  Bytes b = StoreBytes(o);
  jvqViewMapping view;
  jvqRectObject back;
  back.m_pView = &view;
  ASSERT_TRUE(LoadBytes(back, b, 4));
  EXPECT_EQ(8, back.m_ResizeHandles.GetCount());
  EXPECT_EQ(8u, back.m_PointTypes.size());
  EXPECT_EQ(b, StoreBytes(back));

  // A rectangle record with three points is corrupt.
  const POINT tri[3] = {{0, 0}, {1, 1}, {2, 0}};
  jvqObject three(tri, 3, NULL, 0x301);
  Bytes t = StoreBytes(three);
  jvqRectObject r;
  EXPECT_FALSE(LoadBytes(r, t, 4));
}

TEST(FrameObject, NeverFilledAndNotTurned) {
  jvqViewMapping view;
  RECT rc = {0, 0, 100, 100};
  jvqFrameObject f(&rc, &view, 0x311);
  EXPECT_EQ(JVQ_OBJ_FRAME, f.GetClassCode());
  EXPECT_EQ(5, f.GetEditFlags() & 5);
  f.SetFill(new jvqSolidFill(0xFF));
  std::unique_ptr<jvqObject> copy(f.Clone());
  EXPECT_EQ(nullptr, copy->GetFill());
  RECT rc2 = {5, 5, 50, 50};
  f.SetRect(&rc2, &view, 0x311);
  EXPECT_EQ(nullptr, f.GetFill());
  // The pivot has a defined start, so a drag after a copy turns nothing by chance.
  EXPECT_EQ(0, f.m_ptFramePivot.x);
  jvqFrameObject* c = (jvqFrameObject*)copy.get();
  Drag(*c, 4, 10, 10, kShift);
  EXPECT_EQ(110, Bounds(*c).right);
  f.OnToolChanged(TOOLID_VERTEX_INSERT);
  EXPECT_FALSE(f.GetHandle(0)->m_dwState & JVQ_STATE_TOOLMODE);
  f.OnToolChanged(TOOLID_VERTEX_EDIT);
  EXPECT_TRUE(f.GetHandle(0)->m_dwState & JVQ_STATE_TOOLMODE);
}

}  // namespace
