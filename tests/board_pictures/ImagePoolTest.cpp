// The document's image pool: ids and references, the block after the board at every
// version, and blocks that must not open.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "PictureFixture.h"
#include "afxarch.h"
#include "jvqBoard.h"
#include "jvqBoardStream.h"
#include "jvqFileHeader.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqImagePool.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqPatternFill.h"
#include "jvqTextureFill.h"
#include "jvqViewMapping.h"

namespace {

int32_t IntAt(const std::string& s, size_t at) {
  int32_t v = 0;
  std::memcpy(&v, s.data() + at, 4);
  return v;
}

void PutInt(std::string& s, int32_t v) { s.append((const char*)&v, 4); }

jvqImageObject* NewPicture(jvqImagePool* pool, CBaseImage* image, int x) {
  jvqImageObject* o = new jvqImageObject(pool, NULL, NULL);
  EXPECT_TRUE(o->SetPicture(pool, image, FALSE));
  const RECT r = {x, 100, x + 400, 400};
  o->SetRect(&r, NULL, 0x311);
  return o;
}

// A board whose page shows picture A twice (the second a clone), keeps picture B only in a
// deleted object (for undo), and has a pattern and a texture fill.
jvqBoard* MakePictureBoard(jvqImagePool* pool) {
  jvqBoard* b = new jvqBoard(NULL);
  jvqPage* page = b->GetPage(0);
  jvqImageObject* a = NewPicture(pool, MakePicture(40, 30, 3937), 100);
  page->AddChild(a);
  jvqObject* twice = a->Clone();
  const SIZE d = {600, 0};
  twice->Offset(&d);
  page->AddChild(twice);
  jvqImageObject* undoOnly = NewPicture(pool, MakePicture(20, 20), 1500);
  undoOnly->m_dwState &= ~JVQ_STATE_ALIVE;
  page->AddChild(undoOnly);
  const RECT r = {100, 800, 900, 1200};
  jvqRectObject* pattern = new jvqRectObject(&r, NULL, 0x311);
  jvqPatternFill* pf = new jvqPatternFill;
  pf->SetPattern(NULL, 3, 0xFFFFFF, 0x0000FF);
  pattern->SetFill(pf);
  page->AddChild(pattern);
  jvqRectObject* texture = new jvqRectObject(&r, NULL, 0x311);
  jvqTextureFill* tf = new jvqTextureFill;
  tf->m_nIndex = 2;
  texture->SetFill(tf);
  page->AddChild(texture);
  return b;
}

std::string Write(jvqBoard* b, jvqFileHeader* h) {
  CMemFile f;
  {
    CArchive ar(&f, CArchive::store);
    jvqBoardStream::Write(ar, h, b, NULL);
    ar.Close();
  }
  return BytesOf(f);
}

std::unique_ptr<jvqBoard> Read(const std::string& bytes, jvqFileHeader* h) {
  CMemFile f((BYTE*)bytes.data(), (UINT)bytes.size());
  std::unique_ptr<jvqBoard> b(new jvqBoard(NULL));
  CArchive ar(&f, CArchive::load);
  CDib* pThumb = NULL;
  try {
    jvqBoardStream::Read(ar, h, b.get(), &pThumb);
  } catch (...) {
    ar.Abort();
    throw;
  }
  ar.Close();
  delete pThumb;
  return b;
}

// One entry record as the pool writes it at the version.
std::string EntryRecord(CBaseImage* image, int id, int version) {
  jvqImagePool pool;
  jvqImagePoolEntry e(&pool, image, id);
  jvqFileHeader h;
  h.m_nVersion = version;
  CMemFile f;
  e.Store(&f, &h);
  return BytesOf(f);
}

bool LoadFails(const std::string& block, int version, jvqImagePool* pool) {
  jvqFileHeader h;
  h.m_nVersion = version;
  CMemFile f((BYTE*)block.data(), (UINT)block.size());
  try {
    pool->Load(&f, &h);
  } catch (CException* e) {
    e->Delete();
    return true;
  }
  return false;
}

class ImagePool : public ::testing::Test {
 protected:
  void SetUp() override {
    jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
    if (d->GetCount() == 0) d->CreatePrototypes();
  }
};

}  // namespace

TEST_F(ImagePool, IdsReferencesAndReuse) {
  jvqImagePool pool;
  EXPECT_EQ(1, pool.Add(MakePicture(2, 2)));
  EXPECT_EQ(2, pool.Add(MakePicture(2, 2)));
  EXPECT_EQ(3, pool.Add(MakePicture(2, 2)));
  EXPECT_EQ(1, pool.AddRef(2));
  EXPECT_EQ(2, pool.AddRef(2));
  EXPECT_EQ(1, pool.Release(2));
  EXPECT_EQ(0, pool.Release(2));
  EXPECT_EQ(nullptr, pool.FindEntry(2));
  EXPECT_EQ(2, pool.GetCount());
  EXPECT_EQ(2, pool.Add(MakePicture(2, 2)));  // the freed id comes back
  EXPECT_EQ(0, pool.Release(0));
  EXPECT_EQ(-1, pool.AddRef(99));
  EXPECT_EQ(0, pool.Release(99));
  EXPECT_EQ(3, pool.GetCount());
  EXPECT_EQ(nullptr, pool.GetAt(3));
}

TEST_F(ImagePool, ClonesShareOneEntryAndReleaseIt) {
  jvqImagePool pool;
  std::unique_ptr<jvqImageObject> a(NewPicture(&pool, MakePicture(4, 4), 0));
  std::unique_ptr<jvqObject> b(a->Clone());
  ASSERT_EQ(1, pool.GetCount());
  EXPECT_EQ(2, pool.GetAt(0)->GetRefCount());
  EXPECT_EQ(JVQ_OBJ_IMAGE, b->GetClassCode());
  b.reset();
  a.reset();
  EXPECT_EQ(0, pool.GetCount());
}

TEST_F(ImagePool, PicturesTakeTheirSizeFromTheirResolution) {
  const struct {
    int w, h, ppm;
    LONG cx, cy;
  } cases[] = {{400, 300, 3937, 1016, 762}, {400, 300, 0, 508, 381}, {3000, 1000, 11811, 2000, 666}};
  jvqImageObject o(NULL, NULL, NULL);
  for (const auto& c : cases) {
    std::unique_ptr<CDibImage> p(MakePicture(c.w, c.h, c.ppm));
    ASSERT_TRUE(p);
    const SIZE s = o.GetNaturalSize(p.get());
    EXPECT_EQ(c.cx, s.cx) << c.w << "x" << c.h << "@" << c.ppm;
    EXPECT_EQ(c.cy, s.cy) << c.w << "x" << c.h << "@" << c.ppm;
  }
}

TEST_F(ImagePool, ReadersFollowTheWholeExtension) {
  jvqImageFill f(NULL, NULL);
  const struct {
    const char* path;
    const char* cls;
  } cases[] = {{"a\\photo.jpeg", "CJpegImage"}, {"photo.JPG", "CJpegImage"},  {"scan.tiff", "CTiffImage"},
               {"scan.tif", "CTiffImage"},      {"x.png", "CPngImage"},       {"plan.emf", "CMetafileImage"},
               {"plan.wmf", "CMetafileImage"},  {"a.bmp", "CDibImage"},       {"noext", "CDibImage"},
               {"dir.jpg\\file", "CDibImage"}};
  for (const auto& c : cases) {
    std::unique_ptr<CBaseImage> p(f.CreateImageForFile(c.path));
    ASSERT_TRUE(p);
    EXPECT_STREQ(c.cls, p->GetRuntimeClass()->m_lpszClassName) << c.path;
  }
}

TEST_F(ImagePool, UnreadableFileKeepsTheObjectsGeometry) {
  jvqImagePool pool;
  jvqViewMapping view;
  jvqImageObject o(&pool, NULL, &view);
  const RECT r = {10, 20, 110, 220};
  o.SetRect(&r, &view, 0x311);
  const std::string before = std::string((const char*)o.GetGeometry()->GetAt(0), 8 * 4);
  EXPECT_FALSE(o.LoadImage(&pool, "no such picture.bmp", TRUE));
  EXPECT_EQ(before, std::string((const char*)o.GetGeometry()->GetAt(0), 8 * 4));
  EXPECT_EQ(0, pool.GetCount());
  EXPECT_EQ(nullptr, o.GetImageFill());
}

TEST_F(ImagePool, FlipDoesNothing) {
  jvqImagePool pool;
  std::unique_ptr<jvqImageObject> a(NewPicture(&pool, MakePicture(4, 4), 0));
  const std::string before = std::string((const char*)a->GetGeometry()->GetAt(0), 8 * 4);
  EXPECT_FALSE(a->Flip(1));
  EXPECT_FALSE(a->Flip(2));
  EXPECT_EQ(before, std::string((const char*)a->GetGeometry()->GetAt(0), 8 * 4));
}

// Every version writes and reads back; from 91200 the pictures stand once in the pool
// block, below it each picture fill embeds its own.
TEST_F(ImagePool, BoardsOfPicturesAtEveryVersion) {
  for (int version : {91000, 91100, 91200, 91300, 91400, 91500, 91530}) {
    jvqImagePool pool;
    std::unique_ptr<jvqBoard> b(MakePictureBoard(&pool));
    jvqFileHeader h;
    h.m_nVersion = version;
    h.m_pImagePool = &pool;
    const std::string bytes = Write(b.get(), &h);

    jvqImagePool back;
    jvqFileHeader h2;
    h2.m_pImagePool = &back;
    std::unique_ptr<jvqBoard> r = Read(bytes, &h2);
    jvqPage* page = r->GetPage(0);
    ASSERT_EQ(4, page->GetChildCount()) << version;  // the deleted picture is not stored
    jvqImageFill* f0 = (jvqImageFill*)page->GetChild(0)->GetFill();
    jvqImageFill* f1 = (jvqImageFill*)page->GetChild(1)->GetFill();
    ASSERT_TRUE(f0 && f1 && f0->GetImage() && f1->GetImage()) << version;
    EXPECT_EQ(CSize(40, 30), f0->GetImage()->GetDimensions()) << version;
    if (version >= 91200) {
      // One entry with the references of both showings; the undo-only picture is gone.
      ASSERT_EQ(1, back.GetCount()) << version;
      EXPECT_EQ(2, back.GetAt(0)->GetRefCount()) << version;
      EXPECT_EQ(f0->GetPoolId(), f1->GetPoolId());
    } else {
      EXPECT_EQ(2, back.GetCount()) << version;
    }
    jvqPatternFill* pf = (jvqPatternFill*)page->GetChild(2)->GetFill();
    ASSERT_EQ((DWORD)FILL_PATTERN, pf->GetFlags());
    EXPECT_EQ(3, pf->m_nIndex);
    EXPECT_EQ(0x0000FFu, pf->m_crFore);
    jvqTextureFill* tf = (jvqTextureFill*)page->GetChild(3)->GetFill();
    ASSERT_EQ((DWORD)FILL_TEXTURE, tf->GetFlags());
    EXPECT_EQ(2, tf->m_nIndex);

    // Saved again at the current version: the pictures are in the pool block now, and a
    // file of the current version comes back byte for byte.
    h2.m_nVersion = JVQ_VERSION_CURRENT;
    const std::string again = Write(r.get(), &h2);
    jvqImagePool third;
    jvqFileHeader h3;
    h3.m_pImagePool = &third;
    std::unique_ptr<jvqBoard> r3 = Read(again, &h3);
    EXPECT_EQ(version >= 91200 ? 1 : 2, third.GetCount()) << version;
    if (version == JVQ_VERSION_CURRENT) EXPECT_EQ(bytes, again);
  }
}

// A hidden but alive picture is written, so reading keeps its entry.
TEST_F(ImagePool, HiddenAlivePictureKeepsItsEntry) {
  jvqImagePool pool;
  std::unique_ptr<jvqBoard> b(new jvqBoard(NULL));
  jvqImageObject* o = NewPicture(&pool, MakePicture(9, 9), 100);
  o->m_dwState &= ~JVQ_STATE_VISIBLE;
  b->GetPage(0)->AddChild(o);
  jvqFileHeader h;
  h.m_pImagePool = &pool;
  const std::string bytes = Write(b.get(), &h);
  jvqImagePool back;
  jvqFileHeader h2;
  h2.m_pImagePool = &back;
  std::unique_ptr<jvqBoard> r = Read(bytes, &h2);
  ASSERT_EQ(1, back.GetCount());
  jvqImageFill* f = (jvqImageFill*)r->GetPage(0)->GetChild(0)->GetFill();
  ASSERT_TRUE(f && f->GetImage());
  EXPECT_EQ(CSize(9, 9), f->GetImage()->GetDimensions());
}

TEST_F(ImagePool, TwoShowingsAreWrittenTwice) {
  jvqImagePool pool;
  std::unique_ptr<jvqBoard> b(MakePictureBoard(&pool));
  ASSERT_EQ(2, pool.GetCount());
  jvqFileHeader h;
  for (int version : {91200, 91530}) {
    h.m_nVersion = version;
    CMemFile f;
    pool.Save(&f, &h, b.get());
    const std::string s = BytesOf(f);
    EXPECT_EQ(version, IntAt(s, 0));
    EXPECT_EQ(2, IntAt(s, 4)) << version;  // picture A twice, the undo-only picture never
    EXPECT_EQ(1, IntAt(s, 8)) << version;
    // Compressed from 91300 on: the data is not the raw picture.
    const int32_t raw = (int32_t)pool.GetAt(0)->GetImage()->GetSize();
    if (version < 91300)
      EXPECT_EQ(raw, IntAt(s, 12));
    else
      EXPECT_NE(raw, IntAt(s, 12));
  }
}

TEST_F(ImagePool, BrokenBlocksFailWholeAndIdZeroIsSkipped) {
  for (int version : {91200, 91530}) {
    const std::string good = EntryRecord(MakePicture(6, 5), 4, version);
    // A record with id 0 is skipped whole: the next one is read where it begins.
    {
      std::string block;
      PutInt(block, version);
      PutInt(block, 2);
      PutInt(block, 0);
      PutInt(block, 8);
      PutInt(block, 1);
      block += "12345678";
      block += good;
      jvqImagePool pool;
      ASSERT_FALSE(LoadFails(block, version, &pool)) << version;
      ASSERT_EQ(1, pool.GetCount());
      EXPECT_EQ(4, pool.GetAt(0)->GetId());
      EXPECT_EQ(CSize(6, 5), pool.GetAt(0)->GetImage()->GetDimensions());
    }
    // Twice the same id loads once.
    {
      std::string block;
      PutInt(block, version);
      PutInt(block, 2);
      block += good + good;
      jvqImagePool pool;
      ASSERT_FALSE(LoadFails(block, version, &pool));
      EXPECT_EQ(1, pool.GetCount());
    }
    // Counts and lengths beyond the bytes left, a cut record and a picture that does not read.
    std::string huge;
    PutInt(huge, version);
    PutInt(huge, 0x10000000);
    huge += good;
    std::string longer = good;
    const int32_t big = 0x7FFFFFF0;
    std::memcpy(&longer[4], &big, 4);
    std::string junk = good;
    for (size_t i = 12; i < junk.size(); i++) junk[i] = (char)(i * 37);
    for (const std::string& rec : {longer, good.substr(0, good.size() - 3), junk}) {
      std::string block;
      PutInt(block, version);
      PutInt(block, 1);
      block += rec;
      jvqImagePool pool;
      EXPECT_TRUE(LoadFails(block, version, &pool)) << version;
    }
    jvqImagePool pool;
    EXPECT_TRUE(LoadFails(huge, version, &pool)) << version;
  }
}

namespace {

// Points the temporary folder at a fresh folder of its own while it lives.
class OwnTempFolder {
 public:
  OwnTempFolder() {
    std::error_code ec;
    m_path = std::filesystem::temp_directory_path(ec) / "qvz_pool_temp_test";
    std::filesystem::remove_all(m_path, ec);
    std::filesystem::create_directories(m_path, ec);
    Set((m_path / "").string());
  }
  ~OwnTempFolder() {
    Set("");
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  int Count() const {
    int n = 0;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(m_path, ec); !ec && it != std::filesystem::directory_iterator(); ++it) n++;
    return n;
  }

 private:
  static void Set(const std::string& v) {
#ifdef _WIN32
    ::SetEnvironmentVariableA("TMP", v.empty() ? NULL : v.c_str());
#else
    if (v.empty())
      ::unsetenv("TMPDIR");
    else
      ::setenv("TMPDIR", v.c_str(), 1);
#endif
  }
  std::filesystem::path m_path;
};

}  // namespace

// The "ztp" files that carry each picture through the compression go, whether the block
// was written, read or refused.
TEST_F(ImagePool, TemporaryFilesAlwaysGo) {
  OwnTempFolder temp;
  jvqImagePool pool;
  std::unique_ptr<jvqBoard> b(MakePictureBoard(&pool));
  jvqFileHeader h;
  CMemFile f;
  pool.Save(&f, &h, b.get());
  const std::string block = BytesOf(f);
  jvqImagePool back;
  EXPECT_FALSE(LoadFails(block, JVQ_VERSION_CURRENT, &back));
  EXPECT_EQ(1, back.GetCount());
  std::string junk = block;
  for (size_t i = 20; i < junk.size(); i++) junk[i] = (char)(i * 37);
  jvqImagePool refused;
  EXPECT_TRUE(LoadFails(junk, JVQ_VERSION_CURRENT, &refused));
  EXPECT_EQ(0, temp.Count());
}
