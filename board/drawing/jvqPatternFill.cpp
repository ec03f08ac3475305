#include "jvqPatternFill.h"

#include <algorithm>
#include <cstdint>

#include "Dib.h"
#include "DibImage.h"
#include "jvqImageFileList.h"
#include "jvqRecordIO.h"
#include "jvqTiling.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#include "jvqDeviceUnits.h"
#endif

jvqImageFileList* jvqPatternFill::s_pLibrary = NULL;

namespace {

// The DIB of a library entry's picture, when it is a raster.
CDib* LibraryDib(jvqImageFileList* pLibrary, int nIndex) {
  if (pLibrary == NULL || nIndex < 0 || nIndex >= pLibrary->GetCount()) return NULL;
  CBaseImage* p = pLibrary->GetAt(nIndex)->m_pImage;
  if (p == NULL || !p->IsKindOf(RUNTIME_CLASS(CDibImage))) return NULL;
  CDib* d = static_cast<CDibImage*>(p)->GetDib();
  return (d && !d->IsEmpty()) ? d : NULL;
}

}  // namespace

jvqPatternFill::jvqPatternFill()
    : jvqSolidFill(BS_DIBPATTERN, 0, 0),
      m_pSwatch(NULL),
      m_pPattern(NULL),
      m_rcLast{0, 0, 0, 0},
      m_crFore(0x000000),
      m_crBack(0xFFFFFF),
      m_nIndex(-1) {
  m_dwFlags = FILL_PATTERN;
}

jvqPatternFill::jvqPatternFill(const jvqPatternFill& src)
    : jvqSolidFill(src),
      m_pSwatch(NULL),
      m_pPattern(NULL),
      m_rcLast{0, 0, 0, 0},
      m_crFore(src.m_crFore),
      m_crBack(src.m_crBack),
      m_nIndex(src.m_nIndex) {
  m_dwFlags = FILL_PATTERN;
}

jvqPatternFill::~jvqPatternFill() { ForgetPictures(); }

void jvqPatternFill::ForgetPictures() {
  delete m_pSwatch;
  m_pSwatch = NULL;
  delete m_pPattern;
  m_pPattern = NULL;
}

jvqFill* jvqPatternFill::Clone() { return new jvqPatternFill(*this); }

BOOL jvqPatternFill::SetPattern(jvqImageFileList* pLibrary, int nIndex, COLORREF crBack, COLORREF crFore) {
  m_nIndex = nIndex;
  m_crBack = crBack;
  m_crFore = crFore;
  s_pLibrary = pLibrary;
  if (pLibrary == NULL || nIndex < 0) return FALSE;
  m_LogBrush.lbStyle = BS_DIBPATTERN;
  m_LogBrush.lbColor = 0;
  m_LogBrush.lbHatch = 0;
  return TRUE;
}

void jvqPatternFill::BuildPatternBitmap() {
  delete m_pPattern;
  m_pPattern = NULL;
  if (m_LogBrush.lbStyle != BS_DIBPATTERN) return;
  CDib* src = LibraryDib(s_pLibrary, m_nIndex);
  if (src == NULL) return;
  const int w = src->GetWidth(), h = src->GetHeight();
  CDib* out = new CDib;
  if (!out->Create(w, h, 24)) {
    delete out;
    return;
  }
  // Black takes the foreground, white the background; other colours stay.
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      COLORREF c = src->GetColor(x, y) & 0xFFFFFF;
      if (c == 0x000000)
        c = m_crFore;
      else if (c == 0xFFFFFF)
        c = m_crBack;
      out->SetColor(x, y, c);
    }
  }
  m_pPattern = out;
}

BOOL jvqPatternFill::Load(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t v[6];
    if (!jvqReadExact(pFile, v, sizeof(v))) return FALSE;
    m_LogBrush.lbStyle = (UINT)v[0];
    m_LogBrush.lbColor = (COLORREF)v[1];
    m_LogBrush.lbHatch = v[2];
    m_nIndex = v[3];
    m_crFore = (COLORREF)v[4];
    m_crBack = (COLORREF)v[5];
    ForgetPictures();
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqPatternFill::Store(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    const int32_t v[7] = {(int32_t)m_dwFlags, (int32_t)m_LogBrush.lbStyle, (int32_t)m_LogBrush.lbColor,
                          (int32_t)m_LogBrush.lbHatch, m_nIndex, (int32_t)m_crFore, (int32_t)m_crBack};
    pFile->Write(v, sizeof(v));
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

#ifdef JVQ_HAVE_GDI

void jvqPatternFill::FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip) {
  if (m_pPattern == NULL) BuildPatternBitmap();
  if (m_pPattern == NULL || pRegion == NULL) return;
  CRect box;
  if (pRegion->GetRgnBox(&box) == ERROR) return;
  if (!::EqualRect(&box, &m_rcLast)) {
    m_rcLast = box;
    delete m_pSwatch;
    m_pSwatch = NULL;
  }
  CSize tile(m_pPattern->GetWidth(), m_pPattern->GetHeight());
  pDC->DPtoLP(&tile);
  const BOOL bPreview = pDC->IsPrinting() && jvqIsPreviewDC(pDC);
  if (pDC->IsPrinting()) {
    // Printed at the physical size the screen shows at 100 %.
    double rx, ry;
    jvqTileScaleRatio(pDC, &rx, &ry);
    tile.cx = (int)(tile.cx / rx);
    tile.cy = (int)(tile.cy / ry);
  }
  if (tile.cx <= 0) tile.cx = 1;
  if (tile.cy <= 0) tile.cy = 1;
  if (bPreview) {
    SaveClipRegion(pDC);
    if (pClip && pClip->GetSafeHandle()) pDC->SelectClipRgn(pClip, RGN_AND);
    jvqTileDib(pDC, m_pPattern, box, tile.cx, tile.cy);
    RestoreClipRegion(pDC);
    return;
  }
  if (pClip && pClip->GetSafeHandle()) pDC->SelectClipRgn(pClip, RGN_COPY);
  jvqTileDib(pDC, m_pPattern, box, tile.cx, tile.cy);
  pDC->SelectClipRgn(NULL);
}

void jvqPatternFill::DrawSwatch(CDC* pDC, const RECT* pRect) {
  if (m_pPattern == NULL) BuildPatternBitmap();
  if (m_pPattern == NULL) return;
  CSize size(pRect->right - pRect->left, pRect->bottom - pRect->top);
  pDC->LPtoDP(&size);
  if (size.cx <= 0 || size.cy <= 0) return;
  double rx, ry;
  jvqTileScaleRatio(pDC, &rx, &ry);
  const int tw = std::max(1, (int)(m_pPattern->GetWidth() / rx));
  const int th = std::max(1, (int)(m_pPattern->GetHeight() / ry));
  CDC mem;
  CBitmap bitmap;
  if (!mem.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, size.cx, size.cy)) return;
  CBitmap* pOld = mem.SelectObject(&bitmap);
  const RECT all = {0, 0, size.cx, size.cy};
  jvqTileDib(&mem, m_pPattern, all, tw, th);
  mem.SelectObject(pOld);
  CDibImage* p = new CDibImage;
  if (!p->CreateFromBitmap((HBITMAP)bitmap.GetSafeHandle())) {
    delete p;
    return;
  }
  delete m_pSwatch;
  m_pSwatch = p;
}

#else

void jvqPatternFill::FillRegion(CDC*, CRgn*, CRgn*) {}

#endif
