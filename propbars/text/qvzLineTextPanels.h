// The two panels of the leader-line text bar, shown one at a time under its tabs: the
// leader line ("引出線": style, width, start shape, colour) and the text frame ("文字枠":
// frame line style, width, colour, and the leader text's own fill behind the text).
#pragma once

#include "CLineEndCombo.h"
#include "CLineStyleCombo.h"
#include "afxwin.h"
#include "jvqColorPicker.h"
#include "qvzDrawToolBar.h"
#include "qvzValueComboBox.h"

#define IDD_QVZ_LEADER_PANEL 463
#define IDD_QVZ_FRAME_PANEL 1335

class qvzLineTextToolBar;

// What both panels share: the bar they edit for, and the picker's listener.
class qvzLineTextPanel : public CDialog {
 public:
  qvzLineTextPanel();
  qvzLineTextToolBar* GetBar() const;
  void FillStyleAndWidth();
  virtual void OnPickedColor() {}
  BOOL CanEdit(CWnd& control) const;

  CLineStyleCombo m_wndLineStyle;
  qvzValueComboBox m_wndLineWidth;
  jvqColorPicker m_wndColor;

 protected:
  class Listener : public jvqColorPickerListener {
   public:
    void Notify(UINT nCode, const jvqFill* pValue, UINT nID) override;
    qvzLineTextPanel* m_pPanel = nullptr;
  };
  Listener m_Listener;
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  DECLARE_MESSAGE_MAP()
};

class qvzLeaderLinePanel : public qvzLineTextPanel {
 public:
  void CreateControls();
  void OnPickedColor() override;
  CLineEndCombo m_wndStartShape;

 protected:
  afx_msg void OnLineStyle();
  afx_msg void OnStartShape();
  afx_msg LRESULT OnValueChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

class qvzTextFramePanel : public qvzLineTextPanel {
 public:
  void CreateControls();
  void OnPickedColor() override;
  qvzFillButton m_wndFill;

 protected:
  afx_msg void OnLineStyle();
  afx_msg LRESULT OnValueChanged(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnFillChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
