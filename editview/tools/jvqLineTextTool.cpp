#include "jvqLineTextTool.h"

#include <vector>

#include "jvqLineTextObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqTextObject.h"
#include "jvqUndoManager.h"
#include "jvqView.h"

#define ID_TEXT_EDIT_COMMAND 32963

jvqLineTextTool::jvqLineTextTool(jvqView* pView) : jvqPolylineTool(pView) {
  m_nToolId = TOOLID_LINETEXT;
  m_nDrawCursorId = 1014;
  if (m_pView) m_pView->SetCursorId(m_nDrawCursorId);
  m_strCaption = m_strSavedCaption = "折れ線の作成";
}

// The leader is drawn as a plain polyline; on finishing, the leader-line text takes its
// points in its place.
void jvqLineTextTool::Finish(UINT nFlags, int x, int y) {
  if (m_pShape == NULL) {
    jvqPolylineTool::Finish(nFlags, x, y);
    return;
  }
  EraseRubber();
  Release();
  if (s_hArrow) ::SetCursor(s_hArrow);
  m_pView->SetModifiedFlag(TRUE);
  m_nDrawState = 2;
  RECT r;
  m_pShape->GetOutline()->GetBoundRect(&r);
  const int n = m_pShape->GetPointCount();
  std::vector<POINT> points(n > 0 ? n : 0);
  for (int i = 0; i < n; i++) m_pShape->GetPoint(&points[i], i);
  DropShape();
  jvqPage* page = Page();
  m_bBusy = 0;
  if (page == NULL || n <= 1 || (r.right - r.left < JVQ_LEADER_MIN_SIZE && r.bottom - r.top < JVQ_LEADER_MIN_SIZE)) {
    // Too small to keep: nothing is made, and the tool stays current.
    m_pView->InvalidateAll();
    return;
  }
  jvqLineTextObject* o = new jvqLineTextObject();
  o->SetPoints(points.data(), n, &m_pView->m_Mapping, 0x311);
  GetObjectDefaults()->ApplyDefaults(o);
  page->AddChild(o);
  m_pView->ClearSelection();
  o->Recalc();
  jvqTextObject* frame = o->m_pFrame;
  if (frame) {
    frame->RecalcLayout();
    frame->SetText("");
  }
  theUndoManager.RecordAdded(o);
  o->Recalc();
  m_pView->Select(o, TRUE);
  // The next text frame starts from the leader text's style, with empty text.
  jvqObject* proto = GetObjectDefaults()->FindPrototype(JVQ_OBJ_TEXT);
  if (proto && frame && frame->GetTextFill() && ((jvqTextObject*)proto)->GetTextFill()) {
    jvqTextFill* next = (jvqTextFill*)frame->GetTextFill()->Clone();
    next->SetText("");
    ((jvqTextObject*)proto)->SetTextFill(next);
  }
  if (m_pView->m_hWnd) m_pView->PostMessage(WM_COMMAND, ID_TEXT_EDIT_COMMAND, 0);
  m_pView->InvalidateAll();
  m_bDone = 1;
  m_strCaption = m_strSavedCaption;
}
