// A strip of folder tabs: trapezoids that overlap, one of them selected and open to the
// page above. The main frame fills it with one tab per page.
#pragma once

#include <vector>

#include "afxwin.h"
#include "FolderTabGeometry.h"

#define FTN_SELCHANGE 1
#define FTS_BORDER 0x0002

class CFolderTab {
 public:
  CString m_strText;  // first member: the notification hands the tab on as its text
  CRect m_rect;
  CRgn m_rgn;
  void ComputeRgn(CDC* pDC, int x);
  void Draw(CDC* pDC, CFont* pFont, BOOL bSelected, BOOL bDisabled);
};

struct NMFOLDERTAB {
  NMHDR hdr;
  int iItem;
  CFolderTab* pItem;
};

class CFolderTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CFolderTabCtrl)
 public:
  CFolderTabCtrl();
  ~CFolderTabCtrl() override;

  BOOL Create(DWORD dwStyle, const RECT& rc, CWnd* pParent, UINT nID, DWORD dwTabStyle = 0);
  BOOL Load(UINT nIDRes);
  void SetFonts(CFont* pNormal, CFont* pSelected);
  int AddItem(LPCTSTR lpszText);
  int InsertItemAtHead(LPCTSTR lpszText);
  void DeleteAllItems();
  CFolderTab* GetItem(int i) const;
  int GetItemCount() const { return (int)m_items.size(); }
  int SelectTab(int i);
  int GetSelectedItem() const { return m_nSelected; }
  int HitTest(int x, int y);
  int GetTotalWidth() const { return m_nTotalWidth; }
  // The tab texts with "|" between them, as the window's text (for accessibility tools).
  CString GetTabTexts() const;

 protected:
  void RecomputeLayout();
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  std::vector<CFolderTab*> m_items;
  std::vector<FolderTabShape> m_shapes;
  DWORD m_dwTabStyle;
  int m_nSelected;
  CFont m_fontNormal;
  CFont m_fontSelected;
  int m_nTotalWidth;
};
