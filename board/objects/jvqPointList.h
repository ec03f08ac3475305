// The point container of every drawing object: defining points, computed outlines,
// frame points. Its record is an int32 count followed by the int32 x, y pairs.
#pragma once

#include <vector>

#include "afx.h"

class CDC;
class CRgn;
class jvqFileHeader;

// Largest coordinate a record may carry (0.1 mm: 100 m, far beyond any sheet). Curves are
// computed in thousandths of a unit in int, which this keeps from overflowing.
#define JVQ_MAX_COORDINATE 1000000

class jvqPointList {
 public:
  jvqPointList() {}
  jvqPointList(const POINT* pPoints, int nCount);
  explicit jvqPointList(const RECT& rc);  // the 8 frame points of the rectangle
  jvqPointList(const jvqPointList& src) : m_points(src.m_points) {}
  jvqPointList& operator=(const jvqPointList& src) {
    m_points = src.m_points;
    return *this;
  }
  BOOL operator==(const jvqPointList& other) const { return m_points.size() == other.m_points.size() && Same(other); }
  BOOL operator!=(const jvqPointList& other) const { return !(*this == other); }

  virtual void InsertAt(int i, const POINT* pPoint);
  virtual ~jvqPointList() {}
  // pDC null: polygon region of the points; otherwise a path region of device points.
  virtual BOOL CreatePathRgn(CDC* pDC, CRgn* pRgn, const int* pTypes);
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void ToDevice(CDC* pDC, jvqPointList& out);

  BOOL SetPoints(const POINT* pPoints, int nCount);
  int GetCount() const { return (int)m_points.size(); }
  POINT* GetAt(int i) { return &m_points[i]; }
  const POINT* GetAt(int i) const { return &m_points[i]; }
  const POINT* GetData() const { return m_points.data(); }
  void SetAt(int i, const POINT* pPoint) { m_points[i] = *pPoint; }
  void Add(const POINT* pPoint) { m_points.push_back(*pPoint); }
  void RemoveAt(int i);
  void RemoveAll() { m_points.clear(); }
  void Offset(const SIZE* pSize);
  void Scale(double sx, double sy);
  void Rotate(int cx, int cy, int nAngle);
  void RotateInto(int cx, int cy, int nAngle, jvqPointList& out) const;
  POINT* GetCentroid(POINT* pOut) const;
  void MoveCentroidTo(const POINT* pPoint);
  int GetBoundRect(RECT* pRect) const;
  void GetBoundingFrame(jvqPointList& out) const;
  POINT* GetLeftPoint(POINT* pOut) const;
  POINT* GetRightPoint(POINT* pOut) const;
  POINT* GetTopPoint(POINT* pOut) const;
  POINT* GetBottomPoint(POINT* pOut) const;
  BOOL CreatePolygonRgn(CRgn* pRgn) const;
  // TRUE when the list goes round an upright rectangle (four corners in turn, and perhaps
  // points part way along its sides), which *pRect then holds with left <= right, top <= bottom.
  BOOL IsUprightRect(RECT* pRect) const;
  BOOL PtInPolygon(const POINT* pPoint) const;
  BOOL SetArcPoints(RECT rc, int nStart, int nEnd, int, int, int nPoints);
  BOOL SetRoundRectPoints(RECT rc, int nCornerWidth, int nCornerHeight, int);

 private:
  BOOL Same(const jvqPointList& other) const;
  std::vector<POINT> m_points;
};
