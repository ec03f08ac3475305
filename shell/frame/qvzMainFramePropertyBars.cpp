// The view reaches the property-bar manager through the frame.
#include "qvzApp.h"
#include "qvzMainFrame.h"
#include "qvzPagePreviewView.h"
#include "qvzSelectToolBar.h"

// The select bar's page list is the library's page preview view.
static CWnd* CreatePagePreview(qvzSelectToolBar* pBar, const RECT& rc, UINT nID) {
  qvzPagePreviewView* view = (qvzPagePreviewView*)RUNTIME_CLASS(qvzPagePreviewView)->CreateObject();
  if (view == NULL) return NULL;
  // A view window deletes itself when it goes; one that was never made is deleted here.
  if (!view->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, rc, pBar, nID)) {
    delete view;
    return NULL;
  }
  view->m_bDragHandOff = 0;
  return view;
}

static void UpdatePagePreview(CWnd* pPreview, SIZE cell, int nHorzGap, int nVertGap, BOOL) {
  qvzPagePreviewView* view = DYNAMIC_DOWNCAST(qvzPagePreviewView, pPreview);
  if (view == NULL) return;
  view->SetCellSize(cell.cx, cell.cy);
  view->m_nHorzGap = nHorzGap;
  view->m_nVertGap = nVertGap;
  // The cells show the document's thumbnails, which may have been made again.
  view->UpdatePages();
  view->m_bDragHandOff = 0;
}

static void RefreshFonts() {
  if (qvzApp* app = theQvzApp()) app->RefreshFontsIfPrinterChanged();
}

static struct PropertyBarsJoin {
  PropertyBarsJoin() {
    thePagePreviewHooks.pfnCreate = CreatePagePreview;
    thePagePreviewHooks.pfnUpdate = UpdatePagePreview;
    theRefreshFontsProc = RefreshFonts;
  }
} thePropertyBarsJoin;

void qvzMainFrame::SwitchBar(BOOL bForce) { m_PropertyBars.SwitchBar(m_PropertyBars.GetCurrentBar(), bForce); }

void qvzMainFrame::UpdateCurrentBar() { m_PropertyBars.UpdateCurrentBar(); }

void qvzMainFrame::ShowBar(BOOL bShow) { m_PropertyBars.ShowBar(bShow); }

void qvzMainFrame::OnObjectCreated(jvqObject* pObject) { m_PropertyBars.OnObjectCreated(pObject); }

qvzSelectToolBar* qvzMainFrame::GetSelectToolBar() {
  return DYNAMIC_DOWNCAST(qvzSelectToolBar, m_PropertyBars.GetCurrentBar());
}
