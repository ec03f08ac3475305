#pragma once

#include "ZBMatrix.h"

#include <istream>
#include <memory>
#include <string>
#include <vector>

class ZBScene;
class ZBTriangle;

enum { ZB_SHADE_BACKCOLOR = -1, ZB_SHADE_FLAT = 0, ZB_SHADE_SMOOTH = 1, ZB_SHADE_NORMALS = 2 };

// One camera of the scene and its render pass.
class ZBView {
public:
    ZBView();
    virtual ~ZBView() = default;

    void UpdateViewMatrix();
    void ComputeViewMatrix(ZBMatrix& out);
    bool SetUpScreen(ZBScene& scene, float nearZ, float farZ);
    bool Render(ZBScene& scene);
    void ProjectToPixel(const ZBVector& p, int& px, int& py) const;
    bool ClipToWindow(const ZBVector& p0, const ZBVector& p1, const ZBVector& p2) const;
    void LightTriangle(ZBScene& scene, ZBTriangle& t) const;
    bool DrawWireLines(ZBScene& scene, float smallest, float largest);

    int m_nShadeMode;
    ZBVector m_eye;
    ZBVector m_direction;
    ZBVector m_up;
    float m_fNear;
    float m_fFar;
    float m_fAngle;
    int m_nWidth;
    int m_nHeight;
    float m_fPlaneWidth;
    float m_fPlaneHeight;
    float m_fPixelWidth;
    float m_fPixelHeight;
    std::string m_strName;
    ZBMatrix m_viewMatrix;
    int m_nSceneWidth;
    int m_nSceneHeight;
};

class ZBViewGroup {
public:
    virtual ~ZBViewGroup() = default;

    bool ReadViewSection(std::istream& is);
    bool ReadViewFields(std::istream& is, const std::string& name);
    bool ReadViewRecord(std::istream& is);
    bool ReadViewRecordFields(std::istream& is, const std::string& name);
    ZBView* GetView(int index) const;
    int GetCount() const { return static_cast<int>(m_views.size()); }
    void SetShadeMode(int mode);
    int GetShadeMode() const { return m_nShadeMode; }
    void SetViewSize(int width, int height, int index);
    void Clear() { m_views.clear(); }

private:
    bool AddView(std::unique_ptr<ZBView> v);

    int m_nShadeMode = 0;
    std::vector<std::unique_ptr<ZBView>> m_views;
};

// Shading mode argument of the interface -> stored mode.
int ZBShadeModeFromArgument(int arg);
