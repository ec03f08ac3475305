#pragma once

#include "ZBTriangle.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <vector>

class ZBFileMapping;
class ZBMaterialGroup;
class ZBScreenBuffer;

// The triangles of one scene: a drawing list and a see-through list.
// Triangles are kept small: their corners index a pool of vertices (a mesh's vertices are shared),
// the camera-space vertices are computed once per vertex, and a full ZBTriangle is made only
// for the triangle asked for. Near-clipping pieces are full triangles after the drawing list.
class ZBTriangleGroup {
public:
    ZBTriangleGroup() = default;
    virtual ~ZBTriangleGroup() = default;

    bool ReadText(std::istream& is, const ZBMaterialGroup& materials);
    bool ReadBinary(std::istream& is, const ZBMaterialGroup& materials);
    void AddTriangle(const ZBTriangle& t, const ZBMaterialGroup& materials);
    void AppendDrawing(const ZBTriangle& t);
    void Prepare();
    void Transform(const ZBMatrix& m);
    void ClipNear(float nearZ, ZBScreenBuffer* screen);
    int GetCount() const { return static_cast<int>(m_drawing.size() + m_nRunTriangles + m_pieces.size()); }
    int GetSeeThroughCount() const { return static_cast<int>(m_seeThrough.size() + m_nSeeThroughRunTriangles); }
    // The triangle returned stays valid until the next call of the same kind on this group.
    ZBTriangle* NextTriangle();
    // As NextTriangle, with the camera-space normals of the corners in mask only (bit k: corner k;
    // the others are left at zero): a corner whose lit colour is known needs none. Clipping pieces
    // come whole.
    ZBTriangle* NextTriangle(unsigned normalMask);
    // The camera-space normals of the corners in mask, for the triangle NextTriangle gave last.
    void AddCameraNormals(unsigned mask, ZBTriangle& t) const;
    ZBTriangle* TriangleAt(int i);
    const ZBTriangle* SeeThroughAt(int i) const;
    float NearestDepth() const;
    float FarthestDepth() const;
    void RemoveClipPieces();
    void Clear();
    // Numbers of the corners of the triangle NextTriangle gives next (a vertex shared by a mesh's
    // triangles has one number); false for a clipping piece, whose corners are its own.
    bool NextCornerVertices(uint32_t out[3]);
    size_t GetVertexCount() const { return m_vertices.size() + m_nMappedVertices; }

private:
    struct Vertex {
        ZBVector p, n;
        float u, v;
    };
    // What the triangles of one scene entry share.
    struct Kind {
        int32_t material;
        int32_t texture;
        uint8_t marksA[3];
        uint8_t marksB[3];
        bool operator==(const Kind&) const = default;
    };
    static constexpr uint32_t kHidden = 0x80000000u;  // in Record::kind: not visible
    struct Record {
        uint32_t v[3];
        uint32_t kind;  // index into m_kinds, with kHidden
    };
    static_assert(sizeof(Record) == 16, "a triangle takes 16 bytes");

    // An entry of a mapped container: its vertices and vertex-number triples stay in the file.
    // A group read from a mapped container holds no other triangles.
    struct Run {
        uint64_t vertices;       // file offset of its first vertex
        uint64_t numbers;        // file offset of its first vertex-number triple (a mesh)
        uint32_t firstVertex;    // number of its first vertex among the group's
        uint32_t vertexCount;
        uint32_t triangles;      // triangles in its list, kept or not
        uint32_t firstDrop;      // into m_drops: positions in its list that make no triangle
        uint32_t dropCount;
        uint32_t firstTriangle;  // kept triangles before it in its list of runs
        uint32_t kind;           // index into m_kinds
        uint8_t stride;          // bytes a vertex: 24, or 32 with texture coordinates
        bool uv;                 // texture coordinates used (texture number above 0)
        bool single;             // an 'S' entry: corners 0, 1, 2
    };

    // Smallest and largest of a run of depths, both seeded with the first, taken in order.
    struct DepthRange {
        bool any = false;
        float nearest = 0.0f, farthest = 0.0f;
        void Take(float d)
        {
            if (!any)
                nearest = farthest = d, any = true;
            nearest = d < nearest ? d : nearest;
            farthest = farthest < d ? d : farthest;
        }
    };
    DepthRange SweepDepths() const;
    uint32_t KindOf(const Kind& k);
    template <class Source>
    bool ReadMappedEntry(Source& src, const ZBMaterialGroup& materials, bool& ok);
    bool AddRun(Run run, uint32_t vertexCount, bool seeThrough);
    void RunCorners(const Run& r, uint32_t pos, uint32_t local[3]) const;
    void MappedVertex(const Run& r, uint32_t local, Vertex& v) const;
    void MaterialiseMapped(const Run& r, const uint32_t local[3], ZBTriangle& t, unsigned normalMask) const;
    float Depth(uint32_t vertex) const { return vertex < m_cameraDepths.size() ? m_cameraDepths[vertex] : 0.0f; }
    const Run* FindRun(const std::vector<Run>& runs, uint32_t q, uint32_t& pos) const;
    template <class F>
    void ForEachRunTriangle(const std::vector<Run>& runs, F f) const;
    bool SettleCursor();
    template <class Source>
    bool ReadEntry(Source& src, const ZBMaterialGroup& materials, bool& ok);
    void AddRecord(const Record& r, bool seeThrough);
    void Materialise(const Record& r, ZBTriangle& out, unsigned normalMask = 7) const;
    void CameraNormal(const Record& r, int k, ZBTriangle& t) const;
    float RecordMaxDepth(const Record& r) const;

    std::vector<Vertex> m_vertices;
    std::vector<Kind> m_kinds;
    // After Transform: the matrix, and each vertex's camera depth for the clipping and depth
    // sweeps; the rest of camera space is worked out again for the triangle asked for (the same
    // operations give the same values), which touches far less memory than keeping it.
    ZBMatrix m_matrix;
    std::vector<float> m_cameraDepths;
    std::vector<Record> m_drawing;
    std::vector<ZBTriangle> m_pieces;
    size_t m_cursor = 0;
    std::vector<Record> m_seeThrough;
    ZBTriangle m_current;
    mutable ZBTriangle m_seeThroughCurrent;

    std::shared_ptr<const ZBFileMapping> m_map;
    std::vector<Run> m_runs;  // the drawing list
    std::vector<Run> m_seeThroughRuns;
    std::vector<uint32_t> m_drops;
    uint32_t m_nRunTriangles = 0;
    uint32_t m_nSeeThroughRunTriangles = 0;
    uint32_t m_nMappedVertices = 0;
    bool m_bSeeThroughMerged = false;
    // After ClipNear: a run's triangle with a corner nearer than this is not visible.
    bool m_bClipped = false;
    float m_fClipNear = 0.0f;
    // The greatest corner depths of the drawing list, taken by ClipNear as it goes (valid until
    // the triangles or their camera space change); the clipping pieces are taken after them.
    bool m_bSweep = false;
    DepthRange m_sweep;
    // Cursor over m_runs: run, position in its list, next drop.
    size_t m_runCursor = 0;
    uint32_t m_posCursor = 0;
    uint32_t m_dropCursor = 0;
    // The triangle NextTriangle gave last: a record, or a run's corners.
    const Record* m_pLastRecord = nullptr;
    const Run* m_pLastRun = nullptr;
    uint32_t m_lastLocal[3] = {0, 0, 0};
};
