#pragma once

#include <istream>
#include <vector>

enum { ZB_MATERIAL_NORMAL = 0, ZB_MATERIAL_MIRROR = 1, ZB_MATERIAL_TRANS = 2 };

class ZBMaterial {
public:
    ZBMaterial();
    virtual ~ZBMaterial() = default;

    int m_nType;
    float m_diffuse[3];
    float m_ambient[3];
    float m_specular[3];
    int m_nExponent;
    float m_emission[3];
    float m_fMirror;
    float m_fOpacity;
    float m_fTrans2;
};

// Materials numbered from 1 in reading order.
class ZBMaterialGroup {
public:
    ZBMaterialGroup();
    virtual ~ZBMaterialGroup() = default;

    bool ReadText(std::istream& is);
    bool ReadBinary(std::istream& is);
    void Clear() { m_materials.clear(); }
    int GetCount() const { return static_cast<int>(m_materials.size()); }
    // Material number m (from 1), or none.
    const ZBMaterial* Get(int m) const;
    // Material m, or the default material when m names none.
    const ZBMaterial& GetOrDefault(int m) const;
    void Add(const ZBMaterial& mat) { m_materials.push_back(mat); }

private:
    std::vector<ZBMaterial> m_materials;
    ZBMaterial m_default;
};

// Type chosen by keyword containment, in the order NORMAL, MIRROR, TRANS.
int ZBMaterialTypeFromWord(const std::string& word);
