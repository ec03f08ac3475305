#include "yqByteStream.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "afxreplace.h"

bool yqByteReader::Read(void* out, size_t count)
{
    if (count > GetRemaining())
        return false;
    if (count)
        std::memcpy(out, m_pData + m_nPos, count);
    m_nPos += count;
    return true;
}

bool yqByteReader::Skip(size_t count)
{
    if (count > GetRemaining())
        return false;
    m_nPos += count;
    return true;
}

bool yqByteReader::ReadInt32(int32_t& value)
{
    unsigned char b[4];
    if (!Read(b, 4))
        return false;
    value = static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
    return true;
}

bool yqByteReader::ReadDouble(double& value)
{
    unsigned char b[8];
    if (!Read(b, 8))
        return false;
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | b[i];
    std::memcpy(&value, &bits, 8);
    return true;
}

void yqByteWriter::Write(const void* data, size_t count)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    m_out.insert(m_out.end(), p, p + count);
}

void yqByteWriter::WriteInt32(int32_t value)
{
    uint32_t v = static_cast<uint32_t>(value);
    unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                          static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    Write(b, 4);
}

void yqByteWriter::WriteDouble(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    unsigned char b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<unsigned char>(bits >> (8 * i));
    Write(b, 8);
}

CString yqFilePath(const char* path)
{
    CString result(path);
#ifndef _WIN32
    // Catalogue paths are written with backslashes; the native build's files take slashes.
    result.Replace('\\', '/');
#endif
    return result;
}

bool yqReadFileRange(const char* path, uint32_t offset, uint32_t count, std::vector<unsigned char>& out)
{
    out.clear();
    CFile file;
    if (!file.Open(yqFilePath(path), CFile::modeRead | CFile::shareDenyNone))
        return false;
    try {
        uint64_t length = file.GetLength();
        if (offset > length) {
            file.Close();
            return false;
        }
        uint64_t available = length - offset;
        size_t want = static_cast<size_t>(available < count ? available : count);
        out.resize(want);
        file.Seek(static_cast<LONG>(offset), CFile::begin);
        size_t got = 0;
        while (got < want) {
            UINT piece = static_cast<UINT>(want - got < 40960 ? want - got : 40960);
            UINT n = file.Read(out.data() + got, piece);
            if (n == 0)
                break;
            got += n;
        }
        out.resize(got);
        file.Close();
        return true;
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
    }
    out.clear();
    return false;
}

bool yqReadWholeFile(const char* path, std::vector<unsigned char>& out)
{
    return yqReadFileRange(path, 0, 0xFFFFFFFFu, out);
}

bool yqReplaceFile(const char* path, const void* data, size_t count)
{
    return AfxReplaceFileData(yqFilePath(path), data, count) != FALSE;
}
