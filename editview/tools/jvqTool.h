// Base of the mouse tools of the editing view: the view hands every mouse message, in
// logical units, to its one current tool, asks it for the cursor and lets it paint its
// feedback after the page.
#pragma once

#include <vector>

#include "afxwin.h"

class jvqView;

#define TOOLID_SELECT 3002
#define TOOLID_ZOOM 3003
#define TOOLID_LINE 3004
#define TOOLID_POLYGON 3005
#define TOOLID_POLYLINE 3006
#define TOOLID_RECT 3007
#define TOOLID_SHAPE 3009
#define TOOLID_PIE 3010
#define TOOLID_ELLIPSE 3012
#define TOOLID_ROUNDRECT 3014
#define TOOLID_TEXT 3015
#define TOOLID_CHORD 3016
#define TOOLID_ARC 3017
#define TOOLID_LINETEXT 3018
#define TOOLID_TITLE 1016
#define TOOLID_BALLOON_RECT 1018
#define TOOLID_BALLOON_ROUNDRECT 1019
#define TOOLID_BALLOON_ELLIPSE 1020
#define TOOLID_SYMBOL 1021
#define TOOLID_FAVORITE 1022
#define TOOLID_FLOORPLAN 1023
#define TOOLID_PERSPECTIVE 1024

// Application cursors, drawn by the build.
#define IDC_QVZ_MOVE 212
#define IDC_QVZ_ELLIPSE 213
#define IDC_QVZ_SECTOR 215
#define IDC_QVZ_ROUNDRECT 218
#define IDC_QVZ_VERTEX 221
#define IDC_QVZ_LINE 222
#define IDC_QVZ_COPY 332
#define IDC_QVZ_FAVORITE 462
#define IDC_QVZ_ROTATE 1021
#define IDC_QVZ_RECT 1027
#define IDC_QVZ_ZOOMOUT 1029
#define IDC_QVZ_ZOOMIN 1031
#define IDC_QVZ_VERTEXEDIT 1033

class jvqTool {
 public:
  explicit jvqTool(jvqView* pView);
  virtual ~jvqTool();
  virtual void OnLButtonDblClk(UINT nFlags, int x, int y) {}
  virtual void OnLButtonDown(UINT nFlags, int x, int y) { m_nKeyFlags = nFlags; }
  virtual void OnLButtonUp(UINT nFlags, int x, int y) { m_nKeyFlags = nFlags; }
  virtual void OnMouseMove(UINT nFlags, int x, int y) { m_nKeyFlags = nFlags; }
  virtual void OnRButtonDown(UINT nFlags, int x, int y) { m_nKeyFlags = nFlags; }
  virtual void OnRButtonUp(UINT nFlags, int x, int y) { m_nKeyFlags = nFlags; }
  virtual void OnRButtonDblClk(UINT nFlags, int x, int y) { m_nKeyFlags = nFlags; }
  virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {}
  virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {}
  virtual void ResetFeedback() { m_bNothingDrawn = 1; }
  virtual void ResetPoints(int x, int y);
  virtual HCURSOR GetCursor(POINT pt) { return NULL; }
  virtual void OnDraw(CDC* pDC) {}

  // The point moved to the grid and then to a nearer guide, when the view snaps.
  POINT SnapPoint(UINT nFlags, POINT pt);
  // The guide positions that snap along x (the top ruler) or y, of the current page only.
  std::vector<int> GetSnapGuides(BOOL bHorizontal);

  static void LoadCursors();
  static HCURSOR s_hArrow, s_hSizeWE, s_hSizeNESW, s_hSizeNS, s_hSizeNWSE, s_hCross, s_hIBeam, s_hNo, s_hWait;
  static HCURSOR s_hMove, s_hRotate, s_hRect, s_hLine, s_hEllipse, s_hRoundRect, s_hSector, s_hVertex,
      s_hZoomIn, s_hZoomOut, s_hVertexEdit, s_hCopy, s_hFavorite;

  int m_nToolId;
  jvqView* m_pView;
  int m_bNothingDrawn;
  CString m_strCaption;
  CString m_strSavedCaption;
  UINT m_nKeyFlags;
  int m_bDone;
  int m_bBusy;
  POINT m_ptStart;
  POINT m_ptPrev;
  POINT m_ptCurrent;
};
