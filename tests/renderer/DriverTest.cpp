#include "RendererTestFiles.h"
#include "SceneGenerator.h"
#include "TBitmapForPng.h"
#include "ZBDriver.h"
#include "ZBFileSystem.h"

#include <gtest/gtest.h>

#include "TemporaryFiles.h"

#include <cstring>

using namespace SceneGenerator;

namespace {

const char* const kFolder = "rt_vqbtmp";

// Stands in for the archive library: an "archive" here is the image itself.
class CopyUnpacker : public ZBArchiveUnpacker {
public:
    int Extract(const std::string& archivePath, const std::string& folder) override
    {
        ++calls;
        const std::vector<unsigned char> bytes = ReadAll(archivePath);
        if (bytes.empty())
            return 1;
        const size_t slash = archivePath.find_last_of("\\/");
        std::string stem = archivePath.substr(slash + 1);
        stem = stem.substr(0, stem.size() - 4);
        return SaveFile(folder + ZBFileSystem::kSep + stem + ".bmp", std::vector<uint8_t>(bytes.begin(), bytes.end()))
                   ? 0
                   : 1;
    }
    int calls = 0;
};

struct Fixture : ::testing::Test {
    ZBScene scene;
    CopyUnpacker unpacker;
    ZBDriver driver{scene};
    TestFile out{"rt_out.bmp"};

    void SetUp() override
    {
        driver.m_pUnpacker = &unpacker;
        driver.m_strTempFolder = kFolder;
    }

    int Render(const std::string& scenePath, int w = 40, int h = 30, int view = 0, int shade = 1,
               const char* outPath = nullptr)
    {
        ZBRenderRequest r;
        r.scenePath = scenePath.c_str();
        r.outPath = outPath ? outPath : out.c_str();
        r.width = w;
        r.height = h;
        r.viewIndex = view;
        r.red = 255;
        r.green = 128;
        r.blue = 0;
        r.shadeMode = shade;
        return driver.Run(r);
    }

    const uint8_t* Pixel(TBitmapForPng& bmp, int x, int y)
    {
        return bmp.GetRow(y) + 3 * x;
    }
};

TEST_F(Fixture, BackgroundOnlyPictureByteForByte)
{
    TestFile sceneFile("rt_empty.txt");
    Scene s;
    s.views.push_back(View());
    ASSERT_TRUE(SaveFile(sceneFile.Path(), WriteText(s)));
    ASSERT_EQ(Render(sceneFile.Path(), 7, 3), ZB_OK);
    std::vector<uint8_t> expected = {'B', 'M', 54 + 24 * 3, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 7, 0, 0, 0,
                                     3, 0, 0, 0, 1, 0, 24, 0};
    expected.resize(54, 0);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 7; ++c)
            expected.insert(expected.end(), {0, 128, 255});
        expected.insert(expected.end(), {0, 0, 0});
    }
    const std::vector<unsigned char> got = ReadAll(out.Path());
    EXPECT_EQ(std::vector<uint8_t>(got.begin(), got.end()), expected);
    EXPECT_EQ(driver.m_nStatus, ZB_STATUS_WRITING);
    EXPECT_EQ(scene.m_progress.GetSum(), 0u);
    EXPECT_EQ(scene.m_progress.GetPercentage(), 0.0);
}

TEST_F(Fixture, TheCallersBackgroundImageReplacesTheScenes)
{
    TestFile back("rt_scene_back.bmp");
    ASSERT_TRUE(SaveFile(back.Path(), MakeBmp(20, 15, 24, std::vector<uint8_t>(20 * 15 * 3, 9))));
    Scene s;
    s.views.push_back(View());
    s.views[0].width = 20;
    s.views[0].height = 15;
    s.backImage = back.Path();
    TestFile sceneFile("rt_back_scene.txt");
    ASSERT_TRUE(SaveFile(sceneFile.Path(), WriteText(s)));
    for (const char* callerImage : {"", static_cast<const char*>(nullptr)}) {
        ZBRenderRequest r;
        r.scenePath = sceneFile.c_str();
        r.outPath = out.c_str();
        r.width = 40;
        r.height = 30;
        r.backImagePath = callerImage;
        ASSERT_EQ(driver.Run(r), ZB_OK);
        TBitmapForPng bmp;
        ASSERT_TRUE(bmp.LoadBmp(out.c_str()));
        EXPECT_EQ(Pixel(bmp, 20, 15)[0], 0);
    }
    // Given by the caller, it is scaled by output width / scene width and fills the picture.
    ZBRenderRequest r;
    r.scenePath = sceneFile.c_str();
    r.outPath = out.c_str();
    r.width = 40;
    r.height = 30;
    r.backImagePath = back.c_str();
    ASSERT_EQ(driver.Run(r), ZB_OK);
    TBitmapForPng bmp;
    ASSERT_TRUE(bmp.LoadBmp(out.c_str()));
    EXPECT_EQ(Pixel(bmp, 0, 0)[0], 9);
    EXPECT_EQ(Pixel(bmp, 39, 29)[0], 9);
    EXPECT_FALSE(FileExistsForTest("~zbufImg.tmp"));
}

TEST_F(Fixture, ProgressIsInitiallyZeroAndEndsAtTheSum)
{
    EXPECT_EQ(scene.m_progress.GetPercentage(), 0.0);
    EXPECT_EQ(scene.m_progress.GetSum(), 2147483647u);
    TestFile sceneFile("rt_grid.txt");
    ASSERT_TRUE(SaveFile(sceneFile.Path(), WriteText(MakeGrid(200, false, 1, 0))));
    ASSERT_EQ(Render(sceneFile.Path()), ZB_OK);
    EXPECT_EQ(scene.m_progress.GetDrawn(), 200u);
    EXPECT_EQ(scene.m_progress.GetSum(), 200u);
    EXPECT_EQ(scene.m_progress.GetPercentage(), 100.0);
    TBitmapForPng bmp;
    ASSERT_TRUE(bmp.LoadBmp(out.c_str()));
    // The grid covers the middle, lit by the sun head on: diffuse (1, 0.5, 1) plus ambient (0.1, 0, 0).
    EXPECT_EQ(Pixel(bmp, 20, 15)[0], 255);
    EXPECT_EQ(Pixel(bmp, 20, 15)[1], 127);
    EXPECT_EQ(Pixel(bmp, 20, 15)[2], 255);
    // The corners show the background.
    EXPECT_EQ(Pixel(bmp, 0, 0)[2], 255);
    EXPECT_EQ(Pixel(bmp, 0, 0)[1], 128);
    EXPECT_EQ(scene.m_pTriangles->GetCount(), 0);  // freed after the call
}

TEST_F(Fixture, WiresOverFacesAndBackgroundShading)
{
    Scene s = MakeGrid(8, false, 1, 2);
    Material wire;
    wire.diffuse[0] = 0;
    wire.diffuse[1] = 0;
    wire.diffuse[2] = 1;
    s.materials.push_back(wire);
    s.wires[0].material = 2;
    // Just in front of the grid.
    for (size_t i = 2; i < s.wires[0].points.size(); i += 3)
        s.wires[0].points[i] = -0.5f;
    TestFile sceneFile("rt_wires.txt");
    ASSERT_TRUE(SaveFile(sceneFile.Path(), WriteText(s)));
    for (int shade : {1, -5}) {
        ASSERT_EQ(Render(sceneFile.Path(), 80, 60, 0, shade), ZB_OK);
        TBitmapForPng bmp;
        ASSERT_TRUE(bmp.LoadBmp(out.c_str()));
        // World y = 5 lies above the middle (camera y runs down); find the blue line on column 40.
        int blueRows = 0;
        for (int y = 0; y < 60; ++y)
            if (Pixel(bmp, 40, y)[0] == 255 && Pixel(bmp, 40, y)[2] == 0)
                ++blueRows;
        EXPECT_GE(blueRows, 1) << shade;
        if (shade < 0) {
            EXPECT_EQ(Pixel(bmp, 40, 45)[2], 255);
            EXPECT_EQ(Pixel(bmp, 40, 45)[1], 128);
        } else {
            EXPECT_NE(Pixel(bmp, 40, 45)[1], 128);
        }
    }
}

TEST_F(Fixture, BadArgumentsAndFailuresLeaveNoPicture)
{
    TestFile sceneFile("rt_args.txt");
    ASSERT_TRUE(SaveFile(sceneFile.Path(), WriteText(MakeGrid(20, false, 1, 0))));
    const std::vector<uint8_t> previous = {'o', 'l', 'd'};
    struct Case {
        const char* name;
        std::string scene;
        int w, h, view;
        const char* outPath;
        int result;
    } cases[] = {
        {"missing scene", "rt_no_scene.txt", 40, 30, 0, nullptr, ZB_ERR_SCENE},
        {"empty scene path", "", 40, 30, 0, nullptr, ZB_ERR_SCENE},
        {"missing view", sceneFile.Path(), 40, 30, 1, nullptr, ZB_ERR_SCENE},
        {"negative view", sceneFile.Path(), 40, 30, -1, nullptr, ZB_ERR_SCENE},
        {"zero width", sceneFile.Path(), 0, 30, 0, nullptr, ZB_ERR_WRITE},
        {"negative height", sceneFile.Path(), 40, -3, 0, nullptr, ZB_ERR_WRITE},
        {"product too large", sceneFile.Path(), 65536, 65536, 0, nullptr, ZB_ERR_WRITE},
        {"empty output path", sceneFile.Path(), 40, 30, 0, "", ZB_ERR_WRITE},
        {"output folder missing", sceneFile.Path(), 40, 30, 0, "rt_no_folder/x.bmp", ZB_ERR_WRITE},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SaveFile(out.Path(), previous));
        EXPECT_EQ(Render(c.scene, c.w, c.h, c.view, 1, c.outPath), c.result) << c.name;
        const std::vector<unsigned char> now = ReadAll(out.Path());
        EXPECT_EQ(std::vector<uint8_t>(now.begin(), now.end()), previous) << c.name;
        EXPECT_EQ(TemporaryFilesBeside(out.Path()), 0) << c.name;
        EXPECT_EQ(scene.m_pTriangles->GetCount(), 0) << c.name;
    }
    ZBRenderRequest r;
    EXPECT_EQ(driver.Run(r), ZB_ERR_SCENE);  // null scene path
}

TEST_F(Fixture, NullOutputWritesTheDefaultName)
{
    TestFile def(ZB_DEFAULT_OUTPUT);
    TestFile sceneFile("rt_default.txt");
    Scene s;
    s.views.push_back(View());
    ASSERT_TRUE(SaveFile(sceneFile.Path(), WriteText(s)));
    ZBRenderRequest r;
    r.scenePath = sceneFile.c_str();
    r.width = 4;
    r.height = 4;
    ASSERT_EQ(driver.Run(r), ZB_OK);
    EXPECT_TRUE(FileExistsForTest(ZB_DEFAULT_OUTPUT));
}

Archive ImageArchive(const std::string& name, uint8_t blue)
{
    std::vector<uint8_t> px(2 * 2 * 3, 0);
    for (size_t i = 0; i < px.size(); i += 3)
        px[i] = blue;
    return Archive{name, MakeBmp(2, 2, 24, px)};
}

TEST_F(Fixture, ContainerUnpacksItsImagesAndRenders)
{
    Scene s = MakeGrid(8, true, 0, 0);
    s.textures[0].file = "tex.bmp";
    TestFile vqb("rt_scene.VQB");
    ASSERT_TRUE(SaveFile(vqb.Path(), WriteContainer(s, {ImageArchive("tex.dat", 200)})));
    ASSERT_EQ(Render(vqb.Path()), ZB_OK);
    EXPECT_EQ(unpacker.calls, 1);
    TBitmapForPng bmp;
    ASSERT_TRUE(bmp.LoadBmp(out.c_str()));
    EXPECT_EQ(Pixel(bmp, 20, 15)[0], 200);
    EXPECT_FALSE(FileExistsForTest(std::string(kFolder) + ZBFileSystem::kSep + "tex.lzh"));
    EXPECT_TRUE(FileExistsForTest(std::string(kFolder) + ZBFileSystem::kSep + "tex.bmp"));
    EXPECT_EQ(scene.m_pTriangles->GetCount(), 0);

    // With unpacking suppressed the archives are skipped and the folder is used as it is.
    driver.m_bUnpackArchives = 0;
    ASSERT_EQ(Render(vqb.Path()), ZB_OK);
    EXPECT_EQ(unpacker.calls, 1);
    ASSERT_TRUE(bmp.LoadBmp(out.c_str()));
    EXPECT_EQ(Pixel(bmp, 20, 15)[0], 200);
}

TEST_F(Fixture, ContainerRecordRules)
{
    Scene first = MakeGrid(8, false, 1, 0);
    Scene second = first;
    for (auto& v : second.polygons[0].vertices)
        v.p[0] += 100;  // out of sight
    std::vector<uint8_t> a = WriteContainer(first), b = WriteContainer(second);
    // Append the second container's POLYGON record after the first's records.
    const std::string bs(b.begin(), b.end());
    const size_t at = bs.find("POLYGON") - 5;
    a.insert(a.end(), b.begin() + static_cast<long>(at), b.end());
    TestFile vqb("rt_two.vqb");
    ASSERT_TRUE(SaveFile(vqb.Path(), a));
    ASSERT_EQ(Render(vqb.Path()), ZB_OK);
    TBitmapForPng bmp;
    ASSERT_TRUE(bmp.LoadBmp(out.c_str()));
    EXPECT_EQ(Pixel(bmp, 20, 15)[1], 128);  // only the second, unseen, triangles count

    // An unknown keyword ends the records; what came before is used.
    Scene viewOnly;
    viewOnly.views.push_back(View());
    std::vector<uint8_t> c = WriteContainer(viewOnly);
    const std::string note = "#\x04\x00\x00\x00NOTE some text";
    c.insert(c.end(), note.begin(), note.end());
    const std::vector<uint8_t> rest = WriteContainer(first);
    c.insert(c.end(), rest.begin() + 16, rest.end());
    ASSERT_TRUE(SaveFile(vqb.Path(), c));
    ASSERT_EQ(Render(vqb.Path()), ZB_OK);
    ASSERT_TRUE(bmp.LoadBmp(out.c_str()));
    EXPECT_EQ(Pixel(bmp, 20, 15)[1], 128);
}

TEST_F(Fixture, CorruptContainersAreRefusedWithoutLeftovers)
{
    Scene s = MakeGrid(8, true, 0, 0);
    std::vector<uint8_t> lower = WriteContainer(s);
    lower[1] = 'r';
    lower[2] = 'a';
    lower[3] = 'y';
    std::vector<uint8_t> hugeCount = WriteContainer(s, {ImageArchive("a.dat", 1)});
    hugeCount[12] = 0xFF;
    hugeCount[13] = 0xFF;
    hugeCount[14] = 0xFF;
    hugeCount[15] = 0x7F;
    std::vector<uint8_t> hugeSize = WriteContainer(s, {ImageArchive("a.dat", 1)});
    hugeSize[16 + 4 + 5 + 3] = 0x7F;
    std::vector<uint8_t> shortFile = WriteContainer(s, {ImageArchive("a.dat", 1)});
    shortFile.resize(40);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"lower-case magic", lower},
        {"escaping archive name", WriteContainer(s, {ImageArchive("..\\evil.dat", 1)})},
        {"escaping archive name, slash", WriteContainer(s, {ImageArchive("../evil.dat", 1)})},
        {"absolute archive name", WriteContainer(s, {ImageArchive("C:\\evil.dat", 1)})},
        {"archive name without a dot", WriteContainer(s, {ImageArchive("README", 1)})},
        {"archive that does not unpack", WriteContainer(s, {Archive{"empty.dat", {}}})},
        {"archive count past the data", hugeCount},
        {"archive size past the data", hugeSize},
        {"truncated", shortFile},
        {"empty file", {}},
    };
    for (const Case& c : cases) {
        TestFile vqb("rt_bad.vqb");
        ASSERT_TRUE(SaveFile(vqb.Path(), c.bytes));
        ASSERT_TRUE(SaveFile(out.Path(), std::string("old")));
        EXPECT_EQ(Render(vqb.Path()), ZB_ERR_SCENE) << c.name;
        EXPECT_EQ(ReadAll(out.Path()).size(), 3u) << c.name;
        EXPECT_FALSE(FileExistsForTest("evil.lzh")) << c.name;
        EXPECT_FALSE(FileExistsForTest(std::string(kFolder) + ZBFileSystem::kSep + "a.lzh")) << c.name;
        EXPECT_FALSE(FileExistsForTest(std::string(kFolder) + ZBFileSystem::kSep + "empty.lzh")) << c.name;
        EXPECT_EQ(scene.m_pTriangles->GetCount(), 0) << c.name;
    }
}

TEST_F(Fixture, ExtensionDecidesTheSceneForm)
{
    // A folder name with a dot and a file without extension is a text scene.
    ZBFileSystem::MakeDirectory("rt_dir.vqb");
    TestFile text(std::string("rt_dir.vqb") + ZBFileSystem::kSep + "scene");
    Scene s;
    s.views.push_back(View());
    ASSERT_TRUE(SaveFile(text.Path(), WriteText(s)));
    EXPECT_EQ(Render(text.Path()), ZB_OK);
    TestFile vqb("rt_text_named.vqb");
    ASSERT_TRUE(SaveFile(vqb.Path(), WriteText(s)));
    EXPECT_EQ(Render(vqb.Path()), ZB_ERR_SCENE);
    EXPECT_NE(ZBFileSystem::TempSceneFolder().find("~vqbtmp"), std::string::npos);
}

TEST_F(Fixture, ReplacementNamesOutliveACall)
{
    TestFile red("rt_repl_red.bmp"), blue("rt_repl_blue.bmp");
    ASSERT_TRUE(SaveFile(red.Path(), MakeBmp(1, 1, 24, {0, 0, 255})));
    ASSERT_TRUE(SaveFile(blue.Path(), MakeBmp(1, 1, 24, {255, 0, 0})));
    Scene s = MakeGrid(8, true, 0, 0);
    s.textures[0].file = red.Path();
    TestFile sceneFile("rt_repl.txt");
    ASSERT_TRUE(SaveFile(sceneFile.Path(), WriteText(s)));
    scene.m_textures.SetReplacement(0, blue.c_str());
    for (int call = 0; call < 2; ++call) {
        ASSERT_EQ(Render(sceneFile.Path()), ZB_OK);
        TBitmapForPng bmp;
        ASSERT_TRUE(bmp.LoadBmp(out.c_str()));
        EXPECT_EQ(Pixel(bmp, 20, 15)[0], 255) << call;
    }
}

} // namespace
