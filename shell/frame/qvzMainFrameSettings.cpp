// The settings dialogs as the main frame opens them: for the view through the host calls,
// and the settings commands the view leaves to its frame.
#include "jvqBoard.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzAutoSaveDlg.h"
#include "qvzCatalogPasteSettingsDlg.h"
#include "qvzDocument.h"
#include "qvzGridDlg.h"
#include "qvzLockNoticeDlg.h"
#include "qvzMainFrame.h"
#include "qvzPaperSetupDlg.h"
#include "qvzPrintOffsetDlg.h"
#include "qvzRotateAngleDlg.h"
#include "qvzScaleDlg.h"
#include "qvzView.h"
#include "resource.h"

BOOL qvzMainFrame::EditPrintOffset(POINT* pOffset) {
  qvzPrintOffsetDlg dlg(this);
  dlg.SetOffset(pOffset->x, pOffset->y);
  if (dlg.DoModal() != IDOK) return FALSE;
  int x = 0, y = 0;
  dlg.GetOffset(&x, &y);
  pOffset->x = x;
  pOffset->y = y;
  theQvzApp()->m_Settings.ptPrintOffset = *pOffset;
  return TRUE;
}

BOOL qvzMainFrame::AskRotateAngle(int* pAngle) {
  qvzRotateAngleDlg dlg(this);
  dlg.m_nAngle = *pAngle;
  if (dlg.DoModal() != IDOK) return FALSE;
  *pAngle = dlg.m_nAngle;
  return TRUE;
}

BOOL qvzMainFrame::AskFloorPlanScale(int* pScale) {
  qvzFloorPlanScaleDlg dlg(this);
  dlg.m_nScale = *pScale;
  if (dlg.DoModal() != IDOK) return FALSE;
  *pScale = dlg.m_nScale;
  return TRUE;
}

BOOL qvzMainFrame::ShowLockNotice(BOOL* pbDontShowAgain) {
  qvzLockNoticeDlg dlg(this);
  dlg.DoModal();
  *pbDontShowAgain = dlg.m_nDontShowAgain != 0;
  return TRUE;
}

static BOOL IsSettingsCommand(UINT nID) {
  return nID == ID_ORGANIZE_FAVORITES || nID == ID_AUTOSAVE_SETTINGS || nID == ID_PAPER_SETTINGS || nID == ID_GRID_SETTINGS ||
         nID == ID_SCALE_SETTINGS;
}

BOOL qvzMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // After an extraction the view makes the perspective tool current; the palette, when it
  // is shown already, lists its pictures again.
  if (nID == 32984 && nCode == CN_COMMAND && pHandlerInfo == NULL) {
    const BOOL done = jvqFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    RedrawPerspectivePalette();
    return done;
  }
  if (jvqFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (!IsSettingsCommand(nID) || pHandlerInfo != NULL) return FALSE;
  if (nCode == CN_UPDATE_COMMAND_UI) {
    ((CCmdUI*)pExtra)->Enable(nID == ID_AUTOSAVE_SETTINGS || GetEditView() != NULL);
    return TRUE;
  }
  if (nCode != CN_COMMAND) return FALSE;
  return RunSettingsCommand(nID);
}

BOOL qvzMainFrame::RunSettingsCommand(UINT nID) {
  qvzAppSettings& s = theQvzApp()->m_Settings;
  jvqView* view = GetEditView();
  if (nID == ID_ORGANIZE_FAVORITES) {
    if (view) OnOrganizeFavorites();
    return TRUE;
  }
  if (nID == ID_AUTOSAVE_SETTINGS) {
    if (view) view->SetFocus();
    KillTimer(QVZ_AUTOSAVE_TIMER);
    qvzAutoSaveDlg dlg(this);
    dlg.SetInterval((UINT)(s.nAutoSaveInterval > 0 ? s.nAutoSaveInterval : 0));
    if (dlg.DoModal() == IDOK) s.nAutoSaveInterval = (int)dlg.GetInterval();
    if (s.nAutoSaveInterval > 0) SetTimer(QVZ_AUTOSAVE_TIMER, s.nAutoSaveInterval, NULL);
    return TRUE;
  }
  if (view == NULL) return TRUE;
  if (nID == ID_PAPER_SETTINGS) {
    qvzPaperSetupDlg dlg(this);
    dlg.SetView(view);
    dlg.SetOutsideColorSetting(&s.crBackground);
    if (dlg.DoModal() == IDOK) {
      view->SetModifiedFlag(TRUE);
      UpdateControlBars();
    }
  } else if (nID == ID_GRID_SETTINGS) {
    qvzGridDlg dlg(this);
    dlg.SetOwnerView(view);
    dlg.SetSettings(&s);
    dlg.DoModal();
  } else if (nID == ID_SCALE_SETTINGS) {
    qvzScaleDlg dlg(&s.nSymbolScale, this);
    if (dlg.DoModal() == IDOK) s.nSymbolScale = dlg.m_nScale;
  }
  return TRUE;
}

// The view's settings commands reach the same dialogs through the host; the view does the
// rest (modified flag, timer, profile), so these only ask.
BOOL qvzMainFrame::EditPaperSettings(jvqView* pView) {
  if (pView == NULL) return FALSE;
  qvzPaperSetupDlg dlg(this);
  dlg.SetView(pView);
  dlg.SetOutsideColorSetting(&theQvzApp()->m_Settings.crBackground);
  if (dlg.DoModal() != IDOK) return FALSE;
  UpdateControlBars();
  return TRUE;
}

BOOL qvzMainFrame::EditGridSettings(jvqView* pView) {
  if (pView == NULL) return FALSE;
  qvzGridDlg dlg(this);
  dlg.SetOwnerView(pView);
  dlg.SetSettings(&theQvzApp()->m_Settings);
  return dlg.DoModal() == IDOK;
}

BOOL qvzMainFrame::EditCatalogPasteSettings(jvqView* pView) {
  qvzView* view = DYNAMIC_DOWNCAST(qvzView, pView);
  if (view == NULL) return FALSE;
  qvzCatalogPasteSettingsDlg dlg(this);
  dlg.SetSettings(view->m_pCatalogSettings);
  if (dlg.DoModal() != IDOK) return FALSE;
  delete view->m_pCatalogSettings;
  view->m_pCatalogSettings = dlg.GetSettings();
  return TRUE;
}

BOOL qvzMainFrame::EditAutoSaveInterval(int* pInterval) {
  qvzAppSettings& s = theQvzApp()->m_Settings;
  qvzAutoSaveDlg dlg(this);
  dlg.SetInterval((UINT)(s.nAutoSaveInterval > 0 ? s.nAutoSaveInterval : 0));
  const BOOL bOk = dlg.DoModal() == IDOK;
  if (bOk) s.nAutoSaveInterval = (int)dlg.GetInterval();
  *pInterval = s.nAutoSaveInterval;
  // The settings record is written at exit and the view restarts the timer from the
  // profile: both hold the same period, whether the dialog ended with OK or Cancel.
  AfxGetApp()->WriteProfileInt("AutoSave", "Interval", s.nAutoSaveInterval);
  return bOk;
}

BOOL qvzMainFrame::EditSymbolScale(int* pN) {
  int n = *pN;
  qvzScaleDlg dlg(&n, this);
  if (dlg.DoModal() != IDOK) return FALSE;
  *pN = dlg.m_nScale;
  theQvzApp()->m_Settings.nSymbolScale = *pN == 0 ? 100 : *pN;
  return TRUE;
}
