// The prototype file "objects" of the program folder, read at start-up into the defaults
// registry; every prototype is then used as new objects use it.
#include "BoardObjects.h"
#include "FuzzTarget.h"
#include "jvqObjectsFile.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("objects", data, size);
  jvqLoadObjectsFile(path.c_str());
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  jvqFileHeader header;
  for (int i = 0; i < d->GetCount(); i++) fuzz::UseObject(d->GetAt(i), &header);
  jvqObjectDefaults::FreeObjectDefaults();
}
