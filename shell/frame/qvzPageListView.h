// The view the main frame shows in place of the editing view while the page list is up.
// Until the page list view with its thumbnails comes, a plain view lists the pages by
// number in the board's order.
#pragma once

#include "afxwin.h"

class qvzPageListView : public CView {
  DECLARE_DYNCREATE(qvzPageListView)
 public:
  void OnDraw(CDC* pDC) override;
};

// The class the frame creates for the page list.
extern CRuntimeClass* thePageListViewClass;
