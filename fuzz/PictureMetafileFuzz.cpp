// A metafile picture (enhanced, or inside a floor-plan file) opened through the picture
// library, and the same bytes as the length-prefixed block a document stores.
#include "FuzzTarget.h"
#include "MetafileImage.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("picture.emf", data, size);
  {
    CMetafileImage image;
    if (image.Read(path.c_str())) {
      CBaseImage* copy = image.Clone();
      delete copy;
    }
  }
  CMemFile file(const_cast<BYTE*>(data), (UINT)size);
  CMetafileImage stored;
  stored.ReadforSerialize(&file);
}
