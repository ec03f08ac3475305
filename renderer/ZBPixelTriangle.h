#pragma once

#include "ZBVector.h"

class ZBScene;

class ZBColorVertex {
public:
    ZBColorVertex() = default;
    ZBColorVertex(const ZBColorVertex& o) { *this = o; }
    ZBColorVertex& operator=(const ZBColorVertex& o);
    virtual ~ZBColorVertex() = default;

    ZBVector m_position;  // x, y in pixels; z camera depth
    ZBVector m_second;
    ZBVector m_tex;
    float m_colour[3] = {0, 0, 0};
    int m_nOrder = 0;
    ZBVector m_reserved;
    unsigned m_marksA = 7;
    unsigned m_marksB = 7;
};

inline bool LessByY(const ZBColorVertex& a, const ZBColorVertex& b)
{
    return a.m_position.y < b.m_position.y;
}

// Scan-conversion state of one screen triangle: vertices sorted top to bottom.
class ZBPixelTriangle {
public:
    explicit ZBPixelTriangle(ZBScene& scene);
    virtual ~ZBPixelTriangle() = default;
    virtual void Rasterize();

    void AddVertex(float x, float y, float depth, float r, float g, float b, const unsigned* marks = nullptr);
    void SetTextureCoords(const ZBVector& t0, const ZBVector& t1, const ZBVector& t2);
    void SetSize(int width, int height);
    int GetVertexCount() const { return m_nCount; }
    const ZBColorVertex& Vertex(int i) const { return m_vertices[i]; }

    int m_nShadeMode = 0;
    int m_nTexture = -1;
    float m_fOpacity = 1.0f;

protected:
    ZBScene& m_scene;
    ZBColorVertex m_vertices[3];
    ZBColorVertex m_set[3];  // added so far, kept sorted by y (stable)
    int m_nCount = 0;
    ZBVector m_corner1;
    ZBVector m_corner2;
};
