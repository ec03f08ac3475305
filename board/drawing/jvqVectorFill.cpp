#include "jvqVectorFill.h"

#include "jvqObject.h"
#include "jvqRecordIO.h"

jvqVectorFill::jvqVectorFill() : m_pShape(NULL), m_nAngle(0) { m_dwFlags = FILL_BASE | FILL_VECTOR; }

jvqVectorFill::jvqVectorFill(LPCTSTR lpszShapeFile) : jvqVectorFill() { LoadShapeFile(lpszShapeFile); }

jvqVectorFill::jvqVectorFill(const jvqVectorFill& src) : jvqVectorFill() {
  m_nAngle = src.m_nAngle;
  if (src.m_pShape) m_pShape = new CVectorShapeEx(*src.m_pShape);
}

jvqVectorFill::~jvqVectorFill() { delete m_pShape; }

void jvqVectorFill::SetShape(CVectorShapeEx* pShape) {
  if (pShape == m_pShape) return;
  delete m_pShape;
  m_pShape = pShape;
}

jvqFill* jvqVectorFill::Clone() { return new jvqVectorFill(*this); }

BOOL jvqVectorFill::LoadShapeFile(LPCTSTR lpszPath) {
  SetShape(new CVectorShapeEx);
  return m_pShape->LoadFile(lpszPath);
}

void jvqVectorFill::Paint(CDC* pDC, jvqObject* pObject) {
  if (m_pShape == NULL || pObject == NULL) return;
  RECT r;
  pObject->GetBoundRect(&r);
  m_nAngle = (int32_t)pObject->m_dRotation;
  m_pShape->Draw(pDC, &r, m_nAngle);
}

void jvqVectorFill::PaintRect(CDC* pDC, const RECT* pRect) {
  if (m_pShape) m_pShape->Draw(pDC, pRect, m_nAngle);
}

// A stream that does not read back fails the record, so the object and the document
// around it are not read on from the wrong place.
BOOL jvqVectorFill::Load(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t nAngle = 0;
    if (!jvqReadExact(pFile, &nAngle, 4)) return FALSE;
    CVectorShapeEx* pShape = new CVectorShapeEx;
    if (!pShape->ReadStream(pFile)) {
      delete pShape;
      return FALSE;
    }
    m_nAngle = nAngle;
    SetShape(pShape);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqVectorFill::Store(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    const int32_t v[2] = {(int32_t)m_dwFlags, m_nAngle};
    pFile->Write(v, 8);
    // An empty painter still writes a readable (empty) shape.
    CVectorShapeEx empty;
    return (m_pShape ? m_pShape : &empty)->WriteStream(pFile);
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}
