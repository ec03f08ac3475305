// The twin scale dialogs, 1 / N with N from 10 to 10000: the placement scale of floor plans
// and symbols (template 339) and the scale of the selected floor plans (template 1334).
#pragma once

#include "afxcmn.h"
#include "afxwin.h"

class qvzScaleBaseDlg : public CDialog {
 public:
  qvzScaleBaseDlg(UINT nIDTemplate, CWnd* pParent);

  int m_nScale;
  CSpinButtonCtrl m_spin;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnChangeScale();
  DECLARE_MESSAGE_MAP()
};

class qvzScaleDlg : public qvzScaleBaseDlg {
 public:
  enum { IDD = 339 };
  // Starts from the program-wide placement scale; on IDOK m_nScale is the new one.
  explicit qvzScaleDlg(const int* pPlacementScale, CWnd* pParent = NULL);

 protected:
  BOOL OnInitDialog() override;
  const int* m_pPlacementScale;
};

class qvzFloorPlanScaleDlg : public qvzScaleBaseDlg {
 public:
  enum { IDD = 1334 };
  // The caller sets m_nScale before DoModal.
  explicit qvzFloorPlanScaleDlg(CWnd* pParent = NULL) : qvzScaleBaseDlg(IDD, pParent) {}
};
