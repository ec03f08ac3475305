#include "qvzView.h"

#include "jvqArcBaseTool.h"
#include "jvqBoard.h"
#include "jvqLineTool.h"
#include "jvqPage.h"
#include "jvqPolygonTool.h"
#include "jvqRectTool.h"
#include "jvqSelectTool.h"
#include "jvqViewHost.h"

IMPLEMENT_DYNCREATE(qvzView, jvqView)

BEGIN_MESSAGE_MAP(qvzView, jvqView)
  ON_WM_CREATE()
  ON_WM_LBUTTONDBLCLK()
  ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, OnToolTipNeedText)
  ON_COMMAND(32865, OnInsertPictureFile)
  ON_COMMAND(32901, OnInsertFloorPlan)
  ON_COMMAND(33000, OnFloorPlanScale)
  ON_UPDATE_COMMAND_UI(33000, OnUpdateFloorPlanScale)
  ON_COMMAND(32942, OnPrintArea)
  ON_UPDATE_COMMAND_UI(32942, OnUpdatePrintArea)
  ON_COMMAND(32922, OnPaperSettings)
  ON_COMMAND(32920, OnGridSettings)
  ON_COMMAND(32921, OnAutoSaveSettings)
  ON_COMMAND(32930, OnCatalogSettings)
  ON_COMMAND(32918, OnScaleSettings)
  ON_COMMAND(32963, OnTextEdit)
  ON_UPDATE_COMMAND_UI(32963, OnUpdateTextEdit)
  ON_COMMAND(32966, OnTitleEdit)
  ON_UPDATE_COMMAND_UI(32966, OnUpdateTitleEdit)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_SIZE()
  ON_WM_RBUTTONDOWN()
  ON_COMMAND(ID_QVZ_TOOL_SELECT, OnToolSelect)
  ON_UPDATE_COMMAND_UI(ID_QVZ_TOOL_SELECT, OnUpdateToolSelect)
  ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
  ON_COMMAND(ID_QVZ_PRINT_OFFSET, OnPrintOffset)
  ON_COMMAND_EX(32848, OnToolCommand)
  ON_COMMAND_EX(32849, OnToolCommand)
  ON_COMMAND_EX(32851, OnToolCommand)
  ON_COMMAND_EX(32852, OnToolCommand)
  ON_COMMAND_EX(32853, OnToolCommand)
  ON_COMMAND_EX(32854, OnToolCommand)
  ON_COMMAND_EX(32855, OnToolCommand)
  ON_COMMAND_EX(32877, OnToolCommand)
  ON_COMMAND_EX(32878, OnToolCommand)
  ON_UPDATE_COMMAND_UI(32848, OnUpdateToolCommand)
  ON_UPDATE_COMMAND_UI_RANGE(32849, 32855, OnUpdateToolCommand)
  ON_UPDATE_COMMAND_UI(32877, OnUpdateToolCommand)
  ON_UPDATE_COMMAND_UI(32878, OnUpdateToolCommand)
  // The text, title and balloon tools.
  ON_COMMAND_EX(32863, OnToolCommand)
  ON_COMMAND_EX(32864, OnToolCommand)
  ON_COMMAND_EX(32902, OnToolCommand)
  ON_COMMAND_EX(32903, OnToolCommand)
  ON_COMMAND_EX(32904, OnToolCommand)
  ON_COMMAND_EX(32900, OnToolCommand)
  ON_UPDATE_COMMAND_UI(32900, OnUpdateToolCommand)
  ON_UPDATE_COMMAND_UI_RANGE(32863, 32864, OnUpdateToolCommand)
  ON_UPDATE_COMMAND_UI_RANGE(32902, 32904, OnUpdateToolCommand)
  ON_COMMAND(32856, OnUnusedTool)
  ON_COMMAND(32857, OnUnusedTool)
  ON_COMMAND(32858, OnUnusedTool)
  ON_COMMAND(32861, OnUnusedTool)
  ON_COMMAND(32862, OnUnusedTool)
  ON_UPDATE_COMMAND_UI_RANGE(32856, 32858, OnUpdateUnusedTool)
  ON_UPDATE_COMMAND_UI_RANGE(32861, 32862, OnUpdateUnusedTool)
  ON_COMMAND(ID_QVZ_ROTATE_MODE, OnRotateMode)
  ON_UPDATE_COMMAND_UI(ID_QVZ_ROTATE_MODE, OnUpdateRotateMode)
  ON_COMMAND(ID_QVZ_ZOOM_IN, OnZoomIn)
  ON_UPDATE_COMMAND_UI(ID_QVZ_ZOOM_IN, OnUpdateZoomIn)
  ON_COMMAND(ID_QVZ_ZOOM_OUT, OnZoomOut)
  ON_UPDATE_COMMAND_UI(ID_QVZ_ZOOM_OUT, OnUpdateZoomOut)
  ON_COMMAND(ID_QVZ_VERTEX_EDIT, OnVertexEdit)
  ON_UPDATE_COMMAND_UI(ID_QVZ_VERTEX_EDIT, OnUpdateVertexEdit)
  ON_COMMAND_EX(32892, OnPaletteCommand)
  ON_COMMAND_EX(32943, OnPaletteCommand)
  ON_COMMAND_EX(32944, OnPaletteCommand)
  ON_COMMAND_EX(92, OnPaletteCommand)
  ON_COMMAND_EX(91, OnPaletteCommand)
  ON_COMMAND_EX(32984, OnPaletteCommand)
  ON_UPDATE_COMMAND_UI(32892, OnUpdatePaletteCommand)
  ON_UPDATE_COMMAND_UI_RANGE(32943, 32944, OnUpdatePaletteCommand)
  ON_UPDATE_COMMAND_UI_RANGE(91, 92, OnUpdatePaletteCommand)
  ON_COMMAND(ID_QVZ_CANCEL, OnCancelCommand)
  ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
  ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
  ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
  ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
  ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
  ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
  ON_COMMAND(ID_EDIT_CUT, OnEditCut)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCopy)
  ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
  ON_COMMAND(ID_EDIT_PASTE_SPECIAL, OnEditPasteSpecial)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE_SPECIAL, OnUpdateEditPasteSpecial)
  ON_COMMAND(778, OnEditDelete)
  ON_UPDATE_COMMAND_UI(778, OnUpdateEditCopy)
  ON_COMMAND(1182, OnEditSelectAll)
  ON_UPDATE_COMMAND_UI(1182, OnUpdateEditSelectAll)
  ON_COMMAND(1224, OnEditGroup)
  ON_UPDATE_COMMAND_UI(1224, OnUpdateEditGroup)
  ON_COMMAND(1225, OnEditUngroup)
  ON_UPDATE_COMMAND_UI(1225, OnUpdateEditUngroup)
  ON_COMMAND_EX(1229, OnStacking)
  ON_COMMAND_EX(1227, OnStacking)
  ON_COMMAND_EX(32844, OnStacking)
  ON_COMMAND_EX(32845, OnStacking)
  ON_UPDATE_COMMAND_UI(1229, OnUpdateStacking)
  ON_UPDATE_COMMAND_UI(1227, OnUpdateStacking)
  ON_UPDATE_COMMAND_UI_RANGE(32844, 32845, OnUpdateStacking)
  ON_COMMAND_EX(1195, OnAlign)
  ON_COMMAND_EX(1197, OnAlign)
  ON_COMMAND_EX(1199, OnAlign)
  ON_COMMAND_EX(796, OnAlign)
  ON_COMMAND_EX(1203, OnAlign)
  ON_COMMAND_EX(1204, OnAlign)
  ON_UPDATE_COMMAND_UI(1195, OnUpdateAlign)
  ON_UPDATE_COMMAND_UI(1197, OnUpdateAlign)
  ON_UPDATE_COMMAND_UI(1199, OnUpdateAlign)
  ON_UPDATE_COMMAND_UI(796, OnUpdateAlign)
  ON_UPDATE_COMMAND_UI_RANGE(1203, 1204, OnUpdateAlign)
  ON_COMMAND_EX(1213, OnFlip)
  ON_COMMAND_EX(803, OnFlip)
  ON_UPDATE_COMMAND_UI(1213, OnUpdateFlip)
  ON_UPDATE_COMMAND_UI(803, OnUpdateFlip)
  ON_COMMAND(32908, OnLock)
  ON_UPDATE_COMMAND_UI(32908, OnUpdateLock)
  ON_COMMAND(32909, OnUnlock)
  ON_UPDATE_COMMAND_UI(32909, OnUpdateUnlock)
  ON_COMMAND(32869, OnRotateAngle)
  ON_UPDATE_COMMAND_UI(32869, OnUpdateRotateAngle)
  ON_COMMAND(ID_QVZ_VERTEX_DELETE, OnVertexDelete)
  ON_UPDATE_COMMAND_UI(ID_QVZ_VERTEX_DELETE, OnUpdateVertexDelete)
  ON_COMMAND(ID_OLE_INSERT_NEW, OnInsertOleObject)
  ON_COMMAND(1230, OnPropertyInfo)
  ON_UPDATE_COMMAND_UI(1230, OnUpdatePropertyInfo)
  ON_COMMAND(1181, OnGridSnap)
  ON_UPDATE_COMMAND_UI(1181, OnUpdateGridSnap)
  ON_COMMAND(781, OnGridShow)
  ON_UPDATE_COMMAND_UI(781, OnUpdateGridShow)
  ON_COMMAND_EX_RANGE(QVZ_FAVORITE_REGISTER_FIRST, QVZ_FAVORITE_MOVE_FIRST - 1, OnRegisterFavorite)
  ON_UPDATE_COMMAND_UI_RANGE(QVZ_FAVORITE_REGISTER_FIRST, QVZ_FAVORITE_MOVE_FIRST - 1, OnUpdateRegisterFavorite)
  ON_COMMAND_EX_RANGE(QVZ_FAVORITE_MOVE_FIRST, QVZ_FAVORITE_MOVE_FIRST + 99, OnMoveFavorite)
  ON_COMMAND(QVZ_FAVORITE_DELETE, OnDeleteFavorite)
  ON_COMMAND(QVZ_FAVORITE_RENAME, OnRenameFavorite)
  ON_COMMAND_EX(QVZ_FAVORITE_UP, OnReorderFavorite)
  ON_COMMAND_EX(QVZ_FAVORITE_DOWN, OnReorderFavorite)
  ON_COMMAND_EX(QVZ_FAVORITE_TOP, OnReorderFavorite)
  ON_COMMAND_EX(QVZ_FAVORITE_BOTTOM, OnReorderFavorite)
  ON_UPDATE_COMMAND_UI(QVZ_FAVORITE_DELETE, OnUpdateFavoriteItem)
  ON_UPDATE_COMMAND_UI_RANGE(QVZ_FAVORITE_UP, QVZ_FAVORITE_DOWN, OnUpdateFavoriteItem)
  ON_UPDATE_COMMAND_UI_RANGE(QVZ_FAVORITE_RENAME, QVZ_FAVORITE_TOP, OnUpdateFavoriteItem)
END_MESSAGE_MAP()

jvqObject* thePendingSelection1 = NULL;
jvqObject* thePendingSelection2 = NULL;
BYTE theInPlaceEditStarted = 0;

qvzView::qvzView() : m_pVertexMarker(NULL) {
  m_pEditor = NULL;
  m_pToolTip = NULL;
  m_bNoFeedback = TRUE;
  m_bDropCatalogue = FALSE;
  m_rcDropPicture = m_rcDropItem = m_rcDropFeedback = RECT{0, 0, 0, 0};
  m_ptLastDrag = POINT{0, 0};
  m_ptPasteOffset.x = m_ptPasteOffset.y = 0;
  m_bFavoritesDrop = FALSE;
  m_pCatalogSettings = new qvzCatalogPasteSettings;
  thePendingSelection1 = thePendingSelection2 = NULL;
}

qvzView::~qvzView() {
  delete m_pToolTip;
  delete m_pEditor;
  DeleteDropOutlines();
  delete m_pCatalogSettings;
}

CScrollBar* qvzView::GetScrollBarCtrl(int nBar) const {
  if (m_hWnd == NULL || (nBar != SB_HORZ && nBar != SB_VERT)) return NULL;
  HWND parent = ::GetParent(m_hWnd);
  // Directly in a frame the view keeps its own bars.
  CWnd* p = CWnd::FromHandlePermanent(parent);
  if (p == NULL || p->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return NULL;
  CWnd* c = CWnd::FromHandlePermanent(::GetDlgItem(parent, nBar == SB_HORZ ? AFX_IDW_HSCROLL_FIRST : AFX_IDW_HSCROLL_FIRST + 1));
  return (c && c->IsKindOf(RUNTIME_CLASS(CScrollBar))) ? (CScrollBar*)c : NULL;
}

void qvzView::SwitchToSelectTool() { SetTool(new jvqSelectTool(this)); }

void qvzView::HidePropertyBar() {
  jvqView::HidePropertyBar();
  jvqGetViewHost()->ShowBar(FALSE);
}

void qvzView::ShowPropertyBar() {
  jvqView::ShowPropertyBar();
  jvqGetViewHost()->ShowBar(FALSE);
}

void qvzView::OnObjectCreated(jvqObject* pObject) { jvqGetViewHost()->OnObjectCreated(pObject); }

void qvzView::OnFilePrintPreview() {
  CWnd* f = AfxGetMainWnd();
  if (f) f->SetRedraw(FALSE);
  jvqGetViewHost()->ShowPreviewBars(FALSE);
  DoFilePrintPreview();
  if (f) {
    f->SetRedraw(TRUE);
    f->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
  }
  InvalidateAll();
}

void qvzView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView) {
  CWnd* f = AfxGetMainWnd();
  if (f) f->SetRedraw(FALSE);
  jvqView::OnEndPrintPreview(pDC, pInfo, point, pView);
  jvqGetViewHost()->ShowPreviewBars(TRUE);
  if (f) {
    f->SetRedraw(TRUE);
    f->RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    f->Invalidate(TRUE);
  }
  InvalidateAll();
  if (f) f->UpdateWindow();
}

void qvzView::OnPrintOffset() {
  POINT p = m_ptPrintOffset;
  if (jvqGetViewHost()->EditPrintOffset(&p)) m_ptPrintOffset = p;
}

void qvzView::OnDraw(CDC* pDC) {
  jvqGetViewHost()->HideAlignPalette();
  jvqView::OnDraw(pDC);
}

static UINT OutsideFlag(jvqView* v, UINT nFlags, CPoint point) {
  return v->PtInClient(point) ? nFlags : (nFlags | 0x20);
}

BOOL qvzView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (nCode == CN_COMMAND && pHandlerInfo == NULL && m_hWnd) {
    CWnd* editor = GetDlgItem(JVQ_TEXT_EDITOR_ID);
    if (editor && editor->IsWindowVisible()) SetFocus();
  }
  return jvqView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void qvzView::OnLButtonDown(UINT nFlags, CPoint point) {
  nFlags = OutsideFlag(this, nFlags, point);
  // The in-place editor commits when the view takes the focus.
  const BOOL bCommitted = IsTextEditing();
  if (bCommitted) SetFocus();
  jvqPage* page = GetCurrentPage();
  jvqObject* hit = NULL;
  if (page) {
    POINT pt = point;
    PointToLogical(&pt, &pt);
    hit = page->HitTest(&pt);
  }
  jvqView::OnLButtonDown(nFlags, point);
  if (m_pTool && m_pTool->m_nToolId == 3011) {
    jvqObject* o = hit;
    if (o && (o->GetClassCode() & 0x10)) o = o->m_pParent;
    const BOOL bEditable = o && ((o->GetClassCode() & 0x4) || (o->GetClassCode() & 0x40000));
    if (!bEditable) {
      if (bCommitted) ClearSelection();
      SwitchToSelectTool();
      jvqGetViewHost()->SwitchBar(FALSE);
      Redraw();
    }
  }
}

void qvzView::OnLButtonUp(UINT nFlags, CPoint point) {
  nFlags = OutsideFlag(this, nFlags, point);
  jvqView::OnLButtonUp(nFlags, point);
  if (m_pTool && m_pTool->m_bDone && !m_bFavoritesDrop) SwitchToSelectTool();
  m_bFavoritesDrop = FALSE;
  for (jvqObject** slot : {&thePendingSelection1, &thePendingSelection2}) {
    if (*slot == NULL) continue;
    ClearSelection();
    (*slot)->m_dwState |= JVQ_STATE_SELECTED;
    OnSelect(*slot);
    *slot = NULL;
  }
  jvqViewHost* host = jvqGetViewHost();
  host->SwitchBar(FALSE);
  host->UpdateControlBars();
  // Focus: to an edit just started, else through the view (which commits a running edit)
  // to a visible editor, else to the view.
  if (theInPlaceEditStarted == 1) {
    theInPlaceEditStarted = 0;
    if (IsTextEditing()) m_pEditor->SetFocus();
  } else if (IsTextEditing()) {
    SetFocus();
    m_pEditor->SetFocus();
  } else if (m_hWnd && ::GetFocus() != m_hWnd) {
    SetFocus();
  }
}

void qvzView::OnMouseMove(UINT nFlags, CPoint point) {
  nFlags = OutsideFlag(this, nFlags, point);
  jvqView::OnMouseMove(nFlags, point);
  jvqGetViewHost()->UpdateStatusBar();
}

void qvzView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_pTool) m_pTool->OnKeyDown(nChar, nRepCnt, nFlags);
  jvqGetViewHost()->HandleKey(this, nChar, nRepCnt, nFlags);
}

void qvzView::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_pTool) m_pTool->OnKeyUp(nChar, nRepCnt, nFlags);
}

// Backspace and Esc act on the tool that is drawing something. The select tool handles
// Esc itself on the key release.
int qvzView::ToolBackStep() {
  if (m_pTool == NULL) return 0;
  switch (m_pTool->m_nToolId) {
    case TOOLID_POLYGON: case TOOLID_POLYLINE: case TOOLID_LINETEXT: ((jvqPolygonTool*)m_pTool)->BackStep(); break;
    // A text frame being drawn keeps going on Backspace; only Esc drops it.
    case TOOLID_RECT: case TOOLID_ELLIPSE: case TOOLID_ROUNDRECT: ((jvqRectTool*)m_pTool)->CancelDrag(); break;
    case TOOLID_PIE: case TOOLID_CHORD: case TOOLID_ARC: ((jvqArcBaseTool*)m_pTool)->Reset(); break;
  }
  jvqGetViewHost()->SwitchBar(FALSE);
  return 1;
}

int qvzView::ToolCancel() {
  if (m_pTool == NULL) return 0;
  switch (m_pTool->m_nToolId) {
    case TOOLID_POLYGON: case TOOLID_POLYLINE: case TOOLID_LINETEXT: ((jvqPolygonTool*)m_pTool)->Cancel(); break;
    case TOOLID_RECT: case TOOLID_ELLIPSE: case TOOLID_ROUNDRECT: case TOOLID_TEXT: ((jvqRectTool*)m_pTool)->CancelDrag(); break;
    case TOOLID_PIE: case TOOLID_CHORD: case TOOLID_ARC: ((jvqArcBaseTool*)m_pTool)->Reset(); break;
    case TOOLID_LINE: ((jvqLineTool*)m_pTool)->CancelLine(); break;
  }
  jvqGetViewHost()->SwitchBar(FALSE);
  return 1;
}

void qvzView::OnRButtonDown(UINT nFlags, CPoint point) {
  if (nFlags & MK_LBUTTON) return;
  jvqView::OnRButtonDown(nFlags, point);
  const int id = m_pTool ? m_pTool->m_nToolId : 0;
  if (id == TOOLID_ZOOM || id == TOOLID_POLYGON || id == TOOLID_POLYLINE || id == TOOLID_LINETEXT ||
      id == TOOLID_PIE || id == TOOLID_CHORD || id == TOOLID_ARC) {
    if (id == TOOLID_PIE || id == TOOLID_CHORD || id == TOOLID_ARC) ((jvqArcBaseTool*)m_pTool)->Reset();
    SwitchToSelectTool();
    jvqGetViewHost()->SwitchBar(FALSE);
    Redraw();
    return;
  }
  ShowContextMenu(point);
}

void qvzView::OnSize(UINT nType, int cx, int cy) {
  if (m_hWnd && ::GetFocus() != m_hWnd && IsWindowVisible()) SetFocus();
  jvqView::OnSize(nType, cx, cy);
}

void qvzView::ResetView() {
  if (m_hWnd) SetFocus();
  jvqView::ResetView();
  jvqBoard* b = GetBoard();
  if (b == NULL) return;
  m_ptPasteOffset.x = m_ptPasteOffset.y = 0;
  CWinApp* app = AfxGetApp();
  if (app && app->GetProfileInt("Print", "DrawArea", 0))
    b->m_dwState |= JVQ_STATE_PRINTAREA;
  else
    b->m_dwState &= ~JVQ_STATE_PRINTAREA;
  m_dwOptions &= ~JVQ_VIEW_SNAP;
  if (app) app->WriteProfileInt("Window", "Zoom", 0);
  m_Mapping.m_bFitToWindow = TRUE;
  jvqViewHost* host = jvqGetViewHost();
  host->SelectFitInZoomBox();
  if (app) m_crBackground = app->GetProfileInt("Window", "Color", (int)::GetSysColor(COLOR_BTNSHADOW));
  host->ShowFolderControls();
  const int tabs = host->GetPageTabCount();
  if (tabs >= 0 && tabs != b->GetPageCount()) host->UpdatePageTabs();
  if (m_hWnd) {
    RECT rc;
    GetClientRect(&rc);
    RecalcLayout(rc.right, rc.bottom);
  }
}

void qvzView::OnToolSelect() {
  m_nLastCreateCommand = m_pTool ? GetToolCommand(m_pTool) : 32849;
  SwitchToSelectTool();
  jvqGetViewHost()->SwitchBar(FALSE);
  Redraw();
}

void qvzView::OnUpdateToolSelect(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_pTool && m_pTool->m_nToolId == TOOLID_SELECT); }
