#include <gtest/gtest.h>

#include "RecordBytes.h"
#include "jvqHandleObject.h"
#include "jvqPolylineObject.h"
#include "jvqViewMapping.h"

namespace {

const UINT kShift = 0x0004;

void Build(jvqPolylineObject& o, const std::vector<POINT>& pts, DWORD state, jvqViewMapping* view) {
  o.SetPoints(pts.data(), (int)pts.size(), view, state);
}

BOOL Shown(jvqObject* p) { return (p->m_dwState & JVQ_STATE_VISIBLE) != 0; }

TEST(Polyline, MarkersFollowTheTool) {
  jvqViewMapping view;
  jvqPolylineObject line(&view);
  Build(line, {{0, 0}, {100, 50}}, 0x351, &view);
  for (int tool : {0, 3001, 3008, 3011}) {
    line.OnToolChanged(tool);
    EXPECT_TRUE(Shown(line.GetVertexMarker(0))) << tool;
    EXPECT_FALSE(Shown(line.GetHandle(0))) << tool;
  }
  jvqPolylineObject poly(&view);
  Build(poly, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, 0x311, &view);
  poly.OnToolChanged(0);
  EXPECT_FALSE(Shown(poly.GetVertexMarker(3)));
  EXPECT_TRUE(Shown(poly.GetHandle(7)));
  for (int tool : {3001, 3008, 3011}) {
    poly.OnToolChanged(tool);
    EXPECT_TRUE(Shown(poly.GetVertexMarker(3))) << tool;
    EXPECT_FALSE(Shown(poly.GetHandle(7))) << tool;
  }
  EXPECT_TRUE(line.IsOpen());
  jvqPolylineObject two(&view);
  Build(two, {{0, 0}, {10, 10}}, 0x301, &view);
  EXPECT_TRUE(two.IsOpen());
  EXPECT_FALSE(poly.IsOpen());
}

TEST(Polyline, VerticesAddInsertRemove) {
  jvqViewMapping view;
  jvqPolylineObject o(&view);
  Build(o, {{0, 0}, {100, 0}}, 0x311, &view);
  POINT p = {50, 50};
  o.InsertVertex(0, &p, 2);
  ASSERT_EQ(3, o.GetPointCount());
  EXPECT_EQ(50, o.GetGeometry()->GetAt(1)->y);
  ASSERT_EQ(3, o.m_VertexMarkers.GetCount());
  POINT c;
  o.GetVertexMarker(1)->GetCenter(&c);
  EXPECT_EQ(50, c.y);
  POINT q = {0, 100};
  o.AddVertex(&q, 2);
  EXPECT_EQ(4, o.m_VertexMarkers.GetCount());
  o.RemoveVertex(1);
  EXPECT_EQ(3, o.GetPointCount());
  EXPECT_EQ(3, o.m_VertexMarkers.GetCount());
  EXPECT_EQ(3u, o.m_PointTypes.size());
  o.GetVertexMarker(1)->GetCenter(&c);
  EXPECT_EQ(100, c.x);
}

void DragHandle(jvqPolylineObject& o, int i, int dx, int dy, UINT flags) {
  jvqObject* h = o.GetHandle(i);
  o.BeginTrack(3, h);
  POINT start;
  h->GetCenter(&start);
  POINT cur = {start.x + dx, start.y + dy};
  o.Track(&start, &cur, flags, h, NULL);
  o.EndTrack(3, h);
}

RECT Bounds(jvqObject& o) {
  RECT rb;
  o.GetBoundRect(&rb);
  return rb;
}

TEST(PolylineTrack, ProportionalUnlessShift) {
  jvqViewMapping view;
  struct Case { UINT flags; int w, h; } cases[] = {{0, 300, 150}, {kShift, 300, 110}};
  for (const Case& k : cases) {
    jvqPolylineObject o(&view);
    Build(o, {{0, 0}, {200, 0}, {200, 100}, {0, 100}}, 0x311, &view);
    DragHandle(o, 4, 100, 10, k.flags);
    RECT rb = Bounds(o);
    EXPECT_EQ(0, rb.left);
    EXPECT_EQ(0, rb.top);
    EXPECT_EQ(k.w, rb.right) << k.flags;
    EXPECT_EQ(k.h, rb.bottom) << k.flags;
  }
}

TEST(PolylineTrack, EdgeMovesStopAtTenUnits) {
  jvqViewMapping view;
  jvqPolylineObject o(&view);
  Build(o, {{0, 0}, {200, 0}, {200, 100}, {0, 100}}, 0x311, &view);
  DragHandle(o, 7, 0, 95, 0);  // top-middle down past the minimum
  RECT rb = Bounds(o);
  EXPECT_EQ(100, rb.bottom);
  EXPECT_GE(rb.bottom - rb.top, 10);
  DragHandle(o, 7, 0, 85, 0);
  rb = Bounds(o);
  EXPECT_EQ(100, rb.bottom);
  EXPECT_EQ(15, rb.bottom - rb.top);
}

TEST(PolylineTrack, CollinearVerticesDoNotDivideByZero) {
  jvqViewMapping view;
  jvqPolylineObject o(&view);
  Build(o, {{0, 50}, {100, 50}, {200, 50}}, 0x351, &view);
  DragHandle(o, 4, 100, 10, 0);
  RECT rb = Bounds(o);
  EXPECT_EQ(300, rb.right);
  EXPECT_EQ(50, rb.top);
  DragHandle(o, 3, 0, 40, 0);  // no height to scale
  EXPECT_EQ(50, Bounds(o).bottom);
}

TEST(PolylineTrack, VertexDragMovesOneVertex) {
  jvqViewMapping view;
  jvqPolylineObject o(&view);
  Build(o, {{0, 0}, {100, 0}, {100, 100}}, 0x351, &view);
  jvqObject* m = o.GetVertexMarker(0);
  o.BeginTrack(9, m);
  POINT s = {0, 0}, c = {-10, 20};
  o.Track(&s, &c, 0, m, NULL);
  o.EndTrack(9, m);
  EXPECT_EQ(-10, o.GetGeometry()->GetAt(0)->x);
  EXPECT_EQ(20, o.GetGeometry()->GetAt(0)->y);
  EXPECT_EQ(100, o.GetGeometry()->GetAt(1)->x);
}

TEST(PolylineRecord, CommonRecordThenStartAndEndKinds) {
  jvqViewMapping view;
  jvqPolylineObject o(&view);
  Build(o, {{0, 0}, {100, 0}, {100, 100}}, 0x351, &view);
  o.m_StartLineEnd = *GetLineEnd(3);
  o.m_EndLineEnd = *GetLineEnd(5);
  Bytes b = StoreBytes(o);
  ASSERT_EQ(44u + 24 + 8, b.size());
  EXPECT_EQ(JVQ_OBJ_POLYLINE, Int32At(b, 0));
  EXPECT_EQ(3, Int32At(b, b.size() - 8));
  EXPECT_EQ(5, Int32At(b, b.size() - 4));

  jvqPolylineObject back(&view);
  ASSERT_TRUE(LoadBytes(back, b, 4));
  EXPECT_EQ(5, back.m_EndLineEnd.m_nKind);
  EXPECT_EQ(3, back.m_VertexMarkers.GetCount());
  EXPECT_FALSE(Shown(back.GetVertexMarker(0)));
  ASSERT_NE(nullptr, back.m_pLabelMarker);
  EXPECT_FALSE(Shown(back.m_pLabelMarker));
  EXPECT_EQ(8, back.m_ResizeHandles.GetCount());
  EXPECT_EQ(b, StoreBytes(back));

  // An unknown kind leaves the end as it was; a missing one fails.
  Bytes odd = b;
  PutInt32(odd, odd.size() - 4, 12);
  jvqPolylineObject kept(&view);
  kept.m_EndLineEnd = *GetLineEnd(2);
  ASSERT_TRUE(LoadBytes(kept, odd, 4));
  EXPECT_EQ(2, kept.m_EndLineEnd.m_nKind);
  Bytes cut(b.begin(), b.end() - 4);
  jvqPolylineObject bad(&view);
  EXPECT_FALSE(LoadBytes(bad, cut, 4));
}

}  // namespace
