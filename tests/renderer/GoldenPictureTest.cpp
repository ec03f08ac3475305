// Pictures of a fixed set of scenes, kept as hashes of the whole BMP files: any change to the
// renderer must leave every byte of them as it is, natively and in both Windows builds.
#include "RendererTestFiles.h"
#include "SceneGenerator.h"
#include "ZBDriver.h"
#include "ZBFileSystem.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

using namespace SceneGenerator;

namespace {

const char* const kFolder = "golden_vqbtmp";

uint64_t Fnv1a(const std::vector<unsigned char>& bytes)
{
    uint64_t h = 14695981039346656037ull;
    for (unsigned char b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

// 16 x 16 texels of varied colour with a black diagonal (for the black-texel rules).
std::vector<uint8_t> TextureBmp()
{
    std::vector<uint8_t> px(16 * 16 * 3);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            uint8_t* p = &px[static_cast<size_t>((y * 16 + x) * 3)];
            const bool black = x == y || x == 15 - y;
            p[0] = black ? 0 : static_cast<uint8_t>(40 + x * 13);
            p[1] = black ? 0 : static_cast<uint8_t>(30 + y * 14);
            p[2] = black ? 0 : static_cast<uint8_t>((x * y * 7) & 0xFF);
        }
    return MakeBmp(16, 16, 24, px);
}

std::vector<uint8_t> BackImageBmp()
{
    std::vector<uint8_t> px(150 * 110 * 3);
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = static_cast<uint8_t>(i / 3 % 150 + i / 450 + i % 3 * 60);
    return MakeBmp(150, 110, 24, px);
}

View MakeView(int w, int h)
{
    View v;
    v.eye[2] = -20;
    v.width = w;
    v.height = h;
    return v;
}

// A rolling height field seen from above and aside: varied depths, normals and triangle sizes.
Polygon HeightField(int side, float size, int material, int texture)
{
    Polygon p;
    p.material = material;
    p.texture = texture;
    const float step = size / side;
    auto height = [](float x, float y) { return 1.5f * std::sin(x * 0.7f) * std::cos(y * 0.5f); };
    for (int j = 0; j <= side; ++j)
        for (int i = 0; i <= side; ++i) {
            const float x = -size / 2 + i * step, y = -size / 2 + j * step;
            const float dx = (height(x + 0.01f, y) - height(x - 0.01f, y)) / 0.02f;
            const float dy = (height(x, y + 0.01f) - height(x, y - 0.01f)) / 0.02f;
            const float len = std::sqrt(dx * dx + dy * dy + 1);
            Vertex v{{x, y, height(x, y)}, {dx / len, dy / len, -1 / len}, {float(i) / side * 2, float(j) / side * 2}};
            p.vertices.push_back(v);
        }
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i) {
            const int a = j * (side + 1) + i + 1, b = a + 1, c = a + side + 1, d = c + 1;
            p.indices.insert(p.indices.end(), {a, b, d, a, d, c});
        }
    return p;
}

Polygon Single(int material, int texture, std::initializer_list<float> xyz)
{
    Polygon p;
    p.kind = 'S';
    p.material = material;
    p.texture = texture;
    const float* v = xyz.begin();
    for (int k = 0; k < 3; ++k)
        p.vertices.push_back(Vertex{{v[3 * k], v[3 * k + 1], v[3 * k + 2]}, {0, 0, -1}, {0.1f + 0.4f * k, 0.9f - 0.3f * k}});
    return p;
}

Material Coloured(float r, float g, float b)
{
    Material m;
    m.diffuse[0] = r;
    m.diffuse[1] = g;
    m.diffuse[2] = b;
    m.ambient[0] = m.ambient[1] = m.ambient[2] = 0.2f;
    return m;
}

Light Lamp(const char* type, float x, float y, float z)
{
    Light l;
    l.type = type;
    l.c2[0] = l.c2[1] = l.c2[2] = 0.15f;
    l.pos[0] = x;
    l.pos[1] = y;
    l.pos[2] = z;
    l.dir[0] = -x;
    l.dir[1] = -y;
    l.dir[2] = -z;
    l.exponent = 3;
    l.angle = 40;
    return l;
}

struct Case {
    const char* name;
    bool container;
    int width, height, shade;
    std::function<Scene()> make;
    uint64_t expected;
    const char* backImage = nullptr;
};

Scene Grid(int triangles, bool textured)
{
    Scene s = MakeGrid(triangles, textured, 3, 0);
    // Dim lights, so that no colour saturates and every light shows.
    for (Light& l : s.lights)
        l.c1[0] = l.c1[1] = l.c1[2] = 0.3f;
    if (textured)
        s.textures[0].file = "golden_tex.bmp";
    return s;
}

Scene Rolling(bool textured, char key, bool texShade)
{
    Scene s;
    View v = MakeView(240, 180);
    v.eye[0] = 6;
    v.eye[1] = -9;
    v.eye[2] = -14;
    v.dir[0] = -0.35f;
    v.dir[1] = 0.55f;
    v.dir[2] = 1;
    v.up[0] = 0.2f;
    v.up[1] = -1;
    v.up[2] = 0.3f;
    s.views.push_back(v);
    s.lights = {Lamp("SUN", 0.3f, 0.5f, -1), Lamp("LOCAL", 4, -3, -6), Lamp("SPOT", -3, -2, -9)};
    Material m = Coloured(0.8f, 0.6f, 0.3f);
    m.specular[0] = m.specular[1] = m.specular[2] = 0.6f;
    m.exponent = 12;
    m.emission[2] = 0.05f;
    s.materials.push_back(m);
    if (textured) {
        Texture t;
        t.file = "golden_tex.bmp";
        t.key = key;
        s.textures.push_back(t);
        if (texShade)
            s.texShade.push_back(1);
    }
    s.polygons.push_back(HeightField(28, 16, 1, textured ? 1 : 0));
    return s;
}

Scene Fogged(int mode)
{
    Scene s = Rolling(false, 'D', false);
    s.views[0].farZ = 40;
    s.hasBackColor = true;
    s.hasFog = true;
    s.fogMode = mode;
    s.fogDensity = mode == 1 ? 0 : 0.04f;
    return s;
}

Scene Wires()
{
    Scene s = MakeGrid(200, false, 1, 0);
    s.views[0].width = 160;
    s.views[0].height = 120;
    s.materials.push_back(Coloured(0, 0, 1));
    Wire line;
    line.kind = 'L';
    line.material = 2;
    line.points = {-9, -9, -0.5f, 9, -6, -0.5f, 9, 9, 0.3f, -12, 14, -2};
    Wire seg;
    seg.kind = 'S';
    seg.material = 1;
    seg.points = {-5, 5, 0, 5, 5, 0};  // lies in the grid's plane: the bias lifts it
    Wire mesh;
    mesh.kind = 'M';
    mesh.material = 2;
    mesh.points = {0, 0, -3, 4, 4, -3, -4, 4, -3, 0, -30, 40};
    mesh.segmentCount = 3;
    mesh.pairs = {0, 1, 1, 2, 2, 3};
    s.wires = {line, seg, mesh};
    return s;
}

Scene SeeThrough()
{
    Scene s;
    s.views.push_back(MakeView(160, 120));
    s.lights = {Lamp("SUN", 0.2f, -0.3f, 1)};
    Material glass = Coloured(0.2f, 0.4f, 1);
    glass.type = "TRANS";
    glass.opacity = 0.4f;
    Material glass2 = Coloured(1, 0.2f, 0.2f);
    glass2.type = "TRANS";
    glass2.opacity = 0.7f;
    s.materials = {Coloured(0.9f, 0.9f, 0.2f), glass, glass2};
    // Read order: see-through first, then opaque behind it, then see-through behind the opaque.
    s.polygons.push_back(Single(2, 0, {-6, -6, -2, 6, -6, -2, 0, 6, -2}));
    s.polygons.push_back(Single(1, 0, {-8, -4, 1, 8, -4, 1, 0, 8, 1}));
    s.polygons.push_back(Single(3, 0, {-9, 0, 3, 9, 0, 3, 0, -9, 3}));
    s.polygons.push_back(Single(3, 0, {-4, -8, -4, 4, -8, -4, 0, 0, -4}));
    return s;
}

Scene NearClipping(bool textured)
{
    Scene s;
    View v = MakeView(200, 150);
    v.eye[0] = 0;
    v.eye[1] = -3;
    v.eye[2] = 0;
    v.dir[0] = 0.1f;
    v.dir[1] = 0.25f;
    v.dir[2] = 1;
    v.nearZ = 2;
    s.views.push_back(v);
    s.lights = {Lamp("LOCAL", 0, -5, 3)};
    s.materials = {Coloured(0.3f, 0.9f, 0.4f), Coloured(0.9f, 0.3f, 0.4f)};
    if (textured) {
        Texture t;
        t.file = "golden_tex.bmp";
        s.textures.push_back(t);
    }
    const int tex = textured ? 1 : 0;
    // A floor running from behind the eye into the distance: one and two corners kept.
    s.polygons.push_back(Single(1, tex, {-6, 0, -4, 6, 0, -4, 0, 0, 20}));
    s.polygons.push_back(Single(2, tex, {-3, -1, 1, 3, 2, 1.5f, 5, -2, 8}));
    s.polygons.push_back(Single(2, tex, {-5, -4, 6, -2, -4, 0.5f, 2, -5, 1}));
    // Wholly behind the near plane.
    s.polygons.push_back(Single(1, tex, {-5, -5, 1, 5, -5, 1, 0, 5, 1}));
    return s;
}

Scene Ties()
{
    Scene s;
    s.views.push_back(MakeView(160, 120));
    s.lights = {Lamp("SUN", 0.2f, -0.3f, 1)};
    s.materials = {Coloured(1, 0, 0), Coloured(0, 1, 0), Coloured(0, 0, 1)};
    // Coplanar overlapping triangles: the first drawn keeps each pixel.
    s.polygons.push_back(Single(1, 0, {-8, -6, 0, 8, -6, 0, 0, 8, 0}));
    s.polygons.push_back(Single(2, 0, {-8, 6, 0, 8, 6, 0, 0, -8, 0}));
    Polygon grid = MakeGrid(400, false, 0, 0).polygons[0];
    grid.material = 3;
    s.polygons.push_back(grid);
    grid.material = 1;
    s.polygons.push_back(grid);
    return s;
}

class Golden : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZBFileSystem::MakeDirectory(kFolder);
        SaveFile("golden_tex.bmp", TextureBmp());
        SaveFile(std::string(kFolder) + ZBFileSystem::kSep + "golden_tex.bmp", TextureBmp());
        SaveFile("golden_back.bmp", BackImageBmp());
    }
    void TearDown() override
    {
        ZBFileSystem::RemoveFile(std::string(kFolder) + ZBFileSystem::kSep + "golden_tex.bmp");
        std::remove(kFolder);
        std::remove("golden_tex.bmp");
        std::remove("golden_back.bmp");
    }
};

TEST_F(Golden, PicturesStayByteIdentical)
{
    const std::vector<Case> cases = {
        {"grid, three light kinds, text", false, 200, 150, 1, [] { return Grid(800, false); }, 0xcc8fb76fb11f69a9ull},
        {"grid, three light kinds, container", true, 200, 150, 1, [] { return Grid(800, false); }, 0xcc8fb76fb11f69a9ull},
        {"fine grid, small triangles, container", true, 200, 150, 1, [] { return Grid(30000, false); }, 0xc59998e790e482e3ull},
        {"textured grid, text", false, 200, 150, 1, [] { return Grid(800, true); }, 0x3f660ae5ca909027ull},
        {"textured grid, container", true, 200, 150, 1, [] { return Grid(800, true); }, 0x3f660ae5ca909027ull},
        {"rolling, specular, smooth", true, 240, 180, 1, [] { return Rolling(false, 'D', false); }, 0xcb8c33433d5856faull},
        {"rolling, flat", true, 240, 180, 0, [] { return Rolling(false, 'D', false); }, 0x44adba47411cc536ull},
        {"rolling, background shading", true, 240, 180, -1, [] { return Rolling(true, 'D', false); }, 0xbafb34e7d63a394aull},
        {"rolling textured, unlit", true, 240, 180, 1, [] { return Rolling(true, 'D', false); }, 0xf50a8847af45572cull},
        {"rolling textured, lit grey, flat", false, 240, 180, 0, [] { return Rolling(true, 'D', true); }, 0xeba0f14144791a45ull},
        {"rolling textured, lit grey, smooth", true, 240, 180, 1, [] { return Rolling(true, 'D', true); }, 0x5c5d2cb84b3ec188ull},
        {"rolling textured, black shows surface", true, 240, 180, 1, [] { return Rolling(true, 'M', false); }, 0xd584dd0b675f624bull},
        {"rolling textured, black keyed out", true, 240, 180, 1, [] { return Rolling(true, 'B', false); }, 0xa28deb898e8f5a8cull},
        {"linear fog", false, 240, 180, 1, [] { return Fogged(1); }, 0x43cf0d1a55fe9525ull},
        {"exponential fog", true, 240, 180, 1, [] { return Fogged(2); }, 0xc1b19c976fd22be3ull},
        {"squared exponential fog", true, 240, 180, 1, [] { return Fogged(3); }, 0xe72893388ac5f701ull},
        {"wires over a grid", false, 160, 120, 1, Wires, 0x3cb44a32deb8454eull},
        {"see-through", true, 160, 120, 1, SeeThrough, 0x5cd4f988e47067c1ull},
        {"near clipping", false, 200, 150, 1, [] { return NearClipping(false); }, 0x474a4d290d267aa6ull},
        {"near clipping, textured", true, 200, 150, 1, [] { return NearClipping(true); }, 0x15c3a8132c101332ull},
        {"ties keep the first drawn", false, 160, 120, 1, Ties, 0x0fc1f435eab9ff86ull},
        {"background image", true, 160, 120, 1, SeeThrough, 0x99492f8e967d4463ull, "golden_back.bmp"},
    };
    ZBScene scene;
    ZBDriver driver(scene);
    driver.m_bUnpackArchives = 0;
    driver.m_strTempFolder = kFolder;
    TestFile sceneFile("golden_scene.txt"), containerFile("golden_scene.vqb"), out("golden_out.bmp");
    for (const Case& c : cases) {
        Scene s = c.make();
        if (c.container)
            ASSERT_TRUE(SaveFile(containerFile.Path(), WriteContainer(s)));
        else
            ASSERT_TRUE(SaveFile(sceneFile.Path(), WriteText(s)));
        ZBRenderRequest r;
        r.scenePath = c.container ? containerFile.c_str() : sceneFile.c_str();
        r.outPath = out.c_str();
        r.width = c.width;
        r.height = c.height;
        r.red = 230;
        r.green = 240;
        r.blue = 250;
        r.backImagePath = c.backImage;
        r.shadeMode = c.shade;
        ASSERT_EQ(driver.Run(r), ZB_OK) << c.name;
        const std::vector<unsigned char> bytes = ReadAll(out.Path());
        const uint64_t h = Fnv1a(bytes);
        // QVZ_GOLDEN_DUMP=folder keeps the pictures for a look.
        if (const char* dump = std::getenv("QVZ_GOLDEN_DUMP")) {
            std::string name = std::string(dump) + "/golden" + std::to_string(&c - cases.data()) + ".bmp";
            SaveFile(name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        }
        char hex[32];
        std::snprintf(hex, sizeof hex, "0x%016" PRIx64, h);
        EXPECT_EQ(h, c.expected) << c.name << ": " << hex;
    }
}

} // namespace
