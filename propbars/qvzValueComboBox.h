// The editable combo box of the property bars for values written with a unit ("0.3mm",
// "45"): a picked item, Enter and leaving the box report the text to the parent with
// QVZM_VALUECHANGED (wParam the control id, lParam a CString* the box owns).
#pragma once

#include <memory>
#include <vector>

#include "afxwin.h"

class qvzValueComboBox : public CComboBox {
 public:
  qvzValueComboBox();
  ~qvzValueComboBox() override;

  void AddValue(const char* pszText);
  // Selects the first item of the same numeric value, else appends the text and selects it.
  void SelectValue(const char* pszText);
  // Shows a text without an item (a mixed value shows ""); what the user must change.
  void ShowText(const char* pszText);
  CString GetText() const;
  int GetItemCount() const;
  // Angle boxes: every whole number is a value (no "0.1mm" for zero or less), and a text
  // that is no number is refused and the shown value comes back.
  void SetAnyNumber(BOOL bAny) { m_bAnyNumber = bAny; }

  BOOL PreTranslateMessage(MSG* pMsg) override;

  int m_bEditing;

 protected:
  afx_msg void OnSetFocus();
  afx_msg void OnSelChange();
  afx_msg void OnKillFocus();
  afx_msg void OnNothing();
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

 private:
  // Reports a typed text: a width box turns no positive value into "0.1mm"; only a text
  // other than the one shown or last reported is sent.
  void ReportTyped();
  void Report(const CString& strText);

  std::vector<std::unique_ptr<CString>> m_Values;
  CString m_strShown;
  BOOL m_bAnyNumber;
};
