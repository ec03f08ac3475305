#include "ZBByteStream.h"

#include <algorithm>

ZBFileReadBuf::~ZBFileReadBuf()
{
    if (m_pFile)
        std::fclose(m_pFile);
}

bool ZBFileReadBuf::Open(const std::string& path, bool map)
{
    if (map && (m_map = ZBFileMapping::Open(path))) {
        m_nSize = m_map->Size();
        return Fill(0);
    }
    m_pFile = std::fopen(path.c_str(), "rb");
    if (!m_pFile)
        return false;
#ifdef _WIN32
    const bool sized = _fseeki64(m_pFile, 0, SEEK_END) == 0;
    const int64_t end = sized ? _ftelli64(m_pFile) : -1;
#else
    const bool sized = fseeko(m_pFile, 0, SEEK_END) == 0;
    const int64_t end = sized ? static_cast<int64_t>(ftello(m_pFile)) : -1;
#endif
    if (end < 0)
        return false;
    m_nSize = static_cast<uint64_t>(end);
    m_window.reset(new (std::nothrow) char[kWindow]);
    return m_window && Fill(0);
}

// Makes the window start at byte at of the file (empty at the end).
bool ZBFileReadBuf::Fill(uint64_t at)
{
    if (m_map) {
        // The window is the whole file.
        char* base = const_cast<char*>(m_map->Data());
        m_nWindowStart = 0;
        setg(base, base + std::min(at, m_nSize), base + m_nSize);
        return at <= m_nSize;
    }
    m_nWindowStart = at;
    char* w = m_window.get();
    setg(w, w, w);
    if (at >= m_nSize)
        return at == m_nSize;
#ifdef _WIN32
    if (_fseeki64(m_pFile, static_cast<int64_t>(at), SEEK_SET) != 0)
        return false;
#else
    if (fseeko(m_pFile, static_cast<off_t>(at), SEEK_SET) != 0)
        return false;
#endif
    const size_t got = std::fread(w, 1, kWindow, m_pFile);
    setg(w, w, w + got);
    return got > 0;
}

ZBFileReadBuf::int_type ZBFileReadBuf::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (m_map || !m_pFile || !Fill(Position()) || gptr() == egptr())
        return traits_type::eof();
    return traits_type::to_int_type(*gptr());
}

bool ZBFileReadBuf::Skip(uint64_t n)
{
    if (n > Remaining())
        return false;
    const uint64_t to = Position() + n;
    if (to <= m_nWindowStart + static_cast<uint64_t>(egptr() - eback()))
        setg(eback(), eback() + (to - m_nWindowStart), egptr());
    else
        Fill(to);
    return true;
}

bool ZBFileReadBuf::ReadBytes(void* out, size_t n)
{
    if (n > Remaining())
        return false;
    char* to = static_cast<char*>(out);
    while (n > 0) {
        if (gptr() == egptr() && (!Fill(Position()) || gptr() == egptr()))
            return false;
        const size_t take = std::min(n, static_cast<size_t>(egptr() - gptr()));
        std::memcpy(to, gptr(), take);
        gbump(static_cast<int>(take));
        to += take;
        n -= take;
    }
    return true;
}

ZBFileReadBuf::pos_type ZBFileReadBuf::seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode which)
{
    if (!(which & std::ios_base::in) || (!m_pFile && !m_map))
        return pos_type(off_type(-1));
    const int64_t base = dir == std::ios_base::beg ? 0
                         : dir == std::ios_base::cur ? static_cast<int64_t>(Position())
                                                     : static_cast<int64_t>(m_nSize);
    const int64_t to = base + static_cast<int64_t>(off);
    if (to < 0 || static_cast<uint64_t>(to) > m_nSize)
        return pos_type(off_type(-1));
    const uint64_t target = static_cast<uint64_t>(to);
    if (target >= m_nWindowStart && target <= m_nWindowStart + static_cast<uint64_t>(egptr() - eback()))
        setg(eback(), eback() + (target - m_nWindowStart), egptr());
    else if (!Fill(target) && target != m_nSize)
        return pos_type(off_type(-1));
    return pos_type(static_cast<off_type>(target));
}

ZBFileReadBuf::pos_type ZBFileReadBuf::seekpos(pos_type pos, std::ios_base::openmode which)
{
    return seekoff(off_type(pos), std::ios_base::beg, which);
}
