// The Edit commands of the application view: undo and redo, the clipboard, delete and
// select all, lock and unlock, rotation by an angle, vertex deletion, property information,
// grid snapping and grid display. Each change is one undo step.
#include "BaseImage.h"
#include "afxodlgs.h"
#include "jvqBoard.h"
#include "jvqDocument.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqLineEnd.h"
#include "jvqLineTextObject.h"
#include "jvqObjectCodes.h"
#include "jvqObjectDefaults.h"
#include "jvqOleItem.h"
#include "jvqOleObject.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqRotateTool.h"
#include "jvqTool.h"
#include "jvqUndoManager.h"
#include "jvqViewHost.h"
#include "qvzDocument.h"
#include "qvzView.h"

void qvzView::RefreshBar() { jvqGetViewHost()->SwitchBar(FALSE); }
void qvzView::UpdateBar() { jvqGetViewHost()->UpdateCurrentBar(); }

void qvzView::TellPage() {
  jvqPage* page = GetCurrentPage();
  if (page && m_pTool) page->OnToolChanged(m_pTool->m_nToolId);
}

void qvzView::SetCmdCheck(CCmdUI* pCmdUI, BOOL bCheck) {
  if (pCmdUI->m_pMenu) pCmdUI->SetCheck(bCheck);
  else if (pCmdUI->m_pOther) jvqGetViewHost()->SetToolBarButtonCheck(pCmdUI->m_pOther, pCmdUI->m_nID, bCheck);
}

static BOOL IsUnlocked(const jvqObject* o) { return o && !(o->GetState() & JVQ_STATE_LOCKED); }

void qvzView::GetUnlockedSelection(jvqObjectArray& out) {
  out.m_bOwns = FALSE;
  for (int i = 0; i < GetSelectedCount(); i++)
    if (IsUnlocked(GetSelectedObject(i))) out.Add(GetSelectedObject(i));
}

int qvzView::CountUnlockedSelected() {
  jvqObjectArray v;
  GetUnlockedSelection(v);
  return v.GetCount();
}

static void FocusView(CWnd* w) {
  if (w->m_hWnd) w->SetFocus();
}

// Undo and redo.

static void AfterUndo(qvzView* v) {
  jvqViewHost* host = jvqGetViewHost();
  host->UpdateStatusBar();
  host->UpdatePageTabs();
  host->ShowDocumentInfo();
  v->UpdateBar();
  FocusView(v);
  v->SetModifiedFlag(TRUE);
  v->SyncOleItems();
  v->Redraw();
}

void qvzView::OnEditUndo() {
  theUndoManager.Undo();
  AfterUndo(this);
}

void qvzView::OnEditRedo() {
  theUndoManager.Redo();
  AfterUndo(this);
}

void qvzView::OnUpdateEditUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(theUndoManager.CanUndo()); }
void qvzView::OnUpdateEditRedo(CCmdUI* pCmdUI) { pCmdUI->Enable(theUndoManager.CanRedo()); }

// The clipboard. Locked objects are never copied nor deleted.

void qvzView::OnEditCopy() {
  jvqObjectArray v;
  GetUnlockedSelection(v);
  jvqDocument* d = GetDocument();
  if (d && v.GetCount() > 0) d->CopyObjectsToClipboard(v);
  m_ptPasteOffset.x = m_ptPasteOffset.y = 0;
  UpdateBar();
  FocusView(this);
}

void qvzView::OnUpdateEditCopy(CCmdUI* pCmdUI) { pCmdUI->Enable(CountUnlockedSelected() > 0); }

void qvzView::OnEditCut() {
  OnEditCopy();
  OnEditDelete();
  UpdateBar();
  FocusView(this);
  SetModifiedFlag(TRUE);
}

void qvzView::OnEditDelete() {
  jvqObjectArray v;
  GetUnlockedSelection(v);
  if (v.GetCount() == 0) return;
  theUndoManager.BeginStep();
  for (jvqObject* o : v.m_items) {
    o->m_dwState &= ~(JVQ_STATE_ALIVE | JVQ_STATE_SELECTED);
    theUndoManager.RecordRemoved(o);
  }
  theUndoManager.EndStep();
  SetModifiedFlag(TRUE);
  UpdateBar();
  FocusView(this);
  SyncOleItems();
  Redraw();
}

void qvzView::OnEditPaste() {
  jvqDocument* d = GetDocument();
  jvqPage* page = GetCurrentPage();
  if (d == NULL || page == NULL) return;
  jvqObjectArray pasted;
  pasted.m_bOwns = FALSE;
  if (!d->PasteObjects(pasted) || pasted.GetCount() == 0) return;
  ClearSelection();
  Redraw();
  theUndoManager.BeginStep();
  // Each paste of one copy lands a step further, so the copies do not hide each other.
  m_ptPasteOffset.x += QVZ_PASTE_STEP;
  m_ptPasteOffset.y += QVZ_PASTE_STEP;
  const SIZE offset = {m_ptPasteOffset.x, m_ptPasteOffset.y};
  for (jvqObject* o : pasted.m_items) {
    page->AddChild(o);
    Select(o, FALSE);
    o->Offset(&offset);
    theUndoManager.RecordAdded(o);
  }
  theUndoManager.EndStep();
  UpdateBar();
  FocusView(this);
  TellPage();
  InvalidateObjects(pasted.m_items);
  SetModifiedFlag(TRUE);
  RefreshBar();
}

void qvzView::OnUpdateEditPaste(CCmdUI* pCmdUI) {
  jvqDocument* d = GetDocument();
  pCmdUI->Enable(d && d->CanPaste());
}

// Paste special: the platform's dialog over what the clipboard offers; the chosen format (or a
// link) becomes an OLE item on the page, unmoved and unselected, as an undo step of its own.
void qvzView::OnEditPasteSpecial() {
  FocusView(this);
  jvqDocument* d = GetDocument();
  jvqPage* page = GetCurrentPage();
  if (d == NULL || page == NULL) return;
  COlePasteSpecialDialog dlg(PSF_SELECTPASTE);
  dlg.AddStandardFormats(TRUE);
  if (dlg.DoModal() != IDOK) return;
  auto create = [](jvqOleItem* item, void* pDlg) {
    COlePasteSpecialDialog* dlg = (COlePasteSpecialDialog*)pDlg;
    const BOOL ok = dlg->GetSelectionType() == COlePasteSpecialDialog::pasteLink
                        ? item->CreateLinkFromClipboard(OLERENDER_DRAW)
                        : dlg->CreateItem(item);
    if (ok) item->UpdateLink();
    return ok;
  };
  CWaitCursor wait;
  jvqOleObject* o = AddNewOleItem(create, &dlg, NULL);
  if (o == NULL) {
    AfxMessageBox("クリップボードからの貼り付けに失敗しました。", MB_OK);
    SetModifiedFlag(TRUE);
    return;
  }
  COleClientItem* item = d->GetOleItem(o->m_nItemIndex);
  // A static picture has no server to open.
  if (item && item->GetType() != OT_STATIC) OpenOleItem(o);
  d->SetModifiedFlag(TRUE);
  d->UpdateAllViews(NULL);
  SetModifiedFlag(TRUE);
}

void qvzView::OnUpdateEditPasteSpecial(CCmdUI* pCmdUI) { pCmdUI->Enable(COleClientItem::CanPaste()); }

void qvzView::OnEditSelectAll() {
  jvqPage* page = GetCurrentPage();
  if (page == NULL) return;
  for (jvqObject* c : page->m_Children.m_items)
    if (c->IsShown() && IsUnlocked(c)) c->m_dwState |= JVQ_STATE_SELECTED;
  UpdateBar();
  FocusView(this);
  Redraw();
}

void qvzView::OnUpdateEditSelectAll(CCmdUI* pCmdUI) {
  jvqPage* page = GetCurrentPage();
  BOOL any = FALSE;
  if (page)
    for (jvqObject* c : page->m_Children.m_items) any = any || c->IsShown();
  pCmdUI->Enable(any);
}

// Lock and unlock: a copy-on-write edit of the whole selection.

static void SetLockState(qvzView* v, BOOL bLock) {
  jvqObjectArray sel;
  sel.m_bOwns = FALSE;
  for (int i = 0; i < v->GetSelectedCount(); i++) sel.Add(v->GetSelectedObject(i));
  if (sel.GetCount() == 0) return;
  theUndoManager.BeginEditSelection(sel);
  for (jvqObject* c : sel.m_items) {
    if (bLock) c->m_dwState |= JVQ_STATE_LOCKED;
    else c->m_dwState &= ~JVQ_STATE_LOCKED;
  }
  theUndoManager.EndEdit();
  v->SetModifiedFlag(TRUE);
  v->Redraw();
}

void qvzView::OnLock() {
  CWinApp* app = AfxGetApp();
  if (app && app->GetProfileInt("Message", "LockMsgFlag", 1) && GetSelectedCount() > 0) {
    BOOL bDontShow = FALSE;
    jvqGetViewHost()->ShowLockNotice(&bDontShow);
    if (bDontShow) app->WriteProfileInt("Message", "LockMsgFlag", 0);
  }
  SetLockState(this, TRUE);
}

void qvzView::OnUnlock() { SetLockState(this, FALSE); }

void qvzView::OnUpdateLock(CCmdUI* pCmdUI) { pCmdUI->Enable(CountUnlockedSelected() > 0); }

void qvzView::OnUpdateUnlock(CCmdUI* pCmdUI) { pCmdUI->Enable(CountUnlockedSelected() < GetSelectedCount()); }

// Rotation by an angle.

static BOOL IsLargePicture(jvqObject* o) {
  if (!(o->GetClassCode() & 0x100)) return FALSE;
  jvqImageFill* fill = ((jvqImageObject*)o)->GetImageFill();
  CBaseImage* image = fill ? fill->GetImage() : NULL;
  if (image == NULL) return FALSE;
  const CSize d = image->GetDimensions();
  return d.cx >= JVQ_ROTATE_IMAGE_LIMIT && d.cy >= JVQ_ROTATE_IMAGE_LIMIT;
}

void qvzView::OnRotateAngle() {
  FocusView(this);
  jvqObjectArray sel;
  GetUnlockedSelection(sel);
  int angle = 0;
  if (!jvqGetViewHost()->AskRotateAngle(&angle) || sel.GetCount() == 0) return;
  theUndoManager.BeginEditSelection(sel);
  for (jvqObject* c : sel.m_items) {
    const int a = (int)(angle + c->m_dRotation);
    if (a % 360 != 0 && IsLargePicture(c)) {
      jvqGetViewHost()->MessageBox("画像サイズが大きいため回転に失敗しました。", MB_OK);
      continue;
    }
    c->SetRotation(a);
  }
  theUndoManager.EndEdit();
  SetModifiedFlag(TRUE);
  Redraw();
}

void qvzView::OnUpdateRotateAngle(CCmdUI* pCmdUI) {
  const int n = GetSelectedCount();
  BOOL ok = n > 0;
  for (int i = 0; i < n && ok; i++) {
    jvqObject* o = GetSelectedObject(i);
    ok = IsUnlocked(o) && !(o->GetEditFlags() & 1);
  }
  pCmdUI->Enable(ok);
}

// Vertex delete: the vertex remembered by the vertex pop-up menu.

void qvzView::OnVertexDelete() {
  jvqObject* marker = m_pVertexMarker;
  jvqObject* owner = marker ? marker->m_pParent : NULL;
  if (owner == NULL) return;
  const int code = owner->GetClassCode();
  const BOOL bLineText = (code & 0x40000) != 0;
  if (!bLineText && !(code & 0x4)) return;
  const int i = owner->FindVertexMarker(marker);
  if (i < 0) return;
  jvqObject* k = theUndoManager.BeginEditObject(owner);
  if (k == NULL) return;
  jvqPolylineObject* target = bLineText ? ((jvqLineTextObject*)k)->m_pLeader : (jvqPolylineObject*)k;
  if (target && i < target->GetPointCount()) {
    target->RemoveVertex(i);
    if (target->GetPointCount() == 2) {
      target->m_dwState |= JVQ_STATE_OPEN;
      target->SetFill(NULL);
      if (jvqLineEnd* plain = GetLineEnd(0)) target->m_StartLineEnd = target->m_EndLineEnd = *plain;
    }
  }
  if (bLineText) {
    if (i < k->m_VertexMarkers.GetCount()) k->m_VertexMarkers.RemoveAt(i);
    k->Recalc();
  }
  m_pVertexMarker = NULL;
  theUndoManager.EndEdit();
  RefreshBar();
  Redraw();
}

void qvzView::OnUpdateVertexDelete(CCmdUI* pCmdUI) { pCmdUI->Enable(m_pVertexMarker != NULL); }

// Insert, property information and the grid.

void qvzView::OnInsertOleObject() {
  ClearSelection();
  OnInsertObject();
  RefreshBar();
}

void qvzView::OnPropertyInfo() {
  FocusView(this);
  jvqDocument* d = GetDocument();
  if (d == NULL) return;
  CString name = d->GetPathName();
  if (name.IsEmpty() || d->GetTitle() == "無題") name = "新規ファイル";
  if (jvqGetViewHost()->EditPropertyInfo(d, name)) SetModifiedFlag(TRUE);
}

void qvzView::OnUpdatePropertyInfo(CCmdUI* pCmdUI) {
  qvzDocument* d = DYNAMIC_DOWNCAST(qvzDocument, GetDocument());
  pCmdUI->Enable(d == NULL || !d->m_bTemplate);
}

void qvzView::OnGridSnap() {
  m_dwOptions ^= JVQ_VIEW_SNAP;
  if (CWinApp* app = AfxGetApp()) app->WriteProfileInt("Grid", "bFitGrid", (m_dwOptions & JVQ_VIEW_SNAP) ? 1 : 0);
}

void qvzView::OnUpdateGridSnap(CCmdUI* pCmdUI) {
  const BOOL on = (m_dwOptions & JVQ_VIEW_SNAP) != 0;
  jvqGetViewHost()->ShowSnapState(on);
  SetCmdCheck(pCmdUI, on);
}

void qvzView::OnGridShow() {
  CWinApp* app = AfxGetApp();
  if (app == NULL) return;
  const BOOL on = !app->GetProfileInt("Grid", "bVisible", 1);
  app->WriteProfileInt("Grid", "bVisible", on ? 1 : 0);
  jvqBoard* b = GetBoard();
  if (b && GetCurrentPage()) {
    if (on) b->m_dwState |= JVQ_STATE_GRID;
    else b->m_dwState &= ~JVQ_STATE_GRID;
  }
  Redraw();
}

void qvzView::OnUpdateGridShow(CCmdUI* pCmdUI) {
  CWinApp* app = AfxGetApp();
  SetCmdCheck(pCmdUI, app && app->GetProfileInt("Grid", "bVisible", 1));
}
