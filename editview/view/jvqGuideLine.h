// A guide line of one ruler: a vertical line at an x (horizontal ruler) or a horizontal
// line at a y (vertical ruler), belonging to one page.
#pragma once

#include "afxwin.h"

class jvqLineStyle;
class jvqPage;
class jvqRulerBar;

class jvqGuideLine {
 public:
  jvqGuideLine(POINT pt, jvqRulerBar* pRuler, jvqPage* pPage, CBitmap* pMarker, CBitmap* pSelected, CBitmap* pMask);

  int GetPageIndex();
  void DrawInView(CDC* pDC, jvqLineStyle* pStyle);
  void DrawMarker(CDC* pDC);
  void GetMarkerRect(RECT* pOut);
  BOOL HitTest(POINT pt);
  BOOL IsOnCurrentPage();

  POINT m_ptPos;
  BOOL m_bVisible;
  CBitmap* m_pMarker;
  CBitmap* m_pSelectedMarker;
  CBitmap* m_pMask;
  jvqRulerBar* m_pRuler;
  BOOL m_bSelected;
  int m_nMarkerOffset;
  jvqPage* m_pPage;
};
