// The rules of the editing view's two boxes (the dotted range box and the red crop box):
// which part of a box is under the pointer, and where a move or a resize drag takes it.
// Everything is in picture pixels, y downwards.
#pragma once

#include "DibTypes.h"

enum BoxHit : int {
    BOX_HIT_NONE = 0,
    BOX_HIT_MOVE = 1,
    BOX_HIT_LEFT = 10,
    BOX_HIT_RIGHT = 11,
    BOX_HIT_TOP = 12,
    BOX_HIT_TOPLEFT = 13,
    BOX_HIT_TOPRIGHT = 14,
    BOX_HIT_BOTTOM = 15,
    BOX_HIT_BOTTOMLEFT = 16,
    BOX_HIT_BOTTOMRIGHT = 17,
};
// Set on the code when the hit belongs to the crop box.
const UINT BOX_HIT_CROP = 0x80000000u;

// How a page set the boxes up.
struct BoxRules {
    int rangeMode;     // < 0 free, 0 anchored top-left, > 0 proportional (or snapping)
    BOOL cropFixed;    // the crop box can only be moved
    BOOL cropFree;     // the crop box sizes like the range box instead of staying inside it
    BOOL snap;         // box type 1: power-of-two sizes, no crop box
    BOOL rangeHidden;  // box type 2: the range box is neither drawn nor hit
};

// Code of the box part under pt (range box first); crop-box codes carry BOX_HIT_CROP.
int BoxHitTest(POINT pt, const RECT& range, const RECT& crop, const BoxRules& rules);

// A box moved by dx, dy from where the drag started, kept inside the layer.
RECT MoveBox(const RECT& start, int dx, int dy, int layerWidth, int layerHeight);

// The size a snapping drag settles on: the first of 512 ... 4 that value reaches three
// quarters of, else the value itself; at least 2.
int SnapBoxSize(int value);

// Whether a resize of this box keeps proportions (or snaps) rather than moving edges freely.
bool ProportionalResize(const BoxRules& rules, bool cropDragged);

// A box resized by a drag of part code by dx, dy. limit is the farthest right and bottom
// edge; picture is the size whose proportions a proportional resize keeps.
RECT ResizeBox(const RECT& start, int code, int dx, int dy, SIZE limit, SIZE picture,
               bool proportional, bool snap);

// After a drag of the range box: a crop box reaching past the range box's right (bottom)
// edge goes back to x = 0 (y = 0) keeping its size.
RECT PullCropIntoRange(const RECT& crop, const RECT& range);
// On the size page: the crop box cut at the range box's right and bottom edges, never
// inverted.
RECT CutCropToRange(const RECT& crop, const RECT& range);
