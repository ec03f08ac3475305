#include "ZBPixelTriangleEx.h"

#include "ZBScene.h"
#include "ZBSceneStream.h"

#include <algorithm>
#include <cmath>

using ZBSceneStream::TruncToInt;

ZBPixelTriangleEx::ZBPixelTriangleEx(ZBScene& scene, float planeWidth, float planeHeight, float pixelWidth,
                                     float pixelHeight, float nearZ)
    : ZBPixelTriangle(scene), m_fPlaneWidth(planeWidth), m_fPlaneHeight(planeHeight), m_fPixelWidth(pixelWidth),
      m_fPixelHeight(pixelHeight), m_fNear(nearZ)
{
}

ZBVector ZBPixelTriangleEx::PixelToPlane(int column, int row) const
{
    return ZBVector(static_cast<float>(static_cast<unsigned>(column)) * m_fPixelWidth - m_fPlaneWidth / 2,
                    static_cast<float>(static_cast<unsigned>(row)) * m_fPixelHeight - m_fPlaneHeight / 2, m_fNear);
}

bool ZBPixelTriangleEx::RoundAndCheck(ZBColorVertex v[3]) const
{
    for (int i = 0; i < 3; ++i) {
        v[i] = m_vertices[i];
        v[i].m_position.x = std::trunc(v[i].m_position.x + 0.5f);
        v[i].m_position.y = std::trunc(v[i].m_position.y + 0.5f);
    }
    return !(v[0].m_position == v[1].m_position || v[1].m_position == v[2].m_position ||
             v[0].m_position == v[2].m_position);
}

void ZBPixelTriangleEx::SetUpBarycentric(const ZBTriangle& source)
{
    source.GetCameraCorners(m_src);
    m_edges[0] = m_src[1] - m_src[0];
    m_edges[1] = m_src[2] - m_src[1];
    m_edges[2] = m_src[0] - m_src[2];
    for (int i = 0; i < 3; ++i)
        m_len[i] = m_edges[i].Length();
    const float h = (m_len[2] + (m_len[0] + m_len[1])) * 0.5f;
    const float prod = h * (h - m_len[1]) * (h - m_len[0]) * (h - m_len[2]);
    m_fArea = prod > 0.0f ? std::sqrt(prod) : 0.0f;
    source.GetTexCoords(m_srcTex);
}

void ZBPixelTriangleEx::TextureCoordAt(const ZBVector& p, float& u, float& v) const
{
    const float da = (p - m_src[0]).Length(), db = (p - m_src[1]).Length(), dc = (p - m_src[2]).Length();
    const float q1 = (dc + m_len[1] + db) / 2;
    const float area1 = std::sqrt(std::fabs((q1 - dc) * (q1 - db) * q1 * (q1 - m_len[1])));
    const float q2 = (dc + m_len[2] + da) / 2;
    const float area2 = std::sqrt(std::fabs((q2 - dc) * (q2 - da) * q2 * (q2 - m_len[2])));
    const float w0 = area1 / m_fArea, w1 = area2 / m_fArea, w2 = 1 - w0 - w1;
    u = w0 * m_srcTex[0].x + w1 * m_srcTex[1].x + w2 * m_srcTex[2].x;
    v = w0 * m_srcTex[0].y + w1 * m_srcTex[1].y + w2 * m_srcTex[2].y;
}

void ZBPixelTriangleEx::DrawTriangle(ZBTriangle& source)
{
    if (m_nCount != 3) {
        m_nTexture = -1;
        return;
    }
    // The sorted vertices are read where they are; only their positions are rounded here.
    const ZBColorVertex* v = m_vertices;
    ZBVector pos[3];
    for (int i = 0; i < 3; ++i)
        pos[i] = ZBVector(std::trunc(v[i].m_position.x + 0.5f), std::trunc(v[i].m_position.y + 0.5f), v[i].m_position.z);
    if (pos[0] == pos[1] || pos[1] == pos[2] || pos[0] == pos[2]) {
        m_nTexture = -1;
        return;
    }
    // No row to draw (most triangles of a dense mesh cover less than a pixel): nothing below
    // would leave a mark, so the plane and the texture set-up are not worked out.
    const int height = static_cast<int>(m_corner1.y);
    const int rowA = TruncToInt(pos[0].y), rowB = TruncToInt(pos[1].y), rowC = TruncToInt(pos[2].y);
    if (std::max(rowA, 0) >= std::min(rowB, height) && std::max(rowB, 0) >= std::min(rowC, height)) {
        m_nTexture = -1;
        return;
    }
    const ZBTexture* tex = nullptr;
    bool shadeFlag = false, blackTransparent = false;
    if (m_nTexture != -1) {
        tex = m_scene.m_textures.GetTexture(m_nTexture);
        if (tex) {
            shadeFlag = tex->m_bShade;
            blackTransparent = tex->m_bBlackTransparent;
            SetUpBarycentric(source);
        }
    }
    float flat[3];
    if (m_nShadeMode == -1) {
        for (int c = 0; c < 3; ++c)
            flat[c] = v[0].m_colour[c];
        tex = nullptr;
    } else {
        for (int c = 0; c < 3; ++c)
            flat[c] = (v[0].m_colour[c] + v[1].m_colour[c] + v[2].m_colour[c]) * 0.33333334f;
    }
    m_nTexture = -1;
    if (!source.ComputePlane())
        return;
    const ZBVector &A = pos[0], &B = pos[1], &C = pos[2];
    const float minX = std::min(A.x, std::min(B.x, C.x)), maxX = std::max(A.x, std::max(B.x, C.x));
    const bool small = (C.y - A.y) < 8 && (maxX - minX) < 8;
    const int width = static_cast<int>(m_corner2.x);
    ZBScreenBuffer& screen = m_scene.m_screen;
    const bool interpolate = m_nShadeMode == 1 || m_nShadeMode == 2;
    const float n[3] = {source.m_plane[0], source.m_plane[1], source.m_plane[2]};
    const float d = source.m_plane[3];
    const float nzqz = n[2] * m_fNear;
    const float halfPlaneWidth = m_fPlaneWidth / 2;

    for (int half = 0; half < 2; ++half) {
        // Upper half: edges A->B and A->C; lower half: edges C->B and C->A.
        const ZBColorVertex& P = half == 0 ? v[0] : v[2];
        const ZBColorVertex& Q = v[1];
        const ZBColorVertex& R = half == 0 ? v[2] : v[0];
        const ZBVector& Pp = half == 0 ? pos[0] : pos[2];
        const ZBVector& Qp = pos[1];
        const ZBVector& Rp = half == 0 ? pos[2] : pos[0];
        const int r0 = std::max(TruncToInt(half == 0 ? A.y : B.y), 0);
        const int r1 = std::min(TruncToInt(half == 0 ? B.y : C.y), height);
        for (int r = r0; r < r1; ++r) {
            const float dyQ = Qp.y - Pp.y, dyR = Rp.y - Pp.y;
            const float x1 = dyQ == 0 ? Qp.x
                                      : Pp.x + (r - Pp.y) * (Qp.x - Pp.x) / dyQ;
            const float x2 = dyR == 0 ? Rp.x
                                      : Pp.x + (r - Pp.y) * (Rp.x - Pp.x) / dyR;
            const float t1 = (r - Pp.y) / dyQ, t2 = (r - Pp.y) / dyR;
            const float z1 = Pp.z + (Qp.z - Pp.z) * t1;
            const float z2 = Pp.z + (Rp.z - Pp.z) * t2;
            const float u1 = P.m_tex.x + (Q.m_tex.x - P.m_tex.x) * t1, v1 = P.m_tex.y + (Q.m_tex.y - P.m_tex.y) * t1;
            const float u2 = P.m_tex.x + (R.m_tex.x - P.m_tex.x) * t2, v2 = P.m_tex.y + (R.m_tex.y - P.m_tex.y) * t2;
            float c1[3], c2[3];
            for (int k = 0; k < 3; ++k) {
                c1[k] = P.m_colour[k] + (Q.m_colour[k] - P.m_colour[k]) * t1;
                c2[k] = P.m_colour[k] + (R.m_colour[k] - P.m_colour[k]) * t2;
            }
            const int first = std::max(TruncToInt(std::min(x1, x2) + 1), 0);
            const int last = std::min(TruncToInt(std::max(x1, x2)), width);
            const float qy = static_cast<float>(static_cast<unsigned>(r)) * m_fPixelHeight - m_fPlaneHeight / 2;
            const float nyqy = n[1] * qy;
            for (int c = first; c <= last; ++c) {
                float s = 0.0f, z = z1;
                if (first != last) {
                    s = (c - x1) / (x2 - x1);
                    z = z1 + (z2 - z1) * s;
                }
                float tu = u1 + (u2 - u1) * s, tv = v1 + (v2 - v1) * s;
                if (!small) {
                    // The eye ray through the pixel's corner q meets the plane at (d / n.q) q:
                    // IntersectEyeRay's operations in its order, without building the ray.
                    const float qx = static_cast<float>(static_cast<unsigned>(c)) * m_fPixelWidth - halfPlaneWidth;
                    const float den = n[0] * qx + nyqy + nzqz;
                    if (!(std::fabs(den) < ZB_EPSILON)) {
                        const float t = d / den;
                        const ZBVector hit(0.0f + qx * t, 0.0f + qy * t, 0.0f + m_fNear * t);
                        z = hit.z;
                        if (tex)
                            TextureCoordAt(hit, tu, tv);
                    }
                }
                if (!screen.TestDepth(c, r, z))
                    continue;
                float shade[3];
                for (int k = 0; k < 3; ++k)
                    shade[k] = interpolate ? c1[k] + (c2[k] - c1[k]) * s : flat[k];
                float colour[3] = {shade[0], shade[1], shade[2]};
                if (tex) {
                    uint8_t bgr[3];
                    const bool found = tex->GetTexel(ZBVector(tu, tv, 0.0f), bgr);
                    const bool black = found && bgr[0] == 0 && bgr[1] == 0 && bgr[2] == 0;
                    if (!found && !blackTransparent)
                        continue;
                    if (found && !(black && blackTransparent)) {
                        colour[0] = bgr[2] * 0.003921569f;
                        colour[1] = bgr[1] * 0.003921569f;
                        colour[2] = bgr[0] * 0.003921569f;
                        if (shadeFlag && (m_nShadeMode == 0 || m_nShadeMode == 1))
                            for (int k = 0; k < 3; ++k)
                                colour[k] *= shade[k];
                    }
                }
                screen.SetPixel(c, r, colour, z, m_fOpacity);
            }
        }
    }
}

void ZBPixelTriangleEx::DrawEdges(ZBTriangle& source, const float colour[3])
{
    ZBColorVertex v[3];
    m_nTexture = -1;
    // "Not Triangle" / "Not Plain": nothing of this triangle is drawn.
    if (m_nCount != 3 || !source.ComputePlane() || !RoundAndCheck(v))
        return;
    for (int e = 0; e < 3; ++e) {
        const ZBColorVertex& p = v[e];
        const ZBColorVertex& q = v[(e + 1) % 3];
        if ((p.m_marksB & q.m_marksA) != 0 && (q.m_marksB & p.m_marksA) != 0)
            DrawEdgeLine(source, TruncToInt(p.m_position.x), TruncToInt(p.m_position.y), TruncToInt(q.m_position.x),
                         TruncToInt(q.m_position.y), colour);
    }
}

// Clips the segment to a box around the picture so that a line from far outside
// does not walk billions of pixels; lines inside the box are drawn unchanged.
static bool ClipToBox(int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1, int64_t w, int64_t h)
{
    const double lo[2] = {-1.0, -1.0}, hi[2] = {static_cast<double>(w), static_cast<double>(h)};
    const double p0[2] = {static_cast<double>(x0), static_cast<double>(y0)};
    const double d[2] = {static_cast<double>(x1 - x0), static_cast<double>(y1 - y0)};
    double t0 = 0.0, t1 = 1.0;
    for (int a = 0; a < 2; ++a) {
        if (d[a] == 0.0) {
            if (p0[a] < lo[a] || p0[a] > hi[a])
                return false;
            continue;
        }
        double ta = (lo[a] - p0[a]) / d[a], tb = (hi[a] - p0[a]) / d[a];
        if (ta > tb)
            std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
    }
    if (t0 > t1)
        return false;
    const int64_t nx0 = static_cast<int64_t>(std::llround(p0[0] + d[0] * t0));
    const int64_t ny0 = static_cast<int64_t>(std::llround(p0[1] + d[1] * t0));
    const int64_t nx1 = static_cast<int64_t>(std::llround(p0[0] + d[0] * t1));
    const int64_t ny1 = static_cast<int64_t>(std::llround(p0[1] + d[1] * t1));
    x0 = nx0, y0 = ny0, x1 = nx1, y1 = ny1;
    return true;
}

void ZBPixelTriangleEx::DrawEdgeLine(ZBTriangle& source, int ix0, int iy0, int ix1, int iy1, const float colour[3])
{
    int64_t x0 = ix0, y0 = iy0, x1 = ix1, y1 = iy1;
    const int64_t w = static_cast<int64_t>(m_corner2.x), h = static_cast<int64_t>(m_corner1.y);
    auto outside = [&](int64_t x, int64_t y) { return x < -w || x > 2 * w || y < -h || y > 2 * h; };
    if ((outside(x0, y0) || outside(x1, y1)) && !ClipToBox(x0, y0, x1, y1, w, h))
        return;
    int64_t dx = x1 > x0 ? x1 - x0 : x0 - x1, dy = y1 > y0 ? y1 - y0 : y0 - y1;
    const int64_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int64_t x = x0, y = y0;
    if (dx < dy) {
        int64_t e = -dy;
        for (int64_t i = 0; i <= dy; ++i) {
            PlotEdgePixel(source, static_cast<int>(x), static_cast<int>(y), colour);
            e += 2 * dx;
            if (e >= 0) {
                x += sx;
                e -= 2 * dy;
            }
            y += sy;
        }
    } else {
        int64_t e = -dx;
        for (int64_t i = 0; i <= dx; ++i) {
            PlotEdgePixel(source, static_cast<int>(x), static_cast<int>(y), colour);
            e += 2 * dy;
            x += sx;
            if (e >= 0) {
                y += sy;
                e -= 2 * dx;
            }
        }
    }
}

void ZBPixelTriangleEx::PlotEdgePixel(ZBTriangle& source, int x, int y, const float colour[3])
{
    ZBScreenBuffer& screen = m_scene.m_screen;
    if (x < 0 || y < 0 || x >= screen.GetWidth() || y >= screen.GetHeight())
        return;
    ZBEdge ray;
    ray.Set(ZBVector(), PixelToPlane(x, y));
    ZBVector hit;
    if (!source.IntersectEyeRay(ray, hit))
        return;
    if (screen.TestDepth(x, y, hit.z)) {
        float c[3] = {colour[0], colour[1], colour[2]};
        screen.SetPixel(x, y, c, hit.z, 1.0f);
    }
}
