// A white 32-bit memory canvas for drawing tests: ink bounds, colour counts, BMP output.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>

#include "afxreplace.h"

class GlyphCanvas {
 public:
  GlyphCanvas(int width, int height) : m_width(width), m_height(height) {
    m_dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, (void**)&m_bits, nullptr, 0);
    m_old = SelectObject(m_dc, m_bitmap);
    Clear();
  }
  ~GlyphCanvas() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  GlyphCanvas(const GlyphCanvas&) = delete;
  GlyphCanvas& operator=(const GlyphCanvas&) = delete;

  HDC dc() const { return m_dc; }
  int width() const { return m_width; }
  int height() const { return m_height; }

  void Clear() {
    GdiFlush();
    for (int i = 0; i < m_width * m_height; ++i) m_bits[i] = 0xFFFFFF;
  }
  COLORREF Pixel(int x, int y) const {
    GdiFlush();
    DWORD p = m_bits[y * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Bounds of every pixel that is not white, in device pixels; empty when none.
  RECT Ink() const {
    GdiFlush();
    RECT r = {m_width, m_height, 0, 0};
    for (int y = 0; y < m_height; ++y)
      for (int x = 0; x < m_width; ++x)
        if ((m_bits[y * m_width + x] & 0xFFFFFF) != 0xFFFFFF) {
          if (x < r.left) r.left = x;
          if (y < r.top) r.top = y;
          if (x + 1 > r.right) r.right = x + 1;
          if (y + 1 > r.bottom) r.bottom = y + 1;
        }
    if (r.right <= r.left) r = RECT{0, 0, 0, 0};
    return r;
  }
  int CountInk() const {
    GdiFlush();
    int n = 0;
    for (int i = 0; i < m_width * m_height; ++i) n += (m_bits[i] & 0xFFFFFF) != 0xFFFFFF;
    return n;
  }
  // Pixels near the colour (each channel within tol).
  int Count(COLORREF c, int tol = 40) const {
    GdiFlush();
    int n = 0;
    for (int i = 0; i < m_width * m_height; ++i) {
      DWORD p = m_bits[i];
      int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (abs(r - GetRValue(c)) <= tol && abs(g - GetGValue(c)) <= tol && abs(b - GetBValue(c)) <= tol) ++n;
    }
    return n;
  }
  const void* Bits() const {
    GdiFlush();
    return m_bits;
  }
  bool SaveBmp(const std::string& path) const {
    GdiFlush();
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof ih;
    ih.biWidth = m_width;
    ih.biHeight = -m_height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + m_width * m_height * 4;
    return AfxReplaceFile(path.c_str(), [&](LPCTSTR tmp) -> BOOL {
      FILE* f = fopen(tmp, "wb");
      if (!f) return FALSE;
      bool ok = fwrite(&fh, sizeof fh, 1, f) == 1 && fwrite(&ih, sizeof ih, 1, f) == 1 &&
                fwrite(m_bits, 4, (size_t)m_width * m_height, f) == (size_t)m_width * m_height;
      return fclose(f) == 0 && ok;
    }) != FALSE;
  }

 private:
  int m_width, m_height;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
  DWORD* m_bits = nullptr;
};

// The DC's state that drawing must give back.
struct GlyphDcState {
  HGDIOBJ font, pen, brush;
  COLORREF textColor, bkColor;
  int bkMode, mapMode, fillMode, rop2;
  UINT align;
  POINT windowOrg, viewportOrg, current;
  SIZE windowExt, viewportExt;

  static GlyphDcState Of(HDC dc) {
    GlyphDcState s;
    s.font = GetCurrentObject(dc, OBJ_FONT);
    s.pen = GetCurrentObject(dc, OBJ_PEN);
    s.brush = GetCurrentObject(dc, OBJ_BRUSH);
    s.textColor = GetTextColor(dc);
    s.bkColor = GetBkColor(dc);
    s.bkMode = GetBkMode(dc);
    s.mapMode = GetMapMode(dc);
    s.fillMode = GetPolyFillMode(dc);
    s.rop2 = GetROP2(dc);
    s.align = GetTextAlign(dc);
    GetWindowOrgEx(dc, &s.windowOrg);
    GetViewportOrgEx(dc, &s.viewportOrg);
    GetCurrentPositionEx(dc, &s.current);
    GetWindowExtEx(dc, &s.windowExt);
    GetViewportExtEx(dc, &s.viewportExt);
    return s;
  }
  bool operator==(const GlyphDcState& o) const {
    return font == o.font && pen == o.pen && brush == o.brush && textColor == o.textColor && bkColor == o.bkColor &&
           bkMode == o.bkMode && mapMode == o.mapMode && fillMode == o.fillMode && rop2 == o.rop2 && align == o.align &&
           windowOrg.x == o.windowOrg.x && windowOrg.y == o.windowOrg.y && viewportOrg.x == o.viewportOrg.x &&
           viewportOrg.y == o.viewportOrg.y && current.x == o.current.x && current.y == o.current.y &&
           windowExt.cx == o.windowExt.cx && windowExt.cy == o.windowExt.cy && viewportExt.cx == o.viewportExt.cx &&
           viewportExt.cy == o.viewportExt.cy;
  }
};
