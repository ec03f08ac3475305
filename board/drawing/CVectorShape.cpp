#include "CVectorShape.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <utility>

#include "afxreplace.h"
#include "jvqRecordIO.h"

#ifdef _WIN32
#include "afxwin.h"
#endif

namespace {

// The conversion's pool: points in order of first appearance, and where each stands.
std::vector<POINT> g_PoolPoints;
std::map<std::pair<LONG, LONG>, int> g_PoolIndex;

void PutInt(std::vector<BYTE>& out, int32_t v) {
  BYTE b[4];
  std::memcpy(b, &v, 4);
  out.insert(out.end(), b, b + 4);
}

int32_t IntAt(const BYTE* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

void ReportFileError(CFileException* e) {
  e->ReportError();
  e->Delete();
}

}  // namespace

CVectorShape::CVectorShape() : m_dScaleX(1.0), m_dScaleY(1.0), m_nCachedAngle(0) {
  std::memset(&m_Header, 0, sizeof(m_Header));
  std::memset(&m_rcCached, 0, sizeof(m_rcCached));
  SetDefaults();
}

CVectorShape::CVectorShape(const CVectorShape& src) : CVectorShape() { CopyFrom(src); }

void CVectorShape::CopyFrom(const CVectorShape& src) {
  Clear();
  m_dScaleX = src.m_dScaleX;
  m_dScaleY = src.m_dScaleY;
  m_Header = src.m_Header;
  for (CVectorPrimitive* p : src.m_Primitives) m_Primitives.push_back(new CVectorPrimitive(*p));
  m_SourcePoints = src.m_SourcePoints;
  m_TransformedPoints = src.m_TransformedPoints;
  // A copy has no cached rectangle, so its first drawing transforms the points.
  std::memset(&m_rcCached, 0, sizeof(m_rcCached));
  m_nCachedAngle = src.m_nCachedAngle;
}

CVectorShape::~CVectorShape() { Clear(); }

void CVectorShape::SetDefaults() {
  std::memcpy(m_Header.m_Signature, "tqz", 3);
  m_Header.m_nVersion = 1000;
}

void CVectorShape::Clear() {
  for (CVectorPrimitive* p : m_Primitives) delete p;
  m_Primitives.clear();
  m_SourcePoints.clear();
  m_TransformedPoints.clear();
  std::memset(&m_rcCached, 0, sizeof(m_rcCached));
  m_nCachedAngle = 0;
}

BOOL CVectorShape::AddPrimitive(CVectorPrimitive* pPrimitive) {
  m_Primitives.push_back(pPrimitive);
  return TRUE;
}

POINT CVectorShape::GetTransformedPoint(int nIndex) {
  if (nIndex < 0 || nIndex >= (int)m_TransformedPoints.size()) return POINT{0, 0};
  return m_TransformedPoints[nIndex];
}

SIZE CVectorShape::GetExtent() const { return SIZE{m_Header.m_nPhysWidth, m_Header.m_nPhysHeight}; }

int CVectorShape::AddShapePoint(int x, int y) {
  auto it = g_PoolIndex.find({x, y});
  if (it != g_PoolIndex.end()) return it->second;
  const int at = (int)g_PoolPoints.size();
  g_PoolPoints.push_back(POINT{x, y});
  g_PoolIndex.emplace(std::make_pair((LONG)x, (LONG)y), at);
  return at;
}

// Pool access for the metafile conversion (its own file).
std::vector<POINT>& VectorShapePool() { return g_PoolPoints; }
void EmptyVectorShapePool() {
  g_PoolPoints.clear();
  g_PoolIndex.clear();
}

BOOL CVectorShape::BeginTransform(const RECT* pRect, int nAngle) {
  if (m_Primitives.empty()) return FALSE;
  m_rcCached = *pRect;
  m_nCachedAngle = nAngle;
  m_TransformedPoints = m_SourcePoints;
  m_dScaleX = m_Header.m_nFrameWidth ? (double)(pRect->right - pRect->left) / m_Header.m_nFrameWidth : 0.0;
  m_dScaleY = m_Header.m_nFrameHeight ? (double)(pRect->bottom - pRect->top) / m_Header.m_nFrameHeight : 0.0;
  return TRUE;
}

// Points read from a file may be anything: a result beyond LONG is held at its edge rather
// than overflowing (values inside it come out exactly as a plain cast gives them).
LONG VectorClampToLong(double v) {
  if (v != v) return 0;
  if (v >= 2147483647.0) return (LONG)INT32_MAX;
  if (v <= -2147483648.0) return (LONG)INT32_MIN;
  return (LONG)v;
}

void CVectorShape::FinishTransform(const RECT* pRect, int nAngle) {
  const double sx = m_dScaleX, sy = m_dScaleY;
  if (nAngle % 360 != 0) {
    const int cx = (int)(((int64_t)pRect->left + pRect->right) / 2), cy = (int)(((int64_t)pRect->top + pRect->bottom) / 2);
    const double t = nAngle * 0.017453292519943295;
    const double c = std::cos(t), s = std::sin(t);
    for (POINT& p : m_TransformedPoints) {
      const LONG x1 = VectorClampToLong(p.x * sx + pRect->left - cx);
      const LONG y1 = VectorClampToLong(p.y * sy + pRect->top - cy);
      p.x = VectorClampToLong(x1 * c - y1 * s + cx);
      p.y = VectorClampToLong(x1 * s + y1 * c + cy);
    }
  } else {
    for (POINT& p : m_TransformedPoints) {
      p.x = VectorClampToLong((double)VectorClampToLong(p.x * sx) + pRect->left);
      p.y = VectorClampToLong((double)VectorClampToLong(p.y * sy) + pRect->top);
    }
  }
}

BOOL CVectorShape::TransformPoints(const RECT* pRect, int nAngle) {
  if (!BeginTransform(pRect, nAngle)) return FALSE;
  FinishTransform(pRect, nAngle);
  return TRUE;
}

// The stream is built whole in memory and written at once: its offsets are then known
// before the header goes out.
BOOL CVectorShape::WriteStreamWith(CFile* pFile, const BYTE* pTrailer, int nTrailer) {
  SetDefaults();
  // A shape without points still writes a readable stream (it draws nothing), so that the
  // record around it reads back.
  const bool bEmpty = m_SourcePoints.empty();
  std::vector<BYTE> out(VECTOR_HEADER_BYTES, 0);
  CVectorShapeHeader& h = m_Header;
  h.m_nPrimitiveCount = bEmpty ? 0 : (int32_t)m_Primitives.size();
  h.m_nPointCount = (uint32_t)m_SourcePoints.size();
  h.m_nPrimitiveOffset = (int32_t)out.size();
  if (!bEmpty) {
    for (const CVectorPrimitive* p : m_Primitives) {
      PutInt(out, (int32_t)p->m_Brush.lbStyle);
      PutInt(out, (int32_t)p->m_Brush.lbColor);
      PutInt(out, (int32_t)p->m_Brush.lbHatch);
      PutInt(out, p->m_nFillMode);
      PutInt(out, (int32_t)p->m_Pen.lopnStyle);
      PutInt(out, p->m_Pen.lopnWidth.x);
      PutInt(out, p->m_Pen.lopnWidth.y);
      PutInt(out, (int32_t)p->m_Pen.lopnColor);
      PutInt(out, p->m_nReserved);
      PutInt(out, p->m_nKind);
      PutInt(out, (int32_t)p->m_Indexes.size());
      for (int32_t i : p->m_Indexes) PutInt(out, i);
    }
  }
  h.m_nPointOffset = (int32_t)out.size();
  for (const POINT& p : m_SourcePoints) {
    PutInt(out, p.x);
    PutInt(out, p.y);
  }
  h.m_nTrailerOffset = (int32_t)out.size();
  h.m_nTrailerLength = nTrailer;
  if (nTrailer > 0) out.insert(out.end(), pTrailer, pTrailer + nTrailer);

  BYTE* q = out.data();
  std::memcpy(q, h.m_Signature, 3);
  const int32_t fields[18] = {h.m_nVersion, h.m_nReserved, h.m_nModelWidth, h.m_nModelHeight,
                              h.m_nPhysWidth, h.m_nPhysHeight, (int32_t)h.m_nFrameWidth,
                              (int32_t)h.m_nFrameHeight, h.m_Bounds[0], h.m_Bounds[1], h.m_Bounds[2],
                              h.m_Bounds[3], h.m_nPrimitiveCount, (int32_t)h.m_nPointCount,
                              h.m_nPrimitiveOffset, h.m_nPointOffset, h.m_nTrailerOffset,
                              h.m_nTrailerLength};
  std::memcpy(q + 3, fields, sizeof(fields));
  try {
    pFile->Write(out.data(), (UINT)out.size());
  } catch (CFileException* e) {
    ReportFileError(e);
    return FALSE;
  }
  return TRUE;
}

// Every count, offset and index is believed only as far as the stream's bytes hold it; the
// shape takes what was read only when the whole stream is sound.
BOOL CVectorShape::ReadStreamWith(CFile* pFile, BYTE* pTrailer, BOOL* pHasTrailer) {
  Clear();
  if (pHasTrailer) *pHasTrailer = FALSE;
  std::vector<CVectorPrimitive*> prims;
  auto fail = [&prims]() {
    for (CVectorPrimitive* p : prims) delete p;
    return FALSE;
  };
  try {
    const DWORD start = pFile->GetPosition();
    const uint64_t avail = jvqBytesLeft(pFile);
    BYTE head[VECTOR_HEADER_BYTES];
    if (!jvqReadExact(pFile, head, 3) || std::memcmp(head, "tqz", 3) != 0) return FALSE;
    if (avail < VECTOR_HEADER_BYTES || !jvqReadExact(pFile, head + 3, VECTOR_HEADER_BYTES - 3)) return FALSE;
    CVectorShapeHeader h;
    std::memcpy(h.m_Signature, head, 3);
    int32_t f[18];
    std::memcpy(f, head + 3, sizeof(f));
    h.m_nVersion = f[0];
    h.m_nReserved = f[1];
    h.m_nModelWidth = f[2];
    h.m_nModelHeight = f[3];
    h.m_nPhysWidth = f[4];
    h.m_nPhysHeight = f[5];
    h.m_nFrameWidth = (uint32_t)f[6];
    h.m_nFrameHeight = (uint32_t)f[7];
    for (int i = 0; i < 4; i++) h.m_Bounds[i] = f[8 + i];
    h.m_nPrimitiveCount = f[12];
    h.m_nPointCount = (uint32_t)f[13];
    h.m_nPrimitiveOffset = f[14];
    h.m_nPointOffset = f[15];
    h.m_nTrailerOffset = f[16];
    h.m_nTrailerLength = f[17];

    auto within = [avail](int64_t off, uint64_t len) { return off >= 0 && (uint64_t)off + len <= avail; };
    const uint64_t nPoints = h.m_nPointCount;
    if (h.m_nPrimitiveCount < 0 || h.m_nTrailerLength < 0) return FALSE;
    if (!within(h.m_nPrimitiveOffset, (uint64_t)h.m_nPrimitiveCount * VECTOR_PRIMITIVE_BYTES)) return FALSE;
    if (!within(h.m_nPointOffset, nPoints * 8)) return FALSE;
    if (!within(h.m_nTrailerOffset, (uint64_t)h.m_nTrailerLength)) return FALSE;

    pFile->Seek((LONG)(start + h.m_nPrimitiveOffset), CFile::begin);
    for (int32_t i = 0; i < h.m_nPrimitiveCount; i++) {
      BYTE r[VECTOR_PRIMITIVE_BYTES];
      if (!jvqReadExact(pFile, r, sizeof(r))) return fail();
      const int32_t n = IntAt(r + 40);
      const uint64_t used = pFile->GetPosition() - start;
      if (n < 0 || used > avail || (uint64_t)n * 4 > avail - used) return fail();
      CVectorPrimitive* p = new CVectorPrimitive;
      prims.push_back(p);
      p->m_Brush.lbStyle = (UINT)IntAt(r);
      p->m_Brush.lbColor = (COLORREF)IntAt(r + 4);
      p->m_Brush.lbHatch = IntAt(r + 8);
      p->m_nFillMode = IntAt(r + 12);
      p->m_Pen.lopnStyle = (UINT)IntAt(r + 16);
      p->m_Pen.lopnWidth.x = IntAt(r + 20);
      p->m_Pen.lopnWidth.y = IntAt(r + 24);
      p->m_Pen.lopnColor = (COLORREF)IntAt(r + 28);
      p->m_nReserved = IntAt(r + 32);
      p->m_nKind = IntAt(r + 36);
      p->m_Indexes.resize((size_t)n);
      if (n > 0 && !jvqReadExact(pFile, p->m_Indexes.data(), (UINT)n * 4)) return fail();
      for (int32_t k : p->m_Indexes)
        if (k < 0 || (uint64_t)k >= nPoints) return fail();
    }
    std::vector<POINT> pts((size_t)nPoints);
    pFile->Seek((LONG)(start + h.m_nPointOffset), CFile::begin);
    for (POINT& p : pts) {
      int32_t xy[2];
      if (!jvqReadExact(pFile, xy, 8)) return fail();
      p.x = xy[0];
      p.y = xy[1];
    }
    pFile->Seek((LONG)(start + h.m_nTrailerOffset), CFile::begin);
    if (h.m_nTrailerLength != 0) {
      // A trailer stored longer than ours keeps its first bytes; the rest is stepped over.
      BYTE t[VECTOR_TRAILER_BYTES] = {0};
      const UINT keep = h.m_nTrailerLength < VECTOR_TRAILER_BYTES ? (UINT)h.m_nTrailerLength : VECTOR_TRAILER_BYTES;
      if (!jvqReadExact(pFile, t, keep)) return fail();
      if ((UINT)h.m_nTrailerLength > keep) pFile->Seek((LONG)(h.m_nTrailerLength - keep), CFile::current);
      if (pTrailer) std::memcpy(pTrailer, t, VECTOR_TRAILER_BYTES);
      if (pHasTrailer) *pHasTrailer = TRUE;
    }
    m_Header = h;
    m_Primitives = std::move(prims);
    m_SourcePoints = pts;
    m_TransformedPoints = std::move(pts);
    return TRUE;
  } catch (CFileException* e) {
    ReportFileError(e);
    return fail();
  }
}

BOOL CVectorShape::WriteStream(CFile* pFile) { return WriteStreamWith(pFile, NULL, 0); }
BOOL CVectorShape::ReadStream(CFile* pFile) { return ReadStreamWith(pFile, NULL, NULL); }

// A shape file is replaced whole or not at all.
BOOL CVectorShape::SaveWith(LPCTSTR lpszPath) {
  BOOL bWritten = FALSE;
  BOOL bReplaced = AfxReplaceFile(lpszPath, [&](LPCTSTR lpszTemp) -> BOOL {
    CFile f;
    CFileException e;
    if (!f.Open(lpszTemp, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone | CFile::typeBinary, &e)) {
      e.m_bAutoDelete = FALSE;
      e.ReportError();
      return FALSE;
    }
    bWritten = WriteStream(&f);
    f.Close();
    return bWritten;
  });
  return bReplaced && bWritten;
}

BOOL CVectorShape::LoadWith(LPCTSTR lpszPath) {
  CFile f;
  CFileException e;
  if (!f.Open(lpszPath, CFile::modeRead | CFile::modeNoTruncate | CFile::shareDenyNone | CFile::typeBinary, &e)) {
    e.m_bAutoDelete = FALSE;
    e.ReportError();
    Clear();
    return FALSE;
  }
  return ReadStream(&f);
}

BOOL CVectorShape::SaveFile(LPCTSTR lpszPath) { return SaveWith(lpszPath); }
BOOL CVectorShape::LoadFile(LPCTSTR lpszPath) { return LoadWith(lpszPath); }

#ifdef _WIN32

BOOL CVectorShape::Draw(CDC* pDC, const RECT* pRect, int nAngle) {
  if (m_Primitives.empty() || pDC == NULL || pRect == NULL) return FALSE;
  HDC hAttrib = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
  HDC hDC = pDC->m_hDC;
  const int nOldMode = ::GetMapMode(hAttrib);
  POINT wo, vo;
  SIZE we0, ve0;
  ::GetWindowOrgEx(hAttrib, &wo);
  ::GetWindowExtEx(hAttrib, &we0);
  ::GetViewportOrgEx(hAttrib, &vo);
  ::GetViewportExtEx(hAttrib, &ve0);
  POINT c[2] = {{pRect->left, pRect->top}, {pRect->right, pRect->bottom}};
  ::LPtoDP(hAttrib, c, 2);
  // One logical unit becomes 0.2 mm of the device on both axes, y downwards.
  ::SetMapMode(hDC, MM_HIMETRIC);
  if (hAttrib != hDC) ::SetMapMode(hAttrib, MM_HIMETRIC);
  SIZE we, ve;
  ::GetWindowExtEx(hAttrib, &we);
  ::GetViewportExtEx(hAttrib, &ve);
  ::SetMapMode(hDC, MM_ANISOTROPIC);
  if (hAttrib != hDC) ::SetMapMode(hAttrib, MM_ANISOTROPIC);
  auto setExt = [&](int t, int v) {
    ::SetWindowExtEx(hDC, t, t, NULL);
    ::SetViewportExtEx(hDC, v, v, NULL);
    if (hAttrib != hDC) {
      ::SetWindowExtEx(hAttrib, t, t, NULL);
      ::SetViewportExtEx(hAttrib, v, v, NULL);
    }
  };
  if (we.cx != 0 && we.cy != 0 && std::fabs((double)(-ve.cy) / we.cy) > std::fabs((double)ve.cx / we.cx))
    setExt((int)(0.05 * we.cx), ve.cx);
  else
    setExt((int)(0.05 * we.cy), -ve.cy);
  ::DPtoLP(hAttrib, c, 2);
  RECT r = {std::min(c[0].x, c[1].x), std::min(c[0].y, c[1].y), std::max(c[0].x, c[1].x), std::max(c[0].y, c[1].y)};
  if (!::EqualRect(&r, &m_rcCached) || nAngle != m_nCachedAngle) TransformPoints(&r, nAngle);
  for (CVectorPrimitive* p : m_Primitives) p->Draw(pDC, this);
  auto restore = [&](HDC h) {
    ::SetMapMode(h, nOldMode);
    ::SetWindowOrgEx(h, wo.x, wo.y, NULL);
    ::SetWindowExtEx(h, we0.cx, we0.cy, NULL);
    ::SetViewportOrgEx(h, vo.x, vo.y, NULL);
    ::SetViewportExtEx(h, ve0.cx, ve0.cy, NULL);
  };
  restore(hDC);
  if (hAttrib != hDC) restore(hAttrib);
  return TRUE;
}

BOOL CVectorShape::TakeDcAttributes(HDC hDC, CVectorPrimitive* pPrimitive, int nWhat) {
  if (nWhat & 2) {
    LOGBRUSH b = {};
    if (::GetObject(::GetCurrentObject(hDC, OBJ_BRUSH), sizeof(b), &b)) pPrimitive->m_Brush = b;
  }
  if (nWhat & 1) {
    LOGPEN p = {};
    if (::GetObject(::GetCurrentObject(hDC, OBJ_PEN), sizeof(p), &p)) pPrimitive->m_Pen = p;
  }
  if (nWhat & 4) {
    const int m = ::GetPolyFillMode(hDC);
    if (m == ALTERNATE) pPrimitive->m_nFillMode |= VECTOR_FILL_ALTERNATE;
    if (m == WINDING) pPrimitive->m_nFillMode |= VECTOR_FILL_WINDING;
  }
  return TRUE;
}

#else

BOOL CVectorShape::Draw(CDC*, const RECT*, int) { return m_Primitives.empty() ? FALSE : TRUE; }
BOOL CVectorShape::LoadMetafile(LPCTSTR) {
  Clear();
  return FALSE;
}

#endif
