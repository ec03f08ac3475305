// A 3000 x 2000 photograph turned 30 degrees, drawn into a 1024 x 768 view at zoom steps
// from 25 % to 400 %: the first draw at each zoom rebuilds the turned copy, the second
// draws the kept copy. Prints the times per step (run under Wine).
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "PictureFixture.h"
#include "afxwin.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqImagePool.h"
#include "jvqViewMapping.h"

namespace {
double Ms(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}
}  // namespace

int main() {
  jvqImagePool pool;
  jvqViewMapping view;
  jvqImageObject o(&pool, NULL, &view);
  o.SetPicture(&pool, MakePicture(3000, 2000, 3937), FALSE);
  const RECT r = {200, 200, 200 + 7620, 200 + 5080};
  o.SetRect(&r, &view, 0x311);
  o.SetRotation(30);
  HDC screen = ::GetDC(NULL);
  HDC mem = ::CreateCompatibleDC(screen);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, 1024, 768);
  ::ReleaseDC(NULL, screen);
  HGDIOBJ old = ::SelectObject(mem, bmp);
  CDC dc;
  dc.Attach(mem);
  for (int zoom : {25, 50, 100, 200, 400}) {
    view.m_dZoom = zoom;
    view.m_nClientWidth = 1024;
    view.m_nClientHeight = 768;
    view.m_nPageWidth = 4200;
    view.m_nPageHeight = 2970;
    view.PrepareDC(&dc);
    auto t0 = std::chrono::steady_clock::now();
    o.Draw(&dc);
    const double first = Ms(t0);
    t0 = std::chrono::steady_clock::now();
    o.Draw(&dc);
    const double second = Ms(t0);
    std::printf("zoom %3d%%: rebuild and draw %.1f ms, kept copy %.1f ms, copies made %d\n", zoom, first, second,
                o.GetImageFill()->GetTurnedCopyCount());
  }
  dc.Detach();
  ::SelectObject(mem, old);
  ::DeleteObject(bmp);
  ::DeleteDC(mem);
  return 0;
}
