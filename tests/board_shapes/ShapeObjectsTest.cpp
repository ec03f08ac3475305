// Symbols and floor plans: scale, flip, the factory rows, floor-plan files, the scale shown
// after a resize, and both record forms at every document version.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <typeinfo>

#include "ShapeFixture.h"
#include "afxarch.h"
#include "jvqBoard.h"
#include "jvqBoardStream.h"
#include "jvqFileHeader.h"
#include "jvqImagePool.h"
#include "jvqMadorizuObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqSolidFill.h"
#include "jvqSymbolObject.h"
#include "jvqVectorFill.h"
#include "jvqViewMapping.h"

namespace {

RECT Bounds(jvqObject& o) {
  RECT r;
  o.GetBoundRect(&r);
  return r;
}

jvqSymbolObject* MakeSymbol(const RECT& rc, int modelW, int modelH) {
  jvqSymbolObject* s = new jvqSymbolObject(&rc, NULL, 0x311);
  jvqVectorFill* f = new jvqVectorFill;
  f->SetShape(MakeShape(modelW, modelH));
  s->SetFill(f);
  return s;
}

TEST(SymbolObject, SetScaleSizesFromTheModelAboutTheCentre) {
  struct Case { int mw, mh; double scale; RECT want; } cases[] = {
      {1000, 500, 0.02, {400, 450, 600, 550}},   // 20 x 10 mm about the centre (500, 500)
      {1000, 500, 0.01, {450, 475, 550, 525}},
      {0, 500, 0.02, {0, 0, 1000, 1000}},        // no model size: the size stays
      {1000, 0, 0.02, {0, 0, 1000, 1000}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<jvqSymbolObject> s(MakeSymbol({0, 0, 1000, 1000}, c.mw, c.mh));
    s->SetScale(c.scale);
    const RECT r = Bounds(*s);
    EXPECT_EQ(c.want.left, r.left) << c.mw << "x" << c.mh;
    EXPECT_EQ(c.want.top, r.top);
    EXPECT_EQ(c.want.right, r.right);
    EXPECT_EQ(c.want.bottom, r.bottom);
    EXPECT_EQ(c.scale, s->m_dDrawingScale);
  }
}

TEST(SymbolObject, FlipMirrorsThePictureWithTheAngleRule) {
  struct Case { int angle; int axis; int wantAngle; int wantMirror; } cases[] = {
      {0, 1, 0, 2}, {0, 2, 0, 1}, {30, 1, 150, 2}, {30, 2, 330, 1}, {0, 3, 0, 0}, {400, 1, -220, 2}};
  for (const Case& c : cases) {
    std::unique_ptr<jvqSymbolObject> s(MakeSymbol({0, 0, 400, 200}, 100, 50));
    s->SetRotation(c.angle);
    const RECT before = Bounds(*s);
    ASSERT_TRUE(s->Flip(c.axis));
    EXPECT_EQ(c.wantAngle, (int)s->m_dRotation) << c.angle << " axis " << c.axis;
    EXPECT_EQ(c.wantMirror, s->GetVectorShape()->m_nMirror) << c.angle << " axis " << c.axis;
    EXPECT_EQ(VECTOR_ANGLE_STALE, s->GetVectorShape()->m_nCachedAngle);
    EXPECT_EQ(before.right, Bounds(*s).right);
  }
  // Twice horizontally gives the first picture back, unturned.
  std::unique_ptr<jvqSymbolObject> s(MakeSymbol({0, 0, 400, 200}, 100, 50));
  s->Flip(1);
  s->Flip(1);
  EXPECT_EQ(0, s->GetVectorShape()->m_nMirror);
  EXPECT_EQ(0, (int)s->m_dRotation);
}

TEST(SymbolObject, AnotherFillOrNoShapeIsLeftAlone) {
  const RECT rc = {0, 0, 300, 300};
  jvqSymbolObject solid(&rc, NULL, 0x311);
  solid.SetFill(new jvqSolidFill(0xFF));
  jvqSymbolObject empty(&rc, NULL, 0x311);
  empty.SetFill(new jvqVectorFill);
  jvqSymbolObject none(&rc, NULL, 0x311);
  for (jvqSymbolObject* s : {&solid, &empty, &none}) {
    s->SetRotation(30);
    EXPECT_EQ(nullptr, s->GetVectorShape());
    s->SetScale(0.5);
    EXPECT_EQ(300, Bounds(*s).right);
    EXPECT_EQ(0.01, s->m_dDrawingScale);
    EXPECT_FALSE(s->Flip(1));
    EXPECT_EQ(30, (int)s->m_dRotation);
  }
}

TEST(ShapeFactory, SymbolAndFloorPlanRowsWithoutPrototypes) {
  std::unique_ptr<jvqObject> s(jvqObjectDefaults::CreateObject(0x200003));
  ASSERT_NE(nullptr, s);
  EXPECT_EQ(0x200003, s->GetClassCode());
  EXPECT_NE(nullptr, dynamic_cast<jvqSymbolObject*>(s.get()));
  std::unique_ptr<jvqObject> m(jvqObjectDefaults::CreateObject(0x400043));
  ASSERT_NE(nullptr, m);
  EXPECT_EQ(0x400043, m->GetClassCode());
  jvqMadorizuObject* plan = dynamic_cast<jvqMadorizuObject*>(m.get());
  ASSERT_NE(nullptr, plan);
  EXPECT_EQ(0, plan->GetChildCount());
  EXPECT_EQ(-1, plan->m_nPictureIndex);
  EXPECT_EQ(0.01, plan->m_dDrawingScale);
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  d->RemoveAll();
  d->CreatePrototypes();
  EXPECT_EQ(nullptr, d->FindPrototype(0x200003));
  EXPECT_EQ(nullptr, d->FindPrototype(0x400043));
  EXPECT_EQ(0, d->ApplyDefaults(s.get()));
  EXPECT_EQ(0, d->ApplyDefaults(m.get()));
  d->FillMissingPrototypes();
  EXPECT_EQ(nullptr, d->FindPrototype(0x400043));
}

class FloorPlan : public ::testing::Test {
 protected:
  std::string Plan(const std::string& name, const std::string& bytes) {
    const std::string path = "floor_plan_" + name + ".kxq";
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    m_Paths.push_back(path);
    return path;
  }
  void TearDown() override {
    for (const std::string& p : m_Paths) std::remove(p.c_str());
  }
  jvqImagePool m_Pool;
  jvqViewMapping m_View;
  std::vector<std::string> m_Paths;
};

TEST_F(FloorPlan, TheFileGivesThePlanSizeAndThePictureItsScale) {
  const std::string path = Plan("big", PlanFileBytes(10000, 8000, TinyEmf()));
  jvqMadorizuObject plan(path.c_str(), &m_View, &m_Pool, 0x311);
  ASSERT_EQ(1, plan.GetChildCount());
  EXPECT_EQ(0, plan.m_nPictureIndex);
  EXPECT_EQ(100000, plan.m_nPlanWidth);
  EXPECT_EQ(80000, plan.m_nPlanHeight);
  EXPECT_EQ(JVQ_OBJ_IMAGE, plan.GetChild(0)->GetClassCode());
  EXPECT_EQ(5, plan.GetChild(0)->m_LineStyle.m_nPenStyle);
  plan.SetScale(0.01);
  RECT r = Bounds(*plan.GetChild(0));
  EXPECT_EQ(1000, r.right - r.left);
  EXPECT_EQ(800, r.bottom - r.top);
  EXPECT_EQ(100, plan.GetScaleDenominator());
  plan.SetScale(0.02);
  EXPECT_EQ(2000, Bounds(plan).right);
  EXPECT_EQ(50, plan.GetScaleDenominator());
}

TEST_F(FloorPlan, FilesThatAreNoPlanAreRefused) {
  const std::string good = PlanFileBytes(5000, 4000, TinyEmf());
  std::vector<std::pair<std::string, std::string>> bad;
  for (int i = 0; i < 4; i++) {
    std::string b = good;
    b[i] ^= 0x01;
    bad.push_back({"signature byte " + std::to_string(i), b});
  }
  bad.push_back({"header only", good.substr(0, 24)});
  bad.push_back({"short header", good.substr(0, 20)});
  bad.push_back({"zero width", PlanFileBytes(0, 4000, TinyEmf())});
  bad.push_back({"negative height", PlanFileBytes(5000, -1, TinyEmf())});
  bad.push_back({"infinite width", PlanFileBytes(INFINITY, 4000, TinyEmf())});
  bad.push_back({"NaN height", PlanFileBytes(5000, NAN, TinyEmf())});
  bad.push_back({"metafile the picture cannot take", PlanFileBytes(5000, 4000, "not a metafile at all")});
  for (size_t i = 0; i < bad.size(); i++) {
    const std::string path = Plan(std::to_string(i), bad[i].second);
    jvqMadorizuObject plan(NULL, &m_View, &m_Pool, 0x311);
    EXPECT_FALSE(plan.Create(path.c_str(), &m_View, &m_Pool, 0x311)) << bad[i].first;
    EXPECT_EQ(0, plan.GetChildCount()) << bad[i].first;
    EXPECT_EQ(-1, plan.m_nPictureIndex) << bad[i].first;
  }
  jvqMadorizuObject plan(NULL, &m_View, &m_Pool, 0x311);
  EXPECT_FALSE(plan.Create("no_such_plan.kxq", &m_View, &m_Pool, 0x311));
  EXPECT_FALSE(plan.Create(Plan("ok", good).c_str(), &m_View, NULL, 0x311));
  EXPECT_TRUE(plan.Create(Plan("ok2", good).c_str(), &m_View, &m_Pool, 0x311));
}

TEST_F(FloorPlan, TheScaleAfterAResizeIsAMultipleOfTen) {
  const std::string path = Plan("scale", PlanFileBytes(10000, 8000, TinyEmf()));
  struct Case { int width; int wantN; } cases[] = {
      {960, 100}, {950, 110}, {1000, 100}, {2000, 50}, {1040, 100}, {480, 210}, {100000, 100}, {40000, 100}};
  for (const Case& c : cases) {
    jvqMadorizuObject plan(path.c_str(), &m_View, &m_Pool, 0x311);
    plan.SetScale(0.01);
    jvqRectObject* pic = (jvqRectObject*)plan.GetChild(0);
    const RECT rc = {0, 0, c.width, 800};
    pic->SetRect(&rc, &m_View, 0x311);
    plan.Recalc();
    EXPECT_EQ(c.wantN, plan.GetScaleDenominator()) << "width " << c.width;
  }
  // A plan without width or picture keeps the scale it had.
  jvqMadorizuObject plan(path.c_str(), &m_View, &m_Pool, 0x311);
  plan.SetScale(0.02);
  plan.m_nPlanWidth = 0;
  plan.RecalcScale();
  EXPECT_EQ(0.02, plan.m_dDrawingScale);
  plan.m_nPlanWidth = 100000;
  const RECT flat = {0, 0, 0, 800};
  ((jvqRectObject*)plan.GetChild(0))->SetRect(&flat, &m_View, 0x311);
  plan.RecalcScale();
  EXPECT_EQ(0.02, plan.m_dDrawingScale);
  plan.DeleteChildren();
  EXPECT_EQ(-1, plan.m_nPictureIndex);
  plan.RecalcScale();
  EXPECT_EQ(0.02, plan.m_dDrawingScale);
}

TEST_F(FloorPlan, ACornerDragKeepsTheRatioUnlessShift) {
  const std::string path = Plan("drag", PlanFileBytes(10000, 8000, TinyEmf()));
  for (UINT flags : {0u, 4u}) {
    jvqMadorizuObject plan(path.c_str(), &m_View, &m_Pool, 0x311);
    plan.SetScale(0.01);
    jvqObject* h = plan.GetHandle(4);  // bottom-right
    ASSERT_NE(nullptr, h);
    plan.BeginTrack(3, h);
    POINT start;
    h->GetCenter(&start);
    POINT cur = {start.x - 40, start.y - 100};
    plan.Track(&start, &cur, flags, h, NULL);
    plan.EndTrack(3, h);
    const RECT r = Bounds(*plan.GetChild(0));
    if (flags == 0) {
      EXPECT_NEAR(1000.0 / 800.0, (double)(r.right - r.left) / (r.bottom - r.top), 0.01);
      EXPECT_EQ(960, r.right - r.left);
      EXPECT_EQ(100, plan.GetScaleDenominator());
    } else {
      EXPECT_EQ(960, r.right - r.left);
      EXPECT_EQ(700, r.bottom - r.top);
    }
  }
}

TEST_F(FloorPlan, CloneCopiesThePlan) {
  const std::string path = Plan("clone", PlanFileBytes(6000, 3000, TinyEmf()));
  jvqMadorizuObject plan(path.c_str(), &m_View, &m_Pool, 0x311);
  plan.SetScale(0.02);
  std::unique_ptr<jvqObject> c(plan.Clone());
  jvqMadorizuObject* p = dynamic_cast<jvqMadorizuObject*>(c.get());
  ASSERT_NE(nullptr, p);
  EXPECT_EQ(0x400043, p->GetClassCode());
  EXPECT_EQ(0.02, p->m_dDrawingScale);
  EXPECT_EQ(60000, p->m_nPlanWidth);
  EXPECT_EQ(0, p->m_nPictureIndex);
  ASSERT_EQ(1, p->GetChildCount());
  EXPECT_NE(plan.GetChild(0), p->GetChild(0));
  EXPECT_EQ(p, p->GetChild(0)->m_pParent);
}

std::string StoreRecord(jvqObject* p, int version) {
  jvqFileHeader h;
  h.m_nVersion = version;
  CMemFile f;
  EXPECT_TRUE(p->Store(&f, &h));
  std::string s((size_t)f.GetLength(), '\0');
  f.SeekToBegin();
  f.Read(&s[0], (UINT)s.size());
  return s;
}

TEST_F(FloorPlan, RecordFormKeepsTheIndexAndMendsOneOutsideTheChildren) {
  const std::string path = Plan("record", PlanFileBytes(10000, 8000, TinyEmf()));
  jvqMadorizuObject plan(path.c_str(), &m_View, &m_Pool, 0x311);
  plan.SetScale(0.02);
  const std::string rec = StoreRecord(&plan, JVQ_VERSION_CURRENT);
  int32_t code;
  std::memcpy(&code, rec.data(), 4);
  EXPECT_EQ(0x400043, code);
  EXPECT_EQ(0, IntIn(rec, rec.size() - 4));
  EXPECT_EQ(80000, IntIn(rec, rec.size() - 8));
  EXPECT_EQ(100000, IntIn(rec, rec.size() - 12));
  // The plan reads its children without refreshing the loading dialog.
  static int s_nRefreshes;
  s_nRefreshes = 0;
  theReadProgressProc = [] { s_nRefreshes++; };
  for (int32_t index : {0, 5, -1, 0x7FFFFFFF}) {
    std::string b = rec;
    PutIntIn(b, b.size() - 4, index);
    std::unique_ptr<jvqObject> back(jvqObjectDefaults::CreateObject(code));
    CMemFile f((BYTE*)b.data() + 4, (UINT)b.size() - 4);
    jvqFileHeader h;
    h.m_pImagePool = &m_Pool;
    ASSERT_TRUE(back->Load(&f, &h)) << index;
    jvqMadorizuObject* p = (jvqMadorizuObject*)back.get();
    EXPECT_EQ(0, p->m_nPictureIndex) << index;
    EXPECT_EQ(0.02, p->m_dDrawingScale);
    EXPECT_EQ(f.GetLength(), f.GetPosition());
  }
  EXPECT_EQ(0, s_nRefreshes);
  // A plain group refreshes it once a child.
  jvqGroupObject g;
  RECT rc = {0, 0, 10, 10};
  g.AddChild(new jvqRectObject(&rc, NULL, 0x311));
  const std::string grec = StoreRecord(&g, JVQ_VERSION_CURRENT);
  jvqGroupObject gback;
  CMemFile gf((BYTE*)grec.data() + 4, (UINT)grec.size() - 4);
  jvqFileHeader gh;
  ASSERT_TRUE(gback.Load(&gf, &gh));
  EXPECT_EQ(1, s_nRefreshes);
  theReadProgressProc = NULL;
}

// A board of one page holding a turned, flipped symbol and two floor plans, written at the
// version and read back.
class ShapesOnABoard : public FloorPlan {
 protected:
  void SetUp() override {
    jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
    d->RemoveAll();
    d->CreatePrototypes();
  }
  std::string Write(jvqBoard* b, int version) {
    jvqFileHeader h;
    h.m_nVersion = version;
    h.m_pImagePool = &m_Pool;
    CMemFile f;
    {
      CArchive ar(&f, CArchive::store);
      jvqBoardStream::Write(ar, &h, b, NULL);
      ar.Close();
    }
    std::string s((size_t)f.GetLength(), '\0');
    f.SeekToBegin();
    f.Read(&s[0], (UINT)s.size());
    return s;
  }
  std::unique_ptr<jvqBoard> Read(const std::string& bytes, jvqImagePool* pPool) {
    CMemFile f((BYTE*)bytes.data(), (UINT)bytes.size());
    std::unique_ptr<jvqBoard> b(new jvqBoard(NULL));
    jvqFileHeader h;
    h.m_pImagePool = pPool;
    CArchive ar(&f, CArchive::load);
    CDib* pThumb = NULL;
    try {
      jvqBoardStream::Read(ar, &h, b.get(), &pThumb);
    } catch (CException* e) {
      char msg[256] = "";
      e->GetErrorMessage(msg, sizeof(msg));
      std::printf("read failed: %s (%s)\n", msg, typeid(*e).name());
      e->Delete();
      ar.Abort();
      return NULL;
    }
    ar.Close();
    return b;
  }
};

TEST_F(ShapesOnABoard, EveryVersionOpensSymbolsAndFloorPlans) {
  const std::string path = Plan("board", PlanFileBytes(10000, 8000, TinyEmf()));
  for (int version : {91000, 91100, 91200, 91300, 91400, 91500, 91510, 91520, 91530}) {
    std::unique_ptr<jvqBoard> b(new jvqBoard(NULL));
    jvqPage* page = b->GetPage(0);
    jvqSymbolObject* s = MakeSymbol({100, 100, 500, 300}, 900, 450);
    s->SetRotation(30);
    s->Flip(1);
    page->AddChild(s);
    jvqMadorizuObject* p100 = new jvqMadorizuObject(path.c_str(), NULL, &m_Pool, 0x311);
    p100->SetScale(0.01);
    page->AddChild(p100);
    jvqMadorizuObject* p50 = new jvqMadorizuObject(path.c_str(), NULL, &m_Pool, 0x311);
    p50->SetScale(0.02);
    page->AddChild(p50);
    const std::string bytes = Write(b.get(), version);
    jvqImagePool pool;
    // The loading dialog is refreshed for the page and its three objects, not for the plans'
    // pictures.
    static int s_nRefreshes;
    s_nRefreshes = 0;
    theReadProgressProc = [] { s_nRefreshes++; };
    std::unique_ptr<jvqBoard> back = Read(bytes, &pool);
    theReadProgressProc = NULL;
    EXPECT_EQ(4, s_nRefreshes) << version;
    if (back == nullptr) {
      ADD_FAILURE() << "version " << version << " does not open";
      continue;
    }
    jvqPage* bp = back->GetPage(0);
    ASSERT_EQ(3, bp->GetChildCount()) << version;
    jvqSymbolObject* bs = dynamic_cast<jvqSymbolObject*>(bp->GetChild(0));
    ASSERT_NE(nullptr, bs) << version;
    ASSERT_NE(nullptr, bs->GetVectorShape());
    EXPECT_EQ(2, bs->GetVectorShape()->m_nMirror) << version;
    EXPECT_EQ(150, (int)bs->m_dRotation) << version;
    EXPECT_EQ(900, bs->GetVectorShape()->m_Header.m_nModelWidth);
    const int want[2] = {100, 50};
    for (int i = 0; i < 2; i++) {
      jvqMadorizuObject* bm = dynamic_cast<jvqMadorizuObject*>(bp->GetChild(1 + i));
      ASSERT_NE(nullptr, bm) << version;
      EXPECT_EQ(want[i], bm->GetScaleDenominator()) << version;
      EXPECT_EQ(100000, bm->m_nPlanWidth);
      EXPECT_EQ(0, bm->m_nPictureIndex) << version;
      ASSERT_EQ(1, bm->GetChildCount());
      EXPECT_EQ(JVQ_OBJ_IMAGE, bm->GetChild(0)->GetClassCode());
    }
  }
}

TEST_F(ShapesOnABoard, BeforeTheIndexVersionThePictureIsFoundByItsCode) {
  const std::string path = Plan("old", PlanFileBytes(10000, 8000, TinyEmf()));
  std::unique_ptr<jvqBoard> b(new jvqBoard(NULL));
  jvqMadorizuObject* plan = new jvqMadorizuObject(path.c_str(), NULL, &m_Pool, 0x311);
  // A rectangle after the picture: the last child of code 0x103 is still the picture.
  RECT rc = {0, 0, 10, 10};
  plan->AddChild(new jvqRectObject(&rc, NULL, 0x311));
  plan->m_nPictureIndex = 1;  // wrong on purpose: an older file has no index to read
  b->GetPage(0)->AddChild(plan);
  jvqImagePool pool;
  std::unique_ptr<jvqBoard> back = Read(Write(b.get(), 91500), &pool);
  ASSERT_NE(nullptr, back);
  jvqMadorizuObject* bm = dynamic_cast<jvqMadorizuObject*>(back->GetPage(0)->GetChild(0));
  ASSERT_NE(nullptr, bm);
  EXPECT_EQ(0, bm->m_nPictureIndex);
  // From 91510 the stored index counts, unless it lies outside the children.
  plan->m_nPictureIndex = 7;
  back = Read(Write(b.get(), 91510), &pool);
  ASSERT_NE(nullptr, back);
  EXPECT_EQ(0, ((jvqMadorizuObject*)back->GetPage(0)->GetChild(0))->m_nPictureIndex);
}

TEST_F(ShapesOnABoard, ABrokenShapeStreamFailsTheOpen) {
  std::unique_ptr<jvqBoard> b(new jvqBoard(NULL));
  b->GetPage(0)->AddChild(MakeSymbol({0, 0, 100, 100}, 10, 10));
  std::string bytes = Write(b.get(), JVQ_VERSION_CURRENT);
  const size_t at = bytes.find("tqz");
  ASSERT_NE(std::string::npos, at);
  PutIntIn(bytes, at + 55, 0x10000000);  // point count past the bytes
  jvqImagePool pool;
  EXPECT_EQ(nullptr, Read(bytes, &pool));
}

}  // namespace
