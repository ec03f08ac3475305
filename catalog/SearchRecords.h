// The saved searches the settings file keeps: a catalogue-data search and an image search.
#pragma once

#include <afx.h>

#include <cstdint>
#include <vector>

class CSearchCondition {
public:
    CString m_strCatalog;  // a catalogue's root, or "*:" for every catalogue
    CString m_strName;
    CString m_strCode;     // field code, "****" for every searchable field
    CString m_strText;
    int32_t m_nMethod = 3;  // 1 exact, 2 prefix, 3 contains
    int32_t m_nLowPrice = -1;
    int32_t m_nHighPrice = 2147483647;
    int32_t m_nKind = 0;    // page of the search dialog it came from
};

class CImageSearch {
public:
    CString m_strName;
    CString m_strFileText;
    CString m_strFolder;
    uint32_t m_startLow = 0, m_startHigh = 0;  // FILETIME, UTC
    uint32_t m_endLow = 0, m_endHigh = 0;
    std::vector<CString> m_foundFiles;  // run time only
};
