// The logical-to-device mapping of one page in one window at one zoom. Every object's owner
// pointer refers to one and converts pixel sizes through it.
#pragma once

#include "afx.h"

class CDC;
class CWnd;

class jvqViewMapping {
 public:
  jvqViewMapping();
  virtual ~jvqViewMapping() {}

  BOOL PrepareDC(CDC* pDC);
  BOOL SetupDC(CDC* pDC, double dScale, int nClientWidth, int nClientHeight, int nPageWidth,
               int nPageHeight, int nMinMarginX, int nMinMarginY);
  int LengthToDevice(int nLength);
  void RectToDevice(RECT* pRect);
  SIZE SizeToLogical(SIZE* pSize);
  SIZE SizeToDevice(SIZE* pSize);
  void PointToDevice(POINT* pPoint);
  void RectToLogical(RECT* pRect);
  int GetZoomPercent() const;
  // The screen's size as the conversions above use it: read once from a window DC, since
  // asking a DC for its size is a round trip to the window system on some platforms. The view
  // forgets it at each paint, so a changed display is read again.
  static void ForgetScreenSize();
  SIZE GetExtent() const;

  // Whether the owner window exists (outline hit tests and invalidation need it).
  BOOL HasOwnerWindow() const;
  void InvalidateOwner(const RECT* pDeviceRect);
  // The current tool id of the view that owns this mapping, or -1 when none is known.
  int GetCurrentToolId() const;
  // The view layer tells the mapping how to find its window's current tool.
  typedef int (*ToolIdQuery)(CWnd* pOwner);
  static ToolIdQuery s_pfnToolIdQuery;

  int m_nClientWidth;
  int m_nClientHeight;
  int m_nPageWidth;
  int m_nPageHeight;
  int m_nMinMarginX;
  int m_nMinMarginY;
  int m_nPageOffsetX;
  int m_nPageOffsetY;
  double m_dZoom;
  BOOL m_bFitToWindow;
  CWnd* m_pOwnerWnd;

 private:
  friend class jvqMappingDC;
  // Millimetres and pixels of a device (HORZSIZE, VERTSIZE, HORZRES, VERTRES).
  struct DeviceSize {
    int hs, vs, hr, vr;
  };
  static DeviceSize ReadDeviceSize(CDC* pDC);
  BOOL PrepareDCWith(CDC* pDC, const DeviceSize& size);
  BOOL SetupDCWith(CDC* pDC, const DeviceSize& size, double s, int nClientWidth, int nClientHeight,
                   int nPageWidth, int nPageHeight, int nMinMarginX, int nMinMarginY);
  static DeviceSize s_Screen;
  static BOOL s_bScreenKnown;
};

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"

// A client DC of the mapping's owner window (the screen without one), prepared by it.
class jvqMappingDC {
 public:
  explicit jvqMappingDC(jvqViewMapping* pMapping);
  ~jvqMappingDC();
  CDC m_dc;
  HWND m_hWnd;
};
#endif
