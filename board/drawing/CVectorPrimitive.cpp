#include "CVectorPrimitive.h"

#include "CVectorShape.h"

#ifdef _WIN32
#include "afxwin.h"
#endif

CVectorPrimitive::CVectorPrimitive() : m_nFillMode(0), m_nReserved(0), m_nKind(0) {
  m_Brush.lbStyle = 1;  // BS_NULL
  m_Brush.lbColor = 0;
  m_Brush.lbHatch = 0;
  m_Pen.lopnStyle = 5;  // PS_NULL
  m_Pen.lopnWidth.x = 0;
  m_Pen.lopnWidth.y = 0;
  m_Pen.lopnColor = 0;
}

LOGPEN CVectorPrimitive::ScaledPen(double sx, double sy) const {
  LOGPEN pen = m_Pen;
  pen.lopnWidth.x = (LONG)(m_Pen.lopnWidth.x * sx);
  pen.lopnWidth.y = (LONG)(m_Pen.lopnWidth.y * sy);
  return pen;
}

#ifdef _WIN32

void CVectorPrimitive::Draw(CDC* pDC, CVectorShape* pShape) {
  HDC hDC = pDC->m_hDC;
  HBRUSH hBrush = ::CreateBrushIndirect(&m_Brush);
  LOGPEN pen = ScaledPen(pShape->m_dScaleX, pShape->m_dScaleY);
  HPEN hPen = ::CreatePenIndirect(&pen);
  HGDIOBJ hOldBrush = hBrush ? ::SelectObject(hDC, hBrush) : NULL;
  HGDIOBJ hOldPen = hPen ? ::SelectObject(hDC, hPen) : NULL;
  int nOldMode = 0;
  if (m_nFillMode & VECTOR_FILL_ALTERNATE)
    nOldMode = ::SetPolyFillMode(hDC, ALTERNATE);
  else if (m_nFillMode & VECTOR_FILL_WINDING)
    nOldMode = ::SetPolyFillMode(hDC, WINDING);
  std::vector<POINT> pts;
  pts.reserve(m_Indexes.size());
  for (int32_t i : m_Indexes) pts.push_back(pShape->GetTransformedPoint(i));
  if (!pts.empty()) {
    if (m_nKind & VECTOR_KIND_POLYGON) ::Polygon(hDC, pts.data(), (int)pts.size());
    if (m_nKind & VECTOR_KIND_POLYLINE) ::Polyline(hDC, pts.data(), (int)pts.size());
  }
  if (nOldMode) ::SetPolyFillMode(hDC, nOldMode);
  if (hOldBrush) ::SelectObject(hDC, hOldBrush);
  if (hOldPen) ::SelectObject(hDC, hOldPen);
  if (hBrush) ::DeleteObject(hBrush);
  if (hPen) ::DeleteObject(hPen);
}

#else

void CVectorPrimitive::Draw(CDC*, CVectorShape*) {}

#endif
