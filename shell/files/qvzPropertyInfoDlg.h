// "物件情報の設定": the board's property and customer fields, kept as header properties.
#pragma once

#include "CImeEdit.h"
#include "afxwin.h"

class jvqDocument;

class qvzPropertyInfoDlg : public CDialog {
 public:
  explicit qvzPropertyInfoDlg(CWnd* pParent = NULL);

  // The header property of each field, in the dialog's order.
  static const char* const s_FieldNames[10];

  jvqDocument* m_pDocument;
  CString m_strFileName;  // empty for a board never saved
  CString m_strSaved;
  CString m_strFields[10];

 protected:
  CImeEdit m_wndImeEdits[6];

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};
