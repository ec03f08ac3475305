#include "RendererTestFiles.h"
#include "SceneGenerator.h"
#include "ZBPixelTriangleEx.h"
#include "ZBScene.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace SceneGenerator;

namespace {

constexpr int W = 40, H = 30;

// A screen whose pixels are one unit of the projection plane at near 1, so that a camera
// point (x, y, z) lands on pixel (x / z + W / 2, y / z + H / 2).
struct Screen {
    ZBScene scene;
    ZBPixelTriangleEx pt{scene, static_cast<float>(W), static_cast<float>(H), 1.0f, 1.0f, 1.0f};

    explicit Screen(const uint8_t bgr[3] = nullptr)
    {
        EXPECT_TRUE(scene.m_screen.SetUp(W, H, 1.0f, 1000.0f, 1.0f, bgr));
        scene.m_screen.SetDepthBound(1.0f);
        pt.SetSize(W, H);
    }

    // Corners at pixel positions (px, py) and depth z; returns the source triangle.
    ZBTriangle Add(const float px[3], const float py[3], const float z[3], const float rgb[3][3] = nullptr)
    {
        ZBTriangle t;
        for (int k = 0; k < 3; ++k) {
            t.m_camera[k].p = ZBVector((px[k] - W / 2.0f) * z[k], (py[k] - H / 2.0f) * z[k], z[k]);
            pt.AddVertex(px[k], py[k], z[k], rgb ? rgb[k][0] : 1, rgb ? rgb[k][1] : 1, rgb ? rgb[k][2] : 1);
        }
        return t;
    }

    void Draw(const float px[3], const float py[3], const float z[3], const float rgb[3][3] = nullptr)
    {
        ZBTriangle t = Add(px, py, z, rgb);
        pt.DrawTriangle(t);
    }

    std::set<std::pair<int, int>> Covered() const
    {
        std::set<std::pair<int, int>> out;
        for (int r = 0; r < H; ++r)
            for (int c = 0; c < W; ++c)
                if (scene.m_screen.GetDepthBuffer()->At(c, r) < 1000.0f)
                    out.insert({c, r});
        return out;
    }

    const uint8_t* Px(int c, int r) const { return scene.m_screen.PixelAt(c, r); }
};

TEST(DepthBuffer, TestIsStrictAndBounded)
{
    ZBDepthBuffer d(4, 3, 1.0f, 100.0f);
    d.SetLowerBound(1.0f);
    EXPECT_TRUE(d.TestAndSet(1, 1, 50.0f));
    EXPECT_FALSE(d.Test(1, 1, 50.0f));
    EXPECT_TRUE(d.Test(1, 1, 49.0f));
    EXPECT_FALSE(d.Test(0, 0, 1.0f));
    EXPECT_TRUE(d.Test(0, 0, 1.0001f));
    EXPECT_FALSE(d.Test(-1, 0, 5.0f));
    EXPECT_FALSE(d.Test(0, -1, 5.0f));
    EXPECT_FALSE(d.Test(4, 0, 5.0f));
    EXPECT_FALSE(d.Set(0, 3, 5.0f));
    EXPECT_TRUE(d.Set(3, 2, 500.0f));
}

TEST(PixelTriangle, VerticesSortByRowKeepingInsertionOrder)
{
    ZBScene scene;
    ZBPixelTriangle p(scene);
    p.AddVertex(1, 5, 1, 0, 0, 0);
    p.AddVertex(2, 2, 1, 0, 0, 0);
    p.AddVertex(3, 5, 1, 0, 0, 0);
    EXPECT_EQ(p.Vertex(0).m_position.x, 2);
    EXPECT_EQ(p.Vertex(1).m_position.x, 1);
    EXPECT_EQ(p.Vertex(2).m_position.x, 3);
    p.SetTextureCoords(ZBVector(0.1f, 0, 0), ZBVector(0.2f, 0, 0), ZBVector(0.3f, 0, 7));
    EXPECT_FLOAT_EQ(p.Vertex(0).m_tex.x, 0.2f);
    EXPECT_EQ(p.Vertex(2).m_tex.z, 0.0f);
    p.AddVertex(9, 9, 1, 0, 0, 0);
    EXPECT_EQ(p.GetVertexCount(), 1);
}

TEST(Rasteriser, CoverageFollowsTheEdgeRule)
{
    struct Case {
        const char* name;
        float px[3], py[3];
        size_t pixels;
    } cases[] = {
        {"rows 10,10,20", {10, 20, 10}, {10, 10, 20}, 0},
        {"rows 10,20,20", {10, 10, 20}, {10, 20, 20}, 0},
        {"flat", {1, 10, 20}, {10, 10, 10}, 0},
    };
    // Expected sets computed from the rule: rows A.y <= r < C.y, columns x_left < c <= x_right.
    for (Case& c : cases) {
        Screen s;
        const float z[3] = {5, 5, 5};
        s.Draw(c.px, c.py, z);
        std::set<std::pair<int, int>> expected;
        if (std::string(c.name) == "rows 10,10,20")
            for (int r = 10; r < 20; ++r)
                for (int col = 11; col <= 20 - (r - 10); ++col)
                    expected.insert({col, r});
        if (std::string(c.name) == "rows 10,20,20")
            for (int r = 10; r < 20; ++r)
                for (int col = 11; col <= 10 + (r - 10); ++col)
                    expected.insert({col, r});
        EXPECT_EQ(s.Covered(), expected) << c.name;
    }
}

TEST(Rasteriser, DegenerateTrianglesDrawNothing)
{
    Screen s;
    const float px[3] = {5, 5, 20}, py[3] = {5, 5, 25}, z[3] = {5, 5, 5};
    s.pt.m_nTexture = 0;
    s.Draw(px, py, z);
    EXPECT_TRUE(s.Covered().empty());
    EXPECT_EQ(s.pt.m_nTexture, -1);
}

TEST(Rasteriser, NearerSurfaceWinsAndEqualDepthKeepsTheFirst)
{
    const float px[3] = {2, 30, 2}, py[3] = {2, 2, 25};
    const float red[3][3] = {{1, 0, 0}, {1, 0, 0}, {1, 0, 0}}, blue[3][3] = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    const float nearZ[3] = {5, 5, 5}, farZ[3] = {9, 9, 9};
    for (int order = 0; order < 2; ++order) {
        Screen s;
        if (order == 0) {
            s.Draw(px, py, nearZ, red);
            s.Draw(px, py, farZ, blue);
        } else {
            s.Draw(px, py, farZ, blue);
            s.Draw(px, py, nearZ, red);
        }
        EXPECT_EQ(s.Px(5, 5)[2], 255) << order;
        EXPECT_EQ(s.Px(5, 5)[0], 0) << order;
    }
    Screen s;
    s.Draw(px, py, nearZ, red);
    s.Draw(px, py, nearZ, blue);
    EXPECT_EQ(s.Px(5, 5)[2], 255);
}

TEST(Rasteriser, GouraudAndFlatColours)
{
    const float px[3] = {0, 30, 0}, py[3] = {0, 0, 30}, z[3] = {5, 5, 5};
    const float rgb[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Screen smooth;
    smooth.pt.m_nShadeMode = 1;
    smooth.Draw(px, py, z, rgb);
    // Row 10, column 10: t1 on A->B... the lower half mirrors from C; colour is linear on screen.
    const uint8_t* p = smooth.Px(10, 10);
    EXPECT_NEAR(p[2], 255 * (1 - 20.0 / 30), 2);  // red fades with x + y
    EXPECT_NEAR(p[1], 255 * (10.0 / 30), 2);
    EXPECT_NEAR(p[0], 255 * (10.0 / 30), 2);
    Screen flat;
    flat.pt.m_nShadeMode = 0;
    flat.Draw(px, py, z, rgb);
    EXPECT_EQ(flat.Px(10, 10)[0], 85);  // trunc(0.33333334 * 255)
    EXPECT_EQ(flat.Px(3, 20)[2], 85);
    Screen back;
    back.pt.m_nShadeMode = -1;
    back.Draw(px, py, z, rgb);
    EXPECT_EQ(back.Px(10, 10)[2], 255);
    EXPECT_EQ(back.Px(10, 10)[1], 0);
}

TEST(Rasteriser, OpacityBlendsAndStillWritesDepth)
{
    const uint8_t white[3] = {255, 255, 255};
    Screen s(white);
    const float px[3] = {0, 30, 0}, py[3] = {0, 0, 30}, z[3] = {5, 5, 5};
    const float black[3][3] = {};
    s.pt.m_fOpacity = 0.5f;
    s.Draw(px, py, z, black);
    EXPECT_EQ(s.Px(5, 5)[0], 127);
    const float farZ[3] = {9, 9, 9};
    s.pt.m_fOpacity = 1.0f;
    s.Draw(px, py, farZ);
    EXPECT_EQ(s.Px(5, 5)[0], 127);
}

TEST(Rasteriser, FogMixesTheBackgroundColour)
{
    Screen s;
    s.scene.m_back.SetColour(1, 1, 1);
    s.scene.m_back.m_nFogMode = 1;
    s.scene.m_back.SetFogRange(1, 101);
    const float px[3] = {0, 30, 0}, py[3] = {0, 0, 30}, z[3] = {51, 51, 51};
    const float black[3][3] = {};
    s.Draw(px, py, z, black);
    EXPECT_EQ(s.Px(5, 5)[1], 127);
}

struct TextureScreen : Screen {
    TestFile file{"rt_raster_tex.bmp"};
    explicit TextureScreen(char key, const std::vector<uint8_t>& topDown)
    {
        EXPECT_TRUE(SaveFile(file.Path(), MakeBmp(2, 2, 24, topDown)));
        std::istringstream is("#IMAGE 1 " + file.Path() + " w N M " + key + " F\n");
        EXPECT_TRUE(scene.m_textures.ReadText(is));
    }

    // A big triangle whose texture coordinates equal its screen position / 30.
    void DrawTextured(int shade = 1)
    {
        const float px[3] = {0, 30, 0}, py[3] = {0, 0, 30}, z[3] = {5, 5, 5};
        const float grey[3][3] = {{0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}};
        ZBTriangle t = Add(px, py, z, grey);
        t.m_tex[0] = ZBVector(0, 1, 0);
        t.m_tex[1] = ZBVector(1, 1, 0);
        t.m_tex[2] = ZBVector(0, 0, 0);
        pt.m_nShadeMode = shade;
        pt.m_nTexture = 0;
        pt.SetTextureCoords(t.m_tex[0], t.m_tex[1], t.m_tex[2]);
        pt.DrawTriangle(t);
    }
};

TEST(Rasteriser, TexturesShowTexelsAndHonourTheBlackRules)
{
    // Top row: red, black; bottom row: green, blue (BGR bytes).
    const std::vector<uint8_t> img = {0, 0, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0};
    {
        TextureScreen s('D', img);
        s.DrawTextured();
        EXPECT_EQ(s.Px(2, 2)[2], 255);   // near the top left: red texel
        EXPECT_EQ(s.Px(2, 25)[1], 255);  // near the bottom left: green
        EXPECT_EQ(s.Px(20, 3)[0], 0);    // black texel shows black
        EXPECT_EQ(s.Px(20, 3)[1], 0);
        EXPECT_EQ(s.pt.m_nTexture, -1);
    }
    {
        TextureScreen s('M', img);
        s.DrawTextured();
        EXPECT_EQ(s.Px(20, 3)[1], 127);  // black shows the lit surface
        EXPECT_EQ(s.Px(2, 2)[2], 255);
    }
    {
        TextureScreen s('B', img);
        s.DrawTextured();
        EXPECT_EQ(s.scene.m_screen.GetDepthBuffer()->At(20, 3), 1000.0f);  // a miss writes nothing
        EXPECT_LT(s.scene.m_screen.GetDepthBuffer()->At(2, 2), 1000.0f);
    }
    {
        TextureScreen s('D', img);
        s.scene.m_textures.GetTexture(0)->m_bShade = true;
        s.DrawTextured();
        EXPECT_EQ(s.Px(2, 2)[2], 127);  // texel times the lit colour
    }
    {
        TextureScreen s('D', img);
        s.DrawTextured(-1);
        EXPECT_EQ(s.Px(2, 2)[2], 127);  // mode -1 shows no texture
        EXPECT_EQ(s.Px(2, 2)[1], 127);
    }
}

TEST(Rasteriser, WireEdgesPlotBothEnds)
{
    for (int dir = 0; dir < 2; ++dir) {
        Screen s;
        ZBTriangle t;
        const float px[3] = {3, 7, 5}, py[3] = {5, 5, 20}, z[3] = {5, 5, 5};
        const float c[3] = {1, 0, 0};
        const unsigned marks[3][2] = {{2, 4}, {4, 2}, {0, 1}};
        const int order[3] = {dir == 0 ? 0 : 1, dir == 0 ? 1 : 0, 2};
        for (int i = 0; i < 3; ++i) {
            const int k = order[i];
            t.m_camera[i].p = ZBVector((px[k] - W / 2.0f) * z[k], (py[k] - H / 2.0f) * z[k], z[k]);
            s.pt.AddVertex(px[k], py[k], z[k], 1, 0, 0, marks[i]);
        }
        s.pt.DrawEdges(t, c);
        std::set<std::pair<int, int>> expected;
        for (int x = 3; x <= 7; ++x)
            expected.insert({x, 5});
        EXPECT_EQ(s.Covered(), expected) << dir;
    }
    // Collinear corners: no edge at all.
    Screen s;
    ZBTriangle t;
    const float px[3] = {3, 7, 11}, py[3] = {5, 5, 5}, z[3] = {5, 5, 5};
    for (int k = 0; k < 3; ++k) {
        t.m_camera[k].p = ZBVector((px[k] - W / 2.0f) * z[k], (py[k] - H / 2.0f) * z[k], z[k]);
        s.pt.AddVertex(px[k], py[k], z[k], 1, 0, 0);
    }
    const float c[3] = {1, 0, 0};
    s.pt.DrawEdges(t, c);
    EXPECT_TRUE(s.Covered().empty());
    // A line from far outside is clipped rather than walked.
    Screen far;
    far.pt.DrawEdgeLine(t, -2000000000, 5, 2000000000, 5, c);
}

TEST(ScreenBuffer, BackgroundAndStorage)
{
    ZBScene scene;
    const uint8_t bgr[3] = {0, 127, 255};
    ASSERT_TRUE(scene.m_screen.SetUp(1000, 750, 1, 100, 1, bgr));
    EXPECT_EQ(scene.m_screen.GetStride(), 3000);
    EXPECT_EQ(scene.m_screen.PixelAt(999, 749)[1], 127);
    float c[3] = {1.7f, 0.999f, 0};
    scene.m_screen.SetPixel(0, 0, c, 5, 1);
    EXPECT_EQ(scene.m_screen.PixelAt(0, 0)[2], 255);
    EXPECT_EQ(scene.m_screen.PixelAt(0, 0)[1], 254);
    ASSERT_TRUE(scene.m_screen.SetUp(1, 1, 1, 100, 1, nullptr));
    EXPECT_EQ(scene.m_screen.GetStride(), 4);
    EXPECT_FALSE(scene.m_screen.SetUp(0, 5, 1, 100, 1, nullptr));
    EXPECT_FALSE(scene.m_screen.SetUp(100000, 100000, 1, 100, 1, nullptr));
    EXPECT_FALSE(scene.m_screen.WriteBmp("rt_never.bmp"));
    EXPECT_FALSE(FileExistsForTest("rt_never.bmp"));
}

TEST(ScreenBuffer, BackgroundImagesAreCentredAndCut)
{
    struct Case {
        int iw, ih;
        int firstColumn, row;  // picture position of image pixel (0, 0) or, when cut, image column shown at 0
    } cases[] = {{600, 400, 200, 175}, {1200, 10, -100, 370}, {1001, 10, 0, 370}};
    for (const Case& c : cases) {
        TestFile f("rt_back.bmp");
        std::vector<uint8_t> px(static_cast<size_t>(c.iw) * c.ih * 3, 0);
        for (int r = 0; r < c.ih; ++r)
            for (int x = 0; x < c.iw; ++x)
                px[(static_cast<size_t>(r) * c.iw + x) * 3] = static_cast<uint8_t>(x % 251);
        ASSERT_TRUE(SaveFile(f.Path(), MakeBmp(c.iw, c.ih, 24, px)));
        ZBScene scene;
        scene.m_back.SetImage(f.c_str());
        const uint8_t bgr[3] = {255, 255, 255};
        ASSERT_TRUE(scene.m_screen.SetUp(1000, 750, 1, 100, 1, bgr));
        if (c.firstColumn >= 0) {
            EXPECT_EQ(scene.m_screen.PixelAt(c.firstColumn, c.row)[1], 0) << c.iw;
            EXPECT_EQ(scene.m_screen.PixelAt(c.firstColumn + 7, c.row)[0], 7 % 251) << c.iw;
            if (c.firstColumn > 0) {
                EXPECT_EQ(scene.m_screen.PixelAt(c.firstColumn - 1, c.row)[1], 255) << c.iw;
            }
        } else {
            EXPECT_EQ(scene.m_screen.PixelAt(0, c.row)[0], (-c.firstColumn) % 251) << c.iw;
        }
    }
}

} // namespace
