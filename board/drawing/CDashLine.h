// Cuts straight and Bezier segments into dashes, emitting each dash as a figure of the
// DC's path; the path is stroked afterwards with a solid pen of the full width.
#pragma once

#include "afx.h"

class CDC;

struct DoublePoint {
  double x;
  double y;
};

struct BezierCurve {
  DoublePoint P0, P1, P2, P3;

  void Halve(BezierCurve& left, BezierCurve& right) const;
  // Takes the piece from 0 to t off the curve and returns it; the curve keeps the rest.
  BezierCurve SplitAt(double t);
  void ToPoints(POINT out[4]) const;
  // The parameter at which a length of nRemaining is reached; reduces nRemaining by what
  // it used (the whole curve when it is shorter).
  double ParamAtLength(int& nRemaining) const;
};

extern int theBezierDepth;
void MeasureBezierLength(const BezierCurve& curve, double dTolerance, double& dTarget, double& t,
                         double& dLength);

class CDashLine {
 public:
  CDashLine(CDC* pDC, const int* pPattern, int nCount);
  ~CDashLine();

  void SetPattern(const int* pPattern, int nCount);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void PolyBezierTo(const POINT pts[3]);

  CDC* m_pDC;
  int m_nIndex;
  int m_nCount;
  int m_nRemaining;
  int* m_pPattern;
  POINT m_ptCurrent;

 private:
  void DashTo(int x, int y);
  void Restart();
  void NextEntry();
  CDashLine(const CDashLine&) = delete;
  CDashLine& operator=(const CDashLine&) = delete;
};
