// The speech balloon: a body (rectangle, rounded rectangle or ellipse) with a pointed tail
// and a text inside. Its own points are the body's outline with the tail let in; the tail is
// held by the tip T and the base points A and B, which slide along the body's outline.
#pragma once

#include "jvqPolylineObject.h"

class jvqHandleObject;
class jvqTextObject;

class jvqBalloonObject : public jvqPolylineObject {
 public:
  explicit jvqBalloonObject(jvqViewMapping* pView);
  jvqBalloonObject(const jvqBalloonObject& src);
  virtual ~jvqBalloonObject();

  virtual BOOL Flip(int nAxis);
  virtual jvqObject* HitTest(POINT* pPoint);
  virtual void Draw(CDC* pDC);
  virtual void DrawTracker(CDC* pDC);
  virtual void DrawSelectionFrame(CDC* pDC, jvqLineStyle* pStyle);
  virtual jvqObject* Clone();
  virtual int BeginTrack(int nHandle, jvqObject* pAnchor);
  virtual void Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC);
  virtual void EndTrack(int nHandle, jvqObject* pObject);
  virtual void Offset(const SIZE* pSize);
  virtual void SetScale(double sx, double sy);
  virtual void OnToolChanged(int nToolId);
  virtual void Recalc();
  virtual BOOL CanEdit(int nMode) { return TRUE; }
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void Render(CDC* pDC);

  virtual BOOL SetBody(jvqObject* pBody, jvqViewMapping* pView, DWORD dwState);
  virtual void RecalcTail(int nUnused);
  virtual void ApplyBodyDeltas(const jvqPointList& deltas) {}

  // Whether the class code names a body a balloon can have.
  static BOOL IsBodyClass(int nClassCode);
  jvqTextObject* GetText() const { return m_pText; }
  void SetText(jvqTextObject* pText);  // takes ownership, deletes the old text

  jvqObject* m_pBody;
  jvqTextObject* m_pText;
  jvqHandleObject* m_pA;
  jvqHandleObject* m_pB;
  jvqHandleObject* m_pT;
  int m_nTipIndex;
  int m_nAIndex;
  int m_nBIndex;

 private:
  void ForgetTail();
  jvqHandleObject* NewTailMarker(const POINT* pAt);
  void DrawBalloon(CDC* pDC, BOOL bTrackers);
  void DrawTailFeedback(CDC* pDC, const POINT& tip, BOOL bBoth);
  POINT m_ptFeedback;
};
