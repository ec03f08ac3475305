#include "ZBView.h"

#include "ZBMath.h"
#include "ZBPixelTriangleEx.h"
#include "ZBScene.h"
#include "ZBSceneStream.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace ZBSceneStream;

int ZBShadeModeFromArgument(int arg)
{
    if (arg < 0)
        return ZB_SHADE_BACKCOLOR;
    if (arg > 2)
        return ZB_SHADE_FLAT;
    return arg;
}

ZBView::ZBView()
    : m_nShadeMode(0), m_fNear(0), m_fFar(0), m_fAngle(0), m_nWidth(0), m_nHeight(0), m_fPlaneWidth(0),
      m_fPlaneHeight(0), m_fPixelWidth(0), m_fPixelHeight(0), m_nSceneWidth(0), m_nSceneHeight(0)
{
}

void ZBView::UpdateViewMatrix()
{
    ComputeViewMatrix(m_viewMatrix);
}

void ZBView::ComputeViewMatrix(ZBMatrix& out)
{
    ZBMatrix T;
    T.m[3][0] = -m_eye.x;
    T.m[3][1] = -m_eye.y;
    T.m[3][2] = -m_eye.z;
    const float len = m_direction.Length();
    // A zero direction cannot be divided by its length; it is left as it is.
    if (len != 1.0f && len > 0.0f)
        m_direction = m_direction / len;
    const ZBVector d = m_direction;
    const float s = std::sqrt(d.y * d.y + d.z * d.z);
    ZBMatrix R1;
    if (s >= ZB_EPSILON) {
        R1.m[1][1] = d.z / s;
        R1.m[1][2] = d.y / s;
        R1.m[2][1] = -d.y / s;
        R1.m[2][2] = d.z / s;
    }
    ZBMatrix R2;
    R2.m[0][0] = s;
    R2.m[0][2] = d.x;
    R2.m[2][0] = -d.x;
    R2.m[2][2] = s;
    ZBMatrix M;
    M.Multiply(T).Multiply(R1).Multiply(R2);
    const ZBVector u = TransformPoint(TransformPoint(m_up, R1), R2);
    const float L = u.Length();
    ZBMatrix R3;
    if (L >= ZB_EPSILON) {
        R3.m[0][0] = -u.y / L;
        R3.m[0][1] = -u.x / L;
        R3.m[1][0] = u.x / L;
        R3.m[1][1] = -u.y / L;
    }
    out = M.Multiply(R3);
}

bool ZBView::SetUpScreen(ZBScene& scene, float nearZ, float farZ)
{
    m_fPlaneWidth = 2 * nearZ * ZBTan(m_fAngle * 3.1415927f * 0.0027777778f);
    m_fPlaneHeight = m_fPlaneWidth * static_cast<float>(m_nHeight) / static_cast<float>(m_nWidth);
    m_fPixelWidth = m_fPlaneWidth / m_nWidth;
    m_fPixelHeight = m_fPlaneHeight / m_nHeight;
    float r, g, b;
    scene.m_back.GetColour(r, g, b);
    const uint8_t bgr[3] = {static_cast<uint8_t>(TruncToInt(b * 255)), static_cast<uint8_t>(TruncToInt(g * 255)),
                            static_cast<uint8_t>(TruncToInt(r * 255))};
    const float scale = m_nSceneWidth != 0 ? static_cast<float>(m_nWidth) / m_nSceneWidth : 1.0f;
    return scene.m_screen.SetUp(m_nWidth, m_nHeight, nearZ, farZ, scale, bgr);
}

void ZBView::ProjectToPixel(const ZBVector& p, int& px, int& py) const
{
    px = TruncToInt((m_fPlaneWidth / 2 + p.x) / m_fPixelWidth + 0.5f);
    py = TruncToInt((m_fPlaneHeight / 2 + p.y) / m_fPixelHeight + 0.5f);
}

bool ZBView::ClipToWindow(const ZBVector& p0, const ZBVector& p1, const ZBVector& p2) const
{
    const float minX = std::min(p0.x, std::min(p1.x, p2.x)), maxX = std::max(p0.x, std::max(p1.x, p2.x));
    const float minY = std::min(p0.y, std::min(p1.y, p2.y)), maxY = std::max(p0.y, std::max(p1.y, p2.y));
    return !(minX > m_fPlaneWidth / 2 || maxX < -m_fPlaneWidth / 2 || maxY < -m_fPlaneHeight / 2 ||
             minY > m_fPlaneHeight / 2);
}

void ZBView::LightTriangle(ZBScene& scene, ZBTriangle& t) const
{
    if (m_nShadeMode == ZB_SHADE_BACKCOLOR)
        t.SetBackgroundColours(scene.m_back);
    else
        t.Light(scene.m_lights, scene.m_materials, scene.m_textures);
}

bool ZBView::Render(ZBScene& scene)
{
    ZBTriangleGroup& group = *scene.m_pTriangles;
    scene.m_progress.SetDrawnTriangleCount(0);
    group.Transform(m_viewMatrix);
    scene.m_lights.Transform(m_viewMatrix);
    scene.m_back.SetFogRange(m_fNear, m_fFar);
    if (!SetUpScreen(scene, m_fNear, m_fFar))
        return false;
    group.ClipNear(m_fNear, &scene.m_screen);
    const int n = group.GetCount();
    ZBPixelTriangleEx pt(scene, m_fPlaneWidth, m_fPlaneHeight, m_fPixelWidth, m_fPixelHeight, m_fNear);
    pt.m_nShadeMode = m_nShadeMode;
    scene.m_progress.SetDrawnTriangleCount(0);
    scene.m_progress.SetTriangleSum(n);
    DrawWireLines(scene, group.NearestDepth(), group.FarthestDepth());
    // Lit colours of recently drawn mesh corners, by pool index; a mesh drawn in order finds its
    // shared corners here without a table as large as the mesh (a corner pushed out is lit again,
    // to the same colour).
    struct LitCorner {
        uint32_t vertex;
        float rgb[3];
        float opacity;
    };
    constexpr uint32_t kLitSlots = 1 << 14;
    std::vector<LitCorner> lit;
    if (m_nShadeMode != ZB_SHADE_BACKCOLOR)
        lit.assign(kLitSlots, LitCorner{UINT32_MAX, {0, 0, 0}, 1.0f});
    auto slot = [&](uint32_t v) -> LitCorner& { return lit[v & (kLitSlots - 1)]; };
    for (int i = 1; i <= n; ++i) {
        scene.m_progress.SetDrawnTriangleCount(i);
        // A corner shared by several triangles of a mesh is lit once: its colour depends only on
        // its camera position and normal, the material and the lights, all the same for it.
        uint32_t corner[3];
        const bool shared = !lit.empty() && group.NextCornerVertices(corner);
        // Camera normals are worked out for the corners still to be lit only.
        ZBTriangle* t = shared ? group.NextTriangle(0u) : group.NextTriangle();
        if (!t || !t->m_bVisible)
            continue;
        if (!shared) {
            LightTriangle(scene, *t);
        } else {
            unsigned unknown = 0;
            for (int k = 0; k < 3; ++k) {
                const LitCorner& c = slot(corner[k]);
                if (c.vertex == corner[k]) {
                    std::memcpy(t->m_colours[k], c.rgb, sizeof t->m_colours[k]);
                    t->m_fOpacity = c.opacity;
                } else {
                    unknown |= 1u << k;
                }
            }
            if (unknown) {
                group.AddCameraNormals(unknown, *t);
                t->Light(scene.m_lights, scene.m_materials, scene.m_textures, unknown);
                for (int k = 0; k < 3; ++k) {
                    if (!(unknown & (1u << k)))
                        continue;
                    LitCorner& c = slot(corner[k]);
                    c.vertex = corner[k];
                    std::memcpy(c.rgb, t->m_colours[k], sizeof c.rgb);
                    c.opacity = t->m_fOpacity;
                }
            }
        }
        ZBVector proj[3];
        t->ProjectCorners(m_fNear, proj);
        if (!ClipToWindow(proj[0], proj[1], proj[2]))
            continue;
        pt.SetSize(m_nWidth, m_nHeight);
        for (int k = 0; k < 3; ++k) {
            float r, g, b;
            t->GetCornerColour(k, r, g, b);
            int px, py;
            ProjectToPixel(proj[k], px, py);
            pt.AddVertex(static_cast<float>(px), static_cast<float>(py), t->m_camera[k].p.z, r, g, b);
        }
        pt.m_fOpacity = t->m_fOpacity;
        if (t->m_nTexture > 0) {
            pt.m_nTexture = t->m_nTexture - 1;
            ZBVector tc[3];
            t->GetTexCoords(tc);
            pt.SetTextureCoords(tc[0], tc[1], tc[2]);
        }
        pt.DrawTriangle(*t);
    }
    scene.m_progress.SetDrawnTriangleCount(n);
    group.RemoveClipPieces();
    return true;
}

bool ZBView::DrawWireLines(ZBScene& scene, float smallest, float largest)
{
    float bias = 0.0f;
    if (smallest != 0.0f && largest != 0.0f)
        bias = (largest - smallest) / 1000;
    if (scene.m_segments.GetCount() == 0)
        return true;
    ZBTriangleGroup& wires = *scene.m_segments.GetTriangleGroup();
    ZBMatrix m = m_viewMatrix;
    m.m[3][2] -= bias;
    wires.Transform(m);
    wires.ClipNear(m_fNear, &scene.m_screen);
    ZBPixelTriangleEx pt(scene, m_fPlaneWidth, m_fPlaneHeight, m_fPixelWidth, m_fPixelHeight, m_fNear);
    for (int i = 0; i < wires.GetCount(); ++i) {
        ZBTriangle* t = wires.TriangleAt(i);
        if (!t->m_bVisible)
            continue;
        ZBVector proj[3];
        t->ProjectCorners(m_fNear, proj);
        if (!ClipToWindow(proj[0], proj[1], proj[2]))
            continue;
        pt.SetSize(m_nWidth, m_nHeight);
        ZBCorner corners[3];
        t->GetCameraCornerRecords(corners);
        // A wire whose material number names none is drawn in the default material's colour.
        const ZBMaterial& mat = scene.m_materials.GetOrDefault(t->m_nMaterial);
        const float colour[3] = {mat.m_diffuse[0], mat.m_diffuse[1], mat.m_diffuse[2]};
        for (int k = 0; k < 3; ++k) {
            int px, py;
            ProjectToPixel(proj[k], px, py);
            const unsigned marks[2] = {corners[k].a, corners[k].b};
            pt.AddVertex(static_cast<float>(px), static_cast<float>(py), corners[k].p.z, colour[0], colour[1],
                         colour[2], marks);
        }
        pt.DrawEdges(*t, colour);
    }
    wires.RemoveClipPieces();
    return true;
}

bool ZBViewGroup::AddView(std::unique_ptr<ZBView> v)
{
    v->UpdateViewMatrix();
    v->m_nShadeMode = m_nShadeMode;
    m_views.push_back(std::move(v));
    return true;
}

bool ZBViewGroup::ReadViewFields(std::istream& is, const std::string& name)
{
    auto v = std::make_unique<ZBView>();
    v->m_strName = name;
    is >> v->m_eye.x >> v->m_eye.y >> v->m_eye.z;
    is >> v->m_direction.x >> v->m_direction.y >> v->m_direction.z;
    v->m_direction.Normalize();
    is >> v->m_up.x >> v->m_up.y >> v->m_up.z;
    v->m_up.Normalize();
    is >> v->m_fNear >> v->m_fFar >> v->m_fAngle >> v->m_nWidth >> v->m_nHeight;
    if (is.fail())
        return false;
    v->m_nSceneWidth = v->m_nWidth;
    v->m_nSceneHeight = v->m_nHeight;
    return AddView(std::move(v));
}

bool ZBViewGroup::ReadViewSection(std::istream& is)
{
    Clear();
    bool any = false;
    while (FindWord(is, "#VIEW")) {
        std::string name;
        ReadName(is, name, kWordLimit);
        if (!ReadViewFields(is, name))
            return false;
        any = true;
    }
    return any;
}

bool ZBViewGroup::ReadViewRecordFields(std::istream& is, const std::string& name)
{
    auto v = std::make_unique<ZBView>();
    v->m_strName = name;
    bool ok = true;
    for (ZBVector* p : {&v->m_eye, &v->m_direction, &v->m_up})
        ok = ok && ReadFloat(is, p->x) && ReadFloat(is, p->y) && ReadFloat(is, p->z);
    v->m_direction.Normalize();
    v->m_up.Normalize();
    int32_t w = 0, h = 0;
    ok = ok && ReadFloat(is, v->m_fNear) && ReadFloat(is, v->m_fFar) && ReadFloat(is, v->m_fAngle) &&
         ReadInt32(is, w) && ReadInt32(is, h);
    if (!ok)
        return false;
    v->m_nWidth = v->m_nSceneWidth = w;
    v->m_nHeight = v->m_nSceneHeight = h;
    return AddView(std::move(v));
}

bool ZBViewGroup::ReadViewRecord(std::istream& is)
{
    std::string name;
    if (!ReadStr(is, name, 511))
        return false;
    return ReadViewRecordFields(is, name);
}

ZBView* ZBViewGroup::GetView(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_views.size())
        return nullptr;
    return m_views[static_cast<size_t>(index)].get();
}

void ZBViewGroup::SetShadeMode(int mode)
{
    m_nShadeMode = mode;
    for (auto& v : m_views)
        v->m_nShadeMode = mode;
}

void ZBViewGroup::SetViewSize(int width, int height, int index)
{
    if (ZBView* v = GetView(index)) {
        v->m_nWidth = width;
        v->m_nHeight = height;
    }
}
