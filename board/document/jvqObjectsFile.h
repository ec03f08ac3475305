// The prototype file "objects" of the program folder: an int32 version, an int32 count,
// then that many object records.
#pragma once

#include "afx.h"

// Replaces the registry's prototypes by those of the file; when the file does not open,
// the built-in ones. Classes the file lacks get their built-in prototype. A damaged file
// changes none of them; FALSE when the file did not open or was damaged.
BOOL jvqLoadObjectsFile(LPCTSTR lpszPath);
// Writes the registry's prototypes through a temporary file; FALSE when it fails.
BOOL jvqSaveObjectsFile(LPCTSTR lpszPath);
