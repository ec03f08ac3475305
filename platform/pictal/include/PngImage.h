// CPngImage: a raster picture read from a PNG file; stored as its DIB like every raster.
#pragma once

#include "DibImage.h"

class CPngImage : public CDibImage {
  DECLARE_DYNCREATE(CPngImage)
 public:
  CPngImage();
  virtual ~CPngImage();

  virtual BOOL Read(LPCTSTR lpszPath);
  virtual BOOL Write(LPCTSTR lpszPath);
  virtual CBaseImage* Clone();
};
