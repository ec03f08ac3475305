// One row of a catalogue table and its tagged values.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <string>
#include <vector>

class yqTable;
class yqByteReader;
class yqByteWriter;

// One value of a row: a type character, a 4-character field code and Shift-JIS text.
struct yqField {
    char m_cType = 0;
    char m_szCode[5] = {};
    std::string m_strText;
    int m_nLength = 0;
    yqTable* m_pTable = nullptr;

    int GetPackedSize() const { return 9 + m_nLength; }
    void Pack(yqByteWriter& out) const;
};

enum class yqParseResult { Value, RowEnd, Truncated };

class yqRecord : public CObject {
    DECLARE_DYNCREATE(yqRecord)
public:
    yqRecord() = default;

    // The first value whose code agrees with `code` over the shorter length, or NULL.
    const yqField* FindField(const char* code) const;
    const char* GetFieldText(const char* code) const;
    const unsigned char* GetFieldString(const char* code) const;
    double GetFieldNumber(const char* code) const;
    int GetFieldLength(const char* code) const;
    // A new list (the caller deletes it) of the elements of a list value, or NULL.
    CStringList* GetFieldList(const char* code) const;

    // Reads the row at the cursor, up to and including its 0 byte; the end of the buffer
    // also ends it, keeping the values read so far (a value cut in its text keeps what it
    // holds, one cut in its code is dropped).
    void Parse(yqByteReader& reader);

    int GetPackedSize() const;
    void Pack(yqByteWriter& out) const;

    std::vector<yqField> m_fields;
    yqTable* m_pTable = nullptr;
    int m_nRow = -1;
};

// Splits a list text (elements ended by 0x1E, with 't' type marks) into a string list.
void SplitFieldList(const char* text, CStringList& out);
