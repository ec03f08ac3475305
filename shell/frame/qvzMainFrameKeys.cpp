// The keys the editing view hands on after its tool: Backspace takes back the last step of
// the shape being drawn. Esc reaches the tools through its accelerator (command 1190).
#include "jvqViewHost.h"
#include "qvzMainFrame.h"
#include "qvzView.h"

void qvzMainFrame::HandleKey(jvqView* pView, UINT nChar, UINT nRepCnt, UINT nFlags) {
  qvzView* view = DYNAMIC_DOWNCAST(qvzView, pView);
  if (view == NULL) return;
  const BOOL ctrl = jvqIsKeyDown(VK_CONTROL), shift = jvqIsKeyDown(VK_SHIFT);
  if (nChar == VK_BACK && !ctrl && !shift) view->ToolBackStep();
}
