#include "CVectorShapeEx.h"

#include <algorithm>
#include <cstring>

CVectorShapeEx::CVectorShapeEx() : m_nMirror(0) { std::memset(m_Trailer, 0, sizeof(m_Trailer)); }

CVectorShapeEx::CVectorShapeEx(const CVectorShapeEx& src) : CVectorShape(src), m_nMirror(src.m_nMirror) {
  std::memcpy(m_Trailer, src.m_Trailer, sizeof(m_Trailer));
}

int CVectorShapeEx::GetOriginMark() const {
  int16_t v;
  std::memcpy(&v, m_Trailer, 2);
  return v;
}

void CVectorShapeEx::SetOriginMark(int nMark) {
  const int16_t v = (int16_t)nMark;
  std::memcpy(m_Trailer, &v, 2);
}

void CVectorShapeEx::ToggleMirror(int nBit) {
  m_nMirror ^= nBit;
  m_nCachedAngle = VECTOR_ANGLE_STALE;
}

BOOL CVectorShapeEx::WriteStream(CFile* pFile) {
  m_Trailer[2] = (BYTE)(m_nMirror & 0xFF);
  return WriteStreamWith(pFile, m_Trailer, VECTOR_TRAILER_BYTES);
}

BOOL CVectorShapeEx::ReadStream(CFile* pFile) {
  BYTE t[VECTOR_TRAILER_BYTES];
  BOOL bTrailer = FALSE;
  if (!ReadStreamWith(pFile, t, &bTrailer)) return FALSE;
  if (bTrailer) {
    std::memcpy(m_Trailer, t, sizeof(m_Trailer));
    m_nMirror = m_Trailer[2];
  }
  return TRUE;
}

BOOL CVectorShapeEx::SaveFile(LPCTSTR lpszPath) { return SaveWith(lpszPath); }
BOOL CVectorShapeEx::LoadFile(LPCTSTR lpszPath) { return LoadWith(lpszPath); }

BOOL CVectorShapeEx::TransformPoints(const RECT* pRect, int nAngle) {
  if (!BeginTransform(pRect, nAngle)) return FALSE;
  const bool bx = (m_nMirror & VECTOR_MIRROR_HORIZONTAL) != 0, by = (m_nMirror & VECTOR_MIRROR_VERTICAL) != 0;
  if ((bx || by) && !m_TransformedPoints.empty()) {
    // Negated coordinates are moved back onto the span they had.
    LONG maxX = m_TransformedPoints[0].x, maxY = m_TransformedPoints[0].y;
    LONG minX = maxX, minY = maxY;
    for (const POINT& p : m_TransformedPoints) {
      maxX = std::max(maxX, p.x);
      maxY = std::max(maxY, p.y);
      minX = std::min(minX, p.x);
      minY = std::min(minY, p.y);
    }
    for (POINT& p : m_TransformedPoints) {
      if (bx) p.x = VectorClampToLong((double)((int64_t)maxX + minX - p.x));
      if (by) p.y = VectorClampToLong((double)((int64_t)maxY + minY - p.y));
    }
  }
  FinishTransform(pRect, nAngle);
  return TRUE;
}
