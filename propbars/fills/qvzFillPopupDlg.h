// The modal pop-up of a fill button: a tab control of fill pages, OK and キャンセル.
#pragma once

#include "afxwin.h"
#include "qvzFillTabCtrl.h"
#include "resource.h"


class qvzFillButton;

class qvzFillPopupDlg : public CDialog {
 public:
  qvzFillPopupDlg(qvzFillButton* pButton, UINT nIDTemplate);
  virtual ~qvzFillPopupDlg();

  // The tab control's fill (the last pick, or the starting fill), owned by the tab control.
  virtual jvqFill* GetFill();
  // Whether a page handed over a pick (transparent included) while the pop-up was open.
  BOOL HasPick() const { return GetTabCtrl()->HasPick(); }
  virtual qvzFillTabCtrl* GetTabCtrl() const { return m_pTabCtrl; }
  virtual BOOL OnInitDialog();

 protected:
  qvzFillPopupDlg(qvzFillButton* pButton, UINT nIDTemplate, qvzFillTabCtrl* pTabCtrl);

  qvzFillTabCtrl* m_pTabCtrl;  // owned
  qvzFillButton* m_pButton;
};

class qvzImageFillPopupDlg : public qvzFillPopupDlg {
 public:
  explicit qvzImageFillPopupDlg(qvzFillButton* pButton);
  virtual jvqFill* GetFill();
};
