#include "jvqImageFill.h"

#include <cmath>
#include <cstdint>
#include <memory>

#include "BaseImage.h"
#include "DibImage.h"
#include "JpegImage.h"
#include "PngImage.h"
#include "TiffImage.h"
#include "afxmbs.h"
#include "MetafileImage.h"
#include "jvqFileHeader.h"
#include "jvqImagePool.h"
#include "jvqObject.h"
#include "jvqRecordIO.h"
#include "jvqViewMapping.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#include "jvqBitmapGeometry.h"
#include "jvqDeviceUnits.h"
#endif

jvqImagePool* (*jvqImageFill::s_pfnDefaultPool)() = NULL;

namespace {

// A turned copy is a screen-sized bitmap; past this many pixels (a picture zoomed far in)
// it is not made and the picture is not painted, rather than exhausting memory.
const long long kMaxTurnedPixels = 32LL * 1024 * 1024;

jvqImagePool* PoolOf(jvqFileHeader* pHeader, jvqImagePool* pFallback) {
  if (pHeader != NULL && pHeader->m_pImagePool != NULL) return pHeader->m_pImagePool;
  return pFallback;
}

}  // namespace

jvqImageFill::jvqImageFill(LPCTSTR lpszPath, jvqImagePool* pPool)
    : m_fAngle(0),
      m_pPool(pPool),
      m_nPoolId(0),
      m_pDrawn(NULL),
      m_nDrawMode(1),
      m_nZoom(0),
      m_bOwnsDrawn(FALSE),
      m_nTurnedCopies(0) {
  m_dwFlags = FILL_BASE | FILL_IMAGE;
  SetFile(lpszPath, pPool);
}

jvqImageFill::jvqImageFill(const jvqImageFill& src)
    : jvqFill(),
      m_fAngle(src.m_fAngle),
      m_pPool(src.m_pPool),
      m_nPoolId(src.m_nPoolId),
      m_pDrawn(NULL),
      m_strPath(src.m_strPath),
      m_nDrawMode(src.m_nDrawMode),
      m_nZoom(src.m_nZoom),
      m_bOwnsDrawn(FALSE),
      m_nTurnedCopies(0) {
  m_dwFlags = src.m_dwFlags;
  if (m_pPool != NULL && m_nPoolId != 0) m_pPool->AddRef(m_nPoolId);
}

jvqImageFill::~jvqImageFill() { Clear(); }

jvqFill* jvqImageFill::Clone() { return new jvqImageFill(*this); }

void jvqImageFill::DropTurnedCopy() {
  if (m_bOwnsDrawn) delete m_pDrawn;
  m_pDrawn = NULL;
  m_bOwnsDrawn = FALSE;
}

void jvqImageFill::Clear() {
  DropTurnedCopy();
  if (m_pPool != NULL) m_pPool->Release(m_nPoolId);
  m_nPoolId = 0;
  m_strPath.Empty();
}

CBaseImage* jvqImageFill::GetImage() const { return m_pPool ? m_pPool->GetImage(m_nPoolId) : NULL; }

CBaseImage* jvqImageFill::CreateImageForFile(LPCTSTR lpszPath) {
  // The whole extension decides (".jpeg" and ".tiff" too); unknown ones are read as BMP.
  const char* dot = lpszPath ? AfxStrRChr(lpszPath, '.') : NULL;
  const char* slash = lpszPath ? AfxStrRChr(lpszPath, '\\') : NULL;
  if (dot == NULL || (slash != NULL && slash > dot)) return new CDibImage;
  auto is = [&](const char* e) { return AfxStrCmpNoCase(dot, e) == 0; };
  if (is(".JPG") || is(".JPEG")) return new CJpegImage;
  if (is(".TIF") || is(".TIFF")) return new CTiffImage;
  if (is(".PNG")) return new CPngImage;
  if (is(".WMF") || is(".EMF") || is(".DXF")) return new CMetafileImage;
  return new CDibImage;
}

BOOL jvqImageFill::SetFile(LPCTSTR lpszPath, jvqImagePool* pPool) {
  m_strPath = lpszPath ? lpszPath : "";
  if (m_strPath.IsEmpty()) return FALSE;
  if (pPool == NULL) pPool = m_pPool;
  if (pPool == NULL && s_pfnDefaultPool) pPool = s_pfnDefaultPool();
  CString strPath = m_strPath;
  std::unique_ptr<CBaseImage> p(CreateImageForFile(strPath));
  if (!p->Read(strPath)) {
    Clear();
    p.reset(new CMetafileImage);
    if (!p->Read(strPath)) {
      Clear();
      return FALSE;
    }
  }
  if (pPool == NULL) {
    Clear();
    return FALSE;
  }
  Clear();
  m_strPath = strPath;
  m_pPool = pPool;
  m_nPoolId = pPool->Add(p.release());
  pPool->AddRef(m_nPoolId);
  return TRUE;
}

BOOL jvqImageFill::SetPicture(CBaseImage* pImage, jvqImagePool* pPool) {
  if (pPool == NULL) pPool = m_pPool;
  if (pPool == NULL && s_pfnDefaultPool) pPool = s_pfnDefaultPool();
  if (pImage == NULL || pPool == NULL) {
    Clear();
    return FALSE;
  }
  DropTurnedCopy();
  if (m_pPool) m_pPool->Release(m_nPoolId);
  m_pPool = pPool;
  m_nPoolId = pPool->Add(pImage);
  pPool->AddRef(m_nPoolId);
  return TRUE;
}

BOOL jvqImageFill::Load(CFile* pFile, jvqFileHeader* pHeader) {
  m_pPool = PoolOf(pHeader, m_pPool);
  if (pFile == NULL) return FALSE;
  Clear();
  try {
    if (jvqVersionOf(pHeader) >= JVQ_VERSION_POOL) {
      int32_t nId = 0;
      if (!jvqReadExact(pFile, &nId, 4)) return FALSE;
      m_nPoolId = nId;  // the document adds the references once the board is read
      return TRUE;
    }
    int32_t nSize = 0;
    if (!jvqReadExact(pFile, &nSize, 4)) return FALSE;
    if (nSize == 0) return TRUE;
    int32_t nKind = 0;
    if (!jvqReadExact(pFile, &nKind, 4)) return FALSE;
    if (nSize < 0 || (DWORD)nSize > jvqBytesLeft(pFile)) return FALSE;
    std::unique_ptr<CBaseImage> p(nKind == 1 ? static_cast<CBaseImage*>(new CDibImage) : new CMetafileImage);
    if (!p->Read(pFile, (DWORD)nSize)) return FALSE;
    jvqImagePool* pPool = m_pPool ? m_pPool : (s_pfnDefaultPool ? s_pfnDefaultPool() : NULL);
    if (pPool == NULL) return FALSE;
    m_pPool = pPool;
    m_nPoolId = pPool->Add(p.release());
    pPool->AddRef(m_nPoolId);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqImageFill::Store(CFile* pFile, jvqFileHeader* pHeader) {
  m_pPool = PoolOf(pHeader, m_pPool);
  if (pFile == NULL) return FALSE;
  try {
    pFile->Write(&m_dwFlags, 4);
    if (jvqVersionOf(pHeader) >= JVQ_VERSION_POOL) {
      const int32_t nId = m_nPoolId;
      pFile->Write(&nId, 4);
      return TRUE;
    }
    CBaseImage* p = GetImage();
    if (p == NULL) {
      const int32_t nZero = 0;
      pFile->Write(&nZero, 4);
      return TRUE;
    }
    const int32_t nSize = (int32_t)p->GetSize();
    pFile->Flush();
    const int32_t nKind = p->GetBI() != NULL ? 1 : 0;
    pFile->Write(&nSize, 4);
    pFile->Write(&nKind, 4);
    if (!p->Write(pFile)) return FALSE;
    pFile->Flush();
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

#ifdef JVQ_HAVE_GDI

void jvqImageFill::Paint(CDC* pDC, jvqObject* pObject) {
  CRgn region, device;
  if (!pObject->GetRegion(pDC, &region)) return;
  jvqPointList outline;
  if (jvqPointList* p = pObject->GetOutline()) p->ToDevice(pDC, outline);
  if (pObject->GetDeviceRegion(pDC, &device)) {
    jvqViewMapping* pView = pObject->GetView();
    const int nZoom = pView ? pView->GetZoomPercent() : 0;
    const int nAngle = ((int)std::floor(pObject->m_dRotation + 720.0)) % 360;
    const float fOldAngle = m_fAngle;
    m_fAngle = (float)nAngle;
    CBaseImage* pImage = GetImage();
    if (nAngle == 0 || pImage == NULL || pImage->GetBI() == NULL) {
      DropTurnedCopy();
      m_pDrawn = pImage;
    } else if (!pDC->IsPrinting() && (fOldAngle != (float)nAngle || !m_bOwnsDrawn || m_pDrawn == NULL || nZoom != m_nZoom)) {
      DropTurnedCopy();
      m_nZoom = nZoom;
      m_DeviceOutline = outline;
      BuildTurnedCopy(pDC, nAngle);
    }
    FillRegion(pDC, &region, &device);
  }
  region.DeleteObject();
  device.DeleteObject();
}

void jvqImageFill::BuildTurnedCopy(CDC* pDC, int nAngle) {
  CBaseImage* pImage = GetImage();
  if (pImage == NULL || pImage->GetBI() == NULL) return;
  const int n = m_DeviceOutline.GetCount();
  if (n < 1) return;
  // The upright frame: the outline turned back about its centre.
  long long sx = 0, sy = 0;
  for (int i = 0; i < n; i++) {
    sx += m_DeviceOutline.GetAt(i)->x;
    sy += m_DeviceOutline.GetAt(i)->y;
  }
  POINT c = {(LONG)(sx / n), (LONG)(sy / n)};
  LONG l = LONG_MAX, t = LONG_MAX, r = LONG_MIN, b = LONG_MIN;
  for (int i = 0; i < n; i++) {
    POINT p = *m_DeviceOutline.GetAt(i);
    jvqObject::RotatePoint(&c, &p, 360 - nAngle);
    l = std::min(l, p.x);
    r = std::max(r, p.x);
    t = std::min(t, p.y);
    b = std::max(b, p.y);
  }
  const long long w = (long long)r - l, h = (long long)b - t;
  if (w <= 0 || h <= 0 || w * h > kMaxTurnedPixels) return;
  CDC screen;
  if (!screen.CreateDC("DISPLAY", NULL, NULL, NULL)) return;
  CDC mem;
  CBitmap bitmap;
  if (!mem.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(&screen, (int)w, (int)h)) return;
  CBitmap* pOld = mem.SelectObject(&bitmap);
  pImage->Draw(&mem, CPoint(0, 0), CSize((int)w, (int)h));
  mem.SelectObject(pOld);
  CDibImage upright;
  if (!upright.CreateFromBitmap((HBITMAP)bitmap.GetSafeHandle())) return;
  void* pTurned = RotateDib(upright.GetDib()->GetHandle(), (float)(nAngle * -0.0174532925199399995), 0xFFFFFF);
  if (pTurned == NULL) return;
  std::unique_ptr<CDibImage> pCopy(new CDibImage);
  if (!pCopy->CreateFromHandle((HGLOBAL)pTurned)) return;
  m_pDrawn = pCopy.release();
  m_bOwnsDrawn = TRUE;
  m_nTurnedCopies++;
}

void jvqImageFill::FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip) {
  CRect box;
  if (pRegion == NULL || pRegion->GetRgnBox(&box) == ERROR) return;
  auto draw = [&]() {
    if (m_pDrawn) m_pDrawn->Draw(pDC, box.TopLeft(), box.Size());
  };
  if (pDC->IsPrinting() && jvqIsPreviewDC(pDC)) {
    SaveClipRegion(pDC);
    if (pClip && pClip->GetSafeHandle()) pDC->SelectClipRgn(pClip, RGN_AND);
    draw();
    RestoreClipRegion(pDC);
    return;
  }
  if (m_pDrawn && m_pDrawn->GetBI() == NULL) {
    // Metafiles are drawn unclipped; printers take them in the compatible graphics mode.
    int nMode = 0;
    int nSaved = 0;
    if (pDC->IsPrinting()) {
      nMode = ::GetGraphicsMode(pDC->m_hDC);
      ::SetGraphicsMode(pDC->m_hDC, GM_COMPATIBLE);
      nSaved = pDC->SaveDC();
    }
    pDC->SelectClipRgn(NULL);
    draw();
    if (pDC->IsPrinting()) {
      pDC->RestoreDC(nSaved);
      ::SetGraphicsMode(pDC->m_hDC, nMode);
    }
    return;
  }
  if (pClip && pClip->GetSafeHandle()) pDC->SelectClipRgn(pClip, RGN_COPY);
  draw();
  pDC->SelectClipRgn(NULL);
}

BOOL jvqImageFill::ReadClipboard() {
  DropTurnedCopy();
  std::unique_ptr<CBaseImage> p;
  if (::IsClipboardFormatAvailable(CF_BITMAP) || ::IsClipboardFormatAvailable(CF_DIB))
    p.reset(new CDibImage);
  else if (::IsClipboardFormatAvailable(CF_ENHMETAFILE))
    p.reset(new CMetafileImage);
  else
    return FALSE;
  if (!p->CreateFromClipboard()) return FALSE;
  jvqImagePool* pPool = m_pPool ? m_pPool : (s_pfnDefaultPool ? s_pfnDefaultPool() : NULL);
  if (pPool == NULL) return FALSE;
  return SetPicture(p.release(), pPool);
}

#else

void jvqImageFill::Paint(CDC*, jvqObject*) {}
void jvqImageFill::BuildTurnedCopy(CDC*, int) {}
void jvqImageFill::FillRegion(CDC*, CRgn*, CRgn*) {}

#endif
