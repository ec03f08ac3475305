// The painter of a title: hands the title's style and frame to Glyphset's banner drawing.
#pragma once

#include "jvqBannerStyle.h"
#include "jvqFill.h"

class jvqBannerFill : public jvqFill {
 public:
  explicit jvqBannerFill(const jvqBannerStyle* pStyle = NULL);
  jvqBannerFill(const jvqBannerFill& src);
  virtual ~jvqBannerFill() {}

  virtual void Paint(CDC* pDC, jvqObject* pObject);
  virtual jvqFill* Clone();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);

  // The rectangle the banner is laid out in: for vertical writing the frame turned by 90
  // degrees about its centre.
  static RECT LayoutRect(const RECT& rcFrame, BOOL bHorizontal);
  jvqBannerStyle m_Style;
};
