#include "ZBLight.h"

#include "ZBSceneStream.h"

using namespace ZBSceneStream;

ZBLight::ZBLight()
    : m_nType(ZB_LIGHT_SUN), m_colour1{0, 0, 0}, m_colour2{0, 0, 0}, m_nSpotExponent(0), m_nSpotAngle(0)
{
}

void ZBLight::Transform(const ZBMatrix& m)
{
    m_cameraPosition = TransformPoint(m_position, m);
    if (m_nType == ZB_LIGHT_SUN) {
        m_cameraDirection = TransformPoint(m_direction, m) - TransformPoint(ZBVector(), m);
        m_cameraDirection.Normalize();
    } else if (m_nType == ZB_LIGHT_SPOT) {
        m_cameraDirection = TransformPoint(m_position + m_direction, m) - m_cameraPosition;
        m_cameraDirection.Normalize();
    }
}

void ZBLightGroup::Transform(const ZBMatrix& m)
{
    for (ZBLight& l : m_lights)
        l.Transform(m);
}

int ZBLightTypeFromWord(const std::string& word)
{
    if (word.find("LOCAL") != std::string::npos)
        return ZB_LIGHT_LOCAL;
    if (word.find("SUN") != std::string::npos)
        return ZB_LIGHT_SUN;
    if (word.find("SPOT") != std::string::npos)
        return ZB_LIGHT_SPOT;
    return ZB_LIGHT_SUN;
}

bool ZBLightGroup::ReadText(std::istream& is)
{
    Clear();
    if (!is.good() || !FindWord(is, "#LIGHT"))
        return false;
    int n = 0;
    if (!(is >> n))
        return false;
    for (int i = 0; i < n; ++i) {
        if (!is.good() || PeekNonBlank(is) == '#')
            return false;
        ZBLight l;
        std::string type;
        ReadWord(is, type);
        l.m_nType = ZBLightTypeFromWord(type);
        is >> l.m_colour1[0] >> l.m_colour1[1] >> l.m_colour1[2];
        is >> l.m_colour2[0] >> l.m_colour2[1] >> l.m_colour2[2];
        if (l.m_nType == ZB_LIGHT_LOCAL || l.m_nType == ZB_LIGHT_SPOT)
            is >> l.m_position.x >> l.m_position.y >> l.m_position.z;
        if (l.m_nType == ZB_LIGHT_SUN || l.m_nType == ZB_LIGHT_SPOT)
            is >> l.m_direction.x >> l.m_direction.y >> l.m_direction.z;
        if (l.m_nType == ZB_LIGHT_SPOT)
            is >> l.m_nSpotExponent >> l.m_nSpotAngle;
        if (is.fail())
            return false;
        Add(l);
    }
    return true;
}

static bool ReadVector(std::istream& is, ZBVector& v)
{
    return ReadFloat(is, v.x) && ReadFloat(is, v.y) && ReadFloat(is, v.z);
}

bool ZBLightGroup::ReadBinary(std::istream& is)
{
    Clear();
    int32_t n;
    if (!ReadInt32(is, n))
        return false;
    for (int32_t i = 0; i < n; ++i) {
        ZBLight l;
        std::string type;
        if (!ReadStr(is, type, kWordLimit))
            return false;
        l.m_nType = ZBLightTypeFromWord(type);
        bool ok = true;
        for (int k = 0; k < 3; ++k)
            ok = ok && ReadFloat(is, l.m_colour1[k]);
        for (int k = 0; k < 3; ++k)
            ok = ok && ReadFloat(is, l.m_colour2[k]);
        if (l.m_nType == ZB_LIGHT_LOCAL || l.m_nType == ZB_LIGHT_SPOT)
            ok = ok && ReadVector(is, l.m_position);
        if (l.m_nType == ZB_LIGHT_SUN || l.m_nType == ZB_LIGHT_SPOT)
            ok = ok && ReadVector(is, l.m_direction);
        if (l.m_nType == ZB_LIGHT_SPOT) {
            float e = 0, a = 0;
            ok = ok && ReadFloat(is, e) && ReadFloat(is, a);
            l.m_nSpotExponent = TruncToInt(e);
            l.m_nSpotAngle = TruncToInt(a);
        }
        if (!ok)
            return false;
        Add(l);
    }
    return true;
}
