#pragma once

#include "ZBPixelTriangle.h"

class ZBTriangle;
class ZBTexture;

// Rasteriser with exact perspective depth and texture coordinates from the source plane.
class ZBPixelTriangleEx : public ZBPixelTriangle {
public:
    ZBPixelTriangleEx(ZBScene& scene, float planeWidth, float planeHeight, float pixelWidth, float pixelHeight,
                      float nearZ);

    ZBVector PixelToPlane(int column, int row) const;
    void DrawTriangle(ZBTriangle& source);
    void DrawEdges(ZBTriangle& source, const float colour[3]);
    void DrawEdgeLine(ZBTriangle& source, int x0, int y0, int x1, int y1, const float colour[3]);
    void PlotEdgePixel(ZBTriangle& source, int x, int y, const float colour[3]);
    void SetUpBarycentric(const ZBTriangle& source);
    void TextureCoordAt(const ZBVector& p, float& u, float& v) const;

private:
    bool RoundAndCheck(ZBColorVertex v[3]) const;

    float m_fPlaneWidth;
    float m_fPlaneHeight;
    float m_fPixelWidth;
    float m_fPixelHeight;
    float m_fNear;
    ZBVector m_src[3];
    ZBVector m_edges[3];
    float m_len[3] = {0, 0, 0};
    float m_fArea = 0.0f;
    ZBVector m_srcTex[3];
};
