#include "qvzApp.h"

#include <stdlib.h>
#include <string.h>

#include "afxole.h"
#include "jvqBoard.h"
#include "jvqDocument.h"
#include "jvqDrawingResources.h"
#include "jvqPatternFill.h"
#include "jvqTextureFill.h"
#include "jvqObjectsFile.h"
#include "jvqPage.h"
#include "jvqTool.h"
#include "jvqView.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "qvzView.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(qvzApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, OnFileNewCommand)
  ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
  ON_COMMAND(ID_FILE_NEW_BLANK, OnFileNewBlank)
  ON_COMMAND(ID_FILE_NEW_TEMPLATE, OnFileNewFromTemplate)
  ON_COMMAND(ID_WORK_MENU, OnShowStartMenu)
  ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
  ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_SETUP, OnUpdateIfBoardView)
  ON_UPDATE_COMMAND_UI(ID_APP_EXIT, OnUpdateIfBoardView)
  ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
  ON_COMMAND(ID_HELP_WEB_PRODUCT, OnHelpWebProduct)
  ON_COMMAND(ID_HELP_WEB_SUPPORT, OnHelpWebSupport)
  ON_COMMAND(ID_HELP_WEB_HOME, OnHelpWebHome)
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
  ON_COMMAND(ID_EXTRACT_PERSPECTIVE, OnExtractPerspective)
  ON_COMMAND(ID_EXTRACT_FLOORPLAN, OnExtractFloorPlan)
END_MESSAGE_MAP()

qvzApp::qvzApp()
    : CWinApp("QVZ"),
      m_bShowStartMenu(1),
      m_bWorkMenu(FALSE),
      m_bCloseConfirmed(1),
      m_nStartMenuResult(0),
      m_bFrameHiddenOnce(FALSE),
      m_bShowPropertyBar(TRUE),
      m_nPasteOffset(50),
      m_hInstanceMapping(NULL),
      m_pInstanceBlock(NULL) {
  m_szCurrentOpenCopy[0] = 0;
  m_szSharedPath[0] = 0;
  m_szPendingDocumentTemp[0] = 0;
}

qvzApp* theQvzApp() { return static_cast<qvzApp*>(AfxGetApp()); }

void qvzApp::LoadTextureLibrary() {
  LoadImageLibraryIndex(m_strAppFolder + "テクスチャ", &m_TextureLibrary, "TINDEX.DAT");
  jvqTextureFill::SetLibrary(&m_TextureLibrary);
  m_TextureLibrary.SortByPath();
}

void qvzApp::LoadPatternLibrary() {
  LoadImageLibraryIndex(m_strAppFolder + "パターン", &m_PatternLibrary, "PINDEX.DAT");
  jvqPatternFill::SetLibrary(&m_PatternLibrary);
  m_PatternLibrary.SortByPath();
}

BOOL qvzApp::LoadSettings() {
  qvzAppProfileStore store(this);
  m_Settings.Load(store, m_strAppFolder);
  PictureDisplayMode = m_Settings.nImageDisplayType;
  m_nCmdShow = SW_HIDE;
  return TRUE;
}

BOOL qvzApp::SaveSettings() {
  qvzMainFrame* f = DYNAMIC_DOWNCAST(qvzMainFrame, m_pMainWnd);
  if (f != NULL && f->m_hWnd != NULL) {
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    f->GetWindowPlacement(&wp);
    RECT rc;
    f->GetWindowRect(&rc);
    m_Settings.TakeWindowPlacement((int)wp.showCmd, rc);
    m_Settings.nShowGuide = (f->m_wndHorzRuler.m_bGuidesShown && f->m_wndVertRuler.m_bGuidesShown) ? 1 : 0;
    m_Settings.nShowRuler = f->m_nFlags & 1;
  }
  jvqView* view = GetActiveBoardView();
  m_Settings.nZoom = 0;
  if (view != NULL) {
    m_Settings.crBackground = view->m_crBackground;
    m_Settings.ptPrintOffset = view->m_ptPrintOffset;
    m_Settings.nFitGrid = view->m_dwOptions & JVQ_VIEW_SNAP;
    if (jvqBoard* b = view->GetBoard()) {
      m_Settings.crGrid = b->m_crGrid;
      m_Settings.nGridSpacing = b->m_nGridSpacing;
      m_Settings.nGridType = b->m_nGridStyle;
      m_Settings.nDrawPrintArea = b->m_dwState & JVQ_STATE_PRINTAREA;
      m_Settings.nShowGrid = b->m_dwState & JVQ_STATE_GRID;
    }
    if (!view->m_Mapping.m_bFitToWindow) m_Settings.nZoom = std::max(1, view->m_Mapping.GetZoomPercent());
  }
  qvzAppProfileStore store(this);
  m_Settings.Save(store);
  jvqSaveObjectsFile(m_strAppFolder + "objects");
  return TRUE;
}

jvqView* qvzApp::GetActiveBoardView() {
  CFrameWnd* f = DYNAMIC_DOWNCAST(CFrameWnd, m_pMainWnd);
  return f ? DYNAMIC_DOWNCAST(jvqView, f->GetActiveView()) : NULL;
}

HINSTANCE qvzApp::LaunchCatalogBrowser() {
  CString file = m_strAppFolder + "VendaroExplorer.exe";
  SHELLEXECUTEINFO sei = {};
  sei.cbSize = sizeof(sei);
  sei.hwnd = m_pMainWnd ? m_pMainWnd->m_hWnd : NULL;
  sei.lpFile = file;
  sei.lpDirectory = m_strAppFolder;
  sei.nShow = SW_SHOW;
  ::ShellExecuteEx(&sei);
  return sei.hInstApp;
}

