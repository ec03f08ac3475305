// CDib: a packed device-independent bitmap (header, colour table, rows) in one global
// memory block, the form GDI, the clipboard and the board's turning code take.
#pragma once

#include <afx.h>
#ifdef _WIN32
#include <afxwin.h>
#endif

#include "PictalTypes.h"

class CDib : public CObject {
  DECLARE_DYNCREATE(CDib)
 public:
  CDib();
  virtual ~CDib();

  // A new black picture; 1, 4 and 8 bits get a grey colour table.
  BOOL Create(int nWidth, int nHeight, int nBitCount);
  // A BMP file of any header kind, depth and compression.
  BOOL Read(LPCTSTR lpszPath);
  // Exactly nSize bytes from the file's position, as Write (CFile*) wrote them.
  BOOL Read(CFile* pFile, DWORD nSize);
  // A BMP file, through a temporary copy.
  BOOL Write(LPCTSTR lpszPath);
  // The packed DIB: GetSize bytes.
  BOOL Write(CFile* pFile);
  DWORD GetSize() const;

  // Takes a GlobalAlloc packed DIB; the block is the picture's from then on.
  BOOL CreateFromHandle(HGLOBAL hDib);
  // A copy of the bytes of a packed DIB of any kind.
  BOOL CreateFromPacked(const void* pDib, DWORD nSize);
  CDib* Clone() const;
  void Empty();
  BOOL IsEmpty() const { return m_hDib == NULL; }

  // (0, 0) is the top left pixel.
  COLORREF GetColor(int x, int y) const;
  BOOL SetColor(int x, int y, COLORREF color);

  int GetWidth() const { return m_nWidth; }
  int GetHeight() const { return m_nHeight; }
  // The packed DIB, owned by the picture. The block is fixed memory: the handle is also
  // the DIB's address, so it can be handed on as a pointer.
  HGLOBAL GetHandle() const { return m_hDib; }
  BITMAPINFOHEADER* GetBI() const;
  BYTE* GetBits() const;

#ifdef _WIN32
  // The bitmap's pixels, 24 bits per pixel.
  BOOL CreateFromBitmap(HBITMAP hBitmap);
  // A new device-dependent bitmap for the screen (or pDC), owned by the caller.
  CBitmap* CreateBitmap(CDC* pDC = NULL) const;
  // The source part (whole picture when empty) over the destination; without stretching
  // the source keeps its size at the destination's top left.
  BOOL Draw(CDC* pDC, CRect& rcDest, CRect& rcSrc, CPalette* pPalette = NULL, BOOL bStretch = TRUE);
  BOOL Draw(CDC* pDC, CRect& rcDest, CPalette* pPalette = NULL);
  BOOL DrawTo(HDC hDC, const RECT& rcDest, const RECT* prcSrc, HPALETTE hPalette, BOOL bStretch) const;
  // A moveable copy for the clipboard (CF_DIB), or NULL.
  HGLOBAL CopyForClipboard() const;
#endif

  // Read only, kept in step with the block.
  int m_nWidth;
  int m_nHeight;
  HGLOBAL m_hDib;

 private:
  BOOL Adopt(const BYTE* pNormal, size_t nSize);
};
