// The picture dialog's thumbnails: a list box whose rows hold four cell windows each, one
// per picture file, read when first painted and kept as a bitmap of the cell.
#pragma once

#include <vector>

#include "afxcmn.h"
#include "afxwin.h"

#define QVZM_THUMBNAILCLICK (WM_USER + 101)  // wParam: the cell, lParam: its item
#define QVZM_THUMBNAILOPEN (WM_USER + 102)   // lParam: the item

class CBaseImage;
class CThumbnailList;
struct ThumbnailItem;

// The shared palette of 216 colours (six levels of each primary) all thumbnails are drawn
// through; the caller owns it.
HPALETTE CreateThumbnailPalette();

class CThumbnailCell : public CWnd {
 public:
  CThumbnailCell(ThumbnailItem* pItem) : m_pItem(pItem) {}
  BOOL CreateCell(CThumbnailList* pList, const RECT& rect, UINT nID);
  // Reads the picture and renders it once into the item's thumbnail bitmap.
  void LoadPicture();

  ThumbnailItem* m_pItem;  // borrowed
  CString m_strName;

 protected:
  CThumbnailList* List() const;
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
  afx_msg BOOL OnQueryNewPalette();
  DECLARE_MESSAGE_MAP()
};

struct ThumbnailItem {
  BYTE bLoaded;
  CString strName;
  CThumbnailCell* pCell;
  int nSequence;
  HBITMAP hThumbnail;
  CBaseImage* pPicture;  // until loaded; NULL for a file of another kind
  BYTE bSelected;
  BYTE bPainting;
};

class CThumbnailList : public CListBox {
 public:
  CThumbnailList();
  ~CThumbnailList() override;

  void AddFile(LPCTSTR lpszName);
  // Frees every row and item; the folder stays.
  void Empty();

  CString m_strFolder;                  // no trailing backslash
  std::vector<ThumbnailItem*> m_Items;  // in sequence order
  ThumbnailItem* m_pSelected;
  int m_nSequence;
  HWND m_hWndFrame;  // the file dialog's frame: its name box and OK button
  HPALETTE m_hPalette;

  void SelectItem(ThumbnailItem* pItem);
  // The scroll position (top row) made nRow, the cells moved with it.
  void ScrollToRow(int nRow);
  // One scroll-bar request, as the scroll bar or the wheel gives it.
  void Scroll(UINT nCode, int nTrack = 0);
  // Cells of the row the list shows at the top.
  int TopRow() const;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FreeItem(ThumbnailItem* pItem);
  void SetFrameName(const CString& strName);

  CToolTipCtrl m_Tips;  // one for all cells: a tip window per file would run out of windows
  CFont m_NameFont;
  UINT m_nLastScrollCode;
  int m_nLastScrollTrack;
  friend class CThumbnailCell;
};
