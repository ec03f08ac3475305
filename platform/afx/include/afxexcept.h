// The framework's exceptions: thrown by pointer (AfxThrow* or `throw new ...`), caught as
// `catch (CFileException* e) { ...; e->Delete(); }` or with the TRY/CATCH macros, which delete
// the caught exception at the end of the block unless THROW_LAST passes it on.
#pragma once

#include "afxobj.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  CException();
  explicit CException(BOOL bAutoDelete);
  virtual ~CException();

  // Deletes the exception when it was allocated on the heap (the usual case).
  void Delete();
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
  // Shows the error message in a message box (Windows; returns 0 in the native build).
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

  BOOL m_bAutoDelete;
};

class CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  CMemoryException();
  explicit CMemoryException(BOOL bAutoDelete);
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

class CNotSupportedException : public CException {
  DECLARE_DYNAMIC(CNotSupportedException)
 public:
  CNotSupportedException();
  explicit CNotSupportedException(BOOL bAutoDelete);
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

class CUserException : public CException {
  DECLARE_DYNAMIC(CUserException)
 public:
  CUserException();
  explicit CUserException(BOOL bAutoDelete);
};

class CResourceException : public CException {
  DECLARE_DYNAMIC(CResourceException)
 public:
  CResourceException();
  explicit CResourceException(BOOL bAutoDelete);
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
};

class COleException : public CException {
  DECLARE_DYNAMIC(COleException)
 public:
  COleException();
  // The status code of any exception (E_OUTOFMEMORY for a memory exception, ...).
  static SCODE PASCAL Process(const CException* pAnyException);
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
  SCODE m_sc;
};

// Support for the TRY/CATCH macros: deletes the caught exception when the block ends.
struct AFX_EXCEPTION_LINK {
  CException* m_pException = NULL;
  AFX_EXCEPTION_LINK() {}
  ~AFX_EXCEPTION_LINK() {
    if (m_pException != NULL) m_pException->Delete();
  }
  AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
  void operator=(const AFX_EXCEPTION_LINK&) = delete;
};

#define TRY { AFX_EXCEPTION_LINK _afxExceptionLink; try {
#define CATCH(class, e) } catch (class* e) { _afxExceptionLink.m_pException = e;
#define AND_CATCH(class, e) } catch (class* e) { _afxExceptionLink.m_pException = e;
#define END_CATCH } }
#define CATCH_ALL(e) } catch (CException* e) { _afxExceptionLink.m_pException = e;
#define AND_CATCH_ALL(e) } catch (CException* e) { _afxExceptionLink.m_pException = e;
#define END_CATCH_ALL } }
#define THROW(e) throw e
#define THROW_LAST() do { _afxExceptionLink.m_pException = NULL; throw; } while (0)
#define DELETE_EXCEPTION(e) do { (e)->Delete(); } while (0)
#define NO_CPP_EXCEPTION(expr)

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowUserException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);

// How CException::ReportError shows its message. The windows layer installs its
// AfxMessageBox here when the framework library loads; until then (and in the native
// build) the core uses the system message box (Windows) or nothing.
typedef int (AFXAPI* AFX_MESSAGEBOX_PROC)(LPCTSTR lpszText, UINT nType, UINT nIDHelp);
void AFXAPI AfxSetMessageBoxProc(AFX_MESSAGEBOX_PROC pfn);
int AFXAPI AfxCoreMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp = 0);
