// A memory file over shareable global memory, so that its block can be handed to the
// clipboard. The block is never freed by the file: once handed over, it is the clipboard's.
#pragma once

#include "afx.h"

class jvqMemFile : public CMemFile {
  DECLARE_DYNAMIC(jvqMemFile)
 public:
  explicit jvqMemFile(UINT nGrowBytes = 1024);
  // Reads a block that belongs to someone else (the clipboard); it stays locked while the
  // file is open.
  jvqMemFile(HGLOBAL hGlobal, UINT nGrowBytes);
  virtual ~jvqMemFile();

  HGLOBAL GetHandle() const;
  // Frees the block; only for a block that was never handed over.
  void FreeBlock();
  virtual void Close();

 protected:
  virtual BYTE* Alloc(DWORD nBytes);
  virtual BYTE* Realloc(BYTE* lpMem, DWORD nBytes);
  virtual void Free(BYTE* lpMem);
};
