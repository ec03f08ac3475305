// The keys the editing view hands on after its tool go to the view's key handler: nudges,
// Tab through the objects, page scrolling, Backspace and Esc for the tool.
#include "qvzMainFrame.h"
#include "qvzView.h"
#include "qvzViewKeyHandler.h"

void qvzMainFrame::HandleKey(jvqView* pView, UINT nChar, UINT nRepCnt, UINT nFlags) {
  qvzView* view = DYNAMIC_DOWNCAST(qvzView, pView);
  if (view) qvzViewKeyHandler(view).HandleKey(nChar, nRepCnt, nFlags);
}
