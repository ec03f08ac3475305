#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <streambuf>

// A scene container held in one memory block. As a stream buffer it serves the record readers
// (std::istream); the bulk of a container, its triangles, is read through ZBByteCursor straight
// from the block.
class ZBMemoryBuf : public std::streambuf {
public:
    ZBMemoryBuf(std::unique_ptr<char[]> bytes, size_t size);

    const char* Data() const { return eback(); }
    size_t Size() const { return static_cast<size_t>(egptr() - eback()); }
    size_t Position() const { return static_cast<size_t>(gptr() - eback()); }
    void SetPosition(size_t pos) { setg(eback(), eback() + (pos <= Size() ? pos : Size()), egptr()); }

protected:
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;
    std::streamsize xsgetn(char* s, std::streamsize n) override;

private:
    std::unique_ptr<char[]> m_bytes;
};

// A cursor over a block that refuses every read past its end.
class ZBByteCursor {
public:
    ZBByteCursor(const char* data, size_t size, size_t pos) : m_pData(data), m_nSize(size), m_nPos(pos) {}

    size_t Position() const { return m_nPos; }
    uint64_t Remaining() const { return m_nSize - m_nPos; }
    bool ReadByte(char& c)
    {
        if (m_nPos >= m_nSize)
            return false;
        c = m_pData[m_nPos++];
        return true;
    }
    bool ReadInt32(int32_t& v)
    {
        if (m_nSize - m_nPos < 4)
            return false;
        const unsigned char* b = reinterpret_cast<const unsigned char*>(m_pData + m_nPos);
        v = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                 static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
        m_nPos += 4;
        return true;
    }
    bool ReadFloat(float& v)
    {
        int32_t bits;
        if (!ReadInt32(bits))
            return false;
        std::memcpy(&v, &bits, 4);
        return true;
    }
    bool Skip(size_t n)
    {
        if (m_nSize - m_nPos < n)
            return false;
        m_nPos += n;
        return true;
    }

private:
    const char* m_pData;
    size_t m_nSize;
    size_t m_nPos;
};
