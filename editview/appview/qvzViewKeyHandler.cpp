#include "qvzViewKeyHandler.h"

#include "jvqPage.h"
#include "jvqUndoManager.h"
#include "jvqViewHost.h"
#include "qvzView.h"

// One nudge: 10 mm.
static const int NUDGE = 100;

static void Collect(qvzView* view, jvqObjectArray& out, DWORD dwWanted) {
  out.m_bOwns = FALSE;
  jvqPage* page = view ? view->GetCurrentPage() : NULL;
  if (page == NULL) return;
  for (jvqObject* o : page->m_Children.m_items)
    if ((o->GetState() & dwWanted) == dwWanted) out.Add(o);
}

void qvzViewKeyHandler::CollectSelected(jvqObjectArray& out) {
  Collect(m_pView, out, JVQ_STATE_SELECTED | JVQ_STATE_ALIVE | JVQ_STATE_VISIBLE);
}

void qvzViewKeyHandler::CollectShown(jvqObjectArray& out) { Collect(m_pView, out, JVQ_STATE_ALIVE | JVQ_STATE_VISIBLE); }

BOOL qvzViewKeyHandler::NudgeSelection(int dx, int dy) {
  jvqObjectArray selected;
  CollectSelected(selected);
  if (selected.GetCount() == 0) return FALSE;
  theUndoManager.BeginEditSelection(selected);
  const SIZE by = {dx, dy};
  for (int i = 0; i < selected.GetCount(); i++)
    if (!(selected.GetAt(i)->GetState() & JVQ_STATE_LOCKED)) selected.GetAt(i)->Offset(&by);
  theUndoManager.EndEdit();
  m_pView->Redraw();
  return TRUE;
}

int qvzViewKeyHandler::SelectNextObject(BOOL bForward) {
  jvqObjectArray shown;
  CollectShown(shown);
  const int n = shown.GetCount();
  if (n == 0) return -1;
  int first = -1;
  for (int i = 0; i < n; i++) {
    jvqObject* o = shown.GetAt(i);
    if (first < 0 && (o->GetState() & JVQ_STATE_SELECTED)) first = i;
    o->m_dwState &= ~JVQ_STATE_SELECTED;
  }
  const int next = first < 0 ? 0 : bForward ? (first + 1) % n : (first + n - 1) % n;
  shown.GetAt(next)->m_dwState |= JVQ_STATE_SELECTED;
  jvqGetViewHost()->SwitchBar(FALSE);
  m_pView->Redraw();
  return next;
}

void qvzViewKeyHandler::HandleKey(UINT nChar, UINT, UINT) {
  if (m_pView == NULL) return;
  const BOOL ctrl = jvqIsKeyDown(VK_CONTROL), shift = jvqIsKeyDown(VK_SHIFT);
  if (ctrl && shift) return;
  struct Arrow {
    UINT key;
    int dx, dy;
    UINT message, code;
  };
  static const Arrow arrows[] = {{VK_LEFT, -NUDGE, 0, WM_HSCROLL, SB_LINELEFT},
                                 {VK_UP, 0, -NUDGE, WM_VSCROLL, SB_LINEUP},
                                 {VK_RIGHT, NUDGE, 0, WM_HSCROLL, SB_LINERIGHT},
                                 {VK_DOWN, 0, NUDGE, WM_VSCROLL, SB_LINEDOWN}};
  for (const Arrow& a : arrows) {
    if (nChar != a.key) continue;
    // Shift scrolls even with a selection.
    if (shift || !NudgeSelection(a.dx, a.dy)) m_pView->SendMessage(a.message, MAKEWPARAM(a.code, 0), 0);
    return;
  }
  if (nChar == VK_TAB) {
    SelectNextObject(!shift);
    return;
  }
  if (shift) return;
  switch (nChar) {
    case VK_BACK: m_pView->ToolBackStep(); break;
    case VK_ESCAPE: m_pView->ToolCancel(); break;
    case VK_PRIOR: m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0); break;
    case VK_NEXT: m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0); break;
  }
}
