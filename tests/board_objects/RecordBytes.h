// Records written to and read back from memory files.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "afx.h"

typedef std::vector<uint8_t> Bytes;

template <class T>
Bytes StoreBytes(T& item) {
  CMemFile file;
  EXPECT_TRUE(item.Store(&file, NULL));
  Bytes out(file.GetLength());
  file.SeekToBegin();
  if (!out.empty()) file.Read(out.data(), (UINT)out.size());
  return out;
}

// Loads from the bytes after skipping `skip` leading bytes (the class code the reader
// has already taken); the file holds exactly the bytes given.
template <class T>
BOOL LoadBytes(T& item, const Bytes& bytes, size_t skip = 0) {
  CMemFile file;
  if (bytes.size() > skip) file.Write(bytes.data() + skip, (UINT)(bytes.size() - skip));
  file.SeekToBegin();
  return item.Load(&file, NULL);
}

inline int32_t Int32At(const Bytes& b, size_t off) {
  int32_t v;
  std::memcpy(&v, b.data() + off, 4);
  return v;
}

inline void PutInt32(Bytes& b, size_t off, int32_t v) { std::memcpy(b.data() + off, &v, 4); }
