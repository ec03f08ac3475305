#include "WinState.h"

#include "afxwin_dlg.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstdlib>

/////////////////////////////////////////////////////////////////////////////
// CDataExchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL), m_bEditLastControl(FALSE) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (hWndCtrl == NULL) AfxThrowNotSupportedException();  // no such control in the template
  m_hWndLastControl = hWndCtrl;
  m_bEditLastControl = FALSE;
  return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hWndCtrl = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return hWndCtrl;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl != NULL) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
}

BOOL AFXAPI AfxUpdateWndData(CWnd* pWnd, BOOL bSaveAndValidate, void (*pfnExchange)(CWnd*, CDataExchange*)) {
  CDataExchange dx(pWnd, bSaveAndValidate);
  // The controls' notifications while they are filled must not reach the window's handlers.
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
  pState->m_hLockoutNotifyWindow = pWnd->m_hWnd;
  BOOL bOK = FALSE;
  try {
    pfnExchange(pWnd, &dx);
    bOK = TRUE;
  } catch (CUserException* e) {
    e->Delete();  // the field's message has been shown
  } catch (CException* e) {
    e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
    e->Delete();
  }
  pState->m_hLockoutNotifyWindow = hWndOldLockout;
  return bOK;
}

/////////////////////////////////////////////////////////////////////////////
// Text

// Sets the text only when it differs, so the control does not flicker.
static void SetWindowTextIfChanged(HWND hWnd, LPCTSTR lpszNew) {
  int nNewLen = lstrlen(lpszNew);
  TCHAR szOld[256];
  if (nNewLen > (int)sizeof(szOld) - 1 || ::GetWindowText(hWnd, szOld, sizeof(szOld)) != nNewLen ||
      lstrcmp(szOld, lpszNew) != 0)
    ::SetWindowText(hWnd, lpszNew);
}

static CString GetText(HWND hWnd) {
  CString str;
  int nLen = ::GetWindowTextLength(hWnd);
  ::GetWindowText(hWnd, str.GetBufferSetLength(nLen), nLen + 1);
  str.ReleaseBuffer();
  return str;
}

static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A whole field as a number: blanks around it allowed, anything else refused, and so is a
// value beyond the type (which would otherwise wrap silently).
static bool ParseSigned(const CString& str, long long nMin, long long nMax, long long& value) {
  const char* p = str;
  while (IsBlank(*p)) p++;
  if (*p == '\0') return false;
  char* pEnd;
  errno = 0;
  long long v = strtoll(p, &pEnd, 10);
  if (pEnd == p || errno == ERANGE) return false;
  while (IsBlank(*pEnd)) pEnd++;
  if (*pEnd != '\0' || v < nMin || v > nMax) return false;
  value = v;
  return true;
}

static bool ParseUnsigned(const CString& str, unsigned long long nMax, unsigned long long& value) {
  const char* p = str;
  while (IsBlank(*p)) p++;
  if (*p == '-' || *p == '\0') return false;
  char* pEnd;
  errno = 0;
  unsigned long long v = strtoull(p, &pEnd, 10);
  if (pEnd == p || errno == ERANGE) return false;
  while (IsBlank(*pEnd)) pEnd++;
  if (*pEnd != '\0' || v > nMax) return false;
  value = v;
  return true;
}

static bool ParseReal(const CString& str, double& value) {
  const char* p = str;
  while (IsBlank(*p)) p++;
  if (*p == '\0') return false;
  char* pEnd;
  errno = 0;
  double d = strtod(p, &pEnd);
  if (pEnd == p || errno == ERANGE) return false;
  while (IsBlank(*pEnd)) pEnd++;
  if (*pEnd != '\0') return false;
  value = d;
  return true;
}

[[noreturn]] static void FailWithMessage(CDataExchange* pDX, UINT nIDPrompt) {
  AfxMessageBox(nIDPrompt, MB_ICONEXCLAMATION);
  pDX->Fail();
}

template <class T>
static void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, long long nMin, long long nMax, UINT nIDPrompt) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    long long v;
    if (!ParseSigned(GetText(hWndCtrl), nMin, nMax, v)) FailWithMessage(pDX, nIDPrompt);
    value = (T)v;
  } else {
    char sz[32];
    snprintf(sz, sizeof(sz), "%lld", (long long)value);
    SetWindowTextIfChanged(hWndCtrl, sz);
  }
}

template <class T>
static void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long nMax, UINT nIDPrompt) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    unsigned long long v;
    if (!ParseUnsigned(GetText(hWndCtrl), nMax, v)) FailWithMessage(pDX, nIDPrompt);
    value = (T)v;
  } else {
    char sz[32];
    snprintf(sz, sizeof(sz), "%llu", (unsigned long long)value);
    SetWindowTextIfChanged(hWndCtrl, sz);
  }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) {
  ExchangeUnsigned(pDX, nIDC, value, 255, AFX_IDP_PARSE_BYTE);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value) {
  ExchangeSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, AFX_IDP_PARSE_INT);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
  ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
  ExchangeSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX, AFX_IDP_PARSE_INT);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
  ExchangeUnsigned(pDX, nIDC, value, UINT_MAX, AFX_IDP_PARSE_UINT);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) {
  ExchangeUnsigned(pDX, nIDC, value, ULONG_MAX, AFX_IDP_PARSE_UINT);
}

static void ExchangeReal(CDataExchange* pDX, int nIDC, double& value, int nDigits, double dMax) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    double d;
    if (!ParseReal(GetText(hWndCtrl), d) || d > dMax || d < -dMax) FailWithMessage(pDX, AFX_IDP_PARSE_REAL);
    value = d;
  } else {
    char sz[64];
    snprintf(sz, sizeof(sz), "%.*g", nDigits, value);
    SetWindowTextIfChanged(hWndCtrl, sz);
  }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
  double d = value;
  ExchangeReal(pDX, nIDC, d, FLT_DIG, FLT_MAX);
  value = (float)d;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) { ExchangeReal(pDX, nIDC, value, DBL_DIG, DBL_MAX); }

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = GetText(hWndCtrl);
  else
    SetWindowTextIfChanged(hWndCtrl, value);
}

/////////////////////////////////////////////////////////////////////////////
// Buttons

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
  } else {
    if (value < 0 || value > 2) value = 0;
    ::SendMessage(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
  }
}

// nIDC is the first button of the group (WS_GROUP); value the index of the checked one
// among the group's radio buttons, -1 for none.
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = -1;
  int iButton = 0;
  do {
    if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0) value = iButton;
      } else {
        ::SendMessage(hWndCtrl, BM_SETCHECK, iButton == value, 0);
      }
      iButton++;
    }
    hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
  } while (hWndCtrl != NULL && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

/////////////////////////////////////////////////////////////////////////////
// List and combo boxes

static CString GetItemText(HWND hWnd, UINT nLenMsg, UINT nTextMsg, int nIndex) {
  CString str;
  int nLen = (int)::SendMessage(hWnd, nLenMsg, nIndex, 0);
  if (nLen > 0) {
    ::SendMessage(hWnd, nTextMsg, nIndex, (LPARAM)str.GetBufferSetLength(nLen));
    str.ReleaseBuffer();
  }
  return str;
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    int nIndex = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    value = nIndex != LB_ERR ? GetItemText(hWndCtrl, LB_GETTEXTLEN, LB_GETTEXT, nIndex) : CString();
  } else {
    // A value in no item leaves the list without selection.
    if (::SendMessage(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == LB_ERR)
      ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)-1, 0);
  }
}

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    DDX_LBString(pDX, nIDC, value);
  } else {
    int nIndex = (int)::SendMessage(hWndCtrl, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)nIndex, 0);
  }
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    // The edit text, or the selected item of a drop-down list.
    value = GetText(hWndCtrl);
    if (value.IsEmpty()) {
      int nIndex = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
      if (nIndex != CB_ERR) value = GetItemText(hWndCtrl, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex);
    }
  } else {
    // A value in no item goes to the edit part (a drop-down list ignores it).
    if (::SendMessage(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR)
      SetWindowTextIfChanged(hWndCtrl, value);
  }
}

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    DDX_CBString(pDX, nIDC, value);
  } else {
    int nIndex = (int)::SendMessage(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    if (nIndex == CB_ERR)
      SetWindowTextIfChanged(hWndCtrl, value);
    else
      ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)nIndex, 0);
  }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
  else
    ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
  else
    ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

/////////////////////////////////////////////////////////////////////////////
// Scroll bars, sliders, control objects

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = ::GetScrollPos(hWndCtrl, SB_CTL);
  else
    ::SetScrollPos(hWndCtrl, SB_CTL, value, TRUE);
}

void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = (int)::SendMessage(hWndCtrl, TBM_GETPOS, 0, 0);
  else
    ::SendMessage(hWndCtrl, TBM_SETPOS, TRUE, value);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != NULL) return;  // attached by an earlier exchange
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(hWndCtrl)) AfxThrowNotSupportedException();
}

/////////////////////////////////////////////////////////////////////////////
// Validation: only when saving; a value out of range is reported with its limits.

[[noreturn]] static void FailRange(CDataExchange* pDX, UINT nIDPrompt, LPCTSTR lpszMin, LPCTSTR lpszMax) {
  CString prompt;
  AfxFormatString2(prompt, nIDPrompt, lpszMin, lpszMax);
  AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDPrompt);
  pDX->Fail();
}

static void CheckSigned(CDataExchange* pDX, long long value, long long minVal, long long maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  char szMin[32], szMax[32];
  snprintf(szMin, sizeof(szMin), "%lld", minVal);
  snprintf(szMax, sizeof(szMax), "%lld", maxVal);
  FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, szMin, szMax);
}

static void CheckUnsigned(CDataExchange* pDX, unsigned long long value, unsigned long long minVal,
                          unsigned long long maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  char szMin[32], szMax[32];
  snprintf(szMin, sizeof(szMin), "%llu", minVal);
  snprintf(szMax, sizeof(szMax), "%llu", maxVal);
  FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, szMin, szMax);
}

static void CheckReal(CDataExchange* pDX, double value, double minVal, double maxVal, int nDigits) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  char szMin[64], szMax[64];
  snprintf(szMin, sizeof(szMin), "%.*g", nDigits, minVal);
  snprintf(szMax, sizeof(szMax), "%.*g", nDigits, maxVal);
  FailRange(pDX, AFX_IDP_PARSE_REAL_RANGE, szMin, szMax);
}

void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
  CheckUnsigned(pDX, value, minVal, maxVal);
}
void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) {
  CheckSigned(pDX, value, minVal, maxVal);
}
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  CheckSigned(pDX, value, minVal, maxVal);
}
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  CheckSigned(pDX, value, minVal, maxVal);
}
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  CheckUnsigned(pDX, value, minVal, maxVal);
}
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  CheckUnsigned(pDX, value, minVal, maxVal);
}
void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal) {
  CheckReal(pDX, value, minVal, maxVal, FLT_DIG);
}
void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal) {
  CheckReal(pDX, value, minVal, maxVal, DBL_DIG);
}

void AFXAPI DDV_MinMaxSlider(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  if (!pDX->m_bSaveAndValidate) {
    // Loading gives the slider its range.
    if (pDX->m_hWndLastControl != NULL) {
      ::SendMessage(pDX->m_hWndLastControl, TBM_SETRANGEMIN, FALSE, (LPARAM)minVal);
      ::SendMessage(pDX->m_hWndLastControl, TBM_SETRANGEMAX, TRUE, (LPARAM)maxVal);
    }
    return;
  }
  CheckUnsigned(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars) {
  if (pDX->m_bSaveAndValidate) {
    if (value.GetLength() > nChars) {
      char szMax[16];
      snprintf(szMax, sizeof(szMax), "%d", nChars);
      CString prompt;
      AfxFormatString1(prompt, AFX_IDP_PARSE_STRING_SIZE, szMax);
      AfxMessageBox(prompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
      pDX->Fail();
    }
  } else if (pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl) {
    ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
  }
}
