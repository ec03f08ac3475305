// CBaseImage: a picture of any kind, read from a file, a stream or the clipboard, drawn
// into any DC and written back.
#pragma once

#include <afx.h>
#ifdef _WIN32
#include <afxwin.h>
#endif

#include "PictalTypes.h"

class CBaseImage : public CObject {
  DECLARE_DYNAMIC(CBaseImage)
 public:
  // A new, read picture of the class the upper-cased extension names (the content decides
  // for other extensions), or NULL.
  static CBaseImage* PASCAL CreateFromPath(LPCTSTR lpszPath);
  // A new, empty picture of the class for the extension, or NULL for an unknown one.
  static CBaseImage* PASCAL CreateForExtension(LPCTSTR lpszPath);

  virtual ~CBaseImage();

#ifdef _WIN32
  // Adds the picture to the clipboard that the caller has opened (and emptied).
  virtual BOOL SetClipboard();
#endif
  virtual BOOL CreateFromHandle(HGLOBAL hData);
#ifdef _WIN32
  virtual BOOL CreateFromClipboard();
  virtual BOOL CreateFromBitmap(HBITMAP hBitmap);
#endif
  // Pixels of a raster; a metafile's size taken as screen pixels.
  virtual CSize GetDimensions();
  // The bytes Write (CFile*) writes.
  virtual DWORD GetSize();
#ifdef _WIN32
  virtual BOOL Draw(CDC* pDC, const CRect& rcDest, const CRect& rcSrc);
  virtual BOOL Draw(CDC* pDC, CPoint ptDest);
  virtual BOOL Draw(CDC* pDC, CPoint ptDest, CSize sizeDest);
#endif
  virtual BOOL Write(LPCTSTR lpszPath);
  virtual BOOL Write(CFile* pFile);
  virtual BOOL Read(LPCTSTR lpszPath);
  // Exactly nSize bytes, as Write (CFile*) wrote them.
  virtual BOOL Read(CFile* pFile, DWORD nSize);
  // The raster's header; NULL for a metafile.
  virtual BITMAPINFOHEADER* GetBI();
  virtual CBaseImage* Clone();

 protected:
  CBaseImage();
};
