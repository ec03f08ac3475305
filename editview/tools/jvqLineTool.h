// The straight-line tool: one segment by press, drag and release. Handles of selected
// objects still resize, turn and move them, and a press on an inner vertex drags it.
#pragma once

#include "jvqSelectTool.h"

class jvqPolylineObject;

class jvqLineTool : public jvqSelectTool {
 public:
  explicit jvqLineTool(jvqView* pView);
  ~jvqLineTool() override;

  void OnLButtonDown(UINT nFlags, int x, int y) override;
  void OnLButtonUp(UINT nFlags, int x, int y) override;
  void OnMouseMove(UINT nFlags, int x, int y) override;
  void OnRButtonDown(UINT nFlags, int x, int y) override {}
  HCURSOR GetCursor(POINT pt) override;

  // Esc: the line being drawn leaves the page.
  virtual void CancelLine();
  void BeginLine(UINT nFlags, int x, int y);
  void DragLine(UINT nFlags, int x, int y);
  void EndLine(UINT nFlags, int x, int y);

  jvqPolylineObject* m_pLine;
  jvqObject* m_pEndMarker;

 protected:
  // The pointer snapped and, with Shift while the grid does not snap, made level or upright.
  POINT LinePoint(UINT nFlags, int x, int y);
  void DropLine();
};
