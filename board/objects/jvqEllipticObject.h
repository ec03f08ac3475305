// Rectangles whose drawn and hit outline is a computed curve: the elliptic base and the
// ellipse, chord, pie and arc laid in the ellipse inscribed in the rectangle.
#pragma once

#include "jvqLineEnd.h"
#include "jvqRectObject.h"

class jvqEllipticObject : public jvqRectObject {
 public:
  jvqEllipticObject();
  jvqEllipticObject(const jvqEllipticObject& src);
  virtual ~jvqEllipticObject() {}

  virtual BOOL SetPointList(const jvqPointList& list, jvqViewMapping* pView, DWORD dwState);
  virtual jvqPointList* GetFillOutline();
  virtual jvqPointList* GetOutline();
  virtual void DrawSelectionFrame(CDC* pDC, jvqLineStyle* pStyle);
  virtual void DrawOutline(CDC* pDC, jvqLineStyle* pStyle);
  virtual void DrawFill(CDC* pDC, jvqFill* pFill);
  virtual BOOL HitTestInside(int x, int y);
  virtual BOOL HitTestOutline(int x, int y);
  virtual jvqObject* Clone();
  virtual POINT* GetCenter(POINT* pOut);
  virtual BOOL GetDeviceRegion(CDC* pDC, CRgn* pRgn);
  virtual void Recalc();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);

  virtual void RecalcCurve(const jvqPointList& src, jvqPointList& out) {}

  jvqPointList m_Curve;
};

class jvqEllipseObject : public jvqEllipticObject {
 public:
  jvqEllipseObject();
  jvqEllipseObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState);
  jvqEllipseObject(const jvqEllipseObject& src);

  virtual void DrawOutline(CDC* pDC, jvqLineStyle* pStyle);
  virtual BOOL GetRegion(CDC* pDC, CRgn* pRgn);
  virtual BOOL GetRegionRect(CDC* pDC, RECT* pRect);
  virtual BOOL GetDeviceRegion(CDC* pDC, CRgn* pRgn);
  virtual jvqObject* Clone();
  virtual void RecalcCurve(const jvqPointList& src, jvqPointList& out);

  BOOL Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState);
};

// The pie and the chord share their two angle fields and setters.
class jvqPieObject : public jvqEllipticObject {
 public:
  jvqPieObject();
  jvqPieObject(const jvqPieObject& src);

  virtual BOOL Flip(int nAxis);
  virtual jvqObject* Clone();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void RecalcCurve(const jvqPointList& src, jvqPointList& out);

  BOOL Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart, int nEnd);
  void SetShapeWhileDragging(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart, int nEnd);
  void SetStartAngle(int nAngle);
  void SetEndAngle(int nAngle);
  int GetStartAngle() const { return m_nStartAngle; }
  int GetEndAngle() const { return m_nEndAngle; }

  int m_nStartAngle;
  int m_nEndAngle;

 protected:
  void SetFourPoints(const RECT* pRect);
};

class jvqChordObject : public jvqPieObject {
 public:
  jvqChordObject();
  jvqChordObject(const jvqChordObject& src);

  virtual jvqObject* Clone();
  virtual void RecalcCurve(const jvqPointList& src, jvqPointList& out);

  BOOL Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart, int nEnd);
};

class jvqArcObject : public jvqEllipticObject {
 public:
  jvqArcObject();
  jvqArcObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart, int nEnd);
  jvqArcObject(const jvqArcObject& src);

  virtual BOOL Flip(int nAxis);
  virtual void DrawOutline(CDC* pDC, jvqLineStyle* pStyle);
  virtual void DrawFill(CDC* pDC, jvqFill* pFill) {}
  virtual jvqObject* Clone();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void RecalcCurve(const jvqPointList& src, jvqPointList& out);

  BOOL Create(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart, int nEnd);
  void SetShapeWhileDragging(const RECT* pRect, jvqViewMapping* pView, DWORD dwState, int nStart, int nEnd);
  void SetStartAngle(int nAngle);
  void SetEndAngle(int nAngle);
  int GetStartAngle() const { return m_nStartAngle; }
  int GetEndAngle() const { return m_nEndAngle; }
  void GetEndPoints(POINT* pFirst, POINT* pSecond, POINT* pBeforeLast, POINT* pLast);

  jvqLineEnd m_EndLineEnd;
  jvqLineEnd m_StartLineEnd;
  int m_nStartAngle;
  int m_nEndAngle;
};

// Points of an arc from start to end: about one per degree up to 62 degrees, else 60.
int GetArcPointCount(int nStart, int nEnd);
