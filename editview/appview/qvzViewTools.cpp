// The commands of the application view that choose a tool: the creation tools, the rotate,
// zoom and vertex modes, the palette modes and the Esc command, each with its update
// handler, and the zoom steps.
#include "ZoomComboTexts.h"
#include "jvqArcBaseTool.h"
#include "jvqLineTextTool.h"
#include "jvqLineTool.h"
#include "jvqPage.h"
#include "jvqPaletteTools.h"
#include "jvqPolygonTool.h"
#include "jvqRectTool.h"
#include "jvqRotateTool.h"
#include "jvqTextTools.h"
#include "jvqToolMath.h"
#include "jvqVertexEditTool.h"
#include "jvqViewHost.h"
#include "jvqZoomTool.h"
#include "qvzView.h"

struct ToolCommandRow {
  UINT nCommand;
  int nToolId;
};

static const ToolCommandRow ToolCommands[] = {
    {32848, TOOLID_LINE},  {32849, TOOLID_RECT},     {32851, TOOLID_ROUNDRECT},  {32852, TOOLID_ELLIPSE},
    {32853, TOOLID_PIE},   {32854, TOOLID_CHORD},    {32855, TOOLID_ARC},        {32877, TOOLID_POLYLINE},
    {32878, TOOLID_POLYGON}, {32892, TOOLID_SHAPE},  {32943, TOOLID_SYMBOL},     {32944, TOOLID_FAVORITE},
    {92, TOOLID_FLOORPLAN}, {91, TOOLID_PERSPECTIVE}, {32984, TOOLID_PERSPECTIVE},
    {32863, TOOLID_TEXT},  {32864, TOOLID_TITLE},    {32902, TOOLID_BALLOON_RECT},
    {32903, TOOLID_BALLOON_ROUNDRECT}, {32904, TOOLID_BALLOON_ELLIPSE}, {32900, TOOLID_LINETEXT},
};

int qvzView::ToolIdOfCommand(UINT nID) {
  for (const ToolCommandRow& r : ToolCommands)
    if (r.nCommand == nID) return r.nToolId;
  return 0;
}

jvqTool* qvzView::MakeTool(UINT nID) {
  switch (ToolIdOfCommand(nID)) {
    case TOOLID_LINE: return new jvqLineTool(this);
    case TOOLID_RECT: return new jvqRectTool(this);
    case TOOLID_ROUNDRECT: return new jvqRoundRectTool(this);
    case TOOLID_ELLIPSE: return new jvqEllipseTool(this);
    case TOOLID_PIE: return new jvqPieTool(this);
    case TOOLID_CHORD: return new jvqChordTool(this);
    case TOOLID_ARC: return new jvqArcTool(this);
    case TOOLID_POLYLINE: return new jvqPolylineTool(this);
    case TOOLID_POLYGON: return new jvqPolygonTool(this);
    case TOOLID_SHAPE: return new jvqShapeInsertTool(this);
    case TOOLID_SYMBOL: return new jvqSymbolInsertTool(this);
    case TOOLID_FAVORITE: return new jvqFavoriteInsertTool(this);
    case TOOLID_FLOORPLAN: return new jvqFloorPlanInsertTool(this);
    case TOOLID_PERSPECTIVE: return new jvqPerspectiveInsertTool(this);
    case TOOLID_TEXT: return new jvqTextTool(this);
    case TOOLID_LINETEXT: return new jvqLineTextTool(this);
    case TOOLID_TITLE: return new jvqTitleTool(this);
    case TOOLID_BALLOON_RECT: return new jvqBalloonTool(this, JVQ_OBJ_RECT);
    case TOOLID_BALLOON_ROUNDRECT: return new jvqBalloonTool(this, JVQ_OBJ_ROUNDRECT);
    case TOOLID_BALLOON_ELLIPSE: return new jvqBalloonTool(this, JVQ_OBJ_ELLIPSE);
  }
  return NULL;
}

BOOL qvzView::OnToolCommand(UINT nID) {
  const int id = ToolIdOfCommand(nID);
  ClearSelection();
  m_nLastCreateCommand = GetToolCommand(m_pTool);
  HCURSOR old = (nID == 32854 && jvqTool::s_hWait) ? ::SetCursor(jvqTool::s_hWait) : NULL;
  // The old tool goes first: its destructor resets the view's cursor id, which the new
  // tool's constructor sets.
  delete m_pTool;
  m_pTool = NULL;
  SetTool(MakeTool(nID));
  if (old) ::SetCursor(old);
  jvqViewHost* host = jvqGetViewHost();
  host->SwitchBar(FALSE);
  Redraw();
  if ((nID >= 32849 && nID <= 32855 && nID != 32850)) host->ShowToolVariant(id);
  return TRUE;
}

void qvzView::OnUpdateToolCommand(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_pTool && m_pTool->m_nToolId == ToolIdOfCommand(pCmdUI->m_nID));
}

void qvzView::OnRotateMode() {
  if (m_pTool && m_pTool->m_nToolId == TOOLID_ROTATE) {
    OnToolSelect();
    return;
  }
  delete m_pTool;
  m_pTool = NULL;
  SetTool(new jvqRotateTool(this));
  Redraw();
}

void qvzView::OnUpdateRotateMode(CCmdUI* pCmdUI) {
  if (m_pTool && m_pTool->m_nToolId == TOOLID_ROTATE) {
    pCmdUI->SetCheck(TRUE);
    return;
  }
  pCmdUI->SetCheck(FALSE);
  BOOL bAny = FALSE;
  for (int i = 0; i < GetSelectedCount() && !bAny; i++) {
    jvqObject* o = GetSelectedObject(i);
    bAny = o && !(o->GetEditFlags() & 1);
  }
  pCmdUI->Enable(bAny);
}

static void ZoomLimits(int* pUpper, int* pLower) { jvqZoomLimits(ZoomComboTexts, pUpper, pLower); }

static void MakeZoomTool(qvzView* v, int nDirection) {
  int hi, lo;
  ZoomLimits(&hi, &lo);
  delete v->m_pTool;
  v->m_pTool = NULL;
  v->SetTool(new jvqZoomTool(v, nDirection, hi, lo));
}

void qvzView::OnZoomIn() { MakeZoomTool(this, 1); }
void qvzView::OnZoomOut() { MakeZoomTool(this, 0); }

void qvzView::OnUpdateZoomIn(CCmdUI* pCmdUI) {
  int hi, lo;
  ZoomLimits(&hi, &lo);
  pCmdUI->SetCheck(m_pTool && m_pTool->m_nToolId == TOOLID_ZOOM && ((jvqZoomTool*)m_pTool)->m_nDirection == 1);
  pCmdUI->Enable(m_Mapping.GetZoomPercent() < hi);
}

void qvzView::OnUpdateZoomOut(CCmdUI* pCmdUI) {
  int hi, lo;
  ZoomLimits(&hi, &lo);
  pCmdUI->SetCheck(m_pTool && m_pTool->m_nToolId == TOOLID_ZOOM && ((jvqZoomTool*)m_pTool)->m_nDirection == 0);
  pCmdUI->Enable(lo < m_Mapping.GetZoomPercent());
}

void qvzView::StepZoom(int bLarger) {
  m_Mapping.m_bFitToWindow = FALSE;
  m_Mapping.m_dZoom = jvqStepZoom(ZoomComboTexts, m_Mapping.GetZoomPercent(), bLarger != 0);
}

void qvzView::OnVertexEdit() {
  delete m_pTool;
  m_pTool = NULL;
  SetTool(new jvqVertexEditTool(this));
  Redraw();
}

void qvzView::OnUpdateVertexEdit(CCmdUI* pCmdUI) {
  if (m_pTool && m_pTool->m_nToolId == TOOLID_VERTEX_EDIT) {
    pCmdUI->SetCheck(TRUE);
    return;
  }
  pCmdUI->SetCheck(FALSE);
  const int n = GetSelectedCount();
  BOOL bAll = n > 0;
  for (int i = 0; i < n && bAll; i++) {
    jvqObject* o = GetSelectedObject(i);
    bAll = o && o->CanEdit(9);
  }
  pCmdUI->Enable(bAll);
}

BOOL qvzView::OnPaletteCommand(UINT nID) {
  const int id = ToolIdOfCommand(nID);
  // The favourites palette keeps the selection; the shape palette does not count as a
  // creation command.
  if (id != TOOLID_FAVORITE) ClearSelection();
  if (id != TOOLID_SHAPE) m_nLastCreateCommand = GetToolCommand(m_pTool);
  if (m_pTool == NULL || m_pTool->m_nToolId != id) {
    delete m_pTool;
    m_pTool = NULL;
    m_pTool = MakeTool(nID);
  }
  jvqPage* page = GetCurrentPage();
  if (page && m_pTool) page->OnToolChanged(m_pTool->m_nToolId);
  jvqGetViewHost()->SwitchBar(FALSE);
  Redraw();
  return TRUE;
}

void qvzView::OnUpdatePaletteCommand(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_pTool && m_pTool->m_nToolId == ToolIdOfCommand(pCmdUI->m_nID));
}

void qvzView::OnUnusedTool() {}
void qvzView::OnUpdateUnusedTool(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void qvzView::OnCancelCommand() {
  // The editor's text is painted over by the view once the editor goes.
  if (IsTextEditing()) Invalidate();
  ToolCancel();
  COleDocument* pDoc = DYNAMIC_DOWNCAST(COleDocument, GetDocument());
  COleClientItem* pActive = pDoc ? pDoc->GetInPlaceActiveItem(this) : NULL;
  if (pActive) pActive->Close(OLECLOSE_SAVEIFDIRTY);
}
