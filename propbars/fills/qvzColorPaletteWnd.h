// Tab "色" of the fill pop-ups: 40 colour cells, "その他の色" (the system colour dialog) and
// "透明". The current choice is sunken, the cell under the pointer raised.
#pragma once

#include "qvzFillChildWnd.h"

class jvqSolidFill;

class qvzColorPaletteWnd : public qvzFillChildWnd {
 public:
  qvzColorPaletteWnd();
  virtual ~qvzColorPaletteWnd();

  virtual void SetFill(const jvqFill* pFill);
  virtual void CreateControls();

  // A cell's rectangle; (-1, -1) gives the other-colours button.
  RECT GetCellRect(int nRow, int nColumn);
  RECT GetTransparentRect();
  BOOL IsMarked() const { return m_bMarked; }
  const RECT& GetMarkedRect() const { return m_rcMarked; }
  jvqSolidFill* GetColorFill() const { return m_pColorFill; }

 protected:
  // The system colour dialog from the start colour; FALSE when cancelled.
  virtual BOOL ChooseOtherColor(COLORREF crStart, COLORREF* pChosen);
  SIZE CaptionExtent();
  void MarkColor(COLORREF crColor);
  void PaintAll(CDC* pDC);
  void DrawCellEdge(CDC* pDC, const RECT& rc);
  BOOL IsHovered(const RECT& rc) const;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

  jvqSolidFill* m_pColorFill;  // owned; NULL when the choice is transparent
  CString m_strOther;
  CString m_strClear;
  RECT m_rcOther;
  RECT m_rcClear;
  RECT m_rcMarked;
  RECT m_rcHover;
  BOOL m_bMarked;
  BOOL m_bTracking;
  BOOL m_bHover;
  CPen m_penFace;
};
