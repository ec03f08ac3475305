// A millimetre ruler along the top or the left of the editing view. It follows the view's
// page position, scroll position and zoom, and owns the guide lines of its axis.
#pragma once

#include <vector>

#include "afxcmn.h"
#include "afxext.h"

class jvqGuideLine;
class jvqView;

#define JVQ_RULER_HORZ 1
#define JVQ_RULER_VERT 2

class jvqRulerBar : public CToolBar {
  DECLARE_DYNAMIC(jvqRulerBar)
 public:
  jvqRulerBar();
  ~jvqRulerBar() override;
  virtual BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nId);
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  jvqView* GetView();
  void UpdateFromView();
  void DrawGuides(CDC* pDC);
  jvqGuideLine* AddGuide(int nPosition, int nPageIndex);
  void UpdateGuideToolTips();
  // Deletes every guide (their destructors run).
  void DeleteAllGuides();
  // The step of the labels in logical units (10 mm unless labels are wider).
  int GetLabelStep(CDC* pDC, int nBase);
  // A ruler point moved into the scale, converted to the view's logical units and
  // snapped to the minor step.
  POINT SnapRulerPoint(POINT pt);
  // Ruler client point of a logical position along the axis.
  int LogicalToRuler(int v);
  BOOL IsHorizontal() const { return m_nOrientation == JVQ_RULER_HORZ; }

  int m_nLastZoom;
  int m_nLastScroll;
  CToolTipCtrl* m_pToolTip;
  BOOL m_bGuidesShown;
  SIZE m_szPageOnScreen;
  CPen m_penDot, m_penHighlight, m_penShadow, m_penFrame, m_penTick, m_penFace, m_penText, m_penWindow;
  CBrush m_brLight, m_brFace;
  CFont m_fontBar;
  CBrush m_brScale;
  int m_nLastOrigin;
  CFont m_fontLabel;
  int m_nLastWidth, m_nLastHeight;
  int m_nLastPageLength;
  int m_nOrientation;
  CBitmap m_bmMarker, m_bmSelected, m_bmMask;
  std::vector<jvqGuideLine*> m_Guides;
  jvqGuideLine* m_pDragGuide;
  jvqGuideLine* m_pContextGuide;
  int m_nMinorStep;
  RECT m_rcScale;
  // The menu the last right click opened (228 or 229), for tests.
  UINT m_nLastMenu;
  // The labels of the last paint, in millimetres.
  std::vector<int> m_LastLabels;

 protected:
  void CreateResources();
  void DeleteResources();
  void PrepareRulerDC(CDC* pDC);
  void Paint(CDC* pDC);
  BOOL InScaleExtent(POINT pt);
  void DrawGuideInView(jvqGuideLine* g);
  afx_msg void OnSysColorChange();
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnNeedText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};
