// Times the renderer on generated scenes of 1k to 1M triangles at 1000 x 750: through the
// exported call of depthra.dll under Windows (or Wine), through the driver natively.
#include "SceneGenerator.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include "ZBDriver.h"
#endif

using namespace SceneGenerator;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

#ifdef _WIN32
typedef int(WINAPI* SaveImageFn)(const char*, const char*, int, int, int, int, int, int, const char*, int);
typedef void (*SuppressFn)(int);
SaveImageFn g_save;
#else
ZBScene g_scene;
ZBDriver g_driver(g_scene);
#endif

int Render(const std::string& scene, const char* out)
{
#ifdef _WIN32
    return g_save(scene.c_str(), out, 1000, 750, 0, 255, 255, 255, nullptr, 1);
#else
    ZBRenderRequest r;
    r.scenePath = scene.c_str();
    r.outPath = out;
    r.width = 1000;
    r.height = 750;
    r.red = r.green = r.blue = 255;
    return g_driver.Run(r);
#endif
}

#ifdef _WIN32
// The progress pair is written once per triangle: compare the lock we use with a kernel mutex.
void LockCost()
{
    const int n = 1000000;
    std::mutex m;
    volatile unsigned value = 0;
    auto t0 = Clock::now();
    for (int i = 0; i < n; ++i) {
        std::lock_guard<std::mutex> g(m);
        value = i;
    }
    auto t1 = Clock::now();
    HANDLE h = CreateMutexA(nullptr, FALSE, nullptr);
    for (int i = 0; i < n; ++i) {
        WaitForSingleObject(h, INFINITE);
        value = i;
        ReleaseMutex(h);
    }
    auto t2 = Clock::now();
    CloseHandle(h);
    std::printf("lock\tstd::mutex %.1f ns\tWin32 mutex %.1f ns\n", Seconds(t0, t1) * 1e9 / n, Seconds(t1, t2) * 1e9 / n);
}
#endif

} // namespace

int main(int argc, char** argv)
{
    const int maxTriangles = argc > 1 ? std::atoi(argv[1]) : 1000000;
#ifdef _WIN32
    HMODULE lib = LoadLibraryA("depthra.dll");
    g_save = lib ? reinterpret_cast<SaveImageFn>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_SaveImageByZBuffer")))
                 : nullptr;
    if (!g_save) {
        std::fprintf(stderr, "depthra.dll not found\n");
        return 1;
    }
    LockCost();
    // Containers carry no archives here: their images are put into the scene folder beforehand.
    auto suppress = reinterpret_cast<SuppressFn>(reinterpret_cast<void*>(GetProcAddress(lib, MAKEINTRESOURCEA(16))));
    if (suppress)
        suppress(0);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "~vqbtmp";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string sceneFolder = folder + "\\";
#else
    g_driver.m_bUnpackArchives = 0;
    g_driver.m_strTempFolder = ".";
    const std::string sceneFolder = "./";
#endif
    std::vector<uint8_t> tex(64 * 64 * 3);
    for (size_t i = 0; i < tex.size(); ++i)
        tex[i] = static_cast<uint8_t>(i * 7);
    SaveFile("bench_tex.bmp", MakeBmp(64, 64, 24, tex));
    SaveFile(sceneFolder + "bench_tex.bmp", MakeBmp(64, 64, 24, tex));
    std::printf("triangles\ttextured\tform\tseconds\ttriangles/s\n");
    for (int n = 1000; n <= maxTriangles; n *= 10) {
        for (int textured = 0; textured < 2; ++textured) {
            Scene s = MakeGrid(n, textured != 0, 2, 0);
            if (textured)
                s.textures[0].file = "bench_tex.bmp";
            SaveFile("bench_scene.vqb", WriteContainer(s));
            const auto c0 = Clock::now();
            const int crc = Render("bench_scene.vqb", "bench_out.bmp");
            const double csecs = Seconds(c0, Clock::now());
            std::printf("%d\t%d\tcontainer\t%.3f\t%.0f%s\n", n, textured, csecs, n / csecs, crc == 0 ? "" : "\t(failed)");
            const std::string path = "bench_scene.txt";
            SaveFile(path, WriteText(s));
            const auto t0 = Clock::now();
            const int rc = Render(path, "bench_out.bmp");
            const double secs = Seconds(t0, Clock::now());
            std::printf("%d\t%d\ttext\t%.3f\t%.0f%s", n, textured, secs, n / secs, rc == 0 ? "" : "\t(failed)");
#ifndef _WIN32
            // The same call split into reading the scene and the render pass alone.
            std::ifstream is(path);
            const auto r0 = Clock::now();
            g_scene.m_pTriangles = std::make_unique<ZBTriangleGroup>();
            g_scene.ReadText(is, 1);
            const auto r1 = Clock::now();
            g_scene.m_views.SetViewSize(1000, 750, 0);
            g_scene.m_views.GetView(0)->Render(g_scene);
            const auto r2 = Clock::now();
            std::printf("\tread %.3f s\trender pass %.3f s (%.0f triangles/s)", Seconds(r0, r1), Seconds(r1, r2),
                        n / Seconds(r1, r2));
#endif
            std::printf("\n");
            std::fflush(stdout);
        }
    }
    std::remove("bench_scene.txt");
    std::remove("bench_scene.vqb");
    std::remove((sceneFolder + "bench_tex.bmp").c_str());
    std::remove("bench_tex.bmp");
    std::remove("bench_out.bmp");
    return 0;
}
