// The vertex edit tool: drags the vertices of polylines and polygons, adds a vertex where
// a segment is pressed and drags it at once, and closes an open polyline whose end is
// dropped on its other end. Each change is one undo step; any key release cancels a drag.
#pragma once

#include "jvqSelectTool.h"

class jvqVertexEditTool : public jvqSelectTool {
 public:
  explicit jvqVertexEditTool(jvqView* pView);
  ~jvqVertexEditTool() override {}

  void OnLButtonDown(UINT nFlags, int x, int y) override;
  void OnLButtonUp(UINT nFlags, int x, int y) override;
  void OnMouseMove(UINT nFlags, int x, int y) override;
  void OnRButtonDown(UINT nFlags, int x, int y) override { m_nKeyFlags = nFlags; }
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  HCURSOR GetCursor(POINT pt) override;
  void BeginVertexDrag(UINT nFlags, int x, int y) override;
  void EndVertexDrag(UINT nFlags, int x, int y) override;

  // Adds a vertex on the segment under the point, as one undo step; FALSE when no
  // segment of an editable object lies there.
  BOOL InsertVertexAt(UINT nFlags, int x, int y);

  jvqLineStyle m_UnusedStyle;
  int m_bDragging;

 protected:
  // The topmost shown child of the page whose outline passes through the point.
  jvqObject* OutlineAt(int x, int y);
};
