// The grid of 40 colours that a colour picker opens, with its custom-colour cell
// ("色の作成") and an optional cell of the owner's. It holds the capture while open, reports
// through the picker's listener and deletes itself when its window goes.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"
#include "jvqColorPicker.h"

class jvqColorPopup : public CWnd {
 public:
  jvqColorPopup(const jvqFill* pValue, jvqColorPicker* pPicker, LPCTSTR lpszCustom, LPCTSTR lpszText);
  virtual ~jvqColorPopup();

  // Makes the window at (x, y) in screen coordinates, lays it out and takes the capture.
  BOOL Open(int x, int y);
  virtual void Layout();
  virtual void EndSelection(UINT nCode);
  virtual void DrawCell(CDC* pDC, int nCell);
  virtual BOOL PreTranslateMessage(MSG* pMsg);

  void SetCurrentCell(int nCell);
  int GetCurrentCell() const { return m_nCurrent; }
  int GetInitialCell() const { return m_nInitial; }
  BOOL IsBusy() const { return m_bBusy; }
  // The cell at a client point, or COLORCELL_NONE.
  int CellAt(POINT pt) const;
  RECT GetCellRect(int nCell) const;
  const RECT& GetWindowRectKept() const { return m_rcWindow; }

  jvqTextCellHandler m_pfnTextCell;
  jvqColorPickerListener* m_pListener;
  int m_nColors;
  int m_nColumns;
  int m_nRows;
  int m_nCell;
  int m_nMargin;
  int m_nCurrent;
  int m_nInitial;
  CString m_strCustom;
  CString m_strText;
  RECT m_rcText;
  RECT m_rcCustom;
  RECT m_rcWindow;
  CFont m_Font;
  CPalette m_Palette;
  jvqFill* m_pInitialFill;
  jvqFill* m_pCurrentFill;
  CToolTipCtrl m_ToolTip;
  jvqColorPicker* m_pPicker;
  BOOL m_bBusy;

 protected:
  void KeepOnScreen();
  // The larger caption's width and height with the cell's margins.
  SIZE MeasureCaptions();
  void DrawCellFace(CDC* pDC, const RECT& rc, int nCell, BOOL bCaption);
  void DrawCaptionCell(CDC* pDC, const RECT& rc, const CString& caption, int nCell);
  void NotifyListener(UINT nCode, const jvqFill* pValue);
  virtual void PostNcDestroy();

  afx_msg void OnNcDestroy();
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnPaint();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  DECLARE_MESSAGE_MAP()
};

// The transparent picker's pop-up: "色の作成" and "透明" side by side under the grid.
class jvqTransparentColorPopup : public jvqColorPopup {
 public:
  jvqTransparentColorPopup(const jvqFill* pValue, jvqColorPicker* pPicker, LPCTSTR lpszCustom, LPCTSTR lpszText)
      : jvqColorPopup(pValue, pPicker, lpszCustom, lpszText) {}
  virtual void Layout();
  virtual void EndSelection(UINT nCode);
  virtual void DrawCell(CDC* pDC, int nCell);
};
