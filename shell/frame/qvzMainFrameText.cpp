// The main frame as the view's host for text: the in-place editor, the title dialog and the
// text detail dialog.
#include "PropertyBarTable.h"
#include "jvqBannerStyle.h"
#include "jvqTextFill.h"
#include "jvqTextObject.h"
#include "qvzDrawToolBar.h"
#include "qvzMainFrame.h"
#include "qvzBalloonTextDetail.h"
#include "qvzBannerToolBar.h"
#include "qvzLineTextToolBar.h"
#include "qvzRectToolBars.h"
#include "qvzTextDetailDlg.h"
#include "qvzTextInPlaceEdit.h"
#include "qvzTextToolBar.h"
#include "qvzTitleEditDlg.h"

// The text bars join the bar table, and the balloon bars get their text dialog.
static struct TextBarsJoin {
  TextBarsJoin() {
    RegisterPropertyBar(12, IDD_QVZ_TEXT_BAR, RUNTIME_CLASS(qvzTextToolBar));
    RegisterPropertyBar(15, IDD_QVZ_LINETEXT_BAR, RUNTIME_CLASS(qvzLineTextToolBar));
    RegisterPropertyBar(18, IDD_QVZ_TITLE_BAR, RUNTIME_CLASS(qvzBannerToolBar));
    theBalloonTextDetailProc = qvzBalloonTextDetail;
  }
} theTextBarsJoin;

CWnd* qvzMainFrame::CreateTextEditor(jvqView* pView) {
  qvzTextInPlaceEdit* editor = new qvzTextInPlaceEdit;
  if (!editor->Create(pView)) {
    delete editor;
    return NULL;
  }
  return editor;
}

void qvzMainFrame::BeginTextEditor(CWnd* pEditor, jvqObject* pTextFrame, int nMode, POINT ptLogical) {
  qvzTextInPlaceEdit* editor = DYNAMIC_DOWNCAST(qvzTextInPlaceEdit, pEditor);
  if (editor && pTextFrame && (pTextFrame->GetClassCode() & JVQ_OBJ_TEXT) == JVQ_OBJ_TEXT)
    editor->BeginEdit((jvqTextObject*)pTextFrame, nMode, ptLogical.x, ptLogical.y);
}

BOOL qvzMainFrame::EditTitleStyle(jvqBannerStyle* pStyle, BOOL* pbLocked) {
  qvzTitleEditDlg dlg(this);
  dlg.SetTitleStyle(*pStyle);
  if (dlg.DoModal() != IDOK) return FALSE;
  pStyle->Assign(dlg.m_Style);
  if (pbLocked) *pbLocked = dlg.m_bLocked;
  return TRUE;
}

BOOL qvzMainFrame::EditTextDetail(jvqTextFill* pFill, BOOL bNoLock) {
  qvzTextDetailDlg dlg(this);
  dlg.SetTextStyle(*pFill->RefreshPointers());
  dlg.m_crText = pFill->m_crText;
  dlg.m_bNoPositionLock = bNoLock;
  if (dlg.DoModal() != IDOK) return FALSE;
  jvqTextAttributes edited;
  dlg.GetTextStyle(edited);
  // The painter copies the face and text out of the dialog before it goes.
  pFill->SetTextStyle(&edited);
  pFill->m_crText = dlg.m_crText;
  return TRUE;
}

void qvzMainFrame::EnablePropertyBar(BOOL bEnable) {
  qvzDrawToolBar* bar = DYNAMIC_DOWNCAST(qvzDrawToolBar, m_PropertyBars.GetCurrentBar());
  if (bar && bar->m_hWnd) bar->EnableControls(bEnable);
}
