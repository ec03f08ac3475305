// The shipped "objects": every drawing tool's prototype as the program builds it, so that a
// first start reads the same defaults a later start reads back.
#include "jvqObjectDefaults.h"
#include "jvqObjectsFile.h"

BOOL MakeObjectsFile(const CString& folder) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  d->RemoveAll();
  d->CreatePrototypes();
  return jvqSaveObjectsFile(folder + "objects");
}
