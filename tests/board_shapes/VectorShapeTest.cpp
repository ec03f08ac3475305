// Vector shapes: the stream and its bounded reader, shape files, the transformation and the
// vector fill's record.
#include <cstdint>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "ShapeFixture.h"
#include "TemporaryFiles.h"
#include "jvqFileHeader.h"
#include "jvqVectorFill.h"

namespace {

// Offsets of the fixture's stream: two primitives (3 and 2 indexes), four points, trailer.
const size_t kPointsAt = 75 + 56 + 52, kTrailerAt = kPointsAt + 32, kStreamBytes = kTrailerAt + 64;

BOOL ReadFrom(CVectorShape& s, const std::string& bytes) {
  CMemFile m((BYTE*)bytes.data(), (UINT)bytes.size());
  return s.ReadStream(&m);
}

int g_nReports = 0;
int AFXAPI CountReport(LPCTSTR, UINT, UINT) {
  g_nReports++;
  return IDOK;
}

TEST(VectorShapeStream, LayoutAndRoundTrip) {
  std::unique_ptr<CVectorShapeEx> s(MakeShape(900, 450));
  s->m_nMirror = 2;
  s->SetOriginMark(1);
  const std::string b = StreamOf(*s);
  ASSERT_EQ(kStreamBytes, b.size());
  EXPECT_EQ("tqz", b.substr(0, 3));
  const struct { size_t at; int32_t v; } fields[] = {
      {3, 1000}, {11, 900}, {15, 450}, {19, 1000}, {23, 500}, {27, 100}, {31, 50}, {51, 2}, {55, 4},
      {59, 75}, {63, (int32_t)kPointsAt}, {67, (int32_t)kTrailerAt}, {71, 64},
      {75 + 40, 3}, {75 + 56 + 40, 2}, {75 + 56 + 20, 10}, {kPointsAt + 8, 100}};
  for (const auto& f : fields) EXPECT_EQ(f.v, IntIn(b, f.at)) << "at " << f.at;
  EXPECT_EQ(1, b[kTrailerAt]);
  EXPECT_EQ(2, b[kTrailerAt + 2]);

  CVectorShapeEx back;
  ASSERT_TRUE(ReadFrom(back, b));
  EXPECT_EQ(2, back.GetPrimitiveCount());
  EXPECT_EQ(4, back.GetPointCount());
  EXPECT_EQ(2, back.m_nMirror);
  EXPECT_EQ(1, back.GetOriginMark());
  EXPECT_EQ(b, StreamOf(back));

  // The base class writes no trailer.
  CVectorShape plain(*s);
  const std::string p = StreamOf(plain);
  EXPECT_EQ(kTrailerAt, p.size());
  EXPECT_EQ(0, IntIn(p, 71));
}

TEST(VectorShapeStream, CountsOffsetsAndIndexesAreCheckedAgainstTheBytes) {
  std::unique_ptr<CVectorShapeEx> s(MakeShape());
  const std::string good = StreamOf(*s);
  const struct { const char* what; size_t at; int32_t v; } faults[] = {
      {"primitive count past the bytes", 51, 1000000}, {"negative primitive count", 51, -1},
      {"point count past the bytes", 55, 0x20000000},  {"primitive offset negative", 59, -4},
      {"point offset past the end", 63, 100000},       {"trailer offset past the end", 67, 100000},
      {"trailer length negative", 71, -64},             {"trailer length past the end", 71, 65},
      {"index count past the bytes", 75 + 40, 0x40000000}, {"negative index count", 75 + 40, -2},
      {"index beyond the points", 75 + 44, 4},         {"negative index", 75 + 48, -1}};
  for (const auto& f : faults) {
    std::string b = good;
    PutIntIn(b, f.at, f.v);
    std::unique_ptr<CVectorShapeEx> t(MakeShape());
    EXPECT_FALSE(ReadFrom(*t, b)) << f.what;
    EXPECT_EQ(0, t->GetPrimitiveCount()) << f.what;
    EXPECT_EQ(0, t->GetPointCount()) << f.what;
  }
  for (size_t cut : {size_t(0), size_t(2), size_t(40), size_t(75), size_t(100), kPointsAt + 4, kStreamBytes - 1}) {
    CVectorShapeEx t;
    EXPECT_FALSE(ReadFrom(t, good.substr(0, cut))) << "cut at " << cut;
  }
  for (int i = 0; i < 3; i++) {
    std::string b = good;
    b[i] ^= 0x20;
    CVectorShapeEx t;
    EXPECT_FALSE(ReadFrom(t, b)) << "signature byte " << i;
  }
}

TEST(VectorShapeStream, ALongerTrailerKeepsItsFirst64BytesAndIsSteppedOver) {
  std::unique_ptr<CVectorShapeEx> s(MakeShape());
  s->m_nMirror = 1;
  std::string b = StreamOf(*s);
  PutIntIn(b, 71, 100);
  b += std::string(36, '\x7F');
  b += "NEXT";
  CMemFile m((BYTE*)b.data(), (UINT)b.size());
  CVectorShapeEx t;
  ASSERT_TRUE(t.ReadStream(&m));
  EXPECT_EQ(1, t.m_nMirror);
  EXPECT_EQ(kStreamBytes + 36, m.GetPosition());
  EXPECT_EQ(0, t.m_Trailer[63]);
}

TEST(VectorShapeFile, SaveAndLoadGiveTheSameBytesAndReplaceWhole) {
  const std::string path = "vector_shape_test.tqz";
  {
    // A longer file in the way is replaced, not overwritten in place.
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::string junk(4000, 'x');
    std::fwrite(junk.data(), 1, junk.size(), f);
    std::fclose(f);
  }
  std::unique_ptr<CVectorShapeEx> s(MakeShape(600, 300));
  ASSERT_TRUE(s->SaveFile(path.c_str()));
  EXPECT_EQ(0, TemporaryFilesBeside(path));
  CVectorShapeEx back;
  ASSERT_TRUE(back.LoadFile(path.c_str()));
  const std::string again = "vector_shape_test2.tqz";
  ASSERT_TRUE(back.SaveFile(again.c_str()));
  EXPECT_EQ(kStreamBytes, ReadFileBytes(path).size());
  EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(again));
  std::remove(path.c_str());
  std::remove(again.c_str());

  g_nReports = 0;
  AfxSetMessageBoxProc(CountReport);
  EXPECT_FALSE(back.LoadFile("no_such_folder/none.tqz"));
  EXPECT_EQ(0, back.GetPrimitiveCount());
  AfxSetMessageBoxProc(NULL);
  EXPECT_EQ(1, g_nReports);
}

TEST(VectorShapeTransform, MirroringTurningAndPenWidths) {
  const RECT r = {1000, 2000, 1200, 2100};  // twice the frame
  struct Case {
    int mirror, angle;
    std::vector<POINT> want;
  } cases[] = {
      {0, 0, {{1000, 2000}, {1200, 2000}, {1000, 2100}, {1200, 2100}}},
      {2, 0, {{1200, 2000}, {1000, 2000}, {1200, 2100}, {1000, 2100}}},
      {1, 0, {{1000, 2100}, {1200, 2100}, {1000, 2000}, {1200, 2000}}},
      {3, 0, {{1200, 2100}, {1000, 2100}, {1200, 2000}, {1000, 2000}}},
      {0, 360, {{1000, 2000}, {1200, 2000}, {1000, 2100}, {1200, 2100}}},
      {0, -360, {{1000, 2000}, {1200, 2000}, {1000, 2100}, {1200, 2100}}},
      {0, 720, {{1000, 2000}, {1200, 2000}, {1000, 2100}, {1200, 2100}}},
      {0, 90, {{1150, 1950}, {1150, 2150}, {1050, 1950}, {1050, 2150}}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<CVectorShapeEx> s(MakeShape());
    s->m_nMirror = c.mirror;
    ASSERT_TRUE(s->TransformPoints(&r, c.angle));
    for (int i = 0; i < 4; i++) {
      const POINT p = s->GetTransformedPoint(i);
      EXPECT_NEAR(c.want[i].x, p.x, c.angle % 360 ? 1 : 0) << "mirror " << c.mirror << " angle " << c.angle << " point " << i;
      EXPECT_NEAR(c.want[i].y, p.y, c.angle % 360 ? 1 : 0) << "mirror " << c.mirror << " angle " << c.angle << " point " << i;
    }
  }
  std::unique_ptr<CVectorShapeEx> s(MakeShape());
  ASSERT_TRUE(s->TransformPoints(&r, 0));
  EXPECT_EQ(20, s->GetPrimitive(1)->ScaledPen(s->m_dScaleX, s->m_dScaleY).lopnWidth.x);
  EXPECT_EQ(10, s->GetPrimitive(1)->m_Pen.lopnWidth.x);
  CVectorShapeEx empty;
  EXPECT_FALSE(empty.TransformPoints(&r, 0));
}

// Found by fuzzing shape files: points at the ends of the int range overflowed when scaled,
// mirrored or turned. They are now held at the range's edge; the others stay exact.
TEST(VectorShapeTransform, PointsAtTheEndsOfTheRangeAreHeldNotOverflowed) {
  const RECT r = {-500, -500, 500, 500};  // ten times the frame
  for (int mirror : {0, 1, 2, 3})
    for (int angle : {0, 30, 90}) {
      std::unique_ptr<CVectorShapeEx> s(MakeShape());
      s->m_SourcePoints[0] = {INT32_MIN, INT32_MAX};
      s->m_SourcePoints[2] = {INT32_MAX, INT32_MIN};
      s->m_nMirror = mirror;
      ASSERT_TRUE(s->TransformPoints(&r, angle));
      if (mirror == 0 && angle == 0) {
        EXPECT_EQ(INT32_MIN, s->GetTransformedPoint(0).x);
        EXPECT_EQ(INT32_MAX - 500, s->GetTransformedPoint(0).y);  // held when scaled, then moved
        EXPECT_EQ(500, s->GetTransformedPoint(1).x);  // (100, 0) as before
        EXPECT_EQ(-500, s->GetTransformedPoint(1).y);
      }
    }
}

std::string StoreFill(jvqFill& f) {
  CMemFile m;
  jvqFileHeader h;
  EXPECT_TRUE(f.Store(&m, &h));
  std::string out((size_t)m.GetLength(), '\0');
  m.SeekToBegin();
  m.Read(&out[0], (UINT)out.size());
  return out;
}

TEST(VectorFillRecord, FlagsAngleStreamAndTheRecordGoesOnAfterTheTrailer) {
  jvqVectorFill f;
  EXPECT_EQ((DWORD)(FILL_BASE | FILL_VECTOR), f.GetFlags());
  f.SetShape(MakeShape());
  f.m_nAngle = 30;
  std::string rec = StoreFill(f);
  ASSERT_EQ(8 + kStreamBytes, rec.size());
  EXPECT_EQ(0x1010000, IntIn(rec, 0));
  EXPECT_EQ(30, IntIn(rec, 4));
  const double rotation = 12.5;
  std::string body = rec.substr(4) + std::string((const char*)&rotation, 8);
  std::unique_ptr<jvqFill> back(CreateFill(0x1010000));
  ASSERT_NE(nullptr, back);
  CMemFile m((BYTE*)body.data(), (UINT)body.size());
  jvqFileHeader h;
  ASSERT_TRUE(back->Load(&m, &h));
  EXPECT_EQ(4 + kStreamBytes, m.GetPosition());
  EXPECT_EQ(rec, StoreFill(*back));

  // A stream that does not read fails the record.
  std::string bad = body;
  PutIntIn(bad, 4 + 55, 0x7FFFFFFF);
  CMemFile mb((BYTE*)bad.data(), (UINT)bad.size());
  jvqVectorFill g;
  EXPECT_FALSE(g.Load(&mb, &h));
  EXPECT_EQ(nullptr, g.GetShape());

  // A fill without a shape, or with a shape without points, still writes a readable record.
  jvqVectorFill none;
  jvqVectorFill pointless;
  pointless.SetShape(new CVectorShapeEx);
  pointless.GetShape()->AddPrimitive(new CVectorPrimitive);
  for (jvqVectorFill* e : {&none, &pointless}) {
    std::string r = StoreFill(*e);
    std::string eb = r.substr(4) + "TAIL";
    CMemFile me((BYTE*)eb.data(), (UINT)eb.size());
    jvqVectorFill t;
    ASSERT_TRUE(t.Load(&me, &h));
    EXPECT_EQ(eb.size() - 4, me.GetPosition());
    ASSERT_NE(nullptr, t.GetShape());
    EXPECT_EQ(0, t.GetShape()->GetPrimitiveCount());
  }
}

TEST(VectorFillRecord, CloneCopiesTheShapeButNotItsCachedRectangle) {
  jvqVectorFill f;
  f.SetShape(MakeShape(10, 20));
  f.m_nAngle = 45;
  f.GetShape()->m_nMirror = 3;
  f.GetShape()->SetOriginMark(2);
  const RECT r = {0, 0, 300, 150};
  f.GetShape()->TransformPoints(&r, 45);
  std::unique_ptr<jvqVectorFill> c((jvqVectorFill*)f.Clone());
  ASSERT_NE(f.GetShape(), c->GetShape());
  EXPECT_EQ(45, c->m_nAngle);
  EXPECT_EQ(3, c->GetShape()->m_nMirror);
  EXPECT_EQ(2, c->GetShape()->GetOriginMark());
  EXPECT_EQ(45, c->GetShape()->m_nCachedAngle);
  EXPECT_EQ(0, c->GetShape()->m_rcCached.right);
  EXPECT_NE(f.GetShape()->GetPrimitive(0), c->GetShape()->GetPrimitive(0));
  EXPECT_EQ(StoreFill(f), StoreFill(*c));
}

}  // namespace
