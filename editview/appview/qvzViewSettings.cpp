// The view's commands for settings and insertion: picture and floor-plan files, the floor
// plan's scale, the printable area, and the settings dialogs reached through the host.
#include "afxdlgs.h"
#include "jvqBoard.h"
#include "jvqDocument.h"
#include "jvqImageObject.h"
#include "jvqMadorizuObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqUndoManager.h"
#include "jvqViewHost.h"
#include "qvzContentFolders.h"
#include "qvzView.h"

qvzInsertFileProc theInsertFileProc = NULL;

static CWinApp* App() { return AfxGetApp(); }

int qvzView::SymbolScale() {
  CWinApp* app = App();
  int n = app ? app->GetProfileInt("Symbol", "Scale", 100) : 100;
  if (n == 0) {
    n = 100;
    if (app) app->WriteProfileInt("Symbol", "Scale", n);
  }
  return n;
}

// The file chosen in the opening dialog, its folder kept in the setting; FALSE on cancel.
static BOOL ChooseFile(CWnd* pParent, LPCTSTR lpszFilter, LPCTSTR lpszTitle, UINT nTemplate, LPCTSTR lpszKey,
                       CString* pPath) {
  CWinApp* app = App();
  CString folder = app ? app->GetProfileString("Directory", lpszKey, "") : CString();
  if (folder.IsEmpty() || ::GetFileAttributes(folder) == INVALID_FILE_ATTRIBUTES) {
    folder = qvzGetProgramFolder();
    if (folder.GetLength() > 0) folder = folder.Left(folder.GetLength() - 1);
    if (app) app->WriteProfileString("Directory", lpszKey, folder);
  }
  BOOL ok;
  const int asked = theInsertFileProc || nTemplate ? -1 : jvqGetViewHost()->AskPictureFile(lpszFilter, folder, pPath);
  if (theInsertFileProc) {
    ok = theInsertFileProc(lpszFilter, nTemplate, pPath);
  } else if (asked >= 0) {
    ok = asked;
  } else {
    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, lpszFilter, pParent);
    dlg.m_ofn.lpstrInitialDir = folder;
    if (lpszTitle) dlg.m_ofn.lpstrTitle = lpszTitle;
    if (nTemplate) {
      dlg.m_ofn.Flags |= OFN_ENABLETEMPLATE | OFN_EXPLORER;
      dlg.m_ofn.hInstance = AfxGetResourceHandle();
      dlg.m_ofn.lpTemplateName = MAKEINTRESOURCE(nTemplate);
    }
    dlg.m_ofn.Flags &= ~OFN_ENABLESIZING;
    ok = dlg.DoModal() == IDOK;
    if (ok) *pPath = dlg.GetPathName();
  }
  if (!ok) return FALSE;
  const int slash = pPath->ReverseFind('\\');
  if (app && slash >= 0) app->WriteProfileString("Directory", lpszKey, pPath->Left(slash));
  return TRUE;
}

static CString Extension(const CString& path) {
  CString e = path.GetLength() >= 4 ? path.Right(4) : path;
  e.MakeUpper();
  return e;
}

// A floor plan of the file at the view centre, selected, recorded as added; FALSE when the
// file is no floor plan.
BOOL qvzView::PlaceFloorPlanFile(LPCTSTR lpszPath) {
  jvqPage* page = GetCurrentPage();
  jvqObject* plan = page ? MakeFloorPlanFromFile(lpszPath) : NULL;
  if (plan == NULL) return FALSE;
  page->AddChild(plan);
  ClearSelection();
  Select(plan, FALSE);
  RefreshBar();
  POINT centre = m_ptViewCenter;
  plan->MoveTo(&centre, 1);
  theUndoManager.RecordAdded(plan);
  return TRUE;
}

void qvzView::OnInsertPictureFile() {
  OnToolSelect();
  if (m_hWnd) SetFocus();
  CString path;
  if (!ChooseFile(this,
                  "貼り付けられるすべてのファイル|*.BMP;*.KXQ;*.WMF;*.EMF;*.DXF;*.JPG;*.TIF;*.PNG|ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.BMP)|*.BMP|"
                  "間取り図ﾒﾀﾌｧｲﾙ(*.KXQ)|*.KXQ|ﾒﾀﾌｧｲﾙ(*.WMF)|*.WMF|拡張ﾒﾀﾌｧｲﾙ(*.EMF)|*.EMF|DXFﾌｧｲﾙ(*.DXF)|*.DXF|"
                  "JPEGﾌｧｲﾙ(*.JPG)|*.JPG|TIFFﾌｧｲﾙ(*.TIF)|*.TIF|PNGﾌｧｲﾙ(*.PNG)|*.PNG|",
                  NULL, 0, "InsertImage", &path))
    return;
  const CString ext = Extension(path);
  static const char* const kinds[] = {".BMP", ".WMF", ".KXQ", ".JPG", ".TIF", ".PNG", ".DXF", ".EMF"};
  BOOL known = FALSE;
  for (const char* k : kinds) known = known || ext == k;
  jvqViewHost* host = jvqGetViewHost();
  if (!known) {
    host->MessageBox("画像ファイルではありません", MB_OK);
    return;
  }
  if (ext == ".KXQ") {
    if (!PlaceFloorPlanFile(path)) {
      host->MessageBox("間取りファイルではありません。", MB_OK);
      return;
    }
  } else {
    jvqDocument* doc = GetDocument();
    jvqPage* page = GetCurrentPage();
    if (page == NULL) return;
    jvqImageObject* pic = new jvqImageObject(doc ? doc->GetImagePool() : NULL, NULL, &m_Mapping);
    jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(pic);
    if (!pic->LoadImage(doc ? doc->GetImagePool() : NULL, path, TRUE)) {
      delete pic;
      host->MessageBox("画像ファイルの読み込みに失敗しました。", MB_OK);
      return;
    }
    POINT centre = m_ptViewCenter;
    pic->MoveTo(&centre, 1);
    page->AddChild(pic);
    // Undo takes the picture away like any other addition.
    theUndoManager.RecordAdded(pic);
    ClearSelection();
    Select(pic, FALSE);
    RefreshBar();
  }
  SetModifiedFlag(TRUE);
  Redraw();
  host->ShowDocumentInfo();
}

void qvzView::OnInsertFloorPlan() {
  OnToolSelect();
  if (m_hWnd) SetFocus();
  CString path;
  if (!ChooseFile(this, "間取り図メタファイル(*.KXQ)|*.KXQ|", "間取り図/オフィスレイアウトを取り込む", QVZ_FLOORPLAN_TEMPLATE,
                  "OpenMadori", &path))
    return;
  jvqViewHost* host = jvqGetViewHost();
  if (Extension(path) != ".KXQ" || !PlaceFloorPlanFile(path)) {
    host->MessageBox("間取りファイルではありません", MB_OK);
    return;
  }
  SetModifiedFlag(TRUE);
  Redraw();
  host->ShowDocumentInfo();
}

// The floor plan's scale.

static jvqMadorizuObject* SelectedFloorPlan(qvzView* v) {
  jvqMadorizuObject* plan = NULL;
  for (int i = 0; i < v->GetSelectedCount(); i++) {
    jvqObject* o = v->GetSelectedObject(i);
    // A locked floor plan is left alone.
    if ((o->GetClassCode() & 0x400000) && !(o->GetState() & JVQ_STATE_LOCKED)) plan = (jvqMadorizuObject*)o;
  }
  return plan;
}

void qvzView::OnFloorPlanScale() {
  jvqMadorizuObject* plan = SelectedFloorPlan(this);
  jvqPage* page = GetCurrentPage();
  if (plan == NULL || page == NULL) return;
  POINT centre;
  plan->GetCenter(&centre);
  if (m_hWnd) SetFocus();
  // A stored scale of 0 counts as 1:100.
  const double old = plan->m_dDrawingScale > 0 ? plan->m_dDrawingScale : 0.01;
  int n = (int)(1.0 / old);
  if (!jvqGetViewHost()->AskFloorPlanScale(&n) || n == 0) return;
  theUndoManager.BeginStep();
  jvqMadorizuObject* clone = (jvqMadorizuObject*)plan->Clone();
  page->InsertChild(page->FindChild(plan), clone);
  plan->m_dwState &= ~JVQ_STATE_ALIVE;
  theUndoManager.RecordRemoved(plan);
  theUndoManager.RecordAdded(clone);
  const double s = 1.0 / n;
  clone->jvqGroupObject::SetScale(s / old, s / old);
  clone->m_dDrawingScale = s;
  clone->MoveTo(&centre, 1);
  theUndoManager.EndStep();
  InvalidateAll();
  if (m_hWnd) UpdateWindow();
}

void qvzView::OnUpdateFloorPlanScale(CCmdUI* pCmdUI) { pCmdUI->Enable(SelectedFloorPlan(this) != NULL); }

// The printable area and the settings dialogs.

void qvzView::OnPrintArea() {
  jvqBoard* b = GetBoard();
  if (b == NULL) return;
  b->m_dwState ^= JVQ_STATE_PRINTAREA;
  if (CWinApp* app = App()) app->WriteProfileInt("Print", "DrawArea", (b->m_dwState & JVQ_STATE_PRINTAREA) ? 1 : 0);
  Redraw();
}

void qvzView::OnUpdatePrintArea(CCmdUI* pCmdUI) {
  jvqBoard* b = GetBoard();
  SetCmdCheck(pCmdUI, b && (b->m_dwState & JVQ_STATE_PRINTAREA));
}

void qvzView::OnPaperSettings() {
  if (m_hWnd) SetFocus();
  if (jvqGetViewHost()->EditPaperSettings(this)) {
    SetModifiedFlag(TRUE);
    jvqGetViewHost()->ShowDocumentInfo();
  }
}

void qvzView::OnGridSettings() {
  if (m_hWnd) SetFocus();
  jvqGetViewHost()->EditGridSettings(this);
}

void qvzView::OnAutoSaveSettings() {
  if (m_hWnd) SetFocus();
  CWnd* main = AfxGetMainWnd();
  if (main && main->m_hWnd) main->KillTimer(QVZ_AUTOSAVE_TIMER);
  CWinApp* app = App();
  int interval = app ? app->GetProfileInt("AutoSave", "Interval", 0) : 0;
  if (jvqGetViewHost()->EditAutoSaveInterval(&interval) && app) app->WriteProfileInt("AutoSave", "Interval", interval);
  // On OK and on Cancel alike the timer runs again with the period now set.
  if (app) interval = app->GetProfileInt("AutoSave", "Interval", 0);
  if (interval > 0 && main && main->m_hWnd) main->SetTimer(QVZ_AUTOSAVE_TIMER, (UINT)interval, NULL);
}

void qvzView::OnCatalogSettings() {
  if (m_hWnd) SetFocus();
  const CString path = qvzCatalogPasteSettings::LayoutPath();
  m_pCatalogSettings->m_pDocument = GetDocument();
  m_pCatalogSettings->LoadLayout(path);
  // The host's dialog works on a copy and hands the view a new settings object on OK.
  if (!jvqGetViewHost()->EditCatalogPasteSettings(this)) return;
  m_pCatalogSettings->m_pDocument = GetDocument();
  m_pCatalogSettings->SaveLayout(path);
}

void qvzView::OnScaleSettings() {
  if (m_hWnd) SetFocus();
  int n = SymbolScale();
  if (!jvqGetViewHost()->EditSymbolScale(&n)) return;
  if (CWinApp* app = App()) app->WriteProfileInt("Symbol", "Scale", n == 0 ? 100 : n);
}
