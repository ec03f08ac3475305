#include "qvzSymbolToolBar.h"

#include <mbstring.h>

#include <algorithm>

#include "CVectorShapeEx.h"
#include "Dib.h"
#include "afxreplace.h"
#include "PaletteRules.h"
#include "jvqDocument.h"
#include "jvqDrawingResources.h"
#include "jvqFill.h"
#include "jvqGroupObject.h"
#include "jvqLineStyle.h"
#include "jvqPage.h"
#include "jvqSymbolObject.h"
#include "jvqTool.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"
#include "qvzCatalogItem.h"
#include "qvzContentFolders.h"
#include "qvzMessages.h"
#include "qvzObjectFileReader.h"
#include "qvzPropertyBarManager.h"
#include "qvzView.h"

IMPLEMENT_DYNCREATE(qvzSymbolToolBar, qvzDrawToolBar)

BEGIN_MESSAGE_MAP(qvzSymbolToolBar, qvzDrawToolBar)
  ON_WM_MOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_CBN_SELCHANGE(IDC_PALETTE_CATEGORY, OnCategoryChanged)
  ON_WM_SIZE()
  ON_MESSAGE(QVZM_PALETTEDROP, OnPaletteDrop)
  ON_MESSAGE(QVZM_PALETTECONTEXT, OnPaletteContext)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

static int ProfileGet(LPCTSTR s, LPCTSTR k, int d) {
  CWinApp* app = AfxGetApp();
  return app ? (int)app->GetProfileInt(s, k, d) : d;
}
static void ProfileSet(LPCTSTR s, LPCTSTR k, int v) {
  if (CWinApp* app = AfxGetApp()) app->WriteProfileInt(s, k, v);
}
qvzPaletteSettings thePaletteSettings = {ProfileGet, ProfileSet};
CString thePaletteProgramFolder;
qvzBuildCatalogItemProc theBuildCatalogItemProc = NULL;

static int DefaultPaletteMessage(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
  CWnd* main = AfxGetMainWnd();
  return ::MessageBox(main ? main->m_hWnd : NULL, lpszText, lpszCaption, nType);
}
qvzPaletteMessageProc thePaletteMessageProc = DefaultPaletteMessage;

static UINT DefaultTrackPaletteMenu(CMenu* pMenu, CPoint ptScreen, CWnd* pOwner) {
  return pMenu->TrackPopupMenu(TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, pOwner) ? 1 : 0;
}
qvzTrackPaletteMenuProc theTrackPaletteMenuProc = DefaultTrackPaletteMenu;

CString PaletteProgramFolder() {
  return thePaletteProgramFolder.IsEmpty() ? qvzGetProgramFolder() : qvzFolderPrefix(thePaletteProgramFolder);
}

int PaletteSymbolScale() {
  int n = thePaletteSettings.pfnGet("Symbol", "Scale", 100);
  if (n == 0) {
    n = 100;
    thePaletteSettings.pfnSet("Symbol", "Scale", n);
  }
  return n;
}

static CFrameWnd* MainFrame() { return g_pPropertyBarManager ? g_pPropertyBarManager->m_pFrame : NULL; }

qvzSymbolToolBar::qvzSymbolToolBar()
    : m_pListView(NULL), m_bFirstMove(1), m_bDragging(0), m_hDragCursor(NULL), m_hSavedCursor(NULL),
      m_nPaletteKind(PALETTE_KIND_SHAPES) {
  m_strCreateCaption = "作成する矩形のプロパティ";
  m_strSelectCaption = "矩形のプロパティ";
  m_nKind = JVQ_OBJ_RECT;
}

// The thumbnail view is a child window and deletes itself with the bar.
qvzSymbolToolBar::~qvzSymbolToolBar() {}

jvqView* qvzSymbolToolBar::ActiveView() const { return GetView(); }

jvqDocument* qvzSymbolToolBar::ActiveDocument() const {
  jvqView* v = ActiveView();
  return v ? v->GetDocument() : NULL;
}

BOOL qvzSymbolToolBar::IsLibrary(LPCTSTR lpszFolder) const {
  return m_strRootFolder == PaletteProgramFolder() + lpszFolder;
}

// Stretches the bar down to the frame's client bottom minus 20.
static void StretchBar(CWnd* pBar) {
  CFrameWnd* frame = MainFrame();
  CWnd* parent = pBar->GetParent();
  if (parent == NULL || frame == NULL || frame->m_hWnd == NULL) return;
  CRect bar, client;
  pBar->GetWindowRect(bar);
  parent->ScreenToClient(bar);
  parent->GetClientRect(client);
  bar.bottom = client.bottom - 20;
  if (bar.bottom > bar.top) pBar->MoveWindow(bar, TRUE);
}

void qvzSymbolToolBar::CreateListView() {
  if (m_wndPlaceholder.m_hWnd == NULL) return;
  m_wndPlaceholder.ShowWindow(SW_HIDE);
  CRect rc, client;
  m_wndPlaceholder.GetWindowRect(rc);
  ScreenToClient(rc);
  GetClientRect(client);
  rc.bottom = client.bottom - 10;
  m_pListView = (qvzObjectPreviewView*)RUNTIME_CLASS(qvzObjectPreviewView)->CreateObject();
  if (m_pListView && !m_pListView->Create(NULL, NULL, WS_CHILD | WS_BORDER, rc, this, IDC_PALETTE_LIST, NULL)) {
    delete m_pListView;
    m_pListView = NULL;
  }
}

void qvzSymbolToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  StretchBar(this);
  qvzDrawToolBar::CreateControls();
  if (GetDlgItem(IDC_PALETTE_LIST)) m_wndPlaceholder.SubclassDlgItem(IDC_PALETTE_LIST, this);
  if (GetDlgItem(IDC_PALETTE_CATEGORY)) m_wndCategory.SubclassDlgItem(IDC_PALETTE_CATEGORY, this);
  if (m_nPaletteKind != PALETTE_KIND_SHAPES && m_nPaletteKind != PALETTE_KIND_SYMBOLS &&
      m_nPaletteKind != PALETTE_KIND_FAVORITES) {
    jvqView* view = ActiveView();
    const int tool = view && view->m_pTool ? view->m_pTool->m_nToolId : 0;
    if (tool == PALETTE_KIND_SHAPES || tool == PALETTE_KIND_SYMBOLS || tool == PALETTE_KIND_FAVORITES)
      m_nPaletteKind = tool;
  }
  m_strRootFolder = PaletteProgramFolder() + PaletteLibraryOf(m_nPaletteKind).pszFolder;
  FillCategoryCombo(m_strRootFolder);
  if (m_wndCategory.m_hWnd) m_wndCategory.SetFont(&theDefaultGuiFont);
  SelectRemembered();
  CreateListView();
  if (m_pListView) {
    ListSelectedCategory();
    m_pListView->ShowWindow(SW_SHOW);
  }
  if (CFrameWnd* frame = MainFrame()) frame->RecalcLayout();
  if (m_pListView) m_pListView->SetFocus();
}

void qvzSymbolToolBar::SelectRemembered() {
  if (m_wndCategory.m_hWnd == NULL) return;
  const int index = thePaletteSettings.pfnGet(PaletteLibraryOf(m_nPaletteKind).pszSection, "LastSelect", 0);
  // -1 selects the first entry; an index beyond the entries selects nothing.
  m_wndCategory.SetCurSel(index < 0 ? 0 : index);
}

// Lists the selected category, if any; the current folder is empty without one.
void qvzSymbolToolBar::ListSelectedCategory() {
  if (m_pListView == NULL) return;
  const int sel = m_wndCategory.m_hWnd ? m_wndCategory.GetCurSel() : CB_ERR;
  m_pListView->RemoveAllItems();
  m_ListedNames.RemoveAll();
  m_strCurrentFolder.Empty();
  if (sel != CB_ERR) {
    CString entry;
    m_wndCategory.GetLBText(sel, entry);
    int side, hgap, vgap;
    CalcCellMetrics(&side, &hgap, &vgap);
    m_pListView->SetCellSize(side, side);
    m_pListView->m_nHorzGap = hgap;
    m_pListView->m_nVertGap = vgap;
    LoadFolder(m_strRootFolder + entry);
    m_strCurrentFolder = m_strRootFolder + entry + "\\";
  }
  m_pListView->SetScrollSizes(MM_TEXT, CSize(100, 100));
  m_pListView->RecalcLayout();
  m_pListView->SelectItem(0);
  m_pListView->Invalidate();
}

void qvzSymbolToolBar::CalcCellMetrics(int* pSide, int* pHorzGap, int* pVertGap) {
  CDC dc;
  SIZE text = {0, 0};
  if (dc.CreateDC("DISPLAY", NULL, NULL, NULL)) GetMultiLineTextExtent(&text, &dc, "あいうえおｑ", &theDefaultGuiFont);
  *pSide = text.cy + 62;
  CRect rc(0, 0, 0, 0);
  if (m_pListView && m_pListView->m_hWnd) m_pListView->GetClientRect(rc);
  *pHorzGap = std::max(0, (rc.Width() - *pSide - ::GetSystemMetrics(SM_CXVSCROLL) - 2) / 2);
  *pVertGap = 2;
}

void qvzSymbolToolBar::RecalcLayout() {
  if (m_pListView == NULL || m_pListView->m_hWnd == NULL) return;
  CRect client, rc;
  GetClientRect(client);
  m_pListView->GetWindowRect(rc);
  ScreenToClient(rc);
  if (rc.bottom == client.bottom - 20 || client.bottom - 20 <= rc.top) return;
  rc.bottom = client.bottom - 20;
  m_pListView->MoveWindow(rc, TRUE);
}

CSize qvzSymbolToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CDialogBar::CalcFixedLayout(bStretch, bHorz);
  CFrameWnd* frame = MainFrame();
  if (!IsFloating() && frame && frame->m_hWnd && m_hWnd) {
    CRect client, barClient;
    frame->GetClientRect(client);
    GetClientRect(barClient);
    ClientToScreen(barClient);
    frame->ScreenToClient(barClient);
    if (client.bottom - 20 - barClient.top > 0) size.cy = client.bottom - 20 - barClient.top;
  }
  RecalcLayout();
  return size;
}

void qvzSymbolToolBar::FillCategoryCombo(LPCTSTR lpszRoot) {
  if (m_wndCategory.m_hWnd == NULL) return;
  m_wndCategory.ResetContent();
  const CString pattern = qvzFolderPrefix(lpszRoot) + "*.*";
  const CString program = PaletteProgramFolder();
  if (pattern == program + "図形\\*.*") {
    for (int i = 0; *ShapeCategoryNames[i]; i++) m_wndCategory.AddString(ShapeCategoryNames[i]);
  } else if (pattern == program + "シンボル\\*.*") {
    for (int i = 0; *SymbolCategoryNames[i]; i++) m_wndCategory.AddString(SymbolCategoryNames[i]);
  } else if (pattern == program + "お気に入り\\*.*") {
    CStringList names;
    ReadCategoryList(names, program + "お気に入り");
    for (POSITION p = names.GetHeadPosition(); p;) m_wndCategory.AddString(names.GetNext(p));
  } else {
    std::vector<CString> names;
    WIN32_FIND_DATA fd;
    HANDLE h = ::FindFirstFile(pattern, &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (strcmp(fd.cFileName, ".") == 0 || strcmp(fd.cFileName, "..") == 0) continue;
        names.push_back(fd.cFileName);
      } while (::FindNextFile(h, &fd));
      ::FindClose(h);
    }
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) {
      return _mbscmp((const unsigned char*)(LPCTSTR)a, (const unsigned char*)(LPCTSTR)b) < 0;
    });
    for (const CString& n : names) m_wndCategory.AddString(n);
  }
}

void qvzSymbolToolBar::LoadFolder(LPCTSTR lpszFolder) {
  if (m_pListView == NULL || lpszFolder == NULL) return;
  m_pListView->RemoveAllItems();
  const CString prefix = qvzFolderPrefix(lpszFolder);
  CStringArray names;
  if (!ReadOrderFile(prefix + "info.txt", names)) {
    m_pListView->LoadFolder(lpszFolder);
  } else {
    jvqDocument* doc = ActiveDocument();
    for (int i = 0; i < names.GetSize(); i++) {
      jvqObject* object = NULL;
      CDib* thumbnail = NULL;
      if (!ReadObjectFile(prefix + names[i] + ".qzl", &object, doc, NULL, NULL, &thumbnail)) continue;
      if (!m_pListView->AppendItem(object, names[i], thumbnail)) {
        delete object;
        delete thumbnail;
      }
    }
  }
  m_ListedNames.RemoveAll();
  for (int i = 0; i < m_pListView->GetItemCount(); i++) m_ListedNames.Add(m_pListView->GetItem(i)->m_strLabel);
}

void qvzSymbolToolBar::OnCategoryChanged() {
  ListSelectedCategory();
  const int sel = m_wndCategory.GetCurSel();
  const char* section = m_nPaletteKind == PALETTE_KIND_FAVORITES ? "Favorite"
                        : m_nPaletteKind == PALETTE_KIND_SHAPES  ? "Shape"
                                                                 : "Symbol";
  thePaletteSettings.pfnSet(section, "LastSelect", sel == CB_ERR ? 0 : sel);
  if (m_pListView) m_pListView->SetFocus();
}

void qvzSymbolToolBar::SetPaletteKind(int nToolId) {
  if (!m_bControlsCreated) {
    m_nPaletteKind = nToolId;
    CreateControls();
    return;
  }
  if (nToolId == m_nPaletteKind) return;
  // The order of the category left behind is written before another is listed.
  SaveOrder();
  m_nPaletteKind = nToolId;
  m_strRootFolder = PaletteProgramFolder() + PaletteLibraryOf(nToolId).pszFolder;
  FillCategoryCombo(m_strRootFolder);
  SelectRemembered();
  ListSelectedCategory();
  if (m_pListView && !m_pListView->IsWindowVisible()) m_pListView->ShowWindow(SW_SHOW);
  if (CFrameWnd* frame = MainFrame()) frame->RecalcLayout();
  if (m_pListView) m_pListView->SetFocus();
}

void qvzSymbolToolBar::ReloadCategories() {
  if (m_wndCategory.m_hWnd == NULL) return;
  jvqView* view = ActiveView();
  const int tool = view && view->m_pTool ? view->m_pTool->m_nToolId : 0;
  const PaletteLibrary lib = PaletteLibraryOf(tool);
  const int remembered = thePaletteSettings.pfnGet(lib.pszSection, "LastSelect", 0);
  // The chosen cell, kept when its category is listed again: the frame rereads the categories
  // whenever a menu opens, the favourites' own context menu among them, whose commands act on
  // the chosen cell.
  const CString folderBefore = m_strCurrentFolder;
  qvzObjectThumbnail* chosen = m_pListView ? m_pListView->GetItem(m_pListView->GetSelectedIndex()) : NULL;
  const CString chosenLabel = chosen ? chosen->m_strLabel : CString();
  CString keep;
  const BOOL favorites = tool == PALETTE_KIND_FAVORITES;
  if (favorites && remembered != -1 && m_wndCategory.GetCount() > 0 && remembered < m_wndCategory.GetCount())
    m_wndCategory.GetLBText(remembered, keep);
  m_strRootFolder = PaletteProgramFolder() + lib.pszFolder;
  FillCategoryCombo(m_strRootFolder);
  int sel = -1;
  if (!keep.IsEmpty()) {
    for (int i = 0; i < m_wndCategory.GetCount() && sel < 0; i++) {
      CString t;
      m_wndCategory.GetLBText(i, t);
      if (_mbscmp((const unsigned char*)(LPCTSTR)t, (const unsigned char*)(LPCTSTR)keep) == 0) sel = i;
    }
  }
  m_wndCategory.SetCurSel(sel >= 0 ? sel : (remembered < 0 ? 0 : remembered));
  OnCategoryChanged();
  if (m_pListView == NULL || chosenLabel.IsEmpty() || m_strCurrentFolder.CompareNoCase(folderBefore) != 0) return;
  for (int i = 0; i < m_pListView->GetItemCount(); i++)
    if (m_pListView->GetItem(i)->m_strLabel == chosenLabel) {
      m_pListView->SelectItem(i);
      m_pListView->EnsureVisible(i);
      m_pListView->Invalidate();
      break;
    }
}

void qvzSymbolToolBar::ShowFolder(LPCTSTR lpszFolder, LPCTSTR lpszSelect) {
  if (m_pListView == NULL || lpszFolder == NULL) return;
  const CString folder = qvzFolderPrefix(lpszFolder);
  // A favourite moved to another category shows that category.
  if (m_wndCategory.m_hWnd && folder.GetLength() > m_strRootFolder.GetLength() &&
      folder.Left(m_strRootFolder.GetLength()) == m_strRootFolder) {
    const CString category = folder.Mid(m_strRootFolder.GetLength(), folder.GetLength() - m_strRootFolder.GetLength() - 1);
    for (int i = 0; i < m_wndCategory.GetCount(); i++) {
      CString t;
      m_wndCategory.GetLBText(i, t);
      if (t == category) m_wndCategory.SetCurSel(i);
    }
  }
  m_strCurrentFolder = folder;
  LoadFolder(folder);
  m_pListView->RecalcLayout();
  int select = -1;
  for (int i = 0; i < m_pListView->GetItemCount(); i++)
    if (lpszSelect && m_pListView->GetItem(i)->m_strLabel == lpszSelect) select = i;
  for (int i = 0; i < m_pListView->GetItemCount(); i++) m_pListView->GetItem(i)->m_bSelected = i == select;
  if (select >= 0) m_pListView->EnsureVisible(select);
  m_pListView->Invalidate();
}

BOOL qvzSymbolToolBar::SaveOrder() {
  if (m_pListView == NULL || m_strCurrentFolder.IsEmpty()) return FALSE;
  const CString path = m_strCurrentFolder + "info.txt";
  CStringArray fileNames, shown, merged;
  // Without an order file nothing was reordered here.
  if (!ReadOrderFile(path, fileNames)) return FALSE;
  for (int i = 0; i < m_pListView->GetItemCount(); i++) shown.Add(m_pListView->GetItem(i)->m_strLabel);
  // Cells as they were listed: the file, whatever happened to it since, stays as it is.
  BOOL reordered = shown.GetSize() != m_ListedNames.GetSize();
  for (int i = 0; !reordered && i < shown.GetSize(); i++) reordered = shown[i] != m_ListedNames[i];
  if (!reordered) return FALSE;
  MergeOrderNames(fileNames, shown, merged);
  BOOL same = merged.GetSize() == fileNames.GetSize();
  for (int i = 0; same && i < merged.GetSize(); i++) same = merged[i] == fileNames[i];
  if (same) return FALSE;
  CString text;
  for (int i = 0; i < merged.GetSize(); i++) text += merged[i] + "\r\n";
  return AfxReplaceFileData(path, (LPCTSTR)text, (size_t)text.GetLength());
}

// Dragging onto the page.

void qvzSymbolToolBar::StartDrag() {
  SetCapture();
  if (m_hDragCursor == NULL) m_hDragCursor = AfxGetApp()->LoadCursor(IDC_PALETTE_DRAG_CURSOR);
  m_hSavedCursor = ::SetCursor(m_hDragCursor ? m_hDragCursor : ::LoadCursor(NULL, IDC_ARROW));
  jvqView* view = ActiveView();
  if (view && view->GetSelectedCount() > 0) {
    view->ClearSelection();
    view->Redraw();
  }
  m_DragList.clear();
}

void qvzSymbolToolBar::BeginDrag(jvqObject* pObject, int nCount) {
  StartDrag();
  const BOOL symbols = IsLibrary("シンボル\\");
  for (int i = 0; i < nCount && pObject; i++) {
    jvqObject* o = pObject + i;
    if (o->GetClassCode() == JVQ_OBJ_SYMBOL && symbols)
      static_cast<jvqSymbolObject*>(o)->SetScale(1.0 / PaletteSymbolScale());
    m_DragList.push_back(o);
  }
  m_bDragging = 1;
  m_bFirstMove = 1;
}

void qvzSymbolToolBar::DragTo(int x, int y) {
  jvqView* view = ActiveView();
  if (!m_bDragging || view == NULL || view->m_hWnd == NULL) return;
  POINT pt = {x, y};
  ClientToScreen(&pt);
  view->ScreenToClient(&pt);
  CClientDC dc(view);
  view->OnPrepareDC(&dc);
  dc.DPtoLP(&pt);
  for (jvqObject* o : m_DragList) {
    if (!m_bFirstMove) o->DrawOutline(&dc, &theXorDotStyle);
    o->MoveTo(&pt, 1);
    o->DrawOutline(&dc, &theXorDotStyle);
  }
  m_bFirstMove = 0;
}

jvqObject* qvzSymbolToolBar::PlaceDragged(int x, int y, BOOL bSelectEach) {
  m_bDragging = 0;
  ReleaseCapture();
  ::SetCursor(m_hSavedCursor);
  AfxGetApp()->BeginWaitCursor();
  jvqView* view = ActiveView();
  if (view) view->ClearSelection();
  POINT pt = {x, y};
  CRect client(0, 0, 0, 0);
  if (view && view->m_hWnd) {
    view->ScreenToClient(&pt);
    view->GetClientRect(client);
  }
  jvqPage* page = view ? view->GetCurrentPage() : NULL;
  if (view == NULL || page == NULL || !client.PtInRect(pt)) {
    m_DragList.clear();
    AfxGetApp()->EndWaitCursor();
    if (m_pListView) m_pListView->SetFocus();
    if (view) view->Redraw();
    return NULL;
  }
  POINT logical;
  view->PointToLogical(&logical, &pt);
  jvqObject* last = NULL;
  for (jvqObject* o : m_DragList) {
    jvqObject* copy = o->Clone();
    if (copy == NULL) continue;
    page->AddChild(copy);
    if (bSelectEach) copy->m_dwState |= JVQ_STATE_SELECTED;
    AdjustCopy(copy);
    copy->MoveTo(&logical, 1);
    copy->Recalc();
    theUndoManager.RecordAdded(copy);
    view->SetModifiedFlag(TRUE);
    last = copy;
  }
  m_DragList.clear();
  AfxGetApp()->EndWaitCursor();
  view->SetFocus();
  view->Redraw();
  return last;
}

// The copies of the symbol library take the symbol scale and origin mark 1; symbols placed
// from the shapes library keep their scale and take origin mark 2.
void qvzSymbolToolBar::AdjustCopy(jvqObject* pCopy) {
  if (!(pCopy->GetClassCode() & 0x200000)) return;
  jvqSymbolObject* symbol = static_cast<jvqSymbolObject*>(pCopy);
  CVectorShapeEx* shape = symbol->GetVectorShape();
  if (IsLibrary("シンボル\\")) {
    if (pCopy->GetClassCode() == JVQ_OBJ_SYMBOL) symbol->SetScale(1.0 / PaletteSymbolScale());
    if (shape) shape->SetOriginMark(1);
  } else if (IsLibrary("図形\\")) {
    if (shape) shape->SetOriginMark(2);
  }
}

jvqObject* qvzSymbolToolBar::EndDrag(int x, int y) { return PlaceDragged(x, y, FALSE); }

void qvzSymbolToolBar::CancelDrag() {
  m_bDragging = 0;
  ReleaseCapture();
  ::SetCursor(m_hSavedCursor);
  m_DragList.clear();
  if (jvqView* view = ActiveView()) view->Redraw();
  if (m_pListView) m_pListView->SetFocus();
}

void qvzSymbolToolBar::OnMove(int x, int y) { Default(); }

void qvzSymbolToolBar::OnLButtonDown(UINT nFlags, CPoint point) { CControlBar::OnLButtonDown(nFlags, point); }

void qvzSymbolToolBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bDragging) DragTo(point.x, point.y);
  else Default();
}

void qvzSymbolToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (!m_bDragging) {
    Default();
    return;
  }
  CPoint screen = point;
  ClientToScreen(&screen);
  CRect bar;
  GetWindowRect(bar);
  if (bar.PtInRect(screen)) {
    CancelDrag();
    return;
  }
  if (jvqObject* placed = EndDrag(screen.x, screen.y)) placed->m_dwState |= JVQ_STATE_SELECTED;
  if (jvqView* view = ActiveView()) view->Redraw();
}

void qvzSymbolToolBar::OnSize(UINT nType, int cx, int cy) {
  Default();
  RecalcLayout();
}

void qvzSymbolToolBar::OnDestroy() {
  SaveOrder();
  CDialogBar::OnDestroy();
}

// Favourites.

BOOL qvzSymbolToolBar::RegisterCatalogItem(const void* pBlock, size_t nSize) {
  // Only the favourites keep catalogue items; elsewhere the category is no favourites folder.
  const CString favorites = PaletteProgramFolder() + "お気に入り\\";
  if (m_strRootFolder != favorites || m_wndCategory.m_hWnd == NULL || pBlock == NULL) return FALSE;
  const int sel = m_wndCategory.GetCurSel();
  if (sel == CB_ERR) return FALSE;
  qvzCatalogItem item;
  if (!ReadCatalogItem(pBlock, nSize, &item)) return FALSE;
  CString category;
  m_wndCategory.GetLBText(sel, category);
  const CString folder = favorites + category + "\\";
  if (::GetFileAttributes(folder) == INVALID_FILE_ATTRIBUTES) return FALSE;
  // The whole path, with ".qzl", stays below MAX_PATH; one name stays below the system's
  // limit for a path component.
  const int room = std::min(MAX_PATH - 1 - folder.GetLength() - 4, 240);
  if (room < 1) return FALSE;
  const CString name = FavoriteFileName(item.strNumber, room);
  jvqDocument* doc = ActiveDocument();
  jvqObject* group = theBuildCatalogItemProc ? theBuildCatalogItemProc(pBlock, nSize, doc) : NULL;
  if (group == NULL) return FALSE;
  const CString target = folder + name + ".qzl";
  const BOOL existed = FileExists(target);
  if (existed) {
    CString text;
    text.Format("%sは既に%sに存在します。上書きしますか?", (LPCTSTR)name, (LPCTSTR)category);
    if (thePaletteMessageProc(text, "お気に入りへの登録", 0x34) != IDYES) {
      delete group;
      return FALSE;
    }
  }
  jvqObject* picture = NULL;
  if (group->GetClassCode() & 0x40) {
    jvqGroupObject* g = static_cast<jvqGroupObject*>(group);
    for (int i = 0; i < g->GetChildCount(); i++)
      if (g->GetChild(i)->GetClassCode() == JVQ_OBJ_IMAGE) picture = g->GetChild(i);
  }
  CWnd* view = ActiveView();
  CDib* thumbnail = picture ? qvzView::RenderObjectThumbnail(view ? view : this, picture, 60, 60) : NULL;
  BOOL ok = qvzView::WriteObjectFile(target, group, doc, name, name, thumbnail);
  if (ok && !existed) {
    ok = FALSE;
    CFile order;
    if (order.Open(folder + "info.txt", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite |
                                           CFile::shareDenyWrite | CFile::typeBinary)) {
      try {
        CString line = name + "\r\n";
        // A last line without its line end keeps its own line.
        const ULONGLONG length = order.GetLength();
        if (length > 0) {
          char lastByte = 0;
          order.Seek(-1, CFile::end);
          if (order.Read(&lastByte, 1) == 1 && lastByte != '\n') line = "\r\n" + line;
        }
        order.SeekToEnd();
        order.Write((LPCTSTR)line, (UINT)line.GetLength());
        order.Close();
        ok = TRUE;
      } catch (CException* e) {
        e->Delete();
        order.Abort();
      }
    }
    // The category stays as it was: the file made for an unlisted name goes.
    if (!ok) ::DeleteFile(target);
  }
  delete group;
  if (!ok) {
    thePaletteMessageProc("お気に入りに登録できませんでした。", "お気に入りへの登録", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  if (m_pListView) {
    int side, hgap, vgap;
    m_pListView->SetScrollSizes(MM_TEXT, CSize(100, 100));
    CalcCellMetrics(&side, &hgap, &vgap);
    m_pListView->SetCellSize(side, side);
    m_pListView->m_nHorzGap = hgap;
    m_pListView->m_nVertGap = vgap;
    LoadFolder(m_strCurrentFolder);
    m_pListView->RecalcLayout();
    const int last = m_pListView->GetItemCount() - 1;
    m_pListView->SelectItem(last);
    m_pListView->EnsureVisible(last);
    m_pListView->Invalidate();
  }
  return TRUE;
}

LRESULT qvzSymbolToolBar::OnPaletteDrop(WPARAM wParam, LPARAM) {
  HGLOBAL h = (HGLOBAL)wParam;
  if (h == NULL) return FALSE;
  const size_t size = ::GlobalSize(h);
  const void* p = ::GlobalLock(h);
  if (p == NULL) return FALSE;
  const BOOL ok = RegisterCatalogItem(p, size);
  ::GlobalUnlock(h);
  return ok;
}

LRESULT qvzSymbolToolBar::OnPaletteContext(WPARAM, LPARAM lParam) {
  if (m_strRootFolder != PaletteProgramFolder() + "お気に入り\\" || m_pListView == NULL) return 0;
  CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
  m_pListView->ClientToScreen(&pt);
  CMenu menu;
  if (!menu.LoadMenu(IDM_PALETTE_FAVORITES)) return 0;
  CMenu* popup = menu.GetSubMenu(0);
  CMenu* move = popup ? popup->GetSubMenu(2) : NULL;
  if (popup == NULL) return 0;
  if (qvzView* view = DYNAMIC_DOWNCAST(qvzView, ActiveView())) view->ReloadFavoriteCategories();
  if (move) {
    CStringList names;
    ReadCategoryList(names, PaletteProgramFolder() + "お気に入り");
    UINT id = ID_PALETTE_MOVE_FIRST;
    for (POSITION p = names.GetHeadPosition(); p;) move->AppendMenu(MF_STRING, id++, names.GetNext(p));
    move->DeleteMenu(ID_PALETTE_MOVE_DUMMY, MF_BYCOMMAND);
  }
  theTrackPaletteMenuProc(popup, pt, AfxGetMainWnd());
  return 0;
}
