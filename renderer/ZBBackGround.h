#pragma once

#include "TBitmapForPng.h"

#include <istream>
#include <memory>
#include <string>

class ZBBackGround {
public:
    ZBBackGround() { Reset(); }
    virtual ~ZBBackGround() = default;

    void Reset();
    void GetColour(float& r, float& g, float& b) const;
    void SetColour(float r, float g, float b);
    bool ReadText(std::istream& is);
    bool ReadBackColorBinary(std::istream& is);
    bool ReadBackImageBinary(std::istream& is, const std::string& folder);
    bool ReadFogBinary(std::istream& is);
    void SetImage(const char* path);
    bool ScaleImage(float factor);
    void GetImageSize(int& w, int& h) const;
    bool GetImageRow(int x, int y, int count, uint8_t* out) const;
    float FogFactor(float z) const;
    void ApplyFog(float z, float& r, float& g, float& b) const;
    void SetFogRange(float start, float end) { m_fFogStart = start; m_fFogEnd = end; }

    const std::string* GetImageName() const { return m_bHasImageName ? &m_strImageName : nullptr; }
    bool HasImage() const { return m_pImage != nullptr; }

    float m_colour[3];
    int m_nFogMode;
    float m_fFogDensity;
    float m_fFogValue3;
    float m_fFogValue4;
    float m_fFogStart;
    float m_fFogEnd;

private:
    bool m_bHasImageName;
    std::string m_strImageName;
    std::unique_ptr<TTrueColorBmp> m_pImage;
};

// Scratch file of the rescaled background image, in the current folder.
extern const char* const ZB_SCRATCH_IMAGE;
