#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include <pictal.h>

#include "BmpFixtures.h"
#include "DibMemory.h"
#include "MetafileFixtures.h"

using namespace fixtures;

namespace {

void WriteFile(const std::string& path, const Bytes& data)
{
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), (std::streamsize)data.size());
}

Bytes ReadFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes a CMemFile holds, from the start.
Bytes Contents(CMemFile& file)
{
  Bytes out(file.GetLength());
  file.SeekToBegin();
  if (!out.empty()) file.Read(out.data(), (UINT)out.size());
  return out;
}

}  // namespace

TEST(Picture, ChosenByExtensionOrContent)
{
  WriteFile("pic_test.bmp", MakeBmp(kInfo, 6, 4, 24, false, false, 3937, 3937));
  WriteFile("pic_test.dat", MakeBmp(kInfo, 6, 4, 8));
  WriteFile("pic_test.JPG", Bytes(40, 0x11));
  struct Case { const char* path; CRuntimeClass* cls; } cases[] = {
      {"pic_test.bmp", RUNTIME_CLASS(CDibImage)},
      {"pic_test.dat", RUNTIME_CLASS(CDibImage)},
      {"pic_test.JPG", NULL},      // a JPEG name over bytes that are none
      {"no_such_file.bmp", NULL},
      {"", NULL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    CBaseImage* p = CBaseImage::CreateFromPath(c.path);
    if (!c.cls) {
      EXPECT_EQ(nullptr, p);
      continue;
    }
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(c.cls, p->GetRuntimeClass());
    EXPECT_EQ(CSize(6, 4), p->GetDimensions());
    delete p;
  }
  struct Ext { const char* path; CRuntimeClass* cls; } exts[] = {
      {"a.jpg", RUNTIME_CLASS(CJpegImage)}, {"a.Tif", RUNTIME_CLASS(CTiffImage)}, {"a.png", RUNTIME_CLASS(CPngImage)},
      {"a.wmf", RUNTIME_CLASS(CMetafileImage)}, {"a.emf", RUNTIME_CLASS(CMetafileImage)},
      {"a.kxq", RUNTIME_CLASS(CMetafileImage)}, {"a.DXF", RUNTIME_CLASS(CMetafileImage)},
      {"a.BMP", RUNTIME_CLASS(CDibImage)}, {"a.jpeg", NULL},
  };
  for (const Ext& e : exts) {
    CBaseImage* p = CBaseImage::CreateForExtension(e.path);
    EXPECT_EQ(e.cls, p ? p->GetRuntimeClass() : NULL) << e.path;
    delete p;
  }
  CBaseImage* meta = CBaseImage::CreateForExtension("x.emf");
  EXPECT_TRUE(meta->IsKindOf(RUNTIME_CLASS(CBaseImage)));
  EXPECT_FALSE(meta->IsKindOf(RUNTIME_CLASS(CDibImage)));
  delete meta;
  std::remove("pic_test.bmp");
  std::remove("pic_test.dat");
  std::remove("pic_test.JPG");
}

TEST(Picture, StreamFormReadsExactlyWhatWasWritten)
{
  WriteFile("pic_stream.bmp", MakeBmp(kCore, 5, 3, 4));
  WriteFile("pic_stream.emf", MakeTinyEmf(2540, 1270));
  CDibImage raster;
  ASSERT_TRUE(raster.Read("pic_stream.bmp"));
  CMetafileImage meta;
  ASSERT_TRUE(meta.Read("pic_stream.emf"));
  EXPECT_EQ(nullptr, meta.GetBI());
  EXPECT_EQ(CSize(96, 48), meta.GetDimensions());

  // Two pictures back to back, then a marker: each reader takes its own bytes only.
  CMemFile file;
  DWORD rasterSize = raster.GetSize(), metaSize = meta.GetSize();
  ASSERT_TRUE(raster.Write(&file));
  ASSERT_TRUE(meta.WriteforSerialize(&file));
  EXPECT_EQ(rasterSize + metaSize, file.GetLength());
  file.Write("END", 3);
  file.SeekToBegin();
  CDibImage raster2;
  CMetafileImage meta2;
  ASSERT_TRUE(raster2.Read(&file, rasterSize));
  ASSERT_TRUE(meta2.ReadforSerialize(&file));
  char marker[3];
  ASSERT_EQ(3u, file.Read(marker, 3));
  EXPECT_EQ(0, memcmp(marker, "END", 3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(ExpectedColor(x, y, 4), FromColorRef(raster2.GetDib()->GetColor(x, y)));
  EXPECT_EQ(meta.GetData(), meta2.GetData());

  // A metafile written to a file, taken from a memory block, and cloned.
  ASSERT_TRUE(meta.Write("pic_stream2.emf"));
  CMetafileImage fromFile;
  ASSERT_TRUE(fromFile.Read("pic_stream2.emf"));
  EXPECT_EQ(meta.GetData(), fromFile.GetData());
  std::remove("pic_stream2.emf");
  HGLOBAL block = pictal::MemAlloc(meta.GetData().size());
  memcpy(pictal::MemPtr(block), meta.GetData().data(), meta.GetData().size());
  CMetafileImage adopted;
  ASSERT_TRUE(adopted.CreateFromHandle(block));
  std::unique_ptr<CBaseImage> clone(adopted.Clone());
  ASSERT_TRUE(clone && clone->IsKindOf(RUNTIME_CLASS(CMetafileImage)));
  EXPECT_EQ(meta.GetData(), static_cast<CMetafileImage*>(clone.get())->GetData());

  // Read (CFile*, size) of a metafile takes the form Write (CFile*) made.
  CMemFile again;
  ASSERT_TRUE(meta.Write(&again));
  again.SeekToBegin();
  CMetafileImage meta3;
  EXPECT_TRUE(meta3.Read(&again, metaSize));
  std::remove("pic_stream.bmp");
  std::remove("pic_stream.emf");
}

TEST(Picture, DamagedStreamsFailCleanly)
{
  CDib dib;
  ASSERT_TRUE(dib.Create(4, 4, 24));
  CMemFile file;
  dib.Write(&file);
  Bytes good = Contents(file);

  // A count far beyond the file, a count short of the picture, and a broken header.
  CMemFile f1;
  f1.Write(good.data(), (UINT)good.size());
  f1.SeekToBegin();
  CDib d1;
  EXPECT_FALSE(d1.Read(&f1, 0x7FFFFFF0));
  EXPECT_TRUE(d1.IsEmpty());
  CMemFile f2;
  f2.Write(good.data(), (UINT)good.size());
  f2.SeekToBegin();
  EXPECT_FALSE(d1.Read(&f2, (DWORD)good.size() - 1));
  Bytes broken = good;
  broken[14] = 3;  // bit count
  CMemFile f3;
  f3.Write(broken.data(), (UINT)broken.size());
  f3.SeekToBegin();
  EXPECT_FALSE(d1.Read(&f3, (DWORD)broken.size()));

  // A metafile whose count claims more than the file holds, and one that is no metafile.
  Bytes emf = MakeTinyEmf(100, 100);
  for (uint32_t count : {0x7FFFFFFFu, (uint32_t)emf.size() - 4}) {
    CMemFile f;
    Writer w;
    w.u32(count);
    w.b.insert(w.b.end(), emf.begin(), emf.end());
    f.Write(w.b.data(), (UINT)w.b.size());
    f.SeekToBegin();
    CMetafileImage m;
    EXPECT_FALSE(m.ReadforSerialize(&f)) << count;
    EXPECT_EQ(0u, m.GetSize());
  }
  Bytes notEmf = emf;
  notEmf[40] = 'X';
  WriteFile("pic_bad.emf", notEmf);
  CMetafileImage m;
  EXPECT_FALSE(m.Read("pic_bad.emf"));
  std::remove("pic_bad.emf");
}

TEST(Picture, BmpAndJpegFilesRoundTrip)
{
  CDib dib;
  ASSERT_TRUE(dib.Create(16, 8, 24));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) dib.SetColor(x, y, x < 8 ? RGB(200, 30, 30) : RGB(30, 30, 200));
  dib.GetBI()->biXPelsPerMeter = dib.GetBI()->biYPelsPerMeter = 3937;
  ASSERT_TRUE(dib.Write("pic_round.bmp"));
  CDib back;
  ASSERT_TRUE(back.Read("pic_round.bmp"));
  EXPECT_EQ(dib.GetSize(), back.GetSize());
  EXPECT_EQ(0, memcmp(dib.GetBI(), back.GetBI(), dib.GetSize()));
  EXPECT_EQ((void*)dib.GetBI(), (void*)dib.GetHandle());

  CJpegImage jpeg;
  ASSERT_TRUE(jpeg.GetDib()->CreateFromPacked(dib.GetBI(), dib.GetSize()));
  ASSERT_TRUE(jpeg.Write("pic_round.jpg"));
  CBaseImage* read = CBaseImage::CreateFromPath("pic_round.jpg");
  ASSERT_NE(nullptr, read);
  EXPECT_TRUE(read->IsKindOf(RUNTIME_CLASS(CJpegImage)));
  EXPECT_EQ(CSize(16, 8), read->GetDimensions());
  ASSERT_NE(nullptr, read->GetBI());
  EXPECT_EQ(3937, read->GetBI()->biXPelsPerMeter);
  COLORREF c = static_cast<CDibImage*>(read)->GetDib()->GetColor(2, 2);
  EXPECT_NEAR(200, GetRValue(c), 12);
  EXPECT_NEAR(30, GetBValue(c), 12);

  // A clone lives on its own.
  CBaseImage* copy = read->Clone();
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(read->GetRuntimeClass(), copy->GetRuntimeClass());
  delete read;
  EXPECT_EQ(CSize(16, 8), copy->GetDimensions());
  delete copy;

  // A failed write leaves the old file whole.
  Bytes before = ReadFile("pic_round.bmp");
  CDib empty;
  EXPECT_FALSE(empty.Write("pic_round.bmp"));
  EXPECT_FALSE(dib.Write("no_such_folder/x.bmp"));
  EXPECT_EQ(before, ReadFile("pic_round.bmp"));
  std::remove("pic_round.bmp");
  std::remove("pic_round.jpg");
}
