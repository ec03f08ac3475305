// View commands of the main frame: the zoom box and fit, rulers and guides, the picture
// display mode, the catalogue browser, clearing the selection and the tool families.
#include <algorithm>

#include "ZoomComboTexts.h"
#include "jvqGuideLine.h"
#include "jvqPage.h"
#include "jvqSelectTool.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzMainFrame.h"
#include "resource.h"

void qvzMainFrame::RebuildZoomCombo(int nZoom, BOOL bFit) {
  while (m_wndZoomCombo.GetCount() > 0) m_wndZoomCombo.DeleteString(0);
  ZoomComboList list = BuildZoomComboList(nZoom, bFit);
  for (const CString& s : list.items) m_wndZoomCombo.AddString(s);
  m_wndZoomCombo.SetCurSel(list.nSelected);
}

void qvzMainFrame::OnZoomSelChange() {
  jvqView* view = GetEditView();
  const int sel = m_wndZoomCombo.GetCurSel();
  if (view == NULL || sel < 0) return;
  CString text;
  m_wndZoomCombo.GetLBText(sel, text);
  qvzAppSettings& s = theQvzApp()->m_Settings;
  if (text.Find('%') < 0) {
    RebuildZoomCombo(0, TRUE);
    s.nZoom = -1;
    view->m_Mapping.m_bFitToWindow = TRUE;
  } else {
    const int zoom = ZoomTextValue(text);
    s.nZoom = zoom;
    view->m_Mapping.m_dZoom = zoom;
    view->m_Mapping.m_bFitToWindow = FALSE;
    RebuildZoomCombo(view->m_Mapping.GetZoomPercent(), FALSE);
  }
  CRect rc;
  view->GetClientRect(&rc);
  view->RecalcLayout(rc.Width(), rc.Height());
  view->SetFocus();
  view->Redraw();
}

void qvzMainFrame::OnUpdateZoomCombo(CCmdUI* pCmdUI) {
  jvqView* view = GetEditView();
  if (view == NULL || m_wndZoomCombo.m_hWnd == NULL) {
    pCmdUI->Enable(FALSE);
    return;
  }
  if (m_wndZoomCombo.GetDroppedState()) return;
  pCmdUI->Enable(TRUE);
  const int sel = m_wndZoomCombo.GetCurSel();
  CString text;
  if (sel >= 0) m_wndZoomCombo.GetLBText(sel, text);
  const BOOL fit = view->m_Mapping.m_bFitToWindow;
  const int zoom = view->m_Mapping.GetZoomPercent();
  if (fit && text == ZOOM_FIT_TEXT) return;
  if (!fit && text.Find('%') >= 0 && ZoomTextValue(text) == zoom) return;
  RebuildZoomCombo(zoom, fit);
  if (!fit) view->SetFocus();
}

void qvzMainFrame::SelectFitInZoomBox() {
  if (m_wndZoomCombo.m_hWnd == NULL) return;
  const int i = m_wndZoomCombo.FindStringExact(-1, ZOOM_FIT_TEXT);
  if (i >= 0) m_wndZoomCombo.SetCurSel(i);
}

void qvzMainFrame::OnZoomFit() {
  jvqView* view = GetEditView();
  if (view == NULL) return;
  view->m_Mapping.m_bFitToWindow = TRUE;
  SelectFitInZoomBox();
  CRect rc;
  view->GetClientRect(&rc);
  view->RecalcLayout(rc.Width(), rc.Height());
  view->SetFocus();
  view->Redraw();
}

void qvzMainFrame::OnUpdateZoomFit(CCmdUI* pCmdUI) { pCmdUI->Enable(!IsPageListShown()); }

// A check on a tool-bar button goes to the bar as the button's state.
static void SetCmdCheck(CCmdUI* pCmdUI, BOOL bCheck) {
  CDibToolBar* bar = DYNAMIC_DOWNCAST(CDibToolBar, pCmdUI->m_pOther);
  if (bar)
    bar->SetButtonState(pCmdUI->m_nID, bCheck);
  else
    pCmdUI->SetCheck(bCheck);
}

void qvzMainFrame::OnViewRulers() {
  const BOOL show = !(m_nFlags & 1);
  m_nFlags = show ? (m_nFlags | 1) : (m_nFlags & ~1);
  ShowControlBar(&m_wndHorzRuler, show, FALSE);
  ShowControlBar(&m_wndVertRuler, show, FALSE);
  RecalcLayout();
}

void qvzMainFrame::OnUpdateViewRulers(CCmdUI* pCmdUI) {
  pCmdUI->Enable(GetEditView() != NULL);
  SetCmdCheck(pCmdUI, (m_nFlags & 1) != 0);
}

void qvzMainFrame::OnViewGuides() {
  const BOOL show = !m_wndHorzRuler.m_bGuidesShown;
  m_wndHorzRuler.m_bGuidesShown = m_wndVertRuler.m_bGuidesShown = show;
  theQvzApp()->m_Settings.nShowGuide = show;
  for (jvqRulerBar* r : {&m_wndHorzRuler, &m_wndVertRuler}) {
    if (r->m_hWnd == NULL) continue;
    r->Invalidate();
    r->UpdateGuideToolTips();
  }
  if (jvqView* v = GetEditView()) v->Redraw();
}

void qvzMainFrame::OnUpdateViewGuides(CCmdUI* pCmdUI) {
  pCmdUI->Enable(!IsPageListShown());
  SetCmdCheck(pCmdUI, m_wndHorzRuler.m_bGuidesShown);
}

static jvqGuideLine* SelectedGuide(jvqRulerBar& r) {
  for (jvqGuideLine* g : r.m_Guides)
    if (g->m_bSelected) return g;
  return NULL;
}

void qvzMainFrame::OnDeleteSelectedGuide() {
  for (jvqRulerBar* r : {&m_wndHorzRuler, &m_wndVertRuler}) {
    jvqGuideLine* g = SelectedGuide(*r);
    if (g == NULL) continue;
    r->m_Guides.erase(std::find(r->m_Guides.begin(), r->m_Guides.end(), g));
    delete g;
    if (r->m_hWnd) r->Invalidate();
  }
  if (jvqView* v = GetEditView()) v->Redraw();
}

void qvzMainFrame::OnUpdateDeleteSelectedGuide(CCmdUI* pCmdUI) {
  pCmdUI->Enable(GetEditView() != NULL && (SelectedGuide(m_wndHorzRuler) || SelectedGuide(m_wndVertRuler)));
}

void qvzMainFrame::OnDeleteAllGuides() {
  for (jvqRulerBar* r : {&m_wndHorzRuler, &m_wndVertRuler}) {
    r->DeleteAllGuides();
    if (r->m_hWnd == NULL) continue;
    r->UpdateGuideToolTips();
    r->Invalidate();
  }
  if (jvqView* v = GetEditView()) v->Redraw();
}

void qvzMainFrame::OnUpdateDeleteAllGuides(CCmdUI* pCmdUI) {
  pCmdUI->Enable(GetEditView() != NULL && (!m_wndHorzRuler.m_Guides.empty() || !m_wndVertRuler.m_Guides.empty()));
}

void qvzMainFrame::OnImageDisplay(UINT nID) {
  const int mode = (int)(nID - ID_IMAGE_NORMAL);
  theQvzApp()->m_Settings.nImageDisplayType = mode;
  PictureDisplayMode = mode;
  if (jvqView* v = GetEditView()) v->Redraw();
}

void qvzMainFrame::OnUpdateImageDisplay(CCmdUI* pCmdUI) {
  pCmdUI->Enable(GetEditView() != NULL);
  pCmdUI->SetRadio((int)(pCmdUI->m_nID - ID_IMAGE_NORMAL) == theQvzApp()->m_Settings.nImageDisplayType);
}

void qvzMainFrame::OnInsertCatalog() { theQvzApp()->LaunchCatalogBrowser(); }

void qvzMainFrame::OnUpdateInsertCatalog(CCmdUI* pCmdUI) {
  static CString strPath;
  if (strPath.IsEmpty()) strPath = theQvzApp()->m_strAppFolder + "VendaroExplorer.exe";
  BOOL exists = FALSE;
  try {
    CFileStatus status;
    exists = CFile::GetStatus(strPath, status);
  } catch (CFileException* e) {
    e->Delete();
  }
  pCmdUI->Enable(exists);
}

void qvzMainFrame::OnEditDeselectCmd() { OnEditDeselect(); }

void qvzMainFrame::OnEditDeselect() {
  jvqView* view = GetEditView();
  if (view == NULL) return;
  view->ClearSelection();
  view->Redraw();
  view->SetTool(new jvqSelectTool(view));
  SwitchBar(FALSE);
  UpdateCurrentBar();
  view->SetFocus();
}

void qvzMainFrame::OnUpdateEditDeselect(CCmdUI* pCmdUI) {
  jvqView* view = GetEditView();
  pCmdUI->Enable(view != NULL && view->GetSelectedCount() > 0);
}

void qvzMainFrame::OnToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult) {
  NMTOOLBAR* nm = (NMTOOLBAR*)pNMHDR;
  if (nm->iItem == ID_TOOL_RECT_FAMILY) ShowRectangleVariants();
  else if (nm->iItem == ID_TOOL_ARC_FAMILY) ShowArcVariants();
  *pResult = TBDDRET_DEFAULT;
}

// A family button runs the tool of the variant it shows.
void qvzMainFrame::OnFamilyButton(UINT nID) {
  const int tool = nID == ID_TOOL_RECT_FAMILY ? m_wndMainToolBar.m_nRectVariantTool : m_wndMainToolBar.m_nArcVariantTool;
  const ToolVariantRow* v = FindToolVariant(tool);
  if (v) SendMessage(WM_COMMAND, v->nCommand, 0);
}

void qvzMainFrame::OnUpdateFamilyButton(CCmdUI* pCmdUI) {
  jvqView* view = GetEditView();
  const int tool = view && view->m_pTool ? view->m_pTool->m_nToolId : -1;
  const ToolVariantRow* v = FindToolVariant(tool);
  pCmdUI->Enable(view != NULL);
  SetCmdCheck(pCmdUI, v != NULL && v->nButton == (int)pCmdUI->m_nID);
}

static void ShowVariants(qvzMainFrame* f, qvzDropDownBitmapMenu& menu, int nButton, const UINT* cmds, const UINT* bmps) {
  const int i = f->m_wndMainToolBar.CommandToIndex(nButton);
  if (i < 0) return;
  CRect rc;
  f->m_wndMainToolBar.GetItemRect(i, &rc);
  f->m_wndMainToolBar.ClientToScreen(&rc);
  static const char* const texts[] = {"", "", ""};
  if (!menu.Create(f, 3, cmds, bmps, texts)) return;
  menu.PopupAt(rc.left, rc.bottom, rc);
}

void qvzMainFrame::ShowRectangleVariants() {
  static const UINT cmds[] = {ID_TOOL_RECT, ID_TOOL_ROUNDRECT, ID_TOOL_ELLIPSE};
  static const UINT bmps[] = {422, 424, 426};
  ShowVariants(this, m_menuRectVariants, ID_TOOL_RECT_FAMILY, cmds, bmps);
}

void qvzMainFrame::ShowArcVariants() {
  static const UINT cmds[] = {ID_TOOL_PIE, ID_TOOL_CHORD, ID_TOOL_ARC};
  static const UINT bmps[] = {431, 433, 388};
  ShowVariants(this, m_menuArcVariants, ID_TOOL_ARC_FAMILY, cmds, bmps);
}

void qvzMainFrame::TrackButtonMenu(CToolBar* pBar, UINT nCommand) {
  CMenu loaded;
  if (!loaded.LoadMenu(IDM_BUTTON_MENU)) return;
  CMenu* popup = loaded.GetSubMenu(0);
  if (popup == NULL || m_menuRect.m_hMenu == NULL) return;
  CString text;
  popup->GetMenuString(0, text, MF_BYPOSITION);
  popup->ModifyMenu(0, MF_BYPOSITION | MF_POPUP, (UINT_PTR)m_menuRect.m_hMenu, text);
  CRect rc;
  pBar->SendMessage(TB_GETRECT, nCommand, (LPARAM)&rc);
  pBar->ClientToScreen(&rc);
  ::TrackPopupMenu(popup->m_hMenu, 0x40 | TPM_VERTICAL, rc.left, rc.bottom, 0, m_hWnd, NULL);
  // The frame's image menu outlives the loaded one.
  popup->RemoveMenu(0, MF_BYPOSITION);
  loaded.DestroyMenu();
}

void qvzMainFrame::OnInitMenu(CMenu* pMenu) {
  CFrameWnd::OnInitMenu(pMenu);
  CMenu* bar = GetMenu();
  CMenu* shapes = bar ? bar->GetSubMenu(4) : NULL;
  if (shapes == NULL) return;
  int pos = -1;
  for (int i = 0; i < (int)shapes->GetMenuItemCount(); i++) {
    CString text;
    shapes->GetMenuString(i, text, MF_BYPOSITION);
    if (text == "お気に入りの登録(&F)") pos = i;
  }
  CMenu* sub = pos >= 0 ? shapes->GetSubMenu(pos) : NULL;
  if (sub == NULL) return;
  while (sub->GetMenuItemCount() > 0) sub->DeleteMenu(0, MF_BYPOSITION);
  if (GetEditView() == NULL) {
    shapes->EnableMenuItem(pos, MF_BYPOSITION | MF_GRAYED);
    return;
  }
  ReloadFavoriteCategories();
  FillFavoritesSubmenu(sub);
  shapes->EnableMenuItem(pos, MF_BYPOSITION | MF_ENABLED);
}
