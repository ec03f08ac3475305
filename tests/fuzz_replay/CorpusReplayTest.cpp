// Every input the native fuzzers kept, fed through the Windows readers of its format: board
// streams inside compound files (and as flat files) and their previews, object files, BMP,
// JPEG, PNG and TIFF pictures, and metafiles converted and played through GDI. A reader may refuse an input; it must not
// crash, leak a half-read object or hang.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "DibImage.h"
#include "JpegImage.h"
#include "MetafileImage.h"
#include "PngImage.h"
#include "TiffImage.h"
#include "afxarch.h"
#include "jvqBoard.h"
#include "jvqBoardStream.h"
#include "jvqCompoundFile.h"
#include "jvqFileHeader.h"
#include "jvqObjectDefaults.h"
#include "BoardFilePreview.h"
#include "Dib.h"
#include "qvzObjectFileReader.h"

namespace {

std::string CorpusRoot() {
  const char* env = std::getenv("QVZ_FUZZ_CORPUS");
  return env && *env ? env : QVZ_FUZZ_CORPUS_DEFAULT;
}

// The files of one harness's corpus, at most limit of them (the smallest names first).
std::vector<std::string> Inputs(const char* harness, size_t limit = 400) {
  std::vector<std::string> files;
  const std::string dir = CorpusRoot() + "\\" + harness;
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(dir + "\\" + fd.cFileName);
  } while (files.size() < limit && ::FindNextFileA(h, &fd));
  ::FindClose(h);
  if (limit > 1) std::printf("%s: %u inputs\n", harness, (unsigned)files.size());
  return files;
}

std::string ReadAll(const std::string& path) {
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
  }
  return bytes;
}

std::string Scratch(const char* name) {
  char dir[MAX_PATH];
  ::GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + "qvz-replay-" + name;
}

void WriteAll(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// What the document does with a "Contents" stream: read it whole or not at all.
void ReadContents(const std::string& path) {
  CFile* pFile = NULL;
  jvqFileHeader header;
  jvqBoard board(jvqObjectDefaults::GetObjectDefaults()->GetDefaultView());
  try {
    pFile = jvqCompoundFile::OpenContents(path.c_str());
    CArchive ar(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
    CDib* pThumb = NULL;
    try {
      jvqBoardStream::Read(ar, &header, &board, &pThumb);
      ar.Close();
    } catch (...) {
      ar.Abort();
      throw;
    }
    delete pThumb;
  } catch (CException* e) {
    e->Delete();
  }
  delete pFile;
}

class CorpusReplay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Inputs("board_stream", 1).empty() && Inputs("picture_bmp", 1).empty())
      GTEST_SKIP() << "no fuzzing corpora in " << CorpusRoot() << " (run fuzz/run.sh first)";
    ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
  }
  void TearDown() override { ::CoUninitialize(); }
};

}  // namespace

TEST_F(CorpusReplay, BoardStreamsInCompoundAndFlatFiles) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  if (d->GetCount() == 0) d->CreatePrototypes();
  const std::string compound = Scratch("board.vqd"), flat = Scratch("flat.vqd");
  for (const std::string& input : Inputs("board_stream")) {
    SCOPED_TRACE(input);
    const std::string bytes = ReadAll(input);
    jvqStreamFile* pOut = jvqCompoundFile::CreateContents(compound.c_str());
    pOut->Write(bytes.data(), (UINT)bytes.size());
    pOut->Commit();
    delete pOut;
    ReadContents(compound);
    WriteAll(flat, bytes);
    ReadContents(flat);
    // The open dialog's and the template sheet's preview of the same files.
    for (const std::string& path : {compound, flat}) {
      CString text;
      delete ReadBoardFilePreview(path.c_str(), PREVIEW_TEXT_BOARD, text);
    }
  }
  ::DeleteFileA(compound.c_str());
  ::DeleteFileA(flat.c_str());
  jvqObjectDefaults::FreeObjectDefaults();
}

TEST_F(CorpusReplay, PicturesThroughTheWindowsReaders) {
  struct Kind {
    const char* harness;
    const char* name;
  } kinds[] = {{"picture_bmp", "p.bmp"}, {"picture_jpeg", "p.jpg"}, {"picture_raster_header", "p.png"},
               {"picture_raster_header", "p.tif"}};
  for (const Kind& k : kinds) {
    const std::string path = Scratch(k.name);
    for (const std::string& input : Inputs(k.harness)) {
      SCOPED_TRACE(input);
      WriteAll(path, ReadAll(input));
      CDibImage* image = NULL;
      const std::string ext = k.name + 2;
      if (ext == "bmp")
        image = new CDibImage;
      else if (ext == "jpg")
        image = new CJpegImage;
      else if (ext == "png")
        image = new CPngImage;
      else
        image = new CTiffImage;
      if (image->Read(path.c_str())) {
        CDib* dib = image->GetDib();
        dib->GetColor(0, 0);
        dib->GetColor(dib->GetWidth() - 1, dib->GetHeight() - 1);
      }
      delete image;
    }
    ::DeleteFileA(path.c_str());
  }
}

TEST_F(CorpusReplay, MetafilesConvertedAndPlayed) {
  HDC hdc = ::CreateCompatibleDC(NULL);
  HBITMAP bmp = ::CreateCompatibleBitmap(hdc, 64, 48);
  HGDIOBJ old = ::SelectObject(hdc, bmp);
  const std::string path = Scratch("p.emf");
  for (const std::string& input : Inputs("picture_metafile")) {
    SCOPED_TRACE(input);
    WriteAll(path, ReadAll(input));
    CMetafileImage image;
    if (image.Read(path.c_str())) {
      RECT rc = {0, 0, 64, 48};
      if (HENHMETAFILE h = image.GetHandle()) ::PlayEnhMetaFile(hdc, h, &rc);
    }
  }
  ::DeleteFileA(path.c_str());
  ::SelectObject(hdc, old);
  ::DeleteObject(bmp);
  ::DeleteDC(hdc);
}

// Object files (".qzl") as the favourites and palettes read them: the prototype file's
// records behind its version, with and without a thumbnail in front.
TEST_F(CorpusReplay, ObjectFiles) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  if (d->GetCount() == 0) d->CreatePrototypes();
  const std::string path = Scratch("object.qzl");
  for (const char* harness : {"objects_file", "clipboard_block"})
    for (const std::string& input : Inputs(harness)) {
      SCOPED_TRACE(input);
      const std::string bytes = ReadAll(input);
      if (bytes.size() < 8) continue;
      WriteAll(path, bytes.substr(0, 4) + bytes.substr(8));
      jvqObject* object = NULL;
      CDib* thumbnail = NULL;
      CString name, comment;
      ReadObjectFile(path.c_str(), &object, NULL, &name, &comment, &thumbnail);
      delete object;
      delete thumbnail;
    }
  ::DeleteFileA(path.c_str());
  jvqObjectDefaults::FreeObjectDefaults();
}
