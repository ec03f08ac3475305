// CMemFile and, on Windows, CSharedFile.
#include <cstdlib>
#include <cstring>

#include "afx.h"

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL), m_bAutoDelete(TRUE) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(nBufferSize), m_nFileSize(nGrowBytes == 0 ? nBufferSize : 0),
      m_lpBuffer(lpBuffer), m_bAutoDelete(FALSE) {}

CMemFile::~CMemFile() {
  if (m_lpBuffer) Close();
  m_nGrowBytes = 0;
  m_nPosition = 0;
  m_nBufferSize = 0;
  m_nFileSize = 0;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  if (m_lpBuffer != NULL) AfxThrowNotSupportedException();
  m_nGrowBytes = nGrowBytes;
  m_nPosition = 0;
  m_nBufferSize = nBufferSize;
  // A fixed buffer holds data already; a growable one starts empty.
  m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
  m_lpBuffer = lpBuffer;
  m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
  BYTE* lpBuffer = m_lpBuffer;
  m_lpBuffer = NULL;
  m_nFileSize = 0;
  m_nBufferSize = 0;
  m_nPosition = 0;
  return lpBuffer;
}

BYTE* CMemFile::Alloc(DWORD nBytes) { return (BYTE*)std::malloc((size_t)nBytes); }
BYTE* CMemFile::Realloc(BYTE* lpMem, DWORD nBytes) { return (BYTE*)std::realloc(lpMem, (size_t)nBytes); }
BYTE* CMemFile::Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, UINT nBytes) {
  return (BYTE*)std::memmove(lpMemTarget, lpMemSource, nBytes);
}
void CMemFile::Free(BYTE* lpMem) { std::free(lpMem); }

DWORD CMemFile::GetPosition() const { return m_nPosition; }

void CMemFile::GrowFile(DWORD dwNewLen) {
  if (dwNewLen <= m_nBufferSize) return;
  if (m_nGrowBytes == 0) AfxThrowMemoryException();  // a fixed buffer cannot grow
  // Round up to the grow step without overflowing 32 bits.
  unsigned long long nNewBufferSize = m_nBufferSize;
  unsigned long long nNeeded = dwNewLen;
  if (nNewBufferSize < nNeeded) nNewBufferSize += ((nNeeded - nNewBufferSize + m_nGrowBytes - 1) / m_nGrowBytes) * m_nGrowBytes;
  if (nNewBufferSize > 0x7FFFFFFFULL) AfxThrowFileException(CFileException::diskFull);
  BYTE* lpNew = (m_lpBuffer == NULL) ? Alloc((DWORD)nNewBufferSize) : Realloc(m_lpBuffer, (DWORD)nNewBufferSize);
  if (lpNew == NULL) AfxThrowMemoryException();
  m_lpBuffer = lpNew;
  m_nBufferSize = (DWORD)nNewBufferSize;
}

DWORD CMemFile::GetLength() const { return m_nFileSize; }

void CMemFile::SetLength(DWORD dwNewLen) {
  if (dwNewLen > m_nBufferSize) GrowFile(dwNewLen);
  if (dwNewLen > m_nFileSize && m_lpBuffer != NULL) std::memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
  if (dwNewLen < m_nPosition) m_nPosition = dwNewLen;
  m_nFileSize = dwNewLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0 || m_nPosition >= m_nFileSize) return 0;
  UINT nRead = (m_nPosition + (unsigned long long)nCount > m_nFileSize) ? (UINT)(m_nFileSize - m_nPosition) : nCount;
  Memcpy((BYTE*)lpBuf, m_lpBuffer + m_nPosition, nRead);
  m_nPosition += nRead;
  return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  unsigned long long nEnd = (unsigned long long)m_nPosition + nCount;
  if (nEnd > 0x7FFFFFFFULL) AfxThrowFileException(CFileException::diskFull);
  if (nEnd > m_nBufferSize) GrowFile((DWORD)nEnd);
  // A seek past the end leaves a gap that reads back as zeros.
  if (m_nPosition > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  Memcpy(m_lpBuffer + m_nPosition, (const BYTE*)lpBuf, nCount);
  m_nPosition = (DWORD)nEnd;
  if (m_nPosition > m_nFileSize) m_nFileSize = m_nPosition;
}

LONG CMemFile::Seek(LONG lOff, UINT nFrom) {
  long long lNewPos;
  if (nFrom == begin)
    lNewPos = lOff;
  else if (nFrom == current)
    lNewPos = (long long)m_nPosition + lOff;
  else if (nFrom == end)
    lNewPos = (long long)m_nFileSize + lOff;
  else
    return -1;
  if (lNewPos < 0 || lNewPos > 0x7FFFFFFFLL) AfxThrowFileException(CFileException::badSeek);
  m_nPosition = (DWORD)lNewPos;
  return (LONG)m_nPosition;
}

void CMemFile::Flush() {}

void CMemFile::Close() {
  m_nGrowBytes = 0;
  m_nPosition = 0;
  m_nBufferSize = 0;
  m_nFileSize = 0;
  if (m_lpBuffer && m_bAutoDelete) Free(m_lpBuffer);
  m_lpBuffer = NULL;
}

void CMemFile::Abort() { Close(); }

void CMemFile::LockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }
void CMemFile::UnlockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }
CFile* CMemFile::Duplicate() const { AfxThrowNotSupportedException(); }

BOOL CMemFile::GetStatus(CFileStatus& rStatus) const {
  rStatus = CFileStatus();
  rStatus.m_size = (LONG)m_nFileSize;
  return TRUE;
}

UINT CMemFile::GetBufferPtr(UINT nCommand, UINT nCount, void** ppBufStart, void** ppBufMax) {
  if (nCommand == bufferCheck) return 1;  // direct buffering is supported
  if (nCommand == bufferCommit) {
    // The caller wrote nCount bytes in place.
    unsigned long long nEnd = (unsigned long long)m_nPosition + nCount;
    if (nEnd > m_nBufferSize) nEnd = m_nBufferSize;
    m_nPosition = (DWORD)nEnd;
    if (m_nPosition > m_nFileSize) m_nFileSize = m_nPosition;
    return 0;
  }
  // bufferRead or bufferWrite: hand out the buffer from the current position.
  if (m_lpBuffer == NULL || m_nPosition > m_nBufferSize) {
    if (ppBufStart) *ppBufStart = NULL;
    if (ppBufMax) *ppBufMax = NULL;
    return 0;
  }
  if (ppBufStart) *ppBufStart = m_lpBuffer + m_nPosition;
  DWORD nLimit = nCommand == bufferRead ? (m_nPosition < m_nFileSize ? m_nFileSize - m_nPosition : 0) : m_nBufferSize - m_nPosition;
  if (nCount < nLimit) nLimit = nCount;
  if (ppBufMax) *ppBufMax = m_lpBuffer + m_nPosition + nLimit;
  if (nCommand == bufferRead) m_nPosition += nLimit;
  return nLimit;
}

#ifdef _WIN32

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(NULL), m_bAllowGrow(TRUE) {}

CSharedFile::~CSharedFile() {
  if (m_lpBuffer) Close();
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow) {
  if (m_hGlobalMemory != NULL || hGlobalMemory == NULL) AfxThrowNotSupportedException();
  m_hGlobalMemory = hGlobalMemory;
  m_lpBuffer = (BYTE*)::GlobalLock(m_hGlobalMemory);
  m_nBufferSize = m_nFileSize = (DWORD)::GlobalSize(m_hGlobalMemory);
  m_nPosition = 0;
  m_bAllowGrow = bAllowGrow;
}

BYTE* CSharedFile::Alloc(DWORD nBytes) {
  HGLOBAL hMem = ::GlobalAlloc(m_nAllocFlags, nBytes);
  if (hMem == NULL) return NULL;
  m_hGlobalMemory = hMem;
  return (BYTE*)::GlobalLock(m_hGlobalMemory);
}

BYTE* CSharedFile::Realloc(BYTE*, DWORD nBytes) {
  if (!m_bAllowGrow) return NULL;
  ::GlobalUnlock(m_hGlobalMemory);
  HGLOBAL hNew = ::GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
  if (hNew == NULL) {
    // The old block is still valid: keep it locked for the caller.
    ::GlobalLock(m_hGlobalMemory);
    return NULL;
  }
  m_hGlobalMemory = hNew;
  return (BYTE*)::GlobalLock(m_hGlobalMemory);
}

void CSharedFile::Free(BYTE*) {
  ::GlobalUnlock(m_hGlobalMemory);
  ::GlobalFree(m_hGlobalMemory);
  m_hGlobalMemory = NULL;
}

HGLOBAL CSharedFile::Detach() {
  HGLOBAL hMem = m_hGlobalMemory;
  if (hMem != NULL) ::GlobalUnlock(hMem);
  m_hGlobalMemory = NULL;
  m_lpBuffer = NULL;
  m_nFileSize = 0;
  m_nBufferSize = 0;
  m_nPosition = 0;
  return hMem;
}

#endif
