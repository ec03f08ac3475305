// CString: extraction, searching, editing, formatting and resources. Every scan steps by
// whole characters, so a trail byte is never taken for a character of its own.
#include <cstdio>
#include <cstring>

#include "afx.h"

namespace {

inline bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Code of the character at p (lead << 8 | trail for a double-byte one).
inline unsigned int CodeAt(const char* p) {
  if (AfxIsLeadByte((BYTE)*p) && p[1] != 0) return ((unsigned int)(BYTE)p[0] << 8) | (BYTE)p[1];
  return (BYTE)*p;
}

bool InCharSet(const char* p, LPCTSTR lpszSet) {
  return *p != 0 && AfxStrChr(lpszSet, CodeAt(p)) != NULL && CodeAt(p) != 0;
}

}  // namespace

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetData()->nDataLength - nFirst); }

CString CString::Mid(int nFirst, int nCount) const {
  if (nFirst < 0) nFirst = 0;
  if (nCount < 0) nCount = 0;
  int nLen = GetData()->nDataLength;
  if (nFirst > nLen) nFirst = nLen;
  if (nCount > nLen - nFirst) nCount = nLen - nFirst;
  if (nFirst == 0 && nCount == nLen) return *this;
  CString dest;
  AllocCopy(dest, nCount, nFirst, 0);
  return dest;
}

CString CString::Right(int nCount) const {
  if (nCount < 0) nCount = 0;
  int nLen = GetData()->nDataLength;
  if (nCount >= nLen) return *this;
  CString dest;
  AllocCopy(dest, nCount, nLen - nCount, 0);
  return dest;
}

CString CString::Left(int nCount) const {
  if (nCount < 0) nCount = 0;
  if (nCount >= GetData()->nDataLength) return *this;
  CString dest;
  AllocCopy(dest, nCount, 0, 0);
  return dest;
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const {
  const char* p = m_pchData;
  while (InCharSet(p, lpszCharSet)) p = AfxCharNext(p);
  return Left((int)(p - m_pchData));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const {
  const char* p = m_pchData;
  while (*p && !InCharSet(p, lpszCharSet)) p = AfxCharNext(p);
  return Left((int)(p - m_pchData));
}

void CString::MakeUpper() {
  CopyBeforeWrite();
  AfxStrUpper(m_pchData);
}

void CString::MakeLower() {
  CopyBeforeWrite();
  AfxStrLower(m_pchData);
}

void CString::MakeReverse() {
  int nLen = GetLength();
  if (nLen < 2) return;
  CString src(*this);
  CopyBeforeWrite();
  char* d = m_pchData + nLen;
  for (const char* p = (LPCTSTR)src; *p;) {
    const char* next = AfxCharNext(p);
    d -= next - p;
    std::memcpy(d, p, (size_t)(next - p));
    p = next;
  }
}

int CString::Replace(TCHAR chOld, TCHAR chNew) {
  if (chOld == chNew) return 0;
  int nCount = 0;
  for (int i = 0; i < GetLength();) {
    if (m_pchData[i] == chOld && (BYTE)chOld != 0) {
      CopyBeforeWrite();
      m_pchData[i] = chNew;
      ++nCount;
    }
    i += AfxCharLen(m_pchData + i, GetLength() - i);
  }
  return nCount;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew) {
  int nSourceLen = SafeStrlen(lpszOld);
  if (nSourceLen == 0) return 0;
  int nReplacementLen = SafeStrlen(lpszNew);
  CString result;
  int nCount = 0;
  const char* p = m_pchData;
  const char* pEnd = m_pchData + GetLength();
  const char* pCopied = p;
  while (p < pEnd) {
    if (std::strncmp(p, lpszOld, (size_t)nSourceLen) == 0) {
      result.ConcatInPlace((int)(p - pCopied), pCopied);
      result.ConcatInPlace(nReplacementLen, lpszNew);
      p += nSourceLen;
      pCopied = p;
      ++nCount;
    } else {
      p += AfxCharLen(p, (int)(pEnd - p));
    }
  }
  if (nCount == 0) return 0;
  result.ConcatInPlace((int)(pEnd - pCopied), pCopied);
  *this = result;
  return nCount;
}

int CString::Remove(TCHAR chRemove) {
  int nLen = GetLength();
  if (nLen == 0) return 0;
  CopyBeforeWrite();
  char* d = m_pchData;
  int i = 0;
  while (i < nLen) {
    int n = AfxCharLen(m_pchData + i, nLen - i);
    if (!(n == 1 && m_pchData[i] == chRemove)) {
      std::memmove(d, m_pchData + i, (size_t)n);
      d += n;
    }
    i += n;
  }
  int nCount = nLen - (int)(d - m_pchData);
  *d = 0;
  GetData()->nDataLength = (int)(d - m_pchData);
  return nCount;
}

int CString::Insert(int nIndex, TCHAR ch) { return Insert(nIndex, CString(ch, 1)); }

int CString::Insert(int nIndex, LPCTSTR pstr) {
  int nLen = GetLength();
  if (nIndex < 0) nIndex = 0;
  if (nIndex > nLen) nIndex = nLen;
  int nInsert = SafeStrlen(pstr);
  if (nInsert > 0) {
    CString result(m_pchData, nIndex);
    result.ConcatInPlace(nInsert, pstr);
    result.ConcatInPlace(nLen - nIndex, m_pchData + nIndex);
    *this = result;
  }
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  int nLen = GetLength();
  if (nIndex < 0) nIndex = 0;
  if (nCount > 0 && nIndex < nLen) {
    if (nCount > nLen - nIndex) nCount = nLen - nIndex;
    CopyBeforeWrite();
    std::memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, (size_t)(nLen - nIndex - nCount) + 1);
    GetData()->nDataLength = nLen - nCount;
  }
  return GetLength();
}

void CString::TrimRight(LPCTSTR lpszTargets) {
  const char* pLast = NULL;  // start of the trailing run of targets
  for (const char* p = m_pchData; *p; p = AfxCharNext(p)) {
    bool target = lpszTargets ? InCharSet(p, lpszTargets) : IsSpace(*p);
    if (target) {
      if (pLast == NULL) pLast = p;
    } else {
      pLast = NULL;
    }
  }
  if (pLast != NULL) {
    int nNewLen = (int)(pLast - m_pchData);
    CopyBeforeWrite();
    m_pchData[nNewLen] = 0;
    GetData()->nDataLength = nNewLen;
  }
}

void CString::TrimRight() { TrimRight((LPCTSTR)NULL); }

void CString::TrimRight(TCHAR chTarget) {
  TCHAR set[2] = {chTarget, 0};
  TrimRight(set);
}

void CString::TrimLeft(LPCTSTR lpszTargets) {
  const char* p = m_pchData;
  while (*p && (lpszTargets ? InCharSet(p, lpszTargets) : IsSpace(*p))) p = AfxCharNext(p);
  int nSkip = (int)(p - m_pchData);
  if (nSkip > 0) Delete(0, nSkip);
}

void CString::TrimLeft() { TrimLeft((LPCTSTR)NULL); }

void CString::TrimLeft(TCHAR chTarget) {
  TCHAR set[2] = {chTarget, 0};
  TrimLeft(set);
}

int CString::Find(TCHAR ch) const { return Find(ch, 0); }

int CString::Find(TCHAR ch, int nStart) const {
  if (nStart < 0) nStart = 0;
  if (nStart >= GetLength() || ch == 0) return -1;
  // nStart counts in bytes but the scan must start at a character boundary.
  const char* p = m_pchData;
  while (p - m_pchData < nStart) p = AfxCharNext(p);
  const char* found = AfxStrChr(p, (BYTE)ch);
  return found ? (int)(found - m_pchData) : -1;
}

int CString::Find(LPCTSTR lpszSub) const { return Find(lpszSub, 0); }

int CString::Find(LPCTSTR lpszSub, int nStart) const {
  if (nStart < 0) nStart = 0;
  if (nStart > GetLength() || lpszSub == NULL) return -1;
  const char* p = m_pchData;
  while (p - m_pchData < nStart) p = AfxCharNext(p);
  const char* found = AfxStrStr(p, lpszSub);
  return found ? (int)(found - m_pchData) : -1;
}

int CString::ReverseFind(TCHAR ch) const {
  if (ch == 0) return -1;
  const char* found = AfxStrRChr(m_pchData, (BYTE)ch);
  return found ? (int)(found - m_pchData) : -1;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const {
  for (const char* p = m_pchData; *p; p = AfxCharNext(p))
    if (InCharSet(p, lpszCharSet)) return (int)(p - m_pchData);
  return -1;
}

void CString::FormatV(LPCTSTR lpszFormat, va_list argList) {
  va_list args;
  va_copy(args, argList);
  int nLen = std::vsnprintf(NULL, 0, lpszFormat, args);
  va_end(args);
  if (nLen < 0) {
    Empty();
    return;
  }
  CString result;
  result.GetBuffer(nLen);
  va_copy(args, argList);
  std::vsnprintf(result.m_pchData, (size_t)nLen + 1, lpszFormat, args);
  va_end(args);
  result.ReleaseBuffer(nLen);
  *this = result;
}

void AFX_CDECL CString::FormatArgs(LPCTSTR lpszFormat, ...) {
  va_list argList;
  va_start(argList, lpszFormat);
  FormatV(lpszFormat, argList);
  va_end(argList);
}

void AFX_CDECL CString::FormatIdArgs(UINT nFormatID, ...) {
  CString strFormat;
  strFormat.LoadString(nFormatID);
  va_list argList;
  va_start(argList, nFormatID);
  FormatV(strFormat, argList);
  va_end(argList);
}

BOOL CString::LoadString(UINT nID) {
#ifdef _WIN32
  TCHAR szTemp[256];
  int nLen = AfxLoadString(nID, szTemp, sizeof(szTemp));
  if (nLen < (int)sizeof(szTemp) - 1) {
    *this = szTemp;
    return nLen > 0;
  }
  // Longer strings: grow until the whole string fits.
  for (int nSize = 512; nSize <= 0x10000; nSize *= 2) {
    nLen = AfxLoadString(nID, GetBuffer(nSize - 1), (UINT)nSize);
    ReleaseBuffer();
    if (nLen < nSize - 1) break;
  }
  return nLen > 0;
#else
  Empty();
  return FALSE;
#endif
}

void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString) {
  CString result;
  for (const char* p = lpszFormat; *p;) {
    if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
      int i = p[1] - '1';
      if (i < nString && rglpsz[i] != NULL) result += rglpsz[i];
      p += 2;
    } else {
      const char* next = AfxCharNext(p);
      result += CString(p, (int)(next - p));
      p = next;
    }
  }
  rString = result;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1) {
  CString strFormat;
  strFormat.LoadString(nIDS);
  AfxFormatStrings(rString, strFormat, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2) {
  CString strFormat;
  strFormat.LoadString(nIDS);
  LPCTSTR rglpsz[2] = {lpsz1, lpsz2};
  AfxFormatStrings(rString, strFormat, rglpsz, 2);
}
