#pragma once

#include "ZBScene.h"

#include <string>

enum { ZB_OK = 0, ZB_ERR_SCENE = 2, ZB_ERR_WRITE = 3 };
enum { ZB_STATUS_IDLE = 0, ZB_STATUS_LOADING = 1, ZB_STATUS_RENDERING = 2, ZB_STATUS_WRITING = 3 };

// Extracts an LHA archive into a folder; 0 on success (the archive library's convention).
class ZBArchiveUnpacker {
public:
    virtual ~ZBArchiveUnpacker() = default;
    virtual int Extract(const std::string& archivePath, const std::string& folder) = 0;
};

struct ZBRenderRequest {
    const char* scenePath = nullptr;
    const char* outPath = nullptr;
    int width = 0;
    int height = 0;
    int viewIndex = 0;
    int red = 0, green = 0, blue = 0;
    const char* backImagePath = nullptr;
    int shadeMode = 1;
};

// Runs one rendering end to end on a scene: read, render, write.
class ZBDriver {
public:
    explicit ZBDriver(ZBScene& scene) : m_scene(scene) {}

    int Run(const ZBRenderRequest& req);
    // The two halves of Run: the scene read and made ready for the view asked for, then the
    // render pass and the picture written.
    int ReadScene(const ZBRenderRequest& req);
    int RenderAndWrite(const ZBRenderRequest& req);
    int ReadSceneContainer(const ZBRenderRequest& req);
    static void DeleteTempImages(const std::string& folder);

    volatile int m_nStatus = ZB_STATUS_IDLE;
    int m_bUnpackArchives = 1;
    ZBArchiveUnpacker* m_pUnpacker = nullptr;
    // Folder the container's archives are unpacked into; the system's "~vqbtmp" unless set.
    std::string m_strTempFolder;

private:
    int UnpackArchives(std::istream& is, int32_t count, const std::string& folder);

    ZBScene& m_scene;
};

// Default output name when the caller gives none.
extern const char* const ZB_DEFAULT_OUTPUT;
