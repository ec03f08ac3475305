// The window messages the shell's windows, bars and controls send one another.
#pragma once

#include <windows.h>

#define QVZM_SPLITTERDOWN (WM_USER + 1)
#define QVZM_SPLITTERMOVE (WM_USER + 2)
#define QVZM_SPLITTERUP (WM_USER + 3)
#define QVZM_FILLCHANGED (WM_USER + 5)        // wParam: the fill button's control id
#define QVZM_INSERTIMAGEFILE (WM_USER + 6)
#define QVZM_FILLPAGECHANGED (WM_USER + 10)
#define QVZM_VALUECHANGED (WM_USER + 44)      // lParam: CString* owned by the sender
#define QVZM_FOLDERSELECTED (WM_USER + 100)   // lParam: FolderSelectedRecord*
#define QVZM_THUMBNAILCLICK (WM_USER + 101)
#define QVZM_THUMBNAILOPEN (WM_USER + 102)
#define QVZM_EDITNOTIFY (WM_USER + 222)       // wParam: control id, lParam: the text
#define QVZM_SCROLLPAGETABS (WM_USER + 256)
#define QVZM_OPENSHAREDPATH (WM_USER + 400)
#define QVZM_COLORCHANGED (WM_USER + 1004)    // 2028, the colour pickers' listener code
#define QVZM_PALETTEDROP (WM_USER + 1500)
#define QVZM_PALETTECONTEXT (WM_USER + 1501)

static_assert(QVZM_COLORCHANGED == 2028, "colour pickers and their listeners share the code");
