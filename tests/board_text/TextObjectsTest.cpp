// Text, leader text, title and balloon: records, their faults, the factory and prototypes,
// and the geometry that needs no device.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "afx.h"
#include "jvqBalloonObject.h"
#include "jvqBannerObject.h"
#include "jvqEllipticObject.h"
#include "jvqFileHeader.h"
#include "jvqGeometry.h"
#include "jvqHandleObject.h"
#include "jvqLineTextObject.h"
#include "jvqObjectDefaults.h"
#include "jvqRoundRectObject.h"
#include "jvqTextObject.h"
#include "TextFixtures.h"

namespace {

TEST(TextAttributes, AnglesPassedToGlyphset) {
  const struct { double degrees; int text; int title; } cases[] = {
      {30, 3900, 300}, {-30, 3300, 3300}, {0, 3600, 0}, {400, 4000, 400}, {359.9, 7199, 3590}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.text, jvqTextAngle(c.degrees)) << c.degrees;
    jvqBannerStyle s;
    s.SetAngle(c.degrees);
    EXPECT_EQ(c.title, s.m_Block.angle) << c.degrees;
  }
}

TEST(TextAttributes, FaceSubstitutionAndDirection) {
  const struct { const char* face; const char* drawn; } cases[] = {
      {"System", "ＭＳ ゴシック"}, {"FixedSys", "ＭＳ ゴシック"}, {"system", "system"}, {"ＭＳ 明朝", "ＭＳ 明朝"}};
  for (const auto& c : cases) {
    jvqTextAttributes a = MakeAttributes("abc", c.face);
    a.direction = 45;
    jvqTextFill f(&a);
    EXPECT_STREQ(c.drawn, f.m_Attributes.face) << c.face;
    EXPECT_STREQ(c.face, f.m_strFace) << c.face;
    EXPECT_EQ(0, f.m_Attributes.direction);
    // Saved under its own name, not the substitute.
    const Bytes b = StoreBytes(f);
    EXPECT_EQ(std::string(c.face), std::string((const char*)b.data() + 76, Int32At(b, 72))) << c.face;
    jvqTextFill copy(f);
    EXPECT_STREQ(c.drawn, copy.m_Attributes.face);
  }
  jvqTextAttributes v = MakeAttributes("x", "y");
  v.direction = JVQ_TEXT_VERTICAL;
  EXPECT_EQ(JVQ_TEXT_VERTICAL, jvqTextFill(&v).m_Attributes.direction);
}

TEST(TextFillRecord, LayoutColourByVersionAndZeroPointers) {
  jvqTextAttributes a = MakeAttributes("一行目\r\n二行目", "ＭＳ Ｐゴシック");
  a.rect = {1, 2, 3, 4};
  jvqTextFill f(&a);
  f.m_crText = 0x123456;
  const Bytes cur = StoreBytes(f, 91100);
  ASSERT_EQ(72u + 4 + f.m_strFace.GetLength() + 4 + f.m_strText.GetLength() + 4, cur.size());
  EXPECT_EQ(0x110000, Int32At(cur, 0));
  for (size_t at : {4u, 8u, 52u, 56u, 60u, 64u, 68u}) EXPECT_EQ(0, Int32At(cur, at)) << at;  // DC, pointers, rectangle
  EXPECT_EQ(100, Int32At(cur, 4 + 12));
  EXPECT_EQ(0x123456, Int32At(cur, cur.size() - 4));

  jvqTextFill back;
  ASSERT_TRUE(LoadBytes(back, cur, 4, 91100));
  EXPECT_EQ(0x123456u, back.m_crText);
  EXPECT_STREQ("一行目\r\n二行目", back.m_Attributes.text);

  // The first version has no colour: written without it, read as black, nothing left over.
  const Bytes first = StoreBytes(f, 91000);
  EXPECT_EQ(cur.size() - 4, first.size());
  jvqTextFill old;
  old.m_crText = 0xFF;
  ASSERT_TRUE(LoadBytes(old, first, 4, 91000));
  EXPECT_EQ(0u, old.m_crText);
  EXPECT_STREQ("二行目", std::strstr(old.m_Attributes.text, "二"));
}

TEST(TextFillRecord, LengthsOutOfTheFileAreRefusedAndChangeNothing) {
  jvqTextAttributes a = MakeAttributes("text", "face");
  jvqTextFill f(&a);
  const Bytes good = StoreBytes(f);
  for (size_t at : {(size_t)72, (size_t)80}) {  // face length, text length
    for (int32_t n : {-1, -100, 0x7FFFFFFF, 1000}) {
      Bytes bad = good;
      PutInt32(bad, at, n);
      jvqTextAttributes keep = MakeAttributes("kept", "kept face");
      jvqTextFill back(&keep);
      EXPECT_FALSE(LoadBytes(back, bad, 4)) << at << " " << n;
      EXPECT_STREQ("kept", back.m_strText);
      EXPECT_STREQ("kept face", back.m_strFace);
    }
  }
}

TEST(TextObjectRecord, RoundTripAndNoPainter) {
  RECT r = {100, 200, 900, 500};
  jvqTextAttributes a = MakeAttributes("本文", "ＭＳ 明朝");
  jvqTextObject t(&r, NULL, &a, 0x311);
  t.m_pTextFill->m_crText = 0xFF0000;
  t.SetRotation(30);
  const Bytes b = StoreBytes(t);
  std::unique_ptr<jvqObject> back(jvqObjectDefaults::CreateObject(JVQ_OBJ_TEXT));
  ASSERT_TRUE(LoadBytes(*back, b, 4));
  jvqTextObject* tb = (jvqTextObject*)back.get();
  ASSERT_NE(nullptr, tb->GetTextFill());
  EXPECT_EQ(0xFF0000u, tb->GetTextFill()->m_crText);
  EXPECT_EQ(8, tb->m_ResizeHandles.GetCount());
  EXPECT_EQ(b, StoreBytes(*tb));
  EXPECT_TRUE(tb->m_bFreeResize);

  // A text without a painter writes a 0 flag and reads back without one.
  jvqTextObject bare(&r, NULL, NULL, 0x311);
  const Bytes nb = StoreBytes(bare);
  EXPECT_EQ(0, Int32At(nb, nb.size() - 4));
  jvqTextObject nback(&r, NULL, &a, 0x311);
  ASSERT_TRUE(LoadBytes(nback, nb, 4));
  EXPECT_EQ(nullptr, nback.GetTextFill());

  // A broken painter record fails the object.
  Bytes cut(b.begin(), b.end() - 10);
  jvqTextObject broken(&r, NULL, NULL, 0x311);
  EXPECT_FALSE(LoadBytes(broken, cut, 4));
}

TEST(TextObject, FlipTurnsOnlyTheDirection) {
  RECT r = {0, 0, 400, 200};
  jvqTextAttributes a = MakeAttributes("x", "y");
  const struct { double rotation; int axis; double after; } cases[] = {{0, 1, 360}, {30, 1, 330}, {30, 2, 150}, {10, 7, 7}};
  for (const auto& c : cases) {
    jvqTextObject t(&r, NULL, &a, 0x311);
    t.SetRotation((int)c.rotation);
    EXPECT_TRUE(t.Flip(c.axis));
    EXPECT_EQ(c.after, t.m_dRotation) << c.rotation << " " << c.axis;
    EXPECT_STREQ("x", t.GetTextFill()->m_strText);
  }
}

TEST(TextObject, SetTextFormatGivesAWhiteInsideAndCopiesTheText) {
  RECT r = {0, 0, 400, 200};
  jvqTextAttributes a = MakeAttributes("first", "f");
  jvqTextObject t(&r, NULL, &a, 0x311);
  t.SetFill(NULL);
  a.text = "second";
  EXPECT_TRUE(t.SetTextFormat(&a));
  ASSERT_NE(nullptr, t.GetFill());
  EXPECT_EQ((DWORD)(FILL_BASE | FILL_SOLID), t.GetFill()->GetFlags());
  EXPECT_EQ(0xFFFFFFu, ((jvqSolidFill*)t.GetFill())->GetColor());
  EXPECT_STREQ("second", t.m_strText);
  // The block pointing into the painter's own text is taken over safely.
  t.GetTextFill()->SetTextStyle(&t.GetTextFill()->m_Attributes);
  EXPECT_STREQ("second", t.GetTextFill()->m_Attributes.text);
}

TEST(BannerStyle, DefaultsModesAndLayoutRect) {
  jvqBannerStyle s;
  EXPECT_STREQ("タイトル", s.m_strText);
  EXPECT_STREQ("ＭＳ Ｐゴシック", s.m_strFace);
  EXPECT_EQ(0x00FFFFu, s.m_crText);
  EXPECT_EQ(12, s.m_Block.shape);
  EXPECT_EQ(0, s.m_Block.horizontal);
  EXPECT_EQ(0x0000FFu, s.GetPenColor());
  EXPECT_EQ(0, s.GetDrawMode());
  s.SetBrushStyle(BS_NULL);
  EXPECT_EQ(2, s.GetDrawMode());
  s.SetPenStyle(PS_NULL);
  EXPECT_EQ(3, s.GetDrawMode());
  s.SetBrushStyle(BS_SOLID);
  EXPECT_EQ(1, s.GetDrawMode());
  EXPECT_EQ(0x0000FFu, s.GetBrushColor());

  const RECT frame = {100, 100, 400, 200};
  const RECT v = jvqBannerFill::LayoutRect(frame, FALSE);
  EXPECT_EQ(100, v.right - v.left);
  EXPECT_EQ(300, v.bottom - v.top);
  EXPECT_EQ(250, (v.left + v.right) / 2);
  EXPECT_EQ(150, (v.top + v.bottom) / 2);
  const RECT h = jvqBannerFill::LayoutRect(frame, TRUE);
  EXPECT_TRUE(EqualRects(frame, h));
}

TEST(BannerStyleRecord, OptionalFieldsByVersion) {
  jvqBannerStyle s;
  s.m_crText = 0x00AA00;
  s.m_nOption = 7;
  s.m_Block.shape = 3;
  const struct { int version; size_t extra; bool colour; bool option; } cases[] = {
      {90900, 0, false, false}, {91000, 4, true, false}, {91100, 4, true, false}, {91510, 4, true, false},
      {91530, 8, true, true}};
  const Bytes base = StoreBytes(s, 90900);
  for (const auto& c : cases) {
    const Bytes b = StoreBytes(s, c.version);
    EXPECT_EQ(base.size() + c.extra, b.size()) << c.version;
    jvqBannerStyle back;
    back.m_crText = 0x111111;
    back.m_nOption = 42;
    ASSERT_TRUE(LoadBytes(back, b, 0, c.version)) << c.version;
    EXPECT_EQ(c.colour ? 0x00AA00u : 0x111111u, back.m_crText) << c.version;
    EXPECT_EQ(c.option ? 7 : 42, back.m_nOption) << c.version;  // a 91100 style keeps its option value
    EXPECT_EQ(3, back.m_Block.shape);
    EXPECT_STREQ("タイトル", back.m_strText);
  }
}

TEST(BannerStyleRecord, EmptyTextStillHasItsZeroAndBadLengthsAreRefused) {
  jvqBannerStyle s;
  s.m_strText = "";
  s.m_strFace = "";
  s.m_nOption = 9;
  const Bytes b = StoreBytes(s, 91530);
  EXPECT_EQ(56u + 16 + 12 + 4 + 1 + 4 + 1 + 4 + 4, b.size());
  jvqBannerStyle back;
  ASSERT_TRUE(LoadBytes(back, b, 0, 91530));
  EXPECT_EQ(9, back.m_nOption);  // in step after the empty strings
  EXPECT_EQ(0u, back.m_strText.GetLength());

  jvqBannerStyle plain;
  const Bytes good = StoreBytes(plain, 91530);
  const size_t textLen = 84, faceLen = 88 + Int32At(good, 84) + 1;
  for (size_t at : {textLen, faceLen})
    for (int32_t n : {-1, 0x7FFFFFF0, 500}) {
      Bytes bad = good;
      PutInt32(bad, at, n);
      jvqBannerStyle kept;
      kept.m_strText = "kept";
      EXPECT_FALSE(LoadBytes(kept, bad, 0, 91530)) << at << " " << n;
      EXPECT_STREQ("kept", kept.m_strText);
    }
}

TEST(BannerObject, RecordCloneAndFactory) {
  RECT r = {0, 0, 600, 200};
  jvqBannerStyle s;
  s.m_strText = "見出し";
  s.m_Block.horizontal = 1;
  jvqBannerObject o(&r, NULL, &s, 0x311);
  EXPECT_EQ(JVQ_OBJ_BANNER, o.GetClassCode());
  EXPECT_TRUE(o.m_LineStyle.DrawsNothing());
  ASSERT_NE(nullptr, o.GetBannerStyle());
  EXPECT_STREQ("見出し", o.GetBannerStyle()->m_strText);
  const Bytes b = StoreBytes(o);
  std::unique_ptr<jvqObject> back(jvqObjectDefaults::CreateObject(JVQ_OBJ_BANNER));
  ASSERT_TRUE(LoadBytes(*back, b, 4));
  EXPECT_EQ(b, StoreBytes(*back));
  std::unique_ptr<jvqObject> copy(back->Clone());
  EXPECT_EQ(b, StoreBytes(*copy));
  EXPECT_TRUE(((jvqBannerObject*)copy.get())->m_bFreeResize);
}

// ---- leader text ----

TEST(LineText, FrameGoesAwayFromTheLeader) {
  const struct { POINT pts[2]; int side; bool left; } cases[] = {
      {{{0, 0}, {500, 300}}, 5, false},
      {{{500, 0}, {100, 300}}, 1, true},
  };
  for (const auto& c : cases) {
    jvqLineTextObject o;
    ASSERT_TRUE(o.SetPoints(c.pts, 2, NULL, 0x311));
    ASSERT_EQ(2, o.GetChildCount());
    RECT f;
    o.m_pFrame->GetBoundRect(&f);
    const POINT e = c.pts[1];
    if (c.left)
      EXPECT_EQ(e.x, f.right);
    else
      EXPECT_EQ(e.x, f.left);
    EXPECT_EQ(e.y, (f.top + f.bottom) / 2);
    EXPECT_EQ(800, f.right - f.left);
    RECT r = {0, 0, 800, 100};
    EXPECT_EQ(c.side, o.PlaceTextFrame(&r));
    // Only the top, bottom and free-side handles are shown.
    for (int i = 0; i < 8; i++)
      EXPECT_EQ(i == 3 || i == 7 || i == c.side, (o.GetHandle(i)->GetState() & JVQ_STATE_VISIBLE) != 0) << i;
    EXPECT_EQ(nullptr, o.m_pFrame->GetFill());
    EXPECT_STREQ("文字を入力してください", o.m_pFrame->GetTextFill()->m_strText);
    EXPECT_STREQ("ＭＳ Ｐゴシック", o.m_pFrame->GetTextFill()->m_strFace);
  }
}

TEST(LineText, SetPointsWithoutPointsMakesNoChildren) {
  jvqLineTextObject o;
  EXPECT_FALSE(o.SetPoints(NULL, 0, NULL, 0x311));
  EXPECT_EQ(0, o.GetChildCount());
  POINT p = {1, 1};
  EXPECT_FALSE(o.SetPoints(&p, 0, NULL, 0x311));
  EXPECT_EQ(0, o.GetChildCount());
}

TEST(LineText, BottomDragMovesTheLeaderEndByHalf) {
  const POINT pts[2] = {{0, 0}, {500, 300}};
  for (int steps : {1, 5, 40}) {
    jvqLineTextObject o;
    ASSERT_TRUE(o.SetPoints(pts, 2, NULL, 0x311));
    jvqObject* h = o.GetHandle(3);
    POINT start;
    h->GetCenter(&start);
    o.BeginTrack(3, h);
    POINT prev = start;
    for (int i = 1; i <= steps; i++) {
      POINT cur = {start.x, start.y + 40 * i / steps};
      o.Track(&prev, &cur, 0, h, NULL);
      prev = cur;
    }
    o.EndTrack(3, h);
    POINT e;
    o.m_pLeader->GetPoint(&e, 1);
    EXPECT_EQ(320, e.y) << steps;
    EXPECT_EQ(500, e.x);
    RECT f;
    o.m_pFrame->GetBoundRect(&f);
    EXPECT_EQ(140, f.bottom - f.top) << steps;
  }
}

TEST(LineText, RecordRoundTripAndRefusals) {
  const POINT pts[3] = {{0, 0}, {200, 100}, {400, 100}};
  jvqLineTextObject o;
  ASSERT_TRUE(o.SetPoints(pts, 3, NULL, 0x311));
  const Bytes b = StoreBytes(o);
  std::unique_ptr<jvqObject> back(jvqObjectDefaults::CreateObject(JVQ_OBJ_LINETEXT));
  ASSERT_TRUE(LoadBytes(*back, b, 4));
  jvqLineTextObject* lb = (jvqLineTextObject*)back.get();
  EXPECT_EQ(3, lb->m_VertexMarkers.GetCount());
  EXPECT_EQ(b, StoreBytes(*lb));
  std::unique_ptr<jvqObject> copy(lb->Clone());
  EXPECT_EQ(b, StoreBytes(*copy));

  // Children: count 1, or a text where the leader should be.
  jvqGroupObject one;
  RECT r = {0, 0, 100, 100};
  one.SetRect(&r, NULL, 0x311);
  one.m_nClassCode = JVQ_OBJ_LINETEXT;
  one.AddChild(new jvqPolylineObject(NULL));
  ((jvqPolylineObject*)one.GetChild(0))->SetPoints(pts, 2, NULL, 0x311);
  jvqLineTextObject fromOne;
  EXPECT_FALSE(LoadBytes(fromOne, StoreBytes(one), 4));
  EXPECT_EQ(nullptr, fromOne.m_pFrame);

  jvqGroupObject swapped;
  swapped.SetRect(&r, NULL, 0x311);
  swapped.m_nClassCode = JVQ_OBJ_LINETEXT;
  jvqTextAttributes a = MakeAttributes("t", "f");
  swapped.AddChild(new jvqTextObject(&r, NULL, &a, 0x311));
  swapped.AddChild(new jvqTextObject(&r, NULL, &a, 0x311));
  jvqLineTextObject fromSwapped;
  EXPECT_FALSE(LoadBytes(fromSwapped, StoreBytes(swapped), 4));
  EXPECT_EQ(nullptr, fromSwapped.m_pLeader);
}

// ---- balloon ----

jvqObject* MakeBody(int code, const RECT& r) {
  switch (code) {
    case JVQ_OBJ_ELLIPSE: return new jvqEllipseObject(&r, NULL, 0x311);
    case JVQ_OBJ_ROUNDRECT: {
      jvqRoundRectObject* o = new jvqRoundRectObject(&r, NULL, 0x311);
      o->SetCornerRadius(40);
      return o;
    }
    default: return new jvqRectObject(&r, NULL, 0x311);
  }
}

std::unique_ptr<jvqBalloonObject> MakeBalloon(int code, const RECT& r) {
  std::unique_ptr<jvqBalloonObject> b(new jvqBalloonObject(NULL));
  EXPECT_TRUE(b->SetBody(MakeBody(code, r), NULL, 0x311));
  return b;
}

TEST(Balloon, TextFrameInsideEachBody) {
  const RECT r = {100, 100, 400, 250};  // 300 x 150
  const struct { int code; int inset; } cases[] = {{JVQ_OBJ_RECT, 0}, {JVQ_OBJ_ROUNDRECT, 10}};
  for (const auto& c : cases) {
    auto b = MakeBalloon(c.code, r);
    RECT o, t;
    b->m_pBody->GetOutline()->GetBoundRect(&o);
    b->GetText()->GetBoundRect(&t);
    const RECT want = {o.left + c.inset, o.top + c.inset, o.right - c.inset, o.bottom - c.inset};
    EXPECT_TRUE(EqualRects(want, t)) << std::hex << c.code << std::dec << " " << t.left << "," << t.top << ","
                                       << t.right << "," << t.bottom;
    EXPECT_TRUE(b->GetText()->m_LineStyle.DrawsNothing());
    EXPECT_EQ(nullptr, b->GetText()->GetFill());
  }
  // The ellipse's text: two thirds of its width and height, about its centre.
  jvqBalloonObject e(NULL);
  jvqEllipseObject* body = new jvqEllipseObject(&r, NULL, 0x311);
  RECT o;
  body->GetOutline()->GetBoundRect(&o);
  const int w = o.right - o.left, h = o.bottom - o.top, cx = o.left + w / 2, cy = o.top + h / 2;
  ASSERT_TRUE(e.SetBody(body, NULL, 0x311));
  RECT t;
  e.GetText()->GetBoundRect(&t);
  EXPECT_TRUE(EqualRects(RECT{cx - w / 3, cy - h / 3, cx + w / 3, cy + h / 3}, t));
  EXPECT_NEAR(200, t.right - t.left, 2);
  EXPECT_NEAR(100, t.bottom - t.top, 2);
}

TEST(Balloon, NewTipAndBasePoints) {
  const RECT r = {100, 100, 400, 250};
  auto b = MakeBalloon(JVQ_OBJ_ELLIPSE, r);
  POINT t;
  b->m_pT->GetCenter(&t);
  POINT c, bottom;
  RECT o;
  b->m_pBody->GetCenter(&c);
  b->m_pBody->GetBottomPoint(&bottom);
  b->m_pBody->GetOutline()->GetBoundRect(&o);
  EXPECT_EQ(bottom.y + (o.bottom - o.top) / 3, t.y);  // a third of the height below
  EXPECT_EQ(c.x + (o.right - o.left) / 3, t.x);
  ASSERT_EQ(3, b->m_VertexMarkers.GetCount());
  EXPECT_EQ(b->m_pT, b->m_VertexMarkers.GetAt(0));
  EXPECT_EQ(b->m_pA, b->m_VertexMarkers.GetAt(1));
  EXPECT_EQ(b->m_pB, b->m_VertexMarkers.GetAt(2));
  EXPECT_TRUE(OnOutline(*b->m_pBody->GetOutline(), Center(b->m_pA)));
  EXPECT_TRUE(OnOutline(*b->m_pBody->GetOutline(), Center(b->m_pB)));
}

TEST(Balloon, DraggingABaseKeepsItOnTheOutline) {
  auto b = MakeBalloon(JVQ_OBJ_ELLIPSE, {100, 100, 400, 250});
  POINT c;
  b->m_pBody->GetCenter(&c);
  b->BeginTrack(9, b->m_pA);
  POINT prev = Center(b->m_pA);
  for (POINT to : {POINT{600, 300}, POINT{0, 0}, POINT{250, 500}, POINT{900, 175}}) {
    b->Track(&prev, &to, 0, b->m_pA, NULL);
    prev = to;
    const POINT a = Center(b->m_pA);
    EXPECT_TRUE(OnOutline(*b->m_pBody->GetOutline(), a)) << to.x << "," << to.y;
    // In the direction of the pointer from the centre.
    EXPECT_NEAR(GetLineAngle(&c, &to), GetLineAngle(&c, &a), 2) << to.x << "," << to.y;
  }
  b->EndTrack(9, b->m_pA);
  EXPECT_TRUE(OnOutline(*b->m_pBody->GetOutline(), Center(b->m_pA)));
}

TEST(Balloon, HandleDragResizesTheBodyNotTheTip) {
  auto b = MakeBalloon(JVQ_OBJ_RECT, {100, 100, 400, 250});
  const POINT tip = Center(b->m_pT);
  jvqObject* h = b->GetHandle(4);  // bottom-right corner
  POINT start = Center(h);
  b->BeginTrack(4, h);
  POINT cur = {start.x + 60, start.y + 30};
  b->Track(&start, &cur, 0, h, NULL);
  b->EndTrack(4, h);
  RECT body;
  b->m_pBody->GetOutline()->GetBoundRect(&body);
  EXPECT_EQ(460, body.right);
  EXPECT_EQ(280, body.bottom);
  EXPECT_EQ(tip.x, Center(b->m_pT).x);
  EXPECT_EQ(tip.y, Center(b->m_pT).y);
  EXPECT_TRUE(EqualPoints(tip, *b->m_GeometryData.GetAt(b->m_nTipIndex)));
  EXPECT_TRUE(EqualPoints(Center(b->GetHandle(4)), cur));
}

TEST(Balloon, ToolsShowAndLockMarkers) {
  auto b = MakeBalloon(JVQ_OBJ_RECT, {100, 100, 400, 250});
  b->OnToolChanged(TOOLID_ROTATE);
  for (jvqObjectArray* list : {&b->m_ResizeHandles, &b->m_VertexMarkers})
    for (jvqObject* p : list->m_items) EXPECT_TRUE(p->GetState() & JVQ_STATE_TOOLMODE);
  b->OnToolChanged(TOOLID_VERTEX_EDIT);
  EXPECT_TRUE(b->m_pT->GetState() & JVQ_STATE_VISIBLE);
  EXPECT_FALSE(b->GetHandle(0)->GetState() & JVQ_STATE_VISIBLE);
  EXPECT_FALSE(b->GetHandle(0)->GetState() & JVQ_STATE_TOOLMODE);
  b->OnToolChanged(0);
  EXPECT_FALSE(b->m_pT->GetState() & JVQ_STATE_VISIBLE);
  EXPECT_TRUE(b->GetHandle(0)->GetState() & JVQ_STATE_VISIBLE);
}

TEST(Balloon, FlipMirrorsTheTailOnlyAndOffsetMovesAll) {
  auto b = MakeBalloon(JVQ_OBJ_ELLIPSE, {100, 100, 400, 250});
  const POINT tip = Center(b->m_pT);
  RECT before;
  b->m_pBody->GetOutline()->GetBoundRect(&before);
  EXPECT_TRUE(b->Flip(1));
  EXPECT_EQ(2 * 250 - tip.x, Center(b->m_pT).x);
  RECT after;
  b->m_pBody->GetOutline()->GetBoundRect(&after);
  EXPECT_TRUE(EqualRects(before, after));
  ExpectTailInvariants(*b);
  const SIZE d = {50, -20};
  const POINT t2 = Center(b->m_pT);
  b->Offset(&d);
  EXPECT_EQ(t2.x + 50, Center(b->m_pT).x);
  b->m_pBody->GetOutline()->GetBoundRect(&after);
  EXPECT_EQ(before.left + 50, after.left);
  ExpectTailInvariants(*b);
}

// The outline never crosses itself and holds A', T, B' at their indices, for tips all
// around and inside each body and base points anywhere on it.
TEST(Balloon, TailInvariantsOverManyPositions) {
  const RECT r = {1000, 1000, 1600, 1300};
  int checked = 0;
  for (int code : {JVQ_OBJ_RECT, JVQ_OBJ_ROUNDRECT, JVQ_OBJ_ELLIPSE}) {
    auto b = MakeBalloon(code, r);
    for (int tipAngle = 0; tipAngle < 360; tipAngle += 30)
      for (int radius : {100, 400, 1200})
        for (int aAngle = 0; aAngle < 360; aAngle += 45)
          for (int spread : {5, 40, 170}) {
            POINT c = {1300, 1150}, tip, pa, pb;
            GetPointAtAngle(&tip, c.x, c.y, tipAngle, radius);
            const jvqPointList& o = *b->m_pBody->GetOutline();
            pa = *o.GetAt(aAngle * o.GetCount() / 360);
            pb = *o.GetAt(((aAngle + spread) % 360) * o.GetCount() / 360);
            b->m_pT->MoveTo(&tip, 1);
            b->m_pA->MoveTo(&pa, 1);
            b->m_pB->MoveTo(&pb, 1);
            b->Recalc();
            SCOPED_TRACE(testing::Message() << std::hex << code << std::dec << " tip " << tipAngle << "/" << radius
                                            << " a " << aAngle << " spread " << spread);
            ExpectTailInvariants(*b);
            checked++;
            if (HasFatalFailure() || ::testing::Test::HasFailure()) return;
          }
  }
  EXPECT_EQ(3 * 12 * 3 * 8 * 3, checked);
}

TEST(BalloonRecord, RoundTripAndRefusals) {
  auto b = MakeBalloon(JVQ_OBJ_ROUNDRECT, {100, 100, 400, 250});
  const Bytes good = StoreBytes(*b);
  std::unique_ptr<jvqObject> back(jvqObjectDefaults::CreateObject(JVQ_OBJ_BALLOON));
  ASSERT_TRUE(LoadBytes(*back, good, 4));
  jvqBalloonObject* bb = (jvqBalloonObject*)back.get();
  EXPECT_EQ(JVQ_OBJ_ROUNDRECT, bb->m_pBody->GetClassCode());
  EXPECT_EQ(8, bb->m_ResizeHandles.GetCount());
  EXPECT_EQ(good, StoreBytes(*bb));
  std::unique_ptr<jvqObject> copy(bb->Clone());
  EXPECT_EQ(good, StoreBytes(*copy));

  const size_t bodySize = StoreBytes(*b->m_pBody).size(), textSize = StoreBytes(*b->GetText()).size();
  const size_t bodyAt = good.size() - 28 - textSize - bodySize;
  ASSERT_EQ(JVQ_OBJ_ROUNDRECT, Int32At(good, bodyAt));
  const size_t textAt = bodyAt + bodySize;
  ASSERT_EQ(JVQ_OBJ_TEXT, Int32At(good, textAt));
  const size_t tailAt = good.size() - 4 - 3 * 8;
  ASSERT_EQ(3, Int32At(good, tailAt));

  struct Bad { const char* what; size_t at; int32_t value; } bad[] = {
      {"polyline body", bodyAt, JVQ_OBJ_POLYLINE},  {"unknown body", bodyAt, 0x10},
      {"rect as text", textAt, JVQ_OBJ_RECT},       {"two tail points", tailAt, 2},
      {"four tail points", tailAt, 4},              {"no tail points", tailAt, 0}};
  for (const Bad& k : bad) {
    Bytes x = good;
    PutInt32(x, k.at, k.value);
    if (k.value == 4) x.insert(x.end(), 8, 0);
    std::unique_ptr<jvqObject> o(jvqObjectDefaults::CreateObject(JVQ_OBJ_BALLOON));
    EXPECT_FALSE(LoadBytes(*o, x, 4)) << k.what;
  }
}

// ---- factory and prototypes ----

TEST(TextDefaults, PrototypesFactoryAndMissingTextPrototype) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  d->RemoveAll();
  d->CreatePrototypes();
  ASSERT_GE(d->GetCount(), 14);
  const int codes[4] = {JVQ_OBJ_TEXT, JVQ_OBJ_LINETEXT, JVQ_OBJ_BALLOON, JVQ_OBJ_BANNER};
  for (int i = 0; i < 4; i++) EXPECT_EQ(codes[i], d->GetAt(d->GetCount() - 4 + i)->GetClassCode()) << i;

  jvqTextObject* text = (jvqTextObject*)d->FindPrototype(JVQ_OBJ_TEXT);
  RECT r;
  text->GetBoundRect(&r);
  EXPECT_EQ(4200, r.right);
  EXPECT_EQ(2970, r.bottom);
  EXPECT_EQ(0x311u, text->GetState());
  const Bytes tb = StoreBytes(*text->GetTextFill());
  const int32_t words[17] = {0, 0, 100, 100, 1, 5, 1, 1, 1, 0, 0, 1, 0, 0, 0, 0, 0};
  for (int i = 0; i < 17; i++) EXPECT_EQ(words[i], Int32At(tb, 4 + 4 * i)) << i;
  EXPECT_STREQ("文字を入力してください", text->GetTextFill()->m_strText);
  EXPECT_STREQ("ＭＳ Ｐゴシック", text->GetTextFill()->m_strFace);

  // Leader text defaults: the prototype's line ends and a copy of its frame.
  jvqLineTextObject* proto = (jvqLineTextObject*)d->FindPrototype(JVQ_OBJ_LINETEXT);
  proto->m_pLeader->m_EndLineEnd = jvqLineEnd(&theLineEndDescriptors[2]);
  proto->m_pFrame->GetTextFill()->SetText("既定");
  const POINT pts[2] = {{0, 0}, {300, 200}};
  jvqLineTextObject o;
  ASSERT_TRUE(o.SetPoints(pts, 2, NULL, 0x311));
  EXPECT_EQ(1, d->ApplyDefaults(&o));
  EXPECT_STREQ("既定", o.m_pFrame->GetTextFill()->m_strText);
  EXPECT_EQ(o.m_pFrame, o.GetChild(1));
  EXPECT_EQ(&o, o.m_pFrame->m_pParent);
  EXPECT_EQ(StoreBytes(proto->m_pLeader->m_EndLineEnd), StoreBytes(o.m_pLeader->m_EndLineEnd));

  // A balloon made when the objects file had no text prototype gets the built-in text.
  d->RemoveAll();
  jvqBalloonObject lonely(NULL);
  ASSERT_NE(nullptr, lonely.GetText());
  EXPECT_STREQ("文字を入力してください", lonely.GetText()->GetTextFill()->m_strText);
  std::unique_ptr<jvqObject> fromFactory(jvqObjectDefaults::CreateObject(JVQ_OBJ_BALLOON));
  ASSERT_NE(nullptr, fromFactory);
  EXPECT_NE(nullptr, ((jvqBalloonObject*)fromFactory.get())->GetText());
  d->FillMissingPrototypes();
  EXPECT_NE(nullptr, d->FindPrototype(JVQ_OBJ_TEXT));
  EXPECT_NE(nullptr, d->FindPrototype(JVQ_OBJ_BANNER));
}

}  // namespace
