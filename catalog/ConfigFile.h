// CONFIG.DAT over bytes: the window values and the four lists the browser keeps between runs.
// The reader is bounded by the bytes it has: a cut list keeps its whole records before the cut
// and nothing after it is read.
#pragma once

#include <afx.h>

#include <cstdint>
#include <vector>

#include "CatalogCacheEntry.h"
#include "SearchRecords.h"

struct CConfigHead {
    RECT rcWindow{100, 100, 600, 600};
    int32_t nSplitterWidth = 200;
    int32_t nShowState = 2;  // 2 normal, 4 minimised, 8 maximised
};

class CConfigFile {
public:
    enum Result {
        kNotConfig,   // no "CNF": the defaults stay
        kComplete,    // everything up to list 4 read
        kCut,         // the bytes ended, or a count or length was refused, before list 4 ended
    };

    // Appends what it reads to the lists (the caller emptied them); the objects belong to the
    // caller.
    static Result Read(const unsigned char* data, size_t size, CConfigHead& head,
                       std::vector<CCatalogCacheEntry*>& entries, std::vector<CSearchCondition*>& conditions,
                       std::vector<CImageSearch*>& imageSearches, std::vector<CString>& dirs);

    // The bytes of a whole file; the cache entries' offsets and sizes are written as they are.
    static std::vector<unsigned char> Write(const CConfigHead& head, const std::vector<CCatalogCacheEntry*>& entries,
                                            const std::vector<CSearchCondition*>& conditions,
                                            const std::vector<CImageSearch*>& imageSearches,
                                            const std::vector<CString>& dirs);

    // The new content laid over the old file: the tail of a longer old file stays behind it.
    static std::vector<unsigned char> Overlay(const std::vector<unsigned char>& content,
                                              const std::vector<unsigned char>& old);
};
