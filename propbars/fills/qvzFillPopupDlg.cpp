#include "qvzFillPopupDlg.h"

#include "FillPopupLayout.h"
#include "qvzFillButton.h"


qvzFillPopupDlg::qvzFillPopupDlg(qvzFillButton* pButton, UINT nIDTemplate)
    : CDialog(nIDTemplate, pButton), m_pTabCtrl(new qvzFillTabCtrl), m_pButton(pButton) {}

qvzFillPopupDlg::qvzFillPopupDlg(qvzFillButton* pButton, UINT nIDTemplate, qvzFillTabCtrl* pTabCtrl)
    : CDialog(nIDTemplate, pButton), m_pTabCtrl(pTabCtrl), m_pButton(pButton) {}

qvzFillPopupDlg::~qvzFillPopupDlg() { delete m_pTabCtrl; }

jvqFill* qvzFillPopupDlg::GetFill() { return m_pTabCtrl->GetFill(); }

BOOL qvzFillPopupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_pTabCtrl->SubclassDlgItem(IDC_FILL_TAB, this);
  // Under the button, kept on the screen.
  HDC hScreen = ::CreateDCA("DISPLAY", NULL, NULL, NULL);
  const SIZE screen = {::GetDeviceCaps(hScreen, HORZRES), ::GetDeviceCaps(hScreen, VERTRES)};
  ::DeleteDC(hScreen);
  CRect rcButton, rcSelf;
  m_pButton->GetWindowRect(&rcButton);
  GetWindowRect(&rcSelf);
  const POINT at = PlaceFillPopup(rcButton, SIZE{rcSelf.Width(), rcSelf.Height()}, screen);
  SetWindowPos(NULL, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_pTabCtrl->CreatePages();
  m_pTabCtrl->SetFill(m_pButton->GetFill());
  return TRUE;
}

qvzImageFillPopupDlg::qvzImageFillPopupDlg(qvzFillButton* pButton)
    : qvzFillPopupDlg(pButton, IDD_IMAGEFILL_POPUP, new qvzImageFillTabCtrl) {}

jvqFill* qvzImageFillPopupDlg::GetFill() { return m_pTabCtrl->GetFill(); }
