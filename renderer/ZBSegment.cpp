#include "ZBSegment.h"

#include "ZBSceneStream.h"

#include <cmath>
#include <vector>

using namespace ZBSceneStream;

bool ZBSegment::Set(const ZBVector& a, const ZBVector& b)
{
    m_edge.Set(a, b);
    m_bValid = m_edge.Length() > ZB_EPSILON;
    return m_bValid;
}

ZBSegmentGroup::ZBSegmentGroup() : m_pTriangles(std::make_unique<ZBTriangleGroup>()) {}

void ZBSegmentGroup::Clear()
{
    m_segments.clear();
    m_pTriangles->Clear();
}

const ZBSegment* ZBSegmentGroup::GetSegment(int i) const
{
    auto it = m_segments.find(i);
    return it == m_segments.end() ? nullptr : it->second.get();
}

static bool IsProper(const ZBVector& C, const ZBVector& A, const ZBVector& B)
{
    if (C == A || C == B || A == B)
        return false;
    const ZBVector u = A - C, w = B - C;
    const float len = u.Length() * w.Length();
    if (len < ZB_EPSILON)
        return false;
    const float c = u.Dot(w) / len;
    return 1.0f - std::fabs(c) >= ZB_EPSILON;
}

void ZBSegmentGroup::AddSegment(const ZBVector& A, const ZBVector& B, int material)
{
    auto seg = std::make_unique<ZBSegment>();
    if (!seg->Set(A, B))
        return;
    seg->SetMaterial(material);
    const int key = GetCount();
    m_segments[key] = std::move(seg);

    ZBVector C;
    if (!IsProper(C, A, B)) {
        const ZBVector e = B - A;
        C = e.x >= e.y ? A + ZBVector(0, e.Length(), 0) : A + ZBVector(e.Length(), 0, 0);
        if (!IsProper(C, A, B))
            return;
    }
    const ZBVector u = A - C, w = B - C;
    ZBVector n;
    CrossProduct(u, w, n);
    const ZBVector normal = n;
    if (n.x > 1000000.0f || n.y > 1000000.0f || n.z > 1000000.0f) {
        n.Normalize();
        n = n * (B - A).Length();
    }
    if (std::fabs(n.x) < ZB_EPSILON && std::fabs(n.y) < ZB_EPSILON && std::fabs(n.z) < ZB_EPSILON)
        return;
    const ZBVector D = u + n;
    ZBCorner c0{A, 2, 4}, c1{B, 4, 2}, c2{D, 0, 1};
    ZBTriangle t;
    t.m_nMaterial = material;
    t.m_nTexture = -1;
    t.SetCornersWithMarks(c0, c1, c2);
    t.m_normals[0] = t.m_normals[1] = t.m_normals[2] = normal;
    m_pTriangles->AppendDrawing(t);
}

static bool ReadNum(std::istream& is, bool binary, float& v)
{
    return binary ? ReadFloat(is, v) : ReadTextNumber(is, v);
}

static bool ReadNum(std::istream& is, bool binary, int& v)
{
    if (!binary)
        return ReadTextNumber(is, v);
    int32_t x;
    if (!ReadInt32(is, x))
        return false;
    v = x;
    return true;
}

static bool ReadPoint(std::istream& is, bool binary, ZBVector& p)
{
    return ReadNum(is, binary, p.x) && ReadNum(is, binary, p.y) && ReadNum(is, binary, p.z);
}

static bool ReadPoints(std::istream& is, bool binary, std::vector<ZBVector>& pts)
{
    int n = 0;
    if (binary) {
        if (!ReadNum(is, true, n))
            return false;
    } else {
        unsigned int u = 0;
        if (!(is >> u))
            return false;
        n = u > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(u);
    }
    if (n < 0)
        return false;
    // Grows as points arrive: a count larger than the data allocates nothing extra.
    for (int i = 0; i < n; ++i) {
        ZBVector p;
        if (!ReadPoint(is, binary, p))
            return false;
        pts.push_back(p);
    }
    return true;
}

bool ZBSegmentGroup::ReadEntry(std::istream& is, bool binary)
{
    char kind = 0;
    if (binary ? !is.get(kind) : !(is >> kind))
        return false;
    int material = 0;
    if (!ReadNum(is, binary, material))
        return false;
    if (kind == 'S') {
        ZBVector a, b;
        if (!ReadPoint(is, binary, a) || !ReadPoint(is, binary, b))
            return false;
        AddSegment(a, b, material);
        return true;
    }
    if (kind == 'M') {
        std::vector<ZBVector> pts;
        int s = 0;
        if (!ReadPoints(is, binary, pts) || !ReadNum(is, binary, s))
            return false;
        auto point = [&](int i) { return i >= 0 && static_cast<size_t>(i) < pts.size() ? pts[i] : ZBVector(); };
        if (s >= 0) {
            for (int i = 0; i < s; ++i) {
                int j = 0, k = 0;
                if (!ReadNum(is, binary, j) || !ReadNum(is, binary, k))
                    return false;
                AddSegment(point(j), point(k), material);
            }
        } else if (pts.size() >= 2) {
            for (size_t d = 0; d < pts.size(); d += 2)
                AddSegment(point(static_cast<int>(d)), point(static_cast<int>(d + 1)), material);
        }
        return true;
    }
    if (kind == 'L') {
        std::vector<ZBVector> pts;
        if (!ReadPoints(is, binary, pts))
            return false;
        for (size_t i = 0; i + 1 < pts.size(); ++i)
            AddSegment(pts[i], pts[i + 1], material);
        return true;
    }
    return false;
}

bool ZBSegmentGroup::ReadText(std::istream& is)
{
    Clear();
    if (!is.good() || !FindLine(is, "#WIRE"))
        return false;
    bool ok = true;
    while (ok && is.good()) {
        const int c = PeekNonBlank(is);
        if (c == EOF || c == '#')
            break;
        ok = ReadEntry(is, false);
    }
    return ok;
}

bool ZBSegmentGroup::ReadBinary(std::istream& is)
{
    Clear();
    if (!is.good())
        return false;
    return ReadEntry(is, true);
}
