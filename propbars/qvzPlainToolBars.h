// Bars that add nothing to the shared line and fill controls: ellipses, polygons, groups,
// several objects of different kinds (no prototype) and OLE objects.
#pragma once

#include "qvzDrawToolBar.h"

class qvzEllipseToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzEllipseToolBar)
 public:
  qvzEllipseToolBar();
};

class qvzPolygonToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzPolygonToolBar)
 public:
  qvzPolygonToolBar();
};

class qvzGroupToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzGroupToolBar)
 public:
  qvzGroupToolBar();
};

class qvzMultiToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzMultiToolBar)
 public:
  qvzMultiToolBar();
};

class qvzOleToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzOleToolBar)
 public:
  qvzOleToolBar();
  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;

  CStatic m_wndStatic1108;
  CStatic m_wndAppName;
};
