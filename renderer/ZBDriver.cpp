#include "ZBDriver.h"

#include "ZBByteStream.h"
#include "ZBFileSystem.h"
#include "ZBSceneStream.h"

#include <cstring>
#include <fstream>
#include <strings.h>
#include <vector>

using namespace ZBSceneStream;

const char* const ZB_DEFAULT_OUTPUT = "~zbufbmp";

namespace {
bool IsContainerPath(const char* path)
{
    const char* dot = std::strrchr(path, '.');
    return dot && strcasecmp(dot, ".vqb") == 0;
}
} // namespace

int ZBDriver::Run(const ZBRenderRequest& req)
{
    int result = ReadScene(req);
    if (result == ZB_OK)
        result = RenderAndWrite(req);
    // The triangles are freed on every path, whatever the result.
    m_scene.m_pTriangles->Clear();
    return result;
}

int ZBDriver::ReadScene(const ZBRenderRequest& req)
{
    // Each call starts from a fresh triangle group; the old one is freed here.
    m_scene.m_pTriangles = std::make_unique<ZBTriangleGroup>();
    m_nStatus = ZB_STATUS_LOADING;
    if (!req.scenePath || !*req.scenePath)
        return ZB_ERR_SCENE;
    if (IsContainerPath(req.scenePath)) {
        const int result = ReadSceneContainer(req);
        if (result != ZB_OK)
            return result;
    } else {
        std::ifstream is(req.scenePath);
        if (!is)
            return ZB_ERR_SCENE;
        m_scene.ReadText(is, req.shadeMode);
    }
    m_scene.m_back.SetColour(req.red * 0.003921569f, req.green * 0.003921569f, req.blue * 0.003921569f);
    m_scene.m_back.SetImage(req.backImagePath);
    // Without the asked view nothing is rendered or written.
    if (!m_scene.m_views.GetView(req.viewIndex))
        return ZB_ERR_SCENE;
    const char* out = req.outPath ? req.outPath : ZB_DEFAULT_OUTPUT;
    if (!*out || req.width <= 0 || req.height <= 0 || static_cast<int64_t>(req.width) * req.height > 0x7FFFFFF)
        return ZB_ERR_WRITE;
    m_scene.m_views.SetViewSize(req.width, req.height, req.viewIndex);
    return ZB_OK;
}

int ZBDriver::RenderAndWrite(const ZBRenderRequest& req)
{
    ZBView* view = m_scene.m_views.GetView(req.viewIndex);
    if (!view)
        return ZB_ERR_SCENE;
    m_nStatus = ZB_STATUS_RENDERING;
    const bool rendered = view->Render(m_scene);
    m_nStatus = ZB_STATUS_WRITING;
    // A failed render writes nothing, so no stale picture can pass for a result.
    if (!rendered || !m_scene.m_screen.WriteBmp(req.outPath ? req.outPath : ZB_DEFAULT_OUTPUT))
        return ZB_ERR_WRITE;
    return ZB_OK;
}

void ZBDriver::DeleteTempImages(const std::string& folder)
{
    ZBFileSystem::RemoveFilesWithExtension(folder, ".bmp");
    ZBFileSystem::RemoveFilesWithExtension(folder, ".kjq");
}

int ZBDriver::UnpackArchives(std::istream& is, int32_t count, const std::string& folder)
{
    for (int32_t i = 0; i < count; ++i) {
        std::string name;
        int32_t size = 0;
        if (!ReadStr(is, name, kWordLimit) || !ReadInt32(is, size) || size < 0 ||
            static_cast<uint64_t>(size) > Remaining(is))
            return ZB_ERR_SCENE;
        if (!m_bUnpackArchives) {
            is.seekg(size, std::ios::cur);
            continue;
        }
        // A name that would leave the scene folder is refused.
        if (!ZBFileSystem::IsContainedName(name))
            return ZB_ERR_SCENE;
        std::vector<char> bytes(static_cast<size_t>(size));
        if (size > 0 && !is.read(bytes.data(), size))
            return ZB_ERR_SCENE;
        std::string path = folder + ZBFileSystem::kSep + name;
        // The extension is replaced within the name only, never in the folder part.
        const size_t dot = path.find_last_of('.');
        if (dot == std::string::npos || dot <= folder.size())
            return ZB_ERR_SCENE;
        path.replace(dot, std::string::npos, ".lzh");
        if (!ZBFileSystem::WriteWhole(path, [&](std::ostream& os) {
                os.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
                return os.good();
            }))
            return ZB_ERR_SCENE;
        const int rc = m_pUnpacker ? m_pUnpacker->Extract(path, folder) : -1;
        ZBFileSystem::RemoveFile(path);
        if (rc != 0)
            return ZB_ERR_SCENE;
    }
    return ZB_OK;
}

int ZBDriver::ReadSceneContainer(const ZBRenderRequest& req)
{
    // Read through a small window: a container of any size costs no memory of its size.
    ZBFileReadBuf block;
    if (!block.Open(req.scenePath))
        return ZB_ERR_SCENE;
    std::istream is(&block);
    char magic[4];
    int32_t unused1, unused2, count;
    if (!is.read(magic, 4) || std::memcmp(magic, "#RAY", 4) != 0 || !ReadInt32(is, unused1) ||
        !ReadInt32(is, unused2) || !ReadInt32(is, count) || count < 0)
        return ZB_ERR_SCENE;
    const std::string folder = m_strTempFolder.empty() ? ZBFileSystem::TempSceneFolder() : m_strTempFolder;
    if (m_bUnpackArchives) {
        if (ZBFileSystem::DirectoryExists(folder))
            DeleteTempImages(folder);
        else if (!ZBFileSystem::MakeDirectory(folder))
            return ZB_ERR_SCENE;
    }
    const int unpacked = UnpackArchives(is, count, folder);
    if (unpacked != ZB_OK) {
        if (m_bUnpackArchives)
            DeleteTempImages(folder);
        return unpacked;
    }
    m_scene.m_strTempFolder = folder;
    m_scene.ReadRecords(is);
    m_scene.m_pTriangles->Prepare();
    m_scene.m_views.SetShadeMode(ZBShadeModeFromArgument(req.shadeMode));
    return ZB_OK;
}
