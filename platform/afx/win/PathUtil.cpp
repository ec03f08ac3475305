#include "WinState.h"

#include <commdlg.h>

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep) {
  if (lpszFullString == NULL) return FALSE;
  while (iSubString--) {
    lpszFullString = strchr(lpszFullString, chSep);
    if (lpszFullString == NULL) {
      rString.Empty();
      return FALSE;
    }
    lpszFullString++;  // the separator
  }
  LPCTSTR lpchEnd = strchr(lpszFullString, chSep);
  int nLen = lpchEnd == NULL ? lstrlen(lpszFullString) : (int)(lpchEnd - lpszFullString);
  rString = CString(lpszFullString, nLen);
  return TRUE;
}

BOOL AFXAPI AfxFullPath(LPTSTR lpszPathOut, LPCTSTR lpszFileIn) {
  LPTSTR lpszFilePart;
  DWORD n = ::GetFullPathName(lpszFileIn, _MAX_PATH, lpszPathOut, &lpszFilePart);
  if (n == 0 || n >= _MAX_PATH) {
    lstrcpyn(lpszPathOut, lpszFileIn, _MAX_PATH);
    return FALSE;
  }
  return TRUE;
}

BOOL AFXAPI AfxComparePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2) {
  // Case-insensitive by the file system's rules; double-byte characters compare whole.
  return ::CompareString(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, lpszPath1, -1, lpszPath2, -1) == CSTR_EQUAL;
}

// The last path component (after the last '\\', '/' or ':' that is not a trail byte).
static LPCTSTR FindFileName(LPCTSTR lpszPathName) {
  LPCTSTR lpszName = lpszPathName;
  for (LPCTSTR p = lpszPathName; *p != 0; p = ::CharNext(p)) {
    if (*p == '\\' || *p == '/' || *p == ':') lpszName = p + 1;
  }
  return lpszName;
}

UINT AFXAPI AfxGetFileName(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax) {
  LPCTSTR lpszName = FindFileName(lpszPathName);
  if (lpszTitle == NULL) return (UINT)lstrlen(lpszName) + 1;
  lstrcpyn(lpszTitle, lpszName, (int)nMax);
  return 0;
}

UINT AFXAPI AfxGetFileTitle(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax) {
  // The shell's display title (which may hide the extension), else the file name.
  short nResult = ::GetFileTitle(lpszPathName, lpszTitle, (WORD)nMax);
  if (nResult == 0) return 0;
  return AfxGetFileName(lpszPathName, lpszTitle, nMax);
}
