// The look of a title: shape, writing direction, shadow, lettering style, outline pen, fill
// brush, text, face and text colour. Its first 56 bytes are the block Glyphset draws from.
#pragma once

#include <cstdint>

#include "afx.h"
#include "jvqSolidFill.h"

class CDC;
class CPen;
class CBrush;
class CFile;
class jvqFileHeader;

#ifndef _WIN32
#define PS_SOLID 0
#define PS_NULL 5
#define BS_NULL 1
#endif

#define JVQ_BANNER_BLOCK_SIZE 56

struct jvqBannerBlock {
  CDC* pDC;             // filled in just before drawing
  const char* face;     // points into the style's face
  int32_t horizontal;   // 1 horizontal, 0 vertical
  int32_t shadow;       // 1 with shadow
  int32_t shape;        // 1 to 12
  int32_t style;        // 1 regular, 2 italic, 3 bold, 4 bold italic
  int32_t angle;        // tenths of a degree, 0 to 3590
  RECT rect;            // layout rectangle, logical units
  CPen* pPen;           // outline pen, owned by the style
  CBrush* pBrush;       // fill brush, owned by the style
  const char* text;     // points into the style's text
};

class jvqBannerStyle {
 public:
  explicit jvqBannerStyle(const jvqBannerStyle* pOther = NULL);
  ~jvqBannerStyle();

  BOOL CopyBlock(const jvqBannerStyle* pOther);  // not the colour nor the option value
  void Assign(const jvqBannerStyle& other);
  void Clear();
  jvqBannerStyle* RefreshPointers();
  void SetAngle(double dDegrees);

  void SetPenColor(COLORREF cr);
  void SetPenStyle(int nStyle);
  void SetBrushColor(COLORREF cr);
  void SetBrushStyle(int nStyle);
  void SetLogPen(const LOGPEN* pPen);
  void SetLogBrush(const LOGBRUSH* pBrush);
  COLORREF GetPenColor() const { return m_bPen ? m_LogPen.lopnColor : 0; }
  COLORREF GetBrushColor() const { return m_bBrush ? m_LogBrush.lbColor : 0; }
  BOOL IsPenNull() const { return m_bPen && m_LogPen.lopnStyle == PS_NULL; }
  BOOL IsBrushHollow() const { return m_bBrush && m_LogBrush.lbStyle == BS_NULL; }
  // Mode bits of the banner call: 1 no outline, 2 no fill.
  int GetDrawMode() const { return (IsPenNull() ? 1 : 0) + (IsBrushHollow() ? 2 : 0); }

  BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  BOOL Store(CFile* pFile, jvqFileHeader* pHeader);

  jvqBannerBlock m_Block;
  COLORREF m_crText;
  int32_t m_nOption;
  CString m_strText;
  CString m_strFace;
  // The pen and brush as values; the GDI objects of the block are made from them.
  LOGPEN m_LogPen;
  LOGBRUSH m_LogBrush;
  BOOL m_bPen;
  BOOL m_bBrush;

 private:
  jvqBannerStyle(const jvqBannerStyle&) = delete;
  jvqBannerStyle& operator=(const jvqBannerStyle&) = delete;
  void MakePen();
  void MakeBrush();
  void DeletePen();
  void DeleteBrush();
};
