#include "jvqGradientFill.h"

#include <cstdint>
#include <cstdlib>

#include "jvqDeviceUnits.h"
#include "jvqRecordIO.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

#define R_OF(c) ((int)((c) & 0xFF))
#define G_OF(c) ((int)(((c) >> 8) & 0xFF))
#define B_OF(c) ((int)(((c) >> 16) & 0xFF))

COLORREF GradientColorAt(COLORREF c1, COLORREF c2, int p, int n) {
  // A span of no units has no steps: it keeps the start colour.
  if (n <= 0) return c1;
  float fr = (float)(R_OF(c2) - R_OF(c1)) / (float)n;
  float fg = (float)(G_OF(c2) - G_OF(c1)) / (float)n;
  float fb = (float)(B_OF(c2) - B_OF(c1)) / (float)n;
  int r = (int)(R_OF(c1) + fr * p) & 0xFF;
  int g = (int)(G_OF(c1) + fg * p) & 0xFF;
  int b = (int)(B_OF(c1) + fb * p) & 0xFF;
  return (COLORREF)(r | (g << 8) | (b << 16));
}

static int ColorDistance(COLORREF a, COLORREF b) {
  return std::abs(R_OF(a) - R_OF(b)) + std::abs(G_OF(a) - G_OF(b)) + std::abs(B_OF(a) - B_OF(b));
}

jvqGradientFill::jvqGradientFill() : m_crColor1(0xFFFFFF), m_crColor2(0xFF0000), m_nKind(0) {
  m_dwFlags = FILL_GRADIENT;
}

jvqGradientFill::jvqGradientFill(const jvqGradientFill& src)
    : m_crColor1(src.m_crColor1), m_crColor2(src.m_crColor2), m_nKind(src.m_nKind) {
  m_dwFlags = FILL_GRADIENT;
}

jvqFill* jvqGradientFill::Clone() { return new jvqGradientFill(*this); }

BOOL jvqGradientFill::Load(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t v[3];
    if (!jvqReadExact(pFile, v, sizeof(v))) return FALSE;
    m_nKind = v[0];
    m_crColor1 = (COLORREF)v[1];
    m_crColor2 = (COLORREF)v[2];
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqGradientFill::Store(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t v[4] = {(int32_t)m_dwFlags, m_nKind, (int32_t)m_crColor1, (int32_t)m_crColor2};
    pFile->Write(v, sizeof(v));
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

// One linear sweep over n steps from `from` towards `to`, along x (bAlongX) or y, between
// the near edge and the far edge, across the given extent.
static void Sweep(jvqGradientSink& sink, BOOL bPrinting, BOOL bAlongX, int nNear, int nFar, int nAcross0,
                  int nAcross1, COLORREF from, COLORREF to, int n) {
  if (n <= 0) return;
  auto band = [&](int a, int b, COLORREF cr) {
    RECT rc = bAlongX ? RECT{a, nAcross0, b, nAcross1} : RECT{nAcross0, a, nAcross1, b};
    sink.Strip(rc, cr);
  };
  COLORREF last = from;
  int nStart = nNear;
  COLORREF col = from;
  for (int i = 0; i < n; i++) {
    col = GradientColorAt(from, to, i, n);
    if (bPrinting) {
      if (col != last) {
        band(nStart, nNear + i, col);
        nStart = nNear + i;
      }
      last = col;
    } else if (ColorDistance(col, last) > 3) {
      band(nStart, nNear + i, col);
      nStart = nNear + i;
      last = col;
    }
  }
  band(nStart, nFar, col);
}

void jvqGradientFill::ComputeBands(const RECT* pBox, BOOL bPrinting, jvqGradientSink& sink) const {
  const COLORREF c1 = m_crColor1, c2 = m_crColor2;
  const int x0 = pBox->left, y0 = pBox->top, x1 = pBox->right, y1 = pBox->bottom;
  const int W = x1 - x0, H = y1 - y0;
  auto strip = [&](int l, int t, int r, int b, COLORREF cr) { sink.Strip(RECT{l, t, r, b}, cr); };
  auto at = [&](int p, int n) { return GradientColorAt(c1, c2, p, n); };
  switch (m_nKind) {
    case 0: Sweep(sink, bPrinting, TRUE, x0, x1, y0, y1, c1, c2, W); break;
    case 1:
      Sweep(sink, bPrinting, TRUE, x0, x0 + W / 2, y0, y1, c1, c2, W / 2);
      Sweep(sink, bPrinting, TRUE, x0 + W / 2, x1, y0, y1, c2, c1, W - W / 2);
      break;
    case 2: Sweep(sink, bPrinting, FALSE, y0, y1, x0, x1, c1, c2, H); break;
    case 3:
      Sweep(sink, bPrinting, FALSE, y0, y0 + H / 2, x0, x1, c1, c2, H / 2);
      Sweep(sink, bPrinting, FALSE, y0 + H / 2, y1, x0, x1, c2, c1, H - H / 2);
      break;
    case 4: {
      if (W <= 0 || H <= 0) break;
      double rho = (double)W / H;
      strip(x0, y0, x0 + 1, y0 + 1 < y1 ? y0 + 1 : y1, c1);
      for (int i = 0; i < W; i++) {
        int N = (int)(i / rho);
        int b = y0 + N + 1;
        strip(x0 + i, y0, x0 + i + 1, b < y1 ? b : y1, at(N, H));
      }
      strip(x0, y0, x1, y0 + 1, c1);
      for (int j = 0; j < H; j++) {
        int N = (int)(j * rho);
        int r = x0 + N + 1;
        strip(x0, y0 + j, r < x1 ? r : x1, y0 + j + 1, at(N, W));
      }
      break;
    }
    case 5: {
      if (W <= 0 || H <= 0) break;
      double rho = (double)W / H;
      for (int i = 0; i < W; i++) {
        int N = (int)(i / rho);
        int b = y1 - N + 1;
        strip(x0 + i, y0, x0 + i + 1, b < y1 ? b : y1, at(H - N, H));
      }
      for (int j = 0; j < H; j++) {
        int N = (int)(j * rho);
        int l = x1 - N - 1;
        strip(l > x0 ? l : x0, y0 + j, x1, y0 + j + 1, at(N, W));
      }
      break;
    }
    case 6: {
      if (W <= 0 || H <= 0) break;
      const int Wh = W / 2, Hh = H / 2, cx = x0 + Wh, cy = y0 + Hh;
      // Under two units a half is 0: the ratio is 0 with no width, and with no height
      // only the first row is walked, which the ratio never moves.
      const double rho = Hh > 0 ? (double)Wh / Hh : 0.0;
      auto byRho = [&](int F) { return rho > 0.0 ? (int)(F / rho) : 0; };
      auto timesRho = [&](int u) { return (int)(u * rho); };
      for (int F = 0; F <= Wh; F++) strip(x0 + F, y0 + byRho(F), x0 + F + 1, cy, at(F, Wh));
      for (int u = 0; u <= Hh; u++) strip(x0 + timesRho(u), y0 + u, cx, y0 + u + 1, at(u, Hh));
      for (int F = 0; F <= W - Wh - 1; F++) strip(cx + F, cy - byRho(F), cx + F + 1, cy, at(Wh - F, Wh));
      for (int u = 0; u <= Hh - 1; u++) strip(cx, y0 + u, x1 - timesRho(u), y0 + u + 1, at(u, Hh));
      for (int F = 0; F <= Wh; F++) strip(x0 + F, cy, x0 + F + 1, y1 - byRho(F), at(F, Wh));
      for (int u = 0; u <= H - Hh - 1; u++) strip(cx - timesRho(u), cy + u, cx, cy + u + 1, at(Hh - u, Hh));
      for (int F = 0; F <= W - Wh - 1; F++) strip(cx + F, cy, cx + F + 1, cy + byRho(F) + 1, at(Wh - F, Wh));
      for (int u = 0; u <= H - Hh - 1; u++) strip(cx, cy + u, cx + timesRho(u) + 1, cy + u + 1, at(Hh - u, Hh));
      break;
    }
    case 7:
    case 8: {
      const int ys = m_nKind == 7 ? y0 : y1, dir = m_nKind == 7 ? 1 : -1, yf = m_nKind == 7 ? y1 : y0;
      const BOOL bColumns = H < W;
      const int nSteps = bColumns ? W : H;
      const int span = bColumns ? H : W;
      COLORREF last = 0;
      for (int pass = 0; pass < 2; pass++) {
        const int Y = pass == 0 ? ys : yf, X = pass == 0 ? x0 : x1;
        int G = 0, T = 0, prevO = 0;
        for (int k = 0; k < nSteps; k++) {
          int O = bColumns ? (int)(k * ((double)H / W)) : (int)(k * ((double)W / H));
          BOOL bLast = k == nSteps - 1;
          if (O == prevO && !bLast) continue;
          prevO = O;
          COLORREF cr = GradientColorAt(c1, c2, pass == 0 ? O : O + span, 2 * span);
          BOOL bDraw = bLast || (bPrinting ? cr != last : ColorDistance(cr, last) > 3);
          if (!bDraw) continue;
          POINT pts[4];
          if (bColumns) {
            pts[0] = {x0 + G, Y};
            pts[1] = {x0 + k, Y};
            pts[2] = {X, ys + dir * O};
            pts[3] = {X, ys + dir * T};
            G = k;
            T = O;
          } else {
            pts[0] = {x0 + G, Y};
            pts[1] = {x0 + O, Y};
            pts[2] = {X, ys + dir * k};
            pts[3] = {X, ys + dir * T};
            G = O;
            T = k;
          }
          sink.Band(pts, cr);
          last = cr;
        }
      }
      break;
    }
    default: break;
  }
}

#ifdef JVQ_HAVE_GDI

namespace {
class GdiGradientSink : public jvqGradientSink {
 public:
  explicit GdiGradientSink(HDC hDC) : m_hDC(hDC), m_hPen(NULL), m_hBrush(NULL), m_hOldPen(NULL), m_hOldBrush(NULL) {}
  ~GdiGradientSink() { ReleaseTools(); }
  void Strip(const RECT& rc, COLORREF cr) override {
    HBRUSH hBrush = ::CreateSolidBrush(cr);
    ::FillRect(m_hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
  }
  void Band(const POINT pts[4], COLORREF cr) override {
    ReleaseTools();
    m_hPen = ::CreatePen(PS_SOLID, 1, cr);
    m_hBrush = ::CreateSolidBrush(cr);
    m_hOldPen = ::SelectObject(m_hDC, m_hPen);
    m_hOldBrush = ::SelectObject(m_hDC, m_hBrush);
    ::Polygon(m_hDC, pts, 4);
  }
  void ReleaseTools() {
    if (m_hPen) {
      ::SelectObject(m_hDC, m_hOldPen);
      ::SelectObject(m_hDC, m_hOldBrush);
      ::DeleteObject(m_hPen);
      ::DeleteObject(m_hBrush);
      m_hPen = NULL;
      m_hBrush = NULL;
    }
  }
  HDC m_hDC;
  HPEN m_hPen;
  HBRUSH m_hBrush;
  HGDIOBJ m_hOldPen, m_hOldBrush;
};
}  // namespace

void jvqGradientFill::PaintGradient(CDC* pDC, const RECT* pBox) {
  GdiGradientSink sink(pDC->m_hDC);
  ComputeBands(pBox, pDC->IsPrinting(), sink);
}

void jvqGradientFill::FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip) {
  RECT box = {0, 0, 0, 0};
  if (pRegion && pRegion->m_hObject) ::GetRgnBox((HRGN)pRegion->m_hObject, &box);
  BOOL bPreview = pDC->IsPrinting() && jvqIsPreviewDC(pDC);
  if (bPreview) {
    SaveClipRegion(pDC);
    if (pClip) pDC->SelectClipRgn(pClip, RGN_AND);
  } else if (pClip) {
    pDC->SelectClipRgn(pClip, RGN_COPY);
  }
  if (m_crColor1 == m_crColor2)
    pDC->FillSolidRect(&box, m_crColor1);
  else
    PaintGradient(pDC, &box);
  if (bPreview)
    RestoreClipRegion(pDC);
  else
    pDC->SelectClipRgn(NULL);
}

#else

void jvqGradientFill::PaintGradient(CDC*, const RECT*) {}
void jvqGradientFill::FillRegion(CDC*, CRgn*, CRgn*) {}

#endif
