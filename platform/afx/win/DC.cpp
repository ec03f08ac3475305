#include "WinState.h"

#include <cstdlib>

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CMetaFileDC, CDC)

CDC::CDC() : m_hDC(NULL), m_hAttribDC(NULL), m_bPrinting(FALSE) {}

CDC::~CDC() {
  if (m_hDC != NULL) ::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC) { return static_cast<CDC*>(AfxGetWinThreadState()->m_mapHDC.FromHandle(hDC)); }

void PASCAL CDC::DeleteTempMap() { AfxGetWinThreadState()->m_mapHDC.DeleteTemp(); }

BOOL CDC::Attach(HDC hDC) {
  if (hDC == NULL) return FALSE;
  AfxGetWinThreadState()->m_mapHDC.SetPermanent(hDC, this);
  m_hDC = hDC;
  SetAttribDC(m_hDC);
  return TRUE;
}

HDC CDC::Detach() {
  HDC hDC = m_hDC;
  if (hDC != NULL) {
    CHandleMap& map = AfxGetWinThreadState()->m_mapHDC;
    if (map.LookupPermanent(hDC) == this) map.RemoveHandle(hDC);
  }
  ReleaseAttribDC();
  ReleaseOutputDC();
  return hDC;
}

void CDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
void CDC::SetOutputDC(HDC hDC) { m_hDC = hDC; }
void CDC::ReleaseAttribDC() { m_hAttribDC = NULL; }
void CDC::ReleaseOutputDC() { m_hDC = NULL; }

BOOL CDC::DeleteDC() {
  if (m_hDC == NULL) return FALSE;
  return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

int CDC::SaveDC() {
  int nRetVal = 0;
  if (m_hAttribDC != NULL) nRetVal = ::SaveDC(m_hAttribDC);
  if (m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0) nRetVal = -1;  // -1: the saved state of both
  return nRetVal;
}

BOOL CDC::RestoreDC(int nSavedDC) {
  BOOL bRetVal = TRUE;
  if (m_hDC != m_hAttribDC) bRetVal = ::RestoreDC(m_hDC, nSavedDC);
  if (m_hAttribDC != NULL) bRetVal = (bRetVal && ::RestoreDC(m_hAttribDC, nSavedDC));
  return bRetVal;
}

CGdiObject* PASCAL CDC::SelectGdiObject(HDC hDC, HDC hAttribDC, HGDIOBJ h) {
  HGDIOBJ hOldObj = NULL;
  if (h == NULL) return NULL;
  if (hDC != hAttribDC) hOldObj = ::SelectObject(hDC, h);
  if (hAttribDC != NULL) hOldObj = ::SelectObject(hAttribDC, h);
  return CGdiObject::FromHandle(hOldObj);
}

CFont* CDC::SelectObject(CFont* pFont) {
  return (CFont*)SelectGdiObject(m_hDC, m_hAttribDC, pFont->GetSafeHandle());
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
  return SelectGdiObject(m_hDC, m_hAttribDC, ::GetStockObject(nIndex));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
  return (CPalette*)CGdiObject::FromHandle(
      ::SelectPalette(m_hDC, (HPALETTE)pPalette->GetSafeHandle(), bForceBackground));
}

CPoint CDC::GetViewportOrg() const {
  POINT point = {0, 0};
  ::GetViewportOrgEx(m_hAttribDC, &point);
  return point;
}
CSize CDC::GetViewportExt() const {
  SIZE size = {0, 0};
  ::GetViewportExtEx(m_hAttribDC, &size);
  return size;
}
CPoint CDC::GetWindowOrg() const {
  POINT point = {0, 0};
  ::GetWindowOrgEx(m_hAttribDC, &point);
  return point;
}
CSize CDC::GetWindowExt() const {
  SIZE size = {0, 0};
  ::GetWindowExtEx(m_hAttribDC, &size);
  return size;
}
CPoint CDC::GetBrushOrg() const {
  POINT point = {0, 0};
  ::GetBrushOrgEx(m_hDC, &point);
  return point;
}
CPoint CDC::GetCurrentPosition() const {
  POINT point = {0, 0};
  ::GetCurrentPositionEx(m_hAttribDC, &point);
  return point;
}

// Attribute changes go to both DCs; the result is the attribute DC's.
template <class R, class F>
static R SetOnBoth(HDC hDC, HDC hAttribDC, F f) {
  R nRetVal = R();
  if (hDC != NULL && hDC != hAttribDC) nRetVal = f(hDC);
  if (hAttribDC != NULL) nRetVal = f(hAttribDC);
  return nRetVal;
}

COLORREF CDC::SetBkColor(COLORREF crColor) {
  return SetOnBoth<COLORREF>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetBkColor(h, crColor); });
}
int CDC::SetBkMode(int nBkMode) { return SetOnBoth<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetBkMode(h, nBkMode); }); }
int CDC::SetPolyFillMode(int nPolyFillMode) {
  return SetOnBoth<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetPolyFillMode(h, nPolyFillMode); });
}
int CDC::SetROP2(int nDrawMode) { return SetOnBoth<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetROP2(h, nDrawMode); }); }
int CDC::SetStretchBltMode(int nStretchMode) {
  return SetOnBoth<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetStretchBltMode(h, nStretchMode); });
}
COLORREF CDC::SetTextColor(COLORREF crColor) {
  return SetOnBoth<COLORREF>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetTextColor(h, crColor); });
}
UINT CDC::SetTextAlign(UINT nFlags) {
  return SetOnBoth<UINT>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetTextAlign(h, nFlags); });
}
int CDC::SetTextCharacterExtra(int nCharExtra) {
  return SetOnBoth<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetTextCharacterExtra(h, nCharExtra); });
}
DWORD CDC::SetMapperFlags(DWORD dwFlag) {
  return SetOnBoth<DWORD>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetMapperFlags(h, dwFlag); });
}
CPoint CDC::SetBrushOrg(int x, int y) {
  POINT point = {0, 0};
  ::SetBrushOrgEx(m_hDC, x, y, &point);
  return point;
}
int CDC::SetMapMode(int nMapMode) {
  return SetOnBoth<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetMapMode(h, nMapMode); });
}

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT point = {0, 0};
  SetOnBoth<BOOL>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetViewportOrgEx(h, x, y, &point); });
  return point;
}
CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
  POINT point = {0, 0};
  SetOnBoth<BOOL>(m_hDC, m_hAttribDC, [&](HDC h) { return ::OffsetViewportOrgEx(h, nWidth, nHeight, &point); });
  return point;
}
CSize CDC::SetViewportExt(int cx, int cy) {
  SIZE size = {0, 0};
  SetOnBoth<BOOL>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetViewportExtEx(h, cx, cy, &size); });
  return size;
}
CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) {
  SIZE size = {0, 0};
  SetOnBoth<BOOL>(m_hDC, m_hAttribDC, [&](HDC h) { return ::ScaleViewportExtEx(h, xNum, xDenom, yNum, yDenom, &size); });
  return size;
}
CPoint CDC::SetWindowOrg(int x, int y) {
  POINT point = {0, 0};
  SetOnBoth<BOOL>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetWindowOrgEx(h, x, y, &point); });
  return point;
}
CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) {
  POINT point = {0, 0};
  SetOnBoth<BOOL>(m_hDC, m_hAttribDC, [&](HDC h) { return ::OffsetWindowOrgEx(h, nWidth, nHeight, &point); });
  return point;
}
CSize CDC::SetWindowExt(int cx, int cy) {
  SIZE size = {0, 0};
  SetOnBoth<BOOL>(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetWindowExtEx(h, cx, cy, &size); });
  return size;
}
CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) {
  SIZE size = {0, 0};
  SetOnBoth<BOOL>(m_hDC, m_hAttribDC, [&](HDC h) { return ::ScaleWindowExtEx(h, xNum, xDenom, yNum, yDenom, &size); });
  return size;
}

void CDC::DPtoLP(LPSIZE lpSize) const {
  CSize sizeWinExt = GetWindowExt();
  CSize sizeVpExt = GetViewportExt();
  if (sizeVpExt.cx == 0 || sizeVpExt.cy == 0) return;
  lpSize->cx = ::MulDiv(lpSize->cx, abs(sizeWinExt.cx), abs(sizeVpExt.cx));
  lpSize->cy = ::MulDiv(lpSize->cy, abs(sizeWinExt.cy), abs(sizeVpExt.cy));
}

void CDC::LPtoDP(LPSIZE lpSize) const {
  CSize sizeWinExt = GetWindowExt();
  CSize sizeVpExt = GetViewportExt();
  if (sizeWinExt.cx == 0 || sizeWinExt.cy == 0) return;
  lpSize->cx = ::MulDiv(lpSize->cx, abs(sizeVpExt.cx), abs(sizeWinExt.cx));
  lpSize->cy = ::MulDiv(lpSize->cy, abs(sizeVpExt.cy), abs(sizeWinExt.cy));
}

#define HIMETRIC_INCH 2540

void CDC::DPtoHIMETRIC(LPSIZE lpSize) const {
  int nMapMode = GetMapMode();
  if (nMapMode < MM_ISOTROPIC && nMapMode != MM_TEXT) {
    // A fixed mapping mode maps against the physical inch.
    CDC* pThis = const_cast<CDC*>(this);
    pThis->SetMapMode(MM_HIMETRIC);
    DPtoLP(lpSize);
    pThis->SetMapMode(nMapMode);
  } else {
    lpSize->cx = ::MulDiv(lpSize->cx, HIMETRIC_INCH, GetDeviceCaps(LOGPIXELSX));
    lpSize->cy = ::MulDiv(lpSize->cy, HIMETRIC_INCH, GetDeviceCaps(LOGPIXELSY));
  }
}

void CDC::HIMETRICtoDP(LPSIZE lpSize) const {
  int nMapMode = GetMapMode();
  if (nMapMode < MM_ISOTROPIC && nMapMode != MM_TEXT) {
    CDC* pThis = const_cast<CDC*>(this);
    pThis->SetMapMode(MM_HIMETRIC);
    LPtoDP(lpSize);
    pThis->SetMapMode(nMapMode);
  } else {
    lpSize->cx = ::MulDiv(lpSize->cx, GetDeviceCaps(LOGPIXELSX), HIMETRIC_INCH);
    lpSize->cy = ::MulDiv(lpSize->cy, GetDeviceCaps(LOGPIXELSY), HIMETRIC_INCH);
  }
}

void CDC::LPtoHIMETRIC(LPSIZE lpSize) const {
  LPtoDP(lpSize);
  DPtoHIMETRIC(lpSize);
}

void CDC::HIMETRICtoLP(LPSIZE lpSize) const {
  HIMETRICtoDP(lpSize);
  DPtoLP(lpSize);
}

int CDC::SelectClipRgn(CRgn* pRgn) {
  int nRetVal = ERROR;
  HRGN hRgn = (HRGN)pRgn->GetSafeHandle();
  if (m_hDC != m_hAttribDC) nRetVal = ::SelectClipRgn(m_hDC, hRgn);
  if (m_hAttribDC != NULL) nRetVal = ::SelectClipRgn(m_hAttribDC, hRgn);
  return nRetVal;
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
  int nRetVal = ERROR;
  HRGN hRgn = (HRGN)pRgn->GetSafeHandle();
  if (m_hDC != m_hAttribDC) nRetVal = ::ExtSelectClipRgn(m_hDC, hRgn, nMode);
  if (m_hAttribDC != NULL) nRetVal = ::ExtSelectClipRgn(m_hAttribDC, hRgn, nMode);
  return nRetVal;
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
  return SetOnBoth<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::ExcludeClipRect(h, x1, y1, x2, y2); });
}
int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
  return SetOnBoth<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::IntersectClipRect(h, x1, y1, x2, y2); });
}
int CDC::OffsetClipRgn(int x, int y) {
  return SetOnBoth<int>(m_hDC, m_hAttribDC, [&](HDC h) { return ::OffsetClipRgn(h, x, y); });
}
int CDC::ExcludeUpdateRgn(CWnd* pWnd) { return ::ExcludeUpdateRgn(m_hDC, pWnd->m_hWnd); }

CPoint CDC::MoveTo(int x, int y) {
  POINT point = {0, 0};
  if (m_hDC != m_hAttribDC) ::MoveToEx(m_hDC, x, y, &point);
  if (m_hAttribDC != NULL) ::MoveToEx(m_hAttribDC, x, y, &point);
  return point;
}

BOOL CDC::LineTo(int x, int y) {
  if (m_hAttribDC != NULL && m_hDC != m_hAttribDC) ::MoveToEx(m_hAttribDC, x, y, NULL);
  return ::LineTo(m_hDC, x, y);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  ::SetBkColor(m_hDC, clr);
  ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  RECT rect = {x, y, x + cx, y + cy};
  FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
             clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
  FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE size = {0, 0};
  ::GetTextExtentPoint32(m_hAttribDC != NULL ? m_hAttribDC : m_hDC, lpszString, nCount, &size);
  return size;
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const {
  SIZE size = {0, 0};
  ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
  return size;
}

int CDC::GetTextFace(CString& rString) const {
  int nResult = ::GetTextFace(m_hAttribDC, LF_FACESIZE, rString.GetBuffer(LF_FACESIZE));
  rString.ReleaseBuffer();
  return nResult;
}

int CDC::StartDoc(LPCTSTR lpszDocName) {
  DOCINFO di;
  memset(&di, 0, sizeof(di));
  di.cbSize = sizeof(di);
  di.lpszDocName = lpszDocName;
  return StartDoc(&di);
}

/////////////////////////////////////////////////////////////////////////////

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) {
  if (!Attach(::BeginPaint(m_hWnd, &m_ps))) AfxThrowResourceException();
}

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
  if (!Attach(::GetDC(m_hWnd))) AfxThrowResourceException();
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
  if (!Attach(::GetWindowDC(m_hWnd))) AfxThrowResourceException();
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }

/////////////////////////////////////////////////////////////////////////////

CMetaFileDC::~CMetaFileDC() {
  if (m_hDC == NULL) return;
  if (::GetObjectType(m_hDC) == OBJ_ENHMETADC) {
    HENHMETAFILE h = CloseEnhanced();
    if (h != NULL) ::DeleteEnhMetaFile(h);
  } else {
    HMETAFILE h = Close();
    if (h != NULL) ::DeleteMetaFile(h);
  }
}

BOOL CMetaFileDC::Create(LPCTSTR lpszFilename) {
  HDC hDC = ::CreateMetaFile(lpszFilename);
  if (hDC == NULL) return FALSE;
  AfxGetWinThreadState()->m_mapHDC.SetPermanent(hDC, this);
  m_hDC = hDC;
  m_hAttribDC = NULL;  // a Windows metafile answers no queries: SetAttribDC gives one
  return TRUE;
}

BOOL CMetaFileDC::CreateEnhanced(CDC* pDCRef, LPCTSTR lpszFileName, LPCRECT lpBounds, LPCTSTR lpszDescription) {
  HDC hDC = ::CreateEnhMetaFile(pDCRef->GetSafeHdc(), lpszFileName, lpBounds, lpszDescription);
  if (hDC == NULL) return FALSE;
  AfxGetWinThreadState()->m_mapHDC.SetPermanent(hDC, this);
  m_hDC = hDC;
  m_hAttribDC = hDC;
  return TRUE;
}

HMETAFILE CMetaFileDC::Close() {
  HDC hDC = Detach();
  return hDC != NULL ? ::CloseMetaFile(hDC) : NULL;
}

HENHMETAFILE CMetaFileDC::CloseEnhanced() {
  HDC hDC = Detach();
  return hDC != NULL ? ::CloseEnhMetaFile(hDC) : NULL;
}

void CMetaFileDC::SetAttribDC(HDC hDC) {
  // The output DC records what the queries see: the reference DC's mapping.
  if (hDC != m_hDC && m_hDC != NULL && hDC != NULL) ::SetMapMode(m_hDC, ::GetMapMode(hDC));
  CDC::SetAttribDC(hDC);
}
