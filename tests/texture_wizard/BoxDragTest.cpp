#include <gtest/gtest.h>

#include "BoxDrag.h"

namespace {

const RECT kRange = {10, 10, 110, 90};
const RECT kCrop = {200, 200, 250, 260};

BoxRules Rules(int mode, BOOL snap = FALSE, BOOL cropFixed = FALSE)
{
    return BoxRules{mode, cropFixed, FALSE, snap, FALSE};
}

TEST(BoxDrag, HitTestRightEdgeDependsOnMode)
{
    const POINT rightEdge = {109, 50}; // 1 pixel left of the right edge, halfway down
    EXPECT_EQ(BoxHitTest(rightEdge, kRange, kCrop, Rules(-1)), BOX_HIT_RIGHT);
    EXPECT_EQ(BoxHitTest(rightEdge, kRange, kCrop, Rules(0)), BOX_HIT_RIGHT);
    EXPECT_EQ(BoxHitTest(rightEdge, kRange, kCrop, Rules(1, TRUE)), BOX_HIT_RIGHT);
    EXPECT_EQ(BoxHitTest(rightEdge, kRange, kCrop, Rules(1)), BOX_HIT_NONE);
}

TEST(BoxDrag, HitTestParts)
{
    struct Case {
        POINT pt;
        int mode;
        int code;
    } cases[] = {
        {{50, 50}, -1, BOX_HIT_MOVE},
        {{50, 50}, 0, BOX_HIT_NONE},
        {{108, 88}, 1, BOX_HIT_BOTTOMRIGHT},
        {{111, 91}, 0, BOX_HIT_BOTTOMRIGHT},
        {{112, 92}, 0, BOX_HIT_NONE}, // right and bottom edges are excluded
        {{50, 89}, 0, BOX_HIT_BOTTOM},
        {{9, 50}, -1, BOX_HIT_LEFT},
        {{9, 50}, 0, BOX_HIT_NONE},
        {{50, 11}, -1, BOX_HIT_TOP},
        {{9, 9}, -1, BOX_HIT_TOPLEFT},
        {{109, 9}, -1, BOX_HIT_TOPRIGHT},
        {{9, 89}, -1, BOX_HIT_BOTTOMLEFT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BoxHitTest(c.pt, kRange, kCrop, Rules(c.mode)), c.code) << c.pt.x << "," << c.pt.y;
}

TEST(BoxDrag, CropHitsCarryBit31)
{
    const UINT move = static_cast<UINT>(BoxHitTest(POINT{220, 230}, kRange, kCrop, Rules(1)));
    EXPECT_EQ(move, BOX_HIT_CROP | BOX_HIT_MOVE);
    const UINT corner = static_cast<UINT>(BoxHitTest(POINT{249, 259}, kRange, kCrop, Rules(1)));
    EXPECT_EQ(corner, BOX_HIT_CROP | BOX_HIT_BOTTOMRIGHT);
    // A fixed crop box only moves.
    EXPECT_EQ(BoxHitTest(POINT{251, 261}, kRange, kCrop, Rules(1, FALSE, TRUE)), BOX_HIT_NONE);
    // A hidden range box is not hit; the crop box under it is.
    BoxRules hidden = Rules(-1);
    hidden.rangeHidden = TRUE;
    EXPECT_EQ(static_cast<UINT>(BoxHitTest(POINT{50, 50}, kRange, RECT{40, 40, 60, 60}, hidden)),
              BOX_HIT_CROP | BOX_HIT_MOVE);
}

TEST(BoxDrag, SnapSizes)
{
    struct Case {
        int value, snapped;
    } cases[] = {{200, 256}, {190, 128}, {384, 512}, {383, 256}, {600, 512}, {3, 4}, {2, 2}, {1, 2}, {0, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(SnapBoxSize(c.value), c.snapped) << c.value;
}

TEST(BoxDrag, ProportionalResizeFollowsWidth)
{
    const RECT start = {0, 0, 100, 75};
    RECT box = ResizeBox(start, BOX_HIT_BOTTOMRIGHT, 100, 0, SIZE{1000, 1000}, SIZE{400, 300}, true, false);
    EXPECT_EQ(box.right, 200);
    EXPECT_EQ(box.bottom, 150);
    // Snapping: 200 becomes 256, 190 becomes 128.
    box = ResizeBox(start, BOX_HIT_BOTTOMRIGHT, 100, 115, SIZE{1000, 1000}, SIZE{400, 300}, true, true);
    EXPECT_EQ(box.right, 256);
    EXPECT_EQ(box.bottom, 128);
    box = ResizeBox(start, BOX_HIT_RIGHT, 100, 0, SIZE{1000, 1000}, SIZE{400, 300}, true, true);
    EXPECT_EQ(box.right, 256);
    EXPECT_EQ(box.bottom, 75);
    // Without snapping the edges of a proportional box do nothing.
    box = ResizeBox(start, BOX_HIT_RIGHT, 100, 0, SIZE{1000, 1000}, SIZE{400, 300}, true, false);
    EXPECT_EQ(box.right, 100);
    // The limit holds the corner.
    box = ResizeBox(start, BOX_HIT_BOTTOMRIGHT, 900, 0, SIZE{512, 512}, SIZE{400, 300}, true, true);
    EXPECT_EQ(box.right, 512);
}

TEST(BoxDrag, FreeResizeStopsAtLimitAndKeepsTwoPixels)
{
    const RECT start = {10, 10, 110, 90};
    const SIZE picture = {200, 150};
    RECT box = ResizeBox(start, BOX_HIT_BOTTOMRIGHT, 500, 500, picture, picture, false, false);
    EXPECT_EQ(box.right, 200);
    EXPECT_EQ(box.bottom, 150);
    box = ResizeBox(start, BOX_HIT_TOPLEFT, -50, -50, picture, picture, false, false);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    box = ResizeBox(start, BOX_HIT_LEFT, 500, 0, picture, picture, false, false);
    EXPECT_EQ(box.left, 108);
    box = ResizeBox(start, BOX_HIT_BOTTOM, 0, -500, picture, picture, false, false);
    EXPECT_EQ(box.bottom, 12);
    // Anchored mode: the client limit lets the edge go past the picture.
    box = ResizeBox(start, BOX_HIT_RIGHT, 500, 0, SIZE{480, 300}, picture, false, false);
    EXPECT_EQ(box.right, 480);
}

TEST(BoxDrag, MoveStaysInsideThePicture)
{
    const RECT start = {10, 10, 110, 90};
    RECT box = MoveBox(start, 500, -500, 200, 150);
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right - box.left, 100);
    box = MoveBox(RECT{0, 0, 300, 50}, 40, 10, 200, 150); // wider than the picture
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 10);
}

TEST(BoxDrag, CropAfterRangeDrag)
{
    RECT crop = PullCropIntoRange(RECT{50, 60, 150, 100}, RECT{0, 0, 120, 200});
    EXPECT_EQ(crop.left, 0);
    EXPECT_EQ(crop.right, 100);
    EXPECT_EQ(crop.top, 60);
    crop = CutCropToRange(RECT{50, 60, 150, 100}, RECT{0, 0, 120, 80});
    EXPECT_EQ(crop.right, 120);
    EXPECT_EQ(crop.bottom, 80);
    crop = CutCropToRange(RECT{50, 60, 150, 100}, RECT{0, 0, 30, 40});
    EXPECT_EQ(crop.left, 20);
    EXPECT_EQ(crop.right, 30);
    EXPECT_EQ(crop.top, 30);
}

} // namespace
