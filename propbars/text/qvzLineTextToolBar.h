// The property bar of leader-line texts: the text bar's text half on each leader text's
// frame, and under the tabs "文字枠" and "引出線" the two panels for the frame and the leader.
#pragma once

#include "jvqLineTextObject.h"
#include "qvzLineTextPanels.h"
#include "qvzTextToolBar.h"

#define IDD_QVZ_LINETEXT_BAR 780

class qvzLineTextToolBar : public qvzTextToolBar {
  DECLARE_DYNCREATE(qvzLineTextToolBar)
 public:
  qvzLineTextToolBar();

  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;
  void EnableControls(BOOL bEnable) override;
  jvqTextFill* TextFillOf(jvqObject* pObject) override;
  // Shows the panel of a tab: 0 the text frame, 1 the leader line.
  void ShowTab(int nTab);

  // The panels' edits: every leader text and the prototype in one step.
  template <class F>
  void EditLineTexts(F change, BOOL bModified) {
    jvqObjectArray targets;
    int n = 0;
    BeginTargets(targets, &n);
    if (bModified && n > 0 && GetView()) GetView()->SetModifiedFlag(TRUE);
    m_bApplying = 1;
    for (int i = 0; i < targets.GetCount(); i++) change(targets.GetAt(i));
    if (m_pPrototype) change(m_pPrototype);
    m_bApplying = 0;
    EndTargets(n, TRUE);
  }

  CWnd m_wndContainer;
  qvzLeaderLinePanel m_LeaderPanel;
  qvzTextFramePanel m_FramePanel;

 protected:
  afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};
