#include "ZBTexture.h"

#include "ZBFileSystem.h"
#include "ZBSceneStream.h"

#include <cmath>
#include <cstring>

using namespace ZBSceneStream;

ZBTexture::ZBTexture()
    : m_nMapping(2), m_nColourKey(0), m_nExtent(0), m_rect{0, 0, 1, 255}, m_bShade(false), m_bBlackTransparent(false)
{
}

static float WrapCoord(float v)
{
    if (std::fabs(v) > 10000000000.0f || std::isnan(v))
        return 0.0f;
    if (v > 1.0f || v < 0.0f)
        v = v - std::floor(v);
    return v;
}

bool ZBTexture::GetTexel(const ZBVector& uv, uint8_t bgr[3]) const
{
    if (m_nMapping != 2 || m_pixels.empty())
        return false;
    const float u = WrapCoord(uv.x), v = WrapCoord(uv.y);
    const int column = static_cast<int>((GetWidth() - 1) * u + 0.5f);
    const int row = static_cast<int>((GetHeight() - 1) * v + 0.5f);
    const int depth = GetBitCount();
    int64_t offset;
    if (depth == 24) {
        offset = static_cast<int64_t>(row) * m_nStride + 3LL * column;
        if (offset < 0 || offset + 3 > static_cast<int64_t>(m_pixels.size()))
            offset = static_cast<int64_t>(m_pixels.size()) - 3;
        std::memcpy(bgr, &m_pixels[static_cast<size_t>(offset)], 3);
    } else if (depth == 8) {
        offset = static_cast<int64_t>(row) * m_nStride + column;
        if (offset < 0 || offset >= static_cast<int64_t>(m_pixels.size()))
            offset = static_cast<int64_t>(m_pixels.size()) - 1;
        std::memcpy(bgr, PaletteColour(m_pixels[static_cast<size_t>(offset)]), 3);
    } else {
        return false;
    }
    if (m_nColourKey == 1 && bgr[0] == 0 && bgr[1] == 0 && bgr[2] == 0)
        return false;
    return true;
}

ZBTextureGroup::ZBTextureGroup() : m_bReplacementsPending(true) {}

void ZBTextureGroup::Reset()
{
    if (m_bReplacementsPending)
        m_replacements.clear();
    m_textures.clear();
}

ZBTexture* ZBTextureGroup::GetTexture(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_textures[static_cast<size_t>(index)].get();
}

bool ZBTextureGroup::SetReplacement(unsigned long key, const char* fileName)
{
    m_bReplacementsPending = false;
    for (auto it = m_replacements.begin(); it != m_replacements.end(); ++it) {
        if (it->first == key) {
            m_replacements.erase(it);
            break;
        }
    }
    m_replacements.emplace_back(key, fileName ? std::string(fileName).substr(0, 260) : std::string());
    return true;
}

void ZBTextureGroup::ApplyReplacement(int key, std::string& path) const
{
    if (m_bReplacementsPending)
        return;
    for (const auto& r : m_replacements) {
        if (r.first == static_cast<unsigned long>(key)) {
            path = r.second;
            return;
        }
    }
}

bool ZBTextureGroup::ReadEntryLetters(std::istream& is, ZBTexture& t, bool binary)
{
    char letter = 0, mapping = 0, key = 0, extent = 0;
    float unused;
    if (!(is >> letter))
        return false;
    if (letter == 'B' || letter == 'M') {
        if (binary)
            ReadFloat(is, unused);
        else
            is >> unused;
    }
    is >> mapping >> key >> extent;
    if (mapping == 'M')
        t.m_nMapping = 2;
    else if (mapping == 'S')
        t.m_nMapping = 0;
    else if (mapping == 'T')
        t.m_nMapping = 1;
    if (key == 'B') {
        t.m_nColourKey = 1;
    } else if (key == 'D') {
        t.m_nColourKey = 0;
    } else if (key == 'M') {
        t.m_nColourKey = 0;
        t.m_bBlackTransparent = true;
    }
    if (extent == 'F') {
        t.m_nExtent = 0;
    } else if (extent == 'S') {
        t.m_nExtent = 1;
        for (int& v : t.m_rect) {
            if (binary) {
                int32_t x = 0;
                ReadInt32(is, x);
                v = x;
            } else {
                is >> v;
            }
        }
    }
    return !is.fail();
}

bool ZBTextureGroup::ReadText(std::istream& is)
{
    Reset();
    if (!is.good() || !FindWord(is, "#IMAGE")) {
        m_bReplacementsPending = true;
        return true;
    }
    bool ok = true;
    int n = 0;
    if (!(is >> n))
        ok = false;
    for (int i = 0; ok && i < n; ++i) {
        if (!is.good() || PeekNonBlank(is) == '#') {
            ok = false;
            break;
        }
        auto t = std::make_unique<ZBTexture>();
        std::string path, second;
        ReadName(is, path, 260);
        ReadWord(is, second);
        ok = ReadEntryLetters(is, *t, false);
        ApplyReplacement(i, path);
        t->LoadBmp(path.c_str());
        m_textures.push_back(std::move(t));
    }
    Rewind(is);
    if (ok)
        ok = ReadTexShadeText(is);
    if (!ok)
        m_bReplacementsPending = true;
    return ok;
}

bool ZBTextureGroup::ReadBinary(std::istream& is, const std::string& folder)
{
    int32_t n;
    if (!ReadInt32(is, n))
        return false;
    for (int32_t i = 0; i < n; ++i) {
        auto t = std::make_unique<ZBTexture>();
        std::string name, second;
        if (!ReadStr(is, name, kWordLimit) || !ReadStr(is, second, kWordLimit))
            return false;
        bool ok = ReadEntryLetters(is, *t, true);
        // A name that would leave the scene folder gives a texture without pixels.
        std::string path = ZBFileSystem::IsContainedName(name) ? folder + ZBFileSystem::kSep + name : std::string();
        ApplyReplacement(i, path);
        if (!path.empty())
            t->LoadBmp(path.c_str());
        m_textures.push_back(std::move(t));
        if (!ok)
            return false;
    }
    return true;
}

bool ZBTextureGroup::ReadTexShadeText(std::istream& is)
{
    if (!is.good() || !FindWord(is, "#TEXSHADE"))
        return true;
    int n = 0;
    if (!(is >> n))
        return false;
    for (int i = 0; i < n; ++i) {
        unsigned long t = 0;
        if (!(is >> t) || t == 0 || t > static_cast<unsigned long>(GetCount()))
            return false;
        m_textures[t - 1]->m_bShade = true;
    }
    return true;
}

bool ZBTextureGroup::ReadTexShadeBinary(std::istream& is)
{
    int32_t n;
    if (!ReadInt32(is, n))
        return false;
    for (int32_t i = 0; i < n; ++i) {
        int32_t t = 0;
        if (!ReadInt32(is, t) || t <= 0 || t > GetCount())
            return false;
        m_textures[static_cast<size_t>(t - 1)]->m_bShade = true;
    }
    return true;
}
