#include "jvqRoundRectObject.h"

#include <cstdint>

#include "jvqRecordIO.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

jvqRoundRectObject::jvqRoundRectObject() : m_nCornerWidth(-1), m_nCornerHeight(-1) {
  m_nClassCode = JVQ_OBJ_ROUNDRECT;
}

jvqRoundRectObject::jvqRoundRectObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState)
    : jvqRoundRectObject() {
  Create(pRect, pView, dwState);
}

jvqRoundRectObject::jvqRoundRectObject(const jvqRoundRectObject& src)
    : jvqEllipticObject(src), m_nCornerWidth(src.m_nCornerWidth), m_nCornerHeight(src.m_nCornerHeight) {
  m_nClassCode = JVQ_OBJ_ROUNDRECT;
}

jvqObject* jvqRoundRectObject::Clone() { return new jvqRoundRectObject(*this); }

BOOL jvqRoundRectObject::Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState) {
  if (!SetRect(pRect, pView, dwState)) return FALSE;
  RECT rc;
  m_GeometryData.GetBoundRect(&rc);
  m_Curve.SetRoundRectPoints(rc, m_nCornerWidth, m_nCornerHeight, 0);
  m_nClassCode = JVQ_OBJ_ROUNDRECT;
  return TRUE;
}

void jvqRoundRectObject::SetCornerRadius(int nValue) {
  RECT rc;
  GetBoundRect(&rc);
  int s = rc.right - rc.left < rc.bottom - rc.top ? rc.right - rc.left : rc.bottom - rc.top;
  m_nCornerWidth = m_nCornerHeight = nValue < s ? nValue : s;
  Recalc();
}

void jvqRoundRectObject::Recalc() {
  if (m_GeometryData.GetCount() > 0) {
    RECT rc;
    GetBoundRect(&rc);
    int s = rc.right - rc.left < rc.bottom - rc.top ? rc.right - rc.left : rc.bottom - rc.top;
    int c;
    if (m_nCornerWidth >= 0 && m_nCornerHeight >= 0) {
      c = m_nCornerWidth > m_nCornerHeight ? m_nCornerWidth : m_nCornerHeight;
      if (c > s) c = s;
    } else {
      c = s > 20 ? s / 2 : s;
    }
    m_nCornerWidth = m_nCornerHeight = c;
  }
  jvqEllipticObject::Recalc();
}

void jvqRoundRectObject::RecalcCurve(const jvqPointList& src, jvqPointList& out) {
  RECT rc;
  src.GetBoundRect(&rc);
  out.SetRoundRectPoints(rc, m_nCornerWidth, m_nCornerHeight, 0);
}

void jvqRoundRectObject::DrawOutline(CDC* pDC, jvqLineStyle* pStyle) {
  if (pStyle == NULL || m_Curve.GetCount() == 0) return;
#ifdef JVQ_HAVE_GDI
  if (pDC) ::MoveToEx(pDC->m_hDC, m_Curve.GetAt(0)->x, m_Curve.GetAt(0)->y, NULL);
#endif
  pStyle->DrawBezierPointList(pDC, m_Curve, TRUE);
  pStyle->DrawLine(pDC, m_Curve.GetAt(0), m_Curve.GetAt(m_Curve.GetCount() - 1));
}

#ifdef JVQ_HAVE_GDI
BOOL jvqRoundRectObject::GetDeviceRegion(CDC* pDC, CRgn* pRgn) {
  jvqLineStyle plain(1, 0, 0);
  RECT rc;
  m_GeometryData.GetBoundRect(&rc);
  return plain.MakeRoundRectRegion(pDC, pRgn, &rc, m_nCornerWidth, m_nCornerHeight, (int)m_dRotation);
}
#else
BOOL jvqRoundRectObject::GetDeviceRegion(CDC*, CRgn*) { return FALSE; }
#endif

BOOL jvqRoundRectObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqEllipticObject::Load(pFile, pHeader)) return FALSE;
  try {
    int32_t c[2];
    if (!jvqReadExact(pFile, c, 8)) return FALSE;
    m_nCornerWidth = c[0];
    m_nCornerHeight = c[1];
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqRoundRectObject::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqEllipticObject::Store(pFile, pHeader)) return FALSE;
  try {
    int32_t c[2] = {m_nCornerWidth, m_nCornerHeight};
    pFile->Write(c, 8);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}
