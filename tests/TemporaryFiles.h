// The temporary files a save through a temporary file may have left in a folder.
#pragma once

#include <filesystem>
#include <string>

// How many of the save helper's temporary files ("~….tmp") the folder of the path holds.
inline int TemporaryFilesBeside(const std::string& path)
{
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    int n = 0;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (name.size() > 5 && name[0] == '~' && name.compare(name.size() - 4, 4, ".tmp") == 0)
            ++n;
    }
    return n;
}
