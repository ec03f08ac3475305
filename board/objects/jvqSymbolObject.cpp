#include "jvqSymbolObject.h"

#include "jvqVectorFill.h"

jvqSymbolObject::jvqSymbolObject() : jvqRectObject(), m_dDrawingScale(0.01) { m_nClassCode = JVQ_OBJ_SYMBOL; }

jvqSymbolObject::jvqSymbolObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState)
    : jvqRectObject(), m_dDrawingScale(0.01) {
  Create(pRect, pView, dwState);
  m_nClassCode = JVQ_OBJ_SYMBOL;
}

jvqSymbolObject::jvqSymbolObject(const jvqSymbolObject& src)
    : jvqRectObject(src), m_strText1(src.m_strText1), m_strText2(src.m_strText2), m_dDrawingScale(src.m_dDrawingScale) {
  m_nClassCode = JVQ_OBJ_SYMBOL;
}

jvqObject* jvqSymbolObject::Clone() { return new jvqSymbolObject(*this); }

BOOL jvqSymbolObject::Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState) {
  if (!SetRect(pRect, pView, dwState)) return FALSE;
  m_nClassCode = JVQ_OBJ_SYMBOL;
  return TRUE;
}

CVectorShapeEx* jvqSymbolObject::GetVectorShape() const {
  if (m_pFill == NULL || !(m_pFill->GetFlags() & FILL_VECTOR)) return NULL;
  return ((jvqVectorFill*)m_pFill)->GetShape();
}

void jvqSymbolObject::SetScale(double dScale) {
  CVectorShapeEx* pShape = GetVectorShape();
  if (pShape == NULL) return;
  POINT c;
  GetCenter(&c);
  m_dDrawingScale = dScale;
  const double w = pShape->m_Header.m_nModelWidth * 10.0, h = pShape->m_Header.m_nModelHeight * 10.0;
  if (w == 0 || h == 0) return;
  const RECT rc = {0, 0, (LONG)(w * dScale), (LONG)(h * dScale)};
  SetRect(&rc, m_pView, m_dwState);
  MoveTo(&c, 1);
}

BOOL jvqSymbolObject::Flip(int nAxis) {
  CVectorShapeEx* pShape = GetVectorShape();
  if (pShape == NULL) return FALSE;
  const int a = ((int)m_dRotation + 720) % 360;
  if (a != 0) {
    if (nAxis == 1)
      SetRotation((int)(180 - m_dRotation));
    else if (nAxis == 2)
      SetRotation((int)(360 - m_dRotation));
    else
      SetRotation(a);
  }
  // The frame stays; only the picture is reversed.
  if (nAxis == 1) pShape->ToggleMirror(VECTOR_MIRROR_HORIZONTAL);
  if (nAxis == 2) pShape->ToggleMirror(VECTOR_MIRROR_VERTICAL);
  pShape->m_nCachedAngle = VECTOR_ANGLE_STALE;
  return TRUE;
}
