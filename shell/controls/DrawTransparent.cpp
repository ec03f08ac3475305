#include "DrawTransparent.h"

void DrawTransparent(CDC* pDC, HBITMAP hBitmap, int x, int y) {
  BITMAP bm;
  if (pDC == NULL || hBitmap == NULL || ::GetObject(hBitmap, sizeof bm, &bm) == 0) return;
  const int cx = bm.bmWidth, cy = bm.bmHeight;
  if (cx <= 0 || cy <= 0) return;
  HDC hDC = pDC->m_hDC;

  HDC hImage = ::CreateCompatibleDC(hDC);
  HDC hMask = ::CreateCompatibleDC(hDC);
  HDC hWork = ::CreateCompatibleDC(hDC);
  HDC hCopy = ::CreateCompatibleDC(hDC);
  HBITMAP hbmMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
  HBITMAP hbmWork = ::CreateCompatibleBitmap(hDC, cx, cy);
  HBITMAP hbmCopy = ::CreateCompatibleBitmap(hDC, cx, cy);
  HGDIOBJ hOldImage = ::SelectObject(hImage, hBitmap);
  HGDIOBJ hOldMask = ::SelectObject(hMask, hbmMask);
  HGDIOBJ hOldWork = ::SelectObject(hWork, hbmWork);
  HGDIOBJ hOldCopy = ::SelectObject(hCopy, hbmCopy);

  // Mask: 1 where the picture has the transparent colour.
  COLORREF crTransparent = ::GetPixel(hImage, cx - 1, 0);
  COLORREF crOldBk = ::SetBkColor(hImage, crTransparent);
  ::BitBlt(hMask, 0, 0, cx, cy, hImage, 0, 0, SRCCOPY);
  ::SetBkColor(hImage, crOldBk);

  // Monochrome sources turn 1 into the background colour and 0 into the text colour.
  ::SetBkColor(hWork, RGB(255, 255, 255));
  ::SetTextColor(hWork, RGB(0, 0, 0));
  ::SetBkColor(hCopy, RGB(255, 255, 255));
  ::SetTextColor(hCopy, RGB(0, 0, 0));
  ::BitBlt(hWork, 0, 0, cx, cy, hDC, x, y, SRCCOPY);        // what lies under the picture
  ::BitBlt(hWork, 0, 0, cx, cy, hMask, 0, 0, SRCAND);       // kept only where transparent
  ::BitBlt(hCopy, 0, 0, cx, cy, hImage, 0, 0, SRCCOPY);
  ::BitBlt(hCopy, 0, 0, cx, cy, hMask, 0, 0, 0x00220326);   // DSna: black where transparent
  ::BitBlt(hWork, 0, 0, cx, cy, hCopy, 0, 0, SRCPAINT);
  ::BitBlt(hDC, x, y, cx, cy, hWork, 0, 0, SRCCOPY);

  ::SelectObject(hImage, hOldImage);
  ::SelectObject(hMask, hOldMask);
  ::SelectObject(hWork, hOldWork);
  ::SelectObject(hCopy, hOldCopy);
  ::DeleteObject(hbmMask);
  ::DeleteObject(hbmWork);
  ::DeleteObject(hbmCopy);
  ::DeleteDC(hImage);
  ::DeleteDC(hMask);
  ::DeleteDC(hWork);
  ::DeleteDC(hCopy);
}
