// Converting a Windows metafile (enhanced, placeable or plain) into vector shape primitives.
#include <algorithm>
#include <cstring>
#include <vector>

#include "CVectorShape.h"
#include "afxwin.h"

std::vector<POINT>& VectorShapePool();
void EmptyVectorShapePool();

namespace {

const int kWhatAll = 7;  // pen, brush and fill mode
// A header without the later extensions ends after the device size in millimetres.
const UINT kEmfHeaderMin = 88;

// Counts are believed only as far as the record's own size holds them.
bool AddPointRun(CVectorShape* pShape, HDC hDC, const POINTS* pts, DWORD n, int nKind) {
  CVectorPrimitive* p = new CVectorPrimitive;
  p->m_Indexes.reserve(n);
  for (DWORD i = 0; i < n; i++) p->m_Indexes.push_back(CVectorShape::AddShapePoint(pts[i].x, pts[i].y));
  pShape->TakeDcAttributes(hDC, p, kWhatAll);
  pShape->AddPrimitive(p);
  p->m_nKind |= nKind;
  return true;
}

int CALLBACK ConvertRecord(HDC hDC, HANDLETABLE* pTable, const ENHMETARECORD* pRec, int nHandles, LPARAM lData) {
  CVectorShape* pShape = (CVectorShape*)lData;
  const BYTE* b = (const BYTE*)pRec;
  const DWORD size = pRec->nSize;
  switch (pRec->iType) {
    case EMR_POLYLINE16:
    case EMR_POLYGON16: {
      if (size < 28) return TRUE;
      DWORD n;
      std::memcpy(&n, b + 24, 4);
      if (n > (size - 28) / sizeof(POINTS)) return TRUE;
      std::vector<POINTS> pts(n);
      if (n) std::memcpy(pts.data(), b + 28, n * sizeof(POINTS));
      AddPointRun(pShape, hDC, pts.data(), n, pRec->iType == EMR_POLYGON16 ? VECTOR_KIND_POLYGON : VECTOR_KIND_POLYLINE);
      return TRUE;
    }
    case EMR_POLYPOLYGON16: {
      if (size < 32) return TRUE;
      DWORD nPolys, nPts;
      std::memcpy(&nPolys, b + 24, 4);
      std::memcpy(&nPts, b + 28, 4);
      const DWORD room = (size - 32) / 4;
      if (nPolys > room || nPts > room - nPolys) return TRUE;
      std::vector<DWORD> counts(nPolys);
      if (nPolys) std::memcpy(counts.data(), b + 32, nPolys * 4);
      std::vector<POINTS> pts(nPts);
      if (nPts) std::memcpy(pts.data(), b + 32 + nPolys * 4, nPts * sizeof(POINTS));
      DWORD at = 0;
      for (DWORD c : counts) {
        if (c > nPts - at) break;
        AddPointRun(pShape, hDC, pts.data() + at, c, VECTOR_KIND_POLYGON);
        at += c;
      }
      return TRUE;
    }
    case EMR_RECTANGLE: {
      if (size < 24) return TRUE;
      RECTL r;
      std::memcpy(&r, b + 8, sizeof(r));
      const POINTS pts[4] = {{(SHORT)r.left, (SHORT)r.top}, {(SHORT)r.left, (SHORT)r.bottom},
                             {(SHORT)r.right, (SHORT)r.bottom}, {(SHORT)r.right, (SHORT)r.top}};
      AddPointRun(pShape, hDC, pts, 4, VECTOR_KIND_POLYGON);
      return TRUE;
    }
    case EMR_ELLIPSE:
    case EMR_POLYBEZIER16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
    case EMR_SETMAPMODE:
    case EMR_SETWINDOWEXTEX:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTEXTEX:
    case EMR_SETVIEWPORTORGEX:
      return TRUE;
    default:
      return ::PlayEnhMetaFileRecord(hDC, pTable, pRec, (UINT)nHandles);
  }
}

template <typename T>
T ValueAt(const BYTE* p) {
  T v;
  std::memcpy(&v, p, sizeof(T));
  return v;
}

}  // namespace

// Reads a Windows metafile, with or without the placeable header, into an enhanced one; the
// frame and the physical size come from the placeable header (zeros without one).
static HENHMETAFILE ReadPlaceableMetafile(CVectorShape* pShape, CFile* pFile) {
  DWORD pos = pFile->GetPosition();
  const DWORD length = pFile->GetLength();
  BYTE key[4];
  if (pFile->Read(key, 4) != 4) return NULL;
  BYTE head[22] = {0};
  if (ValueAt<DWORD>(key) == 0x9AC6CDD7) {
    pFile->Seek((LONG)pos, CFile::begin);
    if (pFile->Read(head, 22) != 22) return NULL;
    pos += 22;
  }
  BYTE meta[18];
  pFile->Seek((LONG)pos, CFile::begin);
  if (pFile->Read(meta, 18) != 18) return NULL;
  const WORD type = ValueAt<WORD>(meta);
  if (type != 1 && type != 2) return NULL;
  // The stated size is believed only as far as the file holds it.
  const uint64_t bytes = (uint64_t)ValueAt<DWORD>(meta + 6) * 2;
  if (bytes < 18 || bytes > (uint64_t)(length - pos)) return NULL;
  std::vector<BYTE> bits;
  try {
    bits.resize((size_t)bytes);
  } catch (std::bad_alloc&) {
    return NULL;
  }
  pFile->Seek((LONG)pos, CFile::begin);
  if (pFile->Read(bits.data(), (UINT)bytes) != bytes) return NULL;
  HENHMETAFILE h = ::SetWinMetaFileBits((UINT)bytes, bits.data(), NULL, NULL);
  const SHORT l = ValueAt<SHORT>(head + 6), t = ValueAt<SHORT>(head + 8);
  const SHORT r = ValueAt<SHORT>(head + 10), btm = ValueAt<SHORT>(head + 12);
  const WORD inch = ValueAt<WORD>(head + 14);
  CVectorShapeHeader& hd = pShape->m_Header;
  hd.m_nFrameWidth = (uint32_t)(r - l);
  hd.m_nFrameHeight = (uint32_t)(btm - t);
  hd.m_nPhysWidth = inch ? ::MulDiv(r - l, 254, inch) : 0;
  hd.m_nPhysHeight = inch ? ::MulDiv(btm - t, 254, inch) : 0;
  hd.m_nReserved = 0;
  hd.m_nModelWidth = hd.m_nModelHeight = 0;
  return h;
}

BOOL CVectorShape::LoadMetafile(LPCTSTR lpszPath) {
  Clear();
  EmptyVectorShapePool();
  if (lpszPath == NULL) return FALSE;
  const size_t n = std::strlen(lpszPath);
  HENHMETAFILE hEmf = NULL;
  if (n >= 4 && _stricmp(lpszPath + n - 4, ".WMF") == 0) {
    CFile f;
    CFileException e;
    if (!f.Open(lpszPath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary, &e)) {
      e.m_bAutoDelete = FALSE;
      e.ReportError();
      return FALSE;
    }
    try {
      hEmf = ReadPlaceableMetafile(this, &f);
    } catch (CFileException* pe) {
      pe->ReportError();
      pe->Delete();
      return FALSE;
    }
  } else {
    hEmf = ::GetEnhMetaFileA(lpszPath);
    // The frame is the header's picture frame in the reference device's units, which are
    // the units of the records' points; the physical size is that frame in 0.1 mm.
    ENHMETAHEADER eh;
    if (hEmf && ::GetEnhMetaFileHeader(hEmf, sizeof(eh), &eh) >= kEmfHeaderMin && eh.szlMillimeters.cx > 0 &&
        eh.szlMillimeters.cy > 0) {
      const LONG fw = eh.rclFrame.right - eh.rclFrame.left, fh = eh.rclFrame.bottom - eh.rclFrame.top;
      m_Header.m_nFrameWidth = (uint32_t)::MulDiv(fw, eh.szlDevice.cx, eh.szlMillimeters.cx * 100);
      m_Header.m_nFrameHeight = (uint32_t)::MulDiv(fh, eh.szlDevice.cy, eh.szlMillimeters.cy * 100);
      m_Header.m_nPhysWidth = fw / 10;
      m_Header.m_nPhysHeight = fh / 10;
    }
  }
  if (hEmf == NULL) return FALSE;
  HDC hScreen = ::CreateDCA("DISPLAY", NULL, NULL, NULL);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  const RECT rc = {0, 0, 10, 10};
  ::EnumEnhMetaFile(hMem, hEmf, ConvertRecord, this, &rc);
  ::DeleteEnhMetaFile(hEmf);
  ::DeleteDC(hMem);
  ::DeleteDC(hScreen);

  std::vector<POINT>& pool = VectorShapePool();
  LONG minX = 0x7FFFFFFF, minY = 0x7FFFFFFF, maxX = (LONG)0x80000000, maxY = (LONG)0x80000000;
  for (const POINT& p : pool) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
  }
  if (!pool.empty()) {
    // Centred in the frame; a missing frame (a plain metafile) is the points' own span, and a
    // frame smaller than the points leaves them overhanging evenly rather than far away.
    const int64_t spanX = (int64_t)maxX - minX, spanY = (int64_t)maxY - minY;
    if ((int32_t)m_Header.m_nFrameWidth <= 0) m_Header.m_nFrameWidth = (uint32_t)spanX;
    if ((int32_t)m_Header.m_nFrameHeight <= 0) m_Header.m_nFrameHeight = (uint32_t)spanY;
    const LONG ox = (LONG)(((int64_t)m_Header.m_nFrameWidth - spanX) / 2 - minX);
    const LONG oy = (LONG)(((int64_t)m_Header.m_nFrameHeight - spanY) / 2 - minY);
    m_Header.m_Bounds[0] = minX + ox;
    m_Header.m_Bounds[1] = minY + oy;
    m_Header.m_Bounds[2] = maxX + ox;
    m_Header.m_Bounds[3] = maxY + oy;
    m_SourcePoints.reserve(pool.size());
    for (const POINT& p : pool) m_SourcePoints.push_back(POINT{p.x + ox, p.y + oy});
  }
  m_TransformedPoints = m_SourcePoints;
  m_Header.m_nPointCount = (uint32_t)m_SourcePoints.size();
  EmptyVectorShapePool();
  m_Header.m_nPrimitiveCount = (int32_t)m_Primitives.size();
  return TRUE;
}
