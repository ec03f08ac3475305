// The thin scroll view under the editing view.
#pragma once

#include "afxwin.h"

class jvqScrollView : public CScrollView {
  DECLARE_DYNCREATE(jvqScrollView)
 public:
  jvqScrollView() {}
  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override {}
  // The whole client area, with erase, painted later.
  void InvalidateAll();
};
