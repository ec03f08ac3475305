// Frames, documents, views and document templates. Included by afxwin.h.
#pragma once

// Defined with the control bars and printing (afxext.h).
struct CPrintInfo;
struct CPrintPreviewState;
class CControlBar;
class CDockBar;
class CPreviewView;
class COleDataObject;

// What a frame needs to build its views for a document.
struct CCreateContext {
  CRuntimeClass* m_pNewViewClass;
  CDocument* m_pCurrentDoc;
  CDocTemplate* m_pNewDocTemplate;
  CView* m_pLastView;
  CFrameWnd* m_pCurrentFrame;
  CCreateContext() { memset(this, 0, sizeof(*this)); }
};

// Frame styles
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

/////////////////////////////////////////////////////////////////////////////
// CFrameWnd

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  static const CRect rectDefault;
  CFrameWnd();
  ~CFrameWnd() override;

  BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
              DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
  // Menu, accelerators, icon and title (first part of the string) all from nIDResource.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

  virtual CFrameWnd* GetActiveFrame() { return this; }
  virtual CDocument* GetActiveDocument();
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  BOOL IsTracking() const { return FALSE; }

  virtual void RecalcLayout(BOOL bNotify = TRUE);
  // Docking and floating of control bars; the bodies live with the bars.
  void EnableDocking(DWORD dwDockStyle);
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
  void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = 0x2000L /* CBRS_ALIGN_TOP */);
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  CControlBar* GetControlBar(UINT nID);
  void RemoveControlBar(CControlBar* pBar);
  virtual void ActivateFrame(int nCmdShow = -1);
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
  void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
  CString GetTitle() const { return m_strTitle; }
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  void SetMessageText(LPCTSTR lpszText);
  void SetMessageText(UINT nID);
  virtual CWnd* GetMessageBar();
  virtual HACCEL GetDefaultAccelerator();
  BOOL LoadAccelTable(LPCTSTR lpszResourceName);
  void BeginModalState();
  void EndModalState();
  BOOL InModalState() const { return m_cModalStack != 0; }
  void ShowOwnedWindows(BOOL bShow);
  BOOL IsFrameWnd() const { return TRUE; }

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  virtual void OnSetPreviewMode(BOOL bPreview, void* pState) {}

  BOOL m_bAutoMenuEnable;
  BOOL m_bInRecalcLayout;
  int m_nWindow;
  HMENU m_hMenuDefault;
  HACCEL m_hAccelTable;
  DWORD m_dwPromptContext;
  BOOL m_bHelpMode;
  CFrameWnd* m_pNextFrameWnd;
  CRect m_rectBorder;
  CPtrList m_listControlBars;
  int m_nShowDelay;
  UINT m_nIDHelp;
  UINT m_nIDTracking;
  UINT m_nIDLastMessage;
  CView* m_pViewActive;
  int m_cModalStack;
  HWND* m_phWndDisable;
  CString m_strTitle;
  UINT m_nIdleFlags;
  enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
  void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
  void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= (idleLayout | (bNotify ? idleNotify : 0)); }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;
  int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  LPCTSTR GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
  afx_msg void OnDropFiles(HDROP hDropInfo);
  afx_msg BOOL OnQueryEndSession();
  afx_msg void OnEndSession(BOOL bEnding);
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

  friend class CWinApp;
  friend class CView;
  DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CDocument

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
 public:
  CDocument();
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCTSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  void AddView(CView* pView);
  void RemoveView(CView* pView);
  virtual POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  virtual CView* GetNextView(POSITION& rPosition) const { return (CView*)m_viewList.GetNext(rPosition); }
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);

  virtual void DeleteContents() {}
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
  // Writes to a temporary file beside the target and replaces the target only when the
  // whole document is written.
  virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
  virtual void OnCloseDocument();
  virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
  virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
  virtual void ReleaseFile(CFile* pFile, BOOL bAbort);
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  virtual BOOL SaveModified();
  virtual void PreCloseFrame(CFrameWnd* pFrame) {}
  virtual void OnChangedViewList();
  virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
  virtual BOOL DoFileSave();
  virtual void UpdateFrameCounts();
  virtual HMENU GetDefaultMenu() { return NULL; }
  virtual HACCEL GetDefaultAccel() { return NULL; }
  void Serialize(CArchive& ar) override {}

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate;
  CPtrList m_viewList;
  BOOL m_bModified;
  BOOL m_bAutoDelete;
  BOOL m_bEmbedded;

  afx_msg void OnFileClose();
  afx_msg void OnFileSave();
  afx_msg void OnFileSaveAs();

 protected:
  friend class CDocTemplate;
  DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// Document templates

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
 protected:
  CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
               CRuntimeClass* pViewClass);

 public:
  ~CDocTemplate() override;

  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
  virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

  virtual void LoadTemplate();
  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);

  enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative, yesAlreadyOpen };
  virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
  virtual CDocument* CreateNewDocument();
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  virtual void SetDefaultTitle(CDocument* pDocument) = 0;

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;
  BOOL m_bAutoDelete;
};

class CSingleDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CSingleDocTemplate)
 public:
  CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                     CRuntimeClass* pViewClass);
  ~CSingleDocTemplate() override;

  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* pDocument) override;

  CDocument* m_pOnlyDoc;
};

// The application's list of document templates.
class CDocManager : public CObject {
 public:
  CDocManager();
  ~CDocManager() override;
  virtual void AddDocTemplate(CDocTemplate* pTemplate);
  virtual POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
  virtual CDocTemplate* GetNextDocTemplate(POSITION& pos) const { return (CDocTemplate*)m_templateList.GetNext(pos); }
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  virtual int GetOpenDocumentCount();
  virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                CDocTemplate* pTemplate);
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
  virtual void OnFileNew();
  virtual void OnFileOpen();

  CPtrList m_templateList;
};

/////////////////////////////////////////////////////////////////////////////
// Views

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
 protected:
  CView();

 public:
  ~CView() override;
  CDocument* GetDocument() const { return m_pDocument; }
  CFrameWnd* GetParentFrame() const { return CWnd::GetParentFrame(); }

  virtual BOOL IsSelected(const CObject* pDocItem) const { return FALSE; }
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
  virtual void OnDraw(CDC* pDC) = 0;
  // Printing: by default a page is what the view draws.
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo) { return TRUE; }
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {}
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo) { OnDraw(pDC); }
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {}
  // The print dialog for pInfo; FALSE when cancelled or there is no printer.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                      CPrintPreviewState* pState);
  virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);
  virtual void OnInitialUpdate();
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) {}
  virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) { return FALSE; }
  virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) { return FALSE; }
  // Drops through a registered COleDropTarget; by default the view takes nothing.
  virtual DWORD OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) { return 0; }
  virtual DWORD OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) { return 0; }
  virtual void OnDragLeave() {}
  virtual BOOL OnDrop(COleDataObject* pDataObject, DWORD dropEffect, CPoint point) { return FALSE; }
  virtual DWORD OnDropEx(COleDataObject* pDataObject, DWORD dropDefault, DWORD dropList, CPoint point) {
    return (DWORD)-1;
  }
  virtual DWORD OnDragScroll(DWORD dwKeyState, CPoint point) { return 0; }

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  CDocument* m_pDocument;

 protected:
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  void PostNcDestroy() override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT OnInitialUpdateMsg(WPARAM, LPARAM);
  afx_msg void OnFilePrint();
  afx_msg void OnFilePrintPreview();

  friend class CDocument;
  friend class CFrameWnd;
  DECLARE_MESSAGE_MAP()
};

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)
 protected:
  CScrollView();

 public:
  ~CScrollView() override;
  static const SIZE sizeDefault;

  void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                      const SIZE& sizeLine = sizeDefault);
  void SetScaleToFitSize(SIZE sizeTotal);
  CPoint GetScrollPosition() const;
  CPoint GetDeviceScrollPosition() const;
  CSize GetTotalSize() const { return m_totalLog; }
  void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
  void ScrollToPosition(POINT pt);
  void FillOutsideRect(CDC* pDC, CBrush* pBrush);
  void ResizeParentToFit(BOOL bShrinkOnly = TRUE);
  void CenterOnPoint(CPoint ptCenter);

  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
  BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;
  BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) override;

 protected:
  int m_nMapMode;
  CSize m_totalLog;
  CSize m_totalDev;
  CSize m_pageDev;
  CSize m_lineDev;
  BOOL m_bCenter;
  BOOL m_bInsideUpdate;

  void ScrollToDevicePosition(POINT ptDev);
  void UpdateBars();
  BOOL GetTrueClientSize(CSize& size, CSize& sizeSb);
  void GetScrollBarSizes(CSize& sizeSb);
  void GetScrollBarState(CSize sizeClient, CSize& needSb, CSize& sizeRange, CPoint& ptMove, BOOL bInsideClient);
  void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

  DECLARE_MESSAGE_MAP()
};

// A view that is a system control (tree, list, ...).
class CCtrlView : public CView {
  DECLARE_DYNCREATE(CCtrlView)
 public:
  CCtrlView(LPCTSTR lpszClass, DWORD dwStyle);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

 protected:
  CCtrlView() : m_dwDefaultStyle(0) {}
  void OnDraw(CDC* pDC) override;
  CString m_strClass;
  DWORD m_dwDefaultStyle;

  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// Private framework messages

#define WM_QUERYAFXWNDPROC 0x0360
#define WM_SIZEPARENT 0x0361
#define WM_SETMESSAGESTRING 0x0362
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D
#define WM_ACTIVATETOPLEVEL 0x036E
#define WM_QUERY3DCONTROLS 0x036F
#define WM_POPMESSAGESTRING 0x0375
#define WM_HELPPROMPTADDR 0x0376

// m_nFlags bit of a frame: the menu prompt stays until the menu closes.
#define WF_NOPOPMSG 0x0020

// Path and string helpers of the framework.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep = '\n');
BOOL AFXAPI AfxFullPath(LPTSTR lpszPathOut, LPCTSTR lpszFileIn);
BOOL AFXAPI AfxComparePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2);
UINT AFXAPI AfxGetFileTitle(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax);
UINT AFXAPI AfxGetFileName(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax);
