// Two-colour gradient of nine kinds over the page-aligned box of the painted region.
#pragma once

#include "jvqFill.h"

// Receives what the gradient painter draws: strips (right and bottom exclusive) and the
// four-point bands of the diagonal kinds.
class jvqGradientSink {
 public:
  virtual ~jvqGradientSink() {}
  virtual void Strip(const RECT& rc, COLORREF cr) = 0;
  virtual void Band(const POINT pts[4], COLORREF cr) = 0;
};

class jvqGradientFill : public jvqFill {
 public:
  jvqGradientFill();
  jvqGradientFill(const jvqGradientFill& src);
  virtual ~jvqGradientFill() {}

  virtual void FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip);
  virtual jvqFill* Clone();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);

  void SetColor1(COLORREF cr) { m_crColor1 = cr; }
  void SetColor2(COLORREF cr) { m_crColor2 = cr; }
  void SetKind(int nKind) { m_nKind = nKind; }
  void PaintGradient(CDC* pDC, const RECT* pBox);
  // The strips and bands of the gradient over a box; on a printer every change of colour
  // makes a band, on screen only a change of more than 3 summed channel steps.
  void ComputeBands(const RECT* pBox, BOOL bPrinting, jvqGradientSink& sink) const;

  COLORREF m_crColor1;
  COLORREF m_crColor2;
  int m_nKind;
};

// The colour at step p of n from c1 towards c2: per channel c1 + (d / n) x p, the
// increment held as a float and the sum truncated; n of 0 gives c1.
COLORREF GradientColorAt(COLORREF c1, COLORREF c2, int p, int n);
