#include "qvzLineEndBoxes.h"

#include "PropertyBarRules.h"
#include "jvqEllipticObject.h"
#include "jvqPolylineObject.h"
#include "qvzDrawToolBar.h"
#include "qvzLineEndPainters.h"

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

void SetLineEnd(jvqObject* pObject, BOOL bStart, int nItem) {
  jvqLineEnd* target = bStart ? GetStartLineEnd(pObject) : GetEndLineEnd(pObject);
  jvqLineEnd* style = GetLineEnd(LineEndIndexToKind(nItem));
  if (target && style) *target = *style;
}

qvzLineEndBoxes::qvzLineEndBoxes(DWORD dwClassBit) : m_wndEndShape(0), m_wndStartShape(0), m_dwClassBit(dwClassBit) {}

void qvzLineEndBoxes::Create(qvzDrawToolBar* pBar) {
  if (pBar->BindControl(m_wndEndShape, IDC_BAR_END_SHAPE)) FillLineEndCombo(m_wndEndShape);
  if (pBar->BindControl(m_wndStartShape, IDC_BAR_START_SHAPE)) FillLineEndCombo(m_wndStartShape);
}

void qvzLineEndBoxes::Show(jvqObjectArray& targets) {
  jvqObject* first = NULL;
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqObject* o = targets.GetAt(i);
    if (!(o->GetClassCode() & m_dwClassBit)) continue;
    jvqLineEnd* s = GetStartLineEnd(o);
    jvqLineEnd* e = GetEndLineEnd(o);
    if (s == NULL || e == NULL) continue;
    if (first == NULL) {
      first = o;
      if (m_wndStartShape.m_hWnd) m_wndStartShape.SetCurSel(LineEndKindToIndex(s->m_nKind));
      if (m_wndEndShape.m_hWnd) m_wndEndShape.SetCurSel(LineEndKindToIndex(e->m_nKind));
      continue;
    }
    if (m_wndStartShape.m_hWnd && s->m_nKind != GetStartLineEnd(first)->m_nKind) m_wndStartShape.SetCurSel(0);
    if (m_wndEndShape.m_hWnd && e->m_nKind != GetEndLineEnd(first)->m_nKind) m_wndEndShape.SetCurSel(0);
  }
}

void qvzLineEndBoxes::Apply(jvqObjectArray& targets, jvqObject* pPrototype) {
  auto apply = [&](jvqObject* o) {
    if (!(o->GetClassCode() & m_dwClassBit)) return;
    if (m_wndStartShape.m_hWnd) SetLineEnd(o, TRUE, m_wndStartShape.GetCurSel());
    if (m_wndEndShape.m_hWnd) SetLineEnd(o, FALSE, m_wndEndShape.GetCurSel());
  };
  for (int i = 0; i < targets.GetCount(); i++) apply(targets.GetAt(i));
  if (pPrototype) apply(pPrototype);
}

void qvzLineEndBoxes::Enable(BOOL bEnable) {
  if (m_wndStartShape.m_hWnd) m_wndStartShape.EnableWindow(bEnable);
  if (m_wndEndShape.m_hWnd) m_wndEndShape.EnableWindow(bEnable);
}

void qvzLineEndBoxes::OnChange(qvzDrawToolBar* pBar, UINT nId, BOOL bInvalidateOnly) {
  if (nId != IDC_BAR_START_SHAPE && nId != IDC_BAR_END_SHAPE) return;
  const BOOL bStart = nId == IDC_BAR_START_SHAPE;
  CLineEndCombo& box = bStart ? m_wndStartShape : m_wndEndShape;
  if (!pBar->CanEdit(box)) return;
  const int nItem = box.GetCurSel();
  jvqObjectArray targets;
  int n = 0;
  pBar->BeginTargets(targets, &n);
  pBar->m_bApplying = 1;
  for (int i = 0; i < targets.GetCount(); i++)
    if (targets.GetAt(i)->GetClassCode() & m_dwClassBit) SetLineEnd(targets.GetAt(i), bStart, nItem);
  jvqObject* proto = pBar->m_pPrototype;
  if (proto && (proto->GetClassCode() & m_dwClassBit)) SetLineEnd(proto, bStart, nItem);
  pBar->m_bApplying = 0;
  pBar->EndTargets(n, FALSE, bInvalidateOnly);
}
