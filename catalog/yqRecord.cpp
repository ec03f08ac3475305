#include "yqRecord.h"

#include <cstring>

#include "yqByteStream.h"
#include "yqText.h"

IMPLEMENT_DYNCREATE(yqRecord, CObject)

void yqField::Pack(yqByteWriter& out) const
{
    out.Write(&m_cType, 1);
    out.Write(m_szCode, 4);
    out.WriteInt32(m_nLength);
    out.Write(m_strText.data(), m_strText.size());
}

const yqField* yqRecord::FindField(const char* code) const
{
    for (const yqField& field : m_fields)
        if (PrefixCompare(field.m_szCode, code) == 0)
            return &field;
    return nullptr;
}

const char* yqRecord::GetFieldText(const char* code) const
{
    const yqField* field = FindField(code);
    return field ? field->m_strText.c_str() : nullptr;
}

const unsigned char* yqRecord::GetFieldString(const char* code) const
{
    return reinterpret_cast<const unsigned char*>(GetFieldText(code));
}

double yqRecord::GetFieldNumber(const char* code) const
{
    const char* text = GetFieldText(code);
    return text ? DigitsToNumber(text) : 0;
}

int yqRecord::GetFieldLength(const char* code) const
{
    const yqField* field = FindField(code);
    return field ? field->m_nLength : 0;
}

CStringList* yqRecord::GetFieldList(const char* code) const
{
    const char* text = GetFieldText(code);
    if (!text)
        return nullptr;
    CStringList* list = new CStringList;
    SplitFieldList(text, *list);
    return list;
}

void SplitFieldList(const char* text, CStringList& out)
{
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
    if (*t == 't')
        ++t;
    std::string work;
    for (size_t i = 0; t[i]; ++i) {
        unsigned char c = t[i];
        if (c == 0x1E && t[i + 1] == 't') {
            work += '\x1E';
            ++i;
        } else if (c == 0x1F && t[i + 1] == 't') {
            work += '\t';
            ++i;
        } else if (c == 0x1F && t[i + 1] == 0x1E && t[i + 2] == 't') {
            work += '\x1E';
            i += 2;
        } else if (c == 0x1F) {
            work += '\x1E';
        } else {
            work += static_cast<char>(c);
            if (i > 10000)
                break;
        }
    }
    size_t start = 0;
    for (size_t pos = 0; pos < work.size(); ++pos) {
        if (work[pos] == '\x1E') {
            out.AddTail(CString(work.substr(start, pos - start).c_str()));
            start = pos + 1;
        }
    }
}

namespace {

// The values a row holds up to its 0 byte (or as many whole ones as the buffer holds), so
// that the row's vector is sized once instead of growing value by value.
size_t CountRowValues(const unsigned char* p, size_t remaining)
{
    size_t count = 0;
    while (remaining > 5 && *p) {
        const void* nul = std::memchr(p + 5, 0, remaining - 5);
        if (!nul)
            break;
        size_t used = static_cast<const unsigned char*>(nul) - p + 1;
        p += used;
        remaining -= used;
        ++count;
    }
    return count;
}

}  // namespace

void yqRecord::Parse(yqByteReader& reader)
{
    m_fields.reserve(m_fields.size() + CountRowValues(reader.GetCurrent(), reader.GetRemaining()));
    for (;;) {
        // The end of the buffer ends the row: a file cut short costs at most its last value.
        int type = reader.Peek();
        if (type < 0)
            return;
        if (type == 0) {
            reader.Skip(1);
            return;
        }
        yqField field;
        if (reader.GetRemaining() < 5) {
            reader.SetPosition(reader.GetSize());  // a value cut inside its code is dropped
            return;
        }
        reader.Read(&field.m_cType, 1);
        reader.Read(field.m_szCode, 4);
        const unsigned char* start = reader.GetCurrent();
        const void* nul = std::memchr(start, 0, reader.GetRemaining());
        size_t length = nul ? static_cast<size_t>(static_cast<const unsigned char*>(nul) - start) : reader.GetRemaining();
        reader.SetPosition(reader.GetPosition() + length + (nul ? 1 : 0));
        const char* text = reinterpret_cast<const char*>(start);
        if (field.m_cType == 'p') {
            // A path: 8 leading bytes are dropped, '/' becomes '\'.
            if (length > 8) {
                text += 8;
                length -= 8;
            } else {
                length = 0;
            }
        }
        std::string converted(length + 2, '\0');
        int n = EucToSjis(text, converted.data(), static_cast<int>(length));
        converted.resize(n);
        if (field.m_cType == 'p') {
            for (char& c : converted)
                if (c == '/')
                    c = '\\';
        }
        field.m_strText = std::move(converted);
        field.m_nLength = static_cast<int>(field.m_strText.size());
        field.m_pTable = m_pTable;
        m_fields.push_back(std::move(field));
    }
}

int yqRecord::GetPackedSize() const
{
    int size = 8;
    for (const yqField& field : m_fields)
        size += field.GetPackedSize();
    return size;
}

void yqRecord::Pack(yqByteWriter& out) const
{
    out.WriteInt32(m_nRow);
    out.WriteInt32(static_cast<int32_t>(m_fields.size()));
    for (const yqField& field : m_fields)
        field.Pack(out);
}
