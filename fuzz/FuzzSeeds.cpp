// Writes the first corpus of every harness into the folder named on the command line, one
// subfolder per harness, from the generators the tests use: the seeds are files our own
// writers make, so the fuzzer starts from inputs the readers accept.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BmpFixtures.h"
#include "BoardFixture.h"
#include "CatalogFixture.h"
#include "CatalogFolder.h"
#include "Dib.h"
#include "FuzzTarget.h"
#include "MetafileFixtures.h"
#include "RasterFixtures.h"
#include "SceneGenerator.h"
#include "TextureFixtures.h"
#include "TextureInfo.h"
#include "afxarch.h"
#include "jvqBoardStream.h"
#include "jvqImageObject.h"
#include "jvqImagePool.h"
#include "jvqPage.h"
#include "PictureFixture.h"
#include "ShapeFixture.h"
#include "jvqObjectsFile.h"
#include "yqCatalog.h"

namespace fs = std::filesystem;


namespace {

std::string g_out;

template <class Bytes>
void Seed(const char* harness, const std::string& name, const Bytes& bytes) {
  const std::string dir = g_out + "/" + harness;
  fs::create_directories(dir);
  if (!fuzz::WriteFileBytes(dir + "/" + name, bytes.data(), bytes.size())) {
    std::perror((dir + "/" + name).c_str());
    std::exit(1);
  }
}

std::string MemBytes(CMemFile& f) {
  std::string s((size_t)f.GetLength(), '\0');
  f.SeekToBegin();
  if (!s.empty()) f.Read(&s[0], (UINT)s.size());
  return s;
}

void BoardSeeds() {
  EnsurePrototypes();
  for (int version : {91000, 91100, 91200, 91400, 91530}) {
    std::unique_ptr<jvqBoard> b(MakeTestBoard(2));
    jvqFileHeader h;
    h.m_nVersion = version;
    CDib thumb;
    thumb.Create(6, 4, 24);
    CMemFile f;
    {
      CArchive ar(&f, CArchive::store);
      jvqBoardStream::Write(ar, &h, b.get(), version >= JVQ_VERSION_THUMBNAIL ? &thumb : NULL);
      ar.Close();
    }
    Seed("board_stream", "board-" + std::to_string(version), MemBytes(f));
  }
  // Boards with pictures: shown twice (one pool entry from 91200, embedded before), and one
  // kept only for undo, so the image pool's block has entries to read.
  for (int version : {91100, 91200, 91530}) {
    jvqImagePool pool;
    std::unique_ptr<jvqBoard> b(new jvqBoard(NULL));
    for (int i = 0; i < 3; i++) {
      jvqImageObject* o = new jvqImageObject(&pool, NULL, NULL);
      o->SetPicture(&pool, MakePicture(8 + i, 6), FALSE);
      const RECT r = {100 + 500 * i, 100, 500 + 500 * i, 400};
      o->SetRect(&r, NULL, i == 2 ? 0x211 : 0x311);
      b->GetPage(0)->AddChild(o);
      if (i == 0) b->GetPage(0)->AddChild(o->Clone());
    }
    jvqFileHeader h;
    h.m_nVersion = version;
    h.m_pImagePool = &pool;
    CMemFile f;
    {
      CArchive ar(&f, CArchive::store);
      jvqBoardStream::Write(ar, &h, b.get(), NULL);
      ar.Close();
    }
    Seed("board_stream", "pictures-" + std::to_string(version), MemBytes(f));
  }
  // The clipboard block of one page's objects, as copy writes it.
  {
    std::unique_ptr<jvqBoard> b(MakeTestBoard(1));
    jvqPage* page = b->GetPage(0);
    jvqFileHeader h;
    CMemFile f;
    int32_t n = 0;
    for (int i = 0; i < page->GetChildCount(); i++)
      if (page->GetChild(i)->m_dwState & JVQ_STATE_ALIVE) n++;
    f.Write(&n, 4);
    for (int i = 0; i < page->GetChildCount(); i++) {
      jvqObject* p = page->GetChild(i);
      if (!(p->m_dwState & JVQ_STATE_ALIVE)) continue;
      h.m_nVersion = p->GetClassCode() == JVQ_OBJ_BANNER ? JVQ_VERSION_CURRENT : JVQ_VERSION_CLIPBOARD;
      p->Store(&f, &h);
    }
    Seed("clipboard_block", "page", MemBytes(f));
  }
  const std::string objects = fuzz::ScratchDir() + "/seed-objects";
  if (jvqSaveObjectsFile(objects.c_str())) {
    std::string bytes;
    fuzz::ReadFileBytes(objects, bytes);
    Seed("objects_file", "objects", bytes);
    fs::remove(objects);
  }
  jvqObjectDefaults::FreeObjectDefaults();
}

// Shape files as the shape and symbol palettes hold them, and floor plans around a metafile.
void ShapeSeeds() {
  std::unique_ptr<CVectorShapeEx> shape(MakeShape(200, 100));
  const std::string path = fuzz::ScratchDir() + "/seed.tqz";
  if (shape->SaveFile(path.c_str())) {
    std::string bytes;
    fuzz::ReadFileBytes(path, bytes);
    Seed("shape_file", "triangle", bytes);
    fs::remove(path);
  }
  shape->m_nMirror = VECTOR_MIRROR_HORIZONTAL;
  Seed("shape_file", "stream", StreamOf(*shape));
  Seed("floor_plan", "plan", PlanFileBytes(9000.0, 7000.0, TinyEmf()));
  Seed("floor_plan", "tall", PlanFileBytes(3000.0, 12000.0, TinyEmf(300, 1200)));
  Seed("order_file", "clean", std::string("A\r\n\x95\x5C\r\nb\r\n"));
  Seed("order_file", "loose", std::string("\r\nA\n\nb"));
  // A catalogue item: six strings, the information text holding the price and the product details.
  const char item[] = "C:\\cat\\p1.jpg\0key\0P0001\0\x8C\xBA\x8A\xD6\0x\0"
                      "\x81\xA1\x89\xBF\x8A\x69 12000\r\nline2\r\nspec\r\n\0";
  Seed("catalog_item", "item", std::string(item, sizeof(item) - 1));
}

void CatalogSeeds() {
  const fuzz::CatalogFolder& folder = fuzz::GeneratedCatalog();
  for (size_t i = 0; i < folder.files.size(); i++) {
    std::string bytes;
    fuzz::ReadFileBytes(folder.pristine + "/" + folder.files[i], bytes);
    Seed("catalog_folder", folder.files[i], std::string(1, (char)i) + bytes);
  }
  yqCatalog catalog;
  if (catalog.Load(folder.root.c_str())) {
    const std::string cache = fuzz::ScratchDir() + "/seed-HISTORY.DAT";
    fs::remove(cache);
    int offset = 0, size = 0;
    if (catalog.SaveToCache(cache.c_str(), offset, size)) {
      std::string bytes;
      fuzz::ReadFileBytes(cache, bytes);
      Seed("catalog_cache", "history", bytes.substr((size_t)offset, (size_t)size));
    }
    fs::remove(cache);
  }
}

void SceneSeeds() {
  using namespace SceneGenerator;
  const Scene scenes[] = {MakeGrid(4, false, 1, 0), MakeGrid(8, true, 2, 1), MakeGrid(2, false, 0, 2)};
  int i = 0;
  for (const Scene& s : scenes) {
    Seed("scene_text", "scene" + std::to_string(i), WriteText(s));
    Seed("scene_container", "scene" + std::to_string(i), WriteContainer(s));
    i++;
  }
  Archive a;
  a.name = "tex.bmp";
  a.bytes = {'-', 'l', 'h', '0', '-'};
  Seed("scene_container", "with-archive", WriteContainer(scenes[1], {a}));
  Seed("scene_bitmap", "b4", MakeBmp(3, 2, 4, {0, 1, 2, 3, 1, 0}, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
  Seed("scene_bitmap", "b8", MakeBmp(5, 3, 8, std::vector<uint8_t>(15, 1), {0x102030, 0x405060}));
  Seed("scene_bitmap", "b24", MakeBmp(3, 3, 24, std::vector<uint8_t>(27, 0x80)));
  Seed("scene_bitmap", "b8-core", MakeBmp(2, 2, 8, {0, 1, 1, 0}, {0x102030, 0x405060}, 12));
}

void PictureSeeds() {
  using namespace fixtures;
  for (HeaderKind kind : {kCore, kInfo, kV4, kV5})
    for (int bits : {1, 4, 8, 16, 24, 32}) {
      if (kind == kCore && (bits == 16 || bits == 32)) continue;
      const Bytes bmp = MakeBmp(kind, 5, 3, bits, false, bits == 16 || bits == 32);
      const std::string name = "h" + std::to_string((int)kind) + "-" + std::to_string(bits);
      Seed("picture_bmp", name, bmp);
      Seed("picture_packed_dib", name, Bytes(bmp.begin() + 14, bmp.end()));
    }
  Seed("picture_bmp", "topdown", MakeBmp(kInfo, 4, 4, 24, true));
  const Bytes emf = MakeTinyEmf(2000, 1000);
  Seed("picture_metafile", "emf", emf);
  Bytes stored = {(uint8_t)emf.size(), (uint8_t)(emf.size() >> 8), 0, 0};
  stored.insert(stored.end(), emf.begin(), emf.end());
  Seed("picture_metafile", "stored", stored);
  Seed("picture_raster_header", "png", MakePng(4, 3, 3780));
  Seed("picture_raster_header", "png-alpha", MakePng(2, 2, 0, true));
  Seed("picture_raster_header", "tiff-inch", MakeTiff(3, 2, 300));
  Seed("picture_raster_header", "tiff-cm", MakeTiff(3, 2, 118, 3));
}

void TextureSeeds() {
  using namespace texture_test;
  struct Kind {
    int bits;
    DWORD header;
  };
  for (Kind k : {Kind{1, 40}, Kind{4, 40}, Kind{8, 40}, Kind{8, 12}, Kind{16, 40}, Kind{24, 40}, Kind{32, 108}}) {
    BmpSpec spec;
    spec.width = 5;
    spec.height = 3;
    spec.bitCount = k.bits;
    spec.headerSize = k.header;
    if (k.bits <= 8)
      for (int i = 0; i < (1 << k.bits) && i < 16; i++) spec.palette.push_back(RGB(i * 15, 255 - i * 15, i * 7));
    for (int i = 0; i < 15; i++) spec.values.push_back(k.bits <= 8 ? (uint32_t)(i % (1 << (k.bits < 4 ? k.bits : 4))) : (uint32_t)(i * 0x10203));
    const std::string name = "b" + std::to_string(k.bits) + "-" + std::to_string(k.header);
    Bytes bmp = MakeBmp(spec);
    Seed("texture_bmp", name, bmp);
    Seed("texture_clipboard_dib", name, MakePackedDib(spec));
    if (k.bits == 24 || k.bits == 8) {
      CTextureInfo info;
      info.m_nPrice = 1200;
      info.m_strName = "タイル";
      info.m_strModelNumber = "T-100";
      info.m_strComment = "白";
      info.m_strRemarks = "備考";
      DWORD length = 0;
      BYTE* trailer = BuildTextureTrailer(&info, &length);
      bmp.insert(bmp.end(), trailer, trailer + length);
      free(trailer);
      Seed("texture_bmp", name + ".kjq", bmp);
      Seed("texture_trailer", name + ".kjq", bmp);
    }
  }
  for (int components : {1, 3}) {
    for (bool progressive : {false, true}) {
      JpegSpec spec;
      spec.width = 9;
      spec.height = 7;
      spec.components = components;
      spec.progressive = progressive;
      spec.quality = 75;
      const std::string name = "j" + std::to_string(components) + (progressive ? "p" : "b");
      const Bytes jpeg = MakeJpeg(spec);
      Seed("texture_jpeg", name, jpeg);
      Seed("picture_jpeg", name, jpeg);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s folder\n", argv[0]);
    return 2;
  }
  g_out = argv[1];
  BoardSeeds();
  ShapeSeeds();
  CatalogSeeds();
  SceneSeeds();
  PictureSeeds();
  TextureSeeds();
  return 0;
}
