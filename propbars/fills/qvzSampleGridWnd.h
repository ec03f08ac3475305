// What the texture and pattern pages share: eight sample cells (two rows of four) over a
// library, a scroll bar that moves eight entries at a time, a tool tip with each entry's name
// and the pressed look on the chosen cell. The pages say where the library is, what a cell
// shows and which fill a pick makes.
#pragma once

#include "afxcmn.h"
#include "qvzFillChildWnd.h"

class jvqImageFileList;

class qvzSampleButton : public CButton {
 public:
  qvzSampleButton() : m_bPressed(FALSE) {}
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  // Whether the cell shows an entry.
  virtual BOOL HasContent() const = 0;

  BOOL m_bPressed;

 protected:
  // The entry's sample into the cell inset by 3 pixels.
  virtual void DrawContent(CDC* pDC, const RECT& rcInset) = 0;
};

class qvzSampleGridWnd : public qvzFillChildWnd {
 public:
  qvzSampleGridWnd();
  virtual ~qvzSampleGridWnd();

  virtual void CreateControls();

  int GetSelected() const { return m_nSelected; }
  int GetPageCount() const;
  // The page on show (the scroll bar's position).
  int GetShownPage() const { return m_nShownPage; }
  qvzSampleButton* GetCell(int i) const { return m_pCells[i]; }
  CScrollBar& GetScrollBar() { return m_ScrollBar; }
  CToolTipCtrl* GetToolTip() const { return m_pToolTip; }
  RECT GetCellRect(int i);

 protected:
  virtual jvqImageFileList* GetLibrary() const = 0;
  virtual qvzSampleButton* NewCell() = 0;
  // Puts no entry, or library entry j, on a cell.
  virtual void ClearCell(qvzSampleButton* pCell) = 0;
  virtual void LoadCell(qvzSampleButton* pCell, int j) = 0;
  // Whether a click on the cell counts.
  virtual BOOL CanPick(qvzSampleButton* pCell) const = 0;
  // The page's fill takes library entry nIndex; the owner is told afterwards.
  virtual jvqFill* TakePick(int nIndex) = 0;
  // Extra controls below the cells (the pattern page's pickers).
  virtual void CreateExtraControls() {}

  void ShowPage(int nPage);
  void ReleaseAll();
  void Press(int nCell);
  // Selects library entry nIndex on its page, as a starting fill does.
  void ShowIndex(int nIndex);
  void Pick(int nCell);

  afx_msg void OnPaint();
  afx_msg void OnCellClicked(UINT nID);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  DECLARE_MESSAGE_MAP()

  qvzSampleButton* m_pCells[8];  // owned
  CScrollBar m_ScrollBar;
  CToolTipCtrl* m_pToolTip;  // owned; made again for every page
  int m_nSelected;
  int m_nShownPage;
};
