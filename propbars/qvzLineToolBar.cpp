#include "qvzLineToolBar.h"

IMPLEMENT_DYNCREATE(qvzLineToolBar, qvzDrawToolBar)

BEGIN_MESSAGE_MAP(qvzLineToolBar, qvzDrawToolBar)
  ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_BAR_START_SHAPE, IDC_BAR_END_SHAPE, OnLineEndChange)
END_MESSAGE_MAP()

qvzLineToolBar::qvzLineToolBar() : qvzDrawToolBar("作成する線のプロパティ", "線のプロパティ", JVQ_OBJ_POLYLINE), m_LineEnds(4) {}

void qvzLineToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  m_LineEnds.Create(this);
  qvzDrawToolBar::CreateControls();
}

void qvzLineToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzDrawToolBar::ShowObjectValues(targets);
  m_bShowingValues = 1;
  m_LineEnds.Show(targets);
  m_bShowingValues = 0;
}

// Both ends from the two boxes; the handlers write one end each.
void qvzLineToolBar::ApplyToObjects(jvqObjectArray& targets) {
  if (m_bShowingValues || m_bApplying || targets.GetCount() == 0) return;
  m_bApplying = 1;
  m_LineEnds.Apply(targets, m_pPrototype);
  m_bApplying = 0;
}

void qvzLineToolBar::EnableControls(BOOL bEnable) {
  qvzDrawToolBar::EnableControls(bEnable);
  m_LineEnds.Enable(bEnable);
}

void qvzLineToolBar::OnLineEndChange(UINT nId) { m_LineEnds.OnChange(this, nId, TRUE); }
