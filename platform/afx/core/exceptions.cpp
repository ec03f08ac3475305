// The exception classes and AfxThrow*.
#include <cstring>
#include <new>

#include "afx.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

namespace {

AFX_MESSAGEBOX_PROC g_pfnMessageBox = NULL;

BOOL CopyMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError) {
  if (lpszError == NULL || nMaxError == 0) return FALSE;
  AfxStrCopyN(lpszError, lpszText, nMaxError);
  return TRUE;
}

}  // namespace

void AFXAPI AfxSetMessageBoxProc(AFX_MESSAGEBOX_PROC pfn) { g_pfnMessageBox = pfn; }

int AFXAPI AfxCoreMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp) {
  if (g_pfnMessageBox != NULL) return (*g_pfnMessageBox)(lpszText, nType, nIDHelp);
#ifdef _WIN32
  return ::MessageBoxA(NULL, lpszText, NULL, nType);
#else
  return 0;
#endif
}

CException::CException() : m_bAutoDelete(TRUE) {}
CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}
CException::~CException() {}

void CException::Delete() {
  if (m_bAutoDelete > 0) delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  if (lpszError != NULL && nMaxError != 0) *lpszError = 0;
  return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) {
  TCHAR szErrorMessage[512];
  UINT nHelpContext = 0;
  if (GetErrorMessage(szErrorMessage, sizeof(szErrorMessage), &nHelpContext)) return AfxCoreMessageBox(szErrorMessage, nType, nHelpContext);
  CString strMessage;
  if (nMessageID == 0 || !strMessage.LoadString(nMessageID)) strMessage = "エラー メッセージがありません。";
  return AfxCoreMessageBox(strMessage, nType, nHelpContext);
}

CMemoryException::CMemoryException() : CException(TRUE) {}
CMemoryException::CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete) {}
BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  return CopyMessage("メモリが足りません。", lpszError, nMaxError);
}

CNotSupportedException::CNotSupportedException() : CException(TRUE) {}
CNotSupportedException::CNotSupportedException(BOOL bAutoDelete) : CException(bAutoDelete) {}
BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  return CopyMessage("サポートされていない操作が試みられました。", lpszError, nMaxError);
}

CUserException::CUserException() : CException(TRUE) {}
CUserException::CUserException(BOOL bAutoDelete) : CException(bAutoDelete) {}

CResourceException::CResourceException() : CException(TRUE) {}
CResourceException::CResourceException(BOOL bAutoDelete) : CException(bAutoDelete) {}
BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  return CopyMessage("Windows リソースが足りません。", lpszError, nMaxError);
}

COleException::COleException() : CException(TRUE), m_sc(S_OK) {}
SCODE PASCAL COleException::Process(const CException* pAnyException) {
  if (pAnyException == NULL) return E_FAIL;
  if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException))) return ((const COleException*)pAnyException)->m_sc;
  if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException))) return E_OUTOFMEMORY;
#ifdef _WIN32
  if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException))) return E_NOTIMPL;
#endif
  return E_FAIL;
}
BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL) *pnHelpContext = 0;
#ifdef _WIN32
  LPSTR lpBuffer = NULL;
  if (::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, NULL, (DWORD)m_sc,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&lpBuffer, 0, NULL) != 0 && lpBuffer != NULL) {
    BOOL b = CopyMessage(lpBuffer, lpszError, nMaxError);
    ::LocalFree(lpBuffer);
    return b;
  }
#endif
  CString s;
  s.Format("OLE エラー (0x%08lX)", (unsigned long)(DWORD)m_sc);
  return CopyMessage(s, lpszError, nMaxError);
}

void AFXAPI AfxThrowMemoryException() {
  // No allocation when memory has run out: one shared object that Delete leaves alone.
  static CMemoryException s_memoryException(FALSE);
  throw &s_memoryException;
}

void AFXAPI AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AFXAPI AfxThrowUserException() { throw new CUserException; }
void AFXAPI AfxThrowResourceException() { throw new CResourceException; }

void AFXAPI AfxThrowOleException(SCODE sc) {
  COleException* e = new COleException;
  e->m_sc = sc;
  throw e;
}
