// CDibImage: a raster picture; BMP files, and the DIB form every raster is stored in.
#pragma once

#include "BaseImage.h"
#include "Dib.h"

class CDibImage : public CBaseImage {
  DECLARE_DYNCREATE(CDibImage)
 public:
  CDibImage();
  virtual ~CDibImage();

#ifdef _WIN32
  virtual BOOL SetClipboard();
#endif
  virtual BOOL CreateFromHandle(HGLOBAL hData);
#ifdef _WIN32
  // CF_DIB, else CF_BITMAP.
  virtual BOOL CreateFromClipboard();
  virtual BOOL CreateFromBitmap(HBITMAP hBitmap);
#endif
  virtual CSize GetDimensions();
  virtual DWORD GetSize();
#ifdef _WIN32
  virtual BOOL Draw(CDC* pDC, const CRect& rcDest, const CRect& rcSrc);
  virtual BOOL Draw(CDC* pDC, CPoint ptDest);
  virtual BOOL Draw(CDC* pDC, CPoint ptDest, CSize sizeDest);
#endif
  virtual BOOL Write(LPCTSTR lpszPath);
  virtual BOOL Write(CFile* pFile);
  virtual BOOL Read(LPCTSTR lpszPath);
  virtual BOOL Read(CFile* pFile, DWORD nSize);
  virtual BITMAPINFOHEADER* GetBI();
  virtual CBaseImage* Clone();

  CDib* GetDib() { return m_pDib; }

 protected:
  // Takes a decoded picture; FALSE and empty when there is none.
  BOOL SetDib(CDib* pDib);

  CDib* m_pDib;  // never NULL
};
