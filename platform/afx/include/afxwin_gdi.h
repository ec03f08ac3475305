// GDI wrappers: objects (pens, brushes, fonts, bitmaps, palettes, regions) and device
// contexts. Included by afxwin.h.
#pragma once

/////////////////////////////////////////////////////////////////////////////
// CGdiObject and its family. FromHandle gives the permanent wrapper of an attached
// handle, or a temporary one that is deleted when the thread goes idle.

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)
 public:
  HGDIOBJ m_hObject;

  CGdiObject() : m_hObject(NULL) {}
  ~CGdiObject() override;

  operator HGDIOBJ() const { return _AfxIsNull(this) ? NULL : m_hObject; }
  HGDIOBJ GetSafeHandle() const { return _AfxIsNull(this) ? NULL : m_hObject; }

  static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
  static void PASCAL DeleteTempMap();
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();

  int GetObject(int nCount, LPVOID lpObject) const { return ::GetObject(m_hObject, nCount, lpObject); }
  UINT GetObjectType() const { return (UINT)::GetObjectType(m_hObject); }
  BOOL CreateStockObject(int nIndex) { return (m_hObject = ::GetStockObject(nIndex)) != NULL; }
  BOOL UnrealizeObject() { return ::UnrealizeObject(m_hObject); }
  BOOL operator==(const CGdiObject& obj) const { return obj.m_hObject == m_hObject; }
  BOOL operator!=(const CGdiObject& obj) const { return obj.m_hObject != m_hObject; }
};

class CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)
 public:
  static CPen* PASCAL FromHandle(HPEN hPen) { return (CPen*)CGdiObject::FromHandle(hPen); }
  CPen() {}
  CPen(int nPenStyle, int nWidth, COLORREF crColor);
  CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
       const DWORD* lpStyle = NULL);
  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
  }
  BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                 const DWORD* lpStyle = NULL) {
    return Attach(::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
  }
  BOOL CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }
  operator HPEN() const { return (HPEN)(_AfxIsNull(this) ? NULL : m_hObject); }
  int GetLogPen(LOGPEN* pLogPen) { return ::GetObject(m_hObject, sizeof(LOGPEN), pLogPen); }
  int GetExtLogPen(EXTLOGPEN* pLogPen) { return ::GetObject(m_hObject, sizeof(EXTLOGPEN), pLogPen); }
};

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)
 public:
  static CBrush* PASCAL FromHandle(HBRUSH hBrush) { return (CBrush*)CGdiObject::FromHandle(hBrush); }
  CBrush() {}
  explicit CBrush(COLORREF crColor);
  CBrush(int nIndex, COLORREF crColor);
  explicit CBrush(CBitmap* pBitmap);
  BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
  BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
  BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
  BOOL CreatePatternBrush(CBitmap* pBitmap);
  BOOL CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage) {
    return Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
  }
  BOOL CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }
  operator HBRUSH() const { return (HBRUSH)(_AfxIsNull(this) ? NULL : m_hObject); }
  int GetLogBrush(LOGBRUSH* pLogBrush) { return ::GetObject(m_hObject, sizeof(LOGBRUSH), pLogBrush); }
};

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
 public:
  static CFont* PASCAL FromHandle(HFONT hFont) { return (CFont*)CGdiObject::FromHandle(hFont); }
  BOOL CreateFontIndirect(const LOGFONT* lpLogFont) { return Attach(::CreateFontIndirect(lpLogFont)); }
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                  BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                  BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                  BYTE nPitchAndFamily, LPCTSTR lpszFacename) {
    return Attach(::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                               bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                               nQuality, nPitchAndFamily, lpszFacename));
  }
  // Point sizes in tenths of a point, converted with pDC (the screen when NULL).
  BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = NULL);
  BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = NULL);
  operator HFONT() const { return (HFONT)(_AfxIsNull(this) ? NULL : m_hObject); }
  int GetLogFont(LOGFONT* pLogFont) { return ::GetObject(m_hObject, sizeof(LOGFONT), pLogFont); }
};

class CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)
 public:
  static CBitmap* PASCAL FromHandle(HBITMAP hBitmap) { return (CBitmap*)CGdiObject::FromHandle(hBitmap); }
  // From the first module of the resource chain that has it.
  BOOL LoadBitmap(LPCTSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
  BOOL LoadOEMBitmap(UINT nIDBitmap) { return Attach(::LoadBitmap(NULL, MAKEINTRESOURCE(nIDBitmap))); }
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
  }
  BOOL CreateBitmapIndirect(LPBITMAP lpBitmap) { return Attach(::CreateBitmapIndirect(lpBitmap)); }
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
  BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight);
  operator HBITMAP() const { return (HBITMAP)(_AfxIsNull(this) ? NULL : m_hObject); }
  int GetBitmap(BITMAP* pBitMap) { return ::GetObject(m_hObject, sizeof(BITMAP), pBitMap); }
  DWORD SetBitmapBits(DWORD dwCount, const void* lpBits) { return ::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits); }
  DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const { return ::GetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits); }
  CSize SetBitmapDimension(int nWidth, int nHeight);
  CSize GetBitmapDimension() const;
};

class CPalette : public CGdiObject {
  DECLARE_DYNAMIC(CPalette)
 public:
  static CPalette* PASCAL FromHandle(HPALETTE hPalette) { return (CPalette*)CGdiObject::FromHandle(hPalette); }
  BOOL CreatePalette(LPLOGPALETTE lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }
  BOOL CreateHalftonePalette(CDC* pDC);
  operator HPALETTE() const { return (HPALETTE)(_AfxIsNull(this) ? NULL : m_hObject); }
  int GetEntryCount();
  UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const {
    return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
  }
  UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) {
    return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
  }
  void AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) {
    ::AnimatePalette((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
  }
  UINT GetNearestPaletteIndex(COLORREF crColor) const {
    return ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor);
  }
  BOOL ResizePalette(UINT nNumEntries) { return ::ResizePalette((HPALETTE)m_hObject, nNumEntries); }
};

class CRgn : public CGdiObject {
  DECLARE_DYNAMIC(CRgn)
 public:
  static CRgn* PASCAL FromHandle(HRGN hRgn) { return (CRgn*)CGdiObject::FromHandle(hRgn); }
  operator HRGN() const { return (HRGN)(_AfxIsNull(this) ? NULL : m_hObject); }
  BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
  BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
  BOOL CreateEllipticRgnIndirect(LPCRECT lpRect) { return Attach(::CreateEllipticRgnIndirect(lpRect)); }
  BOOL CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode) {
    return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
  }
  BOOL CreatePolyPolygonRgn(LPPOINT lpPoints, LPINT lpPolyCounts, int nCount, int nPolyFillMode) {
    return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
  }
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
  }
  BOOL CreateFromPath(CDC* pDC);
  BOOL CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData) {
    return Attach(::ExtCreateRegion(lpXForm, nCount, pRgnData));
  }
  void SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2); }
  void SetRectRgn(LPCRECT lpRect) { ::SetRectRgn((HRGN)m_hObject, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  int CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode) {
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->GetSafeHandle(), (HRGN)pRgn2->GetSafeHandle(), nCombineMode);
  }
  int CopyRgn(CRgn* pRgnSrc) { return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgnSrc->GetSafeHandle(), NULL, RGN_COPY); }
  BOOL EqualRgn(CRgn* pRgn) const { return ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->GetSafeHandle()); }
  int OffsetRgn(int x, int y) { return ::OffsetRgn((HRGN)m_hObject, x, y); }
  int OffsetRgn(POINT point) { return ::OffsetRgn((HRGN)m_hObject, point.x, point.y); }
  int GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox((HRGN)m_hObject, lpRect); }
  BOOL PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
  BOOL PtInRegion(POINT point) const { return ::PtInRegion((HRGN)m_hObject, point.x, point.y); }
  BOOL RectInRegion(LPCRECT lpRect) const { return ::RectInRegion((HRGN)m_hObject, lpRect); }
  int GetRegionData(LPRGNDATA lpRgnData, int nCount) const {
    return (int)::GetRegionData((HRGN)m_hObject, nCount, lpRgnData);
  }
};

/////////////////////////////////////////////////////////////////////////////
// CDC: an output DC (m_hDC) and an attribute DC (m_hAttribDC) that are the same for
// ordinary DCs and differ for metafiles and print preview. Output goes to m_hDC,
// queries ask m_hAttribDC, and attribute changes go to both.

class CDC : public CObject {
  DECLARE_DYNCREATE(CDC)
 public:
  HDC m_hDC;
  HDC m_hAttribDC;
  BOOL m_bPrinting;

  CDC();
  ~CDC() override;

  operator HDC() const { return _AfxIsNull(this) ? NULL : m_hDC; }
  HDC GetSafeHdc() const { return _AfxIsNull(this) ? NULL : m_hDC; }
  CWnd* GetWindow() const;

  static CDC* PASCAL FromHandle(HDC hDC);
  static void PASCAL DeleteTempMap();
  BOOL Attach(HDC hDC);
  HDC Detach();
  virtual void SetAttribDC(HDC hDC);
  virtual void SetOutputDC(HDC hDC);
  virtual void ReleaseAttribDC();
  virtual void ReleaseOutputDC();

  BOOL IsPrinting() const { return m_bPrinting; }

  BOOL CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData) {
    return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData));
  }
  BOOL CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData) {
    return Attach(::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODE*)lpInitData));
  }
  BOOL CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC->GetSafeHdc())); }
  BOOL DeleteDC();

  virtual int SaveDC();
  virtual BOOL RestoreDC(int nSavedDC);
  int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

  // Drawing objects
  CPen* SelectObject(CPen* pPen) { return (CPen*)SelectGdiObject(m_hDC, m_hAttribDC, pPen->GetSafeHandle()); }
  CBrush* SelectObject(CBrush* pBrush) { return (CBrush*)SelectGdiObject(m_hDC, m_hAttribDC, pBrush->GetSafeHandle()); }
  virtual CFont* SelectObject(CFont* pFont);
  CBitmap* SelectObject(CBitmap* pBitmap) { return (CBitmap*)SelectGdiObject(m_hDC, m_hAttribDC, pBitmap->GetSafeHandle()); }
  int SelectObject(CRgn* pRgn) { return SelectClipRgn(pRgn); }
  CGdiObject* SelectObject(CGdiObject* pObject) { return SelectGdiObject(m_hDC, m_hAttribDC, pObject->GetSafeHandle()); }
  virtual CGdiObject* SelectStockObject(int nIndex);
  CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
  UINT RealizePalette() { return ::RealizePalette(m_hDC); }
  CPen* GetCurrentPen() const { return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN)); }
  CBrush* GetCurrentBrush() const { return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH)); }
  CFont* GetCurrentFont() const { return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT)); }
  CBitmap* GetCurrentBitmap() const { return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP)); }
  CPalette* GetCurrentPalette() const { return CPalette::FromHandle((HPALETTE)::GetCurrentObject(m_hDC, OBJ_PAL)); }

  // Attributes
  COLORREF GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
  int GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
  int GetPolyFillMode() const { return ::GetPolyFillMode(m_hAttribDC); }
  int GetROP2() const { return ::GetROP2(m_hAttribDC); }
  int GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }
  COLORREF GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
  UINT GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }
  int GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
  CPoint GetViewportOrg() const;
  CSize GetViewportExt() const;
  CPoint GetWindowOrg() const;
  CSize GetWindowExt() const;
  CPoint GetBrushOrg() const;
  CPoint GetCurrentPosition() const;
  int GetTextCharacterExtra() const { return ::GetTextCharacterExtra(m_hAttribDC); }

  virtual COLORREF SetBkColor(COLORREF crColor);
  int SetBkMode(int nBkMode);
  int SetPolyFillMode(int nPolyFillMode);
  int SetROP2(int nDrawMode);
  int SetStretchBltMode(int nStretchMode);
  virtual COLORREF SetTextColor(COLORREF crColor);
  UINT SetTextAlign(UINT nFlags);
  int SetTextCharacterExtra(int nCharExtra);
  CPoint SetBrushOrg(int x, int y);
  CPoint SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }
  DWORD SetMapperFlags(DWORD dwFlag);

  // Mapping
  virtual int SetMapMode(int nMapMode);
  virtual CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
  virtual CPoint OffsetViewportOrg(int nWidth, int nHeight);
  virtual CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
  virtual CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
  CPoint OffsetWindowOrg(int nWidth, int nHeight);
  virtual CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
  virtual CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);

  void DPtoLP(LPPOINT lpPoints, int nCount = 1) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
  void DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hAttribDC, (LPPOINT)lpRect, 2); }
  void DPtoLP(LPSIZE lpSize) const;
  void LPtoDP(LPPOINT lpPoints, int nCount = 1) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
  void LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hAttribDC, (LPPOINT)lpRect, 2); }
  void LPtoDP(LPSIZE lpSize) const;
  void DPtoHIMETRIC(LPSIZE lpSize) const;
  void HIMETRICtoDP(LPSIZE lpSize) const;
  void LPtoHIMETRIC(LPSIZE lpSize) const;
  void HIMETRICtoLP(LPSIZE lpSize) const;

  // Clipping
  virtual int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
  virtual BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
  BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
  virtual BOOL RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }
  int SelectClipRgn(CRgn* pRgn);
  int SelectClipRgn(CRgn* pRgn, int nMode);
  int ExcludeClipRect(int x1, int y1, int x2, int y2);
  int ExcludeClipRect(LPCRECT lpRect) { return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  int IntersectClipRect(int x1, int y1, int x2, int y2);
  int IntersectClipRect(LPCRECT lpRect) { return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  int OffsetClipRgn(int x, int y);
  int ExcludeUpdateRgn(CWnd* pWnd);

  // Lines and shapes
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
  BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
  BOOL Arc(LPCRECT r, POINT s, POINT e) { return ::Arc(m_hDC, r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }
  BOOL ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::ArcTo(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
  BOOL Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
  BOOL PolylineTo(const POINT* lpPoints, int nCount) { return ::PolylineTo(m_hDC, lpPoints, nCount); }
  BOOL PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount) { return ::PolyPolyline(m_hDC, lpPoints, lpPolyPoints, nCount); }
  BOOL PolyBezier(const POINT* lpPoints, int nCount) { return ::PolyBezier(m_hDC, lpPoints, nCount); }
  BOOL PolyBezierTo(const POINT* lpPoints, int nCount) { return ::PolyBezierTo(m_hDC, lpPoints, nCount); }
  BOOL PolyDraw(const POINT* lpPoints, const BYTE* lpTypes, int nCount) { return ::PolyDraw(m_hDC, lpPoints, lpTypes, nCount); }
  BOOL AngleArc(int x, int y, int nRadius, float fStartAngle, float fSweepAngle) { return ::AngleArc(m_hDC, x, y, nRadius, fStartAngle, fSweepAngle); }
  void FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle()); }
  void FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle()); }
  void InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
  BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
  BOOL DrawIcon(POINT point, HICON hIcon) { return ::DrawIcon(m_hDC, point.x, point.y, hIcon); }
  BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
  BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) { return ::DrawFrameControl(m_hDC, lpRect, nType, nState); }
  void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
  void FillSolidRect(LPCRECT lpRect, COLORREF clr);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
  void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
  BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
  BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
  BOOL Ellipse(LPCRECT r) { return ::Ellipse(m_hDC, r->left, r->top, r->right, r->bottom); }
  BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) { return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4); }
  BOOL Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
  BOOL PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount) { return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount); }
  BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
  BOOL Rectangle(LPCRECT r) { return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom); }
  BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
  BOOL RoundRect(LPCRECT r, POINT point) { return ::RoundRect(m_hDC, r->left, r->top, r->right, r->bottom, point.x, point.y); }
  BOOL FillRgn(CRgn* pRgn, CBrush* pBrush) { return ::FillRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle()); }
  BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) { return ::FrameRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle(), nWidth, nHeight); }
  BOOL InvertRgn(CRgn* pRgn) { return ::InvertRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()); }
  BOOL PaintRgn(CRgn* pRgn) { return ::PaintRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()); }

  // Bitmaps
  BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }
  BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, dwRop);
  }
  BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                  int nSrcWidth, int nSrcHeight, DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
  }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  COLORREF GetPixel(POINT point) const { return ::GetPixel(m_hDC, point.x, point.y); }
  COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
  COLORREF SetPixel(POINT point, COLORREF crColor) { return ::SetPixel(m_hDC, point.x, point.y, crColor); }
  BOOL FloodFill(int x, int y, COLORREF crColor) { return ::FloodFill(m_hDC, x, y, crColor); }
  BOOL ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType) { return ::ExtFloodFill(m_hDC, x, y, crColor, nFillType); }
  BOOL MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
               CBitmap& maskBitmap, int xMask, int yMask, DWORD dwRop) {
    return ::MaskBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc,
                     (HBITMAP)maskBitmap.m_hObject, xMask, yMask, dwRop);
  }

  // Text
  virtual BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount) { return ::TextOut(m_hDC, x, y, lpszString, nCount); }
  BOOL TextOut(int x, int y, const CString& str) { return TextOut(x, y, (LPCTSTR)str, str.GetLength()); }
  virtual BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths) {
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
  }
  BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths) {
    return ExtTextOut(x, y, nOptions, lpRect, (LPCTSTR)str, str.GetLength(), lpDxWidths);
  }
  virtual CSize TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions,
                              LPINT lpnTabStopPositions, int nTabOrigin) {
    return CSize((DWORD)::TabbedTextOut(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions, nTabOrigin));
  }
  virtual int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
  }
  int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
    return DrawText((LPCTSTR)str, str.GetLength(), lpRect, nFormat);
  }
  CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
  CSize GetTextExtent(const CString& str) const { return GetTextExtent((LPCTSTR)str, str.GetLength()); }
  CSize GetOutputTextExtent(LPCTSTR lpszString, int nCount) const;
  CSize GetOutputTextExtent(const CString& str) const { return GetOutputTextExtent((LPCTSTR)str, str.GetLength()); }
  CSize GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const {
    return CSize((DWORD)::GetTabbedTextExtent(m_hAttribDC, lpszString, nCount, nTabPositions, lpnTabStopPositions));
  }
  BOOL GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData,
                  int nCount, int x, int y, int nWidth, int nHeight) {
    return ::GrayString(m_hDC, (HBRUSH)pBrush->GetSafeHandle(), (GRAYSTRINGPROC)lpfnOutput, lpData, nCount, x, y, nWidth, nHeight);
  }
  int GetTextFace(int nCount, LPTSTR lpszFacename) const { return ::GetTextFace(m_hAttribDC, nCount, lpszFacename); }
  int GetTextFace(CString& rString) const;
  BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hAttribDC, lpMetrics); }
  BOOL GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hDC, lpMetrics); }
  BOOL GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const { return ::GetCharWidth(m_hAttribDC, nFirstChar, nLastChar, lpBuffer); }
  BOOL GetCharABCWidths(UINT nFirstChar, UINT nLastChar, LPABC lpabc) const { return ::GetCharABCWidths(m_hAttribDC, nFirstChar, nLastChar, lpabc); }
  DWORD GetFontData(DWORD dwTable, DWORD dwOffset, LPVOID lpData, DWORD cbData) const { return ::GetFontData(m_hDC, dwTable, dwOffset, lpData, cbData); }
  UINT GetOutlineTextMetrics(UINT cbData, LPOUTLINETEXTMETRIC lpotm) const { return ::GetOutlineTextMetrics(m_hAttribDC, cbData, lpotm); }
  DWORD GetGlyphOutline(UINT nChar, UINT nFormat, LPGLYPHMETRICS lpgm, DWORD cbBuffer, LPVOID lpBuffer, const MAT2* lpmat2) const {
    return ::GetGlyphOutline(m_hDC, nChar, nFormat, lpgm, cbBuffer, lpBuffer, lpmat2);
  }

  // Paths
  BOOL AbortPath() { return ::AbortPath(m_hDC); }
  BOOL BeginPath() { return ::BeginPath(m_hDC); }
  BOOL CloseFigure() { return ::CloseFigure(m_hDC); }
  BOOL EndPath() { return ::EndPath(m_hDC); }
  BOOL FillPath() { return ::FillPath(m_hDC); }
  BOOL FlattenPath() { return ::FlattenPath(m_hDC); }
  BOOL StrokeAndFillPath() { return ::StrokeAndFillPath(m_hDC); }
  BOOL StrokePath() { return ::StrokePath(m_hDC); }
  BOOL WidenPath() { return ::WidenPath(m_hDC); }
  BOOL SelectClipPath(int nMode) { return ::SelectClipPath(m_hDC, nMode); }
  int GetPath(LPPOINT lpPoints, LPBYTE lpTypes, int nCount) const { return ::GetPath(m_hDC, lpPoints, lpTypes, nCount); }

  // Metafiles and printing
  BOOL PlayMetaFile(HMETAFILE hMF) { return ::PlayMetaFile(m_hDC, hMF); }
  BOOL PlayMetaFile(HENHMETAFILE hEnhMetaFile, LPCRECT lpBounds) { return ::PlayEnhMetaFile(m_hDC, hEnhMetaFile, lpBounds); }
  BOOL AddMetaFileComment(UINT nDataSize, const BYTE* pCommentData) { return ::GdiComment(m_hDC, nDataSize, pCommentData); }
  int Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData) { return ::Escape(m_hDC, nEscape, nCount, lpszInData, lpOutData); }
  int StartDoc(LPDOCINFO lpDocInfo) { return ::StartDoc(m_hDC, lpDocInfo); }
  int StartDoc(LPCTSTR lpszDocName);
  int StartPage() { return ::StartPage(m_hDC); }
  int EndPage() { return ::EndPage(m_hDC); }
  int EndDoc() { return ::EndDoc(m_hDC); }
  int AbortDoc() { return ::AbortDoc(m_hDC); }
  int SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int)) { return ::SetAbortProc(m_hDC, (ABORTPROC)lpfn); }

 protected:
  static CGdiObject* PASCAL SelectGdiObject(HDC hDC, HDC hAttribDC, HGDIOBJ h);
};

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps;

 protected:
  HWND m_hWnd;
};

class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)
 public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd;
};

// Records into a Windows metafile (Create) or an enhanced one (CreateEnhanced). The
// attribute DC answers queries: a reference DC given with SetAttribDC, or for enhanced
// metafiles the metafile DC itself.
class CMetaFileDC : public CDC {
  DECLARE_DYNAMIC(CMetaFileDC)
 public:
  CMetaFileDC() {}
  ~CMetaFileDC() override;
  BOOL Create(LPCTSTR lpszFilename = NULL);
  BOOL CreateEnhanced(CDC* pDCRef, LPCTSTR lpszFileName, LPCRECT lpBounds, LPCTSTR lpszDescription);
  HMETAFILE Close();
  HENHMETAFILE CloseEnhanced();
  void SetAttribDC(HDC hDC) override;
};
