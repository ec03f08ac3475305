#include "ZBTriangleGroup.h"

#include "ZBMaterial.h"
#include "ZBSceneStream.h"
#include "ZBScreenBuffer.h"

#include <cstring>

using namespace ZBSceneStream;

namespace {
struct Vertex {
    ZBVector p, n, t;
};

bool ReadNumber(std::istream& is, bool binary, float& v)
{
    if (binary)
        return ReadFloat(is, v);
    return static_cast<bool>(is >> v);
}

bool ReadNumber(std::istream& is, bool binary, int& v)
{
    if (binary) {
        int32_t x;
        if (!ReadInt32(is, x))
            return false;
        v = x;
        return true;
    }
    return static_cast<bool>(is >> v);
}

bool ReadVertex(std::istream& is, bool binary, bool withTex, Vertex& v)
{
    bool ok = ReadNumber(is, binary, v.p.x) && ReadNumber(is, binary, v.p.y) && ReadNumber(is, binary, v.p.z) &&
              ReadNumber(is, binary, v.n.x) && ReadNumber(is, binary, v.n.y) && ReadNumber(is, binary, v.n.z);
    if (ok && withTex)
        ok = ReadNumber(is, binary, v.t.x) && ReadNumber(is, binary, v.t.y);
    return ok;
}
} // namespace

void ZBTriangleGroup::AddTriangle(const ZBTriangle& t, const ZBMaterialGroup& materials)
{
    const ZBMaterial* m = materials.Get(t.m_nMaterial);
    if (m && m->m_fOpacity < 1.0f)
        m_seeThrough.push_back(t);
    else
        m_drawing.push_back(t);
}

// Reads one entry; false at the end of the entries (ok tells whether they ended well).
bool ZBTriangleGroup::ReadEntry(std::istream& is, const ZBMaterialGroup& materials, bool binary, bool& ok)
{
    char kind = 0;
    if (binary) {
        if (!is.get(kind)) {
            ok = false;
            return false;
        }
        if (kind == '#') {
            std::string keyword;
            ok = ReadStr(is, keyword, kWordLimit);
            return false;
        }
    } else {
        const int c = PeekNonBlank(is);
        if (c == EOF) {
            ok = false;
            return false;
        }
        if (c == '#') {
            is.get();
            char rest[255];
            is.getline(rest, sizeof rest);
            ok = std::strstr(rest, "POLYGON-END") != nullptr;
            return false;
        }
        is >> kind;
    }
    int material = 0, texture = 0, spare = 0;
    if ((kind != 'M' && kind != 'S') || !ReadNumber(is, binary, material) || !ReadNumber(is, binary, texture) ||
        !ReadNumber(is, binary, spare)) {
        ok = false;
        return false;
    }
    auto add = [&](const Vertex& a, const Vertex& b, const Vertex& c) {
        if (a.p == b.p || b.p == c.p || a.p == c.p)
            return;
        ZBTriangle t;
        t.m_nMaterial = material;
        t.m_nTexture = texture;
        t.SetCorners(a.p, b.p, c.p);
        t.m_normals[0] = a.n;
        t.m_normals[1] = b.n;
        t.m_normals[2] = c.n;
        if (texture > 0) {
            t.m_tex[0] = a.t;
            t.m_tex[1] = b.t;
            t.m_tex[2] = c.t;
        }
        AddTriangle(t, materials);
    };
    if (kind == 'S') {
        Vertex v[3];
        for (Vertex& x : v) {
            if (!ReadVertex(is, binary, texture > 0, x)) {
                ok = false;
                return false;
            }
        }
        add(v[0], v[1], v[2]);
        return true;
    }
    int n = 0;
    if (!ReadNumber(is, binary, n) || n < 0) {
        ok = false;
        return false;
    }
    // Grows as vertices arrive, so a count larger than the data allocates nothing extra.
    std::vector<Vertex> vertices;
    for (int i = 0; i < n; ++i) {
        Vertex v;
        if (!ReadVertex(is, binary, texture != 0, v)) {
            ok = false;
            return false;
        }
        vertices.push_back(v);
    }
    int m = 0;
    if (!ReadNumber(is, binary, m)) {
        ok = false;
        return false;
    }
    for (int i = 0; i < m; ++i) {
        int idx[3];
        if (!ReadNumber(is, binary, idx[0]) || !ReadNumber(is, binary, idx[1]) || !ReadNumber(is, binary, idx[2])) {
            ok = false;
            return false;
        }
        // A vertex number outside the list names no corner: the triangle is dropped.
        if (idx[0] < 1 || idx[0] > n || idx[1] < 1 || idx[1] > n || idx[2] < 1 || idx[2] > n)
            continue;
        add(vertices[idx[0] - 1], vertices[idx[1] - 1], vertices[idx[2] - 1]);
    }
    return true;
}

bool ZBTriangleGroup::ReadText(std::istream& is, const ZBMaterialGroup& materials)
{
    Clear();
    if (!is.good() || !FindLine(is, "#POLYGON"))
        return true;
    bool ok = true;
    while (ReadEntry(is, materials, false, ok)) {
    }
    return ok;
}

bool ZBTriangleGroup::ReadBinary(std::istream& is, const ZBMaterialGroup& materials)
{
    Clear();
    bool ok = true;
    while (ReadEntry(is, materials, true, ok)) {
    }
    return ok;
}

void ZBTriangleGroup::Prepare()
{
    m_drawing.insert(m_drawing.end(), m_seeThrough.begin(), m_seeThrough.end());
}

void ZBTriangleGroup::Transform(const ZBMatrix& m)
{
    for (ZBTriangle& t : m_drawing)
        t.Transform(m);
}

void ZBTriangleGroup::ClipNear(float nearZ, ZBScreenBuffer* screen)
{
    if (screen)
        screen->SetDepthBound(nearZ);
    const size_t n = m_drawing.size();
    for (size_t i = 0; i < n; ++i) {
        ZBTriangle& t = m_drawing[i];
        t.m_bVisible = 1;
        int kept[3], count = 0;
        for (int k = 0; k < 3; ++k)
            if (t.m_camera[k].p.z >= nearZ)
                kept[count++] = k;
        if (count == 3)
            continue;
        if (count == 0) {
            t.m_bVisible = 0;
            continue;
        }
        // Pieces are appended, so work on a copy: the list may move.
        ZBTriangle copy = t;
        t.m_bVisible = 0;
        copy.SplitAtNear(nearZ, kept[0], count == 2 ? kept[1] : -1, *this);
    }
    m_cursor = 0;
}

ZBTriangle* ZBTriangleGroup::NextTriangle()
{
    if (m_cursor >= m_drawing.size())
        return nullptr;
    return &m_drawing[m_cursor++];
}

ZBTriangle* ZBTriangleGroup::TriangleAt(int i)
{
    if (i < 0 || static_cast<size_t>(i) >= m_drawing.size())
        return nullptr;
    return &m_drawing[static_cast<size_t>(i)];
}

const ZBTriangle* ZBTriangleGroup::SeeThroughAt(int i) const
{
    if (i < 0 || static_cast<size_t>(i) >= m_seeThrough.size())
        return nullptr;
    return &m_seeThrough[static_cast<size_t>(i)];
}

float ZBTriangleGroup::NearestDepth() const
{
    if (m_drawing.empty())
        return 0.0f;
    float v = m_drawing.front().MaxDepth();
    for (const ZBTriangle& t : m_drawing)
        v = std::min(v, t.MaxDepth());
    return v;
}

float ZBTriangleGroup::FarthestDepth() const
{
    if (m_drawing.empty())
        return 0.0f;
    float v = m_drawing.front().MaxDepth();
    for (const ZBTriangle& t : m_drawing)
        v = std::max(v, t.MaxDepth());
    return v;
}

void ZBTriangleGroup::RemoveClipPieces()
{
    for (size_t i = 0; i < m_drawing.size(); ++i) {
        if (m_drawing[i].m_bClipPiece) {
            m_drawing.resize(i);
            break;
        }
    }
    m_cursor = 0;
}

void ZBTriangleGroup::Clear()
{
    m_drawing.clear();
    m_seeThrough.clear();
    m_cursor = 0;
}
