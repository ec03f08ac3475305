// A picture tiled at its physical size: a picture of the texture library, or a picture
// file of the fill's own.
#pragma once

#include "jvqFill.h"

class CBaseImage;
class CDib;
class jvqImageFileList;

class jvqTextureFill : public jvqFill {
 public:
  explicit jvqTextureFill(LPCTSTR lpszPath = NULL);
  jvqTextureFill(const jvqTextureFill& src);
  virtual ~jvqTextureFill();

  virtual void FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip);
  virtual void PaintRect(CDC* pDC, const RECT* pRect);
  virtual jvqFill* Clone();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);

  // The file as the fill's own picture; NULL (and none kept) unless it reads as a raster.
  CBaseImage* SetFile(LPCTSTR lpszPath);
  void Clear();
  CDib* GetDib();

  static void SetLibrary(jvqImageFileList* pLibrary) { s_pLibrary = pLibrary; }
  static jvqImageFileList* GetLibrary() { return s_pLibrary; }

  int m_nIndex;
  CBaseImage* m_pImage;
  CString m_strPath;

 protected:
  static jvqImageFileList* s_pLibrary;
};
