// A small line drawing of polylines and polygons over one shared table of integer points,
// drawn scaled into any rectangle and turned by whole degrees about its centre. Its stream
// is the body of shape files (".tqz") and of vector fill records.
#pragma once

#include <cstdint>
#include <vector>

#include "CVectorPrimitive.h"

class CFile;
class CDC;

// The header fields in stream order (75 bytes in the stream).
struct CVectorShapeHeader {
  char m_Signature[3];
  int32_t m_nVersion;
  int32_t m_nReserved;
  int32_t m_nModelWidth;   // millimetres
  int32_t m_nModelHeight;
  int32_t m_nPhysWidth;    // 0.1 mm
  int32_t m_nPhysHeight;
  uint32_t m_nFrameWidth;  // point units
  uint32_t m_nFrameHeight;
  int32_t m_Bounds[4];     // left, top, right, bottom
  int32_t m_nPrimitiveCount;
  uint32_t m_nPointCount;
  int32_t m_nPrimitiveOffset;
  int32_t m_nPointOffset;
  int32_t m_nTrailerOffset;
  int32_t m_nTrailerLength;
};

#define VECTOR_HEADER_BYTES 75
#define VECTOR_PRIMITIVE_BYTES 44
#define VECTOR_TRAILER_BYTES 64

class CVectorShape {
 public:
  CVectorShape();
  CVectorShape(const CVectorShape& src);
  virtual ~CVectorShape();

  virtual void SetDefaults();
  virtual BOOL LoadMetafile(LPCTSTR lpszPath);
  virtual BOOL Draw(CDC* pDC, const RECT* pRect, int nAngle);
  virtual void Clear();
  virtual BOOL WriteStream(CFile* pFile);
  virtual BOOL SaveFile(LPCTSTR lpszPath);
  virtual BOOL ReadStream(CFile* pFile);
  virtual BOOL LoadFile(LPCTSTR lpszPath);
  virtual BOOL AddPrimitive(CVectorPrimitive* pPrimitive);
#ifdef _WIN32
  virtual BOOL TakeDcAttributes(HDC hDC, CVectorPrimitive* pPrimitive, int nWhat);
#endif
  virtual POINT GetTransformedPoint(int nIndex);
  virtual BOOL TransformPoints(const RECT* pRect, int nAngle);

  SIZE GetExtent() const;
  int GetPrimitiveCount() const { return (int)m_Primitives.size(); }
  CVectorPrimitive* GetPrimitive(int i) const { return m_Primitives[i]; }
  int GetPointCount() const { return (int)m_SourcePoints.size(); }

  // The conversion's point pool: the position of an equal point, or of the point appended.
  static int AddShapePoint(int x, int y);

  double m_dScaleX;
  double m_dScaleY;
  std::vector<CVectorPrimitive*> m_Primitives;
  std::vector<POINT> m_SourcePoints;
  std::vector<POINT> m_TransformedPoints;
  CVectorShapeHeader m_Header;
  RECT m_rcCached;
  int32_t m_nCachedAngle;

 protected:
  // The stream without (0) or with a trailer of nTrailer bytes; reading hands the trailer
  // it found to pTrailer (the first VECTOR_TRAILER_BYTES of a longer one).
  BOOL WriteStreamWith(CFile* pFile, const BYTE* pTrailer, int nTrailer);
  BOOL ReadStreamWith(CFile* pFile, BYTE* pTrailer, BOOL* pHasTrailer);
  BOOL SaveWith(LPCTSTR lpszPath);
  BOOL LoadWith(LPCTSTR lpszPath);
  // Steps 2 and 4-5 of the transformation; the mirroring subclass works in between.
  BOOL BeginTransform(const RECT* pRect, int nAngle);
  void FinishTransform(const RECT* pRect, int nAngle);
  void CopyFrom(const CVectorShape& src);

 private:
  CVectorShape& operator=(const CVectorShape&) = delete;
};

// A transformed coordinate held inside LONG (points read from a file may be anything).
LONG VectorClampToLong(double v);
