// The bars of the shapes cut from an ellipse: start and end angle boxes (shown in the
// opposite sense to the stored angle); the arc bar also edits the two line ends.
#pragma once

#include "qvzDrawToolBar.h"
#include "qvzLineEndBoxes.h"

#define IDC_BAR_START_ANGLE 1073
#define IDC_BAR_END_ANGLE 721

class qvzChordToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzChordToolBar)
 public:
  qvzChordToolBar();
  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;
  void EnableControls(BOOL bEnable) override;
  void OnValueChanged(UINT nControlId, const CString& strText) override;

  qvzValueComboBox m_wndStartAngle;
  qvzValueComboBox m_wndEndAngle;
  // The class bit of the bar's shapes.
  DWORD m_dwClassBit;
};

class qvzPieToolBar : public qvzChordToolBar {
  DECLARE_DYNCREATE(qvzPieToolBar)
 public:
  qvzPieToolBar();
};

class qvzArcToolBar : public qvzChordToolBar {
  DECLARE_DYNCREATE(qvzArcToolBar)
 public:
  qvzArcToolBar();
  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;
  void ApplyToObjects(jvqObjectArray& targets) override;
  void EnableControls(BOOL bEnable) override;

  qvzLineEndBoxes m_LineEnds;

 protected:
  afx_msg void OnLineEndChange(UINT nId);
  DECLARE_MESSAGE_MAP()
};

// The stored angles of a pie, chord or arc.
BOOL GetShapeAngles(jvqObject* pObject, int* pStart, int* pEnd);
void SetShapeAngle(jvqObject* pObject, BOOL bStart, int nAngle);
