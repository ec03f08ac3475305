// The property bar of text frames: face, size, colour, bold, italic, underline, alignment,
// spacings, wrap and writing direction of every selected frame (or of the text prototype),
// and the frame's line and fill under the tab "文字枠". Its text half serves the leader-line
// text bar too, through TextFillOf.
#pragma once

#include "CDibToolBarButton.h"
#include "CImageComboBox.h"
#include "jvqTextFill.h"
#include "jvqView.h"
#include "qvzDrawToolBar.h"

#define IDD_QVZ_TEXT_BAR 242

class qvzTextToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzTextToolBar)
 public:
  qvzTextToolBar();

  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;
  void EnableControls(BOOL bEnable) override;
  void OnColorChanged(UINT nValue, UINT nPickerId) override;
  void OnValueChanged(UINT nControlId, const CString& strText) override;

  // The text painter a target's text is drawn by; NULL for objects without one.
  virtual jvqTextFill* TextFillOf(jvqObject* pObject);

  enum { BOLD, ITALIC, UNDERLINE, LEFT, CENTRE, RIGHT, JUSTIFY, BUTTONS };
  CDibToolBarButton m_wndButtons[BUTTONS];
  CImageComboBox m_wndFace;
  qvzValueComboBox m_wndSize;
  CComboBox m_wndCharSpacing;
  CComboBox m_wndLineSpacing;
  CButton m_wndWrap;
  jvqColorPicker m_wndTextColor;
  CTabCtrl m_wndTab;
  int m_bBold;
  int m_bItalic;
  int m_bUnderline;
  int m_nAlignment;
  int m_bHorizontal;

 protected:
  // Writes into every target's and the prototype's text painter in one undo step.
  template <class F>
  void EditText(F change);
  // The face and size boxes (before the base's controls), and the rest of the text half.
  void CreateFaceAndSize();
  void CreateTextControls();
  void ShowTextValues(jvqObjectArray& targets);
  void ShowAlignment();
  BOOL CanEditText() const;

  afx_msg void OnFace();
  afx_msg void OnCharSpacing();
  afx_msg void OnLineSpacing();
  afx_msg void OnWrap();
  afx_msg void OnDirection();
  afx_msg void OnBold();
  afx_msg void OnItalic();
  afx_msg void OnUnderline();
  void OnAlign(UINT nID);
  afx_msg void OnAlign1() { OnAlign(1189); }
  afx_msg void OnAlign2() { OnAlign(504); }
  afx_msg void OnAlign3() { OnAlign(789); }
  afx_msg void OnAlign4() { OnAlign(790); }
  DECLARE_MESSAGE_MAP()
};

template <class F>
void qvzTextToolBar::EditText(F change) {
  jvqObjectArray targets;
  int n = 0;
  BeginTargets(targets, &n);
  if (n > 0 && GetView()) GetView()->SetModifiedFlag(TRUE);
  m_bApplying = 1;
  for (int i = 0; i < targets.GetCount(); i++)
    if (jvqTextFill* f = TextFillOf(targets.GetAt(i))) change(targets.GetAt(i), f);
  if (m_pPrototype)
    if (jvqTextFill* f = TextFillOf(m_pPrototype)) change(m_pPrototype, f);
  m_bApplying = 0;
  EndTargets(n, TRUE);
}
