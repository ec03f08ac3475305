// The leader-line text tool: the leader's vertices are clicked one by one as with the
// polyline tool; a double click or a right click makes the leader-line text and opens its
// text for typing (the view's text-edit command).
#pragma once

#include "jvqPolygonTool.h"

class jvqLineTextTool : public jvqPolylineTool {
 public:
  explicit jvqLineTextTool(jvqView* pView);
  void Finish(UINT nFlags, int x, int y) override;
};

// A leader shorter than this in both directions (0.1 mm) makes nothing.
#define JVQ_LEADER_MIN_SIZE 100
