// One catalogue table file (TABLEnn): its rows and its indexes, with the searches on them.
#pragma once

#include <afx.h>

#include <vector>

#include "yqIndex.h"
#include "yqRecord.h"

class yqSchema;
class yqTable;
class yqRecordset;

class yqRowList {
public:
    yqRowList() = default;
    virtual ~yqRowList();
    yqRowList(const yqRowList&) = delete;
    yqRowList& operator=(const yqRowList&) = delete;

    // 1 on success; 0 when the file is missing, empty, unreadable or cut short.
    virtual int LoadFile(const char* path, yqTable* table);
    void RemoveAll();

    int GetPackedSize() const;
    void Pack(yqByteWriter& out) const;

    std::vector<yqRecord*> m_rows;
    yqTable* m_pTable = nullptr;
};

class yqTable {
public:
    enum { kExact = 1, kPrefix = 2, kContains = 3 };

    yqTable() = default;
    explicit yqTable(const char* name) : m_strName(name) {}
    virtual ~yqTable();
    yqTable(const yqTable&) = delete;
    yqTable& operator=(const yqTable&) = delete;

    virtual int Load(const char* path, yqSchema* schema);

    const CString& GetName() const { return m_strName; }
    const CString& GetPath() const { return m_strPath; }
    int GetRowCount() const { return static_cast<int>(m_rowList.m_rows.size()); }
    yqRecord* GetRow(int i) const { return m_rowList.m_rows[i]; }

    // Appends an index (unsorted); code2 may be NULL or empty.
    void AddIndex(const char* code1, const char* code2, yqCompareProc compare);
    void BuildIndexes();
    int GetIndexCount() const { return static_cast<int>(m_indexes.size()); }
    yqIndex* GetIndex(int i) const { return m_indexes[i]; }

    // The rows of the first index on code1 (and code2 when given), or NULL.
    yqRecord* const* GetIndexRows(const char* code1, const char* code2, int& count);

    yqRecordset* Search(const char* code, const char* text, int mode);
    yqRecordset* FindByKeyPair(const char* code1, const char* code2, const char* key1, const char* key2);
    yqRecordset* FindRange(const char* code, double a, double b);
    yqRecordset* FindNumber(const char* code, double x);
    yqRecordset* GetAllRows(const char* code);

    int GetIndexesPackedSize() const;
    void PackIndexes(yqByteWriter& out) const;
    // Appends the packed indexes; false (and nothing appended) when they are damaged or do
    // not fit this table's rows.
    bool UnpackIndexes(yqByteReader& in);
    void RemoveIndexes();

    yqRowList m_rowList;
    yqSchema* m_pSchema = nullptr;
    CString m_strName;
    CString m_strPath;
    std::vector<yqIndex*> m_indexes;

private:
    // The first index on code1 (and code2 when given), or NULL.
    yqIndex* FindIndex(const char* code1, const char* code2) const;
    yqRecordset* SearchExact(const char* code, const char* text);
    yqRecordset* SearchPrefix(const char* code, const char* text);
    yqRecordset* SearchContains(const char* code, const char* text);
    yqRecordset* SearchList(const char* code, const char* text, int mode);
};
