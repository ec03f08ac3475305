// A library drawing on a board: a rectangle whose inside a vector fill paints. It is sized
// from its shape's model size at a drawing scale, and its flip mirrors the picture itself.
#pragma once

#include "jvqRectObject.h"

class CVectorShapeEx;

class jvqSymbolObject : public jvqRectObject {
 public:
  jvqSymbolObject();
  jvqSymbolObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState);
  jvqSymbolObject(const jvqSymbolObject& src);
  virtual ~jvqSymbolObject() {}

  virtual BOOL Flip(int nAxis);
  virtual jvqObject* Clone();

  BOOL Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState);
  using jvqRectObject::SetScale;
  // 1 / N for a scale of 1 : N; the symbol takes its shape's model size at that scale about
  // its centre.
  void SetScale(double dScale);
  // The shape of the symbol's vector fill; NULL for a fill of another kind or none.
  CVectorShapeEx* GetVectorShape() const;

  CString m_strText1;
  CString m_strText2;
  double m_dDrawingScale;
};
