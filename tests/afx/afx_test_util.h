// Helpers shared by the framework core's tests.
#pragma once

#include <string>
#include <vector>

#include <afx.h>

// Everything a memory file holds.
inline std::vector<BYTE> FileBytes(CFile& file) {
  DWORD pos = file.GetPosition();
  std::vector<BYTE> bytes(file.GetLength());
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), (UINT)bytes.size());
  file.Seek((LONG)pos, CFile::begin);
  return bytes;
}

// A memory file holding the given bytes, positioned at the start.
inline void FillFile(CMemFile& file, const std::vector<BYTE>& bytes) {
  file.SetLength(0);
  if (!bytes.empty()) file.Write(bytes.data(), (UINT)bytes.size());
  file.SeekToBegin();
}

// The cause of the CFileException thrown by f, or -1 when none is thrown.
template <class F>
int FileCause(F f) {
  try {
    f();
  } catch (CFileException* e) {
    int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

// The cause of the CArchiveException thrown by f, or -1 when none is thrown.
template <class F>
int ArchiveCause(F f) {
  try {
    f();
  } catch (CArchiveException* e) {
    int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}
