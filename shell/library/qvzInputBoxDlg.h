// A one-line text input with a caption and a prompt (template 466); the text must not repeat
// an entry of a name list.
#pragma once

#include "afxwin.h"

class qvzInputBoxDlg : public CDialog {
 public:
  enum { IDD = 466 };
  explicit qvzInputBoxDlg(CWnd* pParent = NULL);

  void SetTitle(LPCTSTR lpszText) { m_strCaption = lpszText; }
  void SetLabel(LPCTSTR lpszText) { m_strPrompt = lpszText; }
  void SetText(LPCTSTR lpszText) { m_strText = lpszText; }
  void SetNameList(CListBox* pList) { m_pNames = pList; }
  CString GetText() const { return m_strText; }

  CString m_strText;
  CString m_strPrompt;
  CString m_strCaption;
  CListBox* m_pNames;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
};
