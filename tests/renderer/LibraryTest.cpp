// The renderer and its archive library loaded by name, the way the board designer loads them.
#include "RendererTestFiles.h"
#include "SceneGenerator.h"
#include "TBitmapForPng.h"
#include "TracelApi.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace SceneGenerator;

namespace {

typedef int(WINAPI* SaveImageFn)(const char*, const char*, int, int, int, int, int, int, const char*, int);
typedef int (*IntFn)();
typedef double (*PercentFn)();
typedef int(WINAPI* UnlhaFn)(HWND, LPCSTR, LPSTR, DWORD);

std::string Fixture(const char* name)
{
    return std::string(QVZ_LHA_FIXTURES) + "/" + name;
}

std::vector<uint8_t> Bytes(const std::string& path)
{
    const std::vector<unsigned char> b = ReadAll(path);
    return std::vector<uint8_t>(b.begin(), b.end());
}

std::string FreshFolder(const char* name)
{
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    const std::string folder = std::string(cwd) + "\\" + name;
    std::string cmd = folder;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA((folder + "\\" + fd.cFileName).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

int CountFiles(const std::string& folder)
{
    int n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++n;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

TEST(Unlha32, ExtractsByOrdinalAndRefusesEscapingNames)
{
    HMODULE lib = LoadLibraryA("UNLHA32.DLL");
    ASSERT_NE(lib, nullptr);
    auto unlha = reinterpret_cast<UnlhaFn>(reinterpret_cast<void*>(GetProcAddress(lib, MAKEINTRESOURCEA(1))));
    auto getMode = reinterpret_cast<int(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(lib, MAKEINTRESOURCEA(7))));
    auto setMode = reinterpret_cast<BOOL(WINAPI*)(int)>(reinterpret_cast<void*>(GetProcAddress(lib, MAKEINTRESOURCEA(8))));
    ASSERT_TRUE(unlha && getMode && setMode);
    setMode(0);
    EXPECT_EQ(getMode(), 0);

    const std::string folder = FreshFolder("rt_unlha");
    char out[512];
    auto run = [&](const std::string& archive) {
        const std::string cmd = "x -n -c1 \"" + archive + "\" \"" + folder + "\\\"";
        return unlha(nullptr, cmd.c_str(), out, 511);
    };
    ASSERT_EQ(run(Fixture("tex.lzh")), 0) << out;
    EXPECT_EQ(Bytes(folder + "\\tex.bmp"), Bytes(Fixture("tex.bmp")));

    const std::string escaping = FreshFolder("rt_unlha_evil");
    const std::string cmd = "x -n -c1 \"" + Fixture("evil.lzh") + "\" \"" + escaping + "\\\"";
    EXPECT_NE(unlha(nullptr, cmd.c_str(), out, 511), 0);
    EXPECT_EQ(CountFiles(escaping), 0);  // not even the safe entry before it
    EXPECT_FALSE(FileExistsForTest(escaping + "\\..\\evil.bmp"));

    const std::string broken = FreshFolder("rt_unlha_broken");
    const std::string cmd2 = "x -n -c1 \"" + Fixture("broken.lzh") + "\" \"" + broken + "\\\"";
    EXPECT_NE(unlha(nullptr, cmd2.c_str(), out, 511), 0);
    EXPECT_EQ(CountFiles(broken), 0);
    EXPECT_NE(unlha(nullptr, "d archive.lzh", out, 511), 0);
    EXPECT_NE(unlha(nullptr, nullptr, out, 511), 0);
    FreeLibrary(lib);
}

struct Depthra {
    HMODULE lib = LoadLibraryA("depthra.dll");
    SaveImageFn save = reinterpret_cast<SaveImageFn>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_SaveImageByZBuffer")));
    IntFn status = reinterpret_cast<IntFn>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_GetStatus")));
    PercentFn percent = reinterpret_cast<PercentFn>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_GetPercentage")));
    IntFn drawn = reinterpret_cast<IntFn>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_GetDrawnTriangleNum")));
    IntFn sum = reinterpret_cast<IntFn>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_GetTriangleSum")));
    ~Depthra() { FreeLibrary(lib); }
};

TEST(Depthra, ExportsByNameAndOrdinal)
{
    Depthra d;
    ASSERT_NE(d.lib, nullptr);
    ASSERT_TRUE(d.save && d.status && d.percent && d.drawn && d.sum);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(d.lib, MAKEINTRESOURCEA(1))), reinterpret_cast<void*>(d.save));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(d.lib, MAKEINTRESOURCEA(3))), reinterpret_cast<void*>(d.percent));
    EXPECT_NE(GetProcAddress(d.lib, MAKEINTRESOURCEA(15)), nullptr);
    EXPECT_NE(GetProcAddress(d.lib, MAKEINTRESOURCEA(16)), nullptr);
    EXPECT_EQ(d.percent(), 0.0);
    EXPECT_EQ(d.sum(), 2147483647);
    EXPECT_EQ(d.status(), 0);
}

TEST(Depthra, CppEntriesCarryThe32BitCompilersDecoratedNames)
{
#ifdef _WIN64
    GTEST_SKIP() << "the decorated names are those a 32-bit caller looks up; the 64-bit test build "
                    "exports these entries by ordinal and by their GCC names only";
#else
    Depthra d;
    ASSERT_NE(d.lib, nullptr);
    EXPECT_EQ(GetProcAddress(d.lib, MAKEINTRESOURCEA(15)), GetProcAddress(d.lib, "?zMain@@YAHPAD0HHHHHH0H@Z"));
    EXPECT_EQ(GetProcAddress(d.lib, MAKEINTRESOURCEA(14)), GetProcAddress(d.lib, "?zChangeTextureFileName@@YAHKPAD@Z"));
    EXPECT_EQ(GetProcAddress(d.lib, MAKEINTRESOURCEA(16)), GetProcAddress(d.lib, "?zSuppressBmpFileLoad@@YAXH@Z"));
#endif
}

TEST(Depthra, RendersAContainerWithArchivesFromAnotherThreadsView)
{
    Depthra d;
    ASSERT_TRUE(d.save);
    Scene s = MakeGrid(20000, true, 2, 3);
    s.textures[0].file = "tex.bmp";
    s.backImage = "back.bmp";
    const std::vector<uint8_t> container =
        WriteContainer(s, {{"tex.dat", Bytes(Fixture("tex.lzh"))}, {"back.dat", Bytes(Fixture("back.lzh"))}});
    TestFile vqb("rt_dll_scene.vqb");
    ASSERT_TRUE(SaveFile(vqb.Path(), container));
    const char* out = "depthra_dll_out.bmp";
    DeleteFileA(out);

    std::atomic<bool> done{false};
    std::atomic<int> polls{0};
    std::atomic<bool> consistent{true};
    std::thread poller([&] {
        while (!done) {
            const double p = d.percent();
            if (p < 0.0 || p > 100.0)
                consistent = false;
            ++polls;
            Sleep(1);
        }
    });
    // The scene's own background image comes from the archive; the caller's replaces it.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string back = std::string(temp) + "~vqbtmp\\back.bmp";
    const int rc = d.save(vqb.c_str(), out, 200, 150, 0, 0, 0, 255, back.c_str(), 1);
    done = true;
    poller.join();
    ASSERT_EQ(rc, 0);
    EXPECT_TRUE(consistent);
    EXPECT_GT(polls.load(), 0);
    EXPECT_EQ(d.status(), 3);
    EXPECT_EQ(d.drawn(), 20000);
    EXPECT_EQ(d.sum(), 20000);
    EXPECT_EQ(d.percent(), 100.0);
    TBitmapForPng bmp;
    ASSERT_TRUE(bmp.LoadBmp(out));
    EXPECT_EQ(bmp.GetWidth(), 200);
    const uint8_t* centre = bmp.GetRow(75) + 3 * 100;
    EXPECT_EQ(centre[0], 40);
    EXPECT_EQ(centre[1], 160);
    EXPECT_EQ(centre[2], 220);
    const uint8_t* corner = bmp.GetRow(0);
    EXPECT_EQ(corner[0], 10);
    EXPECT_EQ(corner[2], 30);
    EXPECT_FALSE(FileExistsForTest(std::string(temp) + "~vqbtmp\\tex.lzh"));
}

TEST(Depthra, BadContainersAndArgumentsLeaveNoFiles)
{
    Depthra d;
    ASSERT_TRUE(d.save);
    Scene s = MakeGrid(8, true, 0, 0);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "~vqbtmp";
    struct Case {
        const char* name;
        std::vector<Archive> archives;
        int result;
    } cases[] = {
        {"escaping archive entry", {{"evil.dat", Bytes(Fixture("evil.lzh"))}}, 2},
        {"broken archive", {{"broken.dat", Bytes(Fixture("broken.lzh"))}}, 2},
        {"escaping archive name", {{"..\\up.dat", Bytes(Fixture("tex.lzh"))}}, 2},
    };
    const char* out = "rt_dll_bad.bmp";
    for (const Case& c : cases) {
        TestFile vqb("rt_dll_bad.vqb");
        ASSERT_TRUE(SaveFile(vqb.Path(), WriteContainer(s, c.archives)));
        DeleteFileA(out);
        EXPECT_EQ(d.save(vqb.c_str(), out, 100, 75, 0, 0, 0, 0, nullptr, 1), c.result) << c.name;
        EXPECT_FALSE(FileExistsForTest(out)) << c.name;
        EXPECT_EQ(CountFiles(folder), 0) << c.name;
        EXPECT_FALSE(FileExistsForTest(std::string(temp) + "evil.bmp")) << c.name;
        EXPECT_FALSE(FileExistsForTest(std::string(temp) + "up.lzh")) << c.name;
    }
    TestFile vqb("rt_dll_ok.vqb");
    ASSERT_TRUE(SaveFile(vqb.Path(), WriteContainer(s)));
    EXPECT_EQ(d.save(nullptr, out, 100, 75, 0, 0, 0, 0, nullptr, 1), 2);
    EXPECT_EQ(d.save(vqb.c_str(), out, 100, 75, 3, 0, 0, 0, nullptr, 1), 2);
    EXPECT_EQ(d.save(vqb.c_str(), out, 0, 75, 0, 0, 0, 0, nullptr, 1), 3);
    EXPECT_EQ(d.save(vqb.c_str(), out, 100, -75, 0, 0, 0, 0, nullptr, 1), 3);
    EXPECT_FALSE(FileExistsForTest(out));
}

TEST(Depthra, RendersIntoTheBoardDesignersFolder)
{
    Depthra d;
    ASSERT_TRUE(d.save);
    CreateDirectoryA("パース図", nullptr);
    Scene s = MakeGrid(8, false, 1, 0);
    const std::string scene = "パース図\\シーン.vqb", out = "パース図\\パース図.bmp";
    ASSERT_TRUE(SaveFile(scene, WriteContainer(s)));
    DeleteFileA(out.c_str());
    ASSERT_EQ(d.save(scene.c_str(), out.c_str(), 1000, 750, 0, 255, 255, 255, "", 1), 0);
    TBitmapForPng bmp;
    ASSERT_TRUE(bmp.LoadBmp(out.c_str()));
    EXPECT_EQ(bmp.GetWidth(), 1000);
    EXPECT_EQ(ReadAll(out).size(), 2250054u);
    DeleteFileA(out.c_str());
    // The call holds nothing of its scene open: the next scene is written over it, then removed.
    EXPECT_TRUE(SaveFile(scene, WriteContainer(MakeGrid(2, false, 1, 0))));
    EXPECT_TRUE(DeleteFileA(scene.c_str()));
    RemoveDirectoryA("パース図");
}

TEST(Tracel, ReadsViewsAndBackgroundOfAContainer)
{
    HMODULE lib = LoadLibraryA("tracel.dll");
    ASSERT_NE(lib, nullptr);
    auto open = reinterpret_cast<VXI_RTFILEOPEN>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_RTFileOpen")));
    auto close = reinterpret_cast<VXI_RAYTRACEFILECLOSE>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_RayTraceFileClose")));
    auto count = reinterpret_cast<VXI_RTGETVIEWCOUNT>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_RTGetViewCount")));
    auto name = reinterpret_cast<VXI_RTGETVIEWNAME>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_RTGetViewName")));
    auto image = reinterpret_cast<VXI_RTGETBKIMGFILE>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_RTGetBkImgFile")));
    auto colour = reinterpret_cast<VXI_RTGETBKCOLOR>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_RTGetBkColor")));
    ASSERT_TRUE(open && close && count && name && image && colour);

    Scene s = MakeGrid(8, false, 1, 0);
    s.views[0].name = "front";
    s.views.push_back(s.views[0]);
    s.views[1].name = "back view";
    s.hasBackColor = true;
    s.backColor[0] = 0.5f;
    s.backColor[1] = 0.25f;
    s.backColor[2] = 1.0f;
    s.backImage = "back.bmp";
    TestFile vqb("rt_tracel.vqb");
    ASSERT_TRUE(SaveFile(vqb.Path(), WriteContainer(s, {{"back.dat", Bytes(Fixture("back.lzh"))}})));
    ASSERT_TRUE(open(vqb.c_str()));
    EXPECT_EQ(count(), 2);
    char buf[TRACEL_TEXT_BUFFER] = {0};
    ASSERT_TRUE(name(1, buf));
    EXPECT_STREQ(buf, "back view");
    EXPECT_FALSE(name(2, buf));
    ASSERT_TRUE(image(buf));
    const std::string path = buf;
    EXPECT_EQ(path.substr(path.size() - 16), "~vqbtmp\\back.bmp");
    int r = -1, g = -1, b = -1;
    ASSERT_TRUE(colour(&r, &g, &b));
    EXPECT_EQ(r, 127);
    EXPECT_EQ(g, 63);
    EXPECT_EQ(b, 255);
    close();
    EXPECT_EQ(count(), 0);

    EXPECT_FALSE(open("rt_no_such_scene.vqb"));
    TestFile bad("rt_tracel_bad.vqb");
    ASSERT_TRUE(SaveFile(bad.Path(), std::string("#ray")));
    EXPECT_FALSE(open(bad.c_str()));
    EXPECT_EQ(count(), 0);
    FreeLibrary(lib);
}

} // namespace
