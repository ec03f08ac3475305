// The editing view's keys after its tool: arrows nudge the selection by 10 mm (or scroll
// with nothing selected), Tab and Shift+Tab step the selection through the page's objects,
// PageUp and PageDown scroll a page, Backspace and Esc take back the tool's last step or
// cancel it.
#pragma once

#include "jvqKeyHandler.h"
#include "jvqObject.h"

class qvzView;

class qvzViewKeyHandler : public jvqKeyHandler {
 public:
  explicit qvzViewKeyHandler(qvzView* pView) : m_pView(pView) {}

  void HandleKey(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  // Moves every unlocked selected object by (dx, dy) logical units in one undo step;
  // FALSE when nothing is selected.
  BOOL NudgeSelection(int dx, int dy);
  // Selects the shown object after (or before) the first selected one, wrapping around;
  // the first one when nothing is selected; -1 for a page without shown objects.
  int SelectNextObject(BOOL bForward);
  // The current page's selected (or shown) objects in child order.
  void CollectSelected(jvqObjectArray& out);
  void CollectShown(jvqObjectArray& out);

  qvzView* m_pView;
};
