#include "qvzMainFrame.h"

#include "PageTabStrip.h"
#include "StatusTexts.h"
#include "ZoomComboTexts.h"
#include "jvqBoard.h"
#include "jvqPage.h"
#include "jvqTool.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzMessages.h"
#include "qvzAllPageView.h"
#include "qvzSelectToolBar.h"
#include "qvzSymbolToolBar.h"
#include "qvzView.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(qvzMainFrame, jvqFrameWnd)

BEGIN_MESSAGE_MAP(qvzMainFrame, jvqFrameWnd)
  ON_COMMAND(ID_SAVE_TEMPLATE, OnSaveTemplate)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_TIMER()
  ON_WM_CLOSE()
  ON_WM_INITMENU()
  ON_MESSAGE(QVZM_OPENSHAREDPATH, OnOpenSharedPath)
  ON_MESSAGE(QVZM_FILLCHANGED, OnFillChanged)
  ON_MESSAGE(QVZM_SCROLLPAGETABS, OnScrollPageTabs)
  ON_MESSAGE(QVZM_INSERTIMAGEFILE, OnInsertImageFile)
  ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_PAGE, ID_INDICATOR_TOOL, OnUpdateIndicator)
  ON_COMMAND(ID_VIEW_PAGELIST, OnViewPageList)
  ON_COMMAND(ID_PAGELIST_BACK, OnViewPageList)
  ON_UPDATE_COMMAND_UI(ID_VIEW_PAGELIST, OnUpdateViewPageList)
  ON_UPDATE_COMMAND_UI(ID_PAGELIST_BACK, OnUpdateViewPageList)
  ON_COMMAND(ID_INSERT_BLANKPAGE, OnInsertBlankPage)
  ON_COMMAND(ID_INSERT_TEMPLATEPAGE, OnInsertTemplatePage)
  ON_COMMAND(ID_INSERT_PAGECOPY, OnInsertPageCopy)
  ON_UPDATE_COMMAND_UI(ID_INSERT_BLANKPAGE, OnUpdateInsertPage)
  ON_UPDATE_COMMAND_UI(ID_INSERT_TEMPLATEPAGE, OnUpdateInsertPage)
  ON_UPDATE_COMMAND_UI(ID_INSERT_PAGECOPY, OnUpdateInsertPage)
  ON_COMMAND(ID_PAGE_DELETE, OnDeletePage)
  ON_UPDATE_COMMAND_UI(ID_PAGE_DELETE, OnUpdateDeletePage)
  ON_CBN_SELCHANGE(IDC_ZOOM_COMBO, OnZoomSelChange)
  ON_UPDATE_COMMAND_UI(IDC_ZOOM_COMBO, OnUpdateZoomCombo)
  ON_COMMAND(ID_VIEW_FITPAGE, OnZoomFit)
  ON_UPDATE_COMMAND_UI(ID_VIEW_FITPAGE, OnUpdateZoomFit)
  ON_COMMAND(ID_VIEW_RULER, OnViewRulers)
  ON_UPDATE_COMMAND_UI(ID_VIEW_RULER, OnUpdateViewRulers)
  ON_COMMAND(ID_GUIDE_SHOW, OnViewGuides)
  ON_UPDATE_COMMAND_UI(ID_GUIDE_SHOW, OnUpdateViewGuides)
  ON_COMMAND(ID_GUIDE_DELETE, OnDeleteSelectedGuide)
  ON_UPDATE_COMMAND_UI(ID_GUIDE_DELETE, OnUpdateDeleteSelectedGuide)
  ON_COMMAND(ID_GUIDE_DELETE_ALL, OnDeleteAllGuides)
  ON_UPDATE_COMMAND_UI(ID_GUIDE_DELETE_ALL, OnUpdateDeleteAllGuides)
  ON_COMMAND_RANGE(ID_IMAGE_NORMAL, ID_IMAGE_GREY, OnImageDisplay)
  ON_UPDATE_COMMAND_UI_RANGE(ID_IMAGE_NORMAL, ID_IMAGE_GREY, OnUpdateImageDisplay)
  ON_COMMAND(ID_INSERT_CATALOG, OnInsertCatalog)
  ON_UPDATE_COMMAND_UI(ID_INSERT_CATALOG, OnUpdateInsertCatalog)
  ON_COMMAND(ID_EDIT_DESELECT, OnEditDeselectCmd)
  ON_UPDATE_COMMAND_UI(ID_EDIT_DESELECT, OnUpdateEditDeselect)
  ON_NOTIFY(TBN_DROPDOWN, IDW_MAIN_TOOLBAR, OnToolBarDropDown)
  ON_COMMAND_RANGE(ID_TOOL_RECT_FAMILY, ID_TOOL_ARC_FAMILY, OnFamilyButton)
  ON_UPDATE_COMMAND_UI_RANGE(ID_TOOL_RECT_FAMILY, ID_TOOL_ARC_FAMILY, OnUpdateFamilyButton)
  ON_COMMAND(ID_SAVE_IMAGE, OnSaveImage)
  ON_UPDATE_COMMAND_UI(ID_SAVE_IMAGE, OnUpdateSaveImage)
  ON_COMMAND(ID_IMAGE_WIZARD, OnImageWizard)
  ON_UPDATE_COMMAND_UI(ID_IMAGE_WIZARD, OnUpdateInsertScanner)
  ON_COMMAND(ID_INSERT_SCANNER, OnInsertScanner)
  ON_UPDATE_COMMAND_UI(ID_INSERT_SCANNER, OnUpdateInsertScanner)
END_MESSAGE_MAP()

// Standard bar: the twelve bitmap buttons, 22 pixels high.
static const DibButtonRow StandardBarButtons[] = {
    {32972, 0, 23, 1349, 1349, 421}, {57601, 0, 23, 352, 352, 392}, {57603, 0, 23, 353, 353, 401},
    {57607, 0, 23, 354, 354, 393},   {57609, 0, 23, 355, 355, 394}, {32906, 0, 23, 356, 356, 399},
    {32876, 0, 23, 357, 357, 395},   {32875, 0, 23, 358, 358, 396}, {1229, 0, 23, 363, 363, 398},
    {1227, 0, 23, 364, 364, 400},    {781, 0, 23, 359, 359, 391},   {1181, 0, 97, 435, 435, 435},
};

// Main tool bar: nineteen buttons 39 wide and 38 high; the two families have a drop-down part.
static const DibButtonRow MainToolBarButtons[] = {
    {32847, 0, 39, 333, 333, 414},    {57643, 0, 39, 334, 334, 411},   {57644, 0, 39, 336, 336, 407},
    {32865, 0, 39, 338, 338, 409},    {1180, 0, 39, 340, 340, 406},    {32968, 0, 39, 343, 343, 404},
    {92, 0, 39, 1389, 1389, 1390},    {91, 0, 39, 1391, 1391, 1392},   {32943, 0, 39, 344, 344, 403},
    {32892, 0, 39, 345, 345, 412},    {32944, 0, 39, 346, 346, 402},   {32864, 0, 39, 348, 348, 405},
    {32863, 0, 39, 347, 347, 417},    {32900, 0, 39, 349, 349, 408},   {32848, 0, 39, 350, 350, 416},
    {32877, 0, 39, 351, 351, 413},    {32878, 0, 39, 1355, 1355, 415}, {86, DIBBS_DROPDOWN, 39, 422, 422, 423},
    {87, DIBBS_DROPDOWN, 39, 431, 431, 432},
};

static const UINT StatusIndicators[] = {ID_SEPARATOR, ID_INDICATOR_PAGE, ID_INDICATOR_X, ID_INDICATOR_Y,
                                        ID_INDICATOR_TOOL};

qvzMainFrame::qvzMainFrame() : m_pPageListView(NULL), m_pEditView(NULL), m_pDocument(NULL), m_nAutoAnswer(0) {
  m_nVertRulerId = 1002;
  m_nHorzRulerId = 1004;
  jvqSetViewHost(this);
  AfxGetApp()->m_pMainWnd = this;
  InstallPictureDialog(TRUE);
}

qvzMainFrame::~qvzMainFrame() {
  if (jvqGetViewHost() == this) jvqSetViewHost(NULL);
  InstallPictureDialog(FALSE);
}

int qvzMainFrame::MessageBox(LPCTSTR lpszText, UINT nType) {
  m_strLastMessage = lpszText;
  if (m_nAutoAnswer) return m_nAutoAnswer;
  return AfxMessageBox(lpszText, nType);
}

BOOL qvzMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  static CString strClass;
  if (strClass.IsEmpty()) {
    WNDCLASS wc = {};
    if (::GetClassInfo(AfxGetInstanceHandle(), cs.lpszClass, &wc) ||
        ::GetClassInfo(NULL, cs.lpszClass, &wc)) {
      wc.hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_QVZ));
      wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
      wc.lpszClassName = QVZ_MAINWINDOW_CLASS;
      wc.hInstance = AfxGetInstanceHandle();
      if (AfxRegisterClass(&wc)) strClass = QVZ_MAINWINDOW_CLASS;
    }
  }
  if (strClass.IsEmpty()) return FALSE;
  cs.lpszClass = strClass;
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  cs.style &= ~WS_VISIBLE;
  const qvzAppSettings& s = theQvzApp()->m_Settings;
  if (s.nWindowStatus == 5 || s.nWindowStatus == 6) {
    cs.x = s.rcWindow.left;
    cs.y = s.rcWindow.top;
    cs.cx = s.rcWindow.right - s.rcWindow.left;
    cs.cy = s.rcWindow.bottom - s.rcWindow.top;
  } else {
    cs.x = cs.y = -1000;
    cs.cx = cs.cy = 1;
  }
  m_nFlags = s.nShowRuler ? (m_nFlags | 1) : (m_nFlags & ~1);
  return TRUE;
}

BOOL qvzMainFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  if (pContext) pContext->m_pCurrentFrame = this;
  if (!m_wndFolderFrame.Create(this, pContext ? pContext->m_pNewViewClass : RUNTIME_CLASS(qvzView), pContext, 0, -2,
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN))
    return FALSE;
  // The view sits inside the folder frame, where the frame's own search does not look.
  if (CView* v = DYNAMIC_DOWNCAST(CView, m_wndFolderFrame.GetView())) SetActiveView(v, FALSE);
  return TRUE;
}

int qvzMainFrame::OnCreate(LPCREATESTRUCT lpcs) {
  const CRect borders(1, 1, 1, 1);
  // 1. Standard bar.
  if (!m_wndStandardBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM,
                                 borders, IDW_STANDARD_BAR) ||
      !m_wndStandardBar.LoadToolBar(IDR_STANDARD_BAR))
    return -1;
  m_wndStandardBar.SetButtons(sizeof(StandardBarButtons) / sizeof(StandardBarButtons[0]), StandardBarButtons, 22);
  for (int i = 0; i < m_wndStandardBar.GetButtonCount(); i++) {
    CDibToolBarButton* b = m_wndStandardBar.GetButton(i);
    if (b && b->m_hWnd && b->GetDlgCtrlID() == ID_GRID_SNAP) b->m_nImageX = b->m_nImageY = 0;
  }
  m_wndStandardBar.SetBarStyle(m_wndStandardBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
  // 2. Page-list bar, hidden.
  if (!m_wndPageListBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM,
                                 borders, IDW_PAGELIST_BAR) ||
      !m_wndPageListBar.LoadToolBar(IDR_PAGELIST_BAR))
    return -1;
  m_wndPageListBar.SetBarStyle(m_wndPageListBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
  // 3. Main tool bar.
  if (!m_wndMainToolBar.CreateEx(this, TBSTYLE_FLAT | CCS_TOP,
                                 WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM, borders,
                                 IDW_MAIN_TOOLBAR) ||
      !m_wndMainToolBar.LoadToolBar(IDR_MAIN_TOOLBAR))
    return -1;
  m_wndMainToolBar.SetButtons(sizeof(MainToolBarButtons) / sizeof(MainToolBarButtons[0]), MainToolBarButtons, 38);
  m_wndMainToolBar.SetBarStyle(m_wndMainToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
  // 4. The pop-up palettes, hidden and not dockable.
  const DWORD palStyle = WS_CHILD | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_SIZE_FIXED;
  if (m_wndAlignPalette.Create(this, palStyle, AFX_IDW_TOOLBAR) && m_wndAlignPalette.LoadToolBar(IDR_ALIGN_PALETTE)) {
    m_wndAlignPalette.SetWindowText("図形整列");
    m_wndAlignPalette.SetColumns(3);
    m_wndAlignPalette.EnableDocking(0);
  }
  if (m_wndBalloonPalette.Create(this, palStyle, AFX_IDW_TOOLBAR) &&
      m_wndBalloonPalette.LoadToolBar(IDR_BALLOON_PALETTE)) {
    m_wndBalloonPalette.SetWindowText("吹き出し作成");
    m_wndBalloonPalette.EnableDocking(0);
  }
  const DWORD varStyle = WS_CHILD | CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_SIZE_FIXED;
  static const UINT rectIds[] = {ID_TOOL_RECT, ID_TOOL_ROUNDRECT, ID_TOOL_ELLIPSE};
  static const UINT arcIds[] = {ID_TOOL_PIE, ID_TOOL_CHORD, ID_TOOL_ARC};
  if (m_wndRectPalette.CreateEx(this, TBSTYLE_FLAT, varStyle, borders, IDR_VARIANT_PALETTE) &&
      m_wndRectPalette.LoadToolBar(IDR_VARIANT_PALETTE)) {
    m_wndRectPalette.SetButtons(rectIds, 3);
    SetToolBarImageLists(&m_wndRectPalette, IDR_VARIANT_PALETTE, IDR_VARIANT_PALETTE, IDR_VARIANT_PALETTE, m_ilRect, 3);
    m_wndRectPalette.SetColumns(1);
    m_wndRectPalette.EnableDocking(0);
  }
  if (m_wndArcPalette.CreateEx(this, TBSTYLE_FLAT, varStyle, borders, IDR_VARIANT_PALETTE) &&
      m_wndArcPalette.LoadToolBar(IDR_VARIANT_PALETTE)) {
    m_wndArcPalette.SetButtons(arcIds, 3);
    SetToolBarImageLists(&m_wndArcPalette, IDB_ARC_PALETTE, IDB_ARC_PALETTE, IDB_ARC_PALETTE, m_ilArc, 3);
    m_wndArcPalette.SetColumns(1);
    m_wndArcPalette.EnableDocking(0);
  }
  // 5. Status bar with its panes measured on the frame's DC.
  if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
      !m_wndStatusBar.SetIndicators(StatusIndicators, 5))
    return -1;
  {
    CClientDC dc(this);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    const CSize page = dc.GetTextExtent("ページ: xx/xx ");
    const CSize coord = dc.GetTextExtent("X: -xx.x㎝ ");
    ::SelectObject(dc.m_hDC, old);
    m_wndStatusBar.SetPaneInfo(0, ID_SEPARATOR, SBPS_STRETCH | SBPS_NOBORDERS, 0);
    m_wndStatusBar.SetPaneInfo(1, ID_INDICATOR_PAGE, SBPS_NORMAL, page.cx);
    m_wndStatusBar.SetPaneInfo(2, ID_INDICATOR_X, SBPS_NORMAL, coord.cx);
    m_wndStatusBar.SetPaneInfo(3, ID_INDICATOR_Y, SBPS_NORMAL, coord.cx);
    m_wndStatusBar.SetPaneInfo(4, ID_INDICATOR_TOOL, SBPS_NORMAL, 280);
  }
  // 6. The zoom box on the standard bar.
  if (m_wndStandardBar.AddComboBox(WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_HASSTRINGS,
                                   &m_wndZoomCombo, IDC_ZOOM_COMBO, 90, 200) < 0 ||
      m_wndZoomCombo.m_hWnd == NULL)
    return -1;
  m_wndZoomCombo.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), TRUE);
  for (int i = 0; ZoomComboTexts[i][0]; i++) m_wndZoomCombo.AddString(ZoomComboTexts[i]);
  m_wndZoomCombo.SetCurSel(m_wndZoomCombo.GetCount() - 1);
  // 7. Docking and the property bars.
  EnableDocking(CBRS_ALIGN_ANY);
  if (m_PropertyBars.Create(this)) m_PropertyBars.RefreshBar();
  // 8. Drop-down arrows.
  m_wndStandardBar.SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  m_wndMainToolBar.SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  for (UINT id : {86u, 87u}) {
    const int i = m_wndMainToolBar.CommandToIndex(id);
    if (i >= 0) m_wndMainToolBar.SetButtonStyle(i, m_wndMainToolBar.GetButtonStyle(i) | TBSTYLE_DROPDOWN);
  }
  // 9. Rulers.
  if (!CreateRulers()) return -1;
  m_wndHorzRuler.m_bGuidesShown = m_wndVertRuler.m_bGuidesShown = theQvzApp()->m_Settings.nShowGuide != 0;
  if (!(m_nFlags & 1)) {
    ShowControlBar(&m_wndHorzRuler, FALSE, FALSE);
    ShowControlBar(&m_wndVertRuler, FALSE, FALSE);
  }
  // 10.
  if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
  // 11. Tab fonts.
  CFont* gui = CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
  m_wndFolderFrame.GetFolderTabCtrl().SetFonts(gui, gui);
  // 12. Timers.
  SetTimer(QVZ_STATUS_TIMER, 1000, NULL);
  if (theQvzApp()->m_Settings.nAutoSaveInterval > 0)
    SetTimer(QVZ_AUTOSAVE_TIMER, theQvzApp()->m_Settings.nAutoSaveInterval, NULL);
  // 13.
  BuildRectangleMenu();
  ShowWindow(SW_HIDE);
  AfxGetApp()->m_pMainWnd = this;
  SetViewMenuItem(FALSE);
  return 0;
}

void qvzMainFrame::BuildRectangleMenu() {
  if (m_menuRect.m_hMenu) return;
  m_menuRect.CreatePopupMenu();
  m_menuRect.LoadImages(IDB_RECT_MENU_STRIP, 3);
  static const char* const texts[] = {"矩形", "丸四角", "丸"};
  static const UINT ids[] = {ID_TOOL_RECT, ID_TOOL_ROUNDRECT, ID_TOOL_ELLIPSE};
  for (int i = 0; i < 3; i++) {
    ImageMenuItem* item = new ImageMenuItem;
    lstrcpyn(item->szText, texts[i], sizeof(item->szText));
    item->nImage = i;
    m_menuRect.AppendItem(ids[i], item);
  }
}

void qvzMainFrame::OnSize(UINT nType, int cx, int cy) {
  CFrameWnd::OnSize(nType, cx, cy);
  if (qvzSelectToolBar* bar = GetSelectToolBar()) {
    RecalcLayout();
    bar->RecalcLayout();
  }
  // The symbol palette's thumbnails follow the frame's new bottom.
  if (qvzSymbolToolBar* palette = GetSymbolToolBar()) {
    RecalcLayout();
    palette->RecalcLayout();
  }
}

void qvzMainFrame::OnTimer(UINT nIDEvent) {
  if (nIDEvent == QVZ_STATUS_TIMER) UpdateStatusBar();
  if (nIDEvent == QVZ_AUTOSAVE_TIMER) {
    if (qvzDocument* d = GetBoardDocument()) d->AutoSave();
  }
  Default();
}

void qvzMainFrame::OnClose() {
  if (IsPageListShown()) {
    OnViewPageList();
    return;
  }
  if (IsWindowVisible() && GetEditView() != NULL) theQvzApp()->SaveSettings();
  CFrameWnd::OnClose();
}

LRESULT qvzMainFrame::OnOpenSharedPath(WPARAM, LPARAM) {
  theQvzApp()->OpenSharedPath();
  return 0;
}

LRESULT qvzMainFrame::OnFillChanged(WPARAM, LPARAM) { return 0; }

qvzDocument* qvzMainFrame::GetBoardDocument() {
  qvzDocument* d = DYNAMIC_DOWNCAST(qvzDocument, GetActiveDocument());
  if (d) m_pDocument = d;
  return m_pDocument;
}

jvqView* qvzMainFrame::GetEditView() { return DYNAMIC_DOWNCAST(jvqView, GetActiveView()); }

void qvzMainFrame::OnUpdateIndicator(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void qvzMainFrame::UpdateStatusBar() {
  qvzDocument* doc = GetBoardDocument();
  if (doc == NULL || m_hWnd == NULL || m_wndStatusBar.m_hWnd == NULL) return;
  jvqBoard* board = doc->GetBoard();
  jvqPage* cur = board ? board->GetCurrentPage() : NULL;
  if (cur == NULL) return;
  const int count = board->GetPageCount();
  int pos = 0;
  for (int i = 0; i < count; i++)
    if (board->GetPage(i) == cur) pos = i + 1;
  m_wndStatusBar.SetPaneText(1, PageStatusText(pos, count));
  jvqView* view = GetEditView();
  if (view == NULL) {
    m_wndStatusBar.SetPaneText(2, "");
    m_wndStatusBar.SetPaneText(3, "");
    m_wndStatusBar.SetPaneText(4, "");
    return;
  }
  POINT pt;
  ::GetCursorPos(&pt);
  view->ScreenToClient(&pt);
  CRect rc;
  view->GetClientRect(&rc);
  if (rc.PtInRect(pt)) {
    view->PointToLogical(&pt, &pt);
    m_wndStatusBar.SetPaneText(2, CoordStatusText(TRUE, pt.x));
    m_wndStatusBar.SetPaneText(3, CoordStatusText(FALSE, pt.y));
  } else {
    m_wndStatusBar.SetPaneText(2, "");
    m_wndStatusBar.SetPaneText(3, "");
  }
  if (view->m_pTool) m_wndStatusBar.SetPaneText(4, view->m_pTool->m_strCaption);
}

void qvzMainFrame::UpdateControlBars() {
  for (CWnd* w = GetWindow(GW_CHILD); w; w = w->GetWindow(GW_HWNDNEXT)) {
    CControlBar* bar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(w->m_hWnd));
    if (bar && bar->IsWindowVisible()) bar->UpdateWindow();
  }
  UpdateWindow();
}

void qvzMainFrame::ShowFolderControls() { m_wndFolderFrame.ShowControls(-1); }

int qvzMainFrame::GetPageTabCount() {
  return m_wndFolderFrame.m_hWnd ? m_wndFolderFrame.GetFolderTabCtrl().GetItemCount() : -1;
}

void qvzMainFrame::ShowToolVariant(int nToolId) { m_wndMainToolBar.ShowToolVariant(nToolId); }

void qvzMainFrame::HideAlignPalette() {
  if (m_wndAlignPalette.m_hWnd && m_wndAlignPalette.IsWindowVisible() && !m_wndAlignPalette.m_bPopup)
    ShowControlBar(&m_wndAlignPalette, FALSE, FALSE);
}

void qvzMainFrame::ShowPreviewBars(BOOL bShow) {
  if (m_wndMainToolBar.m_hWnd) ShowControlBar(&m_wndMainToolBar, bShow, FALSE);
  if (m_wndStandardBar.m_hWnd) ShowControlBar(&m_wndStandardBar, bShow, FALSE);
  ShowBar(bShow);
}

// The page list and the editing view take turns in the pane.
void qvzMainFrame::OnViewPageList() {
  jvqView* view = GetEditView();
  if (view != NULL) {
    view->ClearSelection();
    view->Redraw();
    if (!SwapViews(FALSE)) return;
    ShowBar(FALSE);
    ShowPageList(TRUE);
    SetViewMenuItem(TRUE);
  } else {
    if (!SwapViews(TRUE)) return;
    ShowBar(TRUE);
    ShowPageList(FALSE);
    UpdatePageTabs();
    SetViewMenuItem(FALSE);
  }
  RecalcLayout();
  // Bars hidden in the same row leave their pixels behind otherwise.
  RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void qvzMainFrame::ShowPageList(BOOL bShow) {
  const BOOL bRulers = !bShow && (m_nFlags & 1);
  ShowControlBar(&m_wndHorzRuler, bRulers, FALSE);
  ShowControlBar(&m_wndVertRuler, bRulers, FALSE);
  ShowControlBar(&m_wndStandardBar, !bShow, FALSE);
  ShowControlBar(&m_wndMainToolBar, !bShow, FALSE);
  ShowControlBar(&m_wndPageListBar, bShow, FALSE);
}

void qvzMainFrame::OnUpdateViewPageList(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void qvzMainFrame::SetViewMenuItem(BOOL bPageList) {
  CMenu* bar = GetMenu();
  CMenu* view = bar ? bar->GetSubMenu(2) : NULL;
  if (view == NULL) return;
  if (bPageList)
    view->ModifyMenu(ID_VIEW_PAGELIST, MF_BYCOMMAND | MF_STRING, ID_PAGELIST_BACK, "編集画面(&B)");
  else
    view->ModifyMenu(ID_PAGELIST_BACK, MF_BYCOMMAND | MF_STRING, ID_VIEW_PAGELIST, "ページ一覧(&B)");
  DrawMenuBar();
}

// The board's pages take the order the user gave the page list's items.
void qvzMainFrame::ApplyPageListOrder(qvzAllPageView* pList) {
  qvzDocument* doc = GetBoardDocument();
  jvqBoard* board = doc ? doc->GetBoard() : NULL;
  if (board == NULL || pList->GetItemCount() != board->GetChildCount()) return;
  BOOL bMoved = FALSE;
  for (int i = 0; i < pList->GetItemCount(); i++) {
    if (board->GetChild(i) != pList->GetItemPage(i)) bMoved = TRUE;
    board->SetChildAt(i, pList->GetItemPage(i));
  }
  if (bMoved) doc->SetModifiedFlag();
}

BOOL qvzMainFrame::SwapViews(BOOL bToEditView) {
  CView* active = GetActiveView();
  const BOOL activeIsEdit = DYNAMIC_DOWNCAST(jvqView, active) != NULL;
  if (active && activeIsEdit == bToEditView) return TRUE;
  if (activeIsEdit) m_pEditView = active;
  qvzDocument* doc = GetBoardDocument();
  if (bToEditView) {
    CView* target = m_pEditView;
    if (target == NULL || target->m_hWnd == NULL) return FALSE;
    if (m_pPageListView && m_pPageListView->m_hWnd) m_pPageListView->SetDlgCtrlID(AFX_IDW_PANE_FIRST + 1);
    m_wndFolderFrame.SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    m_wndFolderFrame.ShowWindow(SW_SHOW);
    SetActiveView(target);
    RecalcLayout();
    // The page list is rebuilt from the board each time it is shown.
    if (qvzAllPageView* list = DYNAMIC_DOWNCAST(qvzAllPageView, m_pPageListView)) {
      ApplyPageListOrder(list);
      list->FreeItems();
    }
    if (m_pPageListView) {
      if (doc) doc->RemoveView(m_pPageListView);
      if (m_pPageListView->m_hWnd) m_pPageListView->DestroyWindow();
      m_pPageListView = NULL;
    }
    m_pEditView = NULL;
    target->SetFocus();
    return TRUE;
  }
  if (m_pPageListView == NULL) {
    CCreateContext ctx;
    ctx.m_pNewViewClass = RUNTIME_CLASS(qvzAllPageView);
    ctx.m_pCurrentDoc = doc;
    ctx.m_pLastView = active;
    ctx.m_pCurrentFrame = this;
    m_pPageListView = DYNAMIC_DOWNCAST(CView, CreateView(&ctx, AFX_IDW_PANE_FIRST + 1));
    if (m_pPageListView == NULL || m_pPageListView->m_hWnd == NULL) {
      m_pPageListView = NULL;
      return FALSE;
    }
  }
  m_wndFolderFrame.ShowWindow(SW_HIDE);
  m_wndFolderFrame.SetDlgCtrlID(AFX_IDW_PANE_FIRST + 1);
  m_pPageListView->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
  m_pPageListView->ShowWindow(SW_SHOW);
  m_pPageListView->OnInitialUpdate();
  SetActiveView(m_pPageListView);
  RecalcLayout();
  return TRUE;
}

LRESULT qvzMainFrame::OnScrollPageTabs(WPARAM wParam, LPARAM) {
  if (wParam > 1) return 0;
  qvzDocument* doc = GetBoardDocument();
  jvqBoard* board = doc ? doc->GetBoard() : NULL;
  CFolderTabCtrl& tabs = m_wndFolderFrame.GetFolderTabCtrl();
  if (board == NULL || tabs.GetItemCount() == 0) return 0;
  const int count = board->GetPageCount();
  const int first = ScrollPageTabStrip(PageNumberOfTab(tabs.GetItem(0)->m_strText), count, (int)wParam);
  int cur = 0;
  for (int i = 0; i < count; i++)
    if (board->GetPage(i) == board->GetCurrentPage()) cur = i + 1;
  tabs.DeleteAllItems();
  for (int p = first; p <= count; p++) tabs.AddItem(PageTabText(p));
  if (cur >= first) tabs.SelectTab(cur - first);
  tabs.Invalidate();
  return 0;
}

void qvzMainFrame::UpdatePageTabs() {
  qvzDocument* doc = DYNAMIC_DOWNCAST(qvzDocument, GetActiveDocument());
  if (doc == NULL) doc = m_pDocument;
  jvqBoard* board = doc ? doc->GetBoard() : NULL;
  CFolderTabCtrl& tabs = m_wndFolderFrame.GetFolderTabCtrl();
  if (board == NULL || tabs.m_hWnd == NULL) return;
  const int count = board->GetPageCount();
  int cur = 0;
  jvqPage* current = board->GetCurrentPage();
  for (int i = 0; i < count; i++)
    if (board->GetPage(i) == current) cur = i + 1;
  const int s = PageTabStripStart(cur, tabs.IsWindowVisible() && tabs.GetItemCount() == 0);
  tabs.DeleteAllItems();
  for (int i = s; i < count; i++) {
    tabs.AddItem(PageTabText(i + 1));
    if (board->GetPage(i) == current) tabs.SelectTab(i - s);
  }
  tabs.Invalidate();
}
