#include "ZBTriangleGroup.h"

#include "ZBByteStream.h"
#include "ZBFileMapping.h"
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
    uint64_t Position() { return buf.Position(); }
    bool Skip(uint64_t n) { return buf.Skip(n); }
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
    m_bSweep = false;
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
    m_bSweep = false;
}

// A fresh triangle's values in the fields that a triangle's own values leave unset; the rest
// is written by Materialise.
static void ResetUnsetFields(ZBTriangle& t)
{
    std::memset(t.m_colours, 0, sizeof t.m_colours);
    t.m_bClipPiece = 0;
    t.m_fOpacity = 1.0f;
    std::memset(t.m_plane, 0, sizeof t.m_plane);
    for (int k = 0; k < 3; ++k) {
        t.m_camera[k].p = ZBVector();
        t.m_cameraNormals[k] = ZBVector();
    }
}

// As ZBTriangle::Transform does it for corner k, whose camera position is set.
static void CameraNormalOf(const ZBVector& p, const ZBVector& n, const ZBMatrix& m, ZBTriangle& t, int k)
{
    t.m_cameraNormals[k] = TransformPoint(p + n, m) - t.m_camera[k].p;
    t.m_cameraNormals[k].Normalize();
}

void ZBTriangleGroup::CameraNormal(const Record& r, int k, ZBTriangle& t) const
{
    const Vertex& v = m_vertices[r.v[k]];
    CameraNormalOf(v.p, v.n, m_matrix, t, k);
}

void ZBTriangleGroup::MappedVertex(const Run& r, uint32_t local, Vertex& v) const
{
    // Copies of fixed size: a copy of the run's stride would be made byte by byte.
    const char* at = m_map->Data() + r.vertices + static_cast<uint64_t>(r.stride) * local;
    float f[6], uv[2] = {0.0f, 0.0f};
    std::memcpy(f, at, sizeof f);
    if (r.uv)
        std::memcpy(uv, at + sizeof f, sizeof uv);
    v.p = ZBVector(f[0], f[1], f[2]);
    v.n = ZBVector(f[3], f[4], f[5]);
    v.u = uv[0];
    v.v = uv[1];
}

void ZBTriangleGroup::RunCorners(const Run& r, uint32_t pos, uint32_t local[3]) const
{
    if (r.single) {
        local[0] = 0, local[1] = 1, local[2] = 2;
        return;
    }
    int32_t idx[3];
    std::memcpy(idx, m_map->Data() + r.numbers + 12 * static_cast<uint64_t>(pos), 12);
    for (int k = 0; k < 3; ++k)
        local[k] = static_cast<uint32_t>(idx[k] - 1);
}

// As Materialise, for a run's triangle; after ClipNear a triangle with a corner nearer than the
// near plane is not visible (its pieces are drawn instead).
void ZBTriangleGroup::MaterialiseMapped(const Run& r, const uint32_t local[3], ZBTriangle& t, unsigned normalMask) const
{
    const Kind& kind = m_kinds[r.kind];
    ResetUnsetFields(t);
    t.m_nMaterial = kind.material;
    t.m_nTexture = kind.texture;
    bool visible = true;
    for (int k = 0; k < 3; ++k) {
        const uint32_t number = r.firstVertex + local[k];
        if (m_bClipped && !(Depth(number) >= m_fClipNear))
            visible = false;
        Vertex v;
        MappedVertex(r, local[k], v);
        t.m_corners[k].p = v.p;
        t.m_corners[k].a = kind.marksA[k];
        t.m_corners[k].b = kind.marksB[k];
        t.m_normals[k] = v.n;
        t.m_tex[k] = ZBVector(v.u, v.v, 0.0f);
        t.m_camera[k].a = kind.marksA[k];
        t.m_camera[k].b = kind.marksB[k];
        if (number < m_cameraDepths.size()) {
            t.m_camera[k].p = TransformPoint(v.p, m_matrix);
            if (normalMask & (1u << k))
                CameraNormalOf(v.p, v.n, m_matrix, t, k);
        }
    }
    t.m_bVisible = visible ? 1 : 0;
}

void ZBTriangleGroup::Materialise(const Record& r, ZBTriangle& t, unsigned normalMask) const
{
    const Kind& kind = m_kinds[r.kind & ~kHidden];
    ResetUnsetFields(t);
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
            if (normalMask & (1u << k))
                CameraNormal(r, k, t);
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

bool ZBTriangleGroup::AddRun(Run run, uint32_t vertexCount, bool seeThrough)
{
    uint32_t& total = seeThrough ? m_nSeeThroughRunTriangles : m_nRunTriangles;
    const uint32_t kept = run.triangles - run.dropCount;
    // Vertex and triangle numbers as the pool's: 32 bits, a count within int.
    if (vertexCount > UINT32_MAX - m_nMappedVertices ||
        static_cast<uint64_t>(m_nRunTriangles) + m_nSeeThroughRunTriangles + kept > INT32_MAX)
        return false;
    run.firstVertex = m_nMappedVertices;
    run.vertexCount = vertexCount;
    m_nMappedVertices += vertexCount;
    run.firstTriangle = total;
    total += kept;
    (seeThrough ? m_seeThroughRuns : m_runs).push_back(run);
    return true;
}

// As ReadEntry, with the entry's vertices and vertex numbers left in the mapped file: the same
// checks, the same triangles kept, nothing copied.
template <class Source>
bool ZBTriangleGroup::ReadMappedEntry(Source& src, const ZBMaterialGroup& materials, bool& ok)
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
    Run run{};
    run.kind = KindOf(Kind{material, texture, {7, 7, 7}, {7, 7, 7}});
    const char* data = m_map->Data();
    auto position = [&](uint32_t local) {
        float f[3];
        std::memcpy(f, data + run.vertices + static_cast<uint64_t>(run.stride) * local, 12);
        return ZBVector(f[0], f[1], f[2]);
    };
    auto fail = [&] {
        src.Fail();
        ok = false;
        return false;
    };
    if (kind == 'S') {
        run.stride = texture > 0 ? 32 : 24;
        run.uv = texture > 0;
        run.single = true;
        run.triangles = 1;
        run.vertices = src.Position();
        if (!src.Skip(3u * run.stride))
            return fail();
        // Corners that are exactly equal make no triangle.
        const ZBVector pa = position(0), pb = position(1), pc = position(2);
        if (pa == pb || pb == pc || pa == pc)
            return true;
        return AddRun(run, 3, seeThrough) || fail();
    }
    int n = 0;
    if (!src.Num(n) || n < 0) {
        ok = false;
        return false;
    }
    run.stride = texture != 0 ? 32 : 24;
    run.uv = texture > 0;
    run.vertices = src.Position();
    // A count larger than the bytes left cannot be read whole: nothing of it is added.
    if (static_cast<uint64_t>(n) * run.stride > src.Remaining() || !src.Skip(static_cast<uint64_t>(n) * run.stride))
        return fail();
    int m = 0;
    if (!src.Num(m)) {
        ok = false;
        return false;
    }
    if (m <= 0)
        return true;
    // The whole triangles the bytes left hold are kept; a list cut short then fails.
    const uint64_t whole = std::min<uint64_t>(static_cast<uint64_t>(m), src.Remaining() / 12);
    run.numbers = src.Position();
    run.triangles = static_cast<uint32_t>(whole);
    run.firstDrop = static_cast<uint32_t>(m_drops.size());
    for (uint32_t pos = 0; pos < run.triangles; ++pos) {
        int32_t idx[3];
        std::memcpy(idx, data + run.numbers + 12 * static_cast<uint64_t>(pos), 12);
        // A vertex number outside the list names no corner; equal corners make no triangle.
        if (idx[0] < 1 || idx[0] > n || idx[1] < 1 || idx[1] > n || idx[2] < 1 || idx[2] > n) {
            m_drops.push_back(pos);
            continue;
        }
        const ZBVector pa = position(static_cast<uint32_t>(idx[0] - 1)), pb = position(static_cast<uint32_t>(idx[1] - 1)),
                       pc = position(static_cast<uint32_t>(idx[2] - 1));
        if (pa == pb || pb == pc || pa == pc)
            m_drops.push_back(pos);
    }
    run.dropCount = static_cast<uint32_t>(m_drops.size()) - run.firstDrop;
    if (run.dropCount == run.triangles)
        m_drops.resize(run.firstDrop);
    else if (!AddRun(run, static_cast<uint32_t>(n), seeThrough))
        return fail();
    src.Skip(12 * whole);
    if (whole < static_cast<uint64_t>(m))
        return fail();
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
        if ((m_map = block->Mapping())) {
            while (ReadMappedEntry(src, materials, ok)) {
            }
        } else {
            while (ReadEntry(src, materials, ok)) {
            }
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
    for (Run run : m_seeThroughRuns) {
        run.firstTriangle = m_nRunTriangles;
        m_nRunTriangles += run.triangles - run.dropCount;
        m_runs.push_back(run);
    }
    m_bSeeThroughMerged = true;
    m_bSweep = false;
}

template <class F>
void ZBTriangleGroup::ForEachRunTriangle(const std::vector<Run>& runs, F f) const
{
    for (const Run& r : runs) {
        uint32_t drop = 0;
        for (uint32_t pos = 0; pos < r.triangles; ++pos) {
            if (drop < r.dropCount && m_drops[r.firstDrop + drop] == pos) {
                ++drop;
                continue;
            }
            uint32_t local[3];
            RunCorners(r, pos, local);
            f(r, local);
        }
    }
}

void ZBTriangleGroup::Transform(const ZBMatrix& m)
{
    // Each vertex once, by the operations ZBTriangle::Transform does for each corner.
    m_matrix = m;
    m_bSweep = false;
    m_cameraDepths.resize(m_vertices.size() + m_nMappedVertices);
    for (size_t i = 0; i < m_vertices.size(); ++i)
        m_cameraDepths[i] = TransformPoint(m_vertices[i].p, m).z;
    for (const std::vector<Run>* runs : {&m_runs, &m_seeThroughRuns}) {
        if (runs == &m_seeThroughRuns && m_bSeeThroughMerged)
            break;
        for (const Run& r : *runs) {
            for (uint32_t k = 0; k < r.vertexCount; ++k) {
                float p[3];
                std::memcpy(p, m_map->Data() + r.vertices + static_cast<uint64_t>(r.stride) * k, 12);
                m_cameraDepths[r.firstVertex + k] = TransformPoint(ZBVector(p[0], p[1], p[2]), m).z;
            }
        }
    }
    for (ZBTriangle& t : m_pieces)
        t.Transform(m);
}

void ZBTriangleGroup::ClipNear(float nearZ, ZBScreenBuffer* screen)
{
    if (screen)
        screen->SetDepthBound(nearZ);
    m_sweep = DepthRange();
    auto take = [&](float d) { m_sweep.Take(d); };
    const size_t n = m_drawing.size();
    for (size_t i = 0; i < n; ++i) {
        Record& r = m_drawing[i];
        take(RecordMaxDepth(r));
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
    m_bClipped = false;
    ForEachRunTriangle(m_runs, [&](const Run& r, const uint32_t local[3]) {
        int kept[3], count = 0;
        float z[3];
        for (int k = 0; k < 3; ++k)
            if ((z[k] = Depth(r.firstVertex + local[k])) >= nearZ)
                kept[count++] = k;
        take(std::max(z[0], std::max(z[1], z[2])));
        if (count == 3 || count == 0)
            return;
        ZBTriangle copy;
        MaterialiseMapped(r, local, copy, 7);
        copy.SplitAtNear(nearZ, kept[0], count == 2 ? kept[1] : -1, *this);
    });
    m_bClipped = true;
    m_fClipNear = nearZ;
    m_bSweep = true;
    m_cursor = 0;
    m_runCursor = 0, m_posCursor = 0, m_dropCursor = 0;
}

// Moves the run cursor onto the next kept triangle; false past the last run.
bool ZBTriangleGroup::SettleCursor()
{
    while (m_runCursor < m_runs.size()) {
        const Run& r = m_runs[m_runCursor];
        if (m_posCursor >= r.triangles) {
            ++m_runCursor;
            m_posCursor = m_dropCursor = 0;
        } else if (m_dropCursor < r.dropCount && m_drops[r.firstDrop + m_dropCursor] == m_posCursor) {
            ++m_posCursor;
            ++m_dropCursor;
        } else {
            return true;
        }
    }
    return false;
}

ZBTriangle* ZBTriangleGroup::NextTriangle()
{
    return NextTriangle(7u);
}

ZBTriangle* ZBTriangleGroup::NextTriangle(unsigned normalMask)
{
    m_pLastRecord = nullptr;
    m_pLastRun = nullptr;
    if (m_cursor >= static_cast<size_t>(GetCount()))
        return nullptr;
    if (m_cursor < m_drawing.size()) {
        m_pLastRecord = &m_drawing[m_cursor++];
        Materialise(*m_pLastRecord, m_current, normalMask);
        return &m_current;
    }
    if (m_cursor < m_drawing.size() + m_nRunTriangles && SettleCursor()) {
        m_pLastRun = &m_runs[m_runCursor];
        RunCorners(*m_pLastRun, m_posCursor++, m_lastLocal);
        ++m_cursor;
        MaterialiseMapped(*m_pLastRun, m_lastLocal, m_current, normalMask);
        return &m_current;
    }
    return TriangleAt(static_cast<int>(m_cursor++));
}

bool ZBTriangleGroup::NextCornerVertices(uint32_t out[3])
{
    if (m_cursor < m_drawing.size()) {
        for (int k = 0; k < 3; ++k)
            out[k] = m_drawing[m_cursor].v[k];
        return true;
    }
    if (m_cursor < m_drawing.size() + m_nRunTriangles && SettleCursor()) {
        const Run& r = m_runs[m_runCursor];
        uint32_t local[3];
        RunCorners(r, m_posCursor, local);
        for (int k = 0; k < 3; ++k)
            out[k] = r.firstVertex + local[k];
        return true;
    }
    return false;
}

void ZBTriangleGroup::AddCameraNormals(unsigned mask, ZBTriangle& t) const
{
    for (int k = 0; k < 3; ++k) {
        if (!(mask & (1u << k)))
            continue;
        if (m_pLastRecord && m_pLastRecord->v[k] < m_cameraDepths.size()) {
            CameraNormal(*m_pLastRecord, k, t);
        } else if (m_pLastRun && m_pLastRun->firstVertex + m_lastLocal[k] < m_cameraDepths.size()) {
            Vertex v;
            MappedVertex(*m_pLastRun, m_lastLocal[k], v);
            CameraNormalOf(v.p, v.n, m_matrix, t, k);
        }
    }
}

// The run holding kept triangle q of runs, and its position in the run's list.
const ZBTriangleGroup::Run* ZBTriangleGroup::FindRun(const std::vector<Run>& runs, uint32_t q, uint32_t& pos) const
{
    auto it = std::upper_bound(runs.begin(), runs.end(), q, [](uint32_t x, const Run& r) { return x < r.firstTriangle; });
    if (it == runs.begin())
        return nullptr;
    const Run& r = *(it - 1);
    pos = q - r.firstTriangle;
    for (uint32_t d = 0; d < r.dropCount && m_drops[r.firstDrop + d] <= pos; ++d)
        ++pos;
    return pos < r.triangles ? &r : nullptr;
}

ZBTriangle* ZBTriangleGroup::TriangleAt(int i)
{
    if (i < 0 || i >= GetCount())
        return nullptr;
    const size_t k = static_cast<size_t>(i);
    if (k < m_drawing.size()) {
        Materialise(m_drawing[k], m_current);
        return &m_current;
    }
    if (k < m_drawing.size() + m_nRunTriangles) {
        uint32_t pos = 0, local[3];
        const Run* r = FindRun(m_runs, static_cast<uint32_t>(k - m_drawing.size()), pos);
        if (!r)
            return nullptr;
        RunCorners(*r, pos, local);
        MaterialiseMapped(*r, local, m_current, 7);
        return &m_current;
    }
    return &m_pieces[k - m_drawing.size() - m_nRunTriangles];
}

const ZBTriangle* ZBTriangleGroup::SeeThroughAt(int i) const
{
    if (i < 0 || i >= GetSeeThroughCount())
        return nullptr;
    const size_t k = static_cast<size_t>(i);
    if (k < m_seeThrough.size()) {
        Materialise(m_seeThrough[k], m_seeThroughCurrent);
        return &m_seeThroughCurrent;
    }
    uint32_t pos = 0, local[3];
    const Run* r = FindRun(m_seeThroughRuns, static_cast<uint32_t>(k - m_seeThrough.size()), pos);
    if (!r)
        return nullptr;
    RunCorners(*r, pos, local);
    MaterialiseMapped(*r, local, m_seeThroughCurrent, 7);
    return &m_seeThroughCurrent;
}

float ZBTriangleGroup::RecordMaxDepth(const Record& r) const
{
    float z[3];
    for (int k = 0; k < 3; ++k)
        z[k] = r.v[k] < m_cameraDepths.size() ? m_cameraDepths[r.v[k]] : 0.0f;
    return std::max(z[0], std::max(z[1], z[2]));
}

// The greatest corner depths of the drawing list in drawing order, then of the clipping pieces;
// the list's part as ClipNear took it when it is still valid.
ZBTriangleGroup::DepthRange ZBTriangleGroup::SweepDepths() const
{
    DepthRange range;
    if (GetCount() == 0)
        return range;
    if (m_bSweep) {
        range = m_sweep;
    } else {
        for (const Record& r : m_drawing)
            range.Take(RecordMaxDepth(r));
        ForEachRunTriangle(m_runs, [&](const Run& r, const uint32_t local[3]) {
            range.Take(std::max(Depth(r.firstVertex + local[0]),
                                std::max(Depth(r.firstVertex + local[1]), Depth(r.firstVertex + local[2]))));
        });
    }
    for (const ZBTriangle& t : m_pieces)
        range.Take(t.MaxDepth());
    return range;
}

float ZBTriangleGroup::NearestDepth() const
{
    return SweepDepths().nearest;
}

float ZBTriangleGroup::FarthestDepth() const
{
    return SweepDepths().farthest;
}

void ZBTriangleGroup::RemoveClipPieces()
{
    m_pieces.clear();
    m_cursor = 0;
    m_runCursor = 0, m_posCursor = 0, m_dropCursor = 0;
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
    m_map.reset();
    std::vector<Run>().swap(m_runs);
    std::vector<Run>().swap(m_seeThroughRuns);
    std::vector<uint32_t>().swap(m_drops);
    m_nRunTriangles = m_nSeeThroughRunTriangles = m_nMappedVertices = 0;
    m_bSeeThroughMerged = m_bClipped = m_bSweep = false;
    m_runCursor = 0, m_posCursor = 0, m_dropCursor = 0;
    m_pLastRecord = nullptr;
    m_pLastRun = nullptr;
}
