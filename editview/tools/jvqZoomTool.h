// The zoom tool: zooms in by a click or a dragged frame, or out by a click, centring the
// view on the place; it stays current until another tool is chosen.
#pragma once

#include "jvqLineStyle.h"
#include "jvqTool.h"

class jvqZoomTool : public jvqTool {
 public:
  jvqZoomTool(jvqView* pView, int nDirection, int nUpper, int nLower);
  ~jvqZoomTool() override {}

  void OnLButtonDblClk(UINT nFlags, int x, int y) override;
  void OnLButtonDown(UINT nFlags, int x, int y) override;
  void OnLButtonUp(UINT nFlags, int x, int y) override;
  void OnMouseMove(UINT nFlags, int x, int y) override;
  void OnRButtonDown(UINT nFlags, int x, int y) override { m_nKeyFlags = nFlags; }
  HCURSOR GetCursor(POINT pt) override;

  void EndZoomIn();
  void DragZoomRect();
  // The zoom that shows the frame (start, previous) as large as the client allows; 0 for
  // a frame without area on the screen.
  int GetZoomForRect();

  jvqLineStyle m_FeedbackStyle;
  int m_nDirection;
  int m_bDragging;
  int m_nUpper;
  int m_nLower;

 protected:
  void CentreAndLayout(POINT ptCentre);
};
