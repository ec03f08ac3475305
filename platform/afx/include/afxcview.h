// Views that are system controls: a tree view and a list view.
#pragma once

#include "afxwin.h"

class CTreeCtrl;
class CListCtrl;

class CTreeView : public CCtrlView {
  DECLARE_DYNCREATE(CTreeView)
 public:
  CTreeView();
  // The view is the control window: the control's wrapper shares its handle.
  CTreeCtrl& GetTreeCtrl() const { return *(CTreeCtrl*)this; }

 protected:
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()
};

class CListView : public CCtrlView {
  DECLARE_DYNCREATE(CListView)
 public:
  CListView();
  CListCtrl& GetListCtrl() const { return *(CListCtrl*)this; }

 protected:
  afx_msg void OnNcDestroy();
  DECLARE_MESSAGE_MAP()
};
