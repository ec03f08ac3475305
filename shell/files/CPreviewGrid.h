// The six-cell preview grid shared by the template sheet's pages and the open dialog: cells
// and name boxes, the scroll bar that pages through six entries at a time, and the lists
// of pictures, descriptions, paths and names behind them.
#pragma once

#include <vector>

#include "CObjectPreviewCell.h"

class CDib;

// Cells 0-5, upper row then lower row, and their name boxes.
extern const int PREVIEW_CELL_IDS[6];
extern const int PREVIEW_NAME_IDS[6];

class CPreviewGrid {
 public:
  CPreviewGrid() : m_nSelected(-1), m_pHost(NULL) {}
  ~CPreviewGrid() { Clear(); }

  // Takes over the host dialog's cells and scroll bar 713.
  void Attach(CWnd* pHost);
  void Clear();
  void Add(CDib* pPicture, const CString& strDescription, const CString& strPath, const CString& strName);
  int GetCount() const { return (int)m_Paths.size(); }
  int GetPageCount() const { return (GetCount() + 5) / 6; }
  int GetScrollPos() const;
  void SetUpScrollBar();
  void ShowPage(int nPage);
  // FALSE when the cell shows no picture; otherwise the entry becomes the selected one.
  BOOL SelectCell(int nCell);
  // To a grid page: beyond the last ignored, above the first the first; cell 0 selected.
  void ScrollTo(int nPage);
  // The grid's answer to a scroll code of its bar (thumb tracking too when asked).
  BOOL OnScroll(UINT nSBCode, UINT nPos, BOOL bTrack);
  void OnWheel(short zDelta);
  int CellOf(UINT nID) const;
  // The pushed frame around the grid, over the hidden group box.
  void PaintFrame(CDC* pDC, int nFrameID);

  CObjectPreviewCell m_Cells[6];
  CScrollBar m_wndScroll;
  std::vector<CDib*> m_Pictures;
  std::vector<CString> m_Descriptions, m_Paths, m_Names;
  int m_nSelected;

 private:
  CWnd* m_pHost;
};
