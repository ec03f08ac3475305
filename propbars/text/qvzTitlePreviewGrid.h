// The title dialog's grid of the twelve title shapes, drawn in cells with the dialog's
// settings; a click picks a shape. It stands where the dialog's preview view goes.
#pragma once

#include "afxwin.h"
#include "jvqObject.h"
#include "qvzTextRules.h"

class qvzTitlePreviewGrid : public CWnd {
 public:
  qvzTitlePreviewGrid() : m_nColumns(4), m_nSelected(-1) {}
  ~qvzTitlePreviewGrid() override {}

  BOOL Create(const RECT& rect, CWnd* pParent, UINT nID);
  // Takes the objects (owned), laid out in cells of the given metrics and column count.
  void SetItems(jvqObjectArray* pItems, const qvzTitleCells& cells, int nColumns);
  void RemoveAll() { m_Items.RemoveAll(); }
  int GetCount() const { return m_Items.GetCount(); }
  jvqObject* GetItem(int i) const { return i >= 0 && i < m_Items.GetCount() ? m_Items.GetAt(i) : NULL; }
  void SetSelected(int i);
  int GetSelected() const { return m_nSelected; }
  // The cell at a client point, -1 for none.
  int CellAt(POINT pt) const;
  RECT CellRect(int i) const;

  qvzTitleCells m_Cells;

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC) { return TRUE; }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

  jvqObjectArray m_Items;
  int m_nColumns;
  int m_nSelected;
};
