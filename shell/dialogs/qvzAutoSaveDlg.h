// The auto-save settings (template 310): auto-save on or off and its interval in minutes.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"

class qvzAutoSaveDlg : public CDialog {
 public:
  enum { IDD = 310 };
  explicit qvzAutoSaveDlg(CWnd* pParent = NULL);

  // Milliseconds: 0 is off (10 minutes shown); otherwise on, in whole minutes from 1 to 60.
  void SetInterval(UINT nMillis);
  // Minutes x 60000 when on, else 0.
  UINT GetInterval() const;

  CButton m_btnOn;
  CSpinButtonCtrl m_spin;
  int m_nMinutes;
  BOOL m_bOn;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void EnableInterval();
  afx_msg void OnClickOn();
  afx_msg void OnKillFocusMinutes();
  DECLARE_MESSAGE_MAP()
};
