#include "MetafileImage.h"

#include <cstring>

#include "DibFormat.h"
#include "Dib.h"
#include "DibMemory.h"
#include "DxfDrawing.h"
#include "MetafileFormat.h"
#include "PictalFile.h"

IMPLEMENT_DYNCREATE(CMetafileImage, CBaseImage)

namespace {
// Largest metafile the library takes in.
const size_t kMaxMetafile = 64u * 1024u * 1024u;
}

CMetafileImage::CMetafileImage()
    : m_rectSam(0, 0, 0, 0)
#ifdef _WIN32
    , m_hEmf(NULL)
#endif
{
}

CMetafileImage::~CMetafileImage()
{
#ifdef _WIN32
  if (m_hEmf) ::DeleteEnhMetaFile(m_hEmf);
#endif
}

BOOL CMetafileImage::SetData(const BYTE* pData, size_t nSize)
{
  size_t length = 0;
  if (!pictal::CheckEnhancedMetafile(pData, nSize, &length)) return FALSE;
  try {
    m_data.assign(pData, pData + length);
  } catch (...) {
    m_data.clear();
    return FALSE;
  }
#ifdef _WIN32
  if (m_hEmf) ::DeleteEnhMetaFile(m_hEmf);
  m_hEmf = NULL;
#endif
  return TRUE;
}

BOOL CMetafileImage::CreateFromHandle(HGLOBAL hData)
{
  if (!hData) return FALSE;
  BOOL ok = SetData(pictal::MemPtr(hData), pictal::MemSize(hData));
#ifdef _WIN32
  ::GlobalUnlock(hData);
#endif
  pictal::MemFree(hData);
  return ok;
}

CSize CMetafileImage::GetDimensions()
{
  SIZE s = pictal::EnhancedMetafileSize(m_data.data(), m_data.size());
  return CSize(s.cx, s.cy);
}

DWORD CMetafileImage::GetSize() { return m_data.empty() ? 0 : (DWORD)(4 + m_data.size()); }

BOOL CMetafileImage::Write(LPCTSTR lpszPath)
{
  return !m_data.empty() && pictal::WriteFileReplacing(lpszPath, m_data.data(), m_data.size());
}

BOOL CMetafileImage::Write(CFile* pFile) { return WriteforSerialize(pFile); }

BOOL CMetafileImage::WriteforSerialize(CFile* pFile)
{
  if (!pFile || m_data.empty()) return FALSE;
  BYTE count[4];
  DWORD n = (DWORD)m_data.size();
  for (int i = 0; i < 4; ++i) count[i] = (BYTE)(n >> (8 * i));
  pFile->Write(count, 4);
  pFile->Write(m_data.data(), n);
  return TRUE;
}

BOOL CMetafileImage::ReadforSerialize(CFile* pFile)
{
  pictal::Bytes count, data;
  if (!pictal::ReadExactly(pFile, 4, &count)) return FALSE;
  DWORD n = count[0] | (count[1] << 8) | (count[2] << 16) | ((DWORD)count[3] << 24);
  return pictal::ReadExactly(pFile, n, &data) && SetData(data.data(), data.size());
}

BOOL CMetafileImage::Read(CFile* pFile, DWORD nSize)
{
  pictal::Bytes data;
  if (nSize < 4 || !pictal::ReadExactly(pFile, nSize, &data)) return FALSE;
  DWORD n = data[0] | (data[1] << 8) | (data[2] << 16) | ((DWORD)data[3] << 24);
  return n == nSize - 4 && SetData(data.data() + 4, n);
}

BITMAPINFOHEADER* CMetafileImage::GetBI() { return NULL; }

CBaseImage* CMetafileImage::Clone()
{
  CMetafileImage* pCopy = new CMetafileImage;
  pCopy->m_data = m_data;
  pCopy->m_rectSam = m_rectSam;
  return pCopy;
}

#ifdef _WIN32

namespace {

// Plays a Windows metafile into a new enhanced one whose frame is `pixels` screen pixels,
// mapping the logical frame onto it.
HENHMETAFILE ConvertWindowsMetafile(const BYTE* wmf, size_t length, const RECT& logical, SIZE pixels)
{
  HMETAFILE hmf = ::SetMetaFileBitsEx((UINT)length, wmf);
  if (!hmf) return NULL;
  HDC screen = ::GetDC(NULL);
  RECT frame = {0, 0, (LONG)((long long)pixels.cx * 2540 / 96), (LONG)((long long)pixels.cy * 2540 / 96)};
  // The reference device's own pixels, which need not be 96 per inch.
  int hres = ::GetDeviceCaps(screen, HORZRES), hsize = ::GetDeviceCaps(screen, HORZSIZE);
  int vres = ::GetDeviceCaps(screen, VERTRES), vsize = ::GetDeviceCaps(screen, VERTSIZE);
  HDC hdc = ::CreateEnhMetaFileA(screen, NULL, &frame, NULL);
  ::ReleaseDC(NULL, screen);
  HENHMETAFILE hemf = NULL;
  if (hdc) {
    int vx = hsize > 0 ? (int)((long long)frame.right * hres / (hsize * 100LL)) : pixels.cx;
    int vy = vsize > 0 ? (int)((long long)frame.bottom * vres / (vsize * 100LL)) : pixels.cy;
    ::SetMapMode(hdc, MM_ANISOTROPIC);
    ::SetWindowOrgEx(hdc, logical.left, logical.top, NULL);
    ::SetWindowExtEx(hdc, logical.right - logical.left, logical.bottom - logical.top, NULL);
    ::SetViewportOrgEx(hdc, 0, 0, NULL);
    ::SetViewportExtEx(hdc, vx, vy, NULL);
    ::PlayMetaFile(hdc, hmf);
    hemf = ::CloseEnhMetaFile(hdc);
  }
  ::DeleteMetaFile(hmf);
  return hemf;
}

bool EmfBytes(HENHMETAFILE hemf, pictal::Bytes* out)
{
  UINT n = ::GetEnhMetaFileBits(hemf, 0, NULL);
  if (n == 0) return false;
  out->resize(n);
  return ::GetEnhMetaFileBits(hemf, n, out->data()) == n;
}

}  // namespace

BOOL CMetafileImage::Read(LPCTSTR lpszPath)
{
  pictal::Bytes file;
  if (!pictal::ReadWholeFile(lpszPath, kMaxMetafile, &file)) return FALSE;
  if (pictal::ExtensionOf(lpszPath) == ".DXF") {
    pictal::Bytes emf;
    return pictal::DxfToEnhancedMetafile(lpszPath, &emf) && SetData(emf.data(), emf.size());
  }
  pictal::MetafileInfo info = pictal::ClassifyMetafile(file.data(), file.size());
  const BYTE* p = file.data() + info.offset;
  if (info.kind == pictal::kEnhanced) return SetData(p, info.length);
  if (info.kind == pictal::kNotMetafile) return FALSE;
  HENHMETAFILE hemf = NULL;
  if (info.kind == pictal::kPlaceable) {
    LONG w = info.frame.right - info.frame.left, h = info.frame.bottom - info.frame.top;
    SIZE px = {(LONG)((long long)(w < 0 ? -w : w) * 96 / info.unitsPerInch),
               (LONG)((long long)(h < 0 ? -h : h) * 96 / info.unitsPerInch)};
    hemf = ConvertWindowsMetafile(p, info.length, info.frame, px);
  } else if (info.hasFrame) {
    // Without a placeable header the window extent is taken as screen pixels.
    LONG w = info.frame.right - info.frame.left, h = info.frame.bottom - info.frame.top;
    SIZE px = {w < 0 ? -w : w, h < 0 ? -h : h};
    hemf = ConvertWindowsMetafile(p, info.length, info.frame, px);
  } else {
    hemf = ::SetWinMetaFileBits((UINT)info.length, p, NULL, NULL);
  }
  if (!hemf) return FALSE;
  pictal::Bytes emf;
  bool ok = EmfBytes(hemf, &emf);
  ::DeleteEnhMetaFile(hemf);
  return ok && SetData(emf.data(), emf.size());
}

HENHMETAFILE CMetafileImage::GetHandle()
{
  if (!m_hEmf && !m_data.empty()) m_hEmf = ::SetEnhMetaFileBits((UINT)m_data.size(), m_data.data());
  return m_hEmf;
}

BOOL CMetafileImage::SetClipboard()
{
  HENHMETAFILE hemf = GetHandle();
  HENHMETAFILE hCopy = hemf ? ::CopyEnhMetaFileA(hemf, NULL) : NULL;
  if (!hCopy) return FALSE;
  if (!::SetClipboardData(CF_ENHMETAFILE, hCopy)) {
    ::DeleteEnhMetaFile(hCopy);
    return FALSE;
  }
  return TRUE;
}

BOOL CMetafileImage::CreateFromClipboard()
{
  BOOL opened = ::OpenClipboard(NULL);
  BOOL ok = FALSE;
  if (::IsClipboardFormatAvailable(CF_ENHMETAFILE)) {
    HENHMETAFILE hemf = (HENHMETAFILE)::GetClipboardData(CF_ENHMETAFILE);
    pictal::Bytes emf;
    ok = hemf && EmfBytes(hemf, &emf) && SetData(emf.data(), emf.size());
  }
  if (opened) ::CloseClipboard();
  return ok;
}

BOOL CMetafileImage::CreateFromBitmap(HBITMAP hBitmap)
{
  CDib dib;
  if (!dib.CreateFromBitmap(hBitmap)) return FALSE;
  RECT frame = {0, 0, (LONG)((long long)dib.GetWidth() * 2540 / 96), (LONG)((long long)dib.GetHeight() * 2540 / 96)};
  HDC hdc = ::CreateEnhMetaFileA(NULL, NULL, &frame, NULL);
  if (!hdc) return FALSE;
  RECT rc = {0, 0, dib.GetWidth(), dib.GetHeight()};
  dib.DrawTo(hdc, rc, NULL, NULL, TRUE);
  HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
  pictal::Bytes emf;
  bool ok = hemf && EmfBytes(hemf, &emf);
  if (hemf) ::DeleteEnhMetaFile(hemf);
  return ok && SetData(emf.data(), emf.size());
}

BOOL CMetafileImage::Draw(CDC* pDC, const CRect& rcDest, const CRect& rcSrc)
{
  HENHMETAFILE hemf = GetHandle();
  if (!pDC || !hemf) return FALSE;
  HDC hdc = pDC->GetSafeHdc();
  CSize size = GetDimensions();
  if (rcSrc.IsRectEmpty() || size.cx <= 0 || size.cy <= 0) return ::PlayEnhMetaFile(hdc, hemf, &rcDest);
  // The source part (in the picture's pixels) lands on the destination; the rest is clipped.
  double sx = (double)rcDest.Width() / rcSrc.Width(), sy = (double)rcDest.Height() / rcSrc.Height();
  RECT whole = {(LONG)(rcDest.left - rcSrc.left * sx), (LONG)(rcDest.top - rcSrc.top * sy), 0, 0};
  whole.right = whole.left + (LONG)(size.cx * sx);
  whole.bottom = whole.top + (LONG)(size.cy * sy);
  int saved = ::SaveDC(hdc);
  ::IntersectClipRect(hdc, rcDest.left, rcDest.top, rcDest.right, rcDest.bottom);
  BOOL ok = ::PlayEnhMetaFile(hdc, hemf, &whole);
  ::RestoreDC(hdc, saved);
  return ok;
}

BOOL CMetafileImage::Draw(CDC* pDC, CPoint ptDest)
{
  CSize size = GetDimensions();
  return Draw(pDC, ptDest, size);
}

BOOL CMetafileImage::Draw(CDC* pDC, CPoint ptDest, CSize sizeDest)
{
  HENHMETAFILE hemf = GetHandle();
  if (!pDC || !hemf) return FALSE;
  RECT rc = {ptDest.x, ptDest.y, ptDest.x + sizeDest.cx, ptDest.y + sizeDest.cy};
  return ::PlayEnhMetaFile(pDC->GetSafeHdc(), hemf, &rc);
}

#else

BOOL CMetafileImage::Read(LPCTSTR lpszPath)
{
  // Without GDI only enhanced metafiles (bare or in a floor-plan file) can be taken in.
  pictal::Bytes file;
  if (!pictal::ReadWholeFile(lpszPath, kMaxMetafile, &file)) return FALSE;
  pictal::MetafileInfo info = pictal::ClassifyMetafile(file.data(), file.size());
  return info.kind == pictal::kEnhanced && SetData(file.data() + info.offset, info.length);
}

#endif
