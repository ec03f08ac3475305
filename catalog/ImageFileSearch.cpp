#include "ImageFileSearch.h"

#include "FileInfoRecord.h"

namespace {

ULONGLONG Ticks(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

}  // namespace

int CImageFileSearch::Run(const CString& folder)
{
    m_visited.clear();
    return Search(folder, 0);
}

bool CImageFileSearch::FirstVisit(const CString& folder)
{
    HANDLE h = ::CreateFile(folder, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return true;  // nothing to tell it by: the depth limit still ends a loop
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL ok = ::GetFileInformationByHandle(h, &info);
    ::CloseHandle(h);
    if (!ok)
        return true;
    const unsigned long long index = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    if (index == 0)
        return true;
    return m_visited.insert({info.dwVolumeSerialNumber, index}).second;
}

int CImageFileSearch::Search(const CString& folder, int depth)
{
    if (depth > kMaxDepth || !FirstVisit(folder))
        return 1;
    auto cancelled = [this] { return isCancelled && isCancelled(); };
    WIN32_FIND_DATA data;
    HANDLE h = ::FindFirstFile(folder + "*" + m_strFileText + "*", &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                const ULONGLONG t = Ticks(data.ftLastWriteTime);
                const char* type = ImageSearchTypeName(data.cFileName);
                if (type && Ticks(m_from) <= t && t <= Ticks(m_to) && onFound)
                    onFound(folder, data, type);
            }
            if (cancelled()) {
                ::FindClose(h);
                return 0;
            }
        } while (::FindNextFile(h, &data));
        ::FindClose(h);
    }
    h = ::FindFirstFile(folder + "*.*", &data);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    do {
        const bool dir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (dir && !link && strcmp(data.cFileName, ".") != 0 && strcmp(data.cFileName, "..") != 0) {
            if (!Search(folder + data.cFileName + "\\", depth + 1)) {
                ::FindClose(h);
                return 0;
            }
        }
        if (cancelled()) {
            ::FindClose(h);
            return 0;
        }
    } while (::FindNextFile(h, &data));
    ::FindClose(h);
    return 1;
}
