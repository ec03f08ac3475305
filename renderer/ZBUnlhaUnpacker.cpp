#include "ZBUnlhaUnpacker.h"

#include <cstdio>

ZBUnlhaUnpacker::~ZBUnlhaUnpacker()
{
    if (m_hModule)
        FreeLibrary(m_hModule);
}

bool ZBUnlhaUnpacker::Bind()
{
    if (m_pUnlha)
        return true;
    // Loaded on demand, so that the renderer loads (and renders text scenes) without it.
    if (!m_hModule)
        m_hModule = LoadLibraryA("UNLHA32.DLL");
    if (!m_hModule)
        return false;
    m_pUnlha = reinterpret_cast<decltype(m_pUnlha)>(reinterpret_cast<void*>(GetProcAddress(m_hModule, MAKEINTRESOURCEA(1))));
    m_pGetMode = reinterpret_cast<decltype(m_pGetMode)>(reinterpret_cast<void*>(GetProcAddress(m_hModule, MAKEINTRESOURCEA(7))));
    m_pSetMode = reinterpret_cast<decltype(m_pSetMode)>(reinterpret_cast<void*>(GetProcAddress(m_hModule, MAKEINTRESOURCEA(8))));
    return m_pUnlha != nullptr;
}

int ZBUnlhaUnpacker::Extract(const std::string& archivePath, const std::string& folder)
{
    if (!Bind())
        return -1;
    if (m_pGetMode && m_pGetMode() != 0 && m_pSetMode)
        m_pSetMode(0);
    char command[1024];
    const int n = std::snprintf(command, sizeof command, "x -n -c1 \"%s\" \"%s\\\"", archivePath.c_str(), folder.c_str());
    if (n < 0 || n >= static_cast<int>(sizeof command))
        return -1;
    char output[512] = {0};
    return m_pUnlha(nullptr, command, output, 511);
}
