#include "TextureFixtures.h"

#include "DibEditor.h"
#include "DibFunctions.h"
#include "Image.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace texture_test;

namespace {

const COLORREF W = RGB(255, 255, 255);

// A picture of 3 x 2 with a distinct colour per pixel: value = 10 * (y + 1) + x.
COLORREF Numbered(int x, int y)
{
    const BYTE v = static_cast<BYTE>(10 * (y + 1) + x);
    return RGB(v, v, v);
}

struct OwnedLayer
{
    OwnedLayer() = default;
    OwnedLayer(const OwnedLayer&) = delete;
    ~OwnedLayer()
    {
        free(info);
        free(bits);
    }
    BITMAPINFOHEADER* info = nullptr;
    BYTE* bits = nullptr;
};

std::vector<COLORREF> Grey(std::initializer_list<int> values)
{
    std::vector<COLORREF> out;
    for (int v : values)
        out.push_back(RGB(v, v, v));
    return out;
}

// An image whose layer 0 is the given layer.
CImage* ImageOf(const Layer& layer)
{
    CImage* image = new CImage;
    image->SetLayer(layer.info, layer.bits, 0);
    return image;
}

// The view's side of the notifications, recorded.
class TestEditor : public CDibEditor
{
public:
    std::vector<std::pair<int, int>> sizes;
    int undoSet = 0;
    int reverted = 0;

protected:
    void OnSizeChanged(int width, int height) override { sizes.push_back({width, height}); }
    void OnUndoSet() override { ++undoSet; }
    void OnReverted() override { ++reverted; }
};

} // namespace

struct QuarterCase
{
    int quarters;
    int width, height;
    std::vector<int> pixels; // grey values, top row first
};

class QuarterTurnTest : public ::testing::TestWithParam<QuarterCase> {};

TEST_P(QuarterTurnTest, TurnsTheBaseLayer)
{
    const QuarterCase& c = GetParam();
    Layer base = MakeLayer(3, 2, Numbered);
    OwnedLayer out;
    ASSERT_TRUE(DibRotateQuarter(base.info, base.bits, c.quarters, &out.info, &out.bits));
    EXPECT_EQ(c.width, out.info->biWidth);
    EXPECT_EQ(c.height, out.info->biHeight);
    std::vector<COLORREF> expected;
    for (int v : c.pixels)
        expected.push_back(RGB(v, v, v));
    EXPECT_EQ(expected, Pixels(out.info, out.bits));
    EXPECT_TRUE(PaddingIsZero(out.info, out.bits));
    free(base.info);
    free(base.bits);
}

// The picture, top row first: 10 11 12 / 20 21 22.
INSTANTIATE_TEST_SUITE_P(Quarters, QuarterTurnTest, ::testing::Values(
    QuarterCase{0, 3, 2, {10, 11, 12, 20, 21, 22}},
    QuarterCase{1, 2, 3, {12, 22, 11, 21, 10, 20}},  // anticlockwise
    QuarterCase{2, 3, 2, {22, 21, 20, 12, 11, 10}},
    QuarterCase{3, 2, 3, {20, 10, 21, 11, 22, 12}},  // clockwise
    QuarterCase{5, 2, 3, {12, 22, 11, 21, 10, 20}}));

TEST(DibRotateArbitrary, OnePixelAt45DegreesFillsTheBottomRowAndCentre)
{
    const COLORREF c = RGB(1, 2, 3);
    Layer base = MakeLayer(1, 1, std::vector<COLORREF>{c});
    OwnedLayer out;
    ASSERT_TRUE(DibRotateArbitrary(base.info, base.bits, 4500, &out.info, &out.bits));
    ASSERT_EQ(3, out.info->biWidth);
    ASSERT_EQ(3, out.info->biHeight);
    const std::vector<COLORREF> expected = {W, W, W, W, c, W, c, c, c};
    EXPECT_EQ(expected, Pixels(out.info, out.bits));
    free(base.info);
    free(base.bits);
}

TEST(DibRotateArbitrary, SizesOfTheTurnedPicture)
{
    Layer base = MakeLayer(100, 50, Numbered);
    struct { int angle, width, height; } cases[] = {
        {9001, 52, 101},   // the quarter turn would give 50 x 100
        {100, 101, 53},
    };
    for (const auto& c : cases) {
        OwnedLayer out;
        ASSERT_TRUE(DibRotateArbitrary(base.info, base.bits, c.angle, &out.info, &out.bits));
        EXPECT_EQ(c.width, out.info->biWidth) << c.angle;
        EXPECT_EQ(c.height, out.info->biHeight) << c.angle;
        EXPECT_TRUE(PaddingIsZero(out.info, out.bits));
    }
    // At 9001 the corners of the result get no source pixel.
    OwnedLayer out;
    DibRotateArbitrary(base.info, base.bits, 9001, &out.info, &out.bits);
    EXPECT_EQ(W, PixelAt(out.info, out.bits, 0, 0));
    EXPECT_EQ(W, PixelAt(out.info, out.bits, 0, 100));
    free(base.info);
    free(base.bits);
}

TEST(DibRotateArbitrary, BlendsWithTheRightNeighbours)
{
    // 5 x 5, stored rows; at 10 degrees the result is 6 x 7 from (-1, -1), and its pixel
    // (3, 2) in stored coordinates samples (3.3017, 1.4487): fx 0.3017, fy 0.4487.
    std::vector<COLORREF> pixels(25, RGB(7, 7, 7));
    auto at = [&](int x, int storedRow) -> COLORREF& { return pixels[static_cast<size_t>(4 - storedRow) * 5 + x]; };
    at(3, 1) = RGB(0, 0, 0);
    at(4, 1) = RGB(100, 100, 100); // right of P00: weighted by fx
    at(3, 2) = RGB(200, 200, 200); // above P00: weighted by fy
    at(4, 2) = RGB(0, 0, 0);
    Layer base = MakeLayer(5, 5, pixels);
    OwnedLayer out;
    ASSERT_TRUE(DibRotateArbitrary(base.info, base.bits, 1000, &out.info, &out.bits));
    ASSERT_EQ(6, out.info->biWidth);
    ASSERT_EQ(7, out.info->biHeight);
    // Stored row 3 of 7 is top-down row 3; column 4. The swapped pairing would give 64.
    EXPECT_EQ(RGB(79, 79, 79), PixelAt(out.info, out.bits, 4, 3));
    free(base.info);
    free(base.bits);
}

TEST(DibResample, PicksNearestPixelsTopDown)
{
    Layer base = MakeLayer(3, 2, Numbered);
    struct { int width, height; std::vector<COLORREF> pixels; } cases[] = {
        {6, 2, Grey({10, 10, 11, 11, 12, 12, 20, 20, 21, 21, 22, 22})},
        {3, 4, Grey({10, 11, 12, 10, 11, 12, 20, 21, 22, 20, 21, 22})},
        {1, 1, Grey({10})},
        {2, 1, Grey({10, 11})},
    };
    for (const auto& c : cases) {
        OwnedLayer out;
        ASSERT_TRUE(DibResample(base.info, base.bits, c.width, c.height, &out.info, &out.bits));
        EXPECT_EQ(c.pixels, Pixels(out.info, out.bits)) << c.width << " x " << c.height;
        EXPECT_TRUE(PaddingIsZero(out.info, out.bits));
    }
    OwnedLayer out;
    EXPECT_FALSE(DibResample(base.info, base.bits, 0, 5, &out.info, &out.bits));
    EXPECT_FALSE(DibResample(base.info, base.bits, 5, -1, &out.info, &out.bits));
    EXPECT_EQ(nullptr, out.bits);
    free(base.info);
    free(base.bits);
}

TEST(DibColorBalance, ShiftsAndClampsButKeepsBlack)
{
    Layer base = MakeLayer(4, 1, std::vector<COLORREF>{RGB(0, 0, 0), RGB(0, 0, 1), RGB(250, 5, 128), RGB(1, 1, 1)});
    OwnedLayer out;
    ASSERT_TRUE(DibColorBalance(base.info, base.bits, 10, 0, -10, &out.info, &out.bits));
    const std::vector<COLORREF> expected = {RGB(0, 0, 0), RGB(10, 0, 0), RGB(255, 5, 118), RGB(11, 1, 0)};
    EXPECT_EQ(expected, Pixels(out.info, out.bits));
    free(base.info);
    free(base.bits);
}

TEST(CDibEditor, OperationsStartFromTheBaseLayer)
{
    Layer base = MakeLayer(3, 2, Numbered);
    const std::vector<COLORREF> original = Pixels(base.info, base.bits);
    CImage* image = ImageOf(base);
    TestEditor editor;
    editor.SetImage(image);
    EXPECT_EQ(base.bits, editor.GetWorkingBits());

    // 90 then 180: the angle page asks for 18000 and the view turns layer 0.
    editor.RotateQuarter(1);
    EXPECT_EQ(9000, editor.m_nAngle);
    editor.RotateQuarter(2);
    EXPECT_EQ(18000, editor.m_nAngle);
    EXPECT_EQ(Grey({22, 21, 20, 12, 11, 10}), Pixels(editor.GetWorkingInfo(), editor.GetWorkingBits()));
    ASSERT_EQ(2u, editor.sizes.size());
    EXPECT_EQ(std::make_pair(2, 3), editor.sizes[0]);
    EXPECT_EQ(std::make_pair(3, 2), editor.sizes[1]);

    // A balance of nothing after one of 50 gives the unedited picture back exactly.
    editor.SetColorBalance(50, 50, 50);
    EXPECT_EQ(RGB(60, 60, 60), PixelAt(editor.GetWorkingInfo(), editor.GetWorkingBits(), 0, 0));
    editor.SetColorBalance(0, 0, 0);
    EXPECT_EQ(original, Pixels(editor.GetWorkingInfo(), editor.GetWorkingBits()));

    editor.DetachImage();
    EXPECT_EQ(original, Pixels(image->GetInfo(1), image->GetBits(1)));
    EXPECT_NE(nullptr, image->GetBits(2));
    delete image;
}

TEST(CDibEditor, RevertRestoresOneLevel)
{
    Layer base = MakeLayer(3, 2, Numbered);
    CImage* image = ImageOf(base);
    TestEditor editor;
    editor.SetImage(image);
    editor.m_rcRange = RECT{0, 0, 3, 2};

    editor.RotateQuarter(1);
    const std::vector<COLORREF> turned = Pixels(editor.GetWorkingInfo(), editor.GetWorkingBits());
    editor.RotateArbitrary(4500);
    EXPECT_EQ(2, editor.undoSet);
    editor.Revert();
    EXPECT_EQ(1, editor.reverted);
    EXPECT_EQ(9000, editor.m_nAngle);
    EXPECT_EQ(turned, Pixels(editor.GetWorkingInfo(), editor.GetWorkingBits()));
    EXPECT_EQ(2, editor.m_nImageWidth);
    EXPECT_EQ(3, editor.m_nImageHeight);
    EXPECT_FALSE(editor.m_bHasUndo);

    // A second revert changes nothing.
    editor.Revert();
    EXPECT_EQ(1, editor.reverted);
    EXPECT_EQ(turned, Pixels(editor.GetWorkingInfo(), editor.GetWorkingBits()));
    editor.DetachImage();
    delete image;
}

TEST(CDibEditor, RevertAfterATypedSizeRestoresPictureAndRangeBox)
{
    Layer base = MakeLayer(3, 2, Numbered);
    const std::vector<COLORREF> original = Pixels(base.info, base.bits);
    CImage* image = ImageOf(base);
    TestEditor editor;
    editor.SetImage(image);
    editor.m_rcRange = RECT{0, 0, 3, 2};

    editor.ResizeImage(6, 4);
    EXPECT_EQ(6, editor.GetWorkingInfo()->biWidth);
    EXPECT_EQ(4, editor.GetWorkingInfo()->biHeight);
    EXPECT_EQ(6, editor.m_rcRange.right);
    EXPECT_EQ(4, editor.m_rcRange.bottom);

    editor.Revert();
    EXPECT_EQ(original, Pixels(editor.GetWorkingInfo(), editor.GetWorkingBits()));
    EXPECT_EQ(3, editor.m_rcRange.right);
    EXPECT_EQ(2, editor.m_rcRange.bottom);
    ASSERT_FALSE(editor.sizes.empty());
    EXPECT_EQ(std::make_pair(3, 2), editor.sizes.back());
    editor.DetachImage();
    delete image;
}

TEST(CDibEditor, ASizeOfNothingIsRefused)
{
    Layer base = MakeLayer(3, 2, Numbered);
    CImage* image = ImageOf(base);
    TestEditor editor;
    editor.SetImage(image);
    editor.m_rcRange = RECT{0, 0, 3, 2};
    editor.ResizeImage(0, 2);
    editor.ResizeImage(3, -4);
    EXPECT_EQ(base.bits, editor.GetWorkingBits());
    EXPECT_EQ(3, editor.m_rcRange.right);
    EXPECT_FALSE(editor.m_bHasUndo);

    editor.m_rcRange = RECT{2, 2, 2, 9};
    EXPECT_FALSE(editor.ApplySize());
    EXPECT_EQ(base.bits, editor.GetWorkingBits());
    editor.m_rcRange = RECT{0, 0, 1, 1};
    EXPECT_TRUE(editor.ApplySize());
    EXPECT_EQ(1, editor.m_nImageWidth);
    editor.DetachImage();
    delete image;
}

TEST(CDibEditor, DroppedWhenNeverDetached)
{
    Layer base = MakeLayer(3, 2, Numbered);
    CImage* image = ImageOf(base);
    {
        TestEditor editor;
        editor.SetImage(image);
        editor.RotateQuarter(1);
        editor.RotateQuarter(3);
    }
    // The image keeps its own layer 0 and no stale working layer.
    EXPECT_EQ(nullptr, image->GetBits(1));
    EXPECT_EQ(base.bits, image->GetBits(0));
    delete image;
}
