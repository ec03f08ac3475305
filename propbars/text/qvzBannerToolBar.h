// The property bar of titles: face, text colour, bold, italic, shadow, writing direction and
// the frame's line and fill colours of every selected title (or of the title prototype), and
// the button that opens the title dialog for the text and the shape.
#pragma once

#include "CDibToolBarButton.h"
#include "CImageComboBox.h"
#include "jvqBannerStyle.h"
#include "jvqView.h"
#include "qvzDrawToolBar.h"

#define IDD_QVZ_TITLE_BAR 289

class qvzBannerToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzBannerToolBar)
 public:
  qvzBannerToolBar();

  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;
  void EnableControls(BOOL bEnable) override;
  void OnColorChanged(UINT nValue, UINT nPickerId) override;

  static jvqBannerStyle* StyleOf(jvqObject* pObject);

  CImageComboBox m_wndFace;
  jvqColorPicker m_wndTextColor;
  jvqColorPicker m_wndShadowColor;
  jvqTransparentColorPicker m_wndFrameLine;
  jvqTransparentColorPicker m_wndFrameFill;
  CDibToolBarButton m_wndBold;
  CDibToolBarButton m_wndItalic;
  CButton m_wndShadow;
  CButton m_wndEdit;
  CTabCtrl m_wndTab;
  int m_bBold;
  int m_bItalic;
  int m_nHorizontal;

 protected:
  // Writes into every target's and the prototype's style in one undo step.
  template <class F>
  void EditStyles(F change, BOOL bModified);

  afx_msg void OnFace();
  afx_msg void OnBold();
  afx_msg void OnItalic();
  afx_msg void OnShadow();
  afx_msg void OnDirection();
  afx_msg void OnEdit();
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};

template <class F>
void qvzBannerToolBar::EditStyles(F change, BOOL bModified) {
  jvqObjectArray targets;
  int n = 0;
  BeginTargets(targets, &n);
  if (bModified && n > 0 && GetView()) GetView()->SetModifiedFlag(TRUE);
  m_bApplying = 1;
  for (int i = 0; i < targets.GetCount(); i++)
    if (jvqBannerStyle* s = StyleOf(targets.GetAt(i))) change(s);
  if (jvqBannerStyle* s = StyleOf(m_pPrototype)) change(s);
  m_bApplying = 0;
  EndTargets(n, TRUE);
}
