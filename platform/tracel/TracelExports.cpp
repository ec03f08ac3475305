#include "TracelApi.h"
#include "TracelScene.h"

#include <cstring>

namespace {
TracelScene g_scene;

void CopyText(const std::string& text, char* out)
{
    const size_t n = text.size() < TRACEL_TEXT_BUFFER - 1 ? text.size() : TRACEL_TEXT_BUFFER - 1;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}
} // namespace

extern "C" {

BOOL WINAPI Vxi_RTFileOpen(const char* scenePath)
{
    return g_scene.Open(scenePath) ? TRUE : FALSE;
}

void WINAPI Vxi_RayTraceFileClose(void)
{
    g_scene.Close();
}

int WINAPI Vxi_RTGetViewCount(void)
{
    return g_scene.GetViewCount();
}

BOOL WINAPI Vxi_RTGetViewName(int index, char* name)
{
    std::string text;
    if (!name)
        return FALSE;
    const bool ok = g_scene.GetViewName(index, text);
    CopyText(ok ? text : std::string(), name);
    return ok ? TRUE : FALSE;
}

BOOL WINAPI Vxi_RTGetBkImgFile(char* path)
{
    if (!path)
        return FALSE;
    CopyText(g_scene.GetBackImage(), path);
    return g_scene.IsOpen() ? TRUE : FALSE;
}

BOOL WINAPI Vxi_RTGetBkColor(int* red, int* green, int* blue)
{
    int r = 0, g = 0, b = 0;
    if (g_scene.IsOpen())
        g_scene.GetBackColour(r, g, b);
    if (red)
        *red = r;
    if (green)
        *green = g;
    if (blue)
        *blue = b;
    return g_scene.IsOpen() ? TRUE : FALSE;
}

} // extern "C"
