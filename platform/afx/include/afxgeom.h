// CSize, CPoint and CRect over the Win32 SIZE, POINT and RECT layouts.
#pragma once

#include "afxtypes.h"

#ifndef AFXAPI
#define AFXAPI
#endif

class CPoint;
class CRect;

class CSize : public tagSIZE {
 public:
  CSize() { cx = 0; cy = 0; }
  CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
  CSize(SIZE initSize) { cx = initSize.cx; cy = initSize.cy; }
  CSize(POINT initPt) { cx = initPt.x; cy = initPt.y; }
  CSize(DWORD dwSize) { cx = (short)LOWORD(dwSize); cy = (short)HIWORD(dwSize); }

  BOOL operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
  BOOL operator!=(SIZE size) const { return cx != size.cx || cy != size.cy; }
  void operator+=(SIZE size) { cx += size.cx; cy += size.cy; }
  void operator-=(SIZE size) { cx -= size.cx; cy -= size.cy; }

  CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
  CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
  CPoint operator+(POINT point) const;
  CPoint operator-(POINT point) const;
  CRect operator+(const RECT* lpRect) const;
  CRect operator-(const RECT* lpRect) const;
};

class CPoint : public tagPOINT {
 public:
  CPoint() { x = 0; y = 0; }
  CPoint(int initX, int initY) { x = initX; y = initY; }
  CPoint(POINT initPt) { x = initPt.x; y = initPt.y; }
  CPoint(SIZE initSize) { x = initSize.cx; y = initSize.cy; }
  CPoint(DWORD dwPoint) { x = (short)LOWORD(dwPoint); y = (short)HIWORD(dwPoint); }

  void Offset(int xOffset, int yOffset) { x += xOffset; y += yOffset; }
  void Offset(POINT point) { x += point.x; y += point.y; }
  void Offset(SIZE size) { x += size.cx; y += size.cy; }

  BOOL operator==(POINT point) const { return x == point.x && y == point.y; }
  BOOL operator!=(POINT point) const { return x != point.x || y != point.y; }
  void operator+=(SIZE size) { x += size.cx; y += size.cy; }
  void operator-=(SIZE size) { x -= size.cx; y -= size.cy; }
  void operator+=(POINT point) { x += point.x; y += point.y; }
  void operator-=(POINT point) { x -= point.x; y -= point.y; }

  CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
  CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
  CPoint operator-() const { return CPoint(-x, -y); }
  CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
  CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
  CRect operator+(const RECT* lpRect) const;
  CRect operator-(const RECT* lpRect) const;
};

class CRect : public tagRECT {
 public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
  CRect(const RECT& srcRect) { CopyRect(&srcRect); }
  CRect(LPCRECT lpSrcRect) { CopyRect(lpSrcRect); }
  CRect(POINT point, SIZE size) { left = point.x; top = point.y; right = left + size.cx; bottom = top + size.cy; }
  CRect(POINT topLeft, POINT bottomRight) { left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y; }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(right - left, bottom - top); }
  CPoint& TopLeft() { return *((CPoint*)this); }
  CPoint& BottomRight() { return *((CPoint*)this + 1); }
  const CPoint& TopLeft() const { return *((const CPoint*)this); }
  const CPoint& BottomRight() const { return *((const CPoint*)this + 1); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  void SwapLeftRight() { SwapLeftRight(this); }
  static void PASCAL SwapLeftRight(LPRECT lpRect) { LONG t = lpRect->left; lpRect->left = lpRect->right; lpRect->right = t; }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  // Empty: width or height not positive. Null: all four zero.
  BOOL IsRectEmpty() const { return left >= right || top >= bottom; }
  BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
  // Left and top edges inside, right and bottom edges outside.
  BOOL PtInRect(POINT point) const { return point.x >= left && point.x < right && point.y >= top && point.y < bottom; }

  void SetRect(int x1, int y1, int x2, int y2) { left = x1; top = y1; right = x2; bottom = y2; }
  void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
  void SetRectEmpty() { left = top = right = bottom = 0; }
  void CopyRect(LPCRECT lpSrcRect) { left = lpSrcRect->left; top = lpSrcRect->top; right = lpSrcRect->right; bottom = lpSrcRect->bottom; }
  BOOL EqualRect(LPCRECT lpRect) const { return left == lpRect->left && top == lpRect->top && right == lpRect->right && bottom == lpRect->bottom; }

  void InflateRect(int x, int y) { left -= x; top -= y; right += x; bottom += y; }
  void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
  void InflateRect(LPCRECT lpRect) { left -= lpRect->left; top -= lpRect->top; right += lpRect->right; bottom += lpRect->bottom; }
  void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
  void DeflateRect(int x, int y) { InflateRect(-x, -y); }
  void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
  void DeflateRect(LPCRECT lpRect) { left += lpRect->left; top += lpRect->top; right -= lpRect->right; bottom -= lpRect->bottom; }
  void DeflateRect(int l, int t, int r, int b) { left += l; top += t; right -= r; bottom -= b; }

  void OffsetRect(int x, int y) { left += x; top += y; right += x; bottom += y; }
  void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
  void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
  void NormalizeRect();

  // As the Win32 functions: an empty result is set to all zeros and returns FALSE.
  BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2);
  BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2);
  BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2);

  void operator=(const RECT& srcRect) { CopyRect(&srcRect); }
  BOOL operator==(const RECT& rect) const { return EqualRect(&rect); }
  BOOL operator!=(const RECT& rect) const { return !EqualRect(&rect); }
  void operator+=(POINT point) { OffsetRect(point.x, point.y); }
  void operator+=(SIZE size) { OffsetRect(size.cx, size.cy); }
  void operator+=(LPCRECT lpRect) { InflateRect(lpRect); }
  void operator-=(POINT point) { OffsetRect(-point.x, -point.y); }
  void operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); }
  void operator-=(LPCRECT lpRect) { DeflateRect(lpRect); }
  void operator&=(const RECT& rect) { IntersectRect(this, &rect); }
  void operator|=(const RECT& rect) { UnionRect(this, &rect); }

  CRect operator+(POINT point) const { CRect r(*this); r.OffsetRect(point.x, point.y); return r; }
  CRect operator-(POINT point) const { CRect r(*this); r.OffsetRect(-point.x, -point.y); return r; }
  CRect operator+(LPCRECT lpRect) const { CRect r(this); r.InflateRect(lpRect); return r; }
  CRect operator+(SIZE size) const { CRect r(*this); r.OffsetRect(size.cx, size.cy); return r; }
  CRect operator-(SIZE size) const { CRect r(*this); r.OffsetRect(-size.cx, -size.cy); return r; }
  CRect operator-(LPCRECT lpRect) const { CRect r(this); r.DeflateRect(lpRect); return r; }
  CRect operator&(const RECT& rect2) const { CRect r; r.IntersectRect(this, &rect2); return r; }
  CRect operator|(const RECT& rect2) const { CRect r; r.UnionRect(this, &rect2); return r; }
};

inline CPoint CSize::operator+(POINT point) const { return CPoint(cx + point.x, cy + point.y); }
inline CPoint CSize::operator-(POINT point) const { return CPoint(cx - point.x, cy - point.y); }
inline CRect CSize::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CSize::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }
inline CRect CPoint::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CPoint::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }

class CArchive;
CArchive& AFXAPI operator<<(CArchive& ar, SIZE size);
CArchive& AFXAPI operator<<(CArchive& ar, POINT point);
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect);
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size);
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point);
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect);
