#pragma once

#include "ZBDriver.h"

#include <windows.h>

// The archive library UNLHA32, bound by ordinal when the first archive needs it.
class ZBUnlhaUnpacker : public ZBArchiveUnpacker {
public:
    ~ZBUnlhaUnpacker() override;
    int Extract(const std::string& archivePath, const std::string& folder) override;

private:
    bool Bind();

    HMODULE m_hModule = nullptr;
    int(WINAPI* m_pUnlha)(HWND, LPCSTR, LPSTR, DWORD) = nullptr;
    int(WINAPI* m_pGetMode)() = nullptr;
    int(WINAPI* m_pSetMode)(int) = nullptr;
};
