// The bar of lines and open polylines: the shared line controls and the two line ends.
#pragma once

#include "qvzDrawToolBar.h"
#include "qvzLineEndBoxes.h"

class qvzLineToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzLineToolBar)
 public:
  qvzLineToolBar();

  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;
  void ApplyToObjects(jvqObjectArray& targets) override;
  void EnableControls(BOOL bEnable) override;

  qvzLineEndBoxes m_LineEnds;

 protected:
  afx_msg void OnLineEndChange(UINT nId);
  DECLARE_MESSAGE_MAP()
};
