// CTiffImage: a raster picture read from a TIFF file; stored as its DIB like every raster.
#pragma once

#include "DibImage.h"

class CTiffImage : public CDibImage {
  DECLARE_DYNCREATE(CTiffImage)
 public:
  CTiffImage();
  virtual ~CTiffImage();

  virtual BOOL Read(LPCTSTR lpszPath);
  virtual BOOL Write(LPCTSTR lpszPath);
  virtual CBaseImage* Clone();
};
