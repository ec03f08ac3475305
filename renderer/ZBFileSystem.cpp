#include "ZBFileSystem.h"

#include <cstdio>
#include <cstring>
#include <fstream>

#include "afxreplace.h"


#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ZBFileSystem {

#ifdef _WIN32
const char kSep = '\\';
#else
const char kSep = '/';
#endif

bool WriteWhole(const std::string& path, const std::function<bool(std::ostream&)>& writer)
{
    return AfxReplaceFile(path.c_str(), [&](const char* tmp) -> BOOL {
        std::ofstream os(tmp, std::ios::binary | std::ios::trunc);
        if (!os)
            return FALSE;
        const bool ok = writer(os);
        os.close();
        return ok && !os.fail();
    }) != FALSE;
}

std::string TempSceneFolder()
{
#ifdef _WIN32
    char buf[MAX_PATH + 1] = {0};
    DWORD n = GetTempPathA(MAX_PATH, buf);
    std::string folder = (n > 0 && n < MAX_PATH) ? std::string(buf, n) : std::string();
#else
    const char* env = std::getenv("TMPDIR");
    std::string folder = (env && *env) ? env : "/tmp";
    if (folder.back() != '/')
        folder += '/';
#endif
    return folder + "~vqbtmp";
}

bool DirectoryExists(const std::string& path)
{
#ifdef _WIN32
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

bool FileExists(const std::string& path)
{
#ifdef _WIN32
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
#endif
}

bool MakeDirectory(const std::string& path)
{
#ifdef _WIN32
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
#else
    return mkdir(path.c_str(), 0777) == 0;
#endif
}

bool RemoveFile(const std::string& path)
{
#ifdef _WIN32
    return DeleteFileA(path.c_str()) != 0;
#else
    return unlink(path.c_str()) == 0;
#endif
}

void RemoveFilesWithExtension(const std::string& folder, const char* extension)
{
#ifdef _WIN32
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*" + extension).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            RemoveFile(folder + "\\" + fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
#else
    const size_t extLen = std::strlen(extension);
    DIR* d = opendir(folder.c_str());
    if (!d)
        return;
    while (dirent* e = readdir(d)) {
        size_t len = std::strlen(e->d_name);
        if (len >= extLen && strcasecmp(e->d_name + len - extLen, extension) == 0)
            RemoveFile(folder + "/" + e->d_name);
    }
    closedir(d);
#endif
}

bool IsContainedName(const std::string& name)
{
    if (name.empty() || name[0] == '\\' || name[0] == '/')
        return false;
    if (name.find(':') != std::string::npos)
        return false;
    // Split on both separators; a ".." part leaves the folder.
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = name.size();
        if (name.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace ZBFileSystem
