#include "TracelScene.h"

#include "ZBFileSystem.h"
#include "ZBSceneStream.h"

#include <cstring>
#include <fstream>
#include <strings.h>

using namespace ZBSceneStream;

namespace {
bool IsContainer(const char* path)
{
    const char* dot = std::strrchr(path, '.');
    return dot && strcasecmp(dot, ".vqb") == 0;
}

int ToByte(float c)
{
    const int v = TruncToInt(static_cast<double>(c) * 255.0);
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}
} // namespace

bool TracelScene::Open(const char* path)
{
    Close();
    if (!path || !*path)
        return false;
    if (!IsContainer(path)) {
        std::ifstream is(path);
        if (!is)
            return false;
        m_scene.ReadText(is, 1);
        m_bOpen = true;
        return true;
    }
    std::ifstream is(path, std::ios::binary);
    char magic[4];
    int32_t unused, count;
    if (!is.read(magic, 4) || std::memcmp(magic, "#RAY", 4) != 0 || !ReadInt32(is, unused) ||
        !ReadInt32(is, unused) || !ReadInt32(is, count) || count < 0)
        return false;
    // The archives are the renderer's to unpack; only their place is skipped here.
    for (int32_t i = 0; i < count; ++i) {
        std::string name;
        int32_t size;
        if (!ReadStr(is, name, kWordLimit) || !ReadInt32(is, size) || size < 0 ||
            static_cast<uint64_t>(size) > Remaining(is))
            return false;
        is.seekg(size, std::ios::cur);
    }
    m_scene.m_strTempFolder = ZBFileSystem::TempSceneFolder();
    m_scene.ReadRecords(is);
    m_bOpen = true;
    return true;
}

void TracelScene::Close()
{
    m_scene.m_views.Clear();
    m_scene.m_back.Reset();
    m_scene.m_textures.Reset();
    m_scene.m_lights.Clear();
    m_scene.m_materials.Clear();
    m_scene.m_segments.Clear();
    m_scene.m_pTriangles->Clear();
    m_bOpen = false;
}

int TracelScene::GetViewCount() const
{
    return m_bOpen ? m_scene.m_views.GetCount() : 0;
}

bool TracelScene::GetViewName(int index, std::string& name) const
{
    const ZBView* v = m_bOpen ? m_scene.m_views.GetView(index) : nullptr;
    if (!v)
        return false;
    name = v->m_strName;
    return true;
}

std::string TracelScene::GetBackImage() const
{
    const std::string* name = m_bOpen ? m_scene.m_back.GetImageName() : nullptr;
    return name ? *name : std::string();
}

void TracelScene::GetBackColour(int& r, int& g, int& b) const
{
    r = ToByte(m_scene.m_back.m_colour[0]);
    g = ToByte(m_scene.m_back.m_colour[1]);
    b = ToByte(m_scene.m_back.m_colour[2]);
}
