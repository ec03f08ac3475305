// The rectangle object and base of most objects: four axis-aligned points shown turned by
// the rotation angle through its 8 frame points, which are also the resize-handle places.
#pragma once

#include "jvqObject.h"

class jvqRectObject : public jvqObject {
 public:
  jvqRectObject();
  jvqRectObject(const RECT* pRect, jvqViewMapping* pView, DWORD dwState);
  jvqRectObject(const jvqRectObject& src);
  virtual ~jvqRectObject() {}

  virtual BOOL Flip(int nAxis);
  virtual jvqPointList* GetOutline();
  virtual void GetBoundRect(RECT* pRect);
  virtual void Draw(CDC* pDC);
  virtual void DrawSelectionFrame(CDC* pDC, jvqLineStyle* pStyle);
  virtual BOOL HitTestInside(int x, int y);
  virtual BOOL HitTestOutline(int x, int y);
  virtual void GetExtent(RECT* pRect);
  virtual jvqObject* Clone();
  virtual int BeginTrack(int nHandle, jvqObject* pAnchor);
  virtual void Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC);
  virtual void EndTrack(int nHandle, jvqObject* pObject);
  virtual void MoveTo(POINT* pPoint, int nAnchor);
  virtual POINT* GetCenter(POINT* pOut);
  virtual BOOL GetRegion(CDC* pDC, CRgn* pRgn);
  virtual BOOL GetRegionRect(CDC* pDC, RECT* pRect);
  virtual void Offset(const SIZE* pSize);
  virtual void SetRotation(int nAngle);
  virtual void RotateAbout(int nAngle, POINT* pPivot);
  virtual void SetScale(double sx, double sy);
  virtual void OnToolChanged(int nToolId);
  virtual void Recalc();
  virtual BOOL CanEdit(int nMode);
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual void Render(CDC* pDC);

  virtual void GetHandlePoints(jvqPointList& out);
  virtual void Reserved2() {}
  virtual void OffsetTop(int dy);
  virtual void OffsetBottom(int dy);
  virtual void OffsetLeft(int dx);
  virtual void OffsetRight(int dx);
  virtual void TrackTop(int dy);
  virtual void TrackBottom(int dy);
  virtual void TrackLeft(int dx);
  virtual void TrackRight(int dx);

  BOOL SetRect(const RECT* pRect, jvqViewMapping* pView, DWORD dwState);
  // The current rubber-band outline of a resize drag.
  void GetTrackOutline(jvqPointList& out);

  jvqPointList m_FramePoints;
  BOOL m_bFreeResize;

 protected:
  void SetRectTypes();
  void DrawRectFamily(CDC* pDC, BOOL bTrackers);
};
