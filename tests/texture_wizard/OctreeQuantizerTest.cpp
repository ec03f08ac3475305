#include "TextureFixtures.h"

#include "DibFunctions.h"
#include "OctreeQuantizer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using namespace texture_test;

namespace {

struct Quantized
{
    explicit Quantized(const Layer& layer) { count = QuantizeOctree(layer.info, layer.bits, &palette); }
    ~Quantized() { free(palette); }
    std::vector<COLORREF> Colours() const
    {
        std::vector<COLORREF> out;
        for (int i = 0; i < count; ++i)
            out.push_back(RGB(palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue));
        return out;
    }
    RGBQUAD* palette = nullptr;
    int count = 0;
};

struct OwnedLayer : Layer
{
    explicit OwnedLayer(const Layer& layer) : Layer(layer) {}
    ~OwnedLayer()
    {
        free(info);
        free(bits);
    }
};

} // namespace

TEST(QuantizeOctree, FewColoursAreKeptInBitPathOrder)
{
    // In order of appearance: white, black, red, green, blue, a grey twice.
    OwnedLayer layer(MakeLayer(7, 1, std::vector<COLORREF>{RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 0, 0),
                                                           RGB(0, 255, 0), RGB(0, 0, 255), RGB(100, 100, 100),
                                                           RGB(100, 100, 100)}));
    Quantized q(layer);
    // Child number red*4 + green*2 + blue at the top bit: black and grey (0) before blue
    // (1), green (2), red (4), white (7); black before grey at the next bit.
    const std::vector<COLORREF> expected = {RGB(0, 0, 0), RGB(100, 100, 100), RGB(0, 0, 255), RGB(0, 255, 0),
                                            RGB(255, 0, 0), RGB(255, 255, 255)};
    EXPECT_EQ(expected, q.Colours());
    for (int i = 0; i < q.count; ++i)
        EXPECT_EQ(0, q.palette[i].rgbReserved);
}

TEST(QuantizeOctree, OneColourGivesOneEntry)
{
    OwnedLayer layer(MakeLayer(5, 4, [](int, int) { return RGB(12, 34, 56); }));
    Quantized q(layer);
    EXPECT_EQ(std::vector<COLORREF>{RGB(12, 34, 56)}, q.Colours());
}

TEST(QuantizeOctree, ManyColoursReduceTo236TruncatedMeans)
{
    // 4096 distinct colours.
    OwnedLayer layer(MakeLayer(64, 64, [](int x, int y) { return RGB(x * 4, y * 4, ((x + y) % 64) * 4); }));
    Quantized q(layer);
    EXPECT_LE(q.count, 236);
    EXPECT_GE(q.count, 200);
    const std::vector<COLORREF> colours = q.Colours();
    EXPECT_EQ(colours.size(), std::set<COLORREF>(colours.begin(), colours.end()).size());
}

TEST(QuantizeOctree, AMergedLeafTakesTheTruncatedMean)
{
    // 237 colours: the 237th forces one merge at the deepest level, of the interior node
    // made last there, whose two leaves are (0, 0, 236) and (0, 0, 237): mean 236.5 -> 236.
    std::vector<COLORREF> pixels;
    for (int i = 0; i < 237; ++i)
        pixels.push_back(RGB(0, 0, i + 1));
    OwnedLayer layer(MakeLayer(237, 1, pixels));
    Quantized q(layer);
    ASSERT_EQ(236, q.count);
    EXPECT_EQ(RGB(0, 0, 236), q.Colours().back());
}

TEST(QuantizeOctree, TotalsDoNotOverflowOnLargePictures)
{
    // 9 million white pixels: a 32-bit sum of one component would wrap.
    OwnedLayer layer(MakeLayer(3000, 3000, [](int, int) { return RGB(255, 255, 255); }));
    Quantized q(layer);
    EXPECT_EQ(std::vector<COLORREF>{RGB(255, 255, 255)}, q.Colours());
}

TEST(QuantizeOctree, NoPixelsGiveNoPalette)
{
    RGBQUAD* palette = reinterpret_cast<RGBQUAD*>(1);
    EXPECT_EQ(0, QuantizeOctree(nullptr, nullptr, &palette));
    EXPECT_EQ(nullptr, palette);
}
