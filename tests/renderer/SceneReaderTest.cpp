#include "RendererTestFiles.h"
#include "SceneGenerator.h"
#include "ZBByteStream.h"
#include "ZBDriver.h"
#include "ZBFileSystem.h"
#include "ZBScene.h"
#include "ZBSceneStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

using namespace SceneGenerator;

namespace {

std::istringstream Text(const std::string& s)
{
    return std::istringstream(s);
}

TEST(TextScene, LightSectionStopsAtTheNextSection)
{
    auto is = Text("#LIGHT 2\nSUN 1 1 1 0 0 0 0 0 1\n#MATERIAL 0\n");
    ZBLightGroup g;
    EXPECT_FALSE(g.ReadText(is));
    EXPECT_EQ(g.GetCount(), 1);
}

TEST(TextScene, LightTypesByContainment)
{
    const struct {
        const char* word;
        int type;
        const char* tail;
    } cases[] = {
        {"LOCAL", ZB_LIGHT_LOCAL, " 1 2 3"},
        {"SUNSPOT", ZB_LIGHT_SUN, " 0 0 1"},
        {"LAMP", ZB_LIGHT_SUN, " 0 0 1"},
        {"xSPOTx", ZB_LIGHT_SPOT, " 1 2 3 0 0 1 4 30"},
    };
    for (auto& c : cases) {
        auto is = Text(std::string("#LIGHT 1 ") + c.word + " 1 1 1 0.5 0.5 0.5" + c.tail);
        ZBLightGroup g;
        ASSERT_TRUE(g.ReadText(is)) << c.word;
        ASSERT_EQ(g.GetCount(), 1);
        EXPECT_EQ(g.Get(0).m_nType, c.type) << c.word;
    }
    auto is = Text("#LIGHT 1 SPOT 1 1 1 0 0 0 1 2 3 0 0 1 4 30");
    ZBLightGroup g;
    ASSERT_TRUE(g.ReadText(is));
    EXPECT_EQ(g.Get(0).m_position.z, 3);
    EXPECT_EQ(g.Get(0).m_nSpotExponent, 4);
    EXPECT_EQ(g.Get(0).m_nSpotAngle, 30);
}

TEST(TextScene, ViewsNamesAndKeywordsInsideWords)
{
    auto is = Text("x#VIEWx \"front door\" 0 0 0 0 0 5 0 1 0 1 100 60 500 375\n"
                   "#VIEW back 1 2 3 0 0 1 0 1 0 1 100 60 10 10\n");
    ZBViewGroup g;
    ASSERT_TRUE(g.ReadViewSection(is));
    ASSERT_EQ(g.GetCount(), 2);
    EXPECT_EQ(g.GetView(0)->m_strName, "front door");
    EXPECT_EQ(g.GetView(1)->m_strName, "back");
    EXPECT_EQ(g.GetView(0)->m_direction.z, 1.0f);
    EXPECT_EQ(g.GetView(2), nullptr);
    g.SetViewSize(1000, 750, 0);
    g.SetViewSize(1, 1, 5);
    EXPECT_EQ(g.GetView(0)->m_nWidth, 1000);
    EXPECT_EQ(g.GetView(0)->m_nSceneWidth, 500);
    g.SetShadeMode(-1);
    EXPECT_EQ(g.GetView(1)->m_nShadeMode, -1);
}

TEST(TextScene, PolygonEntries)
{
    ZBMaterialGroup m;
    {
        // 'S' with texture -1 reads no coordinates; 'M' with -1 reads them and does not attach them.
        auto is = Text("#POLYGON\nS 1 -1 0 0 0 5 0 0 1 1 0 5 0 0 1 0 1 5 0 0 1\n"
                       "M 1 -1 0 3 0 0 5 0 0 1 0.5 0.5 1 0 5 0 0 1 0.5 0.5 0 1 5 0 0 1 0.5 0.5 1 1 2 3\n"
                       "#POLYGON-END\n");
        ZBTriangleGroup g;
        ASSERT_TRUE(g.ReadText(is, m));
        ASSERT_EQ(g.GetCount(), 2);
        EXPECT_EQ(g.TriangleAt(1)->m_tex[0].x, 0.0f);
    }
    {
        // Equal corners are dropped, collinear distinct ones kept; a bad close keeps what was read.
        auto is = Text("#POLYGON\nM 1 0 0 4 0 0 5 0 0 1 1 0 5 0 0 1 2 0 5 0 0 1 0 1 5 0 0 1\n"
                       "3 1 1 2 1 2 3 1 2 4\n#END\n");
        ZBTriangleGroup g;
        EXPECT_FALSE(g.ReadText(is, m));
        EXPECT_EQ(g.GetCount(), 2);
    }
    {
        // Vertex list cut short adds nothing; triangle list cut short keeps the complete ones;
        // vertex numbers outside the list name no corner.
        auto a = Text("#POLYGON\nM 1 0 0 3 0 0 5 0 0 1 1 0 5\n");
        ZBTriangleGroup g;
        EXPECT_FALSE(g.ReadText(a, m));
        EXPECT_EQ(g.GetCount(), 0);
        auto b = Text("#POLYGON\nM 1 0 0 3 0 0 5 0 0 1 1 0 5 0 0 1 0 1 5 0 0 1 9 1 2 3 1 2 99 0 1 2 3 2 1");
        EXPECT_FALSE(g.ReadText(b, m));
        EXPECT_EQ(g.GetCount(), 2);
    }
    {
        // A line over 254 characters while searching: as if the section were absent.
        auto is = Text(std::string(300, 'x') + "\n#POLYGON\nS 1 0 0 0 0 5 0 0 1 1 0 5 0 0 1 0 1 5 0 0 1\n#POLYGON-END\n");
        ZBTriangleGroup g;
        EXPECT_TRUE(g.ReadText(is, m));
        EXPECT_EQ(g.GetCount(), 0);
    }
}

TEST(TextScene, WireEntries)
{
    const struct {
        const char* text;
        int segments;
    } cases[] = {
        {"#WIRE\nS 1 0 0 0 0 0 0\n#WIRE-END", 0},
        {"#WIRE\nL 1 3 0 0 0 1 0 0 1 1 0\n#", 2},
        {"#WIRE\nM 1 4 0 0 0 1 0 0 2 0 0 3 0 0 -1\n#", 2},
        {"#WIRE\nM 1 3 0 0 0 1 0 0 2 0 0 -1\n#", 2},
        {"#WIRE\nM 1 2 1 0 0 2 0 0 2 0 1 5 1\n#", 2},
        {"#WIRE\nS 1 0 0 0 1 0 0\n# anything\nS 1 0 0 0 2 0 0\n", 1},
    };
    for (auto& c : cases) {
        auto is = Text(c.text);
        ZBSegmentGroup g;
        g.ReadText(is);
        EXPECT_EQ(g.GetCount(), c.segments) << c.text;
    }
    // Three points, negative count: 0-1 and 2-(0, 0, 0).
    auto is = Text("#WIRE\nM 1 3 1 1 1 2 2 2 3 3 3 -1\n#");
    ZBSegmentGroup g;
    g.ReadText(is);
    ASSERT_EQ(g.GetCount(), 2);
    EXPECT_TRUE(g.GetSegment(1)->GetEdge().m_end == ZBVector(0, 0, 0));
}

TEST(TextScene, TexturesAndReplacements)
{
    TestFile bmp("rt_tex_a.bmp"), other("rt_tex_b.bmp");
    ASSERT_TRUE(SaveFile(bmp.Path(), MakeBmp(2, 2, 24, std::vector<uint8_t>(12, 50))));
    ASSERT_TRUE(SaveFile(other.Path(), MakeBmp(3, 3, 24, std::vector<uint8_t>(27, 60))));
    const std::string scene = "#IMAGE 3\n\"" + bmp.Path() + "\" w B 0.5 M B F\n" + bmp.Path() +
                              " w N S M S 1 2 3 4\n\"rt_missing.bmp\" w N T D F\n#TEXSHADE 1 2\n";
    ZBTextureGroup g;
    auto is = Text(scene);
    ASSERT_TRUE(g.ReadText(is));
    ASSERT_EQ(g.GetCount(), 3);
    EXPECT_EQ(g.GetTexture(0)->m_nColourKey, 1);
    EXPECT_EQ(g.GetTexture(1)->m_nMapping, 0);
    EXPECT_TRUE(g.GetTexture(1)->m_bBlackTransparent);
    EXPECT_TRUE(g.GetTexture(1)->m_bShade);
    EXPECT_EQ(g.GetTexture(1)->m_rect[3], 4);
    EXPECT_EQ(g.GetTexture(2)->m_nMapping, 1);
    EXPECT_EQ(g.GetTexture(2)->GetBits(), nullptr);
    EXPECT_EQ(g.GetTexture(0)->GetWidth(), 2);

    // Replacement for key 0, registered twice: the second name counts, and it survives a reading.
    g.SetReplacement(0, "rt_none.bmp");
    g.SetReplacement(0, other.c_str());
    for (int pass = 0; pass < 2; ++pass) {
        auto again = Text(scene);
        ASSERT_TRUE(g.ReadText(again));
        EXPECT_EQ(g.GetTexture(0)->GetWidth(), 3) << pass;
        EXPECT_EQ(g.GetTexture(1)->GetWidth(), 2) << pass;
    }
    // A scene without "#IMAGE" discards the replacements at the next reset.
    auto none = Text("#POLYGON\n#POLYGON-END\n");
    ASSERT_TRUE(g.ReadText(none));
    auto third = Text(scene);
    g.ReadText(third);
    EXPECT_EQ(g.GetTexture(0)->GetWidth(), 2);

    auto badShade = Text("#IMAGE 1 \"" + bmp.Path() + "\" w N M D F\n#TEXSHADE 1 2\n");
    EXPECT_FALSE(g.ReadText(badShade));
}

TEST(TextScene, BackgroundAndFog)
{
    auto is = Text("#FOG 2 0.1 4 5\n#BACKIMAGE pic.bmp\n#BACKCOLOR 0.5 0.25 1\n");
    ZBBackGround b;
    ASSERT_TRUE(b.ReadText(is));
    EXPECT_EQ(b.m_colour[1], 0.25f);
    ASSERT_NE(b.GetImageName(), nullptr);
    EXPECT_EQ(*b.GetImageName(), "pic.bmp");
    EXPECT_EQ(b.m_nFogMode, 2);
    EXPECT_EQ(b.m_fFogValue4, 5.0f);
    auto empty = Text("nothing here");
    ASSERT_TRUE(b.ReadText(empty));
    EXPECT_EQ(b.m_nFogMode, 0);
    EXPECT_EQ(b.m_fFogValue3, 3.0f);
}

// Every value the readers fill, compared field by field.
void ExpectSameScene(ZBScene& a, ZBScene& b)
{
    ASSERT_EQ(a.m_views.GetCount(), b.m_views.GetCount());
    for (int i = 0; i < a.m_views.GetCount(); ++i) {
        const ZBView &x = *a.m_views.GetView(i), &y = *b.m_views.GetView(i);
        EXPECT_EQ(x.m_strName, y.m_strName);
        EXPECT_TRUE(x.m_eye == y.m_eye && x.m_direction == y.m_direction && x.m_up == y.m_up);
        EXPECT_EQ(x.m_fNear, y.m_fNear);
        EXPECT_EQ(x.m_fAngle, y.m_fAngle);
        EXPECT_EQ(x.m_nSceneWidth, y.m_nSceneWidth);
        EXPECT_EQ(std::memcmp(x.m_viewMatrix.m, y.m_viewMatrix.m, sizeof x.m_viewMatrix.m), 0);
    }
    ASSERT_EQ(a.m_lights.GetCount(), b.m_lights.GetCount());
    for (int i = 0; i < a.m_lights.GetCount(); ++i) {
        const ZBLight &x = a.m_lights.Get(i), &y = b.m_lights.Get(i);
        EXPECT_EQ(x.m_nType, y.m_nType);
        EXPECT_EQ(std::memcmp(x.m_colour1, y.m_colour1, sizeof x.m_colour1), 0);
        EXPECT_EQ(std::memcmp(x.m_colour2, y.m_colour2, sizeof x.m_colour2), 0);
        EXPECT_TRUE(x.m_position == y.m_position && x.m_direction == y.m_direction);
        EXPECT_EQ(x.m_nSpotExponent, y.m_nSpotExponent);
        EXPECT_EQ(x.m_nSpotAngle, y.m_nSpotAngle);
    }
    ASSERT_EQ(a.m_materials.GetCount(), b.m_materials.GetCount());
    for (int i = 1; i <= a.m_materials.GetCount(); ++i) {
        const ZBMaterial &x = *a.m_materials.Get(i), &y = *b.m_materials.Get(i);
        EXPECT_EQ(x.m_nType, y.m_nType);
        EXPECT_EQ(std::memcmp(x.m_diffuse, y.m_diffuse, sizeof(float) * 9), 0);
        EXPECT_EQ(x.m_nExponent, y.m_nExponent);
        EXPECT_EQ(x.m_fOpacity, y.m_fOpacity);
        EXPECT_EQ(x.m_fMirror, y.m_fMirror);
    }
    ASSERT_EQ(a.m_textures.GetCount(), b.m_textures.GetCount());
    for (int i = 0; i < a.m_textures.GetCount(); ++i) {
        const ZBTexture &x = *a.m_textures.GetTexture(i), &y = *b.m_textures.GetTexture(i);
        EXPECT_EQ(x.m_nMapping, y.m_nMapping);
        EXPECT_EQ(x.m_nColourKey, y.m_nColourKey);
        EXPECT_EQ(x.m_bShade, y.m_bShade);
        EXPECT_EQ(x.m_bBlackTransparent, y.m_bBlackTransparent);
        EXPECT_EQ(x.GetWidth(), y.GetWidth());
    }
    ZBTriangleGroup &ta = *a.m_pTriangles, &tb = *b.m_pTriangles;
    ASSERT_EQ(ta.GetCount(), tb.GetCount());
    ASSERT_GT(ta.GetCount(), 0);
    for (int i = 0; i < ta.GetCount(); ++i) {
        const ZBTriangle &x = *ta.TriangleAt(i), &y = *tb.TriangleAt(i);
        EXPECT_EQ(x.m_nMaterial, y.m_nMaterial);
        EXPECT_EQ(x.m_nTexture, y.m_nTexture);
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(x.m_corners[k].p == y.m_corners[k].p && x.m_normals[k] == y.m_normals[k] &&
                        x.m_tex[k] == y.m_tex[k])
                << i;
    }
    EXPECT_EQ(std::memcmp(a.m_back.m_colour, b.m_back.m_colour, sizeof a.m_back.m_colour), 0);
    EXPECT_EQ(a.m_back.m_nFogMode, b.m_back.m_nFogMode);
    EXPECT_EQ(a.m_back.m_fFogDensity, b.m_back.m_fFogDensity);
    ASSERT_EQ(a.m_segments.GetCount(), b.m_segments.GetCount());
    for (int i = 0; i < a.m_segments.GetCount(); ++i) {
        const ZBEdge &x = a.m_segments.GetSegment(i)->GetEdge(), &y = b.m_segments.GetSegment(i)->GetEdge();
        EXPECT_TRUE(x.m_start == y.m_start && x.m_end == y.m_end);
    }
    EXPECT_EQ(a.m_segments.GetTriangleGroup()->GetCount(), b.m_segments.GetTriangleGroup()->GetCount());
}

Scene RichScene(const std::string& texturePath)
{
    Scene s = MakeGrid(50, true, 3, 4);
    s.views.push_back(s.views[0]);
    s.views[1].name = "second view";
    s.views[1].eye[0] = 3.25f;
    s.textures[0].file = texturePath;
    Texture t2 = s.textures[0];
    t2.letter1 = 'B';
    t2.key = 'M';
    t2.extent = 'S';
    s.textures.push_back(t2);
    s.texShade = {2};
    Material glass;
    glass.type = "TRANS";
    glass.opacity = 0.25f;
    Material mirror;
    mirror.type = "MIRROR";
    mirror.mirror = 0.75f;
    s.materials.push_back(glass);
    s.materials.push_back(mirror);
    Polygon single;
    single.kind = 'S';
    single.material = 2;
    single.texture = 2;
    single.vertices = {{{0, 0, 1}, {0, 0, -1}, {0, 0}}, {{1, 0, 1}, {0, 0, -1}, {1, 0}}, {{0, 1, 1}, {0, 0, -1}, {0, 1}}};
    s.polygons.push_back(single);
    s.hasBackColor = true;
    s.backColor[1] = 0.5f;
    s.hasFog = true;
    s.fogMode = 1;
    s.fogDensity = 0.125f;
    return s;
}

TEST(SceneForms, TextAndContainerLoadTheSameObjects)
{
    const std::string folder = ".";
    TestFile tex("rt_same_tex.bmp");
    ASSERT_TRUE(SaveFile(tex.Path(), MakeBmp(2, 2, 24, std::vector<uint8_t>(12, 80))));
    Scene s = RichScene(tex.Path());
    ZBScene fromText;
    std::istringstream text(WriteText(s));
    fromText.ReadText(text, 1);
    // The container reader leaves the see-through copies to the driver: compare before them.
    std::istringstream again(WriteText(s));
    fromText.m_pTriangles->ReadText(again, fromText.m_materials);

    ZBScene fromContainer;
    fromContainer.m_strTempFolder = folder;
    const std::vector<uint8_t> bytes = WriteContainer(s);
    std::istringstream bin(std::string(bytes.begin() + 16, bytes.end()));
    fromContainer.ReadRecords(bin);
    ExpectSameScene(fromText, fromContainer);
    EXPECT_EQ(fromText.m_pTriangles->GetSeeThroughCount(), 1);
    EXPECT_EQ(fromContainer.m_textures.GetTexture(0)->GetWidth(), 2);
}

TEST(SceneForms, NothingOfOneSceneSurvivesIntoTheNext)
{
    TestFile tex("rt_carry_tex.bmp");
    ASSERT_TRUE(SaveFile(tex.Path(), MakeBmp(2, 2, 24, std::vector<uint8_t>(12, 80))));
    Scene full = RichScene(tex.Path());
    Scene bare;
    bare.views.push_back(View());
    ZBScene scene;
    scene.m_strTempFolder = ".";
    for (int form = 0; form < 2; ++form) {
        auto load = [&](const Scene& s) {
            if (form == 0) {
                std::istringstream is(WriteText(s));
                scene.ReadText(is, 1);
            } else {
                std::vector<uint8_t> b = WriteContainer(s);
                std::istringstream is(std::string(b.begin() + 16, b.end()));
                scene.ReadRecords(is);
            }
        };
        load(full);
        ASSERT_GT(scene.m_lights.GetCount(), 0);
        ASSERT_GT(scene.m_segments.GetCount(), 0);
        // The bare container carries no LIGHT, MATERIAL or WIRE record at all.
        Scene b = bare;
        std::vector<uint8_t> bytes = WriteContainer(b);
        if (form == 1) {
            // Strip everything after the VIEW record.
            std::istringstream is(std::string(bytes.begin() + 16, bytes.begin() + 16 + 1 + 4 + 4 + 4 + 4 + 9 * 4 + 12 + 8));
            scene.ReadRecords(is);
        } else {
            load(bare);
        }
        EXPECT_EQ(scene.m_views.GetCount(), 1) << form;
        EXPECT_EQ(scene.m_lights.GetCount(), 0) << form;
        EXPECT_EQ(scene.m_materials.GetCount(), 0) << form;
        EXPECT_EQ(scene.m_textures.GetCount(), 0) << form;
        EXPECT_EQ(scene.m_segments.GetCount(), 0) << form;
        EXPECT_EQ(scene.m_pTriangles->GetCount(), 0) << form;
    }
}

// A container file read as the library reads it (mapped where it can be).
void ReadContainerFile(ZBScene& scene, const std::string& path)
{
    ZBDriver driver(scene);
    driver.m_bUnpackArchives = 0;
    driver.m_strTempFolder = ".";
    ZBRenderRequest r;
    r.scenePath = path.c_str();
    driver.ReadScene(r);
}

// The same container's records read through an ordinary stream.
void ReadContainerStream(ZBScene& scene, const std::vector<uint8_t>& bytes)
{
    scene.m_strTempFolder = ".";
    std::istringstream is(std::string(bytes.begin() + 16, bytes.end()));
    scene.ReadRecords(is);
    scene.m_pTriangles->Prepare();
}

// A container file is mapped whole, or read through a reading window where it cannot be; both
// must give what the stream reader gives: the same triangles in the same order, the same ones
// dropped, also where values run across the window's refills and where the file is cut short.
TEST(SceneForms, ContainerFileReadsAsTheStreamDoes)
{
    Scene s = MakeGrid(60000, true, 1, 0);
    s.textures.clear();
    Material glass;
    glass.opacity = 0.5f;
    glass.type = "TRANS";
    s.materials.push_back(glass);
    // Vertex numbers outside the list and equal corners name no triangle.
    std::vector<int>& idx = s.polygons[0].indices;
    for (size_t t : {size_t(0), size_t(7), size_t(8), size_t(30001)}) {
        idx[3 * t + 1] = t % 2 ? 0 : 1 << 30;
        idx[3 * t + 2] = idx[3 * t];
    }
    idx[3 * 9 + 2] = idx[3 * 9 + 1];
    Polygon plain = MakeGrid(60000, false, 0, 0).polygons[0];
    plain.material = 1;
    s.polygons.push_back(plain);
    Polygon seeThrough = MakeGrid(50, false, 0, 0).polygons[0];
    seeThrough.material = 2;
    s.polygons.insert(s.polygons.begin() + 1, seeThrough);
    Polygon single;
    single.kind = 'S';
    single.material = 2;
    single.texture = 1;
    single.vertices = {Vertex{{0, 0, 1}, {0, 0, -1}, {0.5f, 0.25f}}, Vertex{{1, 0, 1}, {0, 0, -1}, {1, 0}},
                       Vertex{{0, 1, 1}, {0, 0, -1}, {0, 1}}};
    s.polygons.insert(s.polygons.begin(), single);
    const std::vector<uint8_t> whole = WriteContainer(s);
    ASSERT_GT(whole.size(), 3u << 20);
    TestFile file("rt_window.vqb");
    auto same = [](const ZBTriangle& a, const ZBTriangle& b) {
        bool equal = a.m_nMaterial == b.m_nMaterial && a.m_nTexture == b.m_nTexture && a.m_bVisible == b.m_bVisible;
        for (int k = 0; k < 3; ++k)
            equal = equal && a.m_corners[k].p == b.m_corners[k].p && a.m_normals[k] == b.m_normals[k] &&
                    a.m_tex[k] == b.m_tex[k];
        return equal;
    };
    for (size_t size : {whole.size(), whole.size() - 5, size_t(2900000), size_t(2300000), size_t(1500000)}) {
        const std::vector<uint8_t> bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        ASSERT_TRUE(SaveFile(file.Path(), bytes));
        ZBScene mapped;
        ReadContainerFile(mapped, file.Path());
        ZBScene windowed;
        windowed.m_strTempFolder = ".";
        ZBFileReadBuf block;
        ASSERT_TRUE(block.Open(file.Path(), false));
        ASSERT_FALSE(block.Mapping());
        std::istream fromWindow(&block);
        fromWindow.ignore(16);
        windowed.ReadRecords(fromWindow);
        windowed.m_pTriangles->Prepare();
        ZBScene streamed;
        ReadContainerStream(streamed, bytes);
        ZBTriangleGroup &b = *streamed.m_pTriangles;
        ASSERT_GT(b.GetCount(), 0) << size;
        for (ZBTriangleGroup* a : {mapped.m_pTriangles.get(), windowed.m_pTriangles.get()}) {
            ASSERT_EQ(a->GetCount(), b.GetCount()) << size;
            ASSERT_EQ(a->GetSeeThroughCount(), b.GetSeeThroughCount()) << size;
            for (int i = 0; i < b.GetCount(); ++i) {
                const ZBTriangle ta = *a->TriangleAt(i), tb = *b.TriangleAt(i);
                ASSERT_TRUE(same(ta, tb)) << size << " " << i;
                ASSERT_TRUE(same(*a->NextTriangle(), tb)) << size << " " << i;
            }
            EXPECT_EQ(a->NextTriangle(), nullptr);
            for (int i = 0; i < b.GetSeeThroughCount(); ++i)
                ASSERT_TRUE(same(*a->SeeThroughAt(i), *b.SeeThroughAt(i))) << size << " " << i;
        }
    }
}

// Counts, vertex numbers and lengths replaced by hostile values anywhere in a small container:
// the mapped reader keeps exactly the triangles the stream reader keeps, and reads nothing past
// the file.
TEST(SceneForms, MappedContainerRefusesWhatTheStreamRefuses)
{
    Scene s = MakeGrid(8, true, 1, 0);
    s.textures.clear();
    Polygon single;
    single.kind = 'S';
    single.vertices = {Vertex{{0, 0, 1}, {0, 0, -1}, {0, 0}}, Vertex{{1, 0, 1}, {0, 0, -1}, {1, 0}},
                       Vertex{{0, 1, 1}, {0, 0, -1}, {0, 1}}};
    s.polygons.push_back(single);
    const std::vector<uint8_t> good = WriteContainer(s);
    const size_t polygons = std::string(good.begin(), good.end()).find("POLYGON");
    ASSERT_NE(polygons, std::string::npos);
    TestFile file("rt_hostile.vqb");
    for (size_t at = polygons; at + 4 <= good.size(); ++at) {
        for (uint32_t value : {0u, 1u, 3u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
            std::vector<uint8_t> bytes = good;
            for (int i = 0; i < 4; ++i)
                bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
            ASSERT_TRUE(SaveFile(file.Path(), bytes));
            ZBScene mapped, streamed;
            ReadContainerFile(mapped, file.Path());
            ReadContainerStream(streamed, bytes);
            ZBTriangleGroup &a = *mapped.m_pTriangles, &b = *streamed.m_pTriangles;
            ASSERT_EQ(a.GetCount(), b.GetCount()) << at << " " << value;
            for (int i = 0; i < b.GetCount(); ++i) {
                const ZBTriangle ta = *a.TriangleAt(i), tb = *b.TriangleAt(i);
                // Bit for bit: a replaced coordinate may be a NaN.
                for (int k = 0; k < 3; ++k)
                    ASSERT_TRUE(std::memcmp(&ta.m_corners[k].p, &tb.m_corners[k].p, sizeof(ZBVector)) == 0 &&
                                std::memcmp(&ta.m_tex[k], &tb.m_tex[k], sizeof(ZBVector)) == 0)
                        << at << " " << value << " " << i;
            }
        }
    }
}

// The nearest and farthest greatest corner depths, taken by near clipping as it goes, are those
// of every triangle of the drawing list, hidden ones too, and of the clipping pieces.
TEST(SceneForms, DepthSweepsTakeEveryTriangleAndPiece)
{
    Scene s = MakeGrid(3000, false, 1, 0);
    for (Vertex& v : s.polygons[0].vertices)
        v.p[2] = v.p[0] * 1.5f;
    TestFile text("rt_sweep.txt"), container("rt_sweep.vqb");
    ASSERT_TRUE(SaveFile(text.Path(), WriteText(s)));
    ASSERT_TRUE(SaveFile(container.Path(), WriteContainer(s)));
    for (const TestFile* f : {&text, &container}) {
        ZBScene scene;
        ZBDriver driver(scene);
        driver.m_bUnpackArchives = 0;
        driver.m_strTempFolder = ".";
        ZBRenderRequest r;
        r.scenePath = f->c_str();
        r.width = 100;
        r.height = 75;
        ASSERT_EQ(driver.ReadScene(r), ZB_OK);
        ZBTriangleGroup& g = *scene.m_pTriangles;
        g.Transform(scene.m_views.GetView(0)->m_viewMatrix);
        const int before = g.GetCount();
        g.ClipNear(10.0f, nullptr);
        ASSERT_GT(g.GetCount(), before) << f->Path();
        float nearest = 0, farthest = 0;
        for (int i = 0; i < g.GetCount(); ++i) {
            const float d = g.TriangleAt(i)->MaxDepth();
            nearest = i == 0 ? d : std::min(nearest, d);
            farthest = i == 0 ? d : std::max(farthest, d);
        }
        EXPECT_LT(nearest, 10.0f);
        EXPECT_EQ(g.NearestDepth(), nearest) << f->Path();
        EXPECT_EQ(g.FarthestDepth(), farthest) << f->Path();
    }
}

TEST(SceneForms, MalformedRecordsStopCleanly)
{
    Scene s = MakeGrid(20, false, 2, 2);
    const std::vector<uint8_t> good = WriteContainer(s);
    const std::string records(good.begin() + 16, good.end());
    // Every truncation of the records reads without fault and keeps a consistent scene.
    for (size_t cut = 0; cut < records.size(); cut += 7) {
        ZBScene scene;
        scene.m_strTempFolder = ".";
        std::istringstream is(records.substr(0, cut));
        scene.ReadRecords(is);
        EXPECT_LE(scene.m_pTriangles->GetCount(), 20);
    }
    auto put32 = [](std::string& b, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<char>(v >> (8 * i));
    };
    // Oversized counts and lengths: refused by what the data holds, never allocated.
    const size_t viewLen = 1 + 4 + 4 + 4 + 4 + 9 * 4 + 12 + 8;
    struct Case {
        const char* name;
        size_t at;
        uint32_t value;
    } cases[] = {
        {"keyword length", 1, 0x7FFFFFF0},
        {"view name length", 9, 0xFFFFFFF0},
        {"material count", viewLen + 1 + 4 + 8, 0x7FFFFFFF},
        {"material type length", viewLen + 1 + 4 + 8 + 4, 0x40000000},
    };
    for (const Case& c : cases) {
        std::string b = records;
        put32(b, c.at, c.value);
        ZBScene scene;
        scene.m_strTempFolder = ".";
        std::istringstream is(b);
        scene.ReadRecords(is);
        EXPECT_EQ(scene.m_pTriangles->GetCount(), 0) << c.name;
    }
    // A mesh whose counts exceed its data.
    Scene mesh = MakeGrid(2, false, 0, 0);
    mesh.polygons[0].vertices.resize(1);
    mesh.polygons[0].indices.clear();
    std::vector<uint8_t> mb = WriteContainer(mesh);
    std::string m(mb.begin() + 16, mb.end());
    const size_t count = m.find("POLYGON") + 7 + 1 + 12;
    put32(m, count, 0x7FFFFFFF);
    ZBScene scene;
    std::istringstream is(m);
    scene.ReadRecords(is);
    EXPECT_EQ(scene.m_pTriangles->GetCount(), 0);
}

TEST(TextScene, EveryTruncationReadsCleanly)
{
    TestFile tex("rt_cut_tex.bmp");
    ASSERT_TRUE(SaveFile(tex.Path(), MakeBmp(2, 2, 24, std::vector<uint8_t>(12, 80))));
    Scene s = RichScene(tex.Path());
    s.wires.push_back(Wire{'M', 1, {0, 0, 0, 1, 1, 1, 2, 2, 2}, 2, {0, 1, 1, 7}});
    const std::string text = WriteText(s);
    for (size_t cut = 0; cut < text.size(); cut += 11) {
        ZBScene scene;
        std::istringstream is(text.substr(0, cut));
        scene.ReadText(is, 1);
        EXPECT_LE(scene.m_views.GetCount(), 2);
        EXPECT_LE(scene.m_textures.GetCount(), 2);
    }
}

TEST(SceneForms, ContainerNamesStayInsideTheSceneFolder)
{
    const char* names[] = {"..\\up.bmp", "../up.bmp", "C:\\x.bmp", "\\root.bmp", "/root.bmp", "a\\..\\..\\b.bmp"};
    for (const char* name : names) {
        EXPECT_FALSE(ZBFileSystem::IsContainedName(name)) << name;
        Scene s;
        s.views.push_back(View());
        s.backImage = name;
        Texture t;
        t.file = name;
        s.textures.push_back(t);
        std::vector<uint8_t> b = WriteContainer(s);
        ZBScene scene;
        scene.m_strTempFolder = "rt_folder";
        std::istringstream is(std::string(b.begin() + 16, b.end()));
        scene.ReadRecords(is);
        EXPECT_EQ(scene.m_back.GetImageName(), nullptr) << name;
        ASSERT_EQ(scene.m_textures.GetCount(), 1) << name;
        EXPECT_EQ(scene.m_textures.GetTexture(0)->GetBits(), nullptr) << name;
    }
    EXPECT_TRUE(ZBFileSystem::IsContainedName("tex.bmp"));
    EXPECT_TRUE(ZBFileSystem::IsContainedName("a..b.bmp"));
}

TEST(SceneForms, SpotExponentInAContainerIsTruncated)
{
    std::string b = "#";
    auto i32 = [&](int32_t v) { b.append(reinterpret_cast<const char*>(&v), 4); };
    auto f32 = [&](float v) { b.append(reinterpret_cast<const char*>(&v), 4); };
    i32(5);
    b += "LIGHT";
    i32(1);
    i32(4);
    b += "SPOT";
    for (int i = 0; i < 12; ++i)
        f32(1);
    f32(2.9f);
    f32(-30.7f);
    ZBScene scene;
    std::istringstream is(b);
    scene.ReadRecords(is);
    ASSERT_EQ(scene.m_lights.GetCount(), 1);
    EXPECT_EQ(scene.m_lights.Get(0).m_nSpotExponent, 2);
    EXPECT_EQ(scene.m_lights.Get(0).m_nSpotAngle, -30);
}

} // namespace

// The buffer parser must take the same characters, give the same value and leave the same stream
// state as formatted extraction, for numbers and for what is not quite one.
template <class T>
void ExpectSameAsExtraction(const std::string& text)
{
    std::istringstream a(text), b(text);
    T va{}, vb{};
    for (int i = 0; i < 16; ++i) {
        const bool okA = ZBSceneStream::ReadTextNumber(a, va);
        const bool okB = static_cast<bool>(b >> vb);
        ASSERT_EQ(okA, okB) << '"' << text << "\" read " << i;
        if (okA) {
            EXPECT_EQ(std::memcmp(&va, &vb, sizeof va), 0) << '"' << text << "\" read " << i << ": " << va << " vs " << vb;
        }
        EXPECT_EQ(a.rdstate(), b.rdstate()) << '"' << text << "\" read " << i;
        a.clear();
        b.clear();
        EXPECT_EQ(a.tellg(), b.tellg()) << '"' << text << "\" read " << i;
        if (!okA) { // step over what neither takes, as a reader giving up would not, to go on comparing
            a.get();
            b.get();
        }
    }
}

TEST(TextScene, NumbersReadOffTheBufferAsExtractionReadsThem)
{
    const char* floats[] = {"1 -2.5 +3e2 .5 5. 0.1",
                            "3.4028235e38 3.5e38 -1e39 1e-40 1e-50 0",
                            "1e 2e+ -.e3 - + . .e1 -e2 3.e4",
                            "12abc 1.5.5 7e-3x\t\n-0 -0.0",
                            "0.100000001490116119384765625 123456789012345678901234567890123456789012345678901234567890",
                            "0.000000000000000000000000000000000000000000000000000000000000000000000000001 9"};
    for (const char* t : floats)
        ExpectSameAsExtraction<float>(t);
    const char* ints[] = {"1 -2 +3 007 2147483647 -2147483648", "2147483648 -2147483649 1.5 +-1 99999999999999999999999 4",
                          "   \n", "x 1"};
    for (const char* t : ints)
        ExpectSameAsExtraction<int>(t);
}
