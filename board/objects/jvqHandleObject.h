// The 8-pixel marker of a vertex or a resize handle, owned by the object it marks.
#pragma once

#include "jvqRectObject.h"

#define JVQ_MARKER_SIZE 8

class jvqHandleObject : public jvqRectObject {
 public:
  jvqHandleObject();
  jvqHandleObject(const jvqHandleObject& src);
  virtual ~jvqHandleObject() {}

  virtual void Draw(CDC* pDC);
  virtual BOOL HitTestInside(int x, int y);
  virtual jvqObject* Clone();
  virtual void MoveTo(POINT* pPoint, int nAnchor);
  virtual POINT* GetCenter(POINT* pOut);
  virtual void Offset(const SIZE* pSize);
  virtual void Recalc();
  virtual jvqObject* HitTestMarker(int x, int y);

  BOOL Attach(POINT* pCenter, jvqViewMapping* pView, jvqObject* pOwner, DWORD dwKind);
  BOOL IsInactive() const;
  // Makes the four points the device box around the centre, converted to logical units.
  void SetBox(const RECT& rcLogical);

  POINT m_ptCenter;
};
