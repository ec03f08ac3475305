#include "MappedFile.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

CMappedFile::CMappedFile()
    : m_hFile(0)
#ifdef _WIN32
    , m_hMapping(NULL)
#endif
    , m_dwAccess(0), m_pView(NULL), m_dwViewSize(0)
{
}

CMappedFile::~CMappedFile()
{
    if (m_hFile)
        Close();
}

#ifdef _WIN32

BOOL CMappedFile::Open(const char* path, DWORD access)
{
    if (m_hFile)
        Close();
    DWORD creation = OPEN_EXISTING;
    if (access == GENERIC_WRITE) {
        access = GENERIC_READ | GENERIC_WRITE;
        creation = CREATE_ALWAYS;
    }
    HANDLE h = ::CreateFileA(path, access, FILE_SHARE_READ, NULL, creation, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hFile = h;
    m_dwAccess = access;
    m_strPath = path;
    return TRUE;
}

void CMappedFile::Close()
{
    if (m_pView != NULL) {
        ::UnmapViewOfFile(m_pView);
        m_pView = NULL;
        m_dwViewSize = 0;
        ::CloseHandle(m_hMapping);
        m_hMapping = NULL;
    }
    if (m_hFile) {
        ::CloseHandle(m_hFile);
        m_hFile = NULL;
    }
    m_strPath.Empty();
}

BOOL CMappedFile::Map(DWORD size)
{
    if (!m_hFile || m_pView != NULL)
        return FALSE;
    const BOOL writable = (m_dwAccess & GENERIC_WRITE) != 0;
    const DWORD viewSize = size != 0 ? size : GetSize();
    if (viewSize == 0)
        return FALSE;
    m_hMapping = ::CreateFileMappingA(m_hFile, NULL, writable ? PAGE_READWRITE : PAGE_READONLY, 0, size, NULL);
    if (m_hMapping == NULL)
        return FALSE;
    m_pView = ::MapViewOfFile(m_hMapping, writable ? FILE_MAP_WRITE : FILE_MAP_READ, 0, 0, 0);
    if (m_pView == NULL) {
        ::CloseHandle(m_hMapping);
        m_hMapping = NULL;
        return FALSE;
    }
    m_dwViewSize = viewSize;
    return TRUE;
}

DWORD CMappedFile::Read(void* buffer, DWORD count)
{
    DWORD done = 0;
    if (!m_hFile || !::ReadFile(m_hFile, buffer, count, &done, NULL))
        return 0;
    return done;
}

DWORD CMappedFile::Write(const void* buffer, DWORD count)
{
    DWORD done = 0;
    if (!m_hFile || !::WriteFile(m_hFile, buffer, count, &done, NULL))
        return 0;
    return done;
}

DWORD CMappedFile::GetSize()
{
    if (!m_hFile)
        return 0;
    const DWORD current = ::SetFilePointer(m_hFile, 0, NULL, FILE_CURRENT);
    const DWORD end = ::SetFilePointer(m_hFile, 0, NULL, FILE_END);
    ::SetFilePointer(m_hFile, static_cast<LONG>(current), NULL, FILE_BEGIN);
    return end == INVALID_SET_FILE_POINTER ? 0 : end;
}

#else

BOOL CMappedFile::Open(const char* path, DWORD access)
{
    if (m_hFile)
        Close();
    int flags = O_RDONLY;
    if (access == GENERIC_WRITE) {
        access = GENERIC_READ | GENERIC_WRITE;
        flags = O_RDWR | O_CREAT | O_TRUNC;
    }
    const int fd = ::open(path, flags | O_CLOEXEC, 0644);
    if (fd < 0)
        return FALSE;
    m_hFile = fd + 1;
    m_dwAccess = access;
    m_strPath = path;
    return TRUE;
}

void CMappedFile::Close()
{
    if (m_pView != NULL) {
        ::munmap(m_pView, m_dwViewSize);
        m_pView = NULL;
        m_dwViewSize = 0;
    }
    if (m_hFile) {
        ::close(m_hFile - 1);
        m_hFile = 0;
    }
    m_strPath.Empty();
}

BOOL CMappedFile::Map(DWORD size)
{
    if (!m_hFile || m_pView != NULL)
        return FALSE;
    const bool writable = (m_dwAccess & GENERIC_WRITE) != 0;
    const DWORD fileSize = GetSize();
    const DWORD viewSize = size != 0 ? size : fileSize;
    if (viewSize == 0)
        return FALSE;
    if (viewSize > fileSize && (!writable || ::ftruncate(m_hFile - 1, viewSize) != 0))
        return FALSE;
    void* view = ::mmap(NULL, viewSize, writable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED, m_hFile - 1, 0);
    if (view == MAP_FAILED)
        return FALSE;
    m_pView = view;
    m_dwViewSize = viewSize;
    return TRUE;
}

DWORD CMappedFile::Read(void* buffer, DWORD count)
{
    if (!m_hFile)
        return 0;
    const ssize_t done = ::read(m_hFile - 1, buffer, count);
    return done < 0 ? 0 : static_cast<DWORD>(done);
}

DWORD CMappedFile::Write(const void* buffer, DWORD count)
{
    if (!m_hFile)
        return 0;
    const ssize_t done = ::write(m_hFile - 1, buffer, count);
    return done < 0 ? 0 : static_cast<DWORD>(done);
}

DWORD CMappedFile::GetSize()
{
    if (!m_hFile)
        return 0;
    struct stat st;
    if (::fstat(m_hFile - 1, &st) != 0 || st.st_size > 0xFFFFFFFFLL)
        return 0;
    return static_cast<DWORD>(st.st_size);
}

#endif

void* CMappedFile::GetView()
{
    return m_pView;
}
