#include "jvqSolidFill.h"

#include <cstdint>

#include "jvqDeviceUnits.h"
#include "jvqObject.h"
#include "jvqPointList.h"
#include "jvqRecordIO.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

jvqSolidFill::jvqSolidFill(COLORREF crColor) : m_nPatternIndex(-1), m_LogBrush{BS_SOLID, 0, 0} {
  m_dwFlags = FILL_BASE | FILL_SOLID;
  SetBrush(BS_SOLID, crColor, 0);
}

jvqSolidFill::jvqSolidFill(UINT nStyle, COLORREF crColor, LONG nHatch)
    : m_nPatternIndex(-1), m_LogBrush{BS_SOLID, 0, 0} {
  m_dwFlags = FILL_BASE | FILL_SOLID;
  SetBrush(nStyle, crColor, nHatch);
}

jvqSolidFill::jvqSolidFill(const jvqSolidFill& src)
    : m_nPatternIndex(src.m_nPatternIndex), m_LogBrush(src.m_LogBrush) {
  m_dwFlags = FILL_BASE | FILL_SOLID;
}

jvqFill* jvqSolidFill::Clone() { return new jvqSolidFill(*this); }

void jvqSolidFill::SetPatternIndex(int nIndex) {
  m_nPatternIndex = nIndex;
  SetBrush(BS_DIBPATTERN, 0, 0);
}

void jvqSolidFill::SetLogBrush(const LOGBRUSH* pBrush) {
  SetBrush(pBrush->lbStyle, pBrush->lbColor, (LONG)pBrush->lbHatch);
}

void jvqSolidFill::SetColor(COLORREF crColor) { SetBrush(BS_SOLID, crColor, 0); }

BOOL jvqSolidFill::SetBrush(UINT nStyle, COLORREF crColor, LONG nHatch) {
  m_LogBrush.lbStyle = nStyle;
  m_LogBrush.lbColor = crColor;
  m_LogBrush.lbHatch = nHatch;
#ifdef _WIN32
  HBRUSH hBrush = ::CreateBrushIndirect(&m_LogBrush);
  if (hBrush == NULL) return FALSE;
  ::DeleteObject(hBrush);
  return TRUE;
#else
  return nStyle != BS_DIBPATTERN || nHatch != 0;
#endif
}

BOOL jvqSolidFill::Load(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t v[4];
    if (!jvqReadExact(pFile, v, sizeof(v))) return FALSE;
    m_LogBrush.lbStyle = (UINT)v[0];
    m_LogBrush.lbColor = (COLORREF)v[1];
    m_LogBrush.lbHatch = v[2];
    m_nPatternIndex = v[3];
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqSolidFill::Store(CFile* pFile, jvqFileHeader*) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t v[5] = {(int32_t)m_dwFlags, (int32_t)m_LogBrush.lbStyle, (int32_t)m_LogBrush.lbColor,
                    (int32_t)m_LogBrush.lbHatch, m_nPatternIndex};
    pFile->Write(&v[0], 4);
    pFile->Write(&v[1], 12);
    pFile->Write(&v[4], 4);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

#ifdef JVQ_HAVE_GDI

// The brush lays the same pixels as FillRegion with fewer calls into the graphics driver
// where the object's region is an upright rectangle: a pattern fill of the rectangle stands for
// painting its region, and where the outline traces the same rectangle the clip region, which
// would take nothing away, is left out.
void jvqSolidFill::Paint(CDC* pDC, jvqObject* pObject) {
  HDC hDC = pDC->m_hDC;
  RECT rc;
  if (pDC->IsPrinting() || ::GetROP2(hDC) != R2_COPYPEN || !pObject->GetRegionRect(pDC, &rc)) {
    jvqFill::Paint(pDC, pObject);
    return;
  }
  jvqPointList* pOutline = pObject->GetOutline();
  RECT rcOutline;
  const BOOL bSameShape = pOutline && pOutline->IsUprightRect(&rcOutline) && ::EqualRect(&rcOutline, &rc);
  CRgn device;
  if (!bSameShape) {
    MakeDeviceRegion(pDC, &device, pObject);
    pDC->SelectClipRgn(&device, RGN_COPY);
  }
  HBRUSH hBrush = ::CreateBrushIndirect(&m_LogBrush);
  if (hBrush) {
    HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
    ::PatBlt(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, PATCOPY);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBrush);
  }
  // As FillRegion, the fill leaves the DC without a clip region.
  pDC->SelectClipRgn(NULL);
}

void jvqSolidFill::FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip) {
  HDC hDC = pDC->m_hDC;
  HRGN hRegion = pRegion ? (HRGN)pRegion->m_hObject : NULL;
  if (pDC->IsPrinting() && jvqIsPreviewDC(pDC)) {
    SaveClipRegion(pDC);
    if (pClip) pDC->SelectClipRgn(pClip, RGN_AND);
    HBRUSH hBrush = ::CreateBrushIndirect(&m_LogBrush);
    if (hBrush == NULL) {
      RestoreClipRegion(pDC);
      return;
    }
    HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
    ::PaintRgn(hDC, hRegion);
    ::SelectObject(hDC, hOld);
    RestoreClipRegion(pDC);
    ::DeleteObject(hBrush);
    return;
  }
  if (pClip) pDC->SelectClipRgn(pClip, RGN_COPY);
  HBRUSH hBrush = ::CreateBrushIndirect(&m_LogBrush);
  if (hBrush) {
    HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
    ::PaintRgn(hDC, hRegion);
    ::SelectObject(hDC, hOld);
  }
  pDC->SelectClipRgn(NULL);
  if (hBrush) ::DeleteObject(hBrush);
}

void jvqSolidFill::PaintRect(CDC* pDC, const RECT* pRect) {
  HDC hAttrib = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
  COLORREF crOld = ::GetBkColor(hAttrib);
  pDC->FillSolidRect(pRect, m_LogBrush.lbColor);
  pDC->SetBkColor(crOld);
}

#else

void jvqSolidFill::Paint(CDC*, jvqObject*) {}
void jvqSolidFill::FillRegion(CDC*, CRgn*, CRgn*) {}
void jvqSolidFill::PaintRect(CDC*, const RECT*) {}

#endif
