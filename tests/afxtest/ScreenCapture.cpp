#include "ScreenCapture.h"

#include <windows.h>

#include <cstdio>

bool SaveScreenBmp(const char* path) {
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  HDC screen = ::GetDC(NULL);
  HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* pixels = NULL;
  HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &pixels, NULL, 0);
  bool ok = bmp != NULL;
  if (ok) {
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    const DWORD size = static_cast<DWORD>((w * 3 + 3) / 4 * 4) * h;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(BITMAPINFOHEADER);
    fh.bfSize = fh.bfOffBits + size;
    FILE* f = fopen(path, "wb");
    ok = f != NULL;
    if (ok) {
      ok = fwrite(&fh, sizeof(fh), 1, f) == 1 && fwrite(&bi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, f) == 1 &&
           fwrite(pixels, 1, size, f) == size;
      ok = fclose(f) == 0 && ok;
    }
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
  }
  ::DeleteDC(mem);
  ::ReleaseDC(NULL, screen);
  return ok;
}
