#include "qvzRectToolBars.h"

#include <stdlib.h>

#include "PropertyBarRules.h"
#include "jvqBalloonObject.h"
#include "jvqRoundRectObject.h"
#include "jvqTextObject.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "qvzMessages.h"
#include "qvzPropertyBarManager.h"

IMPLEMENT_DYNCREATE(qvzRectToolBar, qvzDrawToolBar)
IMPLEMENT_DYNCREATE(qvzRoundRectToolBar, qvzDrawToolBar)
IMPLEMENT_DYNCREATE(qvzRectBalloonToolBar, qvzDrawToolBar)
IMPLEMENT_DYNCREATE(qvzRoundRectBalloonToolBar, qvzRectBalloonToolBar)

BEGIN_MESSAGE_MAP(qvzRoundRectToolBar, qvzDrawToolBar)
  ON_MESSAGE(QVZM_EDITNOTIFY, OnEditNotify)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(qvzRectBalloonToolBar, qvzDrawToolBar)
  ON_BN_CLICKED(IDC_BAR_TEXT_DETAIL, OnTextDetail)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(qvzRoundRectBalloonToolBar, qvzRectBalloonToolBar)
  ON_EN_KILLFOCUS(IDC_BAR_CORNER, OnCornerKillFocus)
END_MESSAGE_MAP()

qvzBalloonTextDetailProc theBalloonTextDetailProc = NULL;

int GetCornerRadius(jvqObject* o) {
  if (o && o->GetClassCode() == JVQ_OBJ_BALLOON) o = static_cast<jvqBalloonObject*>(o)->m_pBody;
  if (o == NULL || !(o->GetClassCode() & 0x800)) return 0;
  return static_cast<jvqRoundRectObject*>(o)->m_nCornerWidth;
}

// Shows the corner of every target with a rounded body; a radius not above 0 leaves the
// text, a differing one empties it. The prototype has no corner to show: the edit is
// emptied and disabled.
static void ShowCorner(CEdit& edit, jvqObjectArray& targets, BOOL bPrototype) {
  if (edit.m_hWnd == NULL) return;
  edit.EnableWindow(!bPrototype);
  if (bPrototype) {
    edit.SetWindowText("");
    return;
  }
  BOOL haveFirst = FALSE;
  int first = 0;
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqObject* o = targets.GetAt(i);
    jvqObject* body = o->GetClassCode() == JVQ_OBJ_BALLOON ? static_cast<jvqBalloonObject*>(o)->m_pBody : o;
    if (body == NULL || !(body->GetClassCode() & 0x800)) continue;
    const int r = GetCornerRadius(o);
    if (!haveFirst) {
      haveFirst = TRUE;
      first = r;
      if (r > 0) edit.SetWindowText(CornerText(r));
    } else if (r != first) {
      edit.SetWindowText("");
    }
  }
}

qvzRectToolBar::qvzRectToolBar()
    : qvzDrawToolBar("作成する矩形のプロパティ", "矩形のプロパティ", JVQ_OBJ_RECT) {}

qvzRoundRectToolBar::qvzRoundRectToolBar()
    : qvzDrawToolBar("作成する丸矩形のプロパティ", "丸矩形のプロパティ", JVQ_OBJ_ROUNDRECT) {}

void qvzRoundRectToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  BindControl(m_wndCorner, IDC_BAR_CORNER);
  qvzDrawToolBar::CreateControls();
}

void qvzRoundRectToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzDrawToolBar::ShowObjectValues(targets);
  if (m_wndCorner.m_hWnd == NULL || targets.GetCount() == 0) return;
  m_bShowingValues = 1;
  ShowCorner(m_wndCorner, targets, targets.GetAt(0) == m_pPrototype);
  m_bShowingValues = 0;
}

// Writes the typed corner size into every target with a rounded body; an empty text or
// the value already shown changes nothing, so Enter and then leaving the edit is one step.
static BOOL ApplyCorner(qvzDrawToolBar* bar, CEdit& edit, BOOL bBalloonBody) {
  CString t;
  edit.GetWindowText(t);
  t.TrimLeft();
  t.TrimRight();
  if (t.IsEmpty()) return FALSE;
  const int v = atoi(t);
  jvqObjectArray targets;
  const int n = bar->CollectTargets(targets);
  if (n == 0) return FALSE;
  BOOL changed = FALSE;
  for (int i = 0; i < targets.GetCount(); i++)
    if (GetCornerRadius(targets.GetAt(i)) / 10 != v || GetCornerRadius(targets.GetAt(i)) <= 0) changed = TRUE;
  if (!changed) return FALSE;
  theUndoManager.BeginEditSelection(targets);
  bar->m_bApplying = 1;
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqObject* o = targets.GetAt(i);
    jvqObject* body = o;
    if (bBalloonBody) {
      if (o->GetClassCode() != JVQ_OBJ_BALLOON) continue;
      body = static_cast<jvqBalloonObject*>(o)->m_pBody;
    }
    if (body == NULL || !(body->GetClassCode() & 0x800)) continue;
    static_cast<jvqRoundRectObject*>(body)->SetCornerRadius(v * 10);
    if (bBalloonBody) o->Recalc();
  }
  bar->m_bApplying = 0;
  theUndoManager.EndEdit();
  if (jvqView* view = bar->GetView()) view->InvalidateAll();
  if (g_pPropertyBarManager) g_pPropertyBarManager->UpdateCurrentBar();
  return TRUE;
}

LRESULT qvzRoundRectToolBar::OnEditNotify(WPARAM wParam, LPARAM) {
  if (wParam != IDC_BAR_CORNER || !CanEdit(m_wndCorner)) return 1;
  ApplyCorner(this, m_wndCorner, FALSE);
  return 1;
}

qvzRectBalloonToolBar::qvzRectBalloonToolBar()
    : qvzDrawToolBar("作成する矩形のプロパティ", "矩形のプロパティ", JVQ_OBJ_BALLOON), m_pTextSample(NULL) {
  // The balloon's own fill paints its body and tail.
  m_dwFillKeepBits &= ~0x80000;
}

qvzRectBalloonToolBar::~qvzRectBalloonToolBar() { delete m_pTextSample; }

void qvzRectBalloonToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  BindControl(m_wndTextDetail, IDC_BAR_TEXT_DETAIL);
  qvzDrawToolBar::CreateControls();
}

void qvzRectBalloonToolBar::TakeTextSample(jvqObject* o) {
  if (o == NULL || o->GetClassCode() != JVQ_OBJ_BALLOON) return;
  jvqTextObject* text = static_cast<jvqBalloonObject*>(o)->GetText();
  delete m_pTextSample;
  m_pTextSample = text ? text->Clone() : NULL;
}

void qvzRectBalloonToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzDrawToolBar::ShowObjectValues(targets);
  if (targets.GetCount() == 0) return;
  m_bShowingValues = 1;
  TakeTextSample(targets.GetAt(0));
  if (m_wndTextDetail.m_hWnd) m_wndTextDetail.EnableWindow(targets.GetAt(0) != m_pPrototype);
  m_bShowingValues = 0;
}

// The dialog runs first, so a cancelled dialog records nothing; OK writes the sample's text
// style and colour into each balloon that has a text, and nothing of the bar's own controls.
void qvzRectBalloonToolBar::OnTextDetail() {
  if (theBalloonTextDetailProc == NULL || m_pTextSample == NULL) return;
  jvqObjectArray shown;
  CollectTargets(shown);
  if (!theBalloonTextDetailProc(this, shown, m_pTextSample)) return;
  jvqTextFill* sample = static_cast<jvqTextObject*>(m_pTextSample)->GetTextFill();
  if (sample == NULL) return;
  jvqObjectArray targets;
  int n = 0;
  BeginTargets(targets, &n);
  if (n > 0 && GetView()) GetView()->SetModifiedFlag(TRUE);
  m_bApplying = 1;
  auto write = [sample](jvqObject* o) {
    if (o == NULL || o->GetClassCode() != JVQ_OBJ_BALLOON) return;
    jvqTextObject* t = static_cast<jvqBalloonObject*>(o)->GetText();
    if (t == NULL || t->GetTextFill() == NULL) return;
    t->GetTextFill()->SetTextStyle(sample->RefreshPointers());
    t->GetTextFill()->m_crText = sample->m_crText;
    t->SetText(sample->m_strText);
    o->Recalc();
  };
  for (int i = 0; i < targets.GetCount(); i++) write(targets.GetAt(i));
  write(m_pPrototype);
  m_bApplying = 0;
  EndTargets(n, FALSE, TRUE);
}

qvzRoundRectBalloonToolBar::qvzRoundRectBalloonToolBar() {
  m_strCreateCaption = "作成する丸矩形のプロパティ";
  m_strSelectCaption = "丸矩形のプロパティ";
}

void qvzRoundRectBalloonToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  BindControl(m_wndCorner, IDC_BAR_CORNER);
  qvzRectBalloonToolBar::CreateControls();
}

void qvzRoundRectBalloonToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzDrawToolBar::ShowObjectValues(targets);
  if (targets.GetCount() == 0) return;
  m_bShowingValues = 1;
  const BOOL bPrototype = targets.GetAt(0) == m_pPrototype;
  ShowCorner(m_wndCorner, targets, bPrototype);
  if (m_wndTextDetail.m_hWnd) m_wndTextDetail.EnableWindow(!bPrototype);
  if (!bPrototype) TakeTextSample(targets.GetAt(0));
  m_bShowingValues = 0;
}

// The balloon's corner is committed on Enter or when the edit is left, not per keystroke.
void qvzRoundRectBalloonToolBar::CommitCorner() {
  if (!CanEdit(m_wndCorner)) return;
  ApplyCorner(this, m_wndCorner, TRUE);
}

void qvzRoundRectBalloonToolBar::OnCornerKillFocus() { CommitCorner(); }

LRESULT qvzRoundRectBalloonToolBar::OnEditNotify(WPARAM, LPARAM) { return 1; }

BOOL qvzRoundRectBalloonToolBar::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && m_wndCorner.m_hWnd && pMsg->hwnd == m_wndCorner.m_hWnd) {
    CommitCorner();
    return TRUE;
  }
  return qvzRectBalloonToolBar::PreTranslateMessage(pMsg);
}
