#pragma once

#include "ZBTriangle.h"

#include <cstdint>
#include <istream>
#include <vector>

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
    int GetCount() const { return static_cast<int>(m_drawing.size() + m_pieces.size()); }
    int GetSeeThroughCount() const { return static_cast<int>(m_seeThrough.size()); }
    // The triangle returned stays valid until the next call of the same kind on this group.
    ZBTriangle* NextTriangle();
    ZBTriangle* TriangleAt(int i);
    const ZBTriangle* SeeThroughAt(int i) const;
    float NearestDepth() const;
    float FarthestDepth() const;
    void RemoveClipPieces();
    void Clear();
    // Pool indices of the corners of triangle i; false for a clipping piece, whose corners are
    // its own.
    bool CornerVertices(int i, uint32_t out[3]) const;
    size_t GetVertexCount() const { return m_vertices.size(); }

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

    uint32_t KindOf(const Kind& k);
    template <class Source>
    bool ReadEntry(Source& src, const ZBMaterialGroup& materials, bool& ok);
    void AddRecord(const Record& r, bool seeThrough);
    void Materialise(const Record& r, ZBTriangle& out) const;
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
};
