#include "LoadDibFromResource.h"

#include "afxwin.h"
#include "Dib.h"

CDib* LoadDibFromResource(LPCTSTR lpszName, LPCTSTR lpszType) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszName, lpszType);
  HRSRC hRes = ::FindResource(hInst, lpszName, lpszType);
  if (hRes == NULL) return NULL;
  DWORD nSize = ::SizeofResource(hInst, hRes);
  HGLOBAL hData = ::LoadResource(hInst, hRes);
  const void* pData = hData != NULL ? ::LockResource(hData) : NULL;
  if (nSize == 0 || pData == NULL) return NULL;

  char szDir[MAX_PATH];
  char szPath[MAX_PATH];
  DWORD nDir = ::GetTempPath(sizeof szDir, szDir);
  if (nDir == 0 || nDir >= sizeof szDir) return NULL;
  // Creates the file; from here on it is removed whatever happens.
  if (::GetTempFileName(szDir, "bkg", 0, szPath) == 0) return NULL;

  BOOL bWritten = FALSE;
  HANDLE hFile = ::CreateFile(szPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, NULL);
  if (hFile != INVALID_HANDLE_VALUE) {
    DWORD nDone = 0;
    bWritten = ::WriteFile(hFile, pData, nSize, &nDone, NULL) && nDone == nSize;
    bWritten = ::CloseHandle(hFile) && bWritten;
  }

  CDib* pDib = NULL;
  if (bWritten) {
    pDib = new CDib;
    if (!pDib->Read(szPath)) {
      delete pDib;
      pDib = NULL;
    }
  }
  ::DeleteFile(szPath);
  return pDib;
}
