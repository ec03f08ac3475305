// The painter of a picture object: the picture lives in the document's image pool and is
// drawn stretched over the object's box; a raster turned with its object is drawn from a
// turned copy kept until the angle or the zoom changes.
#pragma once

#include "jvqFill.h"
#include "jvqPointList.h"

class CBaseImage;
class jvqImagePool;

class jvqImageFill : public jvqFill {
 public:
  jvqImageFill(LPCTSTR lpszPath, jvqImagePool* pPool);
  jvqImageFill(const jvqImageFill& src);
  virtual ~jvqImageFill();

  virtual void Paint(CDC* pDC, jvqObject* pObject);
  virtual void FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip);
  virtual jvqFill* Clone();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  // A new, empty picture of the class the file's whole extension names.
  virtual CBaseImage* CreateImageForFile(LPCTSTR lpszPath);

  BOOL SetFile(LPCTSTR lpszPath, jvqImagePool* pPool);
  BOOL SetPicture(CBaseImage* pImage, jvqImagePool* pPool);
#ifdef _WIN32
  BOOL ReadClipboard();
#endif
  CBaseImage* GetImage() const;
  void Clear();
  // Forgets the turned copy, so that the next painting makes it again.
  void DropTurnedCopy();

  int GetPoolId() const { return m_nPoolId; }
  jvqImagePool* GetPool() const { return m_pPool; }
  const CString& GetPath() const { return m_strPath; }
  // How many turned copies this fill has made (for the view's tests and benchmarks).
  int GetTurnedCopyCount() const { return m_nTurnedCopies; }
  BOOL HasTurnedCopy() const { return m_bOwnsDrawn && m_pDrawn != NULL; }

  // The pool a fill takes when it has none (the application's current document's).
  static jvqImagePool* (*s_pfnDefaultPool)();

  float m_fAngle;
  jvqImagePool* m_pPool;
  int m_nPoolId;
  CBaseImage* m_pDrawn;
  CString m_strPath;
  jvqPointList m_DeviceOutline;
  int m_nDrawMode;
  int m_nZoom;

 protected:
  void BuildTurnedCopy(CDC* pDC, int nAngle);
  BOOL m_bOwnsDrawn;
  int m_nTurnedCopies;
};
