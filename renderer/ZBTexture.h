#pragma once

#include "TBitmapForPng.h"
#include "ZBVector.h"

#include <istream>
#include <memory>
#include <string>
#include <vector>

class ZBTexture : public TBitmapForBack {
public:
    ZBTexture();

    // Texel at texture coordinate (u, v); false when there is none (or a keyed black one).
    bool GetTexel(const ZBVector& uv, uint8_t bgr[3]) const;

    int m_nMapping;    // 2 by coordinates, 0 'S', 1 'T'
    int m_nColourKey;  // 1: black texels count as not found
    int m_nExtent;     // 0 whole image, 1 rectangle
    int m_rect[4];
    bool m_bShade;             // lit with a neutral grey, texel modulated by it
    bool m_bBlackTransparent;  // lit with its material; black or missing texels show the surface
};

class ZBTextureGroup {
public:
    ZBTextureGroup();
    virtual ~ZBTextureGroup() = default;

    bool ReadText(std::istream& is);
    // folder: the temporary scene folder that the record's names are joined to.
    bool ReadBinary(std::istream& is, const std::string& folder);
    bool ReadTexShadeText(std::istream& is);
    bool ReadTexShadeBinary(std::istream& is);
    void Reset();
    int GetCount() const { return static_cast<int>(m_textures.size()); }
    ZBTexture* GetTexture(int index) const;
    bool SetReplacement(unsigned long key, const char* fileName);
    bool ReplacementsPending() const { return m_bReplacementsPending; }
    // Marks a failed texture reading: the next reset discards the replacements.
    void MarkReadFailed() { m_bReplacementsPending = true; }

private:
    void ApplyReplacement(int key, std::string& path) const;
    bool ReadEntryLetters(std::istream& is, ZBTexture& t, bool binary);

    std::vector<std::unique_ptr<ZBTexture>> m_textures;
    std::vector<std::pair<unsigned long, std::string>> m_replacements;
    bool m_bReplacementsPending;
};
