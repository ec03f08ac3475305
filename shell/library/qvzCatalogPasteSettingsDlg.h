// "Vendaroデータの設定" (template 314): which catalogue fields the paste brings in, in which
// order, and how each field's text looks. Works on its own copy of the settings.
#pragma once

#include "afxwin.h"

class qvzCatalogPasteSettings;

class qvzCatalogPasteSettingsDlg : public CDialog {
 public:
  enum { IDD = 314 };
  explicit qvzCatalogPasteSettingsDlg(CWnd* pParent = NULL);
  ~qvzCatalogPasteSettingsDlg() override;

  // Keeps a copy of the settings (dropping an earlier one).
  void SetSettings(const qvzCatalogPasteSettings* pSettings);
  // A further copy, owned by the caller.
  qvzCatalogPasteSettings* GetSettings() const;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnAdd();
  afx_msg void OnRemove();
  afx_msg void OnUp();
  afx_msg void OnDown();
  afx_msg void OnFont();
  afx_msg void OnSelChange();
  afx_msg void OnSetFocusOut();
  afx_msg void OnSetFocusIn();
  DECLARE_MESSAGE_MAP()

 private:
  void MoveEntry(int nFrom, int nTo);
  void UpdateButtons();
  CString SelectedField() const;

  qvzCatalogPasteSettings* m_pSettings;
};
