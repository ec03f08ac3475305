// Undo and redo by flipping alive bits: a numbered step records which objects it hid and
// which it added; no state is copied and no object is freed.
#pragma once

#include <vector>

#include "jvqObject.h"

class jvqGroupObject;

// The objects of one step, not owned.
class jvqUndoObjectList {
 public:
  jvqUndoObjectList(jvqObject** ppObjects, int nCount, int nStep);
  jvqUndoObjectList(jvqObject* pObject, int nStep);
  virtual ~jvqUndoObjectList() {}

  BOOL m_bOwns;
  std::vector<jvqObject*> m_Objects;
  int m_nStep;
};

typedef int (*jvqUndoHook)(jvqObject* pObject, int nStep);

class jvqUndoManager {
 public:
  jvqUndoManager();
  virtual ~jvqUndoManager();

  void Reset(void* pView, jvqUndoHook pfnHide, jvqUndoHook pfnRevive);
  void BeginStep();
  void RecordRemoved(jvqObject* pObject);
  void RecordAdded(jvqObject* pObject);
  void EndStep();
  void Undo();
  void Redo();
  BOOL CanUndo();
  BOOL CanRedo();
  jvqObject* BeginEditObject(jvqObject* pObject);
  void BeginEditSelection(jvqObjectArray& selection);
  void EndEdit();
  // Drops an edit opened by BeginEditObject or BeginEditSelection: the clones leave their
  // container and are deleted, the sources stay as they were and the step closes without
  // a record.
  void CancelEdit();

  int GetCurrentStep() const { return m_nCurrentStep; }
  BOOL IsStepOpen() const { return m_bStepOpen; }
  int GetRemovedRecordCount() const { return (int)m_Removed.size(); }
  int GetAddedRecordCount() const { return (int)m_Added.size(); }

 private:
  void DeleteRecords(std::vector<jvqUndoObjectList*>& list);
  void DropRedoFrom(int nStep);
  void Append(std::vector<jvqUndoObjectList*>& list, std::vector<jvqObject*>& objects, int nStep);
  void Revive(jvqUndoObjectList* pRecord);
  void Hide(jvqUndoObjectList* pRecord);
  static BOOL IsStillChild(jvqObject* pObject);
  jvqObject* CloneBelow(jvqObject* pObject);

  std::vector<jvqUndoObjectList*> m_Removed;
  std::vector<jvqUndoObjectList*> m_Added;
  std::vector<jvqObject*> m_EditClones;
  std::vector<jvqObject*> m_EditSources;
  jvqObject* m_pEditClone;
  jvqObject* m_pEditSource;
  BOOL m_bStepOpen;
  int m_nCurrentStep;
  std::vector<jvqObject*> m_PendingRemoved;
  std::vector<jvqObject*> m_PendingAdded;
  jvqUndoHook m_pfnRevive;
  jvqUndoHook m_pfnHide;
};

extern jvqUndoManager theUndoManager;

// The document's hooks that keep exactly one current page when pages die or revive.
int UndoReviveHook(jvqObject* pObject, int nStep);
int UndoHideHook(jvqObject* pObject, int nStep);
