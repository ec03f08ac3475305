// The board designer's main window: the tool bars, the status bar, the zoom box, the palettes
// and, as its client, the folder frame that holds the editing view with the page tabs. It
// swaps the editing view for the page list, keeps the status bar current and is the host
// through which the view reaches everything above it.
#pragma once

#include "CDibToolBar.h"
#include "CFolderFrame.h"
#include "CImageMenu.h"
#include "jvqFrameWnd.h"
#include "jvqViewHost.h"
#include "qvzDropDownBitmapMenu.h"
#include "qvzMainToolBar.h"
#include "qvzPaletteToolBar.h"
#include "qvzPropertyBarManager.h"

class qvzDocument;
class jvqView;
class CView;

#define QVZ_STATUS_TIMER 113
#define IDC_ZOOM_COMBO 1006
#define IDW_STANDARD_BAR 98
#define IDW_PAGELIST_BAR 263
#define IDW_MAIN_TOOLBAR 233

class qvzMainFrame : public jvqFrameWnd, public jvqViewHost {
  DECLARE_DYNCREATE(qvzMainFrame)
 public:
  qvzMainFrame();
  ~qvzMainFrame() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

  qvzDocument* GetBoardDocument();
  jvqView* GetEditView();
  BOOL IsPageListShown() const { return m_pPageListView != NULL && m_pEditView != NULL; }
  BOOL SwapViews(BOOL bToEditView);
  void ApplyPageListOrder(class qvzAllPageView* pList);
  void SetViewMenuItem(BOOL bPageList);
  void BuildRectangleMenu();
  void ShowRectangleVariants();
  void ShowArcVariants();
  void TrackButtonMenu(CToolBar* pBar, UINT nCommand);
  void FinishPageInsert();
  void InsertPage(int nKind);
  // Writes the visible page area as BMP or JPEG; FALSE (and no file) when it fails.
  BOOL SaveImage(LPCTSTR lpszPath);
  void RunImageWizard(BOOL bScanner);
  // Places a picture file on the current page as QVZM_INSERTIMAGEFILE does, from blocks
  // made by MakeInsertImageBlocks.
  static HGLOBAL MakeInsertImageBlocks(LPCTSTR lpszPath);
  static void SetToolBarImageLists(CToolBar* pBar, UINT nNormal, UINT nDisabled, UINT nHot, CImageList* pLists,
                                   int nCount);
  static BOOL LoadToolBarImageList(UINT nIDBitmap, CImageList& list, int nCount, BOOL bKeepColors);

  // The view host.
  void UpdateStatusBar() override;
  void UpdateControlBars() override;
  void UpdatePageTabs() override;
  int GetPageTabCount() override;
  void ShowFolderControls() override;
  void SelectFitInZoomBox() override;
  void ShowToolVariant(int nToolId) override;
  void OnEditDeselect() override;
  void HideAlignPalette() override;
  void ShowPreviewBars(BOOL bShow) override;
  int MessageBox(LPCTSTR lpszText, UINT nType) override;
  BOOL EditPropertyInfo(jvqDocument* pDoc, LPCTSTR lpszFileName) override;  // qvzMainFramePropertyInfo.cpp
  // Settings dialogs and favourites (qvzMainFrameSettings.cpp).
  BOOL EditPrintOffset(POINT* pOffset) override;
  BOOL AskRotateAngle(int* pAngle) override;
  BOOL AskFloorPlanScale(int* pScale) override;
  int AskPictureFile(LPCTSTR lpszFilter, LPCTSTR lpszFolder, CString* pPath) override;
  // The fill pop-up's picture page asks through the picture dialog while the frame lives.
  static void InstallPictureDialog(BOOL bInstall);
  BOOL ShowLockNotice(BOOL* pbDontShowAgain) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  // The settings commands the view leaves to the frame: auto-save, paper, grid and scale.
  BOOL RunSettingsCommand(UINT nID);
  // Favourites (qvzMainFrameFavorites.cpp).
  BOOL AskNewFavoriteCategory(CString* pName) override;
  BOOL AskFavoriteRename(LPCTSTR lpszFolder, CString* pName) override;
  void OnOrganizeFavorites();
  void FillFavoritesSubmenu(CMenu* pSub);
  void SetToolBarButtonCheck(CWnd* pBar, UINT nID, BOOL bCheck) override;
  void ShowSnapState(BOOL bOn) override;
  void OpenBoard(LPCTSTR lpszPath) override;
  void ShowDocumentInfo() override;
  BOOL EditPaperSettings(jvqView* pView) override;
  BOOL EditGridSettings(jvqView* pView) override;
  BOOL EditCatalogPasteSettings(jvqView* pView) override;
  BOOL EditAutoSaveInterval(int* pInterval) override;
  BOOL EditSymbolScale(int* pN) override;
  // The view host: the in-place text editor and the text and title dialogs.
  CWnd* CreateTextEditor(jvqView* pView) override;
  void BeginTextEditor(CWnd* pEditor, jvqObject* pTextFrame, int nMode, POINT ptLogical) override;
  BOOL EditTitleStyle(jvqBannerStyle* pStyle, BOOL* pbLocked) override;
  BOOL EditTextDetail(jvqTextFill* pFill, BOOL bNoLock) override;
  void EnablePropertyBar(BOOL bEnable) override;
  // Keys the view's tool left: Backspace steps the drawing tool back (qvzMainFrameKeys.cpp).
  void HandleKey(jvqView* pView, UINT nChar, UINT nRepCnt, UINT nFlags) override;
  // The property-bar manager's calls (qvzMainFramePropertyBars.cpp).
  void SwitchBar(BOOL bForce) override;
  void UpdateCurrentBar() override;
  void ShowBar(BOOL bShow) override;
  void OnObjectCreated(jvqObject* pObject) override;
  // The shown property bar when it is the select bar, else NULL.
  class qvzSelectToolBar* GetSelectToolBar();
  // The palettes (qvzMainFramePalettes.cpp): the shown bar when it is the shapes, symbols
  // and favourites palette, else NULL; the favourites seams of the view host; 32984 lists
  // the perspective pictures again.
  class qvzSymbolToolBar* GetSymbolToolBar();
  BOOL IsOverFavoritesList(POINT ptScreen) override;
  int GetFavoriteCategory() override;
  void ReloadFavoriteCategories() override;
  BOOL GetFavoriteSelection(CString* pFolder, CString* pName) override;
  void ShowFavorites(LPCTSTR lpszFolder, LPCTSTR lpszSelect) override;
  void RedrawPerspectivePalette();

  CFolderFrame m_wndFolderFrame;
  CView* m_pPageListView;
  CView* m_pEditView;
  CImageList m_ilRect[3];
  CImageList m_ilArc[3];
  CImageMenu m_menuRect;
  CComboBox m_wndZoomCombo;
  qvzPaletteToolBar m_wndAlignPalette;
  qvzPaletteToolBar m_wndBalloonPalette;
  CStatusBar m_wndStatusBar;
  CDibToolBar m_wndStandardBar;
  qvzMainToolBar m_wndMainToolBar;
  CToolBar m_wndPageListBar;
  qvzPaletteToolBar m_wndRectPalette;
  qvzPaletteToolBar m_wndArcPalette;
  qvzDocument* m_pDocument;
  qvzPropertyBarManager m_PropertyBars;
  qvzDropDownBitmapMenu m_menuRectVariants;
  qvzDropDownBitmapMenu m_menuArcVariants;
  // Where the last message box's text went (tests read it).
  CString m_strLastMessage;
  // Answers for message boxes while tests drive the frame (0: ask the user).
  int m_nAutoAnswer;

 protected:
  void RebuildZoomCombo(int nZoom, BOOL bFit);
  void ShowPageList(BOOL bShow);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnClose();
  afx_msg void OnInitMenu(CMenu* pMenu);
  afx_msg LRESULT OnOpenSharedPath(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnFillChanged(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnScrollPageTabs(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnInsertImageFile(WPARAM wParam, LPARAM lParam);
  afx_msg void OnUpdateIndicator(CCmdUI* pCmdUI);
  afx_msg void OnViewPageList();
  afx_msg void OnUpdateViewPageList(CCmdUI* pCmdUI);
  // Pages.
  afx_msg void OnInsertBlankPage();
  afx_msg void OnInsertTemplatePage();
  afx_msg void OnInsertPageCopy();
  afx_msg void OnUpdateInsertPage(CCmdUI* pCmdUI);
  afx_msg void OnDeletePage();
  afx_msg void OnUpdateDeletePage(CCmdUI* pCmdUI);
  // View.
  afx_msg void OnZoomSelChange();
  afx_msg void OnUpdateZoomCombo(CCmdUI* pCmdUI);
  afx_msg void OnZoomFit();
  afx_msg void OnUpdateZoomFit(CCmdUI* pCmdUI);
  afx_msg void OnViewRulers();
  afx_msg void OnUpdateViewRulers(CCmdUI* pCmdUI);
  afx_msg void OnViewGuides();
  afx_msg void OnUpdateViewGuides(CCmdUI* pCmdUI);
  afx_msg void OnDeleteSelectedGuide();
  afx_msg void OnUpdateDeleteSelectedGuide(CCmdUI* pCmdUI);
  afx_msg void OnDeleteAllGuides();
  afx_msg void OnUpdateDeleteAllGuides(CCmdUI* pCmdUI);
  afx_msg void OnImageDisplay(UINT nID);
  afx_msg void OnUpdateImageDisplay(CCmdUI* pCmdUI);
  afx_msg void OnInsertCatalog();
  afx_msg void OnUpdateInsertCatalog(CCmdUI* pCmdUI);
  afx_msg void OnEditDeselectCmd();
  afx_msg void OnUpdateEditDeselect(CCmdUI* pCmdUI);
  afx_msg void OnToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnFamilyButton(UINT nID);
  afx_msg void OnUpdateFamilyButton(CCmdUI* pCmdUI);
  // Export and pictures.
  afx_msg void OnSaveTemplate();  // qvzMainFrameTemplates.cpp
  afx_msg void OnSaveImage();
  afx_msg void OnUpdateSaveImage(CCmdUI* pCmdUI);
  afx_msg void OnImageWizard();
  afx_msg void OnInsertScanner();
  afx_msg void OnUpdateInsertScanner(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

// The zoom box texts and the status texts are built by pure functions (ZoomComboTexts.h,
// StatusTexts.h); the file dialog of the image export is replaced by tests.
typedef BOOL (*qvzSavePathProc)(CWnd* pParent, CString& strPath);
extern qvzSavePathProc theImageSavePathProc;
