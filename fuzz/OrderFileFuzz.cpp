// An order file ("info.txt") of a favourites or palette folder, split as the palettes read
// it; every name is then used to make a file name the way the folder loader does.
#include "FuzzTarget.h"
#include "qvzContentFolders.h"

void FuzzOne(const uint8_t* data, size_t size) {
  CStringArray names;
  ParseOrderFile(reinterpret_cast<const char*>(data), size, names);
  for (int i = 0; i < names.GetSize(); i++) {
    CString path = qvzFolderPrefix(names[i]) + names[i] + ".qzl";
    qvzEndsWithSeparator(path);
  }
}
