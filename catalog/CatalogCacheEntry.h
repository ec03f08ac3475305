// One catalogue ever read from a folder: where its tree and indexes lie in HISTORY.DAT.
#pragma once

#include <afx.h>

#include <cstdint>

class CCatalogCacheEntry {
public:
    CString m_strId;
    CString m_strRoot;
    CString m_strTitle;
    // A negative offset means the entry has no block: its catalogue is read from its files.
    int32_t m_nCacheOffset = -1;
    int32_t m_nCacheSize = 0;
    BOOL m_bNeedsWriting = FALSE;

    bool HasBlock() const { return m_nCacheOffset >= 0 && m_nCacheSize > 0; }
};
