// A packed DIB read from inside another file (the board document's thumbnail, the image
// pool's pictures): the size comes from the container, the bytes from the file.
#include "Dib.h"
#include "FuzzTarget.h"

void FuzzOne(const uint8_t* data, size_t size) {
  CMemFile file(const_cast<BYTE*>(data), (UINT)size);
  CDib dib;
  if (!dib.Read(&file, (DWORD)size)) return;
  dib.GetColor(0, 0);
  dib.GetColor(dib.GetWidth() - 1, dib.GetHeight() - 1);
  CMemFile out;
  dib.Write(&out);
}
