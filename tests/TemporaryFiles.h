// The temporary files a save through a temporary file may have left in a folder.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

// How many of the save helper's temporary files ("~<process>-….tmp") of this process the folder
// of the path holds: other test programs save into the same folder at the same time.
inline int TemporaryFilesBeside(const std::string& path)
{
#ifdef _WIN32
    const unsigned long pid = ::GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(::getpid());
#endif
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "~%lx-", pid);
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    int n = 0;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0)
            ++n;
    }
    return n;
}
