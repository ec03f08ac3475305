// A shape or symbol file (".tqz") of the palettes, read as a symbol's fill reads it, then
// laid into frames at several angles, mirrored, and written back.
#include "CVectorShapeEx.h"
#include "FuzzTarget.h"

void FuzzOne(const uint8_t* data, size_t size) {
  const std::string path = fuzz::WriteScratch("shape.tqz", data, size);
  CVectorShapeEx shape;
  if (!shape.LoadFile(path.c_str())) return;
  shape.GetExtent();
  const RECT frames[] = {{0, 0, 2000, 1000}, {-500, -500, 500, 500}, {0, 0, 1, 1}};
  const int angles[] = {0, 30, 90, 359};
  for (const RECT& rc : frames)
    for (int angle : angles) {
      shape.m_nMirror = angle == 90 ? VECTOR_MIRROR_HORIZONTAL | VECTOR_MIRROR_VERTICAL : 0;
      shape.TransformPoints(&rc, angle);
    }
  CMemFile out;
  shape.WriteStream(&out);
}
