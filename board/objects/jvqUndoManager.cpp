#include "jvqUndoManager.h"

#include "jvqBoard.h"
#include "jvqPage.h"

jvqUndoManager theUndoManager;

jvqUndoObjectList::jvqUndoObjectList(jvqObject** ppObjects, int nCount, int nStep)
    : m_bOwns(FALSE), m_Objects(ppObjects, ppObjects + (nCount > 0 ? nCount : 0)), m_nStep(nStep) {}

jvqUndoObjectList::jvqUndoObjectList(jvqObject* pObject, int nStep)
    : m_bOwns(FALSE), m_Objects(1, pObject), m_nStep(nStep) {}

jvqUndoManager::jvqUndoManager()
    : m_pEditClone(NULL), m_pEditSource(NULL), m_bStepOpen(FALSE), m_nCurrentStep(-1), m_pfnRevive(NULL), m_pfnHide(NULL) {
  Reset(NULL, NULL, NULL);
}

jvqUndoManager::~jvqUndoManager() {
  DeleteRecords(m_Removed);
  DeleteRecords(m_Added);
}

void jvqUndoManager::DeleteRecords(std::vector<jvqUndoObjectList*>& list) {
  for (jvqUndoObjectList* r : list) delete r;
  list.clear();
}

void jvqUndoManager::Reset(void*, jvqUndoHook pfnHide, jvqUndoHook pfnRevive) {
  m_pfnHide = pfnHide;
  m_pfnRevive = pfnRevive;
  m_nCurrentStep = -1;
  m_bStepOpen = FALSE;
  m_pEditClone = m_pEditSource = NULL;
  DeleteRecords(m_Removed);
  DeleteRecords(m_Added);
  m_EditClones.clear();
  m_EditSources.clear();
  m_PendingRemoved.clear();
  m_PendingAdded.clear();
}

void jvqUndoManager::BeginStep() {
  m_PendingRemoved.clear();
  m_PendingAdded.clear();
  m_bStepOpen = TRUE;
}

void jvqUndoManager::DropRedoFrom(int nStep) {
  for (auto* list : {&m_Removed, &m_Added}) {
    while (!list->empty() && list->back()->m_nStep >= nStep) {
      delete list->back();
      list->pop_back();
    }
  }
}

void jvqUndoManager::Append(std::vector<jvqUndoObjectList*>& list, std::vector<jvqObject*>& objects, int nStep) {
  list.push_back(new jvqUndoObjectList(objects.data(), (int)objects.size(), nStep));
}

void jvqUndoManager::RecordRemoved(jvqObject* pObject) {
  if (pObject == NULL) return;
  if (m_bStepOpen) {
    m_PendingRemoved.push_back(pObject);
    return;
  }
  const int n = ++m_nCurrentStep;
  DropRedoFrom(n);
  m_Removed.push_back(new jvqUndoObjectList(pObject, n));
}

void jvqUndoManager::RecordAdded(jvqObject* pObject) {
  if (pObject == NULL) return;
  if (m_bStepOpen) {
    m_PendingAdded.push_back(pObject);
    return;
  }
  const int n = ++m_nCurrentStep;
  DropRedoFrom(n);
  m_Added.push_back(new jvqUndoObjectList(pObject, n));
}

void jvqUndoManager::EndStep() {
  m_bStepOpen = FALSE;
  // A step that recorded nothing takes no number: otherwise Undo would stop at its empty
  // number and every earlier step would be out of reach.
  if (m_PendingAdded.empty() && m_PendingRemoved.empty()) return;
  const int n = ++m_nCurrentStep;
  DropRedoFrom(n);
  if (!m_PendingAdded.empty()) Append(m_Added, m_PendingAdded, n);
  if (!m_PendingRemoved.empty()) Append(m_Removed, m_PendingRemoved, n);
  m_PendingAdded.clear();
  m_PendingRemoved.clear();
}

BOOL jvqUndoManager::IsStillChild(jvqObject* pObject) {
  jvqObject* parent = pObject->m_pParent;
  if (parent == NULL || !(parent->GetClassCode() & 0x40)) return FALSE;
  return ((jvqGroupObject*)parent)->FindChild(pObject) >= 0;
}

void jvqUndoManager::Revive(jvqUndoObjectList* pRecord) {
  for (jvqObject* p : pRecord->m_Objects) {
    if (!IsStillChild(p)) continue;
    p->m_dwState |= JVQ_STATE_ALIVE;
    p->Recalc();
    if (m_pfnRevive) m_pfnRevive(p, pRecord->m_nStep);
  }
}

void jvqUndoManager::Hide(jvqUndoObjectList* pRecord) {
  for (jvqObject* p : pRecord->m_Objects) {
    if (!IsStillChild(p)) continue;
    p->m_dwState &= ~JVQ_STATE_ALIVE;
    if (m_pfnHide) m_pfnHide(p, pRecord->m_nStep);
  }
}

void jvqUndoManager::Undo() {
  bool bDone = false;
  for (int i = (int)m_Removed.size() - 1; i >= 0; i--) {
    const int s = m_Removed[i]->m_nStep;
    if (s < m_nCurrentStep) break;
    if (s == m_nCurrentStep) Revive(m_Removed[i]), bDone = true;
  }
  for (int i = (int)m_Added.size() - 1; i >= 0; i--) {
    const int s = m_Added[i]->m_nStep;
    if (s < m_nCurrentStep) break;
    if (s == m_nCurrentStep) Hide(m_Added[i]), bDone = true;
  }
  if (bDone) m_nCurrentStep--;
}

void jvqUndoManager::Redo() {
  m_nCurrentStep++;
  bool bDone = false;
  for (int i = (int)m_Removed.size() - 1; i >= 0; i--) {
    const int s = m_Removed[i]->m_nStep;
    if (s < m_nCurrentStep) break;
    if (s == m_nCurrentStep) Hide(m_Removed[i]), bDone = true;
  }
  for (int i = (int)m_Added.size() - 1; i >= 0; i--) {
    const int s = m_Added[i]->m_nStep;
    if (s < m_nCurrentStep) break;
    if (s == m_nCurrentStep) Revive(m_Added[i]), bDone = true;
  }
  if (!bDone) m_nCurrentStep--;
}

BOOL jvqUndoManager::CanUndo() {
  return (!m_Removed.empty() && m_Removed.front()->m_nStep <= m_nCurrentStep) ||
         (!m_Added.empty() && m_Added.front()->m_nStep <= m_nCurrentStep);
}

BOOL jvqUndoManager::CanRedo() {
  return (!m_Removed.empty() && m_Removed.back()->m_nStep > m_nCurrentStep) ||
         (!m_Added.empty() && m_Added.back()->m_nStep > m_nCurrentStep);
}

jvqObject* jvqUndoManager::CloneBelow(jvqObject* pObject) {
  jvqObject* pClone = pObject->Clone();
  if (pClone == NULL) return NULL;
  jvqObject* parent = pObject->m_pParent;
  if (parent && (parent->GetClassCode() & 0x40)) {
    jvqGroupObject* g = (jvqGroupObject*)parent;
    g->InsertChild(g->FindChild(pObject) - 1, pClone);
  }
  return pClone;
}

jvqObject* jvqUndoManager::BeginEditObject(jvqObject* pObject) {
  m_pEditClone = m_pEditSource = NULL;
  m_EditClones.clear();
  if (pObject == NULL) return NULL;
  jvqObject* pClone = CloneBelow(pObject);
  if (pClone == NULL) return NULL;
  BeginStep();
  RecordRemoved(pObject);
  m_pEditClone = pClone;
  m_pEditSource = pObject;
  return pClone;
}

void jvqUndoManager::BeginEditSelection(jvqObjectArray& selection) {
  m_pEditClone = m_pEditSource = NULL;
  m_EditClones.clear();
  m_EditSources.clear();
  // With nothing selected there is nothing to record; opening a step here would leave it
  // open, and the next lone record would land in it.
  if (selection.GetCount() == 0) return;
  std::vector<jvqObject*> sources = selection.m_items;
  BeginStep();
  for (jvqObject* p : sources) {
    jvqObject* c = CloneBelow(p);
    if (c == NULL) continue;
    RecordRemoved(p);
    m_EditSources.push_back(p);
    m_EditClones.push_back(c);
  }
  selection.m_items = m_EditClones;
}

void jvqUndoManager::EndEdit() {
  if (!m_EditClones.empty()) {
    for (size_t i = 0; i < m_EditClones.size(); i++) {
      RecordAdded(m_EditClones[i]);
      m_EditSources[i]->m_dwState &= ~JVQ_STATE_ALIVE;
    }
    EndStep();
  }
  if (m_pEditClone) {
    RecordAdded(m_pEditClone);
    EndStep();
  }
  if (m_pEditSource) m_pEditSource->m_dwState &= ~JVQ_STATE_ALIVE;
  m_pEditClone = m_pEditSource = NULL;
  m_EditClones.clear();
  m_EditSources.clear();
}

void jvqUndoManager::CancelEdit() {
  std::vector<jvqObject*> clones = m_EditClones;
  if (m_pEditClone) clones.push_back(m_pEditClone);
  const BOOL bOpened = !clones.empty();
  for (jvqObject* c : clones) {
    jvqObject* parent = c->m_pParent;
    if (parent && (parent->GetClassCode() & 0x40) && ((jvqGroupObject*)parent)->FindChild(c) >= 0)
      ((jvqGroupObject*)parent)->RemoveChild(c, TRUE);
    else
      delete c;
  }
  m_pEditClone = m_pEditSource = NULL;
  m_EditClones.clear();
  m_EditSources.clear();
  if (bOpened) {
    m_PendingAdded.clear();
    m_PendingRemoved.clear();
    m_bStepOpen = FALSE;
  }
}

static jvqBoard* BoardOf(jvqObject* pPage) {
  jvqObject* b = pPage->m_pParent;
  return (b && (b->GetClassCode() & 0x200)) ? (jvqBoard*)b : NULL;
}

int UndoReviveHook(jvqObject* pObject, int) {
  if (pObject == NULL || pObject->GetClassCode() != JVQ_OBJ_PAGE) return 0;
  jvqBoard* b = BoardOf(pObject);
  if (b == NULL) return 0;
  if (b->GetPageCount() == 1) {
    b->GetPage(0)->m_dwState |= JVQ_STATE_VISIBLE;
    return 1;
  }
  for (jvqObject* p : b->m_Children.m_items)
    if (p != pObject && p->IsShown()) {
      pObject->m_dwState &= ~JVQ_STATE_VISIBLE;
      break;
    }
  return 1;
}

int UndoHideHook(jvqObject* pObject, int) {
  if (pObject == NULL || pObject->GetClassCode() != JVQ_OBJ_PAGE) return 0;
  jvqBoard* b = BoardOf(pObject);
  if (b == NULL) return 0;
  if (b->GetPageCount() == 1) {
    b->GetPage(0)->m_dwState |= JVQ_STATE_VISIBLE;
    return 1;
  }
  for (jvqObject* p : b->m_Children.m_items)
    if (p->IsShown()) return 1;
  const int at = b->FindChild(pObject);
  for (int i = at + 1; i < b->GetChildCount(); i++)
    if (b->GetChild(i)->GetState() & JVQ_STATE_ALIVE) {
      b->GetChild(i)->m_dwState |= JVQ_STATE_VISIBLE;
      return 1;
    }
  for (int i = at - 1; i >= 0; i--)
    if (b->GetChild(i)->GetState() & JVQ_STATE_ALIVE) {
      b->GetChild(i)->m_dwState |= JVQ_STATE_VISIBLE;
      return 1;
    }
  return 1;
}
