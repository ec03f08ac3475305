// The polygon and polyline tools: one vertex per click, finished by a double click or a
// right click; Backspace takes the last vertex back and Esc abandons the shape.
#pragma once

#include "jvqSelectTool.h"

class jvqPolylineObject;

class jvqPolygonTool : public jvqSelectTool {
 public:
  explicit jvqPolygonTool(jvqView* pView);
  ~jvqPolygonTool() override;

  void OnLButtonDblClk(UINT nFlags, int x, int y) override;
  void OnLButtonDown(UINT nFlags, int x, int y) override;
  void OnLButtonUp(UINT nFlags, int x, int y) override;
  void OnMouseMove(UINT nFlags, int x, int y) override;
  void OnRButtonDown(UINT nFlags, int x, int y) override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  HCURSOR GetCursor(POINT pt) override;
  HCURSOR GetHandleCursor(jvqObject* pMarker) override;

  virtual void BeginShape(UINT nFlags, int x, int y);
  virtual void AddVertex(UINT nFlags, int x, int y);
  virtual void Finish(UINT nFlags, int x, int y);
  // Backspace and Esc.
  void BackStep();
  void Cancel();

  // 0 idle, 1 placing vertices, 2 finished.
  int m_nDrawState;
  jvqPolylineObject* m_pShape;

 protected:
  // The polygon closes its shape and its rubber band; the polyline does neither.
  BOOL m_bClosed;
  int m_nDrawCursorId;
  DWORD m_dwDrawState;
  HCURSOR m_hEmptyCursor;
  // The rubber segments on the screen, so that exactly they are erased.
  BOOL m_bRubberShown;
  POINT m_ptRubberFrom, m_ptRubberFirst, m_ptRubberTo;
  BOOL m_bRubberClosing;

  void DrawRubber();
  void EraseRubber();
  void DropShape();
  POINT Level(POINT p, POINT ref, UINT nFlags);
};

class jvqPolylineTool : public jvqPolygonTool {
 public:
  explicit jvqPolylineTool(jvqView* pView);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override {}
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override {}
};
