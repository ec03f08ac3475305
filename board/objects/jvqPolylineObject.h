// The straight line, open polyline and closed polygon: a free list of vertices, each with a
// marker, with a line end at its first and last vertex while open.
#pragma once

#include "jvqLineEnd.h"
#include "jvqObject.h"

class jvqPolylineObject : public jvqObject {
 public:
  explicit jvqPolylineObject(jvqViewMapping* pView = NULL);
  jvqPolylineObject(const jvqPolylineObject& src);
  virtual ~jvqPolylineObject() {}

  virtual jvqObject* HitTest(POINT* pPoint);
  virtual void Draw(CDC* pDC);
  virtual void DrawTracker(CDC* pDC);
  virtual void DrawSelectionFrame(CDC* pDC, jvqLineStyle* pStyle);
  virtual jvqObject* Clone();
  virtual int BeginTrack(int nHandle, jvqObject* pAnchor);
  virtual void Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC);
  virtual void EndTrack(int nHandle, jvqObject* pObject);
  virtual void RotateAbout(int nAngle, POINT* pPivot);
  virtual void OnToolChanged(int nToolId);
  virtual void Recalc();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void Render(CDC* pDC);
  virtual void InsertVertex(int i, POINT* pPoint, int nType);

  void AddVertex(POINT* pPoint, int nType);
  void RemoveVertex(int i);
  BOOL IsOpen() const;
  void MoveTopEdge(int d);
  void MoveBottomEdge(int d);
  void MoveLeftEdge(int d);
  void MoveRightEdge(int d);
  void ScaleToRect(const RECT& rc);
  void DrawLineEnds(CDC* pDC);

  jvqLineEnd m_EndLineEnd;
  jvqLineEnd m_StartLineEnd;

 private:
  void DrawFeedback(CDC* pDC);
  void ShowMarkers(jvqObjectArray& markers, BOOL bShow);
};
