// The Arrange commands of the application view: grouping and ungrouping (floor plans
// included), stacking order, alignment and flipping. Each change is one undo step; the
// replaced objects are hidden, never freed, so undo only flips alive bits.
#include "jvqMadorizuObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqUndoManager.h"
#include "jvqViewHost.h"
#include "qvzView.h"

static BOOL IsLocked(const jvqObject* o) { return (o->GetState() & JVQ_STATE_LOCKED) != 0; }
static BOOL IsFloorPlan(const jvqObject* o) { return (o->GetClassCode() & 0x400000) != 0; }

// Grouping.

void qvzView::OnEditGroup() {
  jvqPage* page = GetCurrentPage();
  if (page == NULL) return;
  std::vector<jvqObject*> members;
  jvqObject* plan = NULL;
  int nPlans = 0, pos = -1;
  // A locked object stays out, a locked floor plan too; the group goes where the topmost
  // member stood.
  for (int i = 0; i < GetSelectedCount(); i++) {
    jvqObject* o = GetSelectedObject(i);
    if (IsLocked(o)) continue;
    if (IsFloorPlan(o)) {
      nPlans++;
      plan = o;
    }
    members.push_back(o);
    pos = page->FindChild(o);
  }
  if (members.empty()) return;
  if (nPlans > 1) {
    jvqGetViewHost()->MessageBox("複数の間取りをグループ化することはできません。", MB_OK);
    return;
  }
  jvqGroupObject* group;
  theUndoManager.BeginStep();
  if (plan == NULL) {
    const RECT empty = {0, 0, 0, 0};
    group = new jvqGroupObject(&empty, &m_Mapping, 0x311);
    jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(group);
    for (jvqObject* o : members) {
      group->AddChild(o->Clone());
      o->m_dwState &= ~JVQ_STATE_ALIVE;
      theUndoManager.RecordRemoved(o);
    }
    page->InsertChild(pos, group);
    theUndoManager.RecordAdded(group);
  } else {
    // The other objects are gathered into a copy of the floor plan, after its own children.
    jvqMadorizuObject* k = (jvqMadorizuObject*)plan->Clone();
    k->DeleteChildren();
    for (jvqObject* o : members) {
      if (o == plan && o->GetClassCode() == JVQ_OBJ_MADORIZU) {
        const jvqMadorizuObject* f = (const jvqMadorizuObject*)o;
        for (int j = 0; j < f->GetChildCount(); j++) {
          k->AddChild(f->GetChild(j)->Clone());
          if (j == f->m_nPictureIndex) k->m_nPictureIndex = k->GetChildCount() - 1;
        }
      } else {
        k->AddChild(o->Clone());
      }
      o->m_dwState &= ~JVQ_STATE_ALIVE;
      theUndoManager.RecordRemoved(o);
    }
    theUndoManager.RecordAdded(k);
    page->InsertChild(pos, k);
    group = k;
  }
  theUndoManager.EndStep();
  ClearSelection();
  Select(group, FALSE);
  Redraw();
  SetModifiedFlag(TRUE);
  RefreshBar();
}

void qvzView::OnUpdateEditGroup(CCmdUI* pCmdUI) { pCmdUI->Enable(CountUnlockedSelected() >= 2); }

void qvzView::OnEditUngroup() {
  jvqPage* page = GetCurrentPage();
  if (page == NULL) return;
  jvqObjectArray sel;
  GetUnlockedSelection(sel);
  std::vector<jvqObject*> removed;
  theUndoManager.BeginStep();
  for (jvqObject* o : sel.m_items) {
    int k = page->FindChild(o);
    if (o->GetClassCode() == JVQ_OBJ_GROUP) {
      jvqGroupObject* copy = (jvqGroupObject*)o->Clone();
      while (copy->GetChildCount() > 0) {
        jvqObject* h = copy->GetChild(0);
        copy->RemoveChild(h, 0);
        page->InsertChild(k++, h);
        Select(h, FALSE);
        theUndoManager.RecordAdded(h);
      }
      delete copy;
    } else if (o->GetClassCode() == JVQ_OBJ_MADORIZU) {
      // The plan keeps only its picture, which stays where it stood among the released
      // children.
      jvqMadorizuObject* copy = (jvqMadorizuObject*)o->Clone();
      jvqObject* picture = copy->GetPicture();
      std::vector<jvqObject*> children = copy->m_Children.m_items;
      const int pictureIndex = copy->m_nPictureIndex;
      for (jvqObject* h : children) copy->RemoveChild(h, 0);
      int p = 0;
      for (int j = 0; j < (int)children.size(); j++) {
        if (j == pictureIndex) {
          p = k;
          continue;
        }
        page->InsertChild(k++, children[j]);
        Select(children[j], FALSE);
        theUndoManager.RecordAdded(children[j]);
      }
      copy->m_nPictureIndex = 0;
      if (picture) copy->AddChild(picture);
      page->InsertChild(p, copy);
      Select(copy, FALSE);
      theUndoManager.RecordAdded(copy);
      copy->Recalc();
    } else {
      continue;
    }
    removed.push_back(o);
    o->m_dwState &= ~(JVQ_STATE_SELECTED | JVQ_STATE_ALIVE);
    theUndoManager.RecordRemoved(o);
  }
  theUndoManager.EndStep();
  for (jvqObject* o : removed) Deselect(o);
  RefreshBar();
  Redraw();
  SetModifiedFlag(TRUE);
}

void qvzView::OnUpdateEditUngroup(CCmdUI* pCmdUI) {
  BOOL ok = FALSE;
  for (int i = 0; i < GetSelectedCount() && !ok; i++) {
    jvqObject* o = GetSelectedObject(i);
    ok = o->GetClassCode() == JVQ_OBJ_GROUP ||
         (o->GetClassCode() == JVQ_OBJ_MADORIZU && ((jvqGroupObject*)o)->GetChildCount() >= 2);
  }
  pCmdUI->Enable(ok);
}

// Stacking order: the page's children, bottom first.

jvqObject* qvzView::GetStackingObject() {
  jvqPage* page = GetCurrentPage();
  if (page == NULL || GetSelectedCount() != 1) return NULL;
  jvqObject* p = GetSelectedObject(0);
  int shown = 0;
  for (jvqObject* c : page->m_Children.m_items) shown += c->IsShown();
  return (shown > 1 && page->FindChild(p) >= 0) ? p : NULL;
}

int qvzView::StackingTarget(UINT nID) {
  jvqObject* p = GetStackingObject();
  if (p == NULL) return -2;
  jvqPage* page = GetCurrentPage();
  const std::vector<jvqObject*>& c = page->m_Children.m_items;
  const int n = (int)c.size(), at = page->FindChild(p);
  int lowest = -1, highest = -1;
  for (int i = 0; i < n; i++)
    if (c[i]->IsShown()) {
      if (lowest < 0) lowest = i;
      highest = i;
    }
  switch (nID) {
    case 1229:  // forward: past the nearest overlapping object above
      for (int i = at + 1; i < n; i++)
        if (c[i]->IsShown() && page->CompareStacking(p, c[i]) < 0) return i;
      return -2;
    case 1227:  // backward: beneath the nearest overlapping object below
      for (int i = at - 1; i >= 0; i--)
        if (c[i]->IsShown() && page->CompareStacking(p, c[i]) > 0) return i - 1;
      return -2;
    case 32844: return at == highest ? -2 : n - 1;
    case 32845: return at == lowest ? -2 : -1;
  }
  return -2;
}

BOOL qvzView::OnStacking(UINT nID) {
  const int target = StackingTarget(nID);
  if (target == -2) return TRUE;
  jvqObject* p = GetStackingObject();
  jvqObject* clone = p->Clone();
  if (clone == NULL) return TRUE;
  // Only the alive bit goes: a lock must come back with undo.
  p->m_dwState &= ~JVQ_STATE_ALIVE;
  theUndoManager.BeginStep();
  theUndoManager.RecordRemoved(p);
  GetCurrentPage()->InsertChild(target, clone);
  theUndoManager.RecordAdded(clone);
  theUndoManager.EndStep();
  SetModifiedFlag(TRUE);
  Redraw();
  return TRUE;
}

void qvzView::OnUpdateStacking(CCmdUI* pCmdUI) { pCmdUI->Enable(StackingTarget(pCmdUI->m_nID) != -2); }

// Alignment.

void qvzView::AlignSelection(int nKind) {
  jvqObjectArray v;
  GetUnlockedSelection(v);
  if (v.GetCount() == 0) return;
  POINT ref;
  v.GetAt(0)->GetCenter(&ref);
  for (jvqObject* o : v.m_items) {
    POINT q;
    switch (nKind) {
      case 2: o->GetTopPoint(&q); if (q.y < ref.y) ref.y = q.y; break;
      case 3: o->GetLeftPoint(&q); if (q.x < ref.x) ref.x = q.x; break;
      case 4: o->GetRightPoint(&q); if (q.x > ref.x) ref.x = q.x; break;
      case 5: o->GetBottomPoint(&q); if (q.y > ref.y) ref.y = q.y; break;
    }
  }
  theUndoManager.BeginEditSelection(v);
  for (jvqObject* c : v.m_items) c->MoveTo(&ref, nKind);
  theUndoManager.EndEdit();
  SetModifiedFlag(TRUE);
  Redraw();
}

void qvzView::AlignCentres(BOOL bHorizontal) {
  jvqObjectArray v;
  GetUnlockedSelection(v);
  const int n = v.GetCount();
  if (n == 0) return;
  long long sum = 0;
  for (jvqObject* o : v.m_items) {
    POINT c;
    o->GetCenter(&c);
    sum += bHorizontal ? c.x : c.y;
  }
  const int avg = (int)(sum / n);
  theUndoManager.BeginEditSelection(v);
  for (jvqObject* o : v.m_items) {
    POINT c;
    o->GetCenter(&c);
    (bHorizontal ? c.x : c.y) = avg;
    o->MoveTo(&c, 1);
  }
  theUndoManager.EndEdit();
  SetModifiedFlag(TRUE);
  Redraw();
}

BOOL qvzView::OnAlign(UINT nID) {
  switch (nID) {
    case 796: AlignSelection(2); break;
    case 1195: AlignSelection(3); break;
    case 1199: AlignSelection(4); break;
    case 1204: AlignSelection(5); break;
    case 1197: AlignCentres(TRUE); break;
    case 1203: AlignCentres(FALSE); break;
  }
  return TRUE;
}

void qvzView::OnUpdateAlign(CCmdUI* pCmdUI) { pCmdUI->Enable(CountUnlockedSelected() >= 2); }

// Flipping: pictures and floor plans keep their sides.

static void GetFlippable(qvzView* v, jvqObjectArray& out) {
  v->GetUnlockedSelection(out);
  for (int i = out.GetCount() - 1; i >= 0; i--)
    if (out.GetAt(i)->GetClassCode() & (0x400000 | 0x100)) out.RemoveAt(i);
}

BOOL qvzView::OnFlip(UINT nID) {
  jvqObjectArray v;
  GetFlippable(this, v);
  if (v.GetCount() == 0) return TRUE;
  theUndoManager.BeginEditSelection(v);
  for (jvqObject* c : v.m_items) c->Flip(nID == 1213 ? 1 : 2);
  theUndoManager.EndEdit();
  Redraw();
  SetModifiedFlag(TRUE);
  return TRUE;
}

void qvzView::OnUpdateFlip(CCmdUI* pCmdUI) {
  jvqObjectArray v;
  GetFlippable(this, v);
  pCmdUI->Enable(v.GetCount() > 0);
}
