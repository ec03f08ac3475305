// Messages between the editing view and the page that shows it. The view sends them to
// its parent's parent (the page around the placeholder).
#pragma once

#include <afxwin.h>

#define WZM_UNDOSET (WM_USER + 4096)     // an undo state was recorded
#define WZM_REVERTED (WM_USER + 4097)    // the view reverted
#define WZM_APPLYEDIT (WM_USER + 4098)   // a page to itself: Enter in a number field
#define WZM_SIZECHANGED (WM_USER + 4099) // wParam size, lParam crop size (low width, high height)
#define WZM_ZOOMCHANGED (WM_USER + 4100) // the first paint chose the zoom
