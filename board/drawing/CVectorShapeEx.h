// The vector shape as instantiated: mirroring, and a 64-byte trailer in its stream that
// keeps the origin mark of palette copies and the mirror flags.
#pragma once

#include "CVectorShape.h"

#define VECTOR_MIRROR_VERTICAL 1
#define VECTOR_MIRROR_HORIZONTAL 2
// The next drawing transforms again whatever the rectangle.
#define VECTOR_ANGLE_STALE 0x7FFFFFFF

class CVectorShapeEx : public CVectorShape {
 public:
  CVectorShapeEx();
  CVectorShapeEx(const CVectorShapeEx& src);
  virtual ~CVectorShapeEx() {}

  virtual BOOL WriteStream(CFile* pFile);
  virtual BOOL SaveFile(LPCTSTR lpszPath);
  virtual BOOL ReadStream(CFile* pFile);
  virtual BOOL LoadFile(LPCTSTR lpszPath);
  virtual BOOL TransformPoints(const RECT* pRect, int nAngle);

  int GetOriginMark() const;
  // 1 for a copy placed from the symbol folder, 2 for a symbol placed from the shapes folder.
  void SetOriginMark(int nMark);
  void ToggleMirror(int nBit);

  int32_t m_nMirror;
  BYTE m_Trailer[VECTOR_TRAILER_BYTES];

 private:
  CVectorShapeEx& operator=(const CVectorShapeEx&) = delete;
};
