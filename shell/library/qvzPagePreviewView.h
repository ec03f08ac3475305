// The select bar's page list: one thumbnail a page of the active board; a click makes
// that page current.
#pragma once

#include "qvzObjectPreviewView.h"

class qvzPagePreviewView : public qvzObjectPreviewView {
  DECLARE_DYNCREATE(qvzPagePreviewView)
 public:
  qvzPagePreviewView();

  // The active document's page thumbnails, the current page selected; FALSE without one.
  BOOL UpdatePages();
  // Makes the page current in the active view as a page tab does.
  void GoToPage(int nIndex);

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
