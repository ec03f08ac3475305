// The exported layer class, used through the library's import table.
#include "TPatternLayer.h"

#include <gtest/gtest.h>

namespace {

class Layer : public TPatternLayer {
public:
    using TPatternLayer::TPatternLayer;
    void CallDraw(const char* text)
    {
        RECT rc = {0, 0, 64, 32};
        HDC dc = GetDC(nullptr);
        Draw(dc, text, rc);
        Draw2(dc, text, rc);
        ReleaseDC(nullptr, dc);
    }
};

TEST(PatternLayer, PixelsAreBoundedAndCapturedAtInitialisation)
{
    Layer layer(64, 32, "図面\n二行", RGB(255, 0, 0));
    EXPECT_TRUE(layer.IsValid());
    EXPECT_EQ(layer.GetPixelColor(0, 0), 0u);  // before Initialize
    layer.Initialize();
    ASSERT_TRUE(layer.IsValid());
    layer.CallDraw("図面\n二行");
    // Drawing after initialisation does not change the captured pixels.
    for (int y = 0; y < 32; y += 5)
        for (int x = 0; x < 64; x += 5)
            EXPECT_EQ(layer.GetPixelColor(x, y), 0u);
    EXPECT_EQ(layer.GetPixelColor(64, 0), 0u);
    EXPECT_EQ(layer.GetPixelColor(-1, 0), 0u);
    EXPECT_EQ(layer.GetPixelColor(0, 32), 0u);
}

TEST(PatternLayer, WithoutTextDrawingDoesNothing)
{
    Layer layer(8, 8, nullptr, RGB(0, 0, 255));
    layer.Initialize();
    layer.CallDraw("x");
    EXPECT_TRUE(layer.IsValid());
    EXPECT_EQ(layer.GetPixelColor(4, 4), 0u);
}

} // namespace
