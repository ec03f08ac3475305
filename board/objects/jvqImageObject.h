// A picture on a board: a rectangle without outline whose picture fill draws a picture of
// the document's image pool. Rasters turn with the object; metafiles stay upright.
#pragma once

#include "jvqRectObject.h"

class CBaseImage;
class jvqImageFill;
class jvqImagePool;

class jvqImageObject : public jvqRectObject {
 public:
  jvqImageObject(jvqImagePool* pPool, LPCTSTR lpszPath, jvqViewMapping* pView);
  jvqImageObject(const jvqImageObject& src);
  virtual ~jvqImageObject() {}

  virtual BOOL Flip(int nAxis);
  virtual void Draw(CDC* pDC);
  virtual jvqObject* Clone();
  virtual int BeginTrack(int nHandle, jvqObject* pAnchor);
  virtual void SetRotation(int nAngle);

  CString GetFileName() const { return m_strPath; }
  jvqImageFill* GetImageFill() const;
  // Reads the file into a new picture fill; with bResize the object takes the picture's
  // size at its top-left corner. 0 (geometry kept) when the file gives no picture.
  BOOL LoadImage(jvqImagePool* pPool, LPCTSTR lpszPath, BOOL bResize);
  BOOL SetPicture(jvqImagePool* pPool, CBaseImage* pImage, BOOL bResize);
#ifdef _WIN32
  BOOL LoadFromClipboard();
  HANDLE CopyToClipboard();
#endif

  // The picture's size in logical units: by its resolution (fitted into 2000 x 2000), else
  // 1.27 units per pixel; a metafile through the owner view.
  SIZE GetNaturalSize(CBaseImage* pImage);

  CString m_strPath;

 protected:
  void UpdateEditFlags();
};
