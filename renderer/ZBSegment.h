#pragma once

#include "ZBTriangle.h"
#include "ZBTriangleGroup.h"

#include <istream>
#include <map>
#include <memory>

class ZBSegment {
public:
    virtual ~ZBSegment() = default;

    bool Set(const ZBVector& a, const ZBVector& b);
    bool IsValid() const { return m_bValid; }
    void SetMaterial(int m) { m_nMaterial = m; }
    int GetMaterial() const { return m_nMaterial; }
    const ZBEdge& GetEdge() const { return m_edge; }

private:
    ZBEdge m_edge;
    bool m_bValid = false;
    int m_nMaterial = -1;
};

// Wire lines, each turned into a thin triangle whose one marked edge is the line.
class ZBSegmentGroup {
public:
    ZBSegmentGroup();
    virtual ~ZBSegmentGroup() = default;

    bool ReadText(std::istream& is);
    bool ReadBinary(std::istream& is);
    void Clear();
    void AddSegment(const ZBVector& a, const ZBVector& b, int material);
    int GetCount() const { return static_cast<int>(m_segments.size()); }
    const ZBSegment* GetSegment(int i) const;
    ZBTriangleGroup* GetTriangleGroup() { return m_pTriangles.get(); }

private:
    bool ReadEntry(std::istream& is, bool binary);

    std::map<int, std::unique_ptr<ZBSegment>> m_segments;
    std::unique_ptr<ZBTriangleGroup> m_pTriangles;
};
