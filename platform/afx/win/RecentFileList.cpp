#include "WinState.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 1),
      m_arrNames(new CString[nSize > 0 ? nSize : 1]),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen) {}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

void CRecentFileList::Add(LPCTSTR lpszPathName) {
  TCHAR szTemp[_MAX_PATH];
  AfxFullPath(szTemp, lpszPathName);
  // The same file further down (or the last entry) makes room at the top.
  int iMRU;
  for (iMRU = 0; iMRU < m_nSize - 1; iMRU++) {
    if (AfxComparePath(m_arrNames[iMRU], szTemp)) break;
  }
  for (; iMRU > 0; iMRU--) m_arrNames[iMRU] = m_arrNames[iMRU - 1];
  m_arrNames[0] = szTemp;
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= m_nSize) return;
  m_arrNames[nIndex].Empty();
  int iMRU;
  for (iMRU = nIndex; iMRU < m_nSize - 1; iMRU++) m_arrNames[iMRU] = m_arrNames[iMRU + 1];
  m_arrNames[iMRU].Empty();
}

// Shortens a path to nMaxLength by dropping leading folders ("C:\...\dir\file.ext");
// the file name itself is kept whole when bAtLeastName.
static void AbbreviateName(CString& strName, int nMaxLength, BOOL bAtLeastName) {
  int nLength = strName.GetLength();
  if (nLength <= nMaxLength) return;
  LPCTSTR lpsz = strName;
  // Positions of the separators, on whole characters.
  int nRootEnd = -1, nLastSep = -1;
  for (LPCTSTR p = lpsz; *p != 0; p = ::CharNext(p)) {
    if (*p == '\\' || *p == '/') {
      if (nRootEnd < 0) nRootEnd = (int)(p - lpsz);
      nLastSep = (int)(p - lpsz);
    }
  }
  CString strFile = nLastSep >= 0 ? strName.Mid(nLastSep + 1) : strName;
  if (nRootEnd < 0 || nRootEnd == nLastSep) {
    if (bAtLeastName) strName = strFile;
    return;
  }
  CString strRoot = strName.Left(nRootEnd + 1);
  // Keep as many trailing folders as fit after "root\...".
  CString strTail = strName.Mid(nLastSep);  // "\file"
  int nPos = nLastSep;
  for (;;) {
    int nPrev = -1;
    for (LPCTSTR p = lpsz; p < lpsz + nPos; p = ::CharNext(p)) {
      if (*p == '\\' || *p == '/') nPrev = (int)(p - lpsz);
    }
    if (nPrev <= nRootEnd) break;
    CString strCandidate = strName.Mid(nPrev, nLastSep - nPrev) + strName.Mid(nLastSep);
    if (strRoot.GetLength() + 3 + strCandidate.GetLength() > nMaxLength) break;
    strTail = strCandidate;
    nPos = nPrev;
  }
  CString strShort = strRoot + "..." + strTail;
  if (strShort.GetLength() > nMaxLength && bAtLeastName) strShort = strFile;
  strName = strShort;
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
  if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty()) return FALSE;
  LPCTSTR lpszName = m_arrNames[nIndex];
  int nLenName = lstrlen(lpszName);
  // Files in the current folder are shown by name only.
  if (lpszCurDir != NULL && nCurDir > 0 && nLenName > nCurDir &&
      ::CompareString(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, lpszName, nCurDir, lpszCurDir, nCurDir) == CSTR_EQUAL &&
      strpbrk(lpszName + nCurDir, "\\/") == NULL) {
    strName = lpszName + nCurDir;
    return TRUE;
  }
  strName = lpszName;
  if (m_nMaxDisplayLength != -1) AbbreviateName(strName, m_nMaxDisplayLength, bAtLeastName);
  return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
  CMenu* pMenu = pCmdUI->m_pMenu;
  if (m_strOriginal.IsEmpty() && pMenu != NULL) pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);

  if (m_arrNames[0].IsEmpty()) {
    // No files: the placeholder item, disabled.
    if (!m_strOriginal.IsEmpty()) pCmdUI->SetText(m_strOriginal);
    pCmdUI->Enable(FALSE);
    return;
  }
  if (pMenu == NULL) return;

  for (int iMRU = 0; iMRU < m_nSize; iMRU++) pMenu->DeleteMenu(pCmdUI->m_nID + iMRU, MF_BYCOMMAND);

  TCHAR szCurDir[_MAX_PATH + 1];
  DWORD nCurDir = ::GetCurrentDirectory(_MAX_PATH - 1, szCurDir);
  if (nCurDir == 0 || nCurDir >= _MAX_PATH - 1) nCurDir = 0;
  if (nCurDir > 0 && szCurDir[nCurDir - 1] != '\\') szCurDir[nCurDir++] = '\\';
  szCurDir[nCurDir] = 0;

  CString strName, strTemp;
  for (int iMRU = 0; iMRU < m_nSize; iMRU++) {
    if (!GetDisplayName(strName, iMRU, szCurDir, (int)nCurDir)) break;
    // A '&' in a file name is doubled so that it is shown, not taken as a mnemonic.
    strTemp.Empty();
    for (LPCTSTR p = strName; *p != 0;) {
      LPCTSTR pNext = ::CharNext(p);
      if (*p == '&') strTemp += '&';
      strTemp += CString(p, (int)(pNext - p));
      p = pNext;
    }
    CString strItem;
    strItem.Format("&%d %s", (int)((iMRU + 1 + m_nStart) % 10), (LPCTSTR)strTemp);
    pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, strItem);
  }
  pCmdUI->m_nIndex--;  // the last item added
  pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
  pCmdUI->m_bEnableChanged = TRUE;  // the new items are enabled
}

void CRecentFileList::ReadList() {
  CWinApp* pApp = AfxGetApp();
  if (pApp == NULL) return;
  CString strEntry;
  for (int iMRU = 0; iMRU < m_nSize; iMRU++) {
    strEntry.Format(m_strEntryFormat, iMRU + 1);
    m_arrNames[iMRU] = pApp->GetProfileString(m_strSectionName, strEntry, "");
  }
}

void CRecentFileList::WriteList() {
  CWinApp* pApp = AfxGetApp();
  if (pApp == NULL) return;
  // The section is written afresh so that removed files do not linger.
  pApp->WriteProfileString(m_strSectionName, NULL, NULL);
  CString strEntry;
  for (int iMRU = 0; iMRU < m_nSize; iMRU++) {
    if (m_arrNames[iMRU].IsEmpty()) continue;
    strEntry.Format(m_strEntryFormat, iMRU + 1);
    pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[iMRU]);
  }
}
