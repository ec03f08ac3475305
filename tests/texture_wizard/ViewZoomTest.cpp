#include <gtest/gtest.h>

#include "ViewZoom.h"

namespace {

struct ZoomCase {
    UINT from;
    UINT in;
    UINT out;
};

TEST(ViewZoom, StepsReduceToOneSide)
{
    const ZoomCase cases[] = {
        {MakeZoom(1, 2), MakeZoom(1, 1), MakeZoom(1, 4)},
        {MakeZoom(1, 1), MakeZoom(2, 1), MakeZoom(1, 2)},
        {MakeZoom(2, 1), MakeZoom(4, 1), MakeZoom(1, 1)},
        {MakeZoom(8, 1), MakeZoom(16, 1), MakeZoom(4, 1)},
        {MakeZoom(1, 8), MakeZoom(1, 4), MakeZoom(1, 16)},
        {0, MakeZoom(2, 1), MakeZoom(1, 2)}, // a zero half counts as 1
    };
    for (const ZoomCase& c : cases) {
        EXPECT_EQ(ZoomInStep(c.from), c.in) << std::hex << c.from;
        EXPECT_EQ(ZoomOutStep(c.from), c.out) << std::hex << c.from;
    }
    EXPECT_EQ(ReduceZoom(300, 600), MakeZoom(1, 2));
    EXPECT_EQ(ReduceZoom(6, 6), MakeZoom(1, 1));
}

TEST(ViewZoom, AutomaticZoomPicksPowersOfTwo)
{
    EXPECT_EQ(ChooseAutoZoom(100, 100, 500, 400), MakeZoom(4, 1));
    EXPECT_EQ(ChooseAutoZoom(2000, 1500, 500, 400), MakeZoom(1, 4));
    EXPECT_EQ(ChooseAutoZoom(500, 400, 500, 400), MakeZoom(1, 1));
    EXPECT_EQ(ChooseAutoZoom(10, 10, 500, 400), MakeZoom(8, 1));
    EXPECT_EQ(ChooseAutoZoom(16384, 16384, 500, 400), MakeZoom(1, 8)); // stops at 1:8
}

TEST(ViewZoom, FitToWindow)
{
    FitResult fit = FitPicture(600, 200, 300, 200);
    EXPECT_EQ(ZoomMultiplier(fit.zoom), 300u);
    EXPECT_EQ(ZoomDivisor(fit.zoom), 600u);
    EXPECT_EQ(fit.width, 300);
    EXPECT_EQ(fit.height, 100);

    fit = FitPicture(100, 400, 300, 200); // tall: the height decides
    EXPECT_EQ(fit.zoom, MakeZoom(200, 400));
    EXPECT_EQ(fit.width, 50);
    EXPECT_EQ(fit.height, 200);

    // A side past 16 bits keeps a usable divisor instead of wrapping to 0.
    fit = FitPicture(100, 70000, 300, 200);
    EXPECT_EQ(fit.zoom, MakeZoom(100, 35000));
    EXPECT_EQ(fit.height, 200);
}

TEST(ViewZoom, Conversions)
{
    struct Case {
        UINT zoom;
        bool plain;
        int client, scroll, image;
    } cases[] = {
        {MakeZoom(1, 1), true, 40, 25, 65},
        {MakeZoom(4, 1), false, 40, 0, 10},
        {MakeZoom(4, 1), false, 42, 0, 11}, // rounds to the nearest pixel
        {MakeZoom(1, 4), false, 40, 8, 192},
        {MakeZoom(300, 600), false, 150, 0, 300},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UnzoomValue(c.client, c.scroll, c.zoom, c.plain), c.image) << c.client;
    EXPECT_EQ(ZoomValue(10, MakeZoom(4, 1)), 40);
    EXPECT_EQ(ZoomValue(190, MakeZoom(1, 4)), 48); // (190 + 2) / 4
    EXPECT_EQ(ZoomValue(600, MakeZoom(300, 600)), 300);
    EXPECT_EQ(ZoomLineStep(MakeZoom(1, 1)), 8);
    EXPECT_EQ(ZoomLineStep(MakeZoom(4, 1)), 32);
    EXPECT_EQ(ZoomLineStep(MakeZoom(1, 16)), 1);
}

TEST(ViewZoom, DefaultRangeBox)
{
    RECT box = DefaultRangeBox(0, 0, 200, 150);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.right, 190);
    EXPECT_EQ(box.bottom, 140);

    box = DefaultRangeBox(0, 0, 2000, 1500);
    EXPECT_EQ(box.right, 650);
    EXPECT_EQ(box.bottom, 490);

    // Under 20 pixels the inset would invert the box: the whole picture instead.
    box = DefaultRangeBox(0, 0, 10, 10);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.bottom, 10);
    box = DefaultRangeBox(0, 0, 22, 300);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.right, 12);
    box = DefaultRangeBox(0, 0, 1, 21);
    EXPECT_EQ(box.right - box.left, 1);
    EXPECT_EQ(box.bottom - box.top, 21);
}

TEST(ViewZoom, ListIndexes)
{
    const UINT zooms[] = {MakeZoom(8, 1), MakeZoom(4, 1), MakeZoom(2, 1), MakeZoom(1, 1),
                          MakeZoom(1, 2), MakeZoom(1, 4), MakeZoom(1, 8)};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(ZoomForListIndex(i), zooms[i]);
        EXPECT_EQ(ZoomListIndex(zooms[i]), i);
    }
    EXPECT_EQ(ZoomForListIndex(9), MakeZoom(1, 1));
    EXPECT_EQ(ZoomListIndex(MakeZoom(300, 600)), 3);
    EXPECT_EQ(ZoomListIndex(MakeZoom(1, 16)), 3);
}

} // namespace
