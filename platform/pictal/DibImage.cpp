#include "DibImage.h"

IMPLEMENT_DYNCREATE(CDibImage, CBaseImage)

CDibImage::CDibImage() : m_pDib(new CDib) {}

CDibImage::~CDibImage() { delete m_pDib; }

BOOL CDibImage::SetDib(CDib* pDib)
{
  if (!pDib || pDib->IsEmpty()) {
    delete pDib;
    m_pDib->Empty();
    return FALSE;
  }
  delete m_pDib;
  m_pDib = pDib;
  return TRUE;
}

BOOL CDibImage::CreateFromHandle(HGLOBAL hData) { return m_pDib->CreateFromHandle(hData); }

CSize CDibImage::GetDimensions() { return CSize(m_pDib->GetWidth(), m_pDib->GetHeight()); }

DWORD CDibImage::GetSize() { return m_pDib->GetSize(); }

BOOL CDibImage::Write(LPCTSTR lpszPath) { return m_pDib->Write(lpszPath); }

BOOL CDibImage::Write(CFile* pFile) { return m_pDib->Write(pFile); }

BOOL CDibImage::Read(LPCTSTR lpszPath) { return m_pDib->Read(lpszPath); }

BOOL CDibImage::Read(CFile* pFile, DWORD nSize) { return m_pDib->Read(pFile, nSize); }

BITMAPINFOHEADER* CDibImage::GetBI() { return m_pDib->IsEmpty() ? NULL : m_pDib->GetBI(); }

CBaseImage* CDibImage::Clone()
{
  CDib* pCopy = m_pDib->Clone();
  if (!pCopy) return NULL;
  CDibImage* pImage = static_cast<CDibImage*>(GetRuntimeClass()->CreateObject());
  pImage->SetDib(pCopy);
  return pImage;
}

#ifdef _WIN32

BOOL CDibImage::SetClipboard()
{
  HGLOBAL h = m_pDib->CopyForClipboard();
  if (!h) return FALSE;
  if (!::SetClipboardData(CF_DIB, h)) {
    ::GlobalFree(h);
    return FALSE;
  }
  return TRUE;
}

BOOL CDibImage::CreateFromClipboard()
{
  // The caller may have opened the clipboard already; it is closed only when opened here.
  BOOL opened = ::OpenClipboard(NULL);
  BOOL ok = FALSE;
  if (::IsClipboardFormatAvailable(CF_DIB)) {
    HGLOBAL h = ::GetClipboardData(CF_DIB);
    if (h) {
      const void* p = ::GlobalLock(h);
      ok = p && m_pDib->CreateFromPacked(p, (DWORD)::GlobalSize(h));
      ::GlobalUnlock(h);
    }
  }
  if (!ok && ::IsClipboardFormatAvailable(CF_BITMAP)) ok = m_pDib->CreateFromBitmap((HBITMAP)::GetClipboardData(CF_BITMAP));
  if (opened) ::CloseClipboard();
  return ok;
}

BOOL CDibImage::CreateFromBitmap(HBITMAP hBitmap) { return m_pDib->CreateFromBitmap(hBitmap); }

BOOL CDibImage::Draw(CDC* pDC, const CRect& rcDest, const CRect& rcSrc)
{
  return pDC && m_pDib->DrawTo(pDC->GetSafeHdc(), rcDest, &rcSrc, NULL, TRUE);
}

BOOL CDibImage::Draw(CDC* pDC, CPoint ptDest)
{
  RECT rc = {ptDest.x, ptDest.y, ptDest.x + m_pDib->GetWidth(), ptDest.y + m_pDib->GetHeight()};
  return pDC && m_pDib->DrawTo(pDC->GetSafeHdc(), rc, NULL, NULL, TRUE);
}

BOOL CDibImage::Draw(CDC* pDC, CPoint ptDest, CSize sizeDest)
{
  RECT rc = {ptDest.x, ptDest.y, ptDest.x + sizeDest.cx, ptDest.y + sizeDest.cy};
  return pDC && m_pDib->DrawTo(pDC->GetSafeHdc(), rc, NULL, NULL, TRUE);
}

#endif
