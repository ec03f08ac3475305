#include "ZBByteStream.h"

#include <algorithm>

ZBMemoryBuf::ZBMemoryBuf(std::unique_ptr<char[]> bytes, size_t size) : m_bytes(std::move(bytes))
{
    char* p = m_bytes.get();
    setg(p, p, p + size);
}

ZBMemoryBuf::pos_type ZBMemoryBuf::seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which)
{
    if (!(which & std::ios_base::in))
        return pos_type(off_type(-1));
    off_type base = dir == std::ios_base::beg ? 0
                    : dir == std::ios_base::cur ? static_cast<off_type>(Position())
                                                : static_cast<off_type>(Size());
    const off_type to = base + off;
    if (to < 0 || to > static_cast<off_type>(Size()))
        return pos_type(off_type(-1));
    SetPosition(static_cast<size_t>(to));
    return pos_type(to);
}

ZBMemoryBuf::pos_type ZBMemoryBuf::seekpos(pos_type pos, std::ios_base::openmode which)
{
    return seekoff(off_type(pos), std::ios_base::beg, which);
}

std::streamsize ZBMemoryBuf::xsgetn(char* s, std::streamsize n)
{
    const std::streamsize left = egptr() - gptr();
    const std::streamsize k = std::min(n, left);
    if (k > 0) {
        std::memcpy(s, gptr(), static_cast<size_t>(k));
        SetPosition(Position() + static_cast<size_t>(k));
    }
    return k;
}
