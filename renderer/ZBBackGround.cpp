#include "ZBBackGround.h"

#include "ZBFileSystem.h"
#include "ZBMath.h"
#include "ZBSceneStream.h"

#include <cmath>

using namespace ZBSceneStream;

const char* const ZB_SCRATCH_IMAGE = "~zbufImg.tmp";

void ZBBackGround::Reset()
{
    m_colour[0] = m_colour[1] = m_colour[2] = 0.0f;
    m_bHasImageName = false;
    m_strImageName.clear();
    m_nFogMode = 0;
    m_fFogDensity = 0.0f;
    m_fFogValue3 = 3.0f;
    m_fFogValue4 = 2.0f;
    m_fFogStart = 0.0f;
    m_fFogEnd = 0.0f;
    m_pImage.reset();
}

void ZBBackGround::GetColour(float& r, float& g, float& b) const
{
    r = m_colour[0];
    g = m_colour[1];
    b = m_colour[2];
}

void ZBBackGround::SetColour(float r, float g, float b)
{
    m_colour[0] = r;
    m_colour[1] = g;
    m_colour[2] = b;
}

bool ZBBackGround::ReadText(std::istream& is)
{
    Reset();
    m_bHasImageName = true;
    if (!is.good())
        return false;
    if (FindWord(is, "#BACKCOLOR"))
        is >> m_colour[0] >> m_colour[1] >> m_colour[2];
    Rewind(is);
    if (FindWord(is, "#BACKIMAGE"))
        ReadWord(is, m_strImageName, 262);
    Rewind(is);
    if (!FindWord(is, "#FOG"))
        return true;
    is >> m_nFogMode >> m_fFogDensity >> m_fFogValue3 >> m_fFogValue4;
    return true;
}

bool ZBBackGround::ReadBackColorBinary(std::istream& is)
{
    if (!is.good())
        return false;
    for (float& c : m_colour)
        ReadFloat(is, c);
    return true;
}

bool ZBBackGround::ReadBackImageBinary(std::istream& is, const std::string& folder)
{
    if (!is.good())
        return false;
    std::string name;
    if (!ReadStr(is, name, kWordLimit))
        return false;
    // A name that would leave the scene folder is refused.
    if (!ZBFileSystem::IsContainedName(name))
        return false;
    m_bHasImageName = true;
    m_strImageName = folder + ZBFileSystem::kSep + name;
    return true;
}

bool ZBBackGround::ReadFogBinary(std::istream& is)
{
    if (!is.good())
        return false;
    int32_t mode = 0;
    ReadInt32(is, mode);
    m_nFogMode = mode;
    ReadFloat(is, m_fFogDensity);
    ReadFloat(is, m_fFogValue3);
    ReadFloat(is, m_fFogValue4);
    return true;
}

void ZBBackGround::SetImage(const char* path)
{
    if (!path || !*path) {
        m_bHasImageName = false;
        m_strImageName.clear();
        return;
    }
    m_bHasImageName = true;
    m_strImageName = std::string(path).substr(0, 260);
    m_pImage = std::make_unique<TTrueColorBmp>();
    m_pImage->Load(m_strImageName.c_str());
}

bool ZBBackGround::ScaleImage(float factor)
{
    if (!m_bHasImageName)
        return true;
    const std::string name = m_strImageName;
    if (factor == 1.0f) {
        SetImage(name.c_str());
        return true;
    }
    int w, h;
    GetImageSize(w, h);
    if (w == 0 && h == 0)
        return false;
    const int nw = TruncToInt(static_cast<double>(factor * static_cast<float>(w)));
    const int nh = TruncToInt(static_cast<double>(factor * static_cast<float>(h)));
    StretchBitmap sb;
    if (!sb.Load(name.c_str()) || !sb.SaveScaled(nw, nh, ZB_SCRATCH_IMAGE))
        return false;
    SetImage(ZB_SCRATCH_IMAGE);
    ZBFileSystem::RemoveFile(ZB_SCRATCH_IMAGE);
    return true;
}

void ZBBackGround::GetImageSize(int& w, int& h) const
{
    if (m_pImage && m_pImage->GetBits()) {
        w = m_pImage->GetWidth();
        h = m_pImage->GetHeight();
    } else {
        w = h = 0;
    }
}

bool ZBBackGround::GetImageRow(int x, int y, int count, uint8_t* out) const
{
    return m_pImage && m_pImage->GetPixels(x, y, count, out);
}

float ZBBackGround::FogFactor(float z) const
{
    switch (m_nFogMode) {
    case 1:
        return (m_fFogEnd - z) / (m_fFogEnd - m_fFogStart);
    case 2:
        return ZBExp(-m_fFogDensity * z);
    case 3: {
        const float t = m_fFogDensity * z;
        return ZBExp(-(t * t));
    }
    default:
        return 1.0f;
    }
}

void ZBBackGround::ApplyFog(float z, float& r, float& g, float& b) const
{
    if (m_nFogMode == 0)
        return;
    float x = FogFactor(z);
    if (!(x < 1.0f))
        x = 1.0f;
    r = (1.0f - x) * m_colour[0] + x * r;
    g = (1.0f - x) * m_colour[1] + x * g;
    b = (1.0f - x) * m_colour[2] + x * b;
}
