#include "qvzLineToolBar.h"

#include "PropertyBarRules.h"
#include "jvqEllipticObject.h"
#include "jvqLineEnd.h"
#include "jvqPolylineObject.h"
#include "qvzLineEndPainters.h"

IMPLEMENT_DYNCREATE(qvzLineToolBar, qvzDrawToolBar)

BEGIN_MESSAGE_MAP(qvzLineToolBar, qvzDrawToolBar)
  ON_CBN_SELCHANGE(IDC_BAR_START_SHAPE, OnStartShapeChange)
  ON_CBN_SELCHANGE(IDC_BAR_END_SHAPE, OnEndShapeChange)
END_MESSAGE_MAP()

jvqLineEnd* GetStartLineEnd(jvqObject* o) {
  if (o == NULL) return NULL;
  if (o->GetClassCode() == JVQ_OBJ_ARC) return &static_cast<jvqArcObject*>(o)->m_StartLineEnd;
  if (o->GetClassCode() & 4) return &static_cast<jvqPolylineObject*>(o)->m_StartLineEnd;
  return NULL;
}

jvqLineEnd* GetEndLineEnd(jvqObject* o) {
  if (o == NULL) return NULL;
  if (o->GetClassCode() == JVQ_OBJ_ARC) return &static_cast<jvqArcObject*>(o)->m_EndLineEnd;
  if (o->GetClassCode() & 4) return &static_cast<jvqPolylineObject*>(o)->m_EndLineEnd;
  return NULL;
}

void ShowLineEnds(jvqObjectArray& targets, DWORD dwClassBit, CLineEndCombo& start, CLineEndCombo& end) {
  jvqObject* first = NULL;
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqObject* o = targets.GetAt(i);
    if (!(o->GetClassCode() & dwClassBit)) continue;
    jvqLineEnd* s = GetStartLineEnd(o);
    jvqLineEnd* e = GetEndLineEnd(o);
    if (s == NULL || e == NULL) continue;
    if (first == NULL) {
      first = o;
      if (start.m_hWnd) start.SetCurSel(LineEndKindToIndex(s->m_nKind));
      if (end.m_hWnd) end.SetCurSel(LineEndKindToIndex(e->m_nKind));
      continue;
    }
    if (start.m_hWnd && s->m_nKind != GetStartLineEnd(first)->m_nKind) start.SetCurSel(0);
    if (end.m_hWnd && e->m_nKind != GetEndLineEnd(first)->m_nKind) end.SetCurSel(0);
  }
}

void SetLineEnd(jvqObject* pObject, BOOL bStart, int nItem) {
  jvqLineEnd* target = bStart ? GetStartLineEnd(pObject) : GetEndLineEnd(pObject);
  jvqLineEnd* style = GetLineEnd(LineEndIndexToKind(nItem));
  if (target && style) *target = *style;
}

void ApplyLineEndBoxes(jvqObjectArray& targets, jvqObject* pPrototype, DWORD dwClassBit, CLineEndCombo& start,
                       CLineEndCombo& end) {
  auto apply = [&](jvqObject* o) {
    if (!(o->GetClassCode() & dwClassBit)) return;
    if (start.m_hWnd) SetLineEnd(o, TRUE, start.GetCurSel());
    if (end.m_hWnd) SetLineEnd(o, FALSE, end.GetCurSel());
  };
  for (int i = 0; i < targets.GetCount(); i++) apply(targets.GetAt(i));
  if (pPrototype) apply(pPrototype);
}

void ChangeOneLineEnd(qvzDrawToolBar* pBar, DWORD dwClassBit, BOOL bStart, int nItem, BOOL bInvalidateOnly) {
  jvqObjectArray targets;
  int n = 0;
  pBar->BeginTargets(targets, &n);
  pBar->m_bApplying = 1;
  for (int i = 0; i < targets.GetCount(); i++)
    if (targets.GetAt(i)->GetClassCode() & dwClassBit) SetLineEnd(targets.GetAt(i), bStart, nItem);
  jvqObject* proto = pBar->m_pPrototype;
  if (proto && (proto->GetClassCode() & dwClassBit)) SetLineEnd(proto, bStart, nItem);
  pBar->m_bApplying = 0;
  pBar->EndTargets(n, FALSE, bInvalidateOnly);
}

qvzLineToolBar::qvzLineToolBar() : m_wndEndShape(0), m_wndStartShape(0) {
  m_strCreateCaption = "作成する線のプロパティ";
  m_strSelectCaption = "線のプロパティ";
  m_nKind = JVQ_OBJ_POLYLINE;
}

void qvzLineToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  if (m_wndStartShape.SubclassDlgItem(IDC_BAR_START_SHAPE, this)) FillLineEndCombo(m_wndStartShape);
  if (m_wndEndShape.SubclassDlgItem(IDC_BAR_END_SHAPE, this)) FillLineEndCombo(m_wndEndShape);
  qvzDrawToolBar::CreateControls();
}

void qvzLineToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzDrawToolBar::ShowObjectValues(targets);
  m_bShowingValues = 1;
  ShowLineEnds(targets, 4, m_wndStartShape, m_wndEndShape);
  m_bShowingValues = 0;
}

// Both ends from the two boxes; the handlers write one end each.
void qvzLineToolBar::ApplyToObjects(jvqObjectArray& targets) {
  if (m_bShowingValues || m_bApplying || targets.GetCount() == 0) return;
  m_bApplying = 1;
  ApplyLineEndBoxes(targets, m_pPrototype, 4, m_wndStartShape, m_wndEndShape);
  m_bApplying = 0;
}

void qvzLineToolBar::EnableControls(BOOL bEnable) {
  qvzDrawToolBar::EnableControls(bEnable);
  if (m_wndStartShape.m_hWnd) m_wndStartShape.EnableWindow(bEnable);
  if (m_wndEndShape.m_hWnd) m_wndEndShape.EnableWindow(bEnable);
}

void qvzLineToolBar::OnShapeChange(BOOL bStart) {
  CLineEndCombo& box = bStart ? m_wndStartShape : m_wndEndShape;
  if (!CanEdit(box)) return;
  ChangeOneLineEnd(this, 4, bStart, box.GetCurSel(), TRUE);
}

void qvzLineToolBar::OnStartShapeChange() { OnShapeChange(TRUE); }
void qvzLineToolBar::OnEndShapeChange() { OnShapeChange(FALSE); }
