// A board of 40 photographs of 3000 x 2000 pixels, 20 of them shown twice, written at
// 91530 (each picture compressed through zolv and temporary files) and read back: times,
// stream size and the process's peak memory.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "PictureFixture.h"
#include "afxarch.h"
#include "jvqBoard.h"
#include "jvqBoardStream.h"
#include "jvqFileHeader.h"
#include "jvqImageObject.h"
#include "jvqImagePool.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"

namespace {

double Ms(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

long PeakMb() {
  rusage u = {};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024;
}

// Photo-like content: smooth gradients with fine texture, so that compression has work.
CDibImage* Photo(int seed) {
  return MakePicture(3000, 2000, 24, 3937, [seed](int x, int y) -> COLORREF {
    const int r = (x / 12 + seed * 17) & 0xFF, g = (y / 8 + seed * 5) & 0xFF, b = ((x ^ y) * 3 + seed) & 0xFF;
    return (COLORREF)(r | (g << 8) | (b << 16));
  });
}

}  // namespace

int main() {
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  jvqImagePool pool;
  std::unique_ptr<jvqBoard> board(new jvqBoard(NULL));
  jvqPage* page = board->GetPage(0);
  auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < 40; i++) {
    jvqImageObject* o = new jvqImageObject(&pool, NULL, NULL);
    o->SetPicture(&pool, Photo(i), FALSE);
    const RECT r = {i * 10, i * 10, i * 10 + 300, i * 10 + 200};
    o->SetRect(&r, NULL, 0x311);
    page->AddChild(o);
    if (i < 20) page->AddChild(o->Clone());
  }
  std::printf("made 40 pictures (60 objects): %.0f ms, peak %ld MB\n", Ms(t0), PeakMb());

  jvqFileHeader h;
  h.m_pImagePool = &pool;
  CMemFile f;
  t0 = std::chrono::steady_clock::now();
  {
    CArchive ar(&f, CArchive::store);
    jvqBoardStream::Write(ar, &h, board.get(), NULL);
    ar.Close();
  }
  std::printf("save at 91530: %.0f ms, stream %.1f MB, peak %ld MB\n", Ms(t0), f.GetLength() / 1048576.0, PeakMb());

  jvqImagePool back;
  jvqFileHeader h2;
  h2.m_pImagePool = &back;
  std::unique_ptr<jvqBoard> read(new jvqBoard(NULL));
  t0 = std::chrono::steady_clock::now();
  f.SeekToBegin();
  {
    CArchive ar(&f, CArchive::load);
    CDib* thumb = NULL;
    jvqBoardStream::Read(ar, &h2, read.get(), &thumb);
    delete thumb;
    ar.Close();
  }
  std::printf("open: %.0f ms, %d pool entries, peak %ld MB\n", Ms(t0), back.GetCount(), PeakMb());
  return back.GetCount() == 40 ? 0 : 1;
}
