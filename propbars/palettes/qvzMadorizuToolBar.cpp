#include "qvzMadorizuToolBar.h"

#include "jvqDocument.h"
#include "jvqMadorizuObject.h"
#include "jvqView.h"
#include "qvzContentFolders.h"
#include "qvzMessages.h"
#include "qvzPropertyBarManager.h"

// The run-time record names the shape bar base: only the symbol palette is a qvzSymbolToolBar.
IMPLEMENT_DYNCREATE(qvzMadorizuToolBar, qvzDrawToolBar)

BEGIN_MESSAGE_MAP(qvzMadorizuToolBar, qvzSymbolToolBar)
  ON_MESSAGE(QVZM_PALETTEDROP, OnPaletteDrop)
  ON_MESSAGE(QVZM_PALETTECONTEXT, OnPaletteContext)
END_MESSAGE_MAP()

qvzMadorizuToolBar::qvzMadorizuToolBar() { m_nPaletteKind = 1023; }

void qvzMadorizuToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  m_strFolder = PaletteProgramFolder() + FolderName();
  m_strRootFolder = m_strFolder;
  CFrameWnd* frame = g_pPropertyBarManager ? g_pPropertyBarManager->m_pFrame : NULL;
  if (frame && frame->m_hWnd && GetParent()) {
    CRect bar, client;
    GetWindowRect(bar);
    GetParent()->ScreenToClient(bar);
    GetParent()->GetClientRect(client);
    bar.bottom = client.bottom - 20;
    if (bar.bottom > bar.top) MoveWindow(bar, TRUE);
  }
  qvzDrawToolBar::CreateControls();
  if (GetDlgItem(IDC_PALETTE_LIST)) m_wndPlaceholder.SubclassDlgItem(IDC_PALETTE_LIST, this);
  CreateListView();
  if (m_pListView) {
    int side, hgap, vgap;
    CalcCellMetrics(&side, &hgap, &vgap);
    m_pListView->SetCellSize(side, side);
    m_pListView->m_nHorzGap = hgap;
    m_pListView->m_nVertGap = vgap;
    LoadFolder(m_strFolder);
    // The perspective palette keeps no current folder: it has no order file to write.
    if (m_nPaletteKind == 1023) m_strCurrentFolder = m_strFolder + "\\";
    m_pListView->SetScrollSizes(MM_TEXT, CSize(100, 100));
    m_pListView->RecalcLayout();
    m_pListView->SelectItem(0);
    m_pListView->ShowWindow(SW_SHOW);
  }
  if (frame && frame->m_hWnd) frame->RecalcLayout();
  if (m_pListView) m_pListView->SetFocus();
}

BOOL qvzMadorizuToolBar::LoadFloorPlanFile(LPCTSTR lpszPath, jvqObject** ppObject, jvqDocument* pDocument) {
  if (lpszPath == NULL || *lpszPath == 0 || ppObject == NULL) return FALSE;
  *ppObject = NULL;
  jvqViewMapping* mapping = NULL;
  if (pDocument) {
    POSITION pos = pDocument->GetFirstViewPosition();
    CView* first = pos ? pDocument->GetNextView(pos) : NULL;
    jvqView* view = first ? DYNAMIC_DOWNCAST(jvqView, first) : NULL;
    if (view) mapping = &view->m_Mapping;
  }
  jvqImagePool* pool = pDocument ? pDocument->GetImagePool() : NULL;
  jvqMadorizuObject* plan = new jvqMadorizuObject(NULL, NULL, NULL, 0x311);
  BOOL ok = FALSE;
  try {
    ok = plan->Create(lpszPath, mapping, pool, 0x311);
  } catch (CException* e) {
    e->Delete();
    ok = FALSE;
  }
  if (!ok) {
    delete plan;
    return FALSE;
  }
  plan->Recalc();
  *ppObject = plan;
  return TRUE;
}

void qvzMadorizuToolBar::ListFiles(LPCTSTR lpszFolder, LPCTSTR lpszPattern,
                                   BOOL (*pfnLoad)(LPCTSTR, jvqObject**, jvqDocument*)) {
  if (m_pListView == NULL || lpszFolder == NULL) return;
  m_pListView->RemoveAllItems();
  const CString prefix = qvzFolderPrefix(lpszFolder);
  jvqDocument* doc = ActiveDocument();
  WIN32_FIND_DATA fd;
  HANDLE h = ::FindFirstFile(prefix + lpszPattern, &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (strcmp(fd.cFileName, ".") == 0 || strcmp(fd.cFileName, "..") == 0) continue;
    jvqObject* object = NULL;
    if (!pfnLoad(prefix + fd.cFileName, &object, doc)) continue;
    CString label = fd.cFileName;
    label = label.Left(label.GetLength() - 4);
    if (!m_pListView->AppendItem(object, label, NULL)) delete object;
  } while (::FindNextFile(h, &fd));
  ::FindClose(h);
}

void qvzMadorizuToolBar::LoadFolder(LPCTSTR lpszFolder) { ListFiles(lpszFolder, "*.kxq", LoadFloorPlanFile); }

void qvzMadorizuToolBar::BeginDrag(jvqObject* pObject, int nCount) {
  const int n = PaletteSymbolScale();
  StartDrag();
  for (int i = 0; i < nCount && pObject; i++) {
    jvqObject* o = pObject + i;
    if ((o->GetClassCode() & JVQ_OBJ_MADORIZU) == JVQ_OBJ_MADORIZU) static_cast<jvqMadorizuObject*>(o)->SetScale(1.0 / n);
    m_DragList.push_back(o);
  }
  m_bDragging = 1;
  m_bFirstMove = 1;
}

jvqObject* qvzMadorizuToolBar::EndDrag(int x, int y) { return PlaceDragged(x, y, TRUE); }

// Catalogue items are kept only in the favourites; a drop here changes nothing.
LRESULT qvzMadorizuToolBar::OnPaletteDrop(WPARAM, LPARAM) { return FALSE; }

LRESULT qvzMadorizuToolBar::OnPaletteContext(WPARAM, LPARAM) { return 0; }
