#include "yqRecordset.h"

IMPLEMENT_DYNCREATE(yqRecordset, CObject)

int yqRecordset::Attach(yqRecord* const* rows, int count)
{
    m_rows.clear();
    m_pFirst = m_pLast = nullptr;
    m_nPos = 0;
    m_nCount = 0;
    if (!rows || count < 1)
        return 0;
    m_rows.assign(rows, rows + count);
    m_nCount = count;
    m_pFirst = rows[0];
    m_pLast = rows[count - 1];
    return 1;
}

int yqRecordset::MoveNext()
{
    if (m_nCount == 0 || m_nPos >= m_nCount - 1)
        return 0;
    ++m_nPos;
    return 1;
}

int yqRecordset::SetAbsolutePosition(int index)
{
    if (index < 0 || index >= m_nCount)
        return 0;
    m_nPos = index;
    return 1;
}

const char* yqRecordset::GetFieldText(const char* code) const
{
    yqRecord* row = GetRecord();
    return row ? row->GetFieldText(code) : nullptr;
}

double yqRecordset::GetFieldNumber(const char* code) const
{
    yqRecord* row = GetRecord();
    return row ? row->GetFieldNumber(code) : 0;
}

CStringList* yqRecordset::GetFieldList(const char* code) const
{
    yqRecord* row = GetRecord();
    return row ? row->GetFieldList(code) : nullptr;
}

int yqRecordset::GetFieldLength(const char* code) const
{
    yqRecord* row = GetRecord();
    return row ? row->GetFieldLength(code) : 0;
}

void yqRecordset::Dump(CDumpContext& dc) const
{
    dc << "aaa";
}
