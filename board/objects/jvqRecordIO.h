// Exact reads for the object and fill records: a short read is a failure, and a count
// read from a file is only believed when the rest of the file can hold it.
#pragma once

#include "afx.h"

inline BOOL jvqReadExact(CFile* pFile, void* pBuf, UINT nCount) {
  return pFile->Read(pBuf, nCount) == nCount;
}

inline DWORD jvqBytesLeft(CFile* pFile) {
  DWORD nLength = pFile->GetLength();
  DWORD nPos = pFile->GetPosition();
  return nPos < nLength ? nLength - nPos : 0;
}
