#include "yqIndex.h"

#include <algorithm>
#include <cstring>

#include "yqByteStream.h"
#include "yqRecord.h"
#include "yqTable.h"

namespace {

int CompareBytes(const char* a, const char* b)
{
    int r = std::strcmp(a, b);  // strcmp compares as unsigned char
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

// Missing values sort first; two missing values are equal.
int ComparePresence(const char* a, const char* b)
{
    if (!a && !b)
        return 0;
    if (!a)
        return -1;
    if (!b)
        return 1;
    return 0;
}

}  // namespace

int yqCompareText(const yqRecord* a, const yqRecord* b, const char* code1, const char* code2)
{
    const char* a1 = a->GetFieldText(code1);
    const char* b1 = b->GetFieldText(code1);
    if (!code2 || !*code2) {
        if (int r = ComparePresence(a1, b1))
            return r;
        return a1 ? CompareBytes(a1, b1) : 0;
    }
    return CompareKeyPair(a1, a->GetFieldText(code2), b1, b->GetFieldText(code2));
}

int yqCompareNumber(const yqRecord* a, const yqRecord* b, const char* code1, const char*)
{
    const char* ta = a->GetFieldText(code1);
    const char* tb = b->GetFieldText(code1);
    if (int r = ComparePresence(ta, tb))
        return r;
    if (!ta)
        return 0;
    double na = a->GetFieldNumber(code1), nb = b->GetFieldNumber(code1);
    return na < nb ? -1 : na > nb ? 1 : 0;
}

int yqCompareKeyword(const yqRecord* a, const yqRecord* b, const char* code1, const char* code2)
{
    if (int r = yqCompareText(a, b, "0000", "0001"))
        return r;
    const char* ka = a->GetFieldText("0400");
    const char* kb = b->GetFieldText("0400");
    if (int r = ComparePresence(ka, kb))
        return r;
    return ka ? CompareBytes(ka, kb) : 0;
}

int yqCompareCategory(const yqRecord* a, const yqRecord* b, const char*, const char*)
{
    double na = a->GetFieldNumber("0C01"), nb = b->GetFieldNumber("0C01");
    if (na != nb)
        return na < nb ? -1 : 1;
    const char* ta = a->GetFieldText("0C00");
    const char* tb = b->GetFieldText("0C00");
    if (int r = ComparePresence(ta, tb))
        return r;
    return ta ? CompareBytes(ta, tb) : 0;
}

int CompareKeyPair(const char* keyA, const char* keyB, const char* valueA, const char* valueB)
{
    if (int r = ComparePresence(keyA, valueA))
        return r;
    if (int r = ComparePresence(keyB, valueB))
        return r;
    if (keyA) {
        if (int r = CompareBytes(keyA, valueA))
            return r;
    }
    return keyB ? CompareBytes(keyB, valueB) : 0;
}

int MatchPrefix(const char* pattern, const char* value)
{
    size_t n = std::strlen(pattern);
    int r = std::strncmp(pattern, value, n);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

yqIndex::yqIndex(yqTable* table, const char* code1, const char* code2, yqCompareProc compare)
    : m_pfnCompare(compare), m_pTable(table)
{
    for (int i = 0; code1 && i < 4 && code1[i]; ++i)
        m_szCode1[i] = code1[i];
    for (int i = 0; code2 && i < 4 && code2[i]; ++i)
        m_szCode2[i] = code2[i];
}

void yqIndex::Build()
{
    if (!m_pfnCompare || m_pTable->GetRowCount() == 0)
        return;
    m_rows = m_pTable->m_rowList.m_rows;
    const char* code1 = m_szCode1;
    const char* code2 = m_szCode2;
    if (m_pfnCompare == yqCompareText) {
        // The same order, with each row's values looked up once instead of per comparison.
        struct Key {
            const char* v1;
            const char* v2;
            yqRecord* row;
        };
        std::vector<Key> keys;
        keys.reserve(m_rows.size());
        for (yqRecord* row : m_rows)
            keys.push_back({row->GetFieldText(code1), *code2 ? row->GetFieldText(code2) : "", row});
        std::sort(keys.begin(), keys.end(),
                  [](const Key& a, const Key& b) { return CompareKeyPair(a.v1, a.v2, b.v1, b.v2) < 0; });
        for (size_t i = 0; i < keys.size(); ++i)
            m_rows[i] = keys[i].row;
    } else if (m_pfnCompare == yqCompareNumber) {
        struct Key {
            bool has;
            double number;
            yqRecord* row;
        };
        std::vector<Key> keys;
        keys.reserve(m_rows.size());
        for (yqRecord* row : m_rows) {
            const char* text = row->GetFieldText(code1);
            keys.push_back({text != nullptr, text ? row->GetFieldNumber(code1) : 0, row});
        }
        std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
            return a.has != b.has ? !a.has : a.has && a.number < b.number;
        });
        for (size_t i = 0; i < keys.size(); ++i)
            m_rows[i] = keys[i].row;
    } else if (m_pfnCompare == yqCompareKeyword) {
        // yqCompareKeyword's order on values looked up once; the same comparison outcomes
        // on the same starting sequence give the same permutation.
        struct Key {
            const char* v1;
            const char* v2;
            const char* keyword;
            yqRecord* row;
        };
        std::vector<Key> keys;
        keys.reserve(m_rows.size());
        for (yqRecord* row : m_rows)
            keys.push_back({row->GetFieldText("0000"), row->GetFieldText("0001"), row->GetFieldText("0400"), row});
        std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
            if (int r = CompareKeyPair(a.v1, a.v2, b.v1, b.v2))
                return r < 0;
            if (int r = ComparePresence(a.keyword, b.keyword))
                return r < 0;
            return a.keyword && CompareBytes(a.keyword, b.keyword) < 0;
        });
        for (size_t i = 0; i < keys.size(); ++i)
            m_rows[i] = keys[i].row;
    } else {
        yqCompareProc compare = m_pfnCompare;
        std::sort(m_rows.begin(), m_rows.end(),
                  [=](const yqRecord* a, const yqRecord* b) { return compare(a, b, code1, code2) < 0; });
    }
    m_nCount = static_cast<int>(m_rows.size());
    m_rowNumbers.resize(m_nCount);
    for (int i = 0; i < m_nCount; ++i)
        m_rowNumbers[i] = m_rows[i]->m_nRow;
    m_bRowsMade = true;
    m_pfnOrder = m_pfnCompare;
}

yqRecord* const* yqIndex::GetRows(int& count)
{
    if (!m_bRowsMade) {
        m_rows.resize(m_nCount);
        for (int i = 0; i < m_nCount; ++i)
            m_rows[i] = m_pTable->GetRow(m_rowNumbers[i]);
        m_bRowsMade = true;
    }
    count = m_nCount;
    return m_nCount ? m_rows.data() : nullptr;
}

bool yqIndex::IsOrdered(yqCompareProc compare)
{
    int count;
    yqRecord* const* rows = GetRows(count);
    for (int i = 1; i < count; ++i)
        if (compare(rows[i - 1], rows[i], m_szCode1, m_szCode2) > 0)
            return false;
    m_pfnOrder = compare;
    return true;
}

void yqIndex::Pack(yqByteWriter& out) const
{
    out.Write(m_szCode1, 5);
    out.Write(m_szCode2, 5);
    out.WriteInt32(m_nCount);
    for (int32_t row : m_rowNumbers)
        out.WriteInt32(row);
}

yqIndex* yqIndex::Unpack(yqByteReader& in, yqTable* table)
{
    char code1[5], code2[5];
    int32_t count;
    if (!in.Read(code1, 5) || !in.Read(code2, 5) || !in.ReadInt32(count))
        return nullptr;
    code1[4] = code2[4] = 0;
    int rowCount = table->GetRowCount();
    // An index covers every row; another count means the table changed since it was stored.
    if (count != rowCount || static_cast<size_t>(count) > in.GetRemaining() / 4)
        return nullptr;
    yqIndex* index = new yqIndex(table, code1, code2, nullptr);
    index->m_rowNumbers.resize(count);
    std::vector<bool> seen(count);
    for (int32_t& row : index->m_rowNumbers) {
        in.ReadInt32(row);
        if (row < 0 || row >= rowCount || seen[row]) {
            delete index;
            return nullptr;
        }
        seen[row] = true;
    }
    index->m_nCount = count;
    return index;
}
