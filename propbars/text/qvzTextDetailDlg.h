// "文字の詳細設定": every attribute of one text at once (text, direction, wrap, face, size,
// colour, bold, italic, alignment and spacings), on a copy of a text attribute block.
#pragma once

#include "afxwin.h"
#include "CImageComboBox.h"
#include "CToggleStatic.h"
#include "jvqColorPicker.h"
#include "jvqTextAttributes.h"

#define IDD_QVZ_TEXT_DETAIL 235

class qvzTextDetailDlg : public CDialog {
 public:
  explicit qvzTextDetailDlg(CWnd* pParent = NULL);

  // Before DoModal: the block, with its face and text pointers at the strings to show.
  void SetTextStyle(const jvqTextAttributes& style);
  // After IDOK: the edited block; its face and text point into this dialog, so a caller
  // copies them out before the dialog goes. The character width is handed back unchanged.
  int GetTextStyle(jvqTextAttributes& out);

  COLORREF m_crText;
  // Set before DoModal when the position lock has no meaning for the caller.
  BOOL m_bNoPositionLock;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  afx_msg void OnBold();
  afx_msg void OnItalic();
  afx_msg void OnAlign(UINT nID);
  afx_msg void OnVertical();
  afx_msg void OnHorizontal();
  afx_msg void OnCharSpacing();
  afx_msg void OnLineSpacing();
  afx_msg void OnUnderline();
  afx_msg void OnWrap();
  DECLARE_MESSAGE_MAP()

  class Listener : public jvqColorPickerListener {
   public:
    explicit Listener(qvzTextDetailDlg* p) : m_pDlg(p) {}
    void Notify(UINT nCode, const jvqFill* pValue, UINT nID) override;
    qvzTextDetailDlg* m_pDlg;
  };

  void ShowAlignment();

  jvqTextAttributes m_Style;
  CString m_strText;
  CString m_strFace;
  int m_nSize;
  int m_nStyleBits;
  Listener m_Listener;

  CEdit m_wndText;
  CImageComboBox m_wndFace;
  CComboBox m_wndSize;
  CComboBox m_wndCharSpacing;
  CComboBox m_wndLineSpacing;
  CComboBox m_wndUnderline;
  CToggleStatic m_wndBold;
  CToggleStatic m_wndItalic;
  CButton m_wndWrap;
  CButton m_wndLock;
  CButton m_wndAlign[4];
  jvqColorPicker m_wndColor;
};

// Shared by the text dialogs and bars: the size list, the face list, and the select-or-add
// of a value.
extern const char* const qvzSizeList[15];
void qvzFillSizeList(CComboBox* pCombo);
// Subclasses a face combo of a dialog or bar, lists the application's fonts and selects
// the first; FALSE when the template has no such control.
BOOL qvzInitFaceCombo(CWnd* pParent, UINT nID, CImageComboBox* pCombo);
void qvzSelectComboValue(CComboBox* pCombo, LPCTSTR lpszValue);
// Selects the item whose whole text is the face, letter case ignored; FALSE when none is.
BOOL qvzSelectFace(CComboBox* pCombo, LPCTSTR lpszFace);
