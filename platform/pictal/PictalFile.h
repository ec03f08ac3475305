// Reading counted blocks from the framework's files.
#pragma once

#include <afx.h>

#include "DibFormat.h"

namespace pictal {

// Reads nSize bytes from the file's position. A count beyond what the file still holds is
// refused after reading what there is, so that a wrong count never asks for more memory
// than the file's own size.
bool ReadExactly(CFile* pFile, DWORD nSize, Bytes* out);

// The upper-cased extension of a path's last four characters (".JPG"), or "".
CString ExtensionOf(LPCTSTR lpszPath);

}  // namespace pictal
