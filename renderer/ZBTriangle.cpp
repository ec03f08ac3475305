#include "ZBTriangle.h"

#include "ZBBackGround.h"
#include "ZBLight.h"
#include "ZBMath.h"
#include "ZBMaterial.h"
#include "ZBTexture.h"
#include "ZBTriangleGroup.h"

#include <cmath>

void ZBEdge::Set(const ZBVector& start, const ZBVector& end)
{
    m_start = start;
    m_end = end;
    const ZBVector d = end - start;
    const float c[3] = {d.x, d.y, d.z};
    for (int i = 0; i < 3; ++i)
        m_d[i] = std::fabs(c[i]) < ZB_EPSILON ? 0.0f : c[i];
    m_s[0] = start.x;
    m_s[1] = start.y;
    m_s[2] = start.z;
}

void ZBEdge::PointAtDepth(float z, ZBVector& out) const
{
    const float c = (z - m_start.z) / (m_end.z - m_start.z);
    out = ZBVector(m_start.x + c * (m_end.x - m_start.x), m_start.y + c * (m_end.y - m_start.y), z);
}

float ZBEdge::Length() const
{
    return (m_end - m_start).Length();
}

bool ZBEdge::XAtY(float y, float& x) const
{
    if (m_d[1] == 0.0f)
        return false;
    x = (y - m_start.y) * m_d[0] / m_d[1] + m_start.x;
    return true;
}

bool ZBIsMarkedEdge(const ZBCorner& p, const ZBCorner& q)
{
    return (p.b & q.a) != 0 && (q.b & p.a) != 0;
}

static void Unlink(ZBCorner& p, ZBCorner& q)
{
    if (ZBIsMarkedEdge(p, q))
        p.a = q.a = 0;
}

ZBTriangle::ZBTriangle()
    : m_nMaterial(0), m_nTexture(0), m_colours{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, m_bVisible(1), m_bClipPiece(0),
      m_fOpacity(1.0f), m_plane{0, 0, 0, 0}
{
}

void ZBTriangle::SetCorners(const ZBVector& p0, const ZBVector& p1, const ZBVector& p2)
{
    const ZBVector* p[3] = {&p0, &p1, &p2};
    for (int k = 0; k < 3; ++k) {
        m_corners[k].p = *p[k];
        m_corners[k].a = m_corners[k].b = 7;
    }
}

void ZBTriangle::SetCornersWithMarks(const ZBCorner& c0, const ZBCorner& c1, const ZBCorner& c2)
{
    m_corners[0] = c0;
    m_corners[1] = c1;
    m_corners[2] = c2;
}

void ZBTriangle::Transform(const ZBMatrix& m)
{
    for (int k = 0; k < 3; ++k) {
        m_camera[k] = m_corners[k];
        m_camera[k].p = TransformPoint(m_corners[k].p, m);
        m_cameraNormals[k] = TransformPoint(m_corners[k].p + m_normals[k], m) - m_camera[k].p;
        m_cameraNormals[k].Normalize();
    }
}

void ZBTriangle::ProjectCorners(float nearZ, ZBVector out[3]) const
{
    for (int k = 0; k < 3; ++k) {
        const ZBVector& c = m_camera[k].p;
        out[k] = ZBVector(c.x * nearZ / c.z, c.y * nearZ / c.z, nearZ);
    }
}

void ZBTriangle::GetCameraCorners(ZBVector out[3]) const
{
    for (int k = 0; k < 3; ++k)
        out[k] = m_camera[k].p;
}

void ZBTriangle::GetCameraCornerRecords(ZBCorner out[3]) const
{
    for (int k = 0; k < 3; ++k)
        out[k] = m_camera[k];
}

void ZBTriangle::GetTexCoords(ZBVector out[3]) const
{
    for (int k = 0; k < 3; ++k)
        out[k] = m_tex[k];
}

void ZBTriangle::GetCornerColour(int k, float& r, float& g, float& b) const
{
    r = m_colours[k][0];
    g = m_colours[k][1];
    b = m_colours[k][2];
}

float ZBTriangle::MaxDepth() const
{
    return std::max(m_camera[0].p.z, std::max(m_camera[1].p.z, m_camera[2].p.z));
}

bool ZBTriangle::ComputePlane()
{
    const ZBVector u = m_camera[1].p - m_camera[0].p;
    const ZBVector w = m_camera[2].p - m_camera[0].p;
    const float c = u.Dot(w) / (u.Length() * w.Length());
    if (c == 1.0f || std::isnan(c))
        return false;
    ZBVector n;
    CrossProduct(u, w, n);
    m_plane[0] = n.x;
    m_plane[1] = n.y;
    m_plane[2] = n.z;
    m_plane[3] = n.Dot(m_camera[0].p);
    return true;
}

bool ZBTriangle::IntersectEyeRay(const ZBEdge& ray, ZBVector& out) const
{
    const ZBVector n(m_plane[0], m_plane[1], m_plane[2]);
    const ZBVector d = ray.m_end - ray.m_start;
    const float den = n.Dot(d);
    if (std::fabs(den) < ZB_EPSILON)
        return false;
    const float t = m_plane[3] / den;
    out = ray.m_start + d * t;
    return true;
}

// Value at P on the edge A-B, mixed by distance.
static ZBVector MixAt(const ZBVector& A, const ZBVector& B, const ZBVector& P, const ZBVector& va, const ZBVector& vb)
{
    const float pa = (P - A).Length(), bp = (B - P).Length();
    const float sum = pa + bp;
    if (sum == 0.0f)
        return va;
    return (va * bp + vb * pa) / sum;
}

void ZBTriangle::SplitAtNear(float nearZ, int k1, int k2, ZBTriangleGroup& group)
{
    m_bVisible = 0;
    ZBTriangle base = *this;
    base.m_bVisible = 1;
    base.m_bClipPiece = 1;
    auto pointOn = [&](int from, int to) {
        ZBEdge e;
        e.Set(m_camera[from].p, m_camera[to].p);
        ZBVector p;
        e.PointAtDepth(nearZ, p);
        return p;
    };
    // Moves corner c of t to P on the edge between kept corner k and c.
    auto place = [&](ZBTriangle& t, int c, int k, const ZBVector& P) {
        const ZBVector A = m_camera[k].p, B = m_camera[c].p;
        t.m_cameraNormals[c] = MixAt(A, B, P, m_cameraNormals[k], m_cameraNormals[c]);
        t.m_tex[c] = MixAt(A, B, P, m_tex[k], m_tex[c]);
        t.m_camera[c].p = P;
    };
    if (k2 < 0) {
        int i = -1, j = -1;
        for (int c = 0; c < 3; ++c) {
            if (c == k1)
                continue;
            if (i < 0)
                i = c;
            else
                j = c;
        }
        ZBTriangle t = base;
        const ZBVector Pi = pointOn(k1, i), Pj = pointOn(k1, j);
        place(t, i, k1, Pi);
        place(t, j, k1, Pj);
        Unlink(t.m_camera[i], t.m_camera[j]);
        group.AppendDrawing(t);
    } else {
        const int c = 3 - k1 - k2;
        const ZBVector P1 = pointOn(c, k1), P2 = pointOn(c, k2);
        ZBTriangle first = base;
        place(first, c, k1, P1);
        Unlink(first.m_camera[k2], first.m_camera[c]);
        ZBTriangle second = base;
        // Corner k1 of the second piece takes P1 with the values mixed between k1 and c.
        second.m_cameraNormals[k1] = first.m_cameraNormals[c];
        second.m_tex[k1] = first.m_tex[c];
        second.m_camera[k1].p = P1;
        place(second, c, k2, P2);
        Unlink(second.m_camera[k1], second.m_camera[c]);
        Unlink(second.m_camera[k2], second.m_camera[k1]);
        group.AppendDrawing(first);
        group.AppendDrawing(second);
    }
}

static double Power(double base, int exponent)
{
    if (exponent == 0)
        return 1.0;
    return std::pow(base, static_cast<double>(exponent));
}

void ZBTriangle::Light(const ZBLightGroup& lights, const ZBMaterialGroup& materials, const ZBTextureGroup& textures,
                       unsigned corners)
{
    const ZBTexture* tex = m_nTexture >= 1 ? textures.GetTexture(m_nTexture - 1) : nullptr;
    if (tex && !tex->m_bShade && !tex->m_bBlackTransparent)
        return;
    const ZBMaterial& mat = materials.GetOrDefault(m_nMaterial);
    float diffuse[3], ambient[3], specular[3], emission[3];
    int exponent;
    if (tex && tex->m_bShade) {
        for (int c = 0; c < 3; ++c) {
            diffuse[c] = ambient[c] = 0.7f;
            specular[c] = emission[c] = 0.0f;
        }
        exponent = 0;
    } else {
        for (int c = 0; c < 3; ++c) {
            diffuse[c] = mat.m_diffuse[c];
            ambient[c] = mat.m_ambient[c];
            specular[c] = mat.m_specular[c];
            emission[c] = mat.m_emission[c];
        }
        exponent = mat.m_nExponent;
    }
    for (int k = 0; k < 3; ++k) {
        if (!(corners & (1u << k)))
            continue;
        const ZBVector P = m_camera[k].p;
        const ZBVector N = m_cameraNormals[k];
        float acc[3] = {0, 0, 0};
        for (int li = 0; li < lights.GetCount(); ++li) {
            const ZBLight& light = lights.Get(li);
            ZBVector L;
            float S = 1.0f;
            if (light.m_nType == ZB_LIGHT_LOCAL) {
                L = light.m_cameraPosition - P;
                L.Normalize();
            } else if (light.m_nType == ZB_LIGHT_SUN) {
                L = light.m_cameraDirection;
                L.Normalize();
            } else if (light.m_nType == ZB_LIGHT_SPOT) {
                ZBVector R = P - light.m_cameraPosition;
                R.Normalize();
                ZBVector D = light.m_cameraDirection;
                D.Normalize();
                const float c = D.Dot(R);
                if (ZBCos(light.m_nSpotAngle * 0.017453292f) > c)
                    S = 0.0f;
                else
                    S = static_cast<float>(Power(c, light.m_nSpotExponent));
                L = R * -1.0f;
                L.Normalize();
            } else {
                continue;
            }
            for (int c = 0; c < 3; ++c)
                acc[c] += light.m_colour2[c] * ambient[c];
            const ZBVector toEye = P * -1.0f;
            const ZBVector Nf = toEye.Dot(N) < 0.0f ? N * -1.0f : N;
            float diff = L.Dot(Nf);
            if (diff < 0.0f)
                diff = 0.0f;
            for (int c = 0; c < 3; ++c)
                acc[c] += light.m_colour1[c] * diffuse[c] * diff * S;
            if (diff != 0.0f) {
                ZBVector V = toEye;
                V.Normalize();
                ZBVector H = L + V;
                H.Normalize();
                float s = H.Dot(Nf);
                if (s < 0.0f)
                    s = 0.0f;
                const float sp = static_cast<float>(Power(s, exponent));
                for (int c = 0; c < 3; ++c)
                    acc[c] += light.m_colour1[c] * specular[c] * sp * S;
            }
        }
        for (int c = 0; c < 3; ++c) {
            const float v = acc[c] + emission[c];
            m_colours[k][c] = v > 1.0f ? 1.0f : v;
        }
    }
    m_fOpacity = mat.m_fOpacity;
}

void ZBTriangle::SetBackgroundColours(const ZBBackGround& back)
{
    for (int k = 0; k < 3; ++k)
        back.GetColour(m_colours[k][0], m_colours[k][1], m_colours[k][2]);
}
