#include "ZBFileMapping.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

std::shared_ptr<const ZBFileMapping> ZBFileMapping::Open(const std::string& path)
{
#ifdef _WIN32
    // Shared as the C runtime's fopen shares it: the caller may still read or replace its file.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size;
    const bool sized = GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
                       static_cast<uint64_t>(size.QuadPart) <= static_cast<uint64_t>(SIZE_MAX / 2);
    HANDLE mapping = sized ? CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr) : nullptr;
    CloseHandle(file);
    if (!mapping)
        return nullptr;
    void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    CloseHandle(mapping);
    if (!view)
        return nullptr;
    std::shared_ptr<ZBFileMapping> m(new ZBFileMapping);
    m->m_pData = static_cast<const char*>(view);
    m->m_nSize = static_cast<uint64_t>(size.QuadPart);
    return m;
#else
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return nullptr;
    struct stat st;
    void* view = MAP_FAILED;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
        static_cast<uint64_t>(st.st_size) <= static_cast<uint64_t>(SIZE_MAX / 2))
        // Every page at once: one call instead of a fault per few pages as reading goes on.
        view = mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    close(fd);
    if (view == MAP_FAILED)
        return nullptr;
    std::shared_ptr<ZBFileMapping> m(new ZBFileMapping);
    m->m_pData = static_cast<const char*>(view);
    m->m_nSize = static_cast<uint64_t>(st.st_size);
    return m;
#endif
}

ZBFileMapping::~ZBFileMapping()
{
#ifdef _WIN32
    UnmapViewOfFile(m_pData);
#else
    munmap(const_cast<char*>(m_pData), static_cast<size_t>(m_nSize));
#endif
}
