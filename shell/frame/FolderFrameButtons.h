// The two small buttons of the folder frame's bottom strip: the splitter that sizes the tab
// strip against the horizontal scroll bar, and the pair of arrows that scroll the tabs.
#pragma once

#include "afxwin.h"

class CFolderSplitterButton : public CButton {
 public:
  CFolderSplitterButton();
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

  CPoint m_ptPointer;
  CPoint m_ptLast;
  int m_nMinLeft;
  int m_nMax;
  BOOL m_bDragging;
  HCURSOR m_hPrevCursor;
  HCURSOR m_hSplitCursor;

 protected:
  void DrawPushed(BOOL bPushed);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};

class CRepeatArrowButton : public CButton {
 public:
  CRepeatArrowButton() : m_nPressed(-1) {}
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  int m_nPressed;  // -1 none, 0 left, 1 right

 protected:
  void Press(CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg BOOL OnReflectedClick();
  DECLARE_MESSAGE_MAP()
};
