// Every class writes its record, reads it back into a fresh object and writes the same
// bytes; every shortened record and an oversized point count are refused.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "RecordBytes.h"
#include "jvqEllipticObject.h"
#include "jvqFrameObject.h"
#include "jvqGradientFill.h"
#include "jvqPolylineObject.h"
#include "jvqRoundRectObject.h"
#include "jvqSolidFill.h"
#include "jvqViewMapping.h"

namespace {

struct Kind {
  const char* name;
  int code;
  std::function<jvqObject*(jvqViewMapping*)> make;   // a filled-in object
  std::function<jvqObject*(jvqViewMapping*)> blank;  // what the factory would make
};

std::vector<Kind> Kinds() {
  static const RECT rc = {10, 20, 310, 220};
  return {
      {"rect", JVQ_OBJ_RECT,
       [](jvqViewMapping* v) {
         auto* o = new jvqRectObject(&rc, v, 0x311);
         o->SetFill(new jvqSolidFill(0x123456));
         o->SetRotation(30);
         return o;
       },
       [](jvqViewMapping* v) { auto* o = new jvqRectObject; o->m_pView = v; return o; }},
      {"roundrect", JVQ_OBJ_ROUNDRECT,
       [](jvqViewMapping* v) { auto* o = new jvqRoundRectObject(&rc, v, 0x311); o->SetCornerRadius(40); return o; },
       [](jvqViewMapping* v) { auto* o = new jvqRoundRectObject; o->m_pView = v; return o; }},
      {"frame", JVQ_OBJ_FRAME, [](jvqViewMapping* v) { return new jvqFrameObject(&rc, v, 0x311); },
       [](jvqViewMapping* v) { auto* o = new jvqFrameObject; o->m_pView = v; return o; }},
      {"ellipse", JVQ_OBJ_ELLIPSE,
       [](jvqViewMapping* v) {
         auto* o = new jvqEllipseObject(&rc, v, 0x311);
         auto* g = new jvqGradientFill;
         g->SetKind(3);
         o->SetFill(g);
         return o;
       },
       [](jvqViewMapping* v) { auto* o = new jvqEllipseObject; o->m_pView = v; return o; }},
      {"chord", JVQ_OBJ_CHORD,
       [](jvqViewMapping* v) { auto* o = new jvqChordObject; o->Create(&rc, v, 0x311, 45, 300); return o; },
       [](jvqViewMapping* v) { auto* o = new jvqChordObject; o->m_pView = v; return o; }},
      {"pie", JVQ_OBJ_PIE,
       [](jvqViewMapping* v) { auto* o = new jvqPieObject; o->Create(&rc, v, 0x311, 200, 10); return o; },
       [](jvqViewMapping* v) { auto* o = new jvqPieObject; o->m_pView = v; return o; }},
      {"arc", JVQ_OBJ_ARC,
       [](jvqViewMapping* v) {
         auto* o = new jvqArcObject(&rc, v, 0x151, 0, 120);
         o->m_EndLineEnd = *GetLineEnd(4);
         return o;
       },
       [](jvqViewMapping* v) { auto* o = new jvqArcObject; o->m_pView = v; return o; }},
      {"polyline", JVQ_OBJ_POLYLINE,
       [](jvqViewMapping* v) {
         auto* o = new jvqPolylineObject(v);
         const POINT pts[3] = {{0, 0}, {50, 80}, {120, 10}};
         o->SetPoints(pts, 3, v, 0x351);
         o->m_StartLineEnd = *GetLineEnd(9);
         return o;
       },
       [](jvqViewMapping* v) { return new jvqPolylineObject(v); }},
  };
}

TEST(RecordTable, EveryClassRoundTrips) {
  jvqViewMapping view;
  for (const Kind& k : Kinds()) {
    std::unique_ptr<jvqObject> o(k.make(&view));
    Bytes b = StoreBytes(*o);
    ASSERT_GE(b.size(), 44u) << k.name;
    EXPECT_EQ(k.code, Int32At(b, 0)) << k.name;
    std::unique_ptr<jvqObject> back(k.blank(&view));
    ASSERT_TRUE(LoadBytes(*back, b, 4)) << k.name;
    back->Recalc();
    EXPECT_EQ(b, StoreBytes(*back)) << k.name;
  }
}

TEST(RecordTable, ShortAndOversizedRecordsAreRefused) {
  jvqViewMapping view;
  for (const Kind& k : Kinds()) {
    std::unique_ptr<jvqObject> o(k.make(&view));
    Bytes b = StoreBytes(*o);
    for (size_t len = 4; len < b.size(); len++) {
      Bytes cut(b.begin(), b.begin() + len);
      std::unique_ptr<jvqObject> back(k.blank(&view));
      EXPECT_FALSE(LoadBytes(*back, cut, 4)) << k.name << " " << len;
    }
    for (int32_t count : {-4, 1000000, 0x7FFFFFFF}) {
      Bytes big = b;
      PutInt32(big, 8, count);
      std::unique_ptr<jvqObject> back(k.blank(&view));
      EXPECT_FALSE(LoadBytes(*back, big, 4)) << k.name << " " << count;
      EXPECT_EQ(0, back->GetPointCount()) << k.name;
    }
  }
}

}  // namespace
