// Tables an archive keeps while it reads or writes objects.
#pragma once

#include <unordered_map>
#include <vector>

#include "afx.h"

struct AfxArchiveLoadEntry {
  void* p;       // CObject* or CRuntimeClass*; NULL for the entry 0
  bool isClass;
  UINT nSchema;  // for a class: the schema read with it
};
typedef std::vector<AfxArchiveLoadEntry> AfxArchiveLoadArray;
typedef std::unordered_map<const void*, DWORD> AfxArchiveStoreMap;
