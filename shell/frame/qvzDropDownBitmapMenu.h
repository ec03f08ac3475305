// The pop-up under a family button of the main tool bar: one row per tool variant, each a
// bitmap and a text. A click on a row sends its command to the main frame.
#pragma once

#include <vector>

#include "afxwin.h"
#include "resource.h"

class qvzDropDownBitmapMenu;

struct DropDownMenuRow {
  qvzDropDownBitmapMenu* pMenu;
  int cxBitmap, cyBitmap;
  int cxText, cyText;
  int cxRow, cyRow;
  CString strText;
  UINT nCommand;
  CBitmap bitmap;
  BOOL bHot;
};

class qvzDropDownBitmapMenu : public CDialog {
 public:
  qvzDropDownBitmapMenu();
  ~qvzDropDownBitmapMenu() override;

  // Creates the window with the rows (command, bitmap id, text each).
  BOOL Create(CWnd* pParent, int nRows, const UINT* pCommands, const UINT* pBitmaps, const char* const* pTexts,
              UINT nIDTemplate = IDD_DROPDOWN_MENU);
  void PopupAt(int x, int y, const RECT& rcButton);
  int GetRowCount() const { return (int)m_rows.size(); }
  const DropDownMenuRow* GetRow(int i) const { return m_rows[i]; }
  // The row rectangle (client coordinates) used for clicks.
  CRect GetRowRect(int i) const;

  void OnOK() override {}
  void OnCancel() override { DestroyWindow(); }

 protected:
  void FreeRows();
  void DrawRowFrame(CDC* pDC, int i, BOOL bHot);
  afx_msg void OnPaint();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

  HFONT m_hFont;
  std::vector<DropDownMenuRow*> m_rows;
  CClientDC* m_pDC;
  CRect m_rectStayOpen;
};
