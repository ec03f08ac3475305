// Exact reads for the object and fill records: a short read is a failure, and a count
// read from a file is only believed when the rest of the file can hold it.
#pragma once

#include <cstdint>

#include "afx.h"

inline BOOL jvqReadExact(CFile* pFile, void* pBuf, UINT nCount) {
  return pFile->Read(pBuf, nCount) == nCount;
}

inline DWORD jvqBytesLeft(CFile* pFile) {
  DWORD nLength = pFile->GetLength();
  DWORD nPos = pFile->GetPosition();
  return nPos < nLength ? nLength - nPos : 0;
}

// n bytes of text after their count, then the stored terminator when bTerminated. A
// negative count or one beyond what the file still holds fails without reading.
inline BOOL jvqReadCountedText(CFile* pFile, int32_t n, BOOL bTerminated, CString& out) {
  const DWORD nNeed = (DWORD)n + (bTerminated ? 1 : 0);
  if (n < 0 || (DWORD)n > jvqBytesLeft(pFile) || nNeed > jvqBytesLeft(pFile)) return FALSE;
  CString s;
  if (n > 0) {
    char* p = s.GetBufferSetLength(n);
    if (!jvqReadExact(pFile, p, (UINT)n)) return FALSE;
  }
  char zero = 0;
  if (bTerminated && !jvqReadExact(pFile, &zero, 1)) return FALSE;
  // Drawn as a C string: the text ends at its first zero byte.
  out = (const char*)s;
  return TRUE;
}
