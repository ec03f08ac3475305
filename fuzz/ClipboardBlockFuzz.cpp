// A "JVQ_CLIPBOARD" block as paste reads it from the clipboard's memory.
#include <vector>

#include "BoardObjects.h"
#include "FuzzTarget.h"
#include "jvqClipboardBlock.h"

void FuzzOne(const uint8_t* data, size_t size) {
  fuzz::EnsurePrototypes();
  CMemFile file(const_cast<BYTE*>(data), (UINT)size);
  jvqFileHeader header;
  std::vector<jvqObject*> made;
  if (jvqReadClipboardBlock(&file, &header, made))
    for (jvqObject* p : made) fuzz::UseObject(p, &header);
  for (jvqObject* p : made) delete p;
  jvqObjectDefaults::FreeObjectDefaults();
}
