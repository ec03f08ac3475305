// CJpegImage: a raster picture read from a JPEG file; stored as its DIB like every raster.
#pragma once

#include "DibImage.h"

class CJpegImage : public CDibImage {
  DECLARE_DYNCREATE(CJpegImage)
 public:
  CJpegImage();
  virtual ~CJpegImage();

  virtual BOOL Read(LPCTSTR lpszPath);
  virtual BOOL Write(LPCTSTR lpszPath);
  virtual CBaseImage* Clone();
};
