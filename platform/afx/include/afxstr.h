// CString: a reference-counted byte string of code page 932 text. Searches, trimming and case
// changes work on whole characters: a trail byte (which may be '\\' or a letter) is never
// matched or changed on its own. Comparisons are by unsigned bytes; Collate uses the locale.
//
// Pass a CString to printf-style functions as (LPCTSTR)str, never by value.
#pragma once

#include <cstdarg>

#include "afxmbs.h"
#include "afxobj.h"

struct CStringData {
  long nRefs;  // -1: locked (or the shared empty string)
  int nDataLength;
  int nAllocLength;
  TCHAR* data() { return (TCHAR*)(this + 1); }
};

class CString {
 public:
  CString();
  CString(const CString& stringSrc);
  CString(TCHAR ch, int nRepeat = 1);
  // A NULL pointer gives an empty string; on Windows MAKEINTRESOURCE(id) loads string id.
  CString(LPCSTR lpsz);
  CString(LPCTSTR lpch, int nLength);
  CString(const unsigned char* psz);
  ~CString();

  int GetLength() const { return GetData()->nDataLength; }
  BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
  void Empty();
  TCHAR GetAt(int nIndex) const { return m_pchData[nIndex]; }
  TCHAR operator[](int nIndex) const { return m_pchData[nIndex]; }
  void SetAt(int nIndex, TCHAR ch);
  operator LPCTSTR() const { return m_pchData; }

  const CString& operator=(const CString& stringSrc);
  const CString& operator=(TCHAR ch);
  const CString& operator=(LPCSTR lpsz);
  const CString& operator=(const unsigned char* psz);

  const CString& operator+=(const CString& string);
  const CString& operator+=(TCHAR ch);
  const CString& operator+=(LPCTSTR lpsz);

  friend CString AFXAPI operator+(const CString& string1, const CString& string2);
  friend CString AFXAPI operator+(const CString& string, TCHAR ch);
  friend CString AFXAPI operator+(TCHAR ch, const CString& string);
  friend CString AFXAPI operator+(const CString& string, LPCTSTR lpsz);
  friend CString AFXAPI operator+(LPCTSTR lpsz, const CString& string);

  // <0, 0, >0 by unsigned bytes.
  int Compare(LPCTSTR lpsz) const;
  // As Compare with ASCII letters folded (never a trail byte).
  int CompareNoCase(LPCTSTR lpsz) const;
  // Locale order (CompareString on Windows; byte order with the same folding natively).
  int Collate(LPCTSTR lpsz) const;
  int CollateNoCase(LPCTSTR lpsz) const;

  CString Mid(int nFirst, int nCount) const;
  CString Mid(int nFirst) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(LPCTSTR lpszCharSet) const;
  CString SpanExcluding(LPCTSTR lpszCharSet) const;

  void MakeUpper();
  void MakeLower();
  void MakeReverse();  // reverses characters, keeping each double-byte character whole

  // Number of replaced occurrences (matches start at character boundaries).
  int Replace(TCHAR chOld, TCHAR chNew);
  int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
  int Remove(TCHAR chRemove);
  int Insert(int nIndex, TCHAR ch);
  int Insert(int nIndex, LPCTSTR pstr);
  int Delete(int nIndex, int nCount = 1);

  // Whitespace is ' ', '\t', '\r', '\n', '\v', '\f'.
  void TrimRight();
  void TrimLeft();
  void TrimRight(TCHAR chTarget);
  void TrimRight(LPCTSTR lpszTargets);
  void TrimLeft(TCHAR chTarget);
  void TrimLeft(LPCTSTR lpszTargets);

  // Byte index of the first match at a character boundary, or -1.
  int Find(TCHAR ch) const;
  int Find(LPCTSTR lpszSub) const;
  int Find(TCHAR ch, int nStart) const;
  int Find(LPCTSTR lpszSub, int nStart) const;
  int ReverseFind(TCHAR ch) const;
  int FindOneOf(LPCTSTR lpszCharSet) const;

  // printf-style. A CString argument is passed as its text (GCC would otherwise pass the
  // object by reference through "...", unlike the platform's compiler).
  template <class... Args>
  void Format(LPCTSTR lpszFormat, const Args&... args) {
    FormatArgs(lpszFormat, FormatArg(args)...);
  }
  template <class... Args>
  void Format(UINT nFormatID, const Args&... args) {
    FormatIdArgs(nFormatID, FormatArg(args)...);
  }
  void FormatV(LPCTSTR lpszFormat, va_list argList);

  // String resource nID, found along the module chain (Windows only; FALSE natively).
  BOOL LoadString(UINT nID);

  LPTSTR GetBuffer(int nMinBufLength);
  void ReleaseBuffer(int nNewLength = -1);
  LPTSTR GetBufferSetLength(int nNewLength);
  void FreeExtra();
  LPTSTR LockBuffer();
  void UnlockBuffer();

 protected:
  LPTSTR m_pchData;

  CStringData* GetData() const { return ((CStringData*)m_pchData) - 1; }
  void Init();
  void AllocCopy(CString& dest, int nCopyLen, int nCopyIndex, int nExtraLen) const;
  void AllocBuffer(int nLen);
  void AssignCopy(int nSrcLen, LPCTSTR lpszSrcData);
  void ConcatCopy(int nSrc1Len, LPCTSTR lpszSrc1Data, int nSrc2Len, LPCTSTR lpszSrc2Data);
  void ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData);
  void CopyBeforeWrite();
  void AllocBeforeWrite(int nLen);
  void Release();
  static void PASCAL Release(CStringData* pData);
  static int PASCAL SafeStrlen(LPCTSTR lpsz);

 private:
  static LPCTSTR FormatArg(const CString& s) { return s.m_pchData; }
  template <class T>
  static const T& FormatArg(const T& v) {
    return v;
  }
  void AFX_CDECL FormatArgs(LPCTSTR lpszFormat, ...);
  void AFX_CDECL FormatIdArgs(UINT nFormatID, ...);
};

bool AFXAPI operator==(const CString& s1, const CString& s2);
bool AFXAPI operator==(const CString& s1, LPCTSTR s2);
bool AFXAPI operator==(LPCTSTR s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, LPCTSTR s2);
bool AFXAPI operator!=(LPCTSTR s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, LPCTSTR s2);
bool AFXAPI operator<(LPCTSTR s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, LPCTSTR s2);
bool AFXAPI operator>(LPCTSTR s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, LPCTSTR s2);
bool AFXAPI operator<=(LPCTSTR s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, LPCTSTR s2);
bool AFXAPI operator>=(LPCTSTR s1, const CString& s2);

// The shared empty string.
const CString& AFXAPI AfxGetEmptyString();
#define afxEmptyString AfxGetEmptyString()

// Formats with %1..%9 replaced by the given strings (the platform's AfxFormatString).
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);
