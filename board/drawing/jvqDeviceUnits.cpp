#include "jvqDeviceUnits.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#ifdef JVQ_HAVE_PREVIEWDC
#include "afxext.h"
#endif

BOOL jvqIsPreviewDC(CDC* pDC) {
#ifdef JVQ_HAVE_PREVIEWDC
  return pDC->IsKindOf(RUNTIME_CLASS(CPreviewDC));
#else
  (void)pDC;
  return FALSE;
#endif
}

void jvqLogicalToDevice(CDC* pDC, POINT* pPoints, int nCount) {
  HDC hAttrib = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
  BOOL bPreview = jvqIsPreviewDC(pDC);
  // Only a printer has a scaling factor; asking a screen DC for it costs a trip to the
  // window system under some platforms, once per object drawn.
  int sx = 0, sy = 0;
  if (!bPreview && pDC->IsPrinting()) {
    sx = ::GetDeviceCaps(hAttrib, SCALINGFACTORX);
    sy = ::GetDeviceCaps(hAttrib, SCALINGFACTORY);
  }
  POINT org = {0, 0};
  if (bPreview) ::GetViewportOrgEx(pDC->m_hDC, &org);
  // One call for the whole shape: under Wine each call is a trip into the graphics driver.
  if (nCount > 0) ::LPtoDP(hAttrib, pPoints, nCount);
  if (!bPreview && !pDC->IsPrinting()) return;
  for (int i = 0; i < nCount; i++) {
    if (bPreview) {
#ifdef JVQ_HAVE_PREVIEWDC
      ((CPreviewDC*)pDC)->PrinterDPtoScreenDP(&pPoints[i]);
#endif
      pPoints[i].x += org.x;
      pPoints[i].y += org.y;
    } else if (pDC->IsPrinting()) {
      pPoints[i].x >>= sx;
      pPoints[i].y >>= sy;
    }
  }
}

#else

BOOL jvqIsPreviewDC(CDC*) { return FALSE; }
void jvqLogicalToDevice(CDC*, POINT*, int) {}

#endif
