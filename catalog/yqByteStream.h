// Bounded reading and little-endian writing of the catalogue's byte formats, and the few
// whole-file operations the readers share.
#pragma once

#include <afx.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// A cursor over a buffer that refuses every read past its end.
class yqByteReader {
public:
    yqByteReader(const unsigned char* data, size_t size) : m_pData(data), m_nSize(size) {}

    size_t GetPosition() const { return m_nPos; }
    size_t GetSize() const { return m_nSize; }
    size_t GetRemaining() const { return m_nSize - m_nPos; }
    bool AtEnd() const { return m_nPos >= m_nSize; }
    const unsigned char* GetCurrent() const { return m_pData + m_nPos; }
    // The byte at the cursor, or -1 at the end.
    int Peek() const { return m_nPos < m_nSize ? m_pData[m_nPos] : -1; }

    bool Read(void* out, size_t count);
    bool Skip(size_t count);
    bool ReadInt32(int32_t& value);
    bool ReadDouble(double& value);
    void SetPosition(size_t pos) { m_nPos = pos <= m_nSize ? pos : m_nSize; }

private:
    const unsigned char* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
};

// Appends values to a byte vector in the file's byte order.
class yqByteWriter {
public:
    explicit yqByteWriter(std::vector<unsigned char>& out) : m_out(out) {}
    void Write(const void* data, size_t count);
    void WriteInt32(int32_t value);
    void WriteDouble(double value);

private:
    std::vector<unsigned char>& m_out;
};

// The path as the file functions of this build take it.
CString yqFilePath(const char* path);

// Reads a whole file with shared reading; false when it cannot be opened or read.
bool yqReadWholeFile(const char* path, std::vector<unsigned char>& out);

// Reads up to `count` bytes from `offset` (fewer at the end of the file); false when the
// file cannot be opened or read, or the offset lies beyond its end.
bool yqReadFileRange(const char* path, uint32_t offset, uint32_t count, std::vector<unsigned char>& out);

// Writes the data to a temporary file beside the target, then puts it in the target's place.
bool yqReplaceFile(const char* path, const void* data, size_t count);
