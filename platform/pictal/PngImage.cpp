#include "PngImage.h"

#include "DibMemory.h"
#include "WicCodec.h"

IMPLEMENT_DYNCREATE(CPngImage, CDibImage)

CPngImage::CPngImage() {}

CPngImage::~CPngImage() {}

BOOL CPngImage::Read(LPCTSTR lpszPath)
{
  pictal::Bytes dib;
  return pictal::WicDecode(lpszPath, pictal::kWicPng, &dib) && m_pDib->CreateFromPacked(dib.data(), (DWORD)dib.size());
}

BOOL CPngImage::Write(LPCTSTR lpszPath)
{
  return !m_pDib->IsEmpty() &&
         pictal::WicEncode(lpszPath, pictal::kWicPng, pictal::MemPtr(m_pDib->GetHandle()), m_pDib->GetSize());
}

CBaseImage* CPngImage::Clone() { return CDibImage::Clone(); }
