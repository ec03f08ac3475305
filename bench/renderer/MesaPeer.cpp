// The same generated scenes drawn by Mesa's software rasterisers through OSMesa, as the peer:
// depth test, one directional light with Gouraud shading, optionally a 64 x 64 texture.
// Choose the rasteriser with GALLIUM_DRIVER=softpipe or GALLIUM_DRIVER=llvmpipe LP_NUM_THREADS=0.
#include "SceneGenerator.h"

#include <GL/osmesa.h>
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace SceneGenerator;
using Clock = std::chrono::steady_clock;

int main(int argc, char** argv)
{
    const int maxTriangles = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int W = 1000, H = 750;
    OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    std::vector<unsigned char> buffer(static_cast<size_t>(W) * H * 4);
    if (!ctx || !OSMesaMakeCurrent(ctx, buffer.data(), GL_UNSIGNED_BYTE, W, H)) {
        std::fprintf(stderr, "OSMesa context failed\n");
        return 1;
    }
    std::printf("renderer\t%s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::vector<unsigned char> tex(64 * 64 * 3);
    for (size_t i = 0; i < tex.size(); ++i)
        tex[i] = static_cast<unsigned char>(i * 7);
    GLuint name;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 64, 64, 0, GL_RGB, GL_UNSIGNED_BYTE, tex.data());
    std::printf("triangles\ttextured\tseconds\ttriangles/s\n");
    for (int n = 1000; n <= maxTriangles; n *= 10) {
        for (int textured = 0; textured < 2; ++textured) {
            const Scene s = MakeGrid(n, textured != 0, 2, 0);
            const auto t0 = Clock::now();
            // Set-up as the renderer does it per call: arrays from the scene, then one frame.
            const Polygon& p = s.polygons[0];
            std::vector<float> pos, nrm, uv;
            for (size_t i = 0; i < p.indices.size(); ++i) {
                const Vertex& v = p.vertices[static_cast<size_t>(p.indices[i] - 1)];
                pos.insert(pos.end(), {v.p[0], v.p[1], v.p[2]});
                nrm.insert(nrm.end(), {v.n[0], v.n[1], v.n[2]});
                uv.insert(uv.end(), {v.uv[0], v.uv[1]});
            }
            glViewport(0, 0, W, H);
            glClearColor(1, 1, 1, 1);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glEnable(GL_DEPTH_TEST);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glFrustum(-0.577, 0.577, -0.433, 0.433, 1, 1000);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glTranslatef(0, 0, -20);
            glEnable(GL_LIGHTING);
            glEnable(GL_LIGHT0);
            const float dir[4] = {0, 0, 1, 0};
            glLightfv(GL_LIGHT0, GL_POSITION, dir);
            glShadeModel(GL_SMOOTH);
            if (textured)
                glEnable(GL_TEXTURE_2D);
            else
                glDisable(GL_TEXTURE_2D);
            glEnableClientState(GL_VERTEX_ARRAY);
            glEnableClientState(GL_NORMAL_ARRAY);
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glVertexPointer(3, GL_FLOAT, 0, pos.data());
            glNormalPointer(GL_FLOAT, 0, nrm.data());
            glTexCoordPointer(2, GL_FLOAT, 0, uv.data());
            glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(pos.size() / 3));
            glFinish();
            const double secs = std::chrono::duration<double>(Clock::now() - t0).count();
            std::printf("%d\t%d\t%.3f\t%.0f\n", n, textured, secs, n / secs);
            std::fflush(stdout);
        }
    }
    OSMesaDestroyContext(ctx);
    return 0;
}
