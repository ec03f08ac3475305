#include "yqSchema.h"

#include <cstdlib>
#include <cstring>

#include "yqByteStream.h"
#include "yqText.h"

bool yqHeaderRecord::Read(yqByteReader& reader, bool& bEndMark)
{
    bEndMark = false;
    if (reader.Peek() == 0) {
        bEndMark = true;
        return false;
    }
    if (reader.GetRemaining() < kRecordSize)
        return false;
    char raw[32];
    reader.Read(m_szId, 8);
    m_szId[8] = 0;
    reader.Read(raw, 32);
    EucToSjis(raw, m_szName, 32);
    reader.Read(m_raw, 4);
    reader.Read(raw, 32);
    EucToSjis(raw, m_szTitle, 32);
    reader.Skip(1);
    return true;
}

int yqHeaderRecord::ReadFile(const char* path)
{
    std::vector<unsigned char> data;
    if (!yqReadFileRange(path, 0, kRecordSize, data))
        return 0;
    yqByteReader reader(data.data(), data.size());
    bool bEnd;
    return Read(reader, bEnd) ? 1 : 0;
}

int yqTableDef::FindField(const char* code) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (PrefixCompare(m_fields[i].m_szCode, code) == 0)
            return static_cast<int>(i);
    return -1;
}

void yqSchema::Clear()
{
    m_pText.reset();
    m_tableDefs.clear();
    m_headers.clear();
    m_pHeader = nullptr;
}

yqTableDef* yqSchema::FindTableDef(const char* name) const
{
    for (const auto& def : m_tableDefs)
        if (PrefixCompare(def->m_szName, name) == 0)
            return def.get();
    return nullptr;
}

int yqSchema::ReadFile(const char* path)
{
    Clear();
    std::vector<unsigned char> data;
    if (!yqReadWholeFile(path, data))
        return 0;
    yqByteReader reader(data.data(), data.size());

    if (!reader.Read(m_szMagic, 4) || !reader.Read(m_raw1, 4) || !reader.Read(&m_raw2, 1) ||
        !reader.Read(m_szTextEnd, 6) || !reader.Read(&m_raw3, 1))
        return 0;
    m_szMagic[4] = 0;
    m_szTextEnd[6] = 0;

    // The end offset must lie inside the file and after the fixed head.
    long end = std::strtol(m_szTextEnd, nullptr, 10);
    if (end < 16 || static_cast<size_t>(end) > reader.GetSize())
        return 0;
    size_t textLength = static_cast<size_t>(end) - reader.GetPosition();
    if (textLength) {
        m_pText.reset(new char[textLength + 2]);
        EucToSjis(reinterpret_cast<const char*>(reader.GetCurrent()), m_pText.get(), static_cast<int>(textLength));
        reader.Skip(textLength);
    }

    if (!reader.Read(m_szHeaderFile, 32)) {
        m_pText.reset();
        return 0;
    }
    m_szHeaderFile[32] = 0;

    for (;;) {
        auto record = std::make_unique<yqHeaderRecord>();
        bool bEnd;
        if (!record->Read(reader, bEnd)) {
            if (bEnd)
                break;
            m_pText.reset();  // the list runs off the end of the file
            return 0;
        }
        m_headers.push_back(std::move(record));
    }
    reader.Skip(1);

    // Table descriptions; the file ending inside one drops it.
    while (!reader.AtEnd()) {
        if (reader.Peek() == 0) {
            reader.Skip(1);
            break;
        }
        auto def = std::make_unique<yqTableDef>();
        if (!reader.Read(def->m_head, 4) || !reader.Read(def->m_szName, 32))
            break;
        bool bWhole = true;
        while (reader.Peek() != 0) {
            if (reader.AtEnd()) {
                bWhole = false;
                break;
            }
            yqFieldDef field;
            if (!reader.Read(field.m_szCode, 4) || !reader.Read(field.m_raw, 4)) {
                bWhole = false;
                break;
            }
            def->m_fields.push_back(field);
        }
        if (!bWhole)
            break;
        m_tableDefs.push_back(std::move(def));
    }
    reader.Skip(1);

    if (std::memcmp(m_szMagic, "dbdc", 4) != 0) {
        m_pText.reset();
        return 0;
    }
    return static_cast<int>(reader.GetPosition());
}
