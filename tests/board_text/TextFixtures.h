// Records of the text objects in memory files, at a chosen version, and the checks the
// balloon's outline must pass.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "afx.h"
#include "jvqBalloonObject.h"
#include "jvqFileHeader.h"
#include "jvqHandleObject.h"
#include "jvqPointList.h"
#include "jvqTextAttributes.h"

typedef std::vector<uint8_t> Bytes;

template <class T>
Bytes StoreBytes(T& item, int nVersion = JVQ_VERSION_CURRENT) {
  CMemFile file;
  jvqFileHeader h;
  h.m_nVersion = nVersion;
  EXPECT_TRUE(item.Store(&file, &h));
  Bytes out((size_t)file.GetLength());
  file.SeekToBegin();
  if (!out.empty()) file.Read(out.data(), (UINT)out.size());
  return out;
}

// Reads the bytes after `skip` leading ones (what the caller's reader took) into item.
template <class T>
BOOL LoadBytes(T& item, const Bytes& bytes, size_t skip, int nVersion = JVQ_VERSION_CURRENT) {
  CMemFile file;
  if (bytes.size() > skip) file.Write(bytes.data() + skip, (UINT)(bytes.size() - skip));
  file.SeekToBegin();
  jvqFileHeader h;
  h.m_nVersion = nVersion;
  const BOOL bOk = item.Load(&file, &h);
  if (bOk) {
    EXPECT_EQ(file.GetLength(), file.GetPosition()) << "record not read to its end";
  }
  return bOk;
}

inline int32_t Int32At(const Bytes& b, size_t off) {
  int32_t v;
  std::memcpy(&v, b.data() + off, 4);
  return v;
}
inline void PutInt32(Bytes& b, size_t off, int32_t v) { std::memcpy(b.data() + off, &v, 4); }

inline jvqTextAttributes MakeAttributes(const char* text, const char* face) {
  jvqTextAttributes a;
  jvqDefaultTextAttributes(&a);
  a.text = text;
  a.face = face;
  return a;
}

inline POINT Center(jvqObject* p) {
  POINT c;
  p->GetCenter(&c);
  return c;
}
inline bool EqualPoints(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
inline bool EqualRects(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline double DistanceToSegment(const POINT& p, const POINT& a, const POINT& b) {
  const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

// Within rounding of the closed outline.
inline bool OnOutline(const jvqPointList& o, const POINT& p) {
  for (int i = 0; i < o.GetCount(); i++)
    if (DistanceToSegment(p, *o.GetAt(i), *o.GetAt((i + 1) % o.GetCount())) <= 1.5) return true;
  return false;
}

inline int Orientation(const POINT& a, const POINT& b, const POINT& c) {
  const double v = (double)(b.x - a.x) * (c.y - a.y) - (double)(b.y - a.y) * (c.x - a.x);
  return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

inline bool ProperlyCross(const POINT& a, const POINT& b, const POINT& c, const POINT& d) {
  return Orientation(a, b, c) * Orientation(a, b, d) < 0 && Orientation(c, d, a) * Orientation(c, d, b) < 0;
}

inline void ExpectTailInvariants(jvqBalloonObject& b) {
  const jvqPointList& o = b.m_GeometryData;
  const int n = o.GetCount();
  ASSERT_GE(n, 6);
  ASSERT_EQ(b.m_nAIndex + 1, b.m_nTipIndex);
  ASSERT_EQ(b.m_nTipIndex + 1, b.m_nBIndex);
  ASSERT_LT(b.m_nBIndex, n);
  const POINT T = Center(b.m_pT);
  EXPECT_TRUE(EqualPoints(T, *o.GetAt(b.m_nTipIndex)));
  const jvqPointList& body = *b.m_pBody->GetOutline();
  EXPECT_TRUE(OnOutline(body, *o.GetAt(b.m_nAIndex)));
  EXPECT_TRUE(OnOutline(body, *o.GetAt(b.m_nBIndex)));
  for (int i = 0; i < n; i++)
    for (int j = i + 2; j < n; j++) {
      if (i == 0 && j == n - 1) continue;
      const POINT a1 = *o.GetAt(i), a2 = *o.GetAt(i + 1), b1 = *o.GetAt(j), b2 = *o.GetAt((j + 1) % n);
      ASSERT_FALSE(ProperlyCross(a1, a2, b1, b2)) << "edges " << i << " and " << j;
    }
  // A tip outside the body: the middle of the tail is inside what is filled and hit.
  POINT t = T;
  if (!body.PtInPolygon(&t) && !OnOutline(body, T)) {
    const POINT A = *o.GetAt(b.m_nAIndex), B = *o.GetAt(b.m_nBIndex);
    const double area = std::fabs((double)(A.x - T.x) * (B.y - T.y) - (double)(A.y - T.y) * (B.x - T.x)) / 2;
    if (area > 2000) {
      POINT m = {(A.x + B.x + T.x) / 3, (A.y + B.y + T.y) / 3};
      EXPECT_TRUE(o.PtInPolygon(&m));
      EXPECT_EQ(&b, b.HitTest(&m));
    }
  }
}
