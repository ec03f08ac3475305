#include "qvzArcToolBars.h"

#include "PropertyBarRules.h"
#include "jvqEllipticObject.h"

IMPLEMENT_DYNCREATE(qvzChordToolBar, qvzDrawToolBar)
IMPLEMENT_DYNCREATE(qvzPieToolBar, qvzChordToolBar)
IMPLEMENT_DYNCREATE(qvzArcToolBar, qvzChordToolBar)

BEGIN_MESSAGE_MAP(qvzArcToolBar, qvzChordToolBar)
  ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_BAR_START_SHAPE, IDC_BAR_END_SHAPE, OnLineEndChange)
END_MESSAGE_MAP()

BOOL GetShapeAngles(jvqObject* o, int* pStart, int* pEnd) {
  if (o == NULL) return FALSE;
  const int code = o->GetClassCode();
  if (code == JVQ_OBJ_ARC) {
    *pStart = static_cast<jvqArcObject*>(o)->GetStartAngle();
    *pEnd = static_cast<jvqArcObject*>(o)->GetEndAngle();
    return TRUE;
  }
  if (code == JVQ_OBJ_PIE || code == JVQ_OBJ_CHORD) {
    *pStart = static_cast<jvqPieObject*>(o)->GetStartAngle();
    *pEnd = static_cast<jvqPieObject*>(o)->GetEndAngle();
    return TRUE;
  }
  return FALSE;
}

void SetShapeAngle(jvqObject* o, BOOL bStart, int a) {
  const int code = o->GetClassCode();
  if (code == JVQ_OBJ_ARC) {
    jvqArcObject* arc = static_cast<jvqArcObject*>(o);
    bStart ? arc->SetStartAngle(a) : arc->SetEndAngle(a);
  } else if (code == JVQ_OBJ_PIE || code == JVQ_OBJ_CHORD) {
    jvqPieObject* pie = static_cast<jvqPieObject*>(o);
    bStart ? pie->SetStartAngle(a) : pie->SetEndAngle(a);
  }
}

qvzChordToolBar::qvzChordToolBar()
    : qvzDrawToolBar("作成する部分円のプロパティ", "部分円のプロパティ", JVQ_OBJ_CHORD), m_dwClassBit(0x2000) {}

qvzPieToolBar::qvzPieToolBar() {
  m_nKind = JVQ_OBJ_PIE;
  m_dwClassBit = 0x4000;
}

void qvzChordToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  static const char* const angles[] = {"0", "45", "90", "135", "180", "225", "270", "315"};
  qvzValueComboBox* boxes[] = {&m_wndStartAngle, &m_wndEndAngle};
  const UINT ids[] = {IDC_BAR_START_ANGLE, IDC_BAR_END_ANGLE};
  for (int b = 0; b < 2; b++) {
    if (!GetDlgItem(ids[b]) || !boxes[b]->SubclassDlgItem(ids[b], this)) continue;
    boxes[b]->SetAnyNumber(TRUE);
    for (const char* a : angles) boxes[b]->AddValue(a);
    boxes[b]->SelectValue(b == 0 ? "0" : "45");
  }
  qvzDrawToolBar::CreateControls();
}

void qvzChordToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzDrawToolBar::ShowObjectValues(targets);
  m_bShowingValues = 1;
  int firstStart = 0, firstEnd = 0;
  BOOL haveFirst = FALSE;
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqObject* o = targets.GetAt(i);
    int s, e;
    if (!(o->GetClassCode() & m_dwClassBit) || !GetShapeAngles(o, &s, &e)) continue;
    CString t;
    if (!haveFirst) {
      haveFirst = TRUE;
      firstStart = s;
      firstEnd = e;
      t.Format("%d", ShownAngle(s));
      m_wndStartAngle.SelectValue(t);
      t.Format("%d", ShownAngle(e));
      m_wndEndAngle.SelectValue(t);
      continue;
    }
    if (s != firstStart) m_wndStartAngle.ShowText("");
    if (e != firstEnd) m_wndEndAngle.ShowText("");
  }
  m_bShowingValues = 0;
}

void qvzChordToolBar::EnableControls(BOOL bEnable) {
  qvzDrawToolBar::EnableControls(bEnable);
  if (m_wndStartAngle.m_hWnd) m_wndStartAngle.EnableWindow(bEnable);
  if (m_wndEndAngle.m_hWnd) m_wndEndAngle.EnableWindow(bEnable);
}

void qvzChordToolBar::OnValueChanged(UINT nControlId, const CString& strText) {
  qvzDrawToolBar::OnValueChanged(nControlId, strText);
  if (nControlId != IDC_BAR_START_ANGLE && nControlId != IDC_BAR_END_ANGLE) return;
  const BOOL bStart = nControlId == IDC_BAR_START_ANGLE;
  if (!CanEdit(bStart ? m_wndStartAngle : m_wndEndAngle)) return;
  int a;
  if (!StoredAngleFromText(strText, &a)) return;
  const DWORD bit = m_dwClassBit;
  jvqObjectArray targets;
  int n = 0;
  BeginTargets(targets, &n);
  m_bApplying = 1;
  for (int i = 0; i < targets.GetCount(); i++)
    if (targets.GetAt(i)->GetClassCode() & bit) SetShapeAngle(targets.GetAt(i), bStart, a);
  if (m_pPrototype && (m_pPrototype->GetClassCode() & bit)) SetShapeAngle(m_pPrototype, bStart, a);
  m_bApplying = 0;
  EndTargets(n, FALSE, m_nKind == JVQ_OBJ_CHORD);
}

qvzArcToolBar::qvzArcToolBar() : m_LineEnds(0x8000) {
  m_nKind = JVQ_OBJ_ARC;
  m_dwClassBit = 0x8000;
}

void qvzArcToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  m_LineEnds.Create(this);
  qvzChordToolBar::CreateControls();
}

void qvzArcToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzChordToolBar::ShowObjectValues(targets);
  m_bShowingValues = 1;
  m_LineEnds.Show(targets);
  m_bShowingValues = 0;
}

void qvzArcToolBar::ApplyToObjects(jvqObjectArray& targets) {
  if (m_bShowingValues || m_bApplying) return;
  m_bApplying = 1;
  m_LineEnds.Apply(targets, m_pPrototype);
  m_bApplying = 0;
}

void qvzArcToolBar::EnableControls(BOOL bEnable) {
  qvzChordToolBar::EnableControls(bEnable);
  m_LineEnds.Enable(bEnable);
}

void qvzArcToolBar::OnLineEndChange(UINT nId) { m_LineEnds.OnChange(this, nId, FALSE); }
