#include "jvqViewMapping.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

jvqViewMapping::ToolIdQuery jvqViewMapping::s_pfnToolIdQuery = NULL;

jvqViewMapping::jvqViewMapping()
    : m_nClientWidth(0),
      m_nClientHeight(0),
      m_nPageWidth(0),
      m_nPageHeight(0),
      m_nMinMarginX(0),
      m_nMinMarginY(0),
      m_nPageOffsetX(0),
      m_nPageOffsetY(0),
      m_dZoom(100.0),
      m_bFitToWindow(FALSE),
      m_pOwnerWnd(NULL) {}

int jvqViewMapping::GetZoomPercent() const {
  int n = (int)m_dZoom;
  return n < 1 ? 1 : n;
}

SIZE jvqViewMapping::GetExtent() const {
  SIZE sz = {m_nPageWidth + 2 * m_nPageOffsetX, m_nPageHeight + 2 * m_nPageOffsetY};
  return sz;
}

int jvqViewMapping::GetCurrentToolId() const {
  if (m_pOwnerWnd == NULL || s_pfnToolIdQuery == NULL) return -1;
  return s_pfnToolIdQuery(m_pOwnerWnd);
}

#ifdef JVQ_HAVE_GDI

BOOL jvqViewMapping::HasOwnerWindow() const {
  return m_pOwnerWnd != NULL && m_pOwnerWnd->m_hWnd != NULL;
}

void jvqViewMapping::InvalidateOwner(const RECT* pDeviceRect) {
  if (HasOwnerWindow()) ::InvalidateRect(m_pOwnerWnd->m_hWnd, pDeviceRect, TRUE);
}

jvqViewMapping::DeviceSize jvqViewMapping::s_Screen = {0, 0, 0, 0};
BOOL jvqViewMapping::s_bScreenKnown = FALSE;

void jvqViewMapping::ForgetScreenSize() { s_bScreenKnown = FALSE; }

jvqViewMapping::DeviceSize jvqViewMapping::ReadDeviceSize(CDC* pDC) {
  HDC hAttrib = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
  DeviceSize d = {::GetDeviceCaps(hAttrib, HORZSIZE), ::GetDeviceCaps(hAttrib, VERTSIZE),
                  ::GetDeviceCaps(hAttrib, HORZRES), ::GetDeviceCaps(hAttrib, VERTRES)};
  return d;
}

BOOL jvqViewMapping::SetupDC(CDC* pDC, double s, int nClientWidth, int nClientHeight,
                             int nPageWidth, int nPageHeight, int nMinMarginX, int nMinMarginY) {
  return SetupDCWith(pDC, ReadDeviceSize(pDC), s, nClientWidth, nClientHeight, nPageWidth, nPageHeight,
                     nMinMarginX, nMinMarginY);
}

BOOL jvqViewMapping::SetupDCWith(CDC* pDC, const DeviceSize& size, double s, int nClientWidth,
                                 int nClientHeight, int nPageWidth, int nPageHeight, int nMinMarginX,
                                 int nMinMarginY) {
  pDC->SetMapMode(MM_ANISOTROPIC);
  const int hs = size.hs, vs = size.vs, hr = size.hr, vr = size.vr;
  double m = 1.0;
  if (hs * 10.0 > m) m = hs * 10.0;
  if (vs * 10.0 > m) m = vs * 10.0;
  if (hr * s > m) m = hr * s;
  if (vr * s > m) m = vr * s;
  int k = (int)(32760 / m);
  int winX = hs * k * 10, winY = vs * k * 10;
  int viewX = (int)(hr * k * s), viewY = (int)(vr * k * s);
  BOOL bUseX = winX != 0 && winY != 0 && (double)viewY / winY > (double)viewX / winX;
  if (bUseX) {
    pDC->SetWindowExt(winX, winX);
    pDC->SetViewportExt(viewX, viewX);
  } else {
    pDC->SetWindowExt(winY, winY);
    pDC->SetViewportExt(viewY, viewY);
  }
  SIZE client = {nClientWidth, nClientHeight};
  pDC->DPtoLP(&client);
  int ox = (client.cx - nPageWidth) / 2, oy = (client.cy - nPageHeight) / 2;
  m_nPageOffsetX = ox > nMinMarginX ? ox : nMinMarginX;
  m_nPageOffsetY = oy > nMinMarginY ? oy : nMinMarginY;
  pDC->SetWindowOrg(-m_nPageOffsetX, -m_nPageOffsetY);
  return TRUE;
}

BOOL jvqViewMapping::PrepareDC(CDC* pDC) { return PrepareDCWith(pDC, ReadDeviceSize(pDC)); }

BOOL jvqViewMapping::PrepareDCWith(CDC* pDC, const DeviceSize& size) {
  if (HasOwnerWindow()) {
    RECT rc;
    ::GetClientRect(m_pOwnerWnd->m_hWnd, &rc);
    m_nClientWidth = rc.right - rc.left;
    m_nClientHeight = rc.bottom - rc.top;
  }
  return SetupDCWith(pDC, size, m_dZoom * 0.01, m_nClientWidth, m_nClientHeight, m_nPageWidth,
                     m_nPageHeight, m_nMinMarginX, m_nMinMarginY);
}

jvqMappingDC::jvqMappingDC(jvqViewMapping* pMapping) {
  m_hWnd = pMapping->HasOwnerWindow() ? pMapping->m_pOwnerWnd->m_hWnd : NULL;
  m_dc.Attach(::GetDC(m_hWnd));
  // A window's DC has the screen's size: read once, not for every object measured.
  if (!jvqViewMapping::s_bScreenKnown) {
    jvqViewMapping::s_Screen = jvqViewMapping::ReadDeviceSize(&m_dc);
    jvqViewMapping::s_bScreenKnown = TRUE;
  }
  pMapping->PrepareDCWith(&m_dc, jvqViewMapping::s_Screen);
}

jvqMappingDC::~jvqMappingDC() { ::ReleaseDC(m_hWnd, m_dc.Detach()); }

int jvqViewMapping::LengthToDevice(int nLength) {
  jvqMappingDC dc(this);
  SIZE sz = {nLength, 0};
  dc.m_dc.LPtoDP(&sz);
  return sz.cx;
}

void jvqViewMapping::RectToDevice(RECT* pRect) {
  jvqMappingDC dc(this);
  dc.m_dc.LPtoDP((LPPOINT)pRect, 2);
}

SIZE jvqViewMapping::SizeToLogical(SIZE* pSize) {
  jvqMappingDC dc(this);
  dc.m_dc.DPtoLP(pSize);
  return *pSize;
}

SIZE jvqViewMapping::SizeToDevice(SIZE* pSize) {
  jvqMappingDC dc(this);
  dc.m_dc.LPtoDP(pSize);
  return *pSize;
}

void jvqViewMapping::PointToDevice(POINT* pPoint) {
  jvqMappingDC dc(this);
  dc.m_dc.LPtoDP(pPoint, 1);
}

void jvqViewMapping::RectToLogical(RECT* pRect) {
  jvqMappingDC dc(this);
  dc.m_dc.DPtoLP((LPPOINT)pRect, 2);
}

#else

// Without windows there is no device: sizes and rectangles stay in logical units.
BOOL jvqViewMapping::HasOwnerWindow() const { return FALSE; }
void jvqViewMapping::InvalidateOwner(const RECT*) {}
BOOL jvqViewMapping::SetupDC(CDC*, double, int, int, int, int, int, int) { return FALSE; }
BOOL jvqViewMapping::PrepareDC(CDC*) { return FALSE; }
int jvqViewMapping::LengthToDevice(int nLength) { return nLength; }
void jvqViewMapping::RectToDevice(RECT*) {}
SIZE jvqViewMapping::SizeToLogical(SIZE* pSize) { return *pSize; }
SIZE jvqViewMapping::SizeToDevice(SIZE* pSize) { return *pSize; }
void jvqViewMapping::PointToDevice(POINT*) {}
void jvqViewMapping::RectToLogical(RECT*) {}

#endif
