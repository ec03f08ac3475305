// CRect operations that need more than a line.
#include "afx.h"

void CRect::NormalizeRect() {
  if (left > right) {
    LONG t = left;
    left = right;
    right = t;
  }
  if (top > bottom) {
    LONG t = top;
    top = bottom;
    bottom = t;
  }
}

BOOL CRect::IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) {
  LONG l = lpRect1->left > lpRect2->left ? lpRect1->left : lpRect2->left;
  LONG t = lpRect1->top > lpRect2->top ? lpRect1->top : lpRect2->top;
  LONG r = lpRect1->right < lpRect2->right ? lpRect1->right : lpRect2->right;
  LONG b = lpRect1->bottom < lpRect2->bottom ? lpRect1->bottom : lpRect2->bottom;
  if (l >= r || t >= b) {
    SetRectEmpty();
    return FALSE;
  }
  SetRect(l, t, r, b);
  return TRUE;
}

BOOL CRect::UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) {
  // An empty rectangle adds nothing to the union.
  bool empty1 = lpRect1->left >= lpRect1->right || lpRect1->top >= lpRect1->bottom;
  bool empty2 = lpRect2->left >= lpRect2->right || lpRect2->top >= lpRect2->bottom;
  if (empty1 && empty2) {
    SetRectEmpty();
    return FALSE;
  }
  if (empty1) {
    CopyRect(lpRect2);
    return TRUE;
  }
  if (empty2) {
    CopyRect(lpRect1);
    return TRUE;
  }
  LONG l = lpRect1->left < lpRect2->left ? lpRect1->left : lpRect2->left;
  LONG t = lpRect1->top < lpRect2->top ? lpRect1->top : lpRect2->top;
  LONG r = lpRect1->right > lpRect2->right ? lpRect1->right : lpRect2->right;
  LONG b = lpRect1->bottom > lpRect2->bottom ? lpRect1->bottom : lpRect2->bottom;
  SetRect(l, t, r, b);
  return TRUE;
}

BOOL CRect::SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2) {
  // As the Win32 function: only a cut along one whole side shrinks the rectangle.
  CRect src(lpRectSrc1);
  if (src.IsRectEmpty()) {
    SetRectEmpty();
    return FALSE;
  }
  CRect cut;
  if (cut.IntersectRect(&src, lpRectSrc2)) {
    if (cut.left <= src.left && cut.right >= src.right) {
      if (cut.top <= src.top)
        src.top = cut.bottom;
      else if (cut.bottom >= src.bottom)
        src.bottom = cut.top;
    } else if (cut.top <= src.top && cut.bottom >= src.bottom) {
      if (cut.left <= src.left)
        src.left = cut.right;
      else if (cut.right >= src.right)
        src.right = cut.left;
    }
  }
  if (src.IsRectEmpty()) {
    SetRectEmpty();
    return FALSE;
  }
  CopyRect(&src);
  return TRUE;
}

CArchive& AFXAPI operator<<(CArchive& ar, SIZE size) { return ar << (LONG)size.cx << (LONG)size.cy; }
CArchive& AFXAPI operator<<(CArchive& ar, POINT point) { return ar << (LONG)point.x << (LONG)point.y; }
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect) {
  return ar << (LONG)rect.left << (LONG)rect.top << (LONG)rect.right << (LONG)rect.bottom;
}
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size) {
  LONG cx, cy;
  ar >> cx >> cy;
  size.cx = cx;
  size.cy = cy;
  return ar;
}
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point) {
  LONG x, y;
  ar >> x >> y;
  point.x = x;
  point.y = y;
  return ar;
}
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect) {
  LONG l, t, r, b;
  ar >> l >> t >> r >> b;
  rect.left = l;
  rect.top = t;
  rect.right = r;
  rect.bottom = b;
  return ar;
}
