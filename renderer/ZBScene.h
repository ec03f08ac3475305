#pragma once

#include "ZBBackGround.h"
#include "ZBLight.h"
#include "ZBMaterial.h"
#include "ZBProgress.h"
#include "ZBScreenBuffer.h"
#include "ZBSegment.h"
#include "ZBTexture.h"
#include "ZBTriangleGroup.h"
#include "ZBView.h"

#include <istream>
#include <memory>
#include <string>

// The scene objects of one library instance: what both scene forms fill and the render pass reads.
class ZBScene {
public:
    ZBScene() : m_screen(m_back) {}
    virtual ~ZBScene() = default;

    // Reads every section of a text scene, in the driver's order, into the objects.
    void ReadText(std::istream& is, int shadeArgument);
    // Clears views, background and textures, then reads records up to the first byte that is not '#'.
    void ReadRecords(std::istream& is);

    ZBViewGroup m_views;
    ZBLightGroup m_lights;
    ZBMaterialGroup m_materials;
    ZBTextureGroup m_textures;
    ZBBackGround m_back;
    ZBScreenBuffer m_screen;
    ZBSegmentGroup m_segments;
    std::unique_ptr<ZBTriangleGroup> m_pTriangles = std::make_unique<ZBTriangleGroup>();
    ZBProgress m_progress;
    std::string m_strTempFolder;
};
