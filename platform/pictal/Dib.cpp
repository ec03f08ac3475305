#include "Dib.h"

#include <cstring>
#include <new>

#include "DibFormat.h"
#include "DibMemory.h"
#include "PictalFile.h"

IMPLEMENT_DYNCREATE(CDib, CObject)

CDib::CDib() : m_nWidth(0), m_nHeight(0), m_hDib(NULL) {}

CDib::~CDib() { Empty(); }

void CDib::Empty()
{
  pictal::MemFree(m_hDib);
  m_hDib = NULL;
  m_nWidth = m_nHeight = 0;
}

BOOL CDib::Adopt(const BYTE* pNormal, size_t nSize)
{
  pictal::DibLayout layout;
  if (!pictal::DescribeDib(pNormal, nSize, &layout)) return FALSE;
  HGLOBAL h = pictal::MemAlloc(layout.totalBytes);
  if (!h) return FALSE;
  std::memcpy(pictal::MemPtr(h), pNormal, layout.totalBytes);
  Empty();
  m_hDib = h;
  m_nWidth = layout.width;
  m_nHeight = layout.height;
  return TRUE;
}

BOOL CDib::Create(int nWidth, int nHeight, int nBitCount)
{
  pictal::Bytes dib;
  return pictal::CreateDib(nWidth, nHeight, nBitCount, &dib) && Adopt(dib.data(), dib.size());
}

BOOL CDib::CreateFromPacked(const void* pDib, DWORD nSize)
{
  pictal::Bytes dib;
  return pictal::NormalizeDib(static_cast<const BYTE*>(pDib), nSize, 0, &dib) && Adopt(dib.data(), dib.size());
}

BOOL CDib::CreateFromHandle(HGLOBAL hDib)
{
  if (!hDib) return FALSE;
  BOOL ok = CreateFromPacked(pictal::MemPtr(hDib), (DWORD)pictal::MemSize(hDib));
#ifdef _WIN32
  GlobalUnlock(hDib);
#endif
  pictal::MemFree(hDib);
  return ok;
}

CDib* CDib::Clone() const
{
  CDib* pCopy = new CDib;
  if (m_hDib && !pCopy->Adopt(pictal::MemPtr(m_hDib), GetSize())) {
    delete pCopy;
    return NULL;
  }
  return pCopy;
}

DWORD CDib::GetSize() const
{
  pictal::DibLayout layout;
  if (!m_hDib || !pictal::DescribeDib(pictal::MemPtr(m_hDib), pictal::MemSize(m_hDib), &layout)) return 0;
  return (DWORD)layout.totalBytes;
}

BITMAPINFOHEADER* CDib::GetBI() const { return reinterpret_cast<BITMAPINFOHEADER*>(pictal::MemPtr(m_hDib)); }

BYTE* CDib::GetBits() const
{
  pictal::DibLayout layout;
  BYTE* p = pictal::MemPtr(m_hDib);
  if (!p || !pictal::DescribeDib(p, pictal::MemSize(m_hDib), &layout)) return NULL;
  return p + layout.bitsOffset;
}

BOOL CDib::Read(LPCTSTR lpszPath)
{
  pictal::Bytes file, dib;
  return pictal::ReadWholeFile(lpszPath, pictal::kMaxDibBits + (1u << 20), &file) &&
         pictal::ParseBmpFile(file.data(), file.size(), &dib) && Adopt(dib.data(), dib.size());
}

BOOL CDib::Read(CFile* pFile, DWORD nSize)
{
  pictal::Bytes data;
  if (!pictal::ReadExactly(pFile, nSize, &data)) return FALSE;
  return CreateFromPacked(data.data(), (DWORD)data.size());
}

BOOL CDib::Write(LPCTSTR lpszPath)
{
  pictal::Bytes file;
  return m_hDib && pictal::MakeBmpFile(pictal::MemPtr(m_hDib), GetSize(), &file) &&
         pictal::WriteFileReplacing(lpszPath, file.data(), file.size());
}

BOOL CDib::Write(CFile* pFile)
{
  if (!pFile || !m_hDib) return FALSE;
  pFile->Write(pictal::MemPtr(m_hDib), GetSize());
  return TRUE;
}

COLORREF CDib::GetColor(int x, int y) const
{
  return m_hDib ? pictal::DibGetColor(pictal::MemPtr(m_hDib), GetSize(), x, y) : CLR_INVALID;
}

BOOL CDib::SetColor(int x, int y, COLORREF color)
{
  return m_hDib && pictal::DibSetColor(pictal::MemPtr(m_hDib), GetSize(), x, y, color);
}

#ifdef _WIN32

BOOL CDib::CreateFromBitmap(HBITMAP hBitmap)
{
  BITMAP bm;
  if (!hBitmap || !::GetObject(hBitmap, sizeof bm, &bm)) return FALSE;
  pictal::Bytes dib;
  if (!pictal::CreateDib(bm.bmWidth, bm.bmHeight, 24, &dib)) return FALSE;
  pictal::DibLayout layout;
  pictal::DescribeDib(dib.data(), dib.size(), &layout);
  HDC hdc = ::GetDC(NULL);
  int lines = ::GetDIBits(hdc, hBitmap, 0, (UINT)bm.bmHeight, dib.data() + layout.bitsOffset,
                          reinterpret_cast<BITMAPINFO*>(dib.data()), DIB_RGB_COLORS);
  ::ReleaseDC(NULL, hdc);
  if (lines != bm.bmHeight) return FALSE;
  // GetDIBits may fill in fields the normal form leaves at their defaults.
  BITMAPINFOHEADER* bi = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  bi->biClrUsed = bi->biClrImportant = 0;
  bi->biXPelsPerMeter = bi->biYPelsPerMeter = 0;
  return Adopt(dib.data(), dib.size());
}

CBitmap* CDib::CreateBitmap(CDC* pDC) const
{
  if (!m_hDib) return NULL;
  HDC hdc = pDC ? pDC->GetSafeHdc() : ::GetDC(NULL);
  const BITMAPINFO* bmi = reinterpret_cast<const BITMAPINFO*>(pictal::MemPtr(m_hDib));
  HBITMAP h = ::CreateDIBitmap(hdc, &bmi->bmiHeader, CBM_INIT, GetBits(), bmi, DIB_RGB_COLORS);
  if (!pDC) ::ReleaseDC(NULL, hdc);
  if (!h) return NULL;
  CBitmap* pBitmap = new CBitmap;
  pBitmap->Attach(h);
  return pBitmap;
}

BOOL CDib::DrawTo(HDC hDC, const RECT& rcDest, const RECT* prcSrc, HPALETTE hPalette, BOOL bStretch) const
{
  if (!hDC || !m_hDib) return FALSE;
  RECT src = {0, 0, m_nWidth, m_nHeight};
  if (prcSrc && prcSrc->right > prcSrc->left && prcSrc->bottom > prcSrc->top) src = *prcSrc;
  int srcW = src.right - src.left, srcH = src.bottom - src.top;
  int dstW = bStretch ? rcDest.right - rcDest.left : srcW;
  int dstH = bStretch ? rcDest.bottom - rcDest.top : srcH;
  HPALETTE hOldPalette = NULL;
  if (hPalette) {
    hOldPalette = ::SelectPalette(hDC, hPalette, TRUE);
    ::RealizePalette(hDC);
  }
  int oldMode = ::SetStretchBltMode(hDC, COLORONCOLOR);
  // Rows are stored bottom-up, so the source is measured from the bottom.
  int lines = ::StretchDIBits(hDC, rcDest.left, rcDest.top, dstW, dstH, src.left, m_nHeight - src.bottom, srcW, srcH,
                              GetBits(), reinterpret_cast<const BITMAPINFO*>(pictal::MemPtr(m_hDib)), DIB_RGB_COLORS,
                              SRCCOPY);
  if (oldMode) ::SetStretchBltMode(hDC, oldMode);
  if (hOldPalette) ::SelectPalette(hDC, hOldPalette, TRUE);
  return lines != (int)GDI_ERROR;
}

BOOL CDib::Draw(CDC* pDC, CRect& rcDest, CRect& rcSrc, CPalette* pPalette, BOOL bStretch)
{
  if (!pDC) return FALSE;
  return DrawTo(pDC->GetSafeHdc(), rcDest, &rcSrc, pPalette ? (HPALETTE)pPalette->GetSafeHandle() : NULL, bStretch);
}

BOOL CDib::Draw(CDC* pDC, CRect& rcDest, CPalette* pPalette)
{
  if (!pDC) return FALSE;
  return DrawTo(pDC->GetSafeHdc(), rcDest, NULL, pPalette ? (HPALETTE)pPalette->GetSafeHandle() : NULL, TRUE);
}

HGLOBAL CDib::CopyForClipboard() const
{
  DWORD size = GetSize();
  if (!size) return NULL;
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (!h) return NULL;
  std::memcpy(::GlobalLock(h), pictal::MemPtr(m_hDib), size);
  ::GlobalUnlock(h);
  return h;
}

#endif
