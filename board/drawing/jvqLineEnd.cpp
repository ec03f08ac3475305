#include "jvqLineEnd.h"

#include <cstdint>
#include <vector>

#include "jvqGeometry.h"
#include "jvqObject.h"
#include "jvqPointList.h"
#include "jvqPolylineObject.h"
#include "jvqRecordIO.h"
#include "jvqSolidFill.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

template <int K>
static int LineEndShape(CDC* pDC, jvqObject* pObject, jvqLineEnd* pEnd, int nPointIndex, CRgn* pRegion);

const jvqLineEndDescriptor theLineEndDescriptors[] = {
    {0, 0, 0, 0.0, 0.0, NULL},
    {1, 30, 30, 2.0, 2.0, &LineEndShape<1>},
    {2, 30, 30, 2.0, 2.0, &LineEndShape<2>},
    {3, 30, 30, 2.0, 2.0, &LineEndShape<3>},
    {4, 30, 30, 2.0, 2.0, &LineEndShape<4>},
    {5, 30, 30, 2.0, 2.0, &LineEndShape<5>},
    {6, 30, 30, 2.0, 2.0, &LineEndShape<6>},
    {7, 15, 30, 2.0, 2.0, &LineEndShape<7>},
    {8, 30, 30, 2.0, 2.0, &LineEndShape<8>},
    {9, 20, 20, 1.0, 1.0, &LineEndShape<9>},
    {10000, 0, 0, 0.0, 0.0, NULL},
};

jvqOwningVector<jvqLineEnd> theLineEndList;

// Filled once, in descriptor order; on first use too, so that objects read before start-up
// (and programs without the drawing resources) still find their end styles.
void FillLineEndList() {
  if (!theLineEndList.empty()) return;
  for (const jvqLineEndDescriptor* d = theLineEndDescriptors; d->nKind != 10000; d++)
    theLineEndList.push_back(new jvqLineEnd(d));
}

jvqLineEnd* GetLineEnd(int nKind) {
  FillLineEndList();
  for (jvqLineEnd* p : theLineEndList)
    if (p->m_nKind == nKind) return p;
  return NULL;
}

int GetLineEndCount() {
  FillLineEndList();
  return (int)theLineEndList.size();
}

jvqLineEnd::jvqLineEnd(const jvqLineEndDescriptor* pDesc)
    : m_nKind(0),
      m_nBaseLength(0),
      m_nBaseWidth(0),
      m_dLengthFactor(0),
      m_dWidthFactor(0),
      m_pfnShape(NULL),
      m_pRegion(NULL) {
  if (pDesc) {
    m_nKind = pDesc->nKind;
    m_nBaseLength = pDesc->nBaseLength;
    m_nBaseWidth = pDesc->nBaseWidth;
    m_dLengthFactor = pDesc->dLengthFactor;
    m_dWidthFactor = pDesc->dWidthFactor;
    m_pfnShape = pDesc->pfnShape;
  }
#ifdef JVQ_HAVE_GDI
  m_pRegion = new CRgn;
#endif
}

jvqLineEnd::jvqLineEnd(const jvqLineEnd& src) : jvqLineEnd((const jvqLineEndDescriptor*)NULL) { *this = src; }

jvqLineEnd& jvqLineEnd::operator=(const jvqLineEnd& src) {
  m_nKind = src.m_nKind;
  m_nBaseLength = src.m_nBaseLength;
  m_nBaseWidth = src.m_nBaseWidth;
  m_dLengthFactor = src.m_dLengthFactor;
  m_dWidthFactor = src.m_dWidthFactor;
  m_pfnShape = src.m_pfnShape;
  return *this;
}

jvqLineEnd::~jvqLineEnd() {
#ifdef JVQ_HAVE_GDI
  delete m_pRegion;
#endif
}

void jvqLineEnd::GetTemplateSize(int w, int* pLength, int* pWidth) const {
  double lf = (m_nKind == 1 || m_nKind == 9) ? m_dLengthFactor : m_dWidthFactor;
  *pLength = (int)(w * lf) + m_nBaseLength;
  *pWidth = (int)(w * m_dWidthFactor) + m_nBaseWidth;
}

BOOL jvqLineEnd::PlaceShape(jvqObject* pObject, int nPointIndex, jvqPointList& out) const {
  out.RemoveAll();
  if (pObject == NULL || m_nKind < 1 || m_nKind > 9) return FALSE;
  jvqPointList* pOutline = pObject->GetOutline();
  const int n = pOutline ? pOutline->GetCount() : 0;
  if (n < 2 || (nPointIndex != 0 && nPointIndex != n - 1)) return FALSE;
  POINT tip = *pOutline->GetAt(nPointIndex);
  POINT nb = *pOutline->GetAt(nPointIndex == 0 ? 1 : n - 2);
  int L, W;
  GetTemplateSize(pObject->m_LineStyle.m_nWidth, &L, &W);
  int nAngle = GetLineAngle(&nb, &tip);
  auto add = [&](LONG x, LONG y) {
    POINT p = {x, y};
    out.Add(&p);
  };
  switch (m_nKind) {
    case 1:
    case 9: {
      RECT rc = {0, 0, L, W};
      out = jvqPointList(rc);
      break;
    }
    case 2: add(0, 0); add(0, W); add(L, W); add(L, 0); break;
    case 3: add(L / 2, 0); add(0, W); add(L, W); break;
    case 4: add(L, 0); add(0, W); add(2 * L, W); break;
    case 5: add(L, 0); add(0, W); add(L, W / 2); add(2 * L, W); break;
    case 6:
    case 7: {
      add(0, W); add(L, 0); add(2 * L, W);
      SIZE d = {tip.x - L, tip.y};
      out.Offset(&d);
      out.Rotate(tip.x, tip.y, nAngle);
      return TRUE;
    }
    case 8: {
      POINT top = {tip.x, tip.y - W};
      static const int turns[5] = {0, 216, 72, 288, 144};
      for (int t : turns) {
        POINT p = top;
        RotatePoint(&tip, &p, t);
        out.Add(&p);
      }
      out.MoveCentroidTo(&tip);
      return TRUE;
    }
  }
  out.MoveCentroidTo(&tip);
  out.Rotate(tip.x, tip.y, nAngle);
  return TRUE;
}

int jvqLineEnd::Draw(CDC* pDC, jvqObject* pObject, BOOL bAtStart) {
  if (m_nKind == 0) return 0;
  if (pObject == NULL) return m_nKind;
  jvqPointList* pOutline = pObject->GetOutline();
  int n = pOutline ? pOutline->GetCount() : 0;
  if (n < 2 || !(pObject->m_dwState & JVQ_STATE_OPEN)) return 0;
  if (m_pfnShape == NULL) return -1;
  return m_pfnShape(pDC, pObject, this, bAtStart ? 0 : n - 1, m_pRegion);
}

BOOL jvqLineEnd::Store(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  int32_t k = 0;
  const int nCount = GetLineEndCount();
  for (k = 0; k < nCount; k++)
    if (GetLineEnd(k) && GetLineEnd(k)->m_pfnShape == m_pfnShape) break;
  try {
    pFile->Write(&k, 4);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqLineEnd::Load(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t k = 0;
    if (!jvqReadExact(pFile, &k, 4)) return FALSE;
    if (k >= 0 && k < GetLineEndCount())
      if (jvqLineEnd* p = GetLineEnd(k)) *this = *p;
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

#ifdef JVQ_HAVE_GDI

template <int K>
static int LineEndShape(CDC* pDC, jvqObject* pObject, jvqLineEnd* pEnd, int nPointIndex, CRgn* pRegion) {
  if (pEnd->m_nKind != K) return -1;
  jvqPointList shape;
  if (!pEnd->PlaceShape(pObject, nPointIndex, shape)) return -1;
  COLORREF crColor = pObject->m_LineStyle.m_crColor;
  pRegion->DeleteObject();
  if (K == 6 || K == 7) {
    jvqPolylineObject v(pObject->m_pView);
    std::vector<POINT> pts(shape.GetData(), shape.GetData() + shape.GetCount());
    v.SetPoints(pts.data(), (int)pts.size(), pObject->m_pView, JVQ_STATE_VISIBLE | JVQ_STATE_OPEN | JVQ_STATE_ALIVE);
    int nOldStyle = pObject->m_LineStyle.m_nPenStyle;
    pObject->m_LineStyle.m_nPenStyle = 0;
    v.DrawOutline(pDC, &pObject->m_LineStyle);
    pObject->m_LineStyle.m_nPenStyle = nOldStyle;
    return 0;
  }
  if (K == 1 || K == 9) {
    RECT rc;
    shape.GetBoundRect(&rc);
    pRegion->CreateEllipticRgn(rc.left, rc.top, rc.right, rc.bottom);
  } else {
    shape.CreatePolygonRgn(pRegion);
  }
  jvqSolidFill fill(crColor);
  fill.FillRegion(pDC, pRegion, NULL);
  return 0;
}

#else

template <int K>
static int LineEndShape(CDC*, jvqObject* pObject, jvqLineEnd* pEnd, int nPointIndex, CRgn*) {
  if (pEnd->m_nKind != K) return -1;
  jvqPointList shape;
  return pEnd->PlaceShape(pObject, nPointIndex, shape) ? 0 : -1;
}

#endif
