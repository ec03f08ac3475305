// One measurement of the renderer per process, so that every figure comes from a fresh process:
//   renderer_bench make N T       writes bench_N_T.vqb and bench_N_T.txt (grid of N triangles, two
//                                 lights, T = 1 with a 64 x 64 texture) and the texture
//   renderer_bench call SCENE     the whole call: read, render, write bench_out.bmp
//   renderer_bench pass SCENE     the render pass alone (the container read beforehand, untimed)
//   renderer_bench dll SCENE      (Windows) Vxi_SaveImageByZBuffer of depthra.dll, as the board
//                                 designer calls it
// Prints: seconds, the process's peak memory in MB, CPU seconds of the measured part.
#include "SceneGenerator.h"
#include "ZBDriver.h"
#include "ZBFileSystem.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <time.h>

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#endif

using namespace SceneGenerator;
using Clock = std::chrono::steady_clock;

namespace {

const int kWidth = 1000, kHeight = 750;

// CPU time of the process, which a loaded machine disturbs less than the wall clock.
double CpuSeconds()
{
#ifdef _WIN32
    FILETIME c, e, k, u;
    if (!GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u))
        return 0;
    auto v = [](const FILETIME& f) { return (static_cast<uint64_t>(f.dwHighDateTime) << 32 | f.dwLowDateTime) * 1e-7; };
    return v(k) + v(u);
#else
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
#endif
}

double PeakMegabytes()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS pmc;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc))
        return 0;
    return static_cast<double>(pmc.PeakPagefileUsage > pmc.PeakWorkingSetSize ? pmc.PeakPagefileUsage
                                                                                : pmc.PeakWorkingSetSize) /
           1048576.0;
#else
    std::ifstream is("/proc/self/status");
    std::string line;
    while (std::getline(is, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
#endif
}

// Containers carry no archives here: their texture is put into the scene folder beforehand.
std::string SceneFolder()
{
#ifdef _WIN32
    return ZBFileSystem::TempSceneFolder();
#else
    return ".";
#endif
}

ZBRenderRequest Request(const char* scene)
{
    ZBRenderRequest r;
    r.scenePath = scene;
    r.outPath = "bench_out.bmp";
    r.width = kWidth;
    r.height = kHeight;
    r.red = r.green = r.blue = 255;
    r.shadeMode = 1;
    return r;
}

int Make(int n, bool textured)
{
    std::vector<uint8_t> tex(64 * 64 * 3);
    for (size_t i = 0; i < tex.size(); ++i)
        tex[i] = static_cast<uint8_t>(i * 7);
    const std::string folder = SceneFolder();
    ZBFileSystem::MakeDirectory(folder);
    SaveFile("bench_tex.bmp", MakeBmp(64, 64, 24, tex));
    SaveFile(folder + ZBFileSystem::kSep + "bench_tex.bmp", MakeBmp(64, 64, 24, tex));
    Scene s = MakeGrid(n, textured, 2, 0);
    if (textured)
        s.textures[0].file = "bench_tex.bmp";
    const std::string stem = "bench_" + std::to_string(n) + "_" + (textured ? "1" : "0");
    return SaveFile(stem + ".vqb", WriteContainer(s)) && SaveFile(stem + ".txt", WriteText(s)) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "make") == 0)
        return Make(std::atoi(argv[2]), std::atoi(argv[3]) != 0);
    if (argc != 3) {
        std::fprintf(stderr, "usage: renderer_bench make N T | call SCENE | pass SCENE | dll SCENE\n");
        return 2;
    }
    const std::string mode = argv[1];
    const ZBRenderRequest req = Request(argv[2]);
    double seconds = 0, cpu = 0;
    int rc = 0;
    if (mode == "dll") {
#ifdef _WIN32
        typedef int(WINAPI * SaveImageFn)(const char*, const char*, int, int, int, int, int, int, const char*, int);
        typedef void (*SuppressFn)(int);
        HMODULE lib = LoadLibraryA("depthra.dll");
        auto save = lib ? reinterpret_cast<SaveImageFn>(reinterpret_cast<void*>(GetProcAddress(lib, "Vxi_SaveImageByZBuffer")))
                        : nullptr;
        auto suppress = lib ? reinterpret_cast<SuppressFn>(reinterpret_cast<void*>(GetProcAddress(lib, MAKEINTRESOURCEA(16))))
                            : nullptr;
        if (!save || !suppress) {
            std::fprintf(stderr, "depthra.dll not found\n");
            return 1;
        }
        suppress(0);
        const double c0 = CpuSeconds();
        const auto t0 = Clock::now();
        rc = save(req.scenePath, req.outPath, req.width, req.height, 0, 255, 255, 255, nullptr, 1);
        seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        cpu = CpuSeconds() - c0;
#else
        std::fprintf(stderr, "dll: Windows only\n");
        return 2;
#endif
    } else {
        static ZBScene scene;
        ZBDriver driver(scene);
        driver.m_bUnpackArchives = 0;
        driver.m_strTempFolder = SceneFolder();
        if (mode == "call") {
            const double c0 = CpuSeconds();
            const auto t0 = Clock::now();
            rc = driver.Run(req);
            seconds = std::chrono::duration<double>(Clock::now() - t0).count();
            cpu = CpuSeconds() - c0;
        } else if (mode == "pass") {
            ZBView* view = nullptr;
            const auto r0 = Clock::now();
            if (driver.ReadScene(req) != ZB_OK || !(view = scene.m_views.GetView(0)))
                return 1;
            const double c0 = CpuSeconds();
            const auto t0 = Clock::now();
            rc = view->Render(scene) ? 0 : 1;
            const auto t1 = Clock::now();
            cpu = CpuSeconds() - c0;
            seconds = std::chrono::duration<double>(t1 - t0).count();
            // The read and the write beside the pass, for the notes (not part of the figure).
            scene.m_screen.WriteBmp(req.outPath);
            std::fprintf(stderr, "read %.4f\tpass %.4f\twrite %.4f\n", std::chrono::duration<double>(t0 - r0).count(),
                         seconds, std::chrono::duration<double>(Clock::now() - t1).count());
        } else {
            return 2;
        }
    }
    std::printf("%.4f\t%.1f\t%.4f%s\n", seconds, PeakMegabytes(), cpu, rc == 0 ? "" : "\tfailed");
    return rc == 0 ? 0 : 1;
}
