#include "DibMemory.h"

#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pictal {

#ifdef _WIN32

HGLOBAL MemAlloc(size_t nSize) { return GlobalAlloc(GMEM_FIXED, nSize ? nSize : 1); }
BYTE* MemPtr(HGLOBAL hMem) { return hMem ? static_cast<BYTE*>(GlobalLock(hMem)) : NULL; }
size_t MemSize(HGLOBAL hMem) { return hMem ? GlobalSize(hMem) : 0; }
void MemFree(HGLOBAL hMem)
{
  if (hMem) GlobalFree(hMem);
}

#else

// The size is kept just before the bytes; the handle is the bytes' address.
const size_t kPrefix = 16;

HGLOBAL MemAlloc(size_t nSize)
{
  BYTE* p = static_cast<BYTE*>(std::malloc(nSize + kPrefix));
  if (!p) return NULL;
  std::memcpy(p, &nSize, sizeof nSize);
  return p + kPrefix;
}
BYTE* MemPtr(HGLOBAL hMem) { return static_cast<BYTE*>(hMem); }
size_t MemSize(HGLOBAL hMem)
{
  if (!hMem) return 0;
  size_t n;
  std::memcpy(&n, static_cast<BYTE*>(hMem) - kPrefix, sizeof n);
  return n;
}
void MemFree(HGLOBAL hMem)
{
  if (hMem) std::free(static_cast<BYTE*>(hMem) - kPrefix);
}

#endif

}  // namespace pictal
