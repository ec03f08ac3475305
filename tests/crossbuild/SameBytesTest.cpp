// Every build writes the same bytes for the same input: a board stream, a texture file and a
// catalogue cache block are fingerprinted here, and each build (32-bit and 64-bit Windows,
// native) must meet the same fingerprints. A change of format changes them on purpose.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "board_document/BoardFixture.h"
#include "catalog/CatalogFixture.h"
#include "texture_wizard/TextureFixtures.h"

#include "BmpFileImage.h"
#include "TextureInfo.h"
#include "afxarch.h"
#include "jvqBoardStream.h"
#include "yqCatalog.h"

namespace {

// The fingerprints of today's formats.
const char BOARD_STREAM[] = "ca781047c4a90d0b";
const char TEXTURE_FULL[] = "f9e6b0a4c3705372";
const char TEXTURE_EIGHT[] = "88873ae6fc9b0c0d";
#ifdef _WIN32
const char CATALOGUE_CACHE[] = "999d622e390911bc";
#else
const char CATALOGUE_CACHE[] = "ba1676c2a299cfbf";
#endif

// FNV-1a, 64 bits: enough to tell two outputs apart, and the same in every build.
uint64_t Fingerprint(const void* data, size_t size) {
  uint64_t h = 1469598103934665603ull;
  const unsigned char* p = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; i++) {
    h ^= p[i];
    h *= 1099511628211ull;
  }
  return h;
}

std::string Hex(uint64_t v) {
  char s[20];
  snprintf(s, sizeof s, "%016llx", static_cast<unsigned long long>(v));
  return s;
}

}  // namespace

TEST(SameBytes, BoardStream) {
  EnsurePrototypes();
  std::unique_ptr<jvqBoard> b(MakeTestBoard(3));
  jvqFileHeader h;
  h.AddProperty("物件名", "テスト邸");
  h.AddProperty("担当", "営業部");
  CMemFile f;
  {
    CArchive ar(&f, CArchive::store);
    jvqBoardStream::Write(ar, &h, b.get(), NULL);
    ar.Close();
  }
  std::string bytes(static_cast<size_t>(f.GetLength()), '\0');
  f.SeekToBegin();
  f.Read(&bytes[0], static_cast<UINT>(bytes.size()));
  EXPECT_EQ(BOARD_STREAM, Hex(Fingerprint(bytes.data(), bytes.size()))) << bytes.size() << " bytes";
}

TEST(SameBytes, TextureFile) {
  using texture_test::Bytes;
  texture_test::BmpSpec spec;
  spec.width = 37;
  spec.height = 23;
  for (int i = 0; i < spec.width * spec.height; i++)
    spec.values.push_back(RGB(i * 7 % 256, i * 13 % 256, i * 29 % 256));
  const std::string bmp = texture_test::ScratchPath("same-source.bmp");
  texture_test::WriteFile(bmp, texture_test::MakeBmp(spec));
  CBmpFileImage source;
  ASSERT_TRUE(source.Load(bmp.c_str(), 0, nullptr));
  source.SetLayer(source.GetInfo(0), source.GetBits(0), 1);
  for (BOOL eightBit : {FALSE, TRUE}) {
    CTextureInfo info;
    info.m_strName = "レンガ";
    info.m_strModelNumber = "KB-1200";
    info.m_nPrice = 12800;
    const std::string path = texture_test::ScratchPath(eightBit ? "same-eight.kjq" : "same-full.kjq");
    ASSERT_TRUE(source.Save(path.c_str(), eightBit, &info));
    const Bytes file = texture_test::ReadFile(path);
    EXPECT_EQ(eightBit ? TEXTURE_EIGHT : TEXTURE_FULL, Hex(Fingerprint(file.data(), file.size())))
        << file.size() << " bytes";
  }
}

TEST(SameBytes, CatalogueCacheBlock) {
  // The block keeps the catalogue's root: a relative one keeps the bytes the same wherever
  // the tests run. Windows builds write "\\" where the native one writes "/".
  using namespace catalogtest;
  const std::string folder = "same-bytes-catalogue";
  RemoveFolder(folder);
  catalogtest::FixtureOptions options;
  options.products = 60;
  const Manifest manifest = GenerateCatalog(folder + "/cat", options);
  yqCatalog catalog;
  ASSERT_EQ(catalog.Load(manifest.root.c_str()), 1);
  const std::string cache = folder + "/HISTORY.DAT";
  int offset = -1, size = -1;
  ASSERT_EQ(catalog.SaveToCache(CatalogPath(cache).c_str(), offset, size), 1);
  const std::string bytes = catalogtest::ReadFile(cache);
  EXPECT_EQ(CATALOGUE_CACHE, Hex(Fingerprint(bytes.data(), bytes.size()))) << bytes.size() << " bytes";
  RemoveFolder(folder);
}
