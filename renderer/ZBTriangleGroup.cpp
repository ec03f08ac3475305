#include "ZBTriangleGroup.h"

#include "ZBByteStream.h"
#include "ZBMaterial.h"
#include "ZBSceneStream.h"
#include "ZBScreenBuffer.h"

#include <algorithm>
#include <bit>
#include <cstring>

using namespace ZBSceneStream;

namespace {
struct ReadVertexValues {
    ZBVector p, n;
    float u = 0, v = 0;
};

// Where entries come from: text (formatted numbers), a binary stream, or a container's block.
struct TextSource {
    std::istream& is;
    static constexpr bool kBounded = false;
    static constexpr bool kBulk = false;
    bool Bytes(void*, size_t) { return false; }
    bool Num(float& v) { return ReadTextNumber(is, v); }
    bool Num(int& v) { return ReadTextNumber(is, v); }
    uint64_t Remaining() { return UINT64_MAX; }
    void Fail() {}
    // The entry's letter; false at the end of the entries.
    bool Begin(char& kind, bool& ok)
    {
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
        return true;
    }
};

struct StreamSource {
    std::istream& is;
    static constexpr bool kBounded = true;
    static constexpr bool kBulk = false;
    bool Bytes(void*, size_t) { return false; }
    bool Num(float& v) { return ReadFloat(is, v); }
    bool Num(int& v)
    {
        int32_t x;
        if (!ReadInt32(is, x))
            return false;
        v = x;
        return true;
    }
    uint64_t Remaining() { return ZBSceneStream::Remaining(is); }
    void Fail() { is.setstate(std::ios::failbit); }
    bool Begin(char& kind, bool& ok)
    {
        if (!is.get(kind)) {
            ok = false;
            return false;
        }
        if (kind == '#') {
            std::string keyword;
            ok = ReadStr(is, keyword, kWordLimit);
            return false;
        }
        return true;
    }
};

struct BlockSource {
    ZBFileReadBuf& buf;
    bool failed = false;
    static constexpr bool kBounded = true;
    // Runs of values copied straight out of the reading window.
    static constexpr bool kBulk = true;
    bool Bytes(void* out, size_t n)
    {
        if (!buf.ReadBytes(out, n))
            failed = true;
        return !failed;
    }
    bool Num(int32_t& v)
    {
        unsigned char b[4];
        if (!buf.Read4(b)) {
            failed = true;
            return false;
        }
        v = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                 static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
        return true;
    }
    bool Num(float& v)
    {
        int32_t bits;
        if (!Num(bits))
            return false;
        std::memcpy(&v, &bits, 4);
        return true;
    }
    uint64_t Remaining() { return buf.Remaining(); }
    void Fail() { failed = true; }
    bool Begin(char& kind, bool& ok)
    {
        if (!buf.ReadByte(kind)) {
            failed = true;
            ok = false;
            return false;
        }
        if (kind == '#') {
            // The closing keyword, as ReadStr takes it: a length within limits and the bytes left.
            int32_t len = 0;
            ok = Num(len) && len >= 0 && static_cast<uint64_t>(len) <= kWordLimit && buf.Skip(static_cast<uint64_t>(len));
            if (!ok)
                failed = true;
            return false;
        }
        return true;
    }
};

template <class Source>
bool ReadVertex(Source& src, bool withTex, ReadVertexValues& v)
{
    bool ok = src.Num(v.p.x) && src.Num(v.p.y) && src.Num(v.p.z) && src.Num(v.n.x) && src.Num(v.n.y) && src.Num(v.n.z);
    if (ok && withTex)
        ok = src.Num(v.u) && src.Num(v.v);
    return ok;
}

bool IsSeeThrough(const ZBMaterialGroup& materials, int material)
{
    const ZBMaterial* m = materials.Get(material);
    return m && m->m_fOpacity < 1.0f;
}
} // namespace

void ZBTriangleGroup::AddRecord(const Record& r, bool seeThrough)
{
    (seeThrough ? m_seeThrough : m_drawing).push_back(r);
}

uint32_t ZBTriangleGroup::KindOf(const Kind& k)
{
    if (m_kinds.empty() || !(m_kinds.back() == k))
        m_kinds.push_back(k);
    return static_cast<uint32_t>(m_kinds.size() - 1);
}

// The edge marks of the corners of t.
static void NoteCorners(const ZBTriangle& t, uint8_t marksA[3], uint8_t marksB[3])
{
    for (int k = 0; k < 3; ++k) {
        marksA[k] = static_cast<uint8_t>(t.m_corners[k].a & 7);
        marksB[k] = static_cast<uint8_t>(t.m_corners[k].b & 7);
    }
}

void ZBTriangleGroup::AddTriangle(const ZBTriangle& t, const ZBMaterialGroup& materials)
{
    Kind kind{t.m_nMaterial, t.m_nTexture, {}, {}};
    NoteCorners(t, kind.marksA, kind.marksB);
    Record r{};
    r.kind = KindOf(kind) | (t.m_bVisible ? 0 : kHidden);
    for (int k = 0; k < 3; ++k) {
        r.v[k] = static_cast<uint32_t>(m_vertices.size());
        m_vertices.push_back(Vertex{t.m_corners[k].p, t.m_normals[k], t.m_tex[k].x, t.m_tex[k].y});
    }
    AddRecord(r, IsSeeThrough(materials, t.m_nMaterial));
}

void ZBTriangleGroup::AppendDrawing(const ZBTriangle& t)
{
    if (t.m_bClipPiece) {
        m_pieces.push_back(t);
        return;
    }
    Kind kind{t.m_nMaterial, t.m_nTexture, {}, {}};
    NoteCorners(t, kind.marksA, kind.marksB);
    Record r{};
    r.kind = KindOf(kind) | (t.m_bVisible ? 0 : kHidden);
    for (int k = 0; k < 3; ++k) {
        r.v[k] = static_cast<uint32_t>(m_vertices.size());
        m_vertices.push_back(Vertex{t.m_corners[k].p, t.m_normals[k], t.m_tex[k].x, t.m_tex[k].y});
    }
    m_drawing.push_back(r);
}

void ZBTriangleGroup::Materialise(const Record& r, ZBTriangle& t) const
{
    const Kind& kind = m_kinds[r.kind & ~kHidden];
    t = ZBTriangle();
    t.m_nMaterial = kind.material;
    t.m_nTexture = kind.texture;
    t.m_bVisible = (r.kind & kHidden) ? 0 : 1;
    for (int k = 0; k < 3; ++k) {
        const Vertex& v = m_vertices[r.v[k]];
        t.m_corners[k].p = v.p;
        t.m_corners[k].a = kind.marksA[k];
        t.m_corners[k].b = kind.marksB[k];
        t.m_normals[k] = v.n;
        t.m_tex[k] = ZBVector(v.u, v.v, 0.0f);
        t.m_camera[k].a = kind.marksA[k];
        t.m_camera[k].b = kind.marksB[k];
        if (r.v[k] < m_cameraDepths.size()) {
            // As ZBTriangle::Transform does it.
            t.m_camera[k].p = TransformPoint(v.p, m_matrix);
            t.m_cameraNormals[k] = TransformPoint(v.p + v.n, m_matrix) - t.m_camera[k].p;
            t.m_cameraNormals[k].Normalize();
        }
    }
}

// Reads one entry; false at the end of the entries (ok tells whether they ended well).
template <class Source>
bool ZBTriangleGroup::ReadEntry(Source& src, const ZBMaterialGroup& materials, bool& ok)
{
    char kind = 0;
    if (!src.Begin(kind, ok))
        return false;
    int material = 0, texture = 0, spare = 0;
    if ((kind != 'M' && kind != 'S') || !src.Num(material) || !src.Num(texture) || !src.Num(spare)) {
        ok = false;
        return false;
    }
    const bool seeThrough = IsSeeThrough(materials, material);
    Record r{};
    r.kind = KindOf(Kind{material, texture, {7, 7, 7}, {7, 7, 7}});
    // Corners that are exactly equal make no triangle.
    auto add = [&](uint32_t a, uint32_t b, uint32_t c) {
        const ZBVector &pa = m_vertices[a].p, &pb = m_vertices[b].p, &pc = m_vertices[c].p;
        if (pa == pb || pb == pc || pa == pc)
            return;
        r.v[0] = a;
        r.v[1] = b;
        r.v[2] = c;
        AddRecord(r, seeThrough);
    };
    // Texture coordinates belong to triangles with a texture number above 0 only.
    auto pool = [&](const ReadVertexValues& x) {
        m_vertices.push_back(Vertex{x.p, x.n, texture > 0 ? x.u : 0.0f, texture > 0 ? x.v : 0.0f});
    };
    const size_t base = m_vertices.size();
    if (kind == 'S') {
        ReadVertexValues v[3];
        for (ReadVertexValues& x : v) {
            if (!ReadVertex(src, texture > 0, x)) {
                ok = false;
                return false;
            }
        }
        for (const ReadVertexValues& x : v)
            pool(x);
        add(static_cast<uint32_t>(base), static_cast<uint32_t>(base + 1), static_cast<uint32_t>(base + 2));
        return true;
    }
    int n = 0;
    if (!src.Num(n) || n < 0) {
        ok = false;
        return false;
    }
    const bool withTex = texture != 0;
    if (Source::kBounded) {
        // A count larger than the bytes left cannot be read whole: nothing of it is added.
        const uint64_t vertexBytes = withTex ? 32 : 24;
        if (static_cast<uint64_t>(n) * vertexBytes > src.Remaining()) {
            src.Fail();
            ok = false;
            return false;
        }
        m_vertices.reserve(base + static_cast<size_t>(n));
    }
    if constexpr (Source::kBulk) {
        static_assert(std::endian::native == std::endian::little, "container values are little-endian");
        // A thousand vertices at a time: the same bits as value by value, without a check per value.
        constexpr int kChunk = 1024;
        const int per = withTex ? 8 : 6;
        float values[kChunk * 8];
        for (int i = 0; i < n;) {
            const int k = std::min(kChunk, n - i);
            if (!src.Bytes(values, sizeof(float) * static_cast<size_t>(per * k))) {
                m_vertices.resize(base);
                ok = false;
                return false;
            }
            for (int j = 0; j < k; ++j) {
                const float* f = values + j * per;
                ReadVertexValues v;
                v.p = ZBVector(f[0], f[1], f[2]);
                v.n = ZBVector(f[3], f[4], f[5]);
                if (withTex) {
                    v.u = f[6];
                    v.v = f[7];
                }
                pool(v);
            }
            i += k;
        }
    } else {
        for (int i = 0; i < n; ++i) {
            ReadVertexValues v;
            if (!ReadVertex(src, withTex, v)) {
                // A mesh whose vertex list is cut short adds no triangle.
                m_vertices.resize(base);
                ok = false;
                return false;
            }
            pool(v);
        }
    }
    int m = 0;
    if (!src.Num(m)) {
        ok = false;
        return false;
    }
    if (Source::kBounded && m > 0) {
        // Room for the triangles the bytes left can hold, growing at least geometrically.
        std::vector<Record>& list = seeThrough ? m_seeThrough : m_drawing;
        const size_t wanted = list.size() + static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(m), src.Remaining() / 12));
        if (wanted > list.capacity())
            list.reserve(std::max(wanted, list.capacity() + list.capacity() / 2));
    }
    // A vertex number outside the list names no corner: the triangle is dropped.
    auto addNumbered = [&](const int32_t* idx) {
        if (idx[0] < 1 || idx[0] > n || idx[1] < 1 || idx[1] > n || idx[2] < 1 || idx[2] > n)
            return;
        add(static_cast<uint32_t>(base + idx[0] - 1), static_cast<uint32_t>(base + idx[1] - 1),
            static_cast<uint32_t>(base + idx[2] - 1));
    };
    if constexpr (Source::kBulk) {
        // The whole triangles the bytes left hold are added; a list cut short then fails.
        constexpr int kChunk = 1024;
        int32_t idx[kChunk * 3];
        for (int i = 0; i < m;) {
            const int k = static_cast<int>(std::min<uint64_t>(static_cast<uint64_t>(std::min(kChunk, m - i)), src.Remaining() / 12));
            if (k == 0 || !src.Bytes(idx, static_cast<size_t>(12 * k))) {
                src.Fail();
                ok = false;
                return false;
            }
            for (int j = 0; j < k; ++j)
                addNumbered(idx + 3 * j);
            i += k;
        }
        return true;
    }
    for (int i = 0; i < m; ++i) {
        int idx[3];
        if (!src.Num(idx[0]) || !src.Num(idx[1]) || !src.Num(idx[2])) {
            ok = false;
            return false;
        }
        const int32_t numbers[3] = {idx[0], idx[1], idx[2]};
        addNumbered(numbers);
    }
    return true;
}

bool ZBTriangleGroup::ReadText(std::istream& is, const ZBMaterialGroup& materials)
{
    Clear();
    if (!is.good() || !FindLine(is, "#POLYGON"))
        return true;
    bool ok = true;
    TextSource src{is};
    while (ReadEntry(src, materials, ok)) {
    }
    return ok;
}

bool ZBTriangleGroup::ReadBinary(std::istream& is, const ZBMaterialGroup& materials)
{
    Clear();
    bool ok = true;
    // A container file is read straight from its reading window; the stream then continues after it.
    if (auto* block = dynamic_cast<ZBFileReadBuf*>(is.rdbuf()); block && is.good()) {
        BlockSource src{*block};
        while (ReadEntry(src, materials, ok)) {
        }
        if (src.failed)
            is.setstate(std::ios::failbit | std::ios::eofbit);
        return ok;
    }
    StreamSource src{is};
    while (ReadEntry(src, materials, ok)) {
    }
    return ok;
}

void ZBTriangleGroup::Prepare()
{
    m_drawing.insert(m_drawing.end(), m_seeThrough.begin(), m_seeThrough.end());
}

void ZBTriangleGroup::Transform(const ZBMatrix& m)
{
    // Each vertex once, by the operations ZBTriangle::Transform does for each corner.
    m_matrix = m;
    m_cameraDepths.resize(m_vertices.size());
    for (size_t i = 0; i < m_vertices.size(); ++i)
        m_cameraDepths[i] = TransformPoint(m_vertices[i].p, m).z;
    for (ZBTriangle& t : m_pieces)
        t.Transform(m);
}

void ZBTriangleGroup::ClipNear(float nearZ, ZBScreenBuffer* screen)
{
    if (screen)
        screen->SetDepthBound(nearZ);
    const size_t n = m_drawing.size();
    for (size_t i = 0; i < n; ++i) {
        Record& r = m_drawing[i];
        r.kind &= ~kHidden;
        int kept[3], count = 0;
        for (int k = 0; k < 3; ++k)
            if ((r.v[k] < m_cameraDepths.size() ? m_cameraDepths[r.v[k]] : 0.0f) >= nearZ)
                kept[count++] = k;
        if (count == 3)
            continue;
        if (count == 0) {
            r.kind |= kHidden;
            continue;
        }
        ZBTriangle copy;
        Materialise(r, copy);
        r.kind |= kHidden;
        copy.SplitAtNear(nearZ, kept[0], count == 2 ? kept[1] : -1, *this);
    }
    m_cursor = 0;
}

ZBTriangle* ZBTriangleGroup::NextTriangle()
{
    if (m_cursor >= static_cast<size_t>(GetCount()))
        return nullptr;
    return TriangleAt(static_cast<int>(m_cursor++));
}

ZBTriangle* ZBTriangleGroup::TriangleAt(int i)
{
    if (i < 0 || i >= GetCount())
        return nullptr;
    const size_t k = static_cast<size_t>(i);
    if (k >= m_drawing.size())
        return &m_pieces[k - m_drawing.size()];
    Materialise(m_drawing[k], m_current);
    return &m_current;
}

const ZBTriangle* ZBTriangleGroup::SeeThroughAt(int i) const
{
    if (i < 0 || static_cast<size_t>(i) >= m_seeThrough.size())
        return nullptr;
    Materialise(m_seeThrough[static_cast<size_t>(i)], m_seeThroughCurrent);
    return &m_seeThroughCurrent;
}

bool ZBTriangleGroup::CornerVertices(int i, uint32_t out[3]) const
{
    if (i < 0 || static_cast<size_t>(i) >= m_drawing.size())
        return false;
    for (int k = 0; k < 3; ++k)
        out[k] = m_drawing[static_cast<size_t>(i)].v[k];
    return true;
}

float ZBTriangleGroup::RecordMaxDepth(const Record& r) const
{
    float z[3];
    for (int k = 0; k < 3; ++k)
        z[k] = r.v[k] < m_cameraDepths.size() ? m_cameraDepths[r.v[k]] : 0.0f;
    return std::max(z[0], std::max(z[1], z[2]));
}

float ZBTriangleGroup::NearestDepth() const
{
    if (GetCount() == 0)
        return 0.0f;
    float v = m_drawing.empty() ? m_pieces.front().MaxDepth() : RecordMaxDepth(m_drawing.front());
    for (const Record& r : m_drawing)
        v = std::min(v, RecordMaxDepth(r));
    for (const ZBTriangle& t : m_pieces)
        v = std::min(v, t.MaxDepth());
    return v;
}

float ZBTriangleGroup::FarthestDepth() const
{
    if (GetCount() == 0)
        return 0.0f;
    float v = m_drawing.empty() ? m_pieces.front().MaxDepth() : RecordMaxDepth(m_drawing.front());
    for (const Record& r : m_drawing)
        v = std::max(v, RecordMaxDepth(r));
    for (const ZBTriangle& t : m_pieces)
        v = std::max(v, t.MaxDepth());
    return v;
}

void ZBTriangleGroup::RemoveClipPieces()
{
    m_pieces.clear();
    m_cursor = 0;
}

void ZBTriangleGroup::Clear()
{
    // The memory goes back too: a scene of a million triangles leaves nothing behind.
    std::vector<Vertex>().swap(m_vertices);
    std::vector<Kind>().swap(m_kinds);
    std::vector<float>().swap(m_cameraDepths);
    std::vector<Record>().swap(m_drawing);
    std::vector<ZBTriangle>().swap(m_pieces);
    std::vector<Record>().swap(m_seeThrough);
    m_cursor = 0;
}
