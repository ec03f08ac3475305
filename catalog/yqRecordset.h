// A cursor over some rows of one table. The rows stay the table's; a recordset must not
// outlive its table.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <vector>

#include "yqRecord.h"

class yqRecordset : public CObject {
    DECLARE_DYNCREATE(yqRecordset)
public:
    yqRecordset() = default;

    // 0 (and an empty recordset) without rows; else copies the row pointers and returns 1.
    int Attach(yqRecord* const* rows, int count);

    int MoveNext();
    int SetAbsolutePosition(int index);
    int GetAbsolutePosition() const { return m_nPos; }
    int GetRecordCount() const { return m_nCount; }
    BOOL IsBOF() const { return m_nCount > 0 && m_nPos == 0; }

    yqRecord* GetRecord() const { return m_nCount > 0 ? m_rows[m_nPos] : nullptr; }
    yqRecord* GetRecordAt(int index) const { return index >= 0 && index < m_nCount ? m_rows[index] : nullptr; }

    const char* GetFieldText(const char* code) const;
    double GetFieldNumber(const char* code) const;
    CStringList* GetFieldList(const char* code) const;
    int GetFieldLength(const char* code) const;

    void Dump(CDumpContext& dc) const override;

private:
    yqRecord* m_pFirst = nullptr;
    int m_nPos = 0;
    yqRecord* m_pLast = nullptr;
    std::vector<yqRecord*> m_rows;
    int m_nCount = 0;
};
