#include "BoxDrag.h"

#include <cstdint>

namespace {

bool Inside(POINT pt, LONG l, LONG t, LONG r, LONG b)
{
    return pt.x >= l && pt.x < r && pt.y >= t && pt.y < b;
}

LONG Min(LONG a, LONG b) { return a < b ? a : b; }
LONG Max(LONG a, LONG b) { return a > b ? a : b; }

// The eight edge and corner parts, tested in the order the view always has.
int EdgeHit(POINT pt, const RECT& box, bool corner, bool rightBottom, bool leftTop)
{
    const LONG l = box.left, t = box.top, r = box.right, b = box.bottom;
    if (corner && Inside(pt, r - 6, b - 6, r + 2, b + 2))
        return BOX_HIT_BOTTOMRIGHT;
    if (rightBottom && Inside(pt, r - 2, t + 2, r + 2, b - 2))
        return BOX_HIT_RIGHT;
    if (rightBottom && Inside(pt, l + 2, b - 2, r - 2, b + 2))
        return BOX_HIT_BOTTOM;
    if (leftTop) {
        if (Inside(pt, l - 2, t + 2, l + 2, b - 2))
            return BOX_HIT_LEFT;
        if (Inside(pt, l + 2, t - 2, r - 2, t + 2))
            return BOX_HIT_TOP;
        if (Inside(pt, l - 2, t - 2, l + 6, t + 6))
            return BOX_HIT_TOPLEFT;
        if (Inside(pt, r - 6, t - 2, r + 2, t + 6))
            return BOX_HIT_TOPRIGHT;
        if (Inside(pt, l - 2, b - 6, l + 6, b + 2))
            return BOX_HIT_BOTTOMLEFT;
    }
    return BOX_HIT_NONE;
}

bool InsideMove(POINT pt, const RECT& box)
{
    return Inside(pt, Min(box.left + 2, box.right), Min(box.top + 2, box.bottom),
                  Max(box.right - 2, box.left), Max(box.bottom - 2, box.top));
}

} // namespace

int BoxHitTest(POINT pt, const RECT& range, const RECT& crop, const BoxRules& rules)
{
    if (!rules.rangeHidden) {
        const bool free = rules.rangeMode < 0;
        if (free && InsideMove(pt, range))
            return BOX_HIT_MOVE;
        const int code = EdgeHit(pt, range, true, rules.rangeMode <= 0 || rules.snap, free);
        if (code != BOX_HIT_NONE)
            return code;
    }
    // The crop box belongs to the size page; snapping hides it.
    if (rules.snap)
        return BOX_HIT_NONE;
    int code = InsideMove(pt, crop) ? BOX_HIT_MOVE : BOX_HIT_NONE;
    if (code == BOX_HIT_NONE && !rules.cropFixed)
        code = EdgeHit(pt, crop, true, true, true);
    return code != BOX_HIT_NONE ? static_cast<int>(static_cast<UINT>(code) | BOX_HIT_CROP) : BOX_HIT_NONE;
}

RECT MoveBox(const RECT& start, int dx, int dy, int layerWidth, int layerHeight)
{
    const LONG width = start.right - start.left, height = start.bottom - start.top;
    LONG left = Max(start.left + dx, 0), top = Max(start.top + dy, 0);
    // A box wider (taller) than the picture stays at its left (top) edge rather than
    // leaving the picture on that side.
    left = width > layerWidth ? 0 : Min(left, layerWidth - width);
    top = height > layerHeight ? 0 : Min(top, layerHeight - height);
    return RECT{left, top, left + width, top + height};
}

int SnapBoxSize(int value)
{
    for (int size = 512; size >= 4; size /= 2) {
        if (value >= size - size / 4)
            return size;
    }
    return value < 2 ? 2 : value;
}

bool ProportionalResize(const BoxRules& rules, bool cropDragged)
{
    return rules.rangeMode >= 1 && !(cropDragged && !rules.cropFree);
}

RECT ResizeBox(const RECT& start, int code, int dx, int dy, SIZE limit, SIZE picture,
               bool proportional, bool snap)
{
    RECT box = start;
    if (proportional) {
        if (code == BOX_HIT_BOTTOMRIGHT) {
            LONG width = Min(start.right + dx, limit.cx) - start.left;
            LONG height = Min(start.bottom + dy, limit.cy) - start.top;
            if (snap) {
                width = SnapBoxSize(width);
                height = SnapBoxSize(height);
            } else {
                width = Max(width, 1);
                height = picture.cx > 0
                    ? static_cast<LONG>((static_cast<int64_t>(picture.cy) * width + picture.cx / 2) / picture.cx)
                    : width;
                height = Max(height, 1);
            }
            box.right = start.left + width;
            box.bottom = start.top + height;
        } else if (snap && code == BOX_HIT_RIGHT) {
            const LONG right = Max(Min(start.right + dx, limit.cx), start.left + 2);
            box.right = start.left + SnapBoxSize(right - start.left);
        } else if (snap && code == BOX_HIT_BOTTOM) {
            const LONG bottom = Max(Min(start.bottom + dy, limit.cy), start.top + 2);
            box.bottom = start.top + SnapBoxSize(bottom - start.top);
        }
        return box;
    }
    if (code == BOX_HIT_LEFT || code == BOX_HIT_TOPLEFT || code == BOX_HIT_BOTTOMLEFT)
        box.left = Min(Max(start.left + dx, 0), box.right - 2);
    if (code == BOX_HIT_RIGHT || code == BOX_HIT_TOPRIGHT || code == BOX_HIT_BOTTOMRIGHT)
        box.right = Max(Min(start.right + dx, limit.cx), box.left + 2);
    if (code == BOX_HIT_TOP || code == BOX_HIT_TOPLEFT || code == BOX_HIT_TOPRIGHT)
        box.top = Min(Max(start.top + dy, 0), box.bottom - 2);
    if (code == BOX_HIT_BOTTOM || code == BOX_HIT_BOTTOMLEFT || code == BOX_HIT_BOTTOMRIGHT)
        box.bottom = Max(Min(start.bottom + dy, limit.cy), box.top + 2);
    return box;
}

RECT PullCropIntoRange(const RECT& crop, const RECT& range)
{
    RECT box = crop;
    if (box.right > range.right) {
        box.right -= box.left;
        box.left = 0;
    }
    if (box.bottom > range.bottom) {
        box.bottom -= box.top;
        box.top = 0;
    }
    return box;
}

RECT CutCropToRange(const RECT& crop, const RECT& range)
{
    RECT box = crop;
    if (box.right > range.right)
        box.right = range.right;
    if (box.bottom > range.bottom)
        box.bottom = range.bottom;
    if (box.right < box.left)
        box.left = Max(box.right - 10, 0);
    if (box.bottom < box.top)
        box.top = Max(box.bottom - 10, 0);
    return box;
}
