// The fill painter of symbols: paints a vector shape into the object's rectangle, turned by
// the object's rotation in whole degrees. Its record carries the shape's stream.
#pragma once

#include "CVectorShapeEx.h"
#include "jvqFill.h"

class jvqVectorFill : public jvqFill {
 public:
  jvqVectorFill();
  explicit jvqVectorFill(LPCTSTR lpszShapeFile);
  jvqVectorFill(const jvqVectorFill& src);
  virtual ~jvqVectorFill();

  virtual void Paint(CDC* pDC, jvqObject* pObject);
  virtual void FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip) {}
  virtual void PaintRect(CDC* pDC, const RECT* pRect);
  virtual jvqFill* Clone();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL LoadShapeFile(LPCTSTR lpszPath);

  CVectorShapeEx* GetShape() const { return m_pShape; }
  // Takes the shape (deleting the one held).
  void SetShape(CVectorShapeEx* pShape);

  CVectorShapeEx* m_pShape;
  int32_t m_nAngle;

 private:
  jvqVectorFill& operator=(const jvqVectorFill&) = delete;
};
