// The leader text: a group of exactly two children, an open leader polyline and the text
// frame it points from. The frame stays beside the leader's last point, on the side away
// from the leader; drags go to the child that owns the dragged marker.
#pragma once

#include "jvqGroupObject.h"

class jvqPolylineObject;
class jvqTextObject;

class jvqLineTextObject : public jvqGroupObject {
 public:
  jvqLineTextObject();
  jvqLineTextObject(const jvqLineTextObject& src);
  virtual ~jvqLineTextObject() {}

  virtual BOOL SetPoints(const POINT* pPoints, int nCount, jvqViewMapping* pView, DWORD dwState);
  virtual jvqObject* HitTest(POINT* pPoint);
  virtual void Draw(CDC* pDC);
  virtual void DrawSelectionFrame(CDC* pDC, jvqLineStyle* pStyle) {}
  virtual void DrawOutline(CDC* pDC, jvqLineStyle* pStyle);
  virtual BOOL HitTestInside(int x, int y);
  virtual BOOL HitTestOutline(int x, int y);
  virtual jvqObject* Clone();
  virtual int BeginTrack(int nHandle, jvqObject* pAnchor);
  virtual void Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC);
  virtual void EndTrack(int nHandle, jvqObject* pObject);
  virtual BOOL IntersectsRect(const RECT* pRect, int nUnused);
  virtual void OnToolChanged(int nToolId);
  virtual void Recalc();
  virtual BOOL CanEdit(int nMode) { return TRUE; }
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void Serialize(CArchive& ar, jvqDocument* pDocument);
  virtual void Render(CDC* pDC);
  virtual BOOL GetHandleBounds(RECT* pRect);
  // Its handles are the frame's top, bottom and free side, not a group's corners.
  virtual void OnGeometrySet() {}

  // Moves the frame rectangle beside the leader's end; the index of its free-side handle
  // (1 middle-left, 5 middle-right).
  int PlaceTextFrame(RECT* pFrame);
  // The frame becomes child 1 in place of the old one, which is deleted.
  void ReplaceTextFrame(jvqTextObject* pFrame);

  jvqPolylineObject* m_pLeader;
  jvqTextObject* m_pFrame;

 private:
  void DrawLineText(CDC* pDC, BOOL bTrackers);
};
