#include "WinState.h"

#include "afxdlgs.h"

#include <cderr.h>
#include <dlgs.h>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

// An explorer-style file dialog whose part for the program (the child dialog the hook
// belongs to) has not been seen yet: the hook attaches the object to it.
static thread_local CWnd* t_pAlternateWndInit = NULL;

static UINT MsgFileOk() {
  static UINT n = ::RegisterWindowMessage(FILEOKSTRING);
  return n;
}
static UINT MsgShareViolation() {
  static UINT n = ::RegisterWindowMessage(SHAREVISTRING);
  return n;
}
static UINT MsgLbSelChange() {
  static UINT n = ::RegisterWindowMessage(LBSELCHSTRING);
  return n;
}
static UINT MsgColorOk() {
  static UINT n = ::RegisterWindowMessage(COLOROKSTRING);
  return n;
}

UINT_PTR CALLBACK AfxCommDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hWnd == NULL) return 0;
  if (t_pAlternateWndInit != NULL && CWnd::FromHandlePermanent(hWnd) == NULL) {
    CWnd* pWnd = t_pAlternateWndInit;
    t_pAlternateWndInit = NULL;
    pWnd->SubclassWindow(hWnd);
  }
  if (message == WM_INITDIALOG) return (UINT_PTR)AfxDlgProc(hWnd, message, wParam, lParam);
  if (message < 0xC000) return 0;  // only the registered messages of the dialogs come here

  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == NULL) return 0;
  if (pWnd->IsKindOf(RUNTIME_CLASS(CFileDialog))) {
    CFileDialog* pDlg = static_cast<CFileDialog*>(pWnd);
    if (message == MsgFileOk()) return (UINT_PTR)pDlg->OnFileNameOK();
    if (message == MsgShareViolation()) return pDlg->OnShareViolation((LPCTSTR)lParam);
    if (message == MsgLbSelChange()) {
      pDlg->OnLBSelChangedNotify((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
      return 0;
    }
  } else if (pWnd->IsKindOf(RUNTIME_CLASS(CColorDialog))) {
    if (message == MsgColorOk()) return (UINT_PTR) static_cast<CColorDialog*>(pWnd)->OnColorOK();
  }
  return 0;
}

/////////////////////////////////////////////////////////////////////////////
// CCommonDialog

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog((UINT)0, pParentWnd) {}

void CCommonDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  Default();
}

void CCommonDialog::OnCancel() { Default(); }

HWND CCommonDialog::PreModalCommon() {
  HWND hWndOwner = PreModal();
  AfxUnhookWindowCreate();
  return hWndOwner;
}

void CCommonDialog::PostModalCommon() {
  AfxUnhookWindowCreate();
  t_pAlternateWndInit = NULL;
  // The dialog is gone; an object still holding it would destroy someone else's window.
  if (m_hWnd != NULL && !::IsWindow(m_hWnd)) Detach();
  PostModal();
}

/////////////////////////////////////////////////////////////////////////////
// CFileDialog

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog) {
  memset(&m_ofn, 0, sizeof(m_ofn));
  m_szFileName[0] = '\0';
  m_szFileTitle[0] = '\0';
  m_nIDHelp = bOpenFileDialog ? AFX_IDD_FILEOPEN : AFX_IDD_FILESAVE;
  m_ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = _MAX_PATH;
  m_ofn.lpstrDefExt = lpszDefExt;
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = sizeof(m_szFileTitle);
  m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
  m_ofn.hInstance = AfxGetResourceHandle();
  m_ofn.lpfnHook = AfxCommDlgProc;
  if (lpszFileName != NULL) lstrcpyn(m_szFileName, lpszFileName, sizeof(m_szFileName));
  if (lpszFilter != NULL) {
    // "|" separates the pairs; it may also be the second byte of a double-byte character.
    m_strFilter = lpszFilter;
    LPTSTR pch = m_strFilter.GetBuffer(0);
    while (*pch != '\0') {
      if (::IsDBCSLeadByte((BYTE)*pch) && pch[1] != '\0') {
        pch += 2;
        continue;
      }
      if (*pch == '|') *pch = '\0';
      pch++;
    }
    m_strFilter.ReleaseBuffer(m_strFilter.GetLength());
    m_ofn.lpstrFilter = m_strFilter;
  }
}

CFileDialog::~CFileDialog() = default;

int CFileDialog::DoModal() {
  // The rest of the buffer is cleared, so a multiple selection's list ends where it should.
  if (m_ofn.lpstrFile != NULL && m_ofn.nMaxFile > 0) {
    m_ofn.lpstrFile[m_ofn.nMaxFile - 1] = '\0';
    DWORD nOffset = (DWORD)lstrlen(m_ofn.lpstrFile) + 1;
    if (nOffset < m_ofn.nMaxFile) memset(m_ofn.lpstrFile + nOffset, 0, m_ofn.nMaxFile - nOffset);
  }
  HWND hWndFocus = ::GetFocus();
  m_ofn.hwndOwner = PreModalCommon();
  BOOL bEnableParent = FALSE;
  if (m_ofn.hwndOwner != NULL && ::IsWindowEnabled(m_ofn.hwndOwner)) {
    bEnableParent = TRUE;
    ::EnableWindow(m_ofn.hwndOwner, FALSE);
  }
  // Old style: the object is the dialog. Explorer style: it is the program's part inside
  // the system's window.
  if (m_ofn.Flags & OFN_EXPLORER)
    t_pAlternateWndInit = this;
  else
    AfxHookWindowCreate(this);
  BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
  if (bEnableParent) ::EnableWindow(m_ofn.hwndOwner, TRUE);
  if (::IsWindow(hWndFocus)) ::SetFocus(hWndFocus);
  PostModalCommon();
  return bResult ? IDOK : IDCANCEL;
}

HWND CFileDialog::GetExplorerWindow() const {
  if (m_hWnd == NULL) return NULL;
  return (m_ofn.Flags & OFN_EXPLORER) ? ::GetParent(m_hWnd) : m_hWnd;
}

CString CFileDialog::GetPathName() const {
  if ((m_ofn.Flags & OFN_EXPLORER) && m_hWnd != NULL) {
    CString strResult;
    HWND hWnd = GetExplorerWindow();
    if (::SendMessage(hWnd, CDM_GETSPEC, _MAX_PATH, (LPARAM)strResult.GetBuffer(_MAX_PATH)) < 0) {
      strResult.ReleaseBuffer(0);
      return strResult;
    }
    strResult.ReleaseBuffer();
    if (!strResult.IsEmpty()) {
      if (::SendMessage(hWnd, CDM_GETFILEPATH, _MAX_PATH, (LPARAM)strResult.GetBuffer(_MAX_PATH)) < 0)
        strResult.ReleaseBuffer(0);
      else
        strResult.ReleaseBuffer();
    }
    return strResult;
  }
  return m_ofn.lpstrFile;
}

CString CFileDialog::GetFileName() const {
  if ((m_ofn.Flags & OFN_EXPLORER) && m_hWnd != NULL) {
    CString strResult;
    if (::SendMessage(GetExplorerWindow(), CDM_GETSPEC, _MAX_PATH, (LPARAM)strResult.GetBuffer(_MAX_PATH)) < 0)
      strResult.ReleaseBuffer(0);
    else
      strResult.ReleaseBuffer();
    return strResult;
  }
  // The title buffer is filled only once the dialog has ended, and not by every system's
  // old-style dialog; while one checks a name the path is what holds it.
  if (m_ofn.lpstrFileTitle != NULL && m_ofn.lpstrFileTitle[0] != '\0' && m_hWnd == NULL)
    return m_ofn.lpstrFileTitle;
  CString strPath = GetPathName();
  int nSlash = strPath.ReverseFind('\\');
  return nSlash >= 0 ? strPath.Mid(nSlash + 1) : strPath;
}

CString CFileDialog::GetFileExt() const {
  CString strName = GetFileName();
  int nDot = strName.ReverseFind('.');
  return nDot >= 0 ? strName.Mid(nDot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const {
  CString strName = GetFileName();
  int nDot = strName.ReverseFind('.');
  return nDot >= 0 ? strName.Left(nDot) : strName;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  // A multiple selection is the folder then the names: separated by '\0' (explorer style)
  // or by blanks (old style). Nothing is read past the buffer.
  LPCTSTR lpszBuf = m_ofn.lpstrFile;
  LPCTSTR lpszEnd = lpszBuf + m_ofn.nMaxFile;
  LPCTSTR lpsz = (LPCTSTR)pos;
  pos = NULL;
  if (lpsz == NULL || lpsz < lpszBuf || lpsz >= lpszEnd) return CString();
  TCHAR chDelimiter = (m_ofn.Flags & OFN_EXPLORER) ? '\0' : ' ';
  auto tokenEnd = [&](LPCTSTR p) {
    while (p < lpszEnd && *p != '\0' && *p != chDelimiter) p = ::CharNext(p);
    return p < lpszEnd ? p : lpszEnd;
  };
  auto hasNext = [&](LPCTSTR pEnd) { return pEnd + 1 < lpszEnd && *pEnd == chDelimiter && pEnd[1] != '\0'; };
  LPCTSTR pFirstEnd = tokenEnd(lpszBuf);
  if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || !hasNext(pFirstEnd))
    return CString(lpszBuf, (int)(pFirstEnd - lpszBuf));
  CString strPath(lpszBuf, (int)(pFirstEnd - lpszBuf));
  if (lpsz == lpszBuf) lpsz = pFirstEnd + 1;
  LPCTSTR pNameEnd = tokenEnd(lpsz);
  CString strName(lpsz, (int)(pNameEnd - lpsz));
  if (hasNext(pNameEnd)) pos = (POSITION)(pNameEnd + 1);
  if (!strPath.IsEmpty() && strPath[strPath.GetLength() - 1] != '\\') strPath += '\\';
  return strPath + strName;
}

CString CFileDialog::GetFolderPath() const {
  CString strResult;
  if (m_hWnd == NULL) return strResult;
  if (::SendMessage(GetExplorerWindow(), CDM_GETFOLDERPATH, _MAX_PATH, (LPARAM)strResult.GetBuffer(_MAX_PATH)) < 0)
    strResult.ReleaseBuffer(0);
  else
    strResult.ReleaseBuffer();
  return strResult;
}

void CFileDialog::SetControlText(int nID, LPCSTR lpsz) {
  ::SendMessage(GetExplorerWindow(), CDM_SETCONTROLTEXT, (WPARAM)nID, (LPARAM)lpsz);
}

void CFileDialog::HideControl(int nID) { ::SendMessage(GetExplorerWindow(), CDM_HIDECONTROL, (WPARAM)nID, 0); }

void CFileDialog::SetDefExt(LPCSTR lpsz) { ::SendMessage(GetExplorerWindow(), CDM_SETDEFEXT, 0, (LPARAM)lpsz); }

void CFileDialog::OnInitDone() {
  HWND hWnd = GetExplorerWindow();
  if (hWnd != NULL) CWnd::FromHandle(hWnd)->CenterWindow();
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CCommonDialog::OnNotify(wParam, lParam, pResult)) return TRUE;
  OFNOTIFY* pNotify = reinterpret_cast<OFNOTIFY*>(lParam);
  LRESULT lResult = 0;
  switch (pNotify->hdr.code) {
    case CDN_INITDONE:
      OnInitDone();
      break;
    case CDN_SELCHANGE:
      OnFileNameChange();
      break;
    case CDN_FOLDERCHANGE:
      OnFolderChange();
      break;
    case CDN_TYPECHANGE:
      OnTypeChange();
      break;
    case CDN_SHAREVIOLATION:
      lResult = OnShareViolation(pNotify->pszFile);
      break;
    case CDN_FILEOK:
      lResult = OnFileNameOK();
      break;
    default:
      return FALSE;
  }
  // The dialog reads the answer where a dialog procedure leaves it.
  ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, lResult);
  *pResult = lResult;
  return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CColorDialog

COLORREF CColorDialog::c_CustColors[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};

COLORREF* PASCAL CColorDialog::GetSavedCustomColors() { return c_CustColors; }

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  memset(&m_cc, 0, sizeof(m_cc));
  m_nIDHelp = AFX_IDD_COLOR;
  m_cc.lStructSize = sizeof(m_cc);
  m_cc.lpCustColors = GetSavedCustomColors();
  m_cc.Flags = dwFlags | CC_ENABLEHOOK;
  m_cc.lpfnHook = AfxCommDlgProc;
  if ((m_cc.rgbResult = clrInit) != 0) m_cc.Flags |= CC_RGBINIT;
}

int CColorDialog::DoModal() {
  m_cc.hwndOwner = PreModalCommon();
  AfxHookWindowCreate(this);
  BOOL bResult = ::ChooseColor(&m_cc);
  PostModalCommon();
  return bResult ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr) {
  static UINT nMsgSetRgb = ::RegisterWindowMessage(SETRGBSTRING);
  if (m_hWnd != NULL) ::SendMessage(m_hWnd, nMsgSetRgb, 0, (LPARAM)clr);
}

/////////////////////////////////////////////////////////////////////////////
// CPrintDialog

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_pd(m_pdActual) {
  memset(&m_pdActual, 0, sizeof(m_pdActual));
  m_pd.lStructSize = sizeof(m_pdActual);
  m_pd.Flags = dwFlags | PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
  m_pd.lpfnPrintHook = (LPPRINTHOOKPROC)AfxCommDlgProc;
  m_pd.lpfnSetupHook = (LPSETUPHOOKPROC)AfxCommDlgProc;
  if (bPrintSetupOnly) {
    m_nIDHelp = AFX_IDD_PRINTSETUP;
    m_pd.Flags |= PD_PRINTSETUP;
  } else {
    m_nIDHelp = AFX_IDD_PRINT;
    m_pd.Flags |= PD_RETURNDC;
  }
  m_pd.Flags &= ~PD_RETURNIC;
  m_pd.nFromPage = m_pd.nToPage = 1;
  m_pd.nMinPage = 1;
  m_pd.nMaxPage = 0xFFFF;
  m_pd.nCopies = 1;
}

int CPrintDialog::DoModal() {
  m_pd.hwndOwner = PreModalCommon();
  AfxHookWindowCreate(this);
  BOOL bResult = ::PrintDlg(&m_pd);
  PostModalCommon();
  return bResult ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults() {
  m_pd.Flags |= PD_RETURNDEFAULT;
  BOOL bResult = ::PrintDlg(&m_pd);
  m_pd.Flags &= ~PD_RETURNDEFAULT;
  return bResult;
}

int CPrintDialog::GetCopies() const {
  if (m_pd.Flags & PD_USEDEVMODECOPIES) {
    LPDEVMODE pDevMode = GetDevMode();
    int nCopies = pDevMode != NULL ? pDevMode->dmCopies : -1;
    if (m_pd.hDevMode != NULL) ::GlobalUnlock(m_pd.hDevMode);
    return nCopies;
  }
  return m_pd.nCopies;
}

LPDEVMODE CPrintDialog::GetDevMode() const {
  return m_pd.hDevMode != NULL ? (LPDEVMODE)::GlobalLock(m_pd.hDevMode) : NULL;
}

CString CPrintDialog::GetDevNamesString(int nWhich) const {
  if (m_pd.hDevNames == NULL) return CString();
  LPDEVNAMES lpDevNames = (LPDEVNAMES)::GlobalLock(m_pd.hDevNames);
  if (lpDevNames == NULL) return CString();
  SIZE_T nSize = ::GlobalSize(m_pd.hDevNames);
  WORD wOffset = nWhich == 0 ? lpDevNames->wDriverOffset : nWhich == 1 ? lpDevNames->wDeviceOffset
                                                                       : lpDevNames->wOutputOffset;
  CString str;
  // Offsets count characters from the block's start; one pointing outside gives nothing.
  if (nSize >= sizeof(DEVNAMES) && wOffset < nSize) {
    LPCTSTR lpsz = (LPCTSTR)lpDevNames + wOffset;
    SIZE_T nMax = nSize - wOffset, n = 0;
    while (n < nMax && lpsz[n] != '\0') n++;
    str = CString(lpsz, (int)n);
  }
  ::GlobalUnlock(m_pd.hDevNames);
  return str;
}

CString CPrintDialog::GetDriverName() const { return GetDevNamesString(0); }
CString CPrintDialog::GetDeviceName() const { return GetDevNamesString(1); }
CString CPrintDialog::GetPortName() const { return GetDevNamesString(2); }

HDC CPrintDialog::CreatePrinterDC() {
  if (m_pd.hDevNames == NULL) return NULL;
  CString strDriver = GetDriverName(), strDevice = GetDeviceName(), strPort = GetPortName();
  LPDEVMODE lpDevMode = GetDevMode();
  m_pd.hDC = ::CreateDC(strDriver, strDevice, strPort, lpDevMode);
  if (m_pd.hDevMode != NULL) ::GlobalUnlock(m_pd.hDevMode);
  return m_pd.hDC;
}
