#include "WinState.h"

#include "afxext.h"

/////////////////////////////////////////////////////////////////////////////
// CPropertyPage

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

// The page's dialog procedure: the page object takes the window when it starts.
INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  PROPSHEETPAGE* pPSP = reinterpret_cast<PROPSHEETPAGE*>(lParam);
  CPropertyPage* pPage = pPSP != NULL ? reinterpret_cast<CPropertyPage*>(pPSP->lParam) : NULL;
  if (pPage == NULL) return TRUE;
  if (CWnd::FromHandlePermanent(hWnd) == NULL) pPage->SubclassWindow(hWnd);
  return pPage->OnInitDialog();
}

CPropertyPage::CPropertyPage() : m_bFirstSetActive(TRUE) { Construct((LPCTSTR)NULL, 0); }

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : m_bFirstSetActive(TRUE) {
  Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : m_bFirstSetActive(TRUE) {
  Construct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage() {}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption) {
  Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption) {
  memset(&m_psp, 0, sizeof(m_psp));
  m_psp.dwSize = sizeof(m_psp);
  m_psp.dwFlags = PSP_DEFAULT;
  m_psp.pszTemplate = lpszTemplateName;
  m_psp.pfnDlgProc = AfxPropPageDlgProc;
  m_psp.lParam = (LPARAM)this;
  m_lpszTemplateName = lpszTemplateName;
  if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
    m_psp.pszTitle = m_strCaption;
    m_psp.dwFlags |= PSP_USETITLE;
  }
}

CPropertySheet* CPropertyPage::GetSheet() const {
  CWnd* pParent = GetParent();
  return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CPropertySheet)) ? static_cast<CPropertySheet*>(pParent)
                                                                              : NULL;
}

void CPropertyPage::CancelToClose() {
  CWnd* pParent = GetParent();
  if (pParent != NULL) pParent->SendMessage(PSM_CANCELTOCLOSE);
}

void CPropertyPage::SetModified(BOOL bChanged) {
  CWnd* pParent = GetParent();
  if (pParent != NULL) pParent->SendMessage(bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd);
}

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

// The sheet ends itself: a page's OK and Cancel only close their part.
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
BOOL CPropertyPage::OnWizardFinish() { return TRUE; }

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  if (pNMHDR->code < PSN_LAST || pNMHDR->code > PSN_FIRST) return CDialog::OnNotify(wParam, lParam, pResult);
  LRESULT lResult = 0;
  switch (pNMHDR->code) {
    case PSN_SETACTIVE:
      lResult = OnSetActive() ? 0 : -1;
      break;
    case PSN_KILLACTIVE:
      lResult = !OnKillActive();
      break;
    case PSN_APPLY:
      lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
      break;
    case PSN_RESET:
      OnReset();
      break;
    case PSN_QUERYCANCEL:
      lResult = !OnQueryCancel();
      break;
    case PSN_WIZNEXT:
      lResult = OnWizardNext();
      break;
    case PSN_WIZBACK:
      lResult = OnWizardBack();
      break;
    case PSN_WIZFINISH:
      lResult = !OnWizardFinish();
      break;
    default:
      return CDialog::OnNotify(wParam, lParam, pResult);
  }
  // The sheet reads a dialog's answer from its message result.
  ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, lResult);
  *pResult = lResult;
  return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg) {
  // The sheet does the keyboard for its pages.
  return CWnd::PreTranslateMessage(pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// CPropertySheet

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet() { Construct((LPCTSTR)NULL); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet() {
  if (m_hWnd != NULL) DestroyWindow();
  delete[] (HPROPSHEETPAGE*)m_psh.phpage;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  CString strCaption;
  strCaption.LoadString(nIDCaption);
  Construct((LPCTSTR)strCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  memset(&m_psh, 0, sizeof(m_psh));
  m_psh.dwSize = sizeof(m_psh);
  m_psh.dwFlags = PSH_PROPSHEETPAGE;
  m_psh.nStartPage = iSelectPage;
  m_strCaption = pszCaption != NULL ? pszCaption : "";
  m_pParentWnd = pParentWnd;
  m_bStacked = TRUE;
  m_bModeless = FALSE;
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  m_pages.Add(pPage);
  if (m_hWnd != NULL) {
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPage(&pPage->m_psp);
    if (hPage != NULL) SendMessage(PSM_ADDPAGE, 0, (LPARAM)hPage);
  }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) {
  int nPage = GetPageIndex(pPage);
  if (nPage >= 0) RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return;
  if (m_hWnd != NULL) SendMessage(PSM_REMOVEPAGE, nPage);
  m_pages.RemoveAt(nPage);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) {
  for (int i = 0; i < GetPageCount(); i++)
    if (GetPage(i) == pPage) return i;
  return -1;
}

int CPropertySheet::GetActiveIndex() const {
  if (m_hWnd == NULL) return (int)m_psh.nStartPage;
  HWND hWndPage = (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
  for (int i = 0; i < GetPageCount(); i++)
    if (GetPage(i)->m_hWnd == hWndPage && hWndPage != NULL) return i;
  return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
  int nIndex = GetActiveIndex();
  return nIndex >= 0 && nIndex < GetPageCount() ? GetPage(nIndex) : NULL;
}

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
  if (m_hWnd == NULL) {
    m_psh.nStartPage = nPage;
    return TRUE;
  }
  return (BOOL)SendMessage(PSM_SETCURSEL, nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle) {
  m_strCaption = lpszText;
  m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
  if (m_hWnd != NULL) SendMessage(PSM_SETTITLE, nStyle, (LPARAM)lpszText);
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags) {
  if (m_hWnd != NULL) ::SendMessage(m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags);
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText) {
  if (m_hWnd != NULL) ::SendMessage(m_hWnd, PSM_SETFINISHTEXT, 0, (LPARAM)lpszText);
}

void CPropertySheet::EndDialog(int nEndID) {
  if (m_hWnd == NULL) return;
  if (m_bModeless)
    DestroyWindow();
  else
    ::PostMessage(m_hWnd, PSM_PRESSBUTTON, nEndID == IDOK ? PSBTN_OK : PSBTN_CANCEL, 0);
}

HPROPSHEETPAGE* CPropertySheet::BuildPages() {
  int nPages = GetPageCount();
  HPROPSHEETPAGE* pPages = new HPROPSHEETPAGE[nPages > 0 ? nPages : 1];
  for (int i = 0; i < nPages; i++) {
    CPropertyPage* pPage = GetPage(i);
    pPage->m_bFirstSetActive = TRUE;
    if (pPage->m_psp.hInstance == NULL)
      pPage->m_psp.hInstance = AfxFindResourceHandle(pPage->m_psp.pszTemplate, RT_DIALOG);
    pPages[i] = ::CreatePropertySheetPage(&pPage->m_psp);
    if (pPages[i] == NULL) {
      for (int j = 0; j < i; j++) ::DestroyPropertySheetPage(pPages[j]);
      delete[] pPages;
      return NULL;
    }
  }
  delete[] (HPROPSHEETPAGE*)m_psh.phpage;
  m_psh.phpage = pPages;
  m_psh.nPages = nPages;
  m_psh.dwFlags &= ~PSH_PROPSHEETPAGE;
  m_psh.pszCaption = m_strCaption;
  m_psh.hInstance = AfxGetResourceHandle();
  return pPages;
}

// The sheet's window is subclassed as soon as it exists, before its pages start.
static CPropertySheet* s_pSheetInit = NULL;

static int CALLBACK AfxPropSheetCallback(HWND hWnd, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && s_pSheetInit != NULL) {
    CPropertySheet* pSheet = s_pSheetInit;
    s_pSheetInit = NULL;
    if (CWnd::FromHandlePermanent(hWnd) == NULL) pSheet->SubclassWindow(hWnd);
  }
  return 0;
}

int CPropertySheet::DoModal() {
  if (m_hWnd != NULL || BuildPages() == NULL) return -1;
  m_bModeless = FALSE;
  CWnd* pParent = CWnd::GetSafeOwner(m_pParentWnd);
  m_psh.hwndParent = pParent->GetSafeHwnd();
  m_psh.dwFlags |= PSH_USECALLBACK;
  m_psh.pfnCallback = AfxPropSheetCallback;
  // The owner is disabled while the sheet runs, as for a modal dialog.
  BOOL bEnableParent = m_psh.hwndParent != NULL && ::IsWindowEnabled(m_psh.hwndParent);
  s_pSheetInit = this;
  INT_PTR nResult = ::PropertySheet(&m_psh);
  s_pSheetInit = NULL;
  if (bEnableParent) ::EnableWindow(m_psh.hwndParent, TRUE);
  if (m_hWnd != NULL) Detach();
  m_psh.phpage = NULL;  // the system destroyed the pages with the sheet
  m_psh.nPages = 0;
  if (nResult < 0) return -1;
  if (nResult == 0) return IDCANCEL;
  return IsWizard() ? ID_WIZFINISH : IDOK;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
  if (m_hWnd != NULL || BuildPages() == NULL) return FALSE;
  m_bModeless = TRUE;
  m_psh.hwndParent = pParentWnd->GetSafeHwnd();
  m_psh.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
  m_psh.pfnCallback = AfxPropSheetCallback;
  s_pSheetInit = this;
  HWND hWnd = (HWND)::PropertySheet(&m_psh);
  s_pSheetInit = NULL;
  m_psh.phpage = NULL;
  m_psh.nPages = 0;
  if (hWnd == NULL) return FALSE;
  if (m_hWnd == NULL) SubclassWindow(hWnd);
  if (dwStyle != (DWORD)-1) ::SetWindowLong(m_hWnd, GWL_STYLE, dwStyle);
  if (dwExStyle != 0) ModifyStyleEx(0, dwExStyle);
  return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (m_bModeless && m_hWnd != NULL) {
    // A finished modeless sheet has no current page.
    if (::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0) return FALSE;
    if (::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg)) return TRUE;
  }
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  // The sheet's buttons are the system's; only the owner hears about other commands.
  return CWnd::OnCommand(wParam, lParam);
}

void CPropertySheet::PostNcDestroy() { CWnd::PostNcDestroy(); }
