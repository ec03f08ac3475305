#pragma once

#include "ZBFileMapping.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <streambuf>
#include <string>

// A scene container as an ordinary input stream for the record readers. The file is mapped
// whole where it can be (the stream then reads the mapping, and the triangle reader keeps the
// mapping to take its vertices from); otherwise it is read through one small window that is
// refilled as reading goes on. Either way a large container costs no fresh memory of its size.
class ZBFileReadBuf : public std::streambuf {
public:
    ZBFileReadBuf() = default;
    ~ZBFileReadBuf() override;
    ZBFileReadBuf(const ZBFileReadBuf&) = delete;
    ZBFileReadBuf& operator=(const ZBFileReadBuf&) = delete;

    // map: try to map the file first (false: always the window).
    bool Open(const std::string& path, bool map = true);
    uint64_t Size() const { return m_nSize; }
    uint64_t Position() const { return m_nWindowStart + static_cast<uint64_t>(gptr() - eback()); }
    uint64_t Remaining() const { return m_nSize - Position(); }
    // The whole file, when it is mapped; none when it is read through the window.
    const std::shared_ptr<const ZBFileMapping>& Mapping() const { return m_map; }

    // Four bytes, refusing a read past the end.
    bool Read4(unsigned char out[4])
    {
        if (egptr() - gptr() >= 4) {
            std::memcpy(out, gptr(), 4);
            gbump(4);
            return true;
        }
        return sgetn(reinterpret_cast<char*>(out), 4) == 4;
    }
    bool ReadByte(char& c)
    {
        const int_type v = sbumpc();
        if (traits_type::eq_int_type(v, traits_type::eof()))
            return false;
        c = traits_type::to_char_type(v);
        return true;
    }
    bool Skip(uint64_t n);
    // n bytes, refilling the window as often as needed; refused whole when fewer are left.
    bool ReadBytes(void* out, size_t n);

protected:
    int_type underflow() override;
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;

private:
    bool Fill(uint64_t at);

    static constexpr size_t kWindow = 1 << 20;
    std::FILE* m_pFile = nullptr;
    uint64_t m_nSize = 0;
    uint64_t m_nWindowStart = 0;
    std::unique_ptr<char[]> m_window;
    std::shared_ptr<const ZBFileMapping> m_map;
};
