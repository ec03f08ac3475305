// A sorted permutation of a table's rows on one field code or a pair of codes, and the
// orders and comparisons the searches share.
#pragma once

#include <cstdint>
#include <vector>

class yqRecord;
class yqTable;
class yqByteReader;
class yqByteWriter;

// Compares two rows under an index's codes (code2 is empty for a one-code index).
typedef int (*yqCompareProc)(const yqRecord* a, const yqRecord* b, const char* code1, const char* code2);

// Rows lacking code 1 first, then (two codes) rows lacking code 2, then by code 1's text
// and code 2's text, byte-wise.
int yqCompareText(const yqRecord* a, const yqRecord* b, const char* code1, const char* code2);
// Rows lacking the code first, then ascending by the code's number.
int yqCompareNumber(const yqRecord* a, const yqRecord* b, const char* code1, const char* code2);
// By the key pair as in text order, then by the 0400 keyword (a missing keyword first).
int yqCompareKeyword(const yqRecord* a, const yqRecord* b, const char* code1, const char* code2);
// Ascending by the 0C01 number, then by the 0C00 name (a missing name first).
int yqCompareCategory(const yqRecord* a, const yqRecord* b, const char* code1, const char* code2);

// Byte-wise comparison of two key pairs, NULL standing for a missing value that sorts first.
int CompareKeyPair(const char* keyA, const char* keyB, const char* valueA, const char* valueB);
// 0 when the value begins with the pattern, else the sign of the byte-wise comparison.
int MatchPrefix(const char* pattern, const char* value);

class yqIndex {
public:
    yqIndex(yqTable* table, const char* code1, const char* code2, yqCompareProc compare);

    // Sorts the table's rows, when the index has a comparator and the table has rows.
    void Build();
    // The rows in index order, made from the row numbers on first use.
    yqRecord* const* GetRows(int& count);
    int GetCount() const { return m_nCount; }
    const char* GetCode1() const { return m_szCode1; }
    const char* GetCode2() const { return m_szCode2; }
    bool HasComparator() const { return m_pfnCompare != nullptr; }
    // True when the rows are known (sorted here, or checked by IsOrdered) to ascend by code
    // 1's text, missing values first, with no second code: the searches on code 1 may then
    // find a run's end without stepping through the run.
    bool IsOrderedByText() const { return m_pfnOrder == yqCompareText && !m_szCode2[0]; }
    const std::vector<int32_t>& GetRowNumbers() const { return m_rowNumbers; }

    // True when the rows stand in the order the comparator gives (a restored index is
    // checked so against the table files as they are now).
    bool IsOrdered(yqCompareProc compare);

    int GetPackedSize() const { return 14 + 4 * m_nCount; }
    void Pack(yqByteWriter& out) const;
    // Reads one packed index for the table; refuses one whose rows are not the table's
    // rows (a count other than the row count, a row number out of range or twice).
    static yqIndex* Unpack(yqByteReader& in, yqTable* table);

private:
    yqCompareProc m_pfnCompare;
    yqCompareProc m_pfnOrder = nullptr;  // the order the rows are known to stand in
    char m_szCode1[5] = {};
    char m_szCode2[5] = {};
    std::vector<int32_t> m_rowNumbers;
    int m_nCount = 0;
    yqTable* m_pTable;
    std::vector<yqRecord*> m_rows;
    bool m_bRowsMade = false;
};
