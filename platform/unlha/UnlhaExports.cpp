#include "UnlhaArchive.h"

#include <windows.h>

#include <cstring>

namespace {
int g_backgroundMode = 0;
}

extern "C" {

// Ordinal 1: runs a command line; 0 on success.
int WINAPI Unlha(HWND, LPCSTR commandLine, LPSTR output, DWORD size)
{
    std::string message;
    const int rc = UnlhaRunCommand(commandLine, message);
    if (output && size > 0) {
        const size_t n = message.size() < size - 1 ? message.size() : size - 1;
        std::memcpy(output, message.data(), n);
        output[n] = '\0';
    }
    return rc;
}

// Ordinal 7.
int WINAPI UnlhaGetBackGroundMode()
{
    return g_backgroundMode;
}

// Ordinal 8.
BOOL WINAPI UnlhaSetBackGroundMode(int mode)
{
    g_backgroundMode = mode;
    return TRUE;
}

} // extern "C"
