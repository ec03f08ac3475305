#pragma once

#include "ZBMatrix.h"

#include <istream>
#include <string>
#include <vector>

enum { ZB_LIGHT_LOCAL = 0, ZB_LIGHT_SUN = 1, ZB_LIGHT_SPOT = 2 };

class ZBLight {
public:
    ZBLight();
    virtual ~ZBLight() = default;

    void Transform(const ZBMatrix& m);

    int m_nType;
    float m_colour1[3];  // diffuse and specular
    float m_colour2[3];  // ambient
    ZBVector m_position;
    ZBVector m_direction;
    ZBVector m_cameraPosition;
    ZBVector m_cameraDirection;
    int m_nSpotExponent;
    int m_nSpotAngle;
};

class ZBLightGroup {
public:
    virtual ~ZBLightGroup() = default;

    bool ReadText(std::istream& is);
    bool ReadBinary(std::istream& is);
    void Transform(const ZBMatrix& m);
    void Clear() { m_lights.clear(); }
    int GetCount() const { return static_cast<int>(m_lights.size()); }
    const ZBLight& Get(int i) const { return m_lights[static_cast<size_t>(i)]; }
    void Add(const ZBLight& l) { m_lights.push_back(l); }

private:
    std::vector<ZBLight> m_lights;
};

// LOCAL, then SUN, then SPOT by containment; anything else is a directional light.
int ZBLightTypeFromWord(const std::string& word);
