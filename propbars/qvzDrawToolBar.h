// The base of the shape property bars and the palettes: the shared line colour, line
// style, line width and fill controls, the objects an edit applies to, and the editing
// pattern every bar follows: one undo step over the selection, plus the prototype of the
// bar's kind so that the next object drawn looks like the last one edited.
#pragma once

#include "CLineStyleCombo.h"
#include "jvqColorPicker.h"
#include "jvqObject.h"
#include "qvzDialogBar.h"
#include "qvzValueComboBox.h"

#include "qvzFillButton.h"

class jvqFill;
class jvqView;

// Control ids of the shared controls.
#define IDC_BAR_LINECOLOR 1081
#define IDC_BAR_LINESTYLE 1072
#define IDC_BAR_LINEWIDTH 1063
#define IDC_BAR_FILL 732
#define IDC_BAR_CAPTION 1070
#define IDC_BAR_LOCK 1078
#define IDC_BAR_DEFAULTS 1074

class qvzDrawToolBar : public qvzDialogBar {
  DECLARE_DYNCREATE(qvzDrawToolBar)
 public:
  qvzDrawToolBar();
  // A bar of the kind, with the captions it shows while creating and while objects are
  // selected.
  qvzDrawToolBar(LPCTSTR lpszCreateCaption, LPCTSTR lpszSelectCaption, int nKind);
  ~qvzDrawToolBar() override;

  virtual void EnableControls(BOOL bEnable);
  virtual void CreateControls();
  virtual void ApplyToObjects(jvqObjectArray& targets);
  virtual void ShowObjectValues(jvqObjectArray& targets);

  void OnInitialShow() override;
  void Refresh() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The framework's idle update would disable controls without a command handler in the
  // frame's route; the bar enables its controls itself (EnableControls).
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override {}

  int CollectTargets(jvqObjectArray& out);
  static BOOL IsSameLineStyle(jvqLineStyle* a, jvqLineStyle* b);
  static BOOL IsSameFill(jvqFill* a, jvqFill* b);
  // Whether the control has a window and is enabled, so that its handler may edit.
  BOOL CanEdit(CWnd& control) const;
  // Binds the control to the template's item when the template has one.
  BOOL BindControl(CWnd& control, UINT nId);
  jvqView* GetView() const;

  class ColorListener : public jvqColorPickerListener {
   public:
    void Notify(UINT nCode, const jvqFill* pValue, UINT nID) override;
    qvzDrawToolBar* m_pBar = nullptr;
  };

  int m_bControlsCreated;
  CButton m_wndLock;
  CLineStyleCombo m_wndLineStyle;
  qvzValueComboBox m_wndLineWidth;
  jvqColorPicker m_wndLineColor;
  qvzFillButton m_wndFill;
  CStatic m_wndCaption;
  ColorListener m_colorListener;
  CString m_strCreateCaption;
  CString m_strSelectCaption;
  CToolTipCtrl* m_pToolTip;
  jvqObject* m_pPrototype;
  int m_bShowingValues;
  int m_bApplying;
  int m_nKind;
  // Set while the controls show a mixed value (several targets disagree) that the user has
  // not changed; ApplyToObjects then leaves that attribute alone.
  BOOL m_bMixedColor;
  BOOL m_bMixedStyle;
  BOOL m_bMixedFill;
  // Class bits of objects whose fill the fill button leaves alone.
  DWORD m_dwFillKeepBits;

 protected:
  // The editing pattern around a change of every target and the prototype: opens the
  // undo step, runs the change with the applying guard and closes the step; then repaints
  // the view and, when objects changed, lets the manager refresh the bar.
  template <class F>
  void EditTargets(F change, BOOL bRefresh = TRUE);

 public:
  void BeginTargets(jvqObjectArray& targets, int* pCount);
  void EndTargets(int nCount, BOOL bRefresh, BOOL bInvalidateOnly = FALSE);

 protected:

  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnLineStyleChange();
  afx_msg void OnLockClicked();
  afx_msg void OnNoAction();
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg LRESULT OnColorChangedMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnFillChangedMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnValueChangedMsg(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 public:
  virtual void OnColorChanged(UINT nValue, UINT nPickerId);
  virtual void OnFillChanged(UINT nControlId);
  virtual void OnValueChanged(UINT nControlId, const CString& strText);
};

template <class F>
void qvzDrawToolBar::EditTargets(F change, BOOL bRefresh) {
  jvqObjectArray targets;
  int n = 0;
  BeginTargets(targets, &n);
  m_bApplying = 1;
  for (int i = 0; i < targets.GetCount(); i++) change(targets.GetAt(i));
  if (m_pPrototype) change(m_pPrototype);
  m_bApplying = 0;
  EndTargets(n, bRefresh);
}

// Fills of these class bits are kept when a colour is chosen: pictures, groups, leader-line
// texts, floor plans, OLE objects, balloons, titles and symbols.
#define FILL_KEEPING_CLASS_BITS (0x100 | 0x40 | 0x80 | 0x780000)
