#include "ConfigFile.h"

#include <cstring>
#include <memory>

#include "yqByteStream.h"

namespace {

// A stored string: `length` bytes counting its NUL, taken up to the first NUL.
bool ReadString(yqByteReader& in, int32_t length, CString& out)
{
    if (length < 0 || static_cast<size_t>(length) > in.GetRemaining())
        return false;
    const char* p = reinterpret_cast<const char*>(in.GetCurrent());
    out = CString(p, static_cast<int>(strnlen(p, static_cast<size_t>(length))));
    return in.Skip(static_cast<size_t>(length));
}

void WriteString(yqByteWriter& out, const CString& s)
{
    out.Write(static_cast<const char*>(s), static_cast<size_t>(s.GetLength()) + 1);
}

int32_t StoredLength(const CString& s) { return s.GetLength() + 1; }

// A count is refused when it is negative or more records than the bytes left could hold.
bool ReadCount(yqByteReader& in, size_t minRecord, int32_t& count)
{
    return in.ReadInt32(count) && count >= 0 && static_cast<size_t>(count) <= in.GetRemaining() / minRecord;
}

bool ReadEntry(yqByteReader& in, CCatalogCacheEntry& e)
{
    int32_t idLen, titleLen, rootLen;
    return in.ReadInt32(e.m_nCacheOffset) && in.ReadInt32(e.m_nCacheSize) && in.ReadInt32(idLen) &&
           in.ReadInt32(titleLen) && in.ReadInt32(rootLen) && ReadString(in, idLen, e.m_strId) &&
           ReadString(in, titleLen, e.m_strTitle) && ReadString(in, rootLen, e.m_strRoot);
}

bool ReadCondition(yqByteReader& in, CSearchCondition& c)
{
    int32_t catLen, codeLen, nameLen, textLen;
    return in.ReadInt32(c.m_nMethod) && in.ReadInt32(catLen) && in.ReadInt32(codeLen) && in.ReadInt32(nameLen) &&
           in.ReadInt32(textLen) && in.ReadInt32(c.m_nLowPrice) && in.ReadInt32(c.m_nHighPrice) &&
           in.ReadInt32(c.m_nKind) && ReadString(in, catLen, c.m_strCatalog) && ReadString(in, codeLen, c.m_strCode) &&
           ReadString(in, nameLen, c.m_strName) && ReadString(in, textLen, c.m_strText);
}

bool ReadImageSearch(yqByteReader& in, CImageSearch& s)
{
    int32_t nameLen, textLen, folderLen;
    int32_t t[4];
    if (!in.ReadInt32(nameLen) || !in.ReadInt32(textLen) || !in.ReadInt32(folderLen))
        return false;
    for (int32_t& v : t)
        if (!in.ReadInt32(v))
            return false;
    s.m_startLow = static_cast<uint32_t>(t[0]);
    s.m_startHigh = static_cast<uint32_t>(t[1]);
    s.m_endLow = static_cast<uint32_t>(t[2]);
    s.m_endHigh = static_cast<uint32_t>(t[3]);
    return ReadString(in, nameLen, s.m_strName) && ReadString(in, textLen, s.m_strFileText) &&
           ReadString(in, folderLen, s.m_strFolder);
}

// Reads one list: a refused count or a cut record ends it, keeping the whole records before.
template <class T, class ReadOne>
bool ReadList(yqByteReader& in, size_t minRecord, std::vector<T*>& list, ReadOne readOne)
{
    int32_t count;
    if (!ReadCount(in, minRecord, count))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        auto record = std::make_unique<T>();
        if (!readOne(in, *record))
            return false;
        list.push_back(record.release());
    }
    return true;
}

}  // namespace

CConfigFile::Result CConfigFile::Read(const unsigned char* data, size_t size, CConfigHead& head,
                                      std::vector<CCatalogCacheEntry*>& entries,
                                      std::vector<CSearchCondition*>& conditions,
                                      std::vector<CImageSearch*>& imageSearches, std::vector<CString>& dirs)
{
    if (size < 3 || memcmp(data, "CNF", 3) != 0)
        return kNotConfig;
    yqByteReader in(data + 3, size - 3);
    int32_t v[6];
    for (int32_t& x : v)
        if (!in.ReadInt32(x))
            return kCut;  // a cut head changes nothing
    head.rcWindow.top = v[0];
    head.rcWindow.left = v[1];
    head.rcWindow.right = v[2];
    head.rcWindow.bottom = v[3];
    head.nSplitterWidth = v[4];
    head.nShowState = v[5];

    if (!ReadList(in, 20, entries, ReadEntry) || !ReadList(in, 32, conditions, ReadCondition) ||
        !ReadList(in, 28, imageSearches, ReadImageSearch))
        return kCut;
    int32_t count;
    if (!ReadCount(in, 4, count))
        return kCut;
    for (int32_t i = 0; i < count; ++i) {
        int32_t len;
        CString dir;
        if (!in.ReadInt32(len) || !ReadString(in, len, dir))
            return kCut;
        dirs.push_back(dir);
    }
    return kComplete;
}

std::vector<unsigned char> CConfigFile::Write(const CConfigHead& head, const std::vector<CCatalogCacheEntry*>& entries,
                                              const std::vector<CSearchCondition*>& conditions,
                                              const std::vector<CImageSearch*>& imageSearches,
                                              const std::vector<CString>& dirs)
{
    std::vector<unsigned char> bytes;
    yqByteWriter out(bytes);
    out.Write("CNF", 3);
    out.WriteInt32(head.rcWindow.top);
    out.WriteInt32(head.rcWindow.left);
    out.WriteInt32(head.rcWindow.right);
    out.WriteInt32(head.rcWindow.bottom);
    out.WriteInt32(head.nSplitterWidth);
    out.WriteInt32(head.nShowState);

    out.WriteInt32(static_cast<int32_t>(entries.size()));
    for (const CCatalogCacheEntry* e : entries) {
        out.WriteInt32(e->m_nCacheOffset);
        out.WriteInt32(e->m_nCacheSize);
        out.WriteInt32(StoredLength(e->m_strId));
        out.WriteInt32(StoredLength(e->m_strTitle));
        out.WriteInt32(StoredLength(e->m_strRoot));
        WriteString(out, e->m_strId);
        WriteString(out, e->m_strTitle);
        WriteString(out, e->m_strRoot);
    }
    out.WriteInt32(static_cast<int32_t>(conditions.size()));
    for (const CSearchCondition* c : conditions) {
        out.WriteInt32(c->m_nMethod);
        out.WriteInt32(StoredLength(c->m_strCatalog));
        out.WriteInt32(StoredLength(c->m_strCode));
        out.WriteInt32(StoredLength(c->m_strName));
        out.WriteInt32(StoredLength(c->m_strText));
        out.WriteInt32(c->m_nLowPrice);
        out.WriteInt32(c->m_nHighPrice);
        out.WriteInt32(c->m_nKind);
        WriteString(out, c->m_strCatalog);
        WriteString(out, c->m_strCode);
        WriteString(out, c->m_strName);
        WriteString(out, c->m_strText);
    }
    out.WriteInt32(static_cast<int32_t>(imageSearches.size()));
    for (const CImageSearch* s : imageSearches) {
        out.WriteInt32(StoredLength(s->m_strName));
        out.WriteInt32(StoredLength(s->m_strFileText));
        out.WriteInt32(StoredLength(s->m_strFolder));
        out.WriteInt32(static_cast<int32_t>(s->m_startLow));
        out.WriteInt32(static_cast<int32_t>(s->m_startHigh));
        out.WriteInt32(static_cast<int32_t>(s->m_endLow));
        out.WriteInt32(static_cast<int32_t>(s->m_endHigh));
        WriteString(out, s->m_strName);
        WriteString(out, s->m_strFileText);
        WriteString(out, s->m_strFolder);
    }
    out.WriteInt32(static_cast<int32_t>(dirs.size()));
    for (const CString& d : dirs) {
        out.WriteInt32(StoredLength(d));
        WriteString(out, d);
    }
    return bytes;
}

std::vector<unsigned char> CConfigFile::Overlay(const std::vector<unsigned char>& content,
                                                const std::vector<unsigned char>& old)
{
    std::vector<unsigned char> result = content;
    if (old.size() > content.size())
        result.insert(result.end(), old.begin() + static_cast<std::ptrdiff_t>(content.size()), old.end());
    return result;
}
