#include "ToolBarEx.h"

CRect CToolBarEx::MakeRoomFor(UINT id, int width)
{
    const int index = CommandToIndex(id);
    CRect rc(0, 0, 0, 0);
    if (index < 0)
        return rc;
    SetButtonInfo(index, id, TBBS_SEPARATOR, width);
    GetItemRect(index, &rc);
    return rc;
}

BOOL CToolBarEx::AddEditControl(CEdit& edit, UINT id, DWORD style, int width, int height)
{
    if (CommandToIndex(id) < 0)
        return FALSE;
    CRect rc = MakeRoomFor(id, width);
    rc.top += (rc.Height() - height) / 2;
    rc.bottom = rc.top + height;
    return edit.Create(style, rc, this, id);
}

BOOL CToolBarEx::AddButtonControl(CButton& button, UINT id, LPCTSTR text, DWORD style, int width, int height)
{
    if (CommandToIndex(id) < 0)
        return FALSE;
    CRect rc = MakeRoomFor(id, width);
    rc.top += (rc.Height() - height) / 2;
    rc.bottom = rc.top + height;
    return button.Create(text, style, rc, this, id);
}
