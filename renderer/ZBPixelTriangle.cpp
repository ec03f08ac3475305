#include "ZBPixelTriangle.h"

#include "ZBScene.h"
#include "ZBSceneStream.h"

#include <algorithm>
#include <cmath>

ZBColorVertex& ZBColorVertex::operator=(const ZBColorVertex& o)
{
    m_position = o.m_position;
    m_second = o.m_second;
    m_tex = ZBVector(o.m_tex.x, o.m_tex.y, 0.0f);
    for (int c = 0; c < 3; ++c)
        m_colour[c] = o.m_colour[c];
    m_nOrder = o.m_nOrder;
    m_reserved = o.m_reserved;
    m_marksA = o.m_marksA;
    m_marksB = o.m_marksB;
    return *this;
}

ZBPixelTriangle::ZBPixelTriangle(ZBScene& scene) : m_scene(scene) {}

void ZBPixelTriangle::AddVertex(float x, float y, float depth, float r, float g, float b, const unsigned* marks)
{
    if (m_nCount == 3)
        m_nCount = 0;
    ZBColorVertex v;
    v.m_position = ZBVector(x, y, depth);
    v.m_colour[0] = r;
    v.m_colour[1] = g;
    v.m_colour[2] = b;
    v.m_nOrder = m_nCount;
    if (marks) {
        v.m_marksA = marks[0];
        v.m_marksB = marks[1];
    }
    // Insert after every vertex of equal y.
    int at = m_nCount;
    while (at > 0 && LessByY(v, m_set[at - 1])) {
        m_set[at] = m_set[at - 1];
        --at;
    }
    m_set[at] = v;
    ++m_nCount;
    if (m_nCount == 3)
        for (int i = 0; i < 3; ++i)
            m_vertices[i] = m_set[i];
}

void ZBPixelTriangle::SetTextureCoords(const ZBVector& t0, const ZBVector& t1, const ZBVector& t2)
{
    const ZBVector* t[3] = {&t0, &t1, &t2};
    for (int i = 0; i < m_nCount; ++i)
        m_set[i].m_tex = *t[m_set[i].m_nOrder];
    if (m_nCount == 3)
        for (int i = 0; i < 3; ++i)
            m_vertices[i] = m_set[i];
}

void ZBPixelTriangle::SetSize(int width, int height)
{
    m_corner1 = ZBVector(0.0f, static_cast<float>(height), 0.0f);
    m_corner2 = ZBVector(static_cast<float>(width), 0.0f, 0.0f);
}

// The simpler screen-linear scan conversion; the render pass uses ZBPixelTriangleEx.
void ZBPixelTriangle::Rasterize()
{
    if (m_nCount != 3) {
        m_nTexture = -1;
        return;
    }
    ZBColorVertex v[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = m_vertices[i];
        v[i].m_position.x = std::trunc(v[i].m_position.x + 0.5f);
        v[i].m_position.y = std::trunc(v[i].m_position.y + 0.5f);
    }
    if (v[0].m_position == v[1].m_position || v[1].m_position == v[2].m_position ||
        v[0].m_position == v[2].m_position) {
        m_nTexture = -1;
        return;
    }
    const int width = static_cast<int>(m_corner2.x), height = static_cast<int>(m_corner1.y);
    float flat[3];
    for (int c = 0; c < 3; ++c)
        flat[c] = (v[0].m_colour[c] + v[1].m_colour[c] + v[2].m_colour[c]) * 0.33333334f;
    const ZBVector &A = v[0].m_position, &B = v[1].m_position, &C = v[2].m_position;
    using ZBSceneStream::TruncToInt;
    for (int half = 0; half < 2; ++half) {
        const ZBColorVertex& P = half == 0 ? v[0] : v[2];
        const ZBColorVertex& Q = v[1];
        const ZBColorVertex& R = half == 0 ? v[2] : v[0];
        const int r0 = half == 0 ? TruncToInt(A.y) : TruncToInt(B.y);
        const int r1 = half == 0 ? TruncToInt(B.y) : TruncToInt(C.y);
        for (int r = std::max(r0, 0); r < std::min(r1, height); ++r) {
            const float t1 = (r - P.m_position.y) / (Q.m_position.y - P.m_position.y);
            const float t2 = (r - P.m_position.y) / (R.m_position.y - P.m_position.y);
            const float x1 = P.m_position.x + (Q.m_position.x - P.m_position.x) * t1;
            const float x2 = P.m_position.x + (R.m_position.x - P.m_position.x) * t2;
            const float z1 = P.m_position.z + (Q.m_position.z - P.m_position.z) * t1;
            const float z2 = P.m_position.z + (R.m_position.z - P.m_position.z) * t2;
            const int first = std::max(TruncToInt(std::min(x1, x2) + 1.0f), 0);
            const int last = std::min(TruncToInt(std::max(x1, x2)), width - 1);
            for (int c = first; c <= last; ++c) {
                const float s = x2 != x1 ? (c - x1) / (x2 - x1) : 0.0f;
                const float z = z1 + (z2 - z1) * s;
                float colour[3];
                for (int k = 0; k < 3; ++k) {
                    if (m_nShadeMode == 1) {
                        const float c1 = P.m_colour[k] + (Q.m_colour[k] - P.m_colour[k]) * t1;
                        const float c2 = P.m_colour[k] + (R.m_colour[k] - P.m_colour[k]) * t2;
                        colour[k] = c1 + (c2 - c1) * s;
                    } else {
                        colour[k] = m_nShadeMode == -1 ? v[0].m_colour[k] : flat[k];
                    }
                }
                m_scene.m_screen.SetPixelTested(c, r, colour, z, m_fOpacity);
            }
        }
    }
    m_nTexture = -1;
}
