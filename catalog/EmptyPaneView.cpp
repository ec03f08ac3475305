#include "EmptyPaneView.h"

IMPLEMENT_DYNCREATE(CEmptyPaneView, CView)
