// The rectangle with elliptic corners; its curve is the 120-point rounded outline.
#pragma once

#include "jvqEllipticObject.h"

class jvqRoundRectObject : public jvqEllipticObject {
 public:
  jvqRoundRectObject();
  jvqRoundRectObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState);
  jvqRoundRectObject(const jvqRoundRectObject& src);

  virtual void DrawOutline(CDC* pDC, jvqLineStyle* pStyle);
  virtual BOOL GetDeviceRegion(CDC* pDC, CRgn* pRgn);
  virtual void Recalc();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual jvqObject* Clone();
  virtual void RecalcCurve(const jvqPointList& src, jvqPointList& out);

  BOOL Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState);
  void SetCornerRadius(int nValue);

  int m_nCornerWidth;
  int m_nCornerHeight;
};
