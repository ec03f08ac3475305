#include "PictalFile.h"

#include <new>

namespace pictal {

bool ReadExactly(CFile* pFile, DWORD nSize, Bytes* out)
{
  if (!pFile) return false;
  DWORD length = pFile->GetLength(), position = pFile->GetPosition();
  DWORD left = length > position ? length - position : 0;
  DWORD wanted = nSize < left ? nSize : left;
  try {
    out->resize(wanted);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (wanted && pFile->Read(out->data(), wanted) != wanted) return false;
  return wanted == nSize;
}

CString ExtensionOf(LPCTSTR lpszPath)
{
  CString path(lpszPath);
  if (path.GetLength() < 4) return CString();
  CString ext = path.Right(4);
  // Only ASCII letters change: a trail byte of a double-byte name is left alone.
  for (int i = 0; i < ext.GetLength(); ++i) {
    char c = ext[i];
    if (c >= 'a' && c <= 'z') ext.SetAt(i, (char)(c - 'a' + 'A'));
  }
  return ext;
}

}  // namespace pictal
