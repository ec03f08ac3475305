#include "jvqFill.h"

#include "jvqDeviceUnits.h"
#include "jvqObject.h"
#include "jvqPointList.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

int jvqFill::s_nSavedDC = 0;

#ifdef JVQ_HAVE_GDI

jvqFill::~jvqFill() {
  if (m_hKeptClipRgn) ::DeleteObject((HGDIOBJ)m_hKeptClipRgn);
}

void jvqFill::Paint(CDC* pDC, jvqObject* pObject) {
  CRgn region, device;
  if (!pObject->GetRegion(pDC, &region)) return;
  MakeDeviceRegion(pDC, &device, pObject);
  FillRegion(pDC, &region, &device);
  region.DeleteObject();
  device.DeleteObject();
}

void jvqFill::PaintRect(CDC* pDC, const RECT* pRect) {
  CRgn region, device;
  region.CreateRectRgn(pRect->left, pRect->top, pRect->right, pRect->bottom);
  MakeDeviceRectRegion(pDC, &device, pRect);
  FillRegion(pDC, &region, &device);
  region.DeleteObject();
  device.DeleteObject();
}

BOOL jvqFill::MakeDeviceRegion(CDC* pDC, CRgn* pOut, jvqObject* pObject) {
  jvqPointList* pOutline = pObject->GetOutline();
  if (pOutline == NULL) return FALSE;
  jvqPointList device;
  pOutline->ToDevice(pDC, device);
  return device.CreatePolygonRgn(pOut);
}

BOOL jvqFill::MakeDeviceRectRegion(CDC* pDC, CRgn* pOut, const RECT* pRect) {
  POINT pts[2] = {{pRect->left, pRect->top}, {pRect->right, pRect->bottom}};
  jvqLogicalToDevice(pDC, pts, 2);
  pOut->DeleteObject();
  return pOut->CreateRectRgn(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
}

void jvqFill::SaveClipRegion(CDC* pDC) {
  if (jvqIsPreviewDC(pDC)) {
    if (m_hKeptClipRgn) ::DeleteObject((HGDIOBJ)m_hKeptClipRgn);
    HRGN hRgn = ::CreateRectRgn(0, 0, 1, 1);
    // 0: no clip region at all, which is what restoring must give back (not the empty one).
    if (::GetClipRgn(pDC->m_hDC, hRgn) <= 0) {
      ::DeleteObject(hRgn);
      hRgn = NULL;
    }
    m_hKeptClipRgn = hRgn;
  } else {
    s_nSavedDC = pDC->SaveDC();
  }
}

void jvqFill::RestoreClipRegion(CDC* pDC) {
  if (jvqIsPreviewDC(pDC)) {
    ::SelectClipRgn(pDC->m_hDC, NULL);
    if (m_hKeptClipRgn) {
      ::SelectClipRgn(pDC->m_hDC, (HRGN)m_hKeptClipRgn);
      ::DeleteObject((HGDIOBJ)m_hKeptClipRgn);
      m_hKeptClipRgn = NULL;
    }
  } else {
    pDC->RestoreDC(s_nSavedDC);
  }
}

#else

jvqFill::~jvqFill() {}
void jvqFill::Paint(CDC*, jvqObject*) {}
void jvqFill::PaintRect(CDC*, const RECT*) {}
BOOL jvqFill::MakeDeviceRegion(CDC*, CRgn*, jvqObject*) { return FALSE; }
BOOL jvqFill::MakeDeviceRectRegion(CDC*, CRgn*, const RECT*) { return FALSE; }
void jvqFill::SaveClipRegion(CDC*) {}
void jvqFill::RestoreClipRegion(CDC*) {}

#endif
