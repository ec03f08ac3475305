// Control bars (tool bars, status bars, dialog bars) with docking and floating, splitter
// windows, property sheets, printing and print preview.
#pragma once

#include "afxwin.h"
#include "afxdlgs.h"
#include "afxcmn.h"

#include <prsht.h>

class CControlBar;
class CToolBar;
class CStatusBar;
class CDialogBar;
class CDockBar;
class CMiniDockFrameWnd;
class CSplitterWnd;
class CPropertySheet;
class CPropertyPage;
class CPreviewDC;
class CPreviewView;
struct CPrintPreviewState;

/////////////////////////////////////////////////////////////////////////////
// Control-bar styles (the low word of a bar's style, kept apart from the window style)

#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of CalcDynamicLayout
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

// Tool-bar button styles: the control's style in the low word, its state in the high word
// (TBBS_DISABLED stands for the missing TBSTATE_ENABLED).
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)

// Status-bar pane styles
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

/////////////////////////////////////////////////////////////////////////////
// CControlBar

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
 protected:
  CControlBar();

 public:
  ~CControlBar() override;

  int GetCount() const { return m_nCount; }
  void SetBarStyle(DWORD dwStyle);
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
  void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
  // dwDockStyle: the sides (CBRS_ALIGN_*) the bar may dock at; 0 keeps it where it is.
  void EnableDocking(DWORD dwDockStyle);
  BOOL IsFloating() const;
  BOOL IsVisible() const;
  CFrameWnd* GetDockingFrame() const;

  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
  virtual void DoPaint(CDC* pDC);
  virtual void DrawBorders(CDC* pDC, CRect& rect);
  virtual void DrawGripper(CDC* pDC, const CRect& rect);
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
  virtual void DelayShow(BOOL bShow);
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Where a bar dropped at a screen point would go: a dock bar's id, or 0 to float.
  UINT DockSideFromPoint(CPoint ptScreen) const;

  int m_cxLeftBorder, m_cxRightBorder;
  int m_cyTopBorder, m_cyBottomBorder;
  int m_cxDefaultGap;
  UINT m_nMRUWidth;
  BOOL m_bAutoDelete;
  DWORD m_dwStyle;
  DWORD m_dwDockStyle;
  CFrameWnd* m_pDockSite;
  CDockBar* m_pDockBar;
  void* m_pDockContext;
  // Where the bar was last docked, so that docking it again without a place puts it back.
  UINT m_nLastDockBarID;
  int m_nLastDockIndex;
  CPoint m_ptLastFloat;

 protected:
  int m_nCount;
  void* m_pData;
  BOOL AllocElements(int nElements, int cbElement);
  void PostNcDestroy() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void CalcNcBorders(CRect& rect) const;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);

  // Dragging a docked bar: it docks at the side of the frame it is dropped near, or floats.
  void StartDrag(CPoint ptScreen);
  void EndDrag(CPoint ptScreen, BOOL bDrop);
  void DrawDragRect(const CRect* pRect);
  BOOL m_bDragging;
  CPoint m_ptDragStart;
  CRect m_rectDrag;
  CRect m_rectDragShown;

  friend class CDockBar;
  friend class CFrameWnd;
  DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CToolBar: the system's tool-bar control as a control bar.

class CToolBarCtrl;

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)
 public:
  CToolBar();
  ~CToolBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                UINT nID = AFX_IDW_TOOLBAR);
  void SetSizes(SIZE sizeButton, SIZE sizeImage);
  void SetHeight(int cyHeight);
  // A tool-bar resource (RT_TOOLBAR) and the bitmap of the same name.
  BOOL LoadToolBar(LPCTSTR lpszResourceName);
  BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }
  BOOL LoadBitmap(LPCTSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
  BOOL SetBitmap(HBITMAP hbmImageWell);
  // ID_SEPARATOR entries become separators; the others take the images in order.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
  UINT GetButtonStyle(int nIndex) const;
  void SetButtonStyle(int nIndex, UINT nStyle);
  // For a separator, iImage is its width.
  void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
  void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
  BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
  CString GetButtonText(int nIndex) const;
  void GetButtonText(int nIndex, CString& rString) const { rString = GetButtonText(nIndex); }
  CToolBarCtrl& GetToolBarCtrl() const { return *(CToolBarCtrl*)this; }

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  HBITMAP m_hbmImageWell;
  HINSTANCE m_hInstImageWell;
  HRSRC m_hRsrcImageWell;
  BOOL m_bDelayedButtonLayout;
  CSize m_sizeImage;
  CSize m_sizeButton;

 protected:
  void GetButton(int nIndex, TBBUTTON* pButton) const;
  void SetButton(int nIndex, TBBUTTON* pButton);
  CSize CalcSize(BOOL bVert) const;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Fly-by prompts: the button under the pointer, or -1.
  int m_nFlybyIndex;

  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CStatusBar: the system's status-bar control with panes kept by the framework.

struct AFX_STATUSPANE {
  UINT nID;
  UINT nStyle;
  int cxText;
  CString strText;
};

class CStatusBarCtrl;

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)
 public:
  CStatusBar();
  ~CStatusBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
  // ID_SEPARATOR panes start empty; others take the string of their id.
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  void GetPaneText(int nIndex, CString& rString) const;
  CString GetPaneText(int nIndex) const;
  BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);
  CStatusBarCtrl& GetStatusBarCtrl() const { return *(CStatusBarCtrl*)this; }

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

 protected:
  AFX_STATUSPANE* GetPanePtr(int nIndex) const { return ((AFX_STATUSPANE*)m_pData) + nIndex; }
  void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
  void FreePanes();

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CDialogBar: a child dialog template as a control bar.

class CDialogBar : public CControlBar {
  DECLARE_DYNAMIC(CDialogBar)
 public:
  CDialogBar();
  ~CDialogBar() override;

  // The template's dialog-init data fills its controls; the bar is shown once made.
  virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
  virtual BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
  }

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  CSize m_sizeDefault;

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// Docking: a dock bar along each side of the frame holds the docked bars, one row or
// column each; a floating bar sits in the dock bar of a small frame of its own.

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)
 public:
  explicit CDockBar(BOOL bFloating = FALSE);
  ~CDockBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
  // Puts the bar in this dock bar, at nIndex (-1: at the end).
  void DockControlBar(CControlBar* pBar, int nIndex = -1);
  BOOL RemoveControlBar(CControlBar* pBar);
  int FindBar(CControlBar* pBar) const;
  int GetDockedVisibleCount() const;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override {}

  BOOL m_bFloating;
  CPtrArray m_arrBars;

 protected:
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  void LayoutBars(CSize sizeClient);
  DECLARE_MESSAGE_MAP()
};

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)
 public:
  CMiniFrameWnd();
  ~CMiniFrameWnd() override;
  BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd = NULL, UINT nID = 0);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = NULL, UINT nID = 0);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};

#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)
 public:
  CMiniDockFrameWnd();
  ~CMiniDockFrameWnd() override;
  virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
  // Sizes the window to its bar.
  void RecalcLayout(BOOL bNotify = TRUE) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  CDockBar m_wndDockBar;

 protected:
  afx_msg void OnClose();
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// The frame's side of docking: the work behind CFrameWnd's EnableDocking, DockControlBar,
// FloatControlBar, ShowControlBar, GetControlBar and RemoveControlBar.
void AFXAPI AfxEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle);
void AFXAPI AfxDockControlBar(CFrameWnd* pFrame, CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
void AFXAPI AfxDockControlBar(CFrameWnd* pFrame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
void AFXAPI AfxFloatControlBar(CFrameWnd* pFrame, CControlBar* pBar, CPoint point,
                               DWORD dwStyle = CBRS_ALIGN_TOP);
void AFXAPI AfxShowControlBar(CFrameWnd* pFrame, CControlBar* pBar, BOOL bShow, BOOL bDelay);
CControlBar* AFXAPI AfxGetControlBar(CFrameWnd* pFrame, UINT nID);
void AFXAPI AfxRemoveControlBar(CFrameWnd* pFrame, CControlBar* pBar);
CDockBar* AFXAPI AfxGetDockBar(CFrameWnd* pFrame, UINT nDockBarID);

/////////////////////////////////////////////////////////////////////////////
// CSplitterWnd: static splitters (panes fixed at creation), nested or not.

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)
 public:
  CSplitterWnd();
  ~CSplitterWnd() override;

  BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                    UINT nID = AFX_IDW_PANE_FIRST);
  virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);
  virtual void DeleteView(int row, int col);

  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  void GetRowInfo(int row, int& cyCur, int& cyMin) const;
  void SetRowInfo(int row, int cyIdeal, int cyMin);
  void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
  void SetColumnInfo(int col, int cxIdeal, int cxMin);
  CWnd* GetPane(int row, int col) const;
  BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
  BOOL IsChildPane(CWnd* pWnd, int& row, int& col) { return IsChildPane(pWnd, &row, &col); }
  int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
  virtual CWnd* GetActivePane(int* pRow = NULL, int* pCol = NULL);
  virtual void SetActivePane(int row, int col, CWnd* pWnd = NULL);
  virtual void RecalcLayout();

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  struct CRowColInfo {
    int nMinSize;
    int nIdealSize;
    int nCurSize;
  };

  int m_nMaxRows, m_nMaxCols;
  int m_nRows, m_nCols;
  CRowColInfo* m_pColInfo;
  CRowColInfo* m_pRowInfo;
  int m_cxSplitter, m_cySplitter;
  int m_cxSplitterGap, m_cySplitterGap;
  int m_cxBorder, m_cyBorder;
  BOOL m_bTracking;
  CRect m_rectTracker;
  int m_htTrack;
  CPoint m_ptTrackOffset;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // 0: none; 1..15 vertical bar after column n-1; 16+n horizontal bar after row n.
  int HitTest(CPoint pt) const;
  void GetInsideRect(CRect& rect) const;
  void InvertTracker(const CRect& rect);
  virtual void StartTracking(int ht);
  virtual void StopTracking(BOOL bAccept);

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnCancelMode();
  DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// Property sheets over the system's property sheet, with wizard mode.

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
 public:
  CPropertyPage();
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
  ~CPropertyPage() override;

  void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
  void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
  void CancelToClose();
  void SetModified(BOOL bChanged = TRUE);
  BOOL QuerySiblings(WPARAM wParam, LPARAM lParam) { return (BOOL)GetParent()->SendMessage(PSM_QUERYSIBLINGS, wParam, lParam); }

  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual BOOL OnApply();
  virtual void OnReset();
  virtual void OnOK() override;
  virtual void OnCancel() override;
  virtual BOOL OnQueryCancel();
  virtual LRESULT OnWizardBack();
  virtual LRESULT OnWizardNext();
  virtual BOOL OnWizardFinish();

  PROPSHEETPAGE m_psp;
  CString m_strCaption;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  CPropertySheet* GetSheet() const;
  BOOL m_bFirstSetActive;
  friend class CPropertySheet;
  friend INT_PTR CALLBACK AfxPropPageDlgProc(HWND, UINT, WPARAM, LPARAM);
};

#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#endif

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
 public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  ~CPropertySheet() override;

  void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
  void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

  // Modal: IDOK or IDCANCEL (ID_WIZFINISH when a wizard finished).
  virtual int DoModal();
  // Modeless.
  virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);

  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const { return (int)m_pages.GetSize(); }
  CPropertyPage* GetPage(int nPage) const { return (CPropertyPage*)m_pages[nPage]; }
  int GetPageIndex(CPropertyPage* pPage);
  int GetActiveIndex() const;
  CPropertyPage* GetActivePage() const;
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
  CTabCtrl* GetTabControl() const { return (CTabCtrl*)CWnd::FromHandle((HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0)); }
  void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
  void SetWizardButtons(DWORD dwFlags);
  void SetFinishText(LPCTSTR lpszText);
  void PressButton(int nButton) { ::SendMessage(m_hWnd, PSM_PRESSBUTTON, nButton, 0); }
  void EndDialog(int nEndID);
  BOOL IsWizard() const { return (m_psh.dwFlags & PSH_WIZARD) != 0; }

  BOOL PreTranslateMessage(MSG* pMsg) override;

  PROPSHEETHEADER m_psh;
  CString m_strCaption;
  CWnd* m_pParentWnd;
  BOOL m_bStacked;
  BOOL m_bModeless;

 protected:
  CPtrArray m_pages;
  HPROPSHEETPAGE* BuildPages();
  void PostNcDestroy() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  friend class CPropertyPage;
};

/////////////////////////////////////////////////////////////////////////////
// Printing

struct CPrintInfo {
  CPrintInfo();
  ~CPrintInfo();

  CPrintDialog* m_pPD;
  BOOL m_bDocObject;
  BOOL m_bDirect;       // no print dialog
  BOOL m_bPreview;
  BOOL m_bContinuePrinting;
  UINT m_nCurPage;
  UINT m_nNumPreviewPages;
  CString m_strPageDesc;
  LPVOID m_lpUserData;
  CRect m_rectDraw;

  void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = (WORD)nMinPage; }
  void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = (WORD)nMaxPage; }
  UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
  UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
  UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
  UINT GetToPage() const { return m_pPD->m_pd.nToPage; }
  UINT GetOffsetPage() const { return 0; }
};

// The view's and the application's side of printing: the work behind CView's
// DoPreparePrinting, OnFilePrint, OnFilePrintPreview, DoPrintPreview, OnEndPrintPreview and
// CWinApp's CreatePrinterDC, DoPrintDialog, OnFilePrintSetup.
BOOL AFXAPI AfxDoPreparePrinting(CView* pView, CPrintInfo* pInfo);
// Prints through the view's print loop; bDirect skips the print dialog.
void AFXAPI AfxViewFilePrint(CView* pView, BOOL bDirect = FALSE);
BOOL AFXAPI AfxCreatePrinterDC(CDC& dc);
int AFXAPI AfxDoPrintDialog(CPrintDialog* pPD);
void AFXAPI AfxFilePrintSetup();
// TRUE when the application has a default printer (the print commands are enabled only then).
BOOL AFXAPI AfxHasDefaultPrinter();

/////////////////////////////////////////////////////////////////////////////
// Print preview

// A DC that draws on the screen what the printer DC (its attribute DC) would print: the
// mapping is the printer's, scaled to the preview.
class CPreviewDC : public CDC {
  DECLARE_DYNAMIC(CPreviewDC)
 public:
  CPreviewDC();
  ~CPreviewDC() override;

  void SetAttribDC(HDC hDC) override;
  void SetOutputDC(HDC hDC) override;
  void ReleaseOutputDC() override;

  int SaveDC() override;
  BOOL RestoreDC(int nSavedDC) override;
  int SetMapMode(int nMapMode) override;
  CPoint SetViewportOrg(int x, int y) override;
  CPoint OffsetViewportOrg(int nWidth, int nHeight) override;
  CSize SetViewportExt(int cx, int cy) override;
  CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) override;
  CSize SetWindowExt(int cx, int cy) override;
  CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) override;

  // Screen size / printer size, as a fraction.
  void SetScaleRatio(int nNumerator, int nDenominator);
  // Where the page's top-left corner lies in the output DC.
  void SetTopLeftOffset(CSize TopLeft);
  void ClipToPage();
  // Printer device units to preview device units (without the top-left offset).
  void PrinterDPtoScreenDP(LPPOINT lpPoint) const;

  int m_nScaleNum;
  int m_nScaleDen;
  CSize m_sizeTopLeft;

 protected:
  void MirrorMappingMode(BOOL bCompute);
  void MirrorViewportOrg();
  CSize ComputeDeltas(CSize sizeWinExt, CSize sizeVpExt);
  CSize m_sizeWinExt;
  CSize m_sizeVpExt;
};

struct CPrintPreviewState {
  UINT nIDMainPane;
  HMENU hMenu;
  DWORD dwStates;
  CView* pViewActiveOld;
  BOOL (CALLBACK* lpfnCloseProc)(CFrameWnd* pFrameWnd);
  HACCEL hAccelTable;
  CPrintPreviewState();
};

// The view that shows the printed pages in the frame's place, with its own tool bar.
class CPreviewView : public CScrollView {
  DECLARE_DYNCREATE(CPreviewView)
 public:
  CPreviewView();
  ~CPreviewView() override;

  enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };
  virtual void SetZoomState(UINT nNewState, UINT nPage, CPoint point);
  virtual BOOL SetPrintView(CView* pPrintView);
  void SetCurrentPage(UINT nPage, BOOL bClearRatios);
  UINT GetZoomState() const { return m_nZoomState; }
  CPreviewDC* GetPreviewDC() const { return m_pPreviewDC; }
  // Closes the preview and gives the frame back to the printed view.
  void ClosePreview();
  // The page's place and scale for the window's size and the zoom state.
  void CalcPageRect(CRect& rect, CSize& ratio);
  void PositionPage();

  CView* m_pOrigView;
  CView* m_pPrintView;
  CPreviewDC* m_pPreviewDC;
  CDC m_dcPrint;
  CPrintInfo* m_pPreviewInfo;
  CPrintPreviewState* m_pPreviewState;
  CDialogBar* m_pToolBar;
  UINT m_nZoomState;
  UINT m_nCurrentPage;
  UINT m_nPages;
  CSize m_sizePrinterPPI;
  CSize m_sizeZoomOutRatio;
  CRect m_rectPage;  // where the page is drawn, in scrolled (document) coordinates
  CSize m_sizeRatio;  // screen units per printer unit as a fraction (cx / cy)
  HWND m_hWndOrigPane;  // the frame's pane put aside while the preview shows
  CPtrArray m_arrHiddenBars;  // bars the preview hid, shown again when it closes
  BOOL m_bInPosition;

 protected:
  void OnDraw(CDC* pDC) override;
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

  afx_msg void OnPreviewClose();
  afx_msg void OnPreviewPrint();
  afx_msg void OnNextPage();
  afx_msg void OnPrevPage();
  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
  afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};

// CView::DoPrintPreview / OnFilePrintPreview: the preview view of pPreviewViewClass takes the
// frame's pane, with a dialog bar of template nIDResource; FALSE when it cannot start.
BOOL AFXAPI AfxDoPrintPreview(CView* pView, UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                              CPrintPreviewState* pState);
void AFXAPI AfxViewFilePrintPreview(CView* pView);
// CView::OnEndPrintPreview's work: ends the printing, gives the frame back to the view and
// its bars, and destroys the preview. The preview's close command comes here.
void AFXAPI AfxEndPrintPreview(CView* pView, CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pPreview);
