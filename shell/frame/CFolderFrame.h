// The main frame's client: the editing view above a strip with the page-list button, the
// tab arrows, the page tabs, a splitter and the horizontal scroll bar; the vertical scroll
// bar and a size box at the right. The view scrolls through these scroll bars.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "CDibPushButton.h"
#include "CFolderTabCtrl.h"
#include "FolderFrameButtons.h"

#define FOLDER_STRIP_HEIGHT 15

extern int g_nMinTabFrameWidth;

class CFolderFrame : public CWnd {
  DECLARE_DYNAMIC(CFolderFrame)
 public:
  CFolderFrame();
  ~CFolderFrame() override;

  BOOL Create(CWnd* pParent, CRuntimeClass* pViewClass, CCreateContext* pContext, UINT nIDRes, int nTabWidth,
              DWORD dwStyle);
  void ShowControls(int nWidth);
  void SetTabWidth(int nWidth);
  CScrollBar* GetScrollBar(int nBar);
  CFolderTabCtrl& GetFolderTabCtrl() { return m_wndFolderTabCtrl; }
  CWnd* GetView() const { return GetDlgItem(AFX_IDW_PANE_FIRST); }
  void Relayout();

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  CFolderTabCtrl m_wndFolderTabCtrl;
  CScrollBar m_wndHorzScroll;
  CScrollBar m_wndVertScroll;
  CScrollBar m_wndSizeBox;
  int m_nTabWidth;
  UINT m_nIDRes;
  int m_nArrowWidth;
  int m_nSplitterWidth;
  int m_nSplitterPos;
  CRepeatArrowButton m_wndArrows;
  CFolderSplitterButton m_wndSplitter;
  CDibPushButton m_wndPageListButton;
  CToolTipCtrl* m_pToolTip;

 protected:
  void LayoutStrip(int cx, int cy);
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnPageListButton();
  afx_msg LRESULT OnScrollPageTabs(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSplitterDown(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSplitterMove(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSplitterUp(WPARAM wParam, LPARAM lParam);
  afx_msg void OnTabChanged(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};

// Tool tips used across the program's windows.
BOOL AddWindowTool(CToolTipCtrl* pTip, CWnd* pChild, LPCTSTR lpszText);
BOOL AddRectTool(CToolTipCtrl* pTip, CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRect, UINT nID);
// qsort comparison of two pointers to Shift-JIS strings.
int CompareMbStrings(const void* a, const void* b);
