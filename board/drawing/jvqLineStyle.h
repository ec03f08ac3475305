// The pen of every drawing object and the program's line painter. Wide dashed lines are
// cut into dashes by CDashLine and stroked as one path with a solid geometric pen.
#pragma once

#include "afx.h"

class CDC;
class CRgn;
class CDashLine;
class jvqObject;
class jvqPointList;
class jvqFileHeader;

#define LINE_STYLE_NONE 5

class jvqLineStyle {
 public:
  jvqLineStyle(int nWidth = 1, COLORREF crColor = 0, int nPenStyle = 0, BOOL bRasterOp = FALSE,
               int nRop2 = 0, const char* pszName = NULL);
  jvqLineStyle(const jvqLineStyle& src);
  jvqLineStyle& operator=(const jvqLineStyle& src);
  virtual ~jvqLineStyle();

  virtual int DrawPointList(CDC* pDC, const jvqPointList& list, BOOL bOpen);
  virtual int DrawObjectOutline(CDC* pDC, jvqObject* pObject);
  virtual void DrawPolyline(CDC* pDC, const POINT* pPoints, int nCount, BOOL bOpen);
  virtual void DrawRect(CDC* pDC, const RECT* pRect);
  virtual void DrawLine(CDC* pDC, const POINT* pFrom, const POINT* pTo);
  virtual void DrawRoundRect(CDC* pDC, const RECT* pRect, int nCornerWidth, int nCornerHeight,
                             int nRotation);
  virtual void DrawEllipse(CDC* pDC, const RECT* pRect, double dRotation);
  virtual void DrawBezier(CDC* pDC, const POINT* pPoints, int nCount, BOOL bCloseFigure);
  virtual void DrawBezierPointList(CDC* pDC, const jvqPointList& list, BOOL bCloseFigure);
  virtual void DrawArc(CDC* pDC, const RECT* pRect, int nStart, int nEnd, int nRotation,
                       int nCloseKind);
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void BeginDraw(CDC* pDC);
  virtual void EndDraw(CDC* pDC);

  BOOL Set(int nWidth, COLORREF crColor, int nPenStyle, BOOL bRasterOp, int nRop2,
           const char* pszName);
  void SetWidth(int nWidth) { m_nWidth = m_nWidthCopy = nWidth; }
  void SetStyle(int nPenStyle) { m_nPenStyle = nPenStyle; }
  void SetColor(COLORREF crColor) { m_crColor = crColor; }
  void SetName(const char* pszName) { m_strName = pszName ? pszName : ""; }
  CString GetName() const { return m_strName; }
  int GetWidth() const { return m_nWidth; }
  int GetStyle() const { return m_nPenStyle; }
  COLORREF GetColor() const { return m_crColor; }
  // Pen style 5 and width 0 draw nothing at all.
  BOOL DrawsNothing() const { return m_nPenStyle == LINE_STYLE_NONE || m_nWidth == 0; }
  // Width 1 or a solid style is drawn with a plain GDI pen; otherwise through CDashLine.
  BOOL UsesPlainPen() const { return m_nWidth == 1 || m_nPenStyle == 0; }

  BOOL MakeEllipseRegion(CDC* pDC, CRgn* pRgn, const RECT* pRect, int nRotation);
  BOOL MakeRoundRectRegion(CDC* pDC, CRgn* pRgn, const RECT* pRect, int nCornerWidth,
                           int nCornerHeight, int nRotation);
  void TraceArcByDegrees(CDC* pDC, const RECT* pRect, int nStart, int nEnd, int nRotation,
                         POINT ptCenter, BOOL bMoveFirst, int nCloseKind);
  void TraceRoundRect(CDC* pDC, const RECT* pRect, int nCornerWidth, int nCornerHeight,
                      int nRotation);
  void StrokeDashPath(COLORREF crColor, CDC* pDC, BOOL bRoundEnds);

  int m_nPenStyle;
  int m_nWidth;
  int m_nWidthCopy;
  COLORREF m_crColor;
  BOOL m_bRasterOp;
  int m_nRop2;
  void* m_hOldPen;  // HGDIOBJ selected before drawing began
  void* m_hPen;     // HPEN made by BeginDraw
  int m_nOldRop2;
  int m_nOldBkMode;
  CString m_strName;
  CDashLine* m_pDashLine;
  BOOL m_bRoundEnds;
  BOOL m_bCloseFigure;

 private:
  void MoveTo(CDC* pDC, int x, int y);
  void LineTo(CDC* pDC, int x, int y);
  // Lines from the current position through the points, as LineTo after LineTo would draw them.
  void LineThrough(CDC* pDC, const POINT* pPoints, int nCount);
  BOOL BeginRegionPath(CDC* pDC);
  BOOL EndRegionPath(CDC* pDC, CRgn* pRgn);
  int m_nDrawDepth;  // nested BeginDraw/EndDraw keep the outer bracket's DC state
};

// Dash pattern of a style: up to 8 entries written to pOut; returns the count.
int MakeDashPattern(int* pOut, BOOL bRoundEnds, int nWidth, unsigned nStyle);

extern jvqLineStyle theXorDotStyle;
extern jvqLineStyle theXorSolidStyle;
extern jvqLineStyle theNoLineStyle;
extern jvqLineStyle theSolidLineStyle;
extern jvqLineStyle theDotLineStyle;
extern jvqLineStyle theDashLineStyle;
extern jvqLineStyle theDash2LineStyle;
extern jvqLineStyle theDash3LineStyle;
