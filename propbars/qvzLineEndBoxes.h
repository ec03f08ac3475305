// The two line-end boxes of the line and arc bars: what the targets' ends show and what
// a change writes. A change in one box writes only that end.
#pragma once

#include "CLineEndCombo.h"
#include "jvqLineEnd.h"
#include "jvqObject.h"

#define IDC_BAR_START_SHAPE 1093
#define IDC_BAR_END_SHAPE 1097

class qvzDrawToolBar;

// The object's two ends, by the start (second) and end (first) member; NULL for objects
// without line ends.
jvqLineEnd* GetStartLineEnd(jvqObject* pObject);
jvqLineEnd* GetEndLineEnd(jvqObject* pObject);
void SetLineEnd(jvqObject* pObject, BOOL bStart, int nItem);

class qvzLineEndBoxes {
 public:
  // The ends of objects with this class bit.
  explicit qvzLineEndBoxes(DWORD dwClassBit);

  // Binds and fills the boxes the bar's template holds.
  void Create(qvzDrawToolBar* pBar);
  // The first target's ends; a box whose end differs on another target shows item 0.
  void Show(jvqObjectArray& targets);
  // Both ends from the boxes on every target and on the prototype.
  void Apply(jvqObjectArray& targets, jvqObject* pPrototype);
  void Enable(BOOL bEnable);
  // The handler of one box (by control id): that end of every target and the prototype,
  // in one undo step of the bar.
  void OnChange(qvzDrawToolBar* pBar, UINT nId, BOOL bInvalidateOnly);

  CLineEndCombo m_wndEndShape;
  CLineEndCombo m_wndStartShape;
  DWORD m_dwClassBit;
};
