// What the board designer does with objects it has just read: measure, copy and store
// them again, so that a record that reads but leaves an object inconsistent shows up.
#pragma once

#include "afx.h"
#include "jvqFileHeader.h"
#include "jvqObject.h"
#include "jvqObjectDefaults.h"

namespace fuzz {

inline void EnsurePrototypes() {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  if (d->GetCount() == 0) d->CreatePrototypes();
}

inline void UseObject(jvqObject* p, jvqFileHeader* pHeader) {
  RECT r;
  p->GetBoundRect(&r);
  jvqObject* pCopy = p->Clone();
  CMemFile out;
  if (pCopy) pCopy->Store(&out, pHeader);
  delete pCopy;
}

}  // namespace fuzz
