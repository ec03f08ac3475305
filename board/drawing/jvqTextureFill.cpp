#include "jvqTextureFill.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "BaseImage.h"
#include "Dib.h"
#include "DibImage.h"
#include "jvqImageFileList.h"
#include "jvqRecordIO.h"
#include "jvqTiling.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#include "jvqDeviceUnits.h"
#endif

jvqImageFileList* jvqTextureFill::s_pLibrary = NULL;

jvqTextureFill::jvqTextureFill(LPCTSTR lpszPath) : m_nIndex(-1), m_pImage(NULL) {
  m_dwFlags = FILL_TEXTURE;
  if (lpszPath) SetFile(lpszPath);
}

jvqTextureFill::jvqTextureFill(const jvqTextureFill& src)
    : jvqFill(), m_nIndex(src.m_nIndex), m_pImage(src.m_pImage ? src.m_pImage->Clone() : NULL), m_strPath(src.m_strPath) {
  m_dwFlags = FILL_TEXTURE;
}

jvqTextureFill::~jvqTextureFill() { Clear(); }

jvqFill* jvqTextureFill::Clone() { return new jvqTextureFill(*this); }

void jvqTextureFill::Clear() {
  delete m_pImage;
  m_pImage = NULL;
}

CBaseImage* jvqTextureFill::SetFile(LPCTSTR lpszPath) {
  Clear();
  m_strPath = lpszPath ? lpszPath : "";
  if (lpszPath == NULL) return NULL;
  CBaseImage* p = CBaseImage::CreateFromPath(lpszPath);
  // Only a raster can be stored and read back (as a DIB); a metafile is refused like an
  // unreadable file.
  if (p != NULL && !p->IsKindOf(RUNTIME_CLASS(CDibImage))) {
    delete p;
    p = NULL;
  }
  m_pImage = p;
  return p;
}

CDib* jvqTextureFill::GetDib() {
  CBaseImage* p = NULL;
  if (s_pLibrary != NULL && m_nIndex >= 0 && m_pImage == NULL) {
    if (m_nIndex < s_pLibrary->GetCount()) p = s_pLibrary->GetAt(m_nIndex)->m_pImage;
  } else {
    p = m_pImage;
  }
  if (p == NULL || !p->IsKindOf(RUNTIME_CLASS(CDibImage))) return NULL;
  CDib* d = static_cast<CDibImage*>(p)->GetDib();
  return (d && !d->IsEmpty()) ? d : NULL;
}

BOOL jvqTextureFill::Load(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  Clear();
  try {
    int32_t nKind = 0;
    if (!jvqReadExact(pFile, &nKind, 4)) return FALSE;
    if (nKind == 0) {
      int32_t nIndex = 0;
      if (!jvqReadExact(pFile, &nIndex, 4)) return FALSE;
      m_nIndex = nIndex;
      return TRUE;
    }
    // Any other kind has a body nobody can measure: the record fails rather than reading
    // on misaligned.
    if (nKind != 1) return FALSE;
    int32_t nSize = 0;
    if (!jvqReadExact(pFile, &nSize, 4)) return FALSE;
    if (nSize < 0 || (DWORD)nSize > jvqBytesLeft(pFile)) return FALSE;
    if (nSize == 0) return TRUE;
    std::unique_ptr<CDibImage> p(new CDibImage);
    if (!p->Read(pFile, (DWORD)nSize)) return FALSE;
    m_pImage = p.release();
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqTextureFill::Store(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    const int32_t nFlags = (int32_t)m_dwFlags;
    pFile->Write(&nFlags, 4);
    if (m_pImage != NULL) {
      const int32_t v[2] = {1, (int32_t)m_pImage->GetSize()};
      pFile->Write(v, sizeof(v));
      if (v[1] != 0 && !m_pImage->Write(pFile)) return FALSE;
    } else {
      const int32_t v[2] = {0, m_nIndex};
      pFile->Write(v, sizeof(v));
    }
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

#ifdef JVQ_HAVE_GDI

void jvqTextureFill::FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip) {
  CDib* pDib = GetDib();
  if (pDib == NULL || pRegion == NULL) return;
  CRect box;
  if (pRegion->GetRgnBox(&box) == ERROR) return;
  CSize tile(pDib->GetWidth(), pDib->GetHeight());
  pDC->DPtoLP(&tile);
  double rx, ry;
  jvqTileScaleRatio(pDC, &rx, &ry);
  tile.cx = std::max(1, (int)(tile.cx / rx));
  tile.cy = std::max(1, (int)(tile.cy / ry));
  if (pDC->IsPrinting() && jvqIsPreviewDC(pDC)) {
    SaveClipRegion(pDC);
    if (pClip && pClip->GetSafeHandle()) pDC->SelectClipRgn(pClip, RGN_AND);
    jvqTileDib(pDC, pDib, box, tile.cx, tile.cy);
    RestoreClipRegion(pDC);
    return;
  }
  if (pClip && pClip->GetSafeHandle()) pDC->SelectClipRgn(pClip, RGN_COPY);
  jvqTileDib(pDC, pDib, box, tile.cx, tile.cy);
  pDC->SelectClipRgn(NULL);
}

void jvqTextureFill::PaintRect(CDC* pDC, const RECT* pRect) {
  CRgn device, region;
  MakeDeviceRectRegion(pDC, &device, pRect);
  const POINT pts[4] = {{pRect->left, pRect->top}, {pRect->right, pRect->top}, {pRect->right, pRect->bottom}, {pRect->left, pRect->bottom}};
  region.CreatePolygonRgn(const_cast<POINT*>(pts), 4, ALTERNATE);
  FillRegion(pDC, &region, &device);
  region.DeleteObject();
  device.DeleteObject();
}

#else

void jvqTextureFill::FillRegion(CDC*, CRgn*, CRgn*) {}
void jvqTextureFill::PaintRect(CDC*, const RECT*) {}

#endif
