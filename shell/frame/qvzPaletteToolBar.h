// A small tool bar that pops up under a button and hides itself once the pointer leaves.
#pragma once

#include "afxext.h"

class qvzPaletteToolBar : public CToolBar {
  DECLARE_DYNAMIC(qvzPaletteToolBar)
 public:
  qvzPaletteToolBar();
  void SetColumns(int nColumns);
  int GetColumns() const { return m_nColumns; }

  int m_nColumns;
  BOOL m_bPopup;
  CRect m_rectOwnerButton;
  BOOL m_bCaptionRemoved;

 protected:
  BOOL InActiveArea(CPoint ptScreen);
  void HidePopup();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  DECLARE_MESSAGE_MAP()
};
