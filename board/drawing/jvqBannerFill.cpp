#include "jvqBannerFill.h"

#include <cstdint>

#include "jvqBannerObject.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#include "glyphset.h"
#endif

jvqBannerFill::jvqBannerFill(const jvqBannerStyle* pStyle) {
  m_dwFlags = FILL_BASE | FILL_BANNER;
  if (pStyle) m_Style.Assign(*pStyle);
}

jvqBannerFill::jvqBannerFill(const jvqBannerFill& src) : jvqFill() {
  m_dwFlags = FILL_BASE | FILL_BANNER;
  m_Style.Assign(src.m_Style);
}

jvqFill* jvqBannerFill::Clone() { return new jvqBannerFill(*this); }

BOOL jvqBannerFill::Load(CFile* pFile, jvqFileHeader* pHeader) { return m_Style.Load(pFile, pHeader); }

BOOL jvqBannerFill::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (pFile == NULL) return FALSE;
  try {
    const int32_t flags = (int32_t)m_dwFlags;
    pFile->Write(&flags, 4);
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
  return m_Style.Store(pFile, pHeader);
}

RECT jvqBannerFill::LayoutRect(const RECT& rcFrame, BOOL bHorizontal) {
  if (bHorizontal) return rcFrame;
  // A quarter turn about the centre swaps the sides exactly.
  const int w = rcFrame.right - rcFrame.left, h = rcFrame.bottom - rcFrame.top;
  const int cx2 = rcFrame.left + rcFrame.right, cy2 = rcFrame.top + rcFrame.bottom;
  RECT r;
  r.left = (cx2 - h) / 2;
  r.right = r.left + h;
  r.top = (cy2 - w) / 2;
  r.bottom = r.top + w;
  return r;
}

#ifdef JVQ_HAVE_GDI

void jvqBannerFill::Paint(CDC* pDC, jvqObject* pObject) {
  const BOOL bPrinting = pDC->IsPrinting();
  int nSaved = 0;
  if (!bPrinting) nSaved = pDC->SaveDC();
  jvqBannerObject* pTitle = (pObject->GetClassCode() & 0x100000) ? (jvqBannerObject*)pObject : NULL;
  if (pTitle) pTitle->m_nLastResult = 0;
  m_Style.m_Block.pDC = pDC;
  pDC->SetTextColor(m_Style.m_crText);
  m_Style.SetAngle(pObject->m_dRotation);
  RECT r;
  pObject->GetBoundRect(&r);
  m_Style.m_Block.rect = LayoutRect(r, m_Style.m_Block.horizontal != 0);

  // Glyphset may change the mapping; the board's drawing goes on with its own.
  HDC hAttrib = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
  const int nMapMode = ::GetMapMode(hAttrib);
  POINT window, viewport;
  ::GetWindowOrgEx(hAttrib, &window);
  ::GetViewportOrgEx(hAttrib, &viewport);

  const int nResult = qvzDrawBanner((GlyphBannerBlock*)&m_Style.RefreshPointers()->m_Block, m_Style.m_nOption,
                                    m_Style.GetDrawMode());
  if (pTitle) pTitle->m_nLastResult = nResult;

  pDC->SetMapMode(nMapMode);
  pDC->SetWindowOrg(window.x, window.y);
  pDC->SetViewportOrg(viewport.x, viewport.y);
  m_Style.m_Block.pDC = NULL;
  if (!bPrinting) pDC->RestoreDC(nSaved);
}

#else

void jvqBannerFill::Paint(CDC*, jvqObject*) {}

#endif
