// The rotation angle of the selected objects (template 282). The user types it
// counter-clockwise; m_nAngle is in the objects' own sense before and after.
#pragma once

#include "afxwin.h"

class qvzRotateAngleDlg : public CDialog {
 public:
  enum { IDD = 282 };
  explicit qvzRotateAngleDlg(CWnd* pParent = NULL) : CDialog(IDD, pParent), m_nAngle(0) {}

  int m_nAngle;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
};
