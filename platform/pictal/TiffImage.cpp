#include "TiffImage.h"

#include "DibMemory.h"
#include "WicCodec.h"

IMPLEMENT_DYNCREATE(CTiffImage, CDibImage)

CTiffImage::CTiffImage() {}

CTiffImage::~CTiffImage() {}

BOOL CTiffImage::Read(LPCTSTR lpszPath)
{
  pictal::Bytes dib;
  return pictal::WicDecode(lpszPath, pictal::kWicTiff, &dib) && m_pDib->CreateFromPacked(dib.data(), (DWORD)dib.size());
}

BOOL CTiffImage::Write(LPCTSTR lpszPath)
{
  return !m_pDib->IsEmpty() &&
         pictal::WicEncode(lpszPath, pictal::kWicTiff, pictal::MemPtr(m_pDib->GetHandle()), m_pDib->GetSize());
}

CBaseImage* CTiffImage::Clone() { return CDibImage::Clone(); }
