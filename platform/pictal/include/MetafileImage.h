// CMetafileImage: a vector picture. Reads enhanced metafiles, Windows metafiles (placeable
// or not), floor-plan files (a 24-byte "kxq" header before a metafile) and DXF drawings,
// and keeps them as one enhanced metafile.
#pragma once

#include <vector>

#include "BaseImage.h"

class CMetafileImage : public CBaseImage {
  DECLARE_DYNCREATE(CMetafileImage)
 public:
  CMetafileImage();
  virtual ~CMetafileImage();

#ifdef _WIN32
  virtual BOOL SetClipboard();
#endif
  // Takes a GlobalAlloc block holding an enhanced metafile; the block is freed.
  virtual BOOL CreateFromHandle(HGLOBAL hData);
#ifdef _WIN32
  // CF_ENHMETAFILE.
  virtual BOOL CreateFromClipboard();
  // The bitmap drawn into a metafile.
  virtual BOOL CreateFromBitmap(HBITMAP hBitmap);
#endif
  virtual CSize GetDimensions();
  virtual DWORD GetSize();
#ifdef _WIN32
  virtual BOOL Draw(CDC* pDC, const CRect& rcDest, const CRect& rcSrc);
  virtual BOOL Draw(CDC* pDC, CPoint ptDest);
  virtual BOOL Draw(CDC* pDC, CPoint ptDest, CSize sizeDest);
#endif
  // An enhanced metafile.
  virtual BOOL Write(LPCTSTR lpszPath);
  // As WriteforSerialize.
  virtual BOOL Write(CFile* pFile);
  virtual BOOL Read(LPCTSTR lpszPath);
  virtual BOOL Read(CFile* pFile, DWORD nSize);
  virtual BITMAPINFOHEADER* GetBI();
  virtual CBaseImage* Clone();

  // A 32-bit byte count, then the enhanced metafile.
  BOOL WriteforSerialize(CFile* pFile);
  BOOL ReadforSerialize(CFile* pFile);
  // The area being painted, in the caller's logical units; kept for the caller.
  void SetRectSam(CRect rect) { m_rectSam = rect; }
  CRect GetRectSam() const { return m_rectSam; }

  // The enhanced metafile's bytes.
  const std::vector<BYTE>& GetData() const { return m_data; }
  BOOL SetData(const BYTE* pData, size_t nSize);
#ifdef _WIN32
  // The enhanced metafile, owned by the picture (NULL when empty).
  HENHMETAFILE GetHandle();
#endif

 protected:
  std::vector<BYTE> m_data;
  CRect m_rectSam;
#ifdef _WIN32
  HENHMETAFILE m_hEmf;
#endif
};
