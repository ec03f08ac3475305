// Blocks that hold packed DIBs: global memory on Windows, so that GDI, the clipboard and
// callers that lock the handle can use them; plain heap memory in the native build.
#pragma once

#include <cstddef>

#include "PictalTypes.h"

namespace pictal {

HGLOBAL MemAlloc(size_t nSize);
BYTE* MemPtr(HGLOBAL hMem);
size_t MemSize(HGLOBAL hMem);
void MemFree(HGLOBAL hMem);

}  // namespace pictal
