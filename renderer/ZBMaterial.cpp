#include "ZBMaterial.h"

#include "ZBSceneStream.h"

using namespace ZBSceneStream;

ZBMaterial::ZBMaterial()
    : m_nType(ZB_MATERIAL_NORMAL), m_diffuse{0, 0, 0}, m_ambient{0, 0, 0}, m_specular{0, 0, 0}, m_nExponent(0),
      m_emission{0, 0, 0}, m_fMirror(0.0f), m_fOpacity(1.0f), m_fTrans2(1.0f)
{
}

ZBMaterialGroup::ZBMaterialGroup()
{
    m_default.m_diffuse[0] = m_default.m_diffuse[1] = m_default.m_diffuse[2] = 1.0f;
}

const ZBMaterial* ZBMaterialGroup::Get(int m) const
{
    if (m < 1 || m > GetCount())
        return nullptr;
    return &m_materials[static_cast<size_t>(m - 1)];
}

const ZBMaterial& ZBMaterialGroup::GetOrDefault(int m) const
{
    const ZBMaterial* p = Get(m);
    return p ? *p : m_default;
}

int ZBMaterialTypeFromWord(const std::string& word)
{
    if (word.find("NORMAL") != std::string::npos)
        return ZB_MATERIAL_NORMAL;
    if (word.find("MIRROR") != std::string::npos)
        return ZB_MATERIAL_MIRROR;
    if (word.find("TRANS") != std::string::npos)
        return ZB_MATERIAL_TRANS;
    return ZB_MATERIAL_NORMAL;
}

bool ZBMaterialGroup::ReadText(std::istream& is)
{
    Clear();
    if (!is.good() || !FindWord(is, "#MATERIAL"))
        return false;
    int n = 0;
    if (!(is >> n))
        return false;
    for (int i = 0; i < n; ++i) {
        if (!is.good() || PeekNonBlank(is) == '#')
            return false;
        ZBMaterial m;
        std::string type;
        ReadWord(is, type);
        m.m_nType = ZBMaterialTypeFromWord(type);
        for (float* c : {m.m_diffuse, m.m_ambient, m.m_specular})
            is >> c[0] >> c[1] >> c[2];
        is >> m.m_nExponent >> m.m_emission[0] >> m.m_emission[1] >> m.m_emission[2];
        if (m.m_nType == ZB_MATERIAL_MIRROR)
            is >> m.m_fMirror;
        else if (m.m_nType == ZB_MATERIAL_TRANS)
            is >> m.m_fOpacity >> m.m_fTrans2;
        if (is.fail())
            return false;
        Add(m);
    }
    return true;
}

bool ZBMaterialGroup::ReadBinary(std::istream& is)
{
    Clear();
    int32_t n;
    if (!ReadInt32(is, n))
        return false;
    for (int32_t i = 0; i < n; ++i) {
        ZBMaterial m;
        std::string type;
        if (!ReadStr(is, type, kWordLimit))
            return false;
        m.m_nType = ZBMaterialTypeFromWord(type);
        bool ok = true;
        for (float* c : {m.m_diffuse, m.m_ambient, m.m_specular})
            for (int k = 0; k < 3; ++k)
                ok = ok && ReadFloat(is, c[k]);
        int32_t e = 0;
        ok = ok && ReadInt32(is, e);
        m.m_nExponent = e;
        for (int k = 0; k < 3; ++k)
            ok = ok && ReadFloat(is, m.m_emission[k]);
        if (m.m_nType == ZB_MATERIAL_MIRROR)
            ok = ok && ReadFloat(is, m.m_fMirror);
        else if (m.m_nType == ZB_MATERIAL_TRANS)
            ok = ok && ReadFloat(is, m.m_fOpacity) && ReadFloat(is, m.m_fTrans2);
        if (!ok)
            return false;
        Add(m);
    }
    return true;
}
