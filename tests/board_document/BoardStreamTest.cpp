// The "Contents" stream: round trip, older versions, and files that must not open.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "BoardFixture.h"
#include "Dib.h"
#include "afxarch.h"
#include "jvqBoardStream.h"
#include "qvzGuideProperties.h"

namespace {

std::string WriteStream(jvqBoard* b, jvqFileHeader* h) {
  CMemFile f;
  {
    CArchive ar(&f, CArchive::store);
    jvqBoardStream::Write(ar, h, b, NULL);
    ar.Close();
  }
  std::string s((size_t)f.GetLength(), '\0');
  f.SeekToBegin();
  f.Read(&s[0], (UINT)s.size());
  return s;
}

// Reads the bytes into a fresh header and board; throws what the reader throws. With
// pnItems the reader takes a board with items and gives their count back.
std::unique_ptr<jvqBoard> ReadStream(const std::string& bytes, jvqFileHeader* h, DWORD* pnItems = NULL) {
  CMemFile f((BYTE*)bytes.data(), (UINT)bytes.size());
  std::unique_ptr<jvqBoard> b(new jvqBoard(NULL));
  CArchive ar(&f, CArchive::load);
  CDib* pThumb = NULL;
  try {
    jvqBoardStream::Read(ar, h, b.get(), &pThumb, pnItems);
  } catch (...) {
    ar.Abort();
    throw;
  }
  ar.Close();
  delete pThumb;
  return b;
}

bool ReadFails(const std::string& bytes, DWORD* pnItems = NULL) {
  jvqFileHeader h;
  try {
    ReadStream(bytes, &h, pnItems);
  } catch (CException* e) {
    e->Delete();
    return true;
  }
  return false;
}

class BoardStream : public ::testing::Test {
 protected:
  void SetUp() override { EnsurePrototypes(); }
};

}  // namespace

TEST_F(BoardStream, RoundTripKeepsEveryAliveRecordByteForByte) {
  std::unique_ptr<jvqBoard> b(MakeTestBoard(3));
  jvqFileHeader h;
  h.AddProperty("物件名", "テスト邸");
  h.AddProperty("備考", std::string(300, 'x').c_str());
  const std::string bytes = WriteStream(b.get(), &h);

  // The layout of the head of the stream.
  ASSERT_GT(bytes.size(), 122u);
  EXPECT_EQ(4, bytes[0]);
  EXPECT_EQ(0, memcmp(bytes.data() + 1, "vask", 4));
  int32_t v, pages, n;
  memcpy(&v, bytes.data() + 5, 4);
  memcpy(&pages, bytes.data() + 9, 4);
  memcpy(&n, bytes.data() + 118, 4);
  EXPECT_EQ(91530, v);
  EXPECT_EQ(3, pages);  // the dead page is not counted
  EXPECT_EQ(2, n);

  jvqFileHeader h2;
  std::unique_ptr<jvqBoard> r = ReadStream(bytes, &h2);
  EXPECT_EQ(3, r->GetPageCount());
  EXPECT_EQ(3, r->GetChildCount());
  EXPECT_EQ(AliveRecords(b.get()), AliveRecords(r.get()));
  ASSERT_EQ(2, h2.m_Properties.GetCount());
  EXPECT_STREQ("テスト邸", h2.GetProperty("物件名"));
  EXPECT_EQ(300, (int)strlen(h2.GetProperty("備考")));
  // The group's dead child travels with it and stays dead.
  jvqGroupObject* g = (jvqGroupObject*)r->GetPage(0)->GetChild(7);
  ASSERT_EQ(JVQ_OBJ_GROUP, g->GetClassCode());
  ASSERT_EQ(2, g->GetChildCount());
  EXPECT_FALSE(g->GetChild(1)->GetState() & JVQ_STATE_ALIVE);
  // Written again, the stream is the same.
  EXPECT_EQ(bytes, WriteStream(r.get(), &h2));
}

TEST_F(BoardStream, LongPropertyUsesSixteenBitLength) {
  std::unique_ptr<jvqBoard> b(new jvqBoard(NULL));
  jvqFileHeader h;
  h.AddProperty("a", std::string(300, 'y').c_str());
  const std::string bytes = WriteStream(b.get(), &h);
  // name "a" at 122, then the value's prefix 0xFF and 300 little-endian.
  EXPECT_EQ(1, bytes[122]);
  EXPECT_EQ((char)0xFF, bytes[124]);
  EXPECT_EQ(300, (unsigned char)bytes[125] | ((unsigned char)bytes[126] << 8));
}

TEST_F(BoardStream, OlderVersionsOpenAndAreWrittenAtTheCurrentOne) {
  for (int version : {91000, 91100, 91200, 91300, 91400, 91510}) {
    SCOPED_TRACE(version);
    std::unique_ptr<jvqBoard> b(MakeTestBoard(2));
    jvqFileHeader old;
    old.m_nVersion = version;
    const std::string bytes = WriteStream(b.get(), &old);
    jvqFileHeader h;
    std::unique_ptr<jvqBoard> r = ReadStream(bytes, &h);
    EXPECT_EQ(91530, h.m_nVersion);
    EXPECT_EQ(AliveRecords(b.get()), AliveRecords(r.get()));
    jvqFileHeader cur;
    const std::string again = WriteStream(r.get(), &h);
    EXPECT_EQ(WriteStream(b.get(), &cur), again);
  }
}

TEST_F(BoardStream, ForeignOrDamagedStreamsFail) {
  std::unique_ptr<jvqBoard> b(MakeTestBoard(1));
  jvqFileHeader h;
  const std::string good = WriteStream(b.get(), &h);
  ASSERT_FALSE(ReadFails(good));

  std::string sig = good;
  memcpy(&sig[1], "VASK", 4);
  EXPECT_TRUE(ReadFails(sig));

  // The first object after the first page's count gets a class code nobody knows.
  const size_t thumb = 122, boardAt = thumb + 4;
  std::string unknown = good;
  const std::string boardRec = BaseRecordOf(b.get());
  const size_t pageAt = boardAt + boardRec.size() + 4;
  const size_t firstObj = pageAt + BaseRecordOf(b->GetPage(0)).size() + 4;
  int32_t code;
  memcpy(&code, &good[firstObj], 4);
  ASSERT_EQ(JVQ_OBJ_RECT, code);
  code = 0x10;
  memcpy(&unknown[firstObj], &code, 4);
  EXPECT_TRUE(ReadFails(unknown));

  // Counts beyond the stream: the property count, the page count, the object count.
  for (size_t at : {(size_t)118, boardAt + boardRec.size(), firstObj - 4}) {
    std::string big = good;
    int32_t n = 0x7FFFFFF0;
    memcpy(&big[at], &n, 4);
    EXPECT_TRUE(ReadFails(big)) << at;
    n = -1;
    memcpy(&big[at], &n, 4);
    EXPECT_TRUE(ReadFails(big)) << at;
  }

  // Every cut before the trailing item count fails rather than giving a partial board.
  for (size_t len = 0; len + 4 < good.size(); len++)
    ASSERT_TRUE(ReadFails(good.substr(0, len))) << len;
}

// A grouped rectangle whose fill is of a kind without a painter fails the whole read.
TEST_F(BoardStream, FillKindsWithoutAPainterFailTheRead) {
  std::unique_ptr<jvqBoard> b(MakeTestBoard(1));
  jvqFileHeader h;
  const std::string good = WriteStream(b.get(), &h);
  jvqPage* page = b->GetPage(0);
  jvqGroupObject* g = (jvqGroupObject*)page->GetChild(page->GetChildCount() - 2);
  ASSERT_EQ(JVQ_OBJ_GROUP, g->GetClassCode());
  for (const UnbuiltFillKind& k : UnbuiltFillKinds()) {
    for (bool dropBody : {false, true}) {
      const std::string bad = WithFillFlags(good, g->GetChild(0), k.flags, dropBody);
      ASSERT_FALSE(bad.empty()) << k.kind;
      EXPECT_TRUE(ReadFails(bad)) << k.kind << dropBody;
    }
  }
}

// Boards with embedded objects open at every version, whatever their item index.
TEST_F(BoardStream, EmbeddedObjectsOpenAtEveryVersionWithoutItems) {
  for (int version : {91000, 91100, 91200, 91300, 91400, 91510, 91530}) {
    SCOPED_TRACE(version);
    std::unique_ptr<jvqBoard> b(MakeTestBoard(1));
    AddOleObject(b->GetPage(0), 0);
    AddOleObject(b->GetPage(0), 5);  // beyond the (empty) item list
    jvqFileHeader old;
    old.m_nVersion = version;
    const std::string bytes = WriteStream(b.get(), &old);
    int32_t nItems;
    memcpy(&nItems, &bytes[bytes.size() - 4], 4);
    EXPECT_EQ(0, nItems);
    jvqFileHeader h;
    DWORD n = 99;
    std::unique_ptr<jvqBoard> r = ReadStream(bytes, &h, &n);
    EXPECT_EQ(0u, n);
    EXPECT_EQ(AliveRecords(b.get()), AliveRecords(r.get()));
    jvqPage* p = r->GetPage(0);
    jvqOleObject* o = (jvqOleObject*)p->GetChild(p->GetChildCount() - 1);
    ASSERT_EQ(JVQ_OBJ_OLE, o->GetClassCode());
    EXPECT_EQ(5, o->m_nItemIndex);
    EXPECT_EQ(11, o->m_nReserved1);
    EXPECT_EQ(nullptr, o->GetClientItem());
    // The record is the common one and three words, the same at every version.
    EXPECT_EQ(BaseRecordOf(o).size() + 12, RecordOf(o, version).size());
  }
}

// The item count is believed only as far as the rest of the stream can hold the items.
TEST_F(BoardStream, ItemCountIsBoundedByTheStream) {
  std::unique_ptr<jvqBoard> b(MakeTestBoard(1));
  jvqFileHeader h;
  const std::string good = WriteStream(b.get(), &h);
  const size_t countAt = good.size() - 4;
  DWORD n = 0;
  EXPECT_FALSE(ReadFails(good.substr(0, countAt), &n));  // no count at all: no items
  EXPECT_EQ(0u, n);
  auto withCount = [&](int32_t count, size_t tail) {
    std::string s = good;
    memcpy(&s[countAt], &count, 4);
    return s + std::string(tail, '\0');
  };
  const DWORD m = jvqBoardStream::kMinItemBytes;
  EXPECT_FALSE(ReadFails(withCount(2, 2 * m), &n));
  EXPECT_EQ(2u, n);
  EXPECT_TRUE(ReadFails(withCount(2, 2 * m - 1), &n));
  EXPECT_TRUE(ReadFails(withCount(0x7FFFFFFF, 64), &n));
  EXPECT_TRUE(ReadFails(withCount(-1, 64), &n));
  // A reader that cannot take items refuses a board that has some.
  EXPECT_TRUE(ReadFails(withCount(1, m)));
}

TEST(GuideProperties, WrittenAsPositionSlashPageAndReadToTheFirstGap) {
  jvqFileHeader h;
  qvzWriteGuideProperties(&h, "GuideH", {{120, 1}, {-35, 1}});
  EXPECT_STREQ("120/1", h.GetProperty("GuideH0"));
  EXPECT_STREQ("-35/1", h.GetProperty("GuideH1"));
  auto g = qvzReadGuideProperties(&h, "GuideH");
  ASSERT_EQ(2u, g.size());
  EXPECT_EQ(-35, g[1].nPosition);
  EXPECT_EQ(1, g[1].nPageIndex);
  h.AddProperty("GuideV0", "7/0");
  h.AddProperty("GuideV2", "8/0");  // after a gap: not read
  EXPECT_EQ(1u, qvzReadGuideProperties(&h, "GuideV").size());
  h.SetProperty("GuideH1", "");
  EXPECT_EQ(1u, qvzReadGuideProperties(&h, "GuideH").size());
  h.RemoveGuideProperties();
  EXPECT_EQ(0, h.m_Properties.GetCount());
}
