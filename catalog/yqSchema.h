// The catalogue's schema file DISTRIB\DRB and its header records.
#pragma once

#include <afx.h>

#include <memory>
#include <vector>

class yqByteReader;

// One 77-byte header record: the catalogue's ID and title.
class yqHeaderRecord {
public:
    enum { kRecordSize = 77 };

    char m_szId[9] = {};        // raw
    char m_szName[34] = {};     // converted; room for the converter's NUL
    unsigned char m_raw[4] = {};
    char m_szTitle[34] = {};    // converted

    // 1 when a record was read from the start of the file, 0 when the file cannot be
    // opened, is too short or starts with a 0 byte.
    int ReadFile(const char* path);
    // Reads one record at the cursor; false at a 0 first byte (cursor unchanged) or when
    // the record is cut short.
    bool Read(yqByteReader& reader, bool& bEndMark);
};

struct yqFieldDef {
    char m_szCode[5] = {};
    unsigned char m_raw[5] = {};
};

class yqTableDef {
public:
    unsigned char m_head[5] = {};
    char m_szName[33] = {};
    std::vector<yqFieldDef> m_fields;

    // Position of the field code among the fields, or -1.
    int FindField(const char* code) const;
};

class yqSchema {
public:
    yqSchema() = default;
    ~yqSchema() { Clear(); }
    yqSchema(const yqSchema&) = delete;
    yqSchema& operator=(const yqSchema&) = delete;

    // Non-zero (the file position after the last byte read) on success, 0 on failure.
    int ReadFile(const char* path);
    void Clear();
    yqTableDef* FindTableDef(const char* name) const;

    const char* GetText() const { return m_pText.get(); }
    const char* GetHeaderFileName() const { return m_szHeaderFile; }

    char m_szMagic[5] = {};
    unsigned char m_raw1[4] = {};
    unsigned char m_raw2 = 0;
    char m_szTextEnd[7] = {};
    unsigned char m_raw3 = 0;
    std::unique_ptr<char[]> m_pText;
    char m_szHeaderFile[33] = {};
    std::vector<std::unique_ptr<yqTableDef>> m_tableDefs;
    std::vector<std::unique_ptr<yqHeaderRecord>> m_headers;
    yqHeaderRecord* m_pHeader = nullptr;  // the catalogue's own record, not owned
};
