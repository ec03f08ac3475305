#include "qvzLineEndPainters.h"

#include <math.h>

#include "jvqLineStyle.h"
#include "jvqObjectCodes.h"
#include "jvqPointList.h"

namespace {

void DrawSample(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) {
  const COLORREF old = theSolidLineStyle.GetColor();
  theSolidLineStyle.SetColor(cr);
  POINT a = {x1, y1}, b = {x2, y2};
  theSolidLineStyle.DrawLine(pDC, &a, &b);
  theSolidLineStyle.SetColor(old);
}

void FillShape(CDC* pDC, CRgn& rgn, COLORREF cr) {
  CBrush brush(cr);
  pDC->FillRgn(&rgn, &brush);
}

// A polygon given in points, placed on (x1, y1) (by its corners' average when bCentre).
void PaintPolygon(CDC* pDC, const POINT* pts, int n, BOOL bCentre, int x1, int y1, COLORREF cr) {
  jvqPointList list(pts, n);
  if (bCentre) {
    POINT c = {x1, y1};
    list.MoveCentroidTo(&c);
  }
  std::vector<POINT> dev(list.GetData(), list.GetData() + n);
  pDC->LPtoDP(dev.data(), n);
  CRgn rgn;
  if (rgn.CreatePolygonRgn(dev.data(), n, WINDING)) FillShape(pDC, rgn, cr);
}

void PaintCircle(CDC* pDC, int x1, int y1, int d, COLORREF cr) {
  POINT p[2] = {{x1 - d / 2, y1 - d / 2}, {x1 - d / 2 + d, y1 - d / 2 + d}};
  pDC->LPtoDP(p, 2);
  CRgn rgn;
  if (rgn.CreateEllipticRgn(p[0].x, p[0].y, p[1].x, p[1].y)) FillShape(pDC, rgn, cr);
}

void PaintNone(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) { DrawSample(pDC, x1, y1, x2, y2, cr); }

void PaintCircle12(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) {
  PaintCircle(pDC, x1, y1, 12, cr);
  DrawSample(pDC, x1, y1, x2, y2, cr);
}

void PaintCircle8(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) {
  PaintCircle(pDC, x1, y1, 8, cr);
  DrawSample(pDC, x1, y1, x2, y2, cr);
}

void PaintSquare(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) {
  const POINT p[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  PaintPolygon(pDC, p, 4, TRUE, x1, y1, cr);
  DrawSample(pDC, x1, y1, x2, y2, cr);
}

void PaintArrow8(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) {
  const POINT p[3] = {{8, 8}, {0, 4}, {8, 0}};
  PaintPolygon(pDC, p, 3, TRUE, x1, y1, cr);
  DrawSample(pDC, x1, y1, x2, y2, cr);
}

void PaintArrow16(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) {
  const POINT p[3] = {{8, 16}, {0, 8}, {8, 0}};
  PaintPolygon(pDC, p, 3, TRUE, x1, y1, cr);
  DrawSample(pDC, x1, y1, x2, y2, cr);
}

void PaintNotched(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) {
  const POINT p[4] = {{8, 16}, {0, 8}, {8, 0}, {4, 8}};
  PaintPolygon(pDC, p, 4, TRUE, x1, y1, cr);
  DrawSample(pDC, x1, y1, x2, y2, cr);
}

void PaintTip7(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) {
  const POINT p[3] = {{x1 + 7, y1 + 7}, {x1, y1}, {x1 + 7, y1 - 7}};
  PaintPolygon(pDC, p, 3, FALSE, x1, y1, cr);
  DrawSample(pDC, x1, y1, x2, y2, cr);
}

void PaintTip4(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) {
  const POINT p[3] = {{x1 + 4, y1 + 4}, {x1, y1}, {x1 + 4, y1 - 4}};
  PaintPolygon(pDC, p, 3, FALSE, x1, y1, cr);
  DrawSample(pDC, x1, y1, x2, y2, cr);
}

void PaintStar(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF cr) {
  static const int turns[5] = {0, 216, 72, 288, 144};
  POINT p[5];
  for (int i = 0; i < 5; i++) {
    const double a = turns[i] * JVQ_DEG2RAD;
    p[i].x = x1 + (int)lround(8 * sin(a));
    p[i].y = y1 - (int)lround(8 * cos(a));
  }
  PaintPolygon(pDC, p, 5, FALSE, x1, y1, cr);
  DrawSample(pDC, x1, y1, x2, y2, cr);
}

}  // namespace

const LineEndPainter LineEndPainters[10] = {PaintNone,   PaintCircle12, PaintCircle8, PaintSquare, PaintArrow8,
                                            PaintArrow16, PaintNotched, PaintTip7,    PaintTip4,   PaintStar};

void FillLineEndCombo(CLineEndCombo& combo) {
  for (int i = 0; i < 10; i++) {
    const int n = combo.AddString("");
    combo.SetItemData(n, (DWORD_PTR)LineEndPainters[i]);
  }
}
