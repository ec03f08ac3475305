#include "qvzPropertyBarManager.h"

#include <algorithm>

#include "PropertyBarRules.h"
#include "jvqBalloonObject.h"
#include "jvqPolylineObject.h"
#include "jvqTool.h"
#include "jvqView.h"
#include "qvzDialogBar.h"
#include "qvzDrawToolBar.h"

#define PROPERTY_BAR_STYLE (WS_CHILD | CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
// The sides the user may drag a bar to; it floats anywhere else.
#define PROPERTY_BAR_SIDES (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
// The in-place text editor of the view; while it shows, the focus stays with it.
#define IDC_TEXT_EDITOR 115

qvzPropertyBarManager* g_pPropertyBarManager = NULL;
void (*theRefreshFontsProc)() = NULL;

qvzPropertyBarManager::qvzPropertyBarManager() : m_pFrame(NULL), m_pCurrentBar(NULL) {}

qvzPropertyBarManager::~qvzPropertyBarManager() {
  for (CControlBar* b : m_Retired) delete b;
  m_Retired.clear();
  delete m_pCurrentBar;
  m_pCurrentBar = NULL;
  for (PropertyBarEntry* e : m_entries) delete e;
  if (g_pPropertyBarManager == this) g_pPropertyBarManager = NULL;
}

BOOL qvzPropertyBarManager::Create(CFrameWnd* pFrame) {
  if (pFrame == NULL) return FALSE;
  m_pFrame = pFrame;
  g_pPropertyBarManager = this;
  for (PropertyBarEntry* e : m_entries) delete e;
  m_entries.clear();
  for (int i = 0; PropertyBarTable[i].nTemplateId != 0; i++) m_entries.push_back(new PropertyBarEntry(PropertyBarTable[i]));
  if (m_entries.empty() || m_entries[0]->pClass == NULL) return FALSE;
  CDialogBar* bar = (CDialogBar*)m_entries[0]->pClass->CreateObject();
  if (bar == NULL) return FALSE;
  if (!bar->Create(pFrame, m_entries[0]->nTemplateId, PROPERTY_BAR_STYLE, m_entries[0]->nTemplateId)) {
    delete bar;
    return FALSE;
  }
  bar->ShowWindow(SW_HIDE);
  // Docked at the right side, from where the user can drag it off to float.
  bar->EnableDocking(PROPERTY_BAR_SIDES);
  pFrame->DockControlBar(bar, AFX_IDW_DOCKBAR_RIGHT);
  m_pCurrentBar = bar;
  return TRUE;
}

jvqView* qvzPropertyBarManager::GetActiveView() {
  if (m_pFrame == NULL || m_pFrame->m_hWnd == NULL) return NULL;
  CView* v = m_pFrame->GetActiveView();
  return v && v->IsKindOf(RUNTIME_CLASS(jvqView)) ? (jvqView*)v : NULL;
}

CControlBar* qvzPropertyBarManager::GetBar(const PropertyBarEntry& entry) {
  if (m_pCurrentBar && (UINT)m_pCurrentBar->GetDlgCtrlID() == entry.nTemplateId) return m_pCurrentBar;
  if (entry.pClass == NULL || m_pFrame == NULL) return NULL;
  m_pFrame->BeginWaitCursor();
  CDialogBar* bar = (CDialogBar*)entry.pClass->CreateObject();
  if (bar == NULL || !bar->Create(m_pFrame, entry.nTemplateId, PROPERTY_BAR_STYLE, entry.nTemplateId)) {
    delete bar;  // a failed bar leaves nothing behind
    m_pFrame->EndWaitCursor();
    return NULL;
  }
  bar->EnableDocking(PROPERTY_BAR_SIDES);
  m_pFrame->ShowControlBar(bar, FALSE, FALSE);
  m_pFrame->EndWaitCursor();
  return bar;
}

CControlBar* qvzPropertyBarManager::ChooseBar() {
  jvqView* view = GetActiveView();
  const int tool = view && view->m_pTool ? view->m_pTool->m_nToolId : 0;
  std::vector<BarChoiceItem> items;
  const int n = view ? view->GetSelectedCount() : 0;
  for (int i = 0; i < n; i++) {
    jvqObject* o = view->GetSelectedObject(i);
    if (o == NULL) continue;
    BarChoiceItem it = {o->GetClassCode(), FALSE, 0};
    if (o->GetClassCode() & 4) it.bOpen = static_cast<jvqPolylineObject*>(o)->IsOpen();
    if (o->GetClassCode() == JVQ_OBJ_BALLOON) {
      jvqBalloonObject* b = static_cast<jvqBalloonObject*>(o);
      it.nBodyCode = b->m_pBody ? b->m_pBody->GetClassCode() : 0;
    }
    items.push_back(it);
  }
  const int row = ChooseBarRow(tool, items.data(), (int)items.size());
  if (row == BARROW_KEEP) return m_pCurrentBar;
  if (row < 0 || row >= (int)m_entries.size()) return NULL;
  CControlBar* bar = GetBar(*m_entries[row]);
  if (bar && row == BARROW_SYMBOL_PALETTE && theSetPaletteKindProc) theSetPaletteKindProc(bar, tool);
  return bar;
}

void qvzPropertyBarManager::RetireBar(CControlBar* pBar) {
  if (pBar == NULL) return;
  m_pFrame->RemoveControlBar(pBar);
  qvzDialogBar* d = DYNAMIC_DOWNCAST(qvzDialogBar, pBar);
  if (d && d->m_nHandlerDepth > 0) {
    // Its handler is still running: the bar goes when the handler has returned.
    pBar->ShowWindow(SW_HIDE);
    m_Retired.push_back(pBar);
    d->m_bRetired = TRUE;
    return;
  }
  DeleteRetiredBar(pBar);
}

void qvzPropertyBarManager::DeleteRetiredBar(CControlBar* pBar) {
  m_Retired.erase(std::remove(m_Retired.begin(), m_Retired.end(), pBar), m_Retired.end());
  // A floating bar's small frame goes with it.
  CWnd* mini = pBar->IsFloating() && pBar->m_pDockBar ? pBar->m_pDockBar->GetParent() : NULL;
  pBar->DestroyWindow();
  delete pBar;
  if (mini && mini->m_hWnd) mini->DestroyWindow();
}

void qvzPropertyBarManager::SwitchBar(CControlBar* pOldBar, BOOL bForce) {
  jvqView* view = GetActiveView();
  if (view == NULL) return;
  CControlBar* newBar = ChooseBar();
  if (theRefreshFontsProc) theRefreshFontsProc();
  const BOOL enable = !(view->m_pTool && view->m_pTool->m_bBusy);
  qvzDialogBar* newDlg = DYNAMIC_DOWNCAST(qvzDialogBar, newBar);
  qvzDrawToolBar* newDraw = DYNAMIC_DOWNCAST(qvzDrawToolBar, newBar);
  BOOL bWaiting = FALSE;
  if (newBar && pOldBar && pOldBar->m_hWnd) {
    if (!bForce && pOldBar == newBar && m_pCurrentBar && (m_pCurrentBar->GetStyle() & WS_VISIBLE)) {
      if (newDlg) newDlg->Refresh();
      if (newDraw) newDraw->EnableControls(enable);
    } else {
      AfxGetApp()->BeginWaitCursor();
      bWaiting = TRUE;
      m_pCurrentBar = newBar;
      if (pOldBar->IsFloating()) {
        m_pFrame->SendMessage(WM_SETREDRAW, FALSE);
        CRect rcOld;
        pOldBar->GetWindowRect(rcOld);
        m_pFrame->FloatControlBar(newBar, rcOld.TopLeft(), CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
        CRect rcNew;
        newBar->GetWindowRect(rcNew);
        m_pFrame->FloatControlBar(newBar, CPoint(rcOld.left + (rcOld.left - rcNew.left), rcOld.top + (rcOld.top - rcNew.top)),
                                  CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
        m_pFrame->ShowControlBar(newBar, TRUE, FALSE);
        // Docked again, the new bar goes where the old one was docked last.
        if (pOldBar != newBar) {
          newBar->m_nLastDockBarID = pOldBar->m_nLastDockBarID;
          newBar->m_nLastDockIndex = pOldBar->m_nLastDockIndex;
          RetireBar(pOldBar);
        }
        m_pFrame->SendMessage(WM_SETREDRAW, TRUE);
        if (newDlg) newDlg->Refresh();
        if (newDraw) newDraw->EnableControls(enable);
        newBar->Invalidate(TRUE);
        m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      } else {
        if (newDlg) newDlg->m_bFirstShow = 1;
        // Into the old bar's place at the side the user docked it at.
        if (pOldBar != newBar && pOldBar->m_pDockBar != NULL && newBar->m_pDockBar != pOldBar->m_pDockBar) {
          CRect rcOld;
          pOldBar->GetWindowRect(rcOld);
          m_pFrame->DockControlBar(newBar, pOldBar->m_pDockBar, rcOld);
        }
        newBar->ShowWindow(SW_SHOW);
        if (newBar->GetDlgCtrlID() != pOldBar->GetDlgCtrlID()) RetireBar(pOldBar);
        m_pFrame->ShowControlBar(newBar, TRUE, FALSE);
      }
    }
  } else if (newBar && newBar != m_pCurrentBar && newBar != pOldBar) {
    // Made but not taken: never left behind.
    newBar->DestroyWindow();
    delete newBar;
  }
  CWnd* editor = view->GetDlgItem(IDC_TEXT_EDITOR);
  if (!(editor && editor->IsWindowVisible())) view->SetFocus();
  if (bWaiting) AfxGetApp()->EndWaitCursor();
}

void qvzPropertyBarManager::UpdateCurrentBar() {
  if (m_pCurrentBar && m_pCurrentBar->m_hWnd) SwitchBar(m_pCurrentBar, FALSE);
}

void qvzPropertyBarManager::ShowBar(BOOL bShow) {
  if (bShow) {
    SwitchBar(m_pCurrentBar, FALSE);
    if (m_pFrame && m_pFrame->m_hWnd) m_pFrame->Invalidate(TRUE);
    if (m_pCurrentBar && m_pCurrentBar->m_hWnd) m_pCurrentBar->Invalidate(TRUE);
  } else if (m_pCurrentBar && m_pCurrentBar->m_hWnd) {
    m_pFrame->ShowControlBar(m_pCurrentBar, FALSE, FALSE);
  }
}

void qvzPropertyBarManager::RefreshBar() {
  if (qvzDialogBar* d = DYNAMIC_DOWNCAST(qvzDialogBar, m_pCurrentBar)) d->Refresh();
}
