// A rectangle frame whose inside a subclass draws; it has no fill and may not be turned.
#pragma once

#include "jvqRectObject.h"

class jvqFrameObject : public jvqRectObject {
 public:
  jvqFrameObject();
  jvqFrameObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState);
  jvqFrameObject(const jvqFrameObject& src);

  virtual void Draw(CDC* pDC);
  virtual void Render(CDC* pDC);
  virtual void OnToolChanged(int nToolId);
  virtual void OnGeometrySet();
  virtual jvqObject* Clone();
  virtual void GetHandlePointBounds(RECT* pRect);
  virtual void SetFrameRect(const RECT* pRect);
};
