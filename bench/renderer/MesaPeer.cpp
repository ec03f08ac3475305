// The renderer's benchmark scenes drawn by Mesa through OSMesa, one measurement per process:
//   mesa_peer make N T    writes mesa_N_T.bin, the grid as indexed arrays in a file of its own
//   mesa_peer draw N T    the grid's arrays built and the shaders compiled beforehand (untimed);
//                         times clear, draw, finish
//   mesa_peer call N T    times reading mesa_N_T.bin, then clear, draw, finish
// Same as ours: 1000 x 750, the same view (eye at z = -20 looking along +z, world -y up), both
// lights of the scene (SUN as a directional light, LOCAL as a point light without attenuation),
// the same material, Gouraud shading, both sides lit; textured: the same 64 x 64 texture,
// nearest texel, unlit (ours shows an unshaded texture's own colours). Depth test on.
// Choose the rasteriser with GALLIUM_DRIVER=softpipe or llvmpipe (LP_NUM_THREADS=0: one thread).
// Prints seconds, peak memory in MB and CPU seconds of the process (all its threads); the
// picture goes to mesa_out.ppm for the coverage check.
#include "SceneGenerator.h"

#include <GL/osmesa.h>
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <time.h>
#include <vector>

using namespace SceneGenerator;
using Clock = std::chrono::steady_clock;

namespace {

const int W = 1000, H = 750;

struct Arrays {
    std::vector<float> pos, nrm, uv;
    std::vector<unsigned> idx;
};

Arrays FromScene(const Scene& s)
{
    Arrays a;
    const Polygon& p = s.polygons[0];
    for (const Vertex& v : p.vertices) {
        a.pos.insert(a.pos.end(), {v.p[0], v.p[1], v.p[2]});
        a.nrm.insert(a.nrm.end(), {v.n[0], v.n[1], v.n[2]});
        a.uv.insert(a.uv.end(), {v.uv[0], v.uv[1]});
    }
    for (int i : p.indices)
        a.idx.push_back(static_cast<unsigned>(i - 1));
    return a;
}

std::string FileName(int n, int textured)
{
    return "mesa_" + std::to_string(n) + "_" + std::to_string(textured) + ".bin";
}

bool Write(const std::string& path, const Arrays& a)
{
    std::ofstream os(path, std::ios::binary);
    const uint32_t counts[2] = {static_cast<uint32_t>(a.pos.size() / 3), static_cast<uint32_t>(a.idx.size())};
    os.write(reinterpret_cast<const char*>(counts), sizeof counts);
    os.write(reinterpret_cast<const char*>(a.pos.data()), static_cast<std::streamsize>(a.pos.size() * 4));
    os.write(reinterpret_cast<const char*>(a.nrm.data()), static_cast<std::streamsize>(a.nrm.size() * 4));
    os.write(reinterpret_cast<const char*>(a.uv.data()), static_cast<std::streamsize>(a.uv.size() * 4));
    os.write(reinterpret_cast<const char*>(a.idx.data()), static_cast<std::streamsize>(a.idx.size() * 4));
    return os.good();
}

bool Read(const std::string& path, Arrays& a)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    uint32_t counts[2];
    bool ok = std::fread(counts, sizeof counts, 1, f) == 1;
    if (ok) {
        a.pos.resize(counts[0] * 3);
        a.nrm.resize(counts[0] * 3);
        a.uv.resize(counts[0] * 2);
        a.idx.resize(counts[1]);
        ok = std::fread(a.pos.data(), 4, a.pos.size(), f) == a.pos.size() &&
             std::fread(a.nrm.data(), 4, a.nrm.size(), f) == a.nrm.size() &&
             std::fread(a.uv.data(), 4, a.uv.size(), f) == a.uv.size() &&
             std::fread(a.idx.data(), 4, a.idx.size(), f) == a.idx.size();
    }
    std::fclose(f);
    return ok;
}

double CpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

double PeakMegabytes()
{
    std::ifstream is("/proc/self/status");
    std::string line;
    while (std::getline(is, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

void SetUp(const Scene& s, bool textured)
{
    glViewport(0, 0, W, H);
    glClearColor(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Ours: plane width 2 tan(30 deg) at the near distance 1, height in the picture's proportion.
    const double hw = 0.57735026919, hh = hw * H / W;
    glFrustum(-hw, hw, -hh, hh, s.views[0].nearZ, s.views[0].farZ);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Our camera space has y down and z forward; GL's eye space y up and z backward.
    glScalef(1, -1, -1);
    glTranslatef(0, 0, 20);
    const Material& m = s.materials[0];
    const float diffuse[4] = {m.diffuse[0], m.diffuse[1], m.diffuse[2], 1};
    const float ambient[4] = {m.ambient[0], m.ambient[1], m.ambient[2], 1};
    const float zero[4] = {0, 0, 0, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, zero);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, zero);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, zero);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    // The grid's triangles turn clockwise on the screen; their normals face the eye, which is
    // the side ours lights.
    glFrontFace(GL_CW);
    for (size_t i = 0; i < s.lights.size() && i < 8; ++i) {
        const Light& l = s.lights[i];
        const GLenum id = static_cast<GLenum>(GL_LIGHT0 + i);
        const float c1[4] = {l.c1[0], l.c1[1], l.c1[2], 1}, c2[4] = {l.c2[0], l.c2[1], l.c2[2], 1};
        glLightfv(id, GL_DIFFUSE, c1);
        glLightfv(id, GL_AMBIENT, c2);
        glLightfv(id, GL_SPECULAR, zero);
        // SUN: the direction points from the scene towards the light.
        const float where[4] = {l.type == "SUN" ? l.dir[0] : l.pos[0], l.type == "SUN" ? l.dir[1] : l.pos[1],
                                l.type == "SUN" ? l.dir[2] : l.pos[2], l.type == "SUN" ? 0.0f : 1.0f};
        glLightfv(id, GL_POSITION, where);
        glEnable(id);
    }
    glShadeModel(GL_SMOOTH);
    if (textured) {
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    } else {
        glEnable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
    }
}

void Draw(const Arrays& a)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, a.pos.data());
    glNormalPointer(GL_FLOAT, 0, a.nrm.data());
    glTexCoordPointer(2, GL_FLOAT, 0, a.uv.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(a.idx.size()), GL_UNSIGNED_INT, a.idx.data());
    glFinish();
}

void WritePpm(const std::vector<unsigned char>& rgba)
{
    std::ofstream os("mesa_out.ppm", std::ios::binary);
    os << "P6\n" << W << ' ' << H << "\n255\n";
    // GL rows run bottom-up; the file top-down.
    for (int y = H - 1; y >= 0; --y)
        for (int x = 0; x < W; ++x)
            os.write(reinterpret_cast<const char*>(&rgba[(static_cast<size_t>(y) * W + x) * 4]), 3);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: mesa_peer make|draw|call N T\n");
        return 2;
    }
    const std::string mode = argv[1];
    const int n = std::atoi(argv[2]), textured = std::atoi(argv[3]);
    const Scene s = MakeGrid(n, textured != 0, 2, 0);
    if (mode == "make")
        return Write(FileName(n, textured), FromScene(s)) ? 0 : 1;
    OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    std::vector<unsigned char> buffer(static_cast<size_t>(W) * H * 4);
    if (!ctx || !OSMesaMakeCurrent(ctx, buffer.data(), GL_UNSIGNED_BYTE, W, H)) {
        std::fprintf(stderr, "OSMesa context failed\n");
        return 1;
    }
    std::vector<unsigned char> tex(64 * 64 * 3);
    for (size_t i = 0; i < tex.size(); ++i)
        tex[i] = static_cast<unsigned char>(i * 7);
    // Ours stores texels as blue, green, red: the same bytes read as BGR.
    GLuint name;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 64, 64, 0, GL_BGR, GL_UNSIGNED_BYTE, tex.data());
    SetUp(s, textured != 0);
    // One small triangle first: llvmpipe compiles its shaders on the first draw of a state.
    {
        Arrays warm;
        warm.pos = {-1, -1, 0, 1, -1, 0, 0, 1, 0};
        warm.nrm = {0, 0, -1, 0, 0, -1, 0, 0, -1};
        warm.uv = {0, 0, 1, 0, 0, 1};
        warm.idx = {0, 1, 2};
        Draw(warm);
    }
    double seconds, cpu;
    if (mode == "draw") {
        const Arrays a = FromScene(s);
        const double c0 = CpuSeconds();
        const auto t0 = Clock::now();
        Draw(a);
        seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        cpu = CpuSeconds() - c0;
    } else if (mode == "call") {
        const double c0 = CpuSeconds();
        const auto t0 = Clock::now();
        Arrays a;
        if (!Read(FileName(n, textured), a))
            return 1;
        Draw(a);
        seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        cpu = CpuSeconds() - c0;
    } else {
        return 2;
    }
    WritePpm(buffer);
    std::printf("%.4f\t%.1f\t%.4f\t%s\n", seconds, PeakMegabytes(), cpu,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    OSMesaDestroyContext(ctx);
    return 0;
}
