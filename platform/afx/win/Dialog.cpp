#include "WinState.h"

#include "afxwin_dlg.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
  ON_MESSAGE(WM_SETFONT, HandleSetFont)
END_MESSAGE_MAP()

/////////////////////////////////////////////////////////////////////////////
// Templates and the dialog window

LPCDLGTEMPLATE AFXAPI AfxLoadDialogTemplate(LPCTSTR lpszTemplateName, HINSTANCE* phInst) {
  if (lpszTemplateName == NULL) return NULL;
  HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
  if (hResource == NULL) return NULL;
  HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
  if (hTemplate == NULL) return NULL;
  if (phInst != NULL) *phInst = hInst;
  return (LPCDLGTEMPLATE)::LockResource(hTemplate);
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CDialog))) return static_cast<CDialog*>(pWnd)->OnInitDialog();
    return TRUE;
  }
  return FALSE;
}

HWND AFXAPI AfxCreateDlgWindow(CWnd* pWnd, LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst) {
  if (lpDialogTemplate == NULL) return NULL;
  if (hInst == NULL) hInst = AfxGetResourceHandle();
  // Dialogs may hold any common control.
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_USEREX_CLASSES};
  ::InitCommonControlsEx(&icc);
  AfxHookWindowCreate(pWnd);
  HWND hWnd = ::CreateDialogIndirectParam(hInst, lpDialogTemplate, hWndParent, AfxDlgProc, 0);
  AfxUnhookWindowCreate();
  return hWnd;
}

BOOL AFXAPI AfxPreTranslateDlgInput(HWND hWndDlg, MSG* pMsg) {
  if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
      (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
    return FALSE;
  if (pMsg->hwnd != hWndDlg && !::IsChild(hWndDlg, pMsg->hwnd)) return FALSE;
  return ::IsDialogMessage(hWndDlg, pMsg);
}

/////////////////////////////////////////////////////////////////////////////
// Dialog-init data: records of control id, message, data length and data, ending with a
// zero id. Only the string-adding messages are understood.

BOOL AFXAPI AfxExecuteDlgInit(HWND hWnd, const void* lpResource, DWORD dwSize) {
  if (lpResource == NULL) return TRUE;
  const BYTE* p = static_cast<const BYTE*>(lpResource);
  // An unknown size (data handed over by the program) must not wrap the end pointer.
  UINT_PTR nRoom = ~(UINT_PTR)0 - (UINT_PTR)p;
  const BYTE* pEnd = p + (dwSize < nRoom ? dwSize : nRoom);
  while (pEnd - p >= 2) {
    WORD nIDC = *(const WORD UNALIGNED*)p;
    if (nIDC == 0) return TRUE;
    if (pEnd - p < 8) return FALSE;  // a record cut short
    WORD nMsg = *(const WORD UNALIGNED*)(p + 2);
    DWORD dwLen = *(const DWORD UNALIGNED*)(p + 4);
    p += 8;
    if (dwLen > (DWORD)(pEnd - p)) return FALSE;  // the length runs past the data
    // Win16 message numbers kept by the resource compiler, and the extended combo box's.
    if (nMsg == 0x0401) nMsg = LB_ADDSTRING;
    else if (nMsg == 0x0403) nMsg = CB_ADDSTRING;
    else if (nMsg == 0x1234) nMsg = CBEM_INSERTITEM;
    if (nMsg == LB_ADDSTRING || nMsg == CB_ADDSTRING || nMsg == CBEM_INSERTITEM) {
      // The text may lack its terminator: copy no more than the record holds.
      DWORD n = 0;
      while (n < dwLen && p[n] != 0) n++;
      CString strItem((LPCSTR)p, (int)n);
      LRESULT lResult;
      if (nMsg == CBEM_INSERTITEM) {
        COMBOBOXEXITEM item = {};
        item.mask = CBEIF_TEXT;
        item.iItem = -1;
        item.pszText = (LPTSTR)(LPCTSTR)strItem;
        lResult = ::SendDlgItemMessage(hWnd, nIDC, CBEM_INSERTITEM, 0, (LPARAM)&item);
      } else {
        lResult = ::SendDlgItemMessage(hWnd, nIDC, nMsg, 0, (LPARAM)(LPCTSTR)strItem);
      }
      if (lResult == -1) return FALSE;
    }
    p += dwLen;
  }
  return TRUE;
}

BOOL AFXAPI AfxExecuteDlgInit(HWND hWnd, LPCTSTR lpszResourceName) {
  if (lpszResourceName == NULL) return TRUE;
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT);
  HRSRC hResource = ::FindResource(hInst, lpszResourceName, RT_DLGINIT);
  if (hResource == NULL) return TRUE;  // nothing to fill
  HGLOBAL hData = ::LoadResource(hInst, hResource);
  if (hData == NULL) return FALSE;
  const void* lpData = ::LockResource(hData);
  return AfxExecuteDlgInit(hWnd, lpData, ::SizeofResource(hInst, hResource));
}

/////////////////////////////////////////////////////////////////////////////
// CDialog

CDialog::CDialog()
    : m_nIDHelp(0),
      m_lpszTemplateName(NULL),
      m_hDialogTemplate(NULL),
      m_lpDialogTemplate(NULL),
      m_lpDialogInit(NULL),
      m_pParentWnd(NULL),
      m_hWndTop(NULL) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialog() {
  m_pParentWnd = pParentWnd;
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName)) m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog() {
  m_pParentWnd = pParentWnd;
  m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
  m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog() {
  // A modeless dialog still up goes with its object.
  if (m_hWnd != NULL && ::IsWindow(m_hWnd) && CWnd::FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  m_nModalResult = -1;
  m_nFlags |= WF_CONTINUEMODAL;
  HWND hWnd = AfxCreateDlgWindow(this, lpDialogTemplate, pParentWnd->GetSafeHwnd(), hInst);
  // A window made and destroyed again has been through PostNcDestroy: a self-deleting
  // dialog is gone, so nothing here touches the object.
  if (hWnd == NULL) return FALSE;
  if (!(m_nFlags & WF_CONTINUEMODAL)) {
    // EndDialog during OnInitDialog
    ::DestroyWindow(hWnd);
    return FALSE;
  }
  return TRUE;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0) m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
  if (pParentWnd != NULL) m_pParentWnd = pParentWnd;
  HINSTANCE hInst = NULL;
  LPCDLGTEMPLATE lpTemplate = AfxLoadDialogTemplate(lpszTemplateName, &hInst);
  if (lpTemplate == NULL) return FALSE;
  return CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd); }

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) {
  m_lpDialogInit = lpDialogInit;
  if (pParentWnd != NULL) m_pParentWnd = pParentWnd;
  return CreateDlgIndirect(lpDialogTemplate, pParentWnd, NULL);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) {
  LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(hDialogTemplate);
  BOOL bResult = CreateIndirect(lpTemplate, pParentWnd, NULL);
  ::GlobalUnlock(hDialogTemplate);
  return bResult;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit) {
  m_lpDialogTemplate = lpDialogTemplate;
  m_lpDialogInit = lpDialogInit;
  m_pParentWnd = pParentWnd;
  return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd) {
  m_hDialogTemplate = hDialogTemplate;
  m_pParentWnd = pParentWnd;
  return TRUE;
}

HWND CDialog::PreModal() {
  // Without a parent the owner is the main window's top-level window, if any; the top
  // window is disabled while the dialog is up.
  CWnd* pWnd = CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop);
  return pWnd->GetSafeHwnd();
}

void CDialog::PostModal() {
  if (::IsWindow(m_hWndTop)) ::EnableWindow(m_hWndTop, TRUE);
  m_hWndTop = NULL;
}

LPCDLGTEMPLATE CDialog::GetTemplate(HINSTANCE* phInst) {
  *phInst = AfxGetResourceHandle();
  if (m_lpszTemplateName != NULL) return AfxLoadDialogTemplate(m_lpszTemplateName, phInst);
  if (m_hDialogTemplate != NULL) return (LPCDLGTEMPLATE)::GlobalLock(m_hDialogTemplate);
  return m_lpDialogTemplate;
}

int CDialog::DoModal() {
  HINSTANCE hInst = NULL;
  LPCDLGTEMPLATE lpTemplate = GetTemplate(&hInst);
  if (lpTemplate == NULL) return -1;

  HWND hWndParent = PreModal();
  BOOL bEnableParent = FALSE;
  if (hWndParent != NULL && ::IsWindowEnabled(hWndParent)) {
    ::EnableWindow(hWndParent, FALSE);
    bEnableParent = TRUE;
  }
  try {
    if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), hInst)) {
      if (m_nFlags & WF_CONTINUEMODAL) {
        DWORD dwFlags = MLF_SHOWONIDLE;
        if (GetStyle() & DS_NOIDLEMSG) dwFlags |= MLF_NOIDLEMSG;
        RunModalLoop(dwFlags);
      }
      if (m_hWnd != NULL)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
  } catch (CException* e) {
    e->Delete();
    m_nModalResult = -1;
  }
  if (bEnableParent) ::EnableWindow(hWndParent, TRUE);
  if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hWndParent);
  if (m_hWnd != NULL) DestroyWindow();
  PostModal();
  if (m_hDialogTemplate != NULL) ::GlobalUnlock(m_hDialogTemplate);
  return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(nResult);
  ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  return AfxUpdateWndData(this, bSaveAndValidate,
                          [](CWnd* pWnd, CDataExchange* pDX) { static_cast<CDialog*>(pWnd)->DoDataExchange(pDX); });
}

BOOL CDialog::ExecuteDlgInit(LPCTSTR lpszResourceName) { return AfxExecuteDlgInit(m_hWnd, lpszResourceName); }

BOOL CDialog::ExecuteDlgInit(LPVOID lpResource, DWORD dwSize) {
  return AfxExecuteDlgInit(m_hWnd, lpResource, dwSize);
}

BOOL CDialog::OnInitDialog() {
  BOOL bDlgInit = m_lpDialogInit != NULL ? ExecuteDlgInit(m_lpDialogInit) : ExecuteDlgInit(m_lpszTemplateName);
  if (!bDlgInit || !UpdateData(FALSE)) {
    EndDialog(-1);
    return FALSE;
  }
  // The help button shows only when the program has help.
  HWND hWndHelp = ::GetDlgItem(m_hWnd, ID_HELP);
  if (hWndHelp != NULL) {
    CWinApp* pApp = AfxGetApp();
    ::ShowWindow(hWndHelp, pApp != NULL && pApp->m_pszHelpFilePath != NULL ? SW_SHOW : SW_HIDE);
  }
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  PreInitDialog();
  RECT rectOld;
  ::GetWindowRect(m_hWnd, &rectOld);
  DWORD dwStyleOld = GetStyle();
  HWND hWnd = m_hWnd;
  LRESULT lResult = Default();  // through the dialog procedure to OnInitDialog
  if (!::IsWindow(hWnd) || FromHandlePermanent(hWnd) != this) return lResult;
  // A top-level dialog that OnInitDialog neither showed nor moved is centred on its owner,
  // when the owner is disabled (modal) or there is none.
  if ((dwStyleOld & WS_VISIBLE) || (GetStyle() & (WS_VISIBLE | WS_CHILD))) return lResult;
  RECT rect;
  ::GetWindowRect(m_hWnd, &rect);
  if (rect.left != rectOld.left || rect.top != rectOld.top) return lResult;
  HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
  if (hWndOwner != NULL && ::IsWindowEnabled(hWndOwner)) return lResult;
  if (CheckAutoCenter()) CenterWindow();
  return lResult;
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM) {
  OnSetFont(CFont::FromHandle((HFONT)wParam));
  return Default();
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  // Escape in a multi-line edit box would be eaten by the box: it cancels the dialog
  // unless the Cancel button is disabled.
  if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
      (::GetWindowLong(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE)) {
    TCHAR szClass[16];
    if (::GetClassName(pMsg->hwnd, szClass, sizeof(szClass)) && lstrcmpi(szClass, "Edit") == 0) {
      HWND hItem = ::GetDlgItem(m_hWnd, IDCANCEL);
      if (hItem == NULL || ::IsWindowEnabled(hItem)) {
        SendMessage(WM_COMMAND, IDCANCEL, 0);
        return TRUE;
      }
    }
  }
  return AfxPreTranslateDlgInput(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  // Menu-style commands the dialog does not handle go to its owner, then the thread.
  if ((nCode != CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || !(nID & 0x8000) || nID >= 0xF000) return FALSE;
  CWnd* pOwner = GetParent();
  if (pOwner != NULL && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinThread* pThread = AfxGetThread();
  return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
