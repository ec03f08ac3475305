// Plain or hatched brush fill; also the colour value of pickers, backgrounds and line ends.
#pragma once

#include "jvqFill.h"

#ifndef _WIN32
// The three values of a Win32 LOGBRUSH, as they stand in the record.
typedef struct tagLOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  LONG lbHatch;
} LOGBRUSH;
#define BS_SOLID 0
#define BS_HATCHED 2
#define BS_DIBPATTERN 5
// A Win32 LOGPEN, as titles and vector shapes keep it.
typedef struct tagLOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;
  COLORREF lopnColor;
} LOGPEN;
#endif

class jvqSolidFill : public jvqFill {
 public:
  explicit jvqSolidFill(COLORREF crColor);
  jvqSolidFill(UINT nStyle, COLORREF crColor, LONG nHatch);
  jvqSolidFill(const jvqSolidFill& src);
  virtual ~jvqSolidFill() {}

  virtual void Paint(CDC* pDC, jvqObject* pObject);
  virtual void FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip);
  virtual void PaintRect(CDC* pDC, const RECT* pRect);
  virtual jvqFill* Clone();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void SetPatternIndex(int nIndex);
  virtual void SetLogBrush(const LOGBRUSH* pBrush);
  virtual void SetColor(COLORREF crColor);
  virtual BOOL SetBrush(UINT nStyle, COLORREF crColor, LONG nHatch);

  UINT GetBrushStyle() const { return m_LogBrush.lbStyle; }
  COLORREF GetColor() const { return m_LogBrush.lbColor; }
  LONG GetHatch() const { return (LONG)m_LogBrush.lbHatch; }

  int m_nPatternIndex;
  LOGBRUSH m_LogBrush;
};
