#include "JpegImage.h"

#include "DibFormat.h"
#include "DibMemory.h"
#include "JpegCodec.h"

IMPLEMENT_DYNCREATE(CJpegImage, CDibImage)

namespace {
const int kJpegQuality = 95;
}

CJpegImage::CJpegImage() {}

CJpegImage::~CJpegImage() {}

BOOL CJpegImage::Read(LPCTSTR lpszPath)
{
  pictal::Bytes file, dib;
  if (!pictal::ReadWholeFile(lpszPath, pictal::kMaxDibBits, &file) || !pictal::DecodeJpeg(file.data(), file.size(), &dib))
    return FALSE;
  return m_pDib->CreateFromPacked(dib.data(), (DWORD)dib.size());
}

BOOL CJpegImage::Write(LPCTSTR lpszPath)
{
  pictal::Bytes jpeg;
  return !m_pDib->IsEmpty() &&
         pictal::EncodeJpeg(pictal::MemPtr(m_pDib->GetHandle()), m_pDib->GetSize(), kJpegQuality, &jpeg) &&
         pictal::WriteFileReplacing(lpszPath, jpeg.data(), jpeg.size());
}

CBaseImage* CJpegImage::Clone() { return CDibImage::Clone(); }
