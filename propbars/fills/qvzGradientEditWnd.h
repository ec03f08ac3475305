// Tab "ｸﾞﾗﾃﾞｰｼｮﾝ" of the fill pop-ups: two colours, one of nine kinds and a preview square
// painted by the gradient itself.
#pragma once

#include "jvqGradientFill.h"
#include "qvzFillChildWnd.h"
#include "qvzFillPickerListener.h"

// The kinds in combo order, ended by an empty text.
extern const char* const g_GradientKindNames[];

class qvzGradientEditWnd : public qvzFillChildWnd {
 public:
  qvzGradientEditWnd();
  virtual ~qvzGradientEditWnd();

  virtual void SetFill(const jvqFill* pFill);
  virtual void CreateControls();

  RECT GetPreviewRect();
  const jvqGradientFill& GetGradient() const { return m_Gradient; }
  jvqColorPicker& GetPicker(int n) { return n == 1 ? m_Picker1 : m_Picker2; }
  CComboBox& GetKindCombo() { return m_Kind; }

 protected:
  afx_msg void OnPaint();
  afx_msg void OnKindChange();
  afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  jvqGradientFill m_Gradient;
  jvqColorPicker m_Picker1;
  jvqColorPicker m_Picker2;
  CComboBox m_Kind;
  CStatic m_Labels[4];
  qvzFillPickerListener m_Listener;
};
