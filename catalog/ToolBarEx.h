// The browser's tool bar: a flat tool bar that can hold an edit box and a push button in
// place of two of its buttons.
#pragma once

#include <afxext.h>

class CToolBarEx : public CToolBar {
public:
    // Turns the button of `id` into a separator `width` wide and returns its rectangle.
    CRect MakeRoomFor(UINT id, int width);
    // An edit box / push button in place of the button of `id`; FALSE when it cannot be made.
    BOOL AddEditControl(CEdit& edit, UINT id, DWORD style, int width, int height);
    BOOL AddButtonControl(CButton& button, UINT id, LPCTSTR text, DWORD style, int width, int height);
};
