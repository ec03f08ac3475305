#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <streambuf>
#include <string>

// A scene container read through one small window that is refilled as reading goes on: the
// record readers see an ordinary input stream, and the bulk of a container, its triangles, is
// taken four bytes at a time straight from the window. A large container thus costs no memory
// of its size.
class ZBFileReadBuf : public std::streambuf {
public:
    ZBFileReadBuf() = default;
    ~ZBFileReadBuf() override;
    ZBFileReadBuf(const ZBFileReadBuf&) = delete;
    ZBFileReadBuf& operator=(const ZBFileReadBuf&) = delete;

    bool Open(const std::string& path);
    uint64_t Size() const { return m_nSize; }
    uint64_t Position() const { return m_nWindowStart + static_cast<uint64_t>(gptr() - eback()); }
    uint64_t Remaining() const { return m_nSize - Position(); }

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
};
