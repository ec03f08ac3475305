#include "jvqBitmapGeometry.h"

#include <cmath>
#include <cstring>

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

static DWORD PixelAt(const BYTE* row, int x, int bits) {
  switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 8: return row[x];
    case 16: return row[2 * x] | (row[2 * x + 1] << 8);
    case 24: return row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
    case 32: return row[4 * x] | (row[4 * x + 1] << 8) | (row[4 * x + 2] << 16) | ((DWORD)row[4 * x + 3] << 24);
  }
  return 0;
}

static void SetPixelAt(BYTE* row, int x, int bits, DWORD v) {
  switch (bits) {
    case 1: {
      BYTE mask = (BYTE)(0x80 >> (x & 7));
      row[x >> 3] = (BYTE)(v ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask));
      break;
    }
    case 4:
      if (x & 1)
        row[x >> 1] = (BYTE)((row[x >> 1] & 0xF0) | (v & 0x0F));
      else
        row[x >> 1] = (BYTE)((row[x >> 1] & 0x0F) | ((v & 0x0F) << 4));
      break;
    case 8: row[x] = (BYTE)v; break;
    case 16:
      row[2 * x] = (BYTE)v;
      row[2 * x + 1] = (BYTE)(v >> 8);
      break;
    case 24:
      row[3 * x] = (BYTE)v;
      row[3 * x + 1] = (BYTE)(v >> 8);
      row[3 * x + 2] = (BYTE)(v >> 16);
      break;
    case 32:
      row[4 * x] = (BYTE)v;
      row[4 * x + 1] = (BYTE)(v >> 8);
      row[4 * x + 2] = (BYTE)(v >> 16);
      row[4 * x + 3] = (BYTE)(v >> 24);
      break;
  }
}

void* RotateDib(const void* pPackedDib, float fAngle, COLORREF crBackground) {
  const BITMAPINFOHEADER* bih = (const BITMAPINFOHEADER*)pPackedDib;
  if (bih == NULL || bih->biHeight < 0) return NULL;
  if (bih->biCompression != BI_RGB && bih->biCompression != BI_BITFIELDS) return NULL;
  const int bits = bih->biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return NULL;
  DWORD nColors = bih->biClrUsed ? bih->biClrUsed : (bits <= 8 ? (1u << bits) : 0);
  DWORD nHeader = bits <= 8 ? 40 + 4 * nColors
                            : 40 + 4 * (bih->biClrUsed + (bih->biCompression == BI_BITFIELDS ? 3 : 0));
  const BYTE* src = (const BYTE*)pPackedDib + nHeader;
  const int W = bih->biWidth, H = bih->biHeight;
  const int srcStride = ((bits * W + 31) / 32) * 4;

  const float s = std::sin(fAngle), c = std::cos(fAngle);
  auto mapX = [&](int x, int y) { return (int)(x * c - y * s); };
  auto mapY = [&](int x, int y) { return (int)(x * s + y * c); };
  int xs[4] = {0, mapX(W, 0), mapX(0, H), mapX(W, H)};
  int ys[4] = {0, mapY(W, 0), mapY(0, H), mapY(W, H)};
  int minX = 0, maxX = 0, minY = 0, maxY = 0;
  for (int i = 1; i < 4; i++) {
    if (xs[i] < minX) minX = xs[i];
    if (xs[i] > maxX) maxX = xs[i];
    if (ys[i] < minY) minY = ys[i];
    if (ys[i] > maxY) maxY = ys[i];
  }
  const int NW = maxX - minX, NH = maxY - minY;
  const int dstStride = ((bits * NW + 31) / 32) * 4;
  HGLOBAL hMem = ::GlobalAlloc(GMEM_FIXED, nHeader + (SIZE_T)dstStride * NH);
  if (hMem == NULL) return NULL;
  BYTE* dst = (BYTE*)hMem;
  std::memcpy(dst, pPackedDib, nHeader);
  BITMAPINFOHEADER* nbih = (BITMAPINFOHEADER*)dst;
  nbih->biWidth = NW;
  nbih->biHeight = NH;
  nbih->biSizeImage = (DWORD)dstStride * NH;
  BYTE* pix = dst + nHeader;
  std::memset(pix, 0, (size_t)dstStride * NH);

  const BYTE r = GetRValue(crBackground), g = GetGValue(crBackground), b = GetBValue(crBackground);
  DWORD bg = 0;
  if (bits == 1) {
    if ((crBackground & 0xFFFFFF) == 0xFFFFFF) std::memset(pix, 0xFF, (size_t)dstStride * NH);
  } else if (bits == 4 || bits == 8) {
    const RGBQUAD* table = (const RGBQUAD*)((const BYTE*)pPackedDib + 40);
    for (DWORD i = 0; i < nColors; i++) {
      if (table[i].rgbRed == r && table[i].rgbGreen == g && table[i].rgbBlue == b) {
        BYTE fill = bits == 4 ? (BYTE)((i << 4) | i) : (BYTE)i;
        std::memset(pix, fill, (size_t)dstStride * NH);
        break;
      }
    }
  } else if (bits == 16) {
    DWORD redMask = *(const DWORD*)((const BYTE*)pPackedDib + 40);
    if (redMask == 0x7C00)
      bg = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
    else
      bg = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
  } else {
    bg = b | (g << 8) | (r << 16);
  }

  for (int j = 0; j < NH; j++) {
    BYTE* row = pix + (size_t)j * dstStride;
    for (int i = 0; i < NW; i++) {
      int X = minX + i, Y = minY + j;
      int sx = (int)(c * X + s * Y), sy = (int)(c * Y - s * X);
      if (sx >= 0 && sx < W && sy >= 0 && sy < H)
        SetPixelAt(row, i, bits, PixelAt(src + (size_t)sy * srcStride, sx, bits));
      else if (bits >= 16)
        SetPixelAt(row, i, bits, bg);
    }
  }
  return dst;
}

#ifdef JVQ_HAVE_GDI

void DrawTransparentBitmap(CDC* pDC, HBITMAP hBitmap, int x, int y, COLORREF crTransparent) {
  HDC hDC = pDC->m_hDC;
  HDC hTemp = ::CreateCompatibleDC(hDC);
  ::SelectObject(hTemp, hBitmap);
  BITMAP bm;
  ::GetObject(hBitmap, sizeof(BITMAP), &bm);
  POINT size = {bm.bmWidth, bm.bmHeight};
  ::DPtoLP(hTemp, &size, 1);
  HDC hBack = ::CreateCompatibleDC(hDC), hObject = ::CreateCompatibleDC(hDC);
  HDC hMem = ::CreateCompatibleDC(hDC), hSave = ::CreateCompatibleDC(hDC);
  HBITMAP bmBack = ::CreateBitmap(size.x, size.y, 1, 1, NULL);
  HBITMAP bmObject = ::CreateBitmap(size.x, size.y, 1, 1, NULL);
  HBITMAP bmMem = ::CreateCompatibleBitmap(hDC, size.x, size.y);
  HBITMAP bmSave = ::CreateCompatibleBitmap(hDC, size.x, size.y);
  HGDIOBJ oBack = ::SelectObject(hBack, bmBack), oObject = ::SelectObject(hObject, bmObject);
  HGDIOBJ oMem = ::SelectObject(hMem, bmMem), oSave = ::SelectObject(hSave, bmSave);
  ::SetMapMode(hTemp, ::GetMapMode(hDC));
  ::BitBlt(hSave, 0, 0, size.x, size.y, hTemp, 0, 0, SRCCOPY);
  COLORREF crOld = ::SetBkColor(hTemp, crTransparent);
  ::BitBlt(hObject, 0, 0, size.x, size.y, hTemp, 0, 0, SRCCOPY);
  ::SetBkColor(hTemp, crOld);
  ::BitBlt(hBack, 0, 0, size.x, size.y, hObject, 0, 0, NOTSRCCOPY);
  ::BitBlt(hMem, 0, 0, size.x, size.y, hDC, x, y, SRCCOPY);
  ::BitBlt(hMem, 0, 0, size.x, size.y, hObject, 0, 0, SRCAND);
  ::BitBlt(hTemp, 0, 0, size.x, size.y, hBack, 0, 0, SRCAND);
  ::BitBlt(hMem, 0, 0, size.x, size.y, hTemp, 0, 0, SRCPAINT);
  ::BitBlt(hDC, x, y, size.x, size.y, hMem, 0, 0, SRCCOPY);
  ::BitBlt(hTemp, 0, 0, size.x, size.y, hSave, 0, 0, SRCCOPY);
  ::DeleteObject(::SelectObject(hBack, oBack));
  ::DeleteObject(::SelectObject(hObject, oObject));
  ::DeleteObject(::SelectObject(hMem, oMem));
  ::DeleteObject(::SelectObject(hSave, oSave));
  ::DeleteDC(hMem);
  ::DeleteDC(hBack);
  ::DeleteDC(hObject);
  ::DeleteDC(hSave);
  ::DeleteDC(hTemp);
}

#else

void DrawTransparentBitmap(CDC*, HBITMAP, int, int, COLORREF) {}

#endif
