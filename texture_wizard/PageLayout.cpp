#include "PageLayout.h"

RECT AnchoredRect(const RECT& saved, int flags, int dw, int dh)
{
    RECT rect = saved;
    if (flags & ANCHOR_MOVE_X) {
        rect.left += dw;
        rect.right += dw;
    }
    if (flags & ANCHOR_MOVE_Y) {
        rect.top += dh;
        rect.bottom += dh;
    }
    if (flags & ANCHOR_SIZE_X)
        rect.right += dw;
    if (flags & ANCHOR_SIZE_Y)
        rect.bottom += dh;
    return rect;
}

CString StepCaption(const char* format, int step)
{
    // Full-width digits 0 to 9 in Shift-JIS: 0x82 0x4F to 0x82 0x58.
    char digit[3] = {'\x82', static_cast<char>(0x4F + (step < 0 ? 0 : step > 9 ? 9 : step)), 0};
    CString caption(format);
    caption.Replace("%1", digit);
    return caption;
}

RECT NextPageRect(const RECT& remembered, const RECT& normal, const RECT& shown, bool resizable)
{
    if (normal.left == shown.left && normal.top == shown.top && normal.right == shown.right
        && normal.bottom == shown.bottom)
        return remembered;
    RECT rect = normal;
    const bool hasSize = remembered.right > remembered.left && remembered.bottom > remembered.top;
    if (!resizable && hasSize) {
        // A fixed page passes on only where it was moved to.
        rect.right = rect.left + (remembered.right - remembered.left);
        rect.bottom = rect.top + (remembered.bottom - remembered.top);
    }
    return rect;
}
