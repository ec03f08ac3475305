#include "WinState.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) {
  return static_cast<CGdiObject*>(AfxGetWinThreadState()->m_mapHGDIOBJ.FromHandle(hObject));
}

void PASCAL CGdiObject::DeleteTempMap() { AfxGetWinThreadState()->m_mapHGDIOBJ.DeleteTemp(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (hObject == NULL) return FALSE;
  AfxGetWinThreadState()->m_mapHGDIOBJ.SetPermanent(hObject, this);
  m_hObject = hObject;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ hObject = m_hObject;
  if (hObject != NULL) {
    CHandleMap& map = AfxGetWinThreadState()->m_mapHGDIOBJ;
    if (map.LookupPermanent(hObject) == this) map.RemoveHandle(hObject);
  }
  m_hObject = NULL;
  return hObject;
}

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == NULL) return FALSE;
  return ::DeleteObject(Detach());
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
  if (!CreatePen(nPenStyle, nWidth, crColor)) AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  if (!CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle)) AfxThrowResourceException();
}

CBrush::CBrush(COLORREF crColor) {
  if (!CreateSolidBrush(crColor)) AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor) {
  if (!CreateHatchBrush(nIndex, crColor)) AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap) {
  if (!CreatePatternBrush(pBitmap)) AfxThrowResourceException();
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  return Attach(::CreatePatternBrush((HBITMAP)pBitmap->GetSafeHandle()));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
  LOGFONT logFont;
  memset(&logFont, 0, sizeof(logFont));
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfHeight = nPointSize;
  lstrcpyn(logFont.lfFaceName, lpszFaceName, sizeof(logFont.lfFaceName));
  return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
  HDC hDC = pDC != NULL ? pDC->m_hAttribDC : ::GetDC(NULL);
  // lfHeight is in tenths of a point: to logical units of the DC.
  LOGFONT logFont = *lpLogFont;
  POINT pt;
  pt.y = ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720);
  pt.x = 0;
  ::DPtoLP(hDC, &pt, 1);
  POINT ptOrg = {0, 0};
  ::DPtoLP(hDC, &ptOrg, 1);
  logFont.lfHeight = -abs(pt.y - ptOrg.y);
  if (pDC == NULL) ::ReleaseDC(NULL, hDC);
  return CreateFontIndirect(&logFont);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
  return Attach(::LoadBitmap(hInst, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight) {
  return Attach(::CreateDiscardableBitmap(pDC->m_hDC, nWidth, nHeight));
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight) {
  SIZE size = {0, 0};
  ::SetBitmapDimensionEx((HBITMAP)m_hObject, nWidth, nHeight, &size);
  return size;
}

CSize CBitmap::GetBitmapDimension() const {
  SIZE size = {0, 0};
  ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
  return size;
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC) { return Attach(::CreateHalftonePalette(pDC->GetSafeHdc())); }

int CPalette::GetEntryCount() {
  WORD nEntries = 0;
  ::GetObject(m_hObject, sizeof(WORD), &nEntries);
  return (int)nEntries;
}

BOOL CRgn::CreateFromPath(CDC* pDC) { return Attach(::PathToRegion(pDC->m_hDC)); }
