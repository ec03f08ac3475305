#include <windows.h>

#include "ZBDriver.h"
#include "ZBUnlhaUnpacker.h"

namespace {
// The one scene of the library: not re-entrant, as the interface says.
ZBScene g_scene;
ZBUnlhaUnpacker g_unpacker;
ZBDriver g_driver(g_scene);
} // namespace

int zMain(char* scenePath, char* outPath, int width, int height, int viewIndex, int red, int green, int blue,
          char* backImagePath, int shadeMode)
{
    ZBRenderRequest req;
    req.scenePath = scenePath;
    req.outPath = outPath;
    req.width = width;
    req.height = height;
    req.viewIndex = viewIndex;
    req.red = red;
    req.green = green;
    req.blue = blue;
    req.backImagePath = backImagePath;
    req.shadeMode = shadeMode;
    g_driver.m_pUnpacker = &g_unpacker;
    return g_driver.Run(req);
}

int zChangeTextureFileName(unsigned long textureKey, char* fileName)
{
    g_scene.m_textures.SetReplacement(textureKey, fileName);
    return 0;
}

void zSuppressBmpFileLoad(int flag)
{
    g_driver.m_bUnpackArchives = flag;
}

extern "C" {

int __stdcall Vxi_SaveImageByZBuffer(const char* scenePath, const char* outPath, int width,
                                                           int height, int viewIndex, int red, int green, int blue,
                                                           const char* backImagePath, int shadeMode)
{
    return zMain(const_cast<char*>(scenePath), const_cast<char*>(outPath), width, height, viewIndex, red, green,
                 blue, const_cast<char*>(backImagePath), shadeMode);
}

int Vxi_GetStatus()
{
    return g_driver.m_nStatus;
}

double Vxi_GetPercentage()
{
    return g_scene.m_progress.GetPercentage();
}

int Vxi_GetDrawnTriangleNum()
{
    return static_cast<int>(g_scene.m_progress.GetDrawn());
}

int Vxi_GetTriangleSum()
{
    return static_cast<int>(g_scene.m_progress.GetSum());
}

} // extern "C"

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
