// The bar of lines and open polylines: the shared line controls and the two line ends.
#pragma once

#include "CLineEndCombo.h"
#include "jvqLineEnd.h"
#include "qvzDrawToolBar.h"

#define IDC_BAR_START_SHAPE 1093
#define IDC_BAR_END_SHAPE 1097

class qvzLineToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzLineToolBar)
 public:
  qvzLineToolBar();

  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;
  void ApplyToObjects(jvqObjectArray& targets) override;
  void EnableControls(BOOL bEnable) override;

  CLineEndCombo m_wndEndShape;
  CLineEndCombo m_wndStartShape;

 protected:
  void OnShapeChange(BOOL bStart);
  afx_msg void OnStartShapeChange();
  afx_msg void OnEndShapeChange();
  DECLARE_MESSAGE_MAP()
};

// Line ends of lines and arcs: the object's two ends, by the start (second) and end
// (first) member; the combo boxes' items; a change in one box writes only that end.
jvqLineEnd* GetStartLineEnd(jvqObject* pObject);
jvqLineEnd* GetEndLineEnd(jvqObject* pObject);
void ShowLineEnds(jvqObjectArray& targets, DWORD dwClassBit, CLineEndCombo& start, CLineEndCombo& end);
void SetLineEnd(jvqObject* pObject, BOOL bStart, int nItem);
// Both ends from the two boxes on every target with the class bit and on the prototype.
void ApplyLineEndBoxes(jvqObjectArray& targets, jvqObject* pPrototype, DWORD dwClassBit, CLineEndCombo& start,
                       CLineEndCombo& end);
// The handler of one box: that end of every target with the class bit, in one undo step.
void ChangeOneLineEnd(qvzDrawToolBar* pBar, DWORD dwClassBit, BOOL bStart, int nItem, BOOL bInvalidateOnly);
