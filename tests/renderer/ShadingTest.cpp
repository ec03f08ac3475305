#include "RendererTestFiles.h"
#include "SceneGenerator.h"
#include "ZBScene.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace SceneGenerator;

namespace {

// One triangle in camera space facing the eye, corner 0 at p.
ZBTriangle FacingTriangle(ZBVector p, int material = 1, int texture = 0)
{
    ZBTriangle t;
    t.m_nMaterial = material;
    t.m_nTexture = texture;
    t.SetCorners(p, p + ZBVector(1, 0, 0), p + ZBVector(0, 1, 0));
    for (auto& n : t.m_normals)
        n = ZBVector(0, 0, -1);
    t.Transform(ZBMatrix());
    return t;
}

ZBLight MakeLight(int type, ZBVector pos, ZBVector dir, float c1, float c2)
{
    ZBLight l;
    l.m_nType = type;
    l.m_position = pos;
    l.m_direction = dir;
    for (int c = 0; c < 3; ++c) {
        l.m_colour1[c] = c1;
        l.m_colour2[c] = c2;
    }
    l.Transform(ZBMatrix());
    return l;
}

struct LightCase {
    const char* name;
    ZBLight light;
    ZBVector corner;
    float expected;  // red of corner 0
};

TEST(Lighting, ColourOfEachLightKind)
{
    ZBMaterialGroup materials;
    ZBMaterial m;
    m.m_diffuse[0] = 0.5f;
    m.m_ambient[0] = 1.0f;
    materials.Add(m);
    ZBTextureGroup textures;
    const float cos29 = std::cos(29.0f * 0.017453292f);
    // Spot at the origin looking along +z, cone 30 degrees, exponent 2.
    auto spot = [&](float degrees) {
        ZBLight l = MakeLight(ZB_LIGHT_SPOT, ZBVector(), ZBVector(0, 0, 1), 1, 0);
        l.m_nSpotAngle = 30;
        l.m_nSpotExponent = 2;
        const float r = degrees * 0.017453292f;
        return LightCase{"spot", l, ZBVector(10 * std::sin(r), 0, 10 * std::cos(r)), 0};
    };
    std::vector<LightCase> cases = {
        {"sun head on", MakeLight(ZB_LIGHT_SUN, {}, ZBVector(0, 0, -1), 1, 0), ZBVector(0, 0, 5), 0.5f},
        {"sun from behind gives only ambient", MakeLight(ZB_LIGHT_SUN, {}, ZBVector(0, 0, 1), 1, 0.2f),
         ZBVector(0, 0, 5), 0.2f},
        {"local straight ahead", MakeLight(ZB_LIGHT_LOCAL, ZBVector(0, 0, 0), {}, 1, 0), ZBVector(0, 0, 5), 0.5f},
    };
    LightCase in = spot(29), out = spot(31);
    const float d = cos29;
    in.expected = 0.5f * d * static_cast<float>(std::pow(d, 2));  // diffuse L.N = cos, times S = cos^2
    out.expected = 0.0f;
    cases.push_back(in);
    cases.push_back(out);
    for (const LightCase& c : cases) {
        ZBLightGroup lights;
        lights.Add(c.light);
        ZBTriangle t = FacingTriangle(c.corner);
        t.Light(lights, materials, textures);
        EXPECT_NEAR(t.m_colours[0][0], c.expected, 2e-4f) << c.name;
        EXPECT_EQ(t.m_colours[0][1], 0.0f) << c.name;
    }
}

TEST(Lighting, BackFacesEmissionAndSpecular)
{
    ZBMaterialGroup materials;
    ZBMaterial m;
    m.m_diffuse[1] = 1.0f;
    m.m_specular[2] = 1.0f;
    m.m_nExponent = 10;
    materials.Add(m);
    ZBMaterial glow;
    glow.m_emission[0] = glow.m_emission[1] = glow.m_emission[2] = 1.0f;
    glow.m_fOpacity = 0.5f;
    materials.Add(glow);
    ZBTextureGroup textures;
    ZBLightGroup lights;
    lights.Add(MakeLight(ZB_LIGHT_SUN, {}, ZBVector(0, 0, -1), 1, 0));

    // Seen from its back: lit as if its normals faced the eye; full specular head on.
    ZBTriangle back = FacingTriangle(ZBVector(0, 0, 5));
    for (auto& n : back.m_cameraNormals)
        n = ZBVector(0, 0, 1);
    back.Light(lights, materials, textures);
    EXPECT_NEAR(back.m_colours[0][1], 1.0f, 1e-6);
    EXPECT_NEAR(back.m_colours[0][2], 1.0f, 1e-3);

    // Diffuse exactly 0 gives no highlight either.
    ZBLightGroup side;
    side.Add(MakeLight(ZB_LIGHT_SUN, {}, ZBVector(1, 0, 0), 1, 0));
    ZBTriangle edgeOn = FacingTriangle(ZBVector(0, 0, 5));
    edgeOn.Light(side, materials, textures);
    EXPECT_EQ(edgeOn.m_colours[0][2], 0.0f);

    ZBTriangle white = FacingTriangle(ZBVector(0, 0, 5), 2);
    white.Light(lights, materials, textures);
    EXPECT_EQ(white.m_colours[1][0], 1.0f);
    EXPECT_EQ(white.m_fOpacity, 0.5f);

    // No lights: the emission alone; and a material number naming none does not fault.
    ZBLightGroup none;
    ZBTriangle plain = FacingTriangle(ZBVector(0, 0, 5), 2);
    plain.Light(none, materials, textures);
    EXPECT_EQ(plain.m_colours[2][2], 1.0f);
    ZBTriangle orphan = FacingTriangle(ZBVector(0, 0, 5), 99);
    orphan.Light(lights, materials, textures);
    EXPECT_EQ(orphan.m_fOpacity, 1.0f);
}

TEST(Lighting, TexturesDecideWhetherATriangleIsLit)
{
    TestFile bmp("rt_lit_tex.bmp");
    ASSERT_TRUE(SaveFile(bmp.Path(), MakeBmp(1, 1, 24, {0, 0, 0})));
    std::istringstream is("#IMAGE 3\n" + bmp.Path() + " w N M D F\n" + bmp.Path() + " w N M D F\n" + bmp.Path() +
                          " w N M M F\n#TEXSHADE 1 2\n");
    ZBTextureGroup textures;
    ASSERT_TRUE(textures.ReadText(is));
    ZBMaterialGroup materials;
    ZBMaterial m;
    m.m_diffuse[0] = 1;
    m.m_fOpacity = 0.5f;
    materials.Add(m);
    ZBLightGroup lights;
    lights.Add(MakeLight(ZB_LIGHT_SUN, {}, ZBVector(0, 0, -1), 1, 0));
    ZBTriangle plainTex = FacingTriangle(ZBVector(0, 0, 5), 1, 1);
    plainTex.Light(lights, materials, textures);
    EXPECT_EQ(plainTex.m_colours[0][0], 0.0f);
    EXPECT_EQ(plainTex.m_fOpacity, 1.0f);
    ZBTriangle grey = FacingTriangle(ZBVector(0, 0, 5), 1, 2);
    grey.Light(lights, materials, textures);
    EXPECT_FLOAT_EQ(grey.m_colours[0][1], 0.7f);
    EXPECT_EQ(grey.m_fOpacity, 0.5f);
    ZBTriangle keyed = FacingTriangle(ZBVector(0, 0, 5), 1, 3);
    keyed.Light(lights, materials, textures);
    EXPECT_FLOAT_EQ(keyed.m_colours[0][0], 1.0f);
    EXPECT_EQ(keyed.m_colours[0][1], 0.0f);
    ZBTriangle missing = FacingTriangle(ZBVector(0, 0, 5), 1, 9);
    missing.Light(lights, materials, textures);
    EXPECT_FLOAT_EQ(missing.m_colours[0][0], 1.0f);
}

TEST(Textures, TexelLookupWithWrapping)
{
    TestFile bmp("rt_texel.bmp");
    // 4 x 2, top row then bottom row; blue byte = column + 10 * (stored row).
    std::vector<uint8_t> px;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            px.insert(px.end(), {static_cast<uint8_t>(c + 10 * (1 - r)), 1, 1});
    ASSERT_TRUE(SaveFile(bmp.Path(), MakeBmp(4, 2, 24, px)));
    ZBTexture t;
    ASSERT_TRUE(t.LoadBmp(bmp.c_str()));
    const struct {
        float u, v;
        int blue;
    } cases[] = {{0, 0, 0},   {1.0f, 0, 3},   {1.25f, 0, 1},  {-0.25f, 0, 2},
                 {3e10f, 0, 0}, {0, 1.0f, 10}, {0.49f, 0.49f, 1}, {0.5f, 0.5f, 12}};
    for (auto& c : cases) {
        uint8_t bgr[3];
        ASSERT_TRUE(t.GetTexel(ZBVector(c.u, c.v, 0), bgr)) << c.u << "," << c.v;
        EXPECT_EQ(bgr[0], c.blue) << c.u << "," << c.v;
    }
    uint8_t bgr[3];
    t.m_nMapping = 0;
    EXPECT_FALSE(t.GetTexel(ZBVector(0, 0, 0), bgr));
    ZBTexture empty;
    EXPECT_FALSE(empty.GetTexel(ZBVector(0, 0, 0), bgr));

    TestFile black("rt_black.bmp");
    ASSERT_TRUE(SaveFile(black.Path(), MakeBmp(2, 2, 8, {0, 0, 0, 0}, {0})));
    ZBTexture keyed;
    ASSERT_TRUE(keyed.LoadBmp(black.c_str()));
    EXPECT_TRUE(keyed.GetTexel(ZBVector(0.5f, 0.5f, 0), bgr));
    keyed.m_nColourKey = 1;
    EXPECT_FALSE(keyed.GetTexel(ZBVector(0.5f, 0.5f, 0), bgr));
}

TEST(Background, FogAtADepth)
{
    ZBBackGround b;
    b.SetColour(1, 1, 1);
    b.SetFogRange(1, 101);
    const struct {
        int mode;
        float density, z, expected;  // own colour 0 -> expected after fog
    } cases[] = {{1, 0, 51, 0.5f}, {1, 0, 0.5f, 0}, {2, 0.1f, 10, 1 - std::exp(-1.0f)},
                 {3, 0.1f, 10, 1 - std::exp(-1.0f)}, {4, 0.1f, 50, 0}, {0, 0.1f, 50, 0}};
    for (auto& c : cases) {
        b.m_nFogMode = c.mode;
        b.m_fFogDensity = c.density;
        float r = 0, g = 0, bl = 0;
        b.ApplyFog(c.z, r, g, bl);
        EXPECT_NEAR(r, c.expected, 1e-5f) << c.mode << " at " << c.z;
    }
}

TEST(Wires, SegmentsBecomeTrianglesWithOneMarkedEdge)
{
    ZBSegmentGroup g;
    g.AddSegment(ZBVector(0, 0, 0), ZBVector(0, 0, 0), 1);
    EXPECT_EQ(g.GetCount(), 0);
    g.AddSegment(ZBVector(1, 0, 0), ZBVector(2, 0, 0), 3);
    ASSERT_EQ(g.GetCount(), 1);
    ZBTriangleGroup* t = g.GetTriangleGroup();
    ASSERT_EQ(t->GetCount(), 1);
    const ZBTriangle& w = *t->TriangleAt(0);
    EXPECT_EQ(w.m_nMaterial, 3);
    EXPECT_EQ(w.m_nTexture, -1);
    // C = (1, 1, 0): u = A - C = (0, -1, 0), w = B - C = (1, -1, 0), n = u x w = (0, 0, 1); D = u + n.
    EXPECT_TRUE(w.m_corners[2].p == ZBVector(0, -1, 1));
    EXPECT_TRUE(w.m_normals[0] == ZBVector(0, 0, 1));
    EXPECT_TRUE(ZBIsMarkedEdge(w.m_corners[0], w.m_corners[1]));
    EXPECT_FALSE(ZBIsMarkedEdge(w.m_corners[1], w.m_corners[2]));
    EXPECT_FALSE(ZBIsMarkedEdge(w.m_corners[2], w.m_corners[0]));

    // A segment off the origin keeps C at the origin.
    g.AddSegment(ZBVector(0, 1, 5), ZBVector(1, 1, 5), 1);
    EXPECT_EQ(t->GetCount(), 2);
    EXPECT_EQ(g.GetSegment(1)->GetMaterial(), 1);
    g.Clear();
    EXPECT_EQ(t->GetCount(), 0);
}

} // namespace
