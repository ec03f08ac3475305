// CString: storage, assignment, concatenation, comparison.
#include <cstdlib>
#include <cstring>
#include <new>

#include "afx.h"

namespace {

// The shared empty string: never freed, never written.
struct NilString {
  CStringData data;
  TCHAR ch[2];
};
NilString g_nil = {{-1, 0, 0}, {0, 0}};
LPTSTR const g_pchNil = g_nil.ch;

inline long AtomicIncrement(long* p) { return __atomic_add_fetch(p, 1, __ATOMIC_SEQ_CST); }
inline long AtomicDecrement(long* p) { return __atomic_sub_fetch(p, 1, __ATOMIC_SEQ_CST); }

}  // namespace

const CString& AFXAPI AfxGetEmptyString() {
  static const CString s_empty;
  return s_empty;
}

void CString::Init() { m_pchData = g_pchNil; }

CString::CString() { Init(); }

CString::CString(const CString& stringSrc) {
  if (stringSrc.GetData()->nRefs >= 0 && stringSrc.GetData() != &g_nil.data) {
    m_pchData = stringSrc.m_pchData;
    AtomicIncrement(&GetData()->nRefs);
  } else {
    Init();
    *this = stringSrc.m_pchData;
  }
}

CString::CString(TCHAR ch, int nLength) {
  Init();
  if (nLength >= 1) {
    AllocBuffer(nLength);
    std::memset(m_pchData, ch, (size_t)nLength);
  }
}

CString::CString(LPCSTR lpsz) {
  Init();
#ifdef _WIN32
  // MAKEINTRESOURCE(id): the string resource id.
  if (lpsz != NULL && ((UINT_PTR)lpsz >> 16) == 0) {
    LoadString(LOWORD((UINT_PTR)lpsz));
    return;
  }
#endif
  int nSrcLen = SafeStrlen(lpsz);
  if (nSrcLen != 0) {
    AllocBuffer(nSrcLen);
    std::memcpy(m_pchData, lpsz, (size_t)nSrcLen);
  }
}

CString::CString(LPCTSTR lpch, int nLength) {
  Init();
  if (nLength > 0 && lpch != NULL) {
    AllocBuffer(nLength);
    std::memcpy(m_pchData, lpch, (size_t)nLength);
  }
}

CString::CString(const unsigned char* psz) : CString((LPCSTR)psz) {}

CString::~CString() { Release(); }

void CString::AllocBuffer(int nLen) {
  if (nLen < 0) AfxThrowMemoryException();
  if (nLen == 0) {
    Init();
    return;
  }
  if ((size_t)nLen > (size_t)0x7FFFFFF0 - sizeof(CStringData)) AfxThrowMemoryException();
  void* p = std::malloc(sizeof(CStringData) + (size_t)nLen + 1);
  if (p == NULL) AfxThrowMemoryException();
  CStringData* pData = (CStringData*)p;
  pData->nRefs = 1;
  pData->nDataLength = nLen;
  pData->nAllocLength = nLen;
  pData->data()[nLen] = 0;
  m_pchData = pData->data();
}

void PASCAL CString::Release(CStringData* pData) {
  if (pData == &g_nil.data) return;
  if (pData->nRefs < 0 || AtomicDecrement(&pData->nRefs) <= 0) std::free(pData);
}

void CString::Release() {
  Release(GetData());
  Init();
}

void CString::Empty() {
  if (GetData()->nDataLength == 0) return;
  if (GetData()->nRefs >= 0)
    Release();
  else
    *this = "";
}

int PASCAL CString::SafeStrlen(LPCTSTR lpsz) { return lpsz == NULL ? 0 : (int)std::strlen(lpsz); }

void CString::CopyBeforeWrite() {
  if (GetData()->nRefs > 1) {
    CStringData* pData = GetData();
    AllocBuffer(pData->nDataLength);
    std::memcpy(m_pchData, pData->data(), (size_t)pData->nDataLength + 1);
    Release(pData);
  }
}

void CString::AllocBeforeWrite(int nLen) {
  if (GetData() == &g_nil.data || GetData()->nRefs > 1 || nLen > GetData()->nAllocLength) {
    Release();
    AllocBuffer(nLen);
  }
}

void CString::AllocCopy(CString& dest, int nCopyLen, int nCopyIndex, int nExtraLen) const {
  int nNewLen = nCopyLen + nExtraLen;
  if (nNewLen == 0) {
    dest.Init();
  } else {
    dest.AllocBuffer(nNewLen);
    std::memcpy(dest.m_pchData, m_pchData + nCopyIndex, (size_t)nCopyLen);
  }
}

void CString::AssignCopy(int nSrcLen, LPCTSTR lpszSrcData) {
  if (nSrcLen == 0) {
    // A locked buffer keeps its storage.
    if (GetData()->nRefs < 0 && GetData() != &g_nil.data) {
      GetData()->nDataLength = 0;
      m_pchData[0] = 0;
    } else {
      Release();
    }
    return;
  }
  // lpszSrcData may point into our own buffer.
  if (GetData() != &g_nil.data && GetData()->nRefs <= 1 && nSrcLen <= GetData()->nAllocLength) {
    std::memmove(m_pchData, lpszSrcData, (size_t)nSrcLen);
    GetData()->nDataLength = nSrcLen;
    m_pchData[nSrcLen] = 0;
    return;
  }
  CStringData* pOld = GetData();
  AllocBuffer(nSrcLen);
  std::memcpy(m_pchData, lpszSrcData, (size_t)nSrcLen);
  Release(pOld);
}

const CString& CString::operator=(const CString& stringSrc) {
  if (m_pchData != stringSrc.m_pchData) {
    if ((GetData()->nRefs < 0 && GetData() != &g_nil.data) || stringSrc.GetData()->nRefs < 0) {
      AssignCopy(stringSrc.GetData()->nDataLength, stringSrc.m_pchData);
    } else {
      CStringData* pOld = GetData();
      m_pchData = stringSrc.m_pchData;
      AtomicIncrement(&GetData()->nRefs);
      Release(pOld);
    }
  }
  return *this;
}

const CString& CString::operator=(LPCSTR lpsz) {
  AssignCopy(SafeStrlen(lpsz), lpsz);
  return *this;
}

const CString& CString::operator=(const unsigned char* psz) { return *this = (LPCSTR)psz; }

const CString& CString::operator=(TCHAR ch) {
  AssignCopy(1, &ch);
  return *this;
}

void CString::ConcatCopy(int nSrc1Len, LPCTSTR lpszSrc1Data, int nSrc2Len, LPCTSTR lpszSrc2Data) {
  if ((long long)nSrc1Len + nSrc2Len > 0x7FFFFF00) AfxThrowMemoryException();
  int nNewLen = nSrc1Len + nSrc2Len;
  if (nNewLen != 0) {
    AllocBuffer(nNewLen);
    if (nSrc1Len > 0) std::memcpy(m_pchData, lpszSrc1Data, (size_t)nSrc1Len);
    if (nSrc2Len > 0) std::memcpy(m_pchData + nSrc1Len, lpszSrc2Data, (size_t)nSrc2Len);
  }
}

CString AFXAPI operator+(const CString& string1, const CString& string2) {
  CString s;
  s.ConcatCopy(string1.GetData()->nDataLength, string1.m_pchData, string2.GetData()->nDataLength, string2.m_pchData);
  return s;
}
CString AFXAPI operator+(const CString& string, LPCTSTR lpsz) {
  CString s;
  s.ConcatCopy(string.GetData()->nDataLength, string.m_pchData, CString::SafeStrlen(lpsz), lpsz);
  return s;
}
CString AFXAPI operator+(LPCTSTR lpsz, const CString& string) {
  CString s;
  s.ConcatCopy(CString::SafeStrlen(lpsz), lpsz, string.GetData()->nDataLength, string.m_pchData);
  return s;
}
CString AFXAPI operator+(const CString& string, TCHAR ch) {
  CString s;
  s.ConcatCopy(string.GetData()->nDataLength, string.m_pchData, 1, &ch);
  return s;
}
CString AFXAPI operator+(TCHAR ch, const CString& string) {
  CString s;
  s.ConcatCopy(1, &ch, string.GetData()->nDataLength, string.m_pchData);
  return s;
}

void CString::ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData) {
  if (nSrcLen <= 0) return;
  CStringData* pData = GetData();
  if (pData->nRefs > 1 || pData == &g_nil.data || pData->nDataLength + nSrcLen > pData->nAllocLength) {
    // lpszSrcData may point into the old buffer: keep it alive until the copy is done.
    CString grown;
    int nLen = pData->nDataLength;
    if ((long long)nLen + nSrcLen > 0x7FFFFF00) AfxThrowMemoryException();
    int nAlloc = nLen + nSrcLen;
    grown.AllocBuffer(nAlloc);
    if (nLen > 0) std::memcpy(grown.m_pchData, m_pchData, (size_t)nLen);
    std::memcpy(grown.m_pchData + nLen, lpszSrcData, (size_t)nSrcLen);
    *this = grown;
  } else {
    std::memmove(m_pchData + pData->nDataLength, lpszSrcData, (size_t)nSrcLen);
    pData->nDataLength += nSrcLen;
    m_pchData[pData->nDataLength] = 0;
  }
}

const CString& CString::operator+=(LPCTSTR lpsz) {
  ConcatInPlace(SafeStrlen(lpsz), lpsz);
  return *this;
}
const CString& CString::operator+=(TCHAR ch) {
  ConcatInPlace(1, &ch);
  return *this;
}
const CString& CString::operator+=(const CString& string) {
  ConcatInPlace(string.GetData()->nDataLength, string.m_pchData);
  return *this;
}

void CString::SetAt(int nIndex, TCHAR ch) {
  if (nIndex < 0 || nIndex >= GetData()->nDataLength) return;
  CopyBeforeWrite();
  m_pchData[nIndex] = ch;
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength < 0) nMinBufLength = 0;
  CStringData* pData = GetData();
  if (pData->nRefs > 1 || pData == &g_nil.data || nMinBufLength > pData->nAllocLength) {
    int nOldLen = pData->nDataLength;
    if (nMinBufLength < nOldLen) nMinBufLength = nOldLen;
    if (nMinBufLength == 0) {
      // An empty buffer still gives the caller one writable byte for the terminator.
      AllocBuffer(1);
      m_pchData[0] = 0;
      GetData()->nDataLength = 0;
    } else {
      AllocBuffer(nMinBufLength);
      if (nOldLen > 0) std::memcpy(m_pchData, pData->data(), (size_t)nOldLen);
      m_pchData[nOldLen] = 0;
      GetData()->nDataLength = nOldLen;
    }
    Release(pData);
  }
  return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength) {
  if (GetData() == &g_nil.data) return;
  CopyBeforeWrite();
  if (nNewLength == -1) {
    // Bounded by the buffer: the caller may have forgotten the terminator.
    const void* p = std::memchr(m_pchData, 0, (size_t)GetData()->nAllocLength + 1);
    nNewLength = p ? (int)((const char*)p - m_pchData) : GetData()->nAllocLength;
  }
  if (nNewLength < 0) nNewLength = 0;
  if (nNewLength > GetData()->nAllocLength) nNewLength = GetData()->nAllocLength;
  GetData()->nDataLength = nNewLength;
  m_pchData[nNewLength] = 0;
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
  if (nNewLength < 0) nNewLength = 0;
  GetBuffer(nNewLength);
  if (GetData() != &g_nil.data) {
    GetData()->nDataLength = nNewLength;
    m_pchData[nNewLength] = 0;
  }
  return m_pchData;
}

void CString::FreeExtra() {
  CStringData* pData = GetData();
  if (pData != &g_nil.data && pData->nRefs >= 0 && pData->nDataLength != pData->nAllocLength) {
    CString copy(m_pchData, pData->nDataLength);
    *this = copy;
  }
}

LPTSTR CString::LockBuffer() {
  LPTSTR lpsz = GetBuffer(0);
  GetData()->nRefs = -1;
  return lpsz;
}

void CString::UnlockBuffer() {
  if (GetData() != &g_nil.data) GetData()->nRefs = 1;
}

int CString::Compare(LPCTSTR lpsz) const { return AfxStrCmp(m_pchData, lpsz ? lpsz : ""); }
int CString::CompareNoCase(LPCTSTR lpsz) const { return AfxStrCmpNoCase(m_pchData, lpsz ? lpsz : ""); }

int CString::Collate(LPCTSTR lpsz) const {
#ifdef _WIN32
  int n = ::CompareStringA(GetThreadLocale(), 0, m_pchData, -1, lpsz ? lpsz : "", -1);
  if (n != 0) return n - 2;
#endif
  return Compare(lpsz);
}

int CString::CollateNoCase(LPCTSTR lpsz) const {
#ifdef _WIN32
  int n = ::CompareStringA(GetThreadLocale(), NORM_IGNORECASE, m_pchData, -1, lpsz ? lpsz : "", -1);
  if (n != 0) return n - 2;
#endif
  return CompareNoCase(lpsz);
}

bool AFXAPI operator==(const CString& s1, const CString& s2) {
  return s1.GetLength() == s2.GetLength() && std::memcmp((LPCTSTR)s1, (LPCTSTR)s2, (size_t)s1.GetLength()) == 0;
}
bool AFXAPI operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
bool AFXAPI operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool AFXAPI operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
bool AFXAPI operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
bool AFXAPI operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }
