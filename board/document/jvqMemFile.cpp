#include "jvqMemFile.h"

IMPLEMENT_DYNAMIC(jvqMemFile, CMemFile)

static const UINT kFlags = GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT;

jvqMemFile::jvqMemFile(UINT nGrowBytes) : CMemFile(nGrowBytes) {}

jvqMemFile::jvqMemFile(HGLOBAL hGlobal, UINT nGrowBytes) : CMemFile(nGrowBytes) {
  BYTE* p = hGlobal ? (BYTE*)::GlobalLock(hGlobal) : NULL;
  if (p == NULL) return;
  m_lpBuffer = p;
  m_nBufferSize = m_nFileSize = (DWORD)::GlobalSize(hGlobal);
  m_nPosition = 0;
  m_bAutoDelete = TRUE;
}

jvqMemFile::~jvqMemFile() {
  if (m_lpBuffer) Close();
}

HGLOBAL jvqMemFile::GetHandle() const { return m_lpBuffer ? ::GlobalHandle(m_lpBuffer) : NULL; }

void jvqMemFile::FreeBlock() {
  HGLOBAL h = GetHandle();
  Close();
  if (h) ::GlobalFree(h);
}

void jvqMemFile::Close() {
  // Forgets the block without freeing it.
  if (m_lpBuffer) ::GlobalUnlock(::GlobalHandle(m_lpBuffer));
  m_bAutoDelete = FALSE;
  CMemFile::Close();
  m_bAutoDelete = TRUE;
}

BYTE* jvqMemFile::Alloc(DWORD nBytes) {
  HGLOBAL h = ::GlobalAlloc(kFlags, nBytes);
  return h ? (BYTE*)::GlobalLock(h) : NULL;
}

BYTE* jvqMemFile::Realloc(BYTE* lpMem, DWORD nBytes) {
  HGLOBAL h = ::GlobalHandle(lpMem);
  ::GlobalUnlock(h);
  HGLOBAL hNew = ::GlobalReAlloc(h, nBytes, kFlags);
  if (hNew == NULL) {
    ::GlobalLock(h);  // the old block stays the file's
    return NULL;
  }
  return (BYTE*)::GlobalLock(hNew);
}

void jvqMemFile::Free(BYTE* lpMem) {
  if (lpMem) ::GlobalUnlock(::GlobalHandle(lpMem));
}
