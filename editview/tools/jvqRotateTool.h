// The rotate tool: any marker of an object that may turn turns it about its centre in
// steps of 15 degrees (5 with Shift); elsewhere it selects and moves as the select tool.
// It serves one gesture: after the button-up the view returns to the select tool.
#pragma once

#include "jvqSelectTool.h"

class jvqRotateTool : public jvqSelectTool {
 public:
  explicit jvqRotateTool(jvqView* pView);
  ~jvqRotateTool() override {}

  void OnLButtonDown(UINT nFlags, int x, int y) override;
  void OnLButtonUp(UINT nFlags, int x, int y) override;
  HCURSOR GetCursor(POINT pt) override;
  void SelectAt(UINT nFlags, int x, int y) override;
  void BeginRotate(UINT nFlags, int x, int y) override;
  void DragRotate(UINT nFlags, int x, int y) override;
  void EndRotate(UINT nFlags, int x, int y) override;
};

// Pictures at least this many pixels wide and high are not turned.
#define JVQ_ROTATE_IMAGE_LIMIT 1000
