// One cell of the six-cell preview grid: a static control of the dialog that shows a
// board's picture, framed in red while selected.
#pragma once

#include "afxwin.h"

class CDib;

class CObjectPreviewCell : public CWnd {
 public:
  CObjectPreviewCell() : m_bSelected(FALSE), m_pDib(NULL) {}

  void SetPicture(CDib* pDib);  // borrowed
  CDib* GetPicture() const { return m_pDib; }
  void SetSelected(BOOL bSelected);
  BOOL IsSelected() const { return m_bSelected; }

 protected:
  int m_bSelected;
  CDib* m_pDib;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC) { return TRUE; }
  DECLARE_MESSAGE_MAP()
};
