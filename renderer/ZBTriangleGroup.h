#pragma once

#include "ZBTriangle.h"

#include <istream>
#include <vector>

class ZBMaterialGroup;
class ZBScreenBuffer;

// The triangles of one scene: a drawing list and a see-through list.
class ZBTriangleGroup {
public:
    ZBTriangleGroup() = default;
    virtual ~ZBTriangleGroup() = default;

    bool ReadText(std::istream& is, const ZBMaterialGroup& materials);
    bool ReadBinary(std::istream& is, const ZBMaterialGroup& materials);
    void AddTriangle(const ZBTriangle& t, const ZBMaterialGroup& materials);
    void AppendDrawing(const ZBTriangle& t) { m_drawing.push_back(t); }
    void Prepare();
    void Transform(const ZBMatrix& m);
    void ClipNear(float nearZ, ZBScreenBuffer* screen);
    int GetCount() const { return static_cast<int>(m_drawing.size()); }
    int GetSeeThroughCount() const { return static_cast<int>(m_seeThrough.size()); }
    ZBTriangle* NextTriangle();
    ZBTriangle* TriangleAt(int i);
    const ZBTriangle* SeeThroughAt(int i) const;
    float NearestDepth() const;
    float FarthestDepth() const;
    void RemoveClipPieces();
    void Clear();

private:
    bool ReadEntry(std::istream& is, const ZBMaterialGroup& materials, bool binary, bool& ok);

    std::vector<ZBTriangle> m_drawing;
    size_t m_cursor = 0;
    std::vector<ZBTriangle> m_seeThrough;
};
