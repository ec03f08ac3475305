// The walk of an image search: files whose name holds the text, whose ending the browser
// lists and whose last write lies in the range, folder by folder, depth first. Links and
// junctions are not followed, a folder is visited once and the walk stops at a fixed depth,
// so a looping folder tree ends.
#pragma once

#include <afxwin.h>

#include <functional>
#include <set>
#include <utility>

class CImageFileSearch {
public:
    enum { kMaxDepth = 64 };

    // Called for each file found: the folder (ending in "\"), the file's data and type name.
    std::function<void(const CString& folder, const WIN32_FIND_DATA& data, const char* type)> onFound;
    // Polled after every entry; true ends the walk.
    std::function<bool()> isCancelled;

    CString m_strFileText;
    FILETIME m_from{};
    FILETIME m_to{};

    // 1 when the walk ended, 0 when it was cancelled.
    int Run(const CString& folder);

private:
    int Search(const CString& folder, int depth);
    bool FirstVisit(const CString& folder);
    std::set<std::pair<DWORD, unsigned long long>> m_visited;
};
