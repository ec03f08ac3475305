// The view reaches the property-bar manager through the frame.
#include "qvzMainFrame.h"
#include "qvzSelectToolBar.h"

void qvzMainFrame::SwitchBar(BOOL bForce) { m_PropertyBars.SwitchBar(m_PropertyBars.GetCurrentBar(), bForce); }

void qvzMainFrame::UpdateCurrentBar() { m_PropertyBars.UpdateCurrentBar(); }

void qvzMainFrame::ShowBar(BOOL bShow) { m_PropertyBars.ShowBar(bShow); }

void qvzMainFrame::OnObjectCreated(jvqObject* pObject) { m_PropertyBars.OnObjectCreated(pObject); }

qvzSelectToolBar* qvzMainFrame::GetSelectToolBar() {
  return DYNAMIC_DOWNCAST(qvzSelectToolBar, m_PropertyBars.GetCurrentBar());
}
