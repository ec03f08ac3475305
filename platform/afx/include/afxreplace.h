// Writing a file whole or not at all: the content goes to a temporary file of its own in the
// target's folder, which replaces the target in one step only once it is complete and on
// disk. Needs nothing else of the framework, so libraries without it link it alone.
#pragma once

#include <cstddef>
#include <functional>

#include "afxtypes.h"

// Calls `write` with the name of a new, empty file in the target's folder that no other
// writer uses (other threads and processes included); `write` opens it, writes the whole
// content, closes it and returns TRUE. The file is then flushed to disk and moved over the
// target in one step. On every failure, and when `write` throws, the temporary file is
// removed and the target stays as it was; FALSE (or the exception) then reaches the caller,
// with the system's error code (GetLastError, errno natively) when a step of its own failed.
BOOL AfxReplaceFile(LPCTSTR lpszTarget, const std::function<BOOL(LPCTSTR lpszTemp)>& write);

// The same for content already in memory.
BOOL AfxReplaceFileData(LPCTSTR lpszTarget, const void* pData, size_t nCount);
