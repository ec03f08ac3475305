#pragma once

#include "ZBMatrix.h"

class ZBLightGroup;
class ZBMaterialGroup;
class ZBTextureGroup;
class ZBBackGround;
class ZBTriangleGroup;

// A corner with its two 3-bit edge-mark sets.
struct ZBCorner {
    ZBVector p;
    unsigned a = 7;
    unsigned b = 7;
};

// Directed line between two points.
struct ZBEdge {
    void Set(const ZBVector& start, const ZBVector& end);
    void PointAtDepth(float z, ZBVector& out) const;
    float Length() const;
    bool XAtY(float y, float& x) const;

    ZBVector m_start;
    ZBVector m_end;
    float m_d[3] = {0, 0, 0};
    float m_s[3] = {0, 0, 0};
};

class ZBTriangle {
public:
    ZBTriangle();
    ZBTriangle(const ZBTriangle&) = default;
    ZBTriangle& operator=(const ZBTriangle&) = default;
    virtual ~ZBTriangle() = default;

    void SetCorners(const ZBVector& p0, const ZBVector& p1, const ZBVector& p2);
    void SetCornersWithMarks(const ZBCorner& c0, const ZBCorner& c1, const ZBCorner& c2);
    void Transform(const ZBMatrix& m);
    void ProjectCorners(float nearZ, ZBVector out[3]) const;
    void GetCameraCorners(ZBVector out[3]) const;
    void GetCameraCornerRecords(ZBCorner out[3]) const;
    void GetTexCoords(ZBVector out[3]) const;
    void GetCornerColour(int k, float& r, float& g, float& b) const;
    float MaxDepth() const;
    bool ComputePlane();
    bool IntersectEyeRay(const ZBEdge& ray, ZBVector& out) const;
    // Splits at the near plane into pieces appended to group; this triangle becomes invisible.
    void SplitAtNear(float nearZ, int k1, int k2, ZBTriangleGroup& group);
    // corners: bit k set lights corner k; the others keep their colours.
    void Light(const ZBLightGroup& lights, const ZBMaterialGroup& materials, const ZBTextureGroup& textures,
               unsigned corners = 7);
    void SetBackgroundColours(const ZBBackGround& back);

    int m_nMaterial;
    int m_nTexture;  // from 1; 0 none; -1 wire-line triangle
    ZBCorner m_corners[3];
    ZBVector m_normals[3];
    ZBVector m_tex[3];
    ZBCorner m_camera[3];
    ZBVector m_cameraNormals[3];
    float m_colours[3][3];
    unsigned char m_bVisible;
    unsigned char m_bClipPiece;
    float m_fOpacity;
    float m_plane[4];
};

// Edge p-q is marked when both directions carry a common bit.
bool ZBIsMarkedEdge(const ZBCorner& p, const ZBCorner& q);
