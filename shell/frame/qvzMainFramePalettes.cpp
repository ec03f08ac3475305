// The main frame and the palettes: the palette rows of the bar table, the symbol palette as
// the frame offers it (GetSymbolToolBar), the favourites seams of the view host, the
// remembered categories kept in the application's settings, and 32984, which lists the
// perspective pictures again after an extraction.
#include "PropertyBarTable.h"
#include "jvqTool.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzCatalogPasteSettings.h"
#include "jvqGroupObject.h"
#include "qvzMadorizuToolBar.h"
#include "qvzMainFrame.h"
#include "qvzPerszuToolBar.h"
#include "qvzSymbolToolBar.h"

static void SetPaletteKindOf(CControlBar* pBar, int nToolId) {
  if (qvzSymbolToolBar* bar = DYNAMIC_DOWNCAST(qvzSymbolToolBar, pBar)) bar->SetPaletteKind(nToolId);
}

// The settings that the application writes at exit come from its settings record; the
// profile is kept alike for the readers that ask it.
static int* SettingOf(LPCTSTR lpszSection, LPCTSTR lpszKey) {
  qvzApp* app = theQvzApp();
  if (app == NULL) return NULL;
  qvzAppSettings& s = app->m_Settings;
  const CString section = lpszSection, key = lpszKey;
  if (key == "LastSelect") {
    if (section == "Favorite") return &s.nFavoriteLastSelect;
    if (section == "Shape") return &s.nShapeLastSelect;
    if (section == "Symbol") return &s.nSymbolLastSelect;
  }
  if (section == "Symbol" && key == "Scale") return &s.nSymbolScale;
  return NULL;
}

static int GetPaletteSetting(LPCTSTR lpszSection, LPCTSTR lpszKey, int nDefault) {
  if (int* field = SettingOf(lpszSection, lpszKey)) return *field;
  CWinApp* app = AfxGetApp();
  return app ? (int)app->GetProfileInt(lpszSection, lpszKey, nDefault) : nDefault;
}

static void SetPaletteSetting(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue) {
  if (int* field = SettingOf(lpszSection, lpszKey)) *field = nValue;
  if (CWinApp* app = AfxGetApp()) app->WriteProfileInt(lpszSection, lpszKey, nValue);
}

// A catalogue item dropped on the favourites is built as the catalogue paste builds it, with
// the program folder's layout.
static jvqObject* BuildCatalogItem(const void* pBlock, size_t nSize, jvqDocument* pDocument) {
  qvzCatalogPasteSettings settings;
  settings.m_pDocument = pDocument;
  return settings.BuildItemObject(pBlock, nSize, qvzCatalogPasteSettings::LayoutPath());
}

static struct PalettesJoin {
  PalettesJoin() {
    RegisterPropertyBar(19, 337, RUNTIME_CLASS(qvzSymbolToolBar));
    RegisterPropertyBar(20, 1336, RUNTIME_CLASS(qvzMadorizuToolBar));
    RegisterPropertyBar(21, 1337, RUNTIME_CLASS(qvzPerszuToolBar));
    theSetPaletteKindProc = SetPaletteKindOf;
    theBuildCatalogItemProc = BuildCatalogItem;
    thePaletteSettings.pfnGet = GetPaletteSetting;
    thePaletteSettings.pfnSet = SetPaletteSetting;
  }
} thePalettesJoin;

qvzSymbolToolBar* qvzMainFrame::GetSymbolToolBar() {
  return DYNAMIC_DOWNCAST(qvzSymbolToolBar, m_PropertyBars.GetCurrentBar());
}

// The symbol palette while it lists the favourites, else NULL.
static qvzSymbolToolBar* FavoritesPalette(qvzMainFrame* pFrame) {
  qvzSymbolToolBar* bar = pFrame->GetSymbolToolBar();
  return bar && bar->m_hWnd && bar->GetPaletteKind() == 1022 ? bar : NULL;
}

BOOL qvzMainFrame::IsOverFavoritesList(POINT ptScreen) {
  qvzSymbolToolBar* bar = FavoritesPalette(this);
  CWnd* list = bar ? bar->GetListView() : NULL;
  if (list == NULL || list->m_hWnd == NULL || !list->IsWindowVisible()) return FALSE;
  CRect rc;
  list->GetClientRect(rc);
  list->ClientToScreen(rc);
  return rc.PtInRect(ptScreen);
}

int qvzMainFrame::GetFavoriteCategory() {
  qvzSymbolToolBar* bar = FavoritesPalette(this);
  return bar && bar->m_wndCategory.m_hWnd ? bar->m_wndCategory.GetCurSel() : -1;
}

void qvzMainFrame::ReloadFavoriteCategories() {
  qvzSymbolToolBar* bar = GetSymbolToolBar();
  jvqView* view = GetEditView();
  if (bar && bar->m_hWnd && view && view->m_pTool && view->m_pTool->m_nToolId == 1022) bar->ReloadCategories();
}

BOOL qvzMainFrame::GetFavoriteSelection(CString* pFolder, CString* pName) {
  qvzSymbolToolBar* bar = FavoritesPalette(this);
  if (bar == NULL || bar->GetListView() == NULL || bar->GetCategoryFolder().IsEmpty()) return FALSE;
  *pFolder = bar->GetCategoryFolder();
  qvzObjectThumbnail* cell = bar->GetListView()->GetItem(bar->GetListView()->GetSelectedIndex());
  *pName = cell ? cell->m_strLabel : CString();
  return TRUE;
}

void qvzMainFrame::ShowFavorites(LPCTSTR lpszFolder, LPCTSTR lpszSelect) {
  if (qvzSymbolToolBar* bar = FavoritesPalette(this)) bar->ShowFolder(lpszFolder, lpszSelect);
}

void qvzMainFrame::RedrawPerspectivePalette() {
  if (qvzPerszuToolBar* bar = DYNAMIC_DOWNCAST(qvzPerszuToolBar, m_PropertyBars.GetCurrentBar())) bar->Reload();
}
