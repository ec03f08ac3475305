#include "WinState.h"

#include "afxext.h"

#include <numeric>

// The preview DC: the attribute DC is the printer's and holds the mapping the view sets; the
// output DC (the screen) gets the same mapping with its viewport scaled by m_nScaleNum /
// m_nScaleDen and moved to the page's corner.

IMPLEMENT_DYNAMIC(CPreviewDC, CDC)

CPreviewDC::CPreviewDC() : m_nScaleNum(1), m_nScaleDen(1), m_sizeTopLeft(0, 0), m_sizeWinExt(1, 1), m_sizeVpExt(1, 1) {
  m_bPrinting = TRUE;
}

CPreviewDC::~CPreviewDC() {
  // Neither DC is this object's to delete.
  m_hDC = NULL;
  m_hAttribDC = NULL;
}

void CPreviewDC::SetAttribDC(HDC hDC) {
  m_hAttribDC = hDC;
  if (m_hDC != NULL) MirrorMappingMode(TRUE);
}

void CPreviewDC::SetOutputDC(HDC hDC) {
  m_hDC = hDC;
  if (m_hDC != NULL) {
    ::SetMapMode(m_hDC, MM_ANISOTROPIC);
    MirrorMappingMode(TRUE);
  }
}

void CPreviewDC::ReleaseOutputDC() { m_hDC = NULL; }

void CPreviewDC::SetScaleRatio(int nNumerator, int nDenominator) {
  if (nNumerator <= 0 || nDenominator <= 0) return;
  int g = std::gcd(nNumerator, nDenominator);
  m_nScaleNum = nNumerator / g;
  m_nScaleDen = nDenominator / g;
  MirrorMappingMode(TRUE);
}

void CPreviewDC::SetTopLeftOffset(CSize sizeTopLeft) {
  m_sizeTopLeft = sizeTopLeft;
  MirrorViewportOrg();
}

void CPreviewDC::ClipToPage() {
  if (m_hDC == NULL || m_hAttribDC == NULL) return;
  // The page's printable area in the output DC's device units.
  POINT pts[2] = {{0, 0}, {::GetDeviceCaps(m_hAttribDC, HORZRES), ::GetDeviceCaps(m_hAttribDC, VERTRES)}};
  for (POINT& pt : pts) {
    pt.x = ::MulDiv(pt.x, m_nScaleNum, m_nScaleDen) + m_sizeTopLeft.cx;
    pt.y = ::MulDiv(pt.y, m_nScaleNum, m_nScaleDen) + m_sizeTopLeft.cy;
  }
  HRGN hRgn = ::CreateRectRgn(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
  ::ExtSelectClipRgn(m_hDC, hRgn, RGN_AND);
  ::DeleteObject(hRgn);
}

void CPreviewDC::PrinterDPtoScreenDP(LPPOINT lpPoint) const {
  POINT ptOrg = {0, 0};
  if (m_hAttribDC != NULL) ::GetViewportOrgEx(m_hAttribDC, &ptOrg);
  lpPoint->x = ::MulDiv(lpPoint->x - ptOrg.x, m_nScaleNum, m_nScaleDen);
  lpPoint->y = ::MulDiv(lpPoint->y - ptOrg.y, m_nScaleNum, m_nScaleDen);
}

CSize CPreviewDC::ComputeDeltas(CSize sizeWinExt, CSize sizeVpExt) {
  // The screen's extents: the window's as they are, the viewport's scaled. Both are kept
  // as small as the fraction allows.
  long long wx = sizeWinExt.cx * (long long)m_nScaleDen, vx = sizeVpExt.cx * (long long)m_nScaleNum;
  long long wy = sizeWinExt.cy * (long long)m_nScaleDen, vy = sizeVpExt.cy * (long long)m_nScaleNum;
  long long gx = std::gcd(wx < 0 ? -wx : wx, vx < 0 ? -vx : vx), gy = std::gcd(wy < 0 ? -wy : wy, vy < 0 ? -vy : vy);
  if (gx == 0) gx = 1;
  if (gy == 0) gy = 1;
  m_sizeWinExt = CSize((int)(wx / gx), (int)(wy / gy));
  m_sizeVpExt = CSize((int)(vx / gx), (int)(vy / gy));
  return m_sizeVpExt;
}

void CPreviewDC::MirrorViewportOrg() {
  if (m_hDC == NULL || m_hAttribDC == NULL) return;
  POINT ptOrg;
  ::GetViewportOrgEx(m_hAttribDC, &ptOrg);
  ::SetViewportOrgEx(m_hDC, ::MulDiv(ptOrg.x, m_nScaleNum, m_nScaleDen) + m_sizeTopLeft.cx,
                     ::MulDiv(ptOrg.y, m_nScaleNum, m_nScaleDen) + m_sizeTopLeft.cy, NULL);
}

void CPreviewDC::MirrorMappingMode(BOOL bCompute) {
  if (m_hDC == NULL || m_hAttribDC == NULL) return;
  SIZE sizeWinExt, sizeVpExt;
  ::GetWindowExtEx(m_hAttribDC, &sizeWinExt);
  ::GetViewportExtEx(m_hAttribDC, &sizeVpExt);
  POINT ptWinOrg;
  ::GetWindowOrgEx(m_hAttribDC, &ptWinOrg);
  if (bCompute) ComputeDeltas(sizeWinExt, sizeVpExt);
  ::SetMapMode(m_hDC, MM_ANISOTROPIC);
  ::SetWindowExtEx(m_hDC, m_sizeWinExt.cx, m_sizeWinExt.cy, NULL);
  ::SetViewportExtEx(m_hDC, m_sizeVpExt.cx, m_sizeVpExt.cy, NULL);
  ::SetWindowOrgEx(m_hDC, ptWinOrg.x, ptWinOrg.y, NULL);
  MirrorViewportOrg();
}

int CPreviewDC::SaveDC() {
  int nSaved = m_hAttribDC != NULL ? ::SaveDC(m_hAttribDC) : 0;
  if (m_hDC != NULL) ::SaveDC(m_hDC);
  return nSaved;
}

BOOL CPreviewDC::RestoreDC(int nSavedDC) {
  BOOL bResult = m_hAttribDC != NULL ? ::RestoreDC(m_hAttribDC, nSavedDC) : FALSE;
  if (m_hDC != NULL) ::RestoreDC(m_hDC, -1);
  MirrorMappingMode(TRUE);
  return bResult;
}

int CPreviewDC::SetMapMode(int nMapMode) {
  int nOld = ::SetMapMode(m_hAttribDC, nMapMode);
  MirrorMappingMode(TRUE);
  return nOld;
}

CPoint CPreviewDC::SetViewportOrg(int x, int y) {
  POINT pt;
  ::SetViewportOrgEx(m_hAttribDC, x, y, &pt);
  MirrorViewportOrg();
  return pt;
}

CPoint CPreviewDC::OffsetViewportOrg(int nWidth, int nHeight) {
  POINT pt;
  ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &pt);
  MirrorViewportOrg();
  return pt;
}

CSize CPreviewDC::SetViewportExt(int cx, int cy) {
  SIZE size;
  ::SetViewportExtEx(m_hAttribDC, cx, cy, &size);
  MirrorMappingMode(TRUE);
  return size;
}

CSize CPreviewDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) {
  SIZE size;
  ::ScaleViewportExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size);
  MirrorMappingMode(TRUE);
  return size;
}

CSize CPreviewDC::SetWindowExt(int cx, int cy) {
  SIZE size;
  ::SetWindowExtEx(m_hAttribDC, cx, cy, &size);
  MirrorMappingMode(TRUE);
  return size;
}

CSize CPreviewDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) {
  SIZE size;
  ::ScaleWindowExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size);
  MirrorMappingMode(TRUE);
  return size;
}
