#include "qvzHelpers.h"

#include <string.h>

#include "afxmbs.h"

#ifdef _WIN32
#include "afxcmn.h"
#else
#include <sys/stat.h>
#endif

int NormalizeAngle(int nAngle) {
  int n = (720 - nAngle) % 360;
  return n < 0 ? n + 360 : n;
}

#ifdef _WIN32
LRESULT AddRectTool(CToolTipCtrl* pTip, CWnd* pWnd, int nText, const RECT* pRect, UINT nId) {
  if (pTip == NULL || pTip->m_hWnd == NULL || pWnd == NULL) return 0;
  // The 44-byte record of the older common controls, which every version accepts.
  TOOLINFOA ti;
  memset(&ti, 0, sizeof(ti));
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.uFlags = TTF_SUBCLASS;
  ti.hwnd = pWnd->m_hWnd;
  ti.uId = nId;
  if (pRect) ti.rect = *pRect;
  ti.hinst = AfxGetResourceHandle();
  ti.lpszText = nText == -1 ? LPSTR_TEXTCALLBACKA : (LPSTR)MAKEINTRESOURCE(nText);
  return ::SendMessage(pTip->m_hWnd, TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

#endif

BOOL DirectoryExists(LPCTSTR lpszPath) {
  if (lpszPath == NULL || *lpszPath == 0) return FALSE;
  CString s(lpszPath);
  const char* p = s;
  int n = s.GetLength();
  // A trailing 0x5C may be the second byte of a double-byte character.
  if (n > 0 && AfxCharPrev(p, p + n) == p + n - 1 && p[n - 1] == '\\') s = s.Left(n - 1);
#ifdef _WIN32
  DWORD a = ::GetFileAttributes(s);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
#else
  struct stat st;
  return stat(s, &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

int ReverseFindCharMbcs(LPCTSTR lpszText, char ch) {
  if (lpszText == NULL) return -1;
  for (int i = (int)strlen(lpszText); i >= 1; --i) {
    if (lpszText[i] == ch && !AfxIsLeadByte((unsigned char)lpszText[i - 1])) return i;
  }
  return -1;
}
