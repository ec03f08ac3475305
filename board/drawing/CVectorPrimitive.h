// One polyline or polygon of a vector shape: indexes into the shape's point table with the
// brush, pen and fill mode it is drawn with.
#pragma once

#include <cstdint>
#include <vector>

#include "jvqSolidFill.h"

class CDC;
class CVectorShape;

#define VECTOR_FILL_ALTERNATE 1
#define VECTOR_FILL_WINDING 2
#define VECTOR_KIND_POLYLINE 4
#define VECTOR_KIND_POLYGON 8

class CVectorPrimitive {
 public:
  CVectorPrimitive();
  CVectorPrimitive(const CVectorPrimitive& src) = default;
  CVectorPrimitive& operator=(const CVectorPrimitive& src) = default;
  virtual ~CVectorPrimitive() {}

  // The pen as drawn: the stored width scaled by the shape's last factors, truncated.
  LOGPEN ScaledPen(double sx, double sy) const;
  void Draw(CDC* pDC, CVectorShape* pShape);

  int GetIndexCount() const { return (int)m_Indexes.size(); }

  std::vector<int32_t> m_Indexes;
  LOGBRUSH m_Brush;
  int32_t m_nFillMode;
  LOGPEN m_Pen;
  int32_t m_nReserved;
  int32_t m_nKind;
};
