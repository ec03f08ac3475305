#include "yqTable.h"

#include <cstring>
#include <functional>
#include <memory>
#include <new>

#include "yqByteStream.h"
#include "yqRecordset.h"
#include "yqText.h"

namespace {

yqRecordset* MakeRecordset(yqRecord* const* rows, int count)
{
    if (count < 1)
        return nullptr;
    yqRecordset* set = new yqRecordset;
    set->Attach(rows, count);
    return set;
}

// The run [start, end) of rows that `compare` calls matching (0), in an index whose rows
// are ordered so that rows sorting before the key (negative) come first. `monotone` says
// that `compare` never falls along the rows (-1s, 0s, then 1s): the run's end is then
// found by galloping and bisection, the same end as stepping through the run finds, at
// about the cost of stepping for a short run.
bool FindRunBounds(yqRecord* const* rows, int count, const std::function<int(const yqRecord*)>& compare,
                   int& start, int& end, bool monotone = false)
{
    int lo = 0, hi = count;
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (compare(rows[mid]) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    start = end = lo;
    if (monotone) {
        // Probe start, start + 1, start + 3, ...: [start, lo) match, hi does not.
        hi = count;
        for (long long reach = 1; reach <= count - start; reach *= 2) {
            int probe = start + static_cast<int>(reach - 1);
            if (compare(rows[probe]) > 0) {
                hi = probe;
                break;
            }
            lo = probe + 1;
        }
        while (lo < hi) {
            int mid = lo + (hi - lo) / 2;
            if (compare(rows[mid]) <= 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        end = lo;
        return end > start;
    }
    while (end < count && compare(rows[end]) == 0)
        ++end;
    return end > start;
}

yqRecordset* FindRun(yqRecord* const* rows, int count, const std::function<int(const yqRecord*)>& compare,
                     bool monotone = false)
{
    int start, end;
    if (!FindRunBounds(rows, count, compare, start, end, monotone))
        return nullptr;
    return MakeRecordset(rows + start, end - start);
}

int Sign(int r) { return r < 0 ? -1 : r > 0 ? 1 : 0; }

}  // namespace

yqRowList::~yqRowList()
{
    RemoveAll();
}

void yqRowList::RemoveAll()
{
    for (yqRecord* row : m_rows)
        delete row;
    m_rows.clear();
}

int yqRowList::LoadFile(const char* path, yqTable* table)
{
    RemoveAll();
    m_pTable = table;
    if (!path || !*path)
        return 0;
    std::vector<unsigned char> data;
    if (!yqReadWholeFile(path, data) || data.empty())
        return 0;
    try {
        yqByteReader reader(data.data(), data.size());
        while (!reader.AtEnd()) {
            std::unique_ptr<yqRecord> row(new yqRecord);
            row->m_pTable = table;
            row->Parse(reader);
            row->m_nRow = static_cast<int>(m_rows.size());
            m_rows.push_back(row.get());
            row.release();
        }
    } catch (const std::bad_alloc&) {
        RemoveAll();
        return 0;
    }
    return 1;
}

int yqRowList::GetPackedSize() const
{
    int size = 4;
    for (const yqRecord* row : m_rows)
        size += row->GetPackedSize();
    return size;
}

void yqRowList::Pack(yqByteWriter& out) const
{
    out.WriteInt32(static_cast<int32_t>(m_rows.size()));
    for (const yqRecord* row : m_rows)
        row->Pack(out);
}

yqTable::~yqTable()
{
    RemoveIndexes();
}

void yqTable::RemoveIndexes()
{
    for (yqIndex* index : m_indexes)
        delete index;
    m_indexes.clear();
}

int yqTable::Load(const char* path, yqSchema* schema)
{
    m_pSchema = schema;
    m_strPath = path;
    return m_rowList.LoadFile(path, this);
}

void yqTable::AddIndex(const char* code1, const char* code2, yqCompareProc compare)
{
    m_indexes.push_back(new yqIndex(this, code1, code2, compare));
}

void yqTable::BuildIndexes()
{
    for (yqIndex* index : m_indexes)
        index->Build();
}

yqIndex* yqTable::FindIndex(const char* code1, const char* code2) const
{
    if (!code1 || !*code1)
        return nullptr;
    for (yqIndex* index : m_indexes) {
        if (std::strcmp(index->GetCode1(), code1) != 0)
            continue;
        if (code2 && *code2 && std::strcmp(index->GetCode2(), code2) != 0)
            continue;
        return index;
    }
    return nullptr;
}

yqRecord* const* yqTable::GetIndexRows(const char* code1, const char* code2, int& count)
{
    count = 0;
    yqIndex* index = FindIndex(code1, code2);
    return index ? index->GetRows(count) : nullptr;
}

yqRecordset* yqTable::Search(const char* code, const char* text, int mode)
{
    if (!code || !text || mode < kExact || mode > kContains)
        return nullptr;
    if (std::strcmp(code, "0021") == 0)
        return SearchList(code, text, mode);
    switch (mode) {
    case kExact:
        return SearchExact(code, text);
    case kPrefix:
        return SearchPrefix(code, text);
    default:
        return SearchContains(code, text);
    }
}

// In an index ordered by the code's text, both searches below rise along the rows: an
// exact comparison with the value, and a prefix match (a text's first bytes keep its order).
yqRecordset* yqTable::SearchExact(const char* code, const char* text)
{
    yqIndex* index = FindIndex(code, nullptr);
    int count = 0;
    yqRecord* const* rows = index ? index->GetRows(count) : nullptr;
    if (!rows)
        return nullptr;
    return FindRun(rows, count, [&](const yqRecord* row) {
        const char* value = row->GetFieldText(code);
        return value ? Sign(std::strcmp(value, text)) : -1;
    }, index->IsOrderedByText());
}

yqRecordset* yqTable::SearchPrefix(const char* code, const char* text)
{
    yqIndex* index = FindIndex(code, nullptr);
    int count = 0;
    yqRecord* const* rows = index ? index->GetRows(count) : nullptr;
    if (!rows)
        return nullptr;
    return FindRun(rows, count, [&](const yqRecord* row) {
        const char* value = row->GetFieldText(code);
        return value ? -MatchPrefix(text, value) : -1;
    }, index->IsOrderedByText());
}

yqRecordset* yqTable::SearchContains(const char* code, const char* text)
{
    std::vector<yqRecord*> hits;
    for (yqRecord* row : m_rowList.m_rows) {
        const char* value = row->GetFieldText(code);
        if (value && std::strstr(value, text))
            hits.push_back(row);
    }
    return MakeRecordset(hits.data(), static_cast<int>(hits.size()));
}

yqRecordset* yqTable::SearchList(const char* code, const char* text, int mode)
{
    std::vector<yqRecord*> hits;
    size_t textLength = std::strlen(text);
    for (yqRecord* row : m_rowList.m_rows) {
        const char* value = row->GetFieldText(code);
        if (!value)
            continue;
        CStringList list;
        SplitFieldList(value, list);
        if (mode == kContains) {
            CString joined;
            JoinLines(list, joined);
            if (!joined.IsEmpty() && std::strstr(joined, text))
                hits.push_back(row);
            continue;
        }
        POSITION pos = list.GetHeadPosition();
        while (pos) {
            const CString& element = list.GetNext(pos);
            if (element.IsEmpty())
                continue;
            bool match = mode == kExact ? std::strcmp(element, text) == 0
                                        : std::strncmp(element, text, textLength) == 0;
            if (match)
                hits.push_back(row);
        }
    }
    return MakeRecordset(hits.data(), static_cast<int>(hits.size()));
}

yqRecordset* yqTable::FindByKeyPair(const char* code1, const char* code2, const char* key1, const char* key2)
{
    if (!key1 || !key2)
        return nullptr;
    int count;
    yqRecord* const* rows = GetIndexRows(code1, code2, count);
    if (!rows)
        return nullptr;
    return FindRun(rows, count, [&](const yqRecord* row) {
        const char* v1 = row->GetFieldText(code1);
        const char* v2 = row->GetFieldText(code2);
        if (!v1 || !v2)
            return -1;
        return CompareKeyPair(v1, v2, key1, key2);
    });
}

yqRecordset* yqTable::FindRange(const char* code, double a, double b)
{
    double lo = a < b ? a : b, hi = a < b ? b : a;
    int count;
    yqRecord* const* rows = GetIndexRows(code, nullptr, count);
    if (!rows)
        return nullptr;
    auto compareTo = [&](double key) {
        return [&, key](const yqRecord* row) {
            if (!row->GetFieldText(code))
                return -1;
            double n = row->GetFieldNumber(code);
            return n < key ? -1 : n > key ? 1 : 0;
        };
    };
    // Both ends must occur as numbers in the table.
    int lowStart, lowEnd, highStart, highEnd;
    if (!FindRunBounds(rows, count, compareTo(lo), lowStart, lowEnd) ||
        !FindRunBounds(rows, count, compareTo(hi), highStart, highEnd))
        return nullptr;
    return MakeRecordset(rows + lowStart, highEnd - lowStart);
}

yqRecordset* yqTable::FindNumber(const char* code, double x)
{
    int count;
    yqRecord* const* rows = GetIndexRows(code, nullptr, count);
    if (!rows)
        return nullptr;
    return FindRun(rows, count, [&](const yqRecord* row) {
        if (!row->GetFieldText(code))
            return -1;
        double n = row->GetFieldNumber(code);
        return n < x ? -1 : n > x ? 1 : 0;
    });
}

yqRecordset* yqTable::GetAllRows(const char* code)
{
    int count;
    yqRecord* const* rows = GetIndexRows(code, nullptr, count);
    return rows ? MakeRecordset(rows, count) : nullptr;
}

int yqTable::GetIndexesPackedSize() const
{
    int size = 4;
    for (const yqIndex* index : m_indexes)
        size += index->GetPackedSize();
    return size;
}

void yqTable::PackIndexes(yqByteWriter& out) const
{
    out.WriteInt32(static_cast<int32_t>(m_indexes.size()));
    for (const yqIndex* index : m_indexes)
        index->Pack(out);
}

bool yqTable::UnpackIndexes(yqByteReader& in)
{
    int32_t count;
    if (!in.ReadInt32(count) || count < 0 || static_cast<size_t>(count) > in.GetRemaining() / 14)
        return false;
    std::vector<yqIndex*> added;
    for (int32_t i = 0; i < count; ++i) {
        yqIndex* index = yqIndex::Unpack(in, this);
        if (!index) {
            for (yqIndex* p : added)
                delete p;
            return false;
        }
        added.push_back(index);
    }
    m_indexes.insert(m_indexes.end(), added.begin(), added.end());
    return true;
}
