#include "qvzView.h"

#include "jvqBoard.h"
#include "jvqPage.h"
#include "jvqSelectTool.h"
#include "jvqViewHost.h"

IMPLEMENT_DYNCREATE(qvzView, jvqView)

BEGIN_MESSAGE_MAP(qvzView, jvqView)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_SIZE()
  ON_COMMAND(ID_QVZ_TOOL_SELECT, OnToolSelect)
  ON_UPDATE_COMMAND_UI(ID_QVZ_TOOL_SELECT, OnUpdateToolSelect)
  ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
  ON_COMMAND(ID_QVZ_PRINT_OFFSET, OnPrintOffset)
END_MESSAGE_MAP()

jvqObject* thePendingSelection1 = NULL;
jvqObject* thePendingSelection2 = NULL;
BYTE theInPlaceEditStarted = 0;

qvzView::qvzView() : m_pVertexMarker(NULL) {
  m_ptPasteOffset.x = m_ptPasteOffset.y = 0;
  m_bFavoritesDrop = FALSE;
  thePendingSelection1 = thePendingSelection2 = NULL;
}

qvzView::~qvzView() {}

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

void qvzView::OnLButtonDown(UINT nFlags, CPoint point) {
  nFlags = OutsideFlag(this, nFlags, point);
  // The in-place text editor commits when the view takes the focus; it comes with the
  // text objects.
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
  theInPlaceEditStarted = 0;
  if (m_hWnd && ::GetFocus() != m_hWnd) SetFocus();
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

// Backspace and Esc act on the creation tools; those come with their own tools, and the
// select tool handles Esc itself on the key release.
int qvzView::ToolBackStep() {
  if (m_pTool == NULL) return 0;
  jvqGetViewHost()->SwitchBar(FALSE);
  return 1;
}

int qvzView::ToolCancel() {
  if (m_pTool == NULL) return 0;
  jvqGetViewHost()->SwitchBar(FALSE);
  return 1;
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
