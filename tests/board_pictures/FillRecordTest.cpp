// Pattern, texture and picture fill records, pattern colours, tiling and the library index.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "PictureFixture.h"
#include "jvqFileHeader.h"
#include "jvqImageFileList.h"
#include "jvqImageFill.h"
#include "jvqImagePool.h"
#include "jvqPatternFill.h"
#include "jvqTextureFill.h"
#include "jvqTiling.h"

namespace {

std::string Store(jvqFill* f, int version = JVQ_VERSION_CURRENT, jvqImagePool* pool = NULL) {
  jvqFileHeader h;
  h.m_nVersion = version;
  h.m_pImagePool = pool;
  CMemFile m;
  EXPECT_TRUE(f->Store(&m, &h));
  return BytesOf(m);
}

// Reads the record (without its flags word) into a fresh painter of its kind.
std::unique_ptr<jvqFill> Load(const std::string& record, BOOL* pOk, int version = JVQ_VERSION_CURRENT,
                              jvqImagePool* pool = NULL) {
  uint32_t flags = 0;
  std::memcpy(&flags, record.data(), 4);
  std::unique_ptr<jvqFill> f(CreateFill(flags));
  jvqFileHeader h;
  h.m_nVersion = version;
  h.m_pImagePool = pool;
  CMemFile m((BYTE*)record.data() + 4, (UINT)record.size() - 4);
  *pOk = f && f->Load(&m, &h);
  return f;
}

int32_t IntAt(const std::string& s, size_t at) {
  int32_t v = 0;
  std::memcpy(&v, s.data() + at, 4);
  return v;
}

// A library of one picture: a black pixel, a white one and a grey one.
struct OnePatternLibrary {
  jvqImageFileList list;
  OnePatternLibrary() {
    CImageLibraryEntry* e = new CImageLibraryEntry(1, "斜線", NULL);
    e->m_pImage = MakePicture(3, 1, 24, 0, [](int x, int) -> COLORREF { return x == 0 ? 0 : x == 1 ? 0xFFFFFF : 0x808080; });
    list.Add(e);
  }
};

}  // namespace

TEST(PatternFill, RecordRoundTripsIn28Bytes) {
  jvqPatternFill f;
  EXPECT_EQ((DWORD)FILL_PATTERN, f.GetFlags());
  EXPECT_EQ(-1, f.m_nIndex);
  EXPECT_EQ(0xFFFFFFu, f.m_crBack);
  jvqImageFileList lib;
  EXPECT_FALSE(f.SetPattern(NULL, 2, 0, 0));
  EXPECT_FALSE(f.SetPattern(&lib, -1, 0, 0));
  ASSERT_TRUE(f.SetPattern(&lib, 5, 0x00FF00, 0x0000FF));
  const std::string rec = Store(&f);
  ASSERT_EQ(28u, rec.size());
  EXPECT_EQ(0x400000, IntAt(rec, 0));
  EXPECT_EQ(BS_DIBPATTERN, IntAt(rec, 4));
  EXPECT_EQ(5, IntAt(rec, 16));
  EXPECT_EQ(0x0000FF, IntAt(rec, 20));
  EXPECT_EQ(0x00FF00, IntAt(rec, 24));
  BOOL ok = FALSE;
  std::unique_ptr<jvqFill> back = Load(rec, &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(rec, Store(back.get()));
  EXPECT_FALSE(Load(rec.substr(0, 20), &ok) && ok);
}

TEST(PatternFill, ColoursReplaceBlackAndWhite) {
  OnePatternLibrary lib;
  const struct {
    const char* what;
    COLORREF fore, back;
    COLORREF px0, px1;
  } cases[] = {{"kept", 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF},
               {"red on white", 0x0000FF, 0xFFFFFF, 0x0000FF, 0xFFFFFF},
               {"white on black swaps", 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000}};
  for (const auto& c : cases) {
    jvqPatternFill f;
    ASSERT_TRUE(f.SetPattern(&lib.list, 0, c.back, c.fore));
    f.BuildPatternBitmap();
    CDib* d = f.GetPatternBitmap();
    ASSERT_TRUE(d) << c.what;
    EXPECT_EQ(c.px0, d->GetColor(0, 0) & 0xFFFFFF) << c.what;
    EXPECT_EQ(c.px1, d->GetColor(1, 0) & 0xFFFFFF) << c.what;
    EXPECT_EQ(0x808080u, d->GetColor(2, 0) & 0xFFFFFF) << c.what;
  }
  // Without a usable library picture there is nothing to paint.
  jvqPatternFill none;
  none.SetPattern(&lib.list, 7, 0, 0);
  none.BuildPatternBitmap();
  EXPECT_EQ(nullptr, none.GetPatternBitmap());
  jvqPatternFill::SetLibrary(NULL);
}

TEST(Tiling, ColumnsCoverTheBoxLastOneCut) {
  EXPECT_EQ(4, jvqTileCount(3 * 64 + 10, 64));
  EXPECT_EQ(3, jvqTileCount(3 * 64, 64));
  EXPECT_EQ(0, jvqTileCount(0, 64));
  EXPECT_EQ(0, jvqTileCount(100, 0));
}

TEST(TextureFill, KindFollowsTheOwnPicture) {
  jvqTextureFill none;
  std::string rec = Store(&none);
  ASSERT_EQ(12u, rec.size());
  EXPECT_EQ(0x200000, IntAt(rec, 0));
  EXPECT_EQ(0, IntAt(rec, 4));
  EXPECT_EQ(-1, IntAt(rec, 8));

  jvqTextureFill own;
  own.m_nIndex = 3;
  own.m_pImage = MakePicture(8, 4);
  rec = Store(&own);
  EXPECT_EQ(1, IntAt(rec, 4));
  EXPECT_EQ((int32_t)own.m_pImage->GetSize(), IntAt(rec, 8));
  BOOL ok = FALSE;
  std::unique_ptr<jvqFill> back = Load(rec, &ok);
  ASSERT_TRUE(ok);
  jvqTextureFill* t = (jvqTextureFill*)back.get();
  ASSERT_TRUE(t->GetDib());
  EXPECT_EQ(8, t->GetDib()->GetWidth());
  EXPECT_EQ(rec, Store(back.get()));

  // A size beyond the bytes left, a cut picture and an unknown kind fail the record.
  std::string oversized = rec;
  const int32_t big = 0x7FFFFFF0;
  std::memcpy(&oversized[8], &big, 4);
  std::string kind2 = rec;
  const int32_t two = 2;
  std::memcpy(&kind2[4], &two, 4);
  for (const std::string& bad : {oversized, rec.substr(0, rec.size() - 1), kind2}) {
    Load(bad, &ok);
    EXPECT_FALSE(ok);
  }
}

TEST(TextureFill, LibraryPictureUnlessItsOwn) {
  jvqImageFileList lib;
  CImageLibraryEntry* e = new CImageLibraryEntry(1, "木目", NULL);
  e->m_pImage = MakePicture(16, 16);
  lib.Add(e);
  jvqTextureFill::SetLibrary(&lib);
  jvqTextureFill f;
  EXPECT_EQ(nullptr, f.GetDib());
  f.m_nIndex = 0;
  ASSERT_TRUE(f.GetDib());
  EXPECT_EQ(16, f.GetDib()->GetWidth());
  f.m_nIndex = 5;
  EXPECT_EQ(nullptr, f.GetDib());  // an index past the library paints nothing
  f.m_pImage = MakePicture(4, 4);
  EXPECT_EQ(4, f.GetDib()->GetWidth());
  EXPECT_EQ(nullptr, f.SetFile("no such texture.bmp"));
  EXPECT_EQ(nullptr, f.m_pImage);
  jvqTextureFill::SetLibrary(NULL);
}

TEST(ImageFill, OldRecordsEmbedTheNewHoldTheId) {
  jvqImagePool pool;
  jvqImageFill f(NULL, &pool);
  ASSERT_TRUE(f.SetPicture(MakePicture(5, 7), &pool));
  const std::string now = Store(&f, 91530, &pool);
  ASSERT_EQ(8u, now.size());
  EXPECT_EQ(0x90000, IntAt(now, 0));
  EXPECT_EQ(f.GetPoolId(), IntAt(now, 4));
  const std::string old = Store(&f, 91100, &pool);
  EXPECT_EQ((int32_t)f.GetImage()->GetSize(), IntAt(old, 4));
  EXPECT_EQ(1, IntAt(old, 8));
  jvqImagePool other;
  BOOL ok = FALSE;
  std::unique_ptr<jvqFill> back = Load(old, &ok, 91100, &other);
  ASSERT_TRUE(ok);
  ASSERT_EQ(1, other.GetCount());
  EXPECT_EQ(1, other.GetAt(0)->GetRefCount());
  EXPECT_EQ(CSize(5, 7), ((jvqImageFill*)back.get())->GetImage()->GetDimensions());
  // An embedded size beyond the bytes left fails, the pool unchanged.
  std::string bad = old;
  const int32_t big = 0x7FFFFFF0;
  std::memcpy(&bad[4], &big, 4);
  Load(bad, &ok, 91100, &other);
  EXPECT_FALSE(ok);
  EXPECT_EQ(1, other.GetCount());
}

TEST(ImageLibrary, FolderPrefixGetsOneBackslash) {
  EXPECT_STREQ("C:\\QVZ\\テクスチャ\\", (LPCTSTR)jvqFolderPrefix("C:\\QVZ\\テクスチャ"));
  EXPECT_STREQ("C:\\QVZ\\", (LPCTSTR)jvqFolderPrefix("C:\\QVZ\\"));
  // 表 ends in the byte of a backslash: it still gets a separator.
  EXPECT_STREQ("C:\\表\\", (LPCTSTR)jvqFolderPrefix("C:\\表"));
}

#ifdef _WIN32
// Index files name paths with backslashes: these run where those are separators.
TEST(ImageLibrary, IndexLinesNameAndNumberTheEntries) {
  const char* index = "board_pictures_index.dat";
  FILE* f = std::fopen(index, "wb");
  ASSERT_TRUE(f);
  std::fputs("木目/wood.bmp\r\n\r\n/x.bmp\r\nno slash\r\na/b/c.bmp\r\n表/hyo.bmp\r\n", f);
  std::fclose(f);
  jvqImageFileList list;
  ASSERT_TRUE(LoadImageLibraryIndex(".", &list, index));
  std::remove(index);
  ASSERT_EQ(3, list.GetCount());
  EXPECT_STREQ(".\\wood.bmp", (LPCTSTR)list.GetAt(0)->m_strPath);
  EXPECT_STREQ(".\\c.bmp", (LPCTSTR)list.GetAt(1)->m_strPath);
  EXPECT_STREQ(".\\hyo.bmp", (LPCTSTR)list.GetAt(2)->m_strPath);
  // Without a picture an entry keeps only its path.
  EXPECT_EQ(0, list.GetAt(0)->m_nNumber);
  EXPECT_FALSE(LoadImageLibraryIndex(".", &list, "no such index.dat"));
  EXPECT_TRUE(jvqImageFileList::IsPictureFile("a.jpeg"));
  EXPECT_TRUE(jvqImageFileList::IsPictureFile("a.bmp"));
  EXPECT_FALSE(jvqImageFileList::IsPictureFile("a.txt"));
}

// Entries whose picture reads keep number and name, numbered in index order; the folder
// listing keeps picture files only, sorted by path.
TEST(ImageLibrary, PicturesOfTheIndexAndOfTheFolder) {
  const char* dir = "board_pictures_lib";
  ::CreateDirectoryA(dir, NULL);
  std::unique_ptr<CDibImage> p(MakePicture(4, 4));
  ASSERT_TRUE(p->Write("board_pictures_lib\\wood.bmp"));
  ASSERT_TRUE(p->Write("board_pictures_lib\\c.bmp"));
  ASSERT_TRUE(p->Write("board_pictures_lib\\b.png"));
  ASSERT_TRUE(p->Write("board_pictures_lib\\a.bmp"));
  FILE* f = std::fopen("board_pictures_lib\\TINDEX.DAT", "wb");
  std::fputs("木目/wood.bmp\r\n\r\n/x.bmp\r\na/b/c.bmp\r\n", f);
  std::fclose(f);
  jvqImageFileList list;
  ASSERT_TRUE(LoadImageLibraryIndex(dir, &list, "TINDEX.DAT"));
  ASSERT_EQ(2, list.GetCount());
  EXPECT_EQ(1, list.GetAt(0)->m_nNumber);
  EXPECT_STREQ("木目", (LPCTSTR)list.GetAt(0)->m_strName);
  EXPECT_EQ(2, list.GetAt(1)->m_nNumber);
  EXPECT_STREQ("a/b", (LPCTSTR)list.GetAt(1)->m_strName);
  list.SortByPath();
  EXPECT_STREQ("board_pictures_lib\\c.bmp", (LPCTSTR)list.GetAt(0)->m_strPath);

  const int numbers[] = {7, 8, 9, 10};
  const LPCTSTR names[] = {"一", "二", "三", "四"};
  jvqImageFileList folder;
  ASSERT_TRUE(folder.Load(numbers, names, dir, 10));
  ASSERT_EQ(4, folder.GetCount());  // TINDEX.DAT is no picture
  EXPECT_STREQ("board_pictures_lib\\a.bmp", (LPCTSTR)folder.GetAt(0)->m_strPath);
  EXPECT_STREQ("board_pictures_lib\\b.png", (LPCTSTR)folder.GetAt(1)->m_strPath);
  jvqImageFileList one;
  ASSERT_TRUE(one.Load(numbers, names, dir, 1));
  ASSERT_EQ(1, one.GetCount());
  EXPECT_STREQ("board_pictures_lib\\a.bmp", (LPCTSTR)one.GetAt(0)->m_strPath);
  EXPECT_FALSE(one.Load(NULL, names, dir, 1));
  for (const char* n : {"wood.bmp", "c.bmp", "b.png", "a.bmp", "TINDEX.DAT"})
    std::remove((std::string("board_pictures_lib\\") + n).c_str());
  ::RemoveDirectoryA(dir);
}
#endif
